#include "device/serial_transport.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

int millisecondsLeft(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(std::min<long long>(left, INT_MAX)) : 0;
}

std::string readLine(const std::string& file)
{
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r' || line.back() == ' '))
        line.pop_back();
    return line;
}

std::string realPath(const std::string& p)
{
    char buffer[PATH_MAX];
    return ::realpath(p.c_str(), buffer) ? std::string(buffer) : std::string();
}

std::string parentOf(const std::string& p)
{
    const auto slash = p.rfind('/');
    return slash == std::string::npos || slash == 0 ? std::string() : p.substr(0, slash);
}

// The sysfs folder of the nearest USB device above a terminal (the one with idVendor), or empty.
std::string usbDeviceOf(const std::string& sysRoot, const std::string& name)
{
    const std::string root = realPath(sysRoot);
    std::string dir = realPath(sysRoot + "/class/tty/" + name + "/device");
    while (!dir.empty() && dir.size() > root.size()) {
        if (::access((dir + "/idVendor").c_str(), R_OK) == 0)
            return dir;
        dir = parentOf(dir);
    }
    return {};
}

speed_t speedOf(std::uint32_t baud)
{
    switch (baud) {
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    case 230400: return B230400;
    case 460800: return B460800;
    case 921600: return B921600;
    default: return B0;
    }
}

// Raw mode: every byte value passes unchanged both ways.
void makeRaw(termios& t)
{
    ::cfmakeraw(&t);
    t.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK | IGNPAR | IUCLC | IMAXBEL);
    t.c_oflag = 0;
    t.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHOE | ECHOK | ECHONL | ICANON | ISIG | IEXTEN);
    t.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS | CSTOPB | PARENB | PARODD | CSIZE);
    t.c_cflag |= CS8 | CLOCAL | CREAD;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
}

} // namespace

std::vector<FtdiPort> ftdiPorts(const std::string& sysRoot, const std::string& devRoot)
{
    std::vector<std::string> names;
    if (DIR* dir = ::opendir((sysRoot + "/class/tty").c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..")
                names.push_back(name);
        }
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end());
    std::vector<FtdiPort> found;
    for (const std::string& name : names) {
        const std::string usb = usbDeviceOf(sysRoot, name);
        if (!usb.empty() && readLine(usb + "/idVendor") == "0403")
            found.push_back({devRoot + "/" + name, readLine(usb + "/product"), readLine(usb + "/serial")});
    }
    return found;
}

CSerialTransport::CSerialTransport(std::string port, std::string sysRoot, std::string devRoot)
    : port(std::move(port)), sysRoot(std::move(sysRoot)), devRoot(std::move(devRoot))
{
}

CSerialTransport::~CSerialTransport() { close(); }

std::string CSerialTransport::portName() const
{
    return attempted.empty() || attempted == port ? port : port + " (" + attempted + ")";
}

std::string CSerialTransport::openedPath() const
{
    return path;
}

FtStatus CSerialTransport::open()
{
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
        path.clear();
    }

    std::string target = port;
    if (port.empty() || port == "auto") {
        const std::vector<FtdiPort> found = ftdiPorts(sysRoot, devRoot);
        if (found.empty())
            return ft::kDeviceNotFound;
        if (found.size() > 1)
            return ft::kPortAmbiguous;   // never reset and talk to a bridge that may not be the instrument
        target = found.front().path;
    }

    attempted = target;
    const int d = ::open(target.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (d < 0) {
        if (errno == EBUSY)
            return ft::kPortBusy;   // held exclusively (TIOCEXCL) by another program
        if (errno == EACCES || errno == EPERM)
            return ft::kAccessDenied;   // the device's group or ACL leaves this user out
        return (errno == ENOENT || errno == ENODEV || errno == ENXIO) ? ft::kDeviceNotFound : ft::kDeviceNotOpened;
    }
    termios t{};
    if (!::isatty(d) || ::tcgetattr(d, &t) != 0) {
        ::close(d);
        return ft::kDeviceNotOpened;
    }
    // One program at a time on the instrument: TIOCEXCL does not hold against root, and a pseudo-terminal
    // may refuse it, so an advisory lock on the open device makes a second opener fail at once.
    ::ioctl(d, TIOCEXCL);
    if (::flock(d, LOCK_EX | LOCK_NB) != 0) {
        const bool busy = errno == EWOULDBLOCK;
        ::close(d);
        return busy ? ft::kPortBusy : ft::kDeviceNotOpened;
    }
    makeRaw(t);
    ::cfsetispeed(&t, B115200);
    ::cfsetospeed(&t, B115200);
    if (::tcsetattr(d, TCSANOW, &t) != 0) {
        ::close(d);
        return ft::kDeviceNotOpened;
    }
    ::tcflush(d, TCIOFLUSH);   // bytes of an earlier connection must not start the next reply
    fd = d;
    path = target;
    return ft::kOk;
}

FtStatus CSerialTransport::close()
{
    if (fd < 0)
        return ft::kInvalidHandle;
    ::close(fd);
    fd = -1;
    path.clear();
    return ft::kOk;
}

