#pragma once

#include "display/arr_points.h"

class CScreenState;
class CVarnelDoc;

// Series building of the measurement form's main screen, which shows the visible (magnified) window.
// Series: 0 cursor 1, 1 cursor 2 (both in the foreground), 2..6 the traces L1, L2, P1, P2, P3, 7 and 8
// the lowest and the highest level of the watched line (only while a fault watch runs), from 9 on the
// marks of the event list's events (in the foreground, added as many as there are events).
namespace main_screen {

inline constexpr int kFirstTraceSeries = 2;
inline constexpr int kEnvelopeLowSeries = 7;
inline constexpr int kEnvelopeHighSeries = 8;
inline constexpr int kFirstMarkSeries = 9;
// A mark rises this many data units from the trace's level at the event's start, numbered at its top.
inline constexpr int kMarkHeight = 24;

// Ranges, style and the nine series of a newly created main screen.
void configure(CScreenState& screen, const CVarnelDoc& doc);

// The rebuild after a document update: x axis (one KU or axis sections), the traces' window samples
// (memories resampled into the window) with offsets and the difference mode, the cursor lines.
void rebuild(CScreenState& screen, const CVarnelDoc& doc);

// The event mark (its index in the document's marks) a click at `at` (data units) falls on, the
// nearest one along x within a few columns of it and between its foot and its number; -1 for none.
int eventMarkAt(const CScreenState& screen, DataPoint at);

// The fill at the form's initial update: the whole range with one KU, traces as stored.
void initialFill(CScreenState& screen, const CVarnelDoc& doc);

} // namespace main_screen
