#pragma once
// The common start of the quantorix-cli commands: the program folder, its INI
// file and the settings database of the data folder, loaded and indexed.

#include "core/IniProfile.h"
#include "lang/LanguageService.h"
#include "settings/SettingsDatabase.h"
#include "settings/SettingsFile.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class MainSession;

struct CliHome
{
    std::filesystem::path programFolder;
    std::filesystem::path dataFolder;   // the network folder of a network installation
    std::filesystem::path settingsPath; // "brisel.dat" in the data folder
    IniProfile ini;                     // "quantorix.ini" of the program folder
    SettingsDatabase settings;

    // Takes "--home DIR" out of `args`, resolves and prepares the program folder
    // (programfolder::prepare: a per-user folder gets its shared defaults), opens the INI file and
    // loads the settings. When the settings file is missing or corrupt, prints
    // "Database is missing or corrupt..." with its full path to standard error
    // and returns nullptr; the command then exits with kExitNoDatabase.
    // Settings whose lists cannot fit in memory say so instead.
    static std::unique_ptr<CliHome> open(std::vector<std::string>& args);
    // The message of a failed load of the settings file ("%1" for its path).
    static std::string loadFailureText(SettingsLoadResult result);

    // Gives a fresh main session this home's settings (indexes rebuilt), its
    // "Prefs" values, the rating built on them and the saved and default filters,
    // as the program's start-up does.
    void prepareSession(MainSession& session) const;

    // Installs and starts the language service of this home (the language chosen
    // in its INI file), for the texts the command prints; it lives with the home.
    void startLanguage();
    std::unique_ptr<LanguageService> language;

    static constexpr int kExitNoDatabase = 3;
};

// Prints a text of the program (Windows-1252, in the language of the program
// folder) as UTF-8, ending with a line break; a path goes in for "%1" as it is.
void printLine(std::FILE* out, const std::string& text, const std::filesystem::path& path = {});
