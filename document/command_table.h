#pragma once

#include <functional>
#include <map>
#include <vector>

struct CommandState {
    bool enabled = true;
    bool checked = false;
};

// The one table every menu item and toolbar button binds to: for a command id, run it, and ask
// whether it is enabled and checked. A menu and a toolbar showing the same id can never disagree.
class CCommandTable {
public:
    using Run = std::function<void()>;
    using State = std::function<CommandState()>;

    // Registers (or replaces) the handler of `id`; without a state function the command is always enabled.
    // A command that is not `checkable` (an action such as "Старт") never shows a check mark.
    void add(int id, Run run, State state = {}, bool checkable = true);
    bool contains(int id) const;
    bool isCheckable(int id) const;
    // Runs the command if it is known and enabled; returns whether it ran.
    bool run(int id);
    // An unknown command is disabled and unchecked.
    CommandState state(int id) const;
    std::vector<int> ids() const;

    // Whoever shows check marks and enabling listens here: told after every command that ran and
    // whenever state changed without a document update (the acquisition state, for one). Nothing polls.
    void setChangeListener(std::function<void()> listener) { changeListener = std::move(listener); }
    void stateChanged() const;

private:
    struct Entry {
        Run run;
        State state;
        bool checkable = true;
    };
    std::map<int, Entry> entries;
    std::function<void()> changeListener;
};
