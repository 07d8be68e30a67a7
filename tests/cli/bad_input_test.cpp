#include "support/cli_runner.h"
#include "support/temp_dir.h"
#include "document/text_codec.h"
#include "files/reflectogram_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;

// Every file under `root` with its content, but for the runner's captures of the output streams.
std::map<std::string, std::string> snapshot(const fs::path& root)
{
    std::map<std::string, std::string> files;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(root, fs::directory_options::skip_permission_denied, ec);
         it != fs::recursive_directory_iterator(); it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name == "stdout" || name == "stderr")
            continue;
        files[it->path().string()] = it->is_regular_file(ec) ? readText(it->path().string()) : "<folder>";
    }
    return files;
}

// The bad inputs of every kind, made once in a folder of their own.
class BadInput : public ::testing::Test {
protected:
    void SetUp() override
    {
        ReflectogramRecord r;
        r.scaleIndex = 4;
        writeText(tdr, encodeReflectogram(r));
        writeText(pie, "[PIECE]\r\nAMOUNT=1\r\n[SITE1]\r\nLENGTH1=100000\r\n");
        writeText(tku, codec::utf8ToUtf16le("Кабель\r\n1.52\r\n"));
        fs::create_directory(folder);
        writeText(out, "old");
        ::mkfifo(fifo.c_str(), 0644);
        writeText(readOnly, "shared");
        ::chmod(readOnly.c_str(), 0444);   // no write bit for anyone: refused also to root
        // Root reads every file it may open; a write-only kernel setting is unreadable even to it.
        if (::geteuid() == 0) {
            unreadable = "/proc/sys/vm/compact_memory";
            lockedOut = "/proc/varnel-out";
        } else {
            writeText(unreadable, "x");
            ::chmod(unreadable.c_str(), 0);
            fs::create_directory(dir.file("locked"));
            ::chmod(dir.file("locked").c_str(), 0555);
        }
    }
    void TearDown() override { ::chmod(dir.file("locked").c_str(), 0755); }

    // Refused with one line on standard error that names `mentions`, nothing on standard output (but
    // for a summary of what was done, when `summary`), a non-zero exit, and not a file created or changed.
    void expectRefused(const Args& args, const std::string& mentions, bool summary = false)
    {
        std::string what;
        for (const std::string& a : args)
            what += a + " ";
        const auto before = snapshot(dir.path());
        const CliRun run = runCli(dir, args);
        EXPECT_NE(run.exitCode, 0) << what;
        if (!summary) {
            EXPECT_EQ(run.out, "") << what;
        }
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << what << ": " << run.err;
        EXPECT_EQ(run.err.rfind("varnel-cli: ", 0), 0u) << what << ": " << run.err;
        EXPECT_NE(run.err.find(mentions), std::string::npos) << what << ": " << run.err;
        EXPECT_EQ(snapshot(dir.path()), before) << what;
        EXPECT_FALSE(fs::exists("/proc/varnel-out")) << what;
    }

    TempDir dir;
    const std::string tdr = dir.file("line.tdr"), pie = dir.file("line.pie"), tku = dir.file("line.tku");
    const std::string folder = dir.file("folder"), out = dir.file("out.file"), missing = dir.file("missing.tdr");
    std::string unreadable = dir.file("unreadable.tdr");
    std::string lockedOut = dir.file("locked/out.file");
    const std::string fifo = dir.file("fifo.out"), readOnly = dir.file("shared.out");
};

