#pragma once

#include <string>

class CVarnelDoc;
class CIniFile;

inline constexpr const char* kSettingsSection = "VARNEL";

// Reads the document's keys of "param.ini" (missing ones give the defaults) and brings every value
// into its valid range before anything uses it.
void loadDocumentSettings(CVarnelDoc& doc, const std::string& path);
void readDocumentSettings(CVarnelDoc& doc, const CIniFile& ini);

// Writes the document's keys in their fixed order, keeping the rest of the file. Write failures are
// not reported: the program is ending.
void storeDocumentSettings(const CVarnelDoc& doc, const std::string& path);
void writeDocumentSettings(const CVarnelDoc& doc, CIniFile& ini);
