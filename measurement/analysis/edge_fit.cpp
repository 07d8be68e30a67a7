#include "measurement/analysis/edge_fit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

constexpr double kKneeStep = 0.25;
constexpr double kKneeShare = 1.0 / 16;
// The knees first tried, in steps of the fine ones, and the hills of those looked at closely.
constexpr int kCoarseKnees = 8;
constexpr int kHills = 3;
constexpr double kRiseStep = 0.5;
constexpr double kLeastRise = 0.5;
// Beyond this rise the steps grow with it: a slow edge's rise is not known to half a sample anyway.
constexpr double kFineRise = 8.0;
constexpr double kRiseShare = 0.05;
// The finest step of the pulse fit's start and rise.
constexpr double kFineStep = 1.0 / 16;
// Samples, beyond half the rise, by which the two edges may disagree on where the pulse starts before
// they are taken for the edges of two different echoes.
constexpr double kAgreement = 2.0;
// Steps of the start, in fine ones, by which a trailing edge far off its place is first sought.
constexpr double kTrailCoarse = 4.0;

// A prefix-sum table's sum over a <= k < b.
double range(const std::vector<double>& prefix, int a, int b)
{
    return prefix[static_cast<std::size_t>(b)] - prefix[static_cast<std::size_t>(a)];
}
// Sums of k and of k^2 over a <= k < b.
double sumK(int a, int b)
{
    const auto triangle = [](double m) { return m * (m - 1) / 2; };
    return triangle(b) - triangle(a);
}
double sumK2(int a, int b)
{
    const auto squares = [](double m) { return (m - 1) * m * (2 * m - 1) / 6; };
    return squares(b) - squares(a);
}

// Sums over index ranges in constant time, for ramps g(k) = clamp((k - knee) / rise, 0, 1) over
// samples y(k), k = 0..n-1: the fit's level is sum(y g) / sum(g^2) and it explains sum(y g)^2 / sum(g^2).
class CRampScorer {
public:
    explicit CRampScorer(std::span<const double> y) : n(static_cast<int>(y.size())), s0(y.size() + 1), s1(y.size() + 1)
    {
        for (int k = 0; k < n; ++k) {
            s0[static_cast<std::size_t>(k) + 1] = s0[static_cast<std::size_t>(k)] + y[static_cast<std::size_t>(k)];
            s1[static_cast<std::size_t>(k) + 1] = s1[static_cast<std::size_t>(k)] + k * y[static_cast<std::size_t>(k)];
        }
    }

    int size() const { return n; }

    // What the ramp explains of the samples; 0 when its level would not lie above the baseline.
    double explained(double knee, double rise) const
    {
        const int a = std::clamp(static_cast<int>(std::floor(knee)) + 1, 0, n);   // first sample on the ramp
        const int b = std::clamp(static_cast<int>(std::floor(knee + rise)) + 1, a, n);   // first on the top
        const double c = b - a, k1 = sumK(a, b), k2 = sumK2(a, b);
        const double yg = (range(s1, a, b) - knee * range(s0, a, b)) / rise + range(s0, b, n);
        const double gg = (k2 - 2 * knee * k1 + knee * knee * c) / (rise * rise) + (n - b);
        return gg > 0 && yg > 0 ? yg * yg / gg : 0.0;
    }

private:
    int n;
    std::vector<double> s0, s1;
};

// The best ramp of one rise: what it explains and its knee.
struct RampFit {
    double explained = 0.0;
    double knee = 0.0;
};

