#include "LanguageTestSupport.h"

#include "lang/LanguageBuilder.h"
#include "lang/LanguageKeys.h"
#include "lang/Resources.h"

#include <gtest/gtest.h>

using langkey::menuKey;
using langkey::menuPopupKey;

TEST(LanguageKeys, FormulasOfEachKind)
{
    EXPECT_EQ(langkey::stringKey(25301), 0xC0000000u + 25301);
    EXPECT_EQ(langkey::dialogKey(208, 6303), 0x80D0189Fu);
    EXPECT_EQ(langkey::dialogKey(0x4000 + 208, 6303), 0x80D0189Fu); // template ids keep 14 bits
    EXPECT_EQ(langkey::pageTitleKey(231), 0x80E70000u);
    EXPECT_EQ(menuKey(101, 3, 10114), 0x46532782u);
    EXPECT_EQ(menuKey(252, 17, 10010), menuKey(252, 1, 10010)); // the pop-up number keeps 4 bits
    EXPECT_EQ(langkey::kindOf(menuPopupKey(101, 0)), langkey::Kind::Menu);
    EXPECT_EQ(langkey::kindOf(langkey::stringKey(1)), langkey::Kind::String);
}

TEST(LanguageKeys, MenuItemsAreNumberedByThePopupsMetSoFar)
{
    ResourceSet set;
    ASSERT_TRUE(parseResourceText(R"(
MENU 7
  ITEM 100 "Before any pop-up"
  POPUP "First"
    ITEM 101 "In first"
    POPUP "Nested"
      ITEM 102 "In nested"
    END
    ITEM 103 "In first, after nested"
    SEPARATOR
  END
  POPUP "Second"
    ITEM 104 "In second"
  END
  ITEM 105 "After all"
END
)",
                                  set));
    const std::vector<LanguageEntry> expected = {{menuKey(7, 0, 100), "Before any pop-up"},
                                                 {menuPopupKey(7, 1), "First"},
                                                 {menuKey(7, 1, 101), "In first"},
                                                 {menuPopupKey(7, 2), "Nested"},
                                                 {menuKey(7, 2, 102), "In nested"},
                                                 {menuKey(7, 2, 103), "In first, after nested"},
                                                 {menuPopupKey(7, 3), "Second"},
                                                 {menuKey(7, 3, 104), "In second"},
                                                 {menuKey(7, 3, 105), "After all"}};
    EXPECT_EQ(keyedTexts(set.menus.at(0)), expected);
}

TEST(Resources, BuiltInMenusParseAndCarryTheLanguageCommands)
{
    ResourceSet set;
    std::string error;
    ASSERT_TRUE(parseResourceText(ResourceRegistry::builtInResourceText(), set, &error)) << error;
    const ResourceRegistry& registry = ResourceRegistry::global();
    ASSERT_NE(registry.menu(101), nullptr);
    ASSERT_NE(registry.menu(252), nullptr);
    ASSERT_NE(registry.dialog(208), nullptr);

    // "&Language" is the View menu's eighth item, and the third pop-up of the menu.
    const MenuItem& view = registry.menu(101)->items.at(1);
    ASSERT_EQ(view.items.size(), 8u);
    EXPECT_EQ(view.items[7].text, "&Language");
    EXPECT_EQ(view.items[7].items.at(0).commandId, 10114);
    const auto texts = keyedTexts(*registry.menu(101));
    EXPECT_NE(std::find(texts.begin(), texts.end(), LanguageEntry{menuPopupKey(101, 3), "&Language"}), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), LanguageEntry{menuKey(101, 1, 57601), "&Open...\tCtrl+O"}),
              texts.end());
}

TEST(Resources, TextsAreConvertedAndErrorsNameTheLine)
{
    ResourceSet set;
    ASSERT_TRUE(parseResourceText("PAGE 231 \"\xC3\x9C"
                                  "bersicht\"  # comment\n  CONTROL 6203 \"Say \\\"hi\\\"\\n\"\nEND\n",
                                  set));
    ASSERT_EQ(set.dialogs.size(), 1u);
    EXPECT_TRUE(set.dialogs[0].page);
    EXPECT_EQ(set.dialogs[0].title, "\xDC"
                                    "bersicht");
    EXPECT_EQ(set.dialogs[0].controls.at(0).text, "Say \"hi\"\n");

    struct Case
    {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"DIALOG 5 \"x\"\nCONTROL 1 \"a\"\nCONTROL 1 \"b\"\nEND\n", "line 3: control id 1 used twice in one dialog"},
        {"DIALOG 5 \"x\"\nCONTROL 0 \"a\"\nEND\n", "line 2: CONTROL needs an id from 1 to 65535 and a quoted text"},
        {"MENU 1\nPOPUP \"a\"\nEND\n", "END missing at end of text"},
        {"MENU 1\nITEM 70000 \"a\"\nEND\n", "line 2: ITEM needs a command id from 1 to 65535"},
        {"DIALOG 5 \"bad \\q\"\nEND\n", "line 1: unknown escape \\q"},
        {"DIALOG 5 \"open\nEND\n", "line 1: text without closing quote"},
        {"END\n", "line 1: MENU, DIALOG or PAGE expected, found END"},
    };
    for (const Case& c : cases) {
        std::string error;
        ResourceSet untouched;
        EXPECT_FALSE(parseResourceText(c.text, untouched, &error)) << c.text;
        EXPECT_EQ(error, c.error) << c.text;
        EXPECT_TRUE(untouched.menus.empty() && untouched.dialogs.empty());
    }
}

