#include "panels/cursor_row.h"

#include "document/varnel_doc.h"
#include "files/number_text.h"

#include <algorithm>
#include <cmath>

CursorRowValues cursorRowValues(const CVarnelDoc& doc)
{
    const Span edges = doc.windowEdgesReal();
    const CursorReadouts r = doc.cursorReadouts();
    CursorRowValues v;
    v.cursor1 = {edges.left, edges.right, r.distance1, r.step1, kMetrePrecision};
    v.cursor2 = {edges.left, edges.right, r.distance2, r.step2, kMetrePrecision};
    v.distance = metresText(std::fabs(r.distance1 - r.distance2));
    return v;
}

std::string metresText(double metres) { return numtext::fixed(metres, kMetrePrecision) + " " + kMetreUnit; }

void writeCursor(CVarnelDoc& doc, CursorId cursor, double displayedMetres)
{
    // From the value the spin shows: a step moves one sample of the window (the wheel and the step
    // commands use the same grid), also where the next sample lies in a section of another KU.
    const CursorReadouts r = doc.cursorReadouts();
    const bool first = cursor == CursorId::First;
    double& p = doc.cursorPos(cursor);
    p = doc.cursorFromSpin(p, first ? r.distance1 : r.distance2, first ? r.step1 : r.step2, displayedMetres);
    doc.vfactor = doc.kuAt(p);
}

bool writeMagnifier(CVarnelDoc& doc, int level)
{
    if (level == doc.zoom || level < 0 || level > doc.largestZoom())
        return false;
    doc.zoom = level;
    if (!doc.zoomed && level != 0) {
        doc.zoomed = true;
        doc.zoomCenter = doc.activeCursorPos();
    } else if (doc.zoomed && level == 0) {
        doc.zoomed = false;
    }
    return true;
}
