#include "textfile/CallsExport.h"

#include "calls/CallSession.h"
#include "lang/StringIds.h"
#include "prefs/CallColumns.h"
#include "settings/CurrencyFormat.h"
#include "settings/SettingsDatabase.h"
#include "textfile/ListFieldText.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace callsexport {

namespace {

void appendTwoDigits(std::string& out, unsigned value)
{
    out += static_cast<char>('0' + (value / 10) % 10);
    out += static_cast<char>('0' + value % 10);
}

// Eight decimals, trailing zeros cut down to the main currency's digits (with
// none, the point goes too), and always a decimal point.
void appendExcelAmount(std::string& out, double amount, int digits)
{
    const std::string text = fixedText(std::isfinite(amount) && amount != 0.0 ? amount : 0.0, 8);
    const std::size_t point = text.find('.');
    std::size_t end = text.size();
    const std::size_t keep = point + 1 + static_cast<std::size_t>(std::max(digits, 0));
    while (end > keep && text[end - 1] == '0')
        --end;
    if (end == point + 1)
        --end;
    out.append(text, 0, end);
}

} // namespace

TextTableFile::OpenResult open(TextTableFile& file, const IniProfile& ini, const std::filesystem::path& path)
{
    file.loadOptions(ini, kSection, kFieldCount, sid::kColumnTitleFirst);
    return file.open(path);
}

void fieldText(const CallRecord& call, int field, bool excel, const CallColumns& columns,
               const SettingsDatabase& settings, std::string& out)
{
    const auto type = static_cast<ColumnType>(field);
    if (!excel) {
        columns.cellText(call, type, out);
        return;
    }
    out.clear();
    switch (type) {
    case ColumnType::Date:
        appendTwoDigits(out, call.start.month);
        out += '/';
        appendTwoDigits(out, call.start.day);
        out += '/';
        appendTwoDigits(out, call.start.year % 100u);
        return;
    case ColumnType::Time:
        appendTwoDigits(out, call.start.hour);
        out += ':';
        appendTwoDigits(out, call.start.minute);
        return;
    case ColumnType::DialedNumber:
        out += call.number();
        if (!out.empty())
            out += listtext::kNoBreakSpace;
        return;
    case ColumnType::Cost:
        appendExcelAmount(out, call.cost, settings.currency().format(Currency::Main).digits);
        return;
    case ColumnType::Ringtime:
        listtext::appendInteger(out, call.ringTime / 3600);
        out += ':';
        appendTwoDigits(out, call.ringTime / 60 % 60);
        out += ':';
        appendTwoDigits(out, call.ringTime % 60);
        return;
    default:
        columns.cellText(call, type, out);
        return;
    }
}

std::size_t write(TextTableFile& file, std::span<const CallRecord> table, std::span<const std::uint32_t> visible,
                  std::span<const std::size_t> selectedRows, const CallColumns& columns,
                  const SettingsDatabase& settings, Progress& progress)
{
    std::vector<std::size_t> rows;
    const bool selectionOnly = file.options().selection;
    if (selectionOnly) {
        rows.assign(selectedRows.begin(), selectedRows.end());
        std::sort(rows.begin(), rows.end());
        rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
        rows.erase(std::lower_bound(rows.begin(), rows.end(), visible.size()), rows.end());
    }
    const std::size_t total = selectionOnly ? rows.size() : visible.size();
    const bool excel = file.options().excel;

    // Alignment of each field, looked up once rather than per cell.
    std::array<bool, kFieldCount> leftAligned{};
    for (int f = 0; f < kFieldCount; ++f)
        leftAligned[static_cast<std::size_t>(f)] = !columnSpec(static_cast<ColumnType>(f)).rightAligned;

    progress.begin(total);
    std::string text;
    std::size_t written = 0;
    for (std::size_t i = 0; i < total; ++i) {
        if (i % CallSession::kProgressInterval == 0)
            progress.step(i, total);
        const std::uint32_t index = visible[selectionOnly ? rows[i] : i];
        if (index >= table.size())
            continue;
        const CallRecord& call = table[index];
        file.beginLine();
        for (int field = file.nextField(); field != TextTableFile::kEndOfLine; field = file.nextField()) {
            const bool known = field >= 0 && field < kFieldCount;
            if (known)
                fieldText(call, field, excel, columns, settings, text);
            else
                text.clear();
            file.writeField(text, !known || leftAligned[static_cast<std::size_t>(field)]);
        }
        file.endLine();
        ++written;
    }
    progress.end();
    return written;
}

} // namespace callsexport
