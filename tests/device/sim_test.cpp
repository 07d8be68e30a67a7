#include "support/fake_transport.h"
#include "device/protocol_vuz.h"
#include "device/sim_scene.h"
#include "device/sim_transport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <thread>

namespace {

// Sends one request and collects the whole reply (the simulator without pacing answers at once).
Bytes ask(CSimTransport& sim, const Bytes& request)
{
    std::uint32_t written = 0;
    EXPECT_EQ(sim.write(request.data(), static_cast<std::uint32_t>(request.size()), written), ft::kOk);
    Bytes reply;
    for (;;) {
        std::uint8_t buffer[9000];
        std::uint32_t count = 0;
        if (sim.read(buffer, sizeof buffer, count) != ft::kOk || count == 0)
            return reply;
        reply.insert(reply.end(), buffer, buffer + count);
    }
}

SimOptions fast(std::uint64_t seed = 1)
{
    SimOptions o;
    o.seed = seed;
    o.paced = false;
    return o;
}

struct Window {
    RecordMode mode = RecordMode::Normal;
    int lines = 3;
    int sendLines = -1;   // -1: the same as `lines`
    int average = 0;      // averaging = 2^average
    int gain = 0;
    int code = 15;        // 1000 m
    int pulseNs = 200;
    int start = 43;
};

Bytes packet(const Window& w)
{
    AcquisitionParams p;
    p.mode = w.mode;
    p.sendLines = static_cast<std::uint8_t>(w.sendLines < 0 ? w.lines : w.sendLines);
    p.receiveLines = static_cast<std::uint8_t>(w.lines);
    p.averaging = static_cast<std::uint8_t>(1 << w.average);
    p.gainCode = static_cast<std::uint8_t>(w.gain);
    p.windowCode = static_cast<std::int16_t>(w.code);
    p.pulseCode = static_cast<std::int16_t>(w.pulseNs / 10);
    p.windowStart = w.start;
    const auto b = CProtocolVUZ::parameterPacket(p, false);
    return Bytes(b.begin(), b.end());
}

// One reflectogram of the simulator for window `w`.
Bytes acquire(CSimTransport& sim, const Window& w)
{
    EXPECT_EQ(ask(sim, packet(w)).size(), 5u);
    return ask(sim, {'Z', 2});
}

int signedAt(const Bytes& b, std::size_t i) { return static_cast<std::int8_t>(b[i]); }

// Sample index of a real distance on `line` in a window of 500 samples over `span` nominal metres.
int indexOf(int line, double realMetres, double span, double start = 0)
{
    return static_cast<int>(std::lround((realMetres * CSimScene::lineKu(line) / 1.5 - start) / (span / 500)));
}

int extremeNear(const Bytes& b, std::size_t offset, int index, int sign)
{
    int best = -1000 * sign;
    for (int i = std::max(0, index - 6); i <= std::min(499, index + 6); ++i)
        best = sign > 0 ? std::max(best, signedAt(b, offset + i)) : std::min(best, signedAt(b, offset + i));
    return best;
}

double spread(const Bytes& b, std::size_t from, std::size_t to)
{
    double sum = 0, squares = 0;
    for (std::size_t i = from; i < to; ++i) {
        sum += signedAt(b, i);
        squares += signedAt(b, i) * signedAt(b, i);
    }
    const double n = static_cast<double>(to - from);
    return std::sqrt(squares / n - (sum / n) * (sum / n));
}

} // namespace

TEST(SimOptions, PortNames)
{
    struct Case {
        std::string name;
        bool ok;
        std::uint64_t seed;
        bool paced;
        SimFault fault;
        int after, every;
    };
    const std::vector<Case> cases = {
        {"sim", true, 1, true, SimFault::None, 0, 1},
        {"sim:fast", true, 1, false, SimFault::None, 0, 1},
        {"sim:seed=42,question,every=2,after=3", true, 42, true, SimFault::Question, 3, 2},
        {"sim:drop,after=7,fast", true, 1, false, SimFault::Drop, 7, 1},
        {"sim:silent", true, 1, true, SimFault::Silent, 0, 1},
        {"sim:garbage,every=3", true, 1, true, SimFault::Garbage, 0, 3},
        {"sim:schedule=0", false, 0, false, SimFault::None, 0, 0},
        {"sim:bogus", false, 0, false, SimFault::None, 0, 0},
        {"sim:seed=x", false, 0, false, SimFault::None, 0, 0},
        {"sim:every=0", false, 0, false, SimFault::None, 0, 0},
        {"simulator", false, 0, false, SimFault::None, 0, 0},
    };
    for (const Case& c : cases) {
        SimOptions o;
        const Status s = parseSimOptions(c.name, o);
        EXPECT_EQ(s.ok(), c.ok) << c.name;
        if (!c.ok)
            continue;
        EXPECT_EQ(o.seed, c.seed) << c.name;
        EXPECT_EQ(o.paced, c.paced) << c.name;
        EXPECT_EQ(o.fault, c.fault) << c.name;
        EXPECT_EQ(o.faultAfter, c.after) << c.name;
        EXPECT_EQ(o.faultEvery, c.every) << c.name;
    }
}

