#pragma once

#include "document/local_time.h"
#include "document/status.h"
#include "files/reflectogram_file.h"

#include <array>
#include <atomic>
#include <optional>
#include <string>
#include <vector>

// One reflectogram file of a folder as the library list shows it. A file whose header cannot be read
// (too short, an index outside the tables, no permission) still has its entry, without a header; it
// is never loaded into a memory.
struct ReflectogramEntry {
    std::string name;                        // file name without ".tdr", the directory's bytes
    std::optional<ReflectogramHeader> header;
    std::optional<LocalTime> lastWrite;      // local time
};

inline constexpr int kReflectogramColumnCount = 7;
using ReflectogramCells = std::array<std::string, kReflectogramColumnCount>;

// The path of reflectogram `name` (without ".tdr") in `folder`.
std::string reflectogramPath(const std::string& folder, const std::string& name);

// The ".tdr" files of `folder` in name order, each with its header and last-write time. A folder that
// cannot be read is refused with a reason and gives no entries; so does a listing stopped by setting
// `cancelled`, which is looked at between files.
Status listReflectograms(const std::string& folder, std::vector<ReflectogramEntry>& entries,
                         const std::atomic<bool>* cancelled = nullptr);

// The title of the KU column: "V/2" in V/2 mode, else "КУ".
const char* reflectogramSpeedTitle(bool speedMode);
// The seven cells of a row: " ", the name, the range "%.1f", the pulse "%.0f", the KU "%.3f" or the V/2
// "%.1f", the date "DD.MM.YYYY" and the time "HH:MM:SS"; "?" in every cell the file could not give.
ReflectogramCells reflectogramCells(const ReflectogramEntry& entry, bool speedMode);
