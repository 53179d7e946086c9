#pragma once
// The one exception of the report generator. Template parse errors and a
// cancelled run unwind the whole run to where it started; the run then shows the
// message of the code (nothing for a cancel) and writes no file.

#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

class CReportException : public std::exception
{
public:
    enum Code : std::int32_t {
        TagNotClosed = 1,    // an opening tag has no ">" (or a var no "/>")
        NoClosingTag = 2,    // a paired element has no closing tag
        NoReportElement = 3, // the template has no <report> element
        Cancelled = 4,       // the user cancelled the run
        NestedTooDeeply = 5, // groups nested deeper than the generator evaluates
        TooLarge = 6,        // the run needs more work or output than a report may take
    };

    // `text` is what the message shows for "%1": for the parse errors, the start of
    // the offending tag; pass the text from the tag to the end of the searched text,
    // it is shortened here (see shortenForMessage).
    CReportException(std::int32_t code, std::string_view text);

    std::int32_t code() const { return m_code; }
    const std::string& text() const { return m_text; }
    const char* what() const noexcept override { return m_text.c_str(); }

    // The text as a parse message shows it: up to the first line break and at most
    // 64 characters, followed by "..." when anything was cut off.
    static std::string shortenForMessage(std::string_view text);
    static constexpr std::size_t kShownLength = 64;

private:
    std::int32_t m_code;
    std::string m_text;
};

// The string-table id of the message for a code (25174 + code); 0 for a cancel.
int reportErrorMessageId(std::int32_t code);

// The message text for an error, from the string table, with "%1" replaced by the
// carried text; empty for a cancel, which shows nothing.
std::string reportErrorMessage(const CReportException& error);
