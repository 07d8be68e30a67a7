#include "app/varnel_style.h"

#include "widgets/drawn_later_icon.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QPainter>
#include <QPointer>
#include <QStyleOption>

CVarnelStyle::CVarnelStyle(QStyle* base) : QProxyStyle(base)
{
    overFusion = baseStyle()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0;
}

QIcon CVarnelStyle::standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const
{
    if (icon != SP_ToolBarHorizontalExtensionButton && icon != SP_ToolBarVerticalExtensionButton)
        return QProxyStyle::standardIcon(icon, option, widget);
    // The picture depends only on the direction the style reads from the option or the application.
    const Qt::LayoutDirection direction = option ? option->direction : QGuiApplication::layoutDirection();
    QIcon& cached = (icon == SP_ToolBarHorizontalExtensionButton ? horizontal : vertical)[direction == Qt::RightToLeft];
    if (cached.isNull()) {
        // Read when a bar first shows its overflow button, which most never do.
        QPointer<const CVarnelStyle> style(this);
        cached = drawnLaterIcon([style, icon, direction] {
            if (!style)
                return QIcon();
            QStyleOption read;
            read.direction = direction;
            return style->QProxyStyle::standardIcon(icon, &read, nullptr);
        });
    }
    return cached;
}

namespace {

// What Fusion draws for a horizontal tool bar of a main window at the top or the bottom: its gradient,
// then lines along its edges, light or dark by where the bar lies in its area's rows.
void drawMainWindowToolBar(const QStyleOptionToolBar& bar, QPainter& painter)
{
    const QRect r = bar.rect;
    QLinearGradient gradient(r.topLeft(), r.bottomLeft());
    gradient.setColorAt(0, bar.palette.window().color().lighter(104));
    gradient.setColorAt(1, bar.palette.window().color());
    painter.fillRect(r, gradient);
    const QColor light(255, 255, 255, 90);
    const QColor shadow(0, 0, 0, 60);
    const auto line = [&](int y, const QColor& color) { painter.fillRect(QRect(r.left(), y, r.width(), 1), color); };
    const auto position = bar.positionOfLine;
    const bool top = bar.toolBarArea == Qt::TopToolBarArea;
    if (!top && position == QStyleOptionToolBar::End) {
        line(r.top(), shadow);
        line(r.top() + 1, light);
        line(r.bottom(), shadow);
        return;
    }
    line(r.top(), light);
    const bool doubleBottom = top ? position == QStyleOptionToolBar::End || position == QStyleOptionToolBar::OnlyOne
                                  : position == QStyleOptionToolBar::Beginning || position == QStyleOptionToolBar::OnlyOne;
    if (doubleBottom) {
        line(r.bottom() - 1, shadow);
        line(r.bottom(), light);
    } else {
        line(r.bottom(), shadow);
    }
}

} // namespace

void CVarnelStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                               const QWidget* widget) const
{
    const auto* bar = element == CE_ToolBar ? qstyleoption_cast<const QStyleOptionToolBar*>(option) : nullptr;
    // Cosmetic lines are one device pixel wide at any scale: only at scale 1 are they these rectangles;
    // on a bar lower than 4 pixels Fusion's lines overlap.
    if (bar && overFusion && widget && qobject_cast<const QMainWindow*>(widget->parentWidget()) &&
        (bar->state & State_Horizontal) &&
        (bar->toolBarArea == Qt::TopToolBarArea || bar->toolBarArea == Qt::BottomToolBarArea) && bar->rect.height() >= 4 &&
        painter->device()->devicePixelRatioF() == 1.0 && painter->transform().isIdentity()) {
        drawMainWindowToolBar(*bar, *painter);
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}
