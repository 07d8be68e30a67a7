#pragma once

#include <algorithm>

// A pixel position on a drawing surface.
struct PixelPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// A rectangle of pixels; right and bottom lie just outside it, as the window system counts them.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool empty() const { return right <= left || bottom <= top; }
    bool contains(int x, int y) const { return left <= x && x < right && top <= y && y < bottom; }
    PixelRect normalized() const
    {
        return {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
    }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};
