#pragma once

#include "measurement/analysis/edge_fit.h"
#include "measurement/analysis/sample_grid.h"

#include <optional>
#include <span>
#include <vector>

struct EventFinderSettings;
struct ReflectionEvent;

// The stages of the event finder (CEventFinder), each a function of values so that each rule can be
// tried alone: where the probe pulse ends and how high it is, the comparison's noise and threshold,
// the baseline scan that finds the echoes, the starts of their leading edges, and what the events are.
// The probe's slow tail is taken off by removeProbeRecovery and the noise measured by
// estimateNoiseSigma before the scan. Levels are signed sample values (sampleLevel).

// --- The probe pulse ---

// The first sample after the probe pulse and its trailing edge: 1.5 pulse widths + 2 nominal metres
// from the start of the line (count when all of the samples lie under it).
int firstAfterProbe(const SampleGrid& grid, int count);
// The probe pulse's amplitude: its top level (samples before `first`) over the median level of the
// rest. None when it does not rise above that level or nothing follows it.
std::optional<double> probePulseAmplitude(std::span<const double> level, int first);

// --- Noise and threshold ---

// Lengths in samples that follow the echo's width: what changes more slowly than an echo rises and
// falls is drift of the baseline, what changes faster may be a reflection.
struct EchoScales {
    int window;   // the baseline: the median of up to this many quiet samples,
    int least;    // of at least this many,
    int gap;      // ending this far before the sample tested, so the foot of a slow edge stays out of it
    int quiet;    // quiet line before a leading edge and after a trailing one that the edge fit sees
};
EchoScales echoScales(double echoSamples);

// The noise of a trace as the scan meets it, measured on the trace itself (measureScanNoise).
struct ScanNoise {
    double sigma = 0.0;         // deviation of one sample around its local level
    double compared = 0.0;      // deviation of the averaged trace from a full baseline window's median;
                                // 0: worked out from sigma as for noise independent from sample to sample
    double correlation = 0.0;   // of neighbouring samples (0 for white noise, near 1 for a slow receiver)
};

// What the scan compares with what: the averaged trace against the median of quiet samples before it.
struct ScanRules {
    double echoSamples = 0.0;   // the probe pulse's width in samples
    EchoScales scales{};
    int minRun = 1;             // samples a departure lasts before it is an echo
    int smoothing = 1;          // samples averaged: 3 for an echo at least 6 samples wide
    double sigma = 0.0;         // noise deviation of one sample
    double thresholdSigma = 0.0;
    double minCounts = 0.0;
    ScanNoise noise{};
    double origin = 0.0;        // samples of line ahead of the trace's first sample (a magnified window)

    // Counts a sample must depart by from a baseline of `baselineCount` samples: thresholdSigma
    // deviations of the averaged trace's noise and the median's scatter together, at least minCounts.
    // Noise correlated between neighbours stays up for several samples at a time, so that a run of
    // minRun samples proves less: the deviations grow with the correlation.
    double threshold(int baselineCount) const;
};
ScanRules scanRules(double echoSamples, double sigma, const EventFinderSettings& settings, const ScanNoise& noise = {});

// The noise the scan compares against, from the trace after `first`: the departures of the averaged
// trace (`trace`) from the median of the baseline window before each sample, as the scan takes them,
// in blocks of half a window (at least 32 samples). The quietest quarter of the blocks gives a first
// guess that marks the echoes (departures beyond 6 of its deviations) with a window before each and
// three after, where an echo still returns through its tail; the blocks clear of them, and of clipped
// samples (a clipped stretch is flat, not quiet), give the RMS departure. The one-sample deviation and
// the neighbours' correlation come from the same blocks' levels around their medians. Zeros when fewer
// than three blocks are clear.
ScanNoise measureScanNoise(std::span<const double> level, std::span<const double> trace, int first, const EchoScales& scales);

// Where the probe's tail (its undershoot and ringing) really ends: the first candidate sample from `first`
// on (a quarter of the baseline's gap apart) from which a scan would see the averaged trace settled - within
// `band` of the median of its first 16 samples, then of the scan's own baseline as that fills, for a
// window and half a window more (at least 16 samples), all but a fifth of its samples; a slow drift of
// the line stays within the band, as the baseline follows it. Or, when a sharp departure (beyond twice
// the band for minRun samples) follows at least 16 settled samples, the candidate too if that departure
// is an echo's leading edge: it rises by 1.5 bands from the band within a few samples and the trace comes
// back to where it was within two windows (within the band, or within a quarter of the rise for a strong
// echo, which returns through its own tail while the line drifts), as the ringing's swing, an
// undershoot's creeping back and the line after an echo's trailing edge do not. `trace.size()` when it never settles.
int probeTailEnd(std::span<const double> level, std::span<const double> trace, int first, double band, int minRun,
                 const EchoScales& scales);

// The trace averaged over `width` samples (shorter at its ends).
std::vector<double> smoothedTrace(std::span<const double> level, int width);

// --- The baseline scan ---

