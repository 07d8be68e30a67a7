#include "support/synthetic_reflectogram.h"

#include "support/temp_dir.h"
#include "document/varnel_doc.h"
#include "files/number_text.h"
#include "files/library/memory_file.h"
#include "measurement/analysis/event_finder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <fstream>

namespace {

constexpr int kRanges = 8;   // 62.5 m to 8 km
constexpr double kNoises[] = {1.5, 2.0, 3.0, 4.0};

EventReport findIn(const ReflectogramRecord& r, const LineDistances& distances = {}, const EventFinderSettings& s = {})
{
    return CEventFinder(s).find(r.samples, recordGrid(r), distances);
}

std::string writeTemp(const ReflectogramRecord& r)
{
    static TempDir dir;
    const std::string path = dir.file("memory.tdr");
    writeText(path, encodeReflectogram(r));
    return path;
}

// A quiet scene with the given echoes, for the cases that check one rule at a time.
SyntheticScene scene(int range, std::vector<SyntheticEcho> echoes, double noise = 1.0)
{
    SyntheticScene s;
    s.scaleIndex = range;
    s.noiseSigma = noise;
    s.echoes = std::move(echoes);
    return s;
}

// The accuracy the event table promises, on every range: each echo of 5 noise deviations or more
// found, its start within 2 samples, no event where there is none, the open end marked.
TEST(EventFinder, FindsEveryEchoOfFiveDeviationsWithinTwoSamples)
{
    std::mt19937_64 rng(20240613);
    for (int range = 0; range < kRanges; ++range) {
        AccuracyTally total;
        for (int trial = 0; trial < 12; ++trial) {
            const bool withEnd = trial % 2 == 1;
            const SyntheticScene s = randomScene(rng, range, 1 + trial % 5, kNoises[trial % 4], 5.0, withEnd);
            const EventReport report = findIn(renderScene(s));
            total.add(tally(s, report, withEnd));
            EXPECT_NEAR(report.noiseSigma, s.noiseSigma, 0.15 * s.noiseSigma) << "range " << range;
        }
        EXPECT_EQ(total.missed, 0) << "range " << range;
        EXPECT_EQ(total.falseEvents, 0) << "range " << range;
        EXPECT_LE(total.worstOffset, 2.0) << "range " << range;
        EXPECT_EQ(total.endsMissed, 0) << "range " << range;
    }
}

TEST(EventFinder, PureNoiseGivesNoEventAtTheDefaultThreshold)
{
    std::mt19937_64 rng(7);
    int events = 0;
    for (int trial = 0; trial < 100; ++trial) {
        SyntheticScene s = scene(trial % kRanges, {}, kNoises[trial % 4]);
        s.seed = rng();
        s.shape = static_cast<EdgeShape>(trial % 3);
        s.probeAmplitude = 60 + trial % 81;
        s.recovery = 2 + trial % 39;
        events += static_cast<int>(findIn(renderScene(s)).events.size());
    }
    EXPECT_EQ(events, 0);
}

// A joint, a wet splice and an open end on the 1000 m range (sample k at k x 12.5 cm).
TEST(EventFinder, PolarityAmplitudeReturnLossAndEnd)
{
    SyntheticScene s = scene(4, {{1500, 20}, {3000, -25}, {6000, 80}});
    s.recovery = 0;
    const EventReport r = findIn(renderScene(s));
    ASSERT_TRUE(r.probeAmplitude);
    EXPECT_NEAR(*r.probeAmplitude, 100, 2);
    struct Expected { int polarity; double amplitude; bool end; };
    const Expected expected[] = {{+1, 20, false}, {-1, 25, false}, {+1, 80, true}};
    ASSERT_EQ(r.events.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        const ReflectionEvent& e = r.events[i];
        EXPECT_NEAR(e.sample, s.echoes[i].start, 1) << i;
        EXPECT_EQ(e.polarity, expected[i].polarity) << i;
        EXPECT_NEAR(e.amplitude, expected[i].amplitude, 1.0) << i;
        EXPECT_EQ(e.end, expected[i].end) << i;
        ASSERT_TRUE(e.returnLossDb) << i;
        EXPECT_NEAR(*e.returnLossDb, 20 * std::log10(*r.probeAmplitude / e.amplitude), 1e-9) << i;
    }
    EXPECT_NEAR(*r.events[2].returnLossDb, 20 * std::log10(100.0 / 80), 0.3);
}

// Distances go through the line's distances, the document's arithmetic the cursors use.
TEST(EventFinder, DistancesFollowKuAndSectionGrid)
{
    const ReflectogramRecord r = renderScene(scene(4, {{4000, 40}}));   // 500 nominal m
    Trace memory;   // the same reflectogram loaded into a memory
    ASSERT_TRUE(readReflectogram(writeTemp(r), memory));
    EXPECT_EQ(memoryGrid(memory), recordGrid(r));
    struct Case { double ku; std::vector<Section> sections; double distance; };
    const Case cases[] = {
        {1.5, {}, 500},
        {2.0, {}, 375},
        {1.5, {{2.0, 10000, 0, 10000}}, 75 + 400 / 2.0 * 1.5},
        {1.5, {{1.0, 20000, 0, 20000}, {3.0, 40000, 20000, 60000}}, 300 + 300 / 3.0 * 1.5},
    };
    for (const Case& c : cases) {
        CVarnelDoc doc;
        doc.vfactor = c.ku;
        for (const Section& sec : c.sections)
            doc.sections.add(sec);
        doc.gridMode = doc.sectionsLoaded = !c.sections.empty();
        const EventReport report = findIn(r, documentDistances(doc));
        ASSERT_EQ(report.events.size(), 1u);
        EXPECT_EQ(report.events[0].sample, 4000);
        EXPECT_DOUBLE_EQ(report.events[0].position, 500);
        EXPECT_NEAR(report.events[0].distance, c.distance, 1e-9) << c.ku << " " << c.sections.size();
    }
}

// The live lines are 500-sample windows: the whole range, or a magnified part without the probe.
TEST(EventFinder, LiveWindowsGiveTheSameEvents)
{
    const SyntheticScene s = scene(4, {{1600, 30}, {4000, -30}, {6400, 60}}, 1.0);
    const ReflectogramRecord full = renderScene(s);
    CVarnelDoc doc;
    doc.selectRange(4);
    struct Case { int zoom; double centre; std::vector<double> positions; bool probeShown; };
    const Case cases[] = {
        {0, 0, {200, 500, 800}, true},
        {3, 500, {500}, false},
    };
    for (const Case& c : cases) {
        doc.zoom = c.zoom;
        doc.zoomCenter = c.centre;
        const SampleGrid grid = windowGrid(doc);
        std::vector<std::uint8_t> window(kWindowSamples);
        for (int j = 0; j < kWindowSamples; ++j)
            window[static_cast<std::size_t>(j)] = full.samples[static_cast<std::size_t>(std::lround(grid.position(j) / 0.125))];
        const EventReport r = CEventFinder().find(window, grid, documentDistances(doc));
        ASSERT_EQ(r.events.size(), c.positions.size()) << "zoom " << c.zoom;
        for (std::size_t i = 0; i < r.events.size(); ++i)
            EXPECT_NEAR(r.events[i].position, c.positions[i], 2 * grid.spacing) << "zoom " << c.zoom << ", event " << i;
        EXPECT_EQ(r.events[0].returnLossDb.has_value(), c.probeShown) << "zoom " << c.zoom;

        EventFinderSettings known;
        known.probeAmplitude = 100;
        EXPECT_NEAR(*CEventFinder(known).find(window, grid, documentDistances(doc)).events[0].returnLossDb,
                    20 * std::log10(100 / r.events[0].amplitude), 1e-9);
    }
}

// What a measured line adds to the idealised scenes, one at a time on the 1000 m range (pulse 160
// samples), each a way the finder once went wrong: every event where it belongs, nothing else.
TEST(EventFinder, MeasuredLinesGiveTheirEventsOnly)
{
    auto measured = [](std::vector<SyntheticEcho> echoes, double noise, auto&& adjust) {
        SyntheticScene s = scene(4, std::move(echoes), noise);
        s.recovery = 0;
        adjust(s);
        return s;
    };
    struct Expected { double sample; int polarity; int multiple; bool end; };
    struct Case { const char* what; SyntheticScene scene; std::vector<Expected> events; };
    const Case cases[] = {
        // Neighbours correlated by a slow receiver: differences see a fraction of the scatter.
        {"correlated noise", measured({}, 1.5, [](SyntheticScene& s) { s.noiseCorrelation = 0.85; }), {}},
        // A probe clipped at a high gain undershoots and rings for over four pulse widths, far past
        // its nominal dead zone.
        {"ringing probe", measured({{815, -8}}, 0.5, [](SyntheticScene& s) {
             s.probeAmplitude = 200;
             s.undershoot = 0.1;
             s.ringing = 0.1;
         }),
         {{815, -1, 0, false}}},
        // A strong echo returns through the same undershoot, here on the slope of a slow bump.
        {"return on a slow bump", measured({{3000, 60}}, 0.5, [](SyntheticScene& s) {
             s.undershoot = 0.1;
             s.driftAmplitude = 5;
             s.driftCentre = 3400;
             s.driftWidth = 800;
         }),
         {{3000, +1, 0, true}}},
        // A shorted end comes back at twice and three times its distance, with its own sign.
        {"ghost chain", measured({{2000, -60}}, 0.5, [](SyntheticScene& s) { s.sourceReflection = -0.6; }),
         {{2000, -1, 0, false}, {4000, -1, 2, false}, {6000, -1, 3, false}}},
        // A fault just past the tail of a clipped probe, on the rising side of a bump with the receiver
        // still recovering: the trace never settles against the level ahead of it, only as a scan sees it.
        {"fault past the tail on a bump", measured({{978.9, 30.1}, {2620.8, 81.0}}, 1.47, [](SyntheticScene& s) {
             s.scaleIndex = 5;
             s.seed = 3496238325293946221ull;
             s.noiseCorrelation = 0.5;
             s.probeAmplitude = 237;
             s.recovery = 15;
             s.shape = EdgeShape::Exponential;
             s.rise = 1.6;
             s.risePerKiloSample = 0.1;
             s.undershoot = 0.083;
             s.ringing = 0.02;
             s.sourceReflection = -0.57;
             s.driftAmplitude = 6.7;
             s.driftCentre = 1068;
             s.driftWidth = 1415;
         }),
         {{979, +1, 0, false}, {2621, +1, 0, true}, {5241, -1, 2, false}}},
        // A faint fault behind a faint one of the other sign, well within the probe's tail length of it:
        // so faint an echo's tail cannot make a lobe of 4 counts.
        {"faint fault behind a faint one", measured({{1028.9, 4.2}, {1335.2, -4.3}, {1605.8, 4.8}, {3032.9, -59.1}}, 0.54,
                                                    [](SyntheticScene& s) {
                                                        s.seed = 13729559465751978940ull;
                                                        s.noiseCorrelation = 0.72;
                                                        s.probeAmplitude = 99;
                                                        s.recovery = 12.3;
                                                        s.shape = EdgeShape::RaisedCosine;
                                                        s.rise = 2.8;
                                                        s.risePerKiloSample = 0.08;
                                                        s.widenPerKiloSample = 0.026;
                                                        s.undershoot = 0.079;
                                                        s.ringing = 0.025;
                                                        s.sourceReflection = -0.32;
                                                        s.driftAmplitude = -2.6;
                                                        s.driftCentre = 192;
                                                        s.driftWidth = 1229;
                                                    }),
         {{1029, +1, 0, false}, {1335, -1, 0, false}, {1606, +1, 0, false}, {3033, -1, 0, false}, {6066, -1, 2, false}}},
        // A faint fault on the 62.5 m range while the receiver still recovers: the recovery taken off
        // leaves the levels a fraction of a count off whole readings, which the baseline must keep.
        {"faint fault on the recovery", measured({{228.47, -8.6}, {303.47, 4.54}, {354.53, -4.18}, {402.34, -5.76}, {526.69, -58.46}},
                                                 0.57, [](SyntheticScene& s) {
                                                     s.scaleIndex = 0;
                                                     s.seed = 13796632559178388729ull;
                                                     s.noiseCorrelation = 0.73;
                                                     s.probeAmplitude = 108;
                                                     s.recovery = 2.6;
                                                     s.shape = EdgeShape::Exponential;
                                                     s.rise = 2.58;
                                                     s.risePerKiloSample = 0.24;
                                                     s.widenPerKiloSample = 0.095;
                                                     s.undershoot = 0.05;
                                                     s.ringing = 0.033;
                                                     s.sourceReflection = -0.4;
                                                     s.driftAmplitude = 3.2;
                                                     s.driftCentre = 339;
                                                     s.driftWidth = 158;
                                                 }),
         {{228, -1, 0, false}, {304, +1, 0, false}, {355, -1, 0, false}, {402, -1, 0, false}, {527, -1, 0, false}, {1053, -1, 2, false}}},
        // A strong fault right after a clipped probe's tail on the 125 m range: the line after it lies
        // off the line before it by its own undershoot and the noise, more than the band but far less
        // than its height - it came back, as a trailing edge taken for a leading one does not.
        {"strong fault right after the tail", measured({{100.39, -25.21}, {223.44, 25.1}, {338.78, -21.98}, {531.28, -91.5}}, 1.71,
                                                       [](SyntheticScene& s) {
                                                           s.scaleIndex = 1;
                                                           s.seed = 8432681778232669215ull;
                                                           s.noiseCorrelation = 0.69;
                                                           s.probeAmplitude = 299;
                                                           s.recovery = 19.5;
                                                           s.shape = EdgeShape::Linear;
                                                           s.rise = 2.08;
                                                           s.risePerKiloSample = 0.27;
                                                           s.widenPerKiloSample = 0.087;
                                                           s.undershoot = 0.072;
                                                           s.ringing = 0.033;
                                                           s.sourceReflection = -0.39;
                                                           s.driftAmplitude = 9.8;
                                                           s.driftCentre = 190;
                                                           s.driftWidth = 184;
                                                       }),
         {{100, -1, 0, false}, {224, +1, 0, false}, {339, -1, 0, false}, {532, -1, 0, false}, {1063, -1, 2, false}}},
        // A dispersed line on the 1000 m range: the echoes widen along it, and a fault's trailing edge,
        // taken a pulse width after its leading one, would pull its start late.
        {"widened echoes", measured({{726.65, -8.35}, {1579.78, 6.87}, {3023.9, 32.66}}, 0.52, [](SyntheticScene& s) {
             s.seed = 18070054884634154154ull;
             s.noiseCorrelation = 0.61;
             s.probeAmplitude = 117;
             s.recovery = 3.1;
             s.shape = EdgeShape::RaisedCosine;
             s.rise = 2.47;
             s.risePerKiloSample = 0.09;
             s.widenPerKiloSample = 0.024;
             s.undershoot = 0.031;
             s.ringing = 0.036;
             s.sourceReflection = -0.43;
             s.driftAmplitude = -2.6;
             s.driftCentre = 4196;
             s.driftWidth = 1279;
         }),
         {{726.65, -1, 0, false}, {1579.78, +1, 0, false}, {3023.9, +1, 0, true}, {6048, -1, 2, false}}},
        // Far along a strongly dispersed 4 km line a faint fault's top lies below 90 % of its noisiest
        // sample for most of its length: its edge is the rise to the top's level, not to that sample.
        {"faint top far along", measured({{1063.78, 8.59}, {1918.61, 6.29}, {2411.63, -6.35}, {3798.45, 52.64}}, 0.42,
                                         [](SyntheticScene& s) {
                                             s.scaleIndex = 6;
                                             s.seed = 12128664728115112139ull;
                                             s.noiseCorrelation = 0.78;
                                             s.probeAmplitude = 84;
                                             s.recovery = 7.4;
                                             s.shape = EdgeShape::Linear;
                                             s.rise = 2.88;
                                             s.risePerKiloSample = 0.08;
                                             s.widenPerKiloSample = 0.079;
                                             s.undershoot = 0.048;
                                             s.ringing = 0.026;
                                             s.sourceReflection = -0.58;
                                             s.driftAmplitude = -1.8;
                                             s.driftCentre = 3795;
                                             s.driftWidth = 1384;
                                         }),
         {{1063.78, +1, 0, false}, {1918.61, +1, 0, false}, {2411.63, -1, 0, false}, {3798.45, +1, 0, true}, {7597, -1, 2, false}}},
        // On the 8 km range a faint fault lies on a receiver recovery of 19 counts, with three wide
        // echoes within the span of its fit: least squares bent towards them leave the recovery on,
        // and the scan would start past the fault.
        {"faint fault on a long recovery", measured({{704.68, 8.38}, {2124.2, 8.65}, {3073.84, 7.65}, {3790.31, 43.08}}, 0.53,
                                                    [](SyntheticScene& s) {
                                                        s.scaleIndex = 7;
                                                        s.seed = 18233517468078174251ull;
                                                        s.noiseCorrelation = 0.61;
                                                        s.probeAmplitude = 89.8;
                                                        s.recovery = 19.35;
                                                        s.shape = EdgeShape::Exponential;
                                                        s.rise = 2.11;
                                                        s.risePerKiloSample = 0.06;
                                                        s.widenPerKiloSample = 0.095;
                                                        s.undershoot = 0.03;
                                                        s.ringing = 0.041;
                                                        s.sourceReflection = -0.5;
                                                        s.driftAmplitude = -2.4;
                                                        s.driftCentre = 3696;
                                                        s.driftWidth = 870;
                                                    }),
         {{704.68, +1, 0, false}, {2124.2, +1, 0, false}, {3073.84, +1, 0, false}, {3790.31, +1, 0, true}, {7580, -1, 2, false}}},
        // A shorted end on the 250 m range at a clipping gain, its undershoot a lobe of its own: the end's
        // trailing edge, before that lobe, still measures how much the line widens the echoes before it.
        {"widening behind the end's lobe", measured({{339.19, 24.51}, {482.2, 26.69}, {601.78, -24.91}, {881.78, 16.46}, {976.84, -94.89}},
                                                    1.72, [](SyntheticScene& s) {
                                                        s.scaleIndex = 2;
                                                        s.seed = 10771874167033164414ull;
                                                        s.noiseCorrelation = 0.726;
                                                        s.probeAmplitude = 236.68;
                                                        s.recovery = 18.6;
                                                        s.shape = EdgeShape::RaisedCosine;
                                                        s.rise = 1.82;
                                                        s.risePerKiloSample = 0.137;
                                                        s.widenPerKiloSample = 0.0823;
                                                        s.undershoot = 0.0929;
                                                        s.ringing = 0.0303;
                                                        s.sourceReflection = -0.568;
                                                        s.driftAmplitude = -7.97;
                                                        s.driftCentre = 823.5;
                                                        s.driftWidth = 253.8;
                                                    }),
         {{339.19, +1, 0, false}, {482.2, +1, 0, false}, {601.78, -1, 0, false}, {881.78, +1, 0, false}, {976.84, -1, 0, false}, {1954, -1, 2, false}}},
    };
    for (const Case& c : cases) {
        const EventReport r = findIn(renderScene(c.scene));
        ASSERT_EQ(r.events.size(), c.events.size()) << c.what;
        for (std::size_t i = 0; i < r.events.size(); ++i) {
            EXPECT_NEAR(r.events[i].sample, c.events[i].sample, 2) << c.what << ", event " << i;
            EXPECT_EQ(r.events[i].polarity, c.events[i].polarity) << c.what << ", event " << i;
            EXPECT_EQ(r.events[i].multiple, c.events[i].multiple) << c.what << ", event " << i;
            EXPECT_EQ(r.events[i].end, c.events[i].end) << c.what << ", event " << i;
        }
        EXPECT_NEAR(r.noiseSigma, c.scene.noiseSigma, 0.25 * c.scene.noiseSigma) << c.what;
    }
}

// The threshold's own rules are the scan's (event_stages_test); here the settings reach it.
TEST(EventFinder, ThresholdSettingReachesTheScan)
{
    EventFinderSettings strict;
    strict.thresholdSigma = 20;   // about 23 counts
    const ReflectogramRecord r = renderScene(scene(4, {{3000, 14}}, 2.0));
    EXPECT_EQ(findIn(r).events.size(), 1u);
    EXPECT_EQ(findIn(r, {}, strict).events.size(), 0u);
}

TEST(EventFinder, TooLittleToAnalyseGivesNoEvent)
{
    const std::vector<std::uint8_t> flat(kWindowSamples, 0), shortWindow(10, 50);
    struct Case { std::span<const std::uint8_t> samples; SampleGrid grid; };
    const Case cases[] = {
        {{}, {}},
        {shortWindow, {0, 2.0, 200}},
        {flat, {0, 0.0, 200}},        // no spacing
        {flat, {0, 4.0, 50000}},      // all of it under the probe pulse
        {flat, {0, 2.0, 200}},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(CEventFinder().find(c.samples, c.grid, {}).events.empty()) << c.samples.size();
}

// Recorded reflectograms (tests/data/scenes) and the events varnel-cli printed for them at the file's
// KU: what the finder finds on them stays as it was.
TEST(EventFinder, ReferenceScenesKeepTheirEvents)
{
    const std::string folder = std::string(VARNEL_TEST_DATA) + "/scenes/";
    for (const char* name : {"joint_splice_open_end", "long_line_shorted_end", "dead_zone_short_range"}) {
        ReflectogramRecord record;
        LocalTime time;
        ASSERT_TRUE(readReflectogramFile(folder + name + ".tdr", record, time)) << name;
        std::ifstream expectedFile(folder + name + ".events.json");
        const nlohmann::json expected = nlohmann::json::parse(expectedFile, nullptr, false);
        ASSERT_TRUE(expected.is_array()) << name;
        const EventReport report = findIn(record, {record.ku(), {}});
        ASSERT_EQ(report.events.size(), expected.size()) << name;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            const ReflectionEvent& e = report.events[i];
            const nlohmann::json& x = expected[i];
            EXPECT_EQ(e.sample, x["sample"].get<int>()) << name << " " << i;
            EXPECT_EQ(numtext::fixed(e.distance, 2), numtext::fixed(x["distance_m"].get<double>(), 2)) << name << " " << i;
            EXPECT_EQ(e.polarity > 0 ? "+" : "-", x["polarity"].get<std::string>()) << name << " " << i;
            EXPECT_EQ(numtext::fixed(e.amplitude, 1), numtext::fixed(x["amplitude"].get<double>(), 1)) << name << " " << i;
            ASSERT_TRUE(e.returnLossDb) << name << " " << i;
            EXPECT_EQ(numtext::fixed(*e.returnLossDb, 1), numtext::fixed(x["return_loss_db"].get<double>(), 1)) << name << " " << i;
            EXPECT_EQ(e.end, x["end"].get<bool>()) << name << " " << i;
            EXPECT_EQ(e.multiple, x["multiple"].is_null() ? 0 : x["multiple"].get<int>()) << name << " " << i;
        }
    }
}

} // namespace
