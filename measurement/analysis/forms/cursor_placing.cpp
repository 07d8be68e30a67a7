#include "measurement/analysis/forms/cursor_placing.h"

#include "document/varnel_doc.h"

#include <algorithm>

void placeActiveCursor(CVarnelDoc& doc, double position, CDocView* sender)
{
    double& cursor = doc.activeCursorPos();
    cursor = std::clamp(position, 0.0, doc.scale);
    doc.vfactor = doc.kuAt(cursor);
    // A magnified window follows the cursor when the place lies outside it.
    const Span win = doc.window();
    if (doc.zoom > 0 && (cursor < win.left || cursor > win.right)) {
        doc.zoomCenter = cursor;
        doc.updateAllViews(sender, kHintAcqParams);
    } else {
        doc.updateAllViews(sender, kHintRedraw);
    }
}
