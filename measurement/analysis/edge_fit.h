#pragma once

#include <limits>
#include <span>

// The samples around one echo, as counts away from the baseline in the echo's direction.
struct EchoEdges {
    std::span<const double> lead;    // the quiet line before the echo, its leading edge, the start of its top
    int leadFrom = 0;                // the sample of lead[0]
    std::span<const double> trail;   // the end of its top, its trailing edge, the quiet line; may be empty
    int trailFrom = 0;               // the sample of trail[0]
    double width = 0.0;              // the probe pulse's width in samples: the trailing edge starts this much later
};

// What the other echoes of the line tell of a faint one's rise: the line's dispersion only lengthens
// the edges along the line.
struct EdgeHint {
    double leastRise = 0.0;
    double mostRise = std::numeric_limits<double>::infinity();
    // Samples beyond the starts tried for the pulse within which the trailing edge is sought on its
    // own: how far the line's dispersion may have moved it, where the widening is measured.
    double trailReach = 0.0;
};

struct EdgeFit {
    double start = 0.0;      // where the leading edge begins, fractional samples
    double rise = 0.0;       // samples both edges take
    // Samples by which the trailing edge, placed on its own, lies later than a pulse width after the
    // leading one: what the line's dispersion has widened the echo by (0 without a trailing edge).
    double widening = 0.0;
};

// Where the leading edge of an echo begins: the start of the change, not its peak. The echo is the probe
// pulse, so both of its edges take one rise and lie one pulse width apart. Straight ramps fitted to
// each edge by least squares find the edge and about its rise; then the pulse is fitted to both edges
// at once, each edge with its own level and height, so that the trailing edge's samples steady the
// start of a faint leading edge - a noise spike just before it no longer drags the start early. Where
// the edges do not lie a pulse width apart (echoes that run into each other) the leading edge alone
// places the start, at the rise both share.
EdgeFit fitEchoStart(const EchoEdges& echo, const EdgeHint& hint = {});

// The first, rough step of that fit - the straight ramps, which no hint changes - so that an echo
// fitted again under a hint need not repeat it.
struct RoughEdge {
    double start = 0.0;
    double rise = 0.0;
    bool found = false;   // a ramp above the baseline fits the leading edge
};
RoughEdge roughEchoEdge(const EchoEdges& echo);
EdgeFit fitEchoStart(const EchoEdges& echo, const EdgeHint& hint, const RoughEdge& ramps);
