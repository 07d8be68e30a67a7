#include "widgets/spin_icons.h"

#include <QColor>
#include <QPainter>
#include <QRect>

#include <algorithm>
#include <cstdlib>

void paintSpinIcon(QPainter& painter, const QRect& box, SpinAction action, const QColor& color)
{
    // Half the triangle's height: up to 4 (a 5 by 9 triangle), smaller in a narrow or low button.
    const int half = std::clamp(std::min((box.height() - 6) / 2, box.width() - 9), 1, 4);
    const bool bar = action == SpinAction::ToMinimum || action == SpinAction::ToMaximum;
    const bool right = action == SpinAction::StepUp || action == SpinAction::ToMaximum;
    const int tip = bar ? 2 : 0;   // bar column, one free column, then the triangle
    const int width = tip + half + 1;
    const int height = 2 * half + 1;
    // Right-pointing glyphs round their margin the other way, so each is the mirror of its partner.
    const int left = box.x() + (box.width() - width + (right ? 1 : 0)) / 2;
    const int top = box.y() + (box.height() - height) / 2;

    // One row span in glyph columns (0 = the side of the tip for a left-pointing glyph).
    auto span = [&](int row, int from, int to) {
        const int x = right ? left + width - 1 - to : left + from;
        painter.fillRect(x, top + row, to - from + 1, 1, color);
    };
    for (int row = 0; row < height; ++row) {
        if (bar)
            span(row, 0, 0);
        span(row, tip + std::abs(row - half), tip + half);
    }
}
