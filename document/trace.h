#pragma once

#include "document/local_time.h"
#include "document/rgb.h"

#include <array>
#include <cstdint>
#include <string>

inline constexpr int kWindowSamples = 500;
inline constexpr int kRawSamples = 8000;

enum TraceIndex { L1 = 0, L2 = 1, P1 = 2, P2 = 3, P3 = 4, kTraceCount = 5 };

// One reflectogram line of the document: a live line (L1, L2) or a memory (P1..P3).
struct Trace {
    std::string name;
    std::array<std::uint8_t, kRawSamples> raw{};
    bool shown = false;
    bool available = true;
    bool active = false;
    int status = 0;
    int yOffset = 0;
    Rgb color;
    std::array<std::uint8_t, kWindowSamples> samples{};
    std::array<std::uint8_t, kWindowSamples> overviewSamples{};
    int memGain = 0;
    double memKU = 1.5;
    int memAverage = 0;
    double memScale = 62.5;
    double memPulse = 10;
    LocalTime memTime;
};

// Short names of the five traces in document order: "Л1", "Л2", "П1", "П2", "П3".
const char* traceName(int index);
