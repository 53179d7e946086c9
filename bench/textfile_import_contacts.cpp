// Contact import at scale: 100,000 contacts into an empty list, and 100,000
// into a list that already holds 100,000 (a large list: lines are appended
// unmatched, then repeated numbers are removed in one sorted pass). Each must
// take at most 2 s. Prints wall-clock seconds, including reading the file.

#include "core/Locale.h"
#include "prefs/Preferences.h"
#include "settings/SettingsDatabase.h"
#include "textfile/SettingsListIo.h"

#include <QCoreApplication>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

constexpr int kContacts = 100'000;

// Numbers from `first` on, every seventh one with a "*" in it; a name each.
void writeContacts(const std::filesystem::path& path, int first)
{
    std::ofstream out(path, std::ios::binary);
    for (int i = 0; i < kContacts; ++i) {
        std::string number = "0" + std::to_string(30'000'000 + first + i);
        if (i % 7 == 0)
            number.back() = '*';
        out << number << ";Contact " << first + i << "\r\n";
    }
}

double importOnce(const std::filesystem::path& path, SettingsDatabase& db, std::size_t& after)
{
    const Preferences prefs;
    const auto start = std::chrono::steady_clock::now();
    TextTableFile file(TextTableMode::Import);
    if (openListFile(file, IniProfile(), SettingsList::Contacts, path) != TextTableFile::OpenResult::Ok)
        return -1;
    importList(file, db, prefs, {SettingsList::Contacts, 0});
    file.finish();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    after = db.contacts.size();
    return seconds;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Locale::pin("en_US");
    const std::filesystem::path path = std::filesystem::temp_directory_path()
                                       / ("qx-bench-contacts-" + std::to_string(::getpid()) + ".csv");

    SettingsDatabase db;
    std::size_t after = 0;
    writeContacts(path, 0);
    double seconds = importOnce(path, db, after);
    std::printf("import %d contacts into an empty list:          %.3f s  (%zu contacts after)\n", kContacts, seconds,
                after);

    // Half of the second file repeats numbers of the first.
    writeContacts(path, kContacts / 2);
    seconds = importOnce(path, db, after);
    std::printf("import %d contacts into a list of %zu:        %.3f s  (%zu contacts after)\n", kContacts,
                static_cast<std::size_t>(kContacts), seconds, after);
    std::filesystem::remove(path);
    return 0;
}
