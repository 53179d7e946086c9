#include "textfile/TextTableFile.h"

#include "TempDir.h"
#include "TextFiles.h"

#include <fstream>
#include <functional>
#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <sys/stat.h>

namespace {

class TextTableFileTest : public ::testing::Test
{
protected:
    TempDir dir;
    std::filesystem::path path = dir / "table.csv";

    // Writes the rows (each field left-aligned unless listed in `right`) and returns the file.
    std::string exportRows(const TextTableOptions& options, const std::vector<std::vector<std::string>>& rows,
                           std::vector<std::string> titles = {}, const std::vector<int>& right = {})
    {
        TextTableFile file(TextTableMode::Export);
        file.options() = options;
        titles.resize(options.positions.size());
        file.setTitles(titles);
        EXPECT_EQ(file.open(path), TextTableFile::OpenResult::Ok);
        for (const auto& row : rows) {
            file.beginLine();
            for (int field = file.nextField(); field != TextTableFile::kEndOfLine; field = file.nextField())
                file.writeField(row.at(static_cast<std::size_t>(field)),
                                std::find(right.begin(), right.end(), field) == right.end());
            file.endLine();
        }
        const TextTableFile::Outcome outcome = file.finish();
        EXPECT_TRUE(outcome.ok);
        EXPECT_EQ(outcome.message, std::to_string(rows.size()) + " records exported");
        return readAll(path);
    }

    // The complete lines of `content`, each as its field texts by field number.
    std::vector<std::vector<std::string>> importText(const TextTableOptions& options, const std::string& content,
                                                     int* linesRead = nullptr)
    {
        writeAll(path, content);
        TextTableFile file(TextTableMode::Import);
        file.options() = options;
        EXPECT_EQ(file.open(path), TextTableFile::OpenResult::Ok);
        std::vector<std::vector<std::string>> rows;
        while (file.readLine()) {
            std::vector<std::string> row(options.positions.size());
            TextTableFile::Field field;
            while (file.readField(field))
                row.at(static_cast<std::size_t>(field.number)) = std::string(field.text);
            if (file.lineComplete())
                rows.push_back(row);
        }
        if (linesRead)
            *linesRead = file.counters().lines;
        EXPECT_TRUE(file.finish().ok);
        return rows;
    }
};

using Rows = std::vector<std::vector<std::string>>;

TextTableOptions fixedWidthLayout(std::initializer_list<int> sizes)
{
    TextTableOptions o(static_cast<int>(sizes.size()));
    o.separatorType = SeparatorType::FixedWidth;
    std::size_t i = 0;
    for (int size : sizes)
        o.positions[i++].size = size;
    return o;
}

} // namespace

TEST_F(TextTableFileTest, SeparatorInsideATextIsQuoted)
{
    TextTableOptions o(2);
    EXPECT_EQ(exportRows(o, {{"London; City", "7"}}), "\"London; City\";7\r\n");
    o.separatorType = SeparatorType::Tab;
    EXPECT_EQ(exportRows(o, {{"London; City", "7"}}), "London; City\t7\r\n");
    o.separatorType = SeparatorType::Other;
    EXPECT_EQ(exportRows(o, {{"say \"hi\"", "a\r\nb"}}), "\"say \"\"hi\"\"\";a  b\r\n");
}

TEST_F(TextTableFileTest, SkipsWriteEmptyColumnsBeforeTheField)
{
    TextTableOptions o(4);
    o.positions[3].skip = 2;
    EXPECT_EQ(exportRows(o, {{"a", "b", "c", "d"}}), "a;b;c;;;d\r\n");
    o.positions[0].skip = 1; // the first field lands in the column the dialog shows too
    o.positions[1].active = false;
    EXPECT_EQ(o.columnOf(0), 2);
    EXPECT_EQ(exportRows(o, {{"a", "b", "c", "d"}}), ";a;c;;;d\r\n");
}

TEST_F(TextTableFileTest, FixedWidthCutsAndPads)
{
    const TextTableOptions o = fixedWidthLayout({8, 4, 3});
    EXPECT_EQ(exportRows(o, {{"1234567890", "ab", "x"}, {"12", "abcd", ""}}, {}, {0}),
              "12345678 ab   x   \r\n      12 abcd     \r\n");
}

