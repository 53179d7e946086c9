#pragma once
// The list pages of the Settings sheet: one list of the working copy in a
// sortable list, with quick find, the Edit/Add/Delete/Copy buttons, one or two
// select-by buttons, Export and Import, and the record count ("Total").
//
// CPageUDList is the page without its records: controls, keys, quick find,
// selection, sorting by a header click and the list's INI layout ("Sort",
// "Order", "ColWidth%d" in the list's section, written when the sheet closes
// with OK after the page was shown). The list model asks the page for the
// cell texts of the rows on screen only; the page keeps no copy of the records.
//
// CPageUDListOf<Record> (ListPageOf.h) fills in the records of one list from
// a column table; a page is a small class over it (see CPageUDUser).

#include "textfile/SettingsListIo.h"
#include "ui/PropertySheet.h"

#include <QAbstractTableModel>

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class CSheetUD;
class CPageUDList;
class IniProfile;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QVBoxLayout;
struct Preferences;
class SettingsDatabase;

// A column's title (string id) and its width when the INI file has none.
struct ListColumn
{
    int titleId;
    int defaultWidth;
    int titleNumber = 0; // replaces "%d" in the title when not 0 ("Rate #%d")
};

// What a list page is: its template (page texts and control ids), help
// topic, INI section, columns and how many select-by buttons it has (6030, 6322).
struct ListPageSetup
{
    int templateId;
    int helpTopic;
    const char* iniSection;
    std::vector<ListColumn> columns;
    int selectByButtons = 1;
    ListSelector transfer = {}; // the list Import and Export read and write
};

// The page's records as a table: formats only the cells that are asked for.
class ListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit ListModel(CPageUDList& page);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The records changed (count, order or content). The model shows no rows
    // before the first reset (the page is not built yet).
    void reset();
    // How many cells were formatted since the last call.
    std::uint64_t takeFormatCount() { return std::exchange(m_formatted, 0); }

private:
    CPageUDList& m_page;
    bool m_live = false;
    mutable std::uint64_t m_formatted = 0;
};

class CPageUDList : public CPropertyPage
{
    Q_OBJECT
public:
    CPageUDList(CSheetUD& sheet, ListPageSetup setup, QWidget* parent = nullptr);
    ~CPageUDList() override;

    // --- Controls ---
    QTableView* list() const { return m_list; }
    ListModel* model() const { return m_model; }
    QLineEdit* quickFind() const { return m_quickFind; }
    QLabel* total() const { return m_total; }
    // The button with that control id (5102-5107, 6030, 6322), or nullptr.
    QPushButton* button(int controlId) const;
    const ListPageSetup& setup() const { return m_setup; }

    // --- State ---
    int sortColumn() const { return m_sortColumn; }
    bool descending() const { return m_descending; }
    // Selected rows in ascending order; the focused row (-1 when none).
    std::vector<int> selectedRows() const;
    int focusedRow() const;
    // The row quick find found last (-1 when none).
    int quickFindRow() const { return m_findRow; }

    // --- Commands (buttons, keys, header) ---
    void editSelected() { editRows(selectedRows()); }
    void addRecord() { addFrom(-1); }
    void copySelected();
    void deleteSelected();
    // Selects every record equal to the focused one on select-by key `button` (0 or 1).
    void selectBy(int button);
    // A click on a column header.
    void sortBy(int column);
    void selectAllRows();
    // Export and Import of the list through the text-table options (see ListTransfer.h).
    virtual void exportList();
    virtual void importList();

    // Sorts the list and shows it again with nothing selected.
    void refresh() { refreshSelecting(-1); }

    // --- What the model asks ---
    virtual int recordCount() const = 0;
    // Windows-1252 text of a cell.
    virtual std::string cellText(int row, int column) const = 0;

    // Entering the page refreshes the list (other pages may have changed names it shows).
    void readRecord() override;
    void sheetAccepted() override;

protected:
    SettingsDatabase& work();
    const Preferences& prefs() const;
    IniProfile& ini();
    CSheetUD& sheet() { return m_sheet; }
    // Controls a page puts above the list (a check box).
    void addAbove(QWidget* control);
    // Enables or disables the list, quick find and every button.
    void enableList(bool on);

    // --- The records, implemented by CPageUDListOf ---
    // Sorts the list by the sort column and order; then shows it with the
    // record that was at `keepRow` before (its key) selected, none for -1.
    virtual void refreshSelecting(int keepRow) = 0;
    // Whether a record matches what was typed into quick find.
    virtual bool quickFindHit(int row, std::string_view typed) const = 0;
    // Whether two records are equal on select-by key `button`.
    virtual bool sameOn(int button, int row, int otherRow) const = 0;
    virtual void editRows(const std::vector<int>& rows) = 0;
    // Add (`copyRow` -1) or Copy: the dialog on a new or copied record.
    virtual void addFrom(int copyRow) = 0;
    // Removes the marked rows in one pass.
    virtual void removeMarked(const std::vector<char>& marked) = 0;

    // After the records were sorted: the counter, the header arrow, the rows
    // (none selected), then `selectRow` selected and in view; quick find starts over.
    void showRefreshed(int selectRow);
    void selectOnly(int row);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void quickFindChanged(const QString& text);
    void updateHeader();
    void writeLayout();

    CSheetUD& m_sheet;
    ListPageSetup m_setup;
    QVBoxLayout* m_outer = nullptr;
    QTableView* m_list = nullptr;
    ListModel* m_model = nullptr;
    QLineEdit* m_quickFind = nullptr;
    QLabel* m_total = nullptr;
    std::vector<QPushButton*> m_buttons;
    int m_sortColumn = 0;
    bool m_descending = false;
    bool m_shown = false; // entered at least once: its layout is kept on OK
    QString m_findText;   // the text quick find accepted last
    int m_findRow = -1;
    bool m_writingFind = false; // the page itself writes into the quick-find box
};
