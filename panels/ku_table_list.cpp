#include "panels/ku_table_list.h"

#include <algorithm>
#include <sys/stat.h>

namespace {

bool isFolder(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace

CKuTableList::CKuTableList(std::string tableFile, bool speedMode) : path(std::move(tableFile)), speed(speedMode) {}

Status CKuTableList::load()
{
    Status s = loadTable(path, speed, list);
    unreadable = !s;
    return s;
}

Status CKuTableList::open(const std::string& file)
{
    std::vector<TableEntry> read = list;
    if (Status s = loadTable(file, speed, read); !s)
        return s;
    path = file;
    list = std::move(read);
    unreadable = false;
    return Status::success();
}

bool CKuTableList::needsFileName() const
{
    return path.empty() || path.back() == '/' || isFolder(path);
}

void CKuTableList::saveAs(const std::string& file)
{
    path = file;
    unreadable = false;
}

Status CKuTableList::save()
{
    if (unreadable)
        return Status::failure(path + ": the file could not be read, so it is not written over",
                               path + ": файл не удалось прочитать, поэтому он не перезаписан");
    if (needsFileName())
        return Status::failure(path + ": no table file chosen", path + ": файл таблицы не выбран");
    return saveTable(path, speed, list);
}

Status CKuTableList::add(std::string name, std::string value)
{
    list.push_back({std::move(name), std::move(value), std::nullopt});
    return save();
}

Status CKuTableList::remove(std::vector<int> indices)
{
    std::sort(indices.begin(), indices.end());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    for (auto it = indices.rbegin(); it != indices.rend(); ++it)
        if (*it >= 0 && *it < rowCount())
            list.erase(list.begin() + *it);
    return save();
}

std::optional<double> CKuTableList::kuOf(int row) const
{
    if (row < 0 || row >= rowCount())
        return std::nullopt;
    return kuOfTableText(list[row].value, speed);
}

Status CKuTableList::setSpeedMode(bool on)
{
    if (on == speed)
        return Status::success();
    // In memory first, so the rows are in the new unit also when the file is gone or unreadable.
    for (TableEntry& e : list)
        e.storedKu = kuTextToSave(e, speed);
    speed = on;
    showTableIn(list, speed);
    return load();
}
