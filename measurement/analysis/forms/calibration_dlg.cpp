#include "measurement/analysis/forms/calibration_dlg.h"

#include "document/update_hint.h"
#include "document/varnel_doc.h"
#include "files/number_text.h"
#include "measurement/analysis/event_finder.h"
#include "measurement/analysis/forms/trace_choice.h"
#include "widgets/h_spin.h"
#include "widgets/spin_field.h"
#include "widgets/tool_tip_text.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QString fixed(double v, int decimals) { return QString::fromStdString(numtext::fixed(v, decimals)); }

} // namespace

CCalibrationDlg::CCalibrationDlg(CVarnelDoc& doc, AddToTable addToTable, QWidget* parent)
    : QDialog(parent), doc(doc), tableAdd(std::move(addToTable)),
      fromCursor(new QRadioButton(tr("Отражение под курсором 1"), this)),
      fromEnd(new QRadioButton(tr("Найденный конец линии"), this)), length(new CSpinField(this)),
      position(new QLabel(this)), computed(new QLabel(this)),
      applyButton(new QPushButton(tr("Установить"), this)),
      addButton(new QPushButton(tr("Добавить в таблицу"), this))
{
    setWindowTitle(tr("Калибровка КУ"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fromCursor);
    layout->addWidget(fromEnd);
    auto* form = new QFormLayout;
    length->spin().configure(1, 64000, 1000, 1, 2, tr("м"));
    length->spin().setToolTipText(tr("Известная длина кабеля"));
    form->addRow(tr("Длина"), length);
    form->addRow(tr("Отражение"), position);
    form->addRow(tr("Результат"), computed);
    layout->addLayout(form);
    setToolTipText(*applyButton, tr("Сделать найденный КУ текущим"));
    setToolTipText(*addButton, tr("Добавить найденный КУ в открытую таблицу КУ"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->addButton(applyButton, QDialogButtonBox::ActionRole);
    buttons->addButton(addButton, QDialogButtonBox::ActionRole);
    layout->addWidget(buttons);
    addButton->setVisible(static_cast<bool>(tableAdd));

    fromCursor->setChecked(doc.cursor1 > 0);
    fromEnd->setChecked(doc.cursor1 <= 0);
    connect(fromCursor, &QRadioButton::toggled, this, &CCalibrationDlg::recompute);
    connect(&length->spin(), &CHSpin::valueEdited, this, &CCalibrationDlg::recompute);
    connect(applyButton, &QPushButton::clicked, this, &CCalibrationDlg::apply);
    connect(addButton, &QPushButton::clicked, this, &CCalibrationDlg::addToTable);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    recompute();
}

void CCalibrationDlg::setFromCursor(bool cursor)
{
    (cursor ? fromCursor : fromEnd)->setChecked(true);
    recompute();
}

std::optional<double> CCalibrationDlg::endPosition() const
{
    if (fromCursor->isChecked())
        return doc.cursor1;
    const std::vector<int> shown = shownTraces(doc);
    if (shown.empty())
        return std::nullopt;
    const TraceSamples source = traceSamples(doc, shown.front());
    const EventReport report = CEventFinder().find(source.samples, source.grid, documentDistances(doc));
    for (const ReflectionEvent& e : report.events)
        if (e.end)
            return e.position;
    return std::nullopt;
}

std::optional<KuCalibration> CCalibrationDlg::result() const
{
    const std::optional<double> nominal = endPosition();
    KuCalibration c;
    if (!nominal || !calibrateKu(*nominal, length->spin().getValue(), c))
        return std::nullopt;
    return c;
}

void CCalibrationDlg::recompute()
{
    const std::optional<double> nominal = endPosition();
    if (!nominal)
        position->setText(tr("конец линии не найден: поставьте курсор 1 на отражение от конца"));
    else
        position->setText(fixed(*nominal, 2) + tr(" м при КУ 1.5"));
    const std::optional<KuCalibration> c = result();
    if (c)
        computed->setText(tr("КУ %1, V/2 %2 м/мкс").arg(fixed(c->ku, 3), fixed(c->speed, 1)));
    else if (nominal)
        computed->setText(tr("КУ выходит за пределы 1..3: проверьте длину и отражение"));
    else
        computed->setText(QStringLiteral("-"));
    applyButton->setEnabled(c.has_value());
    addButton->setEnabled(c.has_value());
}

void CCalibrationDlg::apply()
{
    if (const std::optional<KuCalibration> c = result()) {
        doc.vfactor = c->ku;
        doc.updateAllViews(nullptr, kHintRedraw);
    }
}

void CCalibrationDlg::addToTable()
{
    const std::optional<KuCalibration> c = result();
    if (!c || !tableAdd)
        return;
    bool ok = false;
    const QString name = QInputDialog::getText(this, tr("Добавить значение в таблицу"),
                                               tr("Название КУ"), QLineEdit::Normal,
                                               QStringLiteral("name"), &ok);
    if (!ok)
        return;
    std::string error;
    if (!tableAdd(name.toStdString(), c->ku, error))
        QMessageBox::critical(this, tr("Ошибка"), QString::fromStdString(error));
}
