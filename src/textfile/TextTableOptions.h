#pragma once
// The layout and options of a text table: which fields a delimited or
// fixed-width text file holds, in which column order, and how lines are split.
// One set per INI section ("ListCalls", "ListUser", ...), shared by the import
// and the export of that list, and edited by the options dialog.

#include "core/IniProfile.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

enum class TextTableMode : int { Export = 0, Import = 1 };

enum class SeparatorType : int { Tab = 0, Other = 1, FixedWidth = 2 };

// One column position of the file layout.
struct TextTablePosition
{
    int field = 0;      // "Order%d": the field shown at this position
    bool active = true; // "Active%d": the field is written / read
    int skip = 0;       // "Skip%d": delimited files: extra empty columns before the field
    int size = 16;      // "Size%d": fixed-width files: the column's width in characters
};

struct TextTableOptions
{
    static constexpr int kMaxSkip = 20;
    static constexpr int kMinSize = 1;
    static constexpr int kMaxSize = 128;

    std::string file;                                   // "File": the last file chosen
    bool add = true;                                    // "Add": import adds new records
    bool update = true;                                 // "Update": import updates existing records
    bool deleteAll = false;                             // "DeleteAll": import first deletes all records
    bool trim = false;                                  // "Trim": import trims every field
    bool selection = false;                             // "Selection": export only the selected records
    bool excel = false;                                 // "Excel": export Excel-friendly value forms
    SeparatorType separatorType = SeparatorType::Other; // "SepType"
    std::string separator = ";";                        // "Separator": the "other" separator, one character
    bool firstLineIsHeader = false;                     // "First"
    std::vector<TextTablePosition> positions;           // file column order

    // The defaults for `fieldCount` fields: all active, in field order.
    explicit TextTableOptions(int fieldCount = 0);

    // Missing keys give the defaults. The stored positions are made sound: skip
    // and size are kept within their ranges, and an order that is not a field
    // number or repeats one is replaced by the fields no position holds, so
    // every field appears exactly once.
    void load(const IniProfile& ini, std::string_view section, int fieldCount);
    // Writes every key (one write of the file). False when the file could not be written.
    bool save(IniProfile& ini, std::string_view section) const;

    // Tab for the tab type, else the first character of the separator text (";" when empty).
    char separatorChar() const;
    bool fixedWidth() const { return separatorType == SeparatorType::FixedWidth; }
    int activeCount() const;

    // --- The options dialog's editing rules ---

    // The file column (from 1) where the field of an active position lands: active
    // positions count one each, and in delimited files each adds its skip.
    int columnOf(std::size_t position) const;
    // The dialog's line for a position: "#%d - %s" with column and title, plus
    // " [%d]" with the width for fixed width; an inactive position shows the title alone.
    std::string listLine(std::size_t position, const std::vector<std::string>& titles) const;
    // Swaps a position with its neighbour; false when there is none.
    bool moveUp(std::size_t position);
    bool moveDown(std::size_t position);
    // Unchecking a position also clears its skip.
    void setActive(std::size_t position, bool active);
    // Skip within 0..20 and width within 1..128, for active positions only.
    void changeSkip(std::size_t position, int delta);
    void changeSize(std::size_t position, int delta);
    // What OK does to the values: an empty separator becomes ";", and a
    // fixed-width import always trims.
    void confirm(TextTableMode mode);
};
