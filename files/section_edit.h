#pragma once

#include "document/status.h"

#include <optional>
#include <string>
#include <string_view>

// The changes the scale-grid tab makes to a section file. Each reads the file, changes it and writes
// it back whole through a temporary file, so a failure leaves the file as it was; each is refused with
// a reason when its input is unusable. Numbers are written with "%d", every KU and length truncated
// toward zero. A file created here has CRLF line ends, as the files from the instrument's PC have.

// A new, empty section file: AMOUNT "0" and SCALE the range index of `scale` (11 if it is none).
Status createSectionFile(const std::string& path, double scale);

// What a section appended to a file holds; the defaults are those of the list's add command.
struct NewSection {
    std::string name;               // line breaks become blanks
    int lengthThousandths = 1000;   // one nominal metre; not below 0
    double ku = 1.5;                // stored as trunc(ku x 1000); within the K.У. spin's limits
};

// Appends section n + 1: AMOUNT n + 1, an empty NAME, LENGTH "1000" (one nominal metre) and VFACTOR
// trunc(ku x 1000). A negative AMOUNT counts as 0.
Status addSection(const std::string& path, double ku);
Status addSection(const std::string& path, const NewSection& section);

// Deletes the section of list row `row` (0-based, below AMOUNT) and renumbers the following ones; the
// NAME, LENGTH and VFACTOR texts are kept unchanged, and a key missing before stays missing.
Status deleteSection(const std::string& path, int row);

// Changes to section `number` (1..AMOUNT) written in one go: all of them, or none when one is refused.
// The KU is typed as KU, or as V/2 with `speedMode`.
struct SectionChange {
    std::optional<std::string> name;
    std::optional<double> kuValue;
    bool speedMode = false;
};
Status changeSection(const std::string& path, int number, const SectionChange& change);

// The in-place edits of section `number` (1..AMOUNT).
// NAME: line breaks become blanks, a character without a Windows-1251 byte becomes '?'.
Status writeSectionName(const std::string& path, int number, std::string_view name);
// LENGTH from the start and end shown in the list, converted to nominal metres by the caller with the
// document's toNominal: trunc((nominalEnd - nominalStart) x 1000). An end before the start is refused.
Status writeSectionLength(const std::string& path, int number, double nominalStart, double nominalEnd);
// VFACTOR from a value typed as KU, or as V/2 with `speedMode`: trunc(KU x 1000). A value that gives
// a KU outside the K.У. spin's limits (kuRangeProblem) is refused.
Status writeSectionKu(const std::string& path, int number, double value, bool speedMode);
