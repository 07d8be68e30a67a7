#include "document/command_table.h"

#include <gtest/gtest.h>

TEST(CommandTable, RunsOnlyKnownEnabledCommands)
{
    CCommandTable table;
    int runs = 0;
    bool enabled = false;
    table.add(7, [&] { ++runs; }, [&] { return CommandState{enabled, true}; });
    EXPECT_FALSE(table.run(7));
    enabled = true;
    EXPECT_TRUE(table.run(7));
    EXPECT_FALSE(table.run(8));
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(table.state(8).enabled);
    EXPECT_TRUE(table.state(7).checked);
}

TEST(CommandTable, LaterRegistrationReplacesAndMayHappenInsideAHandler)
{
    CCommandTable table;
    int which = 0;
    table.add(1, [&] {
        which = 1;
        table.add(1, [&] { which = 2; });
    });
    table.run(1);
    EXPECT_EQ(which, 1);
    table.run(1);
    EXPECT_EQ(which, 2);
    EXPECT_TRUE(table.state(1).enabled);
}

TEST(CommandTable, ActionsAreNotCheckable)
{
    CCommandTable table;
    table.add(1, [] {});
    table.add(2, [] {}, {}, false);
    EXPECT_TRUE(table.isCheckable(1));
    EXPECT_FALSE(table.isCheckable(2));
    EXPECT_FALSE(table.isCheckable(3));
}
