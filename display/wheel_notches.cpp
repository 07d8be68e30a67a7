#include "display/wheel_notches.h"

std::vector<int> CWheelNotches::feed(int delta, std::uint64_t timeMs)
{
    // A change of direction drops what was gathered the other way; a pause drops it too, so a stray
    // piece of a notch cannot complete a step long after the user stopped scrolling.
    if ((rest > 0 && delta < 0) || (rest < 0 && delta > 0) || timeMs - lastMs > kPauseMs || timeMs < lastMs)
        rest = 0;
    lastMs = timeMs;
    rest += delta;
    std::vector<int> steps;
    while (rest >= kNotch) {
        steps.push_back(kNotch);
        rest -= kNotch;
    }
    while (rest <= -kNotch) {
        steps.push_back(-kNotch);
        rest += kNotch;
    }
    return steps;
}
