#pragma once

#include "document/status.h"
#include "measurement/analysis/baseline_compare.h"

#include <QDialog>

class CReportCtrl;
class CVarnelDoc;
class QComboBox;
class QLabel;

// "Сравнить с эталоном": what changed on a line since its baseline, a reflectogram kept in a memory
// when the line was healthy. The line (a live line or another memory) is aligned with the baseline
// and the changes of the difference are listed as the event list lists events (№, distance, kind,
// amplitude); a double click (or Enter) puts the active cursor on one. Comparing turns on the
// difference mode against the baseline's memory, so the screen shows what the list lists.
class CCompareDlg : public QDialog {
    Q_OBJECT
public:
    explicit CCompareDlg(CVarnelDoc& doc, QWidget* parent = nullptr);

    // Compares the chosen line with the chosen baseline; on success lists the changes and turns on the
    // difference mode, else shows the reason.
    Status compare();
    const BaselineComparison& comparison() const { return found; }
    CReportCtrl& list() { return *changes; }
    QComboBox& lineChoice() { return *line; }
    QComboBox& baselineChoice() { return *baseline; }
    void placeCursorOn(int row);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fillChoices();
    Status compareChosen(BaselineComparison& result) const;

    CVarnelDoc& doc;
    BaselineComparison found;
    QComboBox* line;
    QComboBox* baseline;
    CReportCtrl* changes;
    QLabel* summary;
};
