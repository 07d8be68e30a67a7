#include "device/tracing_transport.h"

#include "device/transport_status.h"

#include <cstdio>
#include <ctime>
#include <ostream>

namespace {

std::string timestamp()
{
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto micros =
        std::chrono::duration_cast<std::chrono::microseconds>(now.time_since_epoch()).count() % 1000000;
    std::tm local{};
    ::localtime_r(&seconds, &local);
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%06lld", local.tm_hour, local.tm_min, local.tm_sec,
                  static_cast<long long>(micros));
    return text;
}

} // namespace

CTracingTransport::CTracingTransport(std::unique_ptr<CTransport> inner, std::ostream& out)
    : inner(std::move(inner)), out(out)
{
}

void CTracingTransport::emit(const std::string& text)
{
    const std::string line = timestamp() + " " + text + "\n";
    std::lock_guard lock(outLock);
    out << line << std::flush;
}

void CTracingTransport::emitBytes(char direction, const std::uint8_t* bytes, std::uint32_t count,
                                  const std::string& note)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text(1, direction);
    for (std::uint32_t i = 0; i < count; ++i) {
        if (i != 0 && i % kBytesPerLine == 0)
            text += "\n                 ";   // under the first byte of the line above
        text += ' ';
        text += kHex[bytes[i] >> 4];
        text += kHex[bytes[i] & 0x0F];
    }
    if (!note.empty())
        text += " (" + note + ")";
    emit(text);
}

FtStatus CTracingTransport::traced(const char* call, FtStatus status)
{
    if (status != ft::kOk)
        emit(std::string(call) + ": " + statusText(status));
    return status;
}

FtStatus CTracingTransport::open()
{
    const FtStatus status = inner->open();
    emit("open " + inner->portName() + ": " + statusText(status));
    return status;
}

FtStatus CTracingTransport::close()
{
    const FtStatus status = inner->close();
    emit("close: " + statusText(status));
    return status;
}

FtStatus CTracingTransport::read(std::uint8_t* destination, std::uint32_t room, std::uint32_t& count)
{
    const FtStatus status = inner->read(destination, room, count);
    if (count != 0 || status != ft::kOk)
        emitBytes('<', destination, count, status == ft::kOk ? std::string() : statusText(status));
    return status;
}

FtStatus CTracingTransport::readArrived(std::uint8_t* destination, std::uint32_t room, std::uint32_t& count)
{
    const FtStatus status = inner->readArrived(destination, room, count);
    if (count != 0 || status != ft::kOk)
        emitBytes('<', destination, count, status == ft::kOk ? std::string() : statusText(status));
    return status;
}

FtStatus CTracingTransport::write(const std::uint8_t* source, std::uint32_t count, std::uint32_t& written)
{
    const FtStatus status = inner->write(source, count, written);
    std::string note = status == ft::kOk ? std::string() : statusText(status);
    if (status == ft::kOk && written < count)
        note = std::to_string(written) + " of " + std::to_string(count) + " written";
    emitBytes('>', source, written, note);
    return status;
}

FtStatus CTracingTransport::purge()
{
    // The dropped bytes are not shown: the purge reads nothing through this transport.
    return traced("purge", inner->purge());
}

FtStatus CTracingTransport::setBaudRate(std::uint32_t baud) { return traced("baud rate", inner->setBaudRate(baud)); }

FtStatus CTracingTransport::setDataCharacteristics(std::uint8_t wordLength, std::uint8_t stopBits, std::uint8_t parity)
{
    return traced("data characteristics", inner->setDataCharacteristics(wordLength, stopBits, parity));
}

FtStatus CTracingTransport::setTimeouts(std::uint32_t readMs, std::uint32_t writeMs)
{
    return traced("time-outs", inner->setTimeouts(readMs, writeMs));
}

FtStatus CTracingTransport::configure(std::uint32_t value) { return traced("configure", inner->configure(value)); }
