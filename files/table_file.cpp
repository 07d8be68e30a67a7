#include "files/table_file.h"

#include "document/atomic_file.h"
#include "document/text_codec.h"
#include "document/units.h"
#include "document/file_bytes.h"
#include "files/number_text.h"

#include <algorithm>
#include <cmath>
#include <sys/stat.h>

namespace {

// A table is a short list of names; anything larger is not one.
constexpr std::size_t kMaxTableBytes = 16u << 20;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string oneLine(std::string text)
{
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

std::string speedText(std::string_view kuText)
{
    return numtext::fixed(speedOfKu(numtext::leadingNumber(kuText)), 1);
}

} // namespace

std::vector<TableEntry> decodeTable(std::string_view bytes)
{
    std::string text = codec::utf16leToUtf8(bytes);
    // Editors put a byte-order mark in front; it is no part of the first name.
    if (text.rfind(kByteOrderMark, 0) == 0)
        text.erase(0, kByteOrderMark.size());

    const std::vector<std::string> lines = codec::splitLines(text);

    std::vector<TableEntry> entries;
    for (std::size_t i = 0; i < lines.size(); i += 2) {
        TableEntry e;
        e.name = lines[i];
        if (i + 1 < lines.size())
            e.value = lines[i + 1];
        e.storedKu = e.value;
        entries.push_back(std::move(e));
    }
    return entries;
}

void showTableIn(std::vector<TableEntry>& entries, bool speedMode)
{
    for (TableEntry& e : entries)
        if (e.storedKu)
            e.value = speedMode ? speedText(*e.storedKu) : *e.storedKu;
}

std::string kuTextToSave(const TableEntry& entry, bool speedMode)
{
    if (!speedMode)
        return entry.value;
    if (entry.storedKu && speedText(*entry.storedKu) == entry.value)
        return *entry.storedKu;
    return numtext::fixed(kuOfSpeed(numtext::leadingNumber(entry.value)), 3);
}

std::string encodeTable(const std::vector<TableEntry>& list, bool speedMode)
{
    std::string text;
    for (const TableEntry& e : list) {
        text += oneLine(e.name);
        text += '\n';
        text += oneLine(kuTextToSave(e, speedMode));
        text += '\n';
    }
    return codec::utf8ToUtf16le(text);
}

Status loadTable(const std::string& path, bool speedMode, std::vector<TableEntry>& list)
{
    struct stat st {};
    if (nothingAt(path) || (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)))
        return Status::success();
    std::string bytes;
    FileFacts facts;
    if (Status s = readWholeFile(path, kMaxTableBytes, bytes, facts); !s)
        return s;
    std::vector<TableEntry> entries = decodeTable(bytes);
    showTableIn(entries, speedMode);
    list = std::move(entries);
    return Status::success();
}

Status saveTable(const std::string& path, bool speedMode, const std::vector<TableEntry>& list)
{
    return writeFileAtomically(path, encodeTable(list, speedMode));
}

std::optional<double> kuOfTableText(std::string_view text, bool speedMode)
{
    const double x = numtext::leadingNumber(text);
    const double ku = speedMode ? kuOfSpeed(x) : x;
    if (!(ku > 0) || !std::isfinite(ku))
        return std::nullopt;
    return ku;
}
