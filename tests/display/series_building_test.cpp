#include "display/axis_sections.h"
#include "display/main_screen_series.h"
#include "display/overview_series.h"
#include "display/preview_series.h"
#include "display/screen_state.h"
#include "document/varnel_doc.h"

#include <gtest/gtest.h>

namespace {

// A memory whose raw sample i holds i modulo 251, so every index read is recognisable.
void fillRaw(Trace& t, double memScale)
{
    for (int i = 0; i < kRawSamples; ++i)
        t.raw[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i % 251);
    t.memScale = memScale;
}

Section section(double ku, double startM, double endM)
{
    return {ku, (endM - startM) * 100, startM * 100, endM * 100};
}

void useSections(CVarnelDoc& doc, std::initializer_list<Section> list)
{
    doc.sections.clear();
    for (const Section& s : list)
        doc.sections.add(s);
    doc.gridMode = doc.sectionsLoaded = true;
}

int y(const CScreenState& s, int series, int j) { return s.getSeries(series).points[static_cast<std::size_t>(j)].y; }

} // namespace

TEST(MainScreen, ConfiguredWithTheTracesAndAHiddenWatchEnvelope)
{
    CVarnelDoc doc;
    doc.scale = 1000;
    CScreenState s;
    main_screen::configure(s, doc);
    EXPECT_EQ(s.style, 7);
    EXPECT_EQ(s.yMin, -128);
    EXPECT_EQ(s.yMax, 127);
    EXPECT_EQ(s.ySpan, 255);
    EXPECT_EQ(s.xSpan, 500);
    EXPECT_DOUBLE_EQ(s.xLabelRight, 1000);
    ASSERT_EQ(s.seriesCount(), 9);
    const char* names[] = {"1", "2", "Л1", "Л2", "П1", "П2", "П3", "", ""};
    const int flags[] = {5, 5, 5, 0, 0, 0, 0, 0, 0};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(s.getSeries(i).name, names[i]);
        EXPECT_EQ(s.getSeries(i).flags, flags[i]);
        EXPECT_EQ(s.getSeries(i).points.size(), i < 2 ? 2u : 500u);
    }
    EXPECT_EQ(s.getSeries(0).color, doc.cursor1Color);
    EXPECT_EQ(s.getSeries(6).color, (Rgb{200, 0, 200}));
}

TEST(MainScreen, SignedDrawingUnsignedReadingOffsetsAndClamp)
{
    CVarnelDoc doc;
    doc.scale = 62.5;
    doc.cursor1 = 3 * 0.125;   // sample 3
    doc.cursor2 = 10.0625;     // sample 80.5: read at 80, line at 81
    Trace& l1 = doc.traces[L1];
    l1.samples.fill(0);
    l1.samples[3] = 0xF0;
    l1.samples[80] = 0x10;
    l1.samples[4] = 0x80;   // -128
    l1.samples[5] = 0xB7;   // -73
    l1.samples[6] = 0xB6;   // -74
    CScreenState s;
    main_screen::configure(s, doc);

    main_screen::rebuild(s, doc);
    EXPECT_EQ(y(s, 2, 3), -16);
    EXPECT_EQ(s.getSeries(0).points, (std::vector<DataPoint>{{3, -128}, {3, 127}}));
    EXPECT_EQ(s.getSeries(1).points, (std::vector<DataPoint>{{81, -128}, {81, 127}}));

    l1.yOffset = 200;
    main_screen::rebuild(s, doc);
    EXPECT_EQ(y(s, 2, 4), 72);
    EXPECT_EQ(y(s, 2, 5), 127);
    EXPECT_EQ(y(s, 2, 6), 126);
    EXPECT_EQ(y(s, 2, 3), 127);
    EXPECT_EQ(y(s, 2, 0), 127);
}

