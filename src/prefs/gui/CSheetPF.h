#pragma once
// The Preferences sheet: "View", "Columns", "Colors && call types" and
// "Reports customization" over copies of the preference values and of the
// calls list's column set. Nothing reaches the program until the caller takes
// state() after OK.

#include "prefs/CallColumns.h"
#include "prefs/Preferences.h"
#include "ui/PropertySheet.h"

#include <array>

class CPagePFColor;
class CPagePFColumn;
class CPagePFReport;
class CPagePFView;

struct PreferencesEditorState
{
    Preferences prefs;
    // Every column type once; the first `shown` are the list's columns, in order.
    std::array<ColumnType, kColumnTypeCount> order{};
    int shown = 1;
};

class CSheetPF : public CPropertySheet
{
    Q_OBJECT
public:
    CSheetPF(PreferencesEditorState state, int startPage, QWidget* parent = nullptr);
    ~CSheetPF() override;

    const PreferencesEditorState& state() const { return m_state; }

    CPagePFView* viewPage() const { return m_view; }
    CPagePFColumn* columnPage() const { return m_column; }
    CPagePFColor* colorPage() const { return m_color; }
    CPagePFReport* reportPage() const { return m_report; }

private:
    PreferencesEditorState m_state;
    CPagePFView* m_view;
    CPagePFColumn* m_column;
    CPagePFColor* m_color;
    CPagePFReport* m_report;
};
