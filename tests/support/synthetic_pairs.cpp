#include "support/synthetic_pairs.h"

#include "document/tables.h"

#include <algorithm>
#include <cmath>

namespace {

double spacingOf(int scaleIndex) { return tables::kRawSpacingCm[static_cast<std::size_t>(scaleIndex)] / 100; }

// The first sample after the probe's tail and a baseline's worth of quiet samples.
double firstClear(const SyntheticScene& s)
{
    const double width = echoSamples(s.scaleIndex);
    return std::max(1.5 * width + 2.0 / spacingOf(s.scaleIndex), probeTailEnd(s)) + std::max(width / 2, 24.0) + 16;
}

// Samples an echo with its edges and a margin occupies, as measuredScene keeps them apart.
double echoGap(const SyntheticScene& s)
{
    return echoSamples(s.scaleIndex) * (1 + s.widenPerKiloSample * kRawSamples / 1000) +
           3 * (s.rise + s.risePerKiloSample * kRawSamples / 1000) + 24;
}

} // namespace

TwoEndedScenes twoEndedScenes(std::mt19937_64& rng, int scaleIndex, double ku, Gain gain)
{
    auto uniform = [&](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); };
    TwoEndedScenes pair;
    SyntheticScene a = measuredScene(rng, scaleIndex, 1, gain);
    SyntheticEcho& end = a.echoes.back();
    end.amplitude = std::abs(end.amplitude);   // an open end, so each end shows where the line ends
    const double endAt = end.start;
    const double clear = std::max(firstClear(a), echoGap(a));
    // Where a fault fits away from both probes and from the end; a short line gets the middle.
    const double low = clear, high = endAt - clear;
    const double faultAt = high > low ? uniform(low, high) : endAt / 2;
    a.echoes.front().start = faultAt;

    SyntheticScene b = a;
    b.seed = rng();
    b.echoes.front().start = endAt - faultAt;
    // The other end's receiver sees the fault somewhat weaker or stronger.
    b.echoes.front().amplitude *= uniform(0.8, 1.2);

    pair.fromA = a;
    pair.fromB = b;
    pair.ku = ku;
    pair.metresPerSample = spacingOf(scaleIndex) * 1.5 / ku;
    pair.length = endAt * pair.metresPerSample;
    pair.faultFromA = faultAt * pair.metresPerSample;
    return pair;
}

SyntheticScene onRange(const SyntheticScene& scene, int scaleIndex)
{
    SyntheticScene s = scene;
    const double ratio = spacingOf(scene.scaleIndex) / spacingOf(scaleIndex);
    s.scaleIndex = scaleIndex;
    for (SyntheticEcho& e : s.echoes)
        e.start *= ratio;
    s.driftCentre *= ratio;
    s.driftWidth *= ratio;
    return s;
}

SyntheticScene baselineScene(std::mt19937_64& rng, int scaleIndex, Gain gain)
{
    return measuredScene(rng, scaleIndex, 2, gain);
}

LaterTake laterTake(const SyntheticScene& baseline, std::mt19937_64& rng, double shift, double gain,
                    LineChangeKind change, double sigmas, double leastCounts)
{
    LaterTake take;
    SyntheticScene& s = take.scene;
    s = baseline;
    s.seed = rng();
    // As large as asked after the gain scales the take.
    const double size = std::max(sigmas * s.noiseSigma, leastCounts) / gain;
    std::bernoulli_distribution coin(0.5);
    switch (change) {
    case LineChangeKind::None:
        break;
    case LineChangeKind::Appeared: {
        // Between the last fault and the end when there is room, else before the first fault.
        const double gap = echoGap(s);
        const double end = s.echoes.back().start;
        const double after = s.echoes[s.echoes.size() - 2].start + gap;
        const double at = end - after > gap ? std::uniform_real_distribution<double>(after, end - gap)(rng)
                                            : (firstClear(s) + s.echoes.front().start) / 2;
        s.echoes.push_back({at, (coin(rng) ? 1 : -1) * size});
        std::sort(s.echoes.begin(), s.echoes.end(),
                  [](const SyntheticEcho& x, const SyntheticEcho& y) { return x.start < y.start; });
        take.changeAt = at;
        break;
    }
    case LineChangeKind::Vanished:
        take.changeAt = s.echoes.front().start;
        take.changeSize = std::abs(s.echoes.front().amplitude);
        s.echoes.erase(s.echoes.begin());
        break;
    case LineChangeKind::Grown: {
        SyntheticEcho& fault = s.echoes.front();
        fault.amplitude += (fault.amplitude > 0 ? 1 : -1) * size;
        take.changeAt = fault.start;
        break;
    }
    }
    if (change != LineChangeKind::Vanished)
        take.changeSize = change == LineChangeKind::None ? 0.0 : size * gain;
    for (SyntheticEcho& e : s.echoes) {
        e.start += shift;
        e.amplitude *= gain;
    }
    s.driftCentre += shift;
    s.probeAmplitude *= gain;
    s.recovery *= gain;
    s.driftAmplitude *= gain;
    if (take.changeAt > 0)
        take.changeAt += shift;
    return take;
}
