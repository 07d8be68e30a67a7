#include "app/about_dlg.h"
#include "app/command_actions.h"
#include "app/main_frame.h"
#include "document/command_ids.h"
#include "document/command_table.h"
#include "document/doc_commands.h"
#include "document/ini_file.h"
#include "document/settings.h"
#include "document/varnel_doc.h"
#include "resources/version.h"
#include "support/temp_dir.h"

#include <QAction>
#include <QApplication>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

// The document and the frame on a settings store; the end puts their keys back and writes the file once.
struct Program {
    explicit Program(const std::string& ini)
        : settings(ini), docPtr(std::make_unique<CVarnelDoc>(settings)), doc(*docPtr),
          framePtr(std::make_unique<CMainFrame>(doc, table, settings)), frame(*framePtr)
    {
        registerDocumentCommands(table, doc);
        frame.createBars();
    }
    ~Program()
    {
        framePtr.reset();
        docPtr.reset();
        settings.save();
    }
    CSettings settings;
    CCommandTable table;
    std::unique_ptr<CVarnelDoc> docPtr;
    CVarnelDoc& doc;
    std::unique_ptr<CMainFrame> framePtr;
    CMainFrame& frame;
};

QStringList texts(const QToolBar* bar)
{
    QStringList out;
    for (QAction* a : bar->actions())
        out << a->text();
    return out;
}

TEST(MainFrame, CaptionAndBottomToolbars)
{
    TempDir dir;
    Program p(dir.file("param.ini"));
    EXPECT_EQ(p.frame.windowTitle(), QStringLiteral("Рефлектометр импульсный VARNEL"));
    EXPECT_EQ(texts(p.frame.toolBar(148)),
              QStringList({"62,5 м", "125 м", "250 м", "500 м", "1 км", "2 км", "4 км", "8 км", "16 км", "32 км",
                           "64 км"}));
    EXPECT_EQ(texts(p.frame.toolBar(150)),
              QStringList({"10 нс", "20 нс", "50 нс", "100 нс", "200 нс", "500 нс", "1 мкс", "2 мкс", "5 мкс",
                           "10 мкс", "20 мкс", "50 мкс"}));
    QAction* km1 = p.frame.toolBar(148)->actions().at(4);
    EXPECT_EQ(km1->statusTip(), QStringLiteral("Установка диапазона по дальности равным 1 км"));
    EXPECT_EQ(km1->toolTip(), QStringLiteral("Установка диапазона по дальности равным 1 км"));
    EXPECT_EQ(p.frame.toolBarArea(p.frame.toolBar(148)), Qt::BottomToolBarArea);
}

TEST(MainFrame, MenuAndToolbarShareOneActionPerCommand)
{
    TempDir dir;
    Program p(dir.file("param.ini"));
    QAction* fromBar = p.frame.toolBar(148)->actions().at(4);
    QAction* fromTable = p.frame.commandActions().action(cmd::kRangeFirst + 4);
    EXPECT_EQ(fromBar, fromTable);
    fromBar->trigger();
    EXPECT_EQ(p.doc.scale, 1000);
    EXPECT_EQ(p.doc.pulse, 200);
    EXPECT_TRUE(fromBar->isChecked());
    EXPECT_FALSE(p.frame.toolBar(148)->actions().at(0)->isChecked());
    EXPECT_TRUE(p.frame.commandActions().action(cmd::kPulseIds[4])->isChecked());

    // Triggering a checked mode twice leaves the check mark where the document says.
    QAction* capture = p.frame.commandActions().action(cmd::kCapture);
    capture->trigger();
    EXPECT_TRUE(p.doc.capture);
    EXPECT_TRUE(capture->isChecked());
    p.frame.commandActions().action(cmd::kRangeFirst)->trigger();
    EXPECT_FALSE(p.doc.capture);
    EXPECT_FALSE(capture->isChecked());
}

TEST(MainFrame, EnablingFollowsTheDocument)
{
    TempDir dir;
    Program p(dir.file("param.ini"));
    QAction* line2Offset = p.frame.commandActions().action(cmd::kMouseMagnifier + 4);
    EXPECT_FALSE(line2Offset->isEnabled());
    p.frame.commandActions().action(cmd::kLine2)->trigger();
    EXPECT_TRUE(line2Offset->isEnabled());
    EXPECT_EQ(p.frame.commandActions().action(cmd::kLine2)->statusTip(), QStringLiteral("Включение второго канала"));
}

