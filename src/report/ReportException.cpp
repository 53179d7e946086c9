#include "report/ReportException.h"

#include "lang/StringTable.h"

#include <algorithm>

namespace {

// Shown when the string table has no text for a nesting error: the message
// belongs with the other template errors, and a language file may translate it.
constexpr std::string_view kNestedTooDeeplyText =
    "Report generator XML template parsing error!\nGroups are nested too deeply at the following tag:\n\n%1";

} // namespace

CReportException::CReportException(std::int32_t code, std::string_view text)
    : m_code(code)
    , m_text(shortenForMessage(text))
{
}

std::string CReportException::shortenForMessage(std::string_view text)
{
    std::size_t length = std::min(text.size(), kShownLength);
    const std::size_t lineBreak = text.substr(0, length).find_first_of("\r\n");
    if (lineBreak != std::string_view::npos)
        length = lineBreak;
    std::string shown(text.substr(0, length));
    if (length < text.size())
        shown += "...";
    return shown;
}

int reportErrorMessageId(std::int32_t code)
{
    return code == CReportException::Cancelled ? 0 : sid::kTemplateErrorBase + code;
}

std::string reportErrorMessage(const CReportException& error)
{
    const int id = reportErrorMessageId(error.code());
    if (id == 0)
        return {};
    const std::string text = HasBuiltInText(id) ? LoadText(id)
                             : error.code() == CReportException::NestedTooDeeply ? std::string(kNestedTooDeeplyText)
                                                                                 : std::string("%1");
    return FormatInserts(text, {error.text()});
}
