#pragma once

#include "document/ini_file.h"
#include "document/status.h"

#include <memory>
#include <string>
#include <string_view>

// The one store of "param.ini" (section VARNEL): the file is read once when the program starts and
// written once when it ends. Every owner (the document, the frame, each panel) reads its keys from the
// store when it is constructed and puts them back when it is destroyed; nothing else touches the file.
// Keys the program does not know, and the order and comments of the file, are kept.
class CSettings {
public:
    static constexpr const char* kSection = "VARNEL";

    // A store in memory only, never read from or written to a file (tests, varnel-cli).
    CSettings();
    // Reads `path` now: a missing file gives an empty store. A file that exists but cannot be read also
    // gives an empty store, and is never overwritten.
    explicit CSettings(std::string path);
    // A store in memory holding `bytes` as the content of the file.
    static std::unique_ptr<CSettings> fromBytes(std::string_view bytes);
    CSettings(const CSettings&) = delete;
    CSettings& operator=(const CSettings&) = delete;

    // The key's leading decimal number (0 when there is none); `fallback` when the key is absent.
    int getInt(std::string_view key, int fallback) const;
    // At most 259 characters; `fallback` when the key is absent.
    std::string getString(std::string_view key, std::string_view fallback) const;
    void setInt(std::string_view key, int value);
    void setString(std::string_view key, std::string_view value);

    // Replaces the file with the store's content, atomically. Nothing is written by a store in memory
    // or one whose file could not be read (that is reported as a failure).
    Status save() const;
    bool readable() const { return loaded; }
    const std::string& path() const { return ini.path(); }

private:
    CIniFile ini;
    bool backed = false;
    bool loaded = true;
    std::string loadFailure;
};
