#include "document/varnel_doc.h"

#include "resources/translate_marker.h"
#include "document/doc_view.h"
#include "document/line_distances.h"
#include "document/tables.h"
#include "document/units.h"
#include "document/update_hint.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

bool isStepDown(int stepValue) { return static_cast<std::int16_t>(stepValue) == -120; }

bool isSpinStep(double shown, double step, double real)
{
    return step > 0 && std::fabs(std::fabs(real - shown) - step) <= step * 1e-6;
}

const char* traceName(int index)
{
    static const char* const names[kTraceCount] = {
        VARNEL_TRANSLATE_NOOP("TraceNames", "Л1"), VARNEL_TRANSLATE_NOOP("TraceNames", "Л2"),
        VARNEL_TRANSLATE_NOOP("TraceNames", "П1"), VARNEL_TRANSLATE_NOOP("TraceNames", "П2"),
        VARNEL_TRANSLATE_NOOP("TraceNames", "П3")};
    return index >= 0 && index < kTraceCount ? names[index] : "";
}

CVarnelDoc::CVarnelDoc()
{
    static constexpr Rgb colors[kTraceCount] = {
        {0, 200, 255}, {0, 200, 0}, {200, 0, 0}, {255, 153, 0}, {200, 0, 200}};
    for (int i = 0; i < kTraceCount; ++i)
        traces[i].color = colors[i];
    traces[L1].shown = true;
}

CVarnelDoc::CVarnelDoc(CSettings& settings) : CVarnelDoc()
{
    store = &settings;
    readSettings(settings);
}

CVarnelDoc::~CVarnelDoc()
{
    if (store)
        writeSettings(*store);
}

void CVarnelDoc::addView(CDocView* view)
{
    if (std::find(views.begin(), views.end(), view) == views.end())
        views.push_back(view);
}

void CVarnelDoc::removeView(CDocView* view)
{
    views.erase(std::remove(views.begin(), views.end(), view), views.end());
}

void CVarnelDoc::updateAllViews(CDocView* sender, UpdateHint hint)
{
    // A copy: a view may register or unregister views while it handles the update.
    const std::vector<CDocView*> receivers = views;
    for (CDocView* view : receivers)
        if (view != sender && std::find(views.begin(), views.end(), view) != views.end())
            view->onDocumentUpdate(sender, hint);
}

// --- Distance operations ---

double CVarnelDoc::windowWidth() const { return scale / std::pow(2.0, zoom); }

Span CVarnelDoc::window() const
{
    const double w = windowWidth();
    double left = zoomCenter - w / 2;
    double right = zoomCenter + w / 2;
    if (left < 0) {
        left = 0;
        right = w;
    }
    if (scale < right) {
        left = scale - w;
        right = scale;
    }
    return {left, right};
}

bool CVarnelDoc::gridActive() const { return gridMode && sectionsLoaded && !sections.empty(); }

double CVarnelDoc::kuAt(double position) const
{
    if (!gridActive())
        return vfactor;
    double ku = 0.0;
    for (const Section& s : sections.all()) {
        ku = usableKu(s.ku);
        if (s.start / 100 <= position && position < s.end / 100)
            break;
    }
    return ku;
}

double CVarnelDoc::toNominal(double real) const
{
    if (!gridActive())
        return real / kReferenceKu * vfactor;
    double n = 0.0, rs = 0.0, re = 0.0, ku = kReferenceKu;
    for (const Section& s : sections.all()) {
        ku = usableKu(s.ku);
        rs = re;
        re = re + (s.length / 100) / ku * kReferenceKu;
        if (rs <= real && real <= re)
            n += (real - rs) / kReferenceKu * ku;
        else if (real > re)
            n += s.length / 100;
    }
    if (real > re)
        n += (real - re) / kReferenceKu * ku;
    return n;
}

double CVarnelDoc::realAt(double position, double& ku) const
{
    static const std::vector<Section> noGrid;
    return realDistanceAt(position, vfactor, gridActive() ? sections.all() : noGrid, ku);
}

double CVarnelDoc::toReal(double position) const
{
    double ku = 0.0;
    return realAt(position, ku);
}

CursorReadouts CVarnelDoc::cursorReadouts() const
{
    const double sample = windowWidth() / kWindowSamples;
    CursorReadouts r;
    double ku1 = 0.0, ku2 = 0.0;
    r.distance1 = realAt(cursor1, ku1);
    r.distance2 = realAt(cursor2, ku2);
    r.step1 = sample / ku1 * kReferenceKu;
    r.step2 = sample / ku2 * kReferenceKu;
    return r;
}

Span CVarnelDoc::windowEdgesReal() const
{
    // Each edge by the rule of the cursor read-outs, so that a cursor on an edge reads the edge and no
    // section boundary between the samples adds its rounding to the right edge.
    const Span win = window();
    return {toReal(win.left), toReal(win.right)};
}

double CVarnelDoc::sampleAt(int index) const
{
    const Span win = window();
    // The last sample is the right edge itself, whatever the binary rounding of left + 500 samples.
    return index >= kWindowSamples ? win.right : win.left + index * (windowWidth() / kWindowSamples);
}

