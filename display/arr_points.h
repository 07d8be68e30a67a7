#pragma once

#include "document/rgb.h"

#include <string>
#include <utility>
#include <vector>

// A point of a series in the screen's data units.
struct DataPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const DataPoint&, const DataPoint&) = default;
};

// The layers of a trace screen, painted back to front on the screen and on paper alike: the grid and its
// labels, then the traces, then the cursors and markers, which stay visible over any trace.
enum class ScreenLayer { Background, Traces, Foreground };
inline constexpr ScreenLayer kLayerOrder[] = {ScreenLayer::Background, ScreenLayer::Traces, ScreenLayer::Foreground};

// One series of a trace screen: a fixed number of points with a colour, a name, display flags and the
// layer it is drawn in (on the background it lies over the grid).
class CArrPoints {
public:
    static constexpr int kVisible = 1;
    static constexpr int kUnused = 2;     // may be set; has no effect
    static constexpr int kNamed = 4;      // the name is drawn at the last point

    CArrPoints(Rgb color, int count, std::string name, ScreenLayer layer = ScreenLayer::Traces)
        : points(static_cast<std::size_t>(count > 0 ? count : 0)), name(std::move(name)), color(color), layer(layer)
    {
    }

    bool visible() const { return (flags & kVisible) != 0; }
    bool named() const { return (flags & kNamed) != 0; }

    std::vector<DataPoint> points;
    std::string name;   // UTF-8
    int flags = 0;
    Rgb color;
    ScreenLayer layer = ScreenLayer::Traces;
};
