#include "files/widgets/form_memory.h"

#include "app/command_actions.h"
#include "display/widgets/screen_wnd.h"
#include "document/command_ids.h"
#include "document/command_table.h"
#include "document/settings.h"
#include "document/varnel_doc.h"
#include "files/reflectogram_file.h"
#include "files/section_file.h"
#include "widgets/h_spin.h"
#include "widgets/report_ctrl.h"
#include "support/scripted_panel_host.h"
#include "support/temp_dir.h"

#include <QAction>
#include <QBrush>
#include <QHeaderView>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

void writeReflectogramFile(const std::string& path, int scaleIndex, int kuThousandths)
{
    ReflectogramRecord r;
    r.scaleIndex = scaleIndex;
    r.kuThousandths = kuThousandths;
    for (int k = 0; k < kRawSamples; ++k)
        r.samples[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(k % 100);
    writeText(path, encodeReflectogram(r));
}

// Records the updates the panel broadcasts.
struct HintRecorder : CDocView {
    std::vector<UpdateHint> hints;
    void onDocumentUpdate(CDocView*, UpdateHint hint) override { hints.push_back(hint); }
};

// The panel wired as the program wires it, its dialogs answered by the test: 1000 x 250, shown.
class Library : public ::testing::Test {
protected:
    Library()
    {
        std::filesystem::create_directory(dir.file("Save"));
        folder = dir.file("Save") + "/";
        writeReflectogramFile(folder + "short.tdr", 0, 1500);   // 62.5 m
        writeReflectogramFile(folder + "long.tdr", 7, 2000);    // 8000 m
        writeText(folder + "broken.tdr", "not a reflectogram");
        writeText(folder + "line.pie", "[PIECE]\r\nAMOUNT=2\r\nSCALE=2\r\n[SITE1]\r\nLENGTH1=100000\r\nVFACTOR1=2000\r\n"
                                       "[SITE2]\r\nLENGTH2=50000\r\nVFACTOR2=1500\r\n");
        doc.addView(&recorder);
        make();
    }
    ~Library() override
    {
        panel.reset();
        doc.removeView(&recorder);
    }

    void make()
    {
        LibrarySetup setup;
        setup.saveDir = folder;
        setup.action = [this](int id) { return actions.action(id); };
        setup.relayout = [this](bool on) { relayouts.push_back(on); };
        panel = std::make_unique<CFormMemory>(doc, commands, settings, host, std::move(setup));
        panel->resize(1000, 250);
        panel->show();
    }
    CReportCtrl& list() { return panel->reflectogramList(); }
    int rowOf(CReportCtrl& l, const QString& name)
    {
        for (int r = 0; r < l.getItemCount(); ++r)
            if (l.getCell(r, 1) == name)
                return r;
        return -1;
    }
    void select(CReportCtrl& l, const QString& name)
    {
        const int row = rowOf(l, name);
        ASSERT_GE(row, 0) << name.toStdString();
        l.setCurrentIndex(l.model()->index(row, 1));
    }
    QColor markOf(CReportCtrl& l, const QString& name)
    {
        const QVariant brush = l.model()->index(rowOf(l, name), 0).data(Qt::BackgroundRole);
        return brush.isValid() ? brush.value<QBrush>().color() : QColor();
    }
    bool run(int id) { return commands.run(id); }
    QString message(std::size_t i) const { return host.told.at(i).caption + "|" + host.told.at(i).text; }
    // Double-clicks a cell of the section list.
    void doubleClick(int row, int column)
    {
        CReportCtrl& s = panel->sectionList();
        const QPoint at = s.visualRect(s.model()->index(row, column)).center();
        // As the window system delivers it: press, release, then the second press as a double click.
        QTest::mouseClick(s.viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(s.viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(s.viewport(), Qt::LeftButton, {}, at);
    }

    TempDir dir;
    std::string folder;
    CSettings settings;
    CVarnelDoc doc;
    CCommandTable commands;
    CCommandActions actions{commands, nullptr};
    HintRecorder recorder;
    CScriptedPanelHost host;
    std::vector<bool> relayouts;
    std::unique_ptr<CFormMemory> panel;
};

TEST_F(Library, SettingsKeysDefaultToTheSaveFolderAndArePutBack)
{
    EXPECT_EQ(panel->reflectogramFolder, folder);
    EXPECT_EQ(panel->grid.sectionFolder, folder);
    EXPECT_EQ(panel->grid.newGridFile, "");
    panel->reflectogramFolder = "/a/";
    panel->grid.newGridFile = "/b/c.pie";
    panel.reset();
    EXPECT_EQ(settings.getString("OPEN", ""), "/a/");
    EXPECT_EQ(settings.getString("OPEN_PIECE", ""), folder);
    EXPECT_EQ(settings.getString("SAVE_PIECE", "x"), "/b/c.pie");

    settings.setString("OPEN", dir.path().string());   // without its trailing slash
    make();
    EXPECT_EQ(panel->reflectogramFolder, dir.path().string() + "/");
    EXPECT_EQ(panel->grid.newGridFile, "/b/c.pie");
}

TEST_F(Library, ListsPreviewsAndLoadsTheMemories)
{
    ASSERT_EQ(list().getItemCount(), 3);
    EXPECT_EQ(list().getCell(0, 1), QStringLiteral("broken"));
    EXPECT_EQ(list().getCell(0, 2), QStringLiteral("?"));
    EXPECT_EQ(list().getCell(1, 4), QStringLiteral("2.000"));
    EXPECT_FALSE(commands.state(cmd::kMemoryP1).enabled);

    // The preview takes every sample of a 62.5 m file and every 16th of an 8000 m one.
    struct Preview { const char* name; int step; double labelRight; };
    for (const Preview p : {Preview{"short", 1, 62.5}, Preview{"long", 16, 6000}}) {
        select(list(), QString::fromUtf8(p.name));
        const CArrPoints& trace = panel->previewScreen().state().getSeries(2);
        EXPECT_EQ(trace.points[10].y, (10 * p.step) % 100) << p.name;
        EXPECT_EQ(panel->previewScreen().state().xLabelRight, p.labelRight) << p.name;
    }

    // P1 twice: loaded with its mark, then off; the same file in P1 and P2 is marked in P1's colour.
    select(list(), QStringLiteral("short"));
    ASSERT_TRUE(commands.state(cmd::kMemoryP1).enabled);
    ASSERT_TRUE(run(cmd::kMemoryP1));
    EXPECT_TRUE(doc.traces[P1].shown);
    EXPECT_EQ(doc.traces[P1].name, "short");
    EXPECT_EQ(markOf(list(), QStringLiteral("short")), QColor(200, 0, 0));
    EXPECT_EQ(recorder.hints.back(), kHintLines);
    ASSERT_TRUE(run(cmd::kMemoryP2));
    EXPECT_EQ(markOf(list(), QStringLiteral("short")), QColor(200, 0, 0));
    ASSERT_TRUE(run(cmd::kMemoryP1));
    EXPECT_FALSE(doc.traces[P1].shown);
    EXPECT_EQ(markOf(list(), QStringLiteral("short")), QColor(255, 153, 0));
    EXPECT_TRUE(host.told.empty());

    // An unreadable file is never loaded.
    select(list(), QStringLiteral("broken"));
    ASSERT_TRUE(run(cmd::kMemoryP3));
    EXPECT_FALSE(doc.traces[P3].shown);
    ASSERT_EQ(host.told.size(), 1u);
    EXPECT_EQ(message(0), QStringLiteral("Ошибка|Выбранная рефлектограмма не найдена.\n"
                                          "Откройте новую папку с рефлектограммами."));

    // A new folder switches every memory off and tells the screens.
    std::filesystem::create_directory(dir.file("other"));
    writeReflectogramFile(dir.file("other") + "/short.tdr", 1, 1500);
    host.folder = dir.file("other") + "/";
    recorder.hints.clear();
    ASSERT_TRUE(run(cmd::kOpenReflectograms));
    EXPECT_EQ(host.titles.back(), QStringLiteral("Выбрать рефлектограммы"));
    EXPECT_EQ(panel->reflectogramFolder, dir.file("other") + "/");
    EXPECT_FALSE(doc.traces[P2].shown);
    EXPECT_EQ(recorder.hints, std::vector<UpdateHint>{kHintLines});
    EXPECT_EQ(list().getItemCount(), 1);
    host.folder.reset();
    ASSERT_TRUE(run(cmd::kOpenReflectograms));
    EXPECT_EQ(panel->reflectogramFolder, dir.file("other") + "/");
    // A folder without any file can be chosen, for reflectograms and for section files alike.
    std::filesystem::create_directory(dir.file("empty"));
    host.folder = dir.file("empty") + "/";
    ASSERT_TRUE(run(cmd::kOpenReflectograms));
    EXPECT_EQ(panel->reflectogramFolder, host.folder);
    EXPECT_EQ(list().getItemCount(), 0);
    ASSERT_TRUE(run(cmd::kOpenGrids));
    EXPECT_EQ(host.titles.back(), QStringLiteral("Выбрать папку с участками"));
    EXPECT_EQ(panel->grid.sectionFolder, host.folder);
    EXPECT_EQ(panel->gridFileList().getItemCount(), 0);
}

TEST_F(Library, RefillsOnSavesRetitlesForSpeedAndLaysThePreviewOut)
{
    select(list(), QStringLiteral("long"));
    writeReflectogramFile(folder + "new.tdr", 2, 1500);
    doc.updateAllViews(nullptr, kHintSaved);
    ASSERT_EQ(list().getItemCount(), 4);
    EXPECT_EQ(list().getCell(list().getFirstSelected(), 1), QStringLiteral("long"));   // still on it

    doc.toggleSpeedMode();
    EXPECT_EQ(list().getColumnTitle(4), QStringLiteral("V/2"));
    EXPECT_EQ(list().getCell(rowOf(list(), QStringLiteral("new")), 4), QStringLiteral("100.0"));
    EXPECT_EQ(panel->sectionList().getColumnTitle(5), QStringLiteral("V/2 участка"));
    doc.toggleSpeedMode();
    EXPECT_EQ(list().getColumnTitle(4), QStringLiteral("КУ"));

    const int toolbar = panel->memoryToolBar().sizeHint().height();
    EXPECT_EQ(list().geometry(), QRect(0, toolbar, 1000, 250 - toolbar - 23));
    EXPECT_EQ(panel->tabs().geometry(), QRect(0, 227, 1000, 23));
    ASSERT_TRUE(run(cmd::kPreview));
    EXPECT_EQ(relayouts, std::vector<bool>{true});
    EXPECT_TRUE(commands.state(cmd::kPreview).checked);
    panel->resize(1000, 500);
    EXPECT_EQ(panel->previewScreen().geometry(), QRect(0, toolbar, 1000, 250));
    EXPECT_EQ(list().geometry(), QRect(0, toolbar + 250, 1000, 500 - toolbar - 273));
    // Composed again when its drawing changes, not for every reflectogram of a running acquisition.
    const int draws = panel->previewScreen().drawCount();
    EXPECT_GT(draws, 0);
    doc.updateAllViews(nullptr, kHintNewSamples);
    EXPECT_EQ(panel->previewScreen().drawCount(), draws);
    doc.toggleApproximation();
    EXPECT_EQ(panel->previewScreen().drawCount(), draws + 1);
    // With no row selected the preview can still be switched off.
    list().clearSelection();
    EXPECT_TRUE(commands.state(cmd::kPreview).enabled);
}

TEST_F(Library, GridTabSwitchesTheGridAndEditsSectionsInPlace)
{
    panel->tabs().setCurrentIndex(1);
    EXPECT_EQ(panel->currentTab, 1);
    EXPECT_FALSE(list().isVisible());
    ASSERT_TRUE(panel->gridFileList().isVisible());
    EXPECT_FALSE(commands.state(cmd::kUseGrid).enabled);

    select(panel->gridFileList(), QStringLiteral("line"));
    EXPECT_TRUE(doc.sectionsLoaded);
    ASSERT_EQ(panel->sectionList().getItemCount(), 2);
    EXPECT_EQ(panel->sectionList().getCell(1, 3), QStringLiteral("125.00"));
    ASSERT_TRUE(run(cmd::kUseGrid));
    EXPECT_TRUE(doc.gridActive());
    EXPECT_EQ(markOf(panel->gridFileList(), QStringLiteral("line")), QColor(255, 0, 0));
    EXPECT_EQ(recorder.hints.back(), kHintRedraw);

    // A double click on the KU opens its editor over the cell; the lists wait for it.
    doubleClick(0, 5);
    auto* spin = qobject_cast<CHSpin*>(panel->openEditor());
    ASSERT_NE(spin, nullptr);
    EXPECT_FALSE(panel->sectionList().isEnabled());
    EXPECT_FALSE(panel->gridFileList().isEnabled());
    EXPECT_TRUE(commands.state(cmd::kFinishEditing).enabled);
    EXPECT_FALSE(commands.state(cmd::kAddSection).enabled);
    EXPECT_FALSE(commands.state(cmd::kNewGrid).enabled);
    EXPECT_EQ(spin->accessibleName(), QStringLiteral("КУ участка"));
    QTest::keyClicks(spin, QStringLiteral("1.8"));
    QTest::keyClick(spin, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(panel->openEditor(), nullptr);
    EXPECT_TRUE(panel->sectionList().isEnabled());
    EXPECT_EQ(panel->sectionList().getCell(0, 5), QStringLiteral("1.800"));
    EXPECT_EQ(doc.sections.ku(0), 1.8);

    // The name editor, finished by Enter reaching the panel.
    doubleClick(1, 1);
    ASSERT_NE(panel->openEditor(), nullptr);
    static_cast<QLineEdit*>(panel->openEditor())->insert(QStringLiteral("Муфта"));
    QTest::keyClick(panel.get(), Qt::Key_Return);
    EXPECT_EQ(panel->openEditor(), nullptr);
    EXPECT_EQ(panel->sectionList().getCell(1, 1), QStringLiteral("Муфта"));

    // Switching off forgets the active file: no red mark.
    ASSERT_TRUE(run(cmd::kUseGrid));
    EXPECT_FALSE(doc.gridMode);
    EXPECT_FALSE(markOf(panel->gridFileList(), QStringLiteral("line")).isValid());
}

TEST_F(Library, NewFilesSectionsAndFailuresThatAreReported)
{
    panel->selectTab(1);
    host.file = folder + "cable";   // typed without its extension
    doc.scale = 1000;
    ASSERT_TRUE(run(cmd::kNewGrid));
    EXPECT_EQ(host.titles.back(), QStringLiteral("Введите имя сохраняемого файла"));
    EXPECT_EQ(panel->grid.newGridFile, folder + "cable.pie");
    ASSERT_EQ(panel->gridFileList().getItemCount(), 2);
    // The new file is selected, ready for its sections.
    EXPECT_EQ(panel->grid.selectedGridFile, "cable");
    EXPECT_EQ(panel->gridFileList().getCell(0, 3), QStringLiteral("1000.0"));
    ASSERT_TRUE(run(cmd::kAddSection));
    ASSERT_TRUE(run(cmd::kAddSection));   // the file stays selected after the first
    EXPECT_EQ(panel->sectionList().getItemCount(), 2);
    EXPECT_EQ(panel->gridFileList().getCell(0, 2), QStringLiteral("2"));

    panel->sectionList().setCurrentIndex(panel->sectionList().model()->index(0, 0));
    ASSERT_TRUE(run(cmd::kDeleteSection));
    EXPECT_EQ(panel->sectionList().getItemCount(), 1);
    EXPECT_TRUE(host.told.empty());

    // A file that cannot be written is reported, not lost silently.
    std::filesystem::remove_all(folder);
    ASSERT_TRUE(run(cmd::kAddSection));
    ASSERT_EQ(host.told.size(), 1u);
    EXPECT_TRUE(message(0).startsWith(QStringLiteral("Ошибка|Не удалось записать файл участков\n") +
                                       QString::fromStdString(folder + "cable.pie")));
    EXPECT_TRUE(message(0).endsWith(QStringLiteral("\nнет такого файла или папки"))) << message(0).toStdString();
}

TEST_F(Library, EveryControlIsNamedForScreenReaders)
{
    for (QToolBar* bar : {&panel->memoryToolBar(), &panel->gridToolBar(), &panel->sectionToolBar()})
        for (QAction* a : bar->actions()) {
            if (a->isSeparator())
                continue;
            QWidget* button = bar->widgetForAction(a);
            ASSERT_NE(button, nullptr);
            EXPECT_FALSE(button->accessibleName().isEmpty());
            EXPECT_EQ(button->accessibleName(), button->toolTip());
        }
    EXPECT_EQ(panel->memoryToolBar().actions().size(), 7);   // five buttons, two separators
    EXPECT_EQ(panel->tabs().tabText(0), QStringLiteral("Рефлектограммы"));
    EXPECT_EQ(panel->tabs().tabText(1), QStringLiteral("Сетки масштабов с разным КУ"));
    for (CReportCtrl* l : {&list(), &panel->gridFileList(), &panel->sectionList()})
        EXPECT_FALSE(l->accessibleName().isEmpty());
    EXPECT_EQ(panel->sectionList().getColumnTitle(4), QStringLiteral("Длинна участка"));
}

// The second tab is built when first needed, after the rest; screen readers still list the panel's
// parts, and Tab goes through it, as if all were built at once: the lists, the bars' buttons in their
// order, the tabs.
TEST_F(Library, ReadingAndKeyboardOrderAreKeptWhenTheGridTabIsBuiltLate)
{
    const std::vector<QObject*> parts{&list(),                 &panel->gridFileList(), &panel->sectionList(),
                                      &panel->memoryToolBar(), &panel->gridToolBar(), &panel->sectionToolBar(),
                                      &panel->tabs()};
    std::vector<QObject*> listed;
    for (QObject* child : panel->children())
        if (std::find(parts.begin(), parts.end(), child) != parts.end())
            listed.push_back(child);
    EXPECT_EQ(listed, parts);

    std::vector<QWidget*> expected{&list(), &panel->gridFileList(), &panel->sectionList()};
    for (QToolBar* bar : {&panel->memoryToolBar(), &panel->gridToolBar(), &panel->sectionToolBar()})
        for (QAction* a : bar->actions())
            if (!a->isSeparator())
                expected.push_back(bar->widgetForAction(a));
    expected.push_back(&panel->tabs());
    std::vector<QWidget*> order;
    QWidget* w = &list();
    for (int step = 0; step < 500 && order.size() < expected.size(); ++step, w = w->nextInFocusChain())
        if (panel->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus))
            order.push_back(w);
    EXPECT_EQ(order, expected);
}

TEST_F(Library, WindowsNamesPreviewThatFollowsTheFileAndAScrollBarOnlyWhenNeeded)
{
    // A file copied from a Windows PC: listed, previewed and loaded by its cp1251 name.
    const std::string windowsName = "\xCB\xE8\xED\xE8\xFF";   // "Линия"
    writeReflectogramFile(folder + windowsName + ".tdr", 0, 1500);
    writeText(folder + windowsName + ".pie", "[PIECE]\r\nAMOUNT=1\r\n[SITE1]\r\nLENGTH1=1000\r\n");
    doc.updateAllViews(nullptr, kHintSaved);
    select(list(), QStringLiteral("Линия"));
    EXPECT_EQ(panel->previewScreen().state().getSeries(2).points[10].y, 10);
    ASSERT_TRUE(run(cmd::kMemoryP1));
    EXPECT_TRUE(host.told.empty());
    EXPECT_TRUE(doc.traces[P1].shown);
    EXPECT_EQ(doc.traces[P1].name, "Линия");
    EXPECT_EQ(markOf(list(), QStringLiteral("Линия")), QColor(200, 0, 0));
    panel->selectTab(1);
    host.folder = folder;
    ASSERT_TRUE(run(cmd::kOpenGrids));
    select(panel->gridFileList(), QStringLiteral("Линия"));
    EXPECT_TRUE(host.told.empty());
    EXPECT_EQ(panel->sectionList().getItemCount(), 1);
    panel->selectTab(0);

    // Saved over while selected: the row and the preview show the new contents at the next refresh,
    // and at a click on the row; a file that can no longer be read shows no trace beside its "?" row.
    select(list(), QStringLiteral("short"));
    const CArrPoints& trace = panel->previewScreen().state().getSeries(2);
    EXPECT_EQ(panel->previewScreen().state().xLabelRight, 62.5);
    writeReflectogramFile(folder + "short.tdr", 7, 1500);   // now 8000 m
    doc.updateAllViews(nullptr, kHintSaved);
    EXPECT_EQ(list().getCell(list().getFirstSelected(), 2), QStringLiteral("8000.0"));
    EXPECT_EQ(panel->previewScreen().state().xLabelRight, 8000);
    EXPECT_EQ(trace.points[10].y, 160 % 100);
    writeReflectogramFile(folder + "short.tdr", 0, 1500);
    const int row = list().getFirstSelected();
    QTest::mouseClick(list().viewport(), Qt::LeftButton, {}, list().visualRect(list().model()->index(row, 2)).center());
    EXPECT_EQ(panel->previewScreen().state().xLabelRight, 62.5);
    writeText(folder + "short.tdr", "cut short");
    doc.updateAllViews(nullptr, kHintSaved);
    EXPECT_EQ(list().getCell(list().getFirstSelected(), 2), QStringLiteral("?"));
    EXPECT_FALSE(trace.flags & CArrPoints::kVisible);

    // The columns fill the list's width with or without a vertical scroll bar: no horizontal one until
    // a column is widened past the list's edge.
    for (int i = 0; i < 40; ++i)
        writeReflectogramFile(folder + "more" + std::to_string(i) + ".tdr", 0, 1500);
    for (bool many : {false, true}) {
        if (many)
            doc.updateAllViews(nullptr, kHintSaved);
        for (CReportCtrl* l : {&list(), &panel->gridFileList(), &panel->sectionList()}) {
            panel->selectTab(l == &list() ? 0 : 1);
            QCoreApplication::processEvents();
            EXPECT_FALSE(l->horizontalScrollBar()->isVisible()) << l->accessibleName().toStdString() << many;
            EXPECT_LE(l->horizontalHeader()->length(), l->viewport()->width());
        }
    }
    panel->selectTab(0);
    EXPECT_TRUE(list().verticalScrollBar()->isVisible());
    list().setColumnWidth(1, list().getColumnWidth(1) + 600);
    for (int i = 0; i < 3; ++i)   // the view lays itself out on a zero timer
        QCoreApplication::processEvents();
    EXPECT_TRUE(list().horizontalScrollBar()->isVisible());
}

} // namespace
