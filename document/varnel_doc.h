#pragma once

#include "document/rgb.h"
#include "document/section_list.h"
#include "document/trace.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

class CDocView;

enum class CursorId { First = 1, Second = 2 };

// A span of the line: the visible window in nominal metres, or its edges in real metres.
struct Span {
    double left = 0.0;
    double right = 0.0;
};

struct CursorReadouts {
    double distance1 = 0.0;   // real metres of cursor 1
    double distance2 = 0.0;   // real metres of cursor 2
    double step1 = 0.0;       // real metres per window sample at cursor 1
    double step2 = 0.0;       // real metres per window sample at cursor 2
};

// A 16-bit wheel delta of exactly -120 is one step down; any other value is one step up.
bool isStepDown(int stepValue);

// The single measurement document: every setting, the five traces, the cursors, the magnifier, the
// line sections, and the distance arithmetic all displays share. Positions are nominal metres (KU 1.5).
class CVarnelDoc {
public:
    // A document with the construction defaults; it neither reads nor writes a settings file.
    CVarnelDoc();
    // A document that reads its keys from `settingsPath` now and writes them back at destruction.
    explicit CVarnelDoc(std::string settingsPath);
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
    int mouseMode = 0;
    bool approximation = true;
    bool capture = false;
    bool splitPairs = false;
    bool difference = false;
    int average = 0;
    double vfactor = 1.5;
    int gain = 0;
    int acqState = 1;                 // 1 stopped, 2 running
    std::array<Trace, kTraceCount> traces;
    double cursor1 = 0.0;
    Rgb cursor1Color{200, 200, 255};
    double cursor2 = 0.0;
    Rgb cursor2Color{200, 200, 0};
    int zoom = 0;
    CursorId activeCursor = CursorId::First;
    double zoomCenter = 0.0;
    bool zoomed = false;

    static constexpr int kStopped = 1;
    static constexpr int kRunning = 2;

    double& activeCursorPos() { return activeCursor == CursorId::First ? cursor1 : cursor2; }
    double activeCursorPos() const { return activeCursor == CursorId::First ? cursor1 : cursor2; }
    double& cursorPos(CursorId id) { return id == CursorId::First ? cursor1 : cursor2; }

    // --- Update broadcast ---
    void addView(CDocView* view);
    void removeView(CDocView* view);
    // Every registered view except `sender` is told of the update.
    void updateAllViews(CDocView* sender, int hint);

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
    void placeCursor(double& position, int sampleIndex);
    bool stepZoom(int stepValue);
    static bool stepOffset(int& offset, int stepValue);
    int largestZoom() const;

    // --- Commands (the command table binds menu and toolbar ids to these) ---
    void selectRange(int index);
    void selectPulse(int index);
    void selectMouseMode(int mode);
    void selectActiveCursor(CursorId id);
    void toggleLine(int line);        // L1 or L2
    void toggleSplitPairs();
    void toggleCapture();
    void toggleDifference();
    void toggleApproximation();
    void toggleSpeedMode();
    void toggleReturnLoss();

    const std::optional<std::string>& settingsPath() const { return iniPath; }

private:
    // toReal, and the KU it measured the position's own stretch with.
    double realAt(double position, double& ku) const;

    std::vector<CDocView*> views;
    std::optional<std::string> iniPath;
};
