#pragma once

#include <cstdint>

class CVarnelDoc;
struct ReflectogramRecord;
struct Trace;

// One nanosecond of the probe pulse spans 0.1 nominal metres: V/2 is 100 m/us at KU 1.5.
inline constexpr double kNominalMetresPerNs = 0.1;

// Where the samples of a reflectogram lie on the line, in nominal metres (distance at KU 1.5), and the
// probe pulse it was taken with.
struct SampleGrid {
    double origin = 0.0;      // position of sample 0
    double spacing = 0.125;   // distance between two samples
    double pulseNs = 10.0;    // probe pulse width

    double position(double sample) const { return origin + sample * spacing; }
    double pulseWidth() const { return pulseNs * kNominalMetresPerNs; }
    bool operator==(const SampleGrid&) const = default;
};

// The 8000 samples of a reflectogram file: from 0 at the raw spacing of its range.
SampleGrid recordGrid(const ReflectogramRecord& record);
// The 8000 raw samples of a memory (P1..P3), at the range and pulse it was recorded with.
SampleGrid memoryGrid(const Trace& memory);
// The 500 samples of the document's visible window: its range, magnifier and pulse.
SampleGrid windowGrid(const CVarnelDoc& doc);

// The level of a sample: bytes are two's complement with 0 the flat line, as the screens draw them
// (0xF0 is -16). The cursor read-outs show the same bytes unsigned; levels never do.
inline int sampleLevel(std::uint8_t byte) { return static_cast<std::int8_t>(byte); }
