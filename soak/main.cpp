#include "soak/soak_run.h"

#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

// varnel-soak [--seconds N] [--save-every S] [--fault-every S] [--dir DIR]: `make soak` runs it with the
// defaults (ten minutes, a save every 30 s, a fault every 14 s) and fails unless the run passed.
int main(int argc, char** argv)
{
    SoakOptions options;
    std::string dir;
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : "";
        long number = 0;
        const bool numeric = std::from_chars(value, value + std::char_traits<char>::length(value), number).ec ==
                                 std::errc() && number > 0;
        if (name == "--dir" && *value) {
            dir = value;
        } else if (numeric && name == "--seconds") {
            options.duration = std::chrono::seconds(number);
        } else if (numeric && name == "--save-every") {
            options.saveEvery = std::chrono::seconds(number);
        } else if (numeric && name == "--fault-every") {
            options.faultEvery = std::chrono::seconds(number);
        } else {
            std::cerr << "varnel-soak: bad argument " << name
                      << " (--seconds N, --save-every S, --fault-every S, --dir DIR)\n";
            return 2;
        }
        ++i;
    }
    const bool temporary = dir.empty();
    if (temporary) {
        std::string pattern = (std::filesystem::temp_directory_path() / "varnel-soak-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) {
            std::cerr << "varnel-soak: cannot create a temporary folder\n";
            return 1;
        }
        dir = pattern;
    }
    options.saveDir = dir;

    SoakReport r;
    {
        CSoakRun soak(options, std::cout);
        r = soak.run();
    }
    std::cout << "soak: cycles " << r.cycles << ", reconnects " << r.reconnects << " (faults that cut the link: "
              << r.linkFaultsScheduled << " scheduled, of all " << r.faultsScheduled << "), resumed after "
              << r.recovered << ", longest pause " << r.longestGapMs << " ms\n"
              << "soak: saves " << r.savesValid << " valid of " << r.savesAsked << " asked, in " << dir << "\n"
              << "soak: resident memory " << r.atStart.residentKiB << " KiB at start, " << r.warm.residentKiB
              << " KiB after the first save, " << r.atEnd.residentKiB << " KiB at the end\n"
              << "soak: open descriptors " << r.atStart.openFiles << " at start, " << r.warm.openFiles
              << " after the first save, " << r.atEnd.openFiles << " at the end\n"
              << "soak: shutdown " << r.shutdownMs << " ms (stop, worker ended), worker messages waiting "
              << r.messagesWaiting << "\n";
    for (const std::string& p : r.problems)
        std::cout << "soak: FAILED: " << p << '\n';
    if (r.problems.empty())
        std::cout << "soak: PASSED\n";
    if (temporary && r.problems.empty())
        std::filesystem::remove_all(dir);
    return r.problems.empty() ? 0 : 1;
}
