#include "files/library/reflectogram_listing.h"

#include "resources/translate_marker.h"
#include "document/file_reasons.h"
#include "document/text_codec.h"
#include "document/units.h"
#include "document/file_bytes.h"
#include "files/number_text.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <string_view>
#include <sys/stat.h>

namespace {

const char* const kUnknown = "?";

// Only names ending exactly in ".tdr" are listed, so that name + ".tdr" always opens the file again;
// a file called just ".tdr" has no name to show and is left out.
bool isReflectogramName(std::string_view name)
{
    const std::string_view ext = kReflectogramExtension;
    return name.size() > ext.size() && name.substr(name.size() - ext.size()) == ext;
}

ReflectogramEntry readEntry(const std::string& folder, std::string name)
{
    ReflectogramEntry e;
    e.name = std::move(name);
    const std::string path = reflectogramPath(folder, e.name);
    std::string bytes;
    FileFacts facts;
    if (readFileBytes(path, kReflectogramListedBytes, bytes, facts)) {
        e.lastWrite = toLocalTime(facts.lastWrite);
        ReflectogramHeader header;
        if (decodeReflectogramHeader(bytes, facts.size, header))
            e.header = header;
    } else if (struct stat st {}; ::stat(path.c_str(), &st) == 0) {
        e.lastWrite = toLocalTime(st.st_mtime);   // listed, though it cannot be opened
    }
    return e;
}

bool isFolder(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace

std::string reflectogramPath(const std::string& folder, const std::string& name)
{
    std::string path = folder;
    if (!path.empty() && path.back() != '/')
        path += '/';
    return path + name + kReflectogramExtension;
}

Status listReflectograms(const std::string& folder, std::vector<ReflectogramEntry>& entries,
                         const std::atomic<bool>* cancelled)
{
    entries.clear();
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return filereason::system(folder, errno);
    std::vector<std::string> names;
    while (const dirent* d = ::readdir(dir)) {
        if (d->d_type == DT_DIR || !isReflectogramName(d->d_name))
            continue;
        names.emplace_back(d->d_name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());

    const std::size_t extLength = std::string_view(kReflectogramExtension).size();
    std::vector<ReflectogramEntry> read;
    read.reserve(names.size());
    for (const std::string& file : names) {
        if (cancelled && cancelled->load(std::memory_order_relaxed))
            return Status::failure(folder + ": listing cancelled");
        ReflectogramEntry e = readEntry(folder, file.substr(0, file.size() - extLength));
        // A folder whose type the directory did not tell (some file systems do not) is no file.
        if (!e.header && isFolder(reflectogramPath(folder, e.name)))
            continue;
        read.push_back(std::move(e));
    }
    entries = std::move(read);
    return Status::success();
}

const char* reflectogramSpeedTitle(bool speedMode) { return speedMode ? "V/2" : VARNEL_TRANSLATE_NOOP("LibraryTexts", "КУ"); }

ReflectogramCells reflectogramCells(const ReflectogramEntry& e, bool speedMode)
{
    using numtext::fixed;
    using numtext::twoDigits;
    ReflectogramCells cells{" ", codec::fileNameText(e.name), kUnknown, kUnknown, kUnknown, kUnknown, kUnknown};
    if (e.header) {
        const ReflectogramHeader& h = *e.header;
        cells[2] = fixed(h.scale, 1);
        cells[3] = fixed(h.pulse, 0);
        // A stored KU of 0 or below has no V/2; it shows as unknown rather than as an infinity.
        if (!speedMode)
            cells[4] = fixed(h.ku, 3);
        else if (h.ku > 0)
            cells[4] = fixed(speedOfKu(h.ku), 1);
    }
    if (e.lastWrite) {
        const LocalTime& t = *e.lastWrite;
        cells[5] = twoDigits(t.day) + "." + twoDigits(t.month) + "." + twoDigits(t.year);
        cells[6] = twoDigits(t.hour) + ":" + twoDigits(t.minute) + ":" + twoDigits(t.second);
    }
    return cells;
}
