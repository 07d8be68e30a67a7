#include "display/main_screen_series.h"
#include "display/render/screen_renderer.h"
#include "display/screen_state.h"
#include "document/varnel_doc.h"
#include "measurement/analysis/forms/calibration_dlg.h"
#include "measurement/analysis/forms/compare_dlg.h"
#include "measurement/analysis/forms/locate_dlg.h"
#include "measurement/analysis/forms/events_dlg.h"
#include "measurement/analysis/forms/watch_dlg.h"
#include "widgets/h_spin.h"
#include "widgets/report_ctrl.h"
#include "widgets/spin_field.h"
#include "support/synthetic_pairs.h"
#include "support/synthetic_reflectogram.h"
#include "support/temp_dir.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

namespace {

// A document with memory P1 shown: a 1 km file with a joint, a wet splice and an open end at 750 m,
// or a line shorted at 250 m that comes back at 500 and 750 m.
void loadMemory(CVarnelDoc& doc, bool shortedWithGhosts = false)
{
    SyntheticScene s;
    s.scaleIndex = 4;
    s.noiseSigma = 1.0;
    s.echoes = {{1600, 20}, {3200, -25}, {6000, 80}};
    if (shortedWithGhosts) {
        s.echoes = {{2000, -60}};
        s.sourceReflection = -0.6;
    }
    const ReflectogramRecord r = renderScene(s);
    Trace& p1 = doc.traces[P1];
    p1.raw = r.samples;
    p1.memScale = r.scale();
    p1.memPulse = r.pulse();
    p1.shown = true;
    doc.traces[L1].shown = false;
    doc.selectRange(4);
}

// Memory `index` holds the reflectogram of `scene`, shown.
void loadScene(CVarnelDoc& doc, int index, const SyntheticScene& scene)
{
    const ReflectogramRecord r = renderScene(scene);
    Trace& t = doc.traces[static_cast<std::size_t>(index)];
    t.raw = r.samples;
    t.memScale = r.scale();
    t.memPulse = r.pulse();
    t.memKU = r.ku();
    t.shown = true;
}

QPushButton* button(QWidget& w, const QString& text)
{
    for (QPushButton* b : w.findChildren<QPushButton*>())
        if (b->text() == text)
            return b;
    return nullptr;
}

} // namespace

TEST(EventsDlg, ListsTheEventsOfAMemoryAndPutsTheCursorOnOne)
{
    CVarnelDoc doc;
    loadMemory(doc);
    CEventsDlg dialog(doc);
    dialog.show();
    CReportCtrl& list = dialog.list();
    ASSERT_EQ(list.getItemCount(), 3);
    EXPECT_EQ(list.getColumnTitle(4), QStringLiteral("Обратные потери"));
    EXPECT_EQ(list.getCell(0, 1), QStringLiteral("200.00 м"));   // sample 1600 x 12.5 cm at KU 1.5
    EXPECT_EQ(list.getCell(1, 2), QStringLiteral("Отрицательное"));
    EXPECT_EQ(list.getCell(2, 2), QStringLiteral("Конец линии"));

    doc.activeCursor = CursorId::Second;
    dialog.placeCursorOn(2);
    EXPECT_NEAR(doc.cursor2, 750.0, 0.3);
    doc.vfactor = 2.0;   // another KU: the distances follow
    doc.updateAllViews(nullptr, kHintRedraw);
    EXPECT_EQ(dialog.list().getCell(0, 1), QStringLiteral("150.00 м"));
}

// Re-reflections stay in the list, named in "Повтор" and dimmed; the line's own events are not.
TEST(EventsDlg, GhostsAreNamedAndDimmed)
{
    CVarnelDoc doc;
    loadMemory(doc, true);
    CEventsDlg dialog(doc);
    dialog.show();
    CReportCtrl& list = dialog.list();
    ASSERT_EQ(list.getItemCount(), 3);
    EXPECT_EQ(list.getColumnTitle(5), QStringLiteral("Повтор"));
    const QString repeats[] = {QString(), QStringLiteral("×2"), QStringLiteral("×3")};
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(list.getCell(row, 5), repeats[row]) << row;
        EXPECT_EQ(dialog.cellColors(row, 1).text.isValid(), row > 0) << row;
    }
}

