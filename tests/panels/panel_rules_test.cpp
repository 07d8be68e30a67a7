#include "document/text_codec.h"
#include "document/varnel_doc.h"
#include "panels/channel_params.h"
#include "panels/choice_lists.h"
#include "panels/cursor_row.h"
#include "panels/form_layouts.h"
#include "panels/ku_table_list.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <filesystem>

namespace {

using Strings = std::vector<std::string>;

void setGrid(CVarnelDoc& doc, std::vector<Section> sections)
{
    for (const Section& s : sections)
        doc.sections.add(s);
    doc.gridMode = doc.sectionsLoaded = true;
}

TEST(PanelLists, MagnifierEntriesFollowTheRangeAndAveragingHasEight)
{
    struct Case { double scale; Strings entries; };
    const Case cases[] = {
        {62.5, {"1"}},
        {125, {"1", "2"}},
        {250, {"1", "2", "4"}},
        {500, {"1", "2", "4", "8"}},
        {1000, {"1", "2", "4", "8", "16"}},
        {64000, {"1", "2", "4", "8", "16"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(magnifierEntries(c.scale), c.entries) << c.scale;
    EXPECT_EQ(averagingEntries(), (Strings{"1", "2", "4", "8", "16", "32", "64", "128"}));
}

TEST(CursorRow, AnEditLandsOnTheNearestSampleOfTheWindow)
{
    // grid: sections KU 2.0 over 0..100 m and KU 1.0 over 100..200 m (nominal)
    struct Case { const char* what; double scale; int zoom; double center; bool grid; double typed;
                  double cursor; double vfactor; double from = 0; };
    const Case cases[] = {
        {"62.5 m: samples of 0.125 m", 62.5, 0, 0, false, 12.34, 12.375, 1.5},
        {"rounds down below the half", 62.5, 0, 0, false, 12.31, 12.25, 1.5},
        {"1 km at zoom 4: window 68.8..131.3", 1000, 4, 100.05, false, 70, 70.05, 1.5},
        {"never left of the window", 1000, 4, 100.05, false, 68.8, 68.8, 1.5},
        {"never right of the window", 1000, 4, 100.05, false, 131.3, 131.3, 1.5},
        {"grid: first section", 250, 0, 0, true, 30, 40, 2.0},
        {"grid: second section takes its KU", 250, 0, 0, true, 100, 116.5, 1.0},   // 75 m, then 25 m at KU 1
        // A step of the spin (0.75 m at KU 1.0) moves one sample, not to the nearest one at KU 2.0.
        {"grid: a step down into the other section", 250, 0, 0, true, 75 - 0.75, 99.5, 2.0, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CVarnelDoc doc;
        doc.scale = c.scale;
        doc.zoom = c.zoom;
        doc.zoomCenter = c.center;
        doc.zoomed = c.zoom > 0;
        if (c.grid)
            setGrid(doc, {{2.0, 10000, 0, 10000}, {1.0, 10000, 10000, 20000}});
        doc.cursor2 = c.from;
        writeCursor(doc, CursorId::Second, c.typed);
        EXPECT_NEAR(doc.cursor2, c.cursor, 1e-9);
        EXPECT_EQ(doc.cursor1, 0);
        EXPECT_DOUBLE_EQ(doc.vfactor, c.vfactor);
    }
}

TEST(CursorRow, MagnifierEngagesOnTheActiveCursorAndKeepsItsCentre)
{
    struct Case { const char* what; int zoom; bool zoomed; CursorId active; int level;
                  bool changed; int zoomAfter; bool zoomedAfter; double center; };
    const Case cases[] = {
        {"1 to 2 centres on cursor 1", 0, false, CursorId::First, 1, true, 1, true, 300},
        {"on cursor 2 when it is active", 0, false, CursorId::Second, 2, true, 2, true, 700},
        {"4 to 1 keeps the centre", 2, true, CursorId::Second, 0, true, 0, false, 5},
        {"the level in force", 2, true, CursorId::First, 2, false, 2, true, 5},
        {"beyond the range's largest", 0, false, CursorId::First, 5, false, 0, false, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CVarnelDoc doc;
        doc.scale = 1000;
        doc.cursor1 = 300;
        doc.cursor2 = 700;
        doc.zoom = c.zoom;
        doc.zoomed = c.zoomed;
        doc.zoomCenter = 5;
        doc.activeCursor = c.active;
        EXPECT_EQ(writeMagnifier(doc, c.level), c.changed);
        EXPECT_EQ(doc.zoom, c.zoomAfter);
        EXPECT_EQ(doc.zoomed, c.zoomedAfter);
        EXPECT_EQ(doc.zoomCenter, c.center);
    }
}

TEST(ChannelParams, TheBaseStaysWhileShownElseTheFirstShownTakesOver)
{
    struct Case { std::array<bool, 5> shown; int selected; int base; bool changed; };
    const Case cases[] = {
        {{true, false, false, false, false}, 0, 0, false},
        {{true, true, false, false, false}, 1, 1, false},
        {{false, false, true, true, false}, 0, 2, true},
        {{true, false, true, false, false}, 3, 0, true},
        {{false, false, false, false, false}, 2, -1, true},
        {{false, false, false, false, false}, -1, -1, false},   // nothing to tell again
        {{false, false, false, false, true}, -1, 4, true},
    };
    for (const Case& c : cases) {
        CVarnelDoc doc;
        for (int i = 0; i < kTraceCount; ++i)
            doc.traces[i].shown = c.shown[i];
        doc.selectedTrace = c.selected;
        const BaseChoice b = chooseBase(doc);
        EXPECT_EQ(b.base, c.base) << c.selected;
        EXPECT_EQ(b.changed, c.changed) << c.selected;
    }
}

TEST(FormLayouts, CursorRowSpreadsItsGroupsWithAGapThatMayBeNegative)
{
    const std::array<LabelSize, 4> labels{{{14, 16}, {14, 16}, {8, 16}, {30, 16}}};   // 66 wide together
    struct Case { int width; int gap; std::array<int, 4> labelX; std::array<int, 4> controlX; };
    const Case cases[] = {
        {1000, 58, {60, 347, 634, 860}, {76, 363, 644, 892}},   // (1000 - 536) / 8; the last ends at 1000 - 58 - 5
        {536, 0, {2, 173, 344, 454}, {18, 189, 354, 486}},
        {400, -17, {-15, 122, 259, 335}, {1, 138, 269, 367}},   // (400 - 536) / 8 truncates toward zero
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        const CursorRowLayout l = layoutCursorRow(c.width, 24, labels);
        EXPECT_EQ(l.gap, c.gap);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(l.labels[i], (PixelRect{c.labelX[i], 4, c.labelX[i] + labels[i].width, 20}));
            EXPECT_EQ(l.controls[i], (PixelRect{c.controlX[i], 1, c.controlX[i] + kCursorRowControlWidths[i], 23}));
        }
    }
}

TEST(FormLayouts, ParameterRowsAreRightAligned24PixelsApart)
{
    std::array<LabelSize, kParamsRowCount> labels;
    labels.fill({50, 15});
    const ParamsLayout l = layoutParams(186, 195, labels);
    struct Case { int row; PixelRect label; PixelRect control; };
    const Case cases[] = {
        {0, {32, 5, 82, 20}, {84, 2, 179, 24}},
        {4, {32, 101, 82, 116}, {84, 98, 179, 120}},
        {5, {12, 125, 62, 140}, {64, 122, 179, 144}},   // KU or V/2: 20 pixels wider
        {6, {32, 149, 82, 164}, {84, 146, 179, 168}},
        {7, {46, 173, 96, 188}, {98, 170, 179, 192}},   // averaging
    };
    for (const Case& c : cases) {
        EXPECT_EQ(l.labels[c.row], c.label) << c.row;
        EXPECT_EQ(l.controls[c.row], c.control) << c.row;
    }
    EXPECT_EQ(baseButtonRect(2), (PixelRect{3, 52, 19, 74}));
}

// --- The KU table and its file ---

std::string fileText(const std::string& path) { return codec::utf16leToUtf8(readText(path)); }
void writeTable(const std::string& path, const std::string& text) { writeText(path, codec::utf8ToUtf16le(text)); }

Strings shown(const CKuTableList& t)
{
    Strings out;
    for (const TableEntry& e : t.rows())
        out.push_back(e.name + "=" + e.value);
    return out;
}

TEST(KuTableList, AUnitSwitchShowsTheSameTableAlsoWithoutItsFile)
{
    TempDir dir;
    const std::string path = dir.file("t.tku");
    writeTable(path, "a\n1.52\nb\n1.500\n");
    CKuTableList t(path, false);
    ASSERT_TRUE(t.load());
    ASSERT_TRUE(t.setSpeedMode(true));
    EXPECT_EQ(shown(t), (Strings{"a=98.7", "b=100.0"}));
    ASSERT_TRUE(t.setSpeedMode(false));
    EXPECT_EQ(shown(t), (Strings{"a=1.52", "b=1.500"}));   // the file's texts again

    // The file is gone and a row was added in V/2: still the right unit after each switch.
    ASSERT_TRUE(t.setSpeedMode(true));
    t.add("c", "75.0");
    std::remove(path.c_str());
    ASSERT_TRUE(t.setSpeedMode(false));
    EXPECT_EQ(shown(t), (Strings{"a=1.52", "b=1.500", "c=2.000"}));
    EXPECT_EQ(*t.kuOf(2), 2.0);
}

TEST(KuTableList, AFileThatCannotBeReadIsNeitherShownNorWrittenOver)
{
    // Far too large for a table: refused as unreadable, also for root.
    TempDir dir;
    const std::string good = dir.file("good.tku"), locked = dir.file("locked.tku");
    writeTable(good, "a\n1.5\n");
    writeTable(locked, "secret\n2.0\n");
    std::filesystem::resize_file(locked, 17u << 20);

    CKuTableList t(good, false);
    ASSERT_TRUE(t.load());
    EXPECT_FALSE(t.open(locked));
    EXPECT_EQ(t.tableFile(), good);
    EXPECT_EQ(shown(t), (Strings{"a=1.5"}));

    CKuTableList atStart(locked, false);
    EXPECT_FALSE(atStart.load());
    EXPECT_FALSE(atStart.add("b", "1.600"));
    EXPECT_EQ(shown(atStart), (Strings{"b=1.600"}));   // kept in the list
    EXPECT_EQ(std::filesystem::file_size(locked), 17u << 20);
    EXPECT_TRUE(atStart.open(good));   // another file: writable again
    EXPECT_TRUE(atStart.add("c", "1.700"));
}

TEST(KuTableList, NoFileChosenYetAndValuesThatAreNoKu)
{
    TempDir dir;
    CKuTableList t(dir.path().string() + "/", false);
    EXPECT_TRUE(t.load());   // the Save folder: nothing to read
    EXPECT_TRUE(t.needsFileName());
    EXPECT_FALSE(t.add("zero", "0"));   // nowhere to write yet; the row stays
    t.saveAs(dir.file("new.tku"));
    EXPECT_TRUE(t.add("text", "abc"));
    EXPECT_EQ(fileText(dir.file("new.tku")), "zero\n0\ntext\nabc\n");
    EXPECT_FALSE(t.kuOf(0));
    EXPECT_FALSE(t.kuOf(1));
    EXPECT_FALSE(t.kuOf(2));
}

} // namespace
