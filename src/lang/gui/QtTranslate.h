#pragma once
// The language service on Qt widgets: dialogs, property pages and menus take
// their texts from the resource registry and, when the current language has
// them, from its translation. Controls are found by the id they carry (see
// setControlId); menu actions carry their command id (see commandIdOf).

#include <QString>

#include <string_view>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

// Windows-1252 bytes of the engine as a QString.
QString qtText(std::string_view bytes);

// The id of a dialog control, as the dialog template numbers it.
void setControlId(QWidget* control, int id);
int controlIdOf(const QWidget* control);

// The command id of a menu or toolbar action; 0 for none (pop-ups, separators).
void setCommandId(QAction* action, int commandId);
int commandIdOf(const QAction* action);

// The English text of a dialog's control (0: its title) from the registered
// template, translated when the current language has a text for it.
QString dialogText(int templateId, int controlId);

// Gives the dialog its title and each control carrying an id its text: the
// registered template's, replaced by the translation where one exists.
// Labels, buttons (also check and radio boxes) and group boxes take texts.
// Both take the texts again when the window gets a language-change event.
void TranslateDialog(int templateId, QWidget* dialog);
// A property page's tab title (its window title; the sheet shows it on the tab).
void TranslatePageTitle(int templateId, QWidget* page);

// Sets the text of each item of a menu (a menu bar or one pop-up menu made from
// menu resource `menuId`) that has a translation, walking the pop-ups
// depth-first as the language keys number them; separators are skipped.
void TranslateMenu(int menuId, QMenuBar* menu);
void TranslateMenu(int menuId, QMenu* menu);

// Fills a menu bar or a menu with the items of registered menu resource
// `menuId` (actions carry their command ids, pop-ups are sub-menus), then
// translates it. Returns false when no such menu is registered.
bool buildMenu(int menuId, QMenuBar* bar);
// The items of the first pop-up of the resource (context menus).
bool buildPopupMenu(int menuId, QMenu* menu);

// Qt's own dialogs (file dialogs, standard buttons) in the current language:
// loads Qt's translation for the language code the current language names
// (string "en" in English) from Qt's translations folder, in place of the one
// loaded before. False when there is none for that code (Qt's English shows).
bool LoadQtTranslation();

// Every action below `menu` (recursing into pop-ups) with this command id, or nullptr.
QAction* findCommand(QWidget* menu, int commandId);
