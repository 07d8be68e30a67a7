#include "widgets/edit_text.h"
#include "widgets/h_spin.h"

#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <ostream>

void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {

constexpr SpinAction actions[] = {SpinAction::ToMinimum, SpinAction::StepDown, SpinAction::StepUp,
                                  SpinAction::ToMaximum};
using Enabled = std::array<bool, 4>;   // in the order of `actions`

Enabled enabledButtons(const CHSpin& spin)
{
    Enabled on{};
    for (int i = 0; i < 4; ++i)
        on[i] = spin.button(actions[i])->isEnabled();
    return on;
}

// A shown window with a spin for cursor distances: 0 to 62.5 m in steps of 0.125, two decimals.
struct SpinWindow {
    QWidget window;
    CHSpin* spin = new CHSpin(&window);
    QSignalSpy edits{spin, &CHSpin::valueEdited};
    QSignalSpy enters{spin, &CHSpin::enterPressed};

    explicit SpinWindow(double start)
    {
        spin->configure(0, 62.5, start, 0.125, 2, QStringLiteral("м"));
        spin->placeControls(5, 5, 155, 29);
        window.show();
    }
    void wheel(int delta, QPoint at = {20, 10})
    {
        QWheelEvent event(at, spin->mapToGlobal(at), {}, {0, delta}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(spin, &event);
    }
};

TEST(HSpin, DisplayTextAndButtonsFollowTheValueAndTheLimits)
{
    struct Case { double min, max, value; int decimals; const char* unit; double set; const char* text;
                  Enabled on; };
    const double none = std::nan("");   // Configure only
    const Case cases[] = {
        {0, 62.5, 0, 2, "м", none, "0.00 м", {false, false, true, true}},
        {0, 62.5, 5, 2, "м", -1, "0.00 м", {false, false, true, true}},
        {1, 3, 5, 3, "", none, "5.000", {true, true, true, true}},   // Configure does not clamp
        {1, 3, 1.5, 3, "", 3, "3.000", {true, true, false, false}},
        {50, 150, 100, 1, "", 149.96, "150.0", {true, true, true, true}},   // shown rounded, not at the limit
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CHSpin spin;
        QSignalSpy edits(&spin, &CHSpin::valueEdited);
        spin.configure(c.min, c.max, c.value, 0.5, c.decimals, QString::fromUtf8(c.unit));
        if (!std::isnan(c.set))
            spin.setValue(c.set);
        EXPECT_EQ(spin.text(), QString::fromUtf8(c.text));
        EXPECT_EQ(enabledButtons(spin), c.on);
        EXPECT_EQ(edits.count(), 0);
    }
}

TEST(HSpin, EachUserActionReachesTheOwnerOnce)
{
    // Digits, points and other characters are typed; capitals are keys: B Backspace, D Delete, I Insert,
    // E Enter, X Escape, P Ctrl+V pasting "5", C the keypad's decimal key typing a comma, K and M keypad
    // plus and minus; W, V and F wheel one notch up, one down and eight down in one event, O the wheel
    // outside the edit, S sideways; [ { } ] click the buttons from the left.
    struct Case { double start; const char* keys; const char* text; double value; int edits, enters; };
    const Case cases[] = {
        {10, "12.5E", "12.50 м", 12.5, 1, 1},
        {10, "12BE", "1.00 м", 1, 1, 1},
        {10, "123DI", "1", 10, 0, 0},
        {10, "-1a2+", "12", 10, 0, 0},   // letters and signs are dropped (no minus below a zero minimum)
        {10, "99E", "62.50 м", 62.5, 1, 1},
        {10, "1.2.3E", "1.20 м", 1.2, 1, 1},
        {10, ".E", "10.00 м", 10, 0, 1},
        {10, "1BE", "10.00 м", 10, 0, 1},   // nothing left to commit: the old value stays
        {10, "1C5E", "1.50 м", 1.5, 1, 1},
        {10, "7X", "10.00 м", 10, 0, 0},
        {10, "DBP", "10.00 м", 10, 0, 0},   // the shown value is not edited
        {10, "4P", "4", 10, 0, 0},
        {10, "E", "10.00 м", 10, 0, 1},
        {10, "K", "10.13 м", 10.125, 1, 0},
        {10, "M", "9.88 м", 9.875, 1, 0},
        {10, "W", "10.13 м", 10.125, 1, 0},
        {10, "F", "9.88 м", 9.875, 1, 0},
        {10, "OS", "10.00 м", 10, 0, 0},
        {10, "[", "0.00 м", 0, 1, 0},
        {10, "]", "62.50 м", 62.5, 1, 0},
        {0.1, "{", "0.00 м", 0, 1, 0},
        {62.5, "K", "62.50 м", 62.5, 1, 0},   // at the limit: reported, unchanged
        {62.5, "}]", "62.50 м", 62.5, 0, 0},   // disabled buttons
        {10, "12}3", "3", 10.125, 1, 0},   // a step replaces the typed digits and ends the typing
        {10, "12}3E", "3.00 м", 3, 2, 1},
    };
    const char buttons[] = "[{}]", keys[] = "BDIEXPCKM";
    const Qt::Key codes[] = {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Insert, Qt::Key_Return,
                             Qt::Key_Escape, Qt::Key_V, Qt::Key_Comma, Qt::Key_Plus, Qt::Key_Minus};
    const Qt::KeyboardModifiers modifiers[] = {{}, {}, {}, {}, {}, Qt::ControlModifier, Qt::KeypadModifier,
                                               Qt::KeypadModifier, Qt::KeypadModifier};
    QApplication::clipboard()->setText(QStringLiteral("5"));
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.keys << " from " << c.start);
        SpinWindow w(c.start);
        for (const char* k = c.keys; *k; ++k) {
            const char *button = std::strchr(buttons, *k), *key = std::strchr(keys, *k);
            if (button)
                QTest::mouseClick(w.spin->button(actions[button - buttons]), Qt::LeftButton);
            else if (key)
                QTest::keyClick(w.spin, codes[key - keys], modifiers[key - keys]);
            else if (*k == 'O')
                w.wheel(120, {-3, 10});
            else if (std::strchr("WVFS", *k))
                w.wheel(*k == 'W' ? 120 : *k == 'V' ? -120 : *k == 'F' ? -960 : 0);
            else
                QTest::keyClick(w.spin, *k);
        }
        QApplication::processEvents();
        EXPECT_EQ(w.spin->text(), QString::fromUtf8(c.text));
        EXPECT_DOUBLE_EQ(w.spin->getValue(), c.value);
        ASSERT_EQ(w.edits.count(), c.edits);
        EXPECT_EQ(w.edits.isEmpty() ? c.value : w.edits.last().at(0).toDouble(), c.value);
        EXPECT_EQ(w.enters.count(), c.enters);
    }
}

