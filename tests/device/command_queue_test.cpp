#include "device/command_queue.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using Codes = std::vector<std::uint8_t>;

struct Step {
    std::string what;
    std::function<int(CommandQueue&)> run;   // returns the operation's result, or -1 when it has none
    int result;
    Codes after;
    bool busyAfter;
};

int add(CommandQueue& q, int code) { return q.add(static_cast<std::uint8_t>(code)) ? 1 : 0; }

} // namespace

TEST(CommandQueue, OperationsInSequence)
{
    const std::vector<Step> steps = {
        {"take from empty", [](CommandQueue& q) { return q.takeHead(); }, 0xFF, {}, false},
        {"add to empty", [](CommandQueue& q) { return add(q, 4); }, 1, {4}, false},
        {"add another", [](CommandQueue& q) { return add(q, 1); }, 0, {4, 1}, false},
        {"add present non-head", [](CommandQueue& q) { return add(q, 1); }, 0, {4, 1}, false},
        {"take head", [](CommandQueue& q) { return q.takeHead(); }, 4, {4, 1}, true},
        {"re-add head clears busy", [](CommandQueue& q) { return add(q, 4); }, 0, {4, 1}, false},
        {"remove head when not busy", [](CommandQueue& q) { q.removeHead(); return -1; }, -1, {4, 1}, false},
        {"take head again", [](CommandQueue& q) { return q.takeHead(); }, 4, {4, 1}, true},
        {"remove busy head", [](CommandQueue& q) { q.removeHead(); return -1; }, -1, {1}, false},
        {"take next", [](CommandQueue& q) { return q.takeHead(); }, 1, {1}, true},
        {"remove all", [](CommandQueue& q) { q.removeAll(); return -1; }, -1, {}, false},
        {"remove head of empty", [](CommandQueue& q) { q.removeHead(); return -1; }, -1, {}, false},
        {"add after clear", [](CommandQueue& q) { return add(q, 254); }, 1, {254}, false},
    };
    CommandQueue q;
    for (const Step& s : steps) {
        EXPECT_EQ(s.run(q), s.result) << s.what;
        EXPECT_EQ(q.snapshot(), s.after) << s.what;
        EXPECT_EQ(q.getCount(), static_cast<int>(s.after.size())) << s.what;
        EXPECT_EQ(q.isBusy(), s.busyAfter) << s.what;
    }
}

TEST(CommandQueue, TakeHeadOfEmptyQueueLeavesBusyAsItWas)
{
    CommandQueue q;
    q.add(3);
    q.takeHead();
    q.removeHead();
    EXPECT_FALSE(q.isBusy());
    EXPECT_EQ(q.takeHead(), CommandQueue::kEmpty);
    EXPECT_FALSE(q.isBusy());
}
