#include "files/section_edit.h"

#include "document/ini_file.h"
#include "document/tables.h"
#include "document/units.h"
#include "files/ku_range.h"
#include "files/number_text.h"
#include "files/section_file.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <optional>
#include <sys/stat.h>
#include <vector>

namespace {

const char* const kPiece = "PIECE";
const char* const kNewFileLineEnd = "\r\n";

std::string site(int i) { return "SITE" + std::to_string(i); }
std::string key(const char* name, int i) { return name + std::to_string(i); }

// Loads the file for a change; a missing file is an empty one, as the profile functions treat it.
Status openForEdit(CIniFile& ini)
{
    ini.setNewFileLineEnd(kNewFileLineEnd);
    return ini.load();
}

// The section count of a file being changed, with the checks every change needs.
Status sectionCount(const std::string& path, const CIniFile& ini, int& n)
{
    n = std::max(0, ini.getInt(kPiece, "AMOUNT", 0));
    if (n > kMaxSections)
        return Status::failure(path + ": AMOUNT=" + std::to_string(n) + " is more than " +
                                   std::to_string(kMaxSections) + " sections",
                               path + ": AMOUNT=" + std::to_string(n) + ": больше " + std::to_string(kMaxSections) +
                                   " участков");
    return Status::success();
}

Status checkNumber(const std::string& path, int number, int n)
{
    if (number < 1 || number > n)
        return Status::failure(path + ": there is no section " + std::to_string(number) + " (the file has " +
                                   std::to_string(n) + ")",
                               path + ": нет участка " + std::to_string(number) + " (в файле их " + std::to_string(n) +
                                   ")");
    return Status::success();
}

// Opens the file and checks that section `number` is in it.
Status openSection(const std::string& path, int number, CIniFile& ini)
{
    if (Status s = openForEdit(ini); !s)
        return s;
    int n = 0;
    if (Status s = sectionCount(path, ini, n); !s)
        return s;
    return checkNumber(path, number, n);
}

std::string oneLine(std::string text)
{
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

// Only a KU the K.У. spin could hold enters a file.
Status checkKu(const std::string& path, double ku, bool speedMode)
{
    if (const std::string problem = kuRangeProblem(ku, speedMode); !problem.empty())
        return Status::failure(path + ": " + problem);
    return Status::success();
}

} // namespace

Status createSectionFile(const std::string& path, double scale)
{
    CIniFile ini(path, IniEncoding::Windows1251);
    ini.setNewFileLineEnd(kNewFileLineEnd);
    ini.setString(kPiece, "AMOUNT", "0");
    ini.setInt(kPiece, "SCALE", tables::scaleIndexOf(scale));
    return ini.save();
}

Status addSection(const std::string& path, double ku)
{
    NewSection section;
    section.ku = ku;
    return addSection(path, section);
}

Status addSection(const std::string& path, const NewSection& section)
{
    if (Status s = checkKu(path, section.ku, false); !s)
        return s;
    const int kuThousandths = numtext::truncThousandths(section.ku);
    if (section.lengthThousandths < 0)
        return Status::failure(path + ": a section cannot be shorter than 0",
                               path + ": длина участка не может быть меньше 0");
    CIniFile ini(path, IniEncoding::Windows1251);
    if (Status s = openForEdit(ini); !s)
        return s;
    int n = 0;
    if (Status s = sectionCount(path, ini, n); !s)
        return s;
    if (n == kMaxSections)
        return Status::failure(path + ": the file already has " + std::to_string(n) + " sections",
                               path + ": в файле уже " + std::to_string(n) + " участков");
    const int m = n + 1;
    ini.setInt(kPiece, "AMOUNT", m);
    ini.setString(site(m), key("NAME", m), oneLine(section.name));
    ini.setInt(site(m), key("LENGTH", m), section.lengthThousandths);
    ini.setInt(site(m), key("VFACTOR", m), kuThousandths);
    return ini.save();
}

Status deleteSection(const std::string& path, int row)
{
    CIniFile ini(path, IniEncoding::Windows1251);
    if (Status s = openForEdit(ini); !s)
        return s;
    int n = 0;
    if (Status s = sectionCount(path, ini, n); !s)
        return s;
    if (Status s = checkNumber(path, row + 1, n); !s)
        return s;

    struct Kept {
        std::optional<std::string> name, length, vfactor;
    };
    const std::string scaleText = ini.getString(kPiece, "SCALE", "0");
    std::vector<Kept> kept;
    for (int i = 1; i <= n; ++i)
        if (i != row + 1)
            kept.push_back({ini.find(site(i), key("NAME", i)), ini.find(site(i), key("LENGTH", i)),
                            ini.find(site(i), key("VFACTOR", i))});

    ini.clear();
    ini.setInt(kPiece, "AMOUNT", n - 1);
    ini.setString(kPiece, "SCALE", scaleText);
    for (int i = 1; i <= static_cast<int>(kept.size()); ++i) {
        const Kept& k = kept[static_cast<std::size_t>(i - 1)];
        if (k.name)
            ini.setString(site(i), key("NAME", i), *k.name);
        if (k.length)
            ini.setString(site(i), key("LENGTH", i), *k.length);
        if (k.vfactor)
            ini.setString(site(i), key("VFACTOR", i), *k.vfactor);
    }
    return ini.save();
}

Status changeSection(const std::string& path, int number, const SectionChange& change)
{
    std::optional<int> kuThousandths;
    if (change.kuValue) {
        const double value = *change.kuValue;
        const double ku = change.speedMode ? kuOfSpeed(value) : value;
        if (Status s = checkKu(path, ku, change.speedMode); !s)
            return s;
        kuThousandths = numtext::truncThousandths(ku);
    }
    CIniFile ini(path, IniEncoding::Windows1251);
    if (Status s = openSection(path, number, ini); !s)
        return s;
    if (change.name)
        ini.setString(site(number), key("NAME", number), oneLine(*change.name));
    if (kuThousandths)
        ini.setInt(site(number), key("VFACTOR", number), *kuThousandths);
    return ini.save();
}

Status writeSectionName(const std::string& path, int number, std::string_view name)
{
    SectionChange change;
    change.name = std::string(name);
    return changeSection(path, number, change);
}

Status writeSectionLength(const std::string& path, int number, double nominalStart, double nominalEnd)
{
    if (!std::isfinite(nominalStart) || !std::isfinite(nominalEnd))
        return Status::failure(path + ": the start or end of the section is not a number",
                               path + ": начало или конец участка не число");
    const double nominal = nominalEnd - nominalStart;
    if (nominal < 0)
        return Status::failure(path + ": the end of a section cannot lie before its start",
                               path + ": конец участка не может лежать до его начала");
    CIniFile ini(path, IniEncoding::Windows1251);
    if (Status s = openSection(path, number, ini); !s)
        return s;
    ini.setInt(site(number), key("LENGTH", number), numtext::truncThousandths(nominal));
    return ini.save();
}

Status writeSectionKu(const std::string& path, int number, double value, bool speedMode)
{
    SectionChange change;
    change.kuValue = value;
    change.speedMode = speedMode;
    return changeSection(path, number, change);
}
