#pragma once

#include "document/local_time.h"
#include "document/status.h"

#include <array>
#include <string>
#include <vector>

// One section file of a folder as the list of scale grids shows it.
struct GridFileEntry {
    std::string name;                // file name without ".pie", the directory's bytes
    std::string amountText = "0";    // AMOUNT as stored
    std::string scaleText = "0";     // SCALE as stored
    LocalTime lastWrite;             // local time
    std::string problem;             // why the file cannot be used as a grid; empty when it can
};

// The ".pie" files of `folder`, sorted by name, with their AMOUNT and SCALE texts and last-write
// times. A folder that cannot be read is refused with a reason and gives no entries.
Status listSectionFiles(const std::string& folder, std::vector<GridFileEntry>& entries);

// The six cells of a row: " ", the name, AMOUNT as stored, the range of SCALE "%.1f" (an index
// outside 0..10 is taken as the nearest table entry), the date "DD.MM.YYYY" and the time "HH:MM:SS";
// "?" for AMOUNT and the range of a file with a problem.
std::array<std::string, 6> gridFileCells(const GridFileEntry& entry);
// The range in nominal metres that a SCALE text stands for.
double rangeOfScaleText(const std::string& scaleText);
