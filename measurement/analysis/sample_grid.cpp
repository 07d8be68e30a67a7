#include "measurement/analysis/sample_grid.h"

#include "document/tables.h"
#include "document/trace.h"
#include "document/varnel_doc.h"
#include "files/reflectogram_file.h"

SampleGrid recordGrid(const ReflectogramRecord& record)
{
    const int range = tables::clampScaleIndex(record.scaleIndex);
    return {0.0, tables::kRawSpacingCm[static_cast<std::size_t>(range)] / 100, record.pulse()};
}

SampleGrid memoryGrid(const Trace& memory)
{
    const int range = tables::clampScaleIndex(tables::scaleIndexOf(memory.memScale));
    return {0.0, tables::kRawSpacingCm[static_cast<std::size_t>(range)] / 100, memory.memPulse};
}

SampleGrid windowGrid(const CVarnelDoc& doc)
{
    return {doc.window().left, doc.windowWidth() / kWindowSamples, doc.pulse};
}
