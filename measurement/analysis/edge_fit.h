#pragma once

#include <span>

// Where the leading edge of an echo begins. `lead` holds the samples from `leadFrom` on: the quiet line
// before the echo, its leading edge and the start of its top; `trail` (may be empty) the end of its top
// and its trailing edge, back to the quiet line. Values are counts away from the baseline, in the
// echo's direction. Both edges are modelled as ramps of one rise time - the echo is the probe pulse,
// so both of its edges take as long - and fitted by least squares, each with its own level: the
// trailing edge pins down the rise, which makes the knee of a faint leading edge steadier. Returns
// the knee of the leading ramp, in fractional samples.
double fitEchoStart(std::span<const double> lead, int leadFrom, std::span<const double> trail);
