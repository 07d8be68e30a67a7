#include "support/cli_runner.h"
#include "device/serial_transport.h"
#include "support/temp_dir.h"
#include "files/reflectogram_file.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <pty.h>
#include <sstream>
#include <unistd.h>

namespace {

CliRun measure(const TempDir& dir, std::vector<std::string> args)
{
    args.insert(args.begin(), "measure");
    return runCli(dir, args);
}

std::vector<nlohmann::json> lines(const std::string& out)
{
    std::vector<nlohmann::json> all;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);)
        all.push_back(nlohmann::json::parse(line));
    return all;
}

} // namespace

TEST(MeasureCommand, OneObjectPerStoredReflectogram)
{
    TempDir dir;
    const CliRun run = measure(dir, {"--port", "sim:fast", "--range", "1000", "--lines", "1,2", "--cycles", "3"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const auto objects = lines(run.out);
    ASSERT_EQ(objects.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        const auto& j = objects[i];
        EXPECT_EQ(j["cycle"], i);
        ASSERT_EQ(j["l1"].size(), 500u);
        ASSERT_EQ(j["l2"].size(), 500u);
        EXPECT_FALSE(j.contains("o1"));
        EXPECT_EQ(j["status1"], 3);
        EXPECT_EQ(j["status2"], 5);
        for (const auto& v : j["l1"])
            EXPECT_TRUE(v.is_number_unsigned() && v.get<int>() <= 255);
        EXPECT_NE(j["l1"], j["l2"]);
    }
}

TEST(MeasureCommand, TwoScreenAddsTheOverview)
{
    TempDir dir;
    const CliRun run =
        measure(dir, {"--port", "sim:fast", "--range", "2000", "--zoom", "9", "--center", "800", "--two-screen"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto objects = lines(run.out);
    ASSERT_EQ(objects.size(), 1u);
    ASSERT_EQ(objects[0]["o1"].size(), 500u);
    EXPECT_NE(objects[0]["o1"], objects[0]["l1"]);   // zoom clamped to 4: a window, not the range
    EXPECT_EQ(objects[0]["o2"].size(), 500u);
}

TEST(MeasureCommand, SavesALineAsTheSaveCommandDoes)
{
    TempDir dir;
    const std::string file = dir.file("line2.tdr");
    const CliRun run = measure(dir, {"--port", "sim:fast", "--range", "500", "--pulse", "50", "--lines", "1,2",
                                     "--save-line", "2", "--out", file, "--cycles", "2"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto objects = lines(run.out);
    ASSERT_EQ(objects.size(), 3u);
    EXPECT_EQ(objects[2], nlohmann::json({{"saved", file}}));
    ReflectogramRecord r;
    ASSERT_TRUE(decodeReflectogram(readText(file), r));
    EXPECT_EQ(r.scaleIndex, 3);
    EXPECT_EQ(r.pulseIndex, 2);
    EXPECT_EQ(r.status, objects[1]["status2"]);
}

TEST(MeasureCommand, RefusesBadArguments)
{
    TempDir dir;
    const std::vector<std::vector<std::string>> cases = {
        {"--port", "sim:nonsense"},
        {"--port", "sim", "--range", "100"},
        {"--port", "sim", "--pulse", "30"},
        {"--port", "sim", "--gain", "256"},
        {"--port", "sim", "--average", "8"},
        {"--port", "sim", "--lines", "3"},
        {"--port", "sim", "--zoom", "-1"},
        {"--port", "sim", "--center", "x"},
        {"--port", "sim", "--cycles", "0"},
        {"--port", "sim", "--save-line", "1"},
        {"--port", "sim", "--out", "x.tdr"},
        {"--port", "sim", "--lines", "1", "--save-line", "2", "--out", "x.tdr"},
        {"--port", "sim", "--frobnicate"},
        {"--port", "sim", "extra"},
    };
    for (const auto& args : cases) {
        const CliRun run = measure(dir, args);
        const std::string what = args.back();
        EXPECT_NE(run.exitCode, 0) << what;
        EXPECT_EQ(run.out, "") << what;
        ASSERT_FALSE(run.err.empty()) << what;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << what << ": " << run.err;
    }
}

TEST(MeasureCommand, FailedSaveIsReported)
{
    TempDir dir;
    const std::string file = dir.file("missing/x.tdr");
    const CliRun run = measure(dir, {"--port", "sim:fast", "--save-line", "1", "--out", file});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.err.find(file), std::string::npos) << run.err;
    EXPECT_EQ(run.out.find("saved"), std::string::npos);
}

TEST(MeasureCommand, SilentInstrumentEndsWithoutHanging)
{
    TempDir dir;
    const CliRun run = measure(dir, {"--port", "sim:fast,silent,after=3", "--cycles", "5"});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_EQ(lines(run.out).size(), 1u);
    EXPECT_NE(run.err.find("Нет связи с прибором VARNEL"), std::string::npos) << run.err;
}

TEST(MeasureCommand, DataRepliesBeginningLikeAQuestionReply)
{
    // At this gain every data reply of the simulated instrument has "?" as its second byte.
    TempDir dir;
    const CliRun run = measure(dir, {"--port", "sim", "--split-pairs", "--lines", "2", "--range", "4000", "--pulse",
                                     "200", "--average", "7", "--gain", "96", "--cycles", "5"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto objects = lines(run.out);
    ASSERT_EQ(objects.size(), 5u);
    EXPECT_EQ(objects[4]["l2"][1], 0x3F);
}

TEST(MeasureCommand, SavesWithoutDisplayCycles)
{
    TempDir dir;
    const std::string file = dir.file("at_once.tdr");
    const CliRun run = measure(dir, {"--port", "sim:fast", "--save-line", "1", "--out", file, "--cycles", "0"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(lines(run.out), std::vector<nlohmann::json>{nlohmann::json({{"saved", file}})});
    EXPECT_EQ(readText(file).size(), kReflectogramFileBytes);
}

TEST(MeasureCommand, PortHeldByAnotherProgramIsReportedAtOnce)
{
    int master = -1, slave = -1;
    char name[256] = {};
    ASSERT_EQ(::openpty(&master, &slave, name, nullptr, nullptr), 0);
    CSerialTransport holder(name);
    ASSERT_EQ(holder.open(), ft::kOk);

    TempDir dir;
    const CliRun run = measure(dir, {"--port", name, "--cycles", "1"});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(std::string("port ") + name + " is busy"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    holder.close();
    ::close(master);
    ::close(slave);
}

// The trace goes to standard error only: the start, the parameter packet and the data request of a
// cycle with their replies, each line stamped; standard output keeps its one JSON object per cycle.
TEST(MeasureCommand, TraceShowsEveryRequestAndReplyOnStandardError)
{
    TempDir dir;
    const CliRun run = measure(dir, {"--port", "sim:fast", "--cycles", "1", "--trace"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(lines(run.out).size(), 1u);
    for (const char* event : {" open sim: ok\n", " > 41 03 01\n", " < 3A 4F 4B 01 00\n", " > 44 10 59 ", " > 5A 02\n"})
        EXPECT_NE(run.err.find(event), std::string::npos) << event << " in\n" << run.err;
    std::istringstream in(run.err);
    for (std::string line; std::getline(in, line);)
        EXPECT_TRUE(line.size() > 16 && (line[2] == ':' || line.find_first_not_of(' ') == 18)) << line;
}
