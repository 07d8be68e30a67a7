#include "document/ini_file.h"

#include "document/atomic_file.h"
#include "document/file_bytes.h"
#include "document/text_codec.h"

#include <cctype>
#include <climits>

namespace {

constexpr std::size_t npos = std::string::npos;

std::string_view trim(std::string_view s)
{
    const char* blanks = " \t\r\n\f\v";
    const std::size_t b = s.find_first_not_of(blanks);
    if (b == npos)
        return {};
    const std::size_t e = s.find_last_not_of(blanks);
    return s.substr(b, e - b + 1);
}

bool sameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// The name of a "[name]" header line, or nothing.
std::optional<std::string_view> headerName(std::string_view line)
{
    line = trim(line);
    if (line.empty() || line.front() != '[')
        return std::nullopt;
    const std::size_t close = line.find(']');
    return trim(line.substr(1, close == npos ? npos : close - 1));
}

bool isComment(std::string_view line)
{
    line = trim(line);
    return !line.empty() && line.front() == ';';
}

} // namespace

int leadingInt(std::string_view text)
{
    text = trim(text);
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    return static_cast<int>(value);
}

CIniFile::CIniFile(std::string path, IniEncoding enc) : filePath(std::move(path)), encoding(enc) {}

Status CIniFile::load()
{
    lines.clear();
    if (nothingAt(filePath))
        return Status::success();
    std::string bytes;
    FileFacts facts;
    if (Status s = readWholeFile(filePath, kMaxFileBytes, bytes, facts); !s)
        return s;
    loadBytes(bytes);
    return Status::success();
}

void CIniFile::loadBytes(std::string_view bytes)
{
    lines.clear();
    std::string text(bytes);
    if (encoding == IniEncoding::Windows1251)
        text = codec::cp1251ToUtf8(text);
    else if (text.rfind("\xEF\xBB\xBF", 0) == 0)
        text.erase(0, 3);

    if (text.find('\n') != npos)
        newline = text.find("\r\n") != npos ? "\r\n" : "\n";
    lines = codec::splitLines(text);
}

Status CIniFile::save() const
{
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += newline;
    }
    if (encoding == IniEncoding::Windows1251)
        text = codec::utf8ToCp1251(text);
    return writeFileAtomically(filePath, text);
}

CIniFile::Located CIniFile::locate(std::string_view section, std::string_view key) const
{
    Located at{npos, npos, npos};
    bool inSection = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (auto name = headerName(lines[i])) {
            if (inSection)
                break;   // only the first section of that name counts
            inSection = sameName(*name, trim(section));
            if (inSection)
                at.sectionLine = at.lastEntry = i;
            continue;
        }
        if (!inSection || trim(lines[i]).empty())
            continue;
        at.lastEntry = i;
        if (at.keyLine != npos || isComment(lines[i]))
            continue;
        const std::size_t eq = lines[i].find('=');
        if (eq != npos && sameName(trim(std::string_view(lines[i]).substr(0, eq)), trim(key)))
            at.keyLine = i;
    }
    return at;
}

bool CIniFile::has(std::string_view section, std::string_view key) const
{
    return locate(section, key).keyLine != npos;
}

std::optional<std::string> CIniFile::find(std::string_view section, std::string_view key) const
{
    const Located at = locate(section, key);
    if (at.keyLine == npos)
        return std::nullopt;
    const std::string& line = lines[at.keyLine];
    return std::string(trim(std::string_view(line).substr(line.find('=') + 1)));
}

std::string CIniFile::getString(std::string_view section, std::string_view key, std::string_view fallback) const
{
    const auto value = find(section, key);
    return codec::utf8Prefix(value ? std::string_view(*value) : fallback, kMaxStringChars);
}

int CIniFile::getInt(std::string_view section, std::string_view key, int fallback) const
{
    const auto value = find(section, key);
    return value ? leadingInt(*value) : fallback;
}

void CIniFile::setString(std::string_view section, std::string_view key, std::string_view value)
{
    const std::string entry = std::string(trim(key)) + "=" + std::string(value);
    const Located at = locate(section, key);
    if (at.keyLine != npos) {
        lines[at.keyLine] = entry;
    } else if (at.sectionLine != npos) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at.lastEntry) + 1, entry);
    } else {
        if (!lines.empty() && !trim(lines.back()).empty())
            lines.emplace_back();
        lines.push_back("[" + std::string(trim(section)) + "]");
        lines.push_back(entry);
    }
}

void CIniFile::setInt(std::string_view section, std::string_view key, int value)
{
    setString(section, key, std::to_string(value));
}

std::string readProfileString(const std::string& path, std::string_view section, std::string_view key,
                              std::string_view fallback, IniEncoding encoding)
{
    CIniFile ini(path, encoding);
    ini.load();
    return ini.getString(section, key, fallback);
}

int readProfileInt(const std::string& path, std::string_view section, std::string_view key, int fallback,
                   IniEncoding encoding)
{
    CIniFile ini(path, encoding);
    ini.load();
    return ini.getInt(section, key, fallback);
}

Status writeProfileString(const std::string& path, std::string_view section, std::string_view key,
                          std::string_view value, IniEncoding encoding)
{
    CIniFile ini(path, encoding);
    if (Status s = ini.load(); !s)
        return s;
    ini.setString(section, key, value);
    return ini.save();
}
