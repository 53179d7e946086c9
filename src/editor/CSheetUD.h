#pragma once
// The Settings sheet: one page per part of the settings database, all over a
// working copy that the sheet owns. The pages never reach the live database;
// the caller copies work() back after OK (and throws it away on Cancel).
//
// The sheet is resizable and can be maximized, not minimized. Its place and
// size are kept in INI section "UDSheet_Layout" ("Left", "Top", "Width",
// "Height", "Maximized") whichever button closes it.
//
// Pages: the page table below names every page in tab order with a maker;
// a page is added to the sheet by one line there. Each page reaches the
// working copy, the preferences and the INI file through the sheet it is
// made for.

#include "settings/SettingsDatabase.h"
#include "ui/PropertySheet.h"

#include <functional>
#include <vector>

class IniProfile;
struct Preferences;

class CSheetUD : public CPropertySheet
{
    Q_OBJECT
public:
    struct PageEntry
    {
        int templateId;
        bool administratorOnly; // the Security page
        std::function<CPropertyPage*(CSheetUD&)> make;
    };
    // Every page the sheet knows, in tab order.
    static const std::vector<PageEntry>& pageTable();
    // The templates of the pages a sheet shows, in tab order; `security` adds
    // the Administrator's pages.
    static std::vector<int> pageTemplates(bool security);

    // `live` is copied into the working copy; `startPage` is the "LastPage"
    // index (the first page when it names no page of this sheet).
    CSheetUD(const SettingsDatabase& live, const Preferences& prefs, IniProfile& ini, bool security, int startPage,
             QWidget* parent = nullptr);
    ~CSheetUD() override;

    SettingsDatabase& work() { return m_work; }
    const SettingsDatabase& work() const { return m_work; }
    const Preferences& prefs() const { return m_prefs; }
    IniProfile& ini() { return m_ini; }

    // The page of that template, or nullptr when the sheet does not show it.
    CPropertyPage* pageOf(int templateId) const;

    // Writes "UDSheet_Layout" from the window as it is now.
    void storeLayout();
    // Closes the sheet (OK or Cancel) and stores the layout.
    void done(int result) override;

protected:
    void changeEvent(QEvent* event) override;

private:
    void restoreLayout();

    SettingsDatabase m_work;
    const Preferences& m_prefs;
    IniProfile& m_ini;
};
