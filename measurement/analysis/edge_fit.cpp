#include "measurement/analysis/edge_fit.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr double kKneeStep = 0.25;
constexpr double kKneeShare = 1.0 / 16;
constexpr double kRiseStep = 0.5;
constexpr double kLeastRise = 0.5;
// Beyond this rise the steps grow with it: a slow edge's rise is not known to half a sample anyway.
constexpr double kFineRise = 8.0;
constexpr double kRiseShare = 0.05;

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
    static double range(const std::vector<double>& s, int a, int b)
    {
        return s[static_cast<std::size_t>(b)] - s[static_cast<std::size_t>(a)];
    }
    // Sums of k and of k^2 over a <= k < b.
    static double sumK(int a, int b) { return triangle(b) - triangle(a); }
    static double sumK2(int a, int b) { return squares(b) - squares(a); }
    static double triangle(double m) { return m * (m - 1) / 2; }
    static double squares(double m) { return (m - 1) * m * (2 * m - 1) / 6; }

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
    RampFit best;
    // A slow edge's knee is not known to a quarter sample: the steps grow with the rise.
    const double step = std::max(kKneeStep, rise * kKneeShare);
    for (double knee = -1.0; knee + rise <= scorer.size(); knee += step) {
        const double e = scorer.explained(knee, rise);
        if (e > best.explained)
            best = {e, knee};
    }
    return best;
}

} // namespace

double fitEchoStart(std::span<const double> lead, int leadFrom, std::span<const double> trail)
{
    const CRampScorer leading(lead);
    // Read backwards, the trailing edge is a rising ramp of the same rise.
    const std::vector<double> reversed(trail.rbegin(), trail.rend());
    const CRampScorer trailing(reversed);
    double best = 0.0, knee = 0.0;
    const double longest = std::max<double>(static_cast<double>(lead.size()), kLeastRise);
    for (double rise = kLeastRise; rise <= longest; rise += rise < kFineRise ? kRiseStep : rise * kRiseShare) {
        const RampFit l = bestRamp(leading, rise);
        const RampFit t = trail.empty() ? RampFit{} : bestRamp(trailing, rise);
        if (l.explained > 0 && l.explained + t.explained > best) {
            best = l.explained + t.explained;
            knee = l.knee;
        }
    }
    return leadFrom + knee;
}
