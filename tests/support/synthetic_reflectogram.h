#pragma once

#include "files/reflectogram_file.h"

#include <cstdint>
#include <random>
#include <vector>

struct EventReport;

// Synthetic reflectograms with known reflections, for the event finder's tests and benchmark.
// Positions are in samples of the 8000-sample record, at the raw spacing of the scene's range.

enum class EdgeShape { Linear, RaisedCosine, Exponential };

struct SyntheticEcho {
    double start = 0.0;       // where the leading edge begins (fractional samples)
    double amplitude = 0.0;   // signed counts of the echo's flat top
    int multiple = 0;         // a re-reflection: k times the distance of a stronger echo (0: a real one)
};

struct SyntheticScene {
    int scaleIndex = 0;              // the range; the probe pulse is that range's own pulse
    double noiseSigma = 2.0;         // Gaussian noise, counts
    double probeAmplitude = 100.0;   // above 127 the probe is clipped, as at a high gain
    double recovery = 6.0;           // counts the receiver lies below the flat line just after the probe
    EdgeShape shape = EdgeShape::Linear;
    double rise = 2.0;               // samples the leading edge takes at the start of the line
    double risePerKiloSample = 0.5;  // dispersion: more samples of rise per 1000 samples travelled
    std::vector<SyntheticEcho> echoes;   // in order of start
    std::uint64_t seed = 1;

    // What a measured line adds; all of it off by default, as in the first, idealised scenes.
    double noiseCorrelation = 0.0;   // of neighbouring noise samples: a receiver slower than the sample rate
    double undershoot = 0.0;         // share of a pulse's height its tail dips by, decaying over a pulse width,
    double ringing = 0.0;            // and rings with (period of a pulse width, decaying over half of it):
                                     // the probe's and, scaled, every echo's
    double widenPerKiloSample = 0.0; // dispersion: the echo's width grows by this share per 1000 samples
    double sourceReflection = 0.0;   // the instrument's reflection coefficient (negative: lower impedance);
                                     // with it each echo comes back again at 2, 3... times its distance
    double driftAmplitude = 0.0;     // a slow bump of the baseline, counts,
    double driftCentre = 0.0;        // centred here (samples)
    double driftWidth = 0.0;         // with this deviation (samples)
};

// Samples of the probe pulse's echo: the range's pulse width at its raw spacing.
double echoSamples(int scaleIndex);

// The re-reflections of a scene's echoes between the line and the instrument, at least `least` counts
// high and within the record: the k-th return of an echo of reflection coefficient r = amplitude /
// probe carries probe * r^k * sourceReflection^(k-1), so the same sign behind a short, alternating
// behind an open.
std::vector<SyntheticEcho> ghostEchoes(const SyntheticScene& scene, double least);

// The first sample after which the probe's tail (undershoot and ringing) stays within one noise deviation.
double probeTailEnd(const SyntheticScene& scene);

// The record of a scene: the probe pulse from 0 with a slow receiver recovery after it, each echo as a
// pulse of the probe's width with edges of the scene's shape (the edge's rise grows along the line),
// Gaussian noise, levels rounded and clipped to -128..127.
ReflectogramRecord renderScene(const SyntheticScene& scene);

// A scene on range `scaleIndex` with `count` echoes (1..5) of random polarity and start, each at least
// `leastSigmas` noise deviations high, none overlapping another's echo, all after the probe's dead zone
// and within the range, on a probe of 60..140 counts with a recovery of 2..40 counts. With `withEnd`,
// the last echo is an open end twice as high as any other.
SyntheticScene randomScene(std::mt19937_64& rng, int scaleIndex, int count, double noiseSigma, double leastSigmas,
                           bool withEnd);

// How a line is measured: a moderate gain (probe of 80..120 counts, faults of 4..9 counts, noise of
// 0.4..0.6 counts) or a high one (probe of 150..300 counts clipped at the top, faults of 15..35
// counts, noise of 1.2..1.8 counts). Either on noise correlated between neighbours, a ringing probe
// with an undershoot, a slow bump of the baseline, dispersion and the re-reflections of a strong end.
enum class Gain { Moderate, Clipping };

// A measured-like scene on range `scaleIndex`: `faults` weak echoes (0..4) of random polarity after the
// probe's tail, then a strong end of the line (an open or a short) at up to half the covered samples,
// so that its re-reflections follow it.
SyntheticScene measuredScene(std::mt19937_64& rng, int scaleIndex, int faults, Gain gain);

// How a finder's report matches a scene.
struct AccuracyTally {
    int echoes = 0;
    int found = 0;
    int missed = 0;
    int falseEvents = 0;
    double worstOffset = 0.0;   // samples between a found start and the true start
    int endsMissed = 0;         // scenes with an open end whose end event was not that echo

    void add(const AccuracyTally& t);
};

// An event matches the nearest unmatched echo whose start lies within half an echo + 8 samples.
AccuracyTally tally(const SyntheticScene& scene, const EventReport& report, bool withEnd);

// How a finder's report matches a measured-like scene: its real echoes (those of at least 5 noise
// deviations after the probe's tail are due to be found) and the re-reflections it found.
struct MeasuredTally {
    int echoes = 0;           // real echoes due to be found
    int found = 0;            // of them found
    int within2 = 0;          // of them found with the start within 2 samples
    int unexplained = 0;      // events matching neither a real echo nor a re-reflection marked as such
    int ghosts = 0;           // re-reflections found
    int ghostsMarked = 0;     // of them marked as such
    int faultsAsGhosts = 0;   // real echoes marked as re-reflections

    void add(const MeasuredTally& t);
};
MeasuredTally measuredTally(const SyntheticScene& scene, const EventReport& report);
