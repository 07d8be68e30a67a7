#include "display/overview_series.h"

#include "display/axis_sections.h"
#include "display/screen_series.h"
#include "display/screen_state.h"
#include "document/units.h"
#include "document/varnel_doc.h"

namespace overview_screen {

using namespace screen_series;

namespace {

constexpr Rgb kFrameColor{200, 200, 200};
constexpr int kNamedFlags = CArrPoints::kVisible | CArrPoints::kNamed;

void placeFrameAndCursors(CScreenState& screen, const CVarnelDoc& doc)
{
    const Span win = doc.window();
    const double sample = doc.scale / kWindowSamples;
    const int xl = cursorColumn(win.left, 0, sample);
    const int xr = cursorColumn(win.right, 0, sample);
    const int upper = screen.yMax, lower = screen.yMin;
    const int f = kFrameFirstSeries;
    screen.setPoint(f, 0, xl, upper);
    screen.setPoint(f, 1, xl, lower);
    screen.setPoint(f + 1, 0, xl, lower);
    screen.setPoint(f + 1, 1, xr, lower);
    screen.setPoint(f + 2, 0, xr, upper);
    screen.setPoint(f + 2, 1, xr, lower);
    screen.setPoint(f + 3, 0, xl, upper);
    screen.setPoint(f + 3, 1, xr, upper);
    setVerticalLine(screen, kCursor1Series, cursorColumn(doc.cursor1, 0, sample));
    setVerticalLine(screen, kCursor2Series, cursorColumn(doc.cursor2, 0, sample));
}

} // namespace

void configure(CScreenState& screen, const CVarnelDoc& doc)
{
    configureTraceScreen(screen, doc.scale);
    screen.setSeriesFlags(screen.addSeries(doc.cursor1Color, 2, "1", ScreenLayer::Foreground), kNamedFlags);
    screen.setSeriesFlags(screen.addSeries(doc.cursor2Color, 2, "2", ScreenLayer::Foreground), kNamedFlags);
    for (int i = 0; i < 4; ++i)
        screen.setSeriesFlags(screen.addSeries(kFrameColor, 2, ""), CArrPoints::kVisible);
    for (int t = 0; t < kTraceCount; ++t)
        screen.addSeries(doc.traces[static_cast<std::size_t>(t)].color, kWindowSamples, traceName(t));
}

void rebuild(CScreenState& screen, const CVarnelDoc& doc)
{
    screen.clearAxisSections();
    if (!axis_sections::buildRangeAxis(screen, doc))
        screen.setXLabelRange(0, doc.scale / doc.vfactor * kReferenceKu);
    screen.setStraightLines(doc.approximation);

    fillTraces(screen, doc, kFirstTraceSeries, CArrPoints::kVisible, rangeSamples, differenceBase(doc));
    placeFrameAndCursors(screen, doc);
}

void initialFill(CScreenState& screen, const CVarnelDoc& doc)
{
    screen.setStraightLines(doc.approximation);
    screen.setXLabelRange(0, doc.scale / doc.vfactor * kReferenceKu);
    fillTraces(screen, doc, kFirstTraceSeries, CArrPoints::kVisible, storedRangeRow, nullptr);
    placeFrameAndCursors(screen, doc);
}

} // namespace overview_screen
