#pragma once

#include "document/line_distances.h"
#include "document/status.h"
#include "measurement/analysis/sample_grid.h"
#include "measurement/analysis/trace_alignment.h"

#include <cstdint>
#include <span>
#include <vector>

// What happened to a reflection since the baseline was taken.
enum class ChangeKind { Appeared, Vanished, Changed };

// "новое" (an echo the baseline does not have), "пропало" (one that went), "изменилось" (one that grew
// or shrank), UTF-8.
const char* changeKindText(ChangeKind kind);

struct CompareSettings {
    // A change departs from the difference's baseline by more than thresholdSigma deviations of the
    // difference's noise (that of both reflectograms). Lower than the event finder's own 4: the
    // difference is sqrt(2) times noisier than one take, and a change of 5 deviations of one take is due.
    double thresholdSigma = 3.5;
    // The largest shift between the two, in samples, the alignment looks for.
    int maxShift = 8;
};

// One change of the line: an event of the difference between a reflectogram and its baseline.
struct LineChange {
    int sample = 0;            // where the difference's leading edge starts, in the new reflectogram
    double position = 0.0;     // nominal metres of that sample
    double distance = 0.0;     // real metres, by the line's distances
    int polarity = 1;          // of the echo that came, went or changed
    double amplitude = 0.0;    // counts the difference departs by, always positive
    ChangeKind kind = ChangeKind::Changed;
};

struct BaselineComparison {
    TraceAlignment alignment;          // of the baseline onto the new reflectogram
    std::vector<LineChange> changes;   // in order of distance
    double noiseSigma = 0.0;           // of the difference, counts
};

// Compares a reflectogram of a line with its baseline, taken when the line was healthy: aligns the
// baseline (shift and gain fitted on the strongest echoes both show, or on the probe pulse when they
// share none), subtracts it, and finds the events of the difference with the event finder, sample by
// sample and averaged over half a pulse width (where a change that lasts its echo's width stands out
// of the noise of both takes); a change found in both is placed as found sample by sample. A change
// is "новое" where only the new reflectogram has an echo, "пропало" where only the baseline has one,
// "изменилось" where both do; a re-reflection of a change is no change of the line. Reflectograms of
// different ranges, pulses, windows or lengths are refused with the reason, `result` left as it was.
Status compareWithBaseline(std::span<const std::uint8_t> now, const SampleGrid& nowGrid,
                           std::span<const std::uint8_t> baseline, const SampleGrid& baselineGrid,
                           const LineDistances& distances, const CompareSettings& settings,
                           BaselineComparison& result);
