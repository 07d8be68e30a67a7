#include "display/mouse_modes.h"

#include "document/update_hint.h"
#include "document/varnel_doc.h"

namespace mouse_modes {

namespace {

int* offsetOf(CVarnelDoc& doc, MouseMode mode)
{
    const int t = static_cast<int>(mode) - static_cast<int>(MouseMode::OffsetL1);
    if (t < 0 || t >= kTraceCount)
        return nullptr;
    return &doc.traces[static_cast<std::size_t>(t)].yOffset;
}

} // namespace

void applyClick(CVarnelDoc& doc, DataPoint click)
{
    switch (doc.mouseMode) {
    case MouseMode::Magnifier:
        doc.placeCursor(doc.activeCursorPos(), click.x);
        return;
    case MouseMode::Cursor1:
        doc.placeCursor(doc.cursor1, click.x);
        return;
    case MouseMode::Cursor2:
        doc.placeCursor(doc.cursor2, click.x);
        return;
    default:
        if (int* offset = offsetOf(doc, doc.mouseMode))
            *offset = click.y;
        return;
    }
}

WheelResult applyWheel(CVarnelDoc& doc, int delta)
{
    WheelResult r;
    switch (doc.mouseMode) {
    case MouseMode::Magnifier:
        r.changed = r.zoomChanged = doc.stepZoom(delta);
        break;
    case MouseMode::Cursor1:
        r.changed = doc.stepCursor(doc.cursor1, delta);
        break;
    case MouseMode::Cursor2:
        r.changed = doc.stepCursor(doc.cursor2, delta);
        break;
    default:
        if (int* offset = offsetOf(doc, doc.mouseMode))
            r.changed = CVarnelDoc::stepOffset(*offset, delta);
        break;
    }
    return r;
}

void mainScreenClick(CVarnelDoc& doc, DataPoint click, CDocView* sender)
{
    applyClick(doc, click);
    doc.updateAllViews(sender, kHintRedraw);
}

bool mainScreenWheel(CVarnelDoc& doc, int delta, const std::function<void()>& restartAcquisition,
                     CDocView* sender)
{
    const WheelResult r = applyWheel(doc, delta);
    if (r.zoomChanged && doc.acqState == AcqState::Running && restartAcquisition)
        restartAcquisition();
    if (r.changed)
        doc.updateAllViews(sender, kHintRedraw);
    return r.changed;
}

void overviewClick(CVarnelDoc& doc, int x, CDocView* sender)
{
    doc.zoomCenter = doc.scale / kWindowSamples * x;
    doc.updateAllViews(sender, kHintRedraw);
}

void overviewWheel(CVarnelDoc& doc, int delta, CDocView* sender)
{
    const double sample = doc.windowWidth() / kWindowSamples;
    const double half = 250 * sample;
    const double overviewSample = doc.scale / kWindowSamples;
    if (isStepDown(delta)) {
        if (doc.zoomCenter + half >= doc.scale)
            doc.zoomCenter = doc.scale - half;
        doc.zoomCenter -= overviewSample;
        if (doc.zoomCenter < 0)
            doc.zoomCenter = 0;
    } else {
        if (doc.zoomCenter - half <= 0)
            doc.zoomCenter = half;
        doc.zoomCenter += overviewSample;
        if (doc.zoomCenter > doc.scale)
            doc.zoomCenter = doc.scale;
    }
    doc.updateAllViews(sender, kHintRedraw);
}

} // namespace mouse_modes
