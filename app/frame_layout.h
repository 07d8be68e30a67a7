#pragma once

// The optional areas of the main window: the library row, the right-hand column (channel parameters
// over the KU table) and the overview screen of the two-screen mode. The numbers are those the compact
// layout remembers as its chosen area.
enum class FrameArea { None = 0, Library = 1, RightColumn = 2, Overview = 3 };

// Which optional areas the main window shows, and the rules that decide it. In the normal layout each
// area has its own switch. A small window (client area at most 750 x 550) is compact: it shows at most
// one area, the one last chosen with its command, and entering it hides all three.
class CFrameLayout {
public:
    static constexpr int kCompactWidth = 750;
    static constexpr int kCompactHeight = 550;
    static constexpr int kSmallScreenWidth = 800;
    static constexpr int kSmallScreenHeight = 600;

    // A screen of at most 800 x 600 starts compact; `twoScreen` is the stored TWOSCREEN.
    CFrameLayout(int screenWidth, int screenHeight, bool twoScreen);

    // The three area commands: "Двух экранный режим", "Настройки каналов", "Память". In the compact
    // layout each first hides the other two areas.
    void toggleTwoScreen();
    void toggleChannelSettings();
    void toggleMemory();

    // The client area changed to cx x cy: decides compact or normal and applies its rule. Ignored until
    // `layoutReady`.
    void resize(int cx, int cy);

    bool shown(FrameArea area) const;
    // The check mark of an area's command: shown, and in the compact layout also the chosen area.
    bool checked(FrameArea area) const;

    bool layoutReady = false;
    bool libraryShown = true;
    bool rightColumnShown = true;
    bool compact = false;
    FrameArea compactArea = FrameArea::None;
    bool twoScreen = false;

private:
    void toggle(FrameArea area);
    void showOnly(FrameArea area);
    bool& flag(FrameArea area);
};

// The range and pulse bars lie side by side (the pulse bar right of the range bar) when the client area
// is lower than the two bars' heights and 40 pixels; otherwise the pulse bar lies below the range bar.
bool bottomBarsSideBySide(int clientHeight, int rangeBarHeight, int pulseBarHeight);
