#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;

struct Shell {
    int status = -1;
    std::string output;   // standard output and error together
};

Shell shell(const std::string& command)
{
    Shell r;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen((command + " 2>&1").c_str(), "r"), pclose);
    char buffer[4096];
    while (pipe && fgets(buffer, sizeof buffer, pipe.get()))
        r.output += buffer;
    const int raw = pclose(pipe.release());
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return r;
}

int pngWidth(const std::string& path)
{
    const std::string bytes = readText(path);
    if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0)
        return -1;
    const auto b = [&](int i) { return static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)]); };
    return b(16) << 24 | b(17) << 16 | b(18) << 8 | b(19);
}

class Installed : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        prefix = new TempDir;
        install = shell("cmake --install '" VARNEL_BUILD_DIR "' --prefix '" + prefix->path().string() + "'");
    }
    static void TearDownTestSuite() { delete prefix; }
    static std::string at(const std::string& relative) { return (prefix->path() / relative).string(); }

    static inline TempDir* prefix = nullptr;
    static inline Shell install;
};

TEST_F(Installed, EveryFileInItsPlace)
{
    ASSERT_EQ(install.status, 0) << install.output;
    std::vector<std::string> files = {
        "bin/varnel-cli",
        "share/applications/org.example.varnel.Varnel.desktop",
        "share/metainfo/org.example.varnel.Varnel.metainfo.xml",
        "share/icons/hicolor/scalable/apps/varnel.svg",
        "share/man/man1/varnel.1",
        "share/man/man1/varnel-cli.1",
        "lib/udev/rules.d/60-varnel.rules",
    };
    if (VARNEL_WITH_GUI)
        files.push_back("bin/varnel");
    for (const std::string& f : files)
        EXPECT_TRUE(fs::is_regular_file(at(f))) << f;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const std::string png = "share/icons/hicolor/" + std::to_string(size) + "x" + std::to_string(size) + "/apps/varnel.png";
        EXPECT_EQ(pngWidth(at(png)), size) << png;
    }
    // Both help pages, each beside the pictures it shows.
    for (const char* help : {"index.html", "index.en.html", "images/ru/window.png", "images/en/window.png"})
        EXPECT_TRUE(fs::is_regular_file(at(std::string("share/varnel/help/") + help))) << help;

    const Shell version = shell("'" + at("bin/varnel-cli") + "' --version");
    EXPECT_EQ(version.output, "varnel-cli " VARNEL_VERSION "\n");
}

TEST_F(Installed, DesktopEntryAndMetainfoPassTheirValidators)
{
    ASSERT_EQ(install.status, 0) << install.output;
    const std::string desktop = at("share/applications/org.example.varnel.Varnel.desktop");
    const Shell entry = shell("desktop-file-validate '" + desktop + "'");
    EXPECT_EQ(entry.status, 0) << entry.output;
    EXPECT_EQ(entry.output, "");
    const std::string text = readText(desktop);
    EXPECT_NE(text.find("\nName[ru]=Рефлектометр импульсный VARNEL\n"), std::string::npos);
    EXPECT_NE(text.find("Electronics;"), std::string::npos);

    const std::string metainfo = at("share/metainfo/org.example.varnel.Varnel.metainfo.xml");
    const Shell meta = shell("appstreamcli validate --no-net '" + metainfo + "'");
    EXPECT_EQ(meta.status, 0) << meta.output;
    EXPECT_NE(readText(metainfo).find("<release version=\"" VARNEL_VERSION "\""), std::string::npos);
}

TEST_F(Installed, ManualPagesRenderWithoutWarnings)
{
    ASSERT_EQ(install.status, 0) << install.output;
    for (const char* page : {"varnel", "varnel-cli"}) {
        const std::string path = at(std::string("share/man/man1/") + page + ".1");
        const Shell rendered = shell("LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l '" + path + "' 2>&1 >/dev/null");
        EXPECT_EQ(rendered.status, 0) << page;
        EXPECT_EQ(rendered.output, "") << page;
        const Shell text = shell("LC_ALL=C.UTF-8 MANWIDTH=80 man -l '" + path + "' 2>/dev/null");
        EXPECT_NE(text.output.find("SYNOPSIS"), std::string::npos) << page;
        EXPECT_NE(text.output.find("dialout"), std::string::npos) << page;
    }
}

TEST_F(Installed, UdevRuleGivesTheSeatAccessAndAQuickBridge)
{
    ASSERT_EQ(install.status, 0) << install.output;
    const std::string rules = readText(at("lib/udev/rules.d/60-varnel.rules"));
    EXPECT_NE(rules.find("SUBSYSTEM==\"tty\", ATTRS{idVendor}==\"0403\", TAG+=\"uaccess\""), std::string::npos);
    EXPECT_NE(rules.find("ATTR{latency_timer}=\"1\""), std::string::npos);
}

} // namespace