RampFit bestRamp(const CRampScorer& scorer, double rise)
{
    // A slow edge's knee is not known to a quarter sample: the steps grow with the rise.
    const double step = std::max(kKneeStep, rise * kKneeShare);
    const int last = static_cast<int>(std::floor((scorer.size() - rise + 1.0) / step + 1e-9));
    if (last < 0)
        return {};
    auto at = [&](int j) { return RampFit{scorer.explained(-1.0 + j * step, rise), -1.0 + j * step}; };
    // What a ramp explains changes slowly with its knee: the knees kCoarseKnees steps apart find the
    // hills, and the fine steps are tried only around the highest few of them.
    std::array<RampFit, kHills> hills{};
    std::array<int, kHills> hillAt{};
    RampFit before, here = at(0);
    for (int j = 0; j <= last; j += kCoarseKnees) {
        const RampFit next = j + kCoarseKnees <= last ? at(j + kCoarseKnees) : RampFit{};
        if (here.explained > 0 && here.explained >= before.explained && here.explained >= next.explained) {
            // Kept in order, highest first; the earlier of equal hills stays ahead.
            int slot = kHills;
            while (slot > 0 && here.explained > hills[static_cast<std::size_t>(slot - 1)].explained)
                --slot;
            for (int m = kHills - 1; m > slot; --m) {
                hills[static_cast<std::size_t>(m)] = hills[static_cast<std::size_t>(m - 1)];
                hillAt[static_cast<std::size_t>(m)] = hillAt[static_cast<std::size_t>(m - 1)];
            }
            if (slot < kHills) {
                hills[static_cast<std::size_t>(slot)] = here;
                hillAt[static_cast<std::size_t>(slot)] = j;
            }
        }
        before = here;
        here = next;
    }
    RampFit best;
    if (!(hills[0].explained > 0)) {
        // No coarse knee lies above the baseline: a short window, tried step by step.
        for (int j = 0; j <= last; ++j)
            if (const RampFit f = at(j); f.explained > best.explained)
                best = f;
        return best;
    }
    int bestAt = last + 1;
    for (std::size_t h = 0; h < kHills && hills[h].explained > 0; ++h)
        for (int j = std::max(0, hillAt[h] - kCoarseKnees + 1); j <= std::min(last, hillAt[h] + kCoarseKnees - 1); ++j) {
            const RampFit f = j == hillAt[h] ? hills[h] : at(j);
            if (f.explained > best.explained || (f.explained == best.explained && f.explained > 0 && j < bestAt)) {
                best = f;
                bestAt = j;
            }
        }
    return best;
}

double nextRise(double rise) { return rise + (rise < kFineRise ? kRiseStep : rise * kRiseShare); }

// Fits the probe pulse - a straight ramp up, a flat top `width` samples long, the same ramp down - to
// one window of samples y(k), k = from..from+n-1, with the window's own level and height, in constant
// time: the pulse is straight between its corners, so its sums over each straight piece come from
// prefix sums of y(k) and of k y(k).
class CPulseScorer {
public:
    CPulseScorer(std::span<const double> y, int from, double width)
        : from(from), n(static_cast<int>(y.size())), width(width), s0(y.size() + 1), s1(y.size() + 1)
    {
        for (std::size_t k = 0; k < y.size(); ++k) {
            s0[k + 1] = s0[k] + y[k];
            s1[k + 1] = s1[k] + static_cast<double>(k) * y[k];
        }
    }

    bool empty() const { return n == 0; }

    // What the pulse starting at `start` explains of the window beyond its mean; 0 when it would have
    // to be upside down.
    double explained(double start, double rise) const
    {
        if (n == 0)
            return 0.0;
        // The pulse g(u), u = k - start, is 0 before 0, rises as u / rise, stays at min(rise, width) / rise
        // and falls back to 0 at width + rise. It is continuous, so a sample on a corner counts alike
        // on either piece.
        const double corner = std::min(rise, width), last = std::max(rise, width);
        const double origin = from - start;   // u of the window's first sample
        Sums s;
        // g = c0 + c1 i over the window's samples i in [first(p), first(q)).
        auto piece = [&](double p, double q, double c0, double c1) {
            const int a = firstAt(start + p), b = std::max(a, firstAt(start + q));
            const double count = b - a, k1 = sumK(a, b), k2 = sumK2(a, b);
            s.g += c0 * count + c1 * k1;
            s.gg += c0 * c0 * count + 2 * c0 * c1 * k1 + c1 * c1 * k2;
            s.gy += c0 * range(s0, a, b) + c1 * range(s1, a, b);
        };
        piece(0.0, corner, origin / rise, 1.0 / rise);
        piece(corner, last, corner / rise, 0.0);
        piece(last, width + rise, (width + rise - origin) / rise, -1.0 / rise);
        const double cov = s.gy - s.g * s0.back() / n;
        const double var = s.gg - s.g * s.g / n;
        return cov > 0 && var > 1e-9 ? cov * cov / var : 0.0;
    }

private:
    struct Sums {
        double g = 0.0, gg = 0.0, gy = 0.0;
    };

