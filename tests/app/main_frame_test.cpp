#include "app/about_dlg.h"
#include "app/command_actions.h"
#include "app/lock_indicators.h"
#include "app/main_frame.h"
#include "document/command_ids.h"
#include "document/command_table.h"
#include "document/doc_commands.h"
#include "document/ini_file.h"
#include "document/settings.h"
#include "document/varnel_doc.h"
#include "resources/version.h"
#include "support/temp_dir.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QLabel>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolButton>
#include <QApplication>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QTimer>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

// The document and the frame on a settings store; the end puts their keys back and writes the file once.
struct Program {
    explicit Program(const std::string& ini)
        : settings(ini), docPtr(std::make_unique<CVarnelDoc>(settings)), doc(*docPtr),
          framePtr(std::make_unique<CMainFrame>(doc, table, settings)), frame(*framePtr)
    {
        registerDocumentCommands(table, doc);
        frame.createBars();
    }
    ~Program()
    {
        framePtr.reset();
        docPtr.reset();
        settings.save();
    }
    CSettings settings;
    CCommandTable table;
    std::unique_ptr<CVarnelDoc> docPtr;
    CVarnelDoc& doc;
    std::unique_ptr<CMainFrame> framePtr;
    CMainFrame& frame;
};

QStringList texts(const QToolBar* bar)
{
    QStringList out;
    for (QAction* a : bar->actions())
        out << a->text();
    return out;
}

TEST(MainFrame, CaptionAndBottomToolbars)
{
    TempDir dir;
    Program p(dir.file("param.ini"));
    EXPECT_EQ(p.frame.windowTitle(), QStringLiteral("Рефлектометр импульсный VARNEL"));
    EXPECT_EQ(texts(p.frame.toolBar(148)),
              QStringList({"62,5 м", "125 м", "250 м", "500 м", "1 км", "2 км", "4 км", "8 км", "16 км", "32 км",
                           "64 км"}));
    EXPECT_EQ(texts(p.frame.toolBar(150)),
              QStringList({"10 нс", "20 нс", "50 нс", "100 нс", "200 нс", "500 нс", "1 мкс", "2 мкс", "5 мкс",
                           "10 мкс", "20 мкс", "50 мкс"}));
    QAction* km1 = p.frame.toolBar(148)->actions().at(4);
    EXPECT_EQ(km1->statusTip(), QStringLiteral("Установка диапазона по дальности равным 1 км"));
    EXPECT_EQ(km1->toolTip(), QStringLiteral("Установка диапазона по дальности равным 1 км"));
    EXPECT_EQ(p.frame.toolBarArea(p.frame.toolBar(148)), Qt::BottomToolBarArea);
}

TEST(MainFrame, MenuAndToolbarShareOneActionPerCommand)
{
    TempDir dir;
    Program p(dir.file("param.ini"));
    QAction* fromBar = p.frame.toolBar(148)->actions().at(4);
    QAction* fromTable = p.frame.commandActions().action(cmd::kRangeFirst + 4);
    EXPECT_EQ(fromBar, fromTable);
    fromBar->trigger();
    EXPECT_EQ(p.doc.scale, 1000);
    EXPECT_EQ(p.doc.pulse, 200);
    EXPECT_TRUE(fromBar->isChecked());
    EXPECT_FALSE(p.frame.toolBar(148)->actions().at(0)->isChecked());
    EXPECT_TRUE(p.frame.commandActions().action(cmd::kPulseIds[4])->isChecked());

    // Triggering a checked mode twice leaves the check mark where the document says.
    QAction* capture = p.frame.commandActions().action(cmd::kCapture);
    capture->trigger();
    EXPECT_TRUE(p.doc.capture);
    EXPECT_TRUE(capture->isChecked());
    p.frame.commandActions().action(cmd::kRangeFirst)->trigger();
    EXPECT_FALSE(p.doc.capture);
    EXPECT_FALSE(capture->isChecked());
}

TEST(MainFrame, EnablingFollowsTheDocument)
{
    TempDir dir;
    Program p(dir.file("param.ini"));
    QAction* line2Offset = p.frame.commandActions().action(cmd::kMouseMagnifier + 4);
    EXPECT_FALSE(line2Offset->isEnabled());
    p.frame.commandActions().action(cmd::kLine2)->trigger();
    EXPECT_TRUE(line2Offset->isEnabled());
    EXPECT_EQ(p.frame.commandActions().action(cmd::kLine2)->statusTip(), QStringLiteral("Включение второго канала"));
}

TEST(MainFrame, RestartKeepsRangePulseAndTwoScreen)
{
    TempDir dir;
    const std::string ini = dir.file("param.ini");
    {
        Program p(ini);
        p.frame.commandActions().action(cmd::kRangeFirst + 6)->trigger();
        p.frame.commandActions().action(cmd::kPulseIds[2])->trigger();
        p.frame.commandActions().action(cmd::kTwoScreen)->trigger();
    }
    EXPECT_EQ(readProfileInt(ini, "VARNEL", "TWOSCREEN", 0), 1);
    Program again(ini);
    EXPECT_EQ(again.doc.scale, 4000);
    EXPECT_EQ(again.doc.pulse, 50);
    EXPECT_TRUE(again.frame.twoScreen());
    EXPECT_TRUE(again.frame.commandActions().action(cmd::kRangeFirst + 6)->isChecked());
}

