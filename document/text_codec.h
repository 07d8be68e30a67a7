#pragma once

#include <string>
#include <string_view>
#include <vector>

// Conversions between UTF-8 (the program's strings) and the encodings of files from other systems.
namespace codec {

// Windows-1251 to UTF-8. The one byte without a character in that code page, 0x98, becomes U+0098 so
// that it survives a round trip.
std::string cp1251ToUtf8(std::string_view bytes);
// UTF-8 to Windows-1251. A character without a byte in that code page becomes '?', as on the platform
// these files come from; U+0098 becomes 0x98 again. Malformed UTF-8 bytes also become '?'.
std::string utf8ToCp1251(std::string_view text);

// Whether `bytes` are well-formed UTF-8 (no overlong forms, surrogates or code points past U+10FFFF).
bool isUtf8(std::string_view bytes);
// A file name as the directory gave it, as text to show: UTF-8 names as they are, any other name taken
// as Windows-1251 (files copied from a Windows PC). The name to open the file by stays the bytes.
std::string fileNameText(std::string_view bytes);

// UTF-16 little-endian code units (no byte-order mark) to UTF-8; an odd trailing byte and unpaired
// surrogates become U+FFFD.
std::string utf16leToUtf8(std::string_view bytes);
std::string utf8ToUtf16le(std::string_view text);

// The lines of a text: each ends at LF or at CR LF (the line end is not kept); the last may lack one.
std::vector<std::string> splitLines(std::string_view text);

// Number of characters (code points) of UTF-8 text, and its first `count` characters.
std::size_t utf8Length(std::string_view text);
std::string utf8Prefix(std::string_view text, std::size_t count);

} // namespace codec
