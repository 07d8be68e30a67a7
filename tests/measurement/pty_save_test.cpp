#include "support/fake_transport.h"
#include "device/serial_transport.h"
#include "support/temp_dir.h"
#include "files/reflectogram_file.h"
#include "measurement/headless_rig.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <optional>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

// How the scripted instrument misbehaves.
struct Script {
    Bytes head;                  // the first bytes of every window reply and long record
    std::size_t windowCut = 2;   // where the first piece of a window reply ends
    std::size_t longCut = 4;     // and of a long record
    int pauseMs = 3;             // the pause after it: shorter than a read time-out
    int longPauseMs = 3;         // the pause of every other data reply of each kind, the first included
    int strayAfterAckMs = -1;    // one stray byte this long after every acknowledgement
    int ignoredRequests = 0;     // the first requests get no answer at all
};

// The instrument played on the master side of a pseudo-terminal: it parses the requests and answers
// each reply in pieces cut at awkward offsets, pausing between pieces so that the worker's reads see
// them apart. Its data replies begin like the short replies ("?" second of two bytes, "E" second of
// four) and their first piece is cut exactly there, with the rest a few milliseconds later.
class CScriptedInstrument {
public:
    explicit CScriptedInstrument(Script script = {}) : script(std::move(script))
    {
        char name[256] = {};
        EXPECT_EQ(::openpty(&master, &slave, name, nullptr, nullptr), 0);
        slaveName = name;
        termios t{};
        ::tcgetattr(master, &t);
        ::cfmakeraw(&t);
        ::tcsetattr(master, TCSANOW, &t);
        for (int i = 0; i < 8000; ++i)
            longRecord[i] = static_cast<std::uint8_t>(i * 37 + 11);
        longRecord[1] = 'E';
        windowReply.assign(500, 0x10);
        windowReply[1] = '?';
        std::copy(this->script.head.begin(), this->script.head.end(), longRecord.begin());
        std::copy(this->script.head.begin(), this->script.head.end(), windowReply.begin());
        player = std::thread([this] { play(); });
    }
    ~CScriptedInstrument()
    {
        stopping = true;
        player.join();
        ::close(master);
        ::close(slave);
    }
    std::vector<Bytes> requests()
    {
        std::lock_guard lock(seenLock);
        return seen;
    }

    std::string slaveName;
    std::array<std::uint8_t, 8000> longRecord{};
    Bytes windowReply;
    static constexpr std::uint8_t kStatus1 = 0x21;
    static constexpr std::uint8_t kStatus2 = 0x42;

private:
    void send(const Bytes& reply, std::vector<std::size_t> cuts, int firstPauseMs = 3)
    {
        std::size_t from = 0;
        cuts.push_back(reply.size());
        for (std::size_t cut : cuts) {
            if (from > 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(from <= 4 ? firstPauseMs : 30));
            ASSERT_EQ(::write(master, reply.data() + from, cut - from), static_cast<ssize_t>(cut - from));
            from = cut;
        }
    }
    void acknowledge(const Bytes& ack, std::vector<std::size_t> cuts)
    {
        send(ack, std::move(cuts));
        if (script.strayAfterAckMs >= 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(script.strayAfterAckMs));
            const std::uint8_t stray = 0xA5;
            ASSERT_EQ(::write(master, &stray, 1), 1);
        }
    }
    // Every other data reply of a kind pauses long after its first piece.
    int pauseOf(int& count) { return count++ % 2 == 0 ? script.longPauseMs : script.pauseMs; }
    void answer(const Bytes& request)
    {
        {
            std::lock_guard lock(seenLock);
            seen.push_back(request);
        }
        if (script.ignoredRequests > 0) {
            --script.ignoredRequests;
            return;
        }
        if (request[0] == 'A') {
            acknowledge(bytesOf(":OK\r\n"), {1, 3});
        } else if (request[0] == 'D') {
            mode = static_cast<char>(request[2]);
            acknowledge({':', 'O', 'K', 0x0D, 0x0A}, {2});
        } else if (request[0] == 'Z' && mode == 'L') {
            Bytes reply(longRecord.begin(), longRecord.end());
            reply.push_back(0x77);
            reply.push_back(0x78);
            send(reply, {script.longCut, 511, 4096, 7999, 8001}, pauseOf(longReplies));
        } else if (request[0] == 'Z') {
            Bytes reply = windowReply;
            reply.push_back(kStatus1);
            reply.push_back(kStatus2);
            send(reply, {script.windowCut, 250, 501}, pauseOf(windowReplies));
        }
    }
    void play()
    {
        Bytes input;
        while (!stopping) {
            pollfd p{master, POLLIN, 0};
            if (::poll(&p, 1, 10) <= 0 || !(p.revents & POLLIN))
                continue;
            std::uint8_t buffer[64];
            const ssize_t n = ::read(master, buffer, sizeof buffer);
            if (n <= 0)
                continue;
            input.insert(input.end(), buffer, buffer + n);
            while (input.size() >= 2 && input.size() >= input[1]) {
                const Bytes request(input.begin(), input.begin() + input[1]);
                input.erase(input.begin(), input.begin() + input[1]);
                answer(request);
            }
        }
    }

    Script script;
    int master = -1;
    int slave = -1;
    char mode = 'Y';
    int windowReplies = 0;
    int longReplies = 0;
    std::atomic<bool> stopping{false};
    std::mutex seenLock;
    std::vector<Bytes> seen;
    std::thread player;
};

} // namespace