// A stand-in measurement form asking for a minimum height, as the real one does for its screen and table.
class CMinimumPanel : public QWidget {
public:
    int minimum = 0;
    QSize minimumSizeHint() const override { return {0, minimum}; }
};

// A stand-in panel in every pane, and the frame shown at a size.
CMinimumPanel* showWithPanels(CMainFrame& frame, int width, int height)
{
    auto* measurement = new CMinimumPanel;
    for (int i = 0; i < static_cast<int>(Pane::Count); ++i)
        frame.panes().setPanel(static_cast<Pane>(i), i == static_cast<int>(Pane::MeasurementForm) ? measurement
                                                                                                   : new QWidget);
    frame.resize(width, height);
    frame.show();
    QApplication::processEvents();
    return measurement;
}

// A pane's height (or width) in the window; 0 when it is hidden.
int extent(CMainFrame& frame, Pane pane, bool width = false)
{
    const QWidget* area = frame.panes().area(pane);
    return !area->isVisible() ? 0 : width ? area->width() : area->height();
}

TEST(MainFrame, NormalLayoutAt1024x768WithTheOverviewAsStored)
{
    for (const auto& [ini, overview] : {std::pair{"", 0}, {"TWOSCREEN=1\n", 120}, {"TWOSCREEN=0\n", 0}}) {
        SCOPED_TRACE(ini);
        TempDir dir;
        writeText(dir.file("param.ini"), std::string("[VARNEL]\n") + ini);
        Program p(dir.file("param.ini"));
        CMinimumPanel* measurement = showWithPanels(p.frame, 1024, 768);
        const int middle = p.frame.centralWidget()->height() - 24 - 250;
        EXPECT_EQ(extent(p.frame, Pane::CursorRow), 24);
        EXPECT_EQ(extent(p.frame, Pane::Library), 250);
        EXPECT_EQ(extent(p.frame, Pane::ChannelParams, true), 186);
        EXPECT_EQ(extent(p.frame, Pane::ChannelParams), 195);
        EXPECT_EQ(extent(p.frame, Pane::KuTable), middle - 195);
        EXPECT_EQ(extent(p.frame, Pane::Overview), overview);
        EXPECT_EQ(extent(p.frame, Pane::MeasurementForm, true), 1024 - 186);
        EXPECT_EQ(extent(p.frame, Pane::MeasurementForm), middle - overview);
        EXPECT_EQ(p.frame.commandActions().action(cmd::kTwoScreen)->isChecked(), overview > 0);

        // The library's preview doubles its row, but leaves the measurement screen 100 pixels at least.
        p.frame.setLibraryPreview(true);
        const int library = std::min(500, middle + 250 - overview - 100);
        EXPECT_EQ(extent(p.frame, Pane::Library), library);
        EXPECT_EQ(extent(p.frame, Pane::MeasurementForm), middle + 250 - library - overview);

        // A form that needs more (a usable screen over its table) takes it from the library row, never
        // from the overview; the preview's share goes first.
        for (const int minimum : {330, 450, 2000}) {
            measurement->minimum = minimum;
            measurement->updateGeometry();
            QApplication::processEvents();
            const int room = std::max(0, middle + 250 - overview - minimum);
            EXPECT_EQ(extent(p.frame, Pane::Library), std::min(500, room)) << minimum;
            EXPECT_EQ(extent(p.frame, Pane::Overview), overview) << minimum;
            EXPECT_EQ(extent(p.frame, Pane::MeasurementForm), middle + 250 - std::min(500, room) - overview);
        }
    }
}

TEST(MainFrame, ToolbarsInTheirOrderAndThePulseBarBesideTheRangeBarWhenLow)
{
    TempDir dir;
    Program p(dir.file("param.ini"));
    showWithPanels(p.frame, 1024, 768);
    int x = -1;
    for (int id : {180, 142, 144, 169, 182, 173}) {
        EXPECT_EQ(p.frame.toolBar(id)->y(), p.frame.toolBar(180)->y()) << id;
        EXPECT_GT(p.frame.toolBar(id)->x(), x) << id;
        x = p.frame.toolBar(id)->x();
    }
    QToolBar* ranges = p.frame.toolBar(148);
    QToolBar* pulses = p.frame.toolBar(150);
    for (const auto& [height, beside] : {std::pair{ranges->height() + pulses->height() + 39, true}, {700, false}}) {
        p.frame.applyClientSize(1024, height);
        p.frame.layout()->activate();
        EXPECT_EQ(p.frame.bottomBarsSideBySide(), beside) << height;
        EXPECT_EQ(pulses->y() == ranges->y() && pulses->x() > ranges->x(), beside) << height;
        EXPECT_EQ(pulses->y() > ranges->y(), !beside) << height;
    }
}

