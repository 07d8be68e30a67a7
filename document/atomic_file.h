#pragma once

#include "document/status.h"

#include <string>
#include <string_view>

// Replaces the file at `path` with `content`: the bytes go to a temporary file in the same folder, are
// flushed to the disk, and only then renamed over the target. On any failure the temporary file is
// removed and an existing file at `path` is left exactly as it was.
// A symbolic link at `path` is followed and the file it leads to is replaced, so the link stays a
// link. Only a regular file is replaced: a folder, a device, a pipe or a socket is refused, and so is a
// file nobody may write (no write bit at all; for an ordinary user, one this user may not write). The
// new file keeps the permissions of the old one without its setuid and setgid bits; a new file gets
// the permissions the umask leaves of rw-rw-rw-.
Status writeFileAtomically(const std::string& path, std::string_view content);

// The file a write to `path` replaces: `path` itself, or where its chain of symbolic links ends (which
// need not exist yet); refused, as writeFileAtomically refuses it, when what lies there may not be
// replaced. `replacing` tells whether a file exists there.
Status resolveWriteTarget(const std::string& path, std::string& target, bool& replacing);

// Appends `line` and a line break to the log at `path` with one write, flushed to the disk: a crash can
// cut only this line short. A log that does not end in a line break (a line cut by an earlier crash)
// gets one first; a new or empty log starts with `header` on a line of its own.
Status appendLineDurably(const std::string& path, const std::string& header, const std::string& line);
