// Location from both ends and comparison with a baseline, on synthetic pairs of reflectograms.
#include "measurement/analysis/baseline_compare.h"
#include "measurement/analysis/two_ended_location.h"
#include "support/synthetic_pairs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

LineEnd endOf(const ReflectogramRecord& r, FaultChoice choice = {})
{
    return lineEnd(r.samples, recordGrid(r), r.ku(), choice);
}

// Files that claim KU 1.5 on lines of another KU: the fault lands within a sample of the truth, and
// the KU found is the line's. End B may be measured on another range, each file on its own scale.
TEST(TwoEndedLocation, FindsTheFaultWhateverKuTheFilesClaim)
{
    struct Case { double ku; int range; Gain gain; std::uint64_t seed; int rangeB; };
    const Case cases[] = {
        {1.2, 3, Gain::Moderate, 1, 3}, {1.5, 4, Gain::Clipping, 2, 4}, {1.9, 5, Gain::Moderate, 3, 5},
        {2.2, 6, Gain::Clipping, 4, 6}, {2.5, 7, Gain::Moderate, 5, 7}, {1.7, 4, Gain::Moderate, 6, 3},
    };
    for (const Case& c : cases) {
        std::mt19937_64 rng(c.seed);
        const TwoEndedScenes pair = twoEndedScenes(rng, c.range, c.ku, c.gain);
        const ReflectogramRecord a = renderScene(pair.fromA), b = renderScene(onRange(pair.fromB, c.rangeB));
        ASSERT_EQ(b.scaleIndex, c.rangeB);
        ASSERT_DOUBLE_EQ(a.ku(), 1.5);
        TwoEndedLocation r;
        const Status s = locateFault(endOf(a), endOf(b), pair.length, r);
        ASSERT_TRUE(s) << "KU " << c.ku << ": " << s.reason();
        EXPECT_NEAR(r.fromA, pair.faultFromA, pair.metresPerSample) << "KU " << c.ku;
        EXPECT_DOUBLE_EQ(r.fromA + r.fromB, pair.length);
        EXPECT_NEAR(r.ku, c.ku, 0.01 * c.ku);
        EXPECT_DOUBLE_EQ(r.speed, 150 / r.ku);
        EXPECT_EQ(r.a.number, 1);
        EXPECT_EQ(r.b.number, 1);
        EXPECT_LT(r.spread, 2 * pair.metresPerSample * echoSamples(c.range));
    }
}

// Chosen sightings: the arithmetic itself, with positions, event numbers or one of each.
TEST(TwoEndedLocation, ChosenSightingsAreTakenAsTheyAre)
{
    std::mt19937_64 rng(7);
    const TwoEndedScenes pair = twoEndedScenes(rng, 4, 2.0, Gain::Moderate);
    const ReflectogramRecord a = renderScene(pair.fromA), b = renderScene(pair.fromB);
    const double faultB = pair.fromB.echoes.front().start * recordGrid(b).spacing;   // nominal metres
    struct Case { FaultChoice a, b; double length, fromA, ku, tolerance; int numberA; };
    const Case cases[] = {
        // 120 + 240 nominal metres over 270 m: KU 360 x 1.5 / 270, the fault at 270 x 120 / 360 from A.
        {{{}, 120.0}, {{}, 240.0}, 270, 90, 2.0, 1e-9, 0},
        {{{}, 150.0}, {{}, 150.0}, 200, 100, 2.25, 1e-9, 0},
        {{1, {}}, {{}, faultB}, pair.length, pair.faultFromA, 2.0, pair.metresPerSample, 1},
    };
    for (const Case& c : cases) {
        TwoEndedLocation r;
        const Status s = locateFault(endOf(a, c.a), endOf(b, c.b), c.length, r);
        ASSERT_TRUE(s) << s.reason();
        EXPECT_NEAR(r.fromA, c.fromA, c.tolerance);
        EXPECT_NEAR(r.fromB, c.length - c.fromA, c.tolerance);
        EXPECT_NEAR(r.ku, c.ku, c.tolerance > 1e-6 ? 0.01 : 1e-12);
        EXPECT_EQ(r.a.number, c.numberA);
        EXPECT_EQ(r.b.number, 0);
    }
}

