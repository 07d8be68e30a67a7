// The event finder: the time to analyse one reflectogram, and its accuracy on synthetic reflectograms
// as counters (echoes, found, missed, false events, worst start offset in samples, share of starts
// within 2 samples, events found on pure noise).
#include "support/synthetic_reflectogram.h"

#include "measurement/analysis/event_finder.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <iterator>

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

// The scene of BM_EventFinderMeasured with seed `seed`, gain `gain` (0 moderate, 1 clipping), trial `trial`:
// the same random draws replayed.
SyntheticScene measuredSceneOf(std::uint64_t seed, int gain, int trial)
{
    std::mt19937_64 rng(seed);
    for (int g = 0;; ++g)
        for (int t = 0; t < 1000; ++t) {
            const SyntheticScene s = measuredScene(rng, t % kRanges, t % 5, g == 0 ? Gain::Moderate : Gain::Clipping);
            if (g == gain && t == trial)
                return s;
        }
}

// The measured-like reflectograms that took longest among the 6000 of BM_EventFinderMeasured (many
// echoes, dispersed on the long ranges, each with a long edge to fit): the worst case of an 8000-sample
// trace. The first four were the slowest while every knee of the edge's ramps was tried, the last three
// are the slowest since. Each is {seed, gain, trial}.
constexpr int kSlowest[][3] = {{3, 1, 838}, {3, 0, 668}, {3, 0, 253}, {2, 0, 414}, {2, 1, 709}, {2, 1, 494}, {2, 1, 919}};

void BM_FindEventsMeasuredSlowest(benchmark::State& state)
{
    const int* at = kSlowest[state.range(0)];
    const ReflectogramRecord record = renderScene(measuredSceneOf(static_cast<std::uint64_t>(at[0]), at[1], at[2]));
    const LineDistances distances;
    const CEventFinder finder;
    for (auto _ : state)
        benchmark::DoNotOptimize(finder.find(record.samples, recordGrid(record), distances));
}
BENCHMARK(BM_FindEventsMeasuredSlowest)->DenseRange(0, std::size(kSlowest) - 1)->Unit(benchmark::kMillisecond);

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

// The figures on measured-like reflectograms (measuredScene), per seed state.range(0): 1000 scenes at
// a moderate gain and 1000 at a clipping one, each range alike, zero to four faults and a strong end
// with its re-reflections; and 1000 of pure noise behind a ringing probe, half white, half correlated.
void BM_EventFinderMeasured(benchmark::State& state)
{
    const LineDistances distances;
    const CEventFinder finder;
    MeasuredTally tallies[2];
    int noiseEvents[2] = {0, 0};
    for (auto _ : state) {
        std::mt19937_64 rng(static_cast<std::uint64_t>(state.range(0)));
        for (int g = 0; g < 2; ++g) {
            tallies[g] = {};
            for (int trial = 0; trial < 1000; ++trial) {
                const SyntheticScene s = measuredScene(rng, trial % kRanges, trial % 5, g == 0 ? Gain::Moderate : Gain::Clipping);
                const ReflectogramRecord r = renderScene(s);
                tallies[g].add(measuredTally(s, finder.find(r.samples, recordGrid(r), distances)));
            }
        }
        for (int trial = 0; trial < 1000; ++trial) {
            SyntheticScene s = measuredScene(rng, trial % kRanges, 0, trial % 4 < 2 ? Gain::Moderate : Gain::Clipping);
            s.echoes.clear();
            s.driftAmplitude = 0;
            const bool white = trial % 2 == 0;
            if (white)
                s.noiseCorrelation = 0;
            const ReflectogramRecord r = renderScene(s);
            noiseEvents[white ? 0 : 1] += static_cast<int>(finder.find(r.samples, recordGrid(r), distances).events.size());
        }
    }
    const char* names[] = {"moderate", "clipping"};
    for (int g = 0; g < 2; ++g) {
        const MeasuredTally& t = tallies[g];
        const std::string n = names[g];
        state.counters[n + "_echoes"] = t.echoes;
        state.counters[n + "_missed"] = t.echoes - t.found;
        state.counters[n + "_within2_pct"] = 100.0 * t.within2 / std::max(t.echoes, 1);
        state.counters[n + "_unexplained_per_trace"] = t.unexplained / 1000.0;
        state.counters[n + "_ghosts"] = t.ghosts;
        state.counters[n + "_ghosts_marked_pct"] = 100.0 * t.ghostsMarked / std::max(t.ghosts, 1);
        state.counters[n + "_faults_as_ghosts"] = t.faultsAsGhosts;
    }
    state.counters["noise_white_events"] = noiseEvents[0];
    state.counters["noise_correlated_events"] = noiseEvents[1];
}
BENCHMARK(BM_EventFinderMeasured)->Arg(1)->Arg(2)->Arg(3)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