    // The window's index of the first sample at or after x.
    int firstAt(double x) const { return std::clamp(static_cast<int>(std::ceil(x)) - from, 0, n); }

    int from, n;
    double width;
    std::vector<double> s0, s1;
};

// Whether a fit explains more than the best so far by more than rounding. A pulse with a rise under a
// sample explains the same over a stretch of starts where no sample crosses its edge: the first of
// them is kept, whatever the rounding of the sums.
bool better(double v, double best) { return v > best + 1e-9 * std::abs(best) + 1e-12; }

// A pulse fitted to the edges: what it explains, its rise and start, and where the trailing edge,
// placed on its own, puts the start.
struct PulseFit {
    double explained = 0.0;
    double rise = 1.0;
    double start = 0.0;
    double trailStart = 0.0;
};

} // namespace

RoughEdge roughEchoEdge(const EchoEdges& echo)
{
    const CRampScorer leading(echo.lead);
    // Read backwards, the trailing edge is a rising ramp of the same rise.
    const std::vector<double> reversed(echo.trail.rbegin(), echo.trail.rend());
    const CRampScorer trailing(reversed);
    double best = 0.0, knee = 0.0, rough = kLeastRise;
    const double longest = std::max<double>(static_cast<double>(echo.lead.size()), kLeastRise);
    for (double rise = kLeastRise; rise <= longest; rise = nextRise(rise)) {
        const RampFit l = bestRamp(leading, rise);
        const RampFit t = echo.trail.empty() ? RampFit{} : bestRamp(trailing, rise);
        if (l.explained > 0 && l.explained + t.explained > best) {
            best = l.explained + t.explained;
            knee = l.knee;
            rough = rise;
        }
    }
    return {echo.leadFrom + knee, rough, best > 0};
}

EdgeFit fitEchoStart(const EchoEdges& echo, const EdgeHint& hint)
{
    return fitEchoStart(echo, hint, roughEchoEdge(echo));
}

