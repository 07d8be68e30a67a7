// Location from both ends and comparison with a baseline: the time of one run over two 8000-sample
// reflectograms, and the accuracy on synthetic pairs as counters.
#include "support/synthetic_pairs.h"

#include "measurement/analysis/baseline_compare.h"
#include "measurement/analysis/two_ended_location.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kFirstRange = 2;   // 250 m
constexpr int kLastRange = 7;    // 8 km
constexpr double kKus[] = {1.2, 1.3, 1.4, 1.5, 1.6, 1.7, 1.8, 1.9, 2.0, 2.1, 2.2, 2.3, 2.4, 2.5};

struct Rendered {
    ReflectogramRecord a, b;
};

Rendered render(const TwoEndedScenes& p) { return {renderScene(p.fromA), renderScene(p.fromB)}; }

void BM_LocateFromBothEnds(benchmark::State& state)
{
    std::mt19937_64 rng(11);
    const TwoEndedScenes pair = twoEndedScenes(rng, 4, 1.8, Gain::Moderate);
    const Rendered r = render(pair);
    for (auto _ : state) {
        TwoEndedLocation result;
        benchmark::DoNotOptimize(locateFault(lineEnd(r.a.samples, recordGrid(r.a), 1.5),
                                             lineEnd(r.b.samples, recordGrid(r.b), 1.5), pair.length, result));
    }
}
BENCHMARK(BM_LocateFromBothEnds)->Unit(benchmark::kMillisecond);

// For every KU 1.2..2.5 (files claiming 1.5), 10 lines per range 250 m..8 km, half at each gain: the
// located fault's error in samples of the line.
void BM_LocateAccuracy(benchmark::State& state)
{
    int lines = 0, located = 0, within1 = 0;
    double worst = 0.0;
    for (auto _ : state) {
        std::mt19937_64 rng(20261208);
        lines = located = within1 = 0;
        worst = 0.0;
        for (double ku : kKus)
            for (int range = kFirstRange; range <= kLastRange; ++range)
                for (int trial = 0; trial < 10; ++trial) {
                    const TwoEndedScenes pair =
                        twoEndedScenes(rng, range, ku, trial % 2 == 0 ? Gain::Moderate : Gain::Clipping);
                    const Rendered r = render(pair);
                    TwoEndedLocation result;
                    ++lines;
                    if (!locateFault(lineEnd(r.a.samples, recordGrid(r.a), 1.5),
                                     lineEnd(r.b.samples, recordGrid(r.b), 1.5), pair.length, result))
                        continue;
                    ++located;
                    const double error = std::abs(result.fromA - pair.faultFromA) / pair.metresPerSample;
                    worst = std::max(worst, error);
                    within1 += error <= 1.0 ? 1 : 0;
                }
    }
    state.counters["lines"] = lines;
    state.counters["located"] = located;
    state.counters["within_1_sample"] = within1;
    state.counters["worst_samples"] = worst;
}
BENCHMARK(BM_LocateAccuracy)->Iterations(1)->Unit(benchmark::kSecond);

void BM_CompareWithBaseline(benchmark::State& state)
{
    std::mt19937_64 rng(12);
    const SyntheticScene base = baselineScene(rng, 4, Gain::Moderate);
    const ReflectogramRecord b = renderScene(base);
    const ReflectogramRecord n = renderScene(laterTake(base, rng, 1.7, 1.05, LineChangeKind::Appeared, 6, 3).scene);
    for (auto _ : state) {
        BaselineComparison result;
        benchmark::DoNotOptimize(compareWithBaseline(n.samples, recordGrid(n), b.samples, recordGrid(b), {}, {}, result));
    }
}
BENCHMARK(BM_CompareWithBaseline)->Unit(benchmark::kMillisecond);

// 100 trials of each kind of change (none, a new fault, a fault gone, a fault grown, each by
// state.range(0) noise deviations of one take and at least 3 counts) over ranges 250 m..8 km and both
// gains, the later take shifted by up to 3 samples either way and scaled by 0.9..1.1, compared at the
// threshold state.range(1) / 10. A change is due when it lies after the probe's tail (as an event is
// due to the finder); a change found elsewhere is false.
void BM_CompareAccuracy(benchmark::State& state)
{
    const double sigmas = static_cast<double>(state.range(0));
    CompareSettings settings;
    settings.thresholdSigma = static_cast<double>(state.range(1)) / 10;
    constexpr LineChangeKind kinds[] = {LineChangeKind::None, LineChangeKind::Appeared, LineChangeKind::Vanished,
                                        LineChangeKind::Grown};
    constexpr ChangeKind expected[] = {ChangeKind::Changed, ChangeKind::Appeared, ChangeKind::Vanished,
                                       ChangeKind::Changed};
    int due = 0, found = 0, kindRight = 0, falseChanges = 0, quietWithChanges = 0;
    double worstShift = 0.0, worstGain = 0.0;
    for (auto _ : state) {
        std::mt19937_64 rng(20261209);
        due = found = kindRight = falseChanges = quietWithChanges = 0;
        worstShift = worstGain = 0.0;
        std::uniform_real_distribution<double> shiftOf(-3.0, 3.0), gainOf(0.9, 1.1);
        for (int k = 0; k < 4; ++k)
            for (int trial = 0; trial < 100; ++trial) {
                const int range = kFirstRange + trial % (kLastRange - kFirstRange + 1);
                const SyntheticScene base = baselineScene(rng, range, trial % 2 == 0 ? Gain::Moderate : Gain::Clipping);
                const double shift = shiftOf(rng), gain = gainOf(rng);
                const LaterTake later = laterTake(base, rng, shift, gain, kinds[k], sigmas, 3.0);
                const ReflectogramRecord b = renderScene(base), n = renderScene(later.scene);
                BaselineComparison result;
                if (!compareWithBaseline(n.samples, recordGrid(n), b.samples, recordGrid(b), {}, settings, result))
                    continue;
                worstShift = std::max(worstShift, std::abs(result.alignment.shift - shift));
                worstGain = std::max(worstGain, std::abs(result.alignment.gain - gain));
                const double reach = echoSamples(range) / 2 + 8;
                const bool changed = kinds[k] != LineChangeKind::None;
                const bool isDue = changed && later.changeAt >= std::max(probeTailEnd(base), probeTailEnd(later.scene));
                bool hit = false;
                for (const LineChange& c : result.changes) {
                    if (changed && !hit && std::abs(c.sample - later.changeAt) <= reach) {
                        hit = true;
                        kindRight += isDue && c.kind == expected[k] ? 1 : 0;
                    } else {
                        ++falseChanges;
                    }
                }
                due += isDue ? 1 : 0;
                found += isDue && hit ? 1 : 0;
                quietWithChanges += kinds[k] == LineChangeKind::None && !result.changes.empty() ? 1 : 0;
            }
    }
    state.counters["changes_due"] = due;
    state.counters["found"] = found;
    state.counters["kind_right"] = kindRight;
    state.counters["false_changes"] = falseChanges;
    state.counters["same_line_with_changes"] = quietWithChanges;
    state.counters["worst_shift_error"] = worstShift;
    state.counters["worst_gain_error"] = worstGain;
}
BENCHMARK(BM_CompareAccuracy)->ArgsProduct({{5, 7}, {35, 40}})->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