TEST(MainScreen, WatchEnvelopeFollowsItsLineOnlyWhereTheLineIsDrawnAsItIs)
{
    struct Case {
        const char* what;
        int line;
        bool l2Shown, difference;
        std::size_t size;
        bool visible;
    } cases[] = {
        {"no watch", -1, true, false, 500, false},
        {"L1 watched", L1, true, false, 500, true},
        {"L2 watched and shown", L2, true, false, 500, true},
        {"L2 watched but hidden", L2, false, false, 500, false},
        {"difference mode", L1, true, true, 500, false},
        {"a window of another size", L1, true, false, 499, false},
        {"a memory is never watched", P1, true, false, 500, false},
    };
    for (const Case& c : cases) {
        CVarnelDoc doc;
        doc.traces[L2].shown = c.l2Shown;
        doc.traces[L1].yOffset = 100;
        doc.difference = c.difference;
        doc.selectedTrace = P1;
        doc.traces[P1].shown = true;
        doc.watchEnvelope = {c.line, std::vector<int>(c.size, -20), std::vector<int>(c.size, 50)};
        CScreenState s;
        main_screen::configure(s, doc);
        main_screen::rebuild(s, doc);
        for (int series : {main_screen::kEnvelopeLowSeries, main_screen::kEnvelopeHighSeries})
            EXPECT_EQ(s.getSeries(series).visible(), c.visible) << c.what;
        if (c.visible && c.line == L1) {   // the line's offset applies, clamped to the screen
            EXPECT_EQ(y(s, main_screen::kEnvelopeLowSeries, 7), 80) << c.what;
            EXPECT_EQ(y(s, main_screen::kEnvelopeHighSeries, 499), 127) << c.what;
        }
    }
}

TEST(MainScreen, DifferenceAgainstTheBaseTrace)
{
    CVarnelDoc doc;
    doc.traces[L2].shown = true;
    doc.traces[P1].shown = true;
    fillRaw(doc.traces[P1], 62.5);
    doc.traces[L1].samples.fill(10);
    doc.traces[L1].yOffset = 3;
    doc.traces[L2].samples.fill(0xF0);   // -16
    doc.traces[L2].yOffset = 5;
    doc.traces[P1].yOffset = -50;
    doc.difference = true;
    doc.selectedTrace = L1;
    CScreenState s;
    main_screen::configure(s, doc);
    main_screen::rebuild(s, doc);

    EXPECT_EQ(y(s, 2, 0), 13);             // the base is drawn unchanged
    EXPECT_EQ(y(s, 3, 0), 10 + 5 + 16);    // L1 - L2 + L2's offset
    EXPECT_EQ(y(s, 4, 1), 10 - 50 - 1);    // P1 resampled first: raw[1] = 1
    EXPECT_EQ(y(s, 4, 120), -128);         // 10 - 50 - 120, clamped
    EXPECT_EQ(s.getSeries(3).flags, 5);

    doc.selectedTrace = -1;   // no base: traces as they are
    main_screen::rebuild(s, doc);
    EXPECT_EQ(y(s, 3, 0), -16 + 5);

    doc.traces[L2].shown = false;
    doc.traces[L2].samples.fill(0);
    main_screen::rebuild(s, doc);
    EXPECT_EQ(s.getSeries(3).flags, 0);
    EXPECT_EQ(y(s, 3, 0), -11);   // a hidden trace keeps its old points
}

TEST(MainScreen, SplitPairLineIsNotDrawn)
{
    CVarnelDoc doc;
    doc.traces[L2].shown = true;
    doc.traces[L2].available = false;
    CScreenState s;
    main_screen::configure(s, doc);
    main_screen::rebuild(s, doc);
    EXPECT_EQ(s.getSeries(2).flags, 5);
    EXPECT_EQ(s.getSeries(3).flags, 0);
}

