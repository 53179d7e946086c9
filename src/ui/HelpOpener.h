#pragma once
// Opens the program's help file (the current language's, see HelpFilePath) at
// the section of a window: every Help button and "Help Topics" come here. The
// file is shown in a help window of its own beside the caller; tests replace
// the viewer to see which file and anchor would open.

#include <QDialogButtonBox>

#include <filesystem>
#include <functional>
#include <string>

class QWidget;

namespace help {

struct HelpRequest
{
    std::filesystem::path file;
    std::string anchor;
};

// Replaces the help window (tests); an empty viewer restores it.
using HelpViewer = std::function<void(const HelpRequest&)>;
void setHelpViewer(HelpViewer viewer);

// Opens the section of dialog or property page `templateId` (see anchorFor).
void openHelp(QWidget* parent, int templateId);
// Opens the table of contents ("Help Topics").
void openHelpContents(QWidget* parent);
// Opens `anchor` of the help file; a missing file is reported (message 25170).
void openHelpAnchor(QWidget* parent, const std::string& anchor);

// Adds the Help button to a dialog's button row, opening the section of
// `templateId` (the dialog gives it control id 9 for its translated text);
// F1 in the dialog does the same.
QPushButton* addHelpButton(QDialogButtonBox* buttons, int templateId);

} // namespace help
