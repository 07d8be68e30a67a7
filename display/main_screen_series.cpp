#include "display/main_screen_series.h"

#include "display/axis_sections.h"
#include "display/memory_resampling.h"
#include "display/screen_series.h"
#include "display/screen_state.h"
#include "document/units.h"
#include "document/varnel_doc.h"

#include <cmath>

namespace main_screen {

using namespace screen_series;

namespace {

constexpr int kShownFlags = CArrPoints::kVisible | CArrPoints::kNamed;

} // namespace

void configure(CScreenState& screen, const CVarnelDoc& doc)
{
    configureTraceScreen(screen, doc.scale);
    screen.setSeriesFlags(screen.addSeries(doc.cursor1Color, 2, "1"), kShownFlags);
    screen.setSeriesFlags(screen.addSeries(doc.cursor2Color, 2, "2"), kShownFlags);
    for (int t = 0; t < kTraceCount; ++t) {
        const int index = screen.addSeries(doc.traces[static_cast<std::size_t>(t)].color, kWindowSamples,
                                           traceName(t));
        screen.setSeriesFlags(index, t == L1 ? kShownFlags : 0);
    }
}

void rebuild(CScreenState& screen, CVarnelDoc& doc)
{
    screen.clearAxisSections();
    const Span win = doc.window();
    const double sample = doc.windowWidth() / kWindowSamples;
    if (!axis_sections::buildWindowAxis(screen, doc))
        screen.setXLabelRange(win.left / doc.vfactor * kReferenceKu, win.right / doc.vfactor * kReferenceKu);
    screen.setStraightLines(doc.approximation);

    for (int t = P1; t <= P3; ++t) {
        Trace& memory = doc.traces[static_cast<std::size_t>(t)];
        if (drawn(memory))
            resampleMemory(memory, doc.scale, doc.zoom, win.left, memory.samples);
    }

    const double i1 = std::trunc((doc.cursor1 - win.left) / sample);
    const double i2 = std::trunc((doc.cursor2 - win.left) / sample);
    const Trace* base = differenceBase(doc);
    for (int t = 0; t < kTraceCount; ++t) {
        Trace& trace = doc.traces[static_cast<std::size_t>(t)];
        const int series = kFirstTraceSeries + t;
        if (!drawn(trace)) {
            screen.setSeriesFlags(series, 0);
            continue;
        }
        screen.setSeriesFlags(series, kShownFlags);
        fillTraceSeries(screen, series, trace.samples, base && base != &trace ? &base->samples : nullptr,
                        trace.yOffset);
        if (i1 >= 0 && i1 < kWindowSamples)
            trace.valueAtCursor1 = trace.samples[static_cast<std::size_t>(i1)];
        if (i2 >= 0 && i2 < kWindowSamples)
            trace.valueAtCursor2 = trace.samples[static_cast<std::size_t>(i2)];
    }

    setVerticalLine(screen, kCursor1Series, cursorColumn(doc.cursor1, win.left, sample));
    setVerticalLine(screen, kCursor2Series, cursorColumn(doc.cursor2, win.left, sample));
}

void initialFill(CScreenState& screen, const CVarnelDoc& doc)
{
    screen.setStraightLines(doc.approximation);
    screen.setXLabelRange(0, doc.scale / doc.vfactor * kReferenceKu);
    // A trace that is not drawn is hidden here as well, so no empty line shows before the first update.
    fillTraces(screen, doc, kFirstTraceSeries, kShownFlags, &Trace::samples, nullptr);
    const double sample = doc.scale / kWindowSamples;
    setVerticalLine(screen, kCursor1Series, cursorColumn(doc.cursor1, 0, sample));
    setVerticalLine(screen, kCursor2Series, cursorColumn(doc.cursor2, 0, sample));
}

} // namespace main_screen
