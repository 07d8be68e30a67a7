#pragma once

#include "widgets/spin_icons.h"

#include <QToolButton>

// One of the four flat step buttons beside a spin edit, showing its drawn glyph. It never takes the
// keyboard focus, so a click leaves the number being typed in the edit; its spin does the stepping.
class CButtonSpin : public QToolButton {
    Q_OBJECT
public:
    CButtonSpin(SpinAction action, QWidget* parent = nullptr);

    SpinAction action() const { return role; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    SpinAction role;
};
