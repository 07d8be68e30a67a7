#include "files/section_edit.h"
#include "files/section_file.h"

#include "support/temp_dir.h"
#include "document/varnel_doc.h"

#include <gtest/gtest.h>

namespace {

using Cells = std::array<std::string, 6>;

std::vector<Cells> cellsOf(const std::string& path, bool speedMode = false)
{
    std::vector<SectionRow> rows;
    EXPECT_TRUE(readSectionRows(path, rows));
    std::vector<Cells> cells;
    for (const SectionRow& r : rows)
        cells.push_back(sectionRowCells(r, speedMode));
    return cells;
}

TEST(SectionFile, ListsSectionsEndToEndAndHandsThemToTheDocument)
{
    TempDir dir;
    writeText(dir.file("line.pie"), "[PIECE]\r\nAMOUNT=2\r\nSCALE=4\r\n[SITE1]\r\nNAME1=\xCA\xE0\xE1\xE5\xEB\xFC\r\n"
                                    "LENGTH1=100000\r\nVFACTOR1=2000\r\n[SITE2]\r\nNAME2=B\r\nLENGTH2=50000\r\n"
                                    "VFACTOR2=1500\r\n");
    const std::vector<Cells> expected = {{"1", "Кабель", "0.00", "75.00", "75.00", "2.000"},
                                         {"2", "B", "75.00", "125.00", "50.00", "1.500"}};
    EXPECT_EQ(cellsOf(dir.file("line.pie")), expected);
    EXPECT_EQ(cellsOf(dir.file("line.pie"), true)[0][5], "75.0");
    EXPECT_EQ(cellsOf(dir.file("line.pie"), true)[1][5], "100.0");

    CVarnelDoc doc;
    ASSERT_TRUE(applySectionFile(dir.path().string() + "/", "line", doc.sections));
    ASSERT_EQ(doc.sections.count(), 2);
    const double records[2][4] = {{2.0, 10000, 0, 10000}, {1.5, 5000, 10000, 15000}};
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(doc.sections.ku(i), records[i][0]);
        EXPECT_EQ(doc.sections.length(i), records[i][1]);
        EXPECT_EQ(doc.sections.start(i), records[i][2]);
        EXPECT_EQ(doc.sections.end(i), records[i][3]);
    }

    // No active file, or a file that has gone, empties the list.
    ASSERT_TRUE(applySectionFile(dir.path().string(), "", doc.sections));
    EXPECT_TRUE(doc.sections.empty());
    applySectionFile(dir.path().string(), "line", doc.sections);
    ASSERT_TRUE(applySectionFile(dir.path().string(), "gone", doc.sections));
    EXPECT_TRUE(doc.sections.empty());
}

TEST(SectionFile, MissingKeysAndUnusableKuTakeDefaults)
{
    TempDir dir;
    const std::string path = dir.file("a.pie");
    // Section 1 has no keys at all; 2 an empty VFACTOR (reads as 0); 3 a negative one; 4 an empty NAME.
    writeText(path, "[PIECE]\nAMOUNT=4\n[SITE2]\nLENGTH2=3000\nVFACTOR2=\n[SITE3]\nLENGTH3=1500\nVFACTOR3=-2000\n"
                    "[SITE4]\nNAME4=\nLENGTH4=2000\nVFACTOR4=3000\n");
    const std::vector<Cells> expected = {{"1", "Участок 1", "0.00", "0.00", "0.00", "1.500"},
                                         {"2", "Участок 2", "0.00", "3.00", "3.00", "1.500"},
                                         {"3", "Участок 3", "3.00", "4.50", "1.50", "1.500"},
                                         {"4", "", "4.50", "5.50", "1.00", "3.000"}};
    EXPECT_EQ(cellsOf(path), expected);

    SectionFileData data;
    ASSERT_TRUE(readSectionFile(path, data));
    const std::vector<Section> records = documentSections(data);
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[1].ku, 1.5);
    EXPECT_EQ(records[2].ku, 1.5);
    EXPECT_EQ(records[3].start, 450);
    EXPECT_EQ(records[3].end, 650);
}

