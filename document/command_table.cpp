#include "document/command_table.h"

CCommandRegistration::CCommandRegistration(std::weak_ptr<CCommandTable*> table, int id, std::uint64_t serial)
    : table(std::move(table)), id(id), serial(serial)
{
}

CCommandRegistration::CCommandRegistration(CCommandRegistration&& other) noexcept
    : table(std::move(other.table)), id(other.id), serial(other.serial)
{
    other.table.reset();
}

CCommandRegistration& CCommandRegistration::operator=(CCommandRegistration&& other) noexcept
{
    if (this != &other) {
        reset();
        table = std::move(other.table);
        id = other.id;
        serial = other.serial;
        other.table.reset();
    }
    return *this;
}

CCommandRegistration::~CCommandRegistration() { reset(); }

void CCommandRegistration::reset()
{
    if (const std::shared_ptr<CCommandTable*> owner = table.lock())
        (*owner)->remove(id, serial);
    table.reset();
}

CCommandTable::CCommandTable() : self(std::make_shared<CCommandTable*>(this)) {}

void CCommandTable::add(int id, Run run, State state, bool checkable)
{
    entries[id] = Entry{std::move(run), std::move(state), checkable, ++lastSerial};
}

CCommandRegistration CCommandTable::addScoped(int id, Run run, State state, bool checkable)
{
    add(id, std::move(run), std::move(state), checkable);
    return CCommandRegistration(self, id, lastSerial);
}

void CCommandTable::remove(int id, std::uint64_t serial)
{
    if (auto it = entries.find(id); it != entries.end() && it->second.serial == serial)
        entries.erase(it);
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
    // Copy: the handler may replace or remove its own entry while it runs.
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
