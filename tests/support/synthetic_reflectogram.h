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
};

// Samples of the probe pulse's echo: the range's pulse width at its raw spacing.
double echoSamples(int scaleIndex);

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
