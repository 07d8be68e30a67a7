#pragma once

class CDocView;
class CVarnelDoc;

// Puts the active cursor at nominal `position` (within the range) as a list of the analysis tools
// does when a row is chosen: the KU follows the section under it, and a magnified window moves to
// show it when it lies outside. Every view but `sender` is told.
void placeActiveCursor(CVarnelDoc& doc, double position, CDocView* sender);
