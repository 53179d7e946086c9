#include "lang/LanguageService.h"

#include "core/Cp1252.h"
#include "core/IniProfile.h"
#include "core/ProgramFolder.h"
#include "core/TextCase.h"
#include "lang/LanguageKeys.h"
#include "lang/StringTable.h"

#include <algorithm>

namespace {

LanguageService* g_service = nullptr;

bool isTranslationFile(const std::filesystem::directory_entry& entry)
{
    std::error_code ec;
    if (!entry.is_regular_file(ec))
        return false;
    const std::string extension = entry.path().extension().string();
    return equalsIgnoringCase(extension, LanguageService::kTranslationExtension) && !entry.path().stem().empty();
}

} // namespace

std::string expandTabs(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 't') {
            out += '\t';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string escapeTabs(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + 2);
    for (const char c : text) {
        if (c == '\t')
            out += "\\t";
        else
            out += c;
    }
    return out;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) { return textcase::equalCp1252(a, b); }

LanguageService::LanguageService(std::filesystem::path programFolder, IniProfile* profile,
                                 std::filesystem::path baseFile)
    : m_folder(std::move(programFolder))
    , m_baseFile(baseFile.empty() ? m_folder / programfolder::kBaseLanguageName : std::move(baseFile))
    , m_profile(profile)
{ }

LanguageService::~LanguageService()
{
    if (g_service == this) {
        g_service = nullptr;
        installTextSource(nullptr);
    }
}

void LanguageService::install()
{
    g_service = this;
    installTextSource(this);
}

LanguageService* LanguageService::installed() { return g_service; }

void LanguageService::start()
{
    m_translationAvailable = readLanguageFile(m_baseFile, m_base) == LanguageFileResult::Ok;
    if (!m_translationAvailable)
        return;
    listLanguages();
    const std::string stored = m_profile ? m_profile->readString(kSection, kNameKey) : std::string{};
    selectLanguageByName(stored);
}

std::optional<std::string> LanguageService::lookup(std::uint32_t key) const
{
    if (!m_translationAvailable)
        return std::nullopt;
    if (const std::optional<std::uint32_t> mapped = m_base.mappedKey(key))
        key = *mapped;
    const std::string* text = m_currentNumber != 0 ? m_current.find(key) : nullptr;
    if (!text)
        text = m_base.find(key);
    if (!text)
        return std::nullopt;
    return expandTabs(*text);
}

std::optional<std::string> LanguageService::stringText(int id) const { return lookup(langkey::stringKey(id)); }

void LanguageService::listLanguages()
{
    m_languages.clear();
    std::error_code ec;
    for (std::filesystem::directory_iterator it(m_folder, ec), end; !ec && it != end; it.increment(ec))
        if (isTranslationFile(*it))
            m_languages.push_back({cp1252::fromUtf8(it->path().stem().string()), it->path()});
    std::sort(m_languages.begin(), m_languages.end(), [](const Language& a, const Language& b) {
        if (textcase::lessCp1252(a.name, b.name))
            return true;
        if (textcase::lessCp1252(b.name, a.name))
            return false;
        return a.name < b.name;
    });
    // The current language keeps its name; its number follows the new order.
    m_currentNumber = 0;
    for (std::size_t i = 0; i < m_languages.size() && !m_currentName.empty(); ++i)
        if (m_languages[i].name == m_currentName)
            m_currentNumber = static_cast<int>(i) + 1;
}

std::string LanguageService::LanguageName(int number) const
{
    if (number == 0)
        return stringText(sid::kLanguageEnglish).value_or(std::string(BuiltInText(sid::kLanguageEnglish)));
    if (number < 0 || number > static_cast<int>(m_languages.size()))
        return {};
    return m_languages[static_cast<std::size_t>(number) - 1].name;
}

