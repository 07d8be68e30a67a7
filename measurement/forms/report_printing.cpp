#include "measurement/forms/report_printing.h"

#include "display/widgets/screen_wnd.h"
#include "document/varnel_doc.h"
#include "measurement/acquisition_controller.h"
#include "measurement/analysis/event_finder.h"
#include "measurement/analysis/forms/trace_choice.h"
#include "measurement/channel_table.h"
#include "measurement/report/report_page.h"
#include "measurement/report/report_pdf.h"
#include "resources/i18n/ui_translation.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <algorithm>

namespace {

// Acquisition held for as long as a print step is open: no command is outstanding and no watchdog runs,
// so no reconnect question appears behind the dialog; at the end it resumes only if it was running.
class CAcquisitionPause {
public:
    CAcquisitionPause(CAcquisitionController& controller, const CVarnelDoc& doc) : controller(controller), doc(doc)
    {
        controller.cancelCommands();
    }
    ~CAcquisitionPause()
    {
        if (doc.acqState == AcqState::Running)
            controller.applyParameters();
    }
    CAcquisitionPause(const CAcquisitionPause&) = delete;
    CAcquisitionPause& operator=(const CAcquisitionPause&) = delete;

private:
    CAcquisitionController& controller;
    const CVarnelDoc& doc;
};

} // namespace

CReportPrinting::CReportPrinting(CVarnelDoc& document, CAcquisitionController& acquisition, CScreenWnd& mainScreen,
                                 QWidget* owner)
    : QObject(owner), doc(document), controller(acquisition), screen(mainScreen), window(owner)
{
    choosePrinter = [this](QPrinter& p) { return runPrintDialog(p); };
    showPreview = [this](QPrinter& p, const std::function<void(QPrinter*)>& paint) { runPreviewDialog(p, paint); };
    choosePdfPath = [this](const QString& dir) { return askPdfPath(dir); };
    reportFailure = [this](const QString& message) { showFailure(message); };
}

CReportPrinting::~CReportPrinting() = default;

QPrinter& CReportPrinting::printer()
{
    if (!printerPtr) {
        printerPtr = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printerPtr->setDocName(tr("Рефлектометр импульсный VARNEL"));
        printerPtr->setFromTo(1, 1);
    }
    return *printerPtr;
}

QString CReportPrinting::printDialogTitle() { return tr("Печать"); }

QString CReportPrinting::previewTitle() { return tr("Предварительный просмотр печати"); }

bool CReportPrinting::printPage(QPrinter& target) const
{
    QPainter painter;
    if (!painter.begin(&target))
        return false;
    screen.state().captureMode = doc.capture;
    const std::vector<EventRow> events = printEvents ? eventTable() : std::vector<EventRow>{};
    CReportPage(ReportPageDevice::of(target))
        .draw(painter, doc, buildChannelTable(doc), screen.state(), printEvents ? &events : nullptr);
    return painter.end();
}

void CReportPrinting::print()
{
    doc.capture = false;
    CAcquisitionPause pause(controller, doc);
    if (!choosePrinter(printer()))
        return;
    if (!printPage(printer()))
        reportFailure(tr("Не удалось начать печать на принтере \"%1\".").arg(printer().printerName()));
}

void CReportPrinting::preview()
{
    doc.capture = false;
    CAcquisitionPause pause(controller, doc);
    showPreview(printer(), [this](QPrinter* target) { printPage(*target); });
}

void CReportPrinting::savePdf()
{
    doc.capture = false;
    CAcquisitionPause pause(controller, doc);
    const QFileInfo save(QString::fromStdString(controller.savePath()));
    const QString path = choosePdfPath(save.isDir() ? save.absoluteFilePath() : save.absolutePath());
    if (path.isEmpty())
        return;
    screen.state().captureMode = doc.capture;
    const std::vector<EventRow> events = printEvents ? eventTable() : std::vector<EventRow>{};
    if (const Status s = writeReportPdf(path.toStdString(), doc, buildChannelTable(doc), screen.state(),
                                        printEvents ? &events : nullptr);
        !s) {
        QString why = userText(s);
        if (why.startsWith(path + QStringLiteral(": ")))
            why = why.mid(path.size() + 2);
        reportFailure(tr("Отчет не сохранен.\n%1\n%2").arg(path, why));
    }
}

std::vector<EventRow> CReportPrinting::eventTable() const
{
    const std::vector<int> shown = shownTraces(doc);
    if (shown.empty())
        return {};
    const int listed = doc.eventMarks.trace;
    const int trace = std::find(shown.begin(), shown.end(), listed) != shown.end() ? listed : shown.front();
    const TraceSamples source = traceSamples(doc, trace);
    return eventRows(CEventFinder().find(source.samples, source.grid, documentDistances(doc)));
}

bool CReportPrinting::runPrintDialog(QPrinter& target)
{
    // One page, no selection or page range; printing to a PDF file is offered, so a machine without a
    // configured printer can still produce the report.
    QPrintDialog dialog(&target, window);
    dialog.setWindowTitle(printDialogTitle());
    dialog.setMinMax(1, 1);   // turns the page range on; the options below turn it off again
    dialog.setFromTo(1, 1);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintCollateCopies |
                      QAbstractPrintDialog::PrintShowPageSize);
    return dialog.exec() == QDialog::Accepted;
}

void CReportPrinting::runPreviewDialog(QPrinter& target, const std::function<void(QPrinter*)>& paint)
{
    QPrintPreviewDialog dialog(&target, window);
    dialog.setWindowTitle(previewTitle());
    dialog.setAccessibleName(previewTitle());
    connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&paint](QPrinter* p) { paint(p); });
    dialog.exec();
}

QString CReportPrinting::askPdfPath(const QString& startDir)
{
    QFileDialog dialog(window, tr("Сохранить отчет в PDF"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(tr("Документ PDF (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.setDirectory(startDir.isEmpty() ? QDir::homePath() : startDir);
    dialog.selectFile(tr("Отчет.pdf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

void CReportPrinting::showFailure(const QString& message)
{
    QMessageBox::critical(window, tr("Ошибка"), message);
}