TEST(SaveThroughAPseudoTerminal, LongRecordReachesTheFileIntact)
{
    TempDir dir;
    CScriptedInstrument instrument;
    HeadlessRig rig(std::make_unique<CSerialTransport>(instrument.slaveName));
    rig.doc.selectRange(4);
    rig.doc.pulse = 100;
    rig.host.savePathAnswer = dir.file("pty.tdr");
    std::vector<std::string> messages;
    rig.host.onSaved = [&](const std::string& path) {
        messages.push_back(path);
        rig.loop.quit();
    };
    rig.host.onMessage = [&](const std::string&, const std::string& text) {
        messages.push_back(text);
        rig.loop.quit();
    };
    int exact = 0;
    rig.controller.start();
    rig.onHint = [&](int hint) {
        if (hint != kHintNewSamples)
            return;
        const auto& samples = rig.doc.traces[L1].samples;
        exact += std::equal(samples.begin(), samples.end(), instrument.windowReply.begin());
        if (rig.stored == 3)
            rig.loop.post([&] { rig.controller.saveChannel(1); });
    };
    ASSERT_TRUE(rig.loop.run(std::chrono::seconds(20)));
    rig.controller.stop();

    EXPECT_EQ(messages, std::vector<std::string>{dir.file("pty.tdr")});
    EXPECT_EQ(exact, rig.stored);   // every cycle stored exactly what the instrument sent
    ReflectogramRecord r;
    ASSERT_TRUE(decodeReflectogram(readText(dir.file("pty.tdr")), r));
    EXPECT_EQ(r.samples, instrument.longRecord);
    EXPECT_EQ(r.status, CScriptedInstrument::kStatus1);   // the line's status as last stored
    EXPECT_EQ(r.scaleIndex, 4);
    EXPECT_EQ(r.pulseIndex, 3);

    const auto sent = instrument.requests();
    ASSERT_GE(sent.size(), 9u);
    EXPECT_EQ(sent[0], (Bytes{'A', 3, 1}));
    EXPECT_EQ(sent[1][2], 'Y');
    EXPECT_EQ(sent[2], (Bytes{'Z', 2}));
    EXPECT_EQ(sent[7][2], 'L');
    EXPECT_EQ(sent[7][7], 0);    // 1 km: the long record's exponent is 0
    EXPECT_EQ(sent[7][11], 43);
    EXPECT_EQ(sent[8], (Bytes{'Z', 2}));
}

