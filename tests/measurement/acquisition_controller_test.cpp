#include "device/com_thread.h"
#include "support/fake_transport.h"
#include "device/protocol_vuz.h"
#include "document/doc_view.h"
#include "support/temp_dir.h"
#include "document/update_hint.h"
#include "document/varnel_doc.h"
#include "files/reflectogram_file.h"
#include "measurement/acquisition_controller.h"
#include "measurement/acquisition_parameters.h"
#include "measurement/fake_host.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// The worker as the form sees it before it runs: commands are queued but never executed, so the
// test plays the worker by delivering notifications itself. Starting opens the device and ending
// closes it, as the real worker does on its own thread.
class CIdleWorker : public CComThread {
public:
    CIdleWorker(std::unique_ptr<CTransport> t, bool canCreate)
        : CComThread(std::move(t), std::make_unique<CProtocolVUZ>()), canCreate(canCreate)
    {
    }
    bool createThread() override
    {
        if (canCreate)
            openDevice();
        return canCreate;
    }
    FtStatus endThread() override { return closeDevice(); }

private:
    bool canCreate;
};

class CHintRecorder : public CDocView {
public:
    void onDocumentUpdate(CDocView* sender, UpdateHint hint) override { hints.push_back({sender, hint}); }
    std::vector<std::pair<CDocView*, int>> hints;
};

struct Fixture {
    explicit Fixture(bool canCreate = true, FtStatus openStatus = ft::kOk) : controller(doc, host, &form)
    {
        doc.addView(&form);
        doc.addView(&other);
        auto t = std::make_unique<CFakeTransport>();
        fake = t.get();
        fake->setOpenStatus(openStatus);
        auto w = std::make_unique<CIdleWorker>(std::move(t), canCreate);
        worker = w.get();
        controller.onInitialUpdate(std::move(w), nullptr);
    }
    std::vector<std::uint8_t> queued() const { return worker->queue().snapshot(); }
    // The parameters the queued command carries.
    AcquisitionParams sent() const
    {
        DeviceCommand head;
        EXPECT_TRUE(worker->queue().peekHead(head));
        return head.params;
    }
    bool watchdogRunning() const
    {
        return controller.watchdogTimerId() != 0 && host.running.count(controller.watchdogTimerId()) == 1;
    }
    // The worker's answer to the command now outstanding.
    void notify(int code, std::function<void(DeviceNotification&)> fill = {})
    {
        DeviceNotification n;
        n.code = code;
        n.cycle = controller.currentCycle();
        if (fill)
            fill(n);
        controller.onDeviceNotify(n);
    }

    CVarnelDoc doc;
    CFakeHost host;
    CHintRecorder form;
    CHintRecorder other;
    CAcquisitionController controller;
    CFakeTransport* fake = nullptr;
    CIdleWorker* worker = nullptr;
};

std::array<std::uint8_t, kLineSamples> filled(std::uint8_t value)
{
    std::array<std::uint8_t, kLineSamples> a;
    a.fill(value);
    return a;
}

// The calls of a worker's start: the open and the bridge's configuration.
const std::vector<std::string> kOpened = {"open", "baud 115200", "data 8 0 0", "timeouts 10 10", "configure 1"};

void showLines(CVarnelDoc& doc, bool l1, bool l2)
{
    doc.traces[L1].shown = l1;
    doc.traces[L2].shown = l2;
}

} // namespace

// The packet's rules are tested on their own (acquisition_parameters_test.cpp): the controller sends
// the packet the document gives now and watches for its answer.
TEST(AcquisitionController, ApplyParametersSendsTheDocumentsPacket)
{
    Fixture f;
    showLines(f.doc, true, true);
    f.doc.selectRange(4);
    f.doc.zoom = 1;
    f.doc.zoomCenter = 300;
    f.controller.applyParameters();
    EXPECT_TRUE(f.sent() == parametersFor(f.doc, RecordMode::Normal, 1));
    EXPECT_EQ(f.sent().dataLength, 1002);
    EXPECT_TRUE(f.controller.sentParams() == f.sent());
    EXPECT_EQ(f.queued(), std::vector<std::uint8_t>{CProtocolVUZ::kWindowParams});
    EXPECT_TRUE(f.watchdogRunning());
}