TEST_F(TextTableFileTest, HeaderLineHoldsTheActiveTitlesAndIsNotCounted)
{
    TextTableOptions o(3);
    o.firstLineIsHeader = true;
    o.positions[1].active = false;
    std::swap(o.positions[0], o.positions[2]);
    EXPECT_EQ(exportRows(o, {{"1", "2", "3"}}, {"Ext", "Acc", "Name;full"}), "\"Name;full\";Ext\r\n3;1\r\n");
    EXPECT_EQ(exportRows(o, {}, {"Ext", "Acc", "Name"}), "Name;Ext\r\n"); // and "0 records exported"
}

TEST_F(TextTableFileTest, FailedOrUnfinishedExportLeavesTheOldFile)
{
    writeAll(path, "old\r\n");
    {
        TextTableFile file(TextTableMode::Export);
        file.options() = TextTableOptions(1);
        ASSERT_EQ(file.open(path), TextTableFile::OpenResult::Ok);
        file.beginLine();
        file.nextField();
        file.writeField("new", true);
        file.endLine();
    } // gone without finish
    EXPECT_EQ(readAll(path), "old\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1); // no temporary left

    TextTableFile file(TextTableMode::Export);
    file.options() = TextTableOptions(1);
    EXPECT_EQ(file.open(dir / "missing" / "x.csv"), TextTableFile::OpenResult::CannotOpen);
    EXPECT_EQ(file.open(dir.path()), TextTableFile::OpenResult::CannotOpen);
    EXPECT_EQ(TextTableFile::openErrorText("C:\\x.csv"), "Error opening file!\n\nC:\\x.csv");
}

TEST_F(TextTableFileTest, EndlessLineStopsTheImportWithItsMessage)
{
    writeAll(path, "a;b\r\n" + std::string(TextTableFile::kMaxLineLength + 10, 'x'));
    TextTableFile file(TextTableMode::Import);
    file.options() = TextTableOptions(2);
    ASSERT_EQ(file.open(path), TextTableFile::OpenResult::Ok);
    EXPECT_TRUE(file.readLine());
    EXPECT_FALSE(file.readLine());
    const TextTableFile::Outcome outcome = file.finish();
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.message, "Import stopped: line 2 is longer than 1048576 characters!\n\n" + path.string());
}

TEST_F(TextTableFileTest, ImportOfAFifoIsRefusedWithoutWaiting)
{
    ASSERT_EQ(::mkfifo((dir / "pipe.csv").c_str(), 0666), 0);
    TextTableFile file(TextTableMode::Import);
    file.options() = TextTableOptions(2);
    EXPECT_EQ(file.open(dir / "pipe.csv"), TextTableFile::OpenResult::CannotOpen);
}

TEST_F(TextTableFileTest, QuotedColumnsAndSkipsOnReading)
{
    TextTableOptions o(2);
    EXPECT_EQ(importText(o, "0123;\"Smith; John\"\r\n"), (Rows{{"0123", "Smith; John"}}));
    EXPECT_EQ(importText(o, "x\"a;b\"y;z\r\n"), (Rows{{"a;b", "z"}})); // a quote anywhere before the separator
    EXPECT_EQ(importText(o, "\"say \"\"hi\"\"\";\"\"\r\n"), (Rows{{"say \"hi\"", ""}}));
    EXPECT_EQ(importText(o, "1;\"open\r\n2;shut\r\n"), (Rows{{"2", "shut"}})); // unclosed quote: line skipped

    o.positions[1].skip = 1;
    EXPECT_EQ(importText(o, "1;\"passed;over\";2;3\r\n"), (Rows{{"1", "2"}}));
    EXPECT_EQ(importText(o, "1;2\r\n"), Rows{}); // the skipped column was the last one
}

TEST_F(TextTableFileTest, IncompleteLinesAndEmptyFields)
{
    TextTableOptions o(3);
    int lines = 0;
    EXPECT_EQ(importText(o, "a;b\r\na;b;\r\n\r\na;b;c;d\r\nlast;x;y", &lines),
              (Rows{{"a", "b", ""}, {"a", "b", "c"}, {"last", "x", "y"}}));
    EXPECT_EQ(lines, 5);
    o.positions[1].active = false;
    EXPECT_EQ(importText(o, "a;b\r\n"), (Rows{{"a", "", "b"}}));
}

