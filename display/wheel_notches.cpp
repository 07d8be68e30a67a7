#include "display/wheel_notches.h"

std::vector<int> CWheelNotches::feed(int delta)
{
    // A change of direction drops what was gathered the other way.
    if ((rest > 0 && delta < 0) || (rest < 0 && delta > 0))
        rest = 0;
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
