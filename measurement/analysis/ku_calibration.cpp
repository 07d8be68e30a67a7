#include "measurement/analysis/ku_calibration.h"

#include "document/units.h"
#include "files/number_text.h"

#include <cmath>

Status calibrateKu(double nominal, double length, KuCalibration& result)
{
    if (!std::isfinite(length) || length <= 0)
        return Status::failure("the length must be above 0 m, not " + numtext::fixed(length, 2) + " m",
                               "длина должна быть больше 0 м, а не " + numtext::fixed(length, 2) + " м");
    if (!std::isfinite(nominal) || nominal <= 0)
        return Status::failure("the reflection must lie beyond the start of the line (" +
                                   numtext::fixed(nominal, 2) + " nominal m)",
                               "отражение должно лежать дальше начала линии (" + numtext::fixed(nominal, 2) +
                                   " м при КУ 1.5)");
    const double ku = nominal * kReferenceKu / length;
    if (ku < kLeastKu || ku > kLargestKu)
        return Status::failure("KU " + numtext::fixed(ku, 3) + " is outside " + numtext::fixed(kLeastKu, 0) + ".." +
                                   numtext::fixed(kLargestKu, 0) + ": check the length and the reflection it belongs to",
                               "КУ " + numtext::fixed(ku, 3) + " вне допустимых пределов " +
                                   numtext::fixed(kLeastKu, 0) + ".." + numtext::fixed(kLargestKu, 0) +
                                   ": проверьте длину и отражение, к которому она относится");
    result.ku = ku;
    result.speed = speedOfKu(ku);
    return Status::success();
}
