#include "device/sim_scene.h"

#include "document/units.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <numbers>

namespace {

constexpr double kProbeAmplitude = 100.0;
constexpr double kLength1 = 830.0;
constexpr double kLength2 = 1460.0;
constexpr double kFaultDistance = 640.0;
constexpr double kSplitDistance = 270.0;

// A rectangular pulse of width w starting at 0, its edges rounded over r.
double pulseShape(double u, double w, double r)
{
    return 0.5 * (std::tanh(u / r) - std::tanh((u - w) / r));
}

} // namespace

CSimScene::CSimScene(std::uint64_t seed) : state(seed * 0x9E3779B97F4A7C15ull + 0x2545F4914F6CDD1Dull)
{
    lines[0] = {1.52, 10.0, {{212.0, 0.10}, {214.5, -0.06}, {455.0, -0.20}, {505.0, 0.18}, {kLength1, 0.85}}};
    lines[1] = {1.47, 8.0, {{380.0, 0.09}, {382.0, -0.05}, {900.0, -0.18}, {960.0, 0.17}, {1120.0, 0.11},
                            {1122.5, -0.07}, {kLength2, -0.90}}};
}

double CSimScene::lineLength(int line) { return line == 0 ? kLength1 : kLength2; }
double CSimScene::lineKu(int line) { return line == 0 ? 1.52 : 1.47; }
double CSimScene::faultDistance() { return kFaultDistance; }

std::uint64_t CSimScene::next()
{
    // splitmix64: the same seed gives the same reflectograms on every platform.
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double CSimScene::gaussian()
{
    if (spareReady) {
        spareReady = false;
        return spare;
    }
    const double u1 = (static_cast<double>(next() >> 11) + 1.0) / 9007199254740993.0;
    const double u2 = static_cast<double>(next() >> 11) / 9007199254740992.0;
    const double radius = std::sqrt(-2.0 * std::log(u1));
    spare = radius * std::sin(2 * std::numbers::pi * u2);
    spareReady = true;
    return radius * std::cos(2 * std::numbers::pi * u2);
}

bool CSimScene::drawFault() { return next() % 4 == 0; }

double CSimScene::signalAt(const Line& line, const SimView& view, double x, bool faultShows, bool split) const
{
    const double width = std::max(view.pulseNs * 0.1, 0.2);   // nominal metres at 100 m/us
    const double rise = 0.4 + 0.05 * width;
    auto echo = [&](double realDistance, double coefficient) {
        const double at = realDistance * line.ku / kReferenceKu;
        const double loss = std::pow(10.0, -line.attenuationDbPerKm * 2 * realDistance / 1000.0 / 20.0);
        // The pulse spreads as it travels: its edges soften and its peak drops.
        const double spread = rise + 0.004 * at + 0.02 * std::sqrt(at);
        return kProbeAmplitude * coefficient * loss * pulseShape(x - at, width, spread);
    };

    if (split) {
        // Separate send and receive pairs: near-end crosstalk, then the pairs' split as a strong echo.
        double v = 0.12 * kProbeAmplitude * pulseShape(x, width, rise);
        v += echo(kSplitDistance, 0.45);
        return v;
    }

    double v = kProbeAmplitude * pulseShape(x, width, rise);
    // The receiver recovers slowly from the probe pulse.
    if (x > width)
        v -= 0.08 * kProbeAmplitude * std::exp(-(x - width) / (15.0 + 3.0 * width));
    for (const Event& e : line.events)
        v += echo(e.distance, e.coefficient);
    if (faultShows && &line == &lines[0])
        v += echo(kFaultDistance, -0.35);
    return v;
}

const std::vector<double>& CSimScene::clean(const SimView& view, bool faultShows, bool split)
{
    const int lineIndex = view.line == 1 ? 1 : 0;
    for (const Clean& c : cleanCache) {
        if (c.line == lineIndex && c.split == split && c.faultShows == faultShows && c.start == view.start &&
            c.spacing == view.spacing && c.pulseNs == view.pulseNs && c.count == view.count)
            return c.values;
    }
    Clean& c = cleanCache[cleanNext];
    cleanNext = (cleanNext + 1) % static_cast<int>(std::size(cleanCache));
    c.line = lineIndex;
    c.split = split;
    c.faultShows = faultShows;
    c.start = view.start;
    c.spacing = view.spacing;
    c.pulseNs = view.pulseNs;
    c.count = view.count;
    c.values.resize(static_cast<std::size_t>(std::max(view.count, 0)));

    const Line& line = lines[lineIndex];
    const double width = std::max(view.pulseNs * 0.1, 0.2);
    // A sample spans its whole spacing: short pulses on long ranges are not missed between samples.
    const int points = std::clamp(static_cast<int>(view.spacing / (width / 2)), 1, 8);
    for (int i = 0; i < view.count; ++i) {
        double sum = 0.0;
        for (int p = 0; p < points; ++p) {
            const double x = view.start + (i + (p + 0.5) / points - 0.5) * view.spacing;
            sum += signalAt(line, view, x, faultShows, split);
        }
        c.values[static_cast<std::size_t>(i)] = sum / points;
    }
    return c.values;
}

void CSimScene::render(const SimView& view, bool faultShows, std::uint8_t* out)
{
    const bool split = view.sourceLine != view.line;
    const double gain = std::pow(10.0, view.gain * 0.15 / 20.0);
    const double shots = std::max(1, view.averaging);
    const double inputNoise = 0.25 / std::sqrt(shots);
    const double outputNoise = 2.0 / std::sqrt(shots);
    // The input noise, amplified, and the output noise are independent normal deviates: their sum is one
    // normal deviate of the summed variance, drawn at half the cost.
    const double noise = std::hypot(gain * inputNoise, outputNoise);
    const std::vector<double>& signal = clean(view, faultShows, split);

    for (int i = 0; i < view.count; ++i) {
        const double v = gain * signal[static_cast<std::size_t>(i)] + noise * gaussian();
        const long level = std::clamp(std::lround(v), -128L, 127L);
        out[i] = static_cast<std::uint8_t>(static_cast<std::int8_t>(level));
    }
}
