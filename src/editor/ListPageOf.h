#pragma once
// A list page over one list of the working copy, described by a column table:
// each column has its title, its cell text and its sort comparison (with the
// tie-breaks). The page class states the table and the few rules that differ
// between lists: the key (the record selected again after a refresh), quick
// find, the select-by keys, the record dialog with its duplicate check, and
// for multi-row edit which fields differ and how they are applied.

#include "editor/CSheetUD.h"
#include "editor/ListPage.h"
#include "editor/RecordDialogs.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

template <class Record> struct RecordColumn
{
    int titleId;
    int defaultWidth;
    std::function<std::string(const Record&)> text;           // Windows-1252
    std::function<int(const Record&, const Record&)> compare; // <0, 0, >0, with the tie-breaks
    // For a column that sorts first by a name in the locale's collation: that
    // name. The list is then ordered by collation ranks taken once for all
    // records, and `compare` only breaks the ties.
    std::string_view (*collated)(const Record&) = nullptr;
    int titleNumber = 0; // replaces "%d" in the title when not 0
};

namespace listpage {

// Whether `text` starts with `typed`; with `ignoreCase` in Windows-1252 letter case.
bool startsWith(std::string_view text, std::string_view typed, bool ignoreCase);
// Names in the locale's collation; codes and numbers in plain byte order; numbers by value.
int compareNames(std::string_view a, std::string_view b);
int compareBytes(std::string_view a, std::string_view b);
// The locale's collation ranks of many names (see Locale::collationRanks).
std::vector<std::uint32_t> collationRanks(std::span<const std::string_view> names);
template <class T> int compareNumbers(T a, T b) { return a < b ? -1 : (b < a ? 1 : 0); }

} // namespace listpage

