#include "app/varnel_style.h"

#include <QMainWindow>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>
#include <QToolBar>
#include <gtest/gtest.h>

#include <memory>

namespace {

QImage drawn(QStyle& style, const QStyleOptionToolBar& option, const QWidget& bar, QImage::Format format)
{
    QImage image(option.rect.size() + QSize(4, 4), format);
    image.fill(QColor(30, 60, 90));
    QPainter p(&image);
    style.drawControl(QStyle::CE_ToolBar, &option, &p, &bar);
    return image;
}

// A main window's tool bars look exactly as Fusion draws them, in every place of a row at the top and
// the bottom, on the window's picture formats; other bars are Fusion's own drawing.
TEST(VarnelStyle, MainWindowToolBarsArePaintedAsFusionPaintsThem)
{
    std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    ASSERT_TRUE(fusion);
    CVarnelStyle style(QStyleFactory::create(QStringLiteral("Fusion")));
    QMainWindow window;
    auto* bar = new QToolBar(&window);
    window.addToolBar(bar);
    QToolBar loose;   // not a main window's: Fusion draws nothing of its own

    QPalette dark;
    dark.setColor(QPalette::Window, QColor(40, 40, 48));
    int compared = 0;
    for (const Qt::ToolBarArea area : {Qt::TopToolBarArea, Qt::BottomToolBarArea}) {
        for (const auto position : {QStyleOptionToolBar::Beginning, QStyleOptionToolBar::Middle,
                                    QStyleOptionToolBar::End, QStyleOptionToolBar::OnlyOne}) {
            for (const QRect rect : {QRect(2, 2, 1280, 38), QRect(0, 0, 97, 30), QRect(1, 3, 8, 5)}) {
                for (const QPalette& palette : {QPalette(), dark}) {
                    QStyleOptionToolBar option;
                    option.initFrom(bar);
                    option.rect = rect;
                    option.palette = palette;
                    option.state |= QStyle::State_Horizontal;
                    option.toolBarArea = area;
                    option.positionOfLine = position;
                    for (const QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied}) {
                        SCOPED_TRACE(::testing::Message() << "area " << area << " position " << position << " width "
                                                          << rect.width() << " format " << format);
                        EXPECT_EQ(drawn(style, option, *bar, format), drawn(*fusion, option, *bar, format));
                        EXPECT_EQ(drawn(style, option, loose, format), drawn(*fusion, option, loose, format));
                        ++compared;
                    }
                }
            }
        }
    }
    EXPECT_EQ(compared, 96);
}

} // namespace
