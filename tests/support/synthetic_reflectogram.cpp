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

// The tail after a pulse's trailing edge (t samples after it): an undershoot that settles over a pulse
// width and ringing of a pulse width's period that dies out over half of it, as a share of its height.
double pulseTail(const SyntheticScene& s, double t, double width, double rise)
{
    if (t <= 0 || (s.undershoot == 0.0 && s.ringing == 0.0))
        return 0.0;
    const double dip = -s.undershoot * std::exp(-t / width) * (1 - std::exp(-t / std::max(rise, 1.0)));
    const double ring = s.ringing * std::exp(-2 * t / width) * std::sin(2 * std::numbers::pi * t / width);
    return dip + ring;
}

double tailEnvelope(const SyntheticScene& s, double t, double width)
{
    return s.undershoot * std::exp(-t / width) + s.ringing * std::exp(-2 * t / width);
}

double shapedPulse(const SyntheticScene& s, double u, double width, double rise)
{
    return pulse(s.shape, u, width, rise) + pulseTail(s, u - width, width, rise);
}

double riseAt(const SyntheticScene& s, double start) { return s.rise + s.risePerKiloSample * start / 1000; }

// Dispersion widens an echo along the line as it lengthens its edges.
double widthAt(const SyntheticScene& s, double start)
{
    return echoSamples(s.scaleIndex) * (1 + s.widenPerKiloSample * start / 1000);
}

// Re-reflections weaker than this are left out of the record.
constexpr double kLeastGhost = 0.25;
// Noise deviations below which a re-reflection cannot be told from the noise.
constexpr double kVisibleGhost = 2.0;

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
    std::vector<SyntheticEcho> echoes = scene.echoes;
    for (const SyntheticEcho& g : ghostEchoes(scene, kLeastGhost))
        echoes.push_back(g);
    std::mt19937_64 rng(scene.seed);
    std::normal_distribution<double> noise(0.0, scene.noiseSigma);
    const double rho = scene.noiseCorrelation;
    double filtered = 0.0;
    for (int k = 0; k < kRawSamples; ++k) {
        double v = scene.probeAmplitude * shapedPulse(scene, k + 1.0, width, scene.rise);
        if (k > width)
            v -= scene.recovery * std::exp(-(k - width) / recovery);
        for (const SyntheticEcho& e : echoes)
            v += e.amplitude * shapedPulse(scene, k - e.start, widthAt(scene, e.start), riseAt(scene, e.start));
        if (scene.driftAmplitude != 0.0) {
            const double z = (k - scene.driftCentre) / scene.driftWidth;
            v += scene.driftAmplitude * std::exp(-z * z / 2);
        }
        // A one-pole filter keeps the noise's deviation and correlates neighbours by rho.
        const double white = noise(rng);
        filtered = k == 0 ? white : rho * filtered + std::sqrt(1 - rho * rho) * white;
        v += filtered;
        const long level = std::clamp(std::lround(v), -128L, 127L);
        r.samples[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(static_cast<std::int8_t>(level));
    }
    return r;
}

std::vector<SyntheticEcho> ghostEchoes(const SyntheticScene& scene, double least)
{
    std::vector<SyntheticEcho> ghosts;
    if (scene.sourceReflection == 0.0 || !(scene.probeAmplitude > 0))
        return ghosts;
    for (const SyntheticEcho& e : scene.echoes) {
        if (e.multiple != 0 || e.start <= 0)
            continue;
        const double r = e.amplitude / scene.probeAmplitude;
        double a = e.amplitude;
        for (int k = 2; k * e.start + widthAt(scene, k * e.start) < kRawSamples; ++k) {
            a *= r * scene.sourceReflection;
            if (std::abs(a) < least)
                break;
            ghosts.push_back({k * e.start, a, k});
        }
    }
    std::sort(ghosts.begin(), ghosts.end(), [](const SyntheticEcho& a, const SyntheticEcho& b) { return a.start < b.start; });
    return ghosts;
}

