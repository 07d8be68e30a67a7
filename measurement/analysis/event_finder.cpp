#include "measurement/analysis/event_finder.h"

#include "measurement/analysis/event_stages.h"
#include "measurement/analysis/noise_estimate.h"
#include "measurement/analysis/probe_recovery.h"

#include <algorithm>

namespace {

constexpr int kLeastRecoveryBlock = 8;
// An integer trace is never quieter than its rounding, 1/sqrt(12) counts.
constexpr double kLeastSigma = 0.29;

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
    const int first = firstAfterProbe(grid, n);
    report.firstSample = first;
    if (config.probeAmplitude)
        report.probeAmplitude = config.probeAmplitude;
    else if (probeShown)
        report.probeAmplitude = probePulseAmplitude(level, first);

    const double echoSamples = grid.pulseWidth() / grid.spacing;
    if (probeShown && first > 0)
        removeProbeRecovery(level, first, std::max(kLeastRecoveryBlock, static_cast<int>(echoSamples / 8)));
    const std::span<const double> afterProbe(level.data() + first, static_cast<std::size_t>(n - first));
    const EchoScales scales = echoScales(echoSamples);
    if (n - first < scales.gap + scales.least + std::max(1, config.minRun))
        return report;
    const double sigma = std::max(estimateNoiseSigma(afterProbe), kLeastSigma);
    report.noiseSigma = sigma;
    const ScanRules rules = scanRules(echoSamples, sigma, config);
    report.threshold = rules.threshold(scales.window);

    const std::vector<double> trace = smoothedTrace(level, rules.smoothing);
    const std::vector<EchoSpan> echoes = findEchoes(level, trace, first, rules);
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
    classifyEvents(report.events, report.probeAmplitude);
    return report;
}
