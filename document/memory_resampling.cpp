#include "document/memory_resampling.h"

#include "document/tables.h"

#include <cmath>

int rawPerScreenSample(double scale)
{
    const int l = tables::scaleIndexOf(scale);
    if (l >= tables::kRangeCount)
        return 0;
    return static_cast<int>(std::trunc(scale * 100 / tables::kRawSpacingCm[l] / kWindowSamples));
}

void resampleMemory(const Trace& memory, double scale, int zoom, double left,
                    std::array<std::uint8_t, kWindowSamples>& out)
{
    out.fill(0);
    const int l = tables::scaleIndexOf(scale);
    const int r = tables::scaleIndexOf(memory.memScale);
    // An index past the table would read beyond it; such a memory shows nothing.
    if (l >= tables::kRangeCount || r >= tables::kRangeCount)
        return;
    const double ratio = tables::kRawSpacingCm[l] / tables::kRawSpacingCm[r];
    const double step = std::trunc(rawPerScreenSample(scale) / std::pow(2.0, zoom));
    const double offset = std::trunc(left * 100 / tables::kRawSpacingCm[r]);
    for (int j = 0; j < kWindowSamples; ++j) {
        const double p = std::trunc(j * step * ratio) + offset;
        if (p > kRawSamples - 1 || p < 0)
            break;
        out[static_cast<std::size_t>(j)] = memory.raw[static_cast<std::size_t>(p)];
    }
}