TEST(HSpin, TypedNumbersAreReadAsPeopleTypeThem)
{
    // Characters are typed on the main keyboard; capitals: E Enter, X Escape, C and P the keypad's decimal
    // key giving a comma or a point, U the program setting the value 5 (a document update), B Backspace.
    struct Case { double min, max; const char* keys; const char* text; double value; int edits; };
    const Case cases[] = {
        {1, 3, "1,52E", "1.520", 1.52, 1},
        {0, 62.5, "12,5E", "12.500", 12.5, 1},
        {0, 62.5, "1C25E", "1.250", 1.25, 1},
        {0, 62.5, "1P25E", "1.250", 1.25, 1},
        {-50, 50, "-20E", "-20.000", -20, 1},
        {-50, 50, "-2,5E", "-2.500", -2.5, 1},
        {-50, 50, "2-0E", "20.000", 20, 1},   // the minus leads or is dropped
        {-50, 50, "-99E", "-50.000", -50, 1},
        {0, 62.5, "-20E", "20.000", 20, 1},   // no minus where the field cannot go below zero
        {1, 3, "E", "1.620", 1.62, 0},   // Enter with nothing typed, or no digit, is Escape
        {1, 3, ",E", "1.620", 1.62, 0},
        {-50, 50, "-E", "1.620", 1.62, 0},
        {-50, 50, "-.E", "1.620", 1.62, 0},
        {0, 1000, "12U", "12", 5, 0},   // a document update leaves the typed text on screen
        {0, 1000, "12U4E", "124.000", 124, 1},   // and Enter commits what was seen
        {0, 1000, "12U4", "124", 5, 0},
        {0, 62.5, "12UX", "5.000", 5, 0},
        {0, 62.5, "1BUE", "5.000", 5, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        QWidget window;
        auto* spin = new CHSpin(&window);
        QSignalSpy edits(spin, &CHSpin::valueEdited);
        spin->configure(c.min, c.max, 1.62, 0.1, 3, QString());
        window.show();
        for (const char* k = c.keys; *k; ++k) {
            switch (*k) {
            case 'E': QTest::keyClick(spin, Qt::Key_Return); break;
            case 'X': QTest::keyClick(spin, Qt::Key_Escape); break;
            case 'B': QTest::keyClick(spin, Qt::Key_Backspace); break;
            case 'C': QTest::keyClick(spin, Qt::Key_Comma, Qt::KeypadModifier); break;
            case 'P': QTest::keyClick(spin, Qt::Key_Period, Qt::KeypadModifier); break;
            case 'U': spin->setValue(5); break;
            default: QTest::keyClick(spin, *k);
            }
        }
        EXPECT_EQ(spin->text(), QString::fromUtf8(c.text));
        EXPECT_DOUBLE_EQ(spin->getValue(), c.value);
        ASSERT_EQ(edits.count(), c.edits);
        if (c.edits) {
            EXPECT_DOUBLE_EQ(edits.last().at(0).toDouble(), c.value);
        }
    }
}

TEST(HSpin, PlaceControlsSizesTheButtonsAtMost14Wide)
{
    // x counted from the rectangle's left
    struct Case { int width, bw; std::array<int, 4> buttonX; int editX, editWidth; };
    const Case cases[] = {
        {40, 8, {0, 9, 22, 32}, 19, 3},
        {60, 13, {0, 14, 32, 47}, 29, 3},
        {61, 14, {0, 15, 31, 47}, 31, 0},
        {150, 14, {0, 15, 120, 136}, 31, 89},
        {4, 0, {0, 1, 2, 4}, 3, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        SpinWindow w(0);
        w.spin->placeControls(QRect(10, 3, c.width, 22));
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(w.spin->button(actions[i])->geometry(), QRect(10 + c.buttonX[i], 3, c.bw, 22));
        EXPECT_EQ(w.spin->geometry(), QRect(10 + c.editX, 3, c.editWidth, 22));
    }
}

TEST(HSpin, ButtonsAreUnfocusableSiblingsThatFollowTheEdit)
{
    SpinWindow w(0);
    QLineEdit next(&w.window);
    next.show();
    w.spin->setToolTipText(QStringLiteral("Расстояние от начала шкалы до курсора К1"));
    EXPECT_EQ(w.spin->accessibleName(), w.spin->toolTip());
    auto buttonsAre = [&](QWidget* parent, bool visible, Enabled on) {
        for (SpinAction a : actions) {
            EXPECT_EQ(w.spin->button(a)->parentWidget(), parent);
            EXPECT_EQ(w.spin->button(a)->isVisible(), visible);
        }
        EXPECT_EQ(enabledButtons(*w.spin), on);
    };
    w.spin->showControls(false);
    buttonsAre(&w.window, false, {false, false, true, true});
    w.spin->showControls(true);
    w.spin->enableControls(false);
    w.spin->setValue(20);   // the program's value does not enable the buttons of a disabled spin
    buttonsAre(&w.window, true, {false, false, false, false});
    w.spin->setValue(0);
    w.spin->enableControls(true);
    buttonsAre(&w.window, true, {false, false, true, true});

    // Tab passes the buttons by; a click leaves the focus in the edit.
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w.window));
    w.spin->setFocus();
    QTest::mouseClick(w.spin->button(SpinAction::StepUp), Qt::LeftButton);
    EXPECT_TRUE(w.spin->hasFocus());
    QTest::keyClick(w.spin, Qt::Key_Tab);
    EXPECT_TRUE(next.hasFocus());

    QWidget other;
    other.show();
    w.spin->setParent(&other);
    w.spin->show();
    buttonsAre(&other, true, {true, true, true, true});

    // Enter is queued, so the owner may close an in-place editor from its handler, buttons and all.
    QPointer<CButtonSpin> button = w.spin->button(SpinAction::ToMinimum);
    QObject::connect(w.spin, &CHSpin::enterPressed, [&] { delete w.spin; });
    QTest::keyClick(w.spin, Qt::Key_Return);
    EXPECT_FALSE(button.isNull());
    QApplication::processEvents();
    EXPECT_TRUE(button.isNull());
}

TEST(EditText, EnterIsReportedAndOtherKeysEdit)
{
    CEditText edit;
    QSignalSpy enters(&edit, &CEditText::enterPressed);
    QTest::keyClicks(&edit, "ab-1");
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QTest::keyClick(&edit, Qt::Key_Return);
    QTest::keyClick(&edit, Qt::Key_Enter, Qt::KeypadModifier);
    QApplication::processEvents();
    EXPECT_EQ(edit.text(), QStringLiteral("ab-"));
    EXPECT_EQ(enters.count(), 2);
}

} // namespace