TEST(AcquisitionController, StartNeedsASelectedLine)
{
    Fixture f;
    showLines(f.doc, false, true);
    f.doc.traces[L2].available = false;
    f.controller.start();
    EXPECT_EQ(f.host.reports, std::vector<std::string>{"no line selected"});
    EXPECT_EQ(f.doc.acqState, AcqState::Stopped);
    EXPECT_TRUE(f.queued().empty());
    EXPECT_TRUE(f.host.timerRequests.empty());
}

TEST(AcquisitionController, StartAndStop)
{
    Fixture f;
    showLines(f.doc, true, true);
    f.controller.start();
    EXPECT_EQ(f.queued(), std::vector<std::uint8_t>{CProtocolVUZ::kStart});
    EXPECT_EQ(f.host.timerRequests, (std::vector<std::pair<int, int>>{{1, 2000}}));
    EXPECT_TRUE(f.watchdogRunning());
    EXPECT_EQ(f.doc.acqState, AcqState::Running);
    EXPECT_TRUE(f.doc.traces[L1].active);
    EXPECT_TRUE(f.doc.traces[L2].active);

    f.controller.stop();
    EXPECT_TRUE(f.queued().empty());
    EXPECT_TRUE(f.host.running.empty());
    EXPECT_EQ(f.controller.watchdogTimerId(), 0);
    EXPECT_EQ(f.doc.acqState, AcqState::Stopped);
    EXPECT_FALSE(f.doc.traces[L1].active);
    EXPECT_FALSE(f.doc.traces[L2].active);
}

TEST(AcquisitionController, NotificationsDriveTheCycle)
{
    struct Case {
        int code;
        bool twoScreen;
        int zoom;
        std::vector<std::uint8_t> next;
        bool stored;
    };
    const std::vector<Case> cases = {
        {1, false, 0, {CProtocolVUZ::kWindowData}, false},
        {2, false, 0, {CProtocolVUZ::kFullRangeData}, false},
        {3, false, 0, {CProtocolVUZ::kWindowData}, false},
        {4, false, 0, {CProtocolVUZ::kFullRangeData}, false},
        {5, false, 0, {CProtocolVUZ::kWindowParams}, true},
        {5, true, 0, {CProtocolVUZ::kWindowParams}, true},
        {5, true, 2, {CProtocolVUZ::kFullRangeParams}, false},
        {6, true, 2, {CProtocolVUZ::kWindowParams}, true},
        {7, false, 0, {CProtocolVUZ::kWindowParams}, false},
        {9, false, 0, {CProtocolVUZ::kStart}, false},   // unknown: the start stays queued
    };
    for (const Case& c : cases) {
        Fixture f;
        f.host.overviewShown = c.twoScreen;
        f.doc.selectRange(4);
        f.doc.zoom = c.zoom;
        f.controller.start();
        const int watchdog = f.controller.watchdogTimerId();
        f.notify(c.code);
        EXPECT_EQ(f.host.running.count(watchdog), 0u) << c.code;   // every answer stops the watchdog
        EXPECT_EQ(f.queued(), c.next) << c.code;
        EXPECT_EQ(f.watchdogRunning(), c.code != 9) << c.code;
        const bool stored = !f.form.hints.empty() && f.form.hints.back().second == kHintNewSamples;
        EXPECT_EQ(stored, c.stored) << c.code;
    }
}

