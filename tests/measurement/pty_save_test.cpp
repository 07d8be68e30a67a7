#include "support/fake_transport.h"
#include "device/serial_transport.h"
#include "support/temp_dir.h"
#include "files/reflectogram_file.h"
#include "measurement/headless_rig.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

// The instrument played on the master side of a pseudo-terminal: it parses the requests and answers
// each reply in pieces cut at awkward offsets, pausing between pieces so that the worker's reads see
// them apart. Its data replies begin like the short replies ("?" second of two bytes, "E" second of
// four) and their first piece is cut exactly there, with the rest a few milliseconds later.
class CScriptedInstrument {
public:
    CScriptedInstrument()
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
    void send(const Bytes& reply, std::vector<std::size_t> cuts)
    {
        std::size_t from = 0;
        cuts.push_back(reply.size());
        for (std::size_t cut : cuts) {
            if (from > 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(from <= 4 ? 3 : 30));
            ASSERT_EQ(::write(master, reply.data() + from, cut - from), static_cast<ssize_t>(cut - from));
            from = cut;
        }
    }
    void answer(const Bytes& request)
    {
        {
            std::lock_guard lock(seenLock);
            seen.push_back(request);
        }
        if (request[0] == 'A') {
            send(bytesOf(":OK\r\n"), {1, 3});
        } else if (request[0] == 'D') {
            mode = static_cast<char>(request[2]);
            send({':', 'O', 'K', 0x0D, 0x0A}, {2});
        } else if (request[0] == 'Z' && mode == 'L') {
            Bytes reply(longRecord.begin(), longRecord.end());
            reply.push_back(0x77);
            reply.push_back(0x78);
            send(reply, {4, 511, 4096, 7999, 8001});
        } else if (request[0] == 'Z') {
            Bytes reply = windowReply;
            reply.push_back(kStatus1);
            reply.push_back(kStatus2);
            send(reply, {2, 250, 501});
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

    int master = -1;
    int slave = -1;
    char mode = 'Y';
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
