#include "panels/forms/table_ku.h"

#include "widgets/h_spin.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CTableKU::CTableKU(bool speedMode, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Добавить значение в таблицу"));
    setFixedSize(280, 118);

    auto* nameLabel = new QLabel(tr("Название"), this);
    nameLabel->setGeometry(12, 16, 130, 22);
    name = new QLineEdit(entryName, this);
    name->setGeometry(150, 16, 115, 22);
    nameLabel->setBuddy(name);
    name->setAccessibleName(nameLabel->text());

    auto* valueLabel = new QLabel(speedMode ? QStringLiteral("V/2") : tr("КУ"), this);
    valueLabel->setGeometry(12, 46, 130, 22);
    value = new CHSpin(this);
    value->setAlignment(Qt::AlignCenter);
    if (speedMode)
        value->configure(50, 150, 100, 0.1, 1, QString());
    else
        value->configure(1, 3, 1.5, 0.001, 3, QString());
    value->enableControls(true);
    value->placeControls(150, 46, 265, 68);
    value->setToolTipText(valueLabel->text());
    valueLabel->setBuddy(value);

    auto* yes = new QPushButton(tr("Да"), this);
    yes->setGeometry(60, 82, 75, 26);
    yes->setDefault(true);
    connect(yes, &QPushButton::clicked, this, &QDialog::accept);
    auto* no = new QPushButton(tr("Нет"), this);
    no->setGeometry(145, 82, 75, 26);
    connect(no, &QPushButton::clicked, this, &QDialog::reject);

    name->setFocus();
    name->selectAll();
}

void CTableKU::accept()
{
    // Digits typed without Enter count as entered; the shown text is then always a number in range.
    value->commitTyping();
    entryName = name->text();
    entryValue = value->valueText();
    QDialog::accept();
}
