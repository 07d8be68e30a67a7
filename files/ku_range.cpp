#include "files/ku_range.h"

#include "document/units.h"
#include "files/number_text.h"

#include <cmath>

Status kuRangeCheck(double ku, bool speedMode)
{
    if (kuInRange(ku))
        return Status::success();
    const double shown = speedMode ? speedOfKu(ku) : ku;
    const int decimals = speedMode ? 1 : 3;
    // A value no one could read in full (1e308) is not repeated.
    const bool readable = std::isfinite(shown) && std::fabs(shown) < 1e6;
    const std::string name = speedMode ? "V/2" : "КУ";
    const std::string low = numtext::fixed(speedMode ? speedOfKu(kLargestKu) : kLeastKu, decimals);
    const std::string high = numtext::fixed(speedMode ? speedOfKu(kLeastKu) : kLargestKu, decimals);
    const std::string value = readable ? " " + numtext::fixed(shown, decimals) : std::string();
    return Status::failure((speedMode ? "V/2" : "KU") + value + " out of range: " + low + " to " + high,
                           "Значение " + name + value + " вне допустимых пределов: от " + low + " до " + high);
}

std::string kuRangeProblem(double ku, bool speedMode)
{
    const Status s = kuRangeCheck(ku, speedMode);
    return s ? std::string() : s.userReason();
}