// Each refusal names what is wrong, in both wordings, and leaves the result as it was.
TEST(TwoEndedLocation, BadInputIsRefusedWithTheReason)
{
    std::mt19937_64 rng(8);
    const TwoEndedScenes pair = twoEndedScenes(rng, 4, 1.8, Gain::Moderate);
    const ReflectogramRecord a = renderScene(pair.fromA), b = renderScene(pair.fromB);
    // A second fault on the line, seen from both ends as well as the first: two pairs agree.
    TwoEndedScenes twoFaults = pair;
    const double endAt = pair.fromA.echoes.back().start, first = pair.fromA.echoes.front().start;
    const double second = first < endAt / 2 ? (first + endAt) / 2 + 80 : first / 2 + 40;
    twoFaults.fromA.echoes.push_back({second, 8});
    twoFaults.fromB.echoes.push_back({endAt - second, 8});
    for (SyntheticScene* s : {&twoFaults.fromA, &twoFaults.fromB})
        std::sort(s->echoes.begin(), s->echoes.end(),
                  [](const SyntheticEcho& x, const SyntheticEcho& y) { return x.start < y.start; });
    const ReflectogramRecord a2 = renderScene(twoFaults.fromA), b2 = renderScene(twoFaults.fromB);
    const double endNominal = endAt * recordGrid(a).spacing;

    struct Case { const ReflectogramRecord *a, *b; FaultChoice ca, cb; double length; const char* mentions; const char* russian; };
    const Case cases[] = {
        {&a, &b, {}, {}, 0, "length must be above 0", "длина линии"},
        {&a, &b, {}, {}, -20, "length must be above 0", "длина линии"},
        {&a, &b, {{}, endNominal + 10}, {}, pair.length, "beyond the line", "за концом линии"},
        {&a, &b, {}, {{}, -1.0}, pair.length, "beyond the start", "дальше начала"},
        {&a, &b, {9, {}}, {}, pair.length, "there is no event 9", "нет события 9"},
        {&a, &b, {2, {}}, {}, pair.length, "is the end of the line", "конец линии"},
        {&a, &b, {3, {}}, {}, pair.length, "lies beyond the line", "за концом линии"},   // the end's re-reflection
        {&a, &b, {}, {}, pair.length / 3, "outside 1..3", "выходит за пределы"},
        {&a2, &b2, {}, {}, pair.length, "two pairs of events could be the fault", "две пары"},
    };
    for (const Case& c : cases) {
        TwoEndedLocation r;
        r.fromA = 123;
        const Status s = locateFault(endOf(*c.a, c.ca), endOf(*c.b, c.cb), c.length, r);
        EXPECT_FALSE(s) << c.mentions;
        EXPECT_NE(s.reason().find(c.mentions), std::string::npos) << s.reason();
        EXPECT_NE(s.userReason().find(c.russian), std::string::npos) << s.userReason();
        EXPECT_EQ(r.fromA, 123);
    }
}

// Two takes of a line: the shift and gain between them are found, and what changed is listed with
// its kind, nothing else. Changes of 7 noise deviations of one take, unless told; one of 4.5 lies
// below the threshold sample by sample and is found over the echo's width.
TEST(BaselineCompare, FindsWhatChangedAndNothingElse)
{
    struct Case { LineChangeKind change; double shift, gain; Gain level; int range; ChangeKind kind; double sigmas = 7; };
    const Case cases[] = {
        {LineChangeKind::None, 0.0, 1.0, Gain::Moderate, 4, {}},
        {LineChangeKind::None, -2.6, 1.1, Gain::Clipping, 3, {}},
        {LineChangeKind::Appeared, 1.3, 0.9, Gain::Moderate, 5, ChangeKind::Appeared},
        {LineChangeKind::Appeared, -3.0, 1.05, Gain::Clipping, 6, ChangeKind::Appeared},
        {LineChangeKind::Vanished, 2.4, 1.0, Gain::Moderate, 3, ChangeKind::Vanished},
        {LineChangeKind::Vanished, -0.5, 0.92, Gain::Clipping, 7, ChangeKind::Vanished},
        {LineChangeKind::Grown, 0.7, 1.08, Gain::Moderate, 4, ChangeKind::Changed},
        {LineChangeKind::Grown, -1.8, 0.95, Gain::Clipping, 5, ChangeKind::Changed},
        {LineChangeKind::Appeared, 0.2, 1.01, Gain::Clipping, 3, ChangeKind::Appeared, 4.5},
    };
    std::uint64_t seed = 30;
    for (const Case& c : cases) {
        std::mt19937_64 rng(++seed);
        const SyntheticScene base = baselineScene(rng, c.range, c.level);
        const LaterTake later = laterTake(base, rng, c.shift, c.gain, c.change, c.sigmas, 3);
        const ReflectogramRecord b = renderScene(base), n = renderScene(later.scene);
        BaselineComparison r;
        const Status s = compareWithBaseline(n.samples, recordGrid(n), b.samples, recordGrid(b), {}, {}, r);
        ASSERT_TRUE(s) << s.reason();
        const std::string what = "seed " + std::to_string(seed);
        EXPECT_NEAR(r.alignment.shift, c.shift, 0.3) << what;
        EXPECT_NEAR(r.alignment.gain, c.gain, 0.03) << what;
        if (c.change == LineChangeKind::None) {
            EXPECT_TRUE(r.changes.empty()) << what << ": " << r.changes.size() << " changes";
            continue;
        }
        ASSERT_EQ(r.changes.size(), 1u) << what;
        const LineChange& found = r.changes.front();
        EXPECT_EQ(found.kind, c.kind) << what;
        EXPECT_NEAR(found.sample, later.changeAt, 4) << what;
        EXPECT_NEAR(found.amplitude, later.changeSize, 0.35 * later.changeSize) << what;
        EXPECT_DOUBLE_EQ(found.distance, found.position);   // the default distances: KU 1.5
    }
}

