#include "document/command_table.h"

void CCommandTable::add(int id, Run run, State state, bool checkable)
{
    entries[id] = Entry{std::move(run), std::move(state), checkable};
}

bool CCommandTable::contains(int id) const { return entries.count(id) != 0; }

bool CCommandTable::isCheckable(int id) const
{
    auto it = entries.find(id);
    return it != entries.end() && it->second.checkable;
}

bool CCommandTable::run(int id)
{
    auto it = entries.find(id);
    if (it == entries.end() || !state(id).enabled || !it->second.run)
        return false;
    // Copy: the handler may replace its own entry while it runs.
    Run handler = it->second.run;
    handler();
    stateChanged();
    return true;
}

void CCommandTable::stateChanged() const
{
    if (changeListener)
        changeListener();
}

CommandState CCommandTable::state(int id) const
{
    auto it = entries.find(id);
    if (it == entries.end())
        return {false, false};
    return it->second.state ? it->second.state() : CommandState{};
}

std::vector<int> CCommandTable::ids() const
{
    std::vector<int> out;
    out.reserve(entries.size());
    for (const auto& [id, entry] : entries)
        out.push_back(id);
    return out;
}
