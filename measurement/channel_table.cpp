#include "measurement/channel_table.h"

#include "document/units.h"
#include "document/varnel_doc.h"
#include "resources/translate_marker.h"
#include "document/window_samples.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>

namespace {

constexpr Rgb kBlack{0, 0, 0};

// "%.Nf" with a decimal point whatever the process locale is (the GUI sets the user's locale).
std::string fixed(double value, int decimals)
{
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc())
        return "0";
    return std::string(buffer, result.ptr);
}

std::string integer(int value) { return std::to_string(value); }

std::string twoDigits(int a, int b, int c, char separator)
{
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%2.2d%c%2.2d%c%2.2d", a, separator, b, separator, c);
    return buffer;
}

// 2^n truncated to an int; settings outside any sane averaging cannot overflow the cell.
int powerOfTwo(int n)
{
    const double v = std::trunc(std::pow(2.0, n));
    return v >= static_cast<double>(INT_MAX) ? INT_MAX : static_cast<int>(v);
}

std::string speedCell(const CVarnelDoc& doc)
{
    return doc.speedMode ? fixed(speedOfKu(doc.vfactor), 1) : fixed(doc.vfactor, 3);
}

int foldSample(int value)
{
    value = std::clamp(value, 0, 255);
    if (value > 127)
        value = 255 - value;
    return value == 0 ? 1 : value;
}

} // namespace

ChannelCells channelColumnTitles(bool speedMode)
{
    return {VARNEL_TRANSLATE_NOOP("ChannelTable", "Название канала"), VARNEL_TRANSLATE_NOOP("ChannelTable", "Название файла"),
            VARNEL_TRANSLATE_NOOP("ChannelTable", "Масштаб"),         VARNEL_TRANSLATE_NOOP("ChannelTable", "Импульс"),
            speedColumnTitle(speedMode),                              VARNEL_TRANSLATE_NOOP("ChannelTable", "Осреднение"),
            VARNEL_TRANSLATE_NOOP("ChannelTable", "Усиление"),        VARNEL_TRANSLATE_NOOP("ChannelTable", "Согласование"),
            VARNEL_TRANSLATE_NOOP("ChannelTable", "Смещение"),        VARNEL_TRANSLATE_NOOP("ChannelTable", "Обратные потери"),
            VARNEL_TRANSLATE_NOOP("ChannelTable", "Дата"),            VARNEL_TRANSLATE_NOOP("ChannelTable", "Время")};
}

const char* speedColumnTitle(bool speedMode) { return speedMode ? "V/2" : VARNEL_TRANSLATE_NOOP("ChannelTable", "КУ"); }

int returnLoss(int valueAtCursor1, int valueAtCursor2)
{
    const double a = foldSample(valueAtCursor1);
    const double b = foldSample(valueAtCursor2);
    return static_cast<int>(std::trunc(20.0 * std::log10(a / b)));
}

ChannelTable buildChannelTable(const CVarnelDoc& doc)
{
    ChannelTable table;
    for (int i = 0; i < kTraceCount; ++i) {
        const Trace& t = doc.traces[i];
        if (!t.available || !t.shown)
            continue;
        const bool live = i == L1 || i == L2;
        ChannelRow row;
        row.trace = i;
        row.text = t.color;
        row.background = kBlack;
        ChannelCells& c = row.cells;
        c[kColName] = traceName(i);
        c[kColSpeed] = speedCell(doc);   // a memory, too, shows the document's current KU
        c[kColStatus] = integer(t.status);
        c[kColOffset] = integer(t.yOffset);
        const CursorValues v = cursorValues(doc, i);
        c[kColReturnLoss] = integer(returnLoss(v.atCursor1, v.atCursor2));
        if (live) {
            c[kColFile] = "--";
            c[kColScale] = fixed(doc.scale, 1);
            c[kColPulse] = fixed(doc.pulse, 1);
            c[kColAverage] = integer(powerOfTwo(doc.average));
            c[kColGain] = integer(doc.gain);
            c[kColDate] = "--";
            c[kColTime] = "--";
        } else {
            c[kColFile] = t.name;
            c[kColScale] = fixed(t.memScale, 1);
            c[kColPulse] = fixed(t.memPulse, 1);
            c[kColAverage] = integer(powerOfTwo(t.memAverage));
            c[kColGain] = integer(t.memGain);
            c[kColDate] = twoDigits(t.memTime.day, t.memTime.month, t.memTime.year % 100, '.');
            c[kColTime] = twoDigits(t.memTime.hour, t.memTime.minute, t.memTime.second, ':');
        }
        table.rows.push_back(std::move(row));
    }
    return table;
}

bool channelRowColor(const CVarnelDoc& doc, const std::string& name, Rgb& color)
{
    for (int i = 0; i < kTraceCount; ++i) {
        if (name == traceName(i)) {
            color = doc.traces[i].color;
            return true;
        }
    }
    return false;
}

std::array<int, kChannelColumnCount> channelColumnWidths(int formWidth, bool returnLoss)
{
    const int n = returnLoss ? 10 : 9;
    const int w = std::max(formWidth, 0) / n;
    std::array<int, kChannelColumnCount> widths{};
    for (int i = kColName; i <= kColOffset; ++i)
        widths[i] = w;
    widths[kColReturnLoss] = returnLoss ? w : 0;
    return widths;
}

ChannelTableLayout layoutChannelTable(int width, int height, int itemHeight, int rowCount)
{
    const int shown = itemHeight * (std::max(rowCount, 0) + 2);
    ChannelTableLayout layout;
    layout.tableX = 0;
    layout.tableY = height - shown;
    layout.tableWidth = width;
    layout.tableHeight = height;
    layout.screenWidth = width;
    layout.screenHeight = std::max(height - shown, 0);
    return layout;
}
