#include "files/library/section_grid.h"

#include "display/axis_sections.h"
#include "display/screen_state.h"
#include "document/varnel_doc.h"
#include "files/number_text.h"
#include "measurement/report_readouts.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace {

// The example line: 0-75 m at KU 2.0 (100 nominal metres), then 75-125 m at KU 1.5 (50 nominal metres).
const char* const kTwoSections = "[PIECE]\r\nAMOUNT=2\r\nSCALE=2\r\n[SITE1]\r\nNAME1=Cable\r\nLENGTH1=100000\r\n"
                                 "VFACTOR1=2000\r\n[SITE2]\r\nNAME2=Insert\r\nLENGTH2=50000\r\nVFACTOR2=1500\r\n";

struct Rig {
    TempDir dir;
    CVarnelDoc doc;
    CSectionGrid grid{doc};

    Rig()
    {
        writeText(dir.file("line.pie"), kTwoSections);
        grid.sectionFolder = dir.path().string() + "/";
        doc.scale = 250;
        grid.fillGridFileList();
        const std::string name = "line";
        grid.selectFile(&name);
    }
    std::string file() const { return dir.file("line.pie"); }
    SectionFileData data() const
    {
        SectionFileData d;
        EXPECT_TRUE(readSectionFile(file(), d));
        return d;
    }
};

TEST(SectionGrid, TheGridOfTwoSectionsDrivesEveryDistance)
{
    Rig r;
    ASSERT_TRUE(r.doc.sectionsLoaded);
    ASSERT_EQ(r.grid.rows().size(), 2u);
    EXPECT_EQ(sectionRowCells(r.grid.rows()[1], false),
              (std::array<std::string, 6>{"2", "Insert", "75.00", "125.00", "50.00", "1.500"}));
    EXPECT_FALSE(r.doc.gridActive());

    ASSERT_TRUE(r.grid.toggleGrid());
    EXPECT_EQ(r.grid.activeGridFile, "line");
    ASSERT_TRUE(r.doc.gridActive());

    // The axis of the 250 m window: 200 samples of section 1, the rest at section 2's KU.
    CScreenState screen;
    ASSERT_TRUE(axis_sections::buildWindowAxis(screen, r.doc));
    ASSERT_EQ(screen.axisSections.size(), 2u);
    EXPECT_EQ(screen.axisSections[0], (AxisSection{200, 0.0, 75.0, 75.0}));
    EXPECT_EQ(screen.axisSections[1], (AxisSection{300, 75.0, 225.0, 150.0}));
    EXPECT_DOUBLE_EQ(r.doc.windowEdgesReal().left, 0.0);
    EXPECT_DOUBLE_EQ(r.doc.windowEdgesReal().right, 225.0);

    // The cursor read-outs section by section, and the document's KU as a cursor moves across them.
    struct Case { double cursor; double real; double step; double ku; };
    const Case cases[] = {
        {0, 0, 0.375, 2.0},  {50, 37.5, 0.375, 2.0},  {99.5, 74.625, 0.375, 2.0},
        {100, 75, 0.5, 1.5}, {120, 95, 0.5, 1.5},      {200, 175, 0.5, 1.5},   // beyond the last section
    };
    for (const Case& c : cases) {
        r.doc.cursor1 = c.cursor;
        r.doc.cursor2 = c.cursor;
        const CursorReadouts out = r.doc.cursorReadouts();
        EXPECT_DOUBLE_EQ(out.distance1, c.real) << c.cursor;
        EXPECT_DOUBLE_EQ(out.distance2, c.real) << c.cursor;
        EXPECT_DOUBLE_EQ(out.step1, c.step) << c.cursor;
        EXPECT_DOUBLE_EQ(r.doc.kuAt(c.cursor), c.ku) << c.cursor;
        EXPECT_NEAR(r.doc.toNominal(c.real), c.cursor, 1e-9) << c.cursor;
    }
    r.doc.placeCursor(r.doc.cursor1, 199);
    EXPECT_EQ(r.doc.vfactor, 2.0);
    ASSERT_TRUE(r.doc.stepCursor(r.doc.cursor1, 120));
    EXPECT_EQ(r.doc.cursor1, 100);
    EXPECT_EQ(r.doc.vfactor, 1.5);

    // Selecting another row drops the grid until a file is loaded again; switching off forgets the file.
    r.grid.selectFile(nullptr);
    EXPECT_FALSE(r.doc.gridActive());
    const std::string gone = "gone";
    r.grid.selectFile(&gone);
    EXPECT_FALSE(r.doc.sectionsLoaded);
    EXPECT_EQ(r.grid.rows().size(), 2u);
    ASSERT_TRUE(r.grid.toggleGrid());
    EXPECT_FALSE(r.doc.gridMode);
    EXPECT_TRUE(r.grid.activeGridFile.empty());
    EXPECT_EQ(r.doc.sections.count(), 2);
}

