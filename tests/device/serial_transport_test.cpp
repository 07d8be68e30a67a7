#include "support/fake_transport.h"
#include "device/port_choice.h"
#include "device/serial_transport.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fcntl.h>
#include <filesystem>
#include <pty.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

// A pseudo-terminal whose slave side the transport opens by name; the test plays the instrument on
// the master side.
struct Pty {
    Pty()
    {
        char name[256] = {};
        int slave = -1;
        EXPECT_EQ(::openpty(&master, &slave, name, nullptr, nullptr), 0);
        slaveName = name;
        termios t{};
        ::tcgetattr(master, &t);
        ::cfmakeraw(&t);
        ::tcsetattr(master, TCSANOW, &t);
        slaveKeeper = slave;
    }
    ~Pty()
    {
        if (master >= 0)
            ::close(master);
        if (slaveKeeper >= 0)
            ::close(slaveKeeper);
    }
    // Once the transport holds the slave, the test lets go of its own descriptor.
    void releaseSlave()
    {
        ::close(slaveKeeper);
        slaveKeeper = -1;
    }
    Bytes readMaster(std::size_t n)
    {
        Bytes out;
        while (out.size() < n) {
            std::uint8_t buffer[512];
            const ssize_t got = ::read(master, buffer, std::min(sizeof buffer, n - out.size()));
            if (got <= 0)
                break;
            out.insert(out.end(), buffer, buffer + got);
        }
        return out;
    }

    int master = -1;
    int slaveKeeper = -1;
    std::string slaveName;
};

Bytes readAll(CTransport& t, std::size_t n)
{
    Bytes out;
    for (int idle = 0; out.size() < n && idle < 200;) {
        std::uint8_t buffer[9000];
        std::uint32_t count = 0;
        if (t.read(buffer, sizeof buffer, count) != ft::kOk)
            break;
        idle = count == 0 ? idle + 1 : 0;
        out.insert(out.end(), buffer, buffer + count);
    }
    return out;
}

FtStatus openAndConfigure(CTransport& t)
{
    FtStatus s = t.open();
    if (s != ft::kOk)
        return s;
    if ((s = t.setBaudRate(115200)) != ft::kOk || (s = t.setDataCharacteristics(8, 0, 0)) != ft::kOk ||
        (s = t.setTimeouts(10, 10)) != ft::kOk)
        return s;
    return t.configure(1);
}

} // namespace

TEST(SerialTransport, EveryByteValuePassesUnchangedBothWays)
{
    Pty pty;
    CSerialTransport port(pty.slaveName);
    ASSERT_EQ(openAndConfigure(port), ft::kOk);
    pty.releaseSlave();

    Bytes all(256);
    for (int i = 0; i < 256; ++i)
        all[i] = static_cast<std::uint8_t>(i);
    // Carriage returns, line feeds, XON/XOFF and the terminal's control characters among them.
    std::uint32_t written = 0;
    ASSERT_EQ(port.write(all.data(), 256, written), ft::kOk);
    EXPECT_EQ(written, 256u);
    EXPECT_EQ(pty.readMaster(256), all);

    ASSERT_EQ(::write(pty.master, all.data(), all.size()), 256);
    EXPECT_EQ(readAll(port, 256), all);
}

TEST(SerialTransport, ReadReturnsNothingAfterItsTimeOut)
{
    Pty pty;
    CSerialTransport port(pty.slaveName);
    ASSERT_EQ(openAndConfigure(port), ft::kOk);
    std::uint8_t buffer[16];
    std::uint32_t count = 99;
    EXPECT_EQ(port.read(buffer, sizeof buffer, count), ft::kOk);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(port.read(buffer, 0, count), ft::kOk);   // no room: only the link is checked
}

TEST(SerialTransport, ReadWaitsOutItsTimeOutAndReturnsEverythingThatArrived)
{
    Pty pty;
    CSerialTransport port(pty.slaveName);
    ASSERT_EQ(openAndConfigure(port), ft::kOk);
    ASSERT_EQ(port.setTimeouts(400, 10), ft::kOk);   // wide enough that the second piece falls inside
    std::thread instrument([&] {
        ASSERT_EQ(::write(pty.master, "\x00?", 2), 2);
        std::this_thread::sleep_for(std::chrono::milliseconds(40));
        ASSERT_EQ(::write(pty.master, "abc", 3), 3);
    });
    std::uint8_t buffer[16];
    std::uint32_t count = 0;
    EXPECT_EQ(port.read(buffer, sizeof buffer, count), ft::kOk);
    instrument.join();
    EXPECT_EQ(Bytes(buffer, buffer + count), (Bytes{0, '?', 'a', 'b', 'c'}));

    // A full room ends the read at once.
    ASSERT_EQ(::write(pty.master, "0123456789", 10), 10);
    std::uint8_t four[4];
    EXPECT_EQ(port.read(four, sizeof four, count), ft::kOk);
    EXPECT_EQ(count, 4u);
}

