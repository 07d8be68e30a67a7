#include "document/command_ids.h"
#include "document/command_table.h"
#include "document/settings.h"
#include "document/text_codec.h"
#include "document/varnel_doc.h"
#include "widgets/h_spin.h"
#include "widgets/report_ctrl.h"
#include "panels/forms/form_ku.h"
#include "panels/forms/form_params.h"
#include "panels/forms/form_set.h"
#include "panels/forms/table_ku.h"
#include "support/scripted_panel_host.h"
#include "support/temp_dir.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QToolBar>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>

void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {

// Every update another view hears.
struct RecordingView : CDocView {
    explicit RecordingView(CVarnelDoc& d) : doc(d) { doc.addView(this); }
    ~RecordingView() override { doc.removeView(this); }
    void onDocumentUpdate(CDocView*, UpdateHint hint) override { hints.push_back(hint); }
    CVarnelDoc& doc;
    std::vector<int> hints;
};

void typeInto(QWidget* w, const char* keys)
{
    QTest::keyClicks(w, keys);
    QTest::keyClick(w, Qt::Key_Return);
    QApplication::processEvents();
}

// ------------------------------------------------------------------------------------------------
// The cursor row

struct CursorRowRig {
    CVarnelDoc doc;
    RecordingView others{doc};
    CFormSet row{doc};
    CursorRowRig()
    {
        row.resize(900, CFormSet::kHeight);
        row.show();
    }
};

TEST(CFormSet, TypedAndSteppedCursorsLandOnASampleAndRedrawEveryView)
{
    struct Case { const char* what; double scale; const char* keys; int wheel; double cursor1; const char* shown;
                  const char* distance; };
    const Case cases[] = {
        {"typed 12.34 at 62.5 m", 62.5, "12.34", 0, 12.375, "12.38 м", "7.38 м"},
        {"beyond the window: clamped to its end", 62.5, "99", 0, 62.5, "62.50 м", "57.50 м"},
        {"one wheel notch: one sample", 1000, nullptr, 120, 10 + 2, "12.00 м", "7.00 м"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CursorRowRig r;
        r.doc.scale = c.scale;
        r.doc.cursor1 = 10;
        r.doc.cursor2 = 5;
        r.doc.updateAllViews(nullptr, kHintAcqParams);
        r.others.hints.clear();
        CHSpin& spin = r.row.cursor1Spin();
        if (c.keys) {
            typeInto(&spin, c.keys);
        } else {
            QWheelEvent e(QPointF(5, 5), spin.mapToGlobal(QPointF(5, 5)), {}, {0, c.wheel}, Qt::NoButton, {},
                          Qt::NoScrollPhase, false);
            QApplication::sendEvent(&spin, &e);
        }
        EXPECT_DOUBLE_EQ(r.doc.cursor1, c.cursor1);
        EXPECT_EQ(r.others.hints, std::vector<int>{kHintRedraw});
        EXPECT_EQ(spin.text(), QString::fromUtf8(c.shown));
        EXPECT_EQ(r.row.distanceEdit().text(), QString::fromUtf8(c.distance));
    }
}

TEST(CFormSet, LiveDataLeavesATypedNumberAloneOtherUpdatesRefresh)
{
    CursorRowRig r;
    CHSpin& spin = r.row.cursor2Spin();
    QTest::keyClicks(&spin, "4.5");
    r.doc.cursor2 = 20;
    r.doc.updateAllViews(nullptr, kHintNewSamples);
    EXPECT_EQ(spin.text(), QStringLiteral("4.5"));
    EXPECT_EQ(r.row.distanceEdit().text(), QStringLiteral("0.00 м"));
    r.doc.updateAllViews(nullptr, kHintRedraw);
    EXPECT_EQ(r.row.distanceEdit().text(), QStringLiteral("20.00 м"));
    EXPECT_EQ(spin.getValue(), 20);
}

TEST(CFormSet, TheMagnifierListFollowsTheRangeAndItsChoiceRestartsWithHint2)
{
    CursorRowRig r;
    QComboBox& zoom = r.row.zoomList();
    EXPECT_EQ(zoom.count(), 1);
    r.doc.selectRange(10);   // 64 km
    r.doc.updateAllViews(nullptr, kHintAcqParams);
    ASSERT_EQ(zoom.count(), 5);
    EXPECT_EQ(zoom.itemText(4), QStringLiteral("16"));

    r.doc.cursor1 = 30000;
    r.others.hints.clear();
    zoom.setFocus();
    QTest::keyClick(&zoom, Qt::Key_Down);   // "2", from the keyboard
    EXPECT_EQ(r.doc.zoom, 1);
    EXPECT_TRUE(r.doc.zoomed);
    EXPECT_EQ(r.doc.zoomCenter, 30000);
    EXPECT_EQ(r.others.hints, std::vector<int>{kHintAcqParams});
    // The window is now 14..46 km: the spins span it.
    r.row.cursor1Spin().button(SpinAction::ToMinimum)->click();
    EXPECT_DOUBLE_EQ(r.doc.cursor1, 14000);
}

// ------------------------------------------------------------------------------------------------
// The channel parameters

struct ParamsRig {
    CVarnelDoc doc;
    RecordingView others{doc};
    CFormParams params{doc};
    ParamsRig()
    {
        params.resize(186, 195);
        params.show();
    }
};

TEST(CFormParams, EditsReachTheDocumentWithHint0)
{
    struct Case { const char* what; std::function<void(ParamsRig&)> act; std::function<bool(const CVarnelDoc&)> check;
                  const char* speedText; };
    const Case cases[] = {
        {"KU keeps every typed decimal", [](ParamsRig& r) { typeInto(&r.params.speedSpin(), "1.4567"); },
         [](const CVarnelDoc& d) { return d.vfactor == 1.4567; }, "1.457"},
        {"KU typed above 3 is clamped", [](ParamsRig& r) { typeInto(&r.params.speedSpin(), "7"); },
         [](const CVarnelDoc& d) { return d.vfactor == 3; }, "3.000"},
        {"V/2 100 is KU 1.5",
         [](ParamsRig& r) {
             r.doc.speedMode = true;
             r.doc.vfactor = 2;
             r.doc.updateAllViews(nullptr, kHintSpeedMode);
             r.others.hints.clear();
             typeInto(&r.params.speedSpin(), "100");
         },
         [](const CVarnelDoc& d) { return d.vfactor == 1.5; }, "100.0"},
        {"gain", [](ParamsRig& r) { typeInto(&r.params.gainSpin(), "300"); },
         [](const CVarnelDoc& d) { return d.gain == 255; }, "1.500"},
        {"offset wheel notch",
         [](ParamsRig& r) {
             QWheelEvent e(QPointF(5, 5), QPointF(), {}, {0, -120}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
             QApplication::sendEvent(&r.params.offsetSpin(L1), &e);
         },
         [](const CVarnelDoc& d) { return d.traces[L1].yOffset == -1; }, "1.500"},
        {"averaging from the keyboard",
         [](ParamsRig& r) {
             r.params.averageList().setFocus();
             QTest::keyClick(&r.params.averageList(), Qt::Key_End);
         },
         [](const CVarnelDoc& d) { return d.average == 7; }, "1.500"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ParamsRig r;
        c.act(r);
        EXPECT_TRUE(c.check(r.doc));
        EXPECT_EQ(r.others.hints, std::vector<int>{kHintRedraw});
        EXPECT_EQ(r.params.speedSpin().text(), QString::fromUtf8(c.speedText));
    }
}

TEST(CFormParams, RowsFollowTheShownTracesAndTheBaseMovesWithHint4)
{
    ParamsRig r;
    r.doc.traces[L1].yOffset = 250;   // shown clamped, not written back
    r.doc.traces[P1].yOffset = -15;
    r.doc.traces[P1].shown = true;
    r.doc.updateAllViews(nullptr, kHintLines);
    EXPECT_EQ(r.params.offsetSpin(L1).text(), QStringLiteral("200"));
    EXPECT_EQ(r.doc.traces[L1].yOffset, 250);
    EXPECT_EQ(r.params.offsetSpin(P1).text(), QStringLiteral("-15"));
    EXPECT_EQ(r.params.offsetSpin(L2).text(), QStringLiteral("-"));
    EXPECT_FALSE(r.params.offsetSpin(L2).isEnabled());
    EXPECT_FALSE(r.params.baseButton(L2).isEnabled());
    EXPECT_TRUE(r.params.baseButton(L1).isChecked());

    // Clicking a base tells the others with hint 4, not the panel itself.
    r.others.hints.clear();
    QTest::mouseClick(&r.params.baseButton(P1), Qt::LeftButton);
    EXPECT_EQ(r.doc.selectedTrace, P1);
    EXPECT_EQ(r.others.hints, std::vector<int>{kHintLines});

    struct Step { int trace; int base; std::vector<int> hints; };
    const Step steps[] = {
        {P1, L1, {kHintLines, kHintLines}},   // the switch, then the panel moving the base
        {L1, -1, {kHintLines, kHintLines}},   // nothing shown
    };
    for (const Step& s : steps) {
        r.others.hints.clear();
        r.doc.traces[s.trace].shown = false;
        r.doc.updateAllViews(nullptr, kHintLines);
        EXPECT_EQ(r.doc.selectedTrace, s.base);
        EXPECT_EQ(r.others.hints, s.hints);
        for (int i = 0; i < kTraceCount; ++i)
            EXPECT_EQ(r.params.baseButton(i).isChecked(), i == s.base);
    }
    r.doc.traces[P1].shown = true;
    r.doc.updateAllViews(nullptr, kHintLines);
    EXPECT_EQ(r.params.offsetSpin(P1).text(), QStringLiteral("-15"));   // back with its offset
    EXPECT_EQ(r.doc.selectedTrace, P1);
}

TEST(CFormParams, SpeedModeRelabelsAndGridModeLocksTheKu)
{
    ParamsRig r;
    EXPECT_EQ(r.params.speedLabel().text(), QStringLiteral("К.У."));
    r.doc.speedMode = true;
    r.doc.updateAllViews(nullptr, kHintSpeedMode);
    EXPECT_EQ(r.params.speedLabel().text(), QStringLiteral("V/2"));
    EXPECT_EQ(r.params.speedSpin().text(), QStringLiteral("100.0"));
    for (bool grid : {true, false}) {
        r.doc.gridMode = grid;
        r.doc.updateAllViews(nullptr, kHintRedraw);
        EXPECT_EQ(r.params.speedSpin().isEnabled(), !grid);
        EXPECT_EQ(r.params.speedSpin().button(SpinAction::StepUp)->isEnabled(), !grid);
    }
}

// ------------------------------------------------------------------------------------------------
// The KU table

struct KuRig {
    TempDir dir;
    std::string path = dir.file("tables/cable.tku");
    CVarnelDoc doc;
    CCommandTable commands;
    CSettings settings;
    RecordingView others{doc};
    CScriptedPanelHost host;
    std::unique_ptr<CFormKU> panel;

    explicit KuRig(const std::string& text, bool speed = false)
    {
        std::filesystem::create_directory(dir.file("tables"));
        if (!text.empty())
            writeText(path, codec::utf8ToUtf16le(text));
        doc.speedMode = speed;
        settings.setString("OPEN_KU", path);
        panel = std::make_unique<CFormKU>(doc, commands, settings, host, dir.path().string() + "/");
        panel->resize(186, 195);
        panel->show();
    }
    CReportCtrl& list() { return panel->tableList(); }
    QStringList rows()
    {
        QStringList out;
        for (int i = 0; i < list().getItemCount(); ++i)
            out << list().getCell(i, 0) + "=" + list().getCell(i, 1);
        return out;
    }
    std::string file() { return codec::utf16leToUtf8(readText(path)); }
};

TEST(CFormKU, ApplyAddAndDeleteThroughTheirCommands)
{
    KuRig r("ТПП\n1.5\nd\n2.345\nx\n1.2\n", true);
    EXPECT_EQ(r.list().getColumnTitle(0), QStringLiteral("Название V/2"));
    EXPECT_EQ(r.rows(), QStringList({"ТПП=100.0", "d=64.0", "x=125.0"}));
    EXPECT_FALSE(r.commands.state(cmd::kUseKu).enabled);
    EXPECT_TRUE(r.commands.state(cmd::kAddKu).enabled);

    // "Установить" in V/2 mode: 100.0 is KU 1.5; Enter in the list does the same.
    r.doc.vfactor = 2;
    r.list().setRowSelected(0, true);
    EXPECT_TRUE(r.commands.state(cmd::kUseKu).enabled);
    EXPECT_TRUE(r.commands.run(cmd::kUseKu));
    EXPECT_DOUBLE_EQ(r.doc.vfactor, 1.5);
    EXPECT_EQ(r.others.hints, std::vector<int>{kHintRedraw});
    r.list().setRowSelected(0, false);
    r.list().setCurrentIndex(r.list().model()->index(2, 0));
    r.list().setFocus();
    QTest::keyClick(&r.list(), Qt::Key_Return);
    EXPECT_DOUBLE_EQ(r.doc.vfactor, 1.2);

    // Add with the dialog: 98.7 m/us is written as KU 1.520, the other rows as they were.
    r.host.dialog = [](QDialog& modal) {
        auto* dialog = qobject_cast<CTableKU*>(&modal);
        dialog->nameEdit().setText(QStringLiteral("Кабель"));
        QTest::keyClicks(&dialog->valueSpin(), "98.7");
        QTest::keyClick(&dialog->valueSpin(), Qt::Key_Return);
        return dialog->result() == QDialog::Accepted;
    };
    r.commands.run(cmd::kAddKu);
    EXPECT_EQ(r.host.titles, std::vector<QString>{QStringLiteral("Добавить значение в таблицу")});
    EXPECT_EQ(r.file(), "ТПП\n1.5\nd\n2.345\nx\n1.2\nКабель\n1.520\n");

    // Delete two selected rows after the question; the file is rewritten once.
    r.list().clearSelection();
    r.list().setRowSelected(1, true);
    r.list().setRowSelected(3, true);
    r.panel->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(r.panel.get()));
    r.list().setFocus();
    QTest::keyClick(&r.list(), Qt::Key_Delete);
    EXPECT_EQ(r.host.questions, std::vector<QString>{QStringLiteral("Вы хотите удалить из списка выделенные значения?")});
    EXPECT_TRUE(r.host.told.empty());
    EXPECT_EQ(r.rows(), QStringList({"ТПП=100.0", "x=125.0"}));
    EXPECT_EQ(r.file(), "ТПП\n1.5\nx\n1.2\n");
    EXPECT_FALSE(r.commands.state(cmd::kDeleteKu).enabled);

    // Back to KU: the same file in KU.
    r.doc.speedMode = false;
    r.doc.updateAllViews(nullptr, kHintSpeedMode);
    EXPECT_EQ(r.list().getColumnTitle(1), QStringLiteral("КУ"));
    EXPECT_EQ(r.rows(), QStringList({"ТПП=1.5", "x=1.2"}));
}

TEST(CFormKU, MessagesForNoSelectionAndForAFailedWrite)
{
    struct Case { const char* what; int command; bool select; const char* text; const char* table = "a\nabc\n"; };
    const Case cases[] = {
        {"use without a row", cmd::kUseKu, false, "Выберите в списке необходимое значение"},
        {"delete without a row", cmd::kDeleteKu, false, "Выберите в списке необходимое значение"},
        {"a value that is no KU", cmd::kUseKu, true, "Значение «abc» нельзя использовать в расчетах"},
        // Outside the K.У. spin: the spin would show 3.000 (or 1.000) while the distances used the row.
        {"a KU above the spin's range", cmd::kUseKu, true,
         "Значение КУ 5.000 вне допустимых пределов: от 1.000 до 3.000", "a\n5.0\n"},
        {"a KU no one could read", cmd::kUseKu, true, "Значение КУ вне допустимых пределов: от 1.000 до 3.000",
         "a\n1e308\n"},
        {"a KU below it", cmd::kUseKu, true, "Значение КУ 0.000 вне допустимых пределов: от 1.000 до 3.000",
         "a\n1e-308\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        KuRig r(c.table);
        if (c.select)
            r.list().setRowSelected(0, true);
        // Disabled commands are reached through the panel itself, as the frame would not run them.
        if (c.command == cmd::kUseKu)
            r.panel->useSelected();
        else
            r.panel->deleteSelected();
        ASSERT_EQ(r.host.told.size(), 1u);
        EXPECT_EQ(r.host.lastText(), QString::fromUtf8(c.text));
        // A missing row is a hint, a row that cannot be used an error.
        EXPECT_EQ(r.host.told[0].kind, c.select ? CPanelHost::Message::Error : CPanelHost::Message::Information);
        EXPECT_EQ(r.doc.vfactor, 1.5);
        EXPECT_EQ(r.rows().size(), 1);
    }

    // The table's folder vanishes (a network share gone): the add stays in the list and is reported.
    KuRig r("a\n1.5\n");
    std::filesystem::rename(r.dir.file("tables"), r.dir.file("moved"));
    r.host.dialog = [](QDialog& d) {
        d.accept();
        return true;
    };
    r.commands.run(cmd::kAddKu);
    EXPECT_TRUE(r.host.lastText().startsWith(QStringLiteral("Не удалось сохранить таблицу в файл\n")))
        << r.host.lastText().toStdString();
    EXPECT_EQ(r.rows(), QStringList({"a=1.5", "name=1.500"}));   // kept in the list
    EXPECT_EQ(codec::utf16leToUtf8(readText(r.dir.file("moved/cable.tku"))), "a\n1.5\n");
}

TEST(CFormKU, OpensAChosenFileAndPutsItsPathBack)
{
    KuRig r("a\n1.5\n");
    const std::string other = r.dir.file("other.tku");
    writeText(other, codec::utf8ToUtf16le("b\n2.0\n"));
    r.host.file = other;
    r.commands.run(cmd::kOpenKuTable);
    ASSERT_EQ(r.host.fileChoices.size(), 1u);
    const CPanelHost::FileChoice& asked = r.host.fileChoices[0];
    EXPECT_EQ(asked.title, QStringLiteral("Выбрать таблицу скорости распространения сигнала"));
    EXPECT_EQ(asked.filter, QStringLiteral("Таблица КУ (*.tku)"));
    EXPECT_EQ(asked.start, r.path);   // its folder is where the dialog opens
    EXPECT_EQ(asked.mode, CPanelHost::FileChoice::Mode::Open);
    EXPECT_EQ(r.rows(), QStringList({"b=2.0"}));
    r.panel.reset();
    EXPECT_EQ(r.settings.getString("OPEN_KU", ""), other);
}

TEST(CTableKU, StartsWithNameAndTheUnitsMiddleValueAndTakesTypedDigitsWithoutEnter)
{
    struct Case { bool speed; const char* typed; const char* value; };
    for (const Case c : {Case{false, "", "1.500"}, Case{true, "", "100.0"}, Case{false, "1.52", "1.520"},
                         Case{true, "9", "50.0"}}) {
        CTableKU dialog(c.speed);
        EXPECT_EQ(dialog.nameEdit().text(), QStringLiteral("name"));
        QTest::keyClicks(&dialog.valueSpin(), c.typed);
        dialog.accept();   // "Да" clicked
        EXPECT_EQ(dialog.entryValue, QString::fromUtf8(c.value));
    }
}

// ------------------------------------------------------------------------------------------------
// Every control is found by its name

TEST(Panels, EveryControlHasAnAccessibleName)
{
    KuRig ku("");
    CFormSet row(ku.doc);
    CFormParams params(ku.doc);
    CTableKU dialog(false);
    for (QWidget* panel : std::initializer_list<QWidget*>{&row, &params, ku.panel.get(), &dialog}) {
        for (QWidget* w : panel->findChildren<QWidget*>()) {
            const bool control = qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
                                 qobject_cast<QAbstractButton*>(w) || qobject_cast<QAbstractItemView*>(w);
            // The parts of a combo box or a list are named by their owner.
            if (!control || w->parent()->inherits("QComboBox") || w->parent()->inherits("QAbstractItemView") ||
                w->inherits("QToolBarExtension"))
                continue;
            const QString name = w->accessibleName().isEmpty() ? w->property("text").toString() : w->accessibleName();
            EXPECT_FALSE(name.isEmpty()) << panel->metaObject()->className() << " " << w->metaObject()->className();
        }
    }
}

} // namespace
