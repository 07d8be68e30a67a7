#pragma once

#include "document/doc_view.h"
#include "measurement/analysis/event_finder.h"
#include "widgets/report_colors.h"

#include <QDialog>
#include <QElapsedTimer>

class CReportCtrl;
class CVarnelDoc;
class QComboBox;
class QLabel;

// "События": the reflections of a shown live line or memory, found automatically, in a list (№,
// distance, type, amplitude, return loss, and "Повтор" ×k for a re-reflection come back at k times the
// distance of a stronger event, its row dimmed: listed, but not a fault of the line). A double click (or Enter) puts the active cursor on the
// start of the event. While the list is open its events are marked on the main screen, through the
// document's event marks; a click on a mark selects its row. The list follows the trace: a live line is searched again as new reflectograms
// arrive (at most once a second), a memory when it is loaded or the distances change.
class CEventsDlg : public QDialog, public CDocView, public CReportColors {
    Q_OBJECT
public:
    CEventsDlg(CVarnelDoc& doc, QWidget* parent = nullptr);
    ~CEventsDlg() override;

    void onDocumentUpdate(CDocView* sender, UpdateHint hint) override;
    // Re-reflections' rows in the disabled text colour.
    ReportCellColors cellColors(int row, int column) const override;
    // Searches the chosen trace again and refills the list.
    void refresh();
    const EventReport& report() const { return found; }
    CReportCtrl& list() { return *events; }
    // Puts the active cursor on the start of event `row`.
    void placeCursorOn(int row);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void fillTraceChoice();
    int chosenTrace() const;
    // Puts the found events into the document for the main screen to mark, and tells the views.
    void publishMarks(int trace);

    CVarnelDoc& doc;
    CEventFinder finder;
    EventReport found;
    QComboBox* traceChoice;
    CReportCtrl* events;
    QLabel* summary;
    QElapsedTimer sinceRefresh;
};