bool CVarnelDoc::steppedPosition(double& position, bool down) const
{
    const Span win = window();
    const double x = (position - win.left) / (windowWidth() / kWindowSamples);
    // A position a hair below a sample stands on it, so that a step never stays where it was; one
    // outside the window steps from the edge it lies beyond.
    const double i = std::clamp(std::floor(x + 1e-6), 0.0, static_cast<double>(kWindowSamples));
    const double j = down ? i - 1 : i + 1;
    if (j < 0) {
        position = win.left;
        return false;
    }
    if (j > kWindowSamples) {
        position = win.right;
        return false;
    }
    position = sampleAt(static_cast<int>(j));
    return true;
}

bool CVarnelDoc::stepCursor(double& position, int stepValue)
{
    if (!steppedPosition(position, isStepDown(stepValue)))
        return false;
    vfactor = kuAt(position);
    return true;
}

double CVarnelDoc::nearestSample(double position) const
{
    const Span win = window();
    const double x = std::floor((position - win.left) / (windowWidth() / kWindowSamples) + 0.5);
    if (!(x > 0))
        return win.left;
    return sampleAt(static_cast<int>(std::min(x, static_cast<double>(kWindowSamples))));
}

double CVarnelDoc::cursorFromSpin(double position, double shown, double step, double real) const
{
    if (isSpinStep(shown, step, real)) {
        steppedPosition(position, real < shown);
        return position;
    }
    return nearestSample(toNominal(real));
}

void CVarnelDoc::placeCursor(double& position, int sampleIndex)
{
    position = window().left + sampleIndex * windowWidth() / kWindowSamples;
    vfactor = kuAt(position);
}

int CVarnelDoc::largestZoom() const { return tables::largestZoomFor(scale); }

bool CVarnelDoc::stepZoom(int stepValue)
{
    if (isStepDown(stepValue)) {
        if (--zoom < 0) {
            zoom = 0;
            return false;
        }
    } else if (++zoom > largestZoom()) {
        zoom = largestZoom();
        return false;
    }
    if (!zoomed && zoom > 0) {
        zoomCenter = activeCursorPos();
        zoomed = true;
    } else if (zoomed && zoom == 0) {
        zoomed = false;
    }
    return true;
}

bool CVarnelDoc::stepOffset(int& offset, int stepValue)
{
    if (isStepDown(stepValue)) {
        if (--offset < -200) {
            offset = -200;
            return false;
        }
    } else if (++offset > 200) {
        offset = 200;
        return false;
    }
    return true;
}

// --- Commands ---

void CVarnelDoc::selectRange(int index)
{
    capture = false;
    index = tables::clampScaleIndex(index);
    scale = tables::kRanges[index];
    pulse = tables::kRangeDefaultPulse[index];
    zoom = 0;
    zoomed = false;
    updateAllViews(nullptr, kHintAcqParams);
}

void CVarnelDoc::selectPulse(int index)
{
    capture = false;
    pulse = tables::pulseAt(index);
    updateAllViews(nullptr, kHintAcqParams);
}

void CVarnelDoc::selectMouseMode(MouseMode mode)
{
    mouseMode = mode;
    if (mouseMode == MouseMode::Cursor1 || mouseMode == MouseMode::Cursor2) {
        vfactor = kuAt(mouseMode == MouseMode::Cursor1 ? cursor1 : cursor2);
        updateAllViews(nullptr, kHintRedraw);
    }
}

void CVarnelDoc::selectActiveCursor(CursorId id) { activeCursor = id; }

void CVarnelDoc::toggleLine(int line)
{
    capture = false;
    Trace& self = traces[line == L2 ? L2 : L1];
    const Trace& other = traces[line == L2 ? L1 : L2];
    if (self.shown) {
        self.active = false;
        self.shown = false;
        if (!other.shown || !other.available)
            acqState = AcqState::Stopped;
    } else {
        self.shown = true;
        if (acqState == AcqState::Running)
            self.active = true;
    }
    updateAllViews(nullptr, kHintLines);
}

void CVarnelDoc::toggleSplitPairs()
{
    capture = false;
    if (!splitPairs) {
        splitPairs = true;
        Trace& lost = traces[L1].shown ? traces[L2] : traces[L1];
        lost.active = false;
        lost.available = false;
    } else {
        splitPairs = false;
        traces[L1].available = traces[L2].available = true;
        if (acqState == AcqState::Running) {
            if (traces[L1].shown)
                traces[L1].active = true;
            if (traces[L2].shown)
                traces[L2].active = true;
        }
    }
}

void CVarnelDoc::toggleCapture() { capture = !capture; }

void CVarnelDoc::toggleDifference()
{
    capture = false;
    difference = !difference;
    updateAllViews(nullptr, kHintLines);
}

void CVarnelDoc::toggleApproximation()
{
    capture = false;
    approximation = !approximation;
    updateAllViews(nullptr, kHintRedraw);
}

void CVarnelDoc::toggleSpeedMode()
{
    speedMode = !speedMode;
    updateAllViews(nullptr, kHintSpeedMode);
}

void CVarnelDoc::toggleReturnLoss()
{
    returnLoss = !returnLoss;
    updateAllViews(nullptr, kHintReturnLoss);
}
