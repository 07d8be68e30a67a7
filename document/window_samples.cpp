#include "document/window_samples.h"

#include "document/memory_resampling.h"
#include "document/varnel_doc.h"

#include <algorithm>
#include <cmath>

namespace {

bool isMemory(int trace) { return trace >= P1 && trace <= P3; }

const Trace& traceOf(const CVarnelDoc& doc, int trace) { return doc.traces[static_cast<std::size_t>(trace)]; }

// Sample index of `position` on 500 samples from `left` spaced `sample` apart, kept on the row.
std::size_t sampleIndex(double position, double left, double sample)
{
    const double i = std::trunc((position - left) / sample);
    if (!(i >= 0))
        return 0;
    return static_cast<std::size_t>(std::min<double>(i, kWindowSamples - 1));
}

} // namespace

const SampleRow& windowSamples(const CVarnelDoc& doc, int trace, SampleRow& scratch)
{
    const Trace& t = traceOf(doc, trace);
    if (!isMemory(trace))
        return t.samples;
    resampleMemory(t, doc.scale, doc.zoom, doc.window().left, scratch);
    return scratch;
}

const SampleRow& rangeSamples(const CVarnelDoc& doc, int trace, SampleRow& scratch)
{
    const Trace& t = traceOf(doc, trace);
    if (!isMemory(trace))
        return t.overviewSamples;
    resampleMemory(t, doc.scale, 0, 0.0, scratch);
    return scratch;
}

CursorValues cursorValues(const CVarnelDoc& doc, int trace)
{
    // A memory's row is resampled at most once for both cursors.
    const Span win = doc.window();
    SampleRow windowScratch, rangeScratch;
    const SampleRow* windowRow = nullptr;
    const SampleRow* rangeRow = nullptr;
    const auto valueAt = [&](double position) -> int {
        if (position >= win.left && position <= win.right) {
            if (!windowRow)
                windowRow = &windowSamples(doc, trace, windowScratch);
            return (*windowRow)[sampleIndex(position, win.left, doc.windowWidth() / kWindowSamples)];
        }
        if (!rangeRow)
            rangeRow = &rangeSamples(doc, trace, rangeScratch);
        return (*rangeRow)[sampleIndex(position, 0.0, doc.scale / kWindowSamples)];
    };
    return {valueAt(doc.cursor1), valueAt(doc.cursor2)};
}
