#include "document/doc_settings.h"

#include "document/ini_file.h"
#include "document/tables.h"
#include "document/varnel_doc.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

const char* const kOffsetKeys[kTraceCount] = {"Y_L1", "Y_L2", "Y_P1", "Y_P2", "Y_P3"};

// CURSOR1, CURSOR2 and VFACTOR are read as unsigned 32-bit numbers.
double readThousandths(const CIniFile& ini, const char* key, int fallback)
{
    const auto raw = static_cast<std::uint32_t>(ini.getInt(kSettingsSection, key, fallback));
    return raw / 1000.0;
}

// Every cell is truncated toward zero: the stored files depend on it.
int thousandths(double value) { return static_cast<int>(std::trunc(value * 1000)); }

} // namespace

void readDocumentSettings(CVarnelDoc& doc, const CIniFile& ini)
{
    const char* s = kSettingsSection;
    doc.scale = tables::rangeAt(ini.getInt(s, "SCALE", 0));
    doc.pulse = tables::pulseAt(ini.getInt(s, "PULSE", 0));
    doc.mouseMode = std::clamp(ini.getInt(s, "MOUSE", 0), 0, 7);

    const double ku = readThousandths(ini, "VFACTOR", 1500);
    doc.vfactor = (ku >= 1.0 && ku <= 3.0) ? ku : 1.5;

    doc.gain = std::clamp(ini.getInt(s, "GAIN", 0), 0, 255);
    doc.average = std::clamp(ini.getInt(s, "AVERAGE", 0), 0, 7);
    doc.cursor1 = std::clamp(readThousandths(ini, "CURSOR1", 0), 0.0, doc.scale);
    doc.cursor2 = std::clamp(readThousandths(ini, "CURSOR2", 0), 0.0, doc.scale);
    for (int i = 0; i < kTraceCount; ++i)
        doc.traces[i].yOffset = std::clamp(ini.getInt(s, kOffsetKeys[i], 0), -200, 200);
    doc.approximation = ini.getInt(s, "APPOXIMATION", 1) != 0;
    doc.speedMode = ini.getInt(s, "SPEED", 0) != 0;
    doc.returnLoss = ini.getInt(s, "RL", 0) != 0;
}

void loadDocumentSettings(CVarnelDoc& doc, const std::string& path)
{
    CIniFile ini(path);
    ini.load();   // an unreadable file gives the defaults, as a missing one does
    readDocumentSettings(doc, ini);
}

void writeDocumentSettings(const CVarnelDoc& doc, CIniFile& ini)
{
    const char* s = kSettingsSection;
    ini.setInt(s, "SCALE", tables::scaleIndexOf(doc.scale));
    ini.setInt(s, "PULSE", tables::pulseIndexOf(doc.pulse));
    ini.setInt(s, "MOUSE", doc.mouseMode);
    ini.setInt(s, "VFACTOR", thousandths(doc.vfactor));
    ini.setInt(s, "GAIN", doc.gain);
    ini.setInt(s, "AVERAGE", doc.average);
    ini.setInt(s, "CURSOR1", thousandths(doc.cursor1));
    ini.setInt(s, "CURSOR2", thousandths(doc.cursor2));
    for (int i = 0; i < kTraceCount; ++i)
        ini.setInt(s, kOffsetKeys[i], doc.traces[i].yOffset);
    ini.setInt(s, "APPOXIMATION", doc.approximation ? 1 : 0);
    ini.setInt(s, "SPEED", doc.speedMode ? 1 : 0);
    ini.setInt(s, "RL", doc.returnLoss ? 1 : 0);
}

void storeDocumentSettings(const CVarnelDoc& doc, const std::string& path)
{
    CIniFile ini(path);
    if (!ini.load())
        return;   // never replace a file that could not be read
    writeDocumentSettings(doc, ini);
    ini.save();
}
