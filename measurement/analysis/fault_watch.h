#pragma once

#include "document/line_distances.h"
#include "document/status.h"
#include "files/reflectogram_file.h"
#include "measurement/analysis/sample_grid.h"
#include "measurement/analysis/watch_recorder.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CVarnelDoc;

struct WatchSettings {
    // A change is a stretch of more than `samples` consecutive samples that each differ from the
    // reference by more than `threshold` counts.
    int threshold = 10;
    int samples = 3;
};

// One live reflectogram of the watched line.
struct WatchFrame {
    std::vector<std::uint8_t> samples;   // the window the instrument sent (500 samples)
    SampleGrid grid;                     // where they lie on the line
    std::chrono::system_clock::time_point time;
    // What a saved file records: range, pulse, averaging, gain, status and KU. Its samples are taken
    // as the instrument's full record when `fullRecord` is set, else they are made from the window.
    ReflectogramRecord file;
    bool fullRecord = false;
};

// The frame of live line `line` (L1 or L2) as the document holds it now: its window samples and grid,
// and the file header a saved change records (range, pulse, averaging, gain, the line's status, KU).
WatchFrame liveWatchFrame(const CVarnelDoc& doc, int line, std::chrono::system_clock::time_point time);

// What one reflectogram brought.
struct WatchStep {
    // The window moved or changed its spacing: this reflectogram is the new reference and the
    // envelope starts again from it.
    bool restarted = false;
    std::optional<WatchChange> change;   // a change began with this reflectogram
    Status saved = Status::success();    // writing the change's file and log line, when there was one
    std::string file;                    // the file written for the change
};

// Watches a line for an intermittent fault: compares every live reflectogram with a reference (the
// first one, or one the caller supplies, e.g. a memory resampled to the window) and reports a change
// when a stretch of samples differs. A change is one event however many reflectograms it lasts: the
// next one is reported only after a reflectogram matched the reference again, so a fault that stays
// does not fill the folder. With a folder, each change is saved as a ".tdr" and logged (CWatchRecorder).
// Also keeps the lowest and highest level of every sample since the watch (re)started.
class CFaultWatch {
public:
    explicit CFaultWatch(WatchSettings settings, std::optional<std::string> folder = std::nullopt);

    // A reference other than the first reflectogram, for windows of `grid`.
    void setReference(std::vector<std::uint8_t> samples, const SampleGrid& grid);
    // `distances` measure where a change lies in real metres.
    WatchStep feed(const WatchFrame& frame, const LineDistances& distances);

    bool hasReference() const { return !reference.empty(); }
    const std::vector<int>& envelopeLow() const { return low; }
    const std::vector<int>& envelopeHigh() const { return high; }
    int frames() const { return frameCount; }
    int changes() const { return changeCount; }
    // Changes whose file and log line were both written.
    int saved() const { return recorder ? recorder->saved() : 0; }
    const WatchSettings& settings() const { return config; }

private:
    // The first sample of the first stretch that differs enough, and the largest difference in it.
    std::optional<std::pair<int, int>> firstDifference(const std::vector<std::uint8_t>& samples) const;

    WatchSettings config;
    std::optional<CWatchRecorder> recorder;
    std::vector<std::uint8_t> reference;
    SampleGrid referenceGrid;
    std::vector<int> low, high;
    bool differing = false;
    int frameCount = 0;
    int changeCount = 0;
};
