#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

struct CommandState {
    bool enabled = true;
    bool checked = false;
};

class CCommandTable;

// A handler's place in the command table for as long as its owner lives: when the registration goes,
// so does the handler, unless the id was registered again since (the newer handler stays). It never
// outlives its table's memory: once the table is gone it does nothing. Move-only; a default one holds
// nothing.
class CCommandRegistration {
public:
    CCommandRegistration() = default;
    CCommandRegistration(CCommandRegistration&& other) noexcept;
    CCommandRegistration& operator=(CCommandRegistration&& other) noexcept;
    CCommandRegistration(const CCommandRegistration&) = delete;
    CCommandRegistration& operator=(const CCommandRegistration&) = delete;
    ~CCommandRegistration();

    // Removes the handler now.
    void reset();

private:
    friend class CCommandTable;
    CCommandRegistration(std::weak_ptr<CCommandTable*> table, int id, std::uint64_t serial);

    std::weak_ptr<CCommandTable*> table;
    int id = 0;
    std::uint64_t serial = 0;
};

// The one table every menu item and toolbar button binds to: for a command id, run it, and ask
// whether it is enabled and checked. A menu and a toolbar showing the same id can never disagree.
class CCommandTable {
public:
    using Run = std::function<void()>;
    using State = std::function<CommandState()>;

    CCommandTable();
    CCommandTable(const CCommandTable&) = delete;
    CCommandTable& operator=(const CCommandTable&) = delete;

    // Registers (or replaces) the handler of `id` for the table's lifetime (the document's own
    // commands); without a state function the command is always enabled. A command that is not
    // `checkable` (an action such as "Старт") never shows a check mark.
    void add(int id, Run run, State state = {}, bool checkable = true);
    // The same for a handler that lives no longer than its owner (a panel, a window's tools): the
    // handler is removed when the returned registration goes, and the command is unknown again
    // (disabled, unchecked). The removal tells no listener: owners go while the window is taken down.
    [[nodiscard]] CCommandRegistration addScoped(int id, Run run, State state = {}, bool checkable = true);
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
    friend class CCommandRegistration;
    void remove(int id, std::uint64_t serial);

    struct Entry {
        Run run;
        State state;
        bool checkable = true;
        std::uint64_t serial = 0;   // which registration put it there
    };
    std::map<int, Entry> entries;
    std::function<void()> changeListener;
    std::uint64_t lastSerial = 0;
    // What registrations hold to reach the table, and to know it is gone.
    std::shared_ptr<CCommandTable*> self;
};
