// The main window's work on the live settings: the Settings sheet (10101) and
// the Add / Edit commands of the calls list's context menu (10021-10024).
//
// Both edit under the lock of the settings file's folder ("lock.dat"), taken
// before the edit starts and given up after the save. A file that changed on
// disk since it was loaded is reloaded before an edit starts, and is never
// overwritten by a save: that edit is dropped and the file reloaded instead.
#include "app/CMainFrame.h"
#include "app/CallsModel.h"
#include "app/Commands.h"
#include "core/Cp1252.h"
#include "editor/CSheetUD.h"
#include "editor/RecordDialogs.h"
#include "lang/Message.h"
#include "lang/StringIds.h"
#include "settings/LoginRule.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsLock.h"
#include "ui/ModalRunner.h"

#include <cctype>

namespace {

constexpr int kRecordLevel = login::kSupervisor; // the Add / Edit commands

// Replaces the record at `index` (-1: none) by `record` at the end of the list.
template <class Record> void moveToEnd(std::vector<Record>& list, int index, const Record& record)
{
    if (index >= 0 && static_cast<std::size_t>(index) < list.size())
        list.erase(list.begin() + index);
    list.push_back(record);
}

template <class Record> int validIndex(std::int32_t index, const std::vector<Record>& list)
{
    return index >= 0 && static_cast<std::size_t>(index) < list.size() ? index : -1;
}

} // namespace

bool CMainFrame::beginSettingsEdit(SettingsLock& lock)
{
    if (m_settingsPath.empty())
        m_settingsPath = std::filesystem::absolute(settingsFilePath(dataFolder()));
    if (lock.acquire(m_settingsPath.parent_path()) != SettingsLock::Result::Acquired) {
        MessageById(sid::kSettingsLocked, mb::kOk | mb::kIconStop);
        return false;
    }
    changedOnDisk(); // the edit starts from the latest file
    return true;
}

bool CMainFrame::changedOnDisk()
{
    if (!modifiedSince(m_settingsPath, m_settingsStamp))
        return false;
    MessageById(sid::kSettingsModified, mb::kOk | mb::kIconExclamation);
    reloadSettings();
    return true;
}

void CMainFrame::reloadSettings()
{
    // A file that does not load leaves the settings in memory as they are.
    const SettingsStamp stamp = SettingsStamp::of(m_settingsPath);
    SettingsDatabase loaded;
    if (::loadSettings(m_settingsPath, loaded) != SettingsLoadResult::Ok) {
        MessageById(sid::kDatabaseMissing, mb::kOk | mb::kIconStop, {PathText(m_settingsPath)});
        return;
    }
    m_settingsStamp = stamp;
    m_session->settings().copyFrom(loaded);
    takeSettings();
}

void CMainFrame::storeSettings(const std::function<void(SettingsDatabase&)>& change)
{
    // The list shows no rows from before the change until the calls are rated again.
    bool saved = true;
    rebuildList([&](Progress& progress) {
        SettingsDatabase& live = m_session->settings();
        change(live);
        live.rebuildIndexes();
        saved = saveSettings(m_settingsPath, live);
        if (saved)
            m_settingsStamp = SettingsStamp::of(m_settingsPath);
        m_session->settingsChanged(progress);
    });
    // The edit stays in memory even when the file could not be written.
    if (!saved)
        MessageById(sid::kErrorSavingDatabase, mb::kOk | mb::kIconStop, {PathText(m_settingsPath)});
}

void CMainFrame::commandSettings()
{
    SettingsLock lock;
    if (!beginSettingsEdit(lock))
        return;
    CSheetUD sheet(m_session->settings(), m_session->prefs(), m_ini, m_session->loginLevel() == login::kAdministrator,
                   m_ini.readInt("LastPage", "Settings", 0), this);
    if (runModal(sheet) != QDialog::Accepted || changedOnDisk())
        return;
    m_ini.writeInt("LastPage", "Settings", sheet.activeIndex());
    storeSettings([&sheet](SettingsDatabase& live) { live.copyFrom(sheet.work()); });
}

bool CMainFrame::canAddRecord(int id) const
{
    const CallRecord* call = m_session->currentCall();
    if (!call || !m_session->permits(kRecordLevel))
        return false;
    switch (id) {
    case cmd::kAddContact:
        return call->contactIndex == -1 && !call->number().empty();
    case cmd::kAddProject:
        return m_session->settings().header.linkAccountCodes != 0 && call->projectIndex == -1
               && !call->account().empty();
    default:
        return true;
    }
}

void CMainFrame::commandAddRecord(int id)
{
    SettingsLock lock;
    if (!beginSettingsEdit(lock) || !m_session->currentCall())
        return;
    const CallRecord call = *m_session->currentCall(); // as rated after a reload
    const SettingsDatabase& db = m_session->settings();
    std::function<void(SettingsDatabase&)> change;
    // The record dialog and the duplicate check on the live settings; the
    // change replaces the entry at `index` (if any) by the record at the end of the list.
    const auto ask = [&](auto list, int index, auto record) {
        if (showRecordDialog(record, true, db, m_session->prefs(), this) && acceptRecord(record, index, db))
            change = [list, index, record](SettingsDatabase& live) { moveToEnd(live.*list, index, record); };
    };
    switch (id) {
    case cmd::kAddEditEmployee: {
        const int index = validIndex(call.directoryIndex, db.directory);
        DirectoryEntry record = index >= 0 ? db.directory[static_cast<std::size_t>(index)] : DirectoryEntry{};
        if (index < 0 && !call.account().empty())
            record.accountCode.assign(call.account());
        else if (index < 0)
            record.extension = static_cast<std::int32_t>(call.extension);
        ask(&SettingsDatabase::directory, index, record);
        break;
    }
    case cmd::kAddEditTrunk: {
        const int index = validIndex(call.trunkIndex, db.trunks);
        TrunkEntry record = index >= 0 ? db.trunks[static_cast<std::size_t>(index)] : TrunkEntry{};
        if (index < 0)
            record.number = call.trunk;
        ask(&SettingsDatabase::trunks, index, record);
        break;
    }
    case cmd::kAddContact: {
        ContactEntry record;
        std::string digits;
        for (char c : call.number())
            if (std::isdigit(static_cast<unsigned char>(c)))
                digits.push_back(c);
        record.number.assign(digits);
        record.name.assign(call.name());
        ask(&SettingsDatabase::contacts, -1, record);
        break;
    }
    case cmd::kAddProject: {
        ProjectEntry record;
        record.accountCode.assign(call.account());
        ask(&SettingsDatabase::projects, -1, record);
        break;
    }
    default:
        break;
    }
    if (change)
        storeSettings(change);
}
