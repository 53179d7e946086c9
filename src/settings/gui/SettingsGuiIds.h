#pragma once
// The templates of settings.qxr (Security page, "Change password", database
// location), their control ids and help topic.

namespace stres {

inline constexpr int kSecurityPage = 217;
inline constexpr int kSecurityHelp = 8261;
inline constexpr int kPasswordRequired = 6239, kLevelsGroup = 5001, kAdministratorLabel = 6050;
inline constexpr int kLevelBoxFirst = 6051;       // Supervisor, Manager, Operator: 6051-6053
inline constexpr int kChangePasswordFirst = 5120; // per level 0-3: 5120-5123

inline constexpr int kChangePasswordDialog = 206;
inline constexpr int kEnterPassword = 5121, kConfirmPassword = 5122;

inline constexpr int kLocationDialog = 290;
inline constexpr int kUseNetwork = 6601, kNetworkPathLabel = 6602, kBrowse = 6603;

// Adds the templates to the program's resource registry (once).
void registerResources();

} // namespace stres
