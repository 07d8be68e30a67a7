#pragma once

#include "document/status.h"
#include "document/trace.h"

#include <string>

// Loads a reflectogram file into a memory trace: fills `raw`, `memScale`, `memPulse`, `memAverage`,
// `memGain`, `status`, `memKU` and `memTime`; on failure the trace is left exactly as it was.
Status readReflectogram(const std::string& path, Trace& trace);
