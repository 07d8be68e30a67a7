#include "display/render/pixel_runs.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace pixel_runs {

namespace {

// The pen's directions; one axis's pair differs in the bits of its mask, so a reversal is dir ^ mask.
constexpr int kTopToBottom = 1;
constexpr int kBottomToTop = 2;
constexpr int kLeftToRight = 4;
constexpr int kRightToLeft = 8;
constexpr int kVerticalMask = 3;
constexpr int kHorizontalMask = 12;

// What the pen remembers between segments: the last pixel it set and the direction it went.
struct PenState {
    PixelPoint last;
    bool hasLast = false;
    bool aligned = false;   // the last segment ran (nearly) along an axis
    int dir = 0;
};

bool touching(const PixelRect& a, const PixelRect& b)
{
    if (a.width() == 1 && b.width() == 1 && a.left == b.left)
        return a.top <= b.bottom && b.top <= a.bottom;
    if (a.height() == 1 && b.height() == 1 && a.top == b.top)
        return a.left <= b.right && b.left <= a.right;
    return false;
}

void append(std::vector<PixelRect>& out, std::size_t first, PixelRect r, int width, int height)
{
    r = {std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, width), std::min(r.bottom, height)};
    if (r.empty())
        return;
    if (out.size() > first && touching(out.back(), r)) {
        PixelRect& b = out.back();
        b = {std::min(b.left, r.left), std::min(b.top, r.top), std::max(b.right, r.right), std::max(b.bottom, r.bottom)};
        return;
    }
    out.push_back(r);
}

// 16.16 fixed-point quotient, truncated as the pen's own arithmetic truncates it.
int fixedDiv(int num, int den) { return static_cast<int>((static_cast<long long>(num) * 65536) / den); }

// The pen walks the major axis pixel by pixel with a 16.16 fixed-point minor coordinate, from the
// 26.6 fixed-point end points; a segment is half-open. `Axis` names the major axis: along(p) and
// across(p) pick a point's coordinates, pixel(major, minor) builds one back.
struct Axis {
    bool vertical;
    int along(PixelPoint p) const { return vertical ? p.y : p.x; }
    int across(PixelPoint p) const { return vertical ? p.x : p.y; }
    PixelPoint pixel(int major, int minor) const { return vertical ? PixelPoint{minor, major} : PixelPoint{major, minor}; }
};

// One segment from a to b (distinct points). The pen's memory of the last pixel and direction decides
// one pixel more or less at either end: a reversal on the same axis is capped, a pixel set already is
// not set again, a diagonal gap to the last pixel gets its corner filled.
void segment(PixelPoint a, PixelPoint b, PenState& pen, std::vector<PixelRect>& out, std::size_t first, int width,
             int height)
{
    const Axis axis{std::abs(b.x - a.x) < std::abs(b.y - a.y)};
    const bool backwards = axis.along(a) > axis.along(b);
    if (backwards)
        std::swap(a, b);
    const int dir = axis.vertical ? (backwards ? kBottomToTop : kTopToBottom) : (backwards ? kRightToLeft : kLeftToRight);
    const int mask = axis.vertical ? kVerticalMask : kHorizontalMask;
    int m1 = axis.along(a) * 64;
    int m2 = axis.along(b) * 64;
    const int inc = fixedDiv((axis.across(b) - axis.across(a)) * 64, m2 - m1);
    int minor = axis.across(a) * 64 * 1024;
    if ((pen.dir ^ mask) == dir) {
        // A reversal caps the end the pen comes from: half a pixel further.
        if (backwards) {
            m2 += 32;
        } else {
            m1 -= 32;
            minor -= inc >> 1;
        }
    }
    int m = (m1 + 32) >> 6;
    int ms = (m2 + 32) >> 6;
    if (m == ms)
        return;
    const int round = inc > 0 ? 32 : 0;
    minor += (((m << 6) + round - m1) * inc) >> 6;
    PixelPoint start = axis.pixel(m, minor >> 16);
    PixelPoint end = axis.pixel(ms - 1, (minor + (ms - m - 1) * inc) >> 16);
    if (backwards)
        std::swap(start, end);
    const bool aligned = std::abs(inc) < (1 << 14);
    if (pen.hasLast) {
        if (start == pen.last) {
            if (backwards) {
                --ms;
            } else {
                ++m;
                minor += inc;
            }
        } else if (pen.dir != dir && ((aligned && pen.aligned && pen.last.x != start.x && pen.last.y != start.y) ||
                                      std::abs(pen.last.x - start.x) > 1 || std::abs(pen.last.y - start.y) > 1)) {
            if (backwards) {
                ++ms;
            } else {
                --m;
                minor -= inc;
            }
        }
    }
    pen.dir = dir;
    pen.aligned = aligned;
    pen.last = end;
    pen.hasLast = true;
    // One pixel per step along the major axis; steps on the same minor coordinate make one run. At
    // least one pixel is set, even where the segment shrank to none.
    const int last = std::max(ms, m + 1);
    auto emit = [&](int from, int to, int across) {
        append(out, first, axis.vertical ? PixelRect{across, from, across + 1, to} : PixelRect{from, across, to, across + 1},
               width, height);
    };
    if (inc == 0) {
        emit(m, last, minor >> 16);
        return;
    }
    // A run ends where the minor coordinate reaches the next pixel: worked out, not walked.
    long long at = minor;
    while (m < last) {
        const long long across = at >> 16;
        const long long steps = inc > 0 ? (((across + 1) << 16) - at + inc - 1) / inc : (at - (across << 16)) / -inc + 1;
        const int end = static_cast<int>(std::min<long long>(last, m + steps));
        emit(m, end, static_cast<int>(across));
        at += static_cast<long long>(end - m) * inc;
        m = end;
    }
}

} // namespace

