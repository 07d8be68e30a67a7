#pragma once

#include "document/rgb.h"

#include <array>
#include <string>
#include <vector>

class CVarnelDoc;

// The channel table under the main screen: one row per shown line or memory with its acquisition
// parameters. Everything here is plain data; the measurement form puts it into its report list.

inline constexpr int kChannelColumnCount = 12;

enum ChannelColumn {
    kColName = 0,
    kColFile = 1,
    kColScale = 2,
    kColPulse = 3,
    kColSpeed = 4,        // "V/2" or "КУ"
    kColAverage = 5,
    kColGain = 6,
    kColStatus = 7,
    kColOffset = 8,
    kColReturnLoss = 9,
    kColDate = 10,
    kColTime = 11,
};

using ChannelCells = std::array<std::string, kChannelColumnCount>;

struct ChannelRow {
    int trace = 0;        // index into the document's traces (L1..P3)
    ChannelCells cells;
    Rgb text;             // the trace's colour
    Rgb background;       // always black
};

struct ChannelTable {
    std::vector<ChannelRow> rows;
};

// Column titles in display order; column 4 follows the V/2 versus KU presentation.
ChannelCells channelColumnTitles(bool speedMode);
const char* speedColumnTitle(bool speedMode);

// trunc(20 log10(a / b)) of the two cursor samples, each folded about the mid-scale 127 and kept
// above 0 so that the ratio is always finite.
int returnLoss(int valueAtCursor1, int valueAtCursor2);

// The rows of every trace that is both available and shown, in the order L1, L2, P1, P2, P3.
ChannelTable buildChannelTable(const CVarnelDoc& doc);

// Text colour of a row by its column-0 name ("Л1".."П3"); false for any other text.
bool channelRowColor(const CVarnelDoc& doc, const std::string& name, Rgb& color);

// Column widths for a form `formWidth` wide: nine equal columns, ten with return loss shown; the
// return-loss column is 0 wide when hidden, and date and time are never shown in this table.
std::array<int, kChannelColumnCount> channelColumnWidths(int formWidth, bool returnLoss);

// Where the table and the screen go in a form of `width` x `height`. The table shows its header, its
// rows and one empty row at the bottom and reaches below the form; the screen takes what is left.
struct ChannelTableLayout {
    int tableX = 0;
    int tableY = 0;
    int tableWidth = 0;
    int tableHeight = 0;
    int screenWidth = 0;
    int screenHeight = 0;
};

// Height of one row when the table has none: the table then still occupies two such rows.
inline constexpr int kEmptyTableItemHeight = 8;

// `itemHeight` is the height of the first row of the list (kEmptyTableItemHeight without rows).
ChannelTableLayout layoutChannelTable(int width, int height, int itemHeight, int rowCount);
