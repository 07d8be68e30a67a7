#include "app/frame_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// What the areas show after each step: overview, right column, library, then the three check marks.
std::string areas(const CFrameLayout& l)
{
    std::string s;
    for (FrameArea a : {FrameArea::Overview, FrameArea::RightColumn, FrameArea::Library})
        s += l.shown(a) ? 'O' : '-';
    s += ' ';
    for (FrameArea a : {FrameArea::Overview, FrameArea::RightColumn, FrameArea::Library})
        s += l.checked(a) ? 'v' : '-';
    return s;
}

struct Step {
    char action;   // 'r' resize to w x h, 't' two-screen, 'c' channel settings, 'm' memory
    int w = 0, h = 0;
    const char* expected;
};

void run(CFrameLayout& l, const std::vector<Step>& steps)
{
    int n = 0;
    for (const Step& s : steps) {
        switch (s.action) {
        case 'r': l.resize(s.w, s.h); break;
        case 't': l.toggleTwoScreen(); break;
        case 'c': l.toggleChannelSettings(); break;
        case 'm': l.toggleMemory(); break;
        }
        EXPECT_EQ(areas(l), s.expected) << "step " << n;
        ++n;
    }
}

TEST(FrameLayout, NormalAndCompactRules)
{
    struct Case {
        const char* name;
        int screenW, screenH;
        bool twoScreen;
        std::vector<Step> steps;
    } cases[] = {
        {"normal: each area has its own switch", 1024, 768, false,
         {{'r', 1024, 700, "-OO -vv"}, {'t', 0, 0, "OOO vvv"}, {'c', 0, 0, "O-O v-v"}, {'m', 0, 0, "O-- v--"},
          {'r', 1280, 1000, "O-- v--"}}},
        {"740 wide: all hidden, then one area at a time", 1024, 768, true,
         {{'r', 1024, 700, "OOO vvv"}, {'r', 740, 700, "--- ---"}, {'m', 0, 0, "--O --v"}, {'c', 0, 0, "-O- -v-"},
          {'t', 0, 0, "O-- v--"}, {'r', 745, 560, "O-- v--"}}},
        {"an area hidden again stays hidden at the next size change", 1024, 768, false,
         {{'r', 700, 700, "--- ---"}, {'m', 0, 0, "--O --v"}, {'m', 0, 0, "--- ---"}, {'r', 720, 700, "--- ---"}}},
        {"a low window is compact too; growing keeps what compact left", 1024, 768, false,
         {{'r', 1024, 550, "--- ---"}, {'c', 0, 0, "-O- -v-"}, {'r', 1024, 551, "-O- -v-"}, {'m', 0, 0, "-OO -vv"}}},
        {"a small screen starts compact: the first size does not enter it anew", 800, 600, true,
         {{'t', 0, 0, "--- ---"}, {'t', 0, 0, "O-- v--"}, {'r', 740, 560, "O-- v--"}}},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        CFrameLayout l(c.screenW, c.screenH, c.twoScreen);
        l.layoutReady = true;
        run(l, c.steps);
    }
}

TEST(FrameLayout, PulseBarBesideTheRangeBarOnlyInALowWindow)
{
    struct Case {
        int height;
        bool sideBySide;
    } cases[] = {{99, true}, {100, false}, {60, true}, {700, false}};
    for (const Case& c : cases)
        EXPECT_EQ(bottomBarsSideBySide(c.height, 30, 30), c.sideBySide) << c.height;
}

} // namespace
