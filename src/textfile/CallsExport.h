#pragma once
// File > Export...: the calls of the calls list, one line each, into a text
// table laid out by INI section "ListCalls". The 19 fields are the list's
// columns (field number = column type) with the list's cell texts, or with
// "Use Excel friendly format" the forms a spreadsheet reads as values: dates
// "MM/DD/YY", times "HH:MM", the dialled number followed by a no-break space,
// the cost as a plain number with a decimal point, the ring time "H:MM:SS".

#include "calls/CallRecord.h"
#include "calls/Progress.h"
#include "textfile/TextTableFile.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

class CallColumns;
class SettingsDatabase;

namespace callsexport {

inline constexpr std::string_view kSection = "ListCalls";
inline constexpr int kFieldCount = 19;

// Opens `path` in the layout of "ListCalls", titled with the column titles of
// the current language.
TextTableFile::OpenResult open(TextTableFile& file, const IniProfile& ini, const std::filesystem::path& path);

// The text of one field: the calls list's cell text, or its Excel-friendly form.
void fieldText(const CallRecord& call, int field, bool excel, const CallColumns& columns,
               const SettingsDatabase& settings, std::string& out);

// Writes the rows of the visible list in list order to the open file; with the
// file's "Export selected records" only the rows listed in `selectedRows`
// (rows of the visible list, in any order; rows outside it are ignored), so
// nothing selected writes no call. The progress advances every 500 rows.
// Returns the number of calls written.
std::size_t write(TextTableFile& file, std::span<const CallRecord> table, std::span<const std::uint32_t> visible,
                  std::span<const std::size_t> selectedRows, const CallColumns& columns,
                  const SettingsDatabase& settings, Progress& progress);

} // namespace callsexport
