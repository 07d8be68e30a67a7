#pragma once

#include <QIcon>
#include <QProxyStyle>

// The platform's style, with the picture of a tool bar's overflow button read once: the style reads
// it from its image files for every tool bar as the bar is made, and the window has a dozen of them.
// It is read only when an overflow button is first shown.
class CSharedIconStyle : public QProxyStyle {
public:
    // Takes `base` over (null: the style the platform would choose).
    explicit CSharedIconStyle(QStyle* base = nullptr) : QProxyStyle(base) {}

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;

private:
    mutable QIcon horizontal[2];   // by layout direction: left to right, right to left
    mutable QIcon vertical[2];
};
