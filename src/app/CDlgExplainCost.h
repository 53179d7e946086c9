#pragma once
// "Explain cost": how one call was classified and priced, step by step, as the
// rating itself noted it, with "Copy" to put the text on the clipboard.

#include <QDialog>

struct CallRecord;
struct Preferences;
class QPlainTextEdit;
class SettingsDatabase;

class CDlgExplainCost : public QDialog
{
    Q_OBJECT
public:
    // `call` as shown in the list; it is rated again from its file fields.
    CDlgExplainCost(const SettingsDatabase& settings, const Preferences& prefs, const CallRecord& call,
                    QWidget* parent = nullptr);

    QString text() const;
    void copy() const;

private:
    QPlainTextEdit* m_text = nullptr;
};
