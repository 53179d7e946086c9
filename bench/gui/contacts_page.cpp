// The Contacts page of the Settings sheet on a large contact list: opening
// the page (the list sorted and its first rows painted), a header click that
// sorts, and one quick-find keystroke, each with the cells the list formatted.
// Run offscreen: QT_QPA_PLATFORM=offscreen bench_gui_contacts_page [contacts]
#include "GuiBench.h"

#include "core/IniProfile.h"
#include "core/Locale.h"
#include "editor/CSheetUD.h"
#include "editor/EditorIds.h"
#include "editor/ListPage.h"
#include "lang/gui/QtMessageSink.h"
#include "prefs/Preferences.h"
#include "settings/SettingsFile.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTableView>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const std::size_t count = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 100000;
    const std::filesystem::path home = guibench::makeHome("contacts-page", 0).parent_path().parent_path();
    QtMessageSink messages;

    SettingsDatabase live;
    if (loadSettings(home / "brisel.dat", live) != SettingsLoadResult::Ok)
        return 1;
    static const char* const kFirst[] = {"Anna",  "Bernd", "Carla", "Dieter", "Eva",
                                         "Frank", "Greta", "Hans",  "Ilse",   "Jörg"};
    static const char* const kLast[] = {"Müller", "Schmidt", "Schneider", "Fischer",
                                        "Weber",  "Meyer",   "Wagner",    "Becker"};
    std::mt19937 random(7);
    live.contacts.clear();
    for (std::size_t i = 0; i < count; ++i) {
        ContactEntry contact;
        contact.number.assign("0" + std::to_string(100000000 + random() % 900000000));
        contact.name.assign(std::string(kFirst[random() % 10]) + " " + kLast[random() % 8] + " "
                            + std::to_string(random() % 5000));
        live.contacts.push_back(contact);
    }
    live.rebuildIndexes(); // as loaded: sorted by number
    IniProfile ini(home / "quantorix.ini");
    Preferences prefs;

    QElapsedTimer clock;
    clock.start();
    double processor = guibench::processorMs();
    CSheetUD sheet(live, prefs, ini, false, 0, nullptr);
    const double made = guibench::processorMs() - processor;
    sheet.resize(900, 700);
    sheet.show();
    QApplication::processEvents();
    int contactsTab = 0;
    while (sheet.page(contactsTab)->templateId() != udres::kContactPage)
        ++contactsTab;
    auto* page = static_cast<CPageUDList*>(sheet.page(contactsTab));

    const auto measure = [&](const char* what, auto&& operation) {
        page->model()->takeFormatCount();
        clock.restart();
        processor = guibench::processorMs();
        operation();
        page->list()->viewport()->repaint();
        std::printf("%s: %lld ms (processor %.1f ms), %llu cells formatted\n", what,
                    static_cast<long long>(clock.elapsed()), guibench::processorMs() - processor,
                    static_cast<unsigned long long>(page->model()->takeFormatCount()));
    };
    std::printf("%zu contacts; sheet made with its working copy in %.1f ms processor time\n", count, made);
    measure("open the Contacts page", [&] { sheet.selectPage(contactsTab); });
    measure("header click: sort by contact name", [&] { page->sortBy(1); });
    measure("header click: name descending", [&] { page->sortBy(1); });
    measure("header click: sort by phone number", [&] { page->sortBy(0); });
    measure("quick find, one keystroke (\"0\")", [&] { page->quickFind()->setText(QStringLiteral("0")); });
    measure("quick find, next keystroke (\"09\")", [&] { page->quickFind()->setText(QStringLiteral("09")); });
    measure("quick find, a name (\"E\")", [&] {
        page->quickFind()->setText(QString());
        page->quickFind()->setText(QStringLiteral("E"));
    });
    measure("quick find, a refused keystroke", [&] { page->quickFind()->setText(QStringLiteral("E#")); });
    // What the name sort spends on the locale's collation.
    std::vector<std::string_view> names;
    for (const ContactEntry& contact : live.contacts)
        names.push_back(contact.name.view());
    processor = guibench::processorMs();
    const std::vector<std::uint32_t> ranks = Locale::current().collationRanks(names);
    std::printf("of a name sort, the collation ranks of %zu names: %.1f ms processor time\n", ranks.size(),
                guibench::processorMs() - processor);
    sheet.reject();
    std::filesystem::remove_all(home);
    return 0;
}
