#pragma once

#include <QWidget>

class CHSpin;

// A CHSpin that takes part in a layout: the field is the widget the layout sizes, and the spin's edit
// and four step buttons are laid out inside it whenever it is resized.
class CSpinField : public QWidget {
    Q_OBJECT
public:
    explicit CSpinField(QWidget* parent = nullptr);

    CHSpin& spin() { return *edit; }
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    CHSpin* edit;
};