// While the list is open every event in the window is marked on the main screen: a numbered line in the
// memory's colour (dimmed for a re-reflection) rising from the trace at the pixel column of the event's
// start; a click on it chooses its row; closing the list takes the marks away.
TEST(EventsDlg, MarksTheEventsOnTheMainScreenWhileOpen)
{
    struct Case {
        const char* name;
        bool ghosts;
        int zoom;   // magnified onto the second event
    };
    for (const Case& c : {Case{"whole line", false, 0}, Case{"ghosts dimmed", true, 0}, Case{"magnified", false, 2}}) {
        SCOPED_TRACE(c.name);
        CVarnelDoc doc;
        loadMemory(doc, c.ghosts);
        CEventsDlg dialog(doc);
        dialog.show();
        const std::vector<ReflectionEvent>& events = dialog.report().events;
        ASSERT_EQ(events.size(), 3u);
        doc.zoom = c.zoom;
        doc.zoomCenter = events[1].position;

        CScreenState screen;
        main_screen::configure(screen, doc);
        main_screen::rebuild(screen, doc);
        CScreenRenderer renderer;
        renderer.resize(QSize(1000, 400));
        ASSERT_TRUE(renderer.draw(screen));
        const PixelRect plot = renderer.plotRect(screen, {0, 0, 1000, 400}, false);
        const screen_geometry::DataMapping map(screen, plot);
        const Rgb trace = doc.traces[P1].color;
        const Span win = doc.window();
        int marked = 0;
        for (std::size_t k = 0; k < events.size(); ++k) {
            const double column = (events[k].position - win.left) / (doc.windowWidth() / kWindowSamples);
            const CArrPoints& mark = screen.getSeries(main_screen::kFirstMarkSeries + static_cast<int>(k));
            ASSERT_EQ(mark.visible(), column >= 0 && column < kWindowSamples) << k;
            if (!mark.visible())
                continue;
            ++marked;
            const int x = static_cast<int>(std::lround(column));
            const int foot = mark.points[0].y;
            const QColor want = events[k].multiple > 0 ? QColor(trace.r / 2, trace.g / 2, trace.b / 2)
                                                        : QColor(trace.r, trace.g, trace.b);
            for (int y = foot + 2; y <= foot + main_screen::kMarkHeight / 2; ++y)
                ASSERT_EQ(renderer.image().pixelColor(map.pixelX(x), map.pixelY(y)), want) << k << " at " << y;
            EXPECT_EQ(mark.name, std::to_string(k + 1));

            EXPECT_EQ(main_screen::eventMarkAt(screen, {x + 1, foot + 4}), static_cast<int>(k));
            doc.eventMarks.chosen = static_cast<int>(k);
            doc.updateAllViews(nullptr, kHintEvents);
            EXPECT_TRUE(dialog.list().isRowSelected(static_cast<int>(k)));
        }
        EXPECT_EQ(marked, c.zoom == 0 ? 3 : 1);

        dialog.hide();
        main_screen::rebuild(screen, doc);
        for (int k = 0; k < 3; ++k)
            EXPECT_FALSE(screen.getSeries(main_screen::kFirstMarkSeries + k).visible());
        EXPECT_EQ(main_screen::eventMarkAt(screen, {0, 0}), -1);
    }
}

TEST(CalibrationDlg, KuFromTheCursorOrTheFoundEnd)
{
    struct Case {
        bool fromCursor;
        double cursor1;
        double length;
        bool accepted;
        double ku;
    };
    const Case cases[] = {
        {true, 760, 750, true, 1.52},     // 760 nominal m read as 750 m: KU 1.52
        {false, 0, 750, true, 1.5},       // the end found at 750 nominal m
        {true, 760, 200, false, 0},       // KU 5.7: refused
        {true, 0, 750, false, 0},         // a cursor at 0 gives no reflection
    };
    for (const Case& c : cases) {
        CVarnelDoc doc;
        loadMemory(doc);
        doc.cursor1 = c.cursor1;
        CCalibrationDlg dialog(doc, {});
        dialog.setFromCursor(c.fromCursor);
        dialog.lengthField().spin().setValue(c.length);
        dialog.recompute();
        ASSERT_EQ(dialog.result().has_value(), c.accepted) << c.cursor1 << " " << c.length;
        EXPECT_EQ(button(dialog, QStringLiteral("Установить"))->isEnabled(), c.accepted);
        if (!c.accepted)
            continue;
        EXPECT_NEAR(dialog.result()->ku, c.ku, 0.002);
        dialog.apply();
        EXPECT_NEAR(doc.vfactor, c.ku, 0.002);
    }
}

