#pragma once

#include "display/pixel_rect.h"

#include <cstdint>
#include <vector>

// One-pixel lines drawn straight into a 32-bit pixel buffer. A polyline on whole pixels (the traces in
// steps or straight lines, the cursor lines, the marks) is turned into rectangles one pixel wide or
// high that set exactly the pixels the aliased one-pixel flat-capped pen of the GUI toolkit sets for
// the same polyline: its fixed-point walk along each segment's major axis, half-open segments, a
// reversal of direction reaching one pixel farther, and the corner pixel the pen adds where a line
// turns diagonally away from its last pixel.
namespace pixel_runs {

// A surface of `width` x `height` pixels, `stride` pixels from one row to the next.
struct Canvas {
    std::uint32_t* bits = nullptr;
    int stride = 0;
    int width = 0;
    int height = 0;
};

// Appends the runs of the polyline through `points` to `out`; consecutive runs in the same column or
// row that touch are merged (when there are more points than columns, a column is one run). False,
// with `out` as it was, when a point lies outside the `width` x `height` surface or the polyline is
// closed (ends where it starts): those are left to the painter.
bool polylineRuns(const std::vector<PixelPoint>& points, int width, int height, std::vector<PixelRect>& out);

// Sets every pixel of `rects` to `color`. The rects lie inside the canvas, as polylineRuns and clipped
// give them: nothing is checked here, this is the drawing's inner loop.
void fill(const Canvas& canvas, const PixelRect* rects, std::size_t count, std::uint32_t color);

// Copies the pixels of `rects` (inside both canvases, as for fill) from `from` to `to`.
void copy(const Canvas& from, const Canvas& to, const PixelRect* rects, std::size_t count);

// A grey picture one byte a pixel (level v stands for the opaque colour v, v, v), `stride` bytes a row.
struct GreyCanvas {
    std::vector<std::uint8_t> bits;
    int stride = 0;
};
// The grey copy of `canvas`; none (empty bits) when a pixel of it is not an opaque grey.
GreyCanvas greyCopy(const Canvas& canvas);
// Copies the pixels of `rects` (inside both canvases) from the grey picture to `to`.
void copy(const GreyCanvas& from, const Canvas& to, const PixelRect* rects, std::size_t count);

// Pixels of `rect` into `store` (appended) and back; the canvas is the one they were taken from.
void save(const Canvas& canvas, const PixelRect& rect, std::vector<std::uint32_t>& store);
// Writes the pixels saved from `rect` starting at store[at]; returns the index after them.
std::size_t restore(const Canvas& canvas, const PixelRect& rect, const std::vector<std::uint32_t>& store,
                    std::size_t at);

// `rect` clipped to the canvas.
PixelRect clipped(const Canvas& canvas, const PixelRect& rect);

} // namespace pixel_runs
