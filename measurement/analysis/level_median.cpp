#include "measurement/analysis/level_median.h"

#include <algorithm>

void CLevelMedian::clear()
{
    bins.fill(0);
    total = 0;
    mid = kOffset;
    below = 0;
}

void CLevelMedian::add(int level)
{
    const int bin = std::clamp(level + kOffset, 0, 255);
    ++bins[static_cast<std::size_t>(bin)];
    ++total;
    if (bin < mid)
        ++below;
}

void CLevelMedian::remove(int level)
{
    const int bin = std::clamp(level + kOffset, 0, 255);
    --bins[static_cast<std::size_t>(bin)];
    --total;
    if (bin < mid)
        --below;
}

double CLevelMedian::median()
{
    if (total == 0)
        return 0.0;
    // Move `mid` to the bin holding the level of rank (total - 1) / 2, counted from 0.
    const int rank = (total - 1) / 2;
    while (below > rank)
        below -= bins[static_cast<std::size_t>(--mid)];
    while (below + bins[static_cast<std::size_t>(mid)] <= rank)
        below += bins[static_cast<std::size_t>(mid++)];
    const double lower = mid - kOffset;
    if (total % 2 == 1 || below + bins[static_cast<std::size_t>(mid)] > rank + 1)
        return lower;
    int upper = mid + 1;
    while (bins[static_cast<std::size_t>(upper)] == 0)
        ++upper;
    return (lower + (upper - kOffset)) / 2;
}

double CLevelMedian::groupedMedian()
{
    if (total == 0)
        return 0.0;
    median();   // `mid` holds the middle level, `below` the levels under it
    const double half = total / 2.0;
    return mid - kOffset - 0.5 + (half - below) / bins[static_cast<std::size_t>(mid)];
}
