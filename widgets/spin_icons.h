#pragma once

class QColor;
class QPainter;
class QRect;

// What a step button of the spin edit does; also the order of the four buttons from left to right.
enum class SpinAction { ToMinimum, StepDown, StepUp, ToMaximum };

// Draws the glyph of `action` centred in `box`: a triangle pointing the way the value moves, with a bar
// before its tip for the jumps to a limit. Whole pixel rows only, so the glyph stays crisp in a
// 14-pixel button; the right-pointing glyphs are the exact mirror images of the left-pointing ones.
void paintSpinIcon(QPainter& painter, const QRect& box, SpinAction action, const QColor& color);
