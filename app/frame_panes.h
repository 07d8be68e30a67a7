#pragma once

#include <QObject>
#include <array>

class CStaticSplitter;
class QWidget;

// The panes of the main window, in the four static splitters of its layout:
//   mainSplitter (rows):    cursor row (24 px) | middleSplitter | library (250 px, 500 with its preview)
//   middleSplitter (cols):  leftSplitter | rightSplitter (186 px)
//   rightSplitter (rows):   channel parameters (195 px) | KU table (195 px)
//   leftSplitter (rows):    overview screen (120 px in two-screen mode) | measurement form (the rest)
// A panel is put into its pane once; a pane without a panel stays hidden.
enum class Pane { CursorRow, Library, ChannelParams, KuTable, Overview, MeasurementForm, Count };

class CFramePanes : public QObject {
    Q_OBJECT
public:
    static constexpr int kCursorRowHeight = 24;
    static constexpr int kRightColumnWidth = 186;
    static constexpr int kRightPanelHeight = 195;
    static constexpr int kOverviewHeight = 120;
    static constexpr int kLibraryHeight = 250;

    explicit CFramePanes(QWidget* parent);

    // The outermost splitter, the main window's central widget.
    QWidget* root() const;
    void setPanel(Pane pane, QWidget* panel);
    QWidget* panel(Pane pane) const;

    // The optional areas; each is shown only when it holds a panel.
    void showOverview(bool shown);
    void showRightColumn(bool shown);
    // The library row is 250 pixels high, twice that with its preview.
    void showLibrary(bool shown, bool withPreview = false);
    bool overviewShown() const;
    bool rightColumnShown() const;
    bool libraryShown() const;

private:
    void showPane(Pane pane, bool shown);

    CStaticSplitter* mainSplitter;
    CStaticSplitter* middleSplitter;
    CStaticSplitter* rightSplitter;
    CStaticSplitter* leftSplitter;
    std::array<QWidget*, static_cast<int>(Pane::Count)> holders{};
    std::array<QWidget*, static_cast<int>(Pane::Count)> panels{};
    std::array<bool, static_cast<int>(Pane::Count)> wanted{};
};
