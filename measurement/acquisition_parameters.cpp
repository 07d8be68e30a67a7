#include "measurement/acquisition_parameters.h"

#include "document/tables.h"
#include "document/varnel_doc.h"

#include <cmath>

namespace {

// Exponent of the long record's sample spacing per range index: 8000 samples of 0.125 x 2^e nominal metres.
constexpr int kLongRecordExponent[tables::kRangeCount] = {0, 0, 0, 0, 0, 1, 2, 3, 4, 5, 6};
constexpr double kBaseSample = 0.125;   // nominal metres
constexpr int kStartOffset = 43;

// In split-pair mode one line sends and the other receives: the one the instrument lacks listens.
void splitPairMasks(const CVarnelDoc& doc, AcquisitionParams& p)
{
    if (!doc.traces[L1].available && doc.traces[L2].shown) {
        p.sendLines = 1;
        p.receiveLines = 2;
    } else if (!doc.traces[L2].available && doc.traces[L1].shown) {
        p.sendLines = 2;
        p.receiveLines = 1;
    }
}

} // namespace

bool lineSelected(const CVarnelDoc& doc, int line)
{
    const Trace& t = doc.traces[line == L2 ? L2 : L1];
    return t.shown && t.available;
}

AcquisitionParams parametersFor(const CVarnelDoc& doc, RecordMode mode, int longRecordLine)
{
    const bool longRecord = mode == RecordMode::Long;
    AcquisitionParams p;
    p.mode = mode;
    p.dataLength = 0;
    p.sendLines = 0;
    p.receiveLines = 0;

    const bool selected1 = lineSelected(doc, L1);
    const bool selected2 = lineSelected(doc, L2);
    if (!longRecord) {
        if (doc.splitPairs) {
            splitPairMasks(doc, p);
            p.dataLength = 502;
        } else if (selected1 && selected2) {
            p.sendLines = p.receiveLines = 3;
            p.dataLength = 1002;
        } else {
            if (selected1) {
                p.sendLines = p.receiveLines = 1;
                p.dataLength = 502;
            }
            if (selected2) {
                p.sendLines = p.receiveLines = 2;
                p.dataLength = 502;
            }
        }
    } else {
        p.dataLength = 8002;
        if (doc.splitPairs)
            splitPairMasks(doc, p);
        else
            p.sendLines = p.receiveLines = static_cast<std::uint8_t>(longRecordLine == 2 ? 2 : 1);
    }

    p.averaging = static_cast<std::uint8_t>(static_cast<long long>(std::pow(2.0, doc.average)) & 0xFF);
    p.gainCode = static_cast<std::uint8_t>(doc.gain & 0xFF);

    int k = tables::scaleIndexOf(doc.scale);
    p.rangeCode = static_cast<std::int16_t>((1 << k) - 1);
    if (longRecord) {
        // An out-of-table range (never produced by the document) takes the largest exponent.
        const int e = kLongRecordExponent[k < tables::kRangeCount ? k : tables::kRangeCount - 1];
        p.windowCode = static_cast<std::int16_t>((1 << e) - 1);
    } else {
        k = tables::scaleIndexOf(doc.scale / std::pow(2.0, doc.zoom));
        p.windowCode = static_cast<std::int16_t>((1 << k) - 1);
    }

    p.pulseCode = static_cast<std::int16_t>(std::trunc(doc.pulse / 10));

    // A long record always starts at the beginning of the line.
    if (longRecord) {
        p.windowStart = kStartOffset;
        return p;
    }
    const double half = 250.0 * (1 << k);
    const double lo = std::trunc(doc.zoomCenter / kBaseSample - half);
    const double hi = std::trunc(doc.zoomCenter / kBaseSample + half);
    if (lo <= 0)
        p.windowStart = kStartOffset;
    else if (doc.scale / kBaseSample < hi)
        p.windowStart = static_cast<std::int32_t>(std::trunc(doc.scale / kBaseSample - 500.0 * (1 << k))) + kStartOffset;
    else
        p.windowStart = static_cast<std::int32_t>(lo) + kStartOffset;
    return p;
}