TEST(AcquisitionController, StoredTracesFollowTheOverviewRules)
{
    struct Case {
        bool twoScreen;
        int zoom;
        int overview1;   // expected first overview samples (0: untouched)
        int overview2;
    };
    for (const Case& c : std::vector<Case>{{false, 0, 0, 0}, {true, 0, 11, 22}, {true, 1, 33, 44}}) {
        Fixture f;
        f.host.overviewShown = c.twoScreen;
        f.doc.zoom = c.zoom;
        f.controller.start();
        f.notify(7);
        f.notify(1);
        f.notify(5, [](DeviceNotification& n) {
            n.line1 = filled(11);
            n.line2 = filled(22);
            n.status = std::array<std::uint16_t, 2>{7, 9};
        });
        if (c.twoScreen && c.zoom != 0) {
            f.notify(2);
            f.notify(6, [](DeviceNotification& n) {
                n.line1 = filled(33);
                n.line2 = filled(44);
            });
        }
        EXPECT_EQ(f.doc.traces[L1].samples[499], 11);
        EXPECT_EQ(f.doc.traces[L2].samples[0], 22);
        EXPECT_EQ(f.doc.traces[L1].overviewSamples[0], c.overview1);
        EXPECT_EQ(f.doc.traces[L2].overviewSamples[0], c.overview2);
        EXPECT_EQ(f.doc.traces[L1].status, 7);
        EXPECT_EQ(f.doc.traces[L2].status, 9);
        ASSERT_EQ(f.other.hints.size(), 1u);
        EXPECT_EQ(f.other.hints[0], (std::pair<CDocView*, int>{nullptr, kHintNewSamples}));

        // A line that was not received keeps its last reply.
        f.notify(1);
        f.notify(5, [](DeviceNotification& n) { n.line2 = filled(55); });
        if (c.twoScreen && c.zoom != 0) {
            f.notify(2);
            f.notify(6, [](DeviceNotification& n) { n.line2 = filled(66); });
        }
        EXPECT_EQ(f.doc.traces[L1].samples[0], 11);
        EXPECT_EQ(f.doc.traces[L2].samples[0], 55);
    }
}

TEST(AcquisitionController, DocumentUpdatesRestartARunningAcquisition)
{
    struct Case {
        bool running;
        UpdateHint hint;
        std::vector<std::uint8_t> queued;
    };
    const std::vector<Case> cases = {
        {true, kHintAcqParams, {CProtocolVUZ::kWindowParams}},
        {true, kHintLines, {CProtocolVUZ::kWindowParams}},
        {true, kHintRedraw, {CProtocolVUZ::kWindowData}},
        {false, kHintLines, {}},
        {false, kHintAcqParams, {CProtocolVUZ::kWindowData}},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.doc.acqState = c.running ? AcqState::Running : AcqState::Stopped;
        f.controller.sendCommand(CProtocolVUZ::kWindowData);
        f.controller.onDocumentUpdate(c.hint);
        EXPECT_EQ(f.queued(), c.queued) << c.running << " " << c.hint;
    }

    CVarnelDoc doc;
    CFakeHost host;
    CAcquisitionController early(doc, host);   // before the initial update, updates are ignored
    doc.acqState = AcqState::Running;
    early.onDocumentUpdate(kHintAcqParams);
    EXPECT_TRUE(host.timerRequests.empty());
}

TEST(AcquisitionController, WithoutAWorkerThread)
{
    Fixture f(false);
    EXPECT_EQ(f.host.reports, std::vector<std::string>{"thread failed"});
    EXPECT_EQ(f.controller.device(), nullptr);
    f.controller.start();
    EXPECT_EQ(f.doc.acqState, AcqState::Running);
    EXPECT_TRUE(f.doc.traces[L1].active);
    EXPECT_TRUE(f.host.timerRequests.empty());
    f.controller.onTimer(1);
    f.notify(5);
    EXPECT_TRUE(f.host.questions.empty());
}

TEST(AcquisitionController, OnlyTheWatchdogTimerStartsTheReconnect)
{
    Fixture f;
    f.controller.start();
    EXPECT_FALSE(f.controller.onTimer(f.controller.watchdogTimerId() + 100));
    EXPECT_TRUE(f.host.questions.empty());
    f.notify(7);
    const int stale = f.host.lastTimer - 1;
    EXPECT_FALSE(f.controller.onTimer(stale));
    EXPECT_TRUE(f.host.questions.empty());
}

