#include "device/fake_transport.h"
#include "device/protocol_vuz.h"
#include "device/recording_sink.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

struct Fixture {
    Fixture()
    {
        auto t = std::make_unique<CFakeTransport>();
        fake = t.get();
        protocol = std::make_unique<CProtocolVUZ>(std::move(t));
        protocol->notifyWindow = &sink;
        EXPECT_TRUE(protocol->CreateThread());
        EXPECT_TRUE(waitUntil([&] { return fake->isOpen(); }));
    }
    // Queues `code` and feeds `chunks` as the reply, one piece per read of the worker.
    void exchange(std::uint8_t code, const std::vector<Bytes>& chunks)
    {
        const std::size_t before = fake->requestCount();
        protocol->ClearCommands();
        protocol->AddCommand(code);
        ASSERT_TRUE(waitUntil([&] { return fake->requestCount() == before + 1; }));
        for (const Bytes& c : chunks) {
            fake->push(c);
            ASSERT_TRUE(waitUntil([&] { return fake->pendingBytes() == 0; }));
        }
    }
    bool notified(std::size_t count) const
    {
        return waitUntil([&] { return sink.received().size() >= count; });
    }

    CRecordingSink sink;
    CFakeTransport* fake;
    std::unique_ptr<CProtocolVUZ> protocol;
};

Bytes ramp(std::size_t n, int first)
{
    Bytes b(n);
    for (std::size_t i = 0; i < n; ++i)
        b[i] = static_cast<std::uint8_t>(first + static_cast<int>(i));
    return b;
}

// Splits `all` at the given offsets.
std::vector<Bytes> pieces(const Bytes& all, std::vector<std::size_t> cuts)
{
    std::vector<Bytes> out;
    std::size_t from = 0;
    cuts.push_back(all.size());
    for (std::size_t cut : cuts) {
        out.emplace_back(all.begin() + static_cast<std::ptrdiff_t>(from), all.begin() + static_cast<std::ptrdiff_t>(cut));
        from = cut;
    }
    return out;
}

} // namespace

TEST(ProtocolVuz, ParameterPackets)
{
    AcquisitionParams p;
    p.mode = 'L';
    p.sendLines = 1;
    p.receiveLines = 2;
    p.averaging = 8;
    p.gainCode = 200;
    p.rangeCode = 1023;
    p.windowCode = 7;
    p.pulseCode = 5000;
    p.windowStart = 0x123456;
    const auto window = CProtocolVUZ::ParameterPacket(p, false);
    const std::array<std::uint8_t, 16> expectedWindow = {'D', 16, 'L', 1, 2, 8, 200, 7, 0, 0x88, 0x13, 0x56, 0x34, 0x12, 0, 0};
    EXPECT_EQ(window, expectedWindow);

    // The full-range packet carries the range code and always starts at 38.
    const auto full = CProtocolVUZ::ParameterPacket(p, true);
    const std::array<std::uint8_t, 16> expectedFull = {'D', 16, 'L', 1, 2, 8, 200, 0xFF, 3, 0x88, 0x13, 38, 0, 0, 0, 0};
    EXPECT_EQ(full, expectedFull);

    p.windowStart = 43;
    const auto at43 = CProtocolVUZ::ParameterPacket(p, false);
    EXPECT_EQ((std::array<int, 3>{at43[11], at43[12], at43[13]}), (std::array<int, 3>{43, 0, 0}));
}

TEST(ProtocolVuz, RequestsOnTheWire)
{
    Fixture f;
    AcquisitionParams p;
    p.sendLines = p.receiveLines = 3;
    p.dataLength = 1002;
    p.windowStart = 4043;
    f.protocol->SetParams(p);
    f.exchange(CProtocolVUZ::kStart, {bytesOf(":OK\r\n")});
    f.exchange(CProtocolVUZ::kWindowParams, {bytesOf(":OK\r\n")});
    f.exchange(CProtocolVUZ::kWindowData, {ramp(1002, 0)});
    ASSERT_TRUE(f.notified(3));
    const auto sent = f.fake->requests();
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[0], (Bytes{'A', 3, 1}));
    const auto packet = CProtocolVUZ::ParameterPacket(p, false);
    EXPECT_EQ(sent[1], Bytes(packet.begin(), packet.end()));
    EXPECT_EQ(sent[2], (Bytes{'Z', 2}));
    EXPECT_EQ(f.sink.received(), (std::vector<int>{7, 1, 5}));
}

