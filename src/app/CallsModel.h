#pragma once
// The calls list as a Qt model: one row per entry of the visible list, one
// column per visible column position. It holds no per-row data: each cell's
// text and colours are made when the view asks for them, from the call record,
// the cell texts of the session's columns and its colour preferences. Every change of
// the visible list, the columns or the sort keys goes through reset().
//
// While an operation rebuilds the visible list (loading, filtering) the model
// is frozen: it shows no rows, so a view painting meanwhile never reads a list
// that is half built.

#include "prefs/CallColumns.h"
#include "prefs/FrameLayout.h"

#include <QAbstractTableModel>
#include <QIcon>

#include <cstdint>
#include <string>
#include <utility>

class MainSession;

class CallsModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit CallsModel(QObject* parent = nullptr);

    // The session (its calls, column texts and colour preferences) must outlive the model.
    void setSession(const MainSession* session);
    void setLayout(const ListLayout& layout);
    const ListLayout& layout() const { return m_layout; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Tells the views that everything may have changed (the one path for every change).
    void reset();
    void setFrozen(bool frozen);
    bool frozen() const { return m_frozen; }

    ColumnType typeAt(int column) const { return m_layout.typeAt(column); }
    // The call-table index of a row.
    std::uint32_t tableIndexAt(int row) const;
    // Whether a delimiter line follows the row: Delimiters is on, the row is not
    // the last, and it and the next row differ by the group rule of the primary sort type.
    bool delimiterAfter(int row) const;

    // Display texts made since the last call (tests and the benchmark check that
    // only rows on screen are formatted).
    std::uint64_t takeFormatCount() { return std::exchange(m_formatted, 0); }

private:
    QIcon glyphFor(ColumnType type) const;
    void makeGlyphs();

    // Asked for its columns at every use: it makes new ones when the settings,
    // the preferences or the language change.
    const MainSession* m_session = nullptr;
    ListLayout m_layout;
    bool m_frozen = false;
    std::array<QIcon, 4> m_glyphs; // 0/1 primary descending/ascending, 2/3 secondary
    mutable std::string m_cell;    // reused for every cell text
    mutable std::uint64_t m_formatted = 0;
};