TEST_F(BadInput, EveryFileCommandRefusesEveryKindOfBadFile)
{
    struct Command {
        std::string name;
        Args extra;           // what the command needs besides its file
        std::string good;     // a file of its kind
        std::string wrong;    // a file of another kind
        Args badNumber;       // an option with a number out of range; the message names the option
    };
    const std::vector<Command> commands = {
        {"info", {}, tdr, pie, {}},
        {"export", {}, tdr, pie, {"--ku", "-1.5"}},
        {"sections", {}, pie, tdr, {}},
        {"table", {}, tku, tdr, {}},
        {"table", {}, tku, pie, {}},
        {"render", {"-o", out}, tdr, tku, {"--size", "8x99999"}},
        {"report", {"-o", out}, tdr, pie, {"--cursor1", "-3"}},
        {"events", {}, tdr, tku, {"--threshold", "0"}},
        {"calibrate", {"--length", "100"}, tdr, pie, {"--length", "-1"}},
        {"locate", {tdr, "--length", "100"}, tdr, pie, {"--event-b", "-1"}},
        {"compare", {tdr}, tdr, pie, {"--threshold", "0"}},
    };
    for (const Command& c : commands) {
        auto with = [&](const std::string& file, Args more = {}) {
            Args args{c.name, file};
            args.insert(args.end(), c.extra.begin(), c.extra.end());
            args.insert(args.end(), more.begin(), more.end());
            return args;
        };
        expectRefused(with(missing), "missing.tdr");
        expectRefused(with(folder), "folder");
        expectRefused(with(unreadable), unreadable);
        expectRefused(with(c.wrong), c.wrong);
        expectRefused(with(c.good, {"--frobnicate"}), "--frobnicate");
        expectRefused({c.name}, "missing FILE");
        if (!c.badNumber.empty())
            expectRefused(with(c.good, c.badNumber), c.badNumber[0].substr(2));
    }
}

TEST_F(BadInput, OutputThatCannotBeWrittenIsRefusedBeforeAnyWork)
{
    for (const std::string command : {"render", "report"}) {
        expectRefused({command, tdr, "-o", dir.file("no/such/folder/out.file")}, "out.file");
        expectRefused({command, tdr, "-o", folder}, "folder");
        expectRefused({command, tdr, "-o", tdr + "/out.file"}, "out.file");   // a file taken for a folder
        expectRefused({command, tdr, "-o", lockedOut}, "out");
        expectRefused({command, tdr, "-o", "/dev/null"}, "device");
        expectRefused({command, tdr, "-o", fifo}, "pipe");
        expectRefused({command, tdr, "-o", readOnly}, "read-only");
    }
    for (const std::string& target : {dir.file("no/such/out.tdr"), folder, lockedOut, fifo, readOnly})
        expectRefused({"measure", "--port", "sim:fast", "--save-line", "1", "--out", target}, target);
}

TEST_F(BadInput, MeasureRefusesPortsAndSettingsItCannotUse)
{
    const std::vector<std::pair<Args, std::string>> cases = {
        {{"--port", dir.file("ttyNONE")}, "ttyNONE (no such device)"},
        {{"--port", folder}, "cannot be opened as a serial port"},
        {{"--port", tdr}, "line.tdr (cannot be opened as a serial port)"},
        {{"--port", unreadable}, "dialout"},
        {{"--port", "sim:frobnicate"}, "frobnicate"},
        {{"--port", "sim:fast", "--gain", "256"}, "--gain"},
        {{"--port", "sim:fast", "--range", "300"}, "--range"},
        {{"--port", "sim:fast", "--cycles", "0"}, "--cycles"},
        {{"--port", "sim:fast", "--frobnicate"}, "--frobnicate"},
        {{"--port", "sim:fast", "--out", out}, "--save-line"},
    };
    for (const auto& [args, mentions] : cases) {
        Args all{"measure"};
        all.insert(all.end(), args.begin(), args.end());
        expectRefused(all, mentions);
    }
}

TEST_F(BadInput, WatchRefusesWhatItCannotUse)
{
    const std::string folderArg = dir.path().string();
    const std::vector<std::pair<Args, std::string>> cases = {
        {{"--port", "sim:fast", "--line", "1", "--threshold", "5", "--dir", dir.file("nowhere")}, "nowhere"},
        {{"--port", "sim:fast", "--line", "1", "--threshold", "5", "--dir", tdr}, "line.tdr"},
        {{"--port", "sim:fast", "--line", "3", "--threshold", "5", "--dir", folderArg}, "--line"},
        {{"--port", "sim:fast", "--line", "1", "--threshold", "0", "--dir", folderArg}, "--threshold"},
        {{"--port", "sim:fast", "--line", "1", "--threshold", "5", "--dir", folderArg, "--frobnicate"}, "--frobnicate"},
        {{"--port", unreadable, "--line", "1", "--threshold", "5", "--dir", folderArg, "--duration", "5"}, "dialout"},
    };
    for (const auto& [args, mentions] : cases) {
        Args all{"watch"};
        all.insert(all.end(), args.begin(), args.end());
        expectRefused(all, mentions, true);   // a watch that ran at all sums up its frames
    }
}

} // namespace
