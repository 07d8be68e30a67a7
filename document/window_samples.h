#pragma once

#include "document/trace.h"

#include <array>
#include <cstdint>

class CVarnelDoc;

// What the screens and the channel table read of a trace, worked out from the document whenever it is
// asked for, so that no reader depends on a screen having been rebuilt first.

using SampleRow = std::array<std::uint8_t, kWindowSamples>;

// The 500 samples of `trace` over the document's visible window: a live line's as acquired, a memory's
// record resampled for the current range, magnifier and window. A live line's row is returned as it is
// stored; a memory's is worked out into `scratch`, which is returned.
const SampleRow& windowSamples(const CVarnelDoc& doc, int trace, SampleRow& scratch);

// The 500 samples of `trace` over the whole range: a live line's overview as acquired, a memory's
// record resampled for the current range (into `scratch`, as above).
const SampleRow& rangeSamples(const CVarnelDoc& doc, int trace, SampleRow& scratch);

// The unsigned samples of a trace under the two cursors.
struct CursorValues {
    int atCursor1 = 0;
    int atCursor2 = 0;
    friend bool operator==(const CursorValues&, const CursorValues&) = default;
};

// A cursor inside the window reads the window sample it lies in (the last one on the right edge); a
// cursor outside the magnified window reads the whole range's sample it lies in.
CursorValues cursorValues(const CVarnelDoc& doc, int trace);
