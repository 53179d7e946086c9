#include "textfile/gui/ListTransfer.h"

#include "lang/Message.h"
#include "lang/StringIds.h"
#include "settings/SettingsDatabase.h"
#include "textfile/gui/QtTextTableFrontEnd.h"

#include <QApplication>

namespace listtransfer {

namespace {

class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

bool importInto(QWidget* parent, IniProfile& ini, SettingsDatabase& working, const Preferences& prefs,
                ListSelector which, ListImportHooks hooks)
{
    TextTableFile file(TextTableMode::Import);
    QtTextTableFrontEnd frontEnd(parent);
    if (!openListWithOptions(file, ini, which.list, frontEnd))
        return false;
    if (!hooks.confirmLargeContactList)
        hooks.confirmLargeContactList = [] {
            return MessageById(sid::kLargeContactListWarning, mb::kYesNo | mb::kIconExclamation) == mb::kIdYes;
        };
    TextTableFile::Outcome outcome;
    {
        const WaitCursor wait;
        importList(file, working, prefs, which, hooks);
        outcome = file.finish();
        working.rebuildIndexes();
    }
    showTextTableOutcome(outcome, sid::kRecordsImported);
    return true;
}

bool exportFrom(QWidget* parent, IniProfile& ini, const SettingsDatabase& db, const Preferences& prefs,
                ListSelector which, std::span<const std::size_t> selected)
{
    TextTableFile file(TextTableMode::Export);
    QtTextTableFrontEnd frontEnd(parent);
    if (!openListWithOptions(file, ini, which.list, frontEnd))
        return false;
    TextTableFile::Outcome outcome;
    {
        const WaitCursor wait;
        if (file.options().selection)
            exportList(file, db, prefs, which, selected);
        else
            exportList(file, db, prefs, which);
        outcome = file.finish();
    }
    showTextTableOutcome(outcome, sid::kRecordsExported);
    return outcome.ok;
}

} // namespace listtransfer
