#pragma once

#include "document/doc_view.h"
#include "document/trace.h"

#include <QWidget>

class CHSpin;
class CVarnelDoc;
class QButtonGroup;
class QComboBox;
class QLabel;
class QRadioButton;

// The channel parameter panel of the right-hand column: the vertical offset of each trace L1..P3 with
// its button choosing the base of the difference mode, the KU (or V/2), the gain and the averaging.
// An edit is written into the document at once and redraws every view; the instrument gets it with
// the next cycle. The row of a trace that is not shown is disabled and shows "-".
class CFormParams : public QWidget, public CDocView {
    Q_OBJECT
public:
    explicit CFormParams(CVarnelDoc& doc, QWidget* parent = nullptr);
    ~CFormParams() override;

    void onDocumentUpdate(CDocView* sender, UpdateHint hint) override;

    CHSpin& offsetSpin(int trace) { return *offsetSpins[trace]; }
    QRadioButton& baseButton(int trace) { return *baseButtons[trace]; }
    CHSpin& speedSpin() { return *speed; }
    CHSpin& gainSpin() { return *gain; }
    QComboBox& averageList() { return *average; }
    QLabel& speedLabel() { return *labels[5]; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void applySpeedMode();
    void refresh();
    void showBase(int trace);
    void placeControls();

    CVarnelDoc& doc;
    CHSpin* offsetSpins[kTraceCount] = {};
    QRadioButton* baseButtons[kTraceCount] = {};
    QButtonGroup* baseGroup = nullptr;
    CHSpin* speed = nullptr;
    CHSpin* gain = nullptr;
    QComboBox* average = nullptr;
    QLabel* labels[8] = {};
};
