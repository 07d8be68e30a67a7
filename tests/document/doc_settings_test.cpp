#include "document/app_paths.h"
#include "document/ini_file.h"
#include "document/settings.h"
#include "document/varnel_doc.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

TEST(DocSettings, FirstStartWithoutAFileGivesTheDefaults)
{
    TempDir dir;
    CSettings settings(dir.file("param.ini"));
    CVarnelDoc doc(settings);
    EXPECT_EQ(doc.scale, 62.5);
    EXPECT_EQ(doc.pulse, 10);
    EXPECT_EQ(doc.vfactor, 1.5);
    EXPECT_TRUE(doc.approximation);
    EXPECT_EQ(doc.cursor1, 0);
    EXPECT_EQ(doc.cursor2, 0);
    EXPECT_EQ(doc.mouseMode, MouseMode::Magnifier);
    for (const Trace& t : doc.traces)
        EXPECT_EQ(t.yOffset, 0);
}

TEST(DocSettings, WritesEveryKeyInOrderWithTruncation)
{
    TempDir dir;
    const std::string path = dir.file("param.ini");
    {
        CSettings settings(path);
        {
            CVarnelDoc doc(settings);
            doc.selectRange(10);
            doc.selectPulse(11);
            doc.mouseMode = MouseMode::OffsetL1;
            doc.vfactor = 1.52;
            doc.gain = 40;
            doc.average = 5;
            doc.cursor1 = 123.4567;
            doc.cursor2 = 2.01;
            doc.traces[L1].yOffset = -15;
            doc.traces[P3].yOffset = 200;
            doc.approximation = false;
            doc.speedMode = true;
            EXPECT_FALSE(std::filesystem::exists(path));   // nothing is written while the program runs
        }
        ASSERT_TRUE(settings.save());
    }
    EXPECT_EQ(readText(path), "[VARNEL]\nSCALE=10\nPULSE=11\nMOUSE=3\nVFACTOR=1520\nGAIN=40\nAVERAGE=5\n"
                              "CURSOR1=123456\nCURSOR2=2009\nY_L1=-15\nY_L2=0\nY_P1=0\nY_P2=0\nY_P3=200\n"
                              "APPOXIMATION=0\nSPEED=1\nRL=0\n");
    CSettings reread(path);
    CVarnelDoc again(reread);
    EXPECT_EQ(again.scale, 64000);
    EXPECT_EQ(again.pulse, 50000);
    EXPECT_DOUBLE_EQ(again.vfactor, 1.52);
    EXPECT_DOUBLE_EQ(again.cursor1, 123.456);
    EXPECT_EQ(again.traces[L1].yOffset, -15);
    EXPECT_FALSE(again.approximation);
    EXPECT_TRUE(again.speedMode);
    EXPECT_FALSE(again.returnLoss);
}

TEST(DocSettings, KeepsTheKeysOfOthers)
{
    TempDir dir;
    const std::string path = dir.file("param.ini");
    writeText(path, "[VARNEL]\nOPEN=/data/\nSCALE=2\nTWOSCREEN=1\n");
    {
        CSettings settings(path);
        { CVarnelDoc doc(settings); }
        ASSERT_TRUE(settings.save());
    }
    CIniFile ini(path);
    ini.load();
    EXPECT_EQ(ini.getString("VARNEL", "OPEN", ""), "/data/");
    EXPECT_EQ(ini.getInt("VARNEL", "TWOSCREEN", 0), 1);
    EXPECT_EQ(ini.getInt("VARNEL", "SCALE", 0), 2);
}

