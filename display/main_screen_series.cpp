#include "display/main_screen_series.h"

#include "display/axis_sections.h"
#include "display/screen_series.h"
#include "display/screen_state.h"
#include "document/units.h"
#include "document/varnel_doc.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace main_screen {

using namespace screen_series;

namespace {

constexpr int kShownFlags = CArrPoints::kVisible | CArrPoints::kNamed;

constexpr int kMarkHitColumns = 3;
constexpr int kMarkNumberRoom = 12;   // data units above a mark's top its number still covers

// The envelope in the watched line's colour at half its brightness, so the live trace stands out; a
// re-reflection's mark likewise.
Rgb dimmed(Rgb line)
{
    return {static_cast<std::uint8_t>(line.r / 2), static_cast<std::uint8_t>(line.g / 2),
            static_cast<std::uint8_t>(line.b / 2)};
}

// The watch envelope follows its line's offset; it is left out where the line is not drawn as it is
// (hidden, or drawn as a difference).
void fillEnvelope(CScreenState& screen, const CVarnelDoc& doc, const Trace* base)
{
    const WatchEnvelope& e = doc.watchEnvelope;
    const bool shown = (e.line == L1 || e.line == L2) && drawn(doc.traces[static_cast<std::size_t>(e.line)]) &&
                       !base && e.low.size() == kWindowSamples && e.high.size() == kWindowSamples;
    for (int series : {kEnvelopeLowSeries, kEnvelopeHighSeries})
        screen.setSeriesFlags(series, shown ? CArrPoints::kVisible : 0);
    if (!shown)
        return;
    const Trace& line = doc.traces[static_cast<std::size_t>(e.line)];
    screen.getSeries(kEnvelopeLowSeries).color = dimmed(line.color);
    screen.getSeries(kEnvelopeHighSeries).color = dimmed(line.color);
    for (int j = 0; j < kWindowSamples; ++j) {
        const auto at = static_cast<std::size_t>(j);
        screen.setPoint(kEnvelopeLowSeries, j, j, screen.clampY(e.low[at] + line.yOffset));
        screen.setPoint(kEnvelopeHighSeries, j, j, screen.clampY(e.high[at] + line.yOffset));
    }
}

// A mark per event of the list at its start's column, from the trace's drawn level up, numbered as its
// row; marks outside the window or of a trace not drawn are hidden. Series are added as the list grows.
void fillEventMarks(CScreenState& screen, const CVarnelDoc& doc)
{
    const EventMarks& e = doc.eventMarks;
    const int count = e.trace >= 0 && e.trace < kTraceCount ? static_cast<int>(e.marks.size()) : 0;
    while (screen.seriesCount() < kFirstMarkSeries + count)
        screen.addSeries({}, 2, "", ScreenLayer::Foreground);
    for (int k = kFirstMarkSeries + count; k < screen.seriesCount(); ++k)
        screen.setSeriesFlags(k, 0);
    if (count == 0)
        return;
    const CArrPoints& trace = screen.getSeries(kFirstTraceSeries + e.trace);
    const Span win = doc.window();
    const double sample = doc.windowWidth() / kWindowSamples;
    const Rgb color = doc.traces[static_cast<std::size_t>(e.trace)].color;
    for (int k = 0; k < count; ++k) {
        const EventMark& m = e.marks[static_cast<std::size_t>(k)];
        const int series = kFirstMarkSeries + k;
        const int x = cursorColumn(m.position, win.left, sample);
        const bool shown = trace.visible() && x >= 0 && x < static_cast<int>(trace.points.size());
        screen.setSeriesFlags(series, shown ? kShownFlags : 0);
        if (!shown)
            continue;
        CArrPoints& mark = screen.getSeries(series);
        mark.color = m.ghost ? dimmed(color) : color;
        mark.name = std::to_string(k + 1);
        const int foot = trace.points[static_cast<std::size_t>(x)].y;
        screen.setPoint(series, 0, x, foot);
        screen.setPoint(series, 1, x, screen.clampY(foot + kMarkHeight));
    }
}

} // namespace

int eventMarkAt(const CScreenState& screen, DataPoint at)
{
    int best = -1;
    int bestDx = kMarkHitColumns + 1;
    for (int series = kFirstMarkSeries; series < screen.seriesCount(); ++series) {
        const CArrPoints& mark = screen.getSeries(series);
        if (!mark.visible())
            continue;
        const int dx = std::abs(mark.points[0].x - at.x);
        const bool along = at.y >= mark.points[0].y - kMarkNumberRoom / 3 && at.y <= mark.points[1].y + kMarkNumberRoom;
        if (along && dx < bestDx) {
            best = series - kFirstMarkSeries;
            bestDx = dx;
        }
    }
    return best;
}

void configure(CScreenState& screen, const CVarnelDoc& doc)
{
    configureTraceScreen(screen, doc.scale);
    screen.setSeriesFlags(screen.addSeries(doc.cursor1Color, 2, "1", ScreenLayer::Foreground), kShownFlags);
    screen.setSeriesFlags(screen.addSeries(doc.cursor2Color, 2, "2", ScreenLayer::Foreground), kShownFlags);
    for (int t = 0; t < kTraceCount; ++t) {
        const int index = screen.addSeries(doc.traces[static_cast<std::size_t>(t)].color, kWindowSamples,
                                           traceName(t));
        screen.setSeriesFlags(index, t == L1 ? kShownFlags : 0);
    }
    screen.addSeries(dimmed(doc.traces[L1].color), kWindowSamples, "");
    screen.addSeries(dimmed(doc.traces[L1].color), kWindowSamples, "");
}

void rebuild(CScreenState& screen, const CVarnelDoc& doc)
{
    screen.clearAxisSections();
    const Span win = doc.window();
    const double sample = doc.windowWidth() / kWindowSamples;
    if (!axis_sections::buildWindowAxis(screen, doc))
        screen.setXLabelRange(win.left / doc.vfactor * kReferenceKu, win.right / doc.vfactor * kReferenceKu);
    screen.setStraightLines(doc.approximation);

    const Trace* base = differenceBase(doc);
    fillTraces(screen, doc, kFirstTraceSeries, kShownFlags, windowSamples, base);
    fillEnvelope(screen, doc, base);

    setVerticalLine(screen, kCursor1Series, cursorColumn(doc.cursor1, win.left, sample));
    setVerticalLine(screen, kCursor2Series, cursorColumn(doc.cursor2, win.left, sample));
    fillEventMarks(screen, doc);
}

void initialFill(CScreenState& screen, const CVarnelDoc& doc)
{
    screen.setStraightLines(doc.approximation);
    screen.setXLabelRange(0, doc.scale / doc.vfactor * kReferenceKu);
    // A trace that is not drawn is hidden here as well, so no empty line shows before the first update.
    fillTraces(screen, doc, kFirstTraceSeries, kShownFlags, storedWindowRow, nullptr);
    const double sample = doc.scale / kWindowSamples;
    setVerticalLine(screen, kCursor1Series, cursorColumn(doc.cursor1, 0, sample));
    setVerticalLine(screen, kCursor2Series, cursorColumn(doc.cursor2, 0, sample));
}

} // namespace main_screen