TEST(MainScreen, XLabelsWithOneKuFollowTheWindow)
{
    CVarnelDoc doc;
    doc.scale = 1000;
    doc.vfactor = 2.0;
    doc.zoom = 2;
    doc.zoomCenter = 500;   // window 375..625
    doc.cursor1 = 400;      // sample 100 of the window
    CScreenState s;
    main_screen::configure(s, doc);
    main_screen::rebuild(s, doc);
    EXPECT_FALSE(s.sectioned);
    EXPECT_DOUBLE_EQ(s.xLabelLeft, 281.25);
    EXPECT_DOUBLE_EQ(s.xLabelRight, 468.75);
    EXPECT_EQ(s.getSeries(0).points[0].x, 50);
    EXPECT_EQ(s.getSeries(1).points[0].x, -750);   // cursor 2 at 0 lies left of the window

    doc.approximation = false;
    main_screen::rebuild(s, doc);
    EXPECT_EQ(s.style, 7);
    doc.approximation = true;
    main_screen::rebuild(s, doc);
    EXPECT_EQ(s.style, 15);
}

TEST(MainScreen, AxisSectionsOfTheWindow)
{
    CVarnelDoc doc;
    doc.scale = 1000;
    CScreenState s;
    main_screen::configure(s, doc);

    // The magnified window inside one section: 500 samples and the window's real edges.
    useSections(doc, {section(2.0, 0, 1000)});
    doc.zoom = 2;
    doc.zoomCenter = 500;
    main_screen::rebuild(s, doc);
    ASSERT_TRUE(s.sectioned);
    ASSERT_EQ(s.axisSections.size(), 1u);
    EXPECT_EQ(s.axisSections[0], (AxisSection{500, 281.25, 468.75, 187.5}));
    EXPECT_DOUBLE_EQ(s.xLabelLeft, 281.25);
    EXPECT_DOUBLE_EQ(s.xLabelRight, 468.75);

    // No section overlaps the window: back to one KU.
    useSections(doc, {section(2.0, 0, 100)});
    doc.vfactor = 1.5;
    main_screen::rebuild(s, doc);
    EXPECT_FALSE(s.sectioned);
    EXPECT_DOUBLE_EQ(s.xLabelLeft, 375);
    EXPECT_DOUBLE_EQ(s.xLabelRight, 625);

    // Two sections inside the whole range; the rest of the window continues the last one's KU.
    useSections(doc, {section(1.5, 0, 400), section(2.0, 400, 700)});
    doc.zoom = 0;
    main_screen::rebuild(s, doc);
    ASSERT_EQ(s.axisSections.size(), 2u);
    EXPECT_EQ(s.axisSections[0], (AxisSection{200, 0, 400, 400}));
    EXPECT_EQ(s.axisSections[1], (AxisSection{300, 400, 850, 450}));
    EXPECT_DOUBLE_EQ(s.xLabelLeft, 0);
    EXPECT_DOUBLE_EQ(s.xLabelRight, 850);

    // A section reaching past the window is cut at its right edge; one beyond it is no axis section.
    useSections(doc, {section(1.5, 0, 300), section(1.5, 300, 800), section(1.5, 800, 900)});
    doc.zoom = 1;
    doc.zoomCenter = 250;   // window 0..500
    main_screen::rebuild(s, doc);
    ASSERT_EQ(s.axisSections.size(), 2u);
    EXPECT_EQ(s.axisSections[0], (AxisSection{300, 0, 300, 300}));
    EXPECT_EQ(s.axisSections[1], (AxisSection{200, 300, 500, 200}));
    EXPECT_DOUBLE_EQ(s.xLabelRight, 500);

    doc.gridMode = false;
    main_screen::rebuild(s, doc);
    EXPECT_FALSE(s.sectioned);
    EXPECT_TRUE(s.axisSections.empty());
}

TEST(MainScreen, WindowStartingAtTheEndOfTheSections)
{
    CVarnelDoc doc;
    doc.scale = 1000;
    doc.zoom = 1;
    doc.zoomCenter = 750;   // window 500..1000
    useSections(doc, {section(2.0, 0, 500)});
    CScreenState s;
    main_screen::configure(s, doc);
    main_screen::rebuild(s, doc);
    ASSERT_EQ(s.axisSections.size(), 1u);
    // 375 real metres to the window, which then spans 500 / 2 x 1.5 = 375 more at the last KU.
    EXPECT_EQ(s.axisSections[0].sampleCount, 500);
    EXPECT_DOUBLE_EQ(s.axisSections[0].realStart, 375);
    EXPECT_DOUBLE_EQ(s.axisSections[0].realEnd, 750);
    EXPECT_DOUBLE_EQ(s.axisSections[0].realLength, 375);
    EXPECT_DOUBLE_EQ(s.xLabelLeft, 375);
    EXPECT_DOUBLE_EQ(s.xLabelRight, 750);
}

