#pragma once

#include "device/sim_scene.h"
#include "document/status.h"

#include <cstdint>
#include <random>
#include <string_view>
#include <vector>

// Test-only misbehaviour of the simulated instrument.
enum class SimFault {
    None,
    Silent,      // answers nothing once the fault begins
    Error,       // answers data requests with an error reply ":E" and two status bytes
    Question,    // answers data requests with a 2-byte "?" reply
    Overlong,    // data replies carry three bytes too many
    Truncated,   // data replies lack their last ten bytes
    Drop,        // the connection fails once (reads and writes fail) until it is closed and reopened
    Garbage,     // data replies are random bytes of a length no reply has (5..400)
};

// The order in which scheduled faults come, one at a time (see SimOptions::schedulePeriodMs).
inline constexpr SimFault kScheduledFaults[] = {SimFault::Silent, SimFault::Drop, SimFault::Garbage,
                                                SimFault::Overlong, SimFault::Question};

struct SimOptions {
    std::uint64_t seed = 1;
    bool paced = true;         // 115200-baud timing and acquisition time; false: replies at once
    SimFault fault = SimFault::None;
    int faultAfter = 0;        // replies answered normally before the fault begins
    int faultEvery = 1;        // of the data requests after that, every n-th is answered wrongly
    // > 0: every period (ms from the link's creation) the next data request gets the next fault of
    // kScheduledFaults, once; a silent instrument answers again when the link is reopened.
    int schedulePeriodMs = 0;
};

// Reads the options of a port name "sim" or "sim:opt,opt,...": seed=N, fast, silent, error, question,
// overlong, truncated, drop, garbage, after=N, every=N, schedule=MS.
Status parseSimOptions(std::string_view portName, SimOptions& options);

// One reply of the instrument and how long it works on it before the first byte goes out.
struct SimReply {
    std::vector<std::uint8_t> bytes;
    double processingMs = 0.0;
    bool drop = false;   // the connection fails instead of this reply
};

// The instrument's side of the wire: parses the requests as they arrive (start "A", parameter packet
// "D", data request "Z"), keeps the parameters, and answers as the real one does.
class CSimInstrument {
public:
    explicit CSimInstrument(const SimOptions& options);

    // Takes bytes from the wire; each complete request adds its reply to `replies`. Bytes that do not
    // start a known request are skipped one at a time.
    void receive(const std::uint8_t* data, std::size_t count, std::vector<SimReply>& replies);
    // A new connection: a request cut off by the old one is forgotten, and a silenced instrument
    // answers again.
    void reset();
    // The next data request is answered with `fault` (a silent instrument stays silent until reset);
    // false, and nothing changes, while an earlier injected fault has not happened yet.
    bool injectFault(SimFault fault);
    int faultsInjected() const { return injected; }

    // Time to acquire one reflectogram with the current parameters; grows with averaging and range.
    double acquisitionMs() const;
    int dataRepliesSent() const { return dataReplies; }

private:
    void handle(const std::uint8_t* packet, std::vector<SimReply>& replies);
    void dataReply(SimReply& reply);
    bool faultNow(bool dataRequest);
    // The fault this request meets, SimFault::None for a normal answer.
    SimFault faultFor(bool dataRequest);

    SimOptions options;
    CSimScene scene;
    std::vector<std::uint8_t> input;

    char mode = 'Y';
    std::uint8_t sendLines = 1;
    std::uint8_t receiveLines = 1;
    int averaging = 1;
    int gain = 0;
    int code = 0;
    int pulseCode = 1;
    std::int32_t start = 43;

    int replies = 0;
    int dataReplies = 0;
    int faultyCandidates = 0;
    bool dropped = false;
    SimFault armed = SimFault::None;
    bool silenced = false;
    int injected = 0;
    std::mt19937 garbageRandom;
};
