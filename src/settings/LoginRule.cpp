#include "settings/LoginRule.h"

#include "settings/SettingsHeader.h"

bool login::required(const SettingsHeader& header) { return header.loginRequired != 0; }

std::optional<int> login::levelFor(const SettingsHeader& header, std::string_view typed)
{
    const bool exists[4] = {true, header.supervisorEnabled != 0, header.managerEnabled != 0,
                            header.operatorEnabled != 0};
    for (int level = 0; level < 4; ++level)
        if (exists[level] && header.passwords[static_cast<std::size_t>(level)].view() == typed)
            return level;
    return std::nullopt;
}
