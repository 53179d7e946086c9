// The main window's part in the start-up: the settings, the login and the
// state of no files open.
#include "app/CDlgLogin.h"
#include "app/CMainFrame.h"
#include "app/CallsListController.h"
#include "app/CallsModel.h"
#include "lang/StringTable.h"
#include "lang/gui/QtTranslate.h"
#include "settings/SettingsFile.h"

bool CMainFrame::loadSettings()
{
    // A network installation whose shared file does not load may go on with the
    // program folder's own file.
    std::filesystem::path path = std::filesystem::absolute(settingsFilePath(dataFolder()));
    const std::filesystem::path local = std::filesystem::absolute(settingsFilePath(m_programFolder));
    m_settingsStamp = SettingsStamp::of(path);
    SettingsLoadResult result = ::loadSettings(path, m_session->settings());
    if (result != SettingsLoadResult::Ok && path != local
        && MessageById(sid::kNetworkDatabaseMissing, mb::kYesNo | mb::kIconExclamation, {PathText(path)})
               == mb::kIdYes) {
        path = local;
        m_settingsStamp = SettingsStamp::of(path);
        result = ::loadSettings(path, m_session->settings());
    }
    if (result != SettingsLoadResult::Ok) {
        // A sound file too large for this machine's memory is not "corrupt".
        MessageById(result == SettingsLoadResult::OutOfMemory ? sid::kFileTooLargeForMemory : sid::kDatabaseMissing,
                    mb::kOk | mb::kIconStop, {PathText(path)});
        return false;
    }
    m_settingsPath = path;
    m_session->settings().rebuildIndexes();
    NoProgress quiet;
    m_session->settingsChanged(quiet);
    m_model->reset();
    m_list->showTotals();
    return true;
}

void CMainFrame::restoreFromMinimized()
{
    if (!isMinimized())
        return;
    if (m_maximize)
        showMaximized();
    else
        showNormal();
}

bool CMainFrame::logIn()
{
    const auto level = CDlgLogin::run(this, m_session->settings().header);
    if (!level)
        return false;
    m_session->setLoginLevel(*level);
    updateCommandStates();
    return true;
}

void CMainFrame::resetToNoFiles()
{
    m_list->stopAutoRefresh();
    m_session->start(m_ini);
    m_list->showRows(false);
    updateCommandStates();
}
