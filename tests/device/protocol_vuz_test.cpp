#include "device/com_thread.h"
#include "support/fake_transport.h"
#include "device/protocol_vuz.h"
#include "device/recording_sink.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

// The protocol on a worker over a scripted transport.
struct Fixture {
    Fixture()
    {
        auto t = std::make_unique<CFakeTransport>();
        fake = t.get();
        worker = std::make_unique<CComThread>(std::move(t), std::make_unique<CProtocolVUZ>());
        worker->notifyWindow = &sink;
        EXPECT_TRUE(worker->createThread());
        EXPECT_TRUE(waitUntil([&] { return fake->isOpen(); }));
    }
    // Queues the command; `chunks` are its reply, one piece arriving during each read of the worker.
    void exchange(std::uint8_t code, const AcquisitionParams& params, const std::vector<Bytes>& chunks)
    {
        const std::size_t before = fake->requestCount();
        fake->onRequest = [chunks](const Bytes&) { return chunks; };
        worker->clearCommands();
        worker->addCommand(DeviceCommand{code, ++cycle, params});
        ASSERT_TRUE(waitUntil([&] { return fake->requestCount() == before + 1; }));
    }
    bool notified(std::size_t count) const
    {
        return waitUntil([&] { return sink.received().size() >= count; });
    }
    DeviceNotification last() const { return sink.notifications().back(); }

    CRecordingSink sink;
    CFakeTransport* fake;
    std::unique_ptr<CComThread> worker;
    std::uint32_t cycle = 0;
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

AcquisitionParams lines(int mask, int dataLength, RecordMode mode = RecordMode::Normal)
{
    AcquisitionParams p;
    p.mode = mode;
    p.sendLines = p.receiveLines = static_cast<std::uint8_t>(mask);
    p.dataLength = dataLength;
    return p;
}

bool sameBytes(const std::optional<std::array<std::uint8_t, kLineSamples>>& line, const Bytes& reply, std::size_t from)
{
    return line && std::equal(line->begin(), line->end(), reply.begin() + static_cast<std::ptrdiff_t>(from));
}

} // namespace

TEST(ProtocolVuz, ParameterPackets)
{
    AcquisitionParams p;
    p.mode = RecordMode::Long;
    p.sendLines = 1;
    p.receiveLines = 2;
    p.averaging = 8;
    p.gainCode = 200;
    p.rangeCode = 1023;
    p.windowCode = 7;
    p.pulseCode = 5000;
    p.windowStart = 0x123456;
    const auto window = CProtocolVUZ::parameterPacket(p, false);
    const std::array<std::uint8_t, 16> expectedWindow = {'D', 16, 'L', 1, 2, 8, 200, 7, 0, 0x88, 0x13, 0x56, 0x34, 0x12, 0, 0};
    EXPECT_EQ(window, expectedWindow);

    // The full-range packet carries the range code and always starts at 38.
    const auto full = CProtocolVUZ::parameterPacket(p, true);
    const std::array<std::uint8_t, 16> expectedFull = {'D', 16, 'L', 1, 2, 8, 200, 0xFF, 3, 0x88, 0x13, 38, 0, 0, 0, 0};
    EXPECT_EQ(full, expectedFull);

    p.windowStart = 43;
    const auto at43 = CProtocolVUZ::parameterPacket(p, false);
    EXPECT_EQ((std::array<int, 3>{at43[11], at43[12], at43[13]}), (std::array<int, 3>{43, 0, 0}));

    // The instrument knows the modes by these bytes.
    p.mode = RecordMode::Normal;
    EXPECT_EQ(CProtocolVUZ::parameterPacket(p, false)[2], 'Y');
    EXPECT_EQ(CProtocolVUZ::parameterPacket(p, true)[2], 'Y');
}

