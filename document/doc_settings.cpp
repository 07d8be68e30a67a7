// The document's keys of the settings store.
#include "document/settings.h"
#include "document/tables.h"
#include "document/units.h"
#include "document/varnel_doc.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

const char* const kOffsetKeys[kTraceCount] = {"Y_L1", "Y_L2", "Y_P1", "Y_P2", "Y_P3"};

// CURSOR1, CURSOR2 and VFACTOR are read as unsigned 32-bit numbers.
double readThousandths(const CSettings& settings, const char* key, int fallback)
{
    const auto raw = static_cast<std::uint32_t>(settings.getInt(key, fallback));
    return raw / 1000.0;
}

// Every cell is truncated toward zero: the stored files depend on it. Saturating: a KU no range check
// let through must not become VFACTOR=-2147483648.
int thousandths(double value) { return truncThousandths(value); }

} // namespace

void CVarnelDoc::readSettings(const CSettings& ini)
{
    scale = tables::rangeAt(ini.getInt("SCALE", 0));
    pulse = tables::pulseAt(ini.getInt("PULSE", 0));
    mouseMode = static_cast<MouseMode>(std::clamp(ini.getInt("MOUSE", 0), 0, kMouseModeCount - 1));

    const double ku = readThousandths(ini, "VFACTOR", 1500);
    vfactor = kuInRange(ku) ? ku : kReferenceKu;

    gain = std::clamp(ini.getInt("GAIN", 0), 0, 255);
    average = std::clamp(ini.getInt("AVERAGE", 0), 0, 7);
    cursor1 = std::clamp(readThousandths(ini, "CURSOR1", 0), 0.0, scale);
    cursor2 = std::clamp(readThousandths(ini, "CURSOR2", 0), 0.0, scale);
    for (int i = 0; i < kTraceCount; ++i)
        traces[i].yOffset = std::clamp(ini.getInt(kOffsetKeys[i], 0), -200, 200);
    approximation = ini.getInt("APPOXIMATION", 1) != 0;
    speedMode = ini.getInt("SPEED", 0) != 0;
    returnLoss = ini.getInt("RL", 0) != 0;
}

void CVarnelDoc::writeSettings(CSettings& ini) const
{
    ini.setInt("SCALE", tables::scaleIndexOf(scale));
    ini.setInt("PULSE", tables::pulseIndexOf(pulse));
    ini.setInt("MOUSE", static_cast<int>(mouseMode));
    ini.setInt("VFACTOR", thousandths(vfactor));
    ini.setInt("GAIN", gain);
    ini.setInt("AVERAGE", average);
    ini.setInt("CURSOR1", thousandths(cursor1));
    ini.setInt("CURSOR2", thousandths(cursor2));
    for (int i = 0; i < kTraceCount; ++i)
        ini.setInt(kOffsetKeys[i], traces[i].yOffset);
    ini.setInt("APPOXIMATION", approximation ? 1 : 0);
    ini.setInt("SPEED", speedMode ? 1 : 0);
    ini.setInt("RL", returnLoss ? 1 : 0);
}
