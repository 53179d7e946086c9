#include "cli/CliHome.h"

#include "cli/CliCommand.h"
#include "core/ProgramFolder.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsLocation.h"

#include <cstdio>

std::unique_ptr<CliHome> CliHome::open(std::vector<std::string>& args)
{
    auto home = std::make_unique<CliHome>();
    home->programFolder = programfolder::resolve(takeHomeOption(args));
    home->ini = IniProfile(home->programFolder / programfolder::kIniName);
    home->dataFolder = ::dataFolder(NetworkSettings::read(home->ini), home->programFolder);
    home->settingsPath = std::filesystem::absolute(settingsFilePath(home->dataFolder));
    if (loadSettings(home->settingsPath, home->settings) != SettingsLoadResult::Ok) {
        const std::string message = withPath(settingsmessages::kMissingOrCorrupt, home->settingsPath.string());
        std::fprintf(stderr, "%s\n", message.c_str());
        return nullptr;
    }
    home->settings.rebuildIndexes();
    return home;
}
