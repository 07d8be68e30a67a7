#include "measurement/analysis/ku_calibration.h"

#include "document/units.h"
#include "files/number_text.h"

#include <cmath>

Status calibrateKu(double nominal, double length, KuCalibration& result)
{
    if (!std::isfinite(length) || length <= 0)
        return Status::failure("the length must be above 0 m, not " + numtext::fixed(length, 2) + " m");
    if (!std::isfinite(nominal) || nominal <= 0)
        return Status::failure("the reflection must lie beyond the start of the line (" +
                               numtext::fixed(nominal, 2) + " nominal m)");
    const double ku = nominal * kReferenceKu / length;
    if (ku < kLeastKu || ku > kLargestKu)
        return Status::failure("KU " + numtext::fixed(ku, 3) + " is outside " + numtext::fixed(kLeastKu, 0) + ".." +
                               numtext::fixed(kLargestKu, 0) + ": check the length and the reflection it belongs to");
    result.ku = ku;
    result.speed = speedOfKu(ku);
    return Status::success();
}
