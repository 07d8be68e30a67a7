#pragma once

// Every stored position is in nominal metres: a distance at the reference KU of the instrument's
// ranges. Real metres on a line of shortening factor KU are nominal x kReferenceKu / KU.
inline constexpr double kReferenceKu = 1.5;

// V/2 in m/us of a KU, and the KU of a V/2.
inline double speedOfKu(double ku) { return 300 / (2 * ku); }
inline double kuOfSpeed(double speed) { return 300 / (2 * speed); }