template <class Record> class CPageUDListOf : public CPageUDList
{
public:
    using Column = RecordColumn<Record>;
    using List = std::vector<Record> SettingsDatabase::*;

    int recordCount() const override { return static_cast<int>(records().size()); }
    std::string cellText(int row, int column) const override
    {
        return m_columns[static_cast<std::size_t>(column)].text(records()[static_cast<std::size_t>(row)]);
    }

    std::vector<Record>& records() { return listIn(m_sheet->work()); }
    const std::vector<Record>& records() const { return listIn(m_sheet->work()); }

    // Sorts the list and shows it with the record equal to `record` on the key selected.
    void refreshWith(const Record& record)
    {
        sortRecords();
        showRefreshed(rowOf(record));
    }

protected:
    // `setup.columns` is filled from `columns`.
    CPageUDListOf(CSheetUD& sheet, ListPageSetup setup, List list, std::vector<Column> columns)
        : CPageUDList(sheet, withColumns(std::move(setup), columns))
        , m_sheet(&sheet)
        , m_listOf(list)
        , m_columns(std::move(columns))
    { }

    // The list shown, in the working copy: the list member by default; a page
    // whose list is one of several (a carrier's prefixes) states it here.
    virtual std::vector<Record>& listIn(SettingsDatabase& db) const { return db.*m_listOf; }

    // The working copy, for cell texts that show other lists (carrier names).
    const SettingsDatabase& db() const { return m_sheet->work(); }

    // --- What a page states ---
    // The record dialog (single mode for one record, multi mode for several);
    // true on OK with the record changed. By default showRecordDialog of the record's type.
    virtual bool runDialog(Record& record, bool single)
    {
        if constexpr (requires { showRecordDialog(record, single, work(), prefs(), this); })
            return showRecordDialog(record, single, work(), prefs(), this);
        else
            return false;
    }
    // The duplicate check before storing (after its message); `ownIndex` is -1
    // for a new record. By default acceptRecord of the record's type.
    virtual bool accept(const Record& record, int ownIndex)
    {
        if constexpr (requires { acceptRecord(record, ownIndex, work()); })
            return acceptRecord(record, ownIndex, work());
        else
            return true;
    }
    // Equal on the list's key.
    virtual bool sameKey(const Record& a, const Record& b) const = 0;
    virtual bool findHit(const Record& record, std::string_view typed) const = 0;
    virtual bool sameOnButton(int button, const Record& a, const Record& b) const = 0;
    virtual Record newRecord() const { return Record{}; }
    // Multi-row edit: blank in `common` what differs from `other`, blank the key
    // fields, and apply the fields the dialog left filled in to each record.
    virtual void blankDiffering(Record& common, const Record& other) const = 0;
    virtual void blankKeys(Record& common) const = 0;
    virtual void applyCommon(const Record& common, Record& target) const = 0;

    // --- The mechanism ---
    void refreshSelecting(int keepRow) override
    {
        std::optional<Record> keep;
        if (keepRow >= 0 && keepRow < recordCount())
            keep = records()[static_cast<std::size_t>(keepRow)];
        sortRecords();
        showRefreshed(keep ? rowOf(*keep) : -1);
    }

    bool quickFindHit(int row, std::string_view typed) const override
    {
        return findHit(records()[static_cast<std::size_t>(row)], typed);
    }

    bool sameOn(int button, int row, int otherRow) const override
    {
        return sameOnButton(button, records()[static_cast<std::size_t>(row)],
                            records()[static_cast<std::size_t>(otherRow)]);
    }

    void editRows(const std::vector<int>& rows) override
    {
        if (rows.empty())
            return;
        std::vector<Record>& list = records();
        if (rows.size() == 1) {
            const auto at = static_cast<std::size_t>(rows.front());
            Record record = list[at];
            if (!runDialog(record, true) || !accept(record, rows.front()))
                return;
            list[at] = record;
            refreshWith(record);
            return;
        }
        Record common = list[static_cast<std::size_t>(rows.front())];
        for (std::size_t i = 1; i < rows.size(); ++i)
            blankDiffering(common, list[static_cast<std::size_t>(rows[i])]);
        blankKeys(common);
        if (!runDialog(common, false))
            return;
        for (int row : rows)
            applyCommon(common, list[static_cast<std::size_t>(row)]);
        refresh();
    }

    void addFrom(int copyRow) override
    {
        Record record = copyRow >= 0 && copyRow < recordCount() ? records()[static_cast<std::size_t>(copyRow)]
                                                                : newRecord();
        if (!runDialog(record, true) || !accept(record, -1))
            return;
        records().push_back(record);
        refreshWith(record);
    }

    void removeMarked(const std::vector<char>& marked) override
    {
        std::vector<Record>& list = records();
        std::size_t kept = 0;
        for (std::size_t i = 0; i < list.size(); ++i)
            if (i >= marked.size() || !marked[i]) {
                if (kept != i)
                    list[kept] = std::move(list[i]);
                ++kept;
            }
        list.resize(kept);
    }

private:
    static ListPageSetup withColumns(ListPageSetup setup, const std::vector<Column>& columns)
    {
        setup.columns.clear();
        for (const Column& column : columns)
            setup.columns.push_back({column.titleId, column.defaultWidth, column.titleNumber});
        return setup;
    }

    void sortRecords()
    {
        const Column& column = m_columns[static_cast<std::size_t>(sortColumn())];
        if (column.collated) {
            sortByRanks(column);
            return;
        }
        if (descending())
            std::stable_sort(records().begin(), records().end(),
                             [&](const Record& a, const Record& b) { return column.compare(b, a) < 0; });
        else
            std::stable_sort(records().begin(), records().end(),
                             [&](const Record& a, const Record& b) { return column.compare(a, b) < 0; });
    }

    void sortByRanks(const Column& column)
    {
        std::vector<Record>& list = records();
        std::vector<std::string_view> names;
        names.reserve(list.size());
        for (const Record& record : list)
            names.push_back(column.collated(record));
        const std::vector<std::uint32_t> ranks = listpage::collationRanks(names);
        std::vector<std::uint32_t> order(list.size());
        for (std::uint32_t i = 0; i < order.size(); ++i)
            order[i] = i;
        const bool down = descending();
        std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
            if (down)
                std::swap(a, b);
            if (ranks[a] != ranks[b])
                return ranks[a] < ranks[b];
            return column.compare(list[a], list[b]) < 0;
        });
        std::vector<Record> sorted;
        sorted.reserve(list.size());
        for (std::uint32_t i : order)
            sorted.push_back(std::move(list[i]));
        list = std::move(sorted);
    }

    int rowOf(const Record& record) const
    {
        const std::vector<Record>& list = records();
        for (std::size_t i = 0; i < list.size(); ++i)
            if (sameKey(list[i], record))
                return static_cast<int>(i);
        return -1;
    }

    CSheetUD* m_sheet;
    List m_listOf;
    std::vector<Column> m_columns;
};