TEST_F(TextTableFileTest, TrimmingOnReading)
{
    TextTableOptions o(3);
    EXPECT_EQ(importText(o, " a ; b ; c \t\r\n"), (Rows{{" a ", " b ", " c"}})); // only the line's end
    o.trim = true;
    EXPECT_EQ(importText(o, " a ;\t b ; c \t\r\n"), (Rows{{"a", "b", "c"}}));
}

TEST_F(TextTableFileTest, FixedWidthReading)
{
    const TextTableOptions o = fixedWidthLayout({4, 2, 5});
    // Fixed-width imports always trim; a short last field takes the rest of the line.
    EXPECT_EQ(importText(o, "  12 ab Smith\r\n1234 cdxSmi\r\n  12 ab\r\n  12 ab \r\n"),
              (Rows{{"12", "ab", "Smith"}, {"1234", "cd", "Smi"}, {"12", "ab", ""}}));
}

TEST_F(TextTableFileTest, HeaderLineIsNeverImported)
{
    TextTableOptions o(2);
    o.firstLineIsHeader = true;
    int lines = 0;
    EXPECT_EQ(importText(o, "1;valid\r\n2;data\r\n", &lines), (Rows{{"2", "data"}}));
    EXPECT_EQ(lines, 1);
    EXPECT_EQ(importText(o, ""), Rows{});
}

TEST_F(TextTableFileTest, ImportResultAndActiveFields)
{
    writeAll(path, "");
    TextTableFile file(TextTableMode::Import);
    file.options() = TextTableOptions(3);
    file.options().positions[2].active = false;
    ASSERT_EQ(file.open(path), TextTableFile::OpenResult::Ok);
    EXPECT_TRUE(file.isFieldActive(0));
    EXPECT_FALSE(file.isFieldActive(2));
    EXPECT_FALSE(file.isFieldActive(3));
    EXPECT_FALSE(file.readLine());
    EXPECT_EQ(file.finish().message, "0 records processed\n\n0 records added\n0 records updated\n");

    TextTableFile missing(TextTableMode::Import);
    EXPECT_EQ(missing.open(dir / "nope.csv"), TextTableFile::OpenResult::CannotOpen);
}

TEST_F(TextTableFileTest, WrittenFilesReadBackTheSame)
{
    std::mt19937 random(7);
    const std::string alphabet = "ab ;,\t\"'x19\xA0";
    auto text = [&](bool fixed) {
        std::string s;
        const int length = static_cast<int>(random() % 12);
        for (int i = 0; i < length; ++i)
            s += alphabet[random() % alphabet.size()];
        if (fixed) { // fixed-width reading trims; keep the text trimmed and within the width
            while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
                s.pop_back();
            while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
                s.erase(0, 1);
        }
        return s;
    };
    for (SeparatorType type : {SeparatorType::Other, SeparatorType::Tab, SeparatorType::FixedWidth}) {
        SCOPED_TRACE(static_cast<int>(type));
        TextTableOptions o(4);
        o.separatorType = type;
        o.trim = false;
        o.firstLineIsHeader = true;
        o.positions[1].skip = 2;
        o.positions[3].active = false;
        std::swap(o.positions[0], o.positions[2]);
        Rows rows;
        for (int r = 0; r < 200; ++r) {
            rows.push_back({text(type == SeparatorType::FixedWidth), "", text(type == SeparatorType::FixedWidth), ""});
            rows.back()[1] = type == SeparatorType::FixedWidth ? "" : text(false) + "z"; // ends before the line's end
            if (type != SeparatorType::FixedWidth)
                rows.back()[0] += "q"; // the last field of a line loses trailing blanks
        }
        exportRows(o, rows, {"A", "B", "C", "D"});
        EXPECT_EQ(importText(o, readAll(path)), rows);
    }
}

namespace {

// Answers the dialogs as scripted and records what was asked.
class ScriptedFrontEnd : public TextTableFrontEnd
{
public:
    std::filesystem::path answerFile;
    bool confirmOptions = true;
    std::function<void(TextTableOptions&)> edit;
    std::vector<std::filesystem::path> suggested;
    std::vector<std::string> errors;
    int optionDialogs = 0;

