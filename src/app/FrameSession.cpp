#include "app/FrameSession.h"

#include "lang/StringTable.h"
#include "settings/SettingsFile.h"

FrameSession::FrameSession(std::filesystem::path programFolder, IniProfile& ini)
    : m_programFolder(std::move(programFolder))
    , m_ini(ini)
    , m_network(NetworkSettings::read(ini))
    , m_rating(m_settings, m_prefs)
{
    m_prefs.load(ini);
    m_rating.preferencesChanged(m_prefs);
    m_calls.setPipeline(&m_rating);
    refreshColumns();
}

std::filesystem::path FrameSession::dataFolder() const
{
    return ::dataFolder(m_network, m_programFolder);
}

bool FrameSession::loadSettings(std::filesystem::path& failed)
{
    std::filesystem::path path = std::filesystem::absolute(settingsFilePath(dataFolder()));
    SettingsLoadResult result = ::loadSettings(path, m_settings);
    const std::filesystem::path local = std::filesystem::absolute(settingsFilePath(m_programFolder));
    if (result != SettingsLoadResult::Ok && path != local) {
        if (MessageById(sid::kNetworkDatabaseMissing, mb::kYesNo | mb::kIconExclamation, {PathText(path)}) != mb::kIdYes) {
            failed = path;
            return false;
        }
        path = local;
        result = ::loadSettings(path, m_settings);
    }
    if (result != SettingsLoadResult::Ok) {
        failed = path;
        return false;
    }
    m_settings.rebuildIndexes();
    m_rating.settingsChanged();
    refreshColumns();
    return true;
}

void FrameSession::refreshColumns()
{
    m_columns = std::make_unique<CallColumns>(m_settings, m_prefs);
    m_calls.setOrder(m_columns->order(m_sortKeys));
}

void FrameSession::setSortKeys(const SortKeys& keys)
{
    m_sortKeys = keys;
    m_calls.setOrder(m_columns->order(m_sortKeys));
}
