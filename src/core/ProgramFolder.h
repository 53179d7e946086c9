#pragma once
// The program folder: where brisel.dat, quantorix.ini, quantorix.lna, filter.dat,
// debug.txt and the "Calls/", "Reports/" and "Import/" folders live. It is the
// executable's folder unless QUANTORIX_HOME or the option --home DIR names another.

#include <filesystem>
#include <string>

namespace programfolder {

inline constexpr const char* kIniName = "quantorix.ini";
inline constexpr const char* kBaseLanguageName = "quantorix.lna";
inline constexpr const char* kSettingsName = "brisel.dat";
inline constexpr const char* kFiltersName = "filter.dat";
inline constexpr const char* kDebugLogName = "debug.txt";

// `homeOption` is the --home value ("" when not given). Precedence: the option,
// then QUANTORIX_HOME, then the folder of the running executable.
std::filesystem::path resolve(const std::string& homeOption = {});

// The folder of the running executable.
std::filesystem::path executableFolder();

} // namespace programfolder
