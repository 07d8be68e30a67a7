#pragma once

#include <optional>
#include <span>
#include <vector>

// How a reflectogram lies against another of the same line: shifted along it by `shift` samples (a
// different lead, a different start) and scaled by `gain` (a different gain or probe). A level of the
// other at sample k - shift, times gain, is the level of this one at sample k.
struct TraceAlignment {
    double shift = 0.0;
    double gain = 1.0;
};

// A stretch of samples [first, last) of the reflectogram being aligned.
struct SampleRange {
    int first = 0;
    int last = 0;
};

// The level of `trace` at fractional sample `x`, interpolated through its four nearest samples
// (Catmull-Rom, so a sample's own level is kept); the ends hold their edge samples.
double levelAt(std::span<const double> trace, double x);

// Fits `trace` ~ gain x `reference`(k - shift) over `regions` of `trace` by least squares: the whole
// shift among -maxShift..maxShift, then its fraction to a fiftieth of a sample. Samples clipped at the
// 8-bit limits in either trace say nothing of the gain and are left out. With `residualSigma`, the
// deviation the residual has where the two agree, a region whose residual stays above twice that
// after the fit (an echo that changed) is left out and the others fitted again, the worst first, as
// long as one remains. None when the regions hold no level of the reference to scale.
std::optional<TraceAlignment> fitAlignment(std::span<const double> trace, std::span<const double> reference,
                                           std::span<const SampleRange> regions, int maxShift,
                                           double residualSigma = 0.0);
