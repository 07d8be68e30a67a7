#pragma once

#include <vector>

// The receiver recovers slowly from the probe pulse: after it the trace creeps back to the flat line
// along a decaying exponential, which a local baseline cannot follow without lagging behind it.
// Fits level = c + a exp(-(k - first) / tau) to medians of blocks of `block` samples over `fitSpan`
// samples from `first` on (the whole trace when 0; medians, and a fit that drops blocks far off the
// curve, so echoes do not pull it) and subtracts the exponential part from every level from `first` on.
// Nothing changes when the fit explains the trace no better than a flat line does. Returns the
// recovery's size at `first` (a), 0 when none. A span a few times the recovery long keeps a slow bump
// of the line far away from posing as a recovery that has not ended. Where echoes filling much of the
// span keep that fit from any recovery, a second one, started from medians and refitted on the blocks
// near its curve, may stand in: only below the line, decaying slower than twice `slowestTail` samples
// (the probe's own tail, which the scan skips) and following the blocks right after the probe.
double removeProbeRecovery(std::vector<double>& level, int first, int block, int fitSpan = 0, double slowestTail = 0.0);
