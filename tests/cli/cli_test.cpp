#include "support/cli_runner.h"
#include "support/pdf_text.h"
#include "support/temp_dir.h"
#include "document/text_codec.h"
#include "files/reflectogram_file.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <regex>
#include <utime.h>

namespace {


// Bad input: nothing on standard output, one line on standard error that contains `mentions`.
void expectRefused(const CliRun& run, const std::string& mentions, const std::string& what)
{
    EXPECT_NE(run.exitCode, 0) << what;
    EXPECT_EQ(run.out, "") << what;
    ASSERT_FALSE(run.err.empty()) << what;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << what << ": " << run.err;
    EXPECT_NE(run.err.find(mentions), std::string::npos) << what << ": " << run.err;
}

std::string writeTdr(const TempDir& dir, const std::string& name, int scaleIndex, int ku1000)
{
    ReflectogramRecord r;
    r.scaleIndex = scaleIndex;
    r.pulseIndex = 11;
    r.average = 3;
    r.gain = 12;
    r.status = 1;
    r.kuThousandths = ku1000;
    for (int i = 0; i < kRawSamples; ++i)
        r.samples[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
    const std::string path = dir.file(name);
    writeText(path, encodeReflectogram(r));
    const std::time_t when = 1700000000;
    utimbuf times{when, when};
    utime(path.c_str(), &times);
    return path;
}

int pdfPageCount(const std::string& bytes)
{
    int pages = 0;
    for (std::size_t at = bytes.find("/Type /Page"); at != std::string::npos; at = bytes.find("/Type /Page", at + 1))
        pages += bytes.compare(at, 12, "/Type /Pages") != 0;
    return pages;
}

TEST(Cli, ReportWritesAOnePagePdfWithEveryReadout)
{
#ifndef VARNEL_CLI_RENDER
    GTEST_SKIP() << "this varnel-cli was built without Qt";
#endif
    TempDir dir;
    const std::string pdf = dir.file("report.pdf");
    const std::string tdr = writeTdr(dir, "line.tdr", 4, 1520);
    const CliRun run = runCli(dir, {"report", tdr, "-o", pdf, "--speed", "--cursor1", "100", "--cursor2=250"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out + run.err, "");
    const std::string bytes = readText(pdf);
    EXPECT_EQ(bytes.rfind("%PDF-", 0), 0u);
    EXPECT_EQ(pdfPageCount(bytes), 1);
    // Arial and Times New Roman, or the fonts with their metrics (fonts-liberation).
    for (const char* font : {"Arial|LiberationSans", "TimesNewRoman|LiberationSerif"})
        EXPECT_TRUE(std::regex_search(bytes, std::regex(std::string("/BaseFont /(") + font + ")"))) << font;

    const std::string text = pdfText(pdf);
    ASSERT_FALSE(text.empty()) << "pdftotext (poppler-utils) is needed to read the report";
    // Cursors stay where they were put in real metres at the file's KU 1.52.
    for (const char* expected : {"Рефлектометр импульсный VARNEL", "Программа VARNEL", "V/2 98.7", "Лупа 1",
                                 "Разрешение 1.97 м", "Начало микроплана 0.00 м", "К1 100.00 м", "К2 250.00 м",
                                 "L 150.00 м", "П1", "line"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << " in " << text;

    // With a section file the grid is on, as in the window: 100 nominal metres at KU 2.0 (75 m), then
    // KU 1.5, so cursor 1 at 150 m stands at nominal 175 and reads 150.00 m, as the cursor row does.
    const std::string pie = dir.file("line.pie");
    writeText(pie, "[PIECE]\r\nAMOUNT=2\r\n[SITE1]\r\nLENGTH1=100000\r\nVFACTOR1=2000\r\n"
                   "[SITE2]\r\nLENGTH2=900000\r\nVFACTOR2=1500\r\n");
    const CliRun grid = runCli(dir, {"report", tdr, "-o", pdf, "--sections", pie, "--cursor1", "150", "--cursor2", "30"});
    ASSERT_EQ(grid.exitCode, 0) << grid.err;
    const std::string gridText = pdfText(pdf);
    for (const char* expected : {"КУ 1.500", "Разрешение 2.00 м", "Начало микроплана 0.00 м", "К1 150.00 м",
                                 "К2 30.00 м", "L 120.00 м"})
        EXPECT_NE(gridText.find(expected), std::string::npos) << expected << " in " << gridText;
}

TEST(Cli, LanguageOfTheProblemLinesAndOfTheReport)
{
    TempDir dir;
    const std::string missing = dir.file("missing.tdr");
    const std::string near = writeTdr(dir, "near.tdr", 4, 1520), far = writeTdr(dir, "far.tdr", 5, 1520);
    // Every kind of problem line, the program's own and the core's, in the language chosen: --lang
    // anywhere on the line over the locale, else Russian for a Russian locale only. C stays English, as
    // scripts read it.
    struct Failure {
        std::vector<std::string> args;
        int exitCode;
        const char* english;
        const char* russian;
    };
    const Failure failures[] = {
        {{"info", "--xx", near}, 2, "info: unknown option --xx (see varnel-cli info --help)",
         "info: неизвестный параметр --xx (см. varnel-cli info --help)"},
        {{"calibrate", near}, 2, "calibrate: --length is required", "calibrate: не указан --length"},
        {{"info", missing}, 1, "missing.tdr: No such file or directory", "missing.tdr: нет такого файла или папки"},
        {{"render", near, "-o", dir.file("no/such/folder.png")}, 1, "no such folder", "нет папки"},
        {{"compare", near, far}, 1, "compare: the reflectograms were taken on different ranges",
         "compare: рефлектограммы сняты на разных диапазонах"},
        {{"bogus"}, 2, "unknown command \"bogus\"", "неизвестная команда \"bogus\""},
    };
    struct Language {
        const char* lang;
        std::vector<std::string> before, after;
        bool russian;
    };
    const Language languages[] = {
        {"C", {"--lang=ru"}, {}, true},
        {"ru_RU.UTF-8", {}, {"--lang", "en"}, false},
        {"ru_RU.UTF-8", {}, {}, true},
        {"C", {}, {}, false},
        {"en_US.UTF-8", {}, {}, false},
    };
    const std::optional<std::string> savedLang =
        std::getenv("LANG") ? std::optional<std::string>(std::getenv("LANG")) : std::nullopt;
    unsetenv("LC_ALL");
    unsetenv("LC_MESSAGES");
    for (const Language& l : languages)
        for (const Failure& f : failures) {
            setenv("LANG", l.lang, 1);
            std::vector<std::string> args = l.before;
            args.insert(args.end(), f.args.begin(), f.args.end());
            args.insert(args.end(), l.after.begin(), l.after.end());
            std::string what = std::string("LANG=") + l.lang;
            for (const std::string& a : args)
                what += " " + a;
            const CliRun run = runCli(dir, args);
            EXPECT_EQ(run.exitCode, f.exitCode) << what;
            expectRefused(run, l.russian ? f.russian : f.english, what);
        }
    // A language that is neither, said in the locale's language.
    struct BadLanguage {
        const char* lang;
        std::vector<std::string> args;
        const char* line;
    };
    const BadLanguage badLanguages[] = {
        {"C", {"info", missing, "--lang", "de"}, "bad --lang de: ru or en is needed"},
        {"ru_RU.UTF-8", {"info", missing, "--lang", "de"}, "неверный --lang de: нужно ru или en"},
        {"C", {"info", missing, "--lang"}, "--lang needs ru or en"},
    };
    for (const BadLanguage& b : badLanguages) {
        setenv("LANG", b.lang, 1);
        const CliRun run = runCli(dir, b.args);
        EXPECT_EQ(run.exitCode, 2) << b.lang << ' ' << b.args.back();
        expectRefused(run, b.line, std::string(b.lang) + " " + b.args.back());
    }
    if (savedLang)
        setenv("LANG", savedLang->c_str(), 1);
    else
        unsetenv("LANG");

#ifdef VARNEL_CLI_RENDER
    // The drawn report: Russian without a language (C), English with --lang en or an English locale.
    const std::string tdr = writeTdr(dir, "line.tdr", 4, 1520);
    const std::string pdf = dir.file("report.pdf");
    struct Report {
        const char* locale;
        const char* lang;
        const char* title;
        const char* readout;
    };
    for (const Report& r : {Report{"C", "", "Рефлектометр импульсный VARNEL", "Разрешение 1.97 м"},
                            Report{"C", "en", "VARNEL pulse reflectometer", "Resolution 1.97 m"},
                            Report{"en_GB.UTF-8", "", "VARNEL pulse reflectometer", "Resolution 1.97 m"}}) {
        setenv("LC_ALL", r.locale, 1);
        std::vector<std::string> args{"report", tdr, "-o", pdf};
        if (*r.lang)
            args.insert(args.end(), {"--lang", r.lang});
        ASSERT_EQ(runCli(dir, args).exitCode, 0) << r.locale << ' ' << r.lang;
        const std::string text = pdfText(pdf);
        if (text.empty())
            continue;   // pdftotext (poppler-utils) missing: the report test above says so
        EXPECT_NE(text.find(r.title), std::string::npos) << r.locale << ' ' << r.lang << ": " << text;
        EXPECT_NE(text.find(r.readout), std::string::npos) << r.locale << ' ' << r.lang << ": " << text;
    }
#endif
    unsetenv("LC_ALL");
}

TEST(Cli, ReportRefusesBadInputAndWritesNothing)
{
#ifndef VARNEL_CLI_RENDER
    GTEST_SKIP() << "this varnel-cli was built without Qt";
#endif
    TempDir dir;
    const std::string tdr = writeTdr(dir, "line.tdr", 4, 1500);
    writeText(dir.file("short.tdr"), encodeReflectogram(ReflectogramRecord{}).substr(0, 100));
    const std::string pdf = dir.file("report.pdf");
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"report", tdr}, "-o"},
        {{"report", tdr, "-o", pdf, "--ku", "0"}, "--ku"},
        {{"report", tdr, "-o", pdf, "--cursor2", "abc"}, "--cursor2"},
        {{"report", tdr, "-o", pdf, "--cursor1", "1000.5"}, "line.tdr"},   // past the range
        {{"report", dir.file("short.tdr"), "-o", pdf}, "short.tdr"},
        {{"report", tdr, "-o", pdf, "--sections", dir.file("none.pie")}, "none.pie"},
        {{"report", tdr, "-o", dir.file("no/such/folder/report.pdf")}, "report.pdf"},
    };
    for (const auto& [args, mentions] : cases) {
        expectRefused(runCli(dir, args), mentions, args.back());
        EXPECT_FALSE(std::filesystem::exists(pdf)) << args.back();
    }
    // A refused report leaves an existing file as it was, and no temporary file beside it.
    writeText(pdf, "old");
    expectRefused(runCli(dir, {"report", tdr, "-o", pdf, "--cursor2", "2000"}), "line.tdr", "cursor past the end");
    EXPECT_EQ(readText(pdf), "old");
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        EXPECT_EQ(entry.path().string().find(".pdf."), std::string::npos) << entry.path();
}

TEST(Cli, InfoPrintsTheFileAsJson)
{
    TempDir dir;
    const std::string path = writeTdr(dir, "a.tdr", 4, 2009);
    const CliRun run = runCli(dir, {"info", path});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const auto j = nlohmann::json::parse(run.out);
    EXPECT_EQ(j["scale"], 1000);
    EXPECT_EQ(j["pulse"], 50000);
    EXPECT_EQ(j["average"], 3);
    EXPECT_EQ(j["gain"], 12);
    EXPECT_EQ(j["status"], 1);
    EXPECT_DOUBLE_EQ(j["ku"].get<double>(), 2.009);
    const LocalTime t = toLocalTime(1700000000);
    char expected[32];
    std::snprintf(expected, sizeof expected, "%02d.%02d.%04d %02d:%02d:%02d", t.day, t.month, t.year, t.hour,
                  t.minute, t.second);
    EXPECT_EQ(j["time"], expected);
    ASSERT_EQ(j["samples"].size(), 8000u);
    EXPECT_EQ(j["samples"][0], 0);
    EXPECT_EQ(j["samples"][255], 255);
    EXPECT_EQ(j["samples"][7999], 7999 % 256);
}

TEST(Cli, ExportPrintsDistancesAndSignedValues)
{
    TempDir dir;
    // Range 2000 m: 25 cm per sample; KU 2.0 makes a real metre 0.75 nominal.
    const std::string path = writeTdr(dir, "a.tdr", 5, 2000);
    CliRun run = runCli(dir, {"export", path});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::vector<std::string> lines;
    for (std::size_t pos = 0, end; (end = run.out.find('\n', pos)) != std::string::npos; pos = end + 1)
        lines.push_back(run.out.substr(pos, end - pos));
    ASSERT_EQ(lines.size(), 8001u);
    EXPECT_EQ(lines[0], "index,distance_m,value");
    EXPECT_EQ(lines[1], "0,0.000,0");
    EXPECT_EQ(lines[2], "1,0.188,1");          // 0.25 x 1.5 / 2 = 0.1875
    EXPECT_EQ(lines[129], "128,24.000,-128");
    EXPECT_EQ(lines[256], "255,47.812,-1");     // 47.8125 exactly: rounded to even, as printf does

    run = runCli(dir, {"export", path, "--ku", "1.5"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("\n7999,1999.750,"), std::string::npos);
    run = runCli(dir, {"export", "--ku=3", path});
    EXPECT_NE(run.out.find("\n4,0.500,4\n"), std::string::npos);

    for (const char* ku : {"0", "-1.5", "abc", "1.5x", "nan", ""})
        expectRefused(runCli(dir, {"export", path, "--ku", ku}), "--ku", std::string("--ku ") + ku);
    expectRefused(runCli(dir, {"export", writeTdr(dir, "zero.tdr", 5, 0)}), "zero.tdr", "KU 0 in the file");
}

TEST(Cli, BadReflectogramsAreRefusedWithOneLine)
{
    TempDir dir;
    const std::string good = encodeReflectogram(ReflectogramRecord{});
    writeText(dir.file("short.tdr"), good.substr(0, 100));
    std::string badIndex = good;
    badIndex[4] = 11;
    writeText(dir.file("index.tdr"), badIndex);
    for (const char* command : {"info", "export"}) {
        expectRefused(runCli(dir, {command, dir.file("short.tdr")}), "short.tdr", "short file");
        expectRefused(runCli(dir, {command, dir.file("index.tdr")}), "index.tdr", "bad index");
        expectRefused(runCli(dir, {command, dir.file("missing.tdr")}), "missing.tdr", "missing file");
        expectRefused(runCli(dir, {command}), "FILE", "no file");
        expectRefused(runCli(dir, {command, "a", "b"}), "unexpected", "two files");
        expectRefused(runCli(dir, {command, "--bogus", "a"}), "--bogus", "unknown option");
    }
}

TEST(Cli, SectionsPrintsListAndDocumentRecords)
{
    TempDir dir;
    const std::string path = dir.file("line.pie");
    writeText(path, "[PIECE]\r\nAMOUNT=2\r\n[SITE1]\r\nNAME1=\xCA\xE0\xE1\xE5\xEB\xFC\r\nLENGTH1=100000\r\n"
                    "VFACTOR1=2000\r\n[SITE2]\r\nLENGTH2=50000\r\nVFACTOR2=\r\n");
    const CliRun run = runCli(dir, {"sections", path});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto j = nlohmann::json::parse(run.out);
    const auto expected = nlohmann::json::parse(R"([
        {"number":1,"name":"Кабель","start":0,"end":75,"length":75,"ku":2,
         "docStart":0,"docEnd":10000,"docLength":10000},
        {"number":2,"name":"Участок 2","start":75,"end":125,"length":50,"ku":1.5,
         "docStart":10000,"docEnd":15000,"docLength":5000}])");
    EXPECT_EQ(j, expected);

    writeText(dir.file("empty.pie"), "");
    EXPECT_EQ(runCli(dir, {"sections", dir.file("empty.pie")}).out, "[]\n");
    expectRefused(runCli(dir, {"sections", dir.file("missing.pie")}), "missing.pie", "missing file");
    writeText(dir.file("huge.pie"), "[PIECE]\nAMOUNT=99999\n");
    expectRefused(runCli(dir, {"sections", dir.file("huge.pie")}), "huge.pie", "AMOUNT too large");
}

TEST(Cli, TablePrintsTheListTexts)
{
    TempDir dir;
    const std::string path = dir.file("t.tku");
    writeText(path, codec::utf8ToUtf16le("Кабель\r\n1.520\r\nТПП\r\n1.5\r\nodd"));
    CliRun run = runCli(dir, {"table", path});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(nlohmann::json::parse(run.out),
              nlohmann::json::parse(R"([{"name":"Кабель","value":"1.520"},{"name":"ТПП","value":"1.5"},
                                        {"name":"odd","value":""}])"));
    run = runCli(dir, {"table", "--speed", path});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(nlohmann::json::parse(run.out)[0]["value"], "98.7");
    EXPECT_EQ(nlohmann::json::parse(run.out)[1]["value"], "100.0");

    expectRefused(runCli(dir, {"table", dir.file("missing.tku")}), "missing.tku", "missing file");
    expectRefused(runCli(dir, {"table", dir.path().string()}), "folder", "a folder");
}

TEST(Cli, HelpAndCommandLineMistakes)
{
    TempDir dir;
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--help"}, {"info", "--help"}, {"export", "-h"}, {"sections", "--help"}, {"table", "--help"},
             {"report", "--help"}}) {
        const CliRun run = runCli(dir, args);
        EXPECT_EQ(run.exitCode, 0) << args[0];
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out.rfind("Usage: varnel-cli", 0), 0u) << run.out;
    }
    EXPECT_NE(runCli(dir, {"--help"}).out.find("sections"), std::string::npos);
    expectRefused(runCli(dir, {}), "no command", "no arguments");
    expectRefused(runCli(dir, {"frobnicate"}), "frobnicate", "unknown command");
    expectRefused(runCli(dir, {"export", "a.tdr", "--ku"}), "--ku", "option without value");
}

} // namespace

TEST(Cli, PortsListsTheFtdiBridgesAsJson)
{
    TempDir dir;
    const CliRun run = runCli(dir, {"ports"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const nlohmann::json list = nlohmann::json::parse(run.out);
    ASSERT_TRUE(list.is_array());
    for (const nlohmann::json& port : list) {   // whatever this machine has attached
        EXPECT_TRUE(port.at("port").is_string());
        EXPECT_TRUE(port.at("product").is_string());
        EXPECT_TRUE(port.at("serial").is_string());
    }
    expectRefused(runCli(dir, {"ports", "extra"}), "unexpected", "an argument");
}
