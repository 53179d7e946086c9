#pragma once
// The Import and Export buttons of the settings lists (directory, trunks,
// contacts, projects, a carrier's prefixes, holidays, exchange rates, a
// carrier's toll rates), in windows. An import asks for the file and the
// options, reads the file into the given settings (the sheet's working copy),
// rebuilds its indexes and shows the counts (25302); an export asks for the
// options and the file, writes the list and shows the count (25301). Layouts
// and options are kept in the list's INI section. Errors are shown as boxes.

#include "textfile/SettingsListIo.h"

#include <cstddef>
#include <span>

class IniProfile;
class QWidget;
class SettingsDatabase;
struct Preferences;

namespace listtransfer {

// True when the file was read, so the caller redraws its list (it may also be
// unchanged); false when cancelled or the file could not be opened. Without a
// large-contact-list hook the question 25322 is asked (Yes/No).
bool importInto(QWidget* parent, IniProfile& ini, SettingsDatabase& working, const Preferences& prefs,
                ListSelector which, ListImportHooks hooks = {});

// `selected`: the indices of the selected entries in list order, written
// instead of the whole list when "Export selected records" is checked. True
// when a file was written.
bool exportFrom(QWidget* parent, IniProfile& ini, const SettingsDatabase& db, const Preferences& prefs,
                ListSelector which, std::span<const std::size_t> selected);

} // namespace listtransfer
