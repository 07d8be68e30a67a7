#include "panels/controls/h_spin.h"

#include "panels/controls/tool_tip_text.h"

#include <QKeyEvent>
#include <QWheelEvent>

#include <algorithm>
#include <charconv>
#include <limits>

namespace {

constexpr SpinAction allActions[] = {SpinAction::ToMinimum, SpinAction::StepDown, SpinAction::StepUp,
                                     SpinAction::ToMaximum};

// The leading decimal number of typed digits and points ("12.5.3" gives 12.5); 0 when there is none.
double leadingNumber(const QString& typed)
{
    const QByteArray text = typed.toLatin1();
    double number = 0;
    const auto [end, error] =
        std::from_chars(text.constData(), text.constData() + text.size(), number, std::chars_format::fixed);
    if (error == std::errc::result_out_of_range) {
        // Hundreds of digits: beyond every limit when the whole part is not zero, else a vanishing fraction.
        const QByteArray whole = text.left(text.indexOf('.') < 0 ? text.size() : text.indexOf('.'));
        const bool huge = std::any_of(whole.begin(), whole.end(), [](char c) { return c != '0'; });
        return huge ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return error == std::errc() ? number : 0.0;
}

bool isEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

} // namespace

CHSpin::CHSpin(QWidget* parent) : QLineEdit(parent)
{
    for (SpinAction action : allActions) {
        auto* button = new CButtonSpin(action, parent);
        button->setEnabled(false);
        connect(button, &QAbstractButton::clicked, this, [this, action] {
            switch (action) {
            case SpinAction::ToMinimum: userSetValue(minValue); break;
            case SpinAction::StepDown: userSetValue(value - step); break;
            case SpinAction::StepUp: userSetValue(value + step); break;
            case SpinAction::ToMaximum: userSetValue(maxValue); break;
            }
        });
        buttons[static_cast<int>(action)] = button;
    }
    setAcceptDrops(false);
    setInputMethodHints(Qt::ImhFormattedNumbersOnly);
    // The edit's own editing (paste, cut, undo, a middle-click paste) never changes what it shows: the
    // text is always the value or the digits typed so far.
    connect(this, &QLineEdit::textEdited, this, &CHSpin::showText);
}

CHSpin::~CHSpin()
{
    for (auto& button : buttons)
        delete button.data();
}

void CHSpin::configure(double minimum, double maximum, double current, double stepSize, int decimals,
                       const QString& unitText)
{
    minValue = minimum;
    maxValue = maximum;
    value = current;
    step = stepSize;
    precision = decimals;
    unit = unitText;
    setText(valueText());
    updateButtons();
}

void CHSpin::setValue(double v)
{
    value = v < minValue ? minValue : (v > maxValue ? maxValue : v);
    setText(valueText());
    updateButtons();
    if (userChange) {
        userChange = false;
        emit valueEdited(value);
    }
}

void CHSpin::userSetValue(double v)
{
    userChange = true;
    setValue(v);
}

QString CHSpin::valueText() const
{
    const QString number = QString::number(value, 'f', precision);
    return unit.isEmpty() ? number : number + QLatin1Char(' ') + unit;
}

void CHSpin::showText() { setText(typing ? typedText : valueText()); }

void CHSpin::updateButtons()
{
    // A disabled spin keeps its buttons disabled whatever value the program puts into it.
    const bool on = isEnabledTo(parentWidget());
    for (auto& button : buttons) {
        if (!button)
            continue;
        const SpinAction action = button->action();
        const bool down = action == SpinAction::ToMinimum || action == SpinAction::StepDown;
        button->setEnabled(on && value != (down ? minValue : maxValue));
    }
}

void CHSpin::enableControls(bool on)
{
    setEnabled(on);
    updateButtons();
}

void CHSpin::showControls(bool show) { setVisible(show); }

void CHSpin::placeControls(int left, int top, int right, int bottom)
{
    const int width = right - left;
    const int height = bottom - top;
    const int bw = std::clamp((width - 5) / 4, 0, 14);
    const int xs[] = {left, left + bw + 1, right - 2 * bw - 2, right - bw};
    for (int i = 0; i < 4; ++i)
        if (buttons[i])
            buttons[i]->setGeometry(xs[i], top, bw, height);
    setGeometry(left + 2 * bw + 3, top, std::max(width - 4 * bw - 5, 0), height);
}

void CHSpin::placeControls(const QRect& area)
{
    placeControls(area.left(), area.top(), area.left() + area.width(), area.top() + area.height());
}

void CHSpin::setToolTipText(const QString& text)
{
    ::setToolTipText(*this, text);
    for (auto& button : buttons)
        if (button)
            button->setAccessibleDescription(text);
}

CButtonSpin* CHSpin::button(SpinAction action) const { return buttons[static_cast<int>(action)]; }

bool CHSpin::event(QEvent* event)
{
    const bool handled = QLineEdit::event(event);
    switch (event->type()) {
    case QEvent::ParentChange:
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
        for (auto& button : buttons) {
            if (!button)
                continue;
            if (button->parentWidget() != parentWidget())
                button->setParent(parentWidget());
            // Without a parent the buttons would become windows of their own.
            button->setVisible(parentWidget() && !isHidden());
        }
        updateButtons();
        break;
    case QEvent::EnabledChange:
        updateButtons();
        break;
    default:
        break;
    }
    return handled;
}

void CHSpin::commitTyped()
{
    const double typed = leadingNumber(typedText);
    typing = false;
    typedText.clear();
    userSetValue(typed);
}

void CHSpin::commitTyping()
{
    if (typing)
        commitTyped();
}

void CHSpin::typeCharacters(const QString& text)
{
    // Only digits and points are typed; every other character, the minus sign too, is dropped.
    bool typed = false;
    for (QChar c : text) {
        if ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.')) {
            typedText += c;
            typed = true;
        }
    }
    if (typed) {
        typing = true;
        setText(typedText);
    }
}

