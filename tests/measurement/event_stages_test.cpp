// The event finder's stages, one rule at a time on hand-made levels.
#include "measurement/analysis/event_finder.h"
#include "measurement/analysis/event_stages.h"
#include "measurement/analysis/level_median.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// A flat line of `n` samples with blocks of constant level on it.
struct Block { int from, length; double level; };
std::vector<double> line(int n, std::vector<Block> blocks)
{
    std::vector<double> level(static_cast<std::size_t>(n), 0.0);
    for (const Block& b : blocks)
        for (int k = b.from; k < std::min(n, b.from + b.length); ++k)
            level[static_cast<std::size_t>(k)] = b.level;
    return level;
}

// Integer readings of a level under a count of noise: the median lies between counts, where the
// readings on either side of the middle put it.
TEST(EventStages, GroupedMedianFallsBetweenCounts)
{
    struct Case { std::vector<int> levels; std::vector<int> removed; double median; };
    const Case cases[] = {
        {{5}, {}, 5.0},
        {{1, 1, 1, 1}, {}, 1.0},
        {{0, 0, 1, 1}, {}, 0.5},
        {{0, 1, 1, 1}, {}, 1 - 0.5 + 1.0 / 3},
        {{-4, -4, -3, -3, -3, -2, -2, -2, -2}, {}, -3.5 + 2.5 / 3},
        {{0, 1, 1, 1, 7, 7}, {7, 7}, 1 - 0.5 + 1.0 / 3},
        {{}, {}, 0.0},
    };
    for (const Case& c : cases) {
        CLevelMedian m;
        for (const int v : c.levels)
            m.add(v);
        for (const int v : c.removed)
            m.remove(v);
        EXPECT_NEAR(m.groupedMedian(), c.median, 1e-12) << c.levels.size();
    }
}

TEST(EventStages, ProbeEndAndAmplitude)
{
    struct Case { SampleGrid grid; std::vector<Block> probe; int first; std::optional<double> amplitude; };
    const Case cases[] = {
        {{0, 0.125, 10}, {{0, 8, 100}}, 28, 100},          // 1.5 x 1 m + 2 m of 12.5 cm samples
        {{0, 0.125, 10}, {{0, 3, 60}, {3, 5, 80}}, 28, 80}, // the top's median, not its first samples
        {{0, 0.125, 10}, {}, 28, std::nullopt},            // nothing rises above the line
        {{0, 2.0, 200}, {{0, 16, 90}}, 16, 90},            // a live window of the 1000 m range
        {{0, 4.0, 50000}, {{0, 100, 90}}, 100, std::nullopt},   // all of it under the probe
    };
    for (const Case& c : cases) {
        const std::vector<double> level = line(100, c.probe);
        const int first = firstAfterProbe(c.grid, 100);
        EXPECT_EQ(first, c.first) << c.grid.spacing;
        EXPECT_EQ(probePulseAmplitude(level, first), c.amplitude) << c.grid.spacing << " " << c.probe.size();
    }
}

