#include "support/synthetic_reflectogram.h"

#include "document/tables.h"
#include "measurement/analysis/event_finder.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

double spacingOf(int scaleIndex) { return tables::kRawSpacingCm[static_cast<std::size_t>(scaleIndex)] / 100; }

// The leading edge's step response: 0 before u = 0, reaching 1 after `rise` samples.
double edge(EdgeShape shape, double u, double rise)
{
    if (u <= 0)
        return 0.0;
    switch (shape) {
    case EdgeShape::Linear:
        return std::min(u / rise, 1.0);
    case EdgeShape::RaisedCosine:
        return u >= rise ? 1.0 : 0.5 * (1 - std::cos(std::numbers::pi * u / rise));
    case EdgeShape::Exponential:
        return 1 - std::exp(-3 * u / rise);
    }
    return 0.0;
}

// A pulse of `width` samples through an edge of `rise` samples: one edge up, one edge down.
double pulse(EdgeShape shape, double u, double width, double rise)
{
    return edge(shape, u, rise) - edge(shape, u - width, rise);
}

// Samples in which the range is covered: 62.5 m spans 500 samples, 1000 m and beyond all 8000.
int coveredSamples(int scaleIndex)
{
    return std::min(kRawSamples, static_cast<int>(tables::kRanges[static_cast<std::size_t>(scaleIndex)] /
                                                  spacingOf(scaleIndex)));
}

} // namespace

double echoSamples(int scaleIndex)
{
    return tables::kRangeDefaultPulse[static_cast<std::size_t>(scaleIndex)] * kNominalMetresPerNs /
           spacingOf(scaleIndex);
}

ReflectogramRecord renderScene(const SyntheticScene& scene)
{
    ReflectogramRecord r;
    r.scaleIndex = scene.scaleIndex;
    r.pulseIndex = tables::pulseIndexOf(tables::kRangeDefaultPulse[static_cast<std::size_t>(scene.scaleIndex)]);
    const double width = echoSamples(scene.scaleIndex);
    // The receiver recovers over 15 nominal metres plus three pulse widths, as the instrument's does.
    const double recovery = 15.0 / spacingOf(scene.scaleIndex) + 3 * width;
    std::mt19937_64 rng(scene.seed);
    std::normal_distribution<double> noise(0.0, scene.noiseSigma);
    for (int k = 0; k < kRawSamples; ++k) {
        double v = scene.probeAmplitude * pulse(scene.shape, k + 1.0, width, scene.rise);
        if (k > width)
            v -= scene.recovery * std::exp(-(k - width) / recovery);
        for (const SyntheticEcho& e : scene.echoes) {
            const double rise = scene.rise + scene.risePerKiloSample * e.start / 1000;
            v += e.amplitude * pulse(scene.shape, k - e.start, width, rise);
        }
        v += noise(rng);
        const long level = std::clamp(std::lround(v), -128L, 127L);
        r.samples[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(static_cast<std::int8_t>(level));
    }
    return r;
}

SyntheticScene randomScene(std::mt19937_64& rng, int scaleIndex, int count, double noiseSigma, double leastSigmas,
                           bool withEnd)
{
    SyntheticScene s;
    s.scaleIndex = scaleIndex;
    s.noiseSigma = noiseSigma;
    s.seed = rng();
    s.shape = static_cast<EdgeShape>(std::uniform_int_distribution<int>(0, 2)(rng));
    s.rise = std::uniform_real_distribution<double>(1.0, 3.0)(rng);
    s.risePerKiloSample = std::uniform_real_distribution<double>(0.0, 0.4)(rng);
    s.probeAmplitude = std::uniform_real_distribution<double>(60.0, 140.0)(rng);
    s.recovery = std::uniform_real_distribution<double>(2.0, 40.0)(rng);

    const double width = echoSamples(scaleIndex);
    const double spacing = spacingOf(scaleIndex);
    const double maxRise = s.rise + s.risePerKiloSample * kRawSamples / 1000;
    // After the probe's dead zone (1.5 widths and 2 m) and a quiet stretch for the baseline.
    const double lowest = 1.5 * width + 2.0 / spacing + 40;
    const double highest = coveredSamples(scaleIndex) - width - 2 * maxRise - 8;
    const double gap = width + 3 * maxRise + 24;
    std::uniform_real_distribution<double> where(lowest, highest);
    std::uniform_real_distribution<double> height(leastSigmas * noiseSigma, std::max(leastSigmas * noiseSigma, 40.0));
    std::bernoulli_distribution negative(0.5);
    std::vector<double> starts;
    while (static_cast<int>(starts.size()) < count) {
        const double x = where(rng);
        if (std::all_of(starts.begin(), starts.end(), [&](double o) { return std::abs(o - x) >= gap; }))
            starts.push_back(x);
    }
    std::sort(starts.begin(), starts.end());
    double largest = 0.0;
    for (const double x : starts) {
        const double a = height(rng);
        largest = std::max(largest, a);
        s.echoes.push_back({x, negative(rng) ? -a : a});
    }
    if (withEnd)
        s.echoes.back().amplitude = std::min(2 * largest, 110.0);
    return s;
}

void AccuracyTally::add(const AccuracyTally& t)
{
    echoes += t.echoes;
    found += t.found;
    missed += t.missed;
    falseEvents += t.falseEvents;
    worstOffset = std::max(worstOffset, t.worstOffset);
    endsMissed += t.endsMissed;
}

AccuracyTally tally(const SyntheticScene& scene, const EventReport& report, bool withEnd)
{
    AccuracyTally t;
    t.echoes = static_cast<int>(scene.echoes.size());
    const double reach = echoSamples(scene.scaleIndex) / 2 + 8;
    std::vector<bool> taken(scene.echoes.size(), false);
    int endEcho = -1;
    for (const ReflectionEvent& e : report.events) {
        int best = -1;
        for (std::size_t i = 0; i < scene.echoes.size(); ++i) {
            const double off = std::abs(e.sample - scene.echoes[i].start);
            if (!taken[i] && off <= reach && (best < 0 || off < std::abs(e.sample - scene.echoes[best].start)))
                best = static_cast<int>(i);
        }
        if (best < 0) {
            ++t.falseEvents;
            continue;
        }
        taken[static_cast<std::size_t>(best)] = true;
        ++t.found;
        t.worstOffset = std::max(t.worstOffset, std::abs(e.sample - scene.echoes[best].start));
        if (e.end)
            endEcho = best;
    }
    t.missed = t.echoes - t.found;
    if (withEnd && endEcho != static_cast<int>(scene.echoes.size()) - 1)
        t.endsMissed = 1;
    return t;
}