TEST(MainFrame, AButtonRunsItsCommandWhicheverPanelRegisteredItAndWhen)
{
    TempDir dir;
    Program p(dir.file("param.ini"));
    QAction* print = p.frame.toolBar(173)->actions().at(6);
    ASSERT_EQ(print->text(), QStringLiteral("Печать..."));
    EXPECT_FALSE(print->isEnabled());   // no panel offers printing yet
    int printed = 0;
    p.table.add(cmd::kPrint, [&] { ++printed; }, {}, false);
    p.table.stateChanged();
    EXPECT_TRUE(print->isEnabled());
    print->trigger();
    EXPECT_EQ(printed, 1);
}

TEST(MainFrame, AScreenReadersToggleOrPressRunsTheButtonsCommandAsAClickDoes)
{
    TempDir dir;
    Program p(dir.file("param.ini"));
    // П1 refuses without a memory; it sits on a panel's toolbar made after the frame's bars.
    int memoryRuns = 0;
    p.table.add(cmd::kMemoryP1, [&] { ++memoryRuns; }, [] { return CommandState{true, false}; });
    p.table.stateChanged();
    QToolBar panelBar;
    panelBar.addAction(p.frame.commandActions().action(cmd::kMemoryP1));
    const auto button = [&](QToolBar* bar, int id) {
        return qobject_cast<QToolButton*>(bar->widgetForAction(p.frame.commandActions().action(id)));
    };

    struct Case { const char* what; QToolButton* button; QString action; bool checked; int memoryRuns; };
    const QString toggle = QAccessibleActionInterface::toggleAction();
    const QString press = QAccessibleActionInterface::pressAction();
    const Case cases[] = {
        {"П1 toggled", button(&panelBar, cmd::kMemoryP1), toggle, false, 1},
        {"П1 pressed", button(&panelBar, cmd::kMemoryP1), press, false, 2},
        {"capture toggled on", button(p.frame.toolBar(142), cmd::kCapture), toggle, true, 2},
        {"capture pressed off", button(p.frame.toolBar(142), cmd::kCapture), press, false, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_NE(c.button, nullptr);
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(c.button);
        ASSERT_TRUE(face && face->actionInterface());
        ASSERT_TRUE(face->actionInterface()->actionNames().contains(c.action) || c.action == press);
        face->actionInterface()->doAction(c.action);
        QApplication::processEvents();
        EXPECT_EQ(memoryRuns, c.memoryRuns);
        EXPECT_EQ(c.button->isChecked(), c.checked);
        EXPECT_EQ(c.button->defaultAction()->isChecked(), c.checked);
        EXPECT_EQ(bool(face->state().checked), c.checked);
    }
    EXPECT_FALSE(p.doc.capture);
}

TEST(MainFrame, StatusBarSaysReadyOffACommandAndShowsOnlyKnownLockKeys)
{
    TempDir dir;
    Program p(dir.file("param.ini"));
    QStatusBar* bar = p.frame.statusBar();
    EXPECT_EQ(bar->currentMessage(), QStringLiteral("Готово"));
    QStatusTipEvent over(QStringLiteral("Включение второго канала"));
    QApplication::sendEvent(&p.frame, &over);
    EXPECT_EQ(bar->currentMessage(), QStringLiteral("Включение второго канала"));
    QStatusTipEvent left{QString()};
    QApplication::sendEvent(&p.frame, &left);
    EXPECT_EQ(bar->currentMessage(), QStringLiteral("Готово"));

    // Without a keyboard that tells its lock keys (no X server here) the indicators are hidden.
    auto* caps = bar->findChild<QLabel*>(QStringLiteral("CAP"));
    auto* num = bar->findChild<QLabel*>(QStringLiteral("NUM"));
    auto* scroll = bar->findChild<QLabel*>(QStringLiteral("SCRL"));
    ASSERT_TRUE(caps && num && scroll);
    for (QLabel* l : {caps, num, scroll})
        EXPECT_TRUE(l->isHidden()) << l->text().toStdString();
    bar->findChild<CLockIndicators*>()->show({true, false, std::nullopt});
    EXPECT_TRUE(!caps->isHidden() && caps->isEnabled());
    EXPECT_TRUE(!num->isHidden() && !num->isEnabled());
    EXPECT_TRUE(scroll->isHidden());
    EXPECT_EQ(caps->accessibleName(), QStringLiteral("Caps Lock"));
}

TEST(MainFrame, AboutBoxShowsTheBuildsVersion)
{
    QString version;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<CAboutDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        version = box->findChild<QLineEdit*>(QStringLiteral("version"))->text();
        box->accept();
    });
    TempDir dir;
    Program(dir.file("param.ini")).frame.commandActions().action(cmd::kAbout)->trigger();
    EXPECT_EQ(version, QStringLiteral("v. ") + QString::fromLatin1(kVarnelVersion));
}

} // namespace