// The threshold counts deviations of what is compared: the averaged trace and the baseline's median.
TEST(EventStages, ThresholdFollowsTheSettingsAndTheBaseline)
{
    EventFinderSettings strict, lowFloor;
    strict.thresholdSigma = 20;
    lowFloor.minCounts = 0.5;
    auto deviation = [](double sigma, int smoothing, int count) {
        return std::sqrt(sigma * sigma / smoothing + std::pow(1.2533 * sigma, 2) / count);
    };
    struct Case { double echoSamples, sigma; EventFinderSettings settings; int count; double threshold; };
    const Case cases[] = {
        {16, 2.0, {}, 32, 4 * deviation(2.0, 3, 32)},
        {16, 2.0, {}, 8, 4 * deviation(2.0, 3, 8)},        // a short baseline scatters more
        {16, 2.0, strict, 32, 20 * deviation(2.0, 3, 32)}, // about 23 counts
        {4, 2.0, {}, 32, 4 * deviation(2.0, 1, 32)},       // a narrow echo is not averaged
        {16, 0.3, {}, 32, 3.0},                            // quiet, but never below the 3-count floor
        {16, 0.3, lowFloor, 32, 4 * deviation(0.3, 3, 32)},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(scanRules(c.echoSamples, c.sigma, c.settings).threshold(c.count), c.threshold, 1e-9)
            << c.echoSamples << " " << c.sigma << " " << c.settings.thresholdSigma << " " << c.count;
}

// The scan on a noiseless line, echoes 16 samples wide (averaged over 3, threshold 3 counts).
TEST(EventStages, BaselineScanFindsEchoesShiftsAndTheDeadZone)
{
    struct Found { int start, sign; double amplitude; bool shift; };
    struct Case { const char* what; std::vector<Block> blocks; std::vector<Found> echoes; };
    const Case cases[] = {
        {"an open", {{200, 16, 20}}, {{199, +1, 20, false}}},
        {"a short", {{200, 16, -15}}, {{199, -1, 15, false}}},
        {"below the threshold", {{200, 16, 2}}, {}},
        {"two apart", {{200, 16, 20}, {400, 16, -10}}, {{199, +1, 20, false}, {399, -1, 10, false}}},
        // Overlapping: one event, its top the median of both tops of the averaged trace.
        {"overlapping", {{200, 16, 20}, {216, 16, 12}}, {{199, +1, 52.0 / 3, false}}},
        {"a level shift", {{200, 600, 20}}, {{199, +1, 20, true}}},
        {"an echo after a shift", {{200, 600, 20}, {420, 16, 35}}, {{199, +1, 20, true}, {419, +1, 15, false}}},
    };
    const ScanRules rules = scanRules(16, 1.0, {});
    for (const Case& c : cases) {
        const std::vector<double> level = line(800, c.blocks);
        const std::vector<EchoSpan> echoes = findEchoes(level, smoothedTrace(level, rules.smoothing), 30, rules);
        ASSERT_EQ(echoes.size(), c.echoes.size()) << c.what;
        for (std::size_t i = 0; i < echoes.size(); ++i) {
            EXPECT_EQ(echoes[i].start, c.echoes[i].start) << c.what << " " << i;
            EXPECT_EQ(echoes[i].sign, c.echoes[i].sign) << c.what << " " << i;
            EXPECT_NEAR(echoes[i].amplitude, c.echoes[i].amplitude, 1e-9) << c.what << " " << i;
            EXPECT_EQ(echoes[i].shift, c.echoes[i].shift) << c.what << " " << i;
        }
    }
}

// The edges place the start at the knee of the raw leading edge, not where the averaged trace departs.
TEST(EventStages, StartsAreTheKneesOfTheLeadingEdges)
{
    const ScanRules rules = scanRules(16, 1.0, {});
    std::vector<double> level = line(800, {{200, 16, 20}, {500, 16, -8}});
    for (int k = 0; k < 4; ++k)   // a 4-sample ramp into the first echo's top
        level[static_cast<std::size_t>(200 + k)] = 5.0 * (k + 1);
    const std::vector<EchoSpan> echoes = findEchoes(level, smoothedTrace(level, rules.smoothing), 30, rules);
    ASSERT_EQ(echoes.size(), 2u);
    const std::vector<int> starts = echoStarts(level, echoes, rules);
    EXPECT_EQ(starts, (std::vector<int>{199, 499}));
}

TEST(EventStages, RiseLawOfTheOtherEchoes)
{
    struct Case { const char* what; std::vector<RiseSample> others; double amplitude; std::optional<double> law; };
    const Case cases[] = {
        {"none", {}, 10, std::nullopt},
        {"the others together weaker", {{100, 3, 5}, {200, 4, 5}}, 10, std::nullopt},
        {"one strong echo", {{100, 3, 40}}, 10, 3.0},
        {"a rise growing along the line", {{-100, 2, 30}, {100, 4, 30}}, 10, 3.0},
        {"a falling law is held flat", {{-100, 4, 30}, {100, 2, 30}}, 10, 3.0},
    };
    for (const Case& c : cases) {
        const std::optional<double> law = riseLaw(c.others, c.amplitude);
        ASSERT_EQ(law.has_value(), c.law.has_value()) << c.what;
        if (law) {
            EXPECT_NEAR(*law, *c.law, 1e-9) << c.what;
        }
    }
}

// The end of the line is the last positive event at least half as large as the largest.
TEST(EventStages, EndOfLineAndReturnLoss)
{
    struct Case { const char* what; std::vector<std::pair<int, double>> events; int end; };
    const Case cases[] = {
        {"open end after a joint", {{+1, 40}, {+1, 60}}, 1},
        {"shorted end: no positive event half as large", {{+1, 25}, {-1, 90}}, -1},
        {"a small reflection beyond the end is not the end", {{+1, 70}, {+1, 20}}, 0},
        {"exactly half as large", {{+1, 80}, {-1, 30}, {+1, 40}}, 2},
        {"only a wet splice", {{-1, 30}}, -1},
        {"nothing", {}, -1},
    };
    for (const Case& c : cases) {
        std::vector<ReflectionEvent> events;
        for (const auto& [polarity, amplitude] : c.events) {
            ReflectionEvent e;
            e.polarity = polarity;
            e.amplitude = amplitude;
            events.push_back(e);
        }
        std::vector<ReflectionEvent> withoutProbe = events;
        classifyEvents(withoutProbe, std::nullopt);
        classifyEvents(events, 100.0);
        for (int i = 0; i < static_cast<int>(events.size()); ++i) {
            const ReflectionEvent& e = events[static_cast<std::size_t>(i)];
            EXPECT_EQ(e.end, i == c.end) << c.what << ", event " << i;
            ASSERT_TRUE(e.returnLossDb) << c.what;
            EXPECT_NEAR(*e.returnLossDb, 20 * std::log10(100 / e.amplitude), 1e-9) << c.what;
            EXPECT_FALSE(withoutProbe[static_cast<std::size_t>(i)].returnLossDb) << c.what;
        }
    }
}

} // namespace