TEST(AcquisitionController, ReconnectCancelledStopsAcquisition)
{
    Fixture f;
    f.controller.start();
    f.host.answers = {false};
    EXPECT_TRUE(f.controller.onTimer(f.controller.watchdogTimerId()));
    ASSERT_EQ(f.host.questions.size(), 1u);
    EXPECT_EQ(f.host.questions[0], (std::pair<LinkProblem, std::string>{LinkProblem::Silent, "fake"}));
    EXPECT_EQ(f.doc.acqState, AcqState::Stopped);
    EXPECT_FALSE(f.doc.traces[L1].active);
    EXPECT_TRUE(f.queued().empty());
    EXPECT_EQ(f.host.countdowns, 0);
    EXPECT_EQ(f.fake->calls(), kOpened);   // the device is not touched
}

TEST(AcquisitionController, ReconnectAfterTheCountdownStartsAgain)
{
    Fixture f;
    f.controller.start();
    f.notify(7);   // running: window packet queued
    f.fake->queueCloseStatus(ft::kDeviceNotOpened);   // the first close fails: asked again
    f.fake->queueCloseStatus(ft::kInvalidHandle);     // an invalid handle counts as closed
    f.host.answers = {true, true};
    EXPECT_TRUE(f.controller.onTimer(f.controller.watchdogTimerId()));
    EXPECT_EQ(f.host.questions.size(), 2u);
    EXPECT_EQ(f.host.countdowns, 1);
    std::vector<std::string> calls = kOpened;
    calls.insert(calls.end(), {"close", "close"});   // the worker ended, then asked again with none running
    calls.insert(calls.end(), kOpened.begin(), kOpened.end());   // a fresh worker opens the port
    EXPECT_EQ(f.fake->calls(), calls);
    EXPECT_EQ(f.doc.acqState, AcqState::Running);
    EXPECT_EQ(f.queued(), std::vector<std::uint8_t>{CProtocolVUZ::kStart});
    EXPECT_TRUE(f.watchdogRunning());
}

TEST(AcquisitionController, CountdownCancelledReopensAndStops)
{
    Fixture f;
    f.controller.start();
    f.host.answers = {true};
    f.host.countdownRunsOut = false;
    EXPECT_TRUE(f.controller.onTimer(f.controller.watchdogTimerId()));
    EXPECT_EQ(f.fake->calls().size(), 11u);   // open, close, then the reopen, each open with its configuration
    EXPECT_EQ(f.fake->calls()[5], "close");
    EXPECT_EQ(f.fake->calls()[6], "open");
    EXPECT_EQ(f.doc.acqState, AcqState::Stopped);
    EXPECT_TRUE(f.queued().empty());
    EXPECT_TRUE(f.host.running.empty());
}

TEST(AcquisitionController, LateNotificationWhileAskingDoesNotStartASecondWatchdog)
{
    Fixture f;
    f.controller.start();
    f.host.answers = {false};
    const std::uint32_t asked = f.controller.currentCycle();
    f.host.whileAsking = [&] {
        DeviceNotification late;
        late.code = 7;
        late.cycle = asked;
        f.controller.onDeviceNotify(late);
    };
    f.controller.onTimer(f.controller.watchdogTimerId());
    EXPECT_TRUE(f.host.running.empty());
    EXPECT_TRUE(f.queued().empty());
    EXPECT_EQ(f.doc.acqState, AcqState::Stopped);
}