TEST(ProtocolVuz, AcknowledgementsAndRejections)
{
    struct Case {
        std::uint8_t code;
        std::vector<Bytes> reply;
        int notification;   // 0: rejected, the code stays queued
    };
    const std::vector<Case> cases = {
        {CProtocolVUZ::kStart, {bytesOf(":OK"), {0xFF, 0x00}}, 7},
        {CProtocolVUZ::kWindowParams, {{':'}, bytesOf("OK"), {1}, {2}}, 1},
        {CProtocolVUZ::kFullRangeParams, {bytesOf(":OK??")}, 2},
        {CProtocolVUZ::kWindowParams, {bytesOf(":E"), {1, 2}}, 0},
        {CProtocolVUZ::kStart, {{'x', '?'}}, 0},
        {CProtocolVUZ::kFullRangeParams, {bytesOf(":NO!!")}, 0},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.exchange(c.code, c.reply);
        if (c.notification != 0) {
            ASSERT_TRUE(f.notified(1));
            EXPECT_EQ(f.sink.received(), std::vector<int>{c.notification});
            ASSERT_TRUE(waitUntil([&] { return f.protocol->Queue().GetCount() == 0; }));
        } else {
            // Asked to run again, the worker finds the rejected code still at the head and resends it.
            f.protocol->PostThreadMessage(CComThread::kRunCommands);
            ASSERT_TRUE(waitUntil([&] { return f.fake->requestCount() == 2; }));
            f.protocol->EndThread();
            EXPECT_TRUE(f.sink.received().empty());
            EXPECT_EQ(f.protocol->Queue().Snapshot(), std::vector<std::uint8_t>{c.code});
        }
    }
}

TEST(ProtocolVuz, WindowReplyInPiecesFillsBothTraces)
{
    Fixture f;
    AcquisitionParams p;
    p.sendLines = p.receiveLines = 3;
    p.dataLength = 1002;
    f.protocol->SetParams(p);
    Bytes reply = ramp(1002, 7);
    reply[1000] = 0xA1;
    reply[1001] = 0xB2;
    f.exchange(CProtocolVUZ::kWindowData, pieces(reply, {1, 3, 499, 500, 501, 1001}));
    ASSERT_TRUE(f.notified(1));
    EXPECT_EQ(f.sink.received(), std::vector<int>{5});
    EXPECT_TRUE(std::equal(f.protocol->trace1.begin(), f.protocol->trace1.end(), reply.begin()));
    EXPECT_TRUE(std::equal(f.protocol->trace2.begin(), f.protocol->trace2.end(), reply.begin() + 500));
    EXPECT_EQ(f.protocol->status1, 0xA1);
    EXPECT_EQ(f.protocol->status2, 0xB2);
}

TEST(ProtocolVuz, SecondLineAloneKeepsTheFirstTrace)
{
    Fixture f;
    f.protocol->trace1.fill(0x5A);
    AcquisitionParams p;
    p.sendLines = p.receiveLines = 2;
    p.dataLength = 502;
    f.protocol->SetParams(p);
    const Bytes reply = ramp(502, 100);
    f.exchange(CProtocolVUZ::kWindowData, pieces(reply, {250}));
    ASSERT_TRUE(f.notified(1));
    EXPECT_TRUE(std::equal(f.protocol->trace2.begin(), f.protocol->trace2.end(), reply.begin()));
    EXPECT_TRUE(std::all_of(f.protocol->trace1.begin(), f.protocol->trace1.end(), [](int v) { return v == 0x5A; }));
    EXPECT_EQ(f.protocol->status1, reply[500]);
    EXPECT_EQ(f.protocol->status2, reply[501]);
}

