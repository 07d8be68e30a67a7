#pragma once

#include "document/status.h"
#include "document/units.h"

// A KU found from a cable of known length.
struct KuCalibration {
    double ku = 0.0;
    double speed = 0.0;   // V/2 in m/us: 150 / KU
};

// The KU that puts a reflection at `nominal` metres (its distance at KU 1.5) at `length` real metres:
// KU = nominal x 1.5 / length. A length that is not above 0, or a KU outside 1..3 (a wrong length or
// the wrong reflection), is refused with the reason and `result` is left as it was.
Status calibrateKu(double nominal, double length, KuCalibration& result);
