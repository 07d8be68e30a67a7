#pragma once

#include "support/synthetic_reflectogram.h"

#include <random>

// Pairs of synthetic reflectograms of one line, built on the measured-like scenes: the line seen from
// its two ends, and two takes of it some time apart.

// A line with one fault, measured from end A and from end B with files that claim KU 1.5. Positions
// are samples of the record; real metres are nominal x 1.5 / ku.
struct TwoEndedScenes {
    SyntheticScene fromA, fromB;
    double ku = 1.5;          // the line's true KU
    double length = 0.0;      // real metres
    double faultFromA = 0.0;  // real metres
    double metresPerSample = 0.0;   // real metres between two samples
};

// A line on range `scaleIndex` with its open end at up to half the covered samples and one fault of
// random polarity somewhere between the ends, clear of both probes' tails and of the end.
TwoEndedScenes twoEndedScenes(std::mt19937_64& rng, int scaleIndex, double ku, Gain gain);

// The same line measured on range `scaleIndex` instead: every position scaled to that range's spacing,
// the probe that range's own.
SyntheticScene onRange(const SyntheticScene& scene, int scaleIndex);

// What a later take of a line shows against its baseline.
enum class LineChangeKind { None, Appeared, Vanished, Grown };

struct LaterTake {
    SyntheticScene scene;
    double changeAt = 0.0;   // the sample of the change in the later take; 0 without one
    double changeSize = 0.0; // counts the changed echo gained or lost
};

// The baseline: a measured-like scene on `scaleIndex` with two faults.
SyntheticScene baselineScene(std::mt19937_64& rng, int scaleIndex, Gain gain);

// Another take of `baseline`, with its own noise, the line's echoes shifted by `shift` samples (a
// different lead) and everything scaled by `gain`; with a change of `sigmas` noise deviations (at
// least `leastCounts`): a new fault clear of the other echoes, the first fault gone, or it grown by so much.
LaterTake laterTake(const SyntheticScene& baseline, std::mt19937_64& rng, double shift, double gain,
                    LineChangeKind change, double sigmas, double leastCounts);
