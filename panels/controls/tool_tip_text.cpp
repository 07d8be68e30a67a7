#include "panels/controls/tool_tip_text.h"

#include <QString>
#include <QWidget>

void SetToolTipText(QWidget& control, const QString& text)
{
    control.setToolTip(text);
    control.setAccessibleName(text);
}
