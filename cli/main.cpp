#include "cli/cli_args.h"
#include "cli/cli_language.h"
#include "cli/commands.h"
#include "resources/version.h"

#include <iostream>
#include <string>

namespace {

void printUsage(std::ostream& out)
{
    out << "Usage: varnel-cli COMMAND FILE [OPTIONS]\n"
           "       varnel-cli COMMAND --help\n"
           "\n"
           "Reads the files of the reflectometer program and prints what they hold.\n"
           "\n"
           "Commands:\n";
    for (const CliCommand& c : kCliCommands)
        out << "  " << c.name << std::string(c.name.size() < 10 ? 10 - c.name.size() : 1, ' ') << c.summary << '\n';
    out << "\n"
           "Output is UTF-8 on standard output. On bad input one line naming the file and the problem\n"
           "goes to standard error and the exit code is 1 (2 for a wrong command line).\n"
           "\n"
           "--lang ru|en, anywhere on the line, chooses the language of the problems' wording and of the\n"
           "drawn report; without it a Russian locale gives Russian problems, and the report is Russian for\n"
           "a Russian locale or none (C, POSIX), English otherwise.\n";
}

} // namespace

int main(int argc, char** argv)
{
    CliArgs all(argv + 1, argv + argc);
    if (std::string error; !takeCliLanguage(all, error))
        return failWith(std::cerr, error + cliText(" (see varnel-cli --help)", " (см. varnel-cli --help)"), kExitUsage);
    if (all.empty())
        return failWith(std::cerr, "no command given (see varnel-cli --help)",
                        "не указана команда (см. varnel-cli --help)", kExitUsage);
    const std::string& first = all[0];
    if (first == "--help" || first == "-h" || first == "help") {
        printUsage(std::cout);
        return kExitOk;
    }
    if (first == "--version") {
        std::cout << "varnel-cli " << kVarnelVersion << "\n";
        return kExitOk;
    }
    for (const CliCommand& c : kCliCommands)
        if (c.name == first)
            return c.run(CliArgs(all.begin() + 1, all.end()), std::cout, std::cerr);
    return failWith(std::cerr, "unknown command \"" + first + "\" (see varnel-cli --help)",
                    "неизвестная команда \"" + first + "\" (см. varnel-cli --help)", kExitUsage);
}
