#include "device/com_thread.h"
#include "support/fake_transport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <map>
#include <mutex>

namespace {

// A codec whose replies are whole at exactly `expected` bytes and whose handlers record what they got.
class CTestCodec : public CDeviceCodec {
public:
    std::uint32_t buildRequest(const DeviceCommand& command, std::uint8_t* b) override
    {
        if (!known.count(command.code))
            return 0;
        b[0] = command.code;
        b[1] = 2;
        return 2;
    }
    ReplyCheck checkReply(const std::uint8_t*, std::uint32_t total) const override
    {
        return total == expected ? ReplyCheck::Complete : ReplyCheck::Incomplete;
    }
    bool handleReply(const DeviceCommand& command, const std::uint8_t* b, std::uint32_t total,
                     DeviceNotification& out) override
    {
        std::lock_guard lock(handledLock);
        handled.push_back({command.code, Bytes(b, b + total)});
        out.code = command.code;
        return known.at(command.code);
    }

    void addCode(std::uint8_t code, bool accept = true) { known[code] = accept; }
    std::vector<std::pair<int, Bytes>> handledSoFar()
    {
        std::lock_guard lock(handledLock);
        return handled;
    }

    std::atomic<std::uint32_t> expected{4};

private:
    std::map<std::uint8_t, bool> known;
    std::mutex handledLock;
    std::vector<std::pair<int, Bytes>> handled;
};

// The worker with the test codec, as the tests drive it.
class CTestWorker : public CComThread {
public:
    CTestWorker(std::unique_ptr<CFakeTransport> t, std::unique_ptr<CTestCodec> c)
        : CComThread(std::move(t), std::move(c))
    {
    }
};

struct Fixture {
    Fixture()
    {
        auto t = std::make_unique<CFakeTransport>();
        fake = t.get();
        auto c = std::make_unique<CTestCodec>();
        codec = c.get();
        worker = std::make_unique<CTestWorker>(std::move(t), std::move(c));
    }
    CFakeTransport* fake;
    CTestCodec* codec;
    std::unique_ptr<CTestWorker> worker;
};

// Replies "R<code>ok" (4 bytes) to every request in one piece.
std::vector<Bytes> echoReply(const Bytes& request) { return {{'R', request[0], 'o', 'k'}}; }

} // namespace

TEST(ComThread, AtMostOneRunMessageWaitsAndQuitGoesFirst)
{
    Fixture f;   // not started: messages wait for the thread
    f.worker->addCommand(1);
    EXPECT_EQ(f.worker->pendingMessages(), 1u);
    f.worker->addCommand(2);
    f.worker->addCommand(1);
    f.worker->clearCommands();
    f.worker->addCommand(3);   // the queue was empty, but a run message already waits
    EXPECT_EQ(f.worker->pendingMessages(), 1u);
    f.codec->addCode(3);
    // Quit overtakes the waiting run message: nothing is sent once the worker has been asked to end.
    f.worker->postThreadMessage(CComThread::kQuit);
    ASSERT_TRUE(f.worker->createThread());
    f.worker->endThread();
    EXPECT_EQ(f.fake->requestCount(), 0u);
}

TEST(ComThread, TheWorkerOpensAsItStartsAndClosesAsItEnds)
{
    Fixture f;
    ASSERT_TRUE(f.worker->createThread());
    EXPECT_EQ(f.worker->lastDeviceStatus(), ft::kOk);
    f.fake->queueCloseStatus(ft::kIoError);
    EXPECT_EQ(f.worker->endThread(), ft::kIoError);
    EXPECT_EQ(f.worker->endThread(), ft::kInvalidHandle);   // no worker: nothing to close
    const std::vector<std::string> expected = {"open", "baud 115200", "data 8 0 0", "timeouts 10 10", "configure 1",
                                               "close"};
    EXPECT_EQ(f.fake->calls(), expected);
}

