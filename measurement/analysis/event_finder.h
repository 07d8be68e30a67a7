#pragma once

#include "document/line_distances.h"
#include "measurement/analysis/sample_grid.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

struct EventFinderSettings {
    // A reflection departs from the local baseline by more than thresholdSigma noise deviations and
    // at least minCounts counts, for at least minRun consecutive samples.
    double thresholdSigma = 4.0;
    double minCounts = 3.0;
    int minRun = 4;
    // The probe pulse's amplitude in counts, for a window that does not hold the probe (a magnified
    // live window); without it such a window's events carry no return loss.
    std::optional<double> probeAmplitude;
};

// One reflection of a reflectogram.
struct ReflectionEvent {
    int sample = 0;            // where the leading edge starts (not the peak): distances are taken here
    double position = 0.0;     // nominal metres of that sample
    double distance = 0.0;     // real metres, by the line's distances (KU or section grid)
    int polarity = 1;          // +1 higher impedance (open, break), -1 lower (short, wet splice)
    double amplitude = 0.0;    // counts from the local baseline to the echo's peak, always positive
    // 20 log10(probe amplitude / amplitude). A probe clipped at the top of the 8-bit range (a high
    // gain) is measured at its clipped level, so the return loss then reads low.
    std::optional<double> returnLossDb;
    bool end = false;          // the end of the line: the last large positive event
    // A re-reflection (ghost): the echo of a stronger, nearer event come back k times its distance
    // after bouncing off the instrument; 0 for an event of the line itself.
    int multiple = 0;
};

struct EventReport {
    std::vector<ReflectionEvent> events;   // in order of distance
    double noiseSigma = 0.0;    // counts, of one sample
    double threshold = 0.0;     // counts, with a full baseline window
    int firstSample = 0;        // the first sample after the probe pulse
    std::optional<double> probeAmplitude;
};

// Finds the reflections of a reflectogram: the 8000 samples of a file or memory, or a 500-sample live
// window, each placed on the line by its SampleGrid and measured in real metres by LineDistances.
// The stages it runs are in event_stages.h. Lengths below that follow the echo's width W,
// the probe pulse's width in samples: what changes more slowly than an echo is drift, not an event.
//
// - Levels are the signed sample values (sampleLevel). The probe pulse and its trailing edge, up to
//   1.5 pulse widths + 2 nominal metres from the start of the line, are skipped; its amplitude is its
//   peak over the median level of the rest. The receiver's slow recovery after it is fitted as a
//   decaying exponential over the first 16 baseline windows and taken off (removeProbeRecovery). The
//   probe's undershoot and ringing last longer: the scan starts where a scan would see the trace
//   settled within half the threshold (probeTailEnd).
// - The noise is measured as the scan compares it (measureScanNoise): the averaged trace's departures
//   from its baseline, in blocks clear of echoes, with the neighbours' correlation; a trace too short
//   for that falls back on the spread of neighbouring differences (estimateNoiseSigma).
// - The local baseline of a sample is the median of the quiet samples before it (W of them, at least
//   32), ending W/4 (at least 2) samples before it: samples after the probe and after the last echo;
//   a median of integer readings spread over their count, so it falls between counts, plus the mean
//   fraction of a count the recovery taken off added to them. Until enough
//   such samples follow an echo, the quiet samples since the echo are the baseline once there are 8
//   of them; before that the baseline from before that echo holds.
// - For an echo at least 6 samples wide the trace is averaged over 3 samples; the threshold counts in
//   deviations of what is compared (the averaged trace's noise and the baseline median's scatter).
// - An echo lasts until the trace is back within half the threshold for minRun samples. One that has
//   not come back after 1.5 W (longer while its trailing edge is still coming back, up to 4 W) is a
//   level shift: the baseline starts afresh after it. Reflections whose echoes overlap without the
//   trace coming back between them merge into the first (the event dead zone).
// - The start is the knee of the leading edge (fitEchoStart: the pulse fitted to both edges, which end
//   where the trace reaches 90 % of the top's level), rounded to the nearest sample; the pulse is
//   widened by the line's dispersion, as the strongest echo's trailing edge shows it, in proportion to
//   the way travelled. The amplitude is the median level of the echo's top, not its noisy peak.
//   The rise of an echo at least twice as high as another bounds the other's rise - from above when
//   the other lies nearer, from below when farther - since dispersion only lengthens edges along the
//   line. The other echoes' rises, a straight line along the line weighted by their strength, keep
//   the rise of an echo weaker than all of them together within 0.75 samples of that law (more as
//   they are weaker).
// - Every echo returns to the baseline through the probe's tail, scaled to its height: a lobe within
//   that tail's length after it, no higher than the tail's share of it (plus half the threshold, or the
//   whole threshold against the baseline held from before the echo), is part of it; so is the
//   trailing edge of a dispersed echo taken for a level shift, and the return from an echo too faint
//   to cross the threshold is no event (mergeEchoReturns, dropFaintReturns).
// - An event at k times the position of a stronger, nearer one, with the sign of its k-th return and
//   no higher than that (by the probe, and by the share the line's strongest event loses on its second
//   return), is a re-reflection: `multiple` k (markMultiples).
// - The end of the line is the last positive event of the line (not a re-reflection) at least half as
//   large as the largest event; a line without one (a shorted end) has no end event.
class CEventFinder {
public:
    explicit CEventFinder(EventFinderSettings settings = {});

    EventReport find(std::span<const std::uint8_t> samples, const SampleGrid& grid,
                     const LineDistances& distances) const;

    const EventFinderSettings& settings() const { return config; }

private:
    EventFinderSettings config;
};
