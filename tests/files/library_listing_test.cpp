#include "files/library/background_listing.h"
#include "files/library/memory_slots.h"
#include "files/library/reflectogram_listing.h"

#include "document/varnel_doc.h"
#include "files/grid_file_list.h"
#include "files/section_edit.h"
#include "files/section_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <unistd.h>
#include <utime.h>

namespace {

// A reflectogram file with the given header fields and sample k = k % 251.
void writeReflectogramFile(const std::string& path, int scaleIndex, int pulseIndex, int kuThousandths)
{
    ReflectogramRecord r;
    r.scaleIndex = scaleIndex;
    r.pulseIndex = pulseIndex;
    r.kuThousandths = kuThousandths;
    for (int k = 0; k < kRawSamples; ++k)
        r.samples[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(k % 251);
    writeText(path, encodeReflectogram(r));
}

void touch(const std::string& path, std::time_t when)
{
    utimbuf times{when, when};
    ASSERT_EQ(utime(path.c_str(), &times), 0);
}

std::string two(int v) { return (v < 10 ? "0" : "") + std::to_string(v); }

TEST(ReflectogramListing, EveryFileGetsItsRowInNameOrderWithQuestionMarksWhereUnreadable)
{
    TempDir dir;
    const std::time_t when = 1299326400;   // early March 2011
    const LocalTime t = toLocalTime(when);
    const std::string date = two(t.day) + "." + two(t.month) + "." + std::to_string(t.year);
    const std::string time = two(t.hour) + ":" + two(t.minute) + ":" + two(t.second);

    writeReflectogramFile(dir.file("b.tdr"), 4, 3, 1500);
    writeReflectogramFile(dir.file("a.tdr"), 0, 11, 2009);
    writeText(dir.file("c short.tdr"), std::string(100, '\0'));
    std::string badIndex = encodeReflectogram(ReflectogramRecord{});
    badIndex[4] = 11;   // range index 11 is outside the table
    writeText(dir.file("d.tdr"), badIndex);
    for (const char* name : {"a.tdr", "b.tdr", "c short.tdr", "d.tdr"})
        touch(dir.file(name), when);
    ASSERT_EQ(::symlink("nowhere", dir.file("e.tdr").c_str()), 0);   // a link to nothing: no date either
    // Not listed: other extensions, the case-changed one, a bare ".tdr", a folder.
    writeText(dir.file("f.TDR"), "");
    writeText(dir.file("g.tdr.bak"), "");
    writeText(dir.file(".tdr"), "");
    std::filesystem::create_directory(dir.file("h.tdr"));

    std::vector<ReflectogramEntry> entries;
    ASSERT_TRUE(listReflectograms(dir.path().string(), entries));
    const std::vector<ReflectogramCells> ku = {
        {" ", "a", "62.5", "50000", "2.009", date, time},
        {" ", "b", "1000.0", "100", "1.500", date, time},
        {" ", "c short", "?", "?", "?", date, time},
        {" ", "d", "?", "?", "?", date, time},
        {" ", "e", "?", "?", "?", "?", "?"},
    };
    ASSERT_EQ(entries.size(), ku.size());
    for (std::size_t i = 0; i < ku.size(); ++i) {
        EXPECT_EQ(reflectogramCells(entries[i], false), ku[i]) << i;
    }
    // V/2 = 300 / (2 x KU): 1.5 shows as 100.0; a KU of 0 has no V/2.
    EXPECT_EQ(reflectogramCells(entries[1], true)[4], "100.0");
    writeReflectogramFile(dir.file("a.tdr"), 0, 0, 0);
    ASSERT_TRUE(listReflectograms(dir.path().string() + "/", entries));
    EXPECT_EQ(reflectogramCells(entries[0], false)[4], "0.000");
    EXPECT_EQ(reflectogramCells(entries[0], true)[4], "?");

    EXPECT_FALSE(listReflectograms(dir.file("missing"), entries).ok());
    EXPECT_TRUE(entries.empty());
    std::atomic<bool> cancelled{true};
    EXPECT_FALSE(listReflectograms(dir.path().string(), entries, &cancelled).ok());
    EXPECT_TRUE(entries.empty());
}

TEST(ReflectogramListing, InTheBackgroundTheResultComesOnceAndNeverAfterCancel)
{
    TempDir dir;
    writeReflectogramFile(dir.file("x.tdr"), 2, 2, 1500);

    std::atomic<int> calls{0};
    CBackgroundListing listing;
    std::vector<ReflectogramEntry> entries;
    Status status = Status::success();
    EXPECT_FALSE(listing.take(entries, status));
    listing.start(dir.path().string(), [&calls] { ++calls; });
    ASSERT_TRUE(listing.waitFor(std::chrono::seconds(10)));
    EXPECT_FALSE(listing.running());
    ASSERT_TRUE(listing.take(entries, status));
    EXPECT_TRUE(status.ok());
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name, "x");
    EXPECT_FALSE(listing.take(entries, status));   // taken already
    EXPECT_EQ(calls, 1);

    // A listing replaced by another, or cancelled, delivers nothing once cancel() has returned.
    auto stale = std::make_shared<std::atomic<int>>(0);
    int afterCancel = 0;
    for (int i = 0; i < 20; ++i) {
        listing.start(dir.path().string(), [stale] { ++*stale; });
        listing.cancel();
        afterCancel = *stale;
        EXPECT_FALSE(listing.take(entries, status));
    }
    listing.start(dir.file("missing"), [&calls] { ++calls; });
    ASSERT_TRUE(listing.waitFor(std::chrono::seconds(10)));
    ASSERT_TRUE(listing.take(entries, status));
    EXPECT_FALSE(status.ok());
    EXPECT_EQ(*stale, afterCancel);
    EXPECT_EQ(calls, 2);
}

TEST(MemorySlots, ToggleLoadsOrKeepsTheMemoryAndTheFirstShownMatchMarksTheRow)
{
    TempDir dir;
    const std::string folder = dir.path().string() + "/";
    writeReflectogramFile(dir.file("line.tdr"), 7, 5, 2000);
    writeText(dir.file("broken.tdr"), "short");
    CVarnelDoc doc;

    struct Step {
        int trace;
        std::optional<std::string> name;
        bool ok;
        bool shownAfter;
        const char* nameAfter;
    };
    const Step steps[] = {
        {P1, "line", true, true, "line"},
        {P2, "line", true, true, "line"},      // the same file in two memories
        {P3, std::nullopt, false, false, ""},  // no row selected
        {P3, "broken", false, false, ""},      // listed with "?", never loaded
        {P3, "gone", false, false, ""},
        {P1, "broken", true, false, "line"},   // switching off keeps the data, whatever is selected
    };
    for (const Step& s : steps) {
        EXPECT_EQ(memory_slots::toggle(doc, s.trace, folder, s.name).ok(), s.ok) << s.trace;
        const Trace& m = doc.traces[static_cast<std::size_t>(s.trace)];
        EXPECT_EQ(m.shown, s.shownAfter) << s.trace;
        EXPECT_EQ(m.name, s.nameAfter) << s.trace;
    }
    const Trace& p1 = doc.traces[P1];
    EXPECT_EQ(p1.memScale, 8000);
    EXPECT_EQ(p1.memPulse, 500);
    EXPECT_EQ(p1.memKU, 2.0);
    EXPECT_EQ(p1.raw[300], 300 % 251);

    // P1 is off now: P2 marks the row; with P1 on again P1 wins.
    EXPECT_EQ(memory_slots::markOf(doc, "line"), P2);
    ASSERT_TRUE(memory_slots::toggle(doc, P1, folder, std::string("line")));
    EXPECT_EQ(memory_slots::markOf(doc, "line"), P1);
    EXPECT_EQ(memory_slots::markOf(doc, "other"), -1);
    memory_slots::switchAllOff(doc);
    EXPECT_EQ(memory_slots::markOf(doc, "line"), -1);
    EXPECT_FALSE(memory_slots::toggle(doc, L1, folder, std::string("line")).ok());
}

// Names as the directory gives them: UTF-8 from this system, Windows-1251 from files copied off a
// Windows PC, and bytes that are neither. Each is listed by its bytes, shown as text and opened again.
TEST(FileNames, ListedShownAndOpenedByTheDirectorysBytes)
{
    struct Name {
        std::string bytes;
        std::string shown;
    };
    const std::vector<Name> names = {
        {"Линия 1", "Линия 1"},
        {"\xCB\xE8\xED\xE8\xFF 2", "Линия 2"},      // cp1251
        {"\xFF\x98\x80", "я\xC2\x98Ђ"},            // no UTF-8; 0x98 has no cp1251 character
    };
    TempDir dir;
    const std::string folder = dir.path().string() + "/";
    for (const Name& n : names) {
        writeReflectogramFile(reflectogramPath(folder, n.bytes), 4, 3, 1500);
        ASSERT_TRUE(createSectionFile(sectionFilePath(folder, n.bytes), 1000));
    }
    std::vector<ReflectogramEntry> listed;
    ASSERT_TRUE(listReflectograms(folder, listed));
    std::vector<GridFileEntry> grids;
    ASSERT_TRUE(listSectionFiles(folder, grids));
    ASSERT_EQ(listed.size(), names.size());
    ASSERT_EQ(grids.size(), names.size());
    CVarnelDoc doc;
    for (const Name& n : names) {
        SCOPED_TRACE(n.shown);
        auto e = std::find_if(listed.begin(), listed.end(), [&](const auto& x) { return x.name == n.bytes; });
        ASSERT_NE(e, listed.end());
        ASSERT_TRUE(e->header.has_value());
        EXPECT_EQ(reflectogramCells(*e, false)[1], n.shown);
        auto g = std::find_if(grids.begin(), grids.end(), [&](const auto& x) { return x.name == n.bytes; });
        ASSERT_NE(g, grids.end());
        EXPECT_EQ(gridFileCells(*g)[1], n.shown);
        SectionFileData data;
        EXPECT_TRUE(readSectionFile(sectionFilePath(folder, g->name), data));

        ASSERT_TRUE(memory_slots::toggle(doc, P1, folder, e->name));
        EXPECT_EQ(doc.traces[P1].name, n.shown);
        EXPECT_EQ(memory_slots::markOf(doc, e->name), P1);
        memory_slots::toggle(doc, P1, folder, e->name);
    }
}

} // namespace
