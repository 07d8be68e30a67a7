#include "widgets/h_spin.h"

#include "widgets/tool_tip_text.h"

#include <QKeyEvent>
#include <QWheelEvent>

#include <algorithm>
#include <charconv>
#include <limits>

namespace {

constexpr SpinAction allActions[] = {SpinAction::ToMinimum, SpinAction::StepDown, SpinAction::StepUp,
                                     SpinAction::ToMaximum};

// The leading decimal number of the typed text ("12.5.3" gives 12.5, "1,5" 1.5); 0 when there is none.
double leadingNumber(const QString& typed)
{
    QByteArray text = typed.toLatin1().replace(',', '.');
    const bool negative = text.startsWith('-');
    if (negative)
        text.remove(0, 1);
    double number = 0;
    const auto [end, error] =
        std::from_chars(text.constData(), text.constData() + text.size(), number, std::chars_format::fixed);
    if (error == std::errc::result_out_of_range) {
        // Hundreds of digits: beyond every limit when the whole part is not zero, else a vanishing fraction.
        const QByteArray whole = text.left(text.indexOf('.') < 0 ? text.size() : text.indexOf('.'));
        const bool huge = std::any_of(whole.begin(), whole.end(), [](char c) { return c != '0'; });
        const double magnitude = huge ? std::numeric_limits<double>::infinity() : 0.0;
        return negative ? -magnitude : magnitude;
    }
    const double magnitude = error == std::errc() ? number : 0.0;
    return negative ? -magnitude : magnitude;
}

bool hasDigit(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
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
    showText();
    updateButtons();
}

void CHSpin::setValue(double v)
{
    value = v < minValue ? minValue : (v > maxValue ? maxValue : v);
    // A document update while a number is being typed keeps the typed text on screen: Enter commits
    // what the user sees.
    showText();
    updateButtons();
    if (userChange) {
        userChange = false;
        emit valueEdited(value);
    }
}

void CHSpin::userSetValue(double v)
{
    // A step replaces the typed text on screen, so it also ends the typing: nothing unseen is committed.
    typing = false;
    typedText.clear();
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
    // Enter without a digit ("", "." or "-") keeps the old value, as Escape does.
    if (!hasDigit(typedText)) {
        cancelTyping();
        return;
    }
    userSetValue(leadingNumber(typedText));
}

void CHSpin::cancelTyping()
{
    typing = false;
    typedText.clear();
    showText();
}

void CHSpin::commitTyping()
{
    if (typing)
        commitTyped();
}

void CHSpin::typeCharacters(const QString& text)
{
    // Digits, the point and the comma (the decimal separator of a Russian keyboard) are typed, and a
    // leading minus where the field goes below zero; every other character is dropped.
    bool typed = false;
    for (QChar c : text) {
        const bool digit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
        const bool separator = c == QLatin1Char('.') || c == QLatin1Char(',');
        const bool sign = c == QLatin1Char('-') && minValue < 0 && typedText.isEmpty();
        if (digit || separator || sign) {
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
        cancelTyping();
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
        // The keypad's decimal key is a separator whichever character the keyboard layout gives it.
        if (key == Qt::Key_Comma || key == Qt::Key_Period) {
            typeCharacters(key == Qt::Key_Comma ? QStringLiteral(",") : QStringLiteral("."));
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
