#pragma once

#include <cstdint>
#include <vector>

// Turns the wheel deltas a window system delivers (a touchpad sends pieces of a notch, a fast wheel
// several notches at once) into one step value of -120 or +120 per whole notch, as the mouse modes and
// the document's stepping expect: a notch down would otherwise read as a step up.
class CWheelNotches {
public:
    static constexpr int kNotch = 120;
    static constexpr std::uint64_t kPauseMs = 200;   // a partial notch older than this is forgotten

    // The step values of the whole notches completed by `delta`, which arrived at `timeMs` (the event's
    // time stamp); the remainder waits for the next delta, but not across a pause.
    std::vector<int> feed(int delta, std::uint64_t timeMs);
    // Forgets a partial notch, e.g. when the pointer leaves the window.
    void reset() { rest = 0; }

private:
    int rest = 0;
    std::uint64_t lastMs = 0;
};
