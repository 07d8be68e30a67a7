#include "files/section_file.h"

#include "document/ini_file.h"
#include "document/units.h"
#include "document/file_bytes.h"
#include "document/file_reasons.h"
#include "files/number_text.h"

#include <cerrno>
#include <optional>

namespace {

std::string siteHeading(int i) { return "SITE" + std::to_string(i); }

// A value the profile functions read a number from: blanks, an optional sign, then a digit (what
// follows the digits is ignored, as they ignore it). An empty value is their 0.
bool startsWithNumber(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    if (text.empty())
        return true;
    if (text.front() == '-' || text.front() == '+')
        text.remove_prefix(1);
    return !text.empty() && text.front() >= '0' && text.front() <= '9';
}

// A number key of a hand-edited file: a value that is no number is refused rather than read as 0.
Status numberKey(const CIniFile& ini, const std::string& heading, const std::string& key, int fallback, int& value)
{
    const std::optional<std::string> text = ini.find(heading, key);
    if (!text) {
        value = fallback;
        return Status::success();
    }
    if (!startsWithNumber(*text))
        return Status::failure(key + "=" + *text + ": not a number", key + "=" + *text + ": не число");
    value = leadingInt(*text);
    return Status::success();
}

// The loader reads only a regular file of a few megabytes, without waiting on a pipe.
Status loadSectionFile(const std::string& path, SectionFileData& data)
{
    if (nothingAt(path))
        return filereason::system(path, ENOENT);
    CIniFile ini(path, IniEncoding::Windows1251);
    if (Status s = ini.load(); !s)
        return s;
    if (Status s = readSectionFile(ini, data); !s)
        return s.prefixed(path + ": ");
    return Status::success();
}

} // namespace

double SectionEntry::ku() const
{
    return kuThousandths > 0 ? kuThousandths / 1000.0 : kReferenceKu;
}

std::string sectionFilePath(const std::string& folder, const std::string& name)
{
    std::string path = folder;
    if (!path.empty() && path.back() != '/')
        path += '/';
    return path + name + kSectionFileExtension;
}

Status readSectionFile(const CIniFile& ini, SectionFileData& data)
{
    SectionFileData read;
    read.amountText = ini.getString("PIECE", "AMOUNT", "0");
    read.scaleText = ini.getString("PIECE", "SCALE", "0");
    int n = 0;
    if (Status s = numberKey(ini, "PIECE", "AMOUNT", 0, n); !s)
        return s;
    if (n > kMaxSections)
        return Status::failure("AMOUNT=" + std::to_string(n) + " is more than " + std::to_string(kMaxSections) +
                                   " sections",
                               "AMOUNT=" + std::to_string(n) + ": больше " + std::to_string(kMaxSections) + " участков");
    for (int i = 1; i <= n; ++i) {
        const std::string site = siteHeading(i), number = std::to_string(i);
        SectionEntry e;
        e.name = ini.getString(site, "NAME" + number, "Участок " + number);
        if (Status s = numberKey(ini, site, "LENGTH" + number, 0, e.lengthThousandths); !s)
            return s;
        if (e.lengthThousandths < 0)
            return Status::failure("LENGTH" + number + "=" + std::to_string(e.lengthThousandths) +
                                       ": a section cannot be shorter than 0",
                                   "LENGTH" + number + "=" + std::to_string(e.lengthThousandths) +
                                       ": длина участка не может быть отрицательной");
        if (Status s = numberKey(ini, site, "VFACTOR" + number, 1500, e.kuThousandths); !s)
            return s;
        read.sections.push_back(std::move(e));
    }
    data = std::move(read);
    return Status::success();
}

Status readSectionFile(const std::string& path, SectionFileData& data)
{
    return loadSectionFile(path, data);
}

Status decodeSectionFile(std::string_view bytes, SectionFileData& data)
{
    CIniFile ini("", IniEncoding::Windows1251);
    ini.loadBytes(bytes);
    return readSectionFile(ini, data);
}

std::vector<SectionRow> sectionRows(const SectionFileData& data)
{
    std::vector<SectionRow> rows;
    double start = 0.0;
    int number = 0;
    for (const SectionEntry& e : data.sections) {
        SectionRow row;
        row.number = ++number;
        row.name = e.name;
        row.ku = e.ku();
        row.length = e.lengthThousandths / 1000.0 / row.ku * kReferenceKu;
        row.start = start;
        row.end = start + row.length;
        start = row.end;
        rows.push_back(std::move(row));
    }
    return rows;
}

std::array<std::string, 6> sectionRowCells(const SectionRow& row, bool speedMode)
{
    return {numtext::integer(row.number),
            row.name,
            numtext::fixed(row.start, 2),
            numtext::fixed(row.end, 2),
            numtext::fixed(row.length, 2),
            speedMode ? numtext::fixed(speedOfKu(row.ku), 1) : numtext::fixed(row.ku, 3)};
}

Status readSectionRows(const std::string& path, std::vector<SectionRow>& rows)
{
    if (nothingAt(path)) {
        rows.clear();
        return Status::success();
    }
    SectionFileData data;
    if (Status s = loadSectionFile(path, data); !s)
        return s;
    rows = sectionRows(data);
    return Status::success();
}

std::vector<Section> documentSections(const SectionFileData& data)
{
    std::vector<Section> records;
    double start = 0.0;
    for (const SectionEntry& e : data.sections) {
        Section s;
        s.ku = e.ku();
        s.length = e.lengthThousandths / 10.0;
        s.start = start;
        s.end = start + s.length;
        start = s.end;
        records.push_back(s);
    }
    return records;
}

Status applySectionFile(const std::string& folder, const std::string& name, CSectionList& sections)
{
    SectionFileData data;
    const std::string path = sectionFilePath(folder, name);
    if (!name.empty() && !nothingAt(path)) {
        if (Status s = loadSectionFile(path, data); !s)
            return s;
    }
    sections.clear();
    for (const Section& s : documentSections(data))
        sections.add(s);
    return Status::success();
}
