#include "files/library/section_grid.h"

#include "display/axis_sections.h"
#include "display/screen_state.h"
#include "document/varnel_doc.h"
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

    r.doc.vfactor = 1.5;
    EXPECT_EQ(r.grid.speedEditorSetup(), (SpinSetup{1.0, 3.0, 1.5, 0.001, 3, ""}));
    r.doc.speedMode = true;
    EXPECT_EQ(r.grid.speedEditorSetup(), (SpinSetup{50, 150, 100, 0.1, 1, ""}));
    r.doc.speedMode = false;

    // The KU of section 2 follows its editor at once, in the file, the document's KU and the grid.
    ASSERT_EQ(r.grid.startEditing(1, CSectionGrid::kSpeedColumn), SectionEditor::Speed);
    ASSERT_TRUE(r.grid.speedValueChanged(2.5));
    EXPECT_EQ(r.data().sections[1].kuThousandths, 2500);
    EXPECT_EQ(r.doc.vfactor, 2.5);
    EXPECT_EQ(r.doc.sections.ku(1), 2.5);
    EXPECT_FALSE(r.grid.speedValueChanged(0).ok());   // no KU: refused, nothing written
    EXPECT_EQ(r.data().sections[1].kuThousandths, 2500);
    r.doc.speedMode = true;
    ASSERT_TRUE(r.grid.finishEditing("100.0"));       // V/2 100 is KU 1.5
    r.doc.speedMode = false;
    EXPECT_EQ(r.data().sections[1].kuThousandths, 1500);
    EXPECT_EQ(r.grid.editor(), SectionEditor::None);

    ASSERT_EQ(r.grid.startEditing(1, CSectionGrid::kNameColumn), SectionEditor::Name);
    ASSERT_TRUE(r.grid.finishEditing("Муфта 2"));
    EXPECT_EQ(r.data().sections[1].name, "Муфта 2");

    // An end typed for section 1 is measured at section 1's own KU, also with the grid off and another
    // KU in the document: 60 m at KU 2.0 is 80 nominal metres.
    ASSERT_TRUE(r.grid.toggleGrid());
    r.doc.vfactor = 1.5;
    ASSERT_EQ(r.grid.startEditing(0, CSectionGrid::kEndColumn), SectionEditor::End);
    ASSERT_TRUE(r.grid.finishEditing("60.00 м"));
    EXPECT_EQ(r.data().sections[0].lengthThousandths, 80000);
    EXPECT_EQ(sectionRowCells(r.grid.rows()[1], false)[2], "60.00");
    ASSERT_EQ(r.grid.startEditing(1, CSectionGrid::kEndColumn), SectionEditor::End);
    EXPECT_FALSE(r.grid.finishEditing("10 м").ok());   // before the section's start: refused
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