TEST(SectionFile, AmountBoundsAndUnreadableFiles)
{
    TempDir dir;
    struct Case { const char* text; bool ok; std::size_t sections; };
    const Case cases[] = {
        {"", true, 0},
        {"[PIECE]\nAMOUNT=-3\n", true, 0},
        {"[PIECE]\nAMOUNT=1000\n", true, 1000},
        {"[PIECE]\nAMOUNT=1001\n", false, 0},
        {"[PIECE]\nAMOUNT=2147483647\n", false, 0},
        // Hand-edited numbers: never a grid from a negative length or a value that is no number.
        {"[PIECE]\nAMOUNT=1\n[SITE1]\nLENGTH1=\nVFACTOR1= 2000 \n", true, 1},
        {"[PIECE]\nAMOUNT=2\n[SITE2]\nLENGTH2=-5000\n", false, 0},
        {"[PIECE]\nAMOUNT=1\n[SITE1]\nLENGTH1=abc\n", false, 0},
        {"[PIECE]\nAMOUNT=1\n[SITE1]\nVFACTOR1=x1500\n", false, 0},
        {"[PIECE]\nAMOUNT=two\n", false, 0},
    };
    for (const Case& c : cases) {
        SectionFileData data;
        data.amountText = "untouched";
        EXPECT_EQ(decodeSectionFile(c.text, data).ok(), c.ok) << c.text;
        EXPECT_EQ(data.sections.size(), c.sections) << c.text;
        if (!c.ok) {
            EXPECT_EQ(data.amountText, "untouched");
        }
    }

    // A missing file is zero sections for the list, but an error for a whole read.
    std::vector<SectionRow> rows(3);
    EXPECT_TRUE(readSectionRows(dir.file("none.pie"), rows));
    EXPECT_TRUE(rows.empty());
    SectionFileData data;
    EXPECT_FALSE(readSectionFile(dir.file("none.pie"), data).ok());

    // A file that cannot be read leaves the document's list as it was.
    std::filesystem::create_directory(dir.file("folder.pie"));
    writeText(dir.file("big.pie"), "[PIECE]\nAMOUNT=5000\n");
    CSectionList list;
    list.add({2.0, 100, 0, 100});
    EXPECT_FALSE(applySectionFile(dir.path().string(), "folder", list).ok());
    EXPECT_FALSE(applySectionFile(dir.path().string(), "big", list).ok());
    writeText(dir.file("negative.pie"), "[PIECE]\nAMOUNT=1\n[SITE1]\nLENGTH1=-100000\n");
    const Status negative = applySectionFile(dir.path().string(), "negative", list);
    EXPECT_NE(negative.userReason().find("LENGTH1=-100000: длина участка не может быть отрицательной"), std::string::npos)
        << negative.reason();
    EXPECT_EQ(list.count(), 1);
}

TEST(SectionFile, CreateAddAndEditSections)
{
    TempDir dir;
    const std::string path = dir.file("new.pie");
    ASSERT_TRUE(createSectionFile(path, 1000));
    EXPECT_EQ(readText(path), "[PIECE]\r\nAMOUNT=0\r\nSCALE=4\r\n");
    ASSERT_TRUE(createSectionFile(dir.file("odd.pie"), 777));
    EXPECT_EQ(readText(dir.file("odd.pie")), "[PIECE]\r\nAMOUNT=0\r\nSCALE=11\r\n");

    ASSERT_TRUE(addSection(path, 2.01));
    ASSERT_TRUE(addSection(path, 1.5));
    EXPECT_EQ(readText(path), "[PIECE]\r\nAMOUNT=2\r\nSCALE=4\r\n\r\n"
                              "[SITE1]\r\nNAME1=\r\nLENGTH1=1000\r\nVFACTOR1=2009\r\n\r\n"
                              "[SITE2]\r\nNAME2=\r\nLENGTH2=1000\r\nVFACTOR2=1500\r\n");
    EXPECT_EQ(cellsOf(path)[1], (Cells{"2", "", "0.75", "1.75", "1.00", "1.500"}));

    CVarnelDoc doc;
    doc.vfactor = 2.0;   // grid off: real = nominal x 1.5 / 2
    ASSERT_TRUE(writeSectionLength(path, 1, doc.toNominal(0.0), doc.toNominal(75.0)));
    ASSERT_TRUE(writeSectionKu(path, 1, 100.0, true));      // V/2 100 is KU 1.5
    ASSERT_TRUE(writeSectionKu(path, 2, 1.52, false));
    ASSERT_TRUE(writeSectionName(path, 2, "Муфта\nвход"));
    EXPECT_EQ(cellsOf(path), (std::vector<Cells>{{"1", "", "0.00", "100.00", "100.00", "1.500"},
                                                 {"2", "Муфта вход", "100.00", "100.99", "0.99", "1.520"}}));
    SectionFileData data;
    ASSERT_TRUE(readSectionFile(path, data));
    EXPECT_EQ(data.sections[0].lengthThousandths, 100000);
    EXPECT_EQ(data.sections[1].kuThousandths, 1520);
}

