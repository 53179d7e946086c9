#include "prefs/FrameLayout.h"

#include "core/IniProfile.h"

#include <algorithm>
#include <string>

namespace {

constexpr const char* kLayout = "Layout";
constexpr const char* kList = "List";

std::string sortSection(int index) { return "CallsSort" + std::to_string(index); }

SortKey readSortKey(const IniProfile& ini, int index, SortKey fallback)
{
    const std::string section = sortSection(index);
    const int type = ini.readInt(section, "Type", static_cast<int>(fallback.type));
    if (isColumnType(type))
        fallback.type = static_cast<ColumnType>(type);
    fallback.descending = ini.readInt(section, "Order", fallback.descending ? 1 : 0) != 0;
    return fallback;
}

void writeSortKey(IniProfile& ini, int index, const SortKey& key)
{
    const std::string section = sortSection(index);
    ini.writeInt(section, "Type", static_cast<int>(key.type));
    ini.writeInt(section, "Order", key.descending ? 1 : 0);
}

} // namespace

WindowLayout WindowLayout::read(const IniProfile& ini, int workLeft, int workTop, int workWidth, int workHeight)
{
    WindowLayout layout;
    layout.left = ini.readInt(kLayout, "Left", workLeft);
    layout.top = ini.readInt(kLayout, "Top", workTop);
    layout.width = ini.readInt(kLayout, "Width", workWidth);
    layout.height = ini.readInt(kLayout, "Height", workHeight);
    layout.maximize = ini.readInt(kLayout, "Maximize", 1) != 0;
    return layout;
}

void WindowLayout::write(IniProfile& ini) const
{
    IniProfile::Batch batch(ini);
    ini.writeInt(kLayout, "Left", left);
    ini.writeInt(kLayout, "Top", top);
    ini.writeInt(kLayout, "Width", width);
    ini.writeInt(kLayout, "Height", height);
    ini.writeInt(kLayout, "Maximize", maximize ? 1 : 0);
}

QRect WindowLayout::placeOnScreens(const QRect& wanted, const QList<QRect>& workAreas, int titleBarHeight)
{
    if (workAreas.isEmpty())
        return wanted;
    const QPoint titleBar(wanted.left() + std::min(wanted.width() / 2, 100), wanted.top() - titleBarHeight);
    for (const QRect& area : workAreas)
        if (area.contains(titleBar))
            return wanted;
    QRect area = workAreas.first();
    qint64 bestOverlap = 0;
    for (const QRect& candidate : workAreas) {
        const QRect overlap = candidate.intersected(wanted);
        const qint64 size = qint64{overlap.width()} * overlap.height();
        if (size > bestOverlap) {
            bestOverlap = size;
            area = candidate;
        }
    }
    const QRect room = area.adjusted(0, titleBarHeight, 0, 0);
    QRect placed(wanted.topLeft(), wanted.size().boundedTo(room.size()));
    placed.moveLeft(std::clamp(placed.left(), room.left(), room.right() + 1 - placed.width()));
    placed.moveTop(std::clamp(placed.top(), room.top(), room.bottom() + 1 - placed.height()));
    return placed;
}

ListLayout::ListLayout()
{
    for (int i = 0; i < kColumnTypeCount; ++i) {
        types[static_cast<std::size_t>(i)] = static_cast<ColumnType>(i);
        widths[static_cast<std::size_t>(i)] = columnSpec(static_cast<ColumnType>(i)).defaultWidth;
    }
}

ListLayout::Widths ListLayout::defaultWidths(int averageCharWidth)
{
    Widths widths;
    const int charWidth = std::max(averageCharWidth, 1);
    for (int i = 0; i < kColumnTypeCount; ++i) {
        const int width = columnSpec(static_cast<ColumnType>(i)).defaultWidth;
        widths[static_cast<std::size_t>(i)] = (width * charWidth + kDialogCharWidth / 2) / kDialogCharWidth;
    }
    return widths;
}

ListLayout ListLayout::read(const IniProfile& ini, const Widths& defaults)
{
    ListLayout layout;
    layout.widths = defaults;
    const int columns = ini.readInt(kList, "Columns", kDefaultColumns);
    layout.columns = columns >= 1 && columns <= kColumnTypeCount ? columns : kDefaultColumns;

    std::array<ColumnType, kColumnTypeCount> types = layout.types;
    std::array<bool, kColumnTypeCount> seen{};
    bool valid = true;
    for (int i = 0; i < kColumnTypeCount && valid; ++i) {
        const int type = ini.readInt(kList, "Type" + std::to_string(i), i);
        valid = isColumnType(type) && !seen[static_cast<std::size_t>(type)];
        if (valid) {
            seen[static_cast<std::size_t>(type)] = true;
            types[static_cast<std::size_t>(i)] = static_cast<ColumnType>(type);
        }
    }
    if (valid)
        layout.types = types;

    for (int i = 0; i < kColumnTypeCount; ++i) {
        int& width = layout.widths[static_cast<std::size_t>(i)];
        const int stored = ini.readInt(kList, "Width" + std::to_string(i), width);
        if (stored >= 0)
            width = stored;
    }
    layout.sort.primary = readSortKey(ini, 0, layout.sort.primary);
    layout.sort.secondary = readSortKey(ini, 1, layout.sort.secondary);
    return layout;
}

void ListLayout::write(IniProfile& ini) const
{
    IniProfile::Batch batch(ini);
    writeSortKey(ini, 0, sort.primary);
    writeSortKey(ini, 1, sort.secondary);
    ini.writeInt(kList, "Columns", columns);
    for (int i = 0; i < kColumnTypeCount; ++i) {
        ini.writeInt(kList, "Type" + std::to_string(i), static_cast<int>(types[static_cast<std::size_t>(i)]));
        ini.writeInt(kList, "Width" + std::to_string(i), widths[static_cast<std::size_t>(i)]);
    }
}

int ListLayout::positionOf(ColumnType type) const
{
    for (int i = 0; i < columns; ++i)
        if (types[static_cast<std::size_t>(i)] == type)
            return i;
    return -1;
}
