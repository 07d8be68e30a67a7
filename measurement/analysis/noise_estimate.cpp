#include "measurement/analysis/noise_estimate.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr double kMadToSigma = 1.4826;
constexpr double kClip = 3.5;
// A normal variable cut at +-3.5 deviations keeps 99.5 % of its variance.
constexpr double kClipVariance = 0.9950;
constexpr int kIterations = 4;
constexpr std::size_t kLeastDifferences = 8;

bool clipped(double level) { return level <= -128 || level >= 127; }

double medianOf(std::vector<double> v)
{
    const auto mid = v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2);
    std::nth_element(v.begin(), mid, v.end());
    if (v.size() % 2 == 1)
        return *mid;
    return (*mid + *std::max_element(v.begin(), mid)) / 2;
}

} // namespace

double estimateNoiseSigma(std::span<const double> levels)
{
    std::vector<double> d;
    d.reserve(levels.size());
    for (std::size_t i = 1; i < levels.size(); ++i)
        if (!clipped(levels[i]) && !clipped(levels[i - 1]))
            d.push_back(levels[i] - levels[i - 1]);
    if (d.size() < kLeastDifferences)
        return 0.0;

    const double centre = medianOf(d);
    std::vector<double> spread(d.size());
    std::transform(d.begin(), d.end(), spread.begin(), [&](double x) { return std::abs(x - centre); });
    // Counts are integers: the median deviation of quiet noise is often 0 or 1, so it only seeds the
    // clipped RMS, which is not quantised.
    double sigma = std::max(kMadToSigma * medianOf(spread), 0.5);
    for (int it = 0; it < kIterations; ++it) {
        double sum = 0.0;
        std::size_t n = 0;
        for (const double x : d)
            if (std::abs(x - centre) <= kClip * sigma) {
                sum += (x - centre) * (x - centre);
                ++n;
            }
        if (n == 0)
            break;
        sigma = std::sqrt(sum / static_cast<double>(n) / kClipVariance);
    }
    return sigma / std::sqrt(2.0);
}