TEST(SimInstrument, ReplyLengthsFollowThePacket)
{
    CSimTransport sim(fast());
    ASSERT_EQ(sim.open(), ft::kOk);
    EXPECT_EQ(ask(sim, {'A', 3, 1}).size(), 5u);
    constexpr RecordMode kNormal = RecordMode::Normal;
    constexpr RecordMode kLong = RecordMode::Long;
    struct Case {
        RecordMode mode;
        int lines;
        std::size_t length;
    };
    for (const Case& c : std::vector<Case>{{kNormal, 3, 1002}, {kNormal, 1, 502}, {kNormal, 2, 502}, {kLong, 2, 8002},
                                           {kLong, 3, 8002}, {kNormal, 0, 0}}) {
        Window w;
        w.mode = c.mode;
        w.lines = c.lines;
        const Bytes reply = acquire(sim, w);
        EXPECT_EQ(reply.size(), c.length) << (c.mode == kLong ? "long " : "normal ") << c.lines;
        if (reply.size() >= 2) {
            EXPECT_EQ(reply[reply.size() - 2], 3);
            EXPECT_EQ(reply[reply.size() - 1], 5);
        }
    }
    const Bytes ack = ask(sim, packet(Window{}));
    EXPECT_EQ(Bytes(ack.begin(), ack.begin() + 3), bytesOf(":OK"));
}

TEST(SimInstrument, SameSeedSameReflectograms)
{
    auto run = [](std::uint64_t seed) {
        CSimTransport sim(fast(seed));
        sim.open();
        Bytes all;
        for (int i = 0; i < 3; ++i) {
            const Bytes r = acquire(sim, Window{});
            all.insert(all.end(), r.begin(), r.end());
        }
        return all;
    };
    EXPECT_EQ(run(5), run(5));
    EXPECT_NE(run(5), run(6));
}

TEST(SimInstrument, LinesLookLikeCables)
{
    CSimTransport sim(fast());
    sim.open();
    Window w;   // 1000 m, both lines, 200 ns
    w.code = 31;   // 2000 m: both far ends inside
    w.average = 7;
    w.gain = 60;
    const Bytes r = acquire(sim, w);
    const double span = 2000;

    // The probe pulse at the start; a flat line near 0 beyond the far ends.
    EXPECT_GT(signedAt(r, 1), 60);
    EXPECT_LT(std::abs(signedAt(r, 490)), 10);
    EXPECT_LT(std::abs(signedAt(r, 500 + 490)), 10);
    // Line 1 ends open (a positive echo), line 2 shorted (a negative one), at their own lengths.
    EXPECT_GT(extremeNear(r, 0, indexOf(0, CSimScene::lineLength(0), span), 1), 12);
    EXPECT_LT(extremeNear(r, 500, indexOf(1, CSimScene::lineLength(1), span), -1), -8);
    EXPECT_LT(std::abs(signedAt(r, indexOf(1, CSimScene::lineLength(1), span))), 40);
}

TEST(SimInstrument, WindowStartMovesTheView)
{
    CSimTransport sim(fast());
    sim.open();
    Window w;
    w.lines = 1;
    w.average = 7;
    w.gain = 60;
    w.code = 7;                     // 500 m window
    const double start = 600.0;     // nominal metres
    w.start = static_cast<int>(start / 0.125) + 43;
    const Bytes r = acquire(sim, w);
    const int end = indexOf(0, CSimScene::lineLength(0), 500, start);
    ASSERT_GT(end, 0);
    ASSERT_LT(end, 500);
    EXPECT_GT(extremeNear(r, 0, end, 1), 15);
    EXPECT_LT(std::abs(signedAt(r, 2)), 20);   // no probe pulse in a window that starts down the line
}

