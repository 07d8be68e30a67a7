#pragma once

#include "document/trace.h"

#include <array>
#include <cstdint>

// Samples of a memory's full record for 500 screen samples of a window of the current range that starts
// at `left` nominal metres and is magnified `zoom` times; where the record ends the samples are 0. A
// memory or current range outside the range table gives all zeros.
void resampleMemory(const Trace& memory, double scale, int zoom, double left,
                    std::array<std::uint8_t, kWindowSamples>& out);

// Full-record samples per screen sample of the whole range `scale` (1, 2, 4, 8, then 16); 0 for a
// range outside the table.
int rawPerScreenSample(double scale);
