#pragma once

#include "widgets/button_spin.h"

#include <QLineEdit>
#include <QPointer>

#include <array>

// The numeric spin edit of the panels: the value with a fixed number of decimals and its unit, between
// four step buttons (to the minimum, one step down, one step up, to the maximum). The buttons are
// siblings of the edit in its parent and follow it when it moves to another parent; the spin owns them.
// The value changes by typing a number and Enter, the keypad plus and minus, the wheel and the buttons.
// Typed text stays on screen until Enter or Escape, whatever the program sets meanwhile.
// valueEdited reaches the owner once for each such user action and never for Configure or SetValue, so
// a panel can put document values into its spins without feeding them back.
class CHSpin : public QLineEdit {
    Q_OBJECT
public:
    explicit CHSpin(QWidget* parent = nullptr);
    ~CHSpin() override;

    // Stores all six as given (the value is not clamped) and shows the value; never emits valueEdited.
    void configure(double minimum, double maximum, double current, double stepSize, int decimals,
                   const QString& unitText);
    // The value clamped to the limits; emits valueEdited only while a user action is being applied.
    void setValue(double v);
    double getValue() const { return value; }
    // The edit and its buttons together; buttons at a limit stay disabled.
    void enableControls(bool on);
    void showControls(bool show);
    // Lays the buttons and the edit out in the parent's rectangle from (left, top) to (right, bottom),
    // right and bottom exclusive: buttons (width - 5) / 4 wide but at most 14, the edit between them.
    void placeControls(int left, int top, int right, int bottom);
    void placeControls(const QRect& area);
    // Tooltip and accessible name of the edit; the buttons take the text as their description.
    void setToolTipText(const QString& text);

    CButtonSpin* button(SpinAction action) const;
    bool isTyping() const { return typing; }
    // Commits digits typed without Enter, as Enter would (a dialog's OK button takes the value so).
    void commitTyping();
    // The value as shown when nothing is being typed: "%.*f", then a space and the unit if there is one.
    QString valueText() const;

signals:
    void valueEdited(double value);
    // Enter, typed number or not; queued, so a handler may destroy an in-place editor.
    void enterPressed();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void userSetValue(double v);
    void commitTyped();
    void cancelTyping();
    void typeCharacters(const QString& text);
    void showText();
    void updateButtons();

    std::array<QPointer<CButtonSpin>, 4> buttons;
    bool userChange = false;
    QString typedText;
    double value = 0;
    double minValue = 0;
    double maxValue = 0;
    int precision = 0;
    double step = 0;
    QString unit;
    bool typing = false;
};