EdgeFit fitEchoStart(const EchoEdges& echo, const EdgeHint& hint, const RoughEdge& ramps)
{
    const double roughStart = ramps.start, rough = ramps.rise;
    if (!ramps.found)
        return {roughStart, rough};

    // The ramps have found the edge and about its rise; the pulse is sought around them.
    const CPulseScorer lead(echo.lead, echo.leadFrom, echo.width);
    const CPulseScorer trail(echo.trail, echo.trailFrom, echo.width);
    const double step = std::max(kRiseStep, rough * kKneeShare);
    const double from = roughStart - rough - 3, to = roughStart + rough + 3;
    // Noise just before a faint edge may join it into one long ramp: the other echoes' rise law then
    // bounds the rise, not that ramp.
    const double leastRise = std::max({kLeastRise, std::min(rough / 2 - 1, hint.mostRise), std::min(hint.leastRise, 2 * rough + 3)});
    const double mostRise = std::max(leastRise, std::min(2 * rough + 3, hint.mostRise));
    const std::size_t count = static_cast<std::size_t>((to - from) / step) + 1;
    auto at = [&](std::size_t i) { return from + static_cast<double>(i) * step; };
    std::vector<double> ofLead(count), ofTrail(count);
    PulseFit together, apart;   // both edges a pulse width apart; each edge where it fits best
    for (double rise = leastRise; rise <= mostRise; rise = nextRise(rise)) {
        for (std::size_t i = 0; i < count; ++i) {
            ofLead[i] = lead.explained(at(i), rise);
            ofTrail[i] = trail.explained(at(i), rise);
        }
        std::size_t both = 0, l = 0, t = 0;
        for (std::size_t i = 0; i < count; ++i) {
            if (ofLead[i] > 0 && better(ofLead[i] + ofTrail[i], ofLead[both] + ofTrail[both]))
                both = i;
            if (better(ofLead[i], ofLead[l]))
                l = i;
            if (better(ofTrail[i], ofTrail[t]))
                t = i;
        }
        if (ofLead[both] > 0 && better(ofLead[both] + ofTrail[both], together.explained))
            together = {ofLead[both] + ofTrail[both], rise, at(both), at(both)};
        // The trailing edge on its own, where the line may have moved it beyond the starts tried: sought
        // there, coarse to fine, when it fits best at their border.
        double trailBest = ofTrail[t], trailAt = at(t);
        if (hint.trailReach > 0 && (t == 0 || t == count - 1)) {
            const double coarse = kTrailCoarse * step;
            auto tryAt = [&](double start) {
                if (const double v = trail.explained(start, rise); better(v, trailBest))
                    trailBest = v, trailAt = start;
            };
            for (double start = from - hint.trailReach; start <= to + hint.trailReach; start += coarse)
                tryAt(start);
            for (double start = trailAt - coarse + step, centre = trailAt; start < centre + coarse; start += step)
                tryAt(start);
        }
        if (ofLead[l] > 0 && better(ofLead[l] + trailBest, apart.explained))
            apart = {ofLead[l] + trailBest, rise, at(l), trailAt};
    }
    if (!(apart.explained > 0))
        return {roughStart, rough};

    const double widening = trail.empty() ? 0.0 : apart.trailStart - apart.start;
    const bool agree = !trail.empty() && std::abs(widening) <= kAgreement + apart.rise / 2;
    if (!agree) {
        // Echoes run into each other: the leading edge alone places the start, at the rise the ramps
        // found with each edge on its own, within what the other echoes allow.
        const double rise = std::clamp(rough, leastRise, mostRise);
        PulseFit result;
        for (double start = from; start <= to; start += kFineStep) {
            const double v = lead.explained(start, rise);
            if (better(v, result.explained))
                result = {v, rise, start, start};
        }
        return result.explained > 0 ? EdgeFit{result.start, rise, widening} : EdgeFit{roughStart, rough, widening};
    }
    // A pattern search from the best on the coarse steps: the best of the 3 x 3 starts and rises
    // around it until none is better, then again with half the steps.
    auto score = [&](double start, double rise) {
        const bool inside = rise >= leastRise && rise <= mostRise && start >= from && start <= to;
        const double l = inside ? lead.explained(start, rise) : 0.0;
        return l > 0 ? l + trail.explained(start, rise) : 0.0;
    };
    auto search = [&](PulseFit f) {
        for (double d = step / 2; d >= kFineStep; d /= 2)
            for (bool moved = true; moved;) {
                moved = false;
                const PulseFit centre = f;
                for (int i = -1; i <= 1; ++i)
                    for (int j = -1; j <= 1; ++j) {
                        const double v = score(centre.start + i * d, centre.rise + j * d);
                        if (better(v, f.explained)) {
                            f = {v, centre.rise + j * d, centre.start + i * d, centre.start + i * d};
                            moved = true;
                        }
                    }
            }
        return f;
    };
    // From the best of the coarse steps and from the ramps' own knee and rise: on an edge over a sample
    // or two the coarse steps may miss the hill the ramps found, and the search then ends on a lesser one.
    PulseFit f = search(together);
    if (const double fromRamps = score(roughStart, rough); fromRamps > 0)
        if (const PulseFit g = search({fromRamps, rough, roughStart, roughStart}); better(g.explained, f.explained))
            f = g;
    return {f.start, f.rise, widening};
}
