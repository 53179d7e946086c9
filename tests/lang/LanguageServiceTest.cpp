#include "LanguageTestSupport.h"
#include "TempDir.h"

#include "core/IniProfile.h"
#include "lang/LanguageKeys.h"
#include "lang/LanguageService.h"
#include "lang/StringTable.h"

#include <gtest/gtest.h>

namespace {

using langkey::menuKey;
using langkey::stringKey;

// A program folder with a base file, an INI file and translations.
class LanguageFolder : public ::testing::Test
{
protected:
    void SetUp() override
    {
        writeBase(makeTable({{stringKey(sid::kRecordsExported), "%d records exported"},
                             {stringKey(sid::kLanguageEnglish), "English"},
                             {menuKey(101, 1, 57601), "&Open...\\tCtrl+O"},
                             {stringKey(sid::kErrorOpeningFile), "Error opening file!\n\n%1"}}));
    }

    void writeBase(const LanguageTable& table, bool withMappings = false)
    {
        writeBytes(dir / "quantorix.lna", encodeLanguageFile(table, withMappings));
    }
    void writeTranslation(const std::string& name, const LanguageTable& table)
    {
        ASSERT_TRUE(writeLanguageFile(dir / (name + ".lng"), table));
    }
    std::string storedName() const { return IniProfile(dir / "quantorix.ini").readString("Language", "Brisel", "?"); }

    // Starts a service the way the program does, and installs it.
    std::unique_ptr<LanguageService> start()
    {
        profiles.push_back(std::make_unique<IniProfile>(dir / "quantorix.ini"));
        auto service = std::make_unique<LanguageService>(dir.path(), profiles.back().get());
        service->install();
        service->start();
        return service;
    }

    TempDir dir;
    std::vector<std::unique_ptr<IniProfile>> profiles;
};

const LanguageTable kGerman = makeTable({{stringKey(sid::kRecordsExported), "%d Datens\xE4tze exportiert"},
                                         {stringKey(sid::kLanguageEnglish), "Englisch"},
                                         {menuKey(101, 1, 57601), "\xD6&ffnen...\\tStrg+O"}});

} // namespace

TEST_F(LanguageFolder, TranslatedExportMessageIsShownWithItsNumberFilledIn)
{
    writeTranslation("Deutsch", kGerman);
    IniProfile(dir / "quantorix.ini").writeString("Language", "Brisel", "deutsch");
    auto service = start();
    ASSERT_EQ(service->currentName(), "Deutsch");

    CapturingSink sink;
    ShowMessage(FormatPrintf(LoadText(sid::kRecordsExported), {1500}), mb::kOk | mb::kIconInformation,
                sid::kRecordsExported);
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0].text, "1500 Datens\xE4tze exportiert");
    // A string the translation lacks comes from the base file.
    EXPECT_EQ(LoadText(sid::kErrorOpeningFile), "Error opening file!\n\n%1");
    MessageById(sid::kErrorOpeningFile, mb::kOk | mb::kIconStop, {"/calls/a.bsl"});
    EXPECT_EQ(sink.shown.back().text, "Error opening file!\n\n/calls/a.bsl");
}

TEST_F(LanguageFolder, BackslashTBeforeAShortcutBecomesATab)
{
    auto service = start();
    EXPECT_EQ(TranslationForMenuItem(101, 1, 57601), "&Open...\tCtrl+O");
    writeTranslation("Deutsch", kGerman);
    service->listLanguages();
    ASSERT_TRUE(service->SelectLanguage(1));
    EXPECT_EQ(TranslationForMenuItem(101, 1, 57601), "\xD6&ffnen...\tStrg+O");
    EXPECT_EQ(TranslationForMenuItem(101, 2, 57601), std::nullopt); // another pop-up: another key
}

TEST_F(LanguageFolder, MappedKeysUseTheTextOfTheKeyTheyMapTo)
{
    const std::uint32_t ok208 = langkey::dialogKey(208, 1), ok231 = langkey::dialogKey(231, 1);
    LanguageTable base = makeTable({{ok208, "OK"}, {langkey::dialogKey(231, 0), "Columns"}});
    base.setMappings({{ok231, ok208}});
    writeBase(base, true);
    writeTranslation("Deutsch", makeTable({{ok208, "Jawohl"}}));

    auto service = start();
    EXPECT_EQ(TranslationForDialog(231, 1), "OK"); // the base text of the key mapped to
    ASSERT_TRUE(service->SelectLanguage(1));
    EXPECT_EQ(TranslationForDialog(231, 1), "Jawohl");
    EXPECT_EQ(TranslationForDialog(208, 1), "Jawohl");
    EXPECT_EQ(TranslationForPageTitle(231), "Columns");
    EXPECT_EQ(TranslationForDialog(231, 2), std::nullopt);
}

