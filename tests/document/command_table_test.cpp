#include "document/command_table.h"

#include <gtest/gtest.h>

#include <memory>

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

// A scoped handler goes with its registration; a newer handler of the same id stays, and a
// registration that outlives its table does nothing.
TEST(CommandTable, ScopedRegistrationRemovesOnlyItsOwnHandler)
{
    struct Case { const char* what; bool replaced; bool moved; bool tableFirst; bool known; };
    const Case cases[] = {
        {"goes with its registration", false, false, false, false},
        {"a newer handler stays", true, false, false, true},
        {"moved: goes with the new holder", false, true, false, false},
        {"the table went first", false, false, true, false},
    };
    for (const Case& c : cases) {
        auto table = std::make_unique<CCommandTable>();
        int runs = 0;
        {
            CCommandRegistration kept;
            {
                CCommandRegistration r = table->addScoped(5, [&] { ++runs; }, {}, false);
                EXPECT_TRUE(table->run(5)) << c.what;
                if (c.replaced)
                    table->add(5, [&] { runs += 10; });
                if (c.moved)
                    kept = std::move(r);
                if (c.tableFirst)
                    table.reset();
            }
            if (c.moved) {
                EXPECT_TRUE(table->contains(5)) << c.what;
                kept.reset();
            }
        }
        if (c.tableFirst)
            continue;
        EXPECT_EQ(table->contains(5), c.known) << c.what;
        EXPECT_EQ(table->run(5), c.known) << c.what;
        EXPECT_EQ(table->state(5).enabled, c.known) << c.what;
        EXPECT_EQ(runs, c.known ? 11 : 1) << c.what;
    }
}
