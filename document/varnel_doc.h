#pragma once

#include "document/event_marks.h"
#include "document/rgb.h"
#include "document/section_list.h"
#include "document/trace.h"
#include "document/update_hint.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

class CDocView;
class CSettings;

enum class CursorId { First = 1, Second = 2 };

// What a click or a wheel step on a screen acts on. The numbers are stored in the settings (MOUSE).
enum class MouseMode : int {
    Magnifier = 0,
    Cursor1 = 1,
    Cursor2 = 2,
    OffsetL1 = 3,   // the offset of trace L1; OffsetL1 + i is the offset of trace i
    OffsetL2 = 4,
    OffsetP1 = 5,
    OffsetP2 = 6,
    OffsetP3 = 7,
};
inline constexpr int kMouseModeCount = 8;

// The acquisition state; the numbers are the ones the program was designed with.
enum class AcqState : int { Stopped = 1, Running = 2 };

// A span of the line: the visible window in nominal metres, or its edges in real metres.
struct Span {
    double left = 0.0;
    double right = 0.0;
};

// The fault watch's envelope of one live line: the lowest and highest signed level of every window
// sample since the watch (re)started. `line` is -1 when no watch runs.
struct WatchEnvelope {
    int line = -1;
    std::vector<int> low;
    std::vector<int> high;
};

struct CursorReadouts {
    double distance1 = 0.0;   // real metres of cursor 1
    double distance2 = 0.0;   // real metres of cursor 2
    double step1 = 0.0;       // real metres per window sample at cursor 1
    double step2 = 0.0;       // real metres per window sample at cursor 2
};

// A 16-bit wheel delta of exactly -120 is one step down; any other value is one step up.
bool isStepDown(int stepValue);
// Whether a spin showing `shown` with the step `step` was set to `real` by one step (down or up).
bool isSpinStep(double shown, double step, double real);

// The single measurement document: every setting, the five traces, the cursors, the magnifier, the
// line sections, and the distance arithmetic all displays share. Positions are nominal metres (KU 1.5).
class CVarnelDoc {
public:
    // A document with the construction defaults; it neither reads nor writes a settings file.
    CVarnelDoc();
    // A document that reads its keys from the settings store now and puts them back at destruction.
    explicit CVarnelDoc(CSettings& settings);
    ~CVarnelDoc();
    CVarnelDoc(const CVarnelDoc&) = delete;
    CVarnelDoc& operator=(const CVarnelDoc&) = delete;

    // --- State (public, as the views read and write it directly) ---
    bool gridMode = false;
    bool sectionsLoaded = false;
    bool returnLoss = false;
    bool speedMode = false;
    CSectionList sections;
    int selectedTrace = 0;
    double scale = 62.5;
    double pulse = 10;
    MouseMode mouseMode = MouseMode::Magnifier;
    bool approximation = true;
    bool capture = false;
    bool splitPairs = false;
    bool difference = false;
    int average = 0;
    double vfactor = 1.5;
    int gain = 0;
    AcqState acqState = AcqState::Stopped;
    std::array<Trace, kTraceCount> traces;
    double cursor1 = 0.0;
    Rgb cursor1Color{200, 200, 255};
    double cursor2 = 0.0;
    Rgb cursor2Color{200, 200, 0};
    int zoom = 0;
    CursorId activeCursor = CursorId::First;
    double zoomCenter = 0.0;
    bool zoomed = false;
    WatchEnvelope watchEnvelope;
    EventMarks eventMarks;

    double& activeCursorPos() { return activeCursor == CursorId::First ? cursor1 : cursor2; }
    double activeCursorPos() const { return activeCursor == CursorId::First ? cursor1 : cursor2; }
    double& cursorPos(CursorId id) { return id == CursorId::First ? cursor1 : cursor2; }

    // --- Update broadcast ---
    void addView(CDocView* view);
    void removeView(CDocView* view);
    // Every registered view except `sender` is told of the update.
    void updateAllViews(CDocView* sender, UpdateHint hint);

    // --- Distance operations ---
    double windowWidth() const;
    Span window() const;
    bool gridActive() const;
    double kuAt(double position) const;
    double toNominal(double real) const;
    // Real metres of any nominal position, by the rule of the cursor read-outs: with the grid, the
    // sections up to the position each with its own KU, beyond the last one its KU.
    double toReal(double position) const;
    CursorReadouts cursorReadouts() const;
    Span windowEdgesReal() const;
    bool stepCursor(double& position, int stepValue);
    // The sample of the window nearest nominal `position`, never outside the window.
    double nearestSample(double position) const;
    // Where a cursor at `position` goes when a spin showing its read-out `shown` (real metres) with the
    // step `step` is set to `real`: a change of exactly one step moves it one sample that way (a step
    // measured at one section's KU may not leave the sample it started from at another's), any other
    // change to the sample nearest `real`.
    double cursorFromSpin(double position, double shown, double step, double real) const;
    void placeCursor(double& position, int sampleIndex);
    bool stepZoom(int stepValue);
    static bool stepOffset(int& offset, int stepValue);
    int largestZoom() const;

    // --- Commands (the command table binds menu and toolbar ids to these) ---
    void selectRange(int index);
    void selectPulse(int index);
    void selectMouseMode(MouseMode mode);
    void selectActiveCursor(CursorId id);
    void toggleLine(int line);        // L1 or L2
    void toggleSplitPairs();
    void toggleCapture();
    void toggleDifference();
    void toggleApproximation();
    void toggleSpeedMode();
    void toggleReturnLoss();

    // The document's keys of the settings, read in their fixed order; every value is brought into its
    // valid range before anything uses it. Written back in the same order, truncated toward zero.
    void readSettings(const CSettings& settings);
    void writeSettings(CSettings& settings) const;

private:
    // Sample `index` (0..500) of the window in nominal metres.
    double sampleAt(int index) const;
    // One window sample down or up from `position`; false, with `position` on the window's edge, when
    // there is none left that way.
    bool steppedPosition(double& position, bool down) const;
    // toReal, and the KU it measured the position's own stretch with.
    double realAt(double position, double& ku) const;

    std::vector<CDocView*> views;
    CSettings* store = nullptr;
};
