#include "soak/soak_run.h"

#include "device/sim_instrument.h"
#include "files/reflectogram_file.h"
#include "device/com_thread.h"
#include "measurement/device_chain.h"

#include <cstdio>
#include <filesystem>
#include <iterator>
#include <ostream>

namespace {

constexpr int kFaultKinds = static_cast<int>(std::size(kScheduledFaults));

std::string row(long seconds, int cycles, int reconnects, int saves, const ProcessUsage& usage)
{
    char text[96];
    std::snprintf(text, sizeof text, "%7ld %8d %11d %6d %9ld %4d", seconds, cycles, reconnects, saves,
                  usage.residentKiB, usage.openFiles);
    return text;
}

} // namespace

CSoakRun::CSoakRun(const SoakOptions& options, std::ostream& log)
    : options(options), log(log), host(loop), controller(doc, host, this),
      sink(loop, [this](const DeviceNotification& n) { controller.onDeviceNotify(n); })
{
    host.attach(controller);
    controller.setWatchdogPeriod(options.watchdogMs);
    doc.selectRange(4);
    doc.traces[L1].shown = true;
    doc.traces[L2].shown = true;
    doc.addView(this);

    // Every question is answered as a user at the instrument would: try again, at once.
    host.onReconnect = [this](LinkProblem, const std::string&) {
        ++report.reconnects;
        awaitingRecovery = true;
        return true;
    };
    host.onCountdown = [] { return true; };
    host.onSaved = [this](const std::string& path) { checkSaved(path); };
    host.onMessage = [this](const std::string& caption, const std::string& text) {
        report.problems.push_back(caption + ": " + text);
    };
}

CSoakRun::~CSoakRun()
{
    controller.onDestroy();
    doc.removeView(this);
}

std::string CSoakRun::portName() const
{
    return "sim:seed=7,schedule=" + std::to_string(options.faultEvery.count()) + (options.paced ? "" : ",fast");
}

long CSoakRun::elapsedMs() const
{
    return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - started).count());
}

SoakReport CSoakRun::run()
{
    report.atStart = processUsage();
    log << "soak: " << options.duration.count() / 1000.0 << " s on " << portName() << ", a save every "
        << options.saveEvery.count() / 1000.0 << " s, a fault every " << options.faultEvery.count() / 1000.0
        << " s (silent, dropped link, garbage, overlong, \"?\" in turn)\n"
        << "   t(s)   cycles  reconnects  saves  rss(KiB)  fds\n"
        << row(0, 0, 0, 0, report.atStart) << '\n';

    started = Clock::now();
    lastSamples = started;
    controller.onInitialUpdate(makeDeviceWorker(portName()), &sink);
    controller.start();
    loop.startTimer(static_cast<int>(options.saveEvery.count()), [this](int) { requestSave(); });
    loop.startTimer(static_cast<int>(options.reportEvery.count()), [this](int) { printRow(); });
    loop.startTimer(static_cast<int>(options.duration.count()), [this](int) { finish(); });
    loop.run();
    judge();
    return report;
}

void CSoakRun::onDocumentUpdate(CDocView*, UpdateHint hint)
{
    if (hint != kHintNewSamples)
        return;
    const auto now = Clock::now();
    const long gap = static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(now - lastSamples).count());
    report.longestGapMs = std::max(report.longestGapMs, gap);
    lastSamples = now;
    ++report.cycles;
    if (awaitingRecovery) {
        awaitingRecovery = false;
        ++report.recovered;
    }
}

void CSoakRun::requestSave()
{
    // The last save must have time to arrive before the end.
    if (elapsedMs() + options.saveEvery.count() / 3 > options.duration.count())
        return;
    ++report.savesAsked;
    char name[32];
    std::snprintf(name, sizeof name, "soak-%02d-line%d.tdr", report.savesAsked, nextLine);
    host.savePathAnswer = (std::filesystem::path(options.saveDir) / name).string();
    controller.saveChannel(nextLine);
    nextLine = nextLine == 1 ? 2 : 1;
}

void CSoakRun::checkSaved(const std::string& path)
{
    ReflectogramRecord record;
    LocalTime written;
    std::error_code ec;
    const Status read = readReflectogramFile(path, record, written);
    if (!read)
        report.problems.push_back("saved file unreadable: " + read.reason());
    else if (std::filesystem::file_size(path, ec) != kReflectogramFileBytes || record.scale() != doc.scale)
        report.problems.push_back("saved file " + path + " is not the reflectogram asked for");
    else
        ++report.savesValid;
}

void CSoakRun::printRow()
{
    const ProcessUsage now = processUsage();
    // The first row after the first save is the reference: every path of the program has run once.
    if (!warmTaken && report.savesValid > 0) {
        report.warm = now;
        warmTaken = true;
    }
    log << row(elapsedMs() / 1000, report.cycles, report.reconnects, report.savesValid, now) << '\n' << std::flush;
}

void CSoakRun::finish()
{
    report.atEnd = processUsage();
    if (!warmTaken)
        report.warm = report.atEnd;
    // The program's shutdown order: stop acquisition, then end the worker (the settings are written last).
    if (const CComThread* worker = controller.device())
        report.messagesWaiting = worker->pendingMessages();
    const auto shutdownBegins = Clock::now();
    controller.stop();
    controller.onDestroy();
    report.shutdownMs =
        static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - shutdownBegins).count());
    loop.quit();
}

void CSoakRun::judge()
{
    const long end = elapsedMs();
    // A fault due later than the watchdog and a little more before the end may still be under way.
    const long settled = end - options.watchdogMs - 3000;
    for (long k = 1; k * options.faultEvery.count() <= end; ++k) {
        // A "?" reply and an overlong reply are dropped and the request repeated; the others cut the link.
        const SimFault fault = kScheduledFaults[(k - 1) % kFaultKinds];
        const bool cutsLink = fault != SimFault::Question && fault != SimFault::Overlong;
        ++report.faultsScheduled;
        report.linkFaultsScheduled += cutsLink;
        report.linkFaultsDue += cutsLink && k * options.faultEvery.count() <= settled;
    }
    auto problem = [this](const std::string& text) { report.problems.push_back(text); };
    if (report.reconnects < report.linkFaultsDue || report.reconnects > report.linkFaultsScheduled)
        problem(std::to_string(report.reconnects) + " reconnects for " + std::to_string(report.linkFaultsDue) +
                " faults that cut the link");
    if (report.recovered < report.linkFaultsDue)
        problem("acquisition resumed after only " + std::to_string(report.recovered) + " of " +
                std::to_string(report.reconnects) + " reconnects");
    if (report.savesValid != report.savesAsked)
        problem(std::to_string(report.savesValid) + " of " + std::to_string(report.savesAsked) + " saves are valid files");
    if (report.atEnd.openFiles != report.warm.openFiles)
        problem("open descriptors went from " + std::to_string(report.warm.openFiles) + " to " +
                std::to_string(report.atEnd.openFiles));
    if (report.atEnd.residentKiB - report.warm.residentKiB > options.memoryGrowthKiB)
        problem("resident memory grew from " + std::to_string(report.warm.residentKiB) + " KiB to " +
                std::to_string(report.atEnd.residentKiB) + " KiB");
    if (report.cycles == 0)
        problem("no reflectogram arrived");
    if (report.shutdownMs > options.shutdownLimitMs)
        problem("the end took " + std::to_string(report.shutdownMs) + " ms (at most " +
                std::to_string(options.shutdownLimitMs) + " ms)");
}
