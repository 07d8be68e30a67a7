#pragma once

#include "document/status.h"

#include <string>
#include <string_view>

// Replaces the file at `path` with `content`: the bytes go to a temporary file in the same folder, are
// flushed to the disk, and only then renamed over the target. On any failure the temporary file is
// removed and an existing file at `path` is left exactly as it was.
Status writeFileAtomically(const std::string& path, std::string_view content);