TEST(SerialTransport, SecondOpenerFindsThePortBusyAndTheFirstGoesOn)
{
    Pty pty;
    CSerialTransport first(pty.slaveName);
    CSerialTransport second(pty.slaveName);
    ASSERT_EQ(openAndConfigure(first), ft::kOk);
    EXPECT_EQ(second.open(), ft::kPortBusy);
    std::uint32_t written = 0;
    ASSERT_EQ(first.write(reinterpret_cast<const std::uint8_t*>("ok"), 2, written), ft::kOk);
    EXPECT_EQ(pty.readMaster(2), bytesOf("ok"));
    ASSERT_EQ(::write(pty.master, "go", 2), 2);
    EXPECT_EQ(readAll(first, 2), bytesOf("go"));

    first.close();
    EXPECT_EQ(second.open(), ft::kOk);
}

TEST(SerialTransport, ClosingTheMasterSideIsAnUnplug)
{
    Pty pty;
    CSerialTransport port(pty.slaveName);
    ASSERT_EQ(openAndConfigure(port), ft::kOk);
    pty.releaseSlave();
    ::close(pty.master);
    pty.master = -1;
    std::uint8_t buffer[16];
    std::uint32_t count = 0;
    EXPECT_EQ(port.read(buffer, sizeof buffer, count), ft::kIoError);
}

TEST(SerialTransport, AClosedPortFailsUntilItIsReopened)
{
    Pty pty;
    CSerialTransport port(pty.slaveName);
    ASSERT_EQ(openAndConfigure(port), ft::kOk);
    EXPECT_EQ(port.close(), ft::kOk);
    std::uint8_t buffer[4];
    std::uint32_t count = 0;
    EXPECT_EQ(port.read(buffer, sizeof buffer, count), ft::kInvalidHandle);
    EXPECT_EQ(port.purge(), ft::kInvalidHandle);
    EXPECT_EQ(port.close(), ft::kInvalidHandle);
    // Reopened, the port works again.
    EXPECT_EQ(openAndConfigure(port), ft::kOk);
    EXPECT_EQ(port.purge(), ft::kOk);
    ASSERT_EQ(::write(pty.master, "ok", 2), 2);
    EXPECT_EQ(readAll(port, 2), bytesOf("ok"));
}

TEST(SerialTransport, OpenFailures)
{
    TempDir dir;
    writeText(dir.file("plain"), "not a terminal");
    struct Case {
        std::string port;
        FtStatus status;
    };
    const std::vector<Case> cases = {
        {dir.file("missing"), ft::kDeviceNotFound},
        {dir.file("plain"), ft::kDeviceNotOpened},
    };
    for (const Case& c : cases) {
        CSerialTransport port(c.port);
        EXPECT_EQ(port.open(), c.status) << c.port;
        std::uint32_t n = 0;
        EXPECT_EQ(port.write(reinterpret_cast<const std::uint8_t*>("x"), 1, n), ft::kInvalidHandle);
        EXPECT_EQ(port.setBaudRate(115200), ft::kInvalidHandle);
    }
}

TEST(SerialTransport, AutoTakesTheOnlyFtdiBridgeAndNeverGuessesBetweenTwo)
{
    TempDir dir;
    namespace fs = std::filesystem;
    const fs::path sys = dir.path() / "sys";
    // USB serial ports (a Prolific one first) and a built-in port; an FTDI bridge names itself in sysfs.
    auto usbPort = [&](const std::string& tty, const std::string& usbDevice, const std::string& vendor,
                       const std::string& product = "", const std::string& serial = "") {
        const fs::path device = sys / "devices/pci0000:00/usb1" / usbDevice;
        const fs::path port = device / (usbDevice + ":1.0") / tty;
        fs::create_directories(port);
        writeText((device / "idVendor").string(), vendor + "\n");
        if (!product.empty())
            writeText((device / "product").string(), product + "\n");
        if (!serial.empty())
            writeText((device / "serial").string(), serial + "\n");
        fs::create_directories(sys / "class/tty" / tty);
        fs::create_directory_symlink(port, sys / "class/tty" / tty / "device");
    };
    fs::create_directories(sys / "class/tty/ttyS0");
    usbPort("ttyUSB0", "1-1", "067b");
    EXPECT_TRUE(ftdiPorts(sys.string(), "/dev").empty());
    CSerialTransport none("auto", sys.string(), dir.file("dev"));
    EXPECT_EQ(none.open(), ft::kDeviceNotFound);

    usbPort("ttyUSB3", "1-3", "0403");
    const std::vector<FtdiPort> one = {{"/dev/ttyUSB3", "", ""}};
    EXPECT_EQ(ftdiPorts(sys.string(), "/dev"), one);
    EXPECT_TRUE(checkAutoPort("auto", one).ok());

    usbPort("ttyUSB1", "1-2", "0403", "FT232R USB UART", "A50285BI");
    const std::vector<FtdiPort> two = {{"/dev/ttyUSB1", "FT232R USB UART", "A50285BI"}, {"/dev/ttyUSB3", "", ""}};
    EXPECT_EQ(ftdiPorts(sys.string(), "/dev"), two);
    // Two candidates: "auto" opens neither; a port named by the user is not in question.
    CSerialTransport ambiguous("auto", sys.string(), dir.file("dev"));
    EXPECT_EQ(ambiguous.open(), ft::kPortAmbiguous);
    const Status refused = checkAutoPort("auto", two);
    EXPECT_FALSE(refused.ok());
    EXPECT_EQ(refused.reason(),
              "more than one FTDI USB bridge: /dev/ttyUSB1 (FT232R USB UART, serial A50285BI); /dev/ttyUSB3");
    EXPECT_TRUE(checkAutoPort("/dev/ttyUSB3", two).ok());
}
