#include "measurement/analysis/probe_recovery.h"

#include "measurement/analysis/level_median.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kLeastBlocks = 8;
constexpr double kTauGrowth = 1.2;
constexpr int kRobustPasses = 3;
constexpr int kResistantPasses = 8;
// The probe's own tail dies out within about a pulse width; the receiver recovers slower than that.
constexpr double kTailsToRecovery = 2.0;
constexpr double kKeep = 3.0;
constexpr double kMadToSigma = 1.4826;
// Block medians of integer levels are never known closer than this.
constexpr double kLeastScale = 0.25;
// The exponential must explain more than a flat line by as much as this many blocks lying fully off
// the curve, or it is not there: fitting noise never gains that much.
constexpr double kLeastGain = 4.0;

struct Point {
    double x;
    double y;
};

double medianOf(std::vector<double> v)
{
    if (v.empty())
        return 0.0;
    const auto mid = v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2);
    std::nth_element(v.begin(), mid, v.end());
    return *mid;
}

// Least squares of y = c + a e(x) over the kept points; false, leaving c and a, when they do not
// determine a line (fewer than two, or all at one e).
bool leastSquares(const std::vector<Point>& pts, const std::vector<double>& e, const std::vector<bool>& keep,
                  double& c, double& a)
{
    double n = 0, se = 0, sy = 0, see = 0, sey = 0;
    for (std::size_t i = 0; i < pts.size(); ++i)
        if (keep[i]) {
            n += 1;
            se += e[i];
            sy += pts[i].y;
            see += e[i] * e[i];
            sey += e[i] * pts[i].y;
        }
    const double det = n * see - se * se;
    if (n < 2 || std::abs(det) < 1e-12)
        return false;
    a = (n * sey - se * sy) / det;
    c = (sy - a * se) / n;
    return true;
}

double meanOfKept(const std::vector<Point>& pts, const std::vector<bool>& keep)
{
    double n = 0, sy = 0;
    for (std::size_t i = 0; i < pts.size(); ++i)
        if (keep[i]) {
            n += 1;
            sy += pts[i].y;
        }
    return n > 0 ? sy / n : 0.0;
}

// Robust fit of y = c + a e(x) for a given basis e: least squares, then again without the points
// beyond kKeep robust deviations. Returns the robust deviation of the residuals.
double fit(const std::vector<Point>& pts, const std::vector<double>& e, double& c, double& a)
{
    std::vector<bool> keep(pts.size(), true);
    double scale = 0.0;
    for (int pass = 0; pass < kRobustPasses; ++pass) {
        if (!leastSquares(pts, e, keep, c, a)) {
            a = 0.0;
            c = meanOfKept(pts, keep);
        }
        std::vector<double> residual(pts.size());
        for (std::size_t i = 0; i < pts.size(); ++i)
            residual[i] = std::abs(pts[i].y - c - a * e[i]);
        scale = std::max(kMadToSigma * medianOf(residual), kLeastScale);
        for (std::size_t i = 0; i < pts.size(); ++i)
            keep[i] = residual[i] <= kKeep * scale;
    }
    return scale;
}

// What a fit leaves unexplained, each point counted at most as a point `cut` off the curve, so an
// echo costs a model that ignores it no more than one that bends towards it.
double cost(const std::vector<Point>& pts, const std::vector<double>& e, double c, double a, double cut)
{
    double sum = 0.0;
    for (std::size_t i = 0; i < pts.size(); ++i) {
        const double r = pts[i].y - c - a * e[i];
        sum += std::min(r * r, cut * cut);
    }
    return sum;
}

// A second fit that echoes filling a good part of the span cannot pull: it starts from the line
// through the medians of the first and the last third of the blocks, then refits by least squares on
// the blocks within `cut` of the curve until they stay the same.
void resistantFit(const std::vector<Point>& pts, const std::vector<double>& e, double cut, double& c, double& a)
{
    const std::size_t third = pts.size() / 3;
    std::vector<double> yNear, eNear, yFar, eFar;
    for (std::size_t i = 0; i < third; ++i) {
        yNear.push_back(pts[i].y);
        eNear.push_back(e[i]);
        yFar.push_back(pts[pts.size() - 1 - i].y);
        eFar.push_back(e[pts.size() - 1 - i]);
    }
    const double de = medianOf(eNear) - medianOf(eFar);
    if (std::abs(de) < 1e-12)
        return;
    a = (medianOf(yNear) - medianOf(yFar)) / de;
    std::vector<double> rest(pts.size());
    for (std::size_t i = 0; i < pts.size(); ++i)
        rest[i] = pts[i].y - a * e[i];
    c = medianOf(rest);
    std::vector<bool> keep(pts.size(), false);
    for (int pass = 0; pass < kResistantPasses; ++pass) {
        bool changed = false;
        for (std::size_t i = 0; i < pts.size(); ++i) {
            const bool near = std::abs(pts[i].y - c - a * e[i]) <= cut;
            changed = changed || near != keep[i];
            keep[i] = near;
        }
        if (!changed || !leastSquares(pts, e, keep, c, a))
            return;
    }
}

