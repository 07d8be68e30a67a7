#pragma once

#include <span>

// The standard deviation of a trace's noise in counts, from the trace itself: the spread of the
// differences of neighbouring samples, clipped at 3.5 deviations so that the few steep edges of
// reflections do not inflate it, divided by sqrt(2). Differences touching a sample at the limits of
// the 8-bit range (-128, 127) are left out: a clipped stretch is flat, not quiet. Assumes noise that
// is independent from sample to sample. Fewer than 8 usable differences give 0.
double estimateNoiseSigma(std::span<const double> levels);
