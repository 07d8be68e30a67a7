#include "fuzz/fuzz_entries.h"

#include "device/protocol_vuz.h"
#include "document/settings.h"
#include "document/tables.h"
#include "document/varnel_doc.h"
#include "files/reflectogram_file.h"
#include "files/section_file.h"
#include "files/table_file.h"

#include <algorithm>
#include <array>
#include <vector>
#include <cmath>
#include <string_view>

namespace {

void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

std::string_view bytesOf(const std::uint8_t* data, std::size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}

bool inTable(double value, const auto& table)
{
    return std::find(table.begin(), table.end(), value) != table.end();
}

} // namespace

int fuzzReflectogramFile(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes = bytesOf(data, size);
    // The library list reads only the head of a file: it accepts exactly what a whole read accepts.
    ReflectogramHeader header;
    header.ku = -77;
    const bool headerRead = decodeReflectogramHeader(bytes.substr(0, kReflectogramListedBytes), size, header).ok();
    check(headerRead || header.ku == -77);
    ReflectogramRecord record;
    record.gain = -77;
    if (!decodeReflectogram(bytes, record)) {
        check(record.gain == -77);   // refused: untouched
        check(!headerRead);
        return 0;
    }
    check(headerRead && header.scale == record.scale() && header.pulse == record.pulse() && header.ku == record.ku());
    check(size >= kReflectogramFileBytes);
    check(record.scaleIndex >= 0 && record.scaleIndex < tables::kRangeCount);
    check(record.pulseIndex >= 0 && record.pulseIndex < tables::kPulseCount);
    const std::string again = encodeReflectogram(record);
    check(again.size() == kReflectogramFileBytes);
    // Everything a reader uses survives a write: offsets 4..27 and the samples.
    check(again.compare(4, 24, bytes.substr(4, 24)) == 0);
    check(again.compare(kReflectogramHeaderBytes, kRawSamples, bytes.substr(kReflectogramHeaderBytes, kRawSamples)) == 0);
    return 0;
}

int fuzzSectionFile(const std::uint8_t* data, std::size_t size)
{
    SectionFileData file;
    if (!decodeSectionFile(bytesOf(data, size), file))
        return 0;
    check(file.sections.size() <= static_cast<std::size_t>(kMaxSections));
    const std::vector<SectionRow> rows = sectionRows(file);
    const std::vector<Section> records = documentSections(file);
    check(rows.size() == file.sections.size() && records.size() == rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        check(rows[i].ku > 0 && records[i].ku == rows[i].ku);
        check(std::isfinite(rows[i].start) && std::isfinite(rows[i].end) && std::isfinite(rows[i].length));
        check(std::isfinite(records[i].start) && std::isfinite(records[i].end));
        for (const bool speedMode : {false, true})
            for (const std::string& cell : sectionRowCells(rows[i], speedMode))
                check(cell.find('\n') == std::string::npos);
    }
    return 0;
}

int fuzzTableFile(const std::uint8_t* data, std::size_t size)
{
    std::vector<TableEntry> entries = decodeTable(bytesOf(data, size));
    for (const bool speedMode : {false, true}) {
        showTableIn(entries, speedMode);
        const std::string encoded = encodeTable(entries, speedMode);
        check(encoded.size() % 2 == 0);
        // Whatever was read is written back as the same number of entries.
        check(decodeTable(encoded).size() == entries.size());
        for (const TableEntry& e : entries)
            if (const auto ku = kuOfTableText(e.value, speedMode))
                check(*ku > 0 && std::isfinite(*ku));
    }
    return 0;
}

int fuzzSettingsFile(const std::uint8_t* data, std::size_t size)
{
    const auto ini = CSettings::fromBytes(bytesOf(data, size));
    CVarnelDoc doc;
    doc.readSettings(*ini);
    check(inTable(doc.scale, tables::kRanges) && inTable(doc.pulse, tables::kPulses));
    check(static_cast<int>(doc.mouseMode) >= 0 && static_cast<int>(doc.mouseMode) < kMouseModeCount);
    check(doc.vfactor >= 1.0 && doc.vfactor <= 3.0);
    check(doc.cursor1 >= 0 && doc.cursor1 <= doc.scale && doc.cursor2 >= 0 && doc.cursor2 <= doc.scale);
    for (const Trace& t : doc.traces)
        check(t.yOffset >= -200 && t.yOffset <= 200);

    // What was read is written and read back as the same settings.
    doc.writeSettings(*ini);
    CVarnelDoc again;
    again.readSettings(*ini);
    check(again.scale == doc.scale && again.pulse == doc.pulse && again.mouseMode == doc.mouseMode);
    check(again.gain == doc.gain && again.average == doc.average);
    check(again.approximation == doc.approximation && again.speedMode == doc.speedMode &&
          again.returnLoss == doc.returnLoss);
    for (int i = 0; i < kTraceCount; ++i)
        check(again.traces[i].yOffset == doc.traces[i].yOffset);
    return 0;
}

