#pragma once
// The registry of the program's menus and dialog templates with their ids and
// English texts. It is what the base language file is made from, and what the
// translation lookup's keys refer to: a menu item's key comes from its place in
// its menu, a dialog control's key from the dialog and control ids.
//
// The menus of the main window (101) and of the calls list (252) and the
// translation editor's dialog are built in (lang/resources.qxr). Window code
// adds its own dialogs, either in code (ResourceRegistry::global().add(...)) or
// as resource text files "*.qxr" under src/, which the build also feeds to the
// base language file generator. Resource text, UTF-8, one statement a line:
//
//   # comment
//   MENU 101
//     POPUP "&File"
//       ITEM 57601 "&Open...\tCtrl+O"
//       SEPARATOR
//     END
//   END
//   DIALOG 208 "Edit translation"      (PAGE for a property page: the title is its tab title)
//     CONTROL 6201 "Text"
//   END
//
// Quoted texts take the escapes \n \t \" and \\. Control ids are 1..65535 and
// unique within their dialog: a label that should be translated needs an id of
// its own (all labels sharing one id would get one text).

#include "lang/LanguageFile.h"

#include <string>
#include <string_view>
#include <vector>

struct MenuItem
{
    enum class Type { Command, Popup, Separator };
    Type type = Type::Command;
    int commandId = 0;           // Command only
    std::string text;            // Windows-1252; a tab before the shortcut
    std::vector<MenuItem> items; // Popup only

    bool operator==(const MenuItem&) const = default;
};

struct MenuTemplate
{
    int id = 0;
    std::vector<MenuItem> items;

    bool operator==(const MenuTemplate&) const = default;
};

struct DialogControl
{
    int id = 0;
    std::string text;

    bool operator==(const DialogControl&) const = default;
};

struct DialogTemplate
{
    int id = 0;
    std::string title; // for a property page: its tab title
    std::vector<DialogControl> controls;
    bool page = false;

    bool operator==(const DialogTemplate&) const = default;
};

// The (key, text) pairs of a menu, walked depth-first in item order; separators
// and items without text are skipped. Texts are as in the template (real tabs).
std::vector<LanguageEntry> keyedTexts(const MenuTemplate& menu);
// The title (control 0) and every control with a text.
std::vector<LanguageEntry> keyedTexts(const DialogTemplate& dialog);

struct ResourceSet
{
    std::vector<MenuTemplate> menus;
    std::vector<DialogTemplate> dialogs;
};

// Parses resource text (UTF-8; texts are converted to Windows-1252). On a syntax
// error returns false and sets `error` to "line N: what".
bool parseResourceText(std::string_view text, ResourceSet& out, std::string* error = nullptr);

class ResourceRegistry
{
public:
    // The program's registry, holding the built-in menus and dialogs from the start.
    static ResourceRegistry& global();

    // Adds a template, replacing one with the same id.
    void add(MenuTemplate menu);
    void add(DialogTemplate dialog);
    void add(const ResourceSet& set);

    const MenuTemplate* menu(int id) const;
    const DialogTemplate* dialog(int id) const;
    // Ascending by id.
    const std::vector<MenuTemplate>& menus() const { return m_menus; }
    const std::vector<DialogTemplate>& dialogs() const { return m_dialogs; }

    // The built-in resource text (lang/resources.qxr).
    static std::string_view builtInResourceText();

private:
    std::vector<MenuTemplate> m_menus;
    std::vector<DialogTemplate> m_dialogs;
};