bool polylineRuns(const std::vector<PixelPoint>& points, int width, int height, std::vector<PixelRect>& out)
{
    if (points.size() < 2 || points.front() == points.back())
        return false;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const PixelPoint p = points[i];
        if (p.x < 0 || p.x >= width || p.y < 0 || p.y >= height)
            return false;
    }
    const std::size_t first = out.size();
    PenState pen;
    for (std::size_t i = 1; i < points.size(); ++i)
        if (!(points[i - 1] == points[i]))
            segment(points[i - 1], points[i], pen, out, first, width, height);
    return true;
}

PixelRect clipped(const Canvas& canvas, const PixelRect& r)
{
    return {std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, canvas.width), std::min(r.bottom, canvas.height)};
}

void fill(const Canvas& canvas, const PixelRect* rects, std::size_t count, std::uint32_t color)
{
    for (const PixelRect* r = rects; r != rects + count; ++r) {
        std::uint32_t* p = canvas.bits + static_cast<std::ptrdiff_t>(r->top) * canvas.stride + r->left;
        const int w = r->right - r->left;
        if (w == 1) {
            for (int y = r->top; y < r->bottom; ++y, p += canvas.stride)
                *p = color;
        } else {
            for (int y = r->top; y < r->bottom; ++y, p += canvas.stride)
                std::fill_n(p, w, color);
        }
    }
}

void copy(const Canvas& from, const Canvas& to, const PixelRect* rects, std::size_t count)
{
    for (const PixelRect* r = rects; r != rects + count; ++r) {
        const std::uint32_t* s = from.bits + static_cast<std::ptrdiff_t>(r->top) * from.stride + r->left;
        std::uint32_t* d = to.bits + static_cast<std::ptrdiff_t>(r->top) * to.stride + r->left;
        const int w = r->right - r->left;
        if (w == 1) {
            for (int y = r->top; y < r->bottom; ++y, s += from.stride, d += to.stride)
                *d = *s;
        } else {
            for (int y = r->top; y < r->bottom; ++y, s += from.stride, d += to.stride)
                std::copy_n(s, w, d);
        }
    }
}

GreyCanvas greyCopy(const Canvas& canvas)
{
    GreyCanvas grey;
    // An odd number of cache lines a row, as for the colour pictures: columns are read down.
    int lines = (canvas.width + 63) / 64;
    if (lines % 2 == 0)
        ++lines;
    grey.stride = lines * 64;
    grey.bits.resize(static_cast<std::size_t>(grey.stride) * static_cast<std::size_t>(canvas.height));
    for (int y = 0; y < canvas.height; ++y) {
        const std::uint32_t* s = canvas.bits + static_cast<std::ptrdiff_t>(y) * canvas.stride;
        std::uint8_t* d = grey.bits.data() + static_cast<std::ptrdiff_t>(y) * grey.stride;
        for (int x = 0; x < canvas.width; ++x) {
            const std::uint32_t v = s[x] & 0xffu;
            if (s[x] != (0xff000000u | v * 0x010101u))
                return {};
            d[x] = static_cast<std::uint8_t>(v);
        }
    }
    return grey;
}

void copy(const GreyCanvas& from, const Canvas& to, const PixelRect* rects, std::size_t count)
{
    for (const PixelRect* r = rects; r != rects + count; ++r) {
        const std::uint8_t* s = from.bits.data() + static_cast<std::ptrdiff_t>(r->top) * from.stride + r->left;
        std::uint32_t* d = to.bits + static_cast<std::ptrdiff_t>(r->top) * to.stride + r->left;
        const int w = r->right - r->left;
        if (w == 1) {
            // A column: one pixel a row, kept apart from the row loop the compiler unrolls.
            for (int y = r->top; y < r->bottom; ++y, s += from.stride, d += to.stride)
                *d = 0xff000000u | *s * 0x010101u;
            continue;
        }
        for (int y = r->top; y < r->bottom; ++y, s += from.stride, d += to.stride)
            for (int x = 0; x < w; ++x)
                d[x] = 0xff000000u | s[x] * 0x010101u;
    }
}

void save(const Canvas& canvas, const PixelRect& rect, std::vector<std::uint32_t>& store)
{
    const PixelRect r = clipped(canvas, rect);
    if (r.empty())
        return;
    const std::uint32_t* s = canvas.bits + static_cast<std::ptrdiff_t>(r.top) * canvas.stride + r.left;
    for (int y = r.top; y < r.bottom; ++y, s += canvas.stride)
        store.insert(store.end(), s, s + r.width());
}

std::size_t restore(const Canvas& canvas, const PixelRect& rect, const std::vector<std::uint32_t>& store,
                    std::size_t at)
{
    const PixelRect r = clipped(canvas, rect);
    if (r.empty())
        return at;
    std::uint32_t* d = canvas.bits + static_cast<std::ptrdiff_t>(r.top) * canvas.stride + r.left;
    const auto w = static_cast<std::size_t>(r.width());
    for (int y = r.top; y < r.bottom && at + w <= store.size(); ++y, d += canvas.stride, at += w)
        std::memcpy(d, store.data() + at, w * sizeof(std::uint32_t));
    return at;
}

} // namespace pixel_runs
