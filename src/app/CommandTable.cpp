#include "app/CommandTable.h"

const CommandEntry* CommandTable::find(int id) const
{
    for (const CommandEntry& entry : m_entries)
        if (id >= entry.id && id < entry.id + entry.count)
            return &entry;
    return nullptr;
}

bool CommandTable::enabled(int id, int loginLevel) const
{
    const CommandEntry* entry = find(id);
    return entry && entry->run && login::permits(loginLevel, entry->level) && (!entry->enabled || entry->enabled(id));
}

bool CommandTable::checkable(int id) const
{
    const CommandEntry* entry = find(id);
    return entry && entry->checked;
}

bool CommandTable::checked(int id) const
{
    const CommandEntry* entry = find(id);
    return entry && entry->checked && entry->checked(id);
}

bool CommandTable::run(int id, int loginLevel) const
{
    if (!enabled(id, loginLevel))
        return false;
    find(id)->run(id);
    return true;
}
