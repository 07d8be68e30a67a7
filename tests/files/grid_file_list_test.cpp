#include "files/grid_file_list.h"
#include "files/section_edit.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <utime.h>

namespace {

void touch(const std::string& path, std::time_t when)
{
    utimbuf times{when, when};
    ASSERT_EQ(utime(path.c_str(), &times), 0);
}

TEST(GridFileList, ListsTheSectionFilesOfAFolder)
{
    TempDir dir;
    const std::time_t when = 1700000000;
    const LocalTime t = toLocalTime(when);
    ASSERT_TRUE(createSectionFile(dir.file("b.pie"), 1000));
    writeText(dir.file("a.pie"), "[PIECE]\r\nAMOUNT=2\r\n");
    writeText(dir.file("bad.pie"), "[PIECE]\r\nAMOUNT=1\r\nSCALE=4\r\n[SITE1]\r\nLENGTH1=-5000\r\n");
    writeText(dir.file("c.txt"), "");
    writeText(dir.file("UPPER.PIE"), "");
    writeText(dir.file(".pie"), "");
    std::filesystem::create_directory(dir.file("folder.pie"));
    touch(dir.file("a.pie"), when);
    touch(dir.file("b.pie"), when);
    touch(dir.file("bad.pie"), when);

    std::vector<GridFileEntry> entries;
    ASSERT_TRUE(listSectionFiles(dir.path().string() + "/", entries));
    ASSERT_EQ(entries.size(), 3u);
    auto two = [](int v) { return (v < 10 ? "0" : "") + std::to_string(v); };
    const std::string date = two(t.day) + "." + two(t.month) + "." + std::to_string(t.year);
    const std::string time = two(t.hour) + ":" + two(t.minute) + ":" + two(t.second);
    using Cells = std::array<std::string, 6>;
    EXPECT_EQ(gridFileCells(entries[0]), (Cells{" ", "a", "2", "62.5", date, time}));
    EXPECT_EQ(gridFileCells(entries[1]), (Cells{" ", "b", "0", "1000.0", date, time}));
    // A hand-edited file that cannot be a grid: "?" and why, like an unreadable reflectogram.
    EXPECT_EQ(gridFileCells(entries[2]), (Cells{" ", "bad", "?", "?", date, time}));
    EXPECT_EQ(entries[2].problem, "LENGTH1=-5000: длина участка не может быть отрицательной");
    EXPECT_TRUE(entries[0].problem.empty());

    EXPECT_FALSE(listSectionFiles(dir.file("no-such-folder"), entries).ok());
    EXPECT_TRUE(entries.empty());
}

TEST(GridFileList, ScaleTextsOutsideTheTableAreClamped)
{
    struct Case { const char* text; double range; };
    for (const Case c : {Case{"4", 1000}, Case{"4.9", 1000}, Case{"10", 64000}, Case{"11", 64000},
                         Case{"99999999999", 64000}, Case{"-3", 62.5}, Case{"abc", 62.5}, Case{"", 62.5}})
        EXPECT_EQ(rangeOfScaleText(c.text), c.range) << c.text;
}

} // namespace
