#include "device/sim_scene.h"
#include "device/sim_transport.h"
#include "support/temp_dir.h"
#include "files/reflectogram_file.h"
#include "measurement/headless_rig.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<CTransport> simulator(SimFault fault = SimFault::None, int after = 0, int every = 1)
{
    SimOptions o;
    o.paced = false;
    o.fault = fault;
    o.faultAfter = after;
    o.faultEvery = every;
    return std::make_unique<CSimTransport>(o);
}

int signedSample(std::uint8_t v) { return static_cast<std::int8_t>(v); }

} // namespace

TEST(AcquisitionWithSimulator, BothLinesCycleContinuously)
{
    HeadlessRig rig(simulator());
    rig.doc.selectRange(4);
    rig.doc.traces[L2].shown = true;
    rig.controller.start();
    ASSERT_TRUE(rig.runUntil([&](int) { return rig.stored == 4; }));
    EXPECT_EQ(rig.doc.acqState, AcqState::Running);
    EXPECT_GT(signedSample(rig.doc.traces[L1].samples[1]), 40);   // the probe pulse
    EXPECT_GT(signedSample(rig.doc.traces[L2].samples[1]), 40);
    EXPECT_NE(rig.doc.traces[L1].samples, rig.doc.traces[L2].samples);
    EXPECT_EQ(rig.doc.traces[L1].status, 3);
    EXPECT_EQ(rig.doc.traces[L2].status, 5);
}

TEST(AcquisitionWithSimulator, MagnifiedWindowWithTheOverviewScreen)
{
    HeadlessRig rig(simulator());
    rig.host.overviewShown = true;
    rig.doc.selectRange(5);   // 2 km
    rig.doc.zoom = 2;         // 500 m window
    rig.doc.zoomCenter = 860;
    rig.controller.start();
    ASSERT_TRUE(rig.runUntil([&](int) { return rig.stored == 2; }));
    const Trace& t = rig.doc.traces[L1];
    EXPECT_NE(t.samples, t.overviewSamples);
    EXPECT_GT(signedSample(t.overviewSamples[1]), 40);   // the whole range starts with the probe pulse
    EXPECT_LT(signedSample(t.samples[1]), 40);           // the window starts down the line
}

TEST(AcquisitionWithSimulator, QuestionRepliesAreRepeatedNeverStored)
{
    HeadlessRig rig(simulator(SimFault::Question, 2, 2));
    rig.doc.selectRange(4);
    rig.controller.start();
    int sane = 0;
    ASSERT_TRUE(rig.runUntil([&](int hint) {
        if (hint == kHintNewSamples && signedSample(rig.doc.traces[L1].samples[1]) > 40)
            ++sane;
        return rig.stored == 4;
    }));
    EXPECT_EQ(sane, 4);
}

TEST(AcquisitionWithSimulator, SavingALongRecord)
{
    TempDir dir;
    HeadlessRig rig(simulator());
    rig.doc.selectRange(5);
    rig.host.savePathAnswer = dir.file("sim.tdr");
    std::string message;
    bool saved = false;
    rig.host.onSaved = [&](const std::string& path) {
        message = path;
        saved = true;
    };
    rig.controller.start();
    int afterSave = 0;
    ASSERT_TRUE(rig.runUntil([&](int hint) {
        if (hint == kHintNewSamples && rig.stored == 1)
            rig.loop.post([&] { rig.controller.saveChannel(1); });
        if (saved && hint == kHintNewSamples)
            ++afterSave;
        return afterSave == 1;
    }));
    EXPECT_EQ(message, dir.file("sim.tdr"));
    ReflectogramRecord r;
    ASSERT_TRUE(decodeReflectogram(readText(dir.file("sim.tdr")), r));
    EXPECT_EQ(r.scaleIndex, 5);
    EXPECT_EQ(r.status, 3);
    EXPECT_GT(signedSample(r.samples[1]), 40);
    // At 2 km a long-record sample is 0.25 nominal metres: line 1's open end lies inside.
    const int end = static_cast<int>(CSimScene::lineLength(0) * CSimScene::lineKu(0) / 1.5 / 0.25);
    int peak = -128;
    for (int i = end - 30; i < end + 30; ++i)
        peak = std::max(peak, signedSample(r.samples[i]));
    EXPECT_GT(peak, 8);
    EXPECT_EQ(rig.controller.recordMode(), RecordMode::Normal);
}

TEST(AcquisitionWithSimulator, SilentInstrumentLeadsToTheReconnectQuestion)
{
    HeadlessRig rig(simulator(SimFault::Silent, 3), 100);
    int questions = 0;
    rig.host.onReconnect = [&](LinkProblem problem, const std::string& port) {
        ++questions;
        EXPECT_EQ(problem, LinkProblem::Silent);
        EXPECT_EQ(port, "sim");
        rig.loop.quit();
        return false;
    };
    rig.controller.start();
    EXPECT_TRUE(rig.loop.run(std::chrono::seconds(20)));
    EXPECT_EQ(questions, 1);
    EXPECT_EQ(rig.stored, 1);
    EXPECT_EQ(rig.doc.acqState, AcqState::Stopped);
}

TEST(AcquisitionWithSimulator, ReconnectAfterADroppedConnection)
{
    HeadlessRig rig(simulator(SimFault::Drop, 5), 100);
    int questions = 0;
    rig.host.onReconnect = [&](LinkProblem, const std::string&) { return ++questions == 1; };
    rig.host.onCountdown = [] { return true; };
    rig.controller.start();
    ASSERT_TRUE(rig.runUntil([&](int) { return rig.stored == 4; }));
    EXPECT_EQ(questions, 1);
    EXPECT_EQ(rig.doc.acqState, AcqState::Running);
}

TEST(AcquisitionWithSimulator, OverlongReplyIsDroppedAndTheRequestRepeated)
{
    // The first data reply carries three bytes too many: it is no reply, the line is drained and the
    // request repeated, without a reconnect.
    HeadlessRig rig(simulator(SimFault::Overlong, 2, 1000));
    int questions = 0;
    rig.host.onReconnect = [&](LinkProblem, const std::string&) { return ++questions == 1; };
    rig.host.onCountdown = [] { return true; };
    rig.controller.start();
    ASSERT_TRUE(rig.runUntil([&](int) { return rig.stored == 3; }));
    EXPECT_EQ(questions, 0);
}