namespace {

// A re-reflection sits at k times a stronger, nearer event's position, with the sign of its k-th return
// and no higher than that return can be; anything else is an event of the line.
TEST(EventStages, RepeatsOfStrongerEventsAreMarked)
{
    struct Ev { double position; int polarity; double amplitude; };
    struct Case { const char* what; std::vector<Ev> events; std::vector<int> multiple; };
    const Case cases[] = {
        {"a short's returns keep its sign", {{100, -1, 60}, {200, -1, 20}, {300, -1, 7}}, {0, 2, 3}},
        {"an open's alternate", {{100, +1, 60}, {200, -1, 20}, {300, +1, 7}}, {0, 2, 3}},
        {"an open's second return of its own sign", {{100, +1, 60}, {200, +1, 20}}, {0, 0}},
        {"higher than a return can be", {{100, -1, 30}, {200, -1, 20}}, {0, 0}},
        {"more than a pulse width off", {{100, -1, 60}, {203, -1, 20}}, {0, 0}},
        {"within it", {{100, -1, 60}, {201.5, -1, 20}}, {0, 2}},
        {"a weaker event has no returns", {{100, -1, 10}, {200, -1, 20}}, {0, 0}},
        {"a return is no source", {{100, -1, 60}, {200, -1, 20}, {400, -1, 2.5}}, {0, 2, 4}},
        // The strongest event's second return tells how much a return loses: 14 counts lie far above
        // the return a 30-count fault has on this line, though a clipped probe would allow them.
        {"higher than the line's returns", {{100, -1, 30}, {200, -1, 14}, {300, -1, 90}, {600, -1, 20}}, {0, 0, 0, 2}},
    };
    for (const Case& c : cases) {
        std::vector<ReflectionEvent> events;
        for (const Ev& e : c.events) {
            ReflectionEvent r;
            r.position = e.position;
            r.polarity = e.polarity;
            r.amplitude = e.amplitude;
            events.push_back(r);
        }
        markMultiples(events, 2.0, 100.0, 1.0);
        classifyEvents(events, 100.0);
        for (std::size_t i = 0; i < events.size(); ++i) {
            EXPECT_EQ(events[i].multiple, c.multiple[i]) << c.what << ", event " << i;
            EXPECT_FALSE(events[i].multiple != 0 && events[i].end) << c.what << ", event " << i;
        }
    }
}

} // namespace
