#include "files/library/memory_slots.h"

#include "document/text_codec.h"
#include "document/varnel_doc.h"
#include "files/library/memory_file.h"
#include "files/library/reflectogram_listing.h"

namespace memory_slots {

Status toggle(CVarnelDoc& doc, int trace, const std::string& folder, const std::optional<std::string>& name)
{
    if (trace < P1 || trace > P3)
        return Status::failure("not a memory: " + std::to_string(trace));
    Trace& memory = doc.traces[static_cast<std::size_t>(trace)];
    if (memory.shown) {
        memory.shown = false;
        return Status::success();
    }
    if (!name)
        return Status::failure("no reflectogram is selected");
    Trace loaded = memory;
    if (Status s = readReflectogram(reflectogramPath(folder, *name), loaded); !s)
        return s;
    loaded.name = codec::fileNameText(*name);
    loaded.shown = true;
    memory = std::move(loaded);
    return Status::success();
}

int markOf(const CVarnelDoc& doc, const std::string& name)
{
    const std::string shownName = codec::fileNameText(name);
    for (int t = P1; t <= P3; ++t) {
        const Trace& memory = doc.traces[static_cast<std::size_t>(t)];
        if (memory.shown && memory.name == shownName)
            return t;
    }
    return -1;
}

void switchAllOff(CVarnelDoc& doc)
{
    for (int t = P1; t <= P3; ++t)
        doc.traces[static_cast<std::size_t>(t)].shown = false;
}

} // namespace memory_slots