// The receiver's input noise (0.25 before the gain) and its output noise (2 after it) shrink with the
// square root of the shots averaged; the levels are whole numbers, which adds 1/12 to the variance.
TEST(SimInstrument, NoiseFollowsGainAndAveraging)
{
    struct Case {
        int average;
        int gain;
    };
    const Case cases[] = {{0, 0}, {2, 0}, {0, 160}, {6, 255}};
    CSimTransport sim(fast());
    sim.open();
    for (const Case& c : cases) {
        Window w;
        w.code = 63;   // 4000 m: the tails of both lines are past their far ends
        w.average = c.average;
        w.gain = c.gain;
        const Bytes r = acquire(sim, w);
        const double amplified = 0.25 * std::pow(10.0, c.gain * 0.15 / 20.0);
        const double sigma = std::hypot(amplified, 2.0) / std::sqrt(double(1 << c.average));
        const double expected = std::sqrt(sigma * sigma + 1.0 / 12.0);
        const double measured = (spread(r, 400, 500) + spread(r, 900, 1000)) / 2;
        EXPECT_NEAR(measured, expected, 0.25 * expected) << "averaging 2^" << c.average << ", gain " << c.gain;
    }
}

TEST(SimInstrument, GainClipsAtTheByteLimits)
{
    CSimTransport sim(fast());
    sim.open();
    Window w;
    w.lines = 1;
    w.gain = 255;
    const Bytes r = acquire(sim, w);
    EXPECT_EQ(r[2], 0x7F);
}

TEST(SimInstrument, PulseWidthFollowsTheSetting)
{
    CSimTransport sim(fast());
    sim.open();
    auto width = [&](int pulseNs) {
        Window w;
        w.lines = 1;
        w.average = 5;
        w.code = 15;
        w.pulseNs = pulseNs;
        const Bytes r = acquire(sim, w);
        int n = 0;
        while (n < 500 && signedAt(r, n) > 40)
            ++n;
        return n;
    };
    EXPECT_LT(width(100), width(500));
    EXPECT_LT(width(500), width(2000));
}

TEST(SimInstrument, IntermittentFaultShowsInSomeReflectogramsOnly)
{
    CSimTransport sim(fast(3));
    sim.open();
    Window w;
    w.lines = 1;
    w.average = 6;
    w.gain = 40;
    const int at = indexOf(0, CSimScene::faultDistance(), 1000);
    int shown = 0;
    for (int i = 0; i < 40; ++i)
        if (extremeNear(acquire(sim, w), 0, at, -1) < -10)
            ++shown;
    EXPECT_GT(shown, 2);
    EXPECT_LT(shown, 30);
}

TEST(SimInstrument, SplitPairsShowTheSplit)
{
    CSimTransport sim(fast());
    sim.open();
    Window w;
    w.lines = 2;
    w.sendLines = 1;
    w.average = 6;
    w.gain = 40;
    const Bytes r = acquire(sim, w);
    EXPECT_GT(extremeNear(r, 0, indexOf(1, 270, 1000), 1), 20);
}

TEST(SimInstrument, FaultyDataReplies)
{
    struct Case {
        SimFault fault;
        std::size_t length;
        int second;   // the reply's second byte, -1 when it is a sample
    };
    const std::vector<Case> cases = {{SimFault::Error, 4, 'E'}, {SimFault::Question, 2, '?'},
                                     {SimFault::Overlong, 1005, -1}, {SimFault::Truncated, 992, -1}};
    for (const Case& c : cases) {
        SimOptions o = fast();
        o.fault = c.fault;
        o.faultAfter = 2;   // the start and the first parameter packet are answered properly
        o.faultEvery = 2;
        CSimTransport sim(o);
        sim.open();
        EXPECT_EQ(ask(sim, {'A', 3, 1}).size(), 5u);
        for (int i = 0; i < 3; ++i) {
            const Bytes r = acquire(sim, Window{});
            const bool faulty = i != 1;
            ASSERT_EQ(r.size(), faulty ? c.length : 1002u) << i;
            if (faulty && c.second >= 0) {
                EXPECT_EQ(r[1], c.second);
            }
        }
    }
}

TEST(SimInstrument, GarbageRepliesMatchNoReplyLength)
{
    SimOptions o = fast(3);
    o.fault = SimFault::Garbage;
    CSimTransport sim(o);
    sim.open();
    EXPECT_EQ(ask(sim, {'A', 3, 1}).size(), 5u);
    for (int i = 0; i < 20; ++i) {
        const std::size_t length = acquire(sim, Window{}).size();
        EXPECT_GE(length, 5u);
        EXPECT_LE(length, 400u);
    }
}

