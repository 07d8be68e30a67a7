#pragma once

#include "document/status.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

enum class IniEncoding { Utf8, Windows1251 };

// An INI file with the semantics of the platform's private-profile functions: section and key names
// match without regard to case, blanks around names and values are trimmed, the first of duplicate
// sections or keys wins, a write updates a key where it stands and keeps every other line, comment and
// the order of the file. Strings in and out are UTF-8 whatever the file's encoding.
class CIniFile {
public:
    static constexpr std::size_t kMaxStringChars = 259;
    // Settings and section files are a few kilobytes; a larger file is refused rather than read whole.
    static constexpr std::size_t kMaxFileBytes = 4u << 20;

    explicit CIniFile(std::string path, IniEncoding encoding = IniEncoding::Utf8);

    // Reads the file; a missing file reads as empty and succeeds. Anything but a regular file (a folder,
    // a device, a pipe) and a file above kMaxFileBytes are refused without waiting or reading them.
    Status load();
    // Takes `bytes` as the content of the file, as load() would have read it.
    void loadBytes(std::string_view bytes);
    // The line end written when the file brings none of its own (a new or empty file); "\n" unless set.
    void setNewFileLineEnd(std::string lineEnd) { newline = std::move(lineEnd); }
    // Replaces the file with the current content: written completely to a temporary file beside it,
    // then renamed over it, so a failed write leaves the old file as it was.
    Status save() const;

    const std::string& path() const { return filePath; }
    bool has(std::string_view section, std::string_view key) const;
    std::optional<std::string> find(std::string_view section, std::string_view key) const;
    // At most 259 characters; `fallback` when the key is absent.
    std::string getString(std::string_view section, std::string_view key, std::string_view fallback) const;
    // The leading (optionally signed) decimal number of the value, 0 when there is none; `fallback` when
    // the key is absent. Values beyond 32 bits saturate.
    int getInt(std::string_view section, std::string_view key, int fallback) const;

    void setString(std::string_view section, std::string_view key, std::string_view value);
    void setInt(std::string_view section, std::string_view key, int value);
    // Forgets every line, as truncating the file to zero length does.
    void clear() { lines.clear(); }

private:
    struct Located {
        std::size_t sectionLine;   // index of the section header, or npos
        std::size_t keyLine;       // index of the key line, or npos
        std::size_t lastEntry;     // index of the last non-blank line of the section
    };
    Located locate(std::string_view section, std::string_view key) const;

    std::string filePath;
    IniEncoding encoding;
    std::vector<std::string> lines;   // UTF-8, without line ends
    std::string newline = "\n";       // kept from the file that was read
};

// The leading (optionally signed) decimal number of `text` as the profile functions read it; 0 when
// there is none. Saturates at the 32-bit limits.
int leadingInt(std::string_view text);

// One-shot profile calls that read (and write) the whole file each time, as the platform functions do.
std::string readProfileString(const std::string& path, std::string_view section, std::string_view key,
                              std::string_view fallback, IniEncoding encoding = IniEncoding::Utf8);
int readProfileInt(const std::string& path, std::string_view section, std::string_view key, int fallback,
                   IniEncoding encoding = IniEncoding::Utf8);
Status writeProfileString(const std::string& path, std::string_view section, std::string_view key,
                          std::string_view value, IniEncoding encoding = IniEncoding::Utf8);
