#include "panels/forms/form_set.h"

#include "document/varnel_doc.h"
#include "panels/choice_lists.h"
#include "panels/cursor_row.h"
#include "panels/form_layouts.h"
#include "resources/i18n/ui_translation.h"
#include "widgets/h_spin.h"
#include "widgets/tool_tip_text.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace {

void configureSpin(CHSpin& spin, const SpinSetup& s)
{
    spin.configure(s.minimum, s.maximum, s.value, s.step, s.precision, translatedUnit(kMetreUnit));
}

QRect toQRect(const PixelRect& r) { return QRect(r.left, r.top, r.width(), r.height()); }

} // namespace

CFormSet::CFormSet(CVarnelDoc& document, QWidget* parent) : QWidget(parent), doc(document)
{
    setFixedHeight(kHeight);
    // The letters K and L are Latin, as on the instrument.
    const char* const texts[4] = {QT_TR_NOOP("K1"), QT_TR_NOOP("K2"), QT_TR_NOOP("L"), QT_TR_NOOP("Лупа")};
    for (int i = 0; i < 4; ++i) {
        labels[i] = new QLabel(tr(texts[i]), this);
        labels[i]->resize(labels[i]->sizeHint());
    }
    const char* const tips[2] = {QT_TR_NOOP("Расстояние от начала шкалы до курсора К1"),
                                 QT_TR_NOOP("Расстояние от начала шкалы до курсора К2")};
    for (int i = 0; i < 2; ++i) {
        auto* spin = new CHSpin(this);
        spin->setAlignment(Qt::AlignCenter);
        spin->setToolTipText(tr(tips[i]));
        spin->enableControls(true);
        cursorSpins[i] = spin;
        labels[i]->setBuddy(spin);
        const CursorId id = i == 0 ? CursorId::First : CursorId::Second;
        connect(spin, &CHSpin::valueEdited, this, [this, id](double metres) {
            writeCursor(doc, id, metres);
            doc.updateAllViews(nullptr, kHintRedraw);
        });
    }
    // Shows the distance only; read-only, but it can still be selected and copied.
    distance = new QLineEdit(this);
    distance->setAlignment(Qt::AlignCenter);
    distance->setReadOnly(true);
    setToolTipText(*distance, tr("Расстояние между двумя курсорами"));
    labels[2]->setBuddy(distance);

    zoomBox = new QComboBox(this);
    zoomBox->setEditable(false);
    setToolTipText(*zoomBox, tr("Значение лупы"));
    labels[3]->setBuddy(zoomBox);
    connect(zoomBox, &QComboBox::activated, this, [this](int level) {
        if (writeMagnifier(doc, level))
            doc.updateAllViews(nullptr, kHintAcqParams);
    });

    refresh();
    placeControls();
    doc.addView(this);
}

CFormSet::~CFormSet() { doc.removeView(this); }

void CFormSet::onDocumentUpdate(CDocView*, UpdateHint hint)
{
    if (hint != kHintNewSamples)
        refresh();
}

void CFormSet::refresh()
{
    const CursorRowValues v = cursorRowValues(doc);
    configureSpin(*cursorSpins[0], v.cursor1);
    configureSpin(*cursorSpins[1], v.cursor2);
    const QString text = translatedCell("CFormSet", v.distance);
    if (distance->text() != text)
        distance->setText(text);
    fillZoomList();
}

void CFormSet::fillZoomList()
{
    // The entries depend on the range alone; refilled only when it changed.
    if (zoomListScale != doc.scale) {
        zoomListScale = doc.scale;
        const QSignalBlocker quiet(zoomBox);
        zoomBox->clear();
        for (const std::string& entry : magnifierEntries(doc.scale))
            zoomBox->addItem(QString::fromStdString(entry));
    }
    if (zoomBox->currentIndex() != doc.zoom) {
        const QSignalBlocker quiet(zoomBox);
        zoomBox->setCurrentIndex(doc.zoom);
    }
}

void CFormSet::placeControls()
{
    std::array<LabelSize, 4> sizes;
    for (int i = 0; i < 4; ++i)
        sizes[i] = {labels[i]->width(), labels[i]->height()};
    const CursorRowLayout l = layoutCursorRow(width(), height(), sizes);
    for (int i = 0; i < 4; ++i)
        labels[i]->setGeometry(toQRect(l.labels[i]));
    cursorSpins[0]->placeControls(toQRect(l.controls[0]));
    cursorSpins[1]->placeControls(toQRect(l.controls[1]));
    distance->setGeometry(toQRect(l.controls[2]));
    zoomBox->setGeometry(toQRect(l.controls[3]));
}

void CFormSet::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeControls();
}
