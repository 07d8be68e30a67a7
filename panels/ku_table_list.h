#pragma once

#include "document/status.h"
#include "files/table_file.h"

#include <optional>
#include <string>
#include <vector>

// The named KU values of the KU table panel and the ".tku" file they mirror. The rows show KU, or V/2
// in V/2 mode; the file always holds KU. Every add and delete rewrites the whole file atomically.
// A file that could not be read is never written over: the rows on show are not its content.
class CKuTableList {
public:
    CKuTableList(std::string tableFile, bool speedMode);

    const std::string& tableFile() const { return path; }
    bool speedMode() const { return speed; }
    const std::vector<TableEntry>& rows() const { return list; }
    int rowCount() const { return static_cast<int>(list.size()); }

    // Reads the current file. Nothing there (or a folder, as the default path is) keeps the rows.
    Status load();
    // Makes `file` the current table and reads it; the file need not exist, and the rows on show are
    // then written to it with the next add or delete. A file that cannot be read changes nothing.
    Status open(const std::string& file);
    // True while the current path names no file to write (the default, the Save folder).
    bool needsFileName() const;
    // Makes `file` the current table without reading it, to save the rows on show there.
    void saveAs(const std::string& file);

    // Appends a row (the value as the list shows it, in the current unit) and saves. The row stays
    // when the save fails.
    Status add(std::string name, std::string value);
    // Removes the rows at `indices` (any order, duplicates and stale indices ignored) and saves once.
    Status remove(std::vector<int> indices);
    // The KU of a row for "Установить"; nothing for a value that is no usable KU (0, negative, text).
    std::optional<double> kuOf(int row) const;

    // Shows the same table in the other unit: the rows are converted, then the file is read again.
    Status setSpeedMode(bool on);

private:
    Status save();

    std::string path;
    bool speed;
    std::vector<TableEntry> list;
    // The current file exists but could not be read.
    bool unreadable = false;
};
