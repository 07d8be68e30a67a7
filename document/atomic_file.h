#pragma once

#include "document/status.h"

#include <string>
#include <string_view>

// Replaces the file at `path` with `content`: the bytes go to a temporary file in the same folder, are
// flushed to the disk, and only then renamed over the target. On any failure the temporary file is
// removed and an existing file at `path` is left exactly as it was.
Status writeFileAtomically(const std::string& path, std::string_view content);

// Appends `line` and a line break to the log at `path` with one write, flushed to the disk: a crash can
// cut only this line short. A log that does not end in a line break (a line cut by an earlier crash)
// gets one first; a new or empty log starts with `header` on a line of its own.
Status appendLineDurably(const std::string& path, const std::string& header, const std::string& line);
