#include "document/text_codec.h"
#include "support/cli_runner.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {

nlohmann::json run(const TempDir& dir, const std::vector<std::string>& args)
{
    const CliRun r = runCli(dir, args);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    return r.exitCode == 0 ? nlohmann::json::parse(r.out) : nlohmann::json();
}

// Bad input: a non-zero exit, one line on standard error, nothing printed and the file unchanged.
void expectRefusedUnchanged(const TempDir& dir, const std::vector<std::string>& args, const std::string& path)
{
    std::string what;
    for (const std::string& a : args)
        what += a + " ";
    const std::string before = readText(path);
    const CliRun r = runCli(dir, args);
    EXPECT_NE(r.exitCode, 0) << what;
    EXPECT_EQ(r.out, "") << what;
    ASSERT_FALSE(r.err.empty()) << what;
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << what << ": " << r.err;
    EXPECT_EQ(readText(path), before) << what;
}

TEST(LibraryCli, SectionsAreCreatedAddedChangedAndDeletedAsTheGridTabDoes)
{
    TempDir dir;
    const std::string f = dir.file("line.pie");
    EXPECT_EQ(run(dir, {"sections", f, "--create", "--scale", "1000"}), nlohmann::json::array());
    EXPECT_EQ(readText(f), "[PIECE]\r\nAMOUNT=0\r\nSCALE=4\r\n");

    // 75 real metres at KU 2.0 are 100 nominal metres; the defaults are an empty name, 1 nominal metre
    // and KU 1.5.
    run(dir, {"sections", f, "--add", "--name", "Кабель", "--length", "75", "--ku", "2"});
    run(dir, {"sections", f, "--add"});
    nlohmann::json j = run(dir, {"sections", f, "--add", "--name", "Хвост", "--length", "50"});
    ASSERT_EQ(j.size(), 3u);
    EXPECT_EQ(j[0]["docEnd"], 10000);
    EXPECT_EQ(j[0]["end"], 75);
    EXPECT_EQ(j[1]["name"], "");
    EXPECT_EQ(j[1]["docLength"], 100);
    EXPECT_EQ(j[2]["end"], 126);

    j = run(dir, {"sections", f, "--delete", "2"});
    ASSERT_EQ(j.size(), 2u);
    EXPECT_EQ(j[1]["number"], 2);
    EXPECT_EQ(j[1]["name"], "Хвост");
    EXPECT_EQ(j[1]["start"], 75);
    EXPECT_EQ(j[1]["end"], 125);

    j = run(dir, {"sections", f, "--set", "2", "--ku", "1.52", "--name", "Муфта"});
    EXPECT_EQ(j[1]["name"], "Муфта");
    EXPECT_EQ(j[1]["ku"], 1.52);

    const std::vector<std::vector<std::string>> bad = {
        {"sections", f, "--delete", "3"},                  // no such section
        {"sections", f, "--delete", "0"},
        {"sections", f, "--delete", "1.5"},
        {"sections", f, "--set", "9", "--ku", "2"},
        {"sections", f, "--set", "1"},                     // nothing to set
        {"sections", f, "--set", "1", "--ku", "0"},
        {"sections", f, "--add", "--ku", "0"},
        {"sections", f, "--add", "--ku", "abc"},
        {"sections", f, "--add", "--ku", "3.5"},          // outside the K.У. spin's 1..3
        {"sections", f, "--set", "1", "--ku", "1e308"},
        {"sections", f, "--add", "--length", "-1"},
        {"sections", f, "--add", "--length", "1e300"},
        {"sections", f, "--add", "--scale", "125"},        // --scale goes with --create only
        {"sections", f, "--add", "--delete", "1"},
        {"sections", f, "--create"},                       // exists already: never replaced
        {"sections", f, "--name", "x"},
    };
    for (const auto& args : bad)
        expectRefusedUnchanged(dir, args, f);
    const std::string other = dir.file("other.pie");
    writeText(other, "");
    std::filesystem::remove(other);
    for (const auto& args : std::vector<std::vector<std::string>>{{"sections", other, "--create", "--scale", "100"},
                                                                  {"sections", other, "--add"}}) {
        EXPECT_NE(runCli(dir, args).exitCode, 0);
        EXPECT_FALSE(std::filesystem::exists(other));
    }
}

TEST(LibraryCli, TableEntriesAreAddedAndDeletedAsThePanelDoes)
{
    TempDir dir;
    const std::string f = dir.file("t.tku");
    // A new table; a KU is written with three decimals, a V/2 converted to KU "%.3f".
    run(dir, {"table", f, "--add", "Кабель", "1.52"});
    nlohmann::json j = run(dir, {"table", f, "--add", "ТПП", "98.7", "--speed"});
    EXPECT_EQ(j, nlohmann::json::parse(R"([{"name":"Кабель","value":"98.7"},{"name":"ТПП","value":"98.7"}])"));
    EXPECT_EQ(readText(f), codec::utf8ToUtf16le("Кабель\n1.520\nТПП\n1.520\n"));

    j = run(dir, {"table", f, "--delete", "1"});
    EXPECT_EQ(j, nlohmann::json::parse(R"([{"name":"ТПП","value":"1.520"}])"));

    for (const auto& args : std::vector<std::vector<std::string>>{
             {"table", f, "--delete", "2"},
             {"table", f, "--delete", "0"},
             {"table", f, "--delete", "x"},
             {"table", f, "--add", "A", "0"},
             {"table", f, "--add", "A", "0.0004"},   // "0.000" would be stored
             {"table", f, "--add", "A", "abc"},
             {"table", f, "--add", "A", "-100", "--speed"},
             {"table", f, "--add", "A", "5.0"},               // outside the K.У. spin's 1..3
             {"table", f, "--add", "A", "1e308"},
             {"table", f, "--add", "A", "1e-308"},
             {"table", f, "--add", "A", "200", "--speed"},   // V/2 outside 50..150
             {"table", f, "--add", "A"},
             {"table", f, "--add", "A", "1.5", "--delete", "1"}})
        expectRefusedUnchanged(dir, args, f);
}

} // namespace
