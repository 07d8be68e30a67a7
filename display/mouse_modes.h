#pragma once

#include "display/arr_points.h"

#include <functional>

class CDocView;
class CVarnelDoc;

// What a click or a wheel notch on a trace screen does to the document. The main screen acts by the
// document's `mouseMode`: 0 magnifier, 1 cursor 1, 2 cursor 2, 3..7 the offset of L1, L2, P1, P2, P3.
// The overview screen moves the magnified window.
namespace mouse_modes {

// A left click at `click` (sample index, signed value) on the main screen; no broadcast.
void applyClick(CVarnelDoc& doc, DataPoint click);

struct WheelResult {
    bool changed = false;       // the step did something; an update is due
    bool zoomChanged = false;   // the magnifier level changed
};

// One wheel notch with its 16-bit delta (exactly -120 steps down, anything else up); no broadcast.
WheelResult applyWheel(CVarnelDoc& doc, int delta);

// A left click on the main screen, then the update with hint 0 from `sender`.
void mainScreenClick(CVarnelDoc& doc, DataPoint click, CDocView* sender = nullptr);

// A wheel notch on the main screen. When it changed the zoom while acquisition runs,
// `restartAcquisition` runs first (the measurement form restarts with the new window); when it changed
// anything, the update with hint 0 from `sender` follows. At a limit nothing is sent. True when changed.
bool mainScreenWheel(CVarnelDoc& doc, int delta, const std::function<void()>& restartAcquisition,
                     CDocView* sender = nullptr);

// A left click at sample `x` on the overview screen centres the magnified window there; hint 0 follows.
void overviewClick(CVarnelDoc& doc, int x, CDocView* sender = nullptr);

// A wheel notch on the overview screen moves the magnified window by one overview sample, first pulling
// the centre back inside the range so the window does not stick at either end; hint 0 follows.
void overviewWheel(CVarnelDoc& doc, int delta, CDocView* sender = nullptr);

} // namespace mouse_modes
