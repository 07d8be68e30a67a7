#include "support/temp_dir.h"
#include "document/varnel_doc.h"
#include "device/sim_scene.h"
#include "document/memory_resampling.h"
#include "measurement/analysis/fault_watch.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

using namespace std::chrono_literals;

const SampleGrid kWhole{0.0, 2.0, 200.0};   // the 1000 m range's 500 samples
const auto kStart = std::chrono::system_clock::from_time_t(1700000000) + 250ms;

// A quiet line at level -3 with a +-4 count ripple, and `bump` counts over [from, from + count).
WatchFrame frame(int second, int from = 0, int count = 0, int bump = 0, const SampleGrid& grid = kWhole)
{
    WatchFrame f;
    f.grid = grid;
    f.time = kStart + std::chrono::seconds(second);
    f.file.scaleIndex = 4;
    f.file.pulseIndex = 4;
    for (int j = 0; j < kWindowSamples; ++j) {
        const int v = -3 + (j * 7 + second * 3) % 9 - 4 + (j >= from && j < from + count ? bump : 0);
        f.samples.push_back(static_cast<std::uint8_t>(static_cast<std::int8_t>(v)));
    }
    return f;
}

LineDistances kuTwo() { return {2.0, {}}; }

TEST(FaultWatch, ReportsEachChangeOnceAndKeepsTheEnvelope)
{
    CFaultWatch watch({10, 3});
    struct Step { WatchFrame frame; std::optional<int> changeAt; int difference; const char* what; };
    const Step steps[] = {
        {frame(0), {}, 0, "the reference"},
        {frame(1), {}, 0, "ripple only"},
        {frame(2, 100, 3, 20), {}, 0, "3 samples are not more than 3"},
        {frame(3, 250, 6, -20), 250, -20, "a fault appears"},
        {frame(4, 250, 6, -30), {}, 0, "it stays: the same change"},
        {frame(5), {}, 0, "it is gone"},
        {frame(6, 40, 4, 25), 40, 25, "it comes back elsewhere"},
    };
    for (const Step& s : steps) {
        const WatchStep r = watch.feed(s.frame, kuTwo());
        EXPECT_FALSE(r.restarted) << s.what;
        ASSERT_EQ(r.change.has_value(), s.changeAt.has_value()) << s.what;
        if (!r.change)
            continue;
        EXPECT_EQ(r.change->sample, *s.changeAt) << s.what;
        EXPECT_DOUBLE_EQ(r.change->position, *s.changeAt * 2.0) << s.what;
        EXPECT_DOUBLE_EQ(r.change->distance, *s.changeAt * 2.0 / 2.0 * 1.5) << s.what;
        EXPECT_NEAR(r.change->difference, s.difference, 8) << s.what;
        EXPECT_EQ(r.change->time, s.frame.time) << s.what;
        EXPECT_TRUE(r.saved) << "nothing to save without a folder";
    }
    EXPECT_EQ(watch.frames(), 7);
    EXPECT_EQ(watch.changes(), 2);
    EXPECT_EQ(watch.saved(), 0);

    // The lowest and highest level of every sample over all seven reflectograms.
    for (int j : {0, 42, 252, 499}) {
        int low = 127, high = -128;
        for (const Step& s : steps) {
            low = std::min(low, sampleLevel(s.frame.samples[static_cast<std::size_t>(j)]));
            high = std::max(high, sampleLevel(s.frame.samples[static_cast<std::size_t>(j)]));
        }
        EXPECT_EQ(watch.envelopeLow()[static_cast<std::size_t>(j)], low) << j;
        EXPECT_EQ(watch.envelopeHigh()[static_cast<std::size_t>(j)], high) << j;
    }
}

TEST(FaultWatch, ANewWindowRestartsAndASuppliedReferenceCounts)
{
    CFaultWatch watch({10, 3});
    watch.setReference(frame(0).samples, kWhole);
    EXPECT_TRUE(watch.feed(frame(1, 300, 8, 30), kuTwo()).change) << "differs from the supplied reference";

    const SampleGrid zoomed{437.5, 0.25, 200.0};
    const WatchStep r = watch.feed(frame(2, 300, 8, 30, zoomed), kuTwo());
    EXPECT_TRUE(r.restarted);
    EXPECT_FALSE(r.change) << "the new window is its own reference";
    EXPECT_EQ(watch.envelopeLow(), watch.envelopeHigh());
    const WatchStep next = watch.feed(frame(3, 10, 5, -40, zoomed), kuTwo());
    ASSERT_TRUE(next.change);
    EXPECT_DOUBLE_EQ(next.change->position, 437.5 + 10 * 0.25);
}

// The simulated instrument's line 1 with its intermittent fault, as live windows of the 1000 m range.
TEST(FaultWatch, CatchesTheSimulatedIntermittentFault)
{
    CSimScene sim(3);
    CVarnelDoc doc;
    doc.selectRange(4);
    doc.vfactor = CSimScene::lineKu(0);
    SimView view;
    view.spacing = 2.0;
    view.pulseNs = doc.pulse;
    view.gain = 100;
    CFaultWatch watch({10, 3});
    int changes = 0;
    for (int cycle = 0; cycle < 40; ++cycle) {
        const bool fault = cycle % 10 >= 7;   // shows for three cycles now and then
        WatchFrame f;
        f.grid = windowGrid(doc);
        f.samples.resize(kWindowSamples);
        sim.render(view, fault, f.samples.data());
        const WatchStep step = watch.feed(f, documentDistances(doc));
        EXPECT_EQ(step.change.has_value(), fault && cycle % 10 == 7) << cycle;
        if (step.change) {
            ++changes;
            EXPECT_NEAR(step.change->distance, CSimScene::faultDistance(), 15) << cycle;
            EXPECT_LT(step.change->difference, 0) << "a wet joint lowers the impedance";
        }
    }
    EXPECT_EQ(changes, 4);
}

