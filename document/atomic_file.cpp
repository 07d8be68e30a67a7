#include "document/atomic_file.h"

#include "document/file_reasons.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// More links than this in a chain is a loop.
constexpr int kMaxLinks = 40;

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

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Creates a new file beside `target` with a name no other file has; its permissions are `mode` less
// the umask, as for any new file. -1 with errno on failure.
int createTemporary(const std::string& target, mode_t mode, std::string& temp)
{
    static const char digits[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device seed;
    std::minstd_rand random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = target + ".";
        for (int i = 0; i < 6; ++i)
            temp += digits[random() % (sizeof digits - 1)];
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

// Whether the file `st` describes at `path` may be replaced by this user. Root may write anything,
// so for root a file with no write bit at all (a shared table made read-only) counts as read-only.
bool writable(const std::string& path, const struct stat& st)
{
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return false;
    return ::access(path.c_str(), W_OK) == 0 || errno != EACCES;
}

} // namespace

namespace {

// Follows the chain of links at `path` to where it ends.
Status followLinks(const std::string& path, std::string& target)
{
    std::string at = path;
    for (int hops = 0; hops <= kMaxLinks; ++hops) {
        struct stat st {};
        if (::lstat(at.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            target = at;
            return Status::success();
        }
        std::string link(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 4096) + 1, '\0');
        const ssize_t n = ::readlink(at.c_str(), link.data(), link.size());
        if (n < 0)
            return filereason::system(path, errno);
        link.resize(static_cast<std::size_t>(n));
        at = !link.empty() && link.front() == '/' ? link : folderOf(at) + link;
    }
    return filereason::system(path, ELOOP);
}

Status checkTarget(const std::string& path, const std::string& target, struct stat& old, bool& replacing)
{
    replacing = ::stat(target.c_str(), &old) == 0;
    if (!replacing && errno != ENOENT)
        return filereason::system(path, errno);
    if (replacing && !S_ISREG(old.st_mode))
        return filereason::notRegular(path, old.st_mode);
    if (replacing && !writable(target, old))
        return filereason::readOnly(path);
    return Status::success();
}

} // namespace

Status resolveWriteTarget(const std::string& path, std::string& target, bool& replacing)
{
    if (Status s = followLinks(path, target); !s)
        return s;
    struct stat old {};
    return checkTarget(path, target, old, replacing);
}

Status writeFileAtomically(const std::string& path, std::string_view content)
{
    std::string target;
    if (Status s = followLinks(path, target); !s)
        return s;
    struct stat old {};
    bool replacing = false;
    if (Status s = checkTarget(path, target, old, replacing); !s)
        return s;

    std::string temp;
    const int fd = createTemporary(target, replacing ? S_IRUSR | S_IWUSR : 0666, temp);
    if (fd < 0)
        return filereason::system(path, errno);

    auto fail = [&](int err) {
        ::close(fd);
        ::unlink(temp.c_str());
        return filereason::system(path, err);
    };

    if (replacing) {
        // The owner first: changing it would clear the bits set after. Only root can give a file away;
        // for anyone else the new file is theirs, as the old one was. Setuid and setgid never pass on:
        // new content is not the program someone marked to run with other rights.
        if (::geteuid() == 0)
            (void)::fchown(fd, old.st_uid, old.st_gid);
        if (::fchmod(fd, old.st_mode & 0777 & ~mode_t(S_ISUID | S_ISGID)) != 0)
            return fail(errno);
    }

    if (const int err = writeAll(fd, content))
        return fail(err);
    if (::fsync(fd) != 0)
        return fail(errno);
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        return filereason::system(path, err);
    }
    if (std::rename(temp.c_str(), target.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        return filereason::system(path, err);
    }
    return Status::success();
}

Status appendLineDurably(const std::string& path, const std::string& header, const std::string& line)
{
    // Non-blocking and checked on the descriptor: a pipe or a device at the log's path is refused.
    const int fd = ::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0666);
    if (fd < 0)
        return filereason::system(path, errno);
    auto fail = [&](int err) {
        ::close(fd);
        return filereason::system(path, err);
    };
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return fail(errno);
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        return filereason::notRegular(path, st.st_mode);
    }
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
        return filereason::system(path, errno);
    return Status::success();
}
