#pragma once

#include <vector>

// Turns the wheel deltas a window system delivers (a touchpad sends pieces of a notch, a fast wheel
// several notches at once) into one step value of -120 or +120 per whole notch, as the mouse modes and
// the document's stepping expect: a notch down would otherwise read as a step up.
class CWheelNotches {
public:
    static constexpr int kNotch = 120;

    // The step values of the whole notches completed by `delta`; the remainder waits for the next delta.
    std::vector<int> feed(int delta);
    // Forgets a partial notch, e.g. when the pointer leaves the window.
    void reset() { rest = 0; }

private:
    int rest = 0;
};
