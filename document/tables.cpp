#include "document/tables.h"

#include <algorithm>

namespace tables {

int scaleIndexOf(double scale)
{
    for (int i = 0; i < kRangeCount; ++i)
        if (kRanges[i] == scale)
            return i;
    return kRangeCount;
}

int pulseIndexOf(double pulse)
{
    for (int i = 0; i < kPulseCount - 1; ++i)
        if (kPulses[i] == pulse)
            return i;
    return kPulseCount - 1;
}

int clampScaleIndex(int index) { return std::clamp(index, 0, kRangeCount - 1); }
int clampPulseIndex(int index) { return std::clamp(index, 0, kPulseCount - 1); }
double rangeAt(int index) { return kRanges[clampScaleIndex(index)]; }
double pulseAt(int index) { return kPulses[clampPulseIndex(index)]; }

int largestZoomFor(double scale)
{
    const int index = scaleIndexOf(scale);
    return index < kRangeCount ? kLargestZoom[index] : kLargestZoom.back();
}

} // namespace tables