TEST_F(LanguageFolder, ElevenTranslationsGiveNineMenuItemsBesideTheBuiltInLanguage)
{
    for (const char* name : {"k", "B", "a", "j", "i", "h", "g", "f", "e", "d", "C"})
        writeTranslation(name, kGerman);
    writeBytes(dir / "notes.txt", "not a language");
    auto service = start();

    EXPECT_EQ(service->languageCount(), 12);
    const auto items = service->menuLanguages();
    ASSERT_EQ(items.size(), 10u);
    EXPECT_EQ(items[0].name, "English");
    EXPECT_EQ(items[0].number, 0);
    EXPECT_TRUE(items[0].current);
    // Sorted by name without regard to case, whatever order the folder gives.
    EXPECT_EQ(items[1].name, "a");
    EXPECT_EQ(items[2].name, "B");
    EXPECT_EQ(items[3].name, "C");
    EXPECT_EQ(items[9].name, "i");
    EXPECT_EQ(items[9].number, 9);
    EXPECT_EQ(service->LanguageName(11), "k"); // listed and selectable, just not in the menu
    EXPECT_EQ(service->LanguageName(12), "");
}

TEST_F(LanguageFolder, DeletedCurrentLanguageFallsBackToBuiltInWithEmptyStoredName)
{
    writeTranslation("Deutsch", kGerman);
    {
        auto service = start();
        ASSERT_TRUE(service->SelectLanguage(1));
        EXPECT_EQ(storedName(), "Deutsch");
    }
    std::filesystem::remove(dir / "Deutsch.lng");

    auto service = start();
    EXPECT_EQ(service->currentNumber(), 0);
    EXPECT_EQ(service->currentName(), "");
    EXPECT_EQ(storedName(), "");
    EXPECT_EQ(LoadText(sid::kRecordsExported), "%d records exported");
}

TEST_F(LanguageFolder, UnreadableTranslationSelectsTheBuiltInLanguage)
{
    writeTranslation("Deutsch", kGerman);
    writeBytes(dir / "Broken.lng", "LANG but nothing else");
    auto service = start();
    service->selectLanguageByName("deutsch");
    ASSERT_EQ(service->currentNumber(), 2);

    service->selectLanguageByName("broken");
    EXPECT_EQ(service->currentNumber(), 0);
    EXPECT_EQ(storedName(), "");
    EXPECT_EQ(LoadText(sid::kLanguageEnglish), "English");
}

TEST_F(LanguageFolder, SelectingByNumberIgnoresTheCurrentAndUnknownNumbers)
{
    writeTranslation("Deutsch", kGerman);
    auto service = start();
    EXPECT_FALSE(service->SelectLanguage(0)); // already current
    EXPECT_FALSE(service->SelectLanguage(2)); // beyond the list
    EXPECT_FALSE(service->SelectLanguage(-1));
    EXPECT_TRUE(service->SelectLanguage(1));
    EXPECT_EQ(service->LanguageName(0), "Englisch"); // string 21001 of the current language
    EXPECT_FALSE(service->SelectLanguage(1));
    EXPECT_TRUE(service->SelectLanguage(0));
    EXPECT_EQ(service->currentName(), "");
    EXPECT_EQ(storedName(), "");
}

TEST_F(LanguageFolder, WithoutABaseFileTranslationIsOffAndLookupsGiveBuiltInTexts)
{
    std::filesystem::remove(dir / "quantorix.lna");
    writeTranslation("Deutsch", kGerman);
    IniProfile(dir / "quantorix.ini").writeString("Language", "Brisel", "Deutsch");
    auto service = start();

    EXPECT_FALSE(service->translationAvailable());
    EXPECT_TRUE(service->menuLanguages().empty());
    EXPECT_FALSE(service->SelectLanguage(1));
    EXPECT_EQ(TranslationForMenuItem(101, 1, 57601), std::nullopt);
    EXPECT_EQ(LoadText(sid::kRecordsExported), "%d records exported");
    EXPECT_EQ(storedName(), "Deutsch"); // untouched

    writeBytes(dir / "quantorix.lna", "NOT A LANGUAGE FILE AT ALL, JUST SIXTY-FOUR OR MORE BYTES OF TEXT.");
    EXPECT_FALSE(start()->translationAvailable());
}

