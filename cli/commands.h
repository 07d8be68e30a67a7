#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

// A command of varnel-cli: it takes the arguments after its name, writes its result to `out` and, on
// bad input, one line to `err`; it returns the exit code. A new command is one cmd_<name>.cpp file
// and one line in kCliCommands.
using CliArgs = std::vector<std::string>;
using CliCommandFn = int (*)(const CliArgs& args, std::ostream& out, std::ostream& err);

struct CliCommand {
    std::string_view name;
    std::string_view summary;
    CliCommandFn run;
};

int runInfo(const CliArgs& args, std::ostream& out, std::ostream& err);
int runExport(const CliArgs& args, std::ostream& out, std::ostream& err);
int runSections(const CliArgs& args, std::ostream& out, std::ostream& err);
int runTable(const CliArgs& args, std::ostream& out, std::ostream& err);
int runMeasure(const CliArgs& args, std::ostream& out, std::ostream& err);
int runRender(const CliArgs& args, std::ostream& out, std::ostream& err);
int runReport(const CliArgs& args, std::ostream& out, std::ostream& err);
int runEvents(const CliArgs& args, std::ostream& out, std::ostream& err);
int runCalibrate(const CliArgs& args, std::ostream& out, std::ostream& err);
int runWatch(const CliArgs& args, std::ostream& out, std::ostream& err);
int runPorts(const CliArgs& args, std::ostream& out, std::ostream& err);
int runLocate(const CliArgs& args, std::ostream& out, std::ostream& err);
int runCompare(const CliArgs& args, std::ostream& out, std::ostream& err);

inline constexpr CliCommand kCliCommands[] = {
    {"info", "parameters and samples of a reflectogram file (.tdr) as JSON", runInfo},
    {"export", "samples of a reflectogram file (.tdr) with their distances as CSV", runExport},
    {"sections", "sections of a section file (.pie) as JSON", runSections},
    {"table", "entries of a KU table file (.tku) as JSON", runTable},
    {"measure", "acquisition on the instrument without a window, reflectograms as JSON lines", runMeasure},
    {"render", "a reflectogram file (.tdr) drawn as the library preview shows it, as PNG", runRender},
    {"report", "the printed report of a reflectogram file (.tdr), as a one-page PDF", runReport},
    {"events", "the reflections of a reflectogram file (.tdr) found automatically, as JSON", runEvents},
    {"watch", "unattended acquisition of one line, saving every change against the first reflectogram", runWatch},
    {"calibrate", "the KU of a cable of known length from its reflectogram file (.tdr), as JSON", runCalibrate},
    {"locate", "a fault seen from both ends of a line of known length, and the line's KU, as JSON", runLocate},
    {"compare", "what changed on a line against its baseline reflectogram (.tdr), as JSON", runCompare},
    {"ports", "the FTDI USB bridges that could be the instrument, as JSON", runPorts},
};
