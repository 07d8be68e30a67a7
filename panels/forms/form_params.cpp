#include "panels/forms/form_params.h"

#include "document/varnel_doc.h"
#include "panels/channel_params.h"
#include "panels/choice_lists.h"
#include "panels/form_layouts.h"
#include "resources/i18n/ui_translation.h"
#include "widgets/h_spin.h"
#include "widgets/tool_tip_text.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>

namespace {

void configureSpin(CHSpin& spin, const SpinSetup& s)
{
    spin.configure(s.minimum, s.maximum, s.value, s.step, s.precision, QString());
}

QRect toQRect(const PixelRect& r) { return QRect(r.left, r.top, r.width(), r.height()); }

} // namespace

CFormParams::CFormParams(CVarnelDoc& document, QWidget* parent) : QWidget(parent), doc(document)
{
    const char* const texts[8] = {
        QT_TR_NOOP("Смещ. Л1"), QT_TR_NOOP("Смещ. Л2"), QT_TR_NOOP("Смещ. П1"), QT_TR_NOOP("Смещ. П2"),
        QT_TR_NOOP("Смещ. П3"), QT_TR_NOOP("К.У."),     QT_TR_NOOP("Усиление"), QT_TR_NOOP("Осреднение")};
    for (int i = 0; i < 8; ++i) {
        labels[i] = new QLabel(tr(texts[i]), this);
        labels[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }

    baseGroup = new QButtonGroup(this);
    for (int i = 0; i < kTraceCount; ++i) {
        const QString name = translatedText("TraceNames", traceName(i));
        // The base button comes first in the keyboard order of its row, as it sits left of the spin.
        auto* button = new QRadioButton(this);
        button->setGeometry(toQRect(baseButtonRect(i)));
        setToolTipText(*button, tr("В режиме \"Разность\" из %1 поточечно вычитаются остальные "
                                               "рефлектограммы").arg(name));
        baseGroup->addButton(button, i);
        baseButtons[i] = button;

        auto* spin = new CHSpin(this);
        spin->setAlignment(Qt::AlignCenter);
        spin->setToolTipText(tr("Смещение графика %1 по вертикали").arg(name));
        configureSpin(*spin, offsetSpinSetup(doc.traces[i].yOffset));
        labels[i]->setBuddy(spin);
        offsetSpins[i] = spin;
        connect(spin, &CHSpin::valueEdited, this, [this, i](double value) {
            writeOffset(doc, i, value);
            doc.updateAllViews(nullptr, kHintRedraw);
        });
    }
    connect(baseGroup, &QButtonGroup::idClicked, this, [this](int trace) {
        if (doc.selectedTrace == trace)
            return;
        doc.selectedTrace = trace;
        doc.updateAllViews(this, kHintLines);
    });

    speed = new CHSpin(this);
    speed->setAlignment(Qt::AlignCenter);
    speed->setToolTipText(tr("Текущее значение скорости распространения сигнала"));
    labels[5]->setBuddy(speed);
    speed->enableControls(true);
    connect(speed, &CHSpin::valueEdited, this, [this](double value) {
        writeSpeed(doc, value);
        doc.updateAllViews(nullptr, kHintRedraw);
    });

    gain = new CHSpin(this);
    gain->setAlignment(Qt::AlignCenter);
    gain->setToolTipText(tr("Текущее значение уселения"));
    configureSpin(*gain, gainSpinSetup(doc.gain));
    gain->enableControls(true);
    labels[6]->setBuddy(gain);
    connect(gain, &CHSpin::valueEdited, this, [this](double value) {
        writeGain(doc, value);
        doc.updateAllViews(nullptr, kHintRedraw);
    });

    average = new QComboBox(this);
    average->setEditable(false);
    for (const std::string& entry : averagingEntries())
        average->addItem(QString::fromStdString(entry));
    setToolTipText(*average, tr("Текущее значение осреднения"));
    labels[7]->setBuddy(average);
    connect(average, &QComboBox::activated, this, [this](int index) {
        doc.average = index;
        doc.updateAllViews(nullptr, kHintRedraw);
    });

    for (QLabel* label : labels)
        label->resize(label->sizeHint());
    applySpeedMode();
    refresh();
    doc.addView(this);
}

CFormParams::~CFormParams() { doc.removeView(this); }

void CFormParams::onDocumentUpdate(CDocView*, UpdateHint hint)
{
    if (hint == kHintNewSamples)
        return;
    if (hint == kHintSpeedMode)
        applySpeedMode();
    refresh();
}

void CFormParams::applySpeedMode()
{
    labels[5]->setText(translatedText("CFormParams", ::speedLabel(doc.speedMode)));
    labels[5]->resize(labels[5]->sizeHint());
    configureSpin(*speed, speedSpinSetup(doc));
    placeControls();
}

void CFormParams::refresh()
{
    for (int i = 0; i < kTraceCount; ++i) {
        const bool shown = doc.traces[i].shown;
        CHSpin& spin = *offsetSpins[i];
        spin.enableControls(shown);
        if (shown)
            spin.setValue(doc.traces[i].yOffset);   // shown clamped to +-200, not written back
        else
            spin.setText(QStringLiteral("-"));
        baseButtons[i]->setEnabled(shown);
    }
    const BaseChoice base = chooseBase(doc);
    doc.selectedTrace = base.base;
    showBase(base.base);
    if (base.changed)
        doc.updateAllViews(this, kHintLines);

    const SpinSetup s = speedSpinSetup(doc);
    speed->setValue(s.value);
    // With the grid on, the KU comes from the section under the cursor.
    speed->enableControls(!doc.gridMode);
    gain->setValue(doc.gain);
    if (average->currentIndex() != doc.average)
        average->setCurrentIndex(doc.average);
}

void CFormParams::showBase(int trace)
{
    // An exclusive group cannot uncheck its last checked button.
    baseGroup->setExclusive(false);
    for (int i = 0; i < kTraceCount; ++i)
        baseButtons[i]->setChecked(i == trace);
    baseGroup->setExclusive(true);
}

void CFormParams::placeControls()
{
    std::array<LabelSize, kParamsRowCount> sizes;
    for (int i = 0; i < kParamsRowCount; ++i)
        sizes[i] = {labels[i]->width(), labels[i]->height()};
    const ParamsLayout l = layoutParams(width(), height(), sizes);
    for (int i = 0; i < kParamsRowCount; ++i)
        labels[i]->setGeometry(toQRect(l.labels[i]));
    for (int i = 0; i < kTraceCount; ++i)
        offsetSpins[i]->placeControls(toQRect(l.controls[i]));
    speed->placeControls(toQRect(l.controls[5]));
    gain->placeControls(toQRect(l.controls[6]));
    average->setGeometry(toQRect(l.controls[7]));
}

void CFormParams::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeControls();
}
