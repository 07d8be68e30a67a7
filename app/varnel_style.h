#pragma once

#include <QIcon>
#include <QProxyStyle>

// The platform's style, with two savings that leave every picture as the style draws it:
// - the picture of a tool bar's overflow button is read once: the style reads it from its image files
//   for every tool bar as the bar is made, and the window has a dozen of them. It is read only when an
//   overflow button is first shown;
// - over the Fusion style, the lines along a horizontal main-window tool bar are filled as one-pixel
//   rectangles, the pixels the style's lines cover. Qt's raster engine hands a line longer than about
//   a hundred pixels to its thread pool in pieces and waits for them; the window's tool bars have
//   some forty such lines, a millisecond or more of its first frame.
class CVarnelStyle : public QProxyStyle {
public:
    // Takes `base` over (null: the style the platform would choose).
    explicit CVarnelStyle(QStyle* base = nullptr);

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;

private:
    bool overFusion = false;
    mutable QIcon horizontal[2];   // by layout direction: left to right, right to left
    mutable QIcon vertical[2];
};
