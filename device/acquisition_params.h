#pragma once

#include <cstdint>

// What the instrument records: the normal window of one or both lines, or a long record of one line to save.
enum class RecordMode : std::uint8_t { Normal, Long };

// The parameters a request is built from, filled in by the acquisition controller from the document.
// They travel with each queued command, so a request and the reading of its reply always agree.
struct AcquisitionParams {
    RecordMode mode = RecordMode::Normal;
    std::uint8_t sendLines = 0;      // bit 0 line 1, bit 1 line 2
    std::uint8_t receiveLines = 0;
    std::uint8_t averaging = 1;      // number of averaged shots
    std::uint8_t gainCode = 0;
    std::int16_t rangeCode = 0;      // 2^k - 1 of the whole range
    std::int16_t windowCode = 0;     // 2^k - 1 of the window or of the long record
    std::int16_t pulseCode = 1;      // probe pulse in units of 10 ns
    std::int32_t windowStart = 43;   // start of the window in base samples, plus 43 (24 bits sent)
    std::int32_t dataLength = 0;     // 502, 1002, 8002, or 0 when no line is selected
    friend bool operator==(const AcquisitionParams&, const AcquisitionParams&) = default;
};
