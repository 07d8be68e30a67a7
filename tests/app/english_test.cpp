#include "app/main_frame.h"
#include "app/ui_language_choice.h"
#include "document/command_ids.h"
#include "document/command_table.h"
#include "document/doc_commands.h"
#include "document/settings.h"
#include "document/varnel_doc.h"
#include "display/main_screen_series.h"
#include "display/screen_state.h"
#include "measurement/channel_table.h"
#include "measurement/reflectogram_report.h"
#include "measurement/report/report_pdf.h"
#include "panels/forms/form_ku.h"
#include "resources/i18n/ui_translation.h"
#include "support/pdf_text.h"
#include "support/scripted_panel_host.h"
#include "support/temp_dir.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

// The English translation for one test; the other tests of the process see the Russian source texts.
struct English {
    English() { installUiTranslations(*qApp, UiLanguage::English); }
    ~English() { removeUiTranslations(); }
};

QStringList texts(const QList<QAction*>& actions)
{
    QStringList out;
    for (const QAction* a : actions)
        if (!a->isSeparator())
            out << a->text();
    return out;
}

TEST(English, MenusToolbarsAndPromptsOfTheWindow)
{
    English english;
    TempDir dir;
    CSettings settings(dir.file("param.ini"));
    CVarnelDoc doc(settings);
    CCommandTable table;
    registerDocumentCommands(table, doc);
    CMainFrame frame(doc, table, settings);
    frame.createBars();

    EXPECT_EQ(frame.windowTitle(), QStringLiteral("VARNEL pulse reflectometer"));
    const QList<QAction*> menus = frame.menuBar()->actions();
    EXPECT_EQ(texts(menus), QStringList({"&Measurement", "&Range", "&Pulse", "M&ouse", "Mo&des", "&View", "&Help"}));
    EXPECT_EQ(texts(menus.last()->menu()->actions()),
              QStringList({"Program description...", "Program website", "Write to us", "Язык / Language", "About..."}));

    QAction* km1 = frame.toolBar(148)->actions().at(4);
    EXPECT_EQ(km1->text(), QStringLiteral("1 km"));
    EXPECT_EQ(km1->toolTip(), QStringLiteral("Sets the distance range to 1 km"));
    EXPECT_EQ(frame.toolBar(150)->actions().at(6)->text(), QStringLiteral("1 µs"));
    EXPECT_EQ(frame.toolBar(150)->accessibleName(), QStringLiteral("Pulse"));
}

TEST(English, PanelMessageBox)
{
    English english;
    TempDir dir;
    CSettings settings;
    CVarnelDoc doc(settings);
    CCommandTable commands;
    CScriptedPanelHost host;
    CFormKU panel(doc, commands, settings, host, dir.path().string() + "/");
    panel.deleteSelected();
    ASSERT_EQ(host.told.size(), 1u);
    EXPECT_EQ(host.told[0].text, QStringLiteral("Choose the value you need in the list"));
}

TEST(English, ReportReadoutsTitlesAndUnits)
{
    English english;
    CVarnelDoc doc;
    Trace file;
    file.memScale = 1000;
    ReflectogramReportOptions options;
    options.cursor1 = 250;
    options.cursor2 = 750;
    ASSERT_TRUE(showReflectogramForReport(doc, file, "line", options));
    CScreenState screen;
    main_screen::configure(screen, doc);
    main_screen::rebuild(screen, doc);
    TempDir dir;
    const std::string path = dir.file("report.pdf");
    ASSERT_TRUE(writeReportPdf(path, doc, buildChannelTable(doc), screen));
    const std::string text = pdfText(path);
    if (text.empty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    for (const char* expected : {"VARNEL pulse reflectometer", "Website: https://varnel.example.org", "Channel",
                                 "Averaging", "Resolution", "Window start", " m ", "M1"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << " in " << text;
    for (const char* russian : {"Разрешение", "Название канала", "П1", " м "})
        EXPECT_EQ(text.find(russian), std::string::npos) << russian << " in " << text;
}

TEST(English, HelpPageAndStoredChoiceOfTheLanguage)
{
    TempDir dir;
    const QString russian = QString::fromStdString(dir.file("help/index.html"));
    const QString english = QString::fromStdString(dir.file("help/index.en.html"));
    QDir().mkpath(QString::fromStdString(dir.file("help")));
    QFile(russian).open(QIODevice::WriteOnly);
    struct Case {
        bool englishPage;
        UiLanguage language;
        QString expected;
    };
    const Case cases[] = {
        {false, UiLanguage::Russian, russian},
        {false, UiLanguage::English, russian},   // no English page yet: the Russian one rather than none
        {true, UiLanguage::English, english},
        {true, UiLanguage::Russian, russian},
    };
    for (const Case& c : cases) {
        if (c.englishPage)
            QFile(english).open(QIODevice::WriteOnly);
        EXPECT_EQ(helpFileFor(russian, c.language), c.expected) << c.englishPage;
    }

    // The choice goes into param.ini under a key of its own, next to keys it does not know.
    const std::string ini = dir.file("param.ini");
    {
        auto settings = CSettings::fromBytes("[VARNEL]\nFUTURE=1\nLANGUAGE=de\n");
        EXPECT_FALSE(storedUiLanguage(*settings).has_value());
    }
    {
        CSettings settings(ini);
        EXPECT_FALSE(storedUiLanguage(settings).has_value());
        storeUiLanguage(settings, UiLanguage::English);
        ASSERT_TRUE(settings.save());
    }
    CSettings again(ini);
    EXPECT_EQ(storedUiLanguage(again), UiLanguage::English);
}

} // namespace
