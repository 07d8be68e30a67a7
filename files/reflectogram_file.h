#pragma once

#include "document/local_time.h"
#include "document/status.h"
#include "document/trace.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// A reflectogram file (".tdr"): a 512-byte header of little-endian 32-bit integers, then the 8000
// samples of the instrument's full record, one byte each. No magic number and no date: the date shown
// for a file is its last-write time.
inline constexpr const char* kReflectogramExtension = ".tdr";
inline constexpr std::size_t kReflectogramHeaderBytes = 512;
inline constexpr std::size_t kReflectogramFileBytes = kReflectogramHeaderBytes + kRawSamples;

// The stored fields of one reflectogram file.
struct ReflectogramRecord {
    int scaleIndex = 0;          // into the range table, 0..10
    int pulseIndex = 0;          // into the pulse table, 0..11
    int average = 0;
    int gain = 0;
    int status = 0;
    int kuThousandths = 1500;    // KU x 1000, truncated toward zero
    std::array<std::uint8_t, kRawSamples> samples{};

    double scale() const;        // nominal metres
    double pulse() const;        // ns
    double ku() const { return kuThousandths / 1000.0; }
};

// What the library list shows of a file.
struct ReflectogramHeader {
    double scale = 0.0;   // nominal metres
    double pulse = 0.0;   // ns
    double ku = 0.0;
};

// The 8512 bytes of a file.
std::string encodeReflectogram(const ReflectogramRecord& record);
// Decodes the bytes of a file: fewer than 8512 bytes, a scale index outside 0..10 or a pulse index
// outside 0..11 are refused with a reason and leave `record` untouched. Bytes beyond 8512, the count
// field at offset 0 and the reserved bytes 28..511 are ignored.
Status decodeReflectogram(std::string_view bytes, ReflectogramRecord& record);

// Writes the file completely to a temporary file in the target folder and renames it over `path` only
// then, so a failure (full disk, read-only folder) leaves an existing file as it was.
Status writeReflectogram(const std::string& path, const ReflectogramRecord& record);

// The bytes of the header that the library list reads: count, range, pulse, averaging, gain, status, KU.
inline constexpr std::size_t kReflectogramListedBytes = 28;

// The range, pulse and KU from the first bytes of a file of `fileSize` bytes, refused on the same
// grounds as a whole read; `header` is left untouched then.
Status decodeReflectogramHeader(std::string_view firstBytes, std::uint64_t fileSize, ReflectogramHeader& header);
// The range, pulse and KU of a file, refused on the same grounds as a whole read.
Status readReflectogramHeader(const std::string& path, ReflectogramHeader& header);
// The record and the file's last-write time in local time.
Status readReflectogramFile(const std::string& path, ReflectogramRecord& record, LocalTime& lastWrite);
