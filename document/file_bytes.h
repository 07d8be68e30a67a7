#pragma once

#include "document/status.h"

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>

// What the directory entry of a file says.
struct FileFacts {
    std::uint64_t size = 0;
    std::time_t lastWrite = 0;   // universal time
};

// Reads up to `limit` bytes from the start of a regular file; a folder, a device or a pipe is refused
// without waiting for it. The reason names the file.
Status readFileBytes(const std::string& path, std::size_t limit, std::string& bytes, FileFacts& facts);

// Reads a whole regular file of at most `maxBytes`; a larger one is refused before any of it is read,
// as are folders, devices and pipes.
Status readWholeFile(const std::string& path, std::size_t maxBytes, std::string& bytes, FileFacts& facts);

// Whether nothing at all exists at `path` (a missing file, or a path through a missing folder).
bool nothingAt(const std::string& path);
