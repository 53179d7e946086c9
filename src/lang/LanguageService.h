#pragma once
// The language state of the program: the base language file beside the
// program, the current translation, the list of languages and the current
// language. The app (or the command-line tool) creates one and installs it;
// LoadText and the Translation* functions below then go through it. With none
// installed they give nothing (LoadText: the built-in English text).
//
// Languages are numbered 0 (built in, named by string 21001) and 1, 2, ... for
// the ".lng" files of the program folder, sorted by name (case-insensitive,
// then byte order) so the numbering does not depend on the directory order.

#include "lang/LanguageFile.h"
#include "lang/TextSource.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class IniProfile;

class LanguageService : public TextSource
{
public:
    static constexpr const char* kSection = "Language";
    static constexpr const char* kNameKey = "Brisel";
    static constexpr const char* kTranslationExtension = ".lng";
    static constexpr int kMaxMenuLanguages = 10; // language items 0..9 in the menu

    // `baseFile` defaults to the program folder's "quantorix.lna". `profile` (may
    // be null) holds the current language's name; the caller keeps it alive.
    LanguageService(std::filesystem::path programFolder, IniProfile* profile, std::filesystem::path baseFile = {});
    ~LanguageService() override;
    LanguageService(const LanguageService&) = delete;
    LanguageService& operator=(const LanguageService&) = delete;

    // Makes this the program's language service (LoadText, Translation*); the
    // destructor uninstalls it.
    void install();
    static LanguageService* installed();

    // Start-up: reads the base file (missing or not a language file: translation
    // off, nothing else happens), lists the languages and selects the one named in
    // the settings.
    void start();

    bool translationAvailable() const { return m_translationAvailable; }

    // The text for `key` as the lookup rules give it (mapped key, then current
    // translation, then base), with every backslash-t turned into a tab; nothing
    // when translation is off or no table has the key.
    std::optional<std::string> lookup(std::uint32_t key) const;
    std::optional<std::string> stringText(int id) const override;

    // Languages.
    void listLanguages();
    int languageCount() const { return static_cast<int>(m_languages.size()) + 1; } // with the built-in one
    // The name of language `number`: 0 the (translated) string 21001, "" beyond the list.
    std::string LanguageName(int number) const;
    int currentNumber() const { return m_currentNumber; }
    const std::string& currentName() const { return m_currentName; } // "" for the built-in language

    // By menu command: a number beyond the list or equal to the current one does
    // nothing (false); 0 selects the built-in language. Returns true when the
    // selection was made (the texts then need refreshing).
    bool SelectLanguage(int number);
    // Finds `name` among the listed languages ignoring case and reads its file;
    // an empty, unknown or unreadable one selects the built-in language. The name
    // (as listed, or "") is stored in the settings.
    void selectLanguageByName(std::string_view name);

    struct MenuLanguage
    {
        int number;
        std::string name;
        bool current;
    };
    // The language items of the Language menu: numbers 0 to 9 at most; none when
    // translation is off.
    std::vector<MenuLanguage> menuLanguages() const;

    // The help file: "<folder>/<language>.html" when a non-built-in language is
    // selected and that file exists, else "<folder>/English.html".
    std::filesystem::path HelpFilePath() const;

    // The translation file of a language name: "<folder>/<name>.lng".
    std::filesystem::path translationPath(std::string_view name) const;
    const std::filesystem::path& programFolder() const { return m_folder; }

    const LanguageTable& baseTable() const { return m_base; }
    const LanguageTable& currentTable() const { return m_current; }

    // For the translation editor: writes `table` as the current language's file
    // and makes it the current translation. False (after message 25172) when it
    // could not be written, or when the built-in language is selected.
    bool saveCurrentTranslation(const LanguageTable& table);
    // Writes `table` as a new translation named `name`, lists the languages again
    // and selects it. False (after message 25172) when it could not be written.
    bool saveNewTranslation(std::string_view name, const LanguageTable& table);

private:
    struct Language
    {
        std::string name; // file title, Windows-1252
        std::filesystem::path path;
    };

    void storeName();
    void selectBuiltIn();

    std::filesystem::path m_folder;
    std::filesystem::path m_baseFile;
    IniProfile* m_profile;
    LanguageTable m_base;
    LanguageTable m_current;
    std::vector<Language> m_languages; // numbers 1.. in order
    std::string m_currentName;
    int m_currentNumber = 0;
    bool m_translationAvailable = false;
};

// Through the installed language service; nothing when there is none, when
// translation is off, or when no text exists for the key.
std::optional<std::string> TranslationForDialog(int dialogId, int controlId); // controlId 0: the title
std::optional<std::string> TranslationForPageTitle(int pageTemplateId);
std::optional<std::string> TranslationForMenuItem(int menuId, int popupNumber, int commandId);
std::optional<std::string> TranslationForMenuPopup(int menuId, int popupNumber);
std::optional<std::string> TranslationForKey(std::uint32_t key);
// The installed service's help file, or "<executable folder>/English.html" without one.
std::filesystem::path HelpFilePath();

// Replaces each backslash followed by "t" with a tab.
std::string expandTabs(std::string_view text);
// The reverse, for writing texts with real tabs into a language file.
std::string escapeTabs(std::string_view text);
// Windows-1252 comparison without regard to case.
bool equalsIgnoringCase(std::string_view a, std::string_view b);
