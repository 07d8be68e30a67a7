#pragma once

#include "document/section_list.h"
#include "document/status.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

class CIniFile;

// A section file (".pie"): an INI text in Windows-1251 describing a line as numbered sections lying end
// to end from distance 0, each with a name, a length and its own KU.
//   [PIECE]   AMOUNT=<n>  SCALE=<range index when the file was created>
//   [SITE<i>] NAME<i>=<text>  LENGTH<i>=<thousandths of a nominal metre>  VFACTOR<i>=<KU x 1000>
inline constexpr const char* kSectionFileExtension = ".pie";
// More sections than any line has; a larger AMOUNT is refused rather than read key by key.
inline constexpr int kMaxSections = 1000;

// One section as stored under SITE<i>.
struct SectionEntry {
    std::string name;            // NAME<i>; "Участок <i>" when the key is missing
    int lengthThousandths = 0;   // LENGTH<i>; 0 when missing
    int kuThousandths = 1500;    // VFACTOR<i>; 1500 when missing, 0 when present but empty

    // The KU the section is measured with. A KU of 0 or below would divide by zero, so such a
    // section is taken as KU 1.5, as the document does.
    double ku() const;
};

struct SectionFileData {
    std::string amountText = "0";   // AMOUNT as stored
    std::string scaleText = "0";    // SCALE as stored
    std::vector<SectionEntry> sections;
};

// One row of the section list, in real metres.
struct SectionRow {
    int number = 0;
    std::string name;
    double start = 0.0;
    double end = 0.0;
    double length = 0.0;
    double ku = 1.5;
};

// The path of section file `name` (without ".pie") in `folder`.
std::string sectionFilePath(const std::string& folder, const std::string& name);

// Reads a section file; a missing or unreadable file, one whose AMOUNT exceeds kMaxSections, or a
// hand-edited one with a number key (AMOUNT, LENGTH<i>, VFACTOR<i>) that holds no number or a negative
// LENGTH, is refused with a reason and leaves `data` untouched. An empty value reads as 0.
Status readSectionFile(const std::string& path, SectionFileData& data);
// The same for the bytes of a file, and for a file already loaded.
Status decodeSectionFile(std::string_view bytes, SectionFileData& data);
Status readSectionFile(const CIniFile& ini, SectionFileData& data);

// The rows of the section list: sections end to end from 0, real length LENGTH / 1000 / KU x 1.5.
std::vector<SectionRow> sectionRows(const SectionFileData& data);
// The cell texts: "%d", the name, "%.2f" start, end and length, then the KU "%.3f", or with
// `speedMode` the V/2 "%.1f".
std::array<std::string, 6> sectionRowCells(const SectionRow& row, bool speedMode);
// The section list of a file as the list shows it; a missing file gives no rows.
Status readSectionRows(const std::string& path, std::vector<SectionRow>& rows);

// The document's records: KU, then length, start and end in nominal metres x 100.
std::vector<Section> documentSections(const SectionFileData& data);
// Replaces the document's section list with that of file `name` in `folder`; an empty name (no active
// file) or a missing file empties it. A file that cannot be read is refused and the list is left as it was.
Status applySectionFile(const std::string& folder, const std::string& name, CSectionList& sections);