TEST(MainFrame, RestartKeepsRangePulseAndTwoScreen)
{
    TempDir dir;
    const std::string ini = dir.file("param.ini");
    {
        Program p(ini);
        p.frame.commandActions().action(cmd::kRangeFirst + 6)->trigger();
        p.frame.commandActions().action(cmd::kPulseIds[2])->trigger();
        p.frame.commandActions().action(cmd::kTwoScreen)->trigger();
    }
    EXPECT_EQ(readProfileInt(ini, "VARNEL", "TWOSCREEN", 0), 1);
    Program again(ini);
    EXPECT_EQ(again.doc.scale, 4000);
    EXPECT_EQ(again.doc.pulse, 50);
    EXPECT_TRUE(again.frame.twoScreen());
    EXPECT_TRUE(again.frame.commandActions().action(cmd::kRangeFirst + 6)->isChecked());
}

// A stand-in panel in every pane, and the frame shown with its layout settled.
void showWithPanels(CMainFrame& frame, int width, int height)
{
    for (int i = 0; i < static_cast<int>(Pane::Count); ++i)
        frame.panes().setPanel(static_cast<Pane>(i), new QWidget);
    frame.resize(width, height);
    frame.show();
    QApplication::processEvents();
}

void settle(CMainFrame& frame)
{
    frame.layout()->activate();
    QApplication::processEvents();
}

// A pane's height (or width) in the window; 0 when it is hidden.
int heightOf(CMainFrame& frame, Pane pane)
{
    const QWidget* area = frame.panes().area(pane);
    return area->isVisible() ? area->height() : 0;
}

int widthOf(CMainFrame& frame, Pane pane)
{
    const QWidget* area = frame.panes().area(pane);
    return area->isVisible() ? area->width() : 0;
}

TEST(MainFrame, NormalLayoutAt1024x768WithTheOverviewAsStored)
{
    struct Case {
        const char* ini;
        int overview;
    } cases[] = {{"", 0}, {"TWOSCREEN=1\n", 120}, {"TWOSCREEN=0\n", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ini);
        TempDir dir;
        writeText(dir.file("param.ini"), std::string("[VARNEL]\n") + c.ini);
        Program p(dir.file("param.ini"));
        showWithPanels(p.frame, 1024, 768);
        EXPECT_EQ(heightOf(p.frame, Pane::CursorRow), 24);
        EXPECT_EQ(heightOf(p.frame, Pane::Library), 250);
        EXPECT_EQ(widthOf(p.frame, Pane::ChannelParams), 186);
        EXPECT_EQ(heightOf(p.frame, Pane::ChannelParams), 195);
        EXPECT_EQ(heightOf(p.frame, Pane::Overview), c.overview);
        EXPECT_EQ(widthOf(p.frame, Pane::MeasurementForm), 1024 - 186);
        const int middle = p.frame.centralWidget()->height() - 24 - 250;
        EXPECT_EQ(heightOf(p.frame, Pane::KuTable), middle - 195);
        EXPECT_EQ(heightOf(p.frame, Pane::MeasurementForm), middle - c.overview);
        EXPECT_EQ(p.frame.commandActions().action(cmd::kTwoScreen)->isChecked(), c.overview > 0);
        EXPECT_TRUE(p.frame.commandActions().action(cmd::kMemory)->isChecked());

        // The library's preview doubles its row, but leaves the measurement screen 100 pixels at least.
        p.frame.setLibraryPreview(true);
        const int library = std::min(500, middle + 250 - c.overview - 100);
        EXPECT_EQ(heightOf(p.frame, Pane::Library), library);
        EXPECT_EQ(heightOf(p.frame, Pane::MeasurementForm), middle + 250 - library - c.overview);
        EXPECT_GE(heightOf(p.frame, Pane::MeasurementForm), 100);
    }
}