// One echo the scan found: where the trace departed from its baseline, and what followed.
struct EchoSpan {
    int start = 0;            // first sample of the departure of the averaged trace
    int sign = 0;             // +1 above the baseline, -1 below
    double base = 0.0;        // the baseline it departed from,
    int baseCount = 0;        // a median of that many samples
    bool held = false;        // the baseline held from before the echo ahead: too few quiet samples followed it
    double threshold = 0.0;
    int quietFrom = 0;        // first sample of the quiet line before it
    int end = 0;              // first sample after the echo
    bool shift = false;       // the trace never came back: the baseline starts afresh after it
    double peak = 0.0;
    double amplitude = 0.0;   // the level of its top
    int top = 0;              // first sample of the leading edge at 90 % of the amplitude
    int lastTop = 0;          // last sample of the echo at 90 % of the amplitude
    int quietTo = 0;          // end of the quiet line after it, where the next echo begins
    int trailTo = 0;          // end of the quiet line after its own trailing edge; 0 when that was not seen
                              // (a level shift, or cut off by the end of the trace)
};

// The echoes of a trace after the probe (from `first`), in order. `level` is the trace with the probe's
// tail taken off, `trace` the same averaged over rules.smoothing samples.
//
// The local baseline of a sample is the median of the quiet samples before it (window of them, at
// least `least`), ending `gap` samples before it: samples after the probe and after the last echo.
// Until enough such samples follow an echo, the median of the quiet samples since the echo is the
// baseline once there are 8 of them (the line may have drifted while the echo lasted), before that the
// baseline from before that echo holds. An echo lasts
// until the trace is back within half the threshold for minRun samples; one that has not come back
// after 1.5 widths (longer while its trailing edge is still coming back, up to 4) is a level shift,
// and the baseline after it starts from its last samples. Echoes that overlap without the trace
// coming back between them are one (the event dead zone).
std::vector<EchoSpan> findEchoes(std::span<const double> level, std::span<const double> trace, int first,
                                 const ScanRules& rules);

// How far the probe's tail strays from the line, as shares of the probe's height: with the pulse's sign
// (the ringing) and against it (the undershoot and the ringing).
struct TailShares {
    double same = 0.0;
    double opposite = 0.0;
};

// An echo comes back to the baseline through the probe's own tail, scaled to its height: a lobe that
// begins within `tailSpan` samples after an echo ends is part of the echo, not an event of its own,
// when that tail (the share of the echo's amplitude for the lobe's sign against the echo's) lifts the
// trace by half the threshold or more and the lobe is no higher than the tail plus half the threshold;
// or, measured against the baseline held from before the echo (which the line may have drifted from
// meanwhile), when it is no higher than the tail plus the threshold. A fainter tail cannot make a
// lobe: a departure after it is an echo of its own.
void mergeEchoReturns(std::vector<EchoSpan>& echoes, int tailSpan, TailShares tailShares);

// An echo too faint to cross the threshold still moves the baseline while it lasts, and the trace's
// return from it then crosses it the other way. A departure that only brings the trace back to the level
// the line had before the baseline window (the window's length earlier, an echo's width apart) is
// such a return, not an event: dropped. `first` is where the scan began.
void dropFaintReturns(std::vector<EchoSpan>& echoes, std::span<const double> level, int first, const ScanRules& rules);

// --- The edges ---

// The start of every echo's leading edge, in samples: the knee of the pulse fitted to both edges,
// rounded. The line's dispersion widens the echoes in proportion to the way travelled: the strongest
// echo's trailing edge, placed on its own, tells by how much, and every echo's pulse is widened so. The rise of an echo at least twice as high as another bounds the other's rise - from above
// when the other lies nearer, from below when farther; the other echoes' rises, a straight line along
// the line weighted by their strength, keep a weaker echo's rise near that law.
std::vector<int> echoStarts(std::span<const double> level, const std::vector<EchoSpan>& echoes, const ScanRules& rules);

// One echo's rise where it lies on the line (x samples from the echo weighed), and its height.
struct RiseSample {
    double x = 0.0;
    double rise = 0.0;
    double amplitude = 0.0;
};
// The rise law at x = 0 from the other echoes: the straight line through their rises weighted by the
// square of their heights, never falling along the line, held within the rises it comes from. None
// when they are together weaker than an echo of `amplitude`.
std::optional<double> riseLaw(const std::vector<RiseSample>& others, double amplitude);

// --- The events ---

// Marks the re-reflections: an event at k (2, 3...) times the position of a stronger, earlier event of the
// line, within `width` (nominal metres), with the sign the k-th return of that event has (a short's
// returns keep their sign, an open's alternate) and, with the probe's amplitude, no higher than such a
// return can be (amplitude^k / probe^(k-1), half again for the clipped probe's and the fit's error, plus
// `slack` counts). Every return loses the same share at the instrument, so where the strongest event's
// second return is seen (a2 of amplitude a1), no return is higher than half again amplitude^k x
// (a2 / a1^2)^(k-1) plus `slack` either: a clipped probe's height says less. Positions are measured from
// the instrument (the grid's position).
void markMultiples(std::vector<ReflectionEvent>& events, double width, std::optional<double> probeAmplitude, double slack);

// Marks the end of the line (the last positive event of the line at least half as large as the largest,
// re-reflections left out; none on a shorted line) and, with the probe's amplitude, each event's return loss.
void classifyEvents(std::vector<ReflectionEvent>& events, std::optional<double> probeAmplitude);
