// The section grid as the panels show it: a file of two sections switched on in the library's grid
// tab, then the cursor row and the channel parameter panel working on it.
#include "document/varnel_doc.h"
#include "files/library/section_grid.h"
#include "widgets/h_spin.h"
#include "panels/forms/form_params.h"
#include "panels/forms/form_set.h"
#include "support/temp_dir.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The example line: 0-75 m at KU 2.0 (100 nominal metres), then 75-125 m at KU 1.5 (50 nominal metres).
const char* const kTwoSections = "[PIECE]\r\nAMOUNT=2\r\nSCALE=2\r\n[SITE1]\r\nLENGTH1=100000\r\nVFACTOR1=2000\r\n"
                                 "[SITE2]\r\nLENGTH2=50000\r\nVFACTOR2=1500\r\n";

void typeInto(CHSpin& spin, const char* text)
{
    spin.setFocus();
    QTest::keyClicks(&spin, text);
    QTest::keyClick(&spin, Qt::Key_Return);
}

} // namespace

TEST(GridPanels, CursorsReadSectionBySectionAndTakeTheirSectionsKu)
{
    TempDir dir;
    writeText(dir.file("line.pie"), kTwoSections);
    CVarnelDoc doc;
    doc.selectRange(2);   // 250 m
    doc.vfactor = 1.8;
    CFormSet row(doc);
    CFormParams params(doc);
    row.resize(900, CFormSet::kHeight);
    params.resize(186, 195);
    row.show();
    params.show();

    CSectionGrid grid(doc);
    grid.sectionFolder = dir.path().string() + "/";
    grid.fillGridFileList();
    const std::string name = "line";
    grid.selectFile(&name);
    ASSERT_TRUE(grid.toggleGrid());
    doc.updateAllViews(nullptr, kHintRedraw);
    EXPECT_FALSE(params.speedSpin().isEnabled());   // the KU comes from the sections now

    struct Case {
        const char* typed;      // cursor 1 in real metres
        double nominal;         // where it lands (on a window sample)
        double ku;              // the document's KU afterwards: its section's
        const char* shown;
    };
    const Case cases[] = {
        {"50", 66.5, 2.0, "49.88 м"},    // 66.67 nominal, on the sample at 66.5
        {"100", 125.0, 1.5, "100.00 м"}, // 75 m of the first section, then 25 m at KU 1.5
        {"200", 225.0, 1.5, "200.00 м"}, // beyond the last section: its KU
    };
    for (const Case& c : cases) {
        typeInto(row.cursor1Spin(), c.typed);
        EXPECT_NEAR(doc.cursor1, c.nominal, 1e-9) << c.typed;
        EXPECT_DOUBLE_EQ(doc.vfactor, c.ku) << c.typed;
        EXPECT_EQ(row.cursor1Spin().text(), QString::fromUtf8(c.shown)) << c.typed;
    }
    // The report and the channel table keep to the single KU, whatever the grid: the document's now.
    EXPECT_DOUBLE_EQ(doc.cursorReadouts().distance1, 200.0);

    ASSERT_TRUE(grid.toggleGrid());   // off again: the KU spin is back
    doc.updateAllViews(nullptr, kHintRedraw);
    EXPECT_TRUE(params.speedSpin().isEnabled());
}
