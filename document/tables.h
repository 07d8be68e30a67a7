#pragma once

#include <array>
#include <cstddef>

// The instrument's ranges, pulses and sample spacings. Files and settings store indices into these tables.
namespace tables {

inline constexpr int kRangeCount = 11;
inline constexpr int kPulseCount = 12;

// Ranges in nominal metres (distance at KU 1.5).
inline constexpr std::array<double, kRangeCount> kRanges = {
    62.5, 125, 250, 500, 1000, 2000, 4000, 8000, 16000, 32000, 64000};

// Probe pulse widths in ns.
inline constexpr std::array<double, kPulseCount> kPulses = {
    10, 20, 50, 100, 200, 500, 1000, 2000, 5000, 10000, 20000, 50000};

// The magnifier never makes the window narrower than 62.5 nominal metres.
inline constexpr std::array<int, kRangeCount> kLargestZoom = {0, 1, 2, 3, 4, 4, 4, 4, 4, 4, 4};

// Distance between two samples of the instrument's 8000-sample full record, nominal centimetres.
inline constexpr std::array<double, kRangeCount> kRawSpacingCm = {
    12.5, 12.5, 12.5, 12.5, 12.5, 25, 50, 100, 200, 400, 800};

// The pulse each range command selects along with the range.
inline constexpr std::array<double, kRangeCount> kRangeDefaultPulse = {
    10, 20, 50, 100, 200, 500, 1000, 2000, 5000, 10000, 20000};

// First index 0..10 whose range equals `scale` exactly, else 11: the stored files depend on this rule.
int scaleIndexOf(double scale);
// First index 0..10 whose pulse equals `pulse` exactly, else 11 (the index of 50 us).
int pulseIndexOf(double pulse);

// Table entries for indices that may come from outside; out-of-table indices are clamped.
int clampScaleIndex(int index);
int clampPulseIndex(int index);
double rangeAt(int index);
double pulseAt(int index);
int largestZoomFor(double scale);

} // namespace tables