// A section file of (LENGTH, VFACTOR) pairs.
std::string pieOf(const std::vector<std::pair<int, int>>& sections)
{
    std::string text = "[PIECE]\r\nAMOUNT=" + std::to_string(sections.size()) + "\r\n";
    for (std::size_t i = 0; i < sections.size(); ++i) {
        const std::string n = std::to_string(i + 1);
        text += "[SITE" + n + "]\r\nLENGTH" + n + "=" + std::to_string(sections[i].first) + "\r\nVFACTOR" + n +
                "=" + std::to_string(sections[i].second) + "\r\n";
    }
    return text;
}

// One distance per point: the cursor row, the window's edges, the printed report and a section end
// placed with cursor 1 agree, and every step of the K1 spin moves one sample, on each line below.
TEST(SectionGrid, OneDistancePerPointEverywhere)
{
    struct Case {
        const char* what;
        std::vector<std::pair<int, int>> sections;
        double scale;
        bool grid;
        double cursor;      // cursor 1, nominal metres
        double rightEdge;   // real metres
        const char* k1;     // cursor 1 on the cursor row and in the report
        int endRow;         // the section whose end is placed with cursor 1
        int length;         // its LENGTH then
    };
    std::vector<std::pair<int, int>> nine(9, {6000100, 1500});   // boundaries between the 128 m samples
    nine.push_back({20000000, 1500});
    const Case cases[] = {
        {"100 nominal metres at KU 2.0, then KU 1.5", {{100000, 2000}, {50000, 1500}}, 250, true, 175, 225,
         "150.00 м", 1, 75000},
        {"KU 1.0, then 3.0", {{100000, 1000}, {100000, 3000}}, 250, true, 120, 225, "160.00 м", 1, 20000},
        {"nine boundaries between samples at 64 km", nine, 64000, true, 6016, 64000, "6016.00 м", 0, 6016000},
        {"a cursor between samples", {{300000, 2000}}, 500, true, 250.004, 375, "187.50 м", 0, 250004},
        {"grid off: the screen at the document's KU, the end where the cursor is", {{100000, 2000}, {50000, 1500}},
         250, false, 250, 250, "250.00 м", 0, 250000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Rig r;
        writeText(r.file(), pieOf(c.sections));
        r.doc.scale = c.scale;
        const std::string name = "line";
        r.grid.selectFile(&name);
        if (c.grid) {
            ASSERT_TRUE(r.grid.toggleGrid());
        }
        r.doc.cursor1 = c.cursor;
        r.doc.vfactor = r.doc.kuAt(c.cursor);

        EXPECT_NEAR(r.doc.windowEdgesReal().right, c.rightEdge, 1e-9);
        EXPECT_EQ(numtext::fixed(r.doc.cursorReadouts().distance1, 2) + " м", c.k1);   // the cursor row
        EXPECT_EQ(reportReadouts(r.doc, 200, 287)[4].text, std::string("К1               ") + c.k1);

        // Up the whole window one step of the K1 spin at a time, and down again: one sample each,
        // whatever the KU on either side; at the ends the spin's value is its limit (to-limit and the
        // step that way disabled).
        const auto stepK1 = [&r](bool up) {
            const CursorReadouts k1 = r.doc.cursorReadouts();
            const double real = k1.distance1 + (up ? k1.step1 : -k1.step1);
            r.doc.cursor1 = r.doc.cursorFromSpin(r.doc.cursor1, k1.distance1, k1.step1, real);
        };
        const double sample = c.scale / kWindowSamples;
        r.doc.cursor1 = 0;
        for (int i = 1; i <= kWindowSamples; ++i) {
            stepK1(true);
            ASSERT_NEAR(r.doc.cursor1, i * sample, 1e-9) << "up to sample " << i;
        }
        EXPECT_EQ(r.doc.cursorReadouts().distance1, r.doc.windowEdgesReal().right);
        for (int i = kWindowSamples - 1; i >= 0; --i) {
            stepK1(false);
            ASSERT_NEAR(r.doc.cursor1, i * sample, 1e-9) << "down to sample " << i;
        }
        EXPECT_EQ(r.doc.cursorReadouts().distance1, r.doc.windowEdgesReal().left);

        // The end written is where cursor 1 stands, whatever the editor's text.
        r.doc.cursor1 = c.cursor;
        ASSERT_EQ(r.grid.startEditing(c.endRow, CSectionGrid::kEndColumn), SectionEditor::End);
        ASSERT_TRUE(r.grid.finishEditing("0.00 м"));
        EXPECT_EQ(r.data().sections[static_cast<std::size_t>(c.endRow)].lengthThousandths, c.length);
        // The end editor's "to maximum" puts cursor 1 on the range's end, never past it.
        ASSERT_EQ(r.grid.startEditing(c.endRow, CSectionGrid::kEndColumn), SectionEditor::End);
        r.grid.endValueChanged(r.grid.endEditorSetup().maximum);
        EXPECT_EQ(r.doc.cursor1, c.scale);
    }
}

TEST(SectionGrid, InPlaceEditorsWorkOnTheSelectedFile)
{
    Rig r;
    ASSERT_TRUE(r.grid.toggleGrid());
    r.doc.cursor1 = 50;

    struct Open { int column; SectionEditor editor; };
    for (const Open o : {Open{0, SectionEditor::None}, Open{2, SectionEditor::None}, Open{4, SectionEditor::None},
                         Open{1, SectionEditor::Name}, Open{3, SectionEditor::End}, Open{5, SectionEditor::Speed}})
        EXPECT_EQ(r.grid.startEditing(0, o.column), o.editor) << o.column;
    EXPECT_EQ(r.grid.startEditing(7, 3), SectionEditor::None);   // no such row

    // The end editor spans the window in real metres and starts at cursor 1.
    EXPECT_EQ(r.grid.endEditorSetup(), (SpinSetup{0.0, 225.0, 37.5, 0.375, 2, "м"}));
    // Its value moves cursor 1 to the nearest sample of the window (0.5 nominal metres).
    struct Move { double real; double cursor; };
    for (const Move m : {Move{80, 105}, Move{80.2, 105}, Move{80.4, 105.5}, Move{30, 40}}) {
        r.grid.endValueChanged(m.real);
        EXPECT_DOUBLE_EQ(r.doc.cursor1, m.cursor) << m.real;
    }

    // The KU editor opens with the section's own KU, not the document's, and Enter on it writes
    // nothing: V/2 98.7 of KU 1.52 would come back as VFACTOR 1519.
    writeText(r.file(), std::string(kTwoSections).replace(std::string(kTwoSections).find("VFACTOR2=1500"), 13,
                                                          "VFACTOR2=1520"));
    r.grid.fillSectionList();
    r.doc.vfactor = 1.8;
    ASSERT_EQ(r.grid.startEditing(1, CSectionGrid::kSpeedColumn), SectionEditor::Speed);
    EXPECT_EQ(r.grid.speedEditorSetup(), (SpinSetup{1.0, 3.0, 1.52, 0.001, 3, ""}));
    r.doc.speedMode = true;
    EXPECT_EQ(r.grid.speedEditorSetup(), (SpinSetup{50, 150, 150 / 1.52, 0.1, 1, ""}));
    ASSERT_TRUE(r.grid.speedValueChanged(98.7));   // the value on show, typed again
    ASSERT_TRUE(r.grid.finishEditing("98.7"));
    r.doc.speedMode = false;
    EXPECT_EQ(r.data().sections[1].kuThousandths, 1520);
    EXPECT_EQ(r.doc.vfactor, 1.8);

    // The KU of section 2 follows its editor at once, in the file, the document's KU and the grid.
    ASSERT_EQ(r.grid.startEditing(1, CSectionGrid::kSpeedColumn), SectionEditor::Speed);
    ASSERT_TRUE(r.grid.speedValueChanged(2.5));
    EXPECT_EQ(r.data().sections[1].kuThousandths, 2500);
    EXPECT_EQ(r.doc.vfactor, 2.5);
    EXPECT_EQ(r.doc.sections.ku(1), 2.5);
    for (const double refused : {0.0, 3.5, 1e308}) {   // no KU, or outside the K.У. spin: nothing written
        const Status s = r.grid.speedValueChanged(refused);
        EXPECT_NE(s.reason().find("вне допустимых пределов"), std::string::npos) << refused << s.reason();
    }
    EXPECT_EQ(r.data().sections[1].kuThousandths, 2500);
    r.doc.speedMode = true;
    ASSERT_TRUE(r.grid.finishEditing("100.0"));       // V/2 100 is KU 1.5
    r.doc.speedMode = false;
    EXPECT_EQ(r.data().sections[1].kuThousandths, 1500);
    EXPECT_EQ(r.grid.editor(), SectionEditor::None);

    ASSERT_EQ(r.grid.startEditing(1, CSectionGrid::kNameColumn), SectionEditor::Name);
    ASSERT_TRUE(r.grid.finishEditing("Муфта 2"));
    EXPECT_EQ(r.data().sections[1].name, "Муфта 2");

    // The end is where cursor 1 stands, also with the grid off and another KU in the document; the
    // editor shows it on the file's line (nominal 90 at KU 2.0 is 67.50 m), whatever its text.
    ASSERT_TRUE(r.grid.toggleGrid());
    r.doc.vfactor = 1.5;
    r.doc.cursor1 = 90;
    ASSERT_EQ(r.grid.startEditing(0, CSectionGrid::kEndColumn), SectionEditor::End);
    EXPECT_EQ(r.grid.endEditorSetup(), (SpinSetup{0.0, 225.0, 67.5, 0.375, 2, "м"}));
    ASSERT_TRUE(r.grid.finishEditing("90.00 м"));
    EXPECT_EQ(r.data().sections[0].lengthThousandths, 90000);
    // A length typed between two samples (from a cable plan) is kept, measured on the file's line:
    // 60.1 m at KU 2.0 is 80.1333 nominal metres; the cursor shows it on the nearest sample.
    ASSERT_EQ(r.grid.startEditing(0, CSectionGrid::kEndColumn), SectionEditor::End);
    r.grid.endValueChanged(60.1);
    EXPECT_EQ(r.doc.cursor1, 80);
    EXPECT_EQ(r.doc.vfactor, 1.5);   // the grid on the screens is off: its single KU stays
    ASSERT_TRUE(r.grid.finishEditing("60.00 м"));
    EXPECT_EQ(r.data().sections[0].lengthThousandths, 80133);
    EXPECT_EQ(sectionRowCells(r.grid.rows()[1], false)[2], "60.10");
    ASSERT_EQ(r.grid.startEditing(1, CSectionGrid::kEndColumn), SectionEditor::End);
    EXPECT_FALSE(r.grid.finishEditing("10 м").ok());   // cursor 1 before the section's start: refused
    EXPECT_EQ(r.data().sections[1].lengthThousandths, 50000);
}

TEST(SectionGrid, CreateAddAndDeleteKeepFileListAndDocumentInStep)
{
    Rig r;
    ASSERT_TRUE(r.grid.createFile(r.dir.file("new.pie")));
    EXPECT_EQ(r.grid.newGridFile, r.dir.file("new.pie"));
    ASSERT_EQ(r.grid.files().size(), 2u);
    EXPECT_EQ(gridFileCells(r.grid.files()[1])[2], "0");
    EXPECT_EQ(gridFileCells(r.grid.files()[1])[3], "250.0");

    // Adding hands the selected file to the document, the new section included.
    r.doc.vfactor = 1.8;
    ASSERT_TRUE(r.grid.addSection());
    EXPECT_EQ(r.grid.activeGridFile, "line");
    ASSERT_EQ(r.doc.sections.count(), 3);
    EXPECT_EQ(r.doc.sections.ku(2), 1.8);
    EXPECT_EQ(r.doc.sections.length(2), 100);
    EXPECT_EQ(sectionRowCells(r.grid.rows()[2], false),
              (std::array<std::string, 6>{"3", "", "125.00", "125.83", "0.83", "1.800"}));
    EXPECT_EQ(gridFileCells(r.grid.files()[0])[2], "3");

    // The grid is on with this file: deleting section 2 renumbers 3 and updates the document.
    ASSERT_TRUE(r.grid.toggleGrid());
    Status s = Status::success();
    EXPECT_EQ(r.grid.deleteSection(1, s), DeleteOutcome::Deleted);
    ASSERT_EQ(r.grid.rows().size(), 2u);
    EXPECT_EQ(r.grid.rows()[1].number, 2);
    EXPECT_EQ(r.grid.rows()[1].ku, 1.8);
    EXPECT_EQ(r.doc.sections.count(), 2);
    EXPECT_EQ(r.doc.sections.ku(1), 1.8);

    // Changed elsewhere since it was listed: nothing is deleted, the list shows the file again.
    writeText(r.file(), kTwoSections);
    EXPECT_EQ(r.grid.deleteSection(0, s), DeleteOutcome::Refreshed);
    EXPECT_EQ(readText(r.file()), kTwoSections);
    EXPECT_EQ(r.grid.rows()[1].name, "Insert");
    EXPECT_EQ(r.grid.deleteSection(0, s), DeleteOutcome::Deleted);
    EXPECT_EQ(r.data().sections.size(), 1u);
    EXPECT_EQ(r.grid.deleteSection(5, s), DeleteOutcome::Failed);
    EXPECT_FALSE(s.ok());
}

} // namespace
