#pragma once
// The main window's commands, each registered once: its id (or a range of
// ids), the login level it needs, when it is enabled, what it does, whether it
// shows a check mark, its accelerator and its toolbar icon. Menus, toolbar,
// accelerators and the context menu are wired from it; a command without an
// action (its window does not exist yet) is never enabled.

#include "app/ToolIcons.h"
#include "settings/LoginRule.h"

#include <QKeyCombination>

#include <functional>
#include <vector>

struct CommandEntry
{
    int id = 0;
    int count = 1;                                 // ids id .. id + count - 1 (saved filters, languages)
    int level = login::kOperator;                  // the highest login level that may run it
    std::function<bool(int id)> enabled{};         // none: enabled whenever the level permits
    std::function<void(int id)> run{};             // none: not available yet
    std::function<bool(int id)> checked{};         // none: not a check item
    QKeyCombination keys{};                        // none: no accelerator
    ToolIcon icon{nullptr, QStyle::SP_CustomBase}; // the toolbar button's icon
};

class CommandTable
{
public:
    void add(CommandEntry entry) { m_entries.push_back(std::move(entry)); }
    // The entry the id belongs to, or none.
    const CommandEntry* find(int id) const;
    // Enabled: registered with an action, the login level permits it and its rule holds.
    bool enabled(int id, int loginLevel) const;
    bool checkable(int id) const;
    bool checked(int id) const;
    // Runs an enabled command; false when it was not run.
    bool run(int id, int loginLevel) const;
    const std::vector<CommandEntry>& entries() const { return m_entries; }

private:
    std::vector<CommandEntry> m_entries;
};