TEST_F(LanguageFolder, HelpFileFollowsTheLanguageWhenItExists)
{
    writeTranslation("Deutsch", kGerman);
    auto service = start();
    EXPECT_EQ(HelpFilePath(), dir / "English.html");
    ASSERT_TRUE(service->SelectLanguage(1));
    EXPECT_EQ(HelpFilePath(), dir / "English.html");
    writeBytes(dir / "Deutsch.html", "<html></html>");
    EXPECT_EQ(HelpFilePath(), dir / "Deutsch.html");
}

TEST_F(LanguageFolder, NewTranslationIsWrittenListedAndSelected)
{
    writeTranslation("Deutsch", kGerman);
    auto service = start();
    ASSERT_TRUE(
        service->saveNewTranslation("Espa\xF1ol", makeTable({{stringKey(sid::kLanguageEnglish), "Ingl\xE9s"}})));
    EXPECT_TRUE(std::filesystem::exists(dir / "Espa\xC3\xB1ol.lng"));
    EXPECT_EQ(service->currentName(), "Espa\xF1ol");
    EXPECT_EQ(service->currentNumber(), 2);
    EXPECT_EQ(LoadText(sid::kLanguageEnglish), "Ingl\xE9s");

    ASSERT_TRUE(service->saveCurrentTranslation(makeTable({{stringKey(sid::kLanguageEnglish), "Ingles"}})));
    EXPECT_EQ(LoadText(sid::kLanguageEnglish), "Ingles");
    LanguageTable onDisk;
    ASSERT_EQ(readLanguageFile(dir / "Espa\xC3\xB1ol.lng", onDisk), LanguageFileResult::Ok);
    EXPECT_EQ(*onDisk.find(stringKey(sid::kLanguageEnglish)), "Ingles");
}

TEST_F(LanguageFolder, NewTranslationNameCannotLeaveTheProgramFolder)
{
    auto service = start();
    CapturingSink sink;
    EXPECT_FALSE(service->saveNewTranslation("../outside", kGerman));
    EXPECT_FALSE(service->saveNewTranslation("", kGerman));
    EXPECT_FALSE(std::filesystem::exists(dir.path().parent_path() / "outside.lng"));
    ASSERT_EQ(sink.shown.size(), 2u);
    EXPECT_EQ(sink.shown[0].id, sid::kErrorSavingFile);
    EXPECT_FALSE(service->saveCurrentTranslation(kGerman)); // built-in language: nothing to write
}

TEST(LanguageService, WithoutAnInstalledServiceTextsAreBuiltIn)
{
    ASSERT_EQ(LanguageService::installed(), nullptr);
    EXPECT_EQ(LoadText(sid::kRecordsExported), "%d records exported");
    EXPECT_EQ(LoadText(1), "");
    EXPECT_EQ(TranslationForDialog(208, 0), std::nullopt);
    EXPECT_EQ(LoadTextPrompt(sid::kCmdOpen), "Open calls database files");
    EXPECT_EQ(LoadTextTip(sid::kCmdOpen), "Open");
    EXPECT_EQ(LoadTextTip(sid::kRecordsExported), "");
    EXPECT_EQ(LoadTextPrompt(sid::kRecordsExported), "%d records exported");
}

TEST(LanguageService, CaseIsIgnoredAcrossTheCodePage)
{
    EXPECT_TRUE(equalsIgnoringCase("DEUTSCH", "deutsch"));
    EXPECT_TRUE(equalsIgnoringCase("\xC4\xD6\xDC\x8A", "\xE4\xF6\xFC\x9A"));
    EXPECT_FALSE(equalsIgnoringCase("\xD7", "\xF7")); // multiplication and division signs
    EXPECT_FALSE(equalsIgnoringCase("abc", "abcd"));
    EXPECT_EQ(escapeTabs("a\tb"), "a\\tb");
    EXPECT_EQ(expandTabs("a\\tb\\\\t\\"), "a\tb\\\t\\");
}
