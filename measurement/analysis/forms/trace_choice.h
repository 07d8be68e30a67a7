#pragma once

#include "measurement/analysis/sample_grid.h"

#include <cstdint>
#include <span>
#include <vector>

class CVarnelDoc;

// The samples of a shown trace as the analysis takes them: a live line's 500 window samples on the
// window's grid, a memory's 8000 samples of its file on the grid it was recorded with.
struct TraceSamples {
    std::span<const std::uint8_t> samples;
    SampleGrid grid;
};
TraceSamples traceSamples(const CVarnelDoc& doc, int trace);

// The traces the user can choose: the shown ones, in document order.
std::vector<int> shownTraces(const CVarnelDoc& doc);
