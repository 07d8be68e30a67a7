#include "panels/channel_params.h"

#include "resources/translate_marker.h"
#include "document/units.h"
#include "document/varnel_doc.h"

#include <cmath>

SpinSetup offsetSpinSetup(int yOffset) { return {-kOffsetLimit, kOffsetLimit, double(yOffset), 1, 0}; }

SpinSetup gainSpinSetup(int gain) { return {0, kGainLimit, double(gain), 1, 0}; }

SpinSetup speedSpinSetup(const CVarnelDoc& doc)
{
    if (doc.speedMode)
        return {50, 150, speedOfKu(doc.vfactor), 0.1, 1};
    return {1, 3, doc.vfactor, 0.001, 3};
}

const char* speedLabel(bool speedMode) { return speedMode ? "V/2" : VARNEL_TRANSLATE_NOOP("CFormParams", "К.У."); }

BaseChoice chooseBase(const CVarnelDoc& doc)
{
    const int current = doc.selectedTrace;
    if (current >= 0 && current < kTraceCount && doc.traces[current].shown)
        return {current, false};
    int base = -1;
    for (int i = 0; i < kTraceCount && base < 0; ++i)
        if (doc.traces[i].shown)
            base = i;
    return {base, base != current};
}

void writeOffset(CVarnelDoc& doc, int trace, double value)
{
    if (trace >= 0 && trace < kTraceCount)
        doc.traces[trace].yOffset = static_cast<int>(std::trunc(value));
}

void writeSpeed(CVarnelDoc& doc, double value)
{
    // The spin never reports a value outside 1..3 or 50..150, so the KU is always positive.
    if (value > 0)
        doc.vfactor = doc.speedMode ? kuOfSpeed(value) : value;
}

void writeGain(CVarnelDoc& doc, double value) { doc.gain = static_cast<int>(std::trunc(value)); }
