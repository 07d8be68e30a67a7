#pragma once

#include <QDialog>

class CHSpin;
class QLineEdit;

// "Добавить значение в таблицу": the name and the value of a new KU table entry. The value is a KU
// 1..3 with three decimals, or in V/2 mode a V/2 50..150 with one; the entry keeps the value as shown.
class CTableKU : public QDialog {
    Q_OBJECT
public:
    CTableKU(bool speedMode, QWidget* parent = nullptr);

    QString entryName = QStringLiteral("name");
    QString entryValue;

    QLineEdit& nameEdit() { return *name; }
    CHSpin& valueSpin() { return *value; }

    void accept() override;

private:
    QLineEdit* name = nullptr;
    CHSpin* value = nullptr;
};
