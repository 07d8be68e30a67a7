#pragma once

#include "document/varnel_doc.h"

class CScreenState;

// The sectioned x axis (a different KU per line section) of the two trace screens.
namespace axis_sections {

// Sections that overlap the window left..right (nominal metres): end not below left, start not beyond right.
int overlappingCount(const CSectionList& sections, double left, double right);

// Axis sections of the main screen for the document's window, and its x label range. False, with the
// screen untouched, when the grid is not active or no section overlaps the window.
bool buildWindowAxis(CScreenState& screen, const CVarnelDoc& doc);

// Axis sections of the overview screen over the whole range, and its x label range; the last section is
// stretched to the end of the 500 samples. False, with the screen untouched, when the grid is not active.
bool buildRangeAxis(CScreenState& screen, const CVarnelDoc& doc);

} // namespace axis_sections
