#pragma once

#include "display/screen_state.h"
#include "document/trace.h"
#include "document/window_samples.h"

#include <array>
#include <cstdint>

class CVarnelDoc;

// Pieces of series building shared by the main and the overview screen.
namespace screen_series {

inline constexpr int kCursor1Series = 0;
inline constexpr int kCursor2Series = 1;

// Samples are drawn as signed values.
inline int signedSample(std::uint8_t v) { return static_cast<std::int8_t>(v); }

// Grid and both label sets on; y -128..127 over 255 units with labels -128..127; x 0..500 over 500
// units (one unit is one sample); x labels 0..`scale`.
void configureTraceScreen(CScreenState& screen, double scale);

// The base trace of the difference mode, or none when the mode is off or no base is chosen.
const Trace* differenceBase(const CVarnelDoc& doc);

// Points (j, y) of a 500-point trace series from `own` plus `yOffset`; with a base, base - own + yOffset.
// Every value is clamped to the screen's y range.
void fillTraceSeries(CScreenState& screen, int series, const std::array<std::uint8_t, kWindowSamples>& own,
                     const std::array<std::uint8_t, kWindowSamples>* base, int yOffset);

// Whether a trace is drawn at all: it is shown and (for a live line) available.
inline bool drawn(const Trace& t) { return t.shown && t.available; }

// The 500 samples of trace `trace` that a screen draws, worked out from the document (into `scratch`
// where they are not stored as they are drawn).
using RowOf = const SampleRow& (*)(const CVarnelDoc& doc, int trace, SampleRow& scratch);
// The rows as the traces store them, for the fill before the first document update.
const SampleRow& storedWindowRow(const CVarnelDoc& doc, int trace, SampleRow& scratch);
const SampleRow& storedRangeRow(const CVarnelDoc& doc, int trace, SampleRow& scratch);

// Series firstSeries + t for every trace t: a drawn trace gets `flags` and its row plus its offset
// (taken from `base`'s row when a difference base is given); a trace that is not drawn is hidden.
void fillTraces(CScreenState& screen, const CVarnelDoc& doc, int firstSeries, int flags, RowOf row,
                const Trace* base);

// Column of a position in a window starting at `left` with `sampleWidth` nominal metres per sample,
// rounded half up.
int cursorColumn(double position, double left, double sampleWidth);

// A vertical line series at column x from the bottom to the top of the y range.
void setVerticalLine(CScreenState& screen, int series, int x);

} // namespace screen_series