TEST(ProtocolVuz, CompletionRule)
{
    struct Case {
        const char* what;
        std::uint8_t code;
        int dataLength;
        Bytes received;
        ReplyCheck expected;
        std::uint32_t beforeVerdict = 0;   // bytes more that are certainly Incomplete too (the worker skips reads)
    };
    const std::vector<Case> cases = {
        {"acknowledgement at five bytes", CProtocolVUZ::kStart, 0, bytesOf(":OK\r\n"), ReplyCheck::Complete},
        {"four bytes of an acknowledgement", CProtocolVUZ::kWindowParams, 0, bytesOf(":OK\r"), ReplyCheck::Incomplete, 1},
        {"overshoot is not a reply", CProtocolVUZ::kWindowParams, 0, bytesOf(":OK\r\n!"), ReplyCheck::Overlong},
        {"data overshoot", CProtocolVUZ::kWindowData, 502, ramp(503, 0), ReplyCheck::Overlong},
        {"data at its length", CProtocolVUZ::kWindowData, 502, ramp(502, 0), ReplyCheck::Complete},
        {"'?' second of two bytes", CProtocolVUZ::kWindowData, 502, {0, '?'}, ReplyCheck::CompleteIfQuiet},
        {"'E' second of four bytes", CProtocolVUZ::kWindowData, 1002, {':', 'E', 1, 2}, ReplyCheck::CompleteIfQuiet},
        {"'E' second of four bytes without ':' first", CProtocolVUZ::kWindowData, 502, {0x45, 'E', 1, 2},
         ReplyCheck::Incomplete, 498},
        {"'E' second of three bytes", CProtocolVUZ::kWindowData, 502, {':', 'E', 1}, ReplyCheck::Incomplete},
        {"'?' second of four bytes", CProtocolVUZ::kWindowData, 502, {0, '?', 1, 2}, ReplyCheck::Incomplete, 498},
        {"data under way", CProtocolVUZ::kWindowData, 1002, ramp(300, 0), ReplyCheck::Incomplete, 702},
        {"nothing yet", CProtocolVUZ::kWindowData, 502, {}, ReplyCheck::Incomplete},
    };
    for (const Case& c : cases) {
        CProtocolVUZ codec;
        std::array<std::uint8_t, CComThread::kBufferSize> buffer{};
        codec.buildRequest(DeviceCommand{c.code, 1, lines(1, c.dataLength)}, buffer.data());
        buffer.fill(0);
        std::copy(c.received.begin(), c.received.end(), buffer.begin());
        const auto total = static_cast<std::uint32_t>(c.received.size());
        EXPECT_EQ(codec.checkReply(buffer.data(), total), c.expected) << c.what;
        if (c.expected != ReplyCheck::Incomplete)
            continue;
        EXPECT_EQ(codec.bytesBeforeVerdict(buffer.data(), total), c.beforeVerdict) << c.what;
        // The promise the worker relies on: whatever the bytes, nothing short of that is judged.
        buffer.fill('E');
        std::copy(c.received.begin(), c.received.end(), buffer.begin());
        for (std::uint32_t more = 1; more < c.beforeVerdict; ++more) {
            ASSERT_EQ(codec.checkReply(buffer.data(), total + more), ReplyCheck::Incomplete) << c.what << " +" << more;
        }
        if (c.beforeVerdict != 0) {
            EXPECT_NE(codec.checkReply(buffer.data(), total + c.beforeVerdict), ReplyCheck::Incomplete) << c.what;
        }
    }
}

