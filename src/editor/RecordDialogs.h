#pragma once
// The record dialogs of the directory, trunk, contact and project lists, and
// the duplicate rule of each list. The list pages use them on the working
// copy; the main window's Add / Edit commands use them on the live database.
//
// showRecordDialog fills the dialog from the record, runs it (runModal) and on
// OK writes the values back; it returns true on OK. Single mode edits or adds
// one record; multi mode edits several at once: the key fields are disabled,
// and an empty field (or -1) means "leave each record's own value".
//
// acceptRecord says whether a record may be stored at `ownIndex` (-1 for a
// new record): false after the list's duplicate message, or silently when the
// record has no key at all.

#include "settings/ListRecords.h"

#include <QDialog>

class QComboBox;
class QFormLayout;
class QLineEdit;
class SettingsDatabase;
struct Preferences;

bool showRecordDialog(DirectoryEntry& record, bool single, const SettingsDatabase& db, const Preferences& prefs,
                      QWidget* parent);
bool showRecordDialog(TrunkEntry& record, bool single, const SettingsDatabase& db, const Preferences& prefs,
                      QWidget* parent);
bool showRecordDialog(ContactEntry& record, bool single, const SettingsDatabase& db, const Preferences& prefs,
                      QWidget* parent);
bool showRecordDialog(ProjectEntry& record, bool single, const SettingsDatabase& db, const Preferences& prefs,
                      QWidget* parent);

bool acceptRecord(const DirectoryEntry& record, int ownIndex, const SettingsDatabase& db);
bool acceptRecord(const TrunkEntry& record, int ownIndex, const SettingsDatabase& db);
bool acceptRecord(const ContactEntry& record, int ownIndex, const SettingsDatabase& db);
bool acceptRecord(const ProjectEntry& record, int ownIndex, const SettingsDatabase& db);

// The dialogs themselves, for tests that work their controls.
class CDlgUDRecord : public QDialog
{
    Q_OBJECT
public:
    CDlgUDRecord(int templateId, QWidget* parent);
    // The field with this control id, or nullptr.
    QLineEdit* edit(int controlId) const;
    QComboBox* combo(int controlId) const;

    // Adds a field under label 5020 + its position.
    void addField(QWidget* field, int controlId, QWidget* suffix = nullptr);
    // The buttons (OK, Cancel, Help) and the texts, after the last field.
    void finish();

private:
    int m_templateId;
    int m_fields = 0;
    QFormLayout* m_form;
};
