#pragma once
// "Edit translation..." (10113) and "New translation..." (10114): the
// translation editor run on the current translation or on an empty one, and
// the result written as a language file in the program folder. Both return
// true when a file was written and the language changed, so the caller
// refreshes the texts of its windows. When the file cannot be written, the
// message says so and the editor opens again with the texts as typed.

#include <QString>

#include <functional>

class QWidget;

namespace translation {

// Asks for the new language file; returns the chosen path (its file title
// names the language) or an empty string. Tests replace the save-file dialog.
using FileChooser = std::function<QString(QWidget* parent)>;
void setFileChooser(FileChooser chooser);

// Only with a non-built-in language selected.
bool editTranslation(QWidget* parent);
// Writes nothing when OK leaves no translated text.
bool newTranslation(QWidget* parent);

} // namespace translation