// A line shortened by a few samples: its end moved, unlike the re-reflections the lead moves.
TEST(BaselineCompare, AnEndThatMovedALittleIsAChange)
{
    std::mt19937_64 rng(41);
    const SyntheticScene base = baselineScene(rng, 4, Gain::Moderate);
    LaterTake later = laterTake(base, rng, 2.0, 1.0, LineChangeKind::None, 0, 0);
    later.scene.echoes.back().start -= 12;
    const ReflectogramRecord b = renderScene(base), n = renderScene(later.scene);
    BaselineComparison r;
    ASSERT_TRUE(compareWithBaseline(n.samples, recordGrid(n), b.samples, recordGrid(b), {}, {}, r));
    ASSERT_FALSE(r.changes.empty());
    EXPECT_NEAR(r.changes.front().sample, later.scene.echoes.back().start, 4);
}

TEST(BaselineCompare, ReflectogramsOfDifferentScalesAreRefused)
{
    std::mt19937_64 rng(40);
    const ReflectogramRecord r = renderScene(baselineScene(rng, 4, Gain::Moderate));
    const SampleGrid grid = recordGrid(r);
    SampleGrid otherRange = grid, otherPulse = grid, otherStart = grid;
    otherRange.spacing *= 2;
    otherPulse.pulseNs *= 2;
    otherStart.origin += 10;
    struct Case { SampleGrid grid; std::size_t count; const char* mentions; const char* russian; };
    const Case cases[] = {
        {otherRange, r.samples.size(), "different ranges", "разных диапазонах"},
        {otherPulse, r.samples.size(), "different pulses", "разными импульсами"},
        {otherStart, r.samples.size(), "different stretches", "разные участки"},
        {grid, 500, "different stretches", "разные участки"},
    };
    for (const Case& c : cases) {
        BaselineComparison result;
        result.alignment.gain = 7;
        const Status s = compareWithBaseline(std::span(r.samples).first(c.count), c.grid, r.samples, grid, {}, {}, result);
        EXPECT_FALSE(s) << c.mentions;
        EXPECT_NE(s.reason().find(c.mentions), std::string::npos) << s.reason();
        EXPECT_NE(s.userReason().find(c.russian), std::string::npos) << s.userReason();
        EXPECT_EQ(result.alignment.gain, 7);
    }
}

// The alignment alone, on a noiseless pulse: whole and fractional shifts and a gain come back.
TEST(TraceAlignment, RecoversShiftAndGain)
{
    auto pulseAt = [](double start, double gain) {
        std::vector<double> t(400, 0.0);
        for (int k = 0; k < 400; ++k)
            t[static_cast<std::size_t>(k)] =
                gain * 60 * (std::clamp((k - start) / 3.0, 0.0, 1.0) - std::clamp((k - start - 40) / 3.0, 0.0, 1.0));
        return t;
    };
    struct Case { double shift, gain; };
    const Case cases[] = {{0, 1}, {3, 1.1}, {-2.5, 0.9}, {0.26, 1.0}, {-7.74, 1.02}};
    const std::vector<double> reference = pulseAt(150, 1.0);
    const SampleRange regions[] = {{120, 230}};
    for (const Case& c : cases) {
        const std::optional<TraceAlignment> a = fitAlignment(pulseAt(150 + c.shift, c.gain), reference, regions, 8);
        ASSERT_TRUE(a);
        EXPECT_NEAR(a->shift, c.shift, 0.03) << c.shift;
        EXPECT_NEAR(a->gain, c.gain, 0.005) << c.shift;
    }
}

} // namespace
