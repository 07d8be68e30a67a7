#include "document/units.h"

#include <cmath>
#include <limits>

int truncThousandths(double value)
{
    const double t = std::trunc(value * 1000);
    if (std::isnan(t))
        return 0;
    if (t >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (t <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(t);
}
