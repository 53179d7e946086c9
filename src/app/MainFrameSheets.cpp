// The main window's property sheets: the filter editor and the preferences.
#include "app/CMainFrame.h"
#include "app/CallsListController.h"
#include "filter/gui/CSheetFE.h"
#include "lang/Message.h"
#include "lang/StringIds.h"
#include "prefs/gui/CSheetPF.h"
#include "ui/ModalRunner.h"

namespace {

constexpr const char* kLastPage = "LastPage";

} // namespace

void CMainFrame::commandFilter()
{
    CSheetFE sheet(m_session->prepareFilterEditor(), m_session->settings(), m_session->prefs(),
                   m_session->showsFilterSavePage(), m_ini.readInt(kLastPage, "Filter", 0), this);
    if (runModal(sheet) != QDialog::Accepted)
        return;
    m_ini.writeInt(kLastPage, "Filter", sheet.activeIndex());
    bool saved = true;
    rebuildList([this, &sheet, &saved](Progress& progress) {
        saved = m_session->takeFilterEditorResult(sheet.state(), progress);
    });
    m_session->saveConfiguration(m_ini); // the default filter name
    if (!saved)
        MessageById(sid::kErrorSavingFile, mb::kOk | mb::kIconStop, {PathText(savedfilters::pathIn(m_programFolder))});
}

void CMainFrame::commandPreferences()
{
    const ListLayout current = m_list->columns();
    PreferencesEditorState state{m_session->prefs(), current.types, current.columns};
    CSheetPF sheet(std::move(state), m_ini.readInt(kLastPage, "Prefs", 0), this);
    if (runModal(sheet) != QDialog::Accepted)
        return;
    m_ini.writeInt(kLastPage, "Prefs", sheet.activeIndex());
    ListLayout layout = current;
    layout.types = sheet.state().order;
    layout.columns = sheet.state().shown;
    takePreferences(sheet.state().prefs, layout);
}
