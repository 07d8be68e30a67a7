#pragma once

#include "measurement/analysis/event_table.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class CAcquisitionController;
class CScreenWnd;
class CVarnelDoc;
class QPrinter;
class QWidget;

// The measurement form's printed report: "Печать...", "Предварительный просмотр печати" and
// "Сохранить отчет в PDF...". Each first clears the persistence mode. While a print dialog, the preview
// or the save dialog is open, acquisition is paused (its queue and watchdog cleared, so no reconnect
// starts); it resumes afterwards only if it was running. A cancelled dialog prints and writes nothing.
// With `printEvents` on ("Печатать таблицу событий") the page carries the event table of the trace the
// event list shows, else of the first shown trace, found as the list finds them.
class CReportPrinting : public QObject {
    Q_OBJECT
public:
    // The page shows `screen` (the form's main screen) and the document's channel table; dialogs belong
    // to `window`.
    CReportPrinting(CVarnelDoc& doc, CAcquisitionController& acquisition, CScreenWnd& screen, QWidget* window);
    ~CReportPrinting() override;

    void print();
    void preview();
    void savePdf();

    // Draws the one report page on `printer`; false when the printer could not be started.
    bool printPage(QPrinter& printer) const;
    // The printer the dialogs configure; its choices are kept from one print to the next. Made on first
    // use: asking the print system for its printers is left out of the program's start.
    QPrinter& printer();

    // The dialog steps; tests replace them. Choose a printer (false: cancelled); show the preview, which
    // draws its pages with the given function; choose the PDF's path (empty: cancelled); tell the user
    // that the PDF could not be written.
    std::function<bool(QPrinter&)> choosePrinter;
    std::function<void(QPrinter&, const std::function<void(QPrinter*)>&)> showPreview;
    std::function<QString(const QString& startDir)> choosePdfPath;
    std::function<void(const QString& message)> reportFailure;

    // Whether the page carries the event table; kept for the session only.
    bool printEvents = false;

    static QString printDialogTitle();
    static QString previewTitle();

private:
    bool runPrintDialog(QPrinter& target);
    void runPreviewDialog(QPrinter& target, const std::function<void(QPrinter*)>& paint);
    QString askPdfPath(const QString& startDir);
    void showFailure(const QString& message);
    // The event table's rows for the page; empty without a shown trace.
    std::vector<EventRow> eventTable() const;

    CVarnelDoc& doc;
    CAcquisitionController& controller;
    CScreenWnd& screen;
    QWidget* window;
    std::unique_ptr<QPrinter> printerPtr;
};
