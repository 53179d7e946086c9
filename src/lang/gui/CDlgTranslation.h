#pragma once
// "Edit translation" (dialog 208): every text of the base language file in a
// list, marked by kind and whether it is translated; the selected one's
// original and its translation below. A find box and "Show only untranslated"
// narrow the list (a language has about a thousand texts). OK hands back the
// translation as a table, see table().

#include "lang/TranslationDraft.h"

#include <QDialog>
#include <QIcon>

#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

class CDlgTranslation : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kTemplateId = 208;
    enum Control {
        kList = 6201,
        kReset = 6301,
        kOriginal = 6302,
        kTranslation = 6303,
        kOriginalLabel = 6304,
        kTranslationLabel = 6305,
        kFindLabel = 6306,
        kUntranslatedOnly = 6307,
        kCountLabel = 6308,
    };

    // Edits `edited` (empty for a new translation) against the base table.
    CDlgTranslation(const LanguageTable& base, const LanguageTable& edited, QWidget* parent = nullptr);

    const TranslationDraft& draft() const { return m_draft; }
    // The translation as OK left it.
    LanguageTable table() const { return m_draft.table(); }

    QListWidget* list() const { return m_list; }
    QPlainTextEdit* original() const { return m_original; }
    QPlainTextEdit* translation() const { return m_translation; }
    QLineEdit* findBox() const { return m_find; }
    QCheckBox* untranslatedOnly() const { return m_untranslatedOnly; }
    QPushButton* resetButton() const { return m_reset; }
    // The base-table line shown in list row `row`.
    int lineOfRow(int row) const;

    void accept() override;

protected:
    // Enter in the find box goes to the list instead of closing the dialog.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillList();
    void showLine(int line);
    void storeCurrent();
    void updateRow(int line);
    void updateCount();
    void onRowChanged(int row);
    void onReset();
    // The line's icon: its kind of text, hollow while untranslated.
    const QIcon& lineIcon(std::size_t line) const;

    TranslationDraft m_draft;
    std::vector<QString> m_baseTexts; // the base texts as shown, for the find box
    std::vector<QIcon> m_icons;       // kind * 2, + 1 untranslated
    QListWidget* m_list;
    QPlainTextEdit* m_original;
    QPlainTextEdit* m_translation;
    QLineEdit* m_find;
    QCheckBox* m_untranslatedOnly;
    QPushButton* m_reset;
    QLabel* m_count;
    int m_current = -1; // the base-table line in the edit boxes
    bool m_filling = false;
};
