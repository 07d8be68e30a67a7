#include "app/shared_icon_style.h"

#include <QGuiApplication>
#include <QStyleOption>

QIcon CSharedIconStyle::standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const
{
    if (icon != SP_ToolBarHorizontalExtensionButton && icon != SP_ToolBarVerticalExtensionButton)
        return QProxyStyle::standardIcon(icon, option, widget);
    // The picture depends only on the direction the style reads from the option or the application.
    const Qt::LayoutDirection direction = option ? option->direction : QGuiApplication::layoutDirection();
    QIcon& cached = (icon == SP_ToolBarHorizontalExtensionButton ? horizontal : vertical)[direction == Qt::RightToLeft];
    if (cached.isNull())
        cached = QProxyStyle::standardIcon(icon, option, widget);
    return cached;
}
