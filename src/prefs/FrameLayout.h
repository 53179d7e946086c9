#pragma once
// The main window's layout keys of the INI file, read when the window is
// created and written back when it is destroyed:
//   [Layout]     Left, Top, Width, Height (the normal window), Maximize
//   [List]       Columns, Type0..Type18 (column type at each position),
//                Width0..Width18 (width of each column type)
//   [CallsSort0] / [CallsSort1]  Type, Order (0 ascending, 1 descending)
//   [File]       Name (the call file opened last)
// Values that could not have been written by the program (a column type
// outside the 19, a count outside 1..19) fall back to their defaults, so a
// damaged INI file never shows a column that does not exist.

#include "prefs/CallColumns.h"

#include <QList>
#include <QRect>

#include <array>
#include <string>

class IniProfile;

struct WindowLayout
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool maximize = true;

    // Missing keys take the work area's edges and size; Maximize defaults to 1.
    static WindowLayout read(const IniProfile& ini, int workLeft, int workTop, int workWidth, int workHeight);
    void write(IniProfile& ini) const;

    // The window's rectangle (without its frame) on the screens as they are now:
    // kept when its title bar (`titleBarHeight` above the rectangle) lies on one
    // of the work areas, else moved (and made smaller when needed) onto the work
    // area it overlaps most, or the first one.
    static QRect placeOnScreens(const QRect& wanted, const QList<QRect>& workAreas, int titleBarHeight);
};

struct ListLayout
{
    static constexpr int kDefaultColumns = 14;

    int columns = kDefaultColumns;                  // visible positions, from the first
    std::array<ColumnType, kColumnTypeCount> types; // column type at each position
    std::array<int, kColumnTypeCount> widths;       // pixels, by column type
    SortKeys sort;

    ListLayout(); // the defaults of a new installation

    using Widths = std::array<int, kColumnTypeCount>;
    // The default widths were made for the 8-point dialog font, whose average
    // character is 6 pixels wide; a font with wider characters gets them scaled
    // by its own average character width.
    static constexpr int kDialogCharWidth = 6;
    static Widths defaultWidths(int averageCharWidth = kDialogCharWidth);

    // The types must be the 19 column types, each once; otherwise the whole order
    // is the default one. A missing width, or one below zero, takes the type's
    // default from `defaults`; stored widths are kept as stored.
    static ListLayout read(const IniProfile& ini) { return read(ini, defaultWidths()); }
    static ListLayout read(const IniProfile& ini, const Widths& defaults);
    void write(IniProfile& ini) const;

    ColumnType typeAt(int position) const { return types[static_cast<std::size_t>(position)]; }
    int widthOf(ColumnType type) const { return widths[static_cast<std::size_t>(type)]; }
    // The position of a type among the visible columns, or -1.
    int positionOf(ColumnType type) const;
};

namespace filelayout {
inline constexpr const char* kSection = "File";
inline constexpr const char* kNameKey = "Name";
} // namespace filelayout
