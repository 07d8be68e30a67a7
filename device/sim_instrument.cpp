#include "device/sim_instrument.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <utility>

namespace {

bool parseNumber(std::string_view text, long long& value)
{
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

void appendAck(std::vector<std::uint8_t>& out) { out.insert(out.end(), {':', 'O', 'K', 0x01, 0x00}); }

} // namespace

Status parseSimOptions(std::string_view portName, SimOptions& options)
{
    SimOptions parsed;
    if (portName == "sim") {
        options = parsed;
        return Status::success();
    }
    if (portName.substr(0, 4) != "sim:")
        return Status::failure("not a simulated port: " + std::string(portName));
    std::string_view rest = portName.substr(4);
    while (!rest.empty()) {
        const auto comma = rest.find(',');
        const std::string_view item = rest.substr(0, comma);
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
        const auto eq = item.find('=');
        const std::string_view name = item.substr(0, eq);
        long long number = 0;
        const bool hasNumber = eq != std::string_view::npos && parseNumber(item.substr(eq + 1), number) && number >= 0;
        if (name == "seed" && hasNumber)
            parsed.seed = static_cast<std::uint64_t>(number);
        else if (name == "after" && hasNumber)
            parsed.faultAfter = static_cast<int>(std::min<long long>(number, 1 << 30));
        else if (name == "every" && hasNumber && number > 0)
            parsed.faultEvery = static_cast<int>(std::min<long long>(number, 1 << 30));
        else if (item == "fast")
            parsed.paced = false;
        else if (item == "silent")
            parsed.fault = SimFault::Silent;
        else if (item == "error")
            parsed.fault = SimFault::Error;
        else if (item == "question")
            parsed.fault = SimFault::Question;
        else if (item == "overlong")
            parsed.fault = SimFault::Overlong;
        else if (item == "truncated")
            parsed.fault = SimFault::Truncated;
        else if (item == "drop")
            parsed.fault = SimFault::Drop;
        else if (item == "garbage")
            parsed.fault = SimFault::Garbage;
        else if (name == "schedule" && hasNumber && number > 0)
            parsed.schedulePeriodMs = static_cast<int>(std::min<long long>(number, 1 << 30));
        else
            return Status::failure("unknown option of the simulated instrument: " + std::string(item));
    }
    options = parsed;
    return Status::success();
}

CSimInstrument::CSimInstrument(const SimOptions& options)
    : options(options), scene(options.seed), garbageRandom(static_cast<std::mt19937::result_type>(options.seed))
{
}

void CSimInstrument::reset()
{
    input.clear();
    silenced = false;
}

bool CSimInstrument::injectFault(SimFault fault)
{
    if (armed != SimFault::None)
        return false;
    armed = fault;
    return true;
}

void CSimInstrument::receive(const std::uint8_t* data, std::size_t count, std::vector<SimReply>& out)
{
    input.insert(input.end(), data, data + count);
    std::size_t pos = 0;
    while (input.size() - pos >= 2) {
        const std::uint8_t command = input[pos];
        const std::uint8_t length = input[pos + 1];
        const bool known = (command == 'A' && length == 3) || (command == 'D' && length == 16) ||
                           (command == 'Z' && length == 2);
        if (!known) {
            ++pos;
            continue;
        }
        if (input.size() - pos < length)
            break;
        handle(input.data() + pos, out);
        pos += length;
    }
    input.erase(input.begin(), input.begin() + static_cast<std::ptrdiff_t>(pos));
}

bool CSimInstrument::faultNow(bool dataRequest)
{
    if (options.fault == SimFault::None || replies < options.faultAfter)
        return false;
    switch (options.fault) {
    case SimFault::Silent:
        return true;
    case SimFault::Drop:
        if (dropped)
            return false;
        dropped = true;
        return true;
    default:
        if (!dataRequest)
            return false;
        return faultyCandidates++ % options.faultEvery == 0;
    }
}

SimFault CSimInstrument::faultFor(bool dataRequest)
{
    if (silenced)
        return SimFault::Silent;
    if (dataRequest && armed != SimFault::None) {
        const SimFault fault = std::exchange(armed, SimFault::None);
        silenced = fault == SimFault::Silent;
        ++injected;
        return fault;
    }
    return faultNow(dataRequest) ? options.fault : SimFault::None;
}

void CSimInstrument::handle(const std::uint8_t* packet, std::vector<SimReply>& out)
{
    const bool dataRequest = packet[0] == 'Z';
    if (packet[0] == 'D') {
        mode = static_cast<char>(packet[2]);
        sendLines = packet[3];
        receiveLines = packet[4];
        averaging = packet[5] == 0 ? 256 : packet[5];
        gain = packet[6];
        code = static_cast<std::int16_t>(packet[7] | packet[8] << 8);
        pulseCode = static_cast<std::int16_t>(packet[9] | packet[10] << 8);
        start = packet[11] | packet[12] << 8 | packet[13] << 16;
    }

    const SimFault fault = faultFor(dataRequest);
    SimReply reply;
    reply.processingMs = 0.3;
    if (fault == SimFault::Silent)
        return;
    if (fault == SimFault::Drop) {
        reply.drop = true;
        out.push_back(std::move(reply));
        return;
    }
    ++replies;

    if (!dataRequest) {
        appendAck(reply.bytes);
        out.push_back(std::move(reply));
        return;
    }

    reply.processingMs = acquisitionMs();
    if (fault == SimFault::Error) {
        reply.bytes = {':', 'E', 0x02, 0x05};
    } else if (fault == SimFault::Question) {
        reply.bytes = {0x00, '?'};
    } else if (fault == SimFault::Garbage) {
        // Too long for a short reply, too short for any data reply: only the watchdog ends the wait.
        reply.bytes.resize(std::uniform_int_distribution<std::size_t>(5, 400)(garbageRandom));
        for (std::uint8_t& b : reply.bytes)
            b = static_cast<std::uint8_t>(garbageRandom());
    } else {
        dataReply(reply);
        if (reply.bytes.empty())
            return;   // no line selected: nothing to send
        if (fault == SimFault::Overlong)
            reply.bytes.insert(reply.bytes.end(), {0x55, 0x55, 0x55});
        if (fault == SimFault::Truncated)
            reply.bytes.resize(reply.bytes.size() - 10);
    }
    ++dataReplies;
    out.push_back(std::move(reply));
}

void CSimInstrument::dataReply(SimReply& reply)
{
    // A code 2^k - 1 gives 500 samples over 62.5 x 2^k nominal metres; start 43 is the line's beginning.
    int k = 0;
    while (k < 15 && (1 << (k + 1)) <= code + 1)
        ++k;
    SimView view;
    view.spacing = 0.125 * (1 << k);
    view.start = (start - 43) * 0.125;
    view.pulseNs = std::max(1, pulseCode) * 10.0;
    view.gain = gain;
    view.averaging = averaging;
    const int source = (sendLines & 1) ? 0 : 1;

    const bool faultShows = scene.drawFault();
    auto add = [&](int line, int count) {
        view.line = line;
        view.count = count;
        // A single pair sent and received is measured as itself; separate pairs show the crosstalk.
        view.sourceLine = (sendLines == 0 || sendLines == 3 || sendLines == receiveLines) ? line : source;
        const std::size_t at = reply.bytes.size();
        reply.bytes.resize(at + static_cast<std::size_t>(count));
        scene.render(view, faultShows, reply.bytes.data() + at);
    };

    if (mode == 'L') {
        add((receiveLines & 1) || receiveLines == 0 ? 0 : 1, 8000);
    } else {
        if (receiveLines & 1)
            add(0, 500);
        if (receiveLines & 2)
            add(1, 500);
        if (reply.bytes.empty())
            return;
    }
    reply.bytes.push_back(scene.status(0));
    reply.bytes.push_back(scene.status(1));
}

double CSimInstrument::acquisitionMs() const
{
    // Each shot waits for the echoes from the end of the recorded span (100 nominal metres per us).
    int k = 0;
    while (k < 15 && (1 << (k + 1)) <= code + 1)
        ++k;
    const int count = mode == 'L' ? 8000 : 500;
    const double end = (start - 43) * 0.125 + count * 0.125 * (1 << k);
    return 0.5 + averaging * (0.1 + std::max(end, 0.0) / 50000.0);
}
