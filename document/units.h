#pragma once

// Every stored position is in nominal metres: a distance at the reference KU of the instrument's
// ranges. Real metres on a line of shortening factor KU are nominal x kReferenceKu / KU.
inline constexpr double kReferenceKu = 1.5;

// V/2 in m/us of a KU, and the KU of a V/2.
inline double speedOfKu(double ku) { return 300 / (2 * ku); }
inline double kuOfSpeed(double speed) { return 300 / (2 * speed); }

// The least and largest KU the program accepts anywhere (the limits of the K.У. spin; as V/2 150..50).
inline constexpr double kLeastKu = 1.0;
inline constexpr double kLargestKu = 3.0;
inline bool kuInRange(double ku) { return ku >= kLeastKu && ku <= kLargestKu; }

// trunc(value x 1000) as the files and settings store it: toward zero, never rounded. Values beyond
// the 32-bit range saturate and NaN gives 0, so no conversion is undefined.
int truncThousandths(double value);