TEST(DocSettings, BadValuesAreBroughtIntoRange)
{
    struct Case { const char* content; double CVarnelDoc::*field; double expected; };
    const Case doubles[] = {
        {"SCALE=-3", &CVarnelDoc::scale, 62.5},
        {"SCALE=40", &CVarnelDoc::scale, 64000},
        {"PULSE=12", &CVarnelDoc::pulse, 50000},
        {"PULSE=-1", &CVarnelDoc::pulse, 10},
        {"VFACTOR=0", &CVarnelDoc::vfactor, 1.5},
        {"VFACTOR=", &CVarnelDoc::vfactor, 1.5},
        {"VFACTOR=999", &CVarnelDoc::vfactor, 1.5},
        {"VFACTOR=3001", &CVarnelDoc::vfactor, 1.5},
        {"VFACTOR=-1500", &CVarnelDoc::vfactor, 1.5},
        {"VFACTOR=3000", &CVarnelDoc::vfactor, 3.0},
        {"VFACTOR=1000", &CVarnelDoc::vfactor, 1.0},
        {"SCALE=4\nCURSOR1=5000000", &CVarnelDoc::cursor1, 1000},
        {"CURSOR2=-5", &CVarnelDoc::cursor2, 62.5},   // read unsigned: huge, then clamped
    };
    TempDir dir;
    for (const Case& c : doubles) {
        writeText(dir.file("p.ini"), std::string("[VARNEL]\n") + c.content + "\n");
        CSettings settings(dir.file("p.ini"));
        CVarnelDoc doc(settings);
        EXPECT_DOUBLE_EQ(doc.*c.field, c.expected) << c.content;
    }
    writeText(dir.file("p.ini"), "[VARNEL]\nMOUSE=9\nAVERAGE=-2\nGAIN=300\nY_L2=-900\nY_P1=201\nRL=7\n");
    CSettings settings(dir.file("p.ini"));
    CVarnelDoc doc(settings);
    EXPECT_EQ(doc.mouseMode, MouseMode::OffsetP3);
    EXPECT_EQ(doc.average, 0);
    EXPECT_EQ(doc.gain, 255);
    EXPECT_EQ(doc.traces[L2].yOffset, -200);
    EXPECT_EQ(doc.traces[P1].yOffset, 200);
    EXPECT_TRUE(doc.returnLoss);
}

TEST(DocSettings, StoreInMemoryOrOfAnUnreadableFileWritesNothing)
{
    TempDir dir;
    {
        CSettings memory;
        { CVarnelDoc doc(memory); doc.selectRange(3); }
        EXPECT_EQ(memory.getInt("SCALE", 0), 3);
        EXPECT_TRUE(memory.save());
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));

    std::filesystem::create_directory(dir.path() / "param.ini");   // exists, cannot be read as a file
    CSettings unreadable(dir.file("param.ini"));
    EXPECT_FALSE(unreadable.readable());
    unreadable.setInt("SCALE", 4);
    EXPECT_FALSE(unreadable.save());
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "param.ini"));
}

TEST(AppPaths, BesideTheProgramOrPerUserWhenNotWritable)
{
    TempDir dir;
    const AppPaths here = appPathsFor(dir.path().string());
    EXPECT_EQ(here.settingsFile, dir.file("param.ini"));
    EXPECT_EQ(here.saveDir, dir.file("Save") + "/");
    EXPECT_EQ(here.helpFile, dir.file("help/index.html"));
    // Installed, the help lies with the shared data when it is not beside the program.
    std::filesystem::create_directories(dir.path() / "bin");
    std::filesystem::create_directories(dir.path() / "share/varnel/help");
    writeText(dir.file("share/varnel/help/index.html"), "<html></html>");
    EXPECT_EQ(appPathsFor(dir.file("bin")).helpFile, dir.file("bin") + "/../share/varnel/help/index.html");

    if (geteuid() != 0) {
        chmod(dir.path().c_str(), 0500);
        setenv("XDG_CONFIG_HOME", "/cfg", 1);
        setenv("XDG_DATA_HOME", "/data", 1);
        const AppPaths installed = appPathsFor(dir.path().string());
        chmod(dir.path().c_str(), 0700);
        EXPECT_EQ(installed.settingsFile, "/cfg/varnel/param.ini");
        EXPECT_EQ(installed.saveDir, "/data/varnel/Save/");
    }
    EXPECT_TRUE(ensureDirectory(dir.file("a/b/c")));
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("a/b/c")));

    // Installed under a prefix (bin/ beside share/applications/ with the desktop entry): the user's
    // folders, even for root, who could write to the program's folder.
    ASSERT_TRUE(ensureDirectory(dir.file("usr/bin")) && ensureDirectory(dir.file("usr/share/applications")));
    writeText(dir.file("usr/share/applications/") + kDesktopEntryId + ".desktop", "[Desktop Entry]\n");
    setenv("XDG_CONFIG_HOME", "/cfg", 1);
    setenv("XDG_DATA_HOME", "/data", 1);
    const AppPaths system = appPathsFor(dir.file("usr/bin"));
    EXPECT_EQ(system.settingsFile, "/cfg/varnel/param.ini");
    EXPECT_EQ(system.saveDir, "/data/varnel/Save/");
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("XDG_DATA_HOME");
}

} // namespace
