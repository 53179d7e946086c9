#pragma once
// The program folder: where brisel.dat, quantorix.ini, quantorix.lna, filter.dat,
// debug.txt and the "Calls/", "Reports/" and "Import/" folders live.
//
// Chosen in this order: the option --home DIR, the environment variable
// QUANTORIX_HOME, the executable's folder when it holds "quantorix.ini" or
// "brisel.dat" (a portable installation), else a per-user folder under the XDG
// data home ("~/.local/share/quantorix"). The per-user folder is filled from the
// shared defaults found relative to the executable ("../share/quantorix"), so
// an installed or merely unpacked package runs the same way.

#include <filesystem>
#include <string>

namespace programfolder {

inline constexpr const char* kIniName = "quantorix.ini";
inline constexpr const char* kBaseLanguageName = "quantorix.lna";
inline constexpr const char* kSettingsName = "brisel.dat";
inline constexpr const char* kFiltersName = "filter.dat";
inline constexpr const char* kDebugLogName = "debug.txt";
inline constexpr const char* kCallsFolderName = "Calls";
inline constexpr const char* kShippedRecordName = ".shipped";

enum class Source { Option, Environment, Portable, PerUser };

// What decides the folder; `locate` fills it from the process.
struct Inputs
{
    std::string homeOption;   // --home value, "" when not given
    std::string homeVariable; // QUANTORIX_HOME
    std::string xdgDataHome;  // XDG_DATA_HOME
    std::string userHome;     // HOME
    std::filesystem::path executableFolder;
};

struct Choice
{
    std::filesystem::path folder;
    Source source = Source::Portable;
    std::filesystem::path defaults; // the shared defaults folder (may not exist)
};

// Pure: decides the folder from `inputs` and what the executable's folder holds.
Choice choose(const Inputs& inputs);

// The choice for this process and `homeOption`; creates nothing.
Choice locate(const std::string& homeOption = {});

// The folder `locate` chooses; creates nothing.
std::filesystem::path resolve(const std::string& homeOption = {});

// The folder for a starting program: a per-user folder is created when missing
// and given every shared default file it lacks (the demo "Calls/" folder only
// when the folder is new). A user's file is never overwritten. Failures to
// copy are left for the missing files to report.
Choice prepare(const std::string& homeOption = {});

// Copies every regular file under `defaults` that `folder` lacks, keeping the
// relative paths; skips the top-level "Calls" folder unless `withCalls`. Each file
// is written under a temporary name and linked into place, so a file that
// appeared meanwhile (another start) stays. What each copy held is recorded in
// `folder`/".shipped"; when a later package ships a different file, a copy the
// user never changed is replaced by it, a changed one stays. Returns the number
// of files copied or replaced.
int fillFromDefaults(const std::filesystem::path& defaults, const std::filesystem::path& folder, bool withCalls);

// The folder of the running executable.
std::filesystem::path executableFolder();

// "../share/quantorix" beside the executable's folder, normalised.
std::filesystem::path sharedDefaultsFolder(const std::filesystem::path& executableFolder);

// How the folder was chosen, for "quantorix-cli where".
const char* describe(Source source);

} // namespace programfolder
