#include "document/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

Status failure(const std::string& path, int err) { return Status::failure(path + ": " + std::strerror(err)); }

// Writes all of `content` to `fd`, going on after interrupted or partial writes; 0 or the errno.
int writeAll(int fd, std::string_view content)
{
    std::size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

} // namespace

Status writeFileAtomically(const std::string& path, std::string_view content)
{
    std::string temp = path + ".XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd < 0)
        return Status::failure(path + ": " + std::strerror(errno));

    auto fail = [&](int err) {
        ::close(fd);
        ::unlink(temp.c_str());
        return Status::failure(path + ": " + std::strerror(err));
    };

    // Keep the permissions of the file being replaced; a new file gets the usual ones.
    struct stat old {};
    const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    ::fchmod(fd, mode);

    if (const int err = writeAll(fd, content))
        return fail(err);
    if (::fsync(fd) != 0)
        return fail(errno);
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        return Status::failure(path + ": " + std::strerror(err));
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        return Status::failure(path + ": " + std::strerror(err));
    }
    return Status::success();
}

Status appendLineDurably(const std::string& path, const std::string& header, const std::string& line)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return failure(path, errno);
    auto fail = [&](int err) {
        ::close(fd);
        return failure(path, err);
    };
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return fail(errno);
    std::string text;
    if (st.st_size == 0) {
        text = header + "\n";
    } else {
        char last = '\n';
        if (::pread(fd, &last, 1, st.st_size - 1) != 1)
            return fail(errno);
        if (last != '\n')
            text = "\n";
    }
    text += line + "\n";
    if (const int err = writeAll(fd, text))
        return fail(err);
    if (::fsync(fd) != 0)
        return fail(errno);
    if (::close(fd) != 0)
        return failure(path, errno);
    return Status::success();
}
