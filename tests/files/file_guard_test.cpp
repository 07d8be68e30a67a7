// Every writer replaces only what it may (a regular file, through a link), and every reader of the small
// text files takes only a regular file of a sane size, without waiting on a pipe.
#include "document/file_bytes.h"
#include "document/ini_file.h"
#include "files/reflectogram_file.h"
#include "files/section_edit.h"
#include "files/section_file.h"
#include "files/table_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Writer = std::function<Status(const std::string& path)>;
using Reader = std::function<Status(const std::string& path)>;

struct NamedWriter {
    const char* name;
    Writer write;
};

std::vector<NamedWriter> writers()
{
    return {
        {".tdr", [](const std::string& p) { return writeReflectogram(p, ReflectogramRecord{}); }},
        {".tku", [](const std::string& p) { return saveTable(p, false, {TableEntry{"Кабель", "1.520", {}}}); }},
        {".pie", [](const std::string& p) { return createSectionFile(p, 1000); }},
        {"param.ini",
         [](const std::string& p) {
             CIniFile ini(p);
             ini.setInt("VARNEL", "SCALE", 4);
             return ini.save();
         }},
    };
}

mode_t modeOf(const std::string& path, bool follow = true)
{
    struct stat st {};
    (follow ? ::stat(path.c_str(), &st) : ::lstat(path.c_str(), &st));
    return st.st_mode;
}

// Makes what lies at the path before the write; returns the path the writer is given.
using Prepare = std::function<std::string(const TempDir& dir)>;

struct WriteCase {
    const char* what;
    Prepare setup;
    bool written;
    const char* reason;       // in the English line
    const char* userReason;   // in the window's text
    std::function<void(const TempDir& dir, const std::string& path)> check;
};

TEST(FileWriters, ReplaceOnlyARegularFileTheUserMayWriteKeepingLinksAndModes)
{
    const mode_t oldMask = ::umask(027);
    const std::vector<WriteCase> cases = {
        {"a read-only target (no write bit for anyone, also for root) stays as it was",
         [](const TempDir& d) {
             writeText(d.file("t"), "old");
             ::chmod(d.file("t").c_str(), 0444);
             return d.file("t");
         },
         false, "read-only", "только для чтения",
         [](const TempDir&, const std::string& p) {
             EXPECT_EQ(readText(p), "old");
             EXPECT_EQ(modeOf(p) & 07777, 0444u);
         }},
        {"a link: the file it leads to is replaced, the link stays a link",
         [](const TempDir& d) {
             writeText(d.file("shared"), "old");
             ::chmod(d.file("shared").c_str(), 0640);
             ::symlink("shared", d.file("link").c_str());
             return d.file("link");
         },
         true, "", "",
         [](const TempDir& d, const std::string& p) {
             EXPECT_TRUE(S_ISLNK(modeOf(p, false)));
             EXPECT_NE(readText(d.file("shared")), "old");
             EXPECT_EQ(modeOf(d.file("shared")) & 07777, 0640u);
         }},
        {"setuid and setgid never pass to the new file",
         [](const TempDir& d) {
             writeText(d.file("t"), "old");
             ::chmod(d.file("t").c_str(), 06754);
             return d.file("t");
         },
         true, "", "",
         [](const TempDir&, const std::string& p) { EXPECT_EQ(modeOf(p) & 07777, 0754u); }},
        {"a new file gets what the umask leaves",
         [](const TempDir& d) { return d.file("new"); }, true, "", "",
         [](const TempDir&, const std::string& p) { EXPECT_EQ(modeOf(p) & 07777, 0640u); }},
        {"a device is refused", [](const TempDir&) { return std::string("/dev/null"); }, false, "device",
         "устройство", [](const TempDir&, const std::string& p) { EXPECT_TRUE(S_ISCHR(modeOf(p))); }},
        {"a pipe is refused",
         [](const TempDir& d) {
             ::mkfifo(d.file("fifo").c_str(), 0644);
             return d.file("fifo");
         },
         false, "pipe", "канал", [](const TempDir&, const std::string& p) { EXPECT_TRUE(S_ISFIFO(modeOf(p))); }},
        {"a folder is refused",
         [](const TempDir& d) {
             std::filesystem::create_directory(d.file("sub"));
             return d.file("sub");
         },
         false, "folder", "папка",
         [](const TempDir&, const std::string& p) { EXPECT_TRUE(S_ISDIR(modeOf(p))); }},
        {"a missing folder is refused", [](const TempDir& d) { return d.file("none/t"); }, false, "No such file",
         "нет такого файла", [](const TempDir& d, const std::string&) { EXPECT_TRUE(nothingAt(d.file("none"))); }},
    };
    for (const NamedWriter& writer : writers()) {
        for (const WriteCase& c : cases) {
            SCOPED_TRACE(std::string(writer.name) + ": " + c.what);
            TempDir dir;
            const std::string path = c.setup(dir);
            const Status s = writer.write(path);
            EXPECT_EQ(static_cast<bool>(s), c.written) << s.reason();
            if (!c.written) {
                EXPECT_NE(s.reason().find(c.reason), std::string::npos) << s.reason();
                EXPECT_NE(s.userReason().find(c.userReason), std::string::npos) << s.userReason();
                EXPECT_EQ(s.userReason().rfind(path + ": ", 0), 0u) << s.userReason();
            }
            c.check(dir, path);
            // Nothing is left behind beside the target.
            std::size_t files = 0;
            for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path()))
                ++files;
            EXPECT_LE(files, 2u);
        }
    }
    ::umask(oldMask);
}

TEST(FileReaders, SectionTableAndSettingsFilesAreReadOnlyFromSmallRegularFiles)
{
    const std::vector<std::pair<const char*, Reader>> readers = {
        {".pie",
         [](const std::string& p) {
             SectionFileData data;
             return readSectionFile(p, data);
         }},
        {".tku",
         [](const std::string& p) {
             std::vector<TableEntry> list;
             return loadTable(p, false, list);
         }},
        {"param.ini", [](const std::string& p) { return CIniFile(p).load(); }},
    };
    struct ReadCase {
        const char* what;
        Prepare setup;
        const char* reason;
        const char* userReason;
    };
    const std::vector<ReadCase> cases = {
        {"a pipe is refused at once, not waited on",
         [](const TempDir& d) {
             ::mkfifo(d.file("fifo").c_str(), 0644);
             return d.file("fifo");
         },
         "pipe", "канал"},
        {"an endless device is refused", [](const TempDir&) { return std::string("/dev/zero"); }, "device",
         "устройство"},
        {"a link to an endless device is refused",
         [](const TempDir& d) {
             ::symlink("/dev/zero", d.file("zero").c_str());
             return d.file("zero");
         },
         "device", "устройство"},
        {"a file beyond the size limit is refused unread",
         [](const TempDir& d) {
             writeText(d.file("huge"), "");
             std::filesystem::resize_file(d.file("huge"), 64u << 20);   // sparse
             return d.file("huge");
         },
         "too large", "слишком велик"},
    };
    for (const auto& [name, read] : readers) {
        for (const ReadCase& c : cases) {
            SCOPED_TRACE(std::string(name) + ": " + c.what);
            TempDir dir;
            const Status s = read(c.setup(dir));
            ASSERT_FALSE(s);
            EXPECT_NE(s.reason().find(c.reason), std::string::npos) << s.reason();
            EXPECT_NE(s.userReason().find(c.userReason), std::string::npos) << s.userReason();
        }
    }
}

} // namespace