// As the bridge library's read: everything that arrives until the read time-out has run out, or less
// time only when `room` is full. Returning at the first byte would split a reply at arbitrary offsets.
FtStatus CSerialTransport::read(std::uint8_t* destination, std::uint32_t room, std::uint32_t& count)
{
    return gather(destination, room, count, Clock::now() + std::chrono::milliseconds(readTimeoutMs));
}

// What is waiting in the terminal's input now: a deadline already passed polls without waiting.
FtStatus CSerialTransport::readArrived(std::uint8_t* destination, std::uint32_t room, std::uint32_t& count)
{
    return gather(destination, room, count, Clock::now());
}

FtStatus CSerialTransport::gather(std::uint8_t* destination, std::uint32_t room, std::uint32_t& count,
                                  std::chrono::steady_clock::time_point deadline)
{
    count = 0;
    if (fd < 0)
        return ft::kInvalidHandle;

    for (;;) {
        // With no room only a hang-up or an error is of interest.
        pollfd p{fd, static_cast<short>(count < room ? POLLIN : 0), 0};
        const int ready = ::poll(&p, 1, millisecondsLeft(deadline));
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            return ft::kIoError;
        }
        if (ready == 0)
            return ft::kOk;
        if (p.revents & POLLIN) {
            const ssize_t n = ::read(fd, destination + count, room - count);
            if (n > 0) {
                count += static_cast<std::uint32_t>(n);
                if (count == room)
                    return ft::kOk;
                continue;
            }
            if (n < 0 && (errno == EAGAIN || errno == EINTR))
                continue;
            return ft::kIoError;   // end of file: the device is gone
        }
        if (p.revents & (POLLHUP | POLLERR | POLLNVAL))
            return ft::kIoError;
    }
}

FtStatus CSerialTransport::write(const std::uint8_t* source, std::uint32_t count, std::uint32_t& written)
{
    written = 0;
    if (fd < 0)
        return ft::kInvalidHandle;

    const auto deadline = Clock::now() + std::chrono::milliseconds(writeTimeoutMs);
    while (written < count) {
        const ssize_t n = ::write(fd, source + written, count - written);
        if (n > 0) {
            written += static_cast<std::uint32_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN) {
            pollfd p{fd, POLLOUT, 0};
            const int ready = ::poll(&p, 1, millisecondsLeft(deadline));
            if (ready == 0)
                return ft::kOk;   // the write time-out: the count written says how far it got
            if (ready < 0 && errno != EINTR)
                return ft::kIoError;
            if (ready > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL)))
                return ft::kIoError;
            continue;
        }
        return ft::kIoError;
    }
    return ft::kOk;
}

FtStatus CSerialTransport::purge()
{
    if (fd < 0)
        return ft::kInvalidHandle;
    return ::tcflush(fd, TCIFLUSH) == 0 ? ft::kOk : ft::kIoError;
}

FtStatus CSerialTransport::setBaudRate(std::uint32_t baud)
{
    if (fd < 0)
        return ft::kInvalidHandle;
    const speed_t speed = speedOf(baud);
    termios t{};
    if (speed == B0 || ::tcgetattr(fd, &t) != 0)
        return ft::kIoError;
    ::cfsetispeed(&t, speed);
    ::cfsetospeed(&t, speed);
    return ::tcsetattr(fd, TCSANOW, &t) == 0 ? ft::kOk : ft::kIoError;
}

FtStatus CSerialTransport::setDataCharacteristics(std::uint8_t wordLength, std::uint8_t stopBits, std::uint8_t parity)
{
    if (fd < 0)
        return ft::kInvalidHandle;
    termios t{};
    if (::tcgetattr(fd, &t) != 0)
        return ft::kIoError;
    t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | CSTOPB | PARENB | PARODD);
    t.c_cflag |= wordLength == 7 ? CS7 : CS8;
    if (stopBits == 2)
        t.c_cflag |= CSTOPB;
    if (parity == 1)
        t.c_cflag |= PARENB | PARODD;
    else if (parity == 2)
        t.c_cflag |= PARENB;
    return ::tcsetattr(fd, TCSANOW, &t) == 0 ? ft::kOk : ft::kIoError;
}

FtStatus CSerialTransport::setTimeouts(std::uint32_t readMs, std::uint32_t writeMs)
{
    if (fd < 0)
        return ft::kInvalidHandle;
    readTimeoutMs = readMs;
    writeTimeoutMs = writeMs;
    return ft::kOk;
}

FtStatus CSerialTransport::configure(std::uint32_t value)
{
    if (fd < 0)
        return ft::kInvalidHandle;
    // The bridge holds received bytes up to its latency timer before it passes them on.
    serial_struct serial{};
    if (value <= 1 && ::ioctl(fd, TIOCGSERIAL, &serial) == 0) {
        serial.flags |= ASYNC_LOW_LATENCY;
        ::ioctl(fd, TIOCSSERIAL, &serial);
    }
    const std::string device = realPath(path);
    const std::string name = device.substr(device.rfind('/') + 1);
    const std::string latency = sysRoot + "/class/tty/" + name + "/device/latency_timer";
    if (!name.empty() && ::access(latency.c_str(), W_OK) == 0) {
        std::ofstream out(latency);
        out << std::clamp<std::uint32_t>(value, 1, 255) << '\n';
    }
    return ft::kOk;
}
