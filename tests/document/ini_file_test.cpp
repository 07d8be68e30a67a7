#include "document/ini_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

TEST(IniFile, ReadsWithProfileSemantics)
{
    TempDir dir;
    const std::string path = dir.file("a.ini");
    writeText(path, "; comment\r\n[Other]\r\nKEY=other\r\n  [ varnel ]  \r\n  Scale =  4 \r\nname= two words \r\n"
                    "Empty=\r\nNum=-17abc\r\nBig=99999999999\r\nscale=9\r\n[VARNEL]\r\nLATE=1\r\n");
    CIniFile ini(path);
    ASSERT_TRUE(ini.load());
    EXPECT_EQ(ini.getInt("VARNEL", "SCALE", 0), 4);        // case-insensitive, first of duplicates
    EXPECT_EQ(ini.getString("VARNEL", "NAME", "x"), "two words");
    EXPECT_EQ(ini.getString("VARNEL", "missing", "dflt"), "dflt");
    EXPECT_EQ(ini.getInt("VARNEL", "missing", 1500), 1500);
    EXPECT_EQ(ini.getInt("VARNEL", "Empty", 1500), 0);     // present but empty reads as 0
    EXPECT_EQ(ini.getInt("VARNEL", "Num", 0), -17);
    EXPECT_EQ(ini.getInt("VARNEL", "Big", 0), 2147483647);
    EXPECT_FALSE(ini.has("VARNEL", "LATE"));               // only the first section of a name counts
    EXPECT_EQ(ini.getString("other", "key", ""), "other");
}

TEST(IniFile, LongStringsAreCutAt259Characters)
{
    TempDir dir;
    const std::string path = dir.file("a.ini");
    std::string cyrillic;
    for (int i = 0; i < 300; ++i)
        cyrillic += "Ж";
    writeText(path, "[S]\nK=" + cyrillic + "\n");
    CIniFile ini(path);
    ini.load();
    const std::string value = ini.getString("S", "K", "");
    EXPECT_EQ(value.size(), 259u * 2);
    EXPECT_EQ(ini.getString("S", "none", cyrillic).size(), 259u * 2);
}

TEST(IniFile, WritesInPlaceAndKeepsEverythingElse)
{
    TempDir dir;
    const std::string path = dir.file("a.ini");
    writeText(path, "; keep me\r\n[VARNEL]\r\nSCALE=1\r\n\r\n; tail\r\nPULSE=2\r\n\r\n[B]\r\nX=1\r\n");
    CIniFile ini(path);
    ini.load();
    ini.setInt("varnel", "scale", 5);
    ini.setString("VARNEL", "NEW", "v");
    ini.setString("C", "Y", "2");
    ASSERT_TRUE(ini.save());
    EXPECT_EQ(readText(path), "; keep me\r\n[VARNEL]\r\nscale=5\r\n\r\n; tail\r\nPULSE=2\r\nNEW=v\r\n\r\n[B]\r\nX=1\r\n"
                              "\r\n[C]\r\nY=2\r\n");
}

TEST(IniFile, MissingFileReadsEmptyAndIsCreatedOnWrite)
{
    TempDir dir;
    const std::string path = dir.file("new.ini");
    EXPECT_EQ(readProfileInt(path, "VARNEL", "SCALE", 3), 3);
    ASSERT_TRUE(writeProfileString(path, "VARNEL", "SCALE", "7"));
    EXPECT_EQ(readText(path), "[VARNEL]\nSCALE=7\n");
    EXPECT_EQ(readProfileInt(path, "varnel", "scale", 3), 7);
}

TEST(IniFile, FailedWriteKeepsTheOldFile)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root ignores folder permissions";
    TempDir dir;
    const std::string path = dir.file("a.ini");
    writeText(path, "[VARNEL]\nSCALE=1\n");
    chmod(dir.path().c_str(), 0500);
    const Status s = writeProfileString(path, "VARNEL", "SCALE", "2");
    chmod(dir.path().c_str(), 0700);
    EXPECT_FALSE(s.ok());
    EXPECT_NE(s.reason().find(path), std::string::npos);
    EXPECT_EQ(readText(path), "[VARNEL]\nSCALE=1\n");
}

TEST(IniFile, FullDiskKeepsTheOldFile)
{
    TempDir dir;
    const std::string path = dir.file("a.ini");
    writeText(path, "[VARNEL]\nSCALE=1\n");
    // A file-size limit makes every write beyond it fail as a full disk does, even for root.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit tiny = old;
    tiny.rlim_cur = 16;
    setrlimit(RLIMIT_FSIZE, &tiny);
    const Status s = writeProfileString(path, "VARNEL", "NAME", std::string(100, 'x'));
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_FALSE(s.ok());
    EXPECT_EQ(readText(path), "[VARNEL]\nSCALE=1\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);   // no temporary left
}

TEST(IniFile, FailedWriteToAMissingFolderIsReported)
{
    TempDir dir;
    const Status s = writeProfileString(dir.file("no/such/dir.ini"), "A", "B", "C");
    EXPECT_FALSE(s.ok());
    EXPECT_FALSE(s.reason().empty());
}

TEST(IniFile, Windows1251FilesRoundTripNames)
{
    TempDir dir;
    const std::string path = dir.file("a.pie");
    writeText(path, "[SITE1]\r\nNAME1=\xCA\xE0\xE1\xE5\xEB\xFC \x98\r\n");   // "Кабель " + 0x98
    CIniFile ini(path, IniEncoding::Windows1251);
    ini.load();
    EXPECT_EQ(ini.getString("SITE1", "NAME1", ""), "Кабель \xC2\x98");
    ini.setString("SITE1", "NAME2", "Ёж €");
    ini.save();
    EXPECT_EQ(readText(path), "[SITE1]\r\nNAME1=\xCA\xE0\xE1\xE5\xEB\xFC \x98\r\nNAME2=\xA8\xE6 \x88\r\n");
}

TEST(LeadingInt, TakesTheLeadingSignedNumber)
{
    struct Case { const char* text; int value; };
    for (const Case c : {Case{"12", 12}, Case{" -5x", -5}, Case{"+7", 7}, Case{"abc", 0}, Case{"", 0},
                         Case{"1.9", 1}, Case{"-99999999999", -2147483647 - 1}})
        EXPECT_EQ(leadingInt(c.text), c.value) << c.text;
}

} // namespace