TEST(ProtocolVuz, WhatEachReplyCarries)
{
    const Bytes both = ramp(1002, 7);
    const Bytes one = ramp(502, 100);
    const Bytes longRecord = ramp(8002, 1);
    struct Case {
        const char* what;
        std::uint8_t code;
        AcquisitionParams params;
        Bytes reply;
        bool accepted;
        int notification;
        int line1From, line2From;   // offset of each line's samples in the reply; -1: not carried
        int statusAt;               // offset of the two status bytes; -1: none
    };
    Bytes errorLike = one;
    errorLike[0] = ':';
    errorLike[1] = 'E';
    const std::vector<Case> cases = {
        {"start acknowledged, any two bytes after it", CProtocolVUZ::kStart, {}, {':', 'O', 'K', 0xFF, 0}, true, 7, -1, -1, -1},
        {"window packet acknowledged", CProtocolVUZ::kWindowParams, {}, bytesOf(":OK\r\n"), true, 1, -1, -1, -1},
        {"full-range packet acknowledged", CProtocolVUZ::kFullRangeParams, {}, bytesOf(":OK??"), true, 2, -1, -1, -1},
        {"error reply to a packet is rejected", CProtocolVUZ::kWindowParams, {}, {':', 'E', 1, 2}, false, 0, -1, -1, -1},
        {"'?' reply to the start is rejected", CProtocolVUZ::kStart, {}, {'x', '?'}, false, 0, -1, -1, -1},
        {"both lines", CProtocolVUZ::kWindowData, lines(3, 1002), both, true, 5, 0, 500, 1000},
        {"line 2 alone", CProtocolVUZ::kWindowData, lines(2, 502), one, true, 5, -1, 0, 500},
        {"line 1 alone", CProtocolVUZ::kWindowData, lines(1, 502), one, true, 5, 0, -1, 500},
        {"full range keeps no status", CProtocolVUZ::kFullRangeData, lines(3, 1002), both, true, 6, 0, 500, -1},
        {"error reply to window data", CProtocolVUZ::kWindowData, lines(1, 502), {':', 'E', 0x12, 0x34}, true, 3, -1, -1, 2},
        {"error reply to full-range data", CProtocolVUZ::kFullRangeData, lines(1, 502), {':', 'E', 0x12, 0x34}, true, 4, -1, -1, -1},
        {"'?' reply to window data: nothing stored", CProtocolVUZ::kWindowData, lines(1, 502), {0, '?'}, true, 3, -1, -1, -1},
        {"'?' reply to full-range data", CProtocolVUZ::kFullRangeData, lines(1, 502), {'a', '?'}, true, 4, -1, -1, -1},
        {"four bytes with 'E' but no ':' are no data", CProtocolVUZ::kWindowData, lines(1, 502), {7, 'E', 1, 2}, true, 3, -1, -1, -1},
        {"a whole reply beginning ':E' is data", CProtocolVUZ::kWindowData, lines(1, 502), errorLike, true, 5, 0, -1, 500},
        {"short long record is never a record", CProtocolVUZ::kWindowData, lines(1, 8002, RecordMode::Long), {7, 'E', 1, 2}, true, 3, -1, -1, -1},
    };
    for (const Case& c : cases) {
        CProtocolVUZ codec;
        DeviceNotification n;
        const bool accepted = codec.handleReply(DeviceCommand{c.code, 9, c.params}, c.reply.data(),
                                                static_cast<std::uint32_t>(c.reply.size()), n);
        EXPECT_EQ(accepted, c.accepted) << c.what;
        if (!accepted)
            continue;
        EXPECT_EQ(n.code, c.notification) << c.what;
        EXPECT_EQ(n.line1.has_value(), c.line1From >= 0) << c.what;
        EXPECT_EQ(n.line2.has_value(), c.line2From >= 0) << c.what;
        if (c.line1From >= 0) {
            EXPECT_TRUE(sameBytes(n.line1, c.reply, static_cast<std::size_t>(c.line1From))) << c.what;
        }
        if (c.line2From >= 0) {
            EXPECT_TRUE(sameBytes(n.line2, c.reply, static_cast<std::size_t>(c.line2From))) << c.what;
        }
        ASSERT_EQ(n.status.has_value(), c.statusAt >= 0) << c.what;
        if (c.statusAt >= 0) {
            EXPECT_EQ((*n.status)[0], c.reply[static_cast<std::size_t>(c.statusAt)]) << c.what;
            EXPECT_EQ((*n.status)[1], c.reply[static_cast<std::size_t>(c.statusAt) + 1]) << c.what;
        }
        EXPECT_TRUE(n.longRecord.empty()) << c.what;
    }

    // A whole long record, whatever the line mask.
    CProtocolVUZ codec;
    DeviceNotification n;
    ASSERT_TRUE(codec.handleReply(DeviceCommand{CProtocolVUZ::kWindowData, 1, lines(3, 8002, RecordMode::Long)}, longRecord.data(), 8002, n));
    EXPECT_EQ(n.code, 8);
    EXPECT_EQ(n.longRecord, Bytes(longRecord.begin(), longRecord.begin() + 8000));
    EXPECT_EQ(*n.status, (std::array<std::uint16_t, 2>{longRecord[8000], longRecord[8001]}));
}

