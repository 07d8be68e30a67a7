#pragma once

#include "document/status.h"

#include <string>

// Why a KU may not enter the program (a table row, a section, an option), in the words of the message
// boxes; empty when it lies within the K.У. spin's limits (kLeastKu..kLargestKu). The KU is named as
// V/2 with `speedMode`, as the user typed or chose it.
std::string kuRangeProblem(double ku, bool speedMode);

// The same as a failure with both wordings: the English line and the Russian text above; success when the
// KU lies within the limits.
Status kuRangeCheck(double ku, bool speedMode);