    std::filesystem::path chooseFile(TextTableMode, const std::filesystem::path& start) override
    {
        suggested.push_back(start);
        return answerFile;
    }
    bool editOptions(TextTableFile& file) override
    {
        ++optionDialogs;
        if (edit)
            edit(file.options());
        return confirmOptions;
    }
    void showError(const std::string& message) override { errors.push_back(message); }
};

} // namespace

TEST_F(TextTableFileTest, OpenWithOptionsAsksThenStoresAndOpens)
{
    IniProfile ini(dir / "quantorix.ini");
    ScriptedFrontEnd ui;
    ui.answerFile = path;
    ui.edit = [](TextTableOptions& o) {
        o.firstLineIsHeader = true;
        o.positions[0].active = false;
    };
    TextTableFile file(TextTableMode::Export);
    ASSERT_TRUE(file.openWithOptions(ini, "ListProject", 2, 25406, ui));
    EXPECT_EQ(ui.suggested, (std::vector<std::filesystem::path>{""}));
    EXPECT_EQ(file.titles(), (std::vector<std::string>{"Acc code", "Project"}));
    file.beginLine();
    EXPECT_EQ(file.nextField(), 1);
    file.writeField("Alpha", true);
    EXPECT_EQ(file.nextField(), TextTableFile::kEndOfLine);
    file.endLine();
    EXPECT_EQ(file.finish().message, "1 records exported");
    EXPECT_EQ(readAll(path), "Project\r\nAlpha\r\n");

    IniProfile reread(dir / "quantorix.ini");
    EXPECT_EQ(reread.readString("ListProject", "File"), path.string());
    EXPECT_EQ(reread.readInt("ListProject", "Active0", -1), 0);
    EXPECT_EQ(reread.readInt("ListProject", "First", -1), 1);
}

TEST_F(TextTableFileTest, OpenWithOptionsStopsQuietlyOnCancelOrNoField)
{
    IniProfile ini(dir / "quantorix.ini");
    ScriptedFrontEnd ui;
    TextTableFile import(TextTableMode::Import);
    EXPECT_FALSE(import.openWithOptions(ini, "ListContact", 2, 25320, ui)); // file dialog cancelled
    EXPECT_EQ(ui.suggested, (std::vector<std::filesystem::path>{dir / "Import" / ""}));
    EXPECT_EQ(ui.optionDialogs, 0);

    ui.answerFile = path;
    ui.confirmOptions = false;
    EXPECT_FALSE(import.openWithOptions(ini, "ListContact", 2, 25320, ui));
    EXPECT_FALSE(ini.hasSection("ListContact")); // nothing stored

    ui.confirmOptions = true;
    ui.edit = [](TextTableOptions& o) {
        for (std::size_t i = 0; i < o.positions.size(); ++i)
            o.setActive(i, false);
    };
    TextTableFile exporter(TextTableMode::Export);
    EXPECT_FALSE(exporter.openWithOptions(ini, "ListContact", 2, 25320, ui));
    EXPECT_EQ(ini.readInt("ListContact", "Active1", -1), 0); // the options are kept
    EXPECT_TRUE(ui.errors.empty());
    EXPECT_FALSE(std::filesystem::exists(path));

    ui.edit = nullptr;
    ui.answerFile = dir / "missing" / "x.csv";
    writeAll(dir / "quantorix.ini", "");
    IniProfile fresh(dir / "quantorix.ini");
    EXPECT_FALSE(exporter.openWithOptions(fresh, "ListContact", 2, 25320, ui));
    EXPECT_EQ(ui.errors, (std::vector<std::string>{"Error opening file!\n\n" + ui.answerFile.string()}));
}

TEST(TextTableFileTypes, FilterListsCsvTextAndForImportAllFiles)
{
    EXPECT_EQ(TextTableFile::fileTypeFilter(TextTableMode::Import),
              "CSV files (*.csv)|*.csv|Text files (*.txt)|*.txt|All files (*.*)|*.*|");
    EXPECT_EQ(TextTableFile::fileTypeFilter(TextTableMode::Export),
              "CSV files (*.csv)|*.csv|Text files (*.txt)|*.txt|");
}
