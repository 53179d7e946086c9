#pragma once
// The filter editor "Filter": a property sheet over a working copy of the
// current filter, the saved filters and the default filter name. The pages
// "Type && dialing", "Date, time, cost" and "Lines" edit the filter; "Save /
// Load" (only for a login level that may save filters) loads, saves and
// deletes saved filters and chooses the default one. Nothing reaches the
// program until the caller takes state() after OK.

#include "session/MainSession.h"
#include "ui/PropertySheet.h"

class CPageFTDate;
class CPageFTLine;
class CPageFTSave;
class CPageFTType;
class SettingsDatabase;
struct Preferences;

// What the pages share: the working copies and what fills their lists.
struct FilterEditorContext
{
    FilterEditorState state;
    const SettingsDatabase& settings;
    const Preferences& prefs;
};

class CSheetFE : public CPropertySheet
{
    Q_OBJECT
public:
    // Opens on page `startPage` ("LastPage" "Filter"); the first when that page is absent.
    CSheetFE(FilterEditorState state, const SettingsDatabase& settings, const Preferences& prefs, bool withSavePage,
             int startPage, QWidget* parent = nullptr);
    ~CSheetFE() override;

    // The working copies, as the pages left them (after OK: the result).
    const FilterEditorState& state() const { return m_context.state; }

    CPageFTType* typePage() const { return m_type; }
    CPageFTDate* datePage() const { return m_date; }
    CPageFTLine* linePage() const { return m_line; }
    CPageFTSave* savePage() const { return m_save; } // nullptr without the page

private:
    FilterEditorContext m_context;
    CPageFTType* m_type;
    CPageFTDate* m_date;
    CPageFTLine* m_line;
    CPageFTSave* m_save = nullptr;
};
