#include "cli/acquisition_options.h"
#include "cli/acquisition_run.h"
#include "cli/cli_args.h"
#include "cli/cli_language.h"
#include "cli/commands.h"
#include "cli/json_output.h"

#include "device/port_choice.h"
#include "document/varnel_doc.h"

#include <ostream>

namespace {

constexpr std::string_view kUsage =
    "Usage: varnel-cli measure --port PORT [--range METRES] [--pulse NS] [--gain N] [--average I]\n"
    "                          [--lines 1|2|1,2] [--zoom Z] [--center METRES] [--split-pairs]\n"
    "                          [--two-screen] [--cycles N] [--save-line 1|2 --out FILE] [--trace]\n"
    "\n"
    "Runs acquisition on the instrument as \"Старт\" does, without a window, and prints one JSON\n"
    "object per stored reflectogram: cycle, l1 and l2 (the 500 samples of each line, 0..255),\n"
    "status1 and status2, and with --two-screen also o1 and o2 (the overview screen's samples).\n"
    "After N reflectograms (default 1) it stops; with --save-line it then saves that line as the\n"
    "save command does (the instrument's full 8000-sample record) to FILE and prints {\"saved\": FILE}.\n"
    "\n"
    "  --port PORT      a device path, \"auto\" (the one FTDI USB bridge attached, the default) or \"sim\"\n"
    "                   (the simulated instrument; \"sim:fast\" answers without the link's pace)\n"
    "  --range METRES   62.5, 125, 250, 500, 1000, ... 64000 nominal metres; also sets the pulse\n"
    "  --pulse NS       10, 20, 50, 100, 200, 500, 1000, 2000, 5000, 10000, 20000 or 50000\n"
    "  --gain N         0..255\n"
    "  --average I      0..7: 2 to this power shots are averaged\n"
    "  --lines L        the lines measured: 1, 2 or 1,2 (default 1)\n"
    "  --zoom Z         magnifier level, at most the range's largest\n"
    "  --center METRES  centre of the magnified window, nominal metres\n"
    "  --split-pairs    split-pair mode: send on one pair, receive on the other\n"
    "  --two-screen     as if the overview screen were shown\n"
    "  --trace          every request and reply in hex, with the local time, on standard error\n"
    "\n"
    "The settings file is neither read nor written; every setting not given is the program's default.\n"
    "When the instrument does not answer for 2 seconds, \"Нет связи с прибором VARNEL\" goes to\n"
    "standard error and the exit code is 1; a port this user may not open says what to do.\n";

struct MeasureOptions {
    std::string port = kAutoPort;
    bool twoScreen = false;
    bool trace = false;
    int cycles = 1;
    int saveLine = 0;
    std::string out;
};

// Applies the options to the document in the order the user would: range, pulse, gain, averaging,
// lines, split pairs, magnifier. Returns an empty string or what is wrong.
std::string configure(const ParsedArgs& a, CVarnelDoc& doc, MeasureOptions& o)
{
    if (std::string wrong = applyAcquisitionOptions(a, doc, o.port); !wrong.empty())
        return wrong;
    if (const std::string* v = optionValue(a, "--lines")) {
        if (*v != "1" && *v != "2" && *v != "1,2" && *v != "2,1")
            return badValue("--lines", *v, "1, 2 or 1,2", "1, 2 или 1,2");
        doc.traces[L1].shown = v->find('1') != std::string::npos;
        doc.traces[L2].shown = v->find('2') != std::string::npos;
    }
    if (a.flags.count("--split-pairs"))
        doc.toggleSplitPairs();
    o.twoScreen = a.flags.count("--two-screen") != 0;
    o.trace = a.flags.count("--trace") != 0;
    const std::string* save = optionValue(a, "--save-line");
    const std::string* out = optionValue(a, "--out");
    if (save && !parseIntIn(*save, 1, 2, o.saveLine))
        return badValue("--save-line", *save, "1 or 2", "1 или 2");
    if (save && !out)
        return cliText("--save-line needs --out FILE", "с --save-line нужен --out FILE");
    if (out && !save)
        return cliText("--out needs --save-line 1|2", "с --out нужен --save-line 1|2");
    if (out) {
        if (const std::string problem = outputPathProblem(*out); !problem.empty())
            return problem;
        o.out = *out;
    }
    if (const std::string* v = optionValue(a, "--cycles"); v && !parseIntIn(*v, o.saveLine ? 0 : 1, 1 << 30, o.cycles))
        return o.saveLine ? badValue("--cycles", *v, "0 or more", "0 и больше")
                          : badValue("--cycles", *v, "1 or more", "1 и больше");
    return {};
}

// Prints every reflectogram the controller stores and decides when the run is over.
class CMeasureRun : public CAcquisitionRun {
public:
    CMeasureRun(CVarnelDoc& doc, const MeasureOptions& o, std::ostream& out, std::ostream& err)
        : CAcquisitionRun(doc, "measure", err), options(o), out(out)
    {
        host.overviewShown = o.twoScreen;
        host.savePathAnswer = o.out;
        host.onSaved = [this](const std::string& path) {
            nlohmann::ordered_json j;
            j["saved"] = path;
            writeJson(this->out, j);
            this->out.flush();
            finish(kExitOk);
        };
    }

    int run()
    {
        if (!begin(options.port, options.trace ? &err : nullptr))
            return exitCode;
        if (options.saveLine != 0 && !doc.traces[options.saveLine == 2 ? L2 : L1].active)
            return failWith(err, "measure: line " + std::to_string(options.saveLine) + " is not measured",
                            "measure: линия " + std::to_string(options.saveLine) + " не измеряется", kExitUsage);
        if (options.cycles == 0)
            loop.post([this] { controller.saveChannel(options.saveLine); });
        return runLoop();
    }

    void onDocumentUpdate(CDocView*, UpdateHint hint) override
    {
        if (hint != kHintNewSamples || over() || printed >= options.cycles)
            return;
        nlohmann::ordered_json j;
        j["cycle"] = printed;
        j["l1"] = doc.traces[L1].samples;
        j["l2"] = doc.traces[L2].samples;
        j["status1"] = doc.traces[L1].status;
        j["status2"] = doc.traces[L2].status;
        if (options.twoScreen) {
            j["o1"] = doc.traces[L1].overviewSamples;
            j["o2"] = doc.traces[L2].overviewSamples;
        }
        writeJson(out, j);
        out.flush();
        if (++printed < options.cycles)
            return;
        if (options.saveLine != 0)
            loop.post([this] { controller.saveChannel(options.saveLine); });
        else
            finish(kExitOk);
    }

private:
    const MeasureOptions& options;
    std::ostream& out;
    int printed = 0;
};

} // namespace

int runMeasure(const CliArgs& args, std::ostream& out, std::ostream& err)
{
    ParsedArgs parsed;
    int exitCode = kExitOk;
    const ArgRules rules{{"--port", "--range", "--pulse", "--gain", "--average", "--lines", "--zoom", "--center",
                          "--cycles", "--save-line", "--out"},
                         {"--split-pairs", "--two-screen", "--trace"},
                         0};
    if (!startCommand("measure", kUsage, args, rules, out, err, parsed, exitCode))
        return exitCode;

    CVarnelDoc doc;
    MeasureOptions options;
    if (const std::string wrong = configure(parsed, doc, options); !wrong.empty())
        return failWith(err, "measure: " + wrong + cliText(" (see ", " (см. ") + "varnel-cli measure --help)",
                        kExitUsage);
    CMeasureRun run(doc, options, out, err);
    return run.run();
}
