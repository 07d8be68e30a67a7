#include "files/reflectogram_file.h"
#include "files/library/memory_file.h"
#include "measurement/channel_record.h"

#include "support/temp_dir.h"
#include "document/varnel_doc.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <cstring>
#include <sys/resource.h>
#include <sys/stat.h>
#include <utime.h>

namespace {

std::int32_t intAt(const std::string& bytes, std::size_t offset)
{
    std::int32_t v = 0;
    std::memcpy(&v, bytes.data() + offset, 4);   // the build machines are little-endian, as the files are
    return v;
}

void putIntAt(std::string& bytes, std::size_t offset, std::int32_t v) { std::memcpy(bytes.data() + offset, &v, 4); }

std::array<std::uint8_t, kRawSamples> pattern()
{
    std::array<std::uint8_t, kRawSamples> s{};
    for (int i = 0; i < kRawSamples; ++i)
        s[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return s;
}

TEST(ReflectogramFile, WritesTheFixedLayout)
{
    TempDir dir;
    const std::string path = dir.file("a.tdr");
    CVarnelDoc doc;
    doc.scale = 1000;
    doc.pulse = 100;
    doc.average = 3;
    doc.gain = 7;
    doc.vfactor = 2.01;
    doc.traces[L2].status = 5;
    ASSERT_TRUE(writeReflectogram(path, doc, L2, pattern()));

    const std::string bytes = readText(path);
    ASSERT_EQ(bytes.size(), 8512u);
    const std::int32_t header[] = {8000, 4, 3, 3, 7, 5, 2009};   // 2.01 x 1000 is just below 2010
    for (std::size_t i = 0; i < std::size(header); ++i)
        EXPECT_EQ(intAt(bytes, 4 * i), header[i]) << "offset " << 4 * i;
    EXPECT_EQ(bytes.find_first_not_of('\0', 28), 512u);
    EXPECT_EQ(std::memcmp(bytes.data() + 512, pattern().data(), kRawSamples), 0);
}

TEST(ReflectogramFile, StoresTableIndicesAndTruncatedKu)
{
    struct Case { double scale, pulse, ku; int scaleIndex, pulseIndex, ku1000; };
    const Case cases[] = {
        {62.5, 10, 1.5, 0, 0, 1500},
        {1000, 100, 1.52, 4, 3, 1520},
        {64000, 50000, 2.01, 10, 11, 2009},
        {2000, 20000, 1.999, 5, 10, 1999},
        {500, 7, 1.0, 3, 11, 1000},   // a pulse outside the table is stored as 50 us
    };
    for (const Case& c : cases) {
        CVarnelDoc doc;
        doc.scale = c.scale;
        doc.pulse = c.pulse;
        doc.vfactor = c.ku;
        const ReflectogramRecord r = makeReflectogramRecord(doc, L1, pattern());
        EXPECT_EQ(r.scaleIndex, c.scaleIndex) << c.scale;
        EXPECT_EQ(r.pulseIndex, c.pulseIndex) << c.pulse;
        EXPECT_EQ(r.kuThousandths, c.ku1000) << c.ku;
    }
}

TEST(ReflectogramFile, ReadsBackIntoAMemory)
{
    TempDir dir;
    const std::string path = dir.file("a.tdr");
    CVarnelDoc doc;
    doc.scale = 1000;
    doc.pulse = 50000;
    doc.average = 2;
    doc.gain = 9;
    doc.vfactor = 2.01;
    doc.traces[L1].status = -3;
    ASSERT_TRUE(writeReflectogram(path, doc, L1, pattern()));
    const std::time_t when = 1700000000;
    utimbuf times{when, when};
    ASSERT_EQ(utime(path.c_str(), &times), 0);

    Trace t;
    t.name = "kept";
    ASSERT_TRUE(readReflectogram(path, t));
    EXPECT_EQ(t.raw, pattern());
    EXPECT_EQ(t.memScale, 1000);
    EXPECT_EQ(t.memPulse, 50000);
    EXPECT_EQ(t.memAverage, 2);
    EXPECT_EQ(t.memGain, 9);
    EXPECT_EQ(t.status, -3);
    EXPECT_DOUBLE_EQ(t.memKU, 2.009);
    EXPECT_EQ(t.memTime, toLocalTime(when));
    EXPECT_EQ(t.name, "kept");

    ReflectogramHeader h;
    ASSERT_TRUE(readReflectogramHeader(path, h));
    EXPECT_EQ(h.scale, 1000);
    EXPECT_EQ(h.pulse, 50000);
    EXPECT_DOUBLE_EQ(h.ku, 2.009);
}

TEST(ReflectogramFile, IgnoresCountReservedBytesAndTail)
{
    ReflectogramRecord written;
    written.scaleIndex = 7;
    written.pulseIndex = 2;
    written.kuThousandths = 1500;
    written.samples = pattern();
    std::string bytes = encodeReflectogram(written);
    putIntAt(bytes, 0, 12345);
    for (std::size_t i = 28; i < 512; ++i)
        bytes[i] = static_cast<char>(0xA5);
    bytes += "trailing bytes of a longer file";

    ReflectogramRecord read;
    ASSERT_TRUE(decodeReflectogram(bytes, read));
    EXPECT_EQ(read.scaleIndex, 7);
    EXPECT_EQ(read.pulseIndex, 2);
    EXPECT_EQ(read.samples, pattern());
    EXPECT_EQ(read.samples[0], bytes[512]);
    EXPECT_EQ(encodeReflectogram(read).substr(512), encodeReflectogram(written).substr(512));
}

TEST(ReflectogramFile, RefusesBadFilesAndLeavesTheTraceUntouched)
{
    TempDir dir;
    ReflectogramRecord good;
    good.samples = pattern();
    const std::string valid = encodeReflectogram(good);
    auto withInt = [&](std::size_t offset, std::int32_t v) {
        std::string b = valid;
        putIntAt(b, offset, v);
        return b;
    };
    struct Case { const char* name; std::string bytes; const char* reason; };
    const Case cases[] = {
        {"short.tdr", valid.substr(0, 8511), "too short"},
        {"empty.tdr", "", "too short"},
        {"scale-neg.tdr", withInt(4, -1), "range index -1"},
        {"scale-11.tdr", withInt(4, 11), "range index 11"},
        {"pulse-12.tdr", withInt(8, 12), "pulse index 12"},
        {"pulse-neg.tdr", withInt(8, -5), "pulse index -5"},
    };
    for (const Case& c : cases) {
        const std::string path = dir.file(c.name);
        writeText(path, c.bytes);
        Trace t;
        t.raw.fill(9);
        t.memScale = 4000;
        t.memKU = 1.7;
        t.status = 42;
        const Status s = readReflectogram(path, t);
        EXPECT_FALSE(s.ok()) << c.name;
        EXPECT_NE(s.reason().find(path), std::string::npos) << s.reason();
        EXPECT_NE(s.reason().find(c.reason), std::string::npos) << s.reason();
        EXPECT_EQ(t.raw[0], 9);
        EXPECT_EQ(t.raw[kRawSamples - 1], 9);
        EXPECT_EQ(t.memScale, 4000);
        EXPECT_EQ(t.memKU, 1.7);
        EXPECT_EQ(t.status, 42);
        ReflectogramHeader h;
        EXPECT_FALSE(readReflectogramHeader(path, h).ok()) << c.name;
    }
    Trace t;
    EXPECT_FALSE(readReflectogram(dir.file("missing.tdr"), t).ok());
    EXPECT_FALSE(readReflectogram(dir.path().string(), t).ok());
}

TEST(ReflectogramFile, FullDiskKeepsTheOldFile)
{
    TempDir dir;
    const std::string path = dir.file("a.tdr");
    writeText(path, "old");
    ReflectogramRecord r;

    // A file-size limit makes the write fail as a full disk does, even for root.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit tiny = old;
    tiny.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &tiny);
    const Status full = writeReflectogram(path, r);
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_FALSE(full.ok());
    EXPECT_EQ(readText(path), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);   // no temporary left
}

// Makes a folder read-only for as long as it lives: by its permissions, or, for root who ignores
// those, by the file system's immutable flag.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const std::string& dir) : path(dir)
    {
        if (geteuid() != 0) {
            done = chmod(path.c_str(), 0500) == 0;
            return;
        }
        const int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY);
        int flags = 0;
        done = fd >= 0 && ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0 &&
               (flags |= FS_IMMUTABLE_FL, ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0);
        if (fd >= 0)
            close(fd);
    }
    ~ReadOnlyFolder()
    {
        if (!done)
            return;
        if (geteuid() != 0) {
            chmod(path.c_str(), 0700);
            return;
        }
        const int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY);
        int flags = 0;
        if (fd >= 0 && ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
            flags &= ~FS_IMMUTABLE_FL;
            ioctl(fd, FS_IOC_SETFLAGS, &flags);
        }
        if (fd >= 0)
            close(fd);
    }
    bool done = false;

private:
    std::string path;
};

TEST(ReflectogramFile, WriteIntoAReadOnlyFolderFails)
{
    TempDir dir;
    const std::string path = dir.file("a.tdr");
    writeText(path, "old");
    Status s = Status::success();
    {
        ReadOnlyFolder readOnly(dir.path().string());
        if (!readOnly.done)
            GTEST_SKIP() << "this file system cannot make the folder read-only";
        s = writeReflectogram(path, ReflectogramRecord{});
    }
    EXPECT_FALSE(s.ok());
    EXPECT_NE(s.reason().find(path), std::string::npos);
    EXPECT_EQ(readText(path), "old");
}

} // namespace
