#include "widgets/spin_field.h"

#include "widgets/h_spin.h"

CSpinField::CSpinField(QWidget* parent) : QWidget(parent), edit(new CHSpin(this))
{
    setFocusProxy(edit);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize CSpinField::sizeHint() const { return {150, edit->sizeHint().height()}; }

void CSpinField::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    edit->placeControls(rect());
}