// Replies that are not cleanly framed never reach a trace or a file: a data reply that pauses right
// after bytes that look like a short reply, and a stray byte after an acknowledgement, cost a repeated
// request at most.
TEST(SaveThroughAPseudoTerminal, RepliesNotCleanlyFramedNeverReachATraceOrAFile)
{
    struct Case {
        const char* what;
        Script script;
        std::optional<bool> repeats;   // the paused replies are taken for short ones and asked for again
    };
    auto paused = [](Bytes head, std::size_t cut) {
        Script s;
        s.head = std::move(head);
        s.windowCut = s.longCut = cut;
        s.longPauseMs = 60;   // longer than a read time-out: the worker sees the short reply alone
        return s;
    };
    Script stray;
    stray.strayAfterAckMs = 15;
    const std::vector<Case> cases = {
        {"'?' second, a pause after 2 bytes", paused({0x10, '?'}, 2), true},
        {"':E' first, a pause after 4 bytes", paused({':', 'E', 0x01, 0x02}, 4), true},
        {"'E' second without ':', a pause after 4 bytes", paused({0x45, 'E', 0x01, 0x02}, 4), false},
        {"a stray byte after every acknowledgement", stray, std::nullopt},   // where it lands is timing
    };
    for (const Case& c : cases) {
        TempDir dir;
        CScriptedInstrument instrument(c.script);
        HeadlessRig rig(std::make_unique<CSerialTransport>(instrument.slaveName));
        rig.doc.selectRange(4);
        rig.host.savePathAnswer = dir.file("framed.tdr");
        std::vector<std::string> messages;
        rig.host.onSaved = [&](const std::string& path) {
            messages.push_back(path);
            rig.loop.quit();
        };
        rig.host.onMessage = [&](const std::string&, const std::string& text) { messages.push_back(text); };
        int questions = 0;
        rig.host.onReconnect = [&](LinkProblem, const std::string&) {
            ++questions;
            rig.loop.quit();
            return false;
        };
        int exact = 0;
        rig.onHint = [&](int hint) {
            if (hint != kHintNewSamples)
                return;
            const auto& samples = rig.doc.traces[L1].samples;
            exact += std::equal(samples.begin(), samples.end(), instrument.windowReply.begin());
            if (rig.stored == 2)
                rig.loop.post([&] { rig.controller.saveChannel(1); });
        };
        rig.controller.start();
        ASSERT_TRUE(rig.loop.run(std::chrono::seconds(30))) << c.what;
        rig.controller.stop();

        EXPECT_EQ(questions, 0) << c.what;
        EXPECT_EQ(messages, std::vector<std::string>{dir.file("framed.tdr")}) << c.what;
        EXPECT_EQ(exact, rig.stored) << c.what;
        ReflectogramRecord r;
        ASSERT_TRUE(decodeReflectogram(readText(dir.file("framed.tdr")), r)) << c.what;
        EXPECT_EQ(r.samples, instrument.longRecord) << c.what;
        const auto sent = instrument.requests();
        const auto dataRequests = std::count(sent.begin(), sent.end(), Bytes{'Z', 2});
        const auto packets = std::count_if(sent.begin(), sent.end(), [](const Bytes& b) { return b[0] == 'D'; });
        if (c.repeats) {
            EXPECT_EQ(dataRequests > packets, *c.repeats) << c.what;
        }
    }
}

// "Отмена" in the reconnect question leaves no reply half read: the next start is answered at once.
TEST(SaveThroughAPseudoTerminal, AStartAfterACancelledReconnectBeginsOnACleanLink)
{
    Script silentFirst;
    silentFirst.ignoredRequests = 1;   // the first start packet gets no answer
    CScriptedInstrument instrument(silentFirst);
    HeadlessRig rig(std::make_unique<CSerialTransport>(instrument.slaveName), 300);
    int questions = 0;
    rig.host.onReconnect = [&](LinkProblem, const std::string&) {
        ++questions;
        rig.loop.post([&] { rig.controller.start(); });
        return false;
    };
    rig.controller.start();
    ASSERT_TRUE(rig.runUntil([&](int hint) { return hint == kHintNewSamples && rig.stored == 2; }));
    rig.controller.stop();
    EXPECT_EQ(questions, 1);
    const auto sent = instrument.requests();
    ASSERT_GE(sent.size(), 2u);
    EXPECT_EQ(sent[1], (Bytes{'A', 3, 1}));   // the second start went out and was answered
}