TEST(AcquisitionController, SavingALineEndToEnd)
{
    TempDir dir;
    Fixture f;
    showLines(f.doc, true, true);
    f.doc.selectRange(4);
    f.doc.pulse = 100;
    f.doc.vfactor = 2.01;
    f.doc.capture = true;
    f.controller.setSavePath(dir.file(""));
    f.controller.start();
    f.notify(7);
    f.notify(1);
    f.notify(5, [](DeviceNotification& n) { n.status = std::array<std::uint16_t, 2>{3, 5}; });   // both lines' statuses

    f.host.savePathAnswer = dir.file("line2.tdr");
    f.controller.saveChannel(2);
    EXPECT_FALSE(f.doc.capture);
    EXPECT_EQ(f.host.dialogStarts, std::vector<std::string>{dir.file("")});
    EXPECT_EQ(f.controller.recordMode(), RecordMode::Long);
    EXPECT_EQ(f.host.waitCursor, 1);
    const AcquisitionParams p = f.sent();
    EXPECT_EQ(p.mode, RecordMode::Long);
    EXPECT_EQ(p.sendLines, 2);
    EXPECT_EQ(p.receiveLines, 2);
    EXPECT_EQ(p.dataLength, 8002);

    f.notify(1);
    EXPECT_EQ(f.queued(), std::vector<std::uint8_t>{CProtocolVUZ::kWindowData});
    std::array<std::uint8_t, kRawSamples> record{};
    for (int i = 0; i < 8000; ++i)
        record[i] = static_cast<std::uint8_t>(i * 7);
    f.form.hints.clear();
    f.notify(8, [&](DeviceNotification& n) {
        n.longRecord.assign(record.begin(), record.end());
        n.status = std::array<std::uint16_t, 2>{99, 98};   // a long record's statuses do not reach the file
    });

    ReflectogramRecord saved;
    ASSERT_TRUE(decodeReflectogram(readText(dir.file("line2.tdr")), saved));
    EXPECT_EQ(readText(dir.file("line2.tdr")).size(), 8512u);
    EXPECT_EQ(saved.scaleIndex, 4);
    EXPECT_EQ(saved.pulseIndex, 3);
    EXPECT_EQ(saved.status, 5);
    EXPECT_EQ(saved.kuThousandths, 2009);
    EXPECT_EQ(saved.samples, record);

    EXPECT_EQ(f.host.waitCursor, 0);
    EXPECT_EQ(f.host.reports, std::vector<std::string>{"saved " + dir.file("line2.tdr")});
    EXPECT_TRUE(f.form.hints.empty());   // the form sent the update: the others hear it
    EXPECT_EQ(f.other.hints.back(), (std::pair<CDocView*, int>{&f.form, kHintSaved}));
    EXPECT_EQ(f.controller.recordMode(), RecordMode::Normal);
    EXPECT_EQ(f.sent().mode, RecordMode::Normal);
    EXPECT_EQ(f.queued(), std::vector<std::uint8_t>{CProtocolVUZ::kWindowParams});
}

TEST(AcquisitionController, CancelledSaveDialogResumesTheNormalCycle)
{
    Fixture f;
    f.controller.start();
    f.notify(7);
    f.notify(1);
    f.controller.saveChannel(1);
    EXPECT_EQ(f.controller.recordMode(), RecordMode::Normal);
    EXPECT_EQ(f.host.waitCursor, 0);
    EXPECT_EQ(f.sent().mode, RecordMode::Normal);
    EXPECT_EQ(f.queued(), std::vector<std::uint8_t>{CProtocolVUZ::kWindowParams});
}

TEST(AcquisitionController, FailedSaveReportsTheFileAndResumes)
{
    TempDir dir;
    std::filesystem::create_directory(dir.path() / "taken.tdr");   // a folder where the file should go
    writeText((dir.path() / "taken.tdr" / "inside").string(), "kept");
    for (const std::string& target : {dir.file("no/such/folder/x.tdr"), dir.file("taken.tdr")}) {
        Fixture f;
        f.controller.start();
        f.notify(7);
        f.host.savePathAnswer = target;
        f.controller.saveChannel(1);
        f.notify(1);
        f.notify(8, [](DeviceNotification& n) { n.longRecord.assign(8000, 0x33); });
        ASSERT_EQ(f.host.reports.size(), 1u) << target;
        EXPECT_EQ(f.host.reports[0].rfind("save failed " + target + ": ", 0), 0u) << f.host.reports[0];
        EXPECT_EQ(f.host.waitCursor, 0);
        EXPECT_TRUE(f.other.hints.empty() || f.other.hints.back().second != kHintSaved);
        EXPECT_EQ(f.controller.recordMode(), RecordMode::Normal);
        EXPECT_EQ(f.queued(), std::vector<std::uint8_t>{CProtocolVUZ::kWindowParams});
    }
    EXPECT_EQ(readText((dir.path() / "taken.tdr" / "inside").string()), "kept");
}

