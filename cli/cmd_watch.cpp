// "watch" keeps measuring one line unattended and records every change against the first reflectogram,
// for a laptop left at a cabinet: the fault watch of the analysis core on the program's device chain.
#include "cli/acquisition_options.h"
#include "cli/acquisition_run.h"
#include "cli/cli_args.h"
#include "cli/cli_language.h"
#include "cli/commands.h"
#include "cli/json_output.h"

#include "device/port_choice.h"
#include "document/varnel_doc.h"
#include "files/number_text.h"
#include "measurement/acquisition_texts.h"
#include "measurement/analysis/fault_watch.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <ostream>
#include <thread>

namespace {

constexpr std::string_view kUsage =
    "Usage: varnel-cli watch --port PORT --line 1|2 --threshold N [--samples K] --dir DIR\n"
    "                        [--duration SECONDS] [--range METRES] [--pulse NS] [--gain N]\n"
    "                        [--average I] [--zoom Z] [--center METRES]\n"
    "\n"
    "Watches a line for a fault that comes and goes: acquires it without end and compares every new\n"
    "reflectogram with the first one. When more than K consecutive samples (default 3) differ from it\n"
    "by more than N counts, the reflectogram is saved in DIR as a timestamped .tdr file and a line is\n"
    "added to DIR/watch.csv (time, sample, distance in metres, difference, file); one JSON object per\n"
    "change goes to standard output. A change is reported once however long it lasts. The run ends\n"
    "after SECONDS, or on Ctrl-C or SIGTERM, with a summary {\"frames\", \"changes\", \"saved\"}.\n"
    "A silent instrument is reconnected by itself every few seconds; a busy port ends the run.\n"
    "\n"
    "  --port, --range, --pulse, --gain, --average, --zoom, --center  as for \"measure\"\n";

constexpr int kCountdownSeconds = 5;
std::atomic<bool> stopRequested{false};

extern "C" void requestStop(int) { stopRequested = true; }

struct WatchOptions {
    std::string port = kAutoPort;
    int line = 1;
    WatchSettings settings;
    std::string dir;
    int durationS = 0;   // 0: until stopped
};

std::string configure(const ParsedArgs& a, CVarnelDoc& doc, WatchOptions& o)
{
    if (std::string wrong = applyAcquisitionOptions(a, doc, o.port); !wrong.empty())
        return wrong;
    const std::string* line = optionValue(a, "--line");
    if (!line || !parseIntIn(*line, 1, 2, o.line))
        return line ? badValue("--line", *line, "1 or 2", "1 или 2")
                    : cliText("--line 1|2 is needed", "нужен --line 1|2");
    const std::string* threshold = optionValue(a, "--threshold");
    if (!threshold || !parseIntIn(*threshold, 1, 255, o.settings.threshold))
        return threshold ? badValue("--threshold", *threshold, "1..255 counts", "1..255")
                         : cliText("--threshold N is needed", "нужен --threshold N");
    if (const std::string* v = optionValue(a, "--samples"); v && !parseIntIn(*v, 0, kWindowSamples - 1, o.settings.samples))
        return badValue("--samples", *v, "0..499", "0..499");
    const std::string* dir = optionValue(a, "--dir");
    if (!dir)
        return cliText("--dir DIR is needed", "нужен --dir DIR");
    std::error_code ec;
    if (!std::filesystem::is_directory(*dir, ec))
        return "--dir " + *dir + cliText(": not a folder", ": не папка");
    o.dir = *dir;
    if (const std::string* v = optionValue(a, "--duration"); v && !parseIntIn(*v, 1, 1 << 30, o.durationS))
        return badValue("--duration", *v, "1 or more seconds", "1 с и больше");
    doc.traces[L1].shown = o.line == 1;
    doc.traces[L2].shown = o.line == 2;
    return {};
}

// Runs acquisition, feeds every reflectogram of the line to the watch and reports its changes.
class CWatchRun : public CAcquisitionRun {
public:
    CWatchRun(CVarnelDoc& doc, const WatchOptions& o, std::ostream& out, std::ostream& err)
        : CAcquisitionRun(doc, "watch", err), options(o), out(out), watch(o.settings, o.dir)
    {
        endsWhenPortFails = false;   // an instrument not plugged in yet is waited for
        // Unattended: a silent instrument is reconnected by itself; a busy port still ends the run.
        host.onReconnect = [this](LinkProblem problem, const std::string& port) {
            if (problem == LinkProblem::PortBusy || problem == LinkProblem::AccessDenied) {
                fail(portFailure(problem, port, ft::kOk));
                return false;
            }
            this->err << "varnel-cli: " << acqtext::kReconnectCaption
                      << cliText(": reconnecting in ", ": повторное подключение через ") << kCountdownSeconds
                      << cliText(" s\n", " с\n");
            return !stopRequested;
        };
        host.onCountdown = [] {
            for (int i = 0; i < kCountdownSeconds * 10 && !stopRequested; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            return !stopRequested;
        };
    }

    int run()
    {
        if (!begin(options.port))
            return exitCode;
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(options.durationS);
        loop.startTimer(100, [this, end](int) {
            if (stopRequested || (options.durationS > 0 && std::chrono::steady_clock::now() >= end))
                finish(kExitOk);
        });
        const int code = runLoop();
        nlohmann::ordered_json summary;
        summary["frames"] = watch.frames();
        summary["changes"] = watch.changes();
        summary["saved"] = watch.saved();
        writeJson(out, summary);
        return code;
    }

    void onDocumentUpdate(CDocView*, UpdateHint hint) override
    {
        if (hint != kHintNewSamples || over())
            return;
        const WatchFrame frame = liveWatchFrame(doc, options.line == 2 ? L2 : L1, std::chrono::system_clock::now());
        const WatchStep step = watch.feed(frame, documentDistances(doc));
        if (!step.change)
            return;
        nlohmann::ordered_json j;
        j["time"] = watchLogLine(*step.change, "").substr(0, 23);
        j["sample"] = step.change->sample;
        j["distance_m"] = std::stod(numtext::fixed(step.change->distance, 2));
        j["difference"] = step.change->difference;
        j["file"] = step.file;
        if (!step.saved)
            j["error"] = step.saved.reason();
        writeJson(out, j);
        out.flush();
    }

private:
    const WatchOptions& options;
    std::ostream& out;
    CFaultWatch watch;
};

} // namespace

int runWatch(const CliArgs& args, std::ostream& out, std::ostream& err)
{
    ParsedArgs parsed;
    int exitCode = kExitOk;
    ArgRules rules{{std::begin(kAcquisitionOptions), std::end(kAcquisitionOptions)}, {}, 0};
    for (const char* name : {"--line", "--threshold", "--samples", "--dir", "--duration"})
        rules.valueOptions.push_back(name);
    if (!startCommand("watch", kUsage, args, rules, out, err, parsed, exitCode))
        return exitCode;

    CVarnelDoc doc;
    WatchOptions options;
    if (const std::string wrong = configure(parsed, doc, options); !wrong.empty())
        return failWith(err, "watch: " + wrong + cliText(" (see ", " (см. ") + "varnel-cli watch --help)", kExitUsage);
    stopRequested = false;
    std::signal(SIGINT, requestStop);
    std::signal(SIGTERM, requestStop);
    CWatchRun run(doc, options, out, err);
    const int code = run.run();
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    return code;
}
