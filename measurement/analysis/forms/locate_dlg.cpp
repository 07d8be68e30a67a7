#include "measurement/analysis/forms/locate_dlg.h"

#include "document/varnel_doc.h"
#include "files/number_text.h"
#include "measurement/analysis/forms/cursor_placing.h"
#include "measurement/analysis/forms/trace_choice.h"
#include "resources/i18n/ui_translation.h"
#include "widgets/h_spin.h"
#include "widgets/spin_field.h"
#include "widgets/tool_tip_text.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString fixed(double v, int decimals) { return QString::fromStdString(numtext::fixed(v, decimals)); }

// The KU a reflectogram claims: a memory's own, a live line's the document's.
double claimedKu(const CVarnelDoc& doc, int trace)
{
    return trace == L1 || trace == L2 ? doc.vfactor : doc.traces[static_cast<std::size_t>(trace)].memKU;
}

} // namespace

CLocateDlg::CLocateDlg(CVarnelDoc& doc, QWidget* parent)
    : QDialog(parent), doc(doc), endA(new QComboBox(this)), endB(new QComboBox(this)), length(new CSpinField(this)),
      computed(new QLabel(this)), applyButton(new QPushButton(tr("Установить КУ"), this))
{
    setWindowTitle(tr("Локализация с двух концов"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    setToolTipText(*endA, tr("Рефлектограмма, снятая с конца A"));
    setToolTipText(*endB, tr("Рефлектограмма, снятая с конца B"));
    length->spin().configure(1, 64000, 1000, 1, 2, tr("м"));
    length->spin().setToolTipText(tr("Длина линии по плану"));
    form->addRow(tr("Конец A"), endA);
    form->addRow(tr("Конец B"), endB);
    form->addRow(tr("Длина линии"), length);
    computed->setWordWrap(true);
    computed->setMinimumWidth(360);
    computed->setAccessibleName(tr("Результат"));
    form->addRow(tr("Результат"), computed);
    layout->addLayout(form);
    setToolTipText(*applyButton, tr("Сделать найденный КУ текущим и поставить курсор на повреждение"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->addButton(applyButton, QDialogButtonBox::ActionRole);
    layout->addWidget(buttons);

    const std::vector<int> shown = shownTraces(doc);
    fillChoice(*endA, shown.empty() ? -1 : shown.front());
    fillChoice(*endB, shown.size() > 1 ? shown[1] : -1);
    connect(endA, &QComboBox::activated, this, &CLocateDlg::recompute);
    connect(endB, &QComboBox::activated, this, &CLocateDlg::recompute);
    connect(&length->spin(), &CHSpin::valueEdited, this, &CLocateDlg::recompute);
    connect(applyButton, &QPushButton::clicked, this, &CLocateDlg::apply);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    recompute();
}

void CLocateDlg::fillChoice(QComboBox& choice, int preferred)
{
    for (int t : shownTraces(doc))
        choice.addItem(translatedText("TraceNames", traceName(t)), t);
    choice.setCurrentIndex(std::max(0, choice.findData(preferred)));
}

Status CLocateDlg::locate(TwoEndedLocation& result) const
{
    const int a = endA->currentIndex() < 0 ? -1 : endA->currentData().toInt();
    const int b = endB->currentIndex() < 0 ? -1 : endB->currentData().toInt();
    if (a < 0 || b < 0 || a == b)
        return windowFailure(tr("Выберите две разные рефлектограммы: с конца A и с конца B"));
    const TraceSamples sa = traceSamples(doc, a), sb = traceSamples(doc, b);
    return locateFault(lineEnd(sa.samples, sa.grid, claimedKu(doc, a)), lineEnd(sb.samples, sb.grid, claimedKu(doc, b)),
                       length->spin().getValue(), result);
}

void CLocateDlg::recompute()
{
    TwoEndedLocation r;
    const Status s = locate(r);
    if (s)
        computed->setText(tr("От конца A: %1 м, от конца B: %2 м\nКУ %3, V/2 %4 м/мкс, расхождение %5 м")
                              .arg(fixed(r.fromA, 2), fixed(r.fromB, 2), fixed(r.ku, 3), fixed(r.speed, 1),
                                   fixed(r.spread, 2)));
    else
        computed->setText(userText(s));
    applyButton->setEnabled(s.ok());
}

void CLocateDlg::apply()
{
    TwoEndedLocation r;
    if (!locate(r))
        return;
    doc.vfactor = r.ku;
    // The fault as end A sees it: there the cursor reads its distance from A at the line's KU (with
    // the section grid on, the section's KU goes on ruling, as it does for the cursors).
    placeActiveCursor(doc, r.a.position, nullptr);
}