double probeTailEnd(const SyntheticScene& scene)
{
    const double width = echoSamples(scene.scaleIndex);
    double t = 0.0;
    while (t < kRawSamples && scene.probeAmplitude * tailEnvelope(scene, t, width) > scene.noiseSigma)
        t += 1.0;
    return width + t;
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

SyntheticScene measuredScene(std::mt19937_64& rng, int scaleIndex, int faults, Gain gain)
{
    auto uniform = [&](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); };
    std::bernoulli_distribution coin(0.5);
    const bool high = gain == Gain::Clipping;
    SyntheticScene s;
    s.scaleIndex = scaleIndex;
    s.seed = rng();
    s.noiseSigma = high ? uniform(1.2, 1.8) : uniform(0.4, 0.6);
    s.noiseCorrelation = uniform(0.5, 0.9);
    s.probeAmplitude = high ? uniform(150, 300) : uniform(80, 120);
    s.recovery = uniform(2.0, 20.0);
    s.shape = static_cast<EdgeShape>(std::uniform_int_distribution<int>(0, 2)(rng));
    s.rise = uniform(1.0, 3.0);
    s.risePerKiloSample = uniform(0.0, 0.4);
    s.widenPerKiloSample = uniform(0.0, 0.1);
    s.undershoot = uniform(0.03, 0.1);
    s.ringing = uniform(0.02, 0.06);
    s.sourceReflection = uniform(-0.6, -0.3);

    const double width = echoSamples(scaleIndex);
    const double spacing = spacingOf(scaleIndex);
    const double covered = coveredSamples(scaleIndex);
    const double wide = std::max(width, 32.0);
    s.driftAmplitude = (coin(rng) ? 1 : -1) * uniform(4, 10) * s.noiseSigma;
    s.driftWidth = uniform(4, 8) * wide;
    s.driftCentre = uniform(0, covered);

    const double maxRise = riseAt(s, kRawSamples);
    const double gap = widthAt(s, covered) + 3 * maxRise + 24;
    const double lowest = std::max(1.5 * width + 2.0 / spacing, probeTailEnd(s)) + std::max(width / 2, 24.0) + 16;
    // Room for the faults: twice the gap each, so that placing them at random soon succeeds.
    const double room = lowest + 2 * (faults + 1) * gap;
    const double endStart = uniform(std::max(room, covered / 4), std::max(room, covered / 2 - width) + 1);
    std::vector<double> starts;
    std::uniform_real_distribution<double> where(lowest, endStart - gap);
    while (static_cast<int>(starts.size()) < faults) {
        const double x = where(rng);
        if (std::all_of(starts.begin(), starts.end(), [&](double o) { return std::abs(o - x) >= gap; }))
            starts.push_back(x);
    }
    std::sort(starts.begin(), starts.end());
    for (const double x : starts)
        s.echoes.push_back({x, (coin(rng) ? 1 : -1) * (high ? uniform(15, 35) : uniform(4, 9))});
    s.echoes.push_back({endStart, (coin(rng) ? 1 : -1) * (high ? uniform(60, 110) : uniform(30, 60))});
    return s;
}

void MeasuredTally::add(const MeasuredTally& t)
{
    echoes += t.echoes;
    found += t.found;
    within2 += t.within2;
    unexplained += t.unexplained;
    ghosts += t.ghosts;
    ghostsMarked += t.ghostsMarked;
    faultsAsGhosts += t.faultsAsGhosts;
}

MeasuredTally measuredTally(const SyntheticScene& scene, const EventReport& report)
{
    MeasuredTally t;
    const double due = 5 * scene.noiseSigma;
    const double tail = probeTailEnd(scene);
    std::vector<SyntheticEcho> truth = scene.echoes;
    for (const SyntheticEcho& g : ghostEchoes(scene, kLeastGhost))
        truth.push_back(g);
    auto isDue = [&](const SyntheticEcho& e) { return std::abs(e.amplitude) >= due && e.start >= tail; };
    for (const SyntheticEcho& e : truth)
        t.echoes += e.multiple == 0 && isDue(e) ? 1 : 0;
    const double reach = echoSamples(scene.scaleIndex) / 2 + 8;
    // A re-reflection far below the noise only takes an event that nothing else explains: where it
    // falls on a fault, the event is the fault's.
    auto faint = [&](const SyntheticEcho& x) { return x.multiple != 0 && std::abs(x.amplitude) < kVisibleGhost * scene.noiseSigma; };
    std::vector<bool> taken(truth.size(), false);
    for (const ReflectionEvent& e : report.events) {
        int best = -1;
        auto better = [&](std::size_t i) {
            if (best < 0)
                return true;
            const SyntheticEcho& b = truth[static_cast<std::size_t>(best)];
            if (faint(b) != faint(truth[i]))
                return faint(b);
            return std::abs(e.sample - truth[i].start) < std::abs(e.sample - b.start);
        };
        for (std::size_t i = 0; i < truth.size(); ++i)
            if (!taken[i] && std::abs(e.sample - truth[i].start) <= reach && better(i))
                best = static_cast<int>(i);
        if (best < 0) {
            ++t.unexplained;
            continue;
        }
        const SyntheticEcho& x = truth[static_cast<std::size_t>(best)];
        taken[static_cast<std::size_t>(best)] = true;
        if (x.multiple == 0) {
            t.found += isDue(x) ? 1 : 0;
            t.within2 += isDue(x) && std::abs(e.sample - x.start) <= 2.0 ? 1 : 0;
            t.faultsAsGhosts += e.multiple != 0 ? 1 : 0;
        } else {
            ++t.ghosts;
            t.ghostsMarked += e.multiple != 0 ? 1 : 0;
            t.unexplained += e.multiple != 0 ? 0 : 1;
        }
    }
    return t;
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
