#pragma once
// File > Export...: the calls the list shows (or its selected rows) into a
// text file, through the options dialog 203 in export mode and the save
// dialog, with "Exporting..." and the progress bar, closing with the count
// (25301). Cancel anywhere, or no field checked, does nothing.

#include <cstddef>
#include <span>

class IniProfile;
class MainSession;
class QWidget;
class StatusPanel;

// `selectedRows`: rows of the list, for "Export selected records". True when a file was written.
bool exportShownCalls(QWidget* frame, StatusPanel& status, IniProfile& ini, const MainSession& session,
                      std::span<const std::size_t> selectedRows);
