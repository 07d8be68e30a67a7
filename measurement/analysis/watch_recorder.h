#pragma once

#include "document/status.h"
#include "document/trace.h"
#include "files/reflectogram_file.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <span>
#include <string>

struct SampleGrid;

// A change the fault watch saw.
struct WatchChange {
    std::chrono::system_clock::time_point time;
    int sample = 0;           // first sample of the first stretch that differs
    double position = 0.0;    // its nominal metres
    double distance = 0.0;    // its real metres, by the document's distance arithmetic
    int difference = 0;       // the largest difference from the reference in that stretch, counts
};

// The log beside the saved reflectograms.
inline constexpr const char* kWatchLogName = "watch.csv";
inline constexpr const char* kWatchLogHeader = "time,sample,distance_m,difference,file";

// Records the changes of a fault watch in a folder: each as a reflectogram file named after its local
// time, "YYYY-MM-DD_HH-MM-SS-mmm.tdr" (a suffix "_2", "_3" ... when the name is taken), written
// atomically, and a line of the CSV log "watch.csv":
//   time (local, "YYYY-MM-DD HH:MM:SS.mmm"), sample, distance_m ("%.2f"), difference, file name.
// The log cannot be replaced atomically on every change, so each line is appended on its own (open,
// one write, flush, close): a crash can cut only the line being written, and a cut line is closed
// with a line break before the next one, so every earlier line stays intact.
class CWatchRecorder {
public:
    explicit CWatchRecorder(std::string folder);

    // Writes the file and the log line of `change`; the log line is written even when the file
    // could not be (its file column then stays empty). `savedName` receives the file name written.
    Status record(const WatchChange& change, const ReflectogramRecord& file, std::string& savedName);

    int saved() const { return savedCount; }
    const std::string& folder() const { return dir; }
    std::string logPath() const;

private:
    std::string dir;
    int savedCount = 0;
};

// The 8000 samples of a file made from a live window: raw sample k takes the window sample whose
// stretch holds its position (k x the range's raw spacing); outside the window, the flat line 0.
// A window of the whole range loaded back as a memory shows the same trace again.
std::array<std::uint8_t, kRawSamples> recordFromWindow(std::span<const std::uint8_t> window, const SampleGrid& grid,
                                                       int scaleIndex);

// A line of the log for `change` and `fileName`, without the line break.
std::string watchLogLine(const WatchChange& change, const std::string& fileName);