// The recovery is largest right after the probe: a curve that misses most of the first blocks there
// has fitted something else, the probe's own tail, a slow dip of the line or echoes.
bool followsNearProbe(const std::vector<Point>& pts, const std::vector<double>& e, double c, double a, double cut)
{
    std::vector<double> off;
    for (std::size_t i = 0; i < std::min<std::size_t>(pts.size(), kLeastBlocks); ++i)
        off.push_back(std::abs(pts[i].y - c - a * e[i]));
    return !off.empty() && medianOf(off) <= cut;
}

} // namespace

double removeProbeRecovery(std::vector<double>& level, int first, int block, int fitSpan, double slowestTail)
{
    const int n = static_cast<int>(level.size());
    block = std::max(block, 1);
    const int fitEnd = fitSpan > 0 ? std::min(n, first + fitSpan) : n;
    std::vector<Point> pts;
    CLevelMedian m;
    for (int b = first; b + block <= fitEnd; b += block) {
        m.clear();
        for (int k = b; k < b + block; ++k)
            m.add(static_cast<int>(std::lround(level[static_cast<std::size_t>(k)])));
        pts.push_back({b + block / 2.0 - first, m.median()});
    }
    if (static_cast<int>(pts.size()) < kLeastBlocks)
        return 0.0;

    const std::vector<double> flat(pts.size(), 0.0);
    double c = 0.0, a = 0.0;
    fit(pts, flat, c, a);
    // The scatter of neighbouring blocks, which a slow recovery or drift does not swell, sets how far
    // off a block may be before it counts as an echo.
    std::vector<double> steps;
    for (std::size_t i = 1; i < pts.size(); ++i)
        steps.push_back(std::abs(pts[i].y - pts[i - 1].y));
    const double cut = kKeep * std::max(kMadToSigma * medianOf(steps) / std::sqrt(2.0), kLeastScale);
    const double flatCost = cost(pts, flat, c, 0.0, cut);
    struct Best { double cost; double a; double tau; };   // what a fit leaves unexplained, with its curve
    Best ordinary{flatCost, 0.0, 0.0}, resistant{flatCost, 0.0, 0.0};
    const double span = pts.back().x;
    std::vector<double> e(pts.size());
    for (double tau = 2.0 * block; tau <= span / 2; tau *= kTauGrowth) {
        // The blocks are evenly spaced: each value of the exponential is the one before times a ratio.
        const double ratio = std::exp(-block / tau);
        e[0] = std::exp(-pts[0].x / tau);
        for (std::size_t i = 1; i < pts.size(); ++i)
            e[i] = e[i - 1] * ratio;
        fit(pts, e, c, a);
        if (const double unexplained = cost(pts, e, c, a, cut); unexplained < ordinary.cost)
            ordinary = {unexplained, a, tau};
        // The recovery lies below the line, against the probe pulse, and slower than the probe's tail.
        if (tau < kTailsToRecovery * slowestTail)
            continue;
        resistantFit(pts, e, cut, c, a);
        if (const double unexplained = cost(pts, e, c, a, cut);
            a < 0.0 && unexplained < resistant.cost && followsNearProbe(pts, e, c, a, cut))
            resistant = {unexplained, a, tau};
    }
    // The resistant fit stands in only where echoes kept the ordinary one from finding any recovery.
    const double leastGain = kLeastGain * cut * cut;
    const Best& best = flatCost - ordinary.cost >= leastGain ? ordinary : resistant;
    if (best.tau <= 0.0 || flatCost - best.cost < leastGain)
        return 0.0;
    const double ratio = std::exp(-1.0 / best.tau);
    double part = best.a;
    for (int k = first; k < n; ++k, part *= ratio)
        level[static_cast<std::size_t>(k)] -= part;
    return best.a;
}
