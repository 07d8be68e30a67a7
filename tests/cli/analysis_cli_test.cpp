#include "support/cli_runner.h"
#include "support/pdf_text.h"
#include "support/temp_dir.h"
#include "support/synthetic_reflectogram.h"
#include "support/synthetic_pairs.h"

#include "files/number_text.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <sstream>

namespace {

void expectRefused(const CliRun& run, int exitCode, const std::string& mentions, const std::string& what)
{
    EXPECT_EQ(run.exitCode, exitCode) << what;
    EXPECT_EQ(run.out, "") << what;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << what << ": " << run.err;
    EXPECT_NE(run.err.find(mentions), std::string::npos) << what << ": " << run.err;
}

// The 1000 m range (sample k at k x 12.5 cm): a joint, a wet splice, and the end at `end` counts.
std::string writeLine(const TempDir& dir, const std::string& name, double end)
{
    SyntheticScene s;
    s.scaleIndex = 4;
    s.noiseSigma = 1.0;
    s.echoes = {{1600, 20}, {3200, -25}, {6000, end}};
    const std::string path = dir.file(name);
    writeText(path, encodeReflectogram(renderScene(s)));
    return path;
}

TEST(AnalysisCli, EventsPrintsTheReflectionsInOrderOfDistance)
{
    TempDir dir;
    const std::string path = writeLine(dir, "line.tdr", 80);
    writeText(dir.file("line.pie"), "[PIECE]\nAMOUNT=2\n[SITE1]\nLENGTH1=100000\nVFACTOR1=2000\n"
                                    "[SITE2]\nLENGTH2=900000\nVFACTOR2=1500\n");
    struct Case { std::vector<std::string> options; double metresPerSample; double offset; };
    const Case cases[] = {
        {{}, 0.125, 0},                                      // the file's KU 1.5
        {{"--ku", "2"}, 0.125 * 1.5 / 2, 0},
        {{"--sections", dir.file("line.pie")}, 0.125, -25},  // 100 nominal m at KU 2 read 75 m
    };
    for (const Case& c : cases) {
        std::vector<std::string> args{"events", path};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const CliRun run = runCli(dir, args);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const auto list = nlohmann::ordered_json::parse(run.out);
        ASSERT_EQ(list.size(), 3u) << run.out;
        const char* polarity[] = {"+", "-", "+"};
        const int samples[] = {1600, 3200, 6000};
        for (std::size_t i = 0; i < 3; ++i) {
            const auto& e = list[i];
            std::vector<std::string> keys;
            for (const auto& item : e.items())
                keys.push_back(item.key());
            EXPECT_EQ(keys, (std::vector<std::string>{"sample", "distance_m", "polarity", "amplitude",
                                                      "return_loss_db", "end", "multiple"}));
            EXPECT_NEAR(e["sample"].get<int>(), samples[i], 1);
            EXPECT_NEAR(e["distance_m"].get<double>(), e["sample"].get<int>() * c.metresPerSample + c.offset, 0.006);
            EXPECT_EQ(e["polarity"], polarity[i]);
            EXPECT_EQ(e["end"], i == 2);
            EXPECT_TRUE(e["multiple"].is_null());
            EXPECT_GT(e["return_loss_db"].get<double>(), 0);
        }
        EXPECT_NEAR(list[2]["amplitude"].get<double>(), 80, 1);
    }
}

// "report --events" prints under the readouts the rows "events" finds with the same options, in the
// columns of the window's list; without it the page has no event table.
TEST(AnalysisCli, ReportPrintsTheEventTableWhenAsked)
{
#ifndef VARNEL_CLI_RENDER
    GTEST_SKIP() << "this varnel-cli was built without Qt";
#endif
    TempDir dir;
    SyntheticScene shorted;
    shorted.scaleIndex = 4;
    shorted.noiseSigma = 1.0;
    shorted.echoes = {{2000, -60}};
    shorted.sourceReflection = -0.6;   // the short comes back at 2 and 3 times its distance
    writeText(dir.file("shorted.tdr"), encodeReflectogram(renderScene(shorted)));
    const std::string line = writeLine(dir, "line.tdr", 80);
    struct Case {
        std::string file;
        std::vector<std::string> options;
        bool table;
    };
    const Case cases[] = {
        {line, {"--events"}, true},
        {dir.file("shorted.tdr"), {"--events", "--ku", "2", "--threshold", "5"}, true},
        {line, {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file + (c.table ? " with the table" : ""));
        std::vector<std::string> findArgs{"events", c.file};
        for (std::size_t i = 1; i + 1 < c.options.size(); i += 2)
            findArgs.insert(findArgs.end(), {c.options[i], c.options[i + 1]});
        const CliRun found = runCli(dir, findArgs);
        ASSERT_EQ(found.exitCode, 0) << found.err;
        const auto list = nlohmann::ordered_json::parse(found.out);
        ASSERT_GE(list.size(), 1u);

        std::vector<std::string> args{"report", c.file, "-o", dir.file("report.pdf")};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const CliRun run = runCli(dir, args);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const std::string text = pdfText(dir.file("report.pdf"), true);
        ASSERT_FALSE(text.empty()) << "pdftotext (poppler-utils) is needed to read the report";
        EXPECT_EQ(text.find("Обратные потери Повтор") != std::string::npos, c.table) << text;
        if (!c.table)
            continue;
        for (std::size_t i = 0; i < list.size(); ++i) {
            const auto& e = list[i];
            char distance[32];
            std::snprintf(distance, sizeof distance, "%.2f м", e["distance_m"].get<double>());
            const std::string type = e["end"].get<bool>()         ? "Конец линии"
                                     : e["polarity"] == "+" ? "Положительное"
                                                            : "Отрицательное";
            const std::string row = std::to_string(i + 1) + " " + distance + " " + type;
            EXPECT_NE(text.find(row), std::string::npos) << row << " in " << text;
            if (!e["multiple"].is_null())
                EXPECT_NE(text.find("×" + std::to_string(e["multiple"].get<int>())), std::string::npos) << i;
        }
    }
}

TEST(AnalysisCli, CalibrateFindsKuFromTheEndOrTheCursor)
{
    TempDir dir;
    const std::string path = writeLine(dir, "line.tdr", 80);
    CliRun run = runCli(dir, {"calibrate", path, "--length", "600"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    auto j = nlohmann::ordered_json::parse(run.out);
    const int end = j["end_sample"].get<int>();
    EXPECT_NEAR(end, 6000, 1);
    EXPECT_DOUBLE_EQ(j["ku"].get<double>(), end * 0.125 * 1.5 / 600);
    EXPECT_DOUBLE_EQ(j["v2"].get<double>(), 150 / j["ku"].get<double>());

    run = runCli(dir, {"calibrate", path, "--length=500", "--cursor", "600"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(nlohmann::ordered_json::parse(run.out),
              nlohmann::ordered_json::parse(R"({"ku":1.8,"v2":83.33333333333333,"end_sample":4800})"));
}

TEST(AnalysisCli, BadInputIsRefusedWithOneLine)
{
    TempDir dir;
    const std::string line = writeLine(dir, "line.tdr", 80);
    const std::string shorted = writeLine(dir, "shorted.tdr", -90);
    writeText(dir.file("short.tdr"), "too short");
    expectRefused(runCli(dir, {"calibrate", line, "--length", "0"}), 1, "length must be above 0", "zero length");
    expectRefused(runCli(dir, {"calibrate", line, "--length", "-5"}), 1, "length must be above 0", "negative");
    expectRefused(runCli(dir, {"calibrate", line, "--length", "100"}), 1, "is outside 1..3", "KU too large");
    expectRefused(runCli(dir, {"calibrate", line, "--length", "2000"}), 1, "is outside 1..3", "KU too small");
    expectRefused(runCli(dir, {"calibrate", shorted, "--length", "600"}), 1, "no end of the line", "shorted end");
    expectRefused(runCli(dir, {"calibrate", line}), 2, "--length is required", "no length");
    expectRefused(runCli(dir, {"calibrate", line, "--length", "abc"}), 2, "abc", "length not a number");
    expectRefused(runCli(dir, {"calibrate", line, "--length", "600", "--cursor", "2000"}), 2, "outside the reflectogram",
                  "cursor beyond the record");
    expectRefused(runCli(dir, {"calibrate", dir.file("short.tdr"), "--length", "600"}), 1, "short.tdr", "bad file");
    expectRefused(runCli(dir, {"events", line, "--threshold", "0"}), 2, "--threshold", "zero threshold");
    expectRefused(runCli(dir, {"report", line, "-o", dir.file("r.pdf"), "--events", "--threshold", "0"}), 2,
                  "--threshold", "zero threshold of the report's events");
    expectRefused(runCli(dir, {"report", line, "-o", dir.file("r.pdf"), "--threshold", "5"}), 2, "--events",
                  "a threshold without the event table");
    expectRefused(runCli(dir, {"events", line, "--ku", "x"}), 2, "--ku", "bad KU");
    expectRefused(runCli(dir, {"events", line, "--sections", dir.file("none.pie")}), 1, "none.pie", "missing sections");
    expectRefused(runCli(dir, {"events", dir.file("short.tdr")}), 1, "short.tdr", "bad file");
}

// "locate" and "compare": the answer's keys on good input, the exit code and the reason on bad.
TEST(AnalysisCli, LocateAndCompareAnswerOrRefuse)
{
    TempDir dir;
    std::mt19937_64 rng(21);
    const TwoEndedScenes pair = twoEndedScenes(rng, 4, 2.0, Gain::Moderate);   // files claim KU 1.5
    const std::string a = dir.file("a.tdr"), b = dir.file("b.tdr");
    writeText(a, encodeReflectogram(renderScene(pair.fromA)));
    writeText(b, encodeReflectogram(renderScene(pair.fromB)));
    const SyntheticScene base = baselineScene(rng, 4, Gain::Moderate);
    const std::string baseline = dir.file("base.tdr"), changed = dir.file("new.tdr"), same = dir.file("same.tdr"),
                      otherRange = dir.file("range.tdr");
    writeText(baseline, encodeReflectogram(renderScene(base)));
    writeText(changed, encodeReflectogram(renderScene(laterTake(base, rng, 1.5, 1.05, LineChangeKind::Appeared, 7, 3).scene)));
    writeText(same, encodeReflectogram(renderScene(laterTake(base, rng, -2, 0.95, LineChangeKind::None, 0, 0).scene)));
    SyntheticScene wider = base;
    wider.scaleIndex = 5;
    writeText(otherRange, encodeReflectogram(renderScene(wider)));
    const std::string length = numtext::fixed(pair.length, 2);

    using Keys = std::vector<std::string>;
    const Keys located{"from_a_m", "from_b_m", "ku", "v2", "event_a", "event_b", "spread_m"};
    const Keys compared{"shift_samples", "gain", "changes"};
    struct Case { std::vector<std::string> args; int exitCode; Keys keys; std::string mentions; int changes; };
    const Case cases[] = {
        {{"locate", a, b, "--length", length}, 0, located, "", 0},
        {{"locate", a, b, "--length", length, "--cursor-a", "100", "--cursor-b", "200"}, 0, located, "", 0},
        {{"locate", a, b}, 2, {}, "--length is required", 0},
        {{"locate", a, b, "--length", "0"}, 1, {}, "length must be above 0", 0},
        {{"locate", a, b, "--length", length, "--event-a", "0"}, 2, {}, "--event-a", 0},
        {{"locate", a, b, "--length", length, "--event-b", "1", "--cursor-b", "5"}, 2, {}, "not both", 0},
        {{"locate", a, b, "--length", length, "--event-a", "7"}, 1, {}, "no event 7", 0},
        {{"locate", a, b, "--length", "10"}, 1, {}, "outside 1..3", 0},
        {{"locate", a}, 2, {}, "missing FILE", 0},
        {{"compare", changed, baseline}, 0, compared, "", 1},
        {{"compare", same, baseline, "--ku", "2"}, 0, compared, "", 0},
        {{"compare", changed, otherRange}, 1, {}, "different ranges", 0},
        {{"compare", changed, baseline, "--threshold", "-1"}, 2, {}, "--threshold", 0},
        {{"compare", changed, dir.file("none.tdr")}, 1, {}, "none.tdr", 0},
    };
    for (const Case& c : cases) {
        const CliRun run = runCli(dir, c.args);
        const std::string what = c.args[0] + " " + (c.args.size() > 3 ? c.args[3] : "");
        if (c.exitCode != 0) {
            expectRefused(run, c.exitCode, c.mentions, what);
            continue;
        }
        ASSERT_EQ(run.exitCode, 0) << what << ": " << run.err;
        const auto j = nlohmann::ordered_json::parse(run.out);
        Keys keys;
        for (const auto& item : j.items())
            keys.push_back(item.key());
        EXPECT_EQ(keys, c.keys) << what;
        if (c.args[0] == "compare") {
            ASSERT_EQ(j["changes"].size(), static_cast<std::size_t>(c.changes)) << run.out;
            if (c.changes > 0)
                EXPECT_EQ(j["changes"][0]["kind"], "новое") << run.out;
        } else if (c.args.size() == 5) {
            EXPECT_NEAR(j["from_a_m"].get<double>(), pair.faultFromA, pair.metresPerSample) << run.out;
            EXPECT_NEAR(j["ku"].get<double>(), 2.0, 0.02) << run.out;
        } else {
            // 100 + 200 nominal metres: the fault at a third of the line, KU 300 x 1.5 / length.
            EXPECT_NEAR(j["from_a_m"].get<double>(), pair.length / 3, 0.01) << run.out;
            EXPECT_TRUE(j["event_a"]["number"].is_null()) << run.out;
        }
    }
}

} // namespace

// The simulated instrument's line 1 has an intermittent fault at 640 m that shows in about one
// reflectogram in four: the watch saves it and logs it, each change as a file and a CSV line.
TEST(AnalysisCli, WatchRecordsTheIntermittentFault)
{
    TempDir dir;
    const std::string folder = dir.file("watch");
    std::filesystem::create_directory(folder);
    const CliRun run = runCli(dir, {"watch", "--port", "sim:fast", "--line", "1", "--threshold", "5", "--dir", folder,
                                    "--duration", "2", "--range", "1000"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::vector<nlohmann::json> lines;
    std::istringstream in(run.out);
    for (std::string line; std::getline(in, line);)
        lines.push_back(nlohmann::json::parse(line));
    ASSERT_GE(lines.size(), 2u) << run.out;
    const nlohmann::json& summary = lines.back();
    EXPECT_GT(summary["frames"].get<int>(), 4);
    ASSERT_GE(summary["changes"].get<int>(), 1);
    EXPECT_EQ(summary["saved"], summary["changes"]);
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        EXPECT_NEAR(lines[i]["distance_m"].get<double>(), 650, 25) << lines[i];   // a 20 m wide echo
        EXPECT_EQ(readText(folder + "/" + lines[i]["file"].get<std::string>()).size(), kReflectogramFileBytes);
    }
    const std::string log = readText(folder + "/watch.csv");
    EXPECT_EQ(static_cast<int>(std::count(log.begin(), log.end(), '\n')), summary["changes"].get<int>() + 1);

    for (const auto& bad : std::vector<std::vector<std::string>>{
             {"watch", "--port", "sim", "--threshold", "5", "--dir", folder},               // no line
             {"watch", "--port", "sim", "--line", "3", "--threshold", "5", "--dir", folder},
             {"watch", "--port", "sim", "--line", "1", "--dir", folder},                    // no threshold
             {"watch", "--port", "sim", "--line", "1", "--threshold", "5", "--dir", dir.file("none")}}) {
        const CliRun refused = runCli(dir, bad);
        EXPECT_EQ(refused.exitCode, 2) << refused.err;
        EXPECT_EQ(refused.err.find('\n'), refused.err.size() - 1) << refused.err;
    }
}
