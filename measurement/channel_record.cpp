#include "measurement/channel_record.h"

#include "document/tables.h"
#include "document/varnel_doc.h"
#include "files/number_text.h"

ReflectogramRecord makeReflectogramRecord(const CVarnelDoc& doc, int line,
                                          const std::array<std::uint8_t, kRawSamples>& samples)
{
    ReflectogramRecord r;
    r.scaleIndex = tables::scaleIndexOf(doc.scale);
    r.pulseIndex = tables::pulseIndexOf(doc.pulse);
    r.average = doc.average;
    r.gain = doc.gain;
    r.status = (line >= 0 && line < kTraceCount) ? doc.traces[line].status : 0;
    r.kuThousandths = numtext::truncThousandths(doc.vfactor);
    r.samples = samples;
    return r;
}

Status writeReflectogram(const std::string& path, const CVarnelDoc& doc, int line,
                         const std::array<std::uint8_t, kRawSamples>& samples)
{
    return writeReflectogram(path, makeReflectogramRecord(doc, line, samples));
}
