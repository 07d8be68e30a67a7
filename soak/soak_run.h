#pragma once

#include "document/doc_view.h"
#include "document/varnel_doc.h"
#include "measurement/acquisition_controller.h"
#include "measurement/event_loop.h"
#include "measurement/loop_host.h"
#include "measurement/loop_notify_sink.h"
#include "soak/process_usage.h"

#include <chrono>
#include <iosfwd>
#include <string>
#include <vector>

struct SoakOptions {
    std::chrono::milliseconds duration{std::chrono::minutes(10)};
    std::chrono::milliseconds saveEvery{std::chrono::seconds(30)};
    std::chrono::milliseconds faultEvery{std::chrono::seconds(14)};
    std::chrono::milliseconds reportEvery{std::chrono::seconds(30)};
    int watchdogMs = CAcquisitionController::kWatchdogMs;
    bool paced = true;              // the simulated link's 115200-baud pace
    std::string saveDir;            // where the saved reflectograms go (kept)
    long memoryGrowthKiB = 1024;    // the most resident memory may grow from the first report to the end
    long shutdownLimitMs = 500;     // the longest the end may take: stop, and the worker ended
};

struct SoakReport {
    int cycles = 0;
    int reconnects = 0;
    int recovered = 0;           // reconnects after which reflectograms came again
    int linkFaultsDue = 0;       // scheduled faults that cut the link (all but "?"), due in time to recover
    int linkFaultsScheduled = 0; // the same, due by the end at all
    int faultsScheduled = 0;
    int savesAsked = 0;
    int savesValid = 0;
    long longestGapMs = 0;       // the longest time without a new reflectogram
    long shutdownMs = 0;         // from the end of the run to the worker ended, as the program exits
    std::size_t messagesWaiting = 0;   // the worker's messages not yet taken at the end
    ProcessUsage atStart, warm, atEnd;
    std::vector<std::string> problems;   // empty: passed
};

// A long acquisition on the simulated instrument with faults on a schedule, built on the chain the
// program uses (makeDeviceWorker, CAcquisitionController, CLoopHost on a CEventLoop): every reconnect
// question is answered "OK", a line is saved every saveEvery (lines 1 and 2 in turn) and each saved
// file is read back. It prints a progress row every reportEvery and judges the run at the end: every
// fault recovered from, every save a valid file, memory and descriptors flat, and the end as quick as
// after a short run (stop and end the worker in the program's shutdown order within shutdownLimitMs).
class CSoakRun : public CDocView {
public:
    CSoakRun(const SoakOptions& options, std::ostream& log);
    ~CSoakRun() override;

    SoakReport run();
    // The port name of the simulated instrument with the fault schedule.
    std::string portName() const;

    void onDocumentUpdate(CDocView* sender, UpdateHint hint) override;

private:
    using Clock = std::chrono::steady_clock;

    void requestSave();
    void checkSaved(const std::string& path);
    void printRow();
    void finish();
    void judge();
    long elapsedMs() const;

    SoakOptions options;
    std::ostream& log;
    CVarnelDoc doc;
    CEventLoop loop;
    CLoopHost host;
    CAcquisitionController controller;
    CLoopNotifySink sink;
    SoakReport report;
    Clock::time_point started;
    Clock::time_point lastSamples;
    bool awaitingRecovery = false;
    bool warmTaken = false;
    int nextLine = 1;
};
