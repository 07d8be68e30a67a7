#include "document/varnel_doc.h"
#include "measurement/analysis/forms/calibration_dlg.h"
#include "measurement/analysis/forms/events_dlg.h"
#include "measurement/analysis/forms/watch_dlg.h"
#include "widgets/h_spin.h"
#include "widgets/report_ctrl.h"
#include "widgets/spin_field.h"
#include "support/synthetic_reflectogram.h"
#include "support/temp_dir.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

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