TEST(MainScreen, InitialFillUsesTheWholeRange)
{
    CVarnelDoc doc;
    doc.scale = 500;
    doc.vfactor = 2.0;
    doc.cursor1 = 100;   // sample 100 at 1 m per sample
    doc.cursor2 = 0.5;   // rounds half up to 1
    doc.traces[L1].samples.fill(0xFF);
    doc.traces[L1].yOffset = -10;
    doc.approximation = false;
    CScreenState s;
    main_screen::configure(s, doc);
    main_screen::initialFill(s, doc);
    EXPECT_EQ(s.style, 7);
    EXPECT_DOUBLE_EQ(s.xLabelRight, 375);
    EXPECT_EQ(y(s, 2, 499), -11);
    EXPECT_EQ(s.getSeries(2).points[499].x, 499);
    EXPECT_EQ(s.getSeries(0).points[1], (DataPoint{100, 127}));
    EXPECT_EQ(s.getSeries(1).points[0], (DataPoint{1, -128}));
}

TEST(Overview, ConfiguredWithFrameAndUnnamedTraces)
{
    CVarnelDoc doc;
    CScreenState s;
    overview_screen::configure(s, doc);
    ASSERT_EQ(s.seriesCount(), 11);
    const int flags[] = {5, 5, 1, 1, 1, 1, 0, 0, 0, 0, 0};
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(s.getSeries(i).flags, flags[i]) << i;
    EXPECT_EQ(s.getSeries(2).color, (Rgb{200, 200, 200}));
    EXPECT_EQ(s.getSeries(10).name, "П3");
}

TEST(Overview, RebuildResamplesMemoriesFramesTheWindowAndTakesTheDifference)
{
    CVarnelDoc doc;
    doc.scale = 2000;
    doc.zoom = 2;          // window 500 wide
    doc.zoomCenter = 100;  // pushed to 0..500
    doc.cursor1 = 1000;
    doc.traces[P1].shown = true;
    fillRaw(doc.traces[P1], 1000);
    doc.traces[L1].overviewSamples.fill(20);
    doc.difference = true;
    doc.selectedTrace = L1;
    CScreenState s;
    overview_screen::configure(s, doc);
    overview_screen::rebuild(s, doc);

    EXPECT_EQ(s.getSeries(6).flags, 1);
    EXPECT_EQ(s.getSeries(8).flags, 1);
    EXPECT_EQ(y(s, 6, 0), 20);
    EXPECT_EQ(y(s, 8, 1), 20 - 32);
    EXPECT_EQ(y(s, 8, 300), 20);   // the 1 km memory fills the first half only
    EXPECT_EQ(s.getSeries(2).points, (std::vector<DataPoint>{{0, 127}, {0, -128}}));
    EXPECT_EQ(s.getSeries(3).points, (std::vector<DataPoint>{{0, -128}, {125, -128}}));
    EXPECT_EQ(s.getSeries(4).points, (std::vector<DataPoint>{{125, 127}, {125, -128}}));
    EXPECT_EQ(s.getSeries(5).points, (std::vector<DataPoint>{{0, 127}, {125, 127}}));
    EXPECT_EQ(s.getSeries(0).points, (std::vector<DataPoint>{{250, -128}, {250, 127}}));

    doc.zoom = 0;   // the grey frame covers the whole overview
    overview_screen::rebuild(s, doc);
    EXPECT_EQ(s.getSeries(3).points, (std::vector<DataPoint>{{0, -128}, {500, -128}}));
}