TEST(SectionFile, RefusedEditsLeaveTheFileAlone)
{
    TempDir dir;
    const std::string path = dir.file("a.pie");
    const std::string content = "[PIECE]\nAMOUNT=1\n[SITE1]\nNAME1=x\nLENGTH1=5000\nVFACTOR1=1500\n";
    writeText(path, content);
    CVarnelDoc doc;
    const Status refused[] = {
        writeSectionLength(path, 1, doc.toNominal(10.0), doc.toNominal(5.0)),        // end before start
        writeSectionKu(path, 1, 0.0, false),
        writeSectionKu(path, 1, 0.0, true),                 // V/2 of 0 would be an infinite KU
        writeSectionKu(path, 1, -1.5, false),
        writeSectionKu(path, 1, 0.0004, false),             // truncates to VFACTOR 0
        writeSectionName(path, 2, "beyond AMOUNT"),
        writeSectionName(path, 0, "zero"),
        deleteSection(path, 1),
        deleteSection(path, -1),
        addSection(path, 0.0),
        // Outside the K.У. spin's 1..3 (V/2 50..150): never stored, as a KU of 5 or 1e308 would be.
        writeSectionKu(path, 1, 3.001, false),
        writeSectionKu(path, 1, 1e308, false),
        writeSectionKu(path, 1, 200.0, true),
        addSection(path, 5.0),
    };
    for (const Status& s : refused) {
        EXPECT_FALSE(s.ok());
        EXPECT_NE(s.reason().find(path), std::string::npos) << s.reason();
    }
    EXPECT_EQ(writeSectionKu(path, 1, 0.5, false).reason(),
              path + ": Значение КУ 0.500 вне допустимых пределов: от 1.000 до 3.000");
    EXPECT_EQ(writeSectionKu(path, 1, 200, true).reason(),
              path + ": Значение V/2 200.0 вне допустимых пределов: от 50.0 до 150.0");
    EXPECT_EQ(writeSectionKu(path, 1, 1e308, false).reason(),
              path + ": Значение КУ вне допустимых пределов: от 1.000 до 3.000");
    EXPECT_EQ(readText(path), content);
}

TEST(SectionFile, DeleteRenumbersAndKeepsTexts)
{
    TempDir dir;
    const std::string path = dir.file("a.pie");
    writeText(path, "; note\r\n[PIECE]\r\nSCALE=7\r\nAMOUNT=3\r\n"
                    "[SITE1]\r\nNAME1=first\r\nLENGTH1=1000\r\nVFACTOR1=1500\r\n"
                    "[SITE2]\r\nNAME2=second\r\nLENGTH2=2000\r\nVFACTOR2=1600\r\n"
                    "[SITE3]\r\nLENGTH3=0300 m\r\nVFACTOR3=\r\n");
    ASSERT_TRUE(deleteSection(path, 1));
    EXPECT_EQ(readText(path), "[PIECE]\r\nAMOUNT=2\r\nSCALE=7\r\n\r\n"
                              "[SITE1]\r\nNAME1=first\r\nLENGTH1=1000\r\nVFACTOR1=1500\r\n\r\n"
                              "[SITE2]\r\nLENGTH2=0300 m\r\nVFACTOR2=\r\n");
    // Section 3's missing name is still missing, so it shows its new number.
    EXPECT_EQ(cellsOf(path)[1][1], "Участок 2");

    ASSERT_TRUE(deleteSection(path, 0));
    ASSERT_TRUE(deleteSection(path, 0));
    EXPECT_EQ(readText(path), "[PIECE]\r\nAMOUNT=0\r\nSCALE=7\r\n");
}

TEST(SectionFile, NamesRoundTripThroughWindows1251)
{
    TempDir dir;
    const std::string path = dir.file("a.pie");
    ASSERT_TRUE(createSectionFile(path, 62.5));
    ASSERT_TRUE(addSection(path, 1.5));
    ASSERT_TRUE(addSection(path, 1.5));
    ASSERT_TRUE(writeSectionName(path, 1, "Ёж € \xC2\x98"));   // U+0098 stands for byte 0x98
    ASSERT_TRUE(writeSectionName(path, 2, "日本 ä"));           // no bytes for these in the code page
    const std::string bytes = readText(path);
    EXPECT_NE(bytes.find("NAME1=\xA8\xE6 \x88 \x98\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("NAME2=?? ?\r\n"), std::string::npos);
    EXPECT_EQ(cellsOf(path)[0][1], "Ёж € \xC2\x98");
    EXPECT_EQ(cellsOf(path)[1][1], "?? ?");

    // A name typed on the other side arrives as the same text.
    writeText(path, "[PIECE]\r\nAMOUNT=1\r\n[SITE1]\r\nNAME1=\xCA\xE0\xE1\xE5\xEB\xFC \x98\r\n");
    EXPECT_EQ(cellsOf(path)[0][1], "Кабель \xC2\x98");
    ASSERT_TRUE(writeSectionKu(path, 1, 2.0, false));
    EXPECT_EQ(readText(path), "[PIECE]\r\nAMOUNT=1\r\n[SITE1]\r\nNAME1=\xCA\xE0\xE1\xE5\xEB\xFC \x98\r\nVFACTOR1=2000\r\n");
}

} // namespace
