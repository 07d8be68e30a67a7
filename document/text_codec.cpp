#include "document/text_codec.h"

#include <cerrno>
#include <cstdint>
#include <iconv.h>

namespace codec {
namespace {

// One iconv conversion; `onInvalid` is told of the input position of a byte sequence iconv cannot
// convert, appends its own replacement and returns how many input bytes it consumed.
template <typename OnInvalid>
std::string convert(const char* to, const char* from, std::string_view in, OnInvalid onInvalid)
{
    std::string out;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::string(in);
    out.reserve(in.size() * 2);
    char buffer[1024];
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    while (srcLeft > 0) {
        char* dst = buffer;
        std::size_t dstLeft = sizeof buffer;
        const std::size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buffer, dst - buffer);
        if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
            const std::size_t used = onInvalid(std::string_view(src, srcLeft), out);
            src += used;
            srcLeft -= used;
        }
    }
    iconv_close(cd);
    return out;
}

// Length of the UTF-8 sequence starting with `lead`, or 0 for a byte that cannot start one.
std::size_t sequenceLength(unsigned char lead)
{
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    return 0;
}

void appendUtf8(std::string& out, std::uint32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 character at the start of `s`; malformed input yields U+FFFD and consumes one byte.
std::uint32_t decodeUtf8(std::string_view s, std::size_t& used)
{
    const auto lead = static_cast<unsigned char>(s[0]);
    const std::size_t n = sequenceLength(lead);
    used = 1;
    if (n == 0 || n > s.size())
        return 0xFFFD;
    if (n == 1)
        return lead;
    std::uint32_t cp = lead & (0x7F >> n);
    for (std::size_t i = 1; i < n; ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if ((c & 0xC0) != 0x80)
            return 0xFFFD;
        cp = (cp << 6) | (c & 0x3F);
    }
    used = n;
    return cp;
}

} // namespace

std::string cp1251ToUtf8(std::string_view bytes)
{
    return convert("UTF-8", "CP1251", bytes, [](std::string_view rest, std::string& out) {
        appendUtf8(out, static_cast<unsigned char>(rest[0]));
        return std::size_t{1};
    });
}

bool isUtf8(std::string_view bytes)
{
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const std::size_t n = sequenceLength(lead);
        if (n == 0 || i + n > bytes.size())
            return false;
        std::uint32_t cp = n == 1 ? lead : lead & (0x7F >> n);
        for (std::size_t k = 1; k < n; ++k) {
            const auto c = static_cast<unsigned char>(bytes[i + k]);
            if ((c & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (c & 0x3F);
        }
        // Overlong forms, surrogates and code points past U+10FFFF are no UTF-8.
        static constexpr std::uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < smallest[n] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
            return false;
        i += n;
    }
    return true;
}

std::string fileNameText(std::string_view bytes)
{
    return isUtf8(bytes) ? std::string(bytes) : cp1251ToUtf8(bytes);
}

std::string utf8ToCp1251(std::string_view text)
{
    return convert("CP1251", "UTF-8", text, [](std::string_view rest, std::string& out) {
        std::size_t used = 1;
        const std::uint32_t cp = decodeUtf8(rest, used);
        out += cp == 0x98 ? '\x98' : '?';
        return used;
    });
}

std::string utf16leToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    const std::size_t units = bytes.size() / 2;
    auto unit = [&](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                          static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    };
    for (std::size_t i = 0; i < units; ++i) {
        std::uint32_t u = unit(i);
        if (u >= 0xD800 && u < 0xDC00 && i + 1 < units && unit(i + 1) >= 0xDC00 && unit(i + 1) < 0xE000) {
            u = 0x10000 + ((u - 0xD800) << 10) + (unit(i + 1) - 0xDC00);
            ++i;
        } else if (u >= 0xD800 && u < 0xE000) {
            u = 0xFFFD;
        }
        appendUtf8(out, u);
    }
    if (bytes.size() % 2 != 0)
        appendUtf8(out, 0xFFFD);
    return out;
}

std::string utf8ToUtf16le(std::string_view text)
{
    std::string out;
    out.reserve(text.size() * 2);
    auto put = [&out](std::uint32_t u) {
        out += static_cast<char>(u & 0xFF);
        out += static_cast<char>(u >> 8);
    };
    for (std::size_t i = 0; i < text.size();) {
        std::size_t used = 1;
        std::uint32_t cp = decodeUtf8(text.substr(i), used);
        i += used;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            put(0xD800 + (cp >> 10));
            put(0xDC00 + (cp & 0x3FF));
        } else {
            put(cp);
        }
    }
    return out;
}

std::size_t utf8Length(std::string_view text)
{
    std::size_t n = 0;
    for (std::size_t i = 0; i < text.size(); ++n) {
        std::size_t used = 1;
        decodeUtf8(text.substr(i), used);
        i += used;
    }
    return n;
}

std::string utf8Prefix(std::string_view text, std::size_t count)
{
    std::size_t i = 0;
    for (std::size_t n = 0; n < count && i < text.size(); ++n) {
        std::size_t used = 1;
        decodeUtf8(text.substr(i), used);
        i += used;
    }
    return std::string(text.substr(0, i));
}

std::vector<std::string> splitLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        std::string line(text.substr(pos, end - pos));
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        pos = end + 1;
    }
    return lines;
}

} // namespace codec
