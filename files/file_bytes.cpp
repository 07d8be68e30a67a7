#include "files/file_bytes.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

Status readFileBytes(const std::string& path, std::size_t limit, std::string& bytes, FileFacts& facts)
{
    // Non-blocking, so that a pipe given by mistake is refused instead of waiting for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return Status::failure(path + ": " + std::strerror(errno));
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int err = errno;
        ::close(fd);
        return Status::failure(path + ": " + std::strerror(err));
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        return Status::failure(path + (S_ISDIR(st.st_mode) ? ": is a folder" : ": is not a regular file"));
    }
    std::string read(limit, '\0');
    std::size_t got = 0;
    while (got < limit) {
        const ssize_t n = ::read(fd, read.data() + got, limit - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int err = errno;
            ::close(fd);
            return Status::failure(path + ": " + std::strerror(err));
        }
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    read.resize(got);
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
