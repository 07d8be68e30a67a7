// The help pages and the manual pages against what the programs really offer: every command of the
// command table, every varnel-cli command and option, every option of varnel, and every picture the
// help shows. A feature that lands undocumented fails here, naming what is missing.
#include "resources/command_text.h"
#include "support/cli_runner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kSource = VARNEL_SOURCE_DIR;
const fs::path kHelpDir = kSource / "resources/help";

struct Page {
    const char* name;       // as the failure names it
    fs::path path;
    bool html;              // a help page; otherwise a manual page source
};

const Page kHelpPages[] = {
    {"index.html", kHelpDir / "index.html", true},
    {"index.en.html", kHelpDir / "index.en.html", true},
};
const Page kCliPages[] = {
    kHelpPages[0],
    kHelpPages[1],
    {"varnel-cli.1.in", kSource / "packaging/man/varnel-cli.1.in", false},
};

// The text a reader sees of a page's source: roff's escaped hyphens and HTML's entities undone.
std::string plainText(const Page& page)
{
    std::string text = readText(page.path.string());
    const auto replaceAll = [&text](const std::string& from, const std::string& to) {
        for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
            text.replace(at, from.size(), to);
    };
    if (page.html) {
        replaceAll("&quot;", "\"");
        replaceAll("&lt;", "<");
        replaceAll("&gt;", ">");
        replaceAll("&amp;", "&");
    } else {
        replaceAll("\\-", "-");
        for (const char* font : {"\\fB", "\\fI", "\\fR", "\\fP"})
            replaceAll(font, "");
        replaceAll("\\(lq", "\"");
        replaceAll("\\(rq", "\"");
    }
    return text;
}

std::string joined(const std::vector<std::string>& items)
{
    std::string all;
    for (const std::string& item : items)
        all += (all.empty() ? "" : ", ") + item;
    return all;
}

// The options a help text names: "--long-name" and "-x" tokens, in order, once each.
std::vector<std::string> optionsIn(const std::string& help)
{
    static const std::regex option(R"re((?:^|[^A-Za-z0-9-])(--[a-z][a-z0-9-]*|-[a-z](?![A-Za-z0-9-])))re");
    std::vector<std::string> found;
    for (auto it = std::sregex_iterator(help.begin(), help.end(), option); it != std::sregex_iterator(); ++it)
        if (std::find(found.begin(), found.end(), (*it)[1].str()) == found.end())
            found.push_back((*it)[1].str());
    return found;
}

// Whether `text` names `option` as a whole token (not as the start of a longer one).
bool namesOption(const std::string& text, const std::string& option)
{
    for (std::size_t at = text.find(option); at != std::string::npos; at = text.find(option, at + 1)) {
        const std::size_t end = at + option.size();
        const bool startOk = at == 0 || !(std::isalnum(static_cast<unsigned char>(text[at - 1])) || text[at - 1] == '-');
        const bool endOk = end == text.size() || !(std::isalnum(static_cast<unsigned char>(text[end])) || text[end] == '-');
        if (startOk && endOk)
            return true;
    }
    return false;
}

// The part of a page about one varnel-cli command: from its anchor (id="cli-NAME" in a help page,
// ".SS NAME" in the manual page) to the next command's, empty when the page has none.
std::string cliSection(const std::string& text, const Page& page, const std::string& command)
{
    const std::string start = page.html ? "id=\"cli-" + command + "\"" : "\n.SS " + command + "\n";
    const std::string next = page.html ? "id=\"cli-" : "\n.S";
    const std::size_t at = text.find(start);
    if (at == std::string::npos)
        return {};
    const std::size_t end = text.find(next, at + start.size());
    return text.substr(at, end == std::string::npos ? std::string::npos : end - at);
}

std::vector<std::string> cliCommands(const TempDir& dir)
{
    const CliRun usage = runCli(dir, {"--help"});
    EXPECT_EQ(usage.exitCode, 0);
    std::vector<std::string> names;
    static const std::regex line(R"(\n  ([a-z][a-z-]*) )");
    const std::size_t list = usage.out.find("Commands:");
    for (auto it = std::sregex_iterator(usage.out.begin() + static_cast<long>(list == std::string::npos ? 0 : list),
                                        usage.out.end(), line);
         it != std::sregex_iterator(); ++it)
        names.push_back((*it)[1].str());
    return names;
}

TEST(Documentation, EveryCommandOfTheTableHasItsEntryInBothHelpPages)
{
    // Every command with a text is a menu item or a button somewhere; its entry in either page carries
    // the command's Russian text, so that the English page is checked against the same table.
    std::vector<std::string> commands;
    for (int id = 1; id < 65536; ++id)
        if (const CommandText* text = commandText(id))
            commands.emplace_back(text->menu);
    commands.emplace_back("Выход");   // the frame's own item, outside the table
    ASSERT_GT(commands.size(), 60u);

    for (const Page& page : kHelpPages) {
        const std::string text = plainText(page);
        std::vector<std::string> missing;
        for (const std::string& command : commands)
            if (text.find("data-command=\"" + command + "\"") == std::string::npos)
                missing.push_back("\"" + command + "\"");
        EXPECT_TRUE(missing.empty()) << page.name << " has no entry (data-command) for: " << joined(missing);
    }
}

