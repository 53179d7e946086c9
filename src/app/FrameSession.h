#pragma once
// What the main window works on, short of widgets: the loaded calls, the live
// settings database and the preferences, the rating pipeline, the column
// texts and order of the calls list, and the login level.
//
// ADAPTER: the widget-free main-window object of src/session/ (filter, undo
// stack, saved filters, enabling rules) is to take this over; until it lands
// the window works without filters and this class only composes the engine
// pieces that exist.

#include "calls/CallSession.h"
#include "core/IniProfile.h"
#include "prefs/CallColumns.h"
#include "prefs/Preferences.h"
#include "rating/RatingPipeline.h"
#include "settings/SettingsDatabase.h"
#include "settings/SettingsLocation.h"

#include <filesystem>
#include <memory>

class FrameSession
{
public:
    FrameSession(std::filesystem::path programFolder, IniProfile& ini);
    FrameSession(const FrameSession&) = delete;
    FrameSession& operator=(const FrameSession&) = delete;

    const std::filesystem::path& programFolder() const { return m_programFolder; }
    IniProfile& ini() { return m_ini; }
    // The network folder of a network installation, else the program folder.
    std::filesystem::path dataFolder() const;

    // Loads "brisel.dat" from the data folder and rebuilds its indexes. A network
    // installation whose file does not load asks whether to continue with the
    // program folder's file. False (with `failed` the path) when none loaded.
    bool loadSettings(std::filesystem::path& failed);
    const SettingsDatabase& settings() const { return m_settings; }
    const Preferences& prefs() const { return m_prefs; }

    CallSession& calls() { return m_calls; }
    const CallSession& calls() const { return m_calls; }
    const CallColumns& columns() const { return *m_columns; }
    // Builds the column texts and order again (the language, the preferences or the settings changed).
    void refreshColumns();
    // Ranks the name texts of the loaded calls, so sorting by Contact needs no collation.
    void rankCallNames() { m_columns->rankCallNames(m_calls.calls()); }

    const SortKeys& sortKeys() const { return m_sortKeys; }
    // Takes the keys as the list's order (it is sorted by the caller).
    void setSortKeys(const SortKeys& keys);

    int loginLevel() const { return m_loginLevel; }
    void setLoginLevel(int level) { m_loginLevel = level; }
    bool permits(int commandLevel) const { return m_loginLevel <= commandLevel; }

private:
    std::filesystem::path m_programFolder;
    IniProfile& m_ini;
    NetworkSettings m_network;
    SettingsDatabase m_settings;
    Preferences m_prefs;
    RatingPipeline m_rating;
    CallSession m_calls;
    std::unique_ptr<CallColumns> m_columns;
    SortKeys m_sortKeys;
    int m_loginLevel = 0;
};
