// quantorix-cli import-list [--home DIR] LIST FILE
// quantorix-cli export-list [--home DIR] LIST FILE
//
// The list import and export of the settings sheet, for scripts: LIST is
// directory, trunks, contacts, projects, prefixes:N, holidays, exchange-rates
// or tolls:N (N the carrier, 1 to 6). The file's layout and the import options
// are those of the list's INI section, as the options dialog last stored them.
// An import takes the settings lock, reads the settings afresh, imports,
// saves the settings file (atomically) and prints the result text; an export
// prints the number of records written.

#include "cli/CliCommand.h"
#include "cli/CliHome.h"
#include "core/Cp1252.h"
#include "lang/StringIds.h"
#include "lang/StringTable.h"
#include "lang/TextFormat.h"
#include "prefs/Preferences.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsLocation.h"
#include "settings/SettingsLock.h"
#include "textfile/SettingsListIo.h"

#include <array>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int kExitUsage = 2;
constexpr int kExitFailed = 1;
constexpr int kExitLocked = 4;

constexpr const char* kLists = "directory, trunks, contacts, projects, prefixes:N, holidays, exchange-rates, tolls:N";

struct ListName
{
    std::string_view name;
    SettingsList list;
};

constexpr std::array<ListName, 8> kListNames = {{
    {"directory", SettingsList::Directory},
    {"trunks", SettingsList::Trunks},
    {"contacts", SettingsList::Contacts},
    {"projects", SettingsList::Projects},
    {"prefixes", SettingsList::Prefixes},
    {"holidays", SettingsList::Holidays},
    {"exchange-rates", SettingsList::ExchangeRates},
    {"tolls", SettingsList::TollRates},
}};

// "prefixes:3" is carrier index 2; the per-carrier lists need the ":N".
std::optional<ListSelector> parseList(std::string_view text)
{
    const std::size_t colon = text.find(':');
    const std::string_view name = text.substr(0, colon);
    for (const ListName& entry : kListNames) {
        if (entry.name != name)
            continue;
        const bool perCarrier = entry.list == SettingsList::Prefixes || entry.list == SettingsList::TollRates;
        if (!perCarrier)
            return colon == std::string_view::npos ? std::optional(ListSelector{entry.list, 0}) : std::nullopt;
        if (colon == std::string_view::npos || text.size() != colon + 2 || text[colon + 1] < '1'
            || text[colon + 1] > '6')
            return std::nullopt;
        return ListSelector{entry.list, text[colon + 1] - '1'};
    }
    return std::nullopt;
}

// The common start: the home, then exactly LIST and FILE.
struct ListCommand
{
    std::unique_ptr<CliHome> home;
    ListSelector which;
    std::filesystem::path file;
    Preferences prefs;
    int exitCode = 0; // non-zero: stop with it
};

ListCommand start(std::vector<std::string> args, const char* command)
{
    ListCommand c;
    std::vector<std::string> rest = args;
    takeHomeOption(rest);
    std::string unknown;
    if (takeUnknownOption(rest, &unknown)) {
        std::fprintf(stderr, "quantorix-cli %s: unknown option '%s'\n", command, unknown.c_str());
        rest.clear();
    }
    const std::optional<ListSelector> which = rest.size() == 2 ? parseList(rest[0]) : std::nullopt;
    if (!which) {
        if (rest.size() == 2)
            std::fprintf(stderr, "quantorix-cli %s: unknown list '%s'\n", command, rest[0].c_str());
        std::fprintf(stderr, "usage: quantorix-cli %s [--home DIR] LIST FILE\n  LIST: %s\n", command, kLists);
        c.exitCode = kExitUsage;
        return c;
    }
    c.which = *which;
    c.file = rest[1];
    c.home = CliHome::open(args);
    if (!c.home) {
        c.exitCode = CliHome::kExitNoDatabase;
        return c;
    }
    c.home->startLanguage(); // the titles of the header line
    c.prefs.load(c.home->ini);
    return c;
}

int importCommand(const std::vector<std::string>& args)
{
    ListCommand c = start(args, "import-list");
    if (c.exitCode != 0)
        return c.exitCode;
    CliHome& home = *c.home;

    // As the settings sheet does: the lock first, then the settings as they are
    // now, so that the import starts from the latest file.
    SettingsLock lock;
    if (lock.acquire(home.dataFolder) != SettingsLock::Result::Acquired) {
        printLine(stderr, settingsmessages::kLocked);
        return kExitLocked;
    }
    if (const SettingsLoadResult result = loadSettings(home.settingsPath, home.settings);
        result != SettingsLoadResult::Ok) {
        printLine(stderr, CliHome::loadFailureText(result), home.settingsPath);
        return CliHome::kExitNoDatabase;
    }
    home.settings.rebuildIndexes();

    TextTableFile file(TextTableMode::Import);
    if (openListFile(file, home.ini, c.which.list, c.file) != TextTableFile::OpenResult::Ok) {
        printLine(stderr, LoadText(sid::kErrorOpeningFile), c.file);
        return kExitFailed;
    }
    // Nobody is there to answer the large contact list question: the import
    // goes on, and the warning is shown for the log.
    ListImportHooks hooks;
    hooks.confirmLargeContactList = [] {
        printLine(stderr, LoadText(sid::kLargeContactListWarning));
        return true;
    };
    importList(file, home.settings, c.prefs, c.which, hooks);
    const TextTableFile::Outcome outcome = file.finish();
    if (!outcome.ok) {
        printLine(stderr, outcome.message);
        return kExitFailed;
    }
    home.settings.rebuildIndexes();
    if (!saveSettings(home.settingsPath, home.settings)) {
        printLine(stderr, settingsmessages::kSaveFailed, home.settingsPath);
        return kExitFailed;
    }
    printLine(stdout, outcome.message);
    return 0;
}

int exportCommand(const std::vector<std::string>& args)
{
    ListCommand c = start(args, "export-list");
    if (c.exitCode != 0)
        return c.exitCode;
    TextTableFile file(TextTableMode::Export);
    if (openListFile(file, c.home->ini, c.which.list, c.file) != TextTableFile::OpenResult::Ok) {
        printLine(stderr, LoadText(sid::kErrorOpeningFile), c.file);
        return kExitFailed;
    }
    exportList(file, c.home->settings, c.prefs, c.which);
    const TextTableFile::Outcome outcome = file.finish();
    printLine(outcome.ok ? stdout : stderr, outcome.message);
    return outcome.ok ? 0 : kExitFailed;
}

const CliCommand importListCommand("import-list", "[--home DIR] LIST FILE  import a settings list from a text file",
                                   importCommand);
const CliCommand exportListCommand("export-list", "[--home DIR] LIST FILE  export a settings list to a text file",
                                   exportCommand);

} // namespace
