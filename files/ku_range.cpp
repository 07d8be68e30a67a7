#include "files/ku_range.h"

#include "document/units.h"
#include "files/number_text.h"

#include <cmath>

std::string kuRangeProblem(double ku, bool speedMode)
{
    if (kuInRange(ku))
        return {};
    const double shown = speedMode ? speedOfKu(ku) : ku;
    const int decimals = speedMode ? 1 : 3;
    // A value no one could read in full (1e308) is not repeated.
    const bool readable = std::isfinite(shown) && std::fabs(shown) < 1e6;
    const std::string name = speedMode ? "V/2" : "КУ";
    const std::string low = numtext::fixed(speedMode ? speedOfKu(kLargestKu) : kLeastKu, decimals);
    const std::string high = numtext::fixed(speedMode ? speedOfKu(kLeastKu) : kLargestKu, decimals);
    return "Значение " + name + (readable ? " " + numtext::fixed(shown, decimals) : std::string()) +
           " вне допустимых пределов: от " + low + " до " + high;
}
