#include "measurement/analysis/trace_alignment.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The share of an echo's height its residual may keep after the fit without the echo having changed.
constexpr double kEdgeShare = 0.03;

bool clipped(double level) { return level >= 127 || level <= -128; }

// The least-squares gain and the mean squared residual of one shift; none without a level to scale.
struct ShiftFit {
    double gain = 1.0;
    double residual = std::numeric_limits<double>::infinity();
};

ShiftFit fitAt(std::span<const double> trace, std::span<const double> reference, std::span<const SampleRange> regions,
               double shift)
{
    const int n = static_cast<int>(reference.size());
    double cross = 0.0, power = 0.0, own = 0.0;
    int count = 0;
    for (const SampleRange& r : regions)
        for (int k = std::max(0, r.first); k < std::min(r.last, static_cast<int>(trace.size())); ++k) {
            const double x = k - shift;
            if (x < 0 || x > n - 1)
                continue;
            const double t = trace[static_cast<std::size_t>(k)];
            const double ref = levelAt(reference, x);
            if (clipped(t) || clipped(reference[static_cast<std::size_t>(std::lround(x))]))
                continue;
            cross += t * ref;
            power += ref * ref;
            own += t * t;
            ++count;
        }
    if (count == 0 || !(power > 0))
        return {};
    const double gain = cross / power;
    // sum (t - g r)^2 = own - 2 g cross + g^2 power = own - cross^2 / power
    return {gain, std::max(0.0, own - gain * cross) / count};
}

} // namespace

double levelAt(std::span<const double> trace, double x)
{
    const int n = static_cast<int>(trace.size());
    if (n == 0)
        return 0.0;
    const int i = static_cast<int>(std::floor(x));
    const double f = x - i;
    auto at = [&](int k) { return trace[static_cast<std::size_t>(std::clamp(k, 0, n - 1))]; };
    const double p0 = at(i - 1), p1 = at(i), p2 = at(i + 1), p3 = at(i + 2);
    return p1 + 0.5 * f * (p2 - p0 + f * (2 * p0 - 5 * p1 + 4 * p2 - p3 + f * (3 * (p1 - p2) + p3 - p0)));
}

namespace {

std::optional<TraceAlignment> fitAll(std::span<const double> trace, std::span<const double> reference,
                                     std::span<const SampleRange> regions, int maxShift)
{
    double bestShift = 0.0;
    ShiftFit best;
    for (int t = -maxShift; t <= maxShift; ++t)
        if (const ShiftFit f = fitAt(trace, reference, regions, t); f.residual < best.residual) {
            best = f;
            bestShift = t;
        }
    if (!std::isfinite(best.residual))
        return std::nullopt;
    // The fraction: the best of fiftieths within half a sample either way.
    const double whole = bestShift;
    for (int step = -25; step <= 25; ++step) {
        const double s = whole + step / 50.0;
        if (const ShiftFit f = fitAt(trace, reference, regions, s); f.residual < best.residual) {
            best = f;
            bestShift = s;
        }
    }
    return TraceAlignment{bestShift, best.gain};
}

} // namespace

std::optional<TraceAlignment> fitAlignment(std::span<const double> trace, std::span<const double> reference,
                                           std::span<const SampleRange> regions, int maxShift, double residualSigma)
{
    std::vector<SampleRange> kept(regions.begin(), regions.end());
    std::optional<TraceAlignment> fit = fitAll(trace, reference, kept, maxShift);
    while (fit && residualSigma > 0 && kept.size() > 1) {
        std::size_t worst = 0;
        double worstResidual = -1.0;
        for (std::size_t i = 0; i < kept.size(); ++i) {
            // The region's own residual at the common shift and gain.
            double sum = 0.0, peak = 0.0;
            int count = 0;
            for (int k = std::max(0, kept[i].first); k < std::min(kept[i].last, static_cast<int>(trace.size())); ++k) {
                const double x = k - fit->shift;
                if (x < 0 || x > static_cast<double>(reference.size()) - 1)
                    continue;
                const double r = trace[static_cast<std::size_t>(k)] - fit->gain * levelAt(reference, x);
                sum += r * r;
                peak = std::max(peak, std::abs(trace[static_cast<std::size_t>(k)]));
                ++count;
            }
            // What the interpolation leaves on a steep edge grows with the echo: beyond the noise, a
            // strong echo that agrees may leave a small share of its height.
            const double allowed = 4 * residualSigma * residualSigma + std::pow(kEdgeShare * peak, 2);
            const double residual = count > 0 ? sum / count - allowed : 0.0;
            if (residual > worstResidual) {
                worstResidual = residual;
                worst = i;
            }
        }
        if (worstResidual <= 0)
            break;
        kept.erase(kept.begin() + static_cast<std::ptrdiff_t>(worst));
        fit = fitAll(trace, reference, kept, maxShift);
    }
    return fit;
}
