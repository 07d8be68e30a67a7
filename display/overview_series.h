#pragma once

class CScreenState;
class CVarnelDoc;

// Series building of the overview screen of the two-screen mode, which always shows the whole range and
// frames the magnified window. Series: 0 cursor 1, 1 cursor 2 (both in the foreground), 2..5 the left,
// bottom, right and top edges of the magnified window, 6..10 the traces L1, L2, P1, P2, P3 (never named).
namespace overview_screen {

inline constexpr int kFrameFirstSeries = 2;
inline constexpr int kFirstTraceSeries = 6;

// Ranges, style and the eleven series of a newly created overview screen.
void configure(CScreenState& screen, const CVarnelDoc& doc);

// The rebuild after any document update: x axis over the whole range (one KU or a section each), the
// traces' range samples (memories resampled over the range), the window frame and the cursor lines.
void rebuild(CScreenState& screen, const CVarnelDoc& doc);

// The fill at the view's initial update: one KU, traces from `overviewSamples` as stored.
void initialFill(CScreenState& screen, const CVarnelDoc& doc);

} // namespace overview_screen
