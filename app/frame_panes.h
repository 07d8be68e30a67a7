#pragma once

#include <QObject>
#include <array>

class CStaticSplitter;
class QWidget;

// The panes of the main window, in the four static splitters of its layout:
//   mainSplitter (rows):    cursor row (24 px) | middleSplitter | library (250 px, 500 with its preview)
//   middleSplitter (cols):  leftSplitter | rightSplitter (186 px)
//   rightSplitter (rows):   channel parameters (195 px) | KU table (the rest)
//   leftSplitter (rows):    overview screen (120 px in two-screen mode) | measurement form (the rest)
// A panel is put into its pane once; a pane without a panel stays hidden. Each splitter lays its panes
// out again whenever its own size changes, so the fixed panes keep their sizes and the rest goes to the
// measurement; no pane's minimum size can make the window larger than the screen, and the library's
// preview never squeezes the measurement screen out of a low window.
enum class Pane { CursorRow, Library, ChannelParams, KuTable, Overview, MeasurementForm, Count };

class CFramePanes : public QObject {
    Q_OBJECT
public:
    static constexpr int kCursorRowHeight = 24;
    static constexpr int kRightColumnWidth = 186;
    static constexpr int kRightPanelHeight = 195;
    static constexpr int kOverviewHeight = 120;
    static constexpr int kLibraryHeight = 250;
    // The library row (with its preview) gives up height rather than leave the measurement less than
    // this or than its panel's minimum size hint.
    static constexpr int kMinMeasurementHeight = 100;

    explicit CFramePanes(QWidget* parent);

    // The outermost splitter, the main window's central widget.
    QWidget* root() const;
    void setPanel(Pane pane, QWidget* panel);
    QWidget* panel(Pane pane) const;
    // The widget that holds a pane's panel in its splitter (its place and size in the window).
    QWidget* area(Pane pane) const;

    // The optional areas; each is shown only when it holds a panel.
    void showAreas(bool overview, bool rightColumn, bool library);
    // The library row is twice as high while the library's preview is on.
    void setLibraryPreview(bool on);
    bool overviewShown() const;
    bool rightColumnShown() const;
    bool libraryShown() const;
    bool libraryPreview() const { return preview; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showPane(Pane pane, bool shown);
    void layOutAll();
    void layOut(CStaticSplitter* splitter);
    int visibleHeight(Pane pane, int wanted, int room) const;

    CStaticSplitter* mainSplitter;
    CStaticSplitter* middleSplitter;
    CStaticSplitter* rightSplitter;
    CStaticSplitter* leftSplitter;
    std::array<QWidget*, static_cast<int>(Pane::Count)> holders{};
    std::array<QWidget*, static_cast<int>(Pane::Count)> panels{};
    std::array<bool, static_cast<int>(Pane::Count)> wanted{};
    bool preview = false;
};
