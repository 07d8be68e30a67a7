#include "display/screen_series.h"

#include "document/varnel_doc.h"

#include <algorithm>
#include <cmath>

namespace screen_series {

void configureTraceScreen(CScreenState& screen, double scale)
{
    screen.setStyle(true, true, true);
    screen.setYRange(-128, 127, 255);
    screen.setXRange(0, kWindowSamples, kWindowSamples);
    screen.setYLabelRange(-128, 127);
    screen.setXLabelRange(0, scale);
}

const Trace* differenceBase(const CVarnelDoc& doc)
{
    // No shown trace leaves no base (-1): the traces are then drawn as they are.
    if (!doc.difference || doc.selectedTrace < 0 || doc.selectedTrace >= kTraceCount)
        return nullptr;
    return &doc.traces[static_cast<std::size_t>(doc.selectedTrace)];
}

void fillTraceSeries(CScreenState& screen, int series, const std::array<std::uint8_t, kWindowSamples>& own,
                     const std::array<std::uint8_t, kWindowSamples>* base, int yOffset)
{
    if (series < 0 || series >= screen.seriesCount())
        return;
    auto& points = screen.getSeries(series).points;
    const int n = std::min<int>(kWindowSamples, static_cast<int>(points.size()));
    for (int j = 0; j < n; ++j) {
        const int value = base ? signedSample((*base)[j]) + yOffset - signedSample(own[j])
                               : signedSample(own[j]) + yOffset;
        points[static_cast<std::size_t>(j)] = {j, screen.clampY(value)};
    }
}

int cursorColumn(double position, double left, double sampleWidth)
{
    const double x = std::floor((position - left) / sampleWidth + 0.5);
    if (!(x == x))
        return 0;
    return static_cast<int>(std::clamp(x, -1e9, 1e9));
}

void setVerticalLine(CScreenState& screen, int series, int x)
{
    screen.setPoint(series, 0, x, screen.yMin);
    screen.setPoint(series, 1, x, screen.yMax);
}

const SampleRow& storedWindowRow(const CVarnelDoc& doc, int trace, SampleRow&)
{
    return doc.traces[static_cast<std::size_t>(trace)].samples;
}

const SampleRow& storedRangeRow(const CVarnelDoc& doc, int trace, SampleRow&)
{
    return doc.traces[static_cast<std::size_t>(trace)].overviewSamples;
}

void fillTraces(CScreenState& screen, const CVarnelDoc& doc, int firstSeries, int flags, RowOf row,
                const Trace* base)
{
    // Every row is worked out before the points are filled: one pass over the records, then one over
    // the points, which keeps the filling loop as tight as with stored rows.
    std::array<SampleRow, kTraceCount> scratch;
    std::array<const SampleRow*, kTraceCount> rows{};
    for (int t = 0; t < kTraceCount; ++t) {
        const Trace& trace = doc.traces[static_cast<std::size_t>(t)];
        if (drawn(trace) || &trace == base)
            rows[static_cast<std::size_t>(t)] = &row(doc, t, scratch[static_cast<std::size_t>(t)]);
    }
    const SampleRow* baseRow = base ? rows[static_cast<std::size_t>(base - doc.traces.data())] : nullptr;
    for (int t = 0; t < kTraceCount; ++t) {
        const Trace& trace = doc.traces[static_cast<std::size_t>(t)];
        const int series = firstSeries + t;
        if (!drawn(trace)) {
            screen.setSeriesFlags(series, 0);
            continue;
        }
        screen.setSeriesFlags(series, flags);
        fillTraceSeries(screen, series, *rows[static_cast<std::size_t>(t)], base != &trace ? baseRow : nullptr,
                        trace.yOffset);
    }
}

} // namespace screen_series
