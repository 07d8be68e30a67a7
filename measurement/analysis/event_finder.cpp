#include "measurement/analysis/event_finder.h"

#include "measurement/analysis/event_stages.h"
#include "measurement/analysis/noise_estimate.h"
#include "measurement/analysis/probe_recovery.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kLeastRecoveryBlock = 8;
// The receiver recovers within a few baseline windows; the recovery is fitted over this many.
constexpr int kRecoveryFitWindows = 16;
// An integer trace is never quieter than its rounding, 1/sqrt(12) counts.
constexpr double kLeastSigma = 0.29;
// Noise deviations a re-reflection's measured height may exceed the most it can be by.
constexpr double kMultipleSlack = 2.0;

} // namespace

CEventFinder::CEventFinder(EventFinderSettings settings) : config(std::move(settings)) {}

EventReport CEventFinder::find(std::span<const std::uint8_t> samples, const SampleGrid& grid,
                               const LineDistances& distances) const
{
    EventReport report;
    const int n = static_cast<int>(samples.size());
    if (n == 0 || !(grid.spacing > 0))
        return report;
    std::vector<double> level(samples.size());
    std::transform(samples.begin(), samples.end(), level.begin(), [](std::uint8_t b) { return sampleLevel(b); });

    // A window that starts past the origin does not hold the probe pulse.
    const bool probeShown = grid.origin <= 0.0;
    int first = firstAfterProbe(grid, n);
    report.firstSample = first;
    if (config.probeAmplitude)
        report.probeAmplitude = config.probeAmplitude;
    else if (probeShown)
        report.probeAmplitude = probePulseAmplitude(level, first);

    const double echoSamples = grid.pulseWidth() / grid.spacing;
    const EchoScales scales = echoScales(echoSamples);
    if (probeShown && first > 0)
        removeProbeRecovery(level, first, std::max(kLeastRecoveryBlock, static_cast<int>(echoSamples / 8)),
                            kRecoveryFitWindows * scales.window, echoSamples);
    if (n - first < scales.gap + scales.least + std::max(1, config.minRun))
        return report;
    const int smoothing = scanRules(echoSamples, 1.0, config).smoothing;
    const std::vector<double> trace = smoothedTrace(level, smoothing);
    ScanNoise noise = measureScanNoise(level, trace, first, scales);
    if (noise.compared <= 0) {
        // Too short for blocks of two baseline windows: the spread of neighbouring differences.
        const std::span<const double> afterProbe(level.data() + first, static_cast<std::size_t>(n - first));
        noise = {estimateNoiseSigma(afterProbe), 0.0, 0.0};
    }
    noise.sigma = std::max(noise.sigma, kLeastSigma);
    if (noise.compared > 0)
        noise.compared = std::max(noise.compared, kLeastSigma / std::sqrt(static_cast<double>(smoothing)));
    report.noiseSigma = noise.sigma;
    ScanRules rules = scanRules(echoSamples, noise.sigma, config, noise);
    rules.origin = std::max(0.0, grid.origin / grid.spacing);
    report.threshold = rules.threshold(scales.window);

    // The probe rings and undershoots for longer than its nominal dead zone: the scan starts where its
    // tail has settled, and every echo, a copy of the probe, returns through the same tail.
    int tailSpan = scales.quiet;
    TailShares tailShares;
    if (probeShown && first > 0) {
        const int tail = probeTailEnd(level, trace, first, report.threshold / 2, rules.minRun, scales);
        const int edgeEnd = std::min(n, static_cast<int>(std::ceil(echoSamples)) + 2);
        if (report.probeAmplitude && *report.probeAmplitude > 0 && tail < n) {
            // The undershoot lies below the line, against the pulse; the ringing swings both ways.
            const double base = trace[static_cast<std::size_t>(tail)];
            double above = 0.0, below = 0.0;
            for (int k = edgeEnd; k < tail; ++k) {
                above = std::max(above, trace[static_cast<std::size_t>(k)] - base);
                below = std::max(below, base - trace[static_cast<std::size_t>(k)]);
            }
            tailShares = {std::min(1.0, above / *report.probeAmplitude), std::min(1.0, below / *report.probeAmplitude)};
        }
        tailSpan = std::max(tailSpan, tail - edgeEnd);
        first = tail;
        report.firstSample = first;
    }

    std::vector<EchoSpan> echoes = findEchoes(level, trace, first, rules);
    mergeEchoReturns(echoes, tailSpan, tailShares);
    dropFaintReturns(echoes, level, first, rules);
    const std::vector<int> starts = echoStarts(level, echoes, rules);
    for (std::size_t i = 0; i < echoes.size(); ++i) {
        ReflectionEvent event;
        event.polarity = echoes[i].sign;
        event.amplitude = echoes[i].amplitude;
        event.sample = starts[i];
        event.position = grid.position(event.sample);
        event.distance = distances.toReal(event.position);
        report.events.push_back(event);
    }
    markMultiples(report.events, grid.pulseWidth(), report.probeAmplitude, kMultipleSlack * noise.sigma);
    classifyEvents(report.events, report.probeAmplitude);
    return report;
}
