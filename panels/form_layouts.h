#pragma once

#include "display/pixel_rect.h"

#include <array>

// The natural size of a label: it keeps it wherever the layout puts it.
struct LabelSize {
    int width = 0;
    int height = 0;
};

// The cursor row: four groups, each a label and its control ("K1" and cursor 1, "K2" and cursor 2,
// "L" and the distance, "Лупа" and the magnifier), spread over the width with an equal gap that
// turns negative (groups overlapping, still in order) when the row is too narrow.
inline constexpr std::array<int, 4> kCursorRowControlWidths = {150, 150, 95, 45};
struct CursorRowLayout {
    int gap = 0;
    std::array<PixelRect, 4> labels;
    std::array<PixelRect, 4> controls;
};
CursorRowLayout layoutCursorRow(int width, int height, const std::array<LabelSize, 4>& labels);

// The channel parameter panel: eight rows 24 pixels apart (five offsets, KU or V/2, gain, averaging),
// each label right-aligned against its control and every control ending 5 pixels from the right inside
// a 2-pixel margin. The base buttons keep their place at the left edge.
inline constexpr int kParamsRowCount = 8;
struct ParamsLayout {
    std::array<PixelRect, kParamsRowCount> labels;
    std::array<PixelRect, kParamsRowCount> controls;
};
ParamsLayout layoutParams(int width, int height, const std::array<LabelSize, kParamsRowCount>& labels);
// The base button of offset row `row` (0..4).
PixelRect baseButtonRect(int row);
