#include "app/shared_icon_style.h"

#include "widgets/drawn_later_icon.h"

#include <QGuiApplication>
#include <QPointer>
#include <QStyleOption>

QIcon CSharedIconStyle::standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const
{
    if (icon != SP_ToolBarHorizontalExtensionButton && icon != SP_ToolBarVerticalExtensionButton)
        return QProxyStyle::standardIcon(icon, option, widget);
    // The picture depends only on the direction the style reads from the option or the application.
    const Qt::LayoutDirection direction = option ? option->direction : QGuiApplication::layoutDirection();
    QIcon& cached = (icon == SP_ToolBarHorizontalExtensionButton ? horizontal : vertical)[direction == Qt::RightToLeft];
    if (cached.isNull()) {
        // Read when a bar first shows its overflow button, which most never do.
        QPointer<const CSharedIconStyle> style(this);
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
