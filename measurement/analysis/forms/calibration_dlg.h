#pragma once

#include "measurement/analysis/ku_calibration.h"

#include <QDialog>
#include <functional>
#include <optional>
#include <string>

class CSpinField;
class CVarnelDoc;
class QLabel;
class QPushButton;
class QRadioButton;

// "Калибровка КУ": the KU of a cable whose length the technician knows. The reflection of its end is
// where cursor 1 stands, or the end of the line found in the chosen trace; KU = nominal distance x 1.5
// / length, shown with its V/2. "Установить" makes it the document's KU; "Добавить в таблицу" appends
// it, named, to the open KU table (when the program offers one).
class CCalibrationDlg : public QDialog {
    Q_OBJECT
public:
    // Adds a named KU to the open table; false with a reason shown to the user.
    using AddToTable = std::function<bool(const std::string& name, double ku, std::string& error)>;

    CCalibrationDlg(CVarnelDoc& doc, AddToTable addToTable, QWidget* parent = nullptr);

    // The nominal distance of the end reflection now chosen, if there is one.
    std::optional<double> endPosition() const;
    // The KU for the length typed, or nothing (with the reason shown) when it is refused.
    std::optional<KuCalibration> result() const;
    CSpinField& lengthField() { return *length; }
    void setFromCursor(bool cursor);

public slots:
    void recompute();
    void apply();
    void addToTable();

private:
    CVarnelDoc& doc;
    AddToTable tableAdd;
    QRadioButton* fromCursor;
    QRadioButton* fromEnd;
    CSpinField* length;
    QLabel* position;
    QLabel* computed;
    QPushButton* applyButton;
    QPushButton* addButton;
};
