#include "cli/CliHome.h"

#include "calls/Progress.h"
#include "cli/CliCommand.h"
#include "core/Cp1252.h"
#include "core/ProgramFolder.h"
#include "lang/StringTable.h"
#include "lang/TextFormat.h"
#include "session/MainSession.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsLocation.h"

#include <cstdio>

std::unique_ptr<CliHome> CliHome::open(std::vector<std::string>& args)
{
    auto home = std::make_unique<CliHome>();
    home->programFolder = programfolder::prepare(takeHomeOption(args)).folder;
    home->ini = IniProfile(home->programFolder / programfolder::kIniName);
    home->dataFolder = ::dataFolder(NetworkSettings::read(home->ini), home->programFolder);
    home->settingsPath = std::filesystem::absolute(settingsFilePath(home->dataFolder));
    const SettingsLoadResult result = loadSettings(home->settingsPath, home->settings);
    if (result != SettingsLoadResult::Ok) {
        printLine(stderr, loadFailureText(result), home->settingsPath);
        return nullptr;
    }
    home->settings.rebuildIndexes();
    return home;
}

std::string CliHome::loadFailureText(SettingsLoadResult result)
{
    return result == SettingsLoadResult::OutOfMemory ? LoadText(sid::kFileTooLargeForMemory)
                                                     : std::string(settingsmessages::kMissingOrCorrupt);
}

void CliHome::prepareSession(MainSession& session) const
{
    session.settings().copyFrom(settings);
    session.settings().rebuildIndexes();
    session.prefs().load(ini);
    NoProgress progress;
    session.settingsChanged(progress);
    session.start(ini);
}

void printLine(std::FILE* out, const std::string& text, const std::filesystem::path& path)
{
    std::string utf8 = cp1252::toUtf8(text);
    if (!path.empty())
        utf8 = FormatInserts(utf8, {path.string()});
    std::fputs(utf8.c_str(), out);
    if (utf8.empty() || utf8.back() != '\n')
        std::fputc('\n', out);
}

void CliHome::startLanguage()
{
    language = std::make_unique<LanguageService>(programFolder, &ini);
    language->install();
    language->start();
}
