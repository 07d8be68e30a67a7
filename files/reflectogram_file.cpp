#include "files/reflectogram_file.h"

#include "document/atomic_file.h"
#include "document/tables.h"
#include "document/file_bytes.h"

#include <cstring>

namespace {

constexpr std::size_t kFieldBytes = 4;
constexpr int kCountField = kRawSamples;

void putInt(std::string& out, std::size_t offset, std::int32_t value)
{
    const auto u = static_cast<std::uint32_t>(value);
    for (std::size_t i = 0; i < kFieldBytes; ++i)
        out[offset + i] = static_cast<char>((u >> (8 * i)) & 0xFF);
}

std::int32_t getInt(std::string_view in, std::size_t offset)
{
    std::uint32_t u = 0;
    for (std::size_t i = 0; i < kFieldBytes; ++i)
        u |= static_cast<std::uint32_t>(static_cast<unsigned char>(in[offset + i])) << (8 * i);
    return static_cast<std::int32_t>(u);
}

Status withPath(const std::string& path, const Status& s)
{
    return s.prefixed(path + ": ");
}

Status checkIndices(int scaleIndex, int pulseIndex)
{
    if (scaleIndex < 0 || scaleIndex >= tables::kRangeCount)
        return Status::failure("range index " + std::to_string(scaleIndex) + " is outside 0..10",
                               "номер диапазона " + std::to_string(scaleIndex) + " вне 0..10");
    if (pulseIndex < 0 || pulseIndex >= tables::kPulseCount)
        return Status::failure("pulse index " + std::to_string(pulseIndex) + " is outside 0..11",
                               "номер импульса " + std::to_string(pulseIndex) + " вне 0..11");
    return Status::success();
}

Status checkLength(std::size_t length)
{
    if (length < kReflectogramFileBytes)
        return Status::failure("too short for a reflectogram (" + std::to_string(length) + " bytes, " +
                                   std::to_string(kReflectogramFileBytes) + " expected)",
                               "слишком короткий для рефлектограммы (" + std::to_string(length) + " байт вместо " +
                                   std::to_string(kReflectogramFileBytes) + ")");
    return Status::success();
}

} // namespace

double ReflectogramRecord::scale() const { return tables::rangeAt(scaleIndex); }
double ReflectogramRecord::pulse() const { return tables::pulseAt(pulseIndex); }

std::string encodeReflectogram(const ReflectogramRecord& r)
{
    std::string out(kReflectogramFileBytes, '\0');
    const std::int32_t fields[] = {kCountField, r.scaleIndex, r.pulseIndex, r.average, r.gain, r.status,
                                   r.kuThousandths};
    std::size_t offset = 0;
    for (const std::int32_t f : fields) {
        putInt(out, offset, f);
        offset += kFieldBytes;
    }
    std::memcpy(out.data() + kReflectogramHeaderBytes, r.samples.data(), r.samples.size());
    return out;
}

Status decodeReflectogram(std::string_view bytes, ReflectogramRecord& record)
{
    if (Status s = checkLength(bytes.size()); !s)
        return s;
    const int scaleIndex = getInt(bytes, 4);
    const int pulseIndex = getInt(bytes, 8);
    if (Status s = checkIndices(scaleIndex, pulseIndex); !s)
        return s;
    record.scaleIndex = scaleIndex;
    record.pulseIndex = pulseIndex;
    record.average = getInt(bytes, 12);
    record.gain = getInt(bytes, 16);
    record.status = getInt(bytes, 20);
    record.kuThousandths = getInt(bytes, 24);
    std::memcpy(record.samples.data(), bytes.data() + kReflectogramHeaderBytes, record.samples.size());
    return Status::success();
}

Status writeReflectogram(const std::string& path, const ReflectogramRecord& record)
{
    return writeFileAtomically(path, encodeReflectogram(record));
}

Status decodeReflectogramHeader(std::string_view firstBytes, std::uint64_t fileSize, ReflectogramHeader& header)
{
    if (Status s = checkLength(static_cast<std::size_t>(fileSize)); !s)
        return s;
    if (firstBytes.size() < kReflectogramListedBytes)   // the file shrank while it was read
        return checkLength(firstBytes.size());
    const int scaleIndex = getInt(firstBytes, 4);
    const int pulseIndex = getInt(firstBytes, 8);
    if (Status s = checkIndices(scaleIndex, pulseIndex); !s)
        return s;
    header.scale = tables::rangeAt(scaleIndex);
    header.pulse = tables::pulseAt(pulseIndex);
    header.ku = getInt(firstBytes, 24) / 1000.0;
    return Status::success();
}

Status readReflectogramHeader(const std::string& path, ReflectogramHeader& header)
{
    std::string bytes;
    FileFacts facts;
    if (Status s = readFileBytes(path, kReflectogramListedBytes, bytes, facts); !s)
        return s;
    return withPath(path, decodeReflectogramHeader(bytes, facts.size, header));
}

Status readReflectogramFile(const std::string& path, ReflectogramRecord& record, LocalTime& lastWrite)
{
    std::string bytes;
    FileFacts facts;
    if (Status s = readFileBytes(path, kReflectogramFileBytes, bytes, facts); !s)
        return s;
    if (Status s = decodeReflectogram(bytes, record); !s)
        return withPath(path, s);
    lastWrite = toLocalTime(facts.lastWrite);
    return Status::success();
}
