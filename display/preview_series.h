#pragma once

struct Trace;
class CScreenState;

// Series building of the library panel's preview screen: one reflectogram file over its own range.
// Series 0 and 1 are foreground cursor lines that the preview never places; series 2 is the trace.
namespace preview_screen {

inline constexpr int kTraceSeries = 2;

// Ranges, style and the three visible series of a newly created preview screen.
void configure(CScreenState& screen);

// Full-record samples per preview sample of a file recorded at `memScale` (1, 2, 4, 8, then 16); 0 for
// a range outside the table.
int sampleStep(double memScale);

// Shows `preview` (a file read into a Trace): x labels from 0 to its range in real metres at its KU,
// every step-th sample of its record as the trace series.
void fill(CScreenState& screen, const Trace& preview);

} // namespace preview_screen
