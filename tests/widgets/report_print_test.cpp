#include "widgets/printing/report_print.h"

#include <QList>

#include <gtest/gtest.h>

namespace {

using reportprint::PrintedCell;

// Ten units per character; surrogate pairs count as one character.
int tenPerChar(const QString& s) { return static_cast<int>(s.toUcs4().size()) * 10; }
int onePerChar(const QString& s) { return static_cast<int>(s.size()); }

TEST(ReportPrint, ColumnWidthSharesThePageLessMargins)
{
    struct Case {
        int pageMm, columns, expected;
    };
    const Case cases[] = {
        {210, 12, 60},   // (840 - 120) / 12
        {210, 7, 102},   // integer division
        {297, 1, 1068},
        {210, 0, 0},     // no header: nothing to divide
        {20, 3, -13},
    };
    for (const Case& c : cases)
        EXPECT_EQ(reportprint::columnWidth(c.pageMm, c.columns), c.expected) << c.pageMm << " " << c.columns;
}

TEST(ReportPrint, FitTextEndsWhatDoesNotFitInDotsCountingThem)
{
    struct Case {
        int maxWidth;
        QString text, expected;
    };
    const Case cases[] = {
        {30, "abc", "abc"},          // fits exactly: unchanged, no dots
        {35, "abc", "abc"},
        {50, "abcdef", "ab..."},     // the dots are measured with the text: 50 wide
        {49, "abcdef", "a..."},
        {35, "abcd", "..."},         // no character fits beside the dots
        {29, "abcd", ""},            // not even the dots fit
        {-1, "ab", ""},
        {0, "", ""},
        {55, QString::fromUtf8("a😀😀😀😀😀"), QString::fromUtf8("a😀...")},   // never half a character
    };
    for (const Case& c : cases)
        EXPECT_EQ(reportprint::fitText(c.maxWidth, c.text, tenPerChar), c.expected)
            << c.maxWidth << " " << c.text.toStdString();
}

TEST(ReportPrint, CentredTextHalvesAreTruncatedSeparately)
{
    EXPECT_EQ(reportprint::centredTextX(120, 60, 21), 120 + 30 - 10);
    EXPECT_EQ(reportprint::centredTextX(0, 61, 20), 30 - 10);
    EXPECT_EQ(reportprint::centredTextX(0, 60, 80), 30 - 40);
}

TEST(ReportPrint, LayoutBoxesHeaderThenRowsColumnByColumn)
{
    const std::vector<QString> titles = {"A", "B", "C"};
    // (200 x 4 - 120) / 3 = 226 units per column.
    const auto cells = reportprint::layoutTable(
        200, titles, 2, [](int row, int column) { return QString("r%1c%2").arg(row).arg(column); },
        tenPerChar, [](const QString& s) { return static_cast<int>(s.size()) * 6; });
    ASSERT_EQ(cells.size(), 9u);

    struct Expected {
        int index;
        QRect box;
        QString text;
        int textX, textY;
    };
    const Expected expected[] = {
        {0, QRect(0, 0, 226, 14), "A", 0 + 113 - 3, 1},
        {1, QRect(0, 14, 226, 14), "r0c0", 113 - 12, 15},
        {2, QRect(0, 28, 226, 14), "r1c0", 113 - 12, 29},
        {3, QRect(226, 0, 226, 14), "B", 226 + 113 - 3, 1},
        {8, QRect(452, 28, 226, 14), "r1c2", 452 + 113 - 12, 29},
    };
    for (const Expected& e : expected) {
        const PrintedCell& c = cells[e.index];
        EXPECT_EQ(c.box, e.box) << e.index;
        EXPECT_EQ(c.text, e.text) << e.index;
        EXPECT_EQ(c.textTopLeft, QPoint(e.textX, e.textY)) << e.index;
    }
}

TEST(ReportPrint, HeaderFitsToOneUnitLessAndCellsToTwoLess)
{
    // 12 columns on a 210 mm page: 60 units, so titles fit in 59 and cells in 58.
    const std::vector<QString> titles(12, QString(59, 'h'));
    const QString long59(59, 'x');
    const auto cells = reportprint::layoutTable(
        210, titles, 1, [&](int, int) { return long59; }, onePerChar, onePerChar);
    ASSERT_EQ(cells.size(), 24u);
    EXPECT_EQ(cells[0].text, titles[0]);
    EXPECT_EQ(cells[1].text, QString(55, 'x') + "...");
    EXPECT_EQ(cells[1].textTopLeft.x(), 30 - 58 / 2);
}

TEST(ReportPrint, NothingIsLaidOutWithoutColumnsOrRoom)
{
    const auto cell = [](int, int) { return QString("x"); };
    EXPECT_TRUE(reportprint::layoutTable(210, {}, 3, cell, onePerChar, onePerChar).empty());
    EXPECT_TRUE(reportprint::layoutTable(30, {"a"}, 3, cell, onePerChar, onePerChar).empty());
    // Without rows only the header is boxed.
    EXPECT_EQ(reportprint::layoutTable(210, {"a", "b"}, 0, cell, onePerChar, onePerChar).size(), 2u);
}

} // namespace