TEST(MainFrame, A740WideWindowShowsOneAreaAtATime)
{
    TempDir dir;
    Program p(dir.file("param.ini"));
    showWithPanels(p.frame, 1024, 768);
    auto shown = [&] {
        return std::vector<bool>{heightOf(p.frame, Pane::Overview) > 0, widthOf(p.frame, Pane::ChannelParams) > 0,
                                 heightOf(p.frame, Pane::Library) > 0};
    };
    EXPECT_EQ(shown(), (std::vector<bool>{false, true, true}));
    p.frame.resize(740, 700);
    QApplication::processEvents();
    EXPECT_EQ(shown(), (std::vector<bool>{false, false, false}));
    EXPECT_EQ(widthOf(p.frame, Pane::MeasurementForm), 740);
    p.frame.commandActions().action(cmd::kMemory)->trigger();
    EXPECT_EQ(shown(), (std::vector<bool>{false, false, true}));
    EXPECT_TRUE(p.frame.commandActions().action(cmd::kMemory)->isChecked());
    p.frame.commandActions().action(cmd::kChannelSettings)->trigger();
    EXPECT_EQ(shown(), (std::vector<bool>{false, true, false}));
    EXPECT_FALSE(p.frame.commandActions().action(cmd::kMemory)->isChecked());
    EXPECT_TRUE(p.frame.commandActions().action(cmd::kChannelSettings)->isChecked());
}

TEST(MainFrame, ToolbarsInTheirOrderAndThePulseBarBesideTheRangeBarWhenLow)
{
    TempDir dir;
    Program p(dir.file("param.ini"));
    showWithPanels(p.frame, 1024, 768);
    int x = -1;
    for (int id : {180, 142, 144, 169, 182, 173}) {
        QToolBar* bar = p.frame.toolBar(id);
        EXPECT_EQ(p.frame.toolBarArea(bar), Qt::TopToolBarArea) << id;
        EXPECT_EQ(bar->y(), p.frame.toolBar(180)->y()) << id;
        EXPECT_GT(bar->x(), x) << id;
        x = bar->x();
    }
    QToolBar* ranges = p.frame.toolBar(148);
    QToolBar* pulses = p.frame.toolBar(150);
    EXPECT_GT(pulses->y(), ranges->y());
    EXPECT_FALSE(p.frame.bottomBarsSideBySide());

    p.frame.applyClientSize(1024, ranges->height() + pulses->height() + 39);
    settle(p.frame);
    EXPECT_TRUE(p.frame.bottomBarsSideBySide());
    EXPECT_EQ(pulses->y(), ranges->y());
    EXPECT_GT(pulses->x(), ranges->x());
    EXPECT_EQ(p.frame.toolBarArea(pulses), Qt::BottomToolBarArea);

    p.frame.applyClientSize(1024, 700);
    settle(p.frame);
    EXPECT_FALSE(p.frame.bottomBarsSideBySide());
    EXPECT_GT(pulses->y(), ranges->y());
}

TEST(MainFrame, AButtonRunsItsCommandWhicheverPanelRegisteredItAndWhen)
{
    TempDir dir;
    Program p(dir.file("param.ini"));
    QAction* print = nullptr;
    for (QAction* a : p.frame.toolBar(173)->actions())
        if (a->text() == QStringLiteral("Печать..."))
            print = a;
    ASSERT_NE(print, nullptr);
    EXPECT_FALSE(print->isEnabled());   // no panel offers printing yet

    int printed = 0;
    p.table.add(cmd::kPrint, [&] { ++printed; }, [] { return CommandState{true, false}; }, false);
    p.table.stateChanged();
    EXPECT_TRUE(print->isEnabled());
    EXPECT_FALSE(print->isCheckable());
    print->trigger();
    EXPECT_EQ(printed, 1);
}

TEST(MainFrame, AboutBoxAndAMissingHelpFile)
{
    TempDir dir;
    Program p(dir.file("param.ini"));
    QString title, version;
    bool readOnly = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<CAboutDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        auto* field = box->findChild<QLineEdit*>(QStringLiteral("version"));
        version = field->text();
        readOnly = field->isReadOnly();
        box->accept();
    });
    p.frame.commandActions().action(cmd::kAbout)->trigger();
    EXPECT_EQ(title, QStringLiteral("Рефлектометр импульсный VARNEL"));
    EXPECT_EQ(version, QStringLiteral("v. ") + QString::fromLatin1(kVarnelVersion));
    EXPECT_TRUE(readOnly);

    p.frame.setHelpFile(QString::fromStdString(dir.file("help/index.html")));
    p.frame.commandActions().action(cmd::kHelp)->trigger();
    EXPECT_TRUE(p.frame.statusBar()->currentMessage().contains(QStringLiteral("help/index.html")));
}

} // namespace