void CHSpin::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (key == Qt::Key_Escape && typing) {
        typing = false;
        typedText.clear();
        setValue(value);
        return;
    }
    if (isEnter(key)) {
        if (typing)
            commitTyped();
        // Enter also reaches the parent, so a dialog's default button still answers it.
        event->ignore();
        QMetaObject::invokeMethod(this, &CHSpin::enterPressed, Qt::QueuedConnection);
        return;
    }
    if (key == Qt::Key_Backspace || key == Qt::Key_Delete || (key == Qt::Key_Insert && typing)) {
        // Each removes the last typed character; the shown value itself is never edited.
        if (typing) {
            typedText.chop(1);
            setText(typedText);
        }
        return;
    }
    if (modifiers & Qt::KeypadModifier) {
        // The keypad's decimal key types the point also where the keyboard layout makes it a comma.
        if (key == Qt::Key_Comma || key == Qt::Key_Period) {
            typeCharacters(QStringLiteral("."));
            return;
        }
        if (key == Qt::Key_Minus) {
            userSetValue(value - step);
            return;
        }
        if (key == Qt::Key_Plus) {
            userSetValue(value + step);
            return;
        }
    }
    const QString text = event->text();
    const bool shortcut = modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (!text.isEmpty() && text.at(0).isPrint() && !shortcut) {
        typeCharacters(text);
        return;
    }
    // Caret movement, selection and copying; any edit they would make is undone by showText.
    QLineEdit::keyPressEvent(event);
}

void CHSpin::wheelEvent(QWheelEvent* event)
{
    // One step per wheel event whatever its size; an event without a vertical turn is no step.
    const int delta = event->angleDelta().y();
    if (delta == 0 || !rect().contains(event->position().toPoint())) {
        event->ignore();
        return;
    }
    userSetValue(delta < 0 ? value - step : value + step);
}
