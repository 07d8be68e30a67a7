#include "measurement/analysis/edge_fit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

constexpr double kWidth = 40.0;

// An echo of `amplitude` counts starting at `start`, straight edges of `rise` samples, over samples
// 0..199; `spikes` add single-sample noise; `trailShift` moves the trailing edge (another echo's).
std::vector<double> echoTrace(double start, double rise, double amplitude, std::vector<std::pair<int, double>> spikes,
                              double trailShift = 0.0)
{
    std::vector<double> y(200);
    for (int k = 0; k < 200; ++k) {
        const double up = std::clamp((k - start) / rise, 0.0, 1.0);
        const double down = std::clamp((k - start - kWidth - trailShift) / rise, 0.0, 1.0);
        y[static_cast<std::size_t>(k)] = amplitude * (up - down);
    }
    for (const auto& [k, v] : spikes)
        y[static_cast<std::size_t>(k)] += v;
    return y;
}

TEST(EdgeFit, StartOfTheLeadingEdge)
{
    struct Case {
        const char* what;
        double start, rise, amplitude;
        std::vector<std::pair<int, double>> spikes;
        double trailShift;
        bool withTrail;
        EdgeHint hint;
        double tolerance;
    };
    EdgeHint bounded;
    bounded.mostRise = 3.0;
    EdgeHint law;
    law.mostRise = 1.75;
    EdgeHint reach;
    reach.trailReach = 20.0;
    const Case cases[] = {
        {"clean edge between samples", 100.3, 2.0, 20, {}, 0, true, {}, 0.3},
        {"slow edge", 100.6, 6.0, 20, {}, 0, true, {}, 0.5},
        // Two samples on the edge, its knee between the coarse steps: the ramps' own fit leads to it.
        {"edge over two samples", 100.875, 2.0, 20, {}, 0, true, {}, 0.2},
        {"no trailing edge", 100.3, 2.0, 20, {}, 0, false, {}, 0.5},
        // A spike of 60 % of a faint echo's height two samples before it: the trailing edge holds the start.
        {"spike before a faint edge", 100.0, 2.0, 5, {{98, 3.0}}, 0, true, {}, 1.0},
        // The trailing edge is another echo's: the leading edge alone places the start.
        {"edges of two echoes", 100.3, 3.0, 20, {}, 15, true, {}, 0.5},
        {"rise bounded by a stronger echo", 100.0, 2.0, 5, {{97, 2.0}, {98, 2.0}}, 0, true, bounded, 1.0},
        // Noise lifting the line for ten samples before a faint edge joins it into one long ramp, and no
        // trailing edge to hold the start: the other echoes' rise law bounds the rise all the same.
        {"noise ramp into a faint edge", 100.0, 1.5, 5,
         {{90, 0.6}, {91, 0.6}, {92, 0.6}, {93, 0.6}, {94, 1.6}, {95, 1.6}, {96, 2.5}, {97, 2.5}, {98, 1.5}, {99, 1.5}}, 0, false, law, 1.0},
        // A long pulse widened by the line: the trailing edge, sought on its own, measures by how much.
        {"widening beyond the starts tried", 100.3, 2.0, 20, {}, 18, true, reach, 0.5},
    };
    for (const Case& c : cases) {
        const std::vector<double> y = echoTrace(c.start, c.rise, c.amplitude, c.spikes, c.trailShift);
        const int leadFrom = 70, leadTo = static_cast<int>(c.start + c.rise) + 5;
        const int trailFrom = static_cast<int>(c.start + kWidth + c.trailShift) - 5;
        const std::span<const double> all(y);
        const std::span<const double> trail = c.withTrail ? all.subspan(static_cast<std::size_t>(trailFrom), 40)
                                                          : std::span<const double>{};
        const EdgeFit fit = fitEchoStart({all.subspan(leadFrom, static_cast<std::size_t>(leadTo - leadFrom)), leadFrom,
                                          trail, trailFrom, kWidth},
                                         c.hint);
        EXPECT_NEAR(fit.start, c.start, c.tolerance) << c.what << ", rise " << fit.rise;
        EXPECT_LE(fit.rise, c.hint.mostRise) << c.what;
        if (c.hint.trailReach > 0) {
            EXPECT_NEAR(fit.widening, c.trailShift, 1.0) << c.what;
        }
    }
}

} // namespace
