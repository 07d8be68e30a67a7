#pragma once

#include "document/status.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A table file (".tku") of named KU values: UTF-16 little-endian text without a byte-order mark,
// two lines per entry (the name, then the KU with a point as decimal separator), each line ending in
// a line feed. Reading also accepts CRLF line ends and a last line without its line feed.
inline constexpr const char* kTableFileExtension = ".tku";

// One row of the table list.
struct TableEntry {
    std::string name;
    // The list's text: the KU text as stored (or as entered) in KU mode, the V/2 "%.1f" in V/2 mode.
    std::string value;
    // The KU text the row was read with; nothing for a row added since.
    std::optional<std::string> storedKu;
};

// The entries of a file's bytes, with their KU texts as stored. An odd line count gives a last entry
// with an empty value.
std::vector<TableEntry> decodeTable(std::string_view bytes);
// The list texts of entries read from a file: the KU text, or in V/2 mode "%.1f" of 300 / (2 x KU)
// with the KU the leading number of the text (0 when there is none).
void showTableIn(std::vector<TableEntry>& entries, bool speedMode);

// The value line a row is saved with: in KU mode its text unchanged; in V/2 mode "%.3f" of
// 300 / (2 x V/2), except that a row still showing what was read keeps its stored KU text, so that
// saving in V/2 mode never drifts the other rows' values through the one-decimal V/2.
std::string kuTextToSave(const TableEntry& entry, bool speedMode);
// The file's bytes for the list; line breaks inside a name or value become blanks.
std::string encodeTable(const std::vector<TableEntry>& list, bool speedMode);

// Loads the table at `path` into `list` in the current mode. Nothing at `path`, or a folder (the
// default path is the Save folder), leaves the list as it is and succeeds; a file that cannot be read
// is refused with a reason and the list is left as it is too.
Status loadTable(const std::string& path, bool speedMode, std::vector<TableEntry>& list);
// Writes the whole list to `path` through a temporary file; a failure leaves the old file as it was.
Status saveTable(const std::string& path, bool speedMode, const std::vector<TableEntry>& list);

// The KU a list text stands for ("Установить"): the text's leading number, converted from V/2 in V/2
// mode; nothing when that is not a positive finite KU.
std::optional<double> kuOfTableText(std::string_view text, bool speedMode);
