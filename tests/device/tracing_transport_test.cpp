#include "device/tracing_transport.h"
#include "support/fake_transport.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

namespace {

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// What crossed the link, in order, each event stamped with the local time; the calls pass through.
TEST(TracingTransport, EveryRequestAndReplyInHexWithItsTime)
{
    auto fake = std::make_unique<CFakeTransport>();
    CFakeTransport& link = *fake;
    link.onRequest = [](const Bytes&) { return std::vector<Bytes>{bytesOf(":OK\x01"), Bytes{0x00}}; };
    std::ostringstream trace;
    CTracingTransport tracer(std::move(fake), trace);

    EXPECT_EQ(tracer.open(), ft::kOk);
    std::uint32_t n = 0;
    const Bytes start = {'A', 3, 1};
    EXPECT_EQ(tracer.write(start.data(), 3, n), ft::kOk);
    EXPECT_EQ(n, 3u);
    std::uint8_t buffer[64];
    for (int i = 0; i < 3; ++i)   // the reply in two pieces, then a read that brings nothing
        EXPECT_EQ(tracer.read(buffer, sizeof buffer, n), ft::kOk);
    Bytes block(40);
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<std::uint8_t>(i);
    EXPECT_EQ(tracer.write(block.data(), 40, n), ft::kOk);
    link.failNextWrite(ft::kIoError);
    EXPECT_EQ(tracer.write(start.data(), 3, n), ft::kIoError);
    EXPECT_EQ(tracer.close(), ft::kOk);
    EXPECT_EQ(tracer.read(buffer, sizeof buffer, n), ft::kInvalidHandle);
    EXPECT_EQ(tracer.setBaudRate(115200), link.setBaudRate(115200));

    const std::vector<std::string> lines = linesOf(trace.str());
    const std::regex stamp(R"(^\d\d:\d\d:\d\d\.\d{6} )");
    const std::vector<std::string> expected = {
        "open fake: ok",
        "> 41 03 01",
        "< 3A 4F 4B 01",
        "< 00",
        "> 00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F 10 11 12 13 14 15 16 17 18 19 1A 1B 1C 1D 1E 1F",
        "                  20 21 22 23 24 25 26 27",
        "> (input/output error)",
        "close: ok",
        "< (not open)",
        "baud rate: not open",
    };
    ASSERT_EQ(lines.size(), expected.size()) << trace.str();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const bool continuation = expected[i].front() == ' ';
        if (continuation) {
            EXPECT_EQ(lines[i], expected[i]) << i;
            continue;
        }
        EXPECT_TRUE(std::regex_search(lines[i], stamp)) << lines[i];
        EXPECT_EQ(lines[i].substr(16), expected[i]) << i;
    }
    EXPECT_EQ(link.requests().size(), 2u);   // the failed write never reached the link
}

} // namespace
