#include "app/CallsModel.h"

#include "lang/gui/QtTranslate.h"
#include "prefs/RowColors.h"
#include "session/MainSession.h"
#include "ui/ColorButton.h"

#include <QColor>
#include <QPainter>
#include <QPixmap>
#include <QPolygon>

namespace {

constexpr int kGlyphSize = 12;

// A sort glyph: a triangle pointing up (ascending) or down, filled for the
// primary key and drawn as an outline for the secondary one.
QIcon glyph(bool ascending, bool primary)
{
    QPixmap pixmap(kGlyphSize, kGlyphSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPolygon up({QPoint(6, 2), QPoint(11, 10), QPoint(1, 10)});
    const QPolygon down({QPoint(1, 2), QPoint(11, 2), QPoint(6, 10)});
    painter.setPen(QColor(64, 64, 64));
    painter.setBrush(primary ? QBrush(QColor(64, 64, 64)) : QBrush(Qt::NoBrush));
    painter.drawPolygon(ascending ? up : down);
    return QIcon(pixmap);
}

} // namespace

CallsModel::CallsModel(QObject* parent)
    : QAbstractTableModel(parent)
{
    makeGlyphs();
}

void CallsModel::makeGlyphs()
{
    m_glyphs = {glyph(false, true), glyph(true, true), glyph(false, false), glyph(true, false)};
}

void CallsModel::setSession(const MainSession* session)
{
    beginResetModel();
    m_session = session;
    endResetModel();
}

void CallsModel::setLayout(const ListLayout& layout)
{
    beginResetModel();
    m_layout = layout;
    endResetModel();
}

int CallsModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || m_frozen || !m_session)
        return 0;
    return static_cast<int>(m_session->calls().visible().size());
}

int CallsModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_layout.columns; }

std::uint32_t CallsModel::tableIndexAt(int row) const
{
    return m_session->calls().visible()[static_cast<std::size_t>(row)];
}

QVariant CallsModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const CallRecord& call = m_session->calls().visibleCall(static_cast<std::size_t>(index.row()));
    const ColumnType type = m_layout.typeAt(index.column());
    switch (role) {
    case Qt::DisplayRole:
        ++m_formatted;
        m_session->columns().cellText(call, type, m_cell);
        return qtText(m_cell);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignVCenter | (columnSpec(type).rightAligned ? Qt::AlignRight : Qt::AlignLeft));
    case Qt::ForegroundRole:
        return CColorButton::toQColor(rowColors(call, m_session->prefs()).text);
    case Qt::BackgroundRole: {
        const RowColors colors = rowColors(call, m_session->prefs());
        return colors.background ? QVariant(CColorButton::toQColor(*colors.background)) : QVariant();
    }
    default:
        return {};
    }
}

QVariant CallsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_layout.columns)
        return {};
    const ColumnType type = m_layout.typeAt(section);
    switch (role) {
    case Qt::DisplayRole:
        return qtText(columnTitle(type));
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignVCenter | (columnSpec(type).rightAligned ? Qt::AlignRight : Qt::AlignLeft));
    case Qt::DecorationRole:
        return glyphFor(type);
    default:
        return {};
    }
}

QIcon CallsModel::glyphFor(ColumnType type) const
{
    const SortKeys& keys = m_layout.sort;
    if (type == keys.primary.type)
        return m_glyphs[keys.primary.descending ? 0 : 1];
    if (type == keys.secondary.type)
        return m_glyphs[keys.secondary.descending ? 2 : 3];
    return {};
}

void CallsModel::reset()
{
    beginResetModel();
    endResetModel();
}

void CallsModel::setFrozen(bool frozen)
{
    if (frozen == m_frozen)
        return;
    beginResetModel();
    m_frozen = frozen;
    endResetModel();
}

bool CallsModel::delimiterAfter(int row) const
{
    if (!m_session || !m_session->prefs().delimiters || row < 0 || row + 1 >= rowCount())
        return false;
    const CallSession& calls = m_session->calls();
    return !m_session->columns().sameGroup(calls.visibleCall(static_cast<std::size_t>(row)),
                                           calls.visibleCall(static_cast<std::size_t>(row) + 1),
                                           m_layout.sort.primary.type);
}