TEST(Documentation, EveryCliCommandAndOptionIsDocumented)
{
    TempDir dir;
    const std::vector<std::string> commands = cliCommands(dir);
    ASSERT_GE(commands.size(), 10u) << "varnel-cli --help lists no commands";

    for (const Page& page : kCliPages) {
        const std::string text = plainText(page);
        std::vector<std::string> missing;
        for (const std::string& command : commands) {
            const std::string section = cliSection(text, page, command);
            if (section.empty()) {
                missing.push_back("command " + command);
                continue;
            }
            for (const std::string& option : optionsIn(runCli(dir, {command, "--help"}).out))
                if (!namesOption(section, option))
                    missing.push_back(command + " " + option);
        }
        EXPECT_TRUE(missing.empty()) << page.name << " lacks: " << joined(missing);
    }
}

#ifdef VARNEL_GUI_PATH
TEST(Documentation, EveryOptionOfTheWindowProgramIsDocumented)
{
    TempDir dir;
    const std::string out = dir.file("help");
    const std::string command = "QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 '" VARNEL_GUI_PATH "' --help > '" + out + "' 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << readText(out);
    const std::vector<std::string> options = optionsIn(readText(out));
    ASSERT_GE(options.size(), 3u);

    const Page pages[] = {kHelpPages[0], kHelpPages[1], {"varnel.1.in", kSource / "packaging/man/varnel.1.in", false}};
    for (const Page& page : pages) {
        const std::string text = plainText(page);
        std::vector<std::string> missing;
        for (const std::string& option : options)
            if (!namesOption(text, option))
                missing.push_back(option);
        EXPECT_TRUE(missing.empty()) << page.name << " lacks the options of varnel: " << joined(missing);
    }
}
#endif

TEST(Documentation, EveryPictureOfTheHelpExistsAndNothingComesFromOutside)
{
    static const std::regex image(R"re(<img\s[^>]*src="([^"]+)"[^>]*>)re");
    static const std::regex alt(R"(\salt="[^"]+")");
    static const std::regex outside(R"re(<(link|script|img|iframe|source|embed|object)\s[^>]*(src|href|data)="(https?:)?//|@import|@font-face|url\(\s*['"]?(https?:)?//)re");
    for (const Page& page : kHelpPages) {
        const std::string text = readText(page.path.string());
        std::vector<std::string> missing, withoutAlt;
        int count = 0;
        for (auto it = std::sregex_iterator(text.begin(), text.end(), image); it != std::sregex_iterator(); ++it) {
            ++count;
            const std::string src = (*it)[1].str();
            if (!fs::is_regular_file(kHelpDir / src))
                missing.push_back(src);
            const std::string tag = (*it)[0].str();
            if (!std::regex_search(tag, alt))
                withoutAlt.push_back(src);
        }
        EXPECT_GE(count, 8) << page.name << " shows too few pictures";
        EXPECT_TRUE(missing.empty()) << page.name << " refers to missing pictures: " << joined(missing);
        EXPECT_TRUE(withoutAlt.empty()) << page.name << " has pictures without alternative text: " << joined(withoutAlt);
        // Offline in any browser: no page, style, script or font from the network (links to the site are fine).
        std::smatch hit;
        EXPECT_FALSE(std::regex_search(text, hit, outside)) << page.name << " loads an outside resource: " << hit.str();
    }
}

// `text` with XML's and HTML's entities undone, as a reader of either sees it.
std::string unescaped(std::string text)
{
    static const std::pair<const char*, const char*> kEntities[] = {
        {"&quot;", "\""}, {"&apos;", "'"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&amp;", "&"}};
    for (const auto& [from, to] : kEntities)
        for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + 1))
            text.replace(at, std::string(from).size(), to);
    return text;
}

TEST(Documentation, TheEnglishPageNamesEveryCommandAsTheEnglishWindowDoes)
{
    // The English menus are the translation of the command table's texts; a reader looks for the name
    // the window shows.
    const std::string ts = readText((kSource / "resources/translations/varnel_en.ts").string());
    const std::size_t context = ts.find("<name>CommandText</name>");
    ASSERT_NE(context, std::string::npos);
    const std::string commands = ts.substr(context, ts.find("</context>", context) - context);
    std::map<std::string, std::string> english;
    static const std::regex message(R"re(<source>([^<]*)</source>\s*<translation>([^<]*)</translation>)re");
    for (auto it = std::sregex_iterator(commands.begin(), commands.end(), message); it != std::sregex_iterator(); ++it)
        english.emplace(unescaped((*it)[1].str()), unescaped((*it)[2].str()));
    ASSERT_GT(english.size(), 60u);

    const std::string page = readText((kHelpDir / "index.en.html").string());
    static const std::regex row(R"re(data-command="([^"]*)"><td>([^<]*)<)re");
    std::vector<std::string> wrong;
    int rows = 0;
    for (auto it = std::sregex_iterator(page.begin(), page.end(), row); it != std::sregex_iterator(); ++it, ++rows) {
        const auto found = english.find(unescaped((*it)[1].str()));
        if (found != english.end() && found->second != unescaped((*it)[2].str()))
            wrong.push_back("\"" + unescaped((*it)[2].str()) + "\" (the window: \"" + found->second + "\")");
    }
    EXPECT_GT(rows, 60);
    EXPECT_TRUE(wrong.empty()) << "index.en.html names commands otherwise than the English window: " << joined(wrong);
}

} // namespace