TEST(WatchDlg, SavesChangesOfTheLiveLineInTheChosenFolder)
{
    TempDir dir;
    CVarnelDoc doc;
    doc.selectRange(4);
    doc.traces[L1].active = true;
    CWatchDlg dialog(doc, dir.file("missing"));
    QString error;
    EXPECT_FALSE(dialog.startWatch(error) || dialog.watching());   // the folder does not exist
    EXPECT_TRUE(error.contains(QStringLiteral("missing"))) << error.toStdString();
    std::filesystem::create_directory(dir.file("watch"));
    dialog.folderEdit().setText(QString::fromStdString(dir.file("watch")));
    int saved = -2;
    QObject::connect(&dialog, &CWatchDlg::changesSaved, [&](int n) { saved = n; });
    ASSERT_TRUE(dialog.startWatch(error));

    auto frame = [&](int bump) {
        doc.traces[L1].samples.fill(0);
        for (int i = 200; i < 210; ++i)
            doc.traces[L1].samples[i] = static_cast<std::uint8_t>(bump);
        doc.updateAllViews(nullptr, kHintNewSamples);
    };
    frame(0);
    frame(40);   // a change of 40 counts over 10 samples
    frame(0);
    frame(40);
    EXPECT_EQ(saved, 2);
    EXPECT_EQ(dialog.current()->changes(), 2);
    EXPECT_TRUE(std::filesystem::exists(dir.file("watch/watch.csv")));
    // The screens get the envelope of every level seen, and lose it when the watch stops.
    ASSERT_EQ(doc.watchEnvelope.line, L1);
    ASSERT_EQ(doc.watchEnvelope.high.size(), 500u);
    EXPECT_EQ(doc.watchEnvelope.high[205], 40);
    EXPECT_EQ(doc.watchEnvelope.low[205], 0);
    dialog.stopWatch();
    EXPECT_EQ(saved, -1);
    EXPECT_EQ(doc.watchEnvelope.line, -1);
    EXPECT_TRUE(doc.watchEnvelope.high.empty());
}

// The two tools that take two reflectograms: the location sets the line's KU and puts the cursor on
// the fault seen from end A; the comparison lists the change, turns on the difference mode against
// the baseline's memory, and refuses a baseline of another range with the reason.
TEST(TwoReflectogramTools, LocateSetsTheKuAndCompareShowsTheDifference)
{
    CVarnelDoc doc;
    doc.traces[L1].shown = false;
    doc.selectRange(4);
    std::mt19937_64 rng(17);
    const TwoEndedScenes pair = twoEndedScenes(rng, 4, 2.0, Gain::Moderate);
    loadScene(doc, P1, pair.fromA);
    loadScene(doc, P2, pair.fromB);
    CLocateDlg locate(doc);
    EXPECT_EQ(locate.endChoice(0).currentText(), QStringLiteral("П1"));
    EXPECT_EQ(locate.endChoice(1).currentText(), QStringLiteral("П2"));
    locate.lengthField().spin().setValue(10);
    locate.recompute();
    EXPECT_FALSE(button(locate, QStringLiteral("Установить КУ"))->isEnabled());
    EXPECT_TRUE(locate.resultText().text().contains(QStringLiteral("выходит за пределы"))) << locate.resultText().text().toStdString();
    locate.lengthField().spin().setValue(std::trunc(pair.length * 100) / 100);
    locate.recompute();
    ASSERT_TRUE(button(locate, QStringLiteral("Установить КУ"))->isEnabled()) << locate.resultText().text().toStdString();
    button(locate, QStringLiteral("Установить КУ"))->click();
    EXPECT_NEAR(doc.vfactor, 2.0, 0.02);
    EXPECT_NEAR(doc.cursorReadouts().distance1, pair.faultFromA, pair.metresPerSample);

    const SyntheticScene base = baselineScene(rng, 4, Gain::Moderate);
    const LaterTake later = laterTake(base, rng, -1.2, 1.06, LineChangeKind::Appeared, 7, 3);
    loadScene(doc, P1, base);
    loadScene(doc, P2, later.scene);
    doc.traces[P3].shown = false;
    CCompareDlg compare(doc);
    compare.show();
    EXPECT_EQ(compare.baselineChoice().currentText(), QStringLiteral("П2"));   // the last memory shown
    compare.baselineChoice().setCurrentIndex(compare.baselineChoice().findText(QStringLiteral("П1")));
    compare.lineChoice().setCurrentIndex(compare.lineChoice().findText(QStringLiteral("П2")));
    ASSERT_TRUE(compare.compare());
    ASSERT_EQ(compare.list().getItemCount(), 1);
    EXPECT_EQ(compare.list().getColumnTitle(2), QStringLiteral("Изменение"));
    EXPECT_EQ(compare.list().getCell(0, 2), QStringLiteral("новое"));
    EXPECT_TRUE(doc.difference);
    EXPECT_EQ(doc.selectedTrace, P1);
    compare.placeCursorOn(0);
    EXPECT_NEAR(doc.cursor1, compare.comparison().changes[0].position, 1e-9);

    SyntheticScene wider = base;
    wider.scaleIndex = 5;
    loadScene(doc, P1, wider);
    EXPECT_FALSE(compare.compare());
    EXPECT_EQ(compare.list().getItemCount(), 0);
}
