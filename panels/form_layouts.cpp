#include "panels/form_layouts.h"

CursorRowLayout layoutCursorRow(int width, int height, const std::array<LabelSize, 4>& labels)
{
    // 440 pixels of controls and 30 of fixed spacing.
    int fixed = 470;
    for (const LabelSize& l : labels)
        fixed += l.width;
    CursorRowLayout out;
    out.gap = (width - fixed) / 8;   // truncated toward zero
    int x = 2;
    for (int i = 0; i < 4; ++i) {
        x += out.gap;
        const int top = (height - labels[i].height) / 2;
        out.labels[i] = {x, top, x + labels[i].width, top + labels[i].height};
        x += labels[i].width + 2;
        out.controls[i] = {x, 1, x + kCursorRowControlWidths[i], 23};
        x += kCursorRowControlWidths[i] + out.gap + 5;
    }
    return out;
}

ParamsLayout layoutParams(int width, int height, const std::array<LabelSize, kParamsRowCount>& labels)
{
    const PixelRect inner{2, 2, width - 2, height - 2};
    // From the inner right edge: where each row's label ends and its control begins.
    constexpr int labelEnd[kParamsRowCount] = {102, 102, 102, 102, 102, 122, 102, 88};
    constexpr int controlStart[kParamsRowCount] = {100, 100, 100, 100, 100, 120, 100, 86};
    ParamsLayout out;
    for (int r = 0; r < kParamsRowCount; ++r) {
        const int rowTop = inner.top + 24 * r;
        const int labelTop = rowTop + (22 - labels[r].height) / 2;
        const int right = inner.right - labelEnd[r];
        out.labels[r] = {right - labels[r].width, labelTop, right, labelTop + labels[r].height};
        out.controls[r] = {inner.right - controlStart[r], rowTop, inner.right - 5, rowTop + 22};
    }
    return out;
}

PixelRect baseButtonRect(int row) { return {3, 24 * row + 4, 19, 24 * row + 26}; }
