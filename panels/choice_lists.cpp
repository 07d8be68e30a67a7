#include "panels/choice_lists.h"

#include "document/tables.h"

#include <cmath>

namespace {

std::vector<std::string> powersOfTwo(int highest)
{
    std::vector<std::string> entries;
    for (int j = 0; j <= highest; ++j)
        entries.push_back(std::to_string(static_cast<int>(std::pow(2.0, j))));
    return entries;
}

} // namespace

std::vector<std::string> magnifierEntries(double scale) { return powersOfTwo(tables::largestZoomFor(scale)); }

std::vector<std::string> averagingEntries() { return powersOfTwo(kAveragingCount - 1); }
