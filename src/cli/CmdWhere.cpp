// quantorix-cli where [--home DIR]
// Prints the program folder in use, how it was chosen, the shared defaults it
// is filled from, and for each file of the program where it is and where it
// comes from. Prepares the folder as every start does, so a per-user folder
// shows the state the next start works with.

#include "cli/CliCommand.h"
#include "core/IniProfile.h"
#include "core/ProgramFolder.h"
#include "lang/LanguageService.h"
#include "settings/SettingsLocation.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

bool sameContent(const fs::path& a, const fs::path& b)
{
    std::error_code ec;
    if (fs::file_size(a, ec) != fs::file_size(b, ec) || ec)
        return false;
    std::ifstream first(a, std::ios::binary);
    std::ifstream second(b, std::ios::binary);
    return std::equal(std::istreambuf_iterator<char>(first), std::istreambuf_iterator<char>(),
                      std::istreambuf_iterator<char>(second), std::istreambuf_iterator<char>());
}

// Where the file at `path` comes from; `shipped` is its shared default ("" when none).
std::string origin(const fs::path& path, const fs::path& shipped)
{
    std::error_code ec;
    if (!fs::exists(path, ec))
        return fs::exists(shipped, ec) ? "missing (shipped as " + shipped.string() + ")" : "missing";
    if (shipped.empty() || !fs::exists(shipped, ec))
        return "made here";
    if (fs::is_directory(path, ec))
        return "from " + shipped.string();
    return sameContent(path, shipped) ? "as shipped in " + shipped.string() : "changed here";
}

void printEntry(const std::string& name, const fs::path& path, const fs::path& shipped)
{
    std::printf("  %-14s %s (%s)\n", name.c_str(), path.string().c_str(), origin(path, shipped).c_str());
}

int where(std::vector<std::string> args)
{
    const std::string homeOption = takeHomeOption(args);
    if (!args.empty()) {
        std::fprintf(stderr, "usage: quantorix-cli where [--home DIR]\n");
        return 2;
    }
    const programfolder::Choice choice = programfolder::prepare(homeOption);
    std::error_code ec;
    const bool haveDefaults = fs::is_directory(choice.defaults, ec);
    const fs::path shipped = haveDefaults ? choice.defaults : fs::path();
    const auto shippedAs = [&](const fs::path& relative) { return haveDefaults ? shipped / relative : fs::path(); };

    std::printf("Program folder: %s\n  chosen as %s\n", choice.folder.string().c_str(),
                programfolder::describe(choice.source));
    std::printf("Shared defaults: %s%s\n", choice.defaults.string().c_str(), haveDefaults ? "" : " (none)");

    const IniProfile ini(choice.folder / programfolder::kIniName);
    const fs::path data = dataFolder(NetworkSettings::read(ini), choice.folder);
    std::printf("Files:\n");
    printEntry(programfolder::kIniName, choice.folder / programfolder::kIniName, shippedAs(programfolder::kIniName));
    printEntry(programfolder::kSettingsName, settingsFilePath(data),
               data == choice.folder ? shippedAs(programfolder::kSettingsName) : fs::path());
    for (const char* name :
         {programfolder::kBaseLanguageName, programfolder::kFiltersName, programfolder::kDebugLogName})
        printEntry(name, choice.folder / name, shippedAs(name));
    std::vector<fs::path> translations;
    for (const fs::directory_entry& entry : fs::directory_iterator(choice.folder, ec)) {
        if (entry.path().extension() == LanguageService::kTranslationExtension)
            translations.push_back(entry.path());
    }
    std::sort(translations.begin(), translations.end());
    for (const fs::path& path : translations)
        printEntry(path.filename().string(), path, shippedAs(path.filename()));
    printEntry("Calls/", callsFolder(data),
               data == choice.folder ? shippedAs(programfolder::kCallsFolderName) : fs::path());
    printEntry("Reports/", choice.folder / "Reports", shippedAs("Reports"));
    return 0;
}

const CliCommand whereCommand("where", "[--home DIR]  print the program folder in use and where each file comes from",
                              where);

} // namespace
