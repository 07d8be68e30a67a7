#include "measurement/analysis/forms/trace_choice.h"

#include "document/varnel_doc.h"

TraceSamples traceSamples(const CVarnelDoc& doc, int trace)
{
    const Trace& t = doc.traces[static_cast<std::size_t>(trace)];
    if (trace == L1 || trace == L2)
        return {t.samples, windowGrid(doc)};
    return {t.raw, memoryGrid(t)};
}

std::vector<int> shownTraces(const CVarnelDoc& doc)
{
    std::vector<int> shown;
    for (int i = 0; i < kTraceCount; ++i)
        if (doc.traces[static_cast<std::size_t>(i)].shown)
            shown.push_back(i);
    return shown;
}
