#pragma once

#include "panels/spin_setup.h"

class CVarnelDoc;

// The rules of the channel parameter panel: what its spins hold and how an edit reaches the document.
// An edit changes the document only; the packet sent to the instrument is rebuilt from the document
// every cycle, so the change reaches the instrument with the next one.

inline constexpr int kOffsetLimit = 200;
inline constexpr int kGainLimit = 255;

SpinSetup offsetSpinSetup(int yOffset);
SpinSetup gainSpinSetup(int gain);
// KU 1..3 with three decimals, or in V/2 mode V/2 = 300 / (2 KU) 50..150 m/us with one.
SpinSetup speedSpinSetup(const CVarnelDoc& doc);
// "V/2" in V/2 mode, else "К.У."
const char* speedLabel(bool speedMode);

// The base trace of the difference mode once the shown traces may have changed: the base stays while
// its trace is shown; otherwise the first shown trace in the order L1, L2, P1, P2, P3 takes over, or
// none (-1) when no trace is shown.
struct BaseChoice {
    int base = -1;
    bool changed = false;   // the base moved: every view must hear hint 4
};
BaseChoice chooseBase(const CVarnelDoc& doc);

// Edits as the spins report them (already within the spin's limits); each is followed by hint 0.
// Offsets and gain are truncated toward zero; the KU keeps every typed decimal (the spin's decimals
// are a display format only).
void writeOffset(CVarnelDoc& doc, int trace, double value);
void writeSpeed(CVarnelDoc& doc, double value);
void writeGain(CVarnelDoc& doc, double value);
