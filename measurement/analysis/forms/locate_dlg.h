#pragma once

#include "document/status.h"
#include "measurement/analysis/two_ended_location.h"

#include <QDialog>

class CSpinField;
class CVarnelDoc;
class QComboBox;
class QLabel;
class QPushButton;

// "Локализация с двух концов": where a fault lies on a line of known length, from its reflectograms
// taken at both ends, whatever their KU. The ends are two shown reflectograms (memories, or a live
// line and a memory), each measured on its own scale; the fault is the pair of their events that
// agrees best. "Установить КУ" makes the line's KU the document's and puts the active cursor on the
// fault on end A's trace.
class CLocateDlg : public QDialog {
    Q_OBJECT
public:
    explicit CLocateDlg(CVarnelDoc& doc, QWidget* parent = nullptr);

    // The location for the ends and the length chosen now, or the reason it is refused.
    Status locate(TwoEndedLocation& result) const;
    CSpinField& lengthField() { return *length; }
    // The choice of end A (0) or end B (1).
    QComboBox& endChoice(int end) { return end == 0 ? *endA : *endB; }
    const QLabel& resultText() const { return *computed; }

public slots:
    void recompute();
    void apply();

private:
    void fillChoice(QComboBox& choice, int preferred);

    CVarnelDoc& doc;
    QComboBox* endA;
    QComboBox* endB;
    CSpinField* length;
    QLabel* computed;
    QPushButton* applyButton;
};