TEST(ProtocolVuz, LongRecordWhateverTheLineMask)
{
    Fixture f;
    AcquisitionParams p;
    p.mode = 'L';
    p.sendLines = p.receiveLines = 3;
    p.dataLength = 8002;
    f.protocol->SetParams(p);
    const Bytes reply = ramp(8002, 1);
    f.exchange(CProtocolVUZ::kWindowData, pieces(reply, {2, 4, 4001, 7999, 8001}));
    ASSERT_TRUE(f.notified(1));
    EXPECT_EQ(f.sink.received(), std::vector<int>{8});
    EXPECT_TRUE(std::equal(f.protocol->longTrace.begin(), f.protocol->longTrace.end(), reply.begin()));
    EXPECT_EQ(f.protocol->status1, reply[8000]);
    EXPECT_EQ(f.protocol->status2, reply[8001]);
}

TEST(ProtocolVuz, ErrorAndQuestionRepliesToDataRequests)
{
    struct Case {
        std::uint8_t code;
        Bytes reply;
        int notification;
        std::uint16_t status1, status2;
    };
    const std::vector<Case> cases = {
        {CProtocolVUZ::kWindowData, {':', 'E', 0x12, 0x34}, 3, 0x12, 0x34},
        {CProtocolVUZ::kFullRangeData, {':', 'E', 0x12, 0x34}, 4, 0, 0},
        // A "?" reply carries no samples: reported like an error, nothing copied, status kept.
        {CProtocolVUZ::kWindowData, {0x00, '?'}, 3, 0, 0},
        {CProtocolVUZ::kFullRangeData, {'a', '?'}, 4, 0, 0},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.protocol->trace1.fill(9);
        f.protocol->overview1.fill(9);
        AcquisitionParams p;
        p.sendLines = p.receiveLines = 1;
        p.dataLength = 502;
        f.protocol->SetParams(p);
        f.exchange(c.code, {c.reply});
        ASSERT_TRUE(f.notified(1));
        EXPECT_EQ(f.sink.received(), std::vector<int>{c.notification});
        EXPECT_EQ(f.protocol->status1, c.status1);
        EXPECT_EQ(f.protocol->status2, c.status2);
        EXPECT_EQ(f.protocol->trace1[0], 9);
        EXPECT_EQ(f.protocol->trace1[1], 9);
        EXPECT_EQ(f.protocol->overview1[1], 9);
    }
}

TEST(ProtocolVuz, FullRangeReplyGoesToTheOverviewOnly)
{
    Fixture f;
    AcquisitionParams p;
    p.sendLines = p.receiveLines = 3;
    p.dataLength = 1002;
    f.protocol->SetParams(p);
    const Bytes reply = ramp(1002, 50);
    f.exchange(CProtocolVUZ::kFullRangeData, pieces(reply, {700}));
    ASSERT_TRUE(f.notified(1));
    EXPECT_EQ(f.sink.received(), std::vector<int>{6});
    EXPECT_TRUE(std::equal(f.protocol->overview1.begin(), f.protocol->overview1.end(), reply.begin()));
    EXPECT_TRUE(std::equal(f.protocol->overview2.begin(), f.protocol->overview2.end(), reply.begin() + 500));
    EXPECT_EQ(f.protocol->status1, 0);
    EXPECT_EQ(f.protocol->trace1[0], 0);
}

TEST(ProtocolVuz, ParametersChangedAfterTheRequestDoNotChangeHowItsReplyIsRead)
{
    Fixture f;
    AcquisitionParams p;
    p.sendLines = p.receiveLines = 1;
    p.dataLength = 502;
    f.protocol->SetParams(p);
    const Bytes reply = ramp(502, 3);
    f.protocol->AddCommand(CProtocolVUZ::kWindowData);
    ASSERT_TRUE(waitUntil([&] { return f.fake->requestCount() == 1; }));
    p.receiveLines = 3;
    p.dataLength = 1002;
    f.protocol->SetParams(p);   // the owner rebuilds its packet while the reply is on its way
    f.fake->push(reply);
    ASSERT_TRUE(f.notified(1));
    EXPECT_EQ(f.sink.received(), std::vector<int>{5});
    EXPECT_TRUE(std::equal(f.protocol->trace1.begin(), f.protocol->trace1.end(), reply.begin()));
    EXPECT_EQ(f.protocol->trace2[0], 0);
}