TEST(Resources, RegistryKeepsIdOrderAndReplacesById)
{
    ResourceRegistry registry;
    registry.add(DialogTemplate{300, "Three", {{1, "OK"}}, false});
    registry.add(DialogTemplate{200, "Two", {}, false});
    registry.add(DialogTemplate{300, "Three again", {}, true});
    ASSERT_EQ(registry.dialogs().size(), 2u);
    EXPECT_EQ(registry.dialogs()[0].id, 200);
    EXPECT_EQ(registry.dialog(300)->title, "Three again");
    EXPECT_EQ(registry.dialog(301), nullptr);
}

TEST(LanguageBuilder, BaseFileHoldsEveryMenuDialogAndStringTextWithEscapedTabs)
{
    ResourceSet set;
    ASSERT_TRUE(parseResourceText("MENU 101\nPOPUP \"&File\"\nITEM 57601 \"&Open\\tCtrl+O\"\nEND\nEND\n"
                                  "DIALOG 203 \"Options\"\nCONTROL 1 \"OK\"\nCONTROL 6212 \"First line\"\nEND\n"
                                  "DIALOG 208 \"Edit\"\nCONTROL 1 \"OK\"\nEND\n",
                                  set));
    const BuiltInString strings[] = {{25301, "kRecordsExported", "%d records exported"}};
    std::vector<std::string> problems;
    const LanguageTable base = buildBaseTable(set, strings, &problems);
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(base.entries(), (std::vector<LanguageEntry>{{menuPopupKey(101, 1), "&File"},
                                                          {menuKey(101, 1, 57601), "&Open\\tCtrl+O"},
                                                          {langkey::dialogKey(203, 0), "Options"},
                                                          {langkey::dialogKey(203, 1), "OK"},
                                                          {langkey::dialogKey(203, 6212), "First line"},
                                                          {langkey::dialogKey(208, 0), "Edit"},
                                                          {langkey::stringKey(25301), "%d records exported"}}));
    // The second dialog's "OK" shares the first one's text.
    EXPECT_EQ(base.mappedKey(langkey::dialogKey(208, 1)), langkey::dialogKey(203, 1));

    // Menus whose ids give the same keys with different texts are reported.
    ResourceSet clash = set;
    clash.menus.push_back(clash.menus[0]);
    clash.menus[1].id = 101 + 1024;
    clash.menus[1].items[0].text = "&Other";
    buildBaseTable(clash, strings, &problems);
    EXPECT_EQ(problems.size(), 1u);
}

TEST(LanguageBuilder, TranslationKeepsOnlyDifferentTextsAndReportsGapsAndMismatches)
{
    ResourceSet set;
    ASSERT_TRUE(
        parseResourceText("MENU 101\nPOPUP \"&File\"\nITEM 57601 \"&Open\\tCtrl+O\"\nEND\nEND\n"
                          "DIALOG 203 \"Options\"\nCONTROL 1 \"OK\"\nEND\nDIALOG 208 \"Edit\"\nCONTROL 1 \"OK\"\nEND\n",
                          set));
    const BuiltInString strings[] = {{25301, "a", "%d records exported"}, {25302, "b", "CD"}};
    const LanguageTable base = buildBaseTable(set, strings);

    TranslationSource source;
    std::string error;
    ASSERT_TRUE(parseStringsList("# comment\n\n25301\t%d Datens\xC3\xA4tze\\nexportiert\n25302\tCD\r\n", source.strings,
                                 &error))
        << error;
    ASSERT_TRUE(parseResourceText("MENU 101\nPOPUP \"&Datei\"\nITEM 57601 \"\xC3\x96&ffnen\\tStrg+O\"\nEND\nEND\n"
                                  "DIALOG 208 \"Bearbeiten\"\nCONTROL 1 \"Gut\"\nEND\n",
                                  source.resources));
    std::vector<std::string> problems, missing;
    const LanguageTable german = buildTranslationTable(base, set, source, problems, missing);
    EXPECT_TRUE(problems.empty());
    EXPECT_TRUE(missing.empty());
    EXPECT_EQ(german.entries(),
              (std::vector<LanguageEntry>{{menuPopupKey(101, 1), "&Datei"},
                                          {menuKey(101, 1, 57601), "\xD6&ffnen\\tStrg+O"},
                                          {langkey::dialogKey(203, 1), "Gut"},
                                          {langkey::dialogKey(208, 0), "Bearbeiten"},
                                          {langkey::stringKey(25301), "%d Datens\xE4tze\nexportiert"}}));

    TranslationSource wrong;
    wrong.strings = {{25399, "?"}};
    ASSERT_TRUE(parseResourceText("MENU 101\nPOPUP \"&Datei\"\nSEPARATOR\nEND\nEND\n", wrong.resources));
    const LanguageTable partial = buildTranslationTable(base, set, wrong, problems, missing);
    EXPECT_TRUE(partial.empty());
    EXPECT_EQ(problems.size(), 2u); // unknown string, menu of another shape
    EXPECT_EQ(missing.size(), 4u);  // both strings and both menu texts

    // A translation must fill in what the original fills in.
    TranslationSource misfit;
    misfit.strings = {{25301, "%s Datens\xC3\xA4tze"}};
    problems.clear();
    buildTranslationTable(base, set, misfit, problems, missing);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("does not fill in"), std::string::npos);

    std::map<int, std::string> out;
    EXPECT_FALSE(parseStringsList("1\ta\n1\tb\n", out, &error));
    EXPECT_EQ(error, "line 2: string 1 given twice");
    EXPECT_FALSE(parseStringsList("x1\ta\n", out, &error));
    EXPECT_EQ(error, "line 1: expected a string id, a tab and the text");
}
