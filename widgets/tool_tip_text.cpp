#include "widgets/tool_tip_text.h"

#include <QString>
#include <QWidget>

void setToolTipText(QWidget& control, const QString& text)
{
    control.setToolTip(text);
    control.setAccessibleName(text);
}
