#pragma once

#include "document/status.h"

#include <cstdint>
#include <string>
#include <sys/types.h>

// Why a file could not be read or written, each as a Status with the file's path in front of both its
// English line (varnel-cli) and its Russian text (the window).
namespace filereason {

// A failed system call on `path` with error number `err`.
Status system(const std::string& path, int err);
// Something that is not a regular file lies at `path` (`mode` as stat gives it): a folder, a device,
// a pipe or a socket.
Status notRegular(const std::string& path, mode_t mode);
// The file is larger than `limitBytes`, more than a file of its kind ever holds.
Status tooLarge(const std::string& path, std::uint64_t limitBytes);
// The file has no write permission for anyone, or not for this user.
Status readOnly(const std::string& path);

// The Russian text of error number `err`.
std::string russianText(int err);

} // namespace filereason
