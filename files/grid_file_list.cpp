#include "files/grid_file_list.h"

#include "document/file_reasons.h"
#include "document/ini_file.h"
#include "document/tables.h"
#include "document/text_codec.h"
#include "files/number_text.h"
#include "files/section_file.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <dirent.h>
#include <string_view>
#include <sys/stat.h>

namespace {

// Only names ending exactly in ".pie" are listed, so that name + ".pie" always opens the file again;
// a file called just ".pie" has no name to show and is left out.
bool isSectionFileName(std::string_view name)
{
    const std::string_view ext = kSectionFileExtension;
    return name.size() > ext.size() && name.substr(name.size() - ext.size()) == ext;
}

} // namespace

Status listSectionFiles(const std::string& folder, std::vector<GridFileEntry>& entries)
{
    entries.clear();
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return filereason::system(folder, errno);
    std::vector<std::string> names;
    while (const dirent* d = ::readdir(dir))
        if (isSectionFileName(d->d_name))
            names.emplace_back(d->d_name);
    ::closedir(dir);
    std::sort(names.begin(), names.end());

    const std::size_t extLength = std::string_view(kSectionFileExtension).size();
    for (const std::string& file : names) {
        GridFileEntry e;
        e.name = file.substr(0, file.size() - extLength);
        const std::string path = sectionFilePath(folder, e.name);
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
            continue;
        e.lastWrite = toLocalTime(st.st_mtime);
        CIniFile ini(path, IniEncoding::Windows1251);
        SectionFileData data;
        if (Status s = ini.load(); !s)
            e.problem = s.userReason();
        else if (Status read = readSectionFile(ini, data); !read)
            e.problem = read.userReason();
        e.amountText = ini.getString("PIECE", "AMOUNT", "0");
        e.scaleText = ini.getString("PIECE", "SCALE", "0");
        entries.push_back(std::move(e));
    }
    return Status::success();
}

double rangeOfScaleText(const std::string& scaleText)
{
    const double number = numtext::leadingNumber(scaleText);
    const double index = std::clamp(std::trunc(number), 0.0, static_cast<double>(tables::kRangeCount - 1));
    return tables::rangeAt(static_cast<int>(index));
}

std::array<std::string, 6> gridFileCells(const GridFileEntry& e)
{
    using numtext::twoDigits;
    const LocalTime& t = e.lastWrite;
    const bool usable = e.problem.empty();
    return {" ",
            codec::fileNameText(e.name),
            usable ? e.amountText : "?",
            usable ? numtext::fixed(rangeOfScaleText(e.scaleText), 1) : "?",
            twoDigits(t.day) + "." + twoDigits(t.month) + "." + twoDigits(t.year),
            twoDigits(t.hour) + ":" + twoDigits(t.minute) + ":" + twoDigits(t.second)};
}
