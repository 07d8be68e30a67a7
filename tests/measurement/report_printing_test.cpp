#include "document/command_ids.h"
#include "measurement/form_rig.h"
#include "measurement/forms/report_printing.h"
#include "support/temp_dir.h"

#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <QTimer>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

bool isPdf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    char head[5] = {};
    in.read(head, 5);
    return std::string(head, 5) == "%PDF-";
}

void printTo(QPrinter& printer, const std::string& path)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(path));
}

TEST(ReportPrinting, DialogsPauseAcquisitionWhichResumesOnlyIfItWasRunning)
{
    struct Case {
        const char* name;
        int command;
        bool running;
        bool accept;   // the dialog is confirmed: the page goes to the PDF file
    } cases[] = {
        {"print cancelled while running", cmd::kPrint, true, false},
        {"print cancelled while stopped", cmd::kPrint, false, false},
        {"printed while running", cmd::kPrint, true, true},
        {"preview printed while stopped", cmd::kPrintPreview, false, true},
        {"preview closed while running", cmd::kPrintPreview, true, false},
        {"PDF cancelled while running", cmd::kSaveReportPdf, true, false},
        {"PDF written while stopped", cmd::kSaveReportPdf, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string pdf = dir.file("report.pdf");
        FormRig rig;
        if (c.running)
            rig.controller.start();
        ASSERT_EQ(rig.controller.watchdogTimerId() != 0, c.running);
        rig.doc.capture = true;

        bool pausedInDialog = false;
        auto inDialog = [&] { pausedInDialog = rig.controller.watchdogTimerId() == 0 && !rig.doc.capture; };
        CReportPrinting& printing = rig.form->printing();
        printing.choosePrinter = [&](QPrinter& p) {
            inDialog();
            printTo(p, pdf);
            return c.accept;
        };
        printing.showPreview = [&](QPrinter& p, const std::function<void(QPrinter*)>& paint) {
            inDialog();
            if (c.accept) {
                printTo(p, pdf);
                paint(&p);
            }
        };
        printing.choosePdfPath = [&](const QString&) {
            inDialog();
            return c.accept ? QString::fromStdString(pdf) : QString();
        };
        EXPECT_TRUE(rig.commands.run(c.command));
        EXPECT_TRUE(pausedInDialog);
        EXPECT_EQ(rig.controller.watchdogTimerId() != 0, c.running);
        EXPECT_EQ(rig.doc.acqState == AcqState::Running, c.running);
        EXPECT_EQ(std::filesystem::exists(pdf), c.accept);
        EXPECT_EQ(isPdf(pdf), c.accept);
    }
}

TEST(ReportPrinting, ThePrintDialogOffersAFileAndAFailedPdfIsReported)
{
    FormRig rig;
    CReportPrinting& printing = rig.form->printing();
    bool toFile = false, pageRange = true;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        toFile = dialog->testOption(QAbstractPrintDialog::PrintToFile);
        pageRange = dialog->testOption(QAbstractPrintDialog::PrintPageRange);
        dialog->reject();
    });
    printing.print();
    EXPECT_TRUE(toFile);
    EXPECT_FALSE(pageRange);

    TempDir dir;
    const std::string missing = dir.file("no-such-folder/report.pdf");
    QString message;
    printing.choosePdfPath = [&](const QString&) { return QString::fromStdString(missing); };
    printing.reportFailure = [&](const QString& m) { message = m; };
    printing.savePdf();
    EXPECT_TRUE(message.startsWith(QStringLiteral("Отчет не сохранен.\n") + QString::fromStdString(missing)));
    EXPECT_FALSE(std::filesystem::exists(missing));
}

} // namespace
