#include "document/file_bytes.h"

#include "document/file_reasons.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Opens a regular file for reading. Non-blocking, so that a pipe given by mistake is refused instead
// of waiting for a writer; the file type is checked on the open descriptor, so it cannot change between
// the check and the read. -1 with `status` set on failure.
int openRegular(const std::string& path, struct stat& st, Status& status)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        status = filereason::system(path, errno);
        return -1;
    }
    if (::fstat(fd, &st) != 0) {
        status = filereason::system(path, errno);
        ::close(fd);
        return -1;
    }
    if (!S_ISREG(st.st_mode)) {
        status = filereason::notRegular(path, st.st_mode);
        ::close(fd);
        return -1;
    }
    return fd;
}

// Reads up to `limit` bytes. The buffer starts at the size the file had when it was opened and one
// byte more, and grows only when the file turns out longer: a small file under a large limit (the
// settings under 4 MB) costs no buffer of the whole limit.
Status readOpen(int fd, const std::string& path, std::size_t limit, std::uint64_t expected, std::string& bytes)
{
    std::string read(expected < limit ? static_cast<std::size_t>(expected) + 1 : limit, '\0');
    std::size_t got = 0;
    while (got < limit) {
        if (got == read.size())
            read.resize(read.size() < limit / 2 ? std::min(limit, std::max<std::size_t>(2 * read.size(), 4096)) : limit);
        const ssize_t n = ::read(fd, read.data() + got, read.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return filereason::system(path, errno);
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    read.resize(got);
    bytes = std::move(read);
    return Status::success();
}

} // namespace

Status readFileBytes(const std::string& path, std::size_t limit, std::string& bytes, FileFacts& facts)
{
    struct stat st {};
    Status status = Status::success();
    const int fd = openRegular(path, st, status);
    if (fd < 0)
        return status;
    status = readOpen(fd, path, limit, static_cast<std::uint64_t>(st.st_size), bytes);
    ::close(fd);
    if (status) {
        facts.size = static_cast<std::uint64_t>(st.st_size);
        facts.lastWrite = st.st_mtime;
    }
    return status;
}

Status readWholeFile(const std::string& path, std::size_t maxBytes, std::string& bytes, FileFacts& facts)
{
    struct stat st {};
    Status status = Status::success();
    const int fd = openRegular(path, st, status);
    if (fd < 0)
        return status;
    if (static_cast<std::uint64_t>(st.st_size) > maxBytes) {
        ::close(fd);
        return filereason::tooLarge(path, maxBytes);
    }
    // One byte more than allowed tells a file that grew while it was read.
    std::string read;
    status = readOpen(fd, path, maxBytes + 1, static_cast<std::uint64_t>(st.st_size), read);
    ::close(fd);
    if (!status)
        return status;
    if (read.size() > maxBytes)
        return filereason::tooLarge(path, maxBytes);
    bytes = std::move(read);
    facts.size = static_cast<std::uint64_t>(st.st_size);
    facts.lastWrite = st.st_mtime;
    return Status::success();
}

bool nothingAt(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) != 0 && (errno == ENOENT || errno == ENOTDIR);
}
