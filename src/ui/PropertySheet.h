#pragma once
// The modal property sheet: pages on tabs over a working record, with OK,
// Cancel and Help. Enter and Escape are no dialog keys here, so the sheet
// closes only through its buttons; it has no minimize button.
//
// Each page shows a part of the sheet's working record. Entering a page reads
// the record into its controls; leaving it (another tab, OK) first checks the
// controls and then writes them back, so the pages always agree. A page whose
// controls hold something that cannot be stored says so at the control and
// stays in front; OK then does not close the sheet.

#include <QDialog>
#include <QString>

#include <vector>

class QDialogButtonBox;
class QTabWidget;

// Opens the help of the current language at a topic.
void openHelpTopic(int topic, QWidget* parent);

class CPropertyPage : public QWidget
{
    Q_OBJECT
public:
    // `templateId` names the page's texts (title and controls) for translation.
    CPropertyPage(int templateId, int helpTopic, QWidget* parent = nullptr);

    int templateId() const { return m_templateId; }
    int helpTopic() const { return m_helpTopic; }

    // Entering: the working record into the controls.
    virtual void readRecord() { }
    // Leaving: whether every control can be stored; when not, the page has
    // shown why at the control (see refuse()).
    virtual bool checkControls() { return true; }
    // Leaving: the controls into the working record.
    virtual void writeRecord() { }
    // The sheet closes with OK (after the active page was written back): a page
    // keeps what it remembers beyond the record (list layouts and the like).
    virtual void sheetAccepted() { }

    // The message shown at a control by the last refusal (empty when none).
    QString lastRefusal() const { return m_lastRefusal; }

protected:
    // Shows `text` at `control`, gives it the focus and selects its text; returns false.
    bool refuse(QWidget* control, const QString& text);
    // Translates the page's title and controls; call at the end of the constructor.
    void translate();

private:
    int m_templateId;
    int m_helpTopic;
    QString m_lastRefusal;
};

class CPropertySheet : public QDialog
{
    Q_OBJECT
public:
    // The caption is string `titleId` of the string table.
    CPropertySheet(int titleId, QWidget* parent = nullptr);

    // Pages are added in tab order before start() is called.
    void addPage(CPropertyPage* page);
    // Enters the page of that index (the first for an index out of range).
    void start(int pageIndex);

    int pageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* page(int index) const { return m_pages[static_cast<std::size_t>(index)]; }
    int activeIndex() const { return m_active; }
    CPropertyPage* activePage() const { return m_active >= 0 ? page(m_active) : nullptr; }
    // Leaves the active page and enters another one, as a click on its tab does;
    // false when the active page refused to be left.
    bool selectPage(int index);
    // Leaves the active page (checked and written back) without closing the sheet.
    bool leaveActivePage();

    QTabWidget* tabs() const { return m_tabs; }
    QDialogButtonBox* buttons() const { return m_buttons; }

    // The texts of OK, Cancel and Help from dialog template `templateId`
    // (controls 1, 2 and 9); the caption stays the string table's.
    void translateButtons(int templateId);

    // OK: the active page is left first; a refusal keeps the sheet open.
    void accept() override;

Q_SIGNALS:
    void helpRequested(int helpTopic);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void tabChanged(int index);
    void showHelp();

    QTabWidget* m_tabs;
    QDialogButtonBox* m_buttons;
    std::vector<CPropertyPage*> m_pages;
    int m_active = -1;
    bool m_switching = false;
};
