#include "display/screen_geometry.h"

#include <gtest/gtest.h>

using namespace screen_geometry;

namespace {

// A measurement screen's ranges: x 0..500 over 500 samples, y -128..127 over 255 units.
void measurementRanges(CScreenState& s)
{
    s.setXRange(0, 500, 500);
    s.setYRange(-128, 127, 255);
    s.setYLabelRange(-128, 127);
}

std::vector<int> positions(const std::vector<GridLine>& lines)
{
    std::vector<int> out;
    for (const GridLine& l : lines)
        out.push_back(l.pos);
    return out;
}

std::vector<int> values(const std::vector<GridLine>& lines, bool labelledOnly = true)
{
    std::vector<int> out;
    for (const GridLine& l : lines)
        if (l.labelled || !labelledOnly)
            out.push_back(l.value);
    return out;
}

} // namespace

TEST(TickStep, FirstMultipleOfTheBaseSpacedMoreThanThirtyPixels)
{
    struct Case {
        double span, pixelsPerUnit, step;
    } cases[] = {
        {255, 1.0, 40},     // base 10; exactly 30 pixels (k = 3) is not enough
        {62.5, 8.0, 4},     // base 1, 32 pixels
        {255, 2.0, 20},
        {1000, 0.5, 100},   // base 100 already 50 pixels apart
        {5, 100.0, 1},      // base below 1 is taken as 1
        {64000, 0.01, 4000},
        {0, 1.0, 0},        // no span, no ticks
        {255, 0.0, 0},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(tickStep(c.span, c.pixelsPerUnit), c.step) << c.span << " at " << c.pixelsPerUnit;
}

TEST(LabelSpan, TakenFromAbsoluteValues)
{
    EXPECT_DOUBLE_EQ(labelSpan(-128, 127), 255);
    EXPECT_DOUBLE_EQ(labelSpan(0, 62.5), 62.5);
    EXPECT_DOUBLE_EQ(labelSpan(100, 250), 150);
    EXPECT_DOUBLE_EQ(labelSpan(-100, -10), 90);
}

TEST(PlotRect, MarginsFollowTheLabelsAndGrowWhenPrinting)
{
    const PixelRect chart{0, 0, 600, 300};
    const LabelExtents text{24, 14};
    EXPECT_EQ(plotRect(chart, 7, text, false), (PixelRect{27, 5, 595, 283}));
    EXPECT_EQ(plotRect(chart, 1, text, false), (PixelRect{5, 5, 595, 295}));
    EXPECT_EQ(plotRect(chart, 5, text, false), (PixelRect{27, 5, 595, 295}));
    // (24 + 3) x 1.8 = 48.6 and (14 + 3) x 1.8 = 30.6, truncated.
    EXPECT_EQ(plotRect(chart, 7, text, true), (PixelRect{48, 5, 595, 270}));
    EXPECT_EQ(plotRect({100, 50, 700, 350}, 7, text, false), (PixelRect{127, 55, 695, 333}));
}

TEST(DataMapping, CeilOfTheScaledDistanceFromTheRangeEdge)
{
    CScreenState s;
    measurementRanges(s);
    const DataMapping m(s, {10, 5, 760, 260});   // 750 x 255 pixels
    EXPECT_EQ(m.pixelX(0), 10);
    EXPECT_EQ(m.pixelX(1), 12);       // ceil(1.5)
    EXPECT_EQ(m.pixelX(2), 13);
    EXPECT_EQ(m.pixelX(500), 760);
    EXPECT_EQ(m.pixelY(127), 5);
    EXPECT_EQ(m.pixelY(0), 132);
    EXPECT_EQ(m.pixelY(-128), 260);
    EXPECT_TRUE(m.inRange({0, -128}));
    EXPECT_TRUE(m.inRange({500, 127}));
    EXPECT_FALSE(m.inRange({501, 0}));
    EXPECT_FALSE(m.inRange({0, 128}));
    EXPECT_FALSE(m.inRange({-1, 0}));
}

TEST(GridLayout, UniformTicksOfTheMeasurementScreen)
{
    CScreenState s;
    measurementRanges(s);
    s.setXLabelRange(0, 62.5);
    const PixelRect plot{20, 5, 520, 260};   // 500 x 255
    const GridLayout g = gridLayout(s, plot, false);
    // Step 40: the first label 120 lies 7 pixels below the top label 127.
    EXPECT_EQ(positions(g.horizontal), (std::vector<int>{12, 52, 92, 132, 172, 212, 252}));
    EXPECT_EQ(values(g.horizontal), (std::vector<int>{120, 80, 40, 0, -40, -80, -120}));
    // Step 4 metres = 32 pixels, from the left edge while not beyond the right one.
    ASSERT_EQ(g.vertical.size(), 16u);
    EXPECT_EQ(g.vertical.front().pos, 20);
    EXPECT_EQ(g.vertical[1].pos, 52);
    EXPECT_EQ(g.vertical.back().pos, 500);
    EXPECT_EQ(g.vertical.back().value, 60);
}

TEST(XLabelLefts, TheLastLabelEndsInsideThePlot)
{
    // Lines as (pos, labelled); every label 24 pixels wide; the plot ends at 500.
    struct Case { std::vector<GridLine> lines; std::vector<std::optional<int>> lefts; };
    const std::optional<int> none;
    const Case cases[] = {
        {{{0, true}, {250, true}, {500, true}}, {-12, 238, 476}},   // 1000 at a 1 km range: shifted 12 left
        {{{0, true}, {450, true}, {480, true}}, {-12, 438, 468}},   // ends inside by itself: centred
        {{{0, true}, {468, true}, {500, true}}, {-12, none, 476}},   // the shifted label would touch 456..480
        {{{0, true}, {450, true}, {470, true}, {500, true}}, {-12, 438, none, 476}},
        {{{0, true}, {500, true}, {500, false}}, {-12, 476, none}},   // a section edge has no label
        {{{500, false}}, {none}},
        {{}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines.size());
        EXPECT_EQ(xLabelLefts(c.lines, std::vector<int>(c.lines.size(), 24), 500), c.lefts);
    }
}

TEST(GridLayout, FirstXTickIsTheSmallestMultipleNotBelowTheLeftLabel)
{
    CScreenState s;
    measurementRanges(s);
    s.setXLabelRange(281.25, 468.75);   // span 187.5 over 500 pixels: base 10, step 20
    const GridLayout g = gridLayout(s, {0, 0, 500, 255}, false);
    ASSERT_FALSE(g.vertical.empty());
    EXPECT_EQ(g.vertical.front().value, 300);
    EXPECT_EQ(g.vertical.front().pos, 50);   // ceil(18.75 x 2.6667)
    EXPECT_EQ(g.vertical.back().value, 460);
}

TEST(GridLayout, AxisSectionsEachGetTheirOwnScaleAndAnEdgeLine)
{
    CScreenState s;
    measurementRanges(s);
    s.setXLabelRange(0, 150);   // base step 10
    s.setAxisSectionCount(3);
    s.setAxisSection(0, 250, 100, 0, 100);
    s.setAxisSection(1, 1, 0, 100, 100);      // no real length: skipped
    s.setAxisSection(2, 250, 50, 100, 150);
    const PixelRect plot{0, 0, 500, 255};

    const GridLayout g = gridLayout(s, plot, false);
    // Section 1: 2.5 px/m, step 20, edge at trunc(250 + 1.5); section 2: 5 px/m, step 10, edge 251 + 251.
    EXPECT_EQ(positions(g.vertical), (std::vector<int>{0, 50, 100, 150, 200, 250, 251, 251, 301, 351, 401, 451,
                                                       501, 502}));
    EXPECT_EQ(values(g.vertical), (std::vector<int>{0, 20, 40, 60, 80, 100, 100, 110, 120, 130, 140, 150}));
    EXPECT_FALSE(g.vertical[6].labelled);
    EXPECT_FALSE(g.vertical.back().labelled);

    // Printing: the edge is not widened by 1.5 pixels.
    const GridLayout p = gridLayout(s, plot, true);
    EXPECT_EQ(p.vertical[6].pos, 250);
    EXPECT_EQ(p.vertical.back().pos, 500);
}

TEST(GridLayout, TickedSectionsStartAtTheirFirstMultiple)
{
    CScreenState s;
    measurementRanges(s);
    s.setXLabelRange(281.25, 468.75);
    s.setAxisSectionCount(1);
    s.setAxisSection(0, 500, 187.5, 281.25, 468.75);
    const GridLayout g = gridLayout(s, {0, 0, 500, 255}, false);
    ASSERT_GE(g.vertical.size(), 2u);
    EXPECT_EQ(g.vertical.front().value, 300);
    EXPECT_EQ(g.vertical.front().pos, 50);   // trunc(18.75 x 2.6667 + 0.5)
    EXPECT_EQ(g.vertical.back().pos, 501);   // the edge
}

TEST(SeriesPath, StepsStraightLinesAndTheFirstPointInRange)
{
    CScreenState s;
    measurementRanges(s);
    const DataMapping m(s, {0, 0, 500, 255});
    CArrPoints series({255, 0, 0}, 4, "Л1");
    series.points = {{-5, 0}, {10, 0}, {20, 100}, {600, 100}};   // the last lies out of range, not clipped
    series.flags = CArrPoints::kVisible | CArrPoints::kNamed;

    SeriesPath straight;
    seriesPath(series, m, true, straight);
    EXPECT_EQ(straight.kind, PathKind::Lines);
    EXPECT_EQ(straight.points, (std::vector<PixelPoint>{{10, 127}, {20, 27}, {600, 27}}));
    EXPECT_FALSE(straight.nameShown);   // the last point is out of range
    EXPECT_EQ(straight.firstX, 10);

    SeriesPath steps;
    seriesPath(series, m, false, steps);
    EXPECT_EQ(steps.points, (std::vector<PixelPoint>{{10, 127}, {10, 27}, {20, 27}, {20, 27}, {600, 27}}));

    series.points.back() = {30, 100};
    seriesPath(series, m, true, straight);
    EXPECT_TRUE(straight.nameShown);
    EXPECT_EQ(straight.namePoint, (PixelPoint{30, 27}));
}

TEST(SeriesPath, NothingInRangeDrawsNothingAndOnePointIsAPixel)
{
    CScreenState s;
    measurementRanges(s);
    const DataMapping m(s, {0, 0, 500, 255});
    CArrPoints outside({1, 2, 3}, 3, "x");
    outside.flags = CArrPoints::kVisible | CArrPoints::kNamed;
    outside.points = {{0, 200}, {1, 300}, {2, -200}};
    SeriesPath p;
    seriesPath(outside, m, true, p);
    EXPECT_EQ(p.kind, PathKind::Nothing);
    EXPECT_FALSE(p.nameShown);

    CArrPoints single({1, 2, 3}, 1, "x");
    single.points = {{250, 0}};
    seriesPath(single, m, false, p);
    EXPECT_EQ(p.kind, PathKind::Pixel);
    EXPECT_EQ(p.points, (std::vector<PixelPoint>{{250, 127}}));
}

TEST(ClickConversion, PlotEdgesInOwnerCoordinates)
{
    CScreenState s;
    measurementRanges(s);
    s.chartRect = {100, 50, 615, 330};
    const PixelRect plot{110, 55, 610, 310};   // 500 x 255, in the owner's coordinates
    struct Case {
        int ownerX, ownerY;
        std::optional<DataPoint> click;
    } cases[] = {
        {110, 55, DataPoint{0, 127}},     // top-left corner of the plot
        {609, 55, DataPoint{499, 127}},   // the right edge itself lies outside
        {610, 55, std::nullopt},
        {109, 100, std::nullopt},
        {300, 309, DataPoint{190, -127}},
        {300, 310, std::nullopt},         // on the x labels
        {360, 182, DataPoint{250, 0}},
    };
    for (const Case& c : cases) {
        const auto got = clickToData(s, plot, MouseButton::Left, c.ownerX, c.ownerY, c.ownerY - 50);
        EXPECT_EQ(got, c.click) << c.ownerX << "," << c.ownerY;
    }
}

TEST(ClickConversion, RightButtonScalesByTheRangeEnds)
{
    CScreenState s;
    s.setXRange(0, 500, 1000);   // left button uses the spans, right button the range ends
    s.setYRange(-128, 127, 510);
    const PixelRect plot{0, 5, 500, 260};
    EXPECT_EQ(clickToData(s, plot, MouseButton::Left, 100, 15, 15), (DataPoint{200, 107}));
    EXPECT_EQ(clickToData(s, plot, MouseButton::Right, 100, 15, 15), (DataPoint{100, 117}));
}

TEST(ClickConversion, PressedFlagSurvivesAReleaseOutsideThePlot)
{
    CScreenState s;
    measurementRanges(s);
    const PixelRect plot{0, 5, 500, 260};
    EXPECT_FALSE(s.buttonReleased(MouseButton::Left, 10, 10, 10, plot));   // never pressed

    s.buttonPressed(MouseButton::Left);
    EXPECT_FALSE(s.buttonReleased(MouseButton::Left, 10, 270, 270, plot));
    EXPECT_TRUE(s.leftPressed);
    EXPECT_TRUE(s.buttonReleased(MouseButton::Left, 10, 5, 5, plot));   // later release inside, no new press
    EXPECT_FALSE(s.leftPressed);
    EXPECT_EQ(s.getLeftClick(), (DataPoint{10, 127}));
    EXPECT_EQ(s.getRightClick(), (DataPoint{0, 0}));

    s.buttonPressed(MouseButton::Right);
    EXPECT_FALSE(s.buttonReleased(MouseButton::Left, 20, 5, 5, plot));
    EXPECT_TRUE(s.buttonReleased(MouseButton::Right, 20, 5, 5, plot));
    EXPECT_EQ(s.getRightClick(), (DataPoint{20, 127}));
}

TEST(ScreenState, StyleKeepsTheLineBitAndOutOfRangeWritesAreIgnored)
{
    CScreenState s;
    s.setStraightLines(true);
    s.setStyle(true, false, true);
    EXPECT_EQ(s.style, 1 | 2 | 8);
    s.setStyle(false, true, false);
    EXPECT_EQ(s.style, 4 | 8);

    s.setAxisSectionCount(2);
    EXPECT_TRUE(s.setAxisSection(1, 10, 1, 2, 3));
    EXPECT_FALSE(s.setAxisSection(2, 10, 1, 2, 3));
    EXPECT_FALSE(s.setAxisSection(-1, 10, 1, 2, 3));
    EXPECT_EQ(s.axisSections[1], (AxisSection{10, 2, 3, 1}));

    const int i = s.addSeries({1, 2, 3}, 3, "a");
    EXPECT_FALSE(s.setPoint(i, 3, 7, 8));
    EXPECT_FALSE(s.setPoint(i + 1, 0, 7, 8));
    EXPECT_FALSE(s.setSeriesFlags(i + 1, 1));
}
