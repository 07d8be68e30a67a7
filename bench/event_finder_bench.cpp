// The event finder: the time to analyse one reflectogram, and its accuracy on synthetic reflectograms
// as counters (echoes, found, missed, false events, worst start offset in samples, share of starts
// within 2 samples, events found on pure noise).
#include "support/synthetic_reflectogram.h"

#include "measurement/analysis/event_finder.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

constexpr int kRanges = 8;   // 62.5 m to 8 km
constexpr double kNoises[] = {1.5, 2.0, 3.0, 4.0};

// One 8000-sample reflectogram with three echoes and an open end, on range state.range(0).
void BM_FindEvents(benchmark::State& state)
{
    std::mt19937_64 rng(5);
    const SyntheticScene scene = randomScene(rng, static_cast<int>(state.range(0)), 4, 2.0, 5.0, true);
    const ReflectogramRecord record = renderScene(scene);
    const LineDistances distances;
    const CEventFinder finder;
    for (auto _ : state)
        benchmark::DoNotOptimize(finder.find(record.samples, recordGrid(record), distances));
}
BENCHMARK(BM_FindEvents)->DenseRange(0, kRanges - 1)->Unit(benchmark::kMillisecond);

// A 500-sample live window of the whole 1000 m range.
void BM_FindEventsLiveWindow(benchmark::State& state)
{
    std::mt19937_64 rng(6);
    const ReflectogramRecord record = renderScene(randomScene(rng, 4, 4, 2.0, 5.0, true));
    std::vector<std::uint8_t> window;
    for (int j = 0; j < kWindowSamples; ++j)
        window.push_back(record.samples[static_cast<std::size_t>(16 * j)]);
    const LineDistances distances;
    const CEventFinder finder;
    for (auto _ : state)
        benchmark::DoNotOptimize(finder.find(window, {0.0, 2.0, 200.0}, distances));
}
BENCHMARK(BM_FindEventsLiveWindow)->Unit(benchmark::kMicrosecond);

// The accuracy figures over 200 scenes per range (one to five echoes of 5 to 40 counts and at least
// 5 noise deviations, noise 1.5 to 4 counts, half of them with an open end) and 400 of pure noise.
void BM_EventFinderAccuracy(benchmark::State& state)
{
    const LineDistances distances;
    const CEventFinder finder;
    AccuracyTally total;
    int within2 = 0, noiseEvents = 0;
    for (auto _ : state) {
        std::mt19937_64 rng(20240613);
        total = {};
        within2 = noiseEvents = 0;
        for (int range = 0; range < kRanges; ++range)
            for (int trial = 0; trial < 200; ++trial) {
                const bool withEnd = trial % 2 == 1;
                const SyntheticScene s = randomScene(rng, range, 1 + trial % 5, kNoises[trial % 4], 5.0, withEnd);
                const EventReport report = finder.find(renderScene(s).samples, recordGrid(renderScene(s)), distances);
                const AccuracyTally t = tally(s, report, withEnd);
                total.add(t);
                for (const ReflectionEvent& e : report.events)
                    for (const SyntheticEcho& echo : s.echoes)
                        if (std::abs(e.sample - echo.start) <= 2.0)
                            ++within2;
            }
        for (int trial = 0; trial < 400; ++trial) {
            SyntheticScene s;
            s.scaleIndex = trial % kRanges;
            s.noiseSigma = kNoises[trial % 4];
            s.seed = rng();
            s.shape = static_cast<EdgeShape>(trial % 3);
            s.recovery = 2 + trial % 39;
            const ReflectogramRecord r = renderScene(s);
            noiseEvents += static_cast<int>(finder.find(r.samples, recordGrid(r), distances).events.size());
        }
    }
    state.counters["echoes"] = total.echoes;
    state.counters["found"] = total.found;
    state.counters["missed"] = total.missed;
    state.counters["false"] = total.falseEvents;
    state.counters["worst_offset"] = total.worstOffset;
    state.counters["within2_pct"] = 100.0 * within2 / std::max(total.echoes, 1);
    state.counters["ends_missed"] = total.endsMissed;
    state.counters["noise_events"] = noiseEvents;
}
BENCHMARK(BM_EventFinderAccuracy)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
