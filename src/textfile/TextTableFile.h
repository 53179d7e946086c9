#pragma once
// A delimited or fixed-width text file of fields, written line by line (export)
// or read line by line (import), laid out by the TextTableOptions of an INI
// section. One object serves one run. Lines end with CR LF; texts are bytes.
//
// Export:  open, then per record beginLine, nextField / writeField for each
//          active position, endLine; then finish.
// Import:  open, then while readLine: readField until it fails, lineComplete;
//          the caller counts processed / added / updated; then finish.

#include "core/IniProfile.h"
#include "core/InputFile.h"
#include "core/SaveFile.h"
#include "textfile/TextTableOptions.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TextTableFile;

// What opening asks of the user: the windows' file and options dialogs.
class TextTableFrontEnd
{
public:
    virtual ~TextTableFrontEnd() = default;
    // The file to read (import) or write (export), starting at `suggested`; empty when cancelled.
    virtual std::filesystem::path chooseFile(TextTableMode mode, const std::filesystem::path& suggested) = 0;
    // The options dialog over file.options() and file.titles(); false when cancelled.
    virtual bool editOptions(TextTableFile& file) = 0;
    virtual void showError(const std::string& message) = 0;
};

class TextTableFile
{
public:
    static constexpr int kEndOfLine = -1;

    enum class OpenResult { Ok = 0, CannotOpen = 1 };

    struct Counters
    {
        int lines = 0;     // lines written or read, the header line not counted
        int processed = 0; // import: complete and valid lines (counted by the caller)
        int added = 0;     // import: records added (counted by the caller)
        int updated = 0;   // import: records updated (counted by the caller)
    };

    struct Field
    {
        int number = 0;        // the field number of the position read
        std::string_view text; // valid until the next readLine
    };

    // What finish reports: the information text, or the error text when the file
    // could not be written or read.
    struct Outcome
    {
        bool ok = false;
        std::string message;
    };

    explicit TextTableFile(TextTableMode mode);
    ~TextTableFile(); // closes the file; an export that was not finished is discarded
    TextTableFile(const TextTableFile&) = delete;
    TextTableFile& operator=(const TextTableFile&) = delete;

    TextTableMode mode() const { return m_mode; }
    TextTableOptions& options() { return m_options; }
    const TextTableOptions& options() const { return m_options; }
    // Field titles by field number, for the options dialog and the header line.
    const std::vector<std::string>& titles() const { return m_titles; }
    void setTitles(std::vector<std::string> titles) { m_titles = std::move(titles); }

    // --- Opening, in steps (the command line) ---

    // The options of `section` for `fieldCount` fields. With a title id the titles
    // are the string-table texts id .. id + fieldCount - 1; with 0 they stay as set.
    void loadOptions(const IniProfile& ini, std::string_view section, int fieldCount, int firstTitleId = 0);
    bool saveOptions(IniProfile& ini, std::string_view section) const { return m_options.save(ini, section); }
    // Opens the file: an export is written to a temporary file beside it that
    // finish() renames over it, so a failed export leaves an existing file as it
    // was. With "First line is header" an export writes the titles line and an
    // import reads and drops the first line. Resets the counters.
    OpenResult open(const std::filesystem::path& path);

    // --- Opening, all at once (the windows) ---

    // Loads the options, asks for the file (import) and the options, stores them,
    // asks for the file (export), remembers it as "File" and opens it. False when
    // cancelled, when no field is active, or when the file cannot be opened (the
    // front end has then shown the error).
    bool openWithOptions(IniProfile& ini, std::string_view section, int fieldCount, int firstTitleId,
                         TextTableFrontEnd& frontEnd);

    // The file-type list of the file dialogs: "%s (*%s)|*%s|" for CSV, text and
    // (import only) all files.
    static std::string fileTypeFilter(TextTableMode mode);
    static std::string openErrorText(const std::filesystem::path& path);

    // --- Writer ---

    void beginLine();
    // The field number of the next active position, or kEndOfLine.
    int nextField();
    // Writes the field of the position nextField returned. Fixed width: cut or
    // padded to the width (blanks on the right when left-aligned, else on the
    // left), then one blank. Delimited: the separator skip times, and once more
    // before all but the line's first field; a text holding the separator or a
    // double quote is written between double quotes, its quotes doubled. A line
    // break inside a text would end the file's line, so CR and LF are written as blanks.
    void writeField(std::string_view text, bool leftAligned);
    void endLine();

    // --- Reader ---

    // Reads the next line (its line end removed); false at the end of the file
    // and at a line longer than kMaxLineLength, which fails the import.
    bool readLine();
    // The next active position's field of the current line; false when the line
    // holds no more fields or a quoted column is not closed. Delimited: first the
    // position's skip columns are passed over. Without "Trim spaces" only a field
    // that ends the line loses its trailing white space.
    bool readField(Field& field);
    // As many fields were read from the line as there are active positions.
    bool lineComplete() const { return m_fieldsInLine == m_activeCount; }
    // Whether the field's position is active, so that an update touches only the
    // columns present in the file.
    bool isFieldActive(int field) const;

    Counters& counters() { return m_counters; }
    const Counters& counters() const { return m_counters; }

    // Closes the file (an export is committed) and gives the result text:
    // 25301 with the lines written, or 25302 with the import counters; on a
    // failed write 25172, on a failed read 25170, with the path; after an overlong line 26030.
    Outcome finish();
    bool isOpen() const { return m_save.isOpen() || m_input.isOpen(); }

    // An import line longer than this stops the import (endless data without line breaks).
    static constexpr std::size_t kMaxLineLength = 1024 * 1024;

private:
    static constexpr std::size_t kNoPosition = static_cast<std::size_t>(-1);

    void prepareLayout();
    void append(std::string_view bytes);
    void appendFill(std::size_t count, char c);
    void appendDelimited(std::string_view text);
    void flushBuffer();
    bool fillBuffer();
    bool readColumn(std::string_view& text);
    void closeFile();

    TextTableMode m_mode;
    TextTableOptions m_options;
    std::vector<std::string> m_titles;
    std::vector<bool> m_fieldActive; // by field number
    char m_separator = ';';
    int m_activeCount = 0;
    bool m_trimAll = false;

    std::filesystem::path m_path;
    SaveFile m_save;   // export
    InputFile m_input; // import
    bool m_ioFailed = false;
    bool m_lineTooLong = false;  // import: stopped at an overlong line
    std::string m_buffer;        // export: pending output; import: bytes read ahead
    std::size_t m_bufferPos = 0; // import: the first unread byte of m_buffer

    std::size_t m_position = 0;          // the layout position to look at next
    std::size_t m_current = kNoPosition; // export: the position nextField returned
    int m_fieldsInLine = 0;              // fields written to / read from the current line
    std::string m_line;                  // import: the current line
    std::size_t m_readPos = kNoPosition; // import: offset in m_line, or none when used up

    Counters m_counters;
};