TEST(ProtocolVuz, RequestsOnTheWire)
{
    Fixture f;
    AcquisitionParams p = lines(3, 1002);
    p.windowStart = 4043;
    f.exchange(CProtocolVUZ::kStart, p, {bytesOf(":OK\r\n")});
    ASSERT_TRUE(f.notified(1));
    f.exchange(CProtocolVUZ::kWindowParams, p, {bytesOf(":OK\r\n")});
    ASSERT_TRUE(f.notified(2));
    f.exchange(CProtocolVUZ::kWindowData, p, pieces(ramp(1002, 0), {1, 3, 499, 500, 501, 1001}));
    ASSERT_TRUE(f.notified(3));
    const auto sent = f.fake->requests();
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[0], (Bytes{'A', 3, 1}));
    const auto packet = CProtocolVUZ::parameterPacket(p, false);
    EXPECT_EQ(sent[1], Bytes(packet.begin(), packet.end()));
    EXPECT_EQ(sent[2], (Bytes{'Z', 2}));
    EXPECT_EQ(f.sink.received(), (std::vector<int>{7, 1, 5}));
    EXPECT_EQ(f.last().cycle, 3u);   // each notification echoes the cycle of its command
    EXPECT_TRUE(sameBytes(f.last().line2, ramp(1002, 0), 500));
}

// A data reply whose first piece looks like a whole "?" or error reply is read on when more arrives;
// a genuine short reply is taken after one quiet read.
TEST(ProtocolVuz, ShortLookingFirstPiecesOfDataReplies)
{
    Bytes question = ramp(502, 0);
    question[1] = '?';
    Bytes error = ramp(1002, 0);
    error[1] = 'E';
    Bytes longRecord = ramp(8002, 0);
    longRecord[1] = 'E';
    struct Case {
        const char* what;
        AcquisitionParams params;
        std::vector<Bytes> chunks;
        int notification;
    };
    const std::vector<Case> cases = {
        {"'?' at two bytes, then the rest", lines(1, 502), pieces(question, {2}), 5},
        {"'E' at four bytes, then the rest", lines(3, 1002), pieces(error, {4}), 5},
        {"long record with 'E' at four bytes", lines(1, 8002, RecordMode::Long), pieces(longRecord, {4, 3000}), 8},
        {"a genuine '?' reply", lines(1, 502), {{0, '?'}}, 3},
        {"a genuine error reply", lines(1, 502), {{':', 'E', 5, 6}}, 3},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.exchange(CProtocolVUZ::kWindowData, c.params, c.chunks);
        ASSERT_TRUE(f.notified(1)) << c.what;
        const DeviceNotification n = f.last();
        EXPECT_EQ(n.code, c.notification) << c.what;
        Bytes all;
        for (const Bytes& piece : c.chunks)
            all.insert(all.end(), piece.begin(), piece.end());
        if (c.notification == 5) {
            EXPECT_TRUE(sameBytes(n.line1, all, 0)) << c.what;
        }
        if (c.notification == 8) {
            EXPECT_EQ(n.longRecord, Bytes(all.begin(), all.begin() + 8000)) << c.what;
        }
        EXPECT_EQ(f.fake->pendingBytes(), 0u) << c.what;   // nothing left to spoil the next reply
    }
}

TEST(ProtocolVuz, RejectedAcknowledgementKeepsThePacketQueued)
{
    Fixture f;
    f.exchange(CProtocolVUZ::kWindowParams, {}, {{':', 'E', 1, 2}});
    ASSERT_TRUE(waitUntil([&] { return f.fake->readCount() >= 2; }));
    // Asked to run again, the worker finds the rejected code still at the head and resends it.
    f.worker->postThreadMessage(CComThread::kRunCommands);
    ASSERT_TRUE(waitUntil([&] { return f.fake->requestCount() == 2; }));
    f.worker->endThread();
    EXPECT_TRUE(f.sink.received().empty());
    EXPECT_EQ(f.worker->queue().snapshot(), std::vector<std::uint8_t>{CProtocolVUZ::kWindowParams});
}
