#include "measurement/channel_table.h"

#include "document/varnel_doc.h"

#include <gtest/gtest.h>

namespace {

TEST(ChannelTable, ReturnLossFoldsSamplesAboutMidScale)
{
    struct Case {
        int a, b, expected;
    };
    const Case cases[] = {
        {200, 11, 13},    // 255 - 200 = 55; 20 log10(55 / 11) = 13.98
        {11, 200, -13},   // truncated toward zero, not down
        {100, 10, 20},
        {127, 127, 0},
        {128, 127, 0},    // 255 - 128 = 127
        {0, 0, 0},        // both 0 read as 1
        {255, 1, 0},      // 255 folds to 0, then reads as 1
        {100, 0, 40},     // a zero sample cannot divide by zero
        {300, 5, -13},    // out of range samples are clamped first: 255 -> 1
    };
    for (const Case& c : cases)
        EXPECT_EQ(returnLoss(c.a, c.b), c.expected) << c.a << " / " << c.b;
}

TEST(ChannelTable, TitlesFollowSpeedMode)
{
    const ChannelCells ku = channelColumnTitles(false);
    const ChannelCells v2 = channelColumnTitles(true);
    const ChannelCells expected = {"Название канала", "Название файла", "Масштаб", "Импульс", "КУ",
                                   "Осреднение", "Усиление", "Согласование", "Смещение",
                                   "Обратные потери", "Дата", "Время"};
    EXPECT_EQ(ku, expected);
    EXPECT_EQ(v2[kColSpeed], "V/2");
    EXPECT_EQ(v2[kColName], "Название канала");
}

TEST(ChannelTable, LiveLineCells)
{
    CVarnelDoc doc;
    doc.scale = 1000;
    doc.pulse = 200;
    doc.vfactor = 1.52;
    doc.average = 4;
    doc.gain = 7;
    Trace& l1 = doc.traces[L1];
    l1.status = 3;
    l1.yOffset = -25;
    // Return loss from the samples under the cursors, read without any screen rebuilt.
    doc.cursor2 = 500;
    l1.samples[0] = 200;
    l1.samples[250] = 11;

    const ChannelTable table = buildChannelTable(doc);
    ASSERT_EQ(table.rows.size(), 1u);
    const ChannelRow& row = table.rows[0];
    const ChannelCells expected = {"Л1", "--", "1000.0", "200.0", "1.520", "16", "7", "3", "-25", "13",
                                   "--", "--"};
    EXPECT_EQ(row.cells, expected);
    EXPECT_EQ(row.trace, L1);
    EXPECT_EQ(row.text, (Rgb{0, 200, 255}));
    EXPECT_EQ(row.background, (Rgb{0, 0, 0}));
}

TEST(ChannelTable, MemoryRowShowsItsOwnParametersButTheCurrentKu)
{
    CVarnelDoc doc;
    doc.traces[L1].shown = false;
    doc.vfactor = 1.48;
    doc.scale = 62.5;
    Trace& p2 = doc.traces[P2];
    p2.shown = true;
    p2.name = "кабель 7";
    p2.memScale = 62.5;
    p2.memPulse = 50000;
    p2.memKU = 1.7;
    p2.memAverage = 0;
    p2.memGain = 12;
    p2.memTime = LocalTime{2009, 3, 7, 4, 5, 6};
    p2.status = 1;
    p2.yOffset = 200;

    const ChannelTable table = buildChannelTable(doc);
    ASSERT_EQ(table.rows.size(), 1u);
    const ChannelCells expected = {"П2", "кабель 7", "62.5", "50000.0", "1.480", "1", "12", "1", "200",
                                   "0", "07.03.09", "04:05:06"};
    EXPECT_EQ(table.rows[0].cells, expected);
    EXPECT_EQ(table.rows[0].text, (Rgb{255, 153, 0}));

    doc.speedMode = true;
    doc.vfactor = 1.5;
    EXPECT_EQ(buildChannelTable(doc).rows[0].cells[kColSpeed], "100.0");
}

TEST(ChannelTable, RowsOfShownAndAvailableTracesInDocumentOrder)
{
    CVarnelDoc doc;
    doc.traces[P3].shown = true;
    doc.traces[L2].shown = true;
    doc.traces[L2].available = false;   // split-pair mode took it away
    doc.traces[P1].shown = true;

    const ChannelTable table = buildChannelTable(doc);
    ASSERT_EQ(table.rows.size(), 3u);
    EXPECT_EQ(table.rows[0].cells[kColName], "Л1");
    EXPECT_EQ(table.rows[1].cells[kColName], "П1");
    EXPECT_EQ(table.rows[2].cells[kColName], "П3");
    EXPECT_EQ(table.rows[2].trace, P3);

    for (Trace& t : doc.traces)
        t.shown = false;
    EXPECT_TRUE(buildChannelTable(doc).rows.empty());
}

TEST(ChannelTable, RowColourByName)
{
    CVarnelDoc doc;
    doc.traces[P3].color = Rgb{1, 2, 3};
    Rgb color{9, 9, 9};
    EXPECT_TRUE(channelRowColor(doc, "П3", color));
    EXPECT_EQ(color, (Rgb{1, 2, 3}));
    EXPECT_TRUE(channelRowColor(doc, "Л2", color));
    EXPECT_EQ(color, (Rgb{0, 200, 0}));
    EXPECT_FALSE(channelRowColor(doc, "П4", color));
    EXPECT_FALSE(channelRowColor(doc, "", color));
}

TEST(ChannelTable, ColumnWidthsShowReturnLossOnlyWhenOn)
{
    using Widths = std::array<int, kChannelColumnCount>;
    EXPECT_EQ(channelColumnWidths(905, false), (Widths{100, 100, 100, 100, 100, 100, 100, 100, 100, 0, 0, 0}));
    EXPECT_EQ(channelColumnWidths(905, true), (Widths{90, 90, 90, 90, 90, 90, 90, 90, 90, 90, 0, 0}));
    EXPECT_EQ(channelColumnWidths(-5, true), Widths{});
}

TEST(ChannelTable, LayoutShowsHeaderRowsAndOneEmptyRow)
{
    struct Case {
        int width, height, itemHeight, rows;
        ChannelTableLayout expected;
    };
    const Case cases[] = {
        // No rows: two rows of 8 pixels at the bottom.
        {400, 300, kEmptyTableItemHeight, 0, {0, 284, 400, 300, 400, 284}},
        {640, 480, 20, 3, {0, 380, 640, 480, 640, 380}},
        // More rows than the form holds: the screen shrinks to nothing, never below.
        {100, 50, 20, 5, {0, -90, 100, 50, 100, 0}},
    };
    for (const Case& c : cases) {
        const ChannelTableLayout l = layoutChannelTable(c.width, c.height, c.itemHeight, c.rows);
        EXPECT_EQ(l.tableX, c.expected.tableX);
        EXPECT_EQ(l.tableY, c.expected.tableY);
        EXPECT_EQ(l.tableWidth, c.expected.tableWidth);
        EXPECT_EQ(l.tableHeight, c.expected.tableHeight);
        EXPECT_EQ(l.screenWidth, c.expected.screenWidth);
        EXPECT_EQ(l.screenHeight, c.expected.screenHeight);
    }
}

} // namespace
