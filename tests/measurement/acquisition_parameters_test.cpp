#include "document/varnel_doc.h"
#include "measurement/acquisition_parameters.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

AcquisitionParams params(RecordMode mode, int send, int receive, int length, int avg, int gain, int range, int window,
                         int pulse, int start)
{
    AcquisitionParams p;
    p.mode = mode;
    p.sendLines = static_cast<std::uint8_t>(send);
    p.receiveLines = static_cast<std::uint8_t>(receive);
    p.dataLength = length;
    p.averaging = static_cast<std::uint8_t>(avg);
    p.gainCode = static_cast<std::uint8_t>(gain);
    p.rangeCode = static_cast<std::int16_t>(range);
    p.windowCode = static_cast<std::int16_t>(window);
    p.pulseCode = static_cast<std::int16_t>(pulse);
    p.windowStart = start;
    return p;
}

// Every field in one line, so that a failing case shows which ones differ.
std::string describe(const AcquisitionParams& p)
{
    return std::string(p.mode == RecordMode::Long ? "long" : "normal") + " send " + std::to_string(p.sendLines) +
           " receive " + std::to_string(p.receiveLines) + " length " + std::to_string(p.dataLength) + " averaging " +
           std::to_string(p.averaging) + " gain " + std::to_string(p.gainCode) + " range " +
           std::to_string(p.rangeCode) + " window " + std::to_string(p.windowCode) + " pulse " +
           std::to_string(p.pulseCode) + " start " + std::to_string(p.windowStart);
}

void showLines(CVarnelDoc& doc, bool l1, bool l2)
{
    doc.traces[L1].shown = l1;
    doc.traces[L2].shown = l2;
}

} // namespace

TEST(AcquisitionParameters, FromTheDocument)
{
    constexpr RecordMode kNormal = RecordMode::Normal;
    constexpr RecordMode kLong = RecordMode::Long;
    struct Case {
        std::string what;
        std::function<void(CVarnelDoc&)> setup;
        RecordMode mode;
        int longRecordLine;
        AcquisitionParams expected;
    };
    auto range = [](CVarnelDoc& d, int index) { d.selectRange(index); };
    const std::vector<Case> cases = {
        {"defaults: line 1 at 62.5 m", [](CVarnelDoc&) {}, kNormal, 1, params(kNormal, 1, 1, 502, 1, 0, 0, 0, 1, 43)},
        {"only line 2",
         [&](CVarnelDoc& d) {
             showLines(d, false, true);
             range(d, 4);
         },
         kNormal, 1, params(kNormal, 2, 2, 502, 1, 0, 15, 15, 20, 43)},
        {"both lines",
         [&](CVarnelDoc& d) {
             showLines(d, true, true);
             range(d, 4);
         },
         kNormal, 1, params(kNormal, 3, 3, 1002, 1, 0, 15, 15, 20, 43)},
        {"line 2 shown but not available",
         [&](CVarnelDoc& d) {
             showLines(d, true, true);
             d.traces[L2].available = false;
         },
         kNormal, 1, params(kNormal, 1, 1, 502, 1, 0, 0, 0, 1, 43)},
        {"no line selected", [&](CVarnelDoc& d) { showLines(d, false, false); }, kNormal, 1,
         params(kNormal, 0, 0, 0, 1, 0, 0, 0, 1, 43)},
        {"split pairs, line 1 not available",
         [&](CVarnelDoc& d) {
             showLines(d, false, true);
             d.toggleSplitPairs();
         },
         kNormal, 1, params(kNormal, 1, 2, 502, 1, 0, 0, 0, 1, 43)},
        {"split pairs, line 2 not available",
         [&](CVarnelDoc& d) {
             showLines(d, true, true);
             d.toggleSplitPairs();
         },
         kNormal, 1, params(kNormal, 2, 1, 502, 1, 0, 0, 0, 1, 43)},
        {"pulse 50 ns, average 3, gain 300 (low byte)",
         [&](CVarnelDoc& d) {
             d.pulse = 50;
             d.average = 3;
             d.gain = 300;
         },
         kNormal, 1, params(kNormal, 1, 1, 502, 8, 44, 0, 0, 5, 43)},
        {"average 7, pulse 50 us",
         [&](CVarnelDoc& d) {
             d.average = 7;
             d.pulse = 50000;
         },
         kNormal, 1, params(kNormal, 1, 1, 502, 128, 0, 0, 0, 5000, 43)},
        {"zoom 0: start 43 wherever the centre",
         [&](CVarnelDoc& d) {
             range(d, 4);
             d.zoomCenter = 800;
         },
         kNormal, 1, params(kNormal, 1, 1, 502, 1, 0, 15, 15, 20, 43)},
        {"1 km, zoom 1, centre 900: pushed back inside",
         [&](CVarnelDoc& d) {
             range(d, 4);
             d.zoom = 1;
             d.zoomCenter = 900;
         },
         kNormal, 1, params(kNormal, 1, 1, 502, 1, 0, 15, 7, 20, 4043)},
        {"1 km, zoom 1, centre 300",
         [&](CVarnelDoc& d) {
             range(d, 4);
             d.zoom = 1;
             d.zoomCenter = 300;
         },
         kNormal, 1, params(kNormal, 1, 1, 502, 1, 0, 15, 7, 20, 443)},
        {"1 km, zoom 4, centre 10: at the start",
         [&](CVarnelDoc& d) {
             range(d, 4);
             d.zoom = 4;
             d.zoomCenter = 10;
         },
         kNormal, 1, params(kNormal, 1, 1, 502, 1, 0, 15, 0, 20, 43)},
        {"64 km, zoom 4, centre 30000",
         [&](CVarnelDoc& d) {
             range(d, 10);
             d.zoom = 4;
             d.zoomCenter = 30000;
         },
         kNormal, 1, params(kNormal, 1, 1, 502, 1, 0, 1023, 63, 2000, 240000 - 16000 + 43)},
        {"long record at 2 km: whatever the zoom, from the start",
         [&](CVarnelDoc& d) {
             showLines(d, true, true);
             range(d, 5);
             d.zoom = 2;
             d.zoomCenter = 1500;
         },
         kLong, 2, params(kLong, 2, 2, 8002, 1, 0, 31, 1, 50, 43)},
        {"long record at 500 m", [&](CVarnelDoc& d) { range(d, 3); }, kLong, 1,
         params(kLong, 1, 1, 8002, 1, 0, 7, 0, 10, 43)},
        {"long record at 64 km", [&](CVarnelDoc& d) { range(d, 10); }, kLong, 1,
         params(kLong, 1, 1, 8002, 1, 0, 1023, 63, 2000, 43)},
        {"long record of a line not shown: the line asked for", [&](CVarnelDoc& d) { showLines(d, false, false); },
         kLong, 2, params(kLong, 2, 2, 8002, 1, 0, 0, 0, 1, 43)},
        {"long record in split-pair mode follows the split-pair masks",
         [&](CVarnelDoc& d) {
             showLines(d, true, true);
             d.toggleSplitPairs();
         },
         kLong, 1, params(kLong, 2, 1, 8002, 1, 0, 0, 0, 1, 43)},
    };
    for (const Case& c : cases) {
        CVarnelDoc doc;
        c.setup(doc);
        EXPECT_EQ(describe(parametersFor(doc, c.mode, c.longRecordLine)), describe(c.expected)) << c.what;
    }
}
