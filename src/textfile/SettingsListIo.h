#pragma once
// Import and export of the settings lists through a TextTableFile: the
// directory, trunks, contacts, projects, the prefixes and the toll rates of one
// carrier, the holidays and the exchange-rate history. Each list has its INI
// section (which also keeps its text file layout), its fields in a fixed
// order, the texts an export writes, the conversion of imported texts, a key
// that finds the existing entry an imported line updates, and a validity test.
//
// The settings sheet and the command line share this: they open the file in
// the list's layout (TextTableFile::openWithOptions or loadOptions and open),
// call importList or exportList on a SettingsDatabase, then finish() the file
// for the result text. An import honours the options "Delete all existing
// records", "Add new records" and "Update existing records" (the latter off
// while delete-all is on), counts processed, added and updated lines in the
// file's counters, and leaves the lists in their import order: the caller
// rebuilds the indexes (which also sorts them) before the next look-up.

#include "textfile/TextTableFile.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class SettingsDatabase;
struct Preferences;

enum class SettingsList : int {
    Directory,
    Trunks,
    Contacts,
    Projects,
    Prefixes, // of one carrier
    Holidays,
    ExchangeRates,
    TollRates, // the destinations, with the rates of one carrier
};

struct ListSelector
{
    SettingsList list = SettingsList::Directory;
    int carrier = 0; // prefixes and toll rates: the carrier's index 0-5
};

// How a settings list is laid out in its text file: INI section, fields, titles.
struct ListFileLayout
{
    std::string_view section; // "ListUser", "ListTrunk", ...
    int fieldCount;
    int firstTitleId; // string id of the first title (the rest follow), 0 when the titles are fixed texts
};

const ListFileLayout& listFileLayout(SettingsList list);
// The field titles in the current language, for the options dialog and the header line.
std::vector<std::string> listTitles(SettingsList list);
// Opens `path` in the list's layout of the INI file: its options and titles.
TextTableFile::OpenResult openListFile(TextTableFile& file, const IniProfile& ini, SettingsList list,
                                       const std::filesystem::path& path);
// The same through the file and options dialogs (TextTableFile::openWithOptions).
bool openListWithOptions(TextTableFile& file, IniProfile& ini, SettingsList list, TextTableFrontEnd& frontEnd);

// The contact list's large-list rules at work during an import.
struct ListImportHooks
{
    // Asked once per import, before the first line is added to a contact list
    // of 4000 or more records (text 25322): false stops the import at that line.
    // Without it the import goes on.
    std::function<bool()> confirmLargeContactList;
    // Every 500th contact line read: the list's current count (the "Total" counter).
    std::function<void(std::size_t count)> contactCount;
};

// Reads every line of the open import file into the list. False when the user
// stopped a large contact import (what was read up to then stays).
bool importList(TextTableFile& file, SettingsDatabase& db, const Preferences& prefs, ListSelector which,
                const ListImportHooks& hooks = {});
// Writes every entry of the list, in list order, to the open export file.
void exportList(TextTableFile& file, const SettingsDatabase& db, const Preferences& prefs, ListSelector which);
// Writes the entries of these indices, in this order ("Export selected records");
// indices past the list's end are passed over.
void exportList(TextTableFile& file, const SettingsDatabase& db, const Preferences& prefs, ListSelector which,
                std::span<const std::size_t> entries);

// --- Single entries, for the pages and the tests ---

// A holiday is valid with year 0 (every year) or 1900-2099, month 1-12 and a day
// of that month; year 0 counts as a leap year, so a yearly 29 February is valid.
bool isValidHoliday(int year, int month, int day);
// An exchange rate's starting date: year 1900-2099 and a day of that month.
bool isValidRateDate(int year, int month, int day);