std::vector<std::string> lines(const std::string& path)
{
    std::ifstream in(path);
    std::vector<std::string> out;
    for (std::string l; std::getline(in, l);)
        out.push_back(l);
    return out;
}

TEST(FaultWatch, SavesEveryChangeAndLogsIt)
{
    TempDir dir;
    const std::string folder = dir.file("watch");   // made when the first change comes
    CFaultWatch watch({10, 3}, folder);
    watch.feed(frame(0), kuTwo());
    const WatchFrame fault = frame(1, 250, 6, -20);
    const WatchStep first = watch.feed(fault, kuTwo());
    watch.feed(frame(2), kuTwo());
    WatchFrame again = frame(1, 250, 6, -20);   // the same millisecond: the name takes a suffix
    const WatchStep second = watch.feed(again, kuTwo());
    ASSERT_TRUE(first.saved) << first.saved.reason();
    ASSERT_TRUE(second.saved) << second.saved.reason();
    EXPECT_EQ(watch.saved(), 2);

    const LocalTime t = toLocalTime(1700000001);
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d_%02d-%02d-%02d-250", t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
    EXPECT_EQ(first.file, std::string(stamp) + ".tdr");
    EXPECT_EQ(second.file, std::string(stamp) + "_2.tdr");

    ReflectogramRecord saved;
    LocalTime written;
    ASSERT_TRUE(readReflectogramFile(folder + "/" + first.file, saved, written));
    EXPECT_EQ(saved.scaleIndex, 4);
    EXPECT_EQ(saved.samples, recordFromWindow(fault.samples, kWhole, 4));

    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d:%02d:%02d.250", t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
    const auto log = lines(folder + "/watch.csv");
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0], "time,sample,distance_m,difference,file");
    EXPECT_EQ(log[1].substr(0, log[1].find(",-")), std::string(stamp) + ",250,375.00");
    EXPECT_EQ(log[1].substr(log[1].rfind(',') + 1), first.file);
    EXPECT_EQ(log[2].substr(log[2].rfind(',') + 1), second.file);
}

// The log is appended line by line: a line cut by a crash stays, and the next starts on a line of its own.
TEST(FaultWatch, CutLogLineIsClosedBeforeTheNext)
{
    TempDir dir;
    writeText(dir.file("watch.csv"), "time,sample,distance_m,difference,file\nkept,1,2.00,3,a.tdr\n2023-11-1");
    CFaultWatch watch({10, 3}, dir.path().string());
    watch.feed(frame(0), kuTwo());
    ASSERT_TRUE(watch.feed(frame(1, 250, 6, -20), kuTwo()).saved);
    const auto log = lines(dir.file("watch.csv"));
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[1], "kept,1,2.00,3,a.tdr");
    EXPECT_EQ(log[2], "2023-11-1");
    EXPECT_NE(log[3].find(",250,375.00,"), std::string::npos);
}

TEST(FaultWatch, WriteFailuresAreReportedNotCounted)
{
    TempDir dir;
    std::filesystem::create_directory(dir.file("watch.csv"));   // the log cannot be opened
    writeText(dir.file("plain"), "a file, not a folder");
    struct Case { std::string folder; bool fileWritten; const char* mentions; };
    const Case cases[] = {
        {dir.path().string(), true, "watch.csv"},
        {dir.file("plain") + "/sub", false, "plain"},
    };
    for (const Case& c : cases) {
        CFaultWatch watch({10, 3}, c.folder);
        watch.feed(frame(0), kuTwo());
        const WatchStep r = watch.feed(frame(1, 250, 6, -20), kuTwo());
        ASSERT_TRUE(r.change) << c.folder;
        EXPECT_FALSE(r.saved) << c.folder;
        EXPECT_NE(r.saved.reason().find(c.mentions), std::string::npos) << r.saved.reason();
        EXPECT_EQ(r.file.empty(), !c.fileWritten) << c.folder;
        EXPECT_EQ(watch.saved(), 0) << c.folder;
        EXPECT_EQ(watch.changes(), 1) << c.folder;
    }
}

// A window of the whole range saved as a file comes back as the same window when loaded as a memory.
TEST(FaultWatch, WindowRecordLoadsBackAsTheSameWindow)
{
    CVarnelDoc doc;
    for (int range : {0, 4, 7}) {
        doc.selectRange(range);
        const WatchFrame f = frame(3, 200, 9, 40, windowGrid(doc));
        Trace memory;
        memory.memScale = doc.scale;
        memory.raw = recordFromWindow(f.samples, f.grid, range);
        std::array<std::uint8_t, kWindowSamples> shown{};
        resampleMemory(memory, doc.scale, 0, 0.0, shown);
        EXPECT_TRUE(std::equal(shown.begin(), shown.end(), f.samples.begin())) << range;
    }
    // A magnified window fills only its own stretch; the rest is the flat line.
    const auto raw = recordFromWindow(frame(0).samples, {437.5, 0.25, 200}, 4);
    EXPECT_EQ(raw[3499], 0);
    EXPECT_EQ(raw[3500], frame(0).samples[0]);
    EXPECT_EQ(raw[3501], frame(0).samples[0]);
    EXPECT_EQ(raw[3502], frame(0).samples[1]);
    EXPECT_EQ(raw[4500], 0);
}

} // namespace
