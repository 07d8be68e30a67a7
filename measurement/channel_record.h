#pragma once

#include "document/status.h"
#include "document/trace.h"
#include "files/reflectogram_file.h"

#include <array>
#include <cstdint>
#include <string>

class CVarnelDoc;

// The record of live line `line` (L1 or L2) with the acquisition parameters of the document and the
// 8000 full-record samples obtained from the instrument for that line.
ReflectogramRecord makeReflectogramRecord(const CVarnelDoc& doc, int line,
                                          const std::array<std::uint8_t, kRawSamples>& samples);

// Writes that record as a reflectogram file, atomically.
Status writeReflectogram(const std::string& path, const CVarnelDoc& doc, int line,
                         const std::array<std::uint8_t, kRawSamples>& samples);
