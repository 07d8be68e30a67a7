#pragma once

#include "document/status.h"

#include <optional>
#include <string>

class CVarnelDoc;

// The three memories P1, P2, P3 as the library panel fills them from its folder.
namespace memory_slots {

// Switches memory `trace` (P1, P2 or P3) off, keeping its data, or on with file `name` of `folder` read
// into it. `name` is the file's name as the directory gave it; the memory is named with it as text. A memory that cannot be loaded (no row chosen, the file gone or unreadable) stays off and
// exactly as it was, name included, and the reason is given.
Status toggle(CVarnelDoc& doc, int trace, const std::string& folder, const std::optional<std::string>& name);

// The memory whose colour marks the row of file `name`: the first of P1, P2, P3 shown with that name,
// or -1.
int markOf(const CVarnelDoc& doc, const std::string& name);

// A new folder was chosen: no memory is shown any more.
void switchAllOff(CVarnelDoc& doc);

} // namespace memory_slots
