#include "display/main_screen_series.h"

#include "display/axis_sections.h"
#include "display/screen_series.h"
#include "display/screen_state.h"
#include "document/units.h"
#include "document/varnel_doc.h"

#include <cmath>

namespace main_screen {

using namespace screen_series;

namespace {

constexpr int kShownFlags = CArrPoints::kVisible | CArrPoints::kNamed;

// The envelope in the watched line's colour at half its brightness, so the live trace stands out.
Rgb envelopeColor(Rgb line)
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
    screen.getSeries(kEnvelopeLowSeries).color = envelopeColor(line.color);
    screen.getSeries(kEnvelopeHighSeries).color = envelopeColor(line.color);
    for (int j = 0; j < kWindowSamples; ++j) {
        const auto at = static_cast<std::size_t>(j);
        screen.setPoint(kEnvelopeLowSeries, j, j, screen.clampY(e.low[at] + line.yOffset));
        screen.setPoint(kEnvelopeHighSeries, j, j, screen.clampY(e.high[at] + line.yOffset));
    }
}

} // namespace

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
    screen.addSeries(envelopeColor(doc.traces[L1].color), kWindowSamples, "");
    screen.addSeries(envelopeColor(doc.traces[L1].color), kWindowSamples, "");
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
