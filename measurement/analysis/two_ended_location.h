#pragma once

#include "document/status.h"
#include "measurement/analysis/event_finder.h"
#include "measurement/analysis/sample_grid.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// What stands for the fault in one end's reflectogram: an event of its list (numbered from 1, as the
// event list numbers them), or a position the technician chose (a cursor, nominal metres). Neither:
// the location pairs the events of the two ends itself.
struct FaultChoice {
    std::optional<int> event;
    std::optional<double> position;
};

// The reflectogram of one end of the line as the location takes it: its events and where its samples
// lie. `ku` is the KU the reflectogram claims; it only pairs events when neither end shows the end of
// the line.
struct LineEnd {
    EventReport report;
    // Each event's start refined to a fraction of a sample (nominal metres): an end's error goes into
    // the location unhalved.
    std::vector<double> starts;
    SampleGrid grid;
    int sampleCount = 0;
    double ku = 1.5;
    FaultChoice choice;
};

// Finds the events of `samples` and makes them an end of the line.
LineEnd lineEnd(std::span<const std::uint8_t> samples, const SampleGrid& grid, double ku, FaultChoice choice = {});

// The fault as one end sees it.
struct FaultSighting {
    int number = 0;          // its number in that end's event list; 0 for a chosen position
    int sample = 0;
    double position = 0.0;   // nominal metres (distance at KU 1.5)
    int polarity = 0;        // 0 for a chosen position
    double amplitude = 0.0;
};

struct TwoEndedLocation {
    double fromA = 0.0;      // real metres from end A
    double fromB = 0.0;      // real metres from end B
    double ku = 0.0;         // the line's KU the two sightings imply
    double speed = 0.0;      // V/2 in m/us
    FaultSighting a, b;
    // Metres by which the two ends' distances, each scaled to the length by the end of the line it
    // shows (or by its claimed KU when neither shows one), disagree.
    double spread = 0.0;
};

// Locates a fault seen from both ends of a line of `length` real metres, whatever KU the reflectograms
// were taken with: with dA and dB the fault's nominal distances from A and B, it lies at
// length x dA / (dA + dB) from A, and the line's KU is (dA + dB) x 1.5 / length.
//
// Without a choice at an end, the fault is the pair of events (neither an end of the line nor a
// re-reflection) whose distances, scaled to the length by each end's own end of the line (or by its
// claimed KU when neither shows one), agree best; two pairs whose disagreements lie within an echo's
// width of each other are an ambiguity, refused naming both. A length not above 0, a fault at or
// beyond the end of the line, an event number not in the list, no matching pair, or a KU outside
// 1..3 is refused with the reason, and `result` is left as it was.
Status locateFault(const LineEnd& a, const LineEnd& b, double length, TwoEndedLocation& result);
