#pragma once
// The login rule of the four levels (0 Administrator, 1 Supervisor,
// 2 Manager, 3 Operator): a typed password opens the first level, in that
// order, whose password it equals byte for byte and which exists (the
// Administrator always; the others only while enabled). A command of command
// level n is permitted at login level n or lower.

#include <optional>
#include <string_view>

struct SettingsHeader;

namespace login {

inline constexpr int kAdministrator = 0;
inline constexpr int kSupervisor = 1;
inline constexpr int kManager = 2;
inline constexpr int kOperator = 3;

// Whether the settings ask for a password at all.
bool required(const SettingsHeader& header);
// The level the password opens, or none.
std::optional<int> levelFor(const SettingsHeader& header, std::string_view typed);
inline bool permits(int loginLevel, int commandLevel) { return loginLevel <= commandLevel; }

} // namespace login
