#include "files/library/memory_file.h"

#include "files/reflectogram_file.h"

Status readReflectogram(const std::string& path, Trace& trace)
{
    ReflectogramRecord record;
    LocalTime time;
    if (Status s = readReflectogramFile(path, record, time); !s)
        return s;
    trace.raw = record.samples;
    trace.memScale = record.scale();
    trace.memPulse = record.pulse();
    trace.memAverage = record.average;
    trace.memGain = record.gain;
    trace.status = record.status;
    trace.memKU = record.ku();
    trace.memTime = time;
    return Status::success();
}
