#include "widgets/button_spin.h"

#include <QStyleOptionToolButton>
#include <QStylePainter>

namespace {

QString accessibleNameOf(SpinAction action)
{
    switch (action) {
    case SpinAction::ToMinimum: return CButtonSpin::tr("Минимальное значение");
    case SpinAction::StepDown: return CButtonSpin::tr("Уменьшить на шаг");
    case SpinAction::StepUp: return CButtonSpin::tr("Увеличить на шаг");
    case SpinAction::ToMaximum: return CButtonSpin::tr("Максимальное значение");
    }
    return {};
}

} // namespace

CButtonSpin::CButtonSpin(SpinAction action, QWidget* parent) : QToolButton(parent), role(action)
{
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    setAccessibleName(accessibleNameOf(action));
}

void CButtonSpin::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    option.icon = QIcon();
    option.text.clear();
    painter.drawComplexControl(QStyle::CC_ToolButton, option);
    const auto group = isEnabled() ? QPalette::Active : QPalette::Disabled;
    paintSpinIcon(painter, rect(), role, palette().color(group, QPalette::ButtonText));
}