TEST(Overview, AxisSectionsStretchTheLastToTheEnd)
{
    CVarnelDoc doc;
    doc.scale = 1000;
    useSections(doc, {section(2.0, 0, 400)});
    CScreenState s;
    overview_screen::configure(s, doc);
    overview_screen::rebuild(s, doc);
    ASSERT_EQ(s.axisSections.size(), 1u);
    EXPECT_EQ(s.axisSections[0], (AxisSection{500, 0, 750, 750}));
    EXPECT_DOUBLE_EQ(s.xLabelLeft, 0);
    EXPECT_DOUBLE_EQ(s.xLabelRight, 750);

    // Sections shorter than one overview sample each still get one.
    doc.scale = 64000;   // 128 m per sample
    useSections(doc, {section(1.5, 0, 10), section(1.5, 10, 20), section(1.5, 20, 30)});
    overview_screen::rebuild(s, doc);
    ASSERT_EQ(s.axisSections.size(), 3u);
    EXPECT_EQ(s.axisSections[0].sampleCount, 1);
    EXPECT_EQ(s.axisSections[1].sampleCount, 1);
    EXPECT_EQ(s.axisSections[2].sampleCount, 500);
    EXPECT_DOUBLE_EQ(s.axisSections[2].realStart, 30);   // the end less the whole range
    EXPECT_DOUBLE_EQ(s.xLabelRight, 64030);

    // A thousand sections each far longer than the range (LENGTH near the 32-bit limit): every one
    // counts at most the whole axis, and nothing overflows on either screen.
    doc.scale = 62.5;
    doc.sections.clear();
    for (int i = 0; i < 1000; ++i)
        doc.sections.add({1.5, 214748364.7, i * 214748364.7, (i + 1) * 214748364.7});
    overview_screen::rebuild(s, doc);
    ASSERT_EQ(s.axisSections.size(), 1000u);
    for (const AxisSection& a : s.axisSections)
        ASSERT_TRUE(a.sampleCount >= 1 && a.sampleCount <= 500) << a.sampleCount;
    EXPECT_TRUE(axis_sections::buildWindowAxis(s, doc));
    EXPECT_EQ(s.axisSections[0].sampleCount, 500);
    EXPECT_DOUBLE_EQ(s.xLabelRight, 62.5);
}

TEST(Overview, InitialFillTakesStoredSamples)
{
    CVarnelDoc doc;
    doc.scale = 1000;
    doc.vfactor = 1.0;
    doc.cursor2 = 1000;
    doc.traces[L1].overviewSamples.fill(0x81);   // -127
    doc.traces[L1].yOffset = -5;
    CScreenState s;
    overview_screen::configure(s, doc);
    overview_screen::initialFill(s, doc);
    EXPECT_DOUBLE_EQ(s.xLabelRight, 1500);
    EXPECT_EQ(y(s, 6, 0), -128);
    EXPECT_EQ(s.getSeries(1).points[0].x, 500);
    EXPECT_EQ(s.getSeries(7).flags, 0);
}

TEST(Preview, EveryStepThSampleOverTheFilesRange)
{
    CScreenState s;
    preview_screen::configure(s);
    ASSERT_EQ(s.seriesCount(), 3);
    EXPECT_EQ(s.getSeries(2).flags, 1);
    EXPECT_EQ(s.getSeries(2).color, (Rgb{0, 200, 255}));

    struct Case {
        double memScale;
        int step;
    } cases[] = {{62.5, 1}, {125, 2}, {500, 8}, {1000, 16}, {8000, 16}, {64000, 16}};
    for (const Case& c : cases) {
        Trace t;
        fillRaw(t, c.memScale);
        t.memKU = 2.0;
        preview_screen::fill(s, t);
        EXPECT_EQ(preview_screen::sampleStep(c.memScale), c.step);
        EXPECT_DOUBLE_EQ(s.xLabelRight, 1.5 * c.memScale / 2.0);
        const int expected = static_cast<std::int8_t>(static_cast<std::uint8_t>((10 * c.step) % 251));
        EXPECT_EQ(y(s, 2, 10), expected);
    }
}