TEST(ComThread, FailedOpenLeavesTheWorkerSilent)
{
    Fixture f;
    f.fake->setOpenStatus(ft::kDeviceNotFound);
    f.codec->addCode(1);
    ASSERT_TRUE(f.worker->createThread());
    f.worker->addCommand(1);
    ASSERT_TRUE(waitUntil([&] { return f.worker->pendingMessages() == 0; }));
    EXPECT_EQ(f.worker->lastDeviceStatus(), ft::kDeviceNotFound);
    f.worker->endThread();   // the message has been handled once the thread has ended
    EXPECT_EQ(f.fake->requestCount(), 0u);
    EXPECT_EQ(f.fake->calls(), (std::vector<std::string>{"open", "close"}));
}

TEST(ComThread, EveryCommandQueuedBackToBackRunsOnOneWakeUp)
{
    Fixture f;
    f.fake->onRequest = echoReply;
    for (std::uint8_t code : {1, 2, 3})
        f.codec->addCode(code);
    ASSERT_TRUE(f.worker->createThread());
    for (std::uint8_t code : {1, 2, 3})
        f.worker->addCommand(code);
    ASSERT_TRUE(waitUntil([&] { return f.codec->handledSoFar().size() == 3; }));
    f.worker->endThread();
    EXPECT_EQ(f.fake->requests(), (std::vector<Bytes>{{1, 2}, {2, 2}, {3, 2}}));
    EXPECT_EQ(f.worker->queue().getCount(), 0);
}

TEST(ComThread, AcceptedReplyRemovesTheCommand)
{
    Fixture f;
    f.fake->onRequest = echoReply;
    f.codec->addCode(6);
    ASSERT_TRUE(f.worker->createThread());
    f.worker->addCommand(6);
    ASSERT_TRUE(waitUntil([&] { return f.codec->handledSoFar().size() == 1; }));
    ASSERT_TRUE(waitUntil([&] { return f.worker->queue().getCount() == 0; }));
    EXPECT_EQ(f.codec->handledSoFar()[0].second, (Bytes{'R', 6, 'o', 'k'}));
    EXPECT_EQ(f.fake->requests(), std::vector<Bytes>{(Bytes{6, 2})});
}

TEST(ComThread, RejectedReplyKeepsTheHeadAndIsNotResentByItself)
{
    Fixture f;
    f.fake->onRequest = echoReply;
    f.codec->addCode(9, false);
    ASSERT_TRUE(f.worker->createThread());
    f.worker->addCommand(9);
    ASSERT_TRUE(waitUntil([&] { return f.codec->handledSoFar().size() == 1; }));
    f.worker->endThread();
    EXPECT_EQ(f.worker->queue().snapshot(), std::vector<std::uint8_t>{9});
    EXPECT_EQ(f.fake->requestCount(), 1u);
}

TEST(ComThread, ReRequestingTheHeadWhileItsReplyIsReadDropsTheReplyAndResends)
{
    Fixture f;
    std::atomic<int> requests{0};
    // The first request is answered by the test in pieces; the second at once.
    f.fake->onRequest = [&](const Bytes&) -> std::vector<Bytes> {
        if (requests++ == 0)
            return {};
        return {{'N', 'E', 'W', '!'}};
    };
    f.codec->addCode(7);
    ASSERT_TRUE(f.worker->createThread());
    f.worker->addCommand(7);
    ASSERT_TRUE(waitUntil([&] { return f.fake->requestCount() == 1; }));
    f.fake->push({'o', 'l'});
    ASSERT_TRUE(waitUntil([&] { return f.fake->pendingBytes() == 0; }));

    f.worker->addCommand(7);
    EXPECT_EQ(f.worker->pendingMessages(), 0u);   // the head was re-requested, not appended

    ASSERT_TRUE(waitUntil([&] { return f.codec->handledSoFar().size() == 1; }));
    f.worker->endThread();
    EXPECT_EQ(f.codec->handledSoFar()[0].second, (Bytes{'N', 'E', 'W', '!'}));
    EXPECT_EQ(f.fake->requestCount(), 2u);
    EXPECT_EQ(f.worker->queue().getCount(), 0);
}