// The soak's schedule: one fault per period in the fixed order, each on one data request; silence and a
// dropped link last until the link is reopened, and nothing is lost while it is down.
TEST(SimInstrument, ScheduledFaultsComeInTurnOncePerPeriod)
{
    SimOptions o = fast();
    o.schedulePeriodMs = 1;
    EXPECT_TRUE(parseSimOptions("sim:schedule=1,fast", o));
    EXPECT_EQ(o.schedulePeriodMs, 1);
    CSimTransport sim(o);
    sim.open();
    auto afterPeriod = [&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(3));
        return acquire(sim, Window{});
    };
    auto reopen = [&] {
        sim.close();
        sim.open();
    };
    EXPECT_TRUE(afterPeriod().empty());          // silent
    EXPECT_TRUE(ask(sim, {'Z', 2}).empty());     // and stays so
    reopen();
    std::uint32_t n = 0;
    EXPECT_EQ(sim.write(packet(Window{}).data(), 16, n), ft::kOk);   // the drop is due: the link fails
    std::uint8_t buffer[16];
    std::this_thread::sleep_for(std::chrono::milliseconds(3));
    EXPECT_EQ(sim.write(packet(Window{}).data(), 16, n), ft::kOk);
    const Bytes z = {'Z', 2};
    EXPECT_EQ(sim.write(z.data(), 2, n), ft::kOk);
    EXPECT_EQ(sim.read(buffer, sizeof buffer, n), ft::kIoError);
    reopen();
    const std::size_t garbage = afterPeriod().size();
    EXPECT_TRUE(garbage >= 5 && garbage <= 400) << garbage;
    EXPECT_EQ(afterPeriod().size(), 1005u);      // overlong
    const Bytes question = afterPeriod();
    ASSERT_EQ(question.size(), 2u);
    EXPECT_EQ(question[1], '?');
    EXPECT_TRUE(afterPeriod().empty());          // silent again: the turn starts over
}

TEST(SimInstrument, SilentAfterSomeReplies)
{
    SimOptions o = fast();
    o.fault = SimFault::Silent;
    o.faultAfter = 3;
    CSimTransport sim(o);
    sim.open();
    EXPECT_EQ(ask(sim, {'A', 3, 1}).size(), 5u);
    EXPECT_EQ(acquire(sim, Window{}).size(), 1002u);
    EXPECT_TRUE(ask(sim, packet(Window{})).empty());
    sim.close();
    sim.open();
    EXPECT_TRUE(ask(sim, {'A', 3, 1}).empty());
}

TEST(SimInstrument, DroppedConnectionComesBackAfterAReconnect)
{
    SimOptions o = fast();
    o.fault = SimFault::Drop;
    o.faultAfter = 1;
    CSimTransport sim(o);
    sim.open();
    EXPECT_EQ(ask(sim, {'A', 3, 1}).size(), 5u);
    std::uint32_t n = 0;
    const Bytes request = packet(Window{});
    EXPECT_EQ(sim.write(request.data(), 16, n), ft::kOk);
    std::uint8_t buffer[16];
    EXPECT_EQ(sim.read(buffer, sizeof buffer, n), ft::kIoError);
    EXPECT_EQ(sim.write(request.data(), 16, n), ft::kIoError);
    EXPECT_EQ(sim.close(), ft::kOk);
    EXPECT_EQ(sim.open(), ft::kOk);
    EXPECT_EQ(acquire(sim, Window{}).size(), 1002u);
}

TEST(SimInstrument, AcquisitionTimeGrowsWithAveragingAndRange)
{
    SimOptions o;
    CSimInstrument a(o);
    std::vector<SimReply> replies;
    auto timeFor = [&](const Window& w) {
        const Bytes p = packet(w);
        a.receive(p.data(), p.size(), replies);
        return a.acquisitionMs();
    };
    Window w;
    const double base = timeFor(w);
    w.average = 7;
    const double averaged = timeFor(w);
    w.code = 1023;
    const double far = timeFor(w);
    EXPECT_LT(base, averaged);
    EXPECT_LT(averaged, far);
}

TEST(SimInstrument, RequestsArrivingInPiecesAreAnsweredOnce)
{
    CSimTransport sim(fast());
    sim.open();
    const Bytes p = packet(Window{});
    std::uint32_t n = 0;
    EXPECT_EQ(sim.write(p.data(), 5, n), ft::kOk);
    EXPECT_EQ(ask(sim, Bytes(p.begin() + 5, p.end())).size(), 5u);
    EXPECT_EQ(ask(sim, {0x00, 'Z', 2}).size(), 1002u);   // a stray byte before a request is skipped
}
