#include "app/command_actions.h"
#include "app/main_frame.h"
#include "document/command_ids.h"
#include "document/command_table.h"
#include "document/doc_commands.h"
#include "document/ini_file.h"
#include "document/settings.h"
#include "document/varnel_doc.h"
#include "support/temp_dir.h"

#include <QAction>
#include <QMenuBar>
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
        p.frame.twoScreen = true;
    }
    EXPECT_EQ(readProfileInt(ini, "VARNEL", "TWOSCREEN", 0), 1);
    Program again(ini);
    EXPECT_EQ(again.doc.scale, 4000);
    EXPECT_EQ(again.doc.pulse, 50);
    EXPECT_TRUE(again.frame.twoScreen);
    EXPECT_TRUE(again.frame.commandActions().action(cmd::kRangeFirst + 6)->isChecked());
}

} // namespace