TEST(ComThread, ClearingWhileAReplyIsReadDropsItAndRunsTheNextCode)
{
    Fixture f;
    f.fake->onRequest = [](const Bytes& request) -> std::vector<Bytes> {
        if (request[0] == 7)
            return {};
        return echoReply(request);
    };
    f.codec->addCode(7);
    f.codec->addCode(8);
    ASSERT_TRUE(f.worker->createThread());
    f.worker->addCommand(7);
    ASSERT_TRUE(waitUntil([&] { return f.fake->requestCount() == 1; }));
    f.fake->push({'o', 'l'});
    ASSERT_TRUE(waitUntil([&] { return f.fake->pendingBytes() == 0; }));

    f.worker->clearCommands();
    f.worker->addCommand(8);
    f.fake->push({'d', '!'});

    ASSERT_TRUE(waitUntil([&] { return f.codec->handledSoFar().size() == 1; }));
    f.worker->endThread();
    EXPECT_EQ(f.codec->handledSoFar()[0].first, 8);
    EXPECT_EQ(f.fake->requests(), (std::vector<Bytes>{{7, 2}, {8, 2}}));
}

TEST(ComThread, AReplyThatNeverCompletesIsGivenUpWhenItsCommandIsCleared)
{
    Fixture f;
    f.fake->onRequest = [](const Bytes& request) -> std::vector<Bytes> {
        if (request[0] == 1)
            return {{':', 'O', 'K', 0, 0, 0}};   // six bytes where four complete: never whole
        return echoReply(request);
    };
    f.codec->addCode(1);
    f.codec->addCode(2);
    ASSERT_TRUE(f.worker->createThread());
    f.worker->addCommand(1);
    ASSERT_TRUE(waitUntil([&] { return f.fake->pendingBytes() == 0 && f.fake->requestCount() == 1; }));
    const int readsBefore = f.fake->readCount();
    ASSERT_TRUE(waitUntil([&] { return f.fake->readCount() > readsBefore + 5; }));   // still reading
    EXPECT_TRUE(f.codec->handledSoFar().empty());

    // The next command goes out on the same connection: nobody has to close the device.
    f.worker->clearCommands();
    f.worker->addCommand(2);
    ASSERT_TRUE(waitUntil([&] { return f.codec->handledSoFar().size() == 1; }));
    EXPECT_EQ(f.codec->handledSoFar()[0].first, 2);
    EXPECT_EQ(f.worker->lastDeviceStatus(), ft::kOk);
    f.worker->endThread();
    const std::vector<std::string> calls = f.fake->calls();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "open"), 1);
}

TEST(ComThread, FailedWriteKeepsTheCommandQueuedAndTheWorkerSilent)
{
    Fixture f;
    f.fake->onRequest = echoReply;
    f.codec->addCode(3);
    ASSERT_TRUE(f.worker->createThread());
    ASSERT_TRUE(waitUntil([&] { return f.fake->isOpen(); }));
    f.fake->failNextWrite(ft::kIoError);
    f.worker->addCommand(3);
    ASSERT_TRUE(waitUntil([&] { return f.worker->lastDeviceStatus() == ft::kIoError; }));
    f.worker->clearCommands();
    f.worker->addCommand(3);
    ASSERT_TRUE(waitUntil([&] { return f.worker->pendingMessages() == 0; }));
    f.worker->endThread();
    EXPECT_EQ(f.fake->requestCount(), 0u);
    EXPECT_TRUE(f.codec->handledSoFar().empty());
    EXPECT_EQ(f.worker->queue().snapshot(), std::vector<std::uint8_t>{3});
}

TEST(ComThread, NoReadWritesBeyondTheBuffer)
{
    Fixture f;
    f.codec->expected = 20000;   // never whole: the buffer fills and reads continue with no room
    f.fake->onRequest = [](const Bytes&) -> std::vector<Bytes> { return {Bytes(8500, 0x11), Bytes(1000, 0x22)}; };
    f.codec->addCode(4);
    ASSERT_TRUE(f.worker->createThread());
    f.worker->addCommand(4);
    ASSERT_TRUE(waitUntil([&] { return f.fake->pendingBytes() == 500; }));
    const int readsAtFull = f.fake->readCount();
    ASSERT_TRUE(waitUntil([&] { return f.fake->readCount() > readsAtFull + 3; }));
    EXPECT_EQ(f.fake->pendingBytes(), 500u);
    f.worker->endThread();   // quitting also leaves a reply that can never complete
    EXPECT_TRUE(f.codec->handledSoFar().empty());
}
