#include "fuzz/fuzz_entries.h"

#include "document/text_codec.h"
#include "files/reflectogram_file.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using Entry = int (*)(const std::uint8_t*, std::size_t);

void feed(Entry entry, const std::vector<std::string>& seeds)
{
    for (const std::string& seed : seeds)
        EXPECT_EQ(entry(reinterpret_cast<const std::uint8_t*>(seed.data()), seed.size()), 0);
}

std::string reflectogramWith(int scaleIndex, int pulseIndex)
{
    ReflectogramRecord r;
    r.scaleIndex = scaleIndex;
    r.pulseIndex = pulseIndex;
    std::string bytes = encodeReflectogram(r);
    std::memcpy(bytes.data() + 4, &scaleIndex, 4);
    std::memcpy(bytes.data() + 8, &pulseIndex, 4);
    return bytes;
}

TEST(FuzzEntries, SeedInputsPass)
{
    const std::string valid = reflectogramWith(4, 3);
    feed(fuzzReflectogramFile, {"", valid, valid.substr(0, 8511), valid + "tail", reflectogramWith(11, 0),
                                reflectogramWith(0, -1), std::string(9000, '\xFF')});
    feed(fuzzSectionFile, {"", "[PIECE]\r\nAMOUNT=2\r\n[SITE1]\r\nLENGTH1=100000\r\nVFACTOR1=2000\r\n",
                           "[PIECE]\nAMOUNT=3\n[SITE2]\nVFACTOR2=\n[SITE3]\nVFACTOR3=-1\nLENGTH3=-99999999999\n",
                           "[PIECE]\nAMOUNT=99999\n", "[PIECE\nAMOUNT\n=\n\x98\xFF\x00"});
    feed(fuzzTableFile, {"", codec::utf8ToUtf16le("a\r\n1.5\r\nb\n\n\r"), codec::utf8ToUtf16le("x\n0\ny\nabc"),
                         "\xFF\xFE\x00", std::string("\x00\xD8\x41\x00", 4)});
    feed(fuzzSettingsFile, {"", "[VARNEL]\nSCALE=99\nPULSE=-4\nVFACTOR=4294967295\nCURSOR1=99999999999\n",
                            "[VARNEL]\r\nSCALE=10\r\nCURSOR1=123456\r\nCURSOR2=-1\r\nY_L1=-900\r\nMOUSE=8\r\n",
                            "\xEF\xBB\xBF[varnel]\nscale=3\nAPPOXIMATION=0\n"});
    // Device replies: code, line mask, length choice, mode, reads, read sizes, bytes.
    std::string longRecord = std::string("\x03\x01\x03\x01\x02\x00\x01", 7) + std::string(8002, 'E');
    longRecord[8] = 'E';
    feed(fuzzDeviceReply, {"", std::string("\x03\x01\x01\x00\x01\x00", 6) + std::string(1, '\0') + "?" + std::string(500, 'x'),
                           std::string("\x03\x03\x02\x00\x02\x00\x00", 7) + ":E\x01\x02",
                           std::string("\x04\x00\x00\x00\x00", 5) + ":OK\r\n", std::string("\x01\x00\x00\x00\x00", 5) + ":E12",
                           longRecord, std::string("\x02\x02\x01\x00\x03\x01\x01\x01", 8) + std::string(502, '?')});
}

} // namespace