TEST(AcquisitionController, StopKeepsAPendingLongRecordRequest)
{
    TempDir dir;
    Fixture f;
    f.controller.start();
    f.host.savePathAnswer = dir.file("later.tdr");
    f.controller.saveChannel(1);
    EXPECT_EQ(f.host.waitCursor, 1);
    f.controller.stop();
    EXPECT_EQ(f.controller.recordMode(), RecordMode::Long);
    EXPECT_EQ(f.host.waitCursor, 0);
    f.controller.start();
    EXPECT_EQ(f.host.waitCursor, 1);
    f.notify(7);
    EXPECT_EQ(f.sent().mode, RecordMode::Long);
    EXPECT_EQ(f.sent().dataLength, 8002);
}

TEST(AcquisitionController, SaveAskedBeforeTheStartIsAcknowledgedSendsTheStartFirst)
{
    TempDir dir;
    Fixture f;
    f.controller.start();
    f.host.savePathAnswer = dir.file("first.tdr");
    f.controller.saveChannel(1);
    EXPECT_EQ(f.queued(), std::vector<std::uint8_t>{CProtocolVUZ::kStart});
    f.notify(7);
    EXPECT_EQ(f.queued(), std::vector<std::uint8_t>{CProtocolVUZ::kWindowParams});
    EXPECT_EQ(f.sent().mode, RecordMode::Long);
}

// Only the answer to the command now outstanding is taken: late answers (after "Стоп", after a restart
// replaced the command, or a second answer of one cycle) change nothing at all.
TEST(AcquisitionController, LateAnswersChangeNothing)
{
    struct Case {
        const char* what;
        std::function<void(Fixture&)> between;   // runs after the answer's command was sent
        std::vector<std::uint8_t> queued;        // what is queued afterwards, untouched by the answer
        bool watchdog;
    };
    const std::vector<Case> cases = {
        {"after stop", [](Fixture& f) { f.controller.stop(); }, {}, false},
        {"after a restart by a document update",
         [](Fixture& f) { f.controller.onDocumentUpdate(kHintAcqParams); }, {CProtocolVUZ::kWindowParams}, true},
        {"a second answer of the same cycle", [](Fixture& f) { f.notify(5); }, {CProtocolVUZ::kWindowParams}, true},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.controller.start();
        f.notify(7);
        f.notify(1);   // the window data request is outstanding
        const std::uint32_t cycle = f.controller.currentCycle();
        c.between(f);
        const auto hintsBefore = f.other.hints.size();
        const auto timersBefore = f.host.timerRequests.size();
        const int watchdog = f.controller.watchdogTimerId();
        DeviceNotification late;
        late.code = 5;
        late.cycle = cycle;
        late.line1 = filled(77);
        f.controller.onDeviceNotify(late);
        EXPECT_EQ(f.queued(), c.queued) << c.what;
        EXPECT_EQ(f.watchdogRunning(), c.watchdog) << c.what;
        EXPECT_EQ(f.controller.watchdogTimerId(), watchdog) << c.what;
        EXPECT_EQ(f.host.timerRequests.size(), timersBefore) << c.what;
        EXPECT_EQ(f.other.hints.size(), hintsBefore) << c.what;
        EXPECT_NE(f.doc.traces[L1].samples[0], 77) << c.what;
        EXPECT_TRUE(f.host.questions.empty()) << c.what;
    }
}

TEST(AcquisitionController, UnusablePortIsReportedAtOnceWithItsProblem)
{
    const std::pair<FtStatus, LinkProblem> cases[] = {{ft::kPortBusy, LinkProblem::PortBusy},
                                                      {ft::kAccessDenied, LinkProblem::AccessDenied}};
    for (const auto& [status, problem] : cases) {
        Fixture f(true, status);
        f.controller.start();
        ASSERT_EQ(f.host.timerRequests.size(), 1u);
        EXPECT_EQ(f.host.timerRequests[0].second, 0) << status;   // no two seconds of silence to wait for
        f.host.answers = {false};
        EXPECT_TRUE(f.controller.onTimer(f.controller.watchdogTimerId()));
        ASSERT_EQ(f.host.questions.size(), 1u);
        EXPECT_EQ(f.host.questions[0], (std::pair<LinkProblem, std::string>{problem, "fake"}));
        EXPECT_EQ(f.doc.acqState, AcqState::Stopped);
    }
}
