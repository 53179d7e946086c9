#include "textfile/CallsExport.h"

#include "lang/StringIds.h"
#include "prefs/CallColumns.h"
#include "prefs/Preferences.h"
#include "settings/SettingsDatabase.h"

#include "TempDir.h"
#include "TextFiles.h"

#include <cstring>
#include <gtest/gtest.h>
#include <numeric>

namespace {

CallRecord call(std::uint32_t extension, const char* number, double cost)
{
    CallRecord c = CallRecord::empty();
    c.extension = extension;
    c.trunk = 3;
    std::copy_n(number, std::strlen(number), c.dialedNumber.begin());
    c.start = {2024, 3, 5, 14, 7};
    c.duration = 3725;
    c.ringTime = 3725;
    c.cost = cost;
    c.callType = 2;
    return c;
}

class RecordingProgress : public Progress
{
public:
    void begin(std::size_t count) override { total = count; }
    bool step(std::size_t done, std::size_t) override
    {
        steps.push_back(done);
        return true;
    }
    std::size_t total = 0;
    std::vector<std::size_t> steps;
};

class CallsExportTest : public ::testing::Test
{
protected:
    CallsExportTest()
    {
        db.destinations.resize(1);
        db.destinations[0].country.assign("Land; of Hope");
        db.rebuildIndexes();
        table = {call(101, "0049301234", 1.5), call(7, "", 0.123456), call(102, "12", -2.0)};
        table[0].destinationIndex = 0;
    }

    // Exports the visible rows with the "ListCalls" defaults changed by `adjust`.
    std::string exportRows(const std::function<void(TextTableOptions&)>& adjust, std::vector<std::size_t> selected = {},
                           std::string* message = nullptr)
    {
        TextTableFile file(TextTableMode::Export);
        file.loadOptions(IniProfile(), callsexport::kSection, callsexport::kFieldCount, sid::kColumnTitleFirst);
        if (adjust)
            adjust(file.options());
        EXPECT_EQ(file.open(path), TextTableFile::OpenResult::Ok);
        const CallColumns columns(db, prefs);
        NoProgress progress;
        callsexport::write(file, table, visible, selected, columns, db, progress);
        const TextTableFile::Outcome outcome = file.finish();
        EXPECT_TRUE(outcome.ok);
        if (message)
            *message = outcome.message;
        return readAll(path);
    }

    static std::function<void(TextTableOptions&)> onlyFields(std::vector<int> fields)
    {
        return [fields](TextTableOptions& o) {
            for (auto& p : o.positions)
                p.active = std::find(fields.begin(), fields.end(), p.field) != fields.end();
        };
    }

    TempDir dir;
    std::filesystem::path path = dir / "calls.csv";
    SettingsDatabase db;
    Preferences prefs;
    std::vector<CallRecord> table;
    std::vector<std::uint32_t> visible = {2, 0, 1};
};

} // namespace

TEST_F(CallsExportTest, PlainFieldsAreTheCallsListTexts)
{
    const CallColumns columns(db, prefs);
    const std::string file = exportRows({});
    std::string expected;
    std::string text;
    for (std::uint32_t index : visible) {
        for (int f = 0; f < callsexport::kFieldCount; ++f) {
            columns.cellText(table[index], static_cast<ColumnType>(f), text);
            if (f > 0)
                expected += ';';
            expected += text.find(';') == std::string::npos ? text : "\"" + text + "\"";
        }
        expected += "\r\n";
    }
    EXPECT_EQ(file, expected);
}

TEST_F(CallsExportTest, ExcelFriendlyForms)
{
    const auto fields = onlyFields({0, 1, 3, 6, 17});
    const std::string file = exportRows([&](TextTableOptions& o) {
        fields(o);
        o.excel = true;
    });
    EXPECT_EQ(file, "03/05/24;14:07;12\xA0;-2.00;1:02:05\r\n"
                    "03/05/24;14:07;0049301234\xA0;1.50;1:02:05\r\n"
                    "03/05/24;14:07;;0.123456;1:02:05\r\n");

    // No digits after the decimal symbol: the point goes with the decimals.
    db.header.overrideCurrency = 1;
    db.header.mainCurrency.decimalSymbol.assign(",");
    db.header.mainCurrency.digits = 0;
    db.rebuildCurrencyFormats();
    const std::string whole = exportRows([](TextTableOptions& o) {
        onlyFields({6})(o);
        o.excel = true;
    });
    EXPECT_EQ(whole, "-2\r\n1.5\r\n0.123456\r\n");
}

TEST_F(CallsExportTest, SelectionWithNothingSelectedWritesOnlyTheHeader)
{
    std::string message;
    const std::string file = exportRows(
        [](TextTableOptions& o) {
            onlyFields({2})(o);
            o.selection = true;
            o.firstLineIsHeader = true;
        },
        {}, &message);
    EXPECT_EQ(file, "Ext\r\n");
    EXPECT_EQ(message, "0 records exported");
}

TEST_F(CallsExportTest, SelectedRowsAreWrittenInListOrder)
{
    std::string message;
    const std::string file = exportRows(
        [](TextTableOptions& o) {
            onlyFields({2})(o);
            o.selection = true;
        },
        {2, 0, 2, 99}, &message);
    EXPECT_EQ(file, "102\r\n007\r\n");
    EXPECT_EQ(message, "2 records exported");
}

TEST_F(CallsExportTest, FixedWidthAlignsAsTheCallsList)
{
    const std::string file = exportRows([](TextTableOptions& o) {
        onlyFields({2, 4, 6})(o);
        o.separatorType = SeparatorType::FixedWidth;
        for (auto& p : o.positions)
            p.size = 8;
    });
    // Ext and Cost right-aligned, Destination left; a long text is cut.
    EXPECT_EQ(file.substr(0, file.find('\n') + 1), "     102 Unknown   ($2.00) \r\n");
    EXPECT_NE(file.find("     101 Land; of    $1.50 \r\n"), std::string::npos);
}

TEST_F(CallsExportTest, ProgressEvery500Rows)
{
    table.assign(1201, call(1, "1", 0));
    visible.resize(1201);
    std::iota(visible.begin(), visible.end(), 0u);
    TextTableFile file(TextTableMode::Export);
    file.options() = TextTableOptions(callsexport::kFieldCount);
    ASSERT_EQ(file.open(path), TextTableFile::OpenResult::Ok);
    RecordingProgress progress;
    const CallColumns columns(db, prefs);
    EXPECT_EQ(callsexport::write(file, table, visible, {}, columns, db, progress), 1201u);
    EXPECT_EQ(progress.total, 1201u);
    EXPECT_EQ(progress.steps, (std::vector<std::size_t>{0, 500, 1000}));
}