bool LanguageService::SelectLanguage(int number)
{
    if (!m_translationAvailable || number < 0 || number >= languageCount() || number == m_currentNumber)
        return false;
    if (number == 0) {
        selectBuiltIn();
        storeName();
    } else {
        selectLanguageByName(m_languages[static_cast<std::size_t>(number) - 1].name);
    }
    return true;
}

void LanguageService::selectLanguageByName(std::string_view name)
{
    selectBuiltIn();
    if (!name.empty()) {
        for (std::size_t i = 0; i < m_languages.size(); ++i) {
            if (!equalsIgnoringCase(m_languages[i].name, name))
                continue;
            if (readLanguageFile(m_languages[i].path, m_current) == LanguageFileResult::Ok) {
                m_currentName = m_languages[i].name;
                m_currentNumber = static_cast<int>(i) + 1;
            }
            break;
        }
    }
    storeName();
}

void LanguageService::selectBuiltIn()
{
    m_current.clear();
    m_currentName.clear();
    m_currentNumber = 0;
}

void LanguageService::storeName()
{
    if (m_profile)
        m_profile->writeString(kSection, kNameKey, m_currentName);
}

std::vector<LanguageService::MenuLanguage> LanguageService::menuLanguages() const
{
    std::vector<MenuLanguage> items;
    if (!m_translationAvailable)
        return items;
    const int count = std::min(languageCount(), kMaxMenuLanguages);
    for (int number = 0; number < count; ++number)
        items.push_back({number, LanguageName(number), number == m_currentNumber});
    return items;
}

std::filesystem::path LanguageService::HelpFilePath() const
{
    if (m_currentNumber != 0) {
        std::filesystem::path path = m_folder / (cp1252::toUtf8(m_currentName) + ".html");
        std::error_code ec;
        if (std::filesystem::is_regular_file(path, ec))
            return path;
    }
    return m_folder / "English.html";
}

std::filesystem::path LanguageService::translationPath(std::string_view name) const
{
    return m_folder / (cp1252::toUtf8(name) + kTranslationExtension);
}

bool LanguageService::saveCurrentTranslation(const LanguageTable& table)
{
    if (m_currentNumber == 0)
        return false;
    const std::filesystem::path path = m_languages[static_cast<std::size_t>(m_currentNumber) - 1].path;
    if (!saveLanguageFile(path, table))
        return false;
    m_current = table;
    m_current.setMappings({});
    return true;
}

bool LanguageService::saveNewTranslation(std::string_view name, const LanguageTable& table)
{
    // The name becomes a file name in the program folder and nowhere else.
    const bool plainName = !name.empty() && name != "." && name != ".."
                           && name.find_first_of("/\\:") == std::string_view::npos;
    if (!plainName) {
        MessageById(sid::kErrorSavingFile, mb::kOk | mb::kIconStop, {PathText(translationPath(name))});
        return false;
    }
    if (!saveLanguageFile(translationPath(name), table))
        return false;
    listLanguages();
    selectLanguageByName(name);
    return true;
}

std::optional<std::string> TranslationForKey(std::uint32_t key)
{
    return g_service ? g_service->lookup(key) : std::nullopt;
}

std::optional<std::string> TranslationForDialog(int dialogId, int controlId)
{
    return TranslationForKey(langkey::dialogKey(dialogId, controlId));
}

std::optional<std::string> TranslationForPageTitle(int pageTemplateId)
{
    return TranslationForKey(langkey::pageTitleKey(pageTemplateId));
}

std::optional<std::string> TranslationForMenuItem(int menuId, int popupNumber, int commandId)
{
    return TranslationForKey(langkey::menuKey(menuId, popupNumber, commandId));
}

std::optional<std::string> TranslationForMenuPopup(int menuId, int popupNumber)
{
    return TranslationForKey(langkey::menuPopupKey(menuId, popupNumber));
}

std::filesystem::path HelpFilePath()
{
    return g_service ? g_service->HelpFilePath() : programfolder::resolve() / "English.html";
}
