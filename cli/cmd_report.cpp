// "report" writes the printed report of a reflectogram file as a PDF. Like "render" it draws with Qt
// (GUI only, no widgets, no display); without the Qt build it reports that it is not available.
#include "cli/cli_args.h"
#include "cli/cli_language.h"
#include "cli/commands.h"

#include "document/trace.h"
#include "document/varnel_doc.h"
#include "files/number_text.h"
#include "files/library/memory_file.h"
#include "files/reflectogram_file.h"
#include "files/section_file.h"
#include "measurement/analysis/event_finder.h"
#include "measurement/analysis/event_table.h"
#include "measurement/reflectogram_report.h"

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#ifdef VARNEL_CLI_RENDER
#include "cli/offscreen_gui.h"
#include "display/main_screen_series.h"
#include "display/screen_state.h"
#include "measurement/channel_table.h"
#include "measurement/report/report_pdf.h"
#endif

namespace {

constexpr std::string_view kUsage =
    "Usage: varnel-cli report FILE.tdr -o REPORT.pdf [--ku K] [--speed] [--cursor1 M] [--cursor2 M]\n"
    "                         [--sections FILE.pie] [--events [--threshold N]]\n"
    "\n"
    "Writes the one-page measurement report of a reflectogram file as an A4 PDF, as the program prints\n"
    "it: the title and contact lines, a channel table with the file's row, the reflectogram over the\n"
    "file's whole range with the two cursors, and the readouts (KU, magnifier, resolution, start of the\n"
    "window, the cursors and the distance between them). No display is needed.\n"
    "\n"
    "  --ku K        measure with KU K (a positive number) instead of the file's\n"
    "  --speed       show the propagation factor as V/2 in m/us instead of KU\n"
    "  --cursor1 M   cursor 1 at M real metres from the start of the line (0 by default)\n"
    "  --cursor2 M   cursor 2 likewise\n"
    "  --sections FILE.pie  the scale grid of a section file on, as in the window: every distance is\n"
    "                section by section with the sections' own KU\n"
    "  --events      add the table of the reflections found in the file under the readouts, with the\n"
    "                columns of the window's event list; they are found as \"events\" finds them\n"
    "  --threshold N with --events: departures from the baseline of more than N noise deviations\n"
    "                (default 4), as for \"events\"\n";

// A number option that is present must be a number (and positive or not negative, as asked).
bool numberOption(const ParsedArgs& parsed, const std::string& name, bool positive, double& value,
                  std::string& error)
{
    const auto found = parsed.values.find(name);
    if (found == parsed.values.end())
        return true;
    if (!numtext::parseNumber(found->second, value) || (positive ? !(value > 0) : !(value >= 0))) {
        error = "report: " + cliText(name + " must be a " + (positive ? "positive" : "non-negative") +
                                         " number, not \"" + found->second + "\"",
                                     name + " должен быть " + (positive ? "положительным" : "неотрицательным") +
                                         " числом, а не \"" + found->second + "\"");
        return false;
    }
    return true;
}

// The memory's name, as the library names a file: without its ".tdr".
std::string memoryName(const std::string& path)
{
    std::string name = std::filesystem::path(path).filename().string();
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".tdr") == 0)
        name.resize(name.size() - 4);
    return name;
}

} // namespace

int runReport(const CliArgs& args, std::ostream& out, std::ostream& err)
{
    ParsedArgs parsed;
    int exitCode = kExitOk;
    if (!startCommand("report", kUsage, args,
                      {{"-o", "--ku", "--cursor1", "--cursor2", "--sections", "--threshold"}, {"--speed", "--events"}, 1},
                      out, err, parsed, exitCode))
        return exitCode;
    const auto output = parsed.values.find("-o");
    if (output == parsed.values.end() || output->second.empty())
        return failWith(err, "report needs an output file: -o REPORT.pdf",
                        "для report нужен выходной файл: -o REPORT.pdf", kExitUsage);

    ReflectogramReportOptions options;
    double ku = 0.0;
    std::string error;
    if (!numberOption(parsed, "--ku", true, ku, error) ||
        !numberOption(parsed, "--cursor1", false, options.cursor1, error) ||
        !numberOption(parsed, "--cursor2", false, options.cursor2, error))
        return failWith(err, error, kExitUsage);
    if (parsed.values.count("--ku"))
        options.ku = ku;
    const bool withEvents = parsed.flags.count("--events") > 0;
    EventFinderSettings finderSettings;
    if (auto t = parsed.values.find("--threshold"); t != parsed.values.end()) {
        if (!withEvents)
            return failWith(err, "report: --threshold needs --events", "report: --threshold только вместе с --events",
                            kExitUsage);
        if (!numtext::parseNumber(t->second, finderSettings.thresholdSigma) || !(finderSettings.thresholdSigma > 0))
            return failWith(err, "report: --threshold must be a positive number, not \"" + t->second + "\"",
                            "report: --threshold должен быть положительным числом, а не \"" + t->second + "\"",
                            kExitUsage);
    }
    options.speedMode = parsed.flags.count("--speed") > 0;
    if (const auto sections = parsed.values.find("--sections"); sections != parsed.values.end()) {
        SectionFileData data;
        if (Status s = readSectionFile(sections->second, data); !s)
            return failWith(err, cliReason(s), kExitBadFile);
        options.sections = documentSections(data);
        if (options.sections.empty())
            return failWith(err, sections->second + ": the file has no sections",
                            sections->second + ": в файле нет участков", kExitBadFile);
    }

    const std::string& path = parsed.positional[0];
    Trace file;
    if (Status s = readReflectogram(path, file); !s)
        return failWith(err, cliReason(s), kExitBadFile);
    CVarnelDoc doc;
    if (Status s = showReflectogramForReport(doc, file, memoryName(path), options); !s)
        return failWith(err, path + ": " + cliReason(s), kExitBadFile);
    if (const std::string problem = outputPathProblem(output->second); !problem.empty())
        return failWith(err, problem, kExitBadFile);

#ifdef VARNEL_CLI_RENDER
    const auto app = startOffscreenGui();
    CScreenState screen;
    main_screen::configure(screen, doc);
    main_screen::rebuild(screen, doc);
    const ChannelTable table = buildChannelTable(doc);
    // The events of the memory as the window's list finds them: its samples and grid, the document's distances.
    std::vector<EventRow> events;
    if (withEvents)
        events = eventRows(CEventFinder(finderSettings).find(doc.traces[P1].raw, memoryGrid(doc.traces[P1]),
                                                             documentDistances(doc)));
    if (Status s = writeReportPdf(output->second, doc, table, screen, withEvents ? &events : nullptr); !s)
        return failWith(err, cliReason(s), kExitBadFile);
    return kExitOk;
#else
    return failWith(err, "report is not available: this varnel-cli was built without Qt",
                    "команда report недоступна: эта varnel-cli собрана без Qt", kExitBadFile);
#endif
}