// Header: command code, line mask, reply length choice, mode, number of reads n, then n read sizes;
// the rest is what the instrument sends. The worker's loop is played: the parser is asked before every
// read, a short reply completes on an empty read, and the handler gets the whole reply.
int fuzzDeviceReply(const std::uint8_t* data, std::size_t size)
{
    if (size < 5)
        return 0;
    constexpr std::int32_t kLengths[] = {0, 502, 1002, 8002};
    DeviceCommand command;
    command.code = static_cast<std::uint8_t>(data[0] % 6);   // 5: a code the protocol does not know
    command.params.sendLines = command.params.receiveLines = static_cast<std::uint8_t>(data[1] & 3);
    command.params.dataLength = kLengths[data[2] & 3];
    command.params.mode = (data[3] & 1) ? RecordMode::Long : RecordMode::Normal;
    const std::size_t reads = std::min<std::size_t>(data[4], size - 5);
    const std::uint8_t* sizes = data + 5;
    const std::uint8_t* stream = sizes + reads;
    std::size_t left = size - 5 - reads;

    CProtocolVUZ codec;
    std::vector<std::uint8_t> buffer(9000, 0);
    if (codec.buildRequest(command, buffer.data()) == 0)
        return 0;
    std::fill(buffer.begin(), buffer.end(), 0);
    std::uint32_t total = 0;
    bool complete = false;
    for (std::size_t r = 0; r <= reads && !complete; ++r) {
        const ReplyCheck verdict = codec.checkReply(buffer.data(), total);
        check(verdict != ReplyCheck::CompleteIfQuiet || total == 2 || total == 4);
        if (verdict == ReplyCheck::Complete || verdict == ReplyCheck::Overlong) {
            complete = true;   // an overlong reply goes to the handler too, after the worker drains the line
            break;
        }
        // The last read takes everything left; the others their stated share (a read may bring nothing).
        std::size_t n = r == reads ? left : std::min<std::size_t>(left, sizes[r] * 16u);
        n = std::min<std::size_t>(n, buffer.size() - total);
        if (verdict == ReplyCheck::CompleteIfQuiet && n == 0)
            complete = true;
        std::copy_n(stream, n, buffer.begin() + total);
        stream += n;
        left -= n;
        total += static_cast<std::uint32_t>(n);
    }
    if (!complete) {
        const ReplyCheck last = codec.checkReply(buffer.data(), total);
        if (last != ReplyCheck::Complete && last != ReplyCheck::Overlong)
            return 0;
    }

    DeviceNotification n;
    const bool accepted = codec.handleReply(command, buffer.data(), total, n);
    const bool whole = static_cast<std::int64_t>(total) == command.params.dataLength;
    if (!accepted) {
        check(command.code == CProtocolVUZ::kFullRangeParams || command.code == CProtocolVUZ::kWindowParams ||
              command.code == CProtocolVUZ::kStart);
        return 0;
    }
    check(n.code >= 1 && n.code <= 8);
    // Samples come only from a reply of the full data length, and only from its own bytes.
    check((!n.line1 && !n.line2 && n.longRecord.empty()) || whole);
    if (n.line1)
        check(std::equal(n.line1->begin(), n.line1->end(), buffer.begin()));
    if (!n.longRecord.empty())
        check(n.longRecord.size() == 8000 && total == 8002 && std::equal(n.longRecord.begin(), n.longRecord.end(), buffer.begin()));
    if (n.code == CProtocolVUZ::kLongRecord)
        check(!n.longRecord.empty());
    if (n.code == CProtocolVUZ::kWindowAck || n.code == CProtocolVUZ::kFullRangeAck || n.code == CProtocolVUZ::kStartAck)
        check(total >= 3 && buffer[0] == ':' && buffer[1] == 'O' && buffer[2] == 'K');
    return 0;
}
