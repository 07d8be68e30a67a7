#include "files/table_file.h"

#include "support/temp_dir.h"
#include "document/text_codec.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

std::string utf16(const std::string& utf8) { return codec::utf8ToUtf16le(utf8); }

std::vector<std::pair<std::string, std::string>> pairs(const std::vector<TableEntry>& list)
{
    std::vector<std::pair<std::string, std::string>> out;
    for (const TableEntry& e : list)
        out.emplace_back(e.name, e.value);
    return out;
}

using Pairs = std::vector<std::pair<std::string, std::string>>;

TEST(TableFile, ReadsEntriesOfTwoLines)
{
    struct Case { std::string text; Pairs entries; };
    const Case cases[] = {
        {"Кабель\n1.520\nТПП\n1.5\n", {{"Кабель", "1.520"}, {"ТПП", "1.5"}}},
        {"a\r\n1.5\r\nb\r\n2\r\n", {{"a", "1.5"}, {"b", "2"}}},
        {"a\n1.5\nb\n2", {{"a", "1.5"}, {"b", "2"}}},          // no final line feed
        {"a\n1.5\nb\n", {{"a", "1.5"}, {"b", ""}}},            // odd line count
        {"a\n1.5\nb", {{"a", "1.5"}, {"b", ""}}},
        {"\xEF\xBB\xBF" "a\n1.5\n", {{"a", "1.5"}}},           // a byte-order mark is not part of the name
        {"a\n1.5\n\n", {{"a", "1.5"}, {"", ""}}},
        {"", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(pairs(decodeTable(utf16(c.text))), c.entries) << c.text;
}

TEST(TableFile, ShowsKuOrSpeed)
{
    std::vector<TableEntry> list = decodeTable(utf16("a\n1.52\nb\n1.5 m\nc\nabc\nd\n2.345\n"));
    showTableIn(list, true);
    EXPECT_EQ(pairs(list), (Pairs{{"a", "98.7"}, {"b", "100.0"}, {"c", "inf"}, {"d", "64.0"}}));
    showTableIn(list, false);
    EXPECT_EQ(pairs(list), (Pairs{{"a", "1.52"}, {"b", "1.5 m"}, {"c", "abc"}, {"d", "2.345"}}));
}

TEST(TableFile, LoadsAndSavesInBothModes)
{
    TempDir dir;
    const std::string path = dir.file("t.tku");
    const std::string original = "ТПП\r\n1.5\r\nd\r\n2.345";
    writeText(path, utf16(original));

    // KU mode: an added entry appends its two lines, the rest is rewritten as read, with LF.
    std::vector<TableEntry> list;
    ASSERT_TRUE(loadTable(path, false, list));
    list.push_back({"Кабель", "1.520", std::nullopt});
    ASSERT_TRUE(saveTable(path, false, list));
    EXPECT_EQ(readText(path), utf16("ТПП\n1.5\nd\n2.345\nКабель\n1.520\n"));

    // V/2 mode: a new value is stored as KU "%.3f"; the rows read keep their KU texts.
    ASSERT_TRUE(loadTable(path, true, list));
    EXPECT_EQ(pairs(list), (Pairs{{"ТПП", "100.0"}, {"d", "64.0"}, {"Кабель", "98.7"}}));
    list.erase(list.begin());
    list.push_back({"new", "98.7", std::nullopt});
    list[0].value = "70.0";   // an edited row is converted
    ASSERT_TRUE(saveTable(path, true, list));
    EXPECT_EQ(readText(path), utf16("d\n2.143\nКабель\n1.520\nnew\n1.520\n"));

    // Line breaks never reach the file inside an entry.
    ASSERT_TRUE(saveTable(path, false, {{"two\nlines", "1.5\r", std::nullopt}}));
    EXPECT_EQ(readText(path), utf16("two lines\n1.5 \n"));
}

TEST(TableFile, NothingToReadKeepsTheList)
{
    TempDir dir;
    const std::vector<TableEntry> before = {{"kept", "1.5", "1.5"}};
    std::vector<TableEntry> list = before;
    EXPECT_TRUE(loadTable(dir.file("none.tku"), false, list));
    EXPECT_TRUE(loadTable(dir.path().string() + "/", false, list));   // the default path is the Save folder
    EXPECT_EQ(pairs(list), pairs(before));

    ASSERT_EQ(mkfifo(dir.file("pipe.tku").c_str(), 0600), 0);
    const Status s = loadTable(dir.file("pipe.tku"), false, list);
    EXPECT_FALSE(s.ok());
    EXPECT_NE(s.reason().find("pipe.tku"), std::string::npos);
    EXPECT_EQ(pairs(list), pairs(before));
}

TEST(TableFile, FailedSaveKeepsTheOldFile)
{
    TempDir dir;
    const std::string path = dir.file("t.tku");
    writeText(path, utf16("a\n1.5\n"));
    std::vector<TableEntry> list(200, TableEntry{"a long name of a cable", "1.500", std::nullopt});
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit tiny = old;
    tiny.rlim_cur = 64;
    setrlimit(RLIMIT_FSIZE, &tiny);
    const Status s = saveTable(path, false, list);
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_FALSE(s.ok());
    EXPECT_EQ(readText(path), utf16("a\n1.5\n"));
}

TEST(TableFile, KuOfAListText)
{
    struct Case { const char* text; bool speed; std::optional<double> ku; };
    const Case cases[] = {
        {"1.520", false, 1.52}, {"100.0", true, 1.5}, {"98.7", true, 300 / 197.4}, {" 2 m", false, 2.0},
        {"abc", false, std::nullopt}, {"0", false, std::nullopt}, {"0", true, std::nullopt},
        {"-1.5", false, std::nullopt}, {"inf", true, std::nullopt}, {"nan", false, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(kuOfTableText(c.text, c.speed), c.ku) << c.text;
}

} // namespace
