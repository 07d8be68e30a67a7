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

// One series of a trace screen: a fixed number of points with a colour, a name and display flags.
class CArrPoints {
public:
    static constexpr int kVisible = 1;
    static constexpr int kUnused = 2;     // may be set; has no effect
    static constexpr int kNamed = 4;      // the name is drawn at the last point

    CArrPoints(Rgb color, int count, std::string name)
        : points(static_cast<std::size_t>(count > 0 ? count : 0)), name(std::move(name)), color(color)
    {
    }

    bool visible() const { return (flags & kVisible) != 0; }
    bool named() const { return (flags & kNamed) != 0; }

    std::vector<DataPoint> points;
    std::string name;   // UTF-8
    int flags = 0;
    Rgb color;
};
