#pragma once

#include "panels/spin_setup.h"

#include <string>

class CVarnelDoc;
enum class CursorId;

// The unit of every distance on the cursor row.
inline constexpr const char* kMetreUnit = "м";
inline constexpr int kMetrePrecision = 2;

// What the cursor row shows for the document: each cursor spin spans the visible window in displayed
// metres, holds its cursor's read-out and steps by one window sample at that cursor (section by section
// with an active grid, else at `vfactor`); the distance between the two read-outs as "%.2f м".
struct CursorRowValues {
    SpinSetup cursor1;
    SpinSetup cursor2;
    std::string distance;
};
CursorRowValues cursorRowValues(const CVarnelDoc& doc);

// "%.2f м"
std::string metresText(double metres);

// A cursor distance the user typed or stepped, written back: a step moves the cursor one sample of the
// visible window that way (while one is left), any other value is converted to nominal metres and put
// on the nearest sample (never outside the window); with an active grid `vfactor` becomes the KU of the
// section there. The caller broadcasts hint 0.
void writeCursor(CVarnelDoc& doc, CursorId cursor, double displayedMetres);

// The magnifier level chosen in the list. The window centres on the active cursor when the magnifier
// engages and keeps that centre until it is switched off again. False (nothing changed) for the level in
// force or one the range does not offer; otherwise the caller broadcasts hint 2.
bool writeMagnifier(CVarnelDoc& doc, int level);
