#include "report/ReportException.h"

#include "lang/StringTable.h"

#include <algorithm>

static_assert(sid::kTemplateNestedTooDeeply == sid::kTemplateErrorBase + CReportException::NestedTooDeeply);

CReportException::CReportException(std::int32_t code, std::string_view text)
    : m_code(code)
    , m_text(shortenForMessage(text))
{ }

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
    if (code == CReportException::TooLarge)
        return sid::kReportTooLarge;
    return code == CReportException::Cancelled ? 0 : sid::kTemplateErrorBase + code;
}

std::string reportErrorMessage(const CReportException& error)
{
    const int id = reportErrorMessageId(error.code());
    if (id == 0)
        return {};
    const std::string text = LoadText(id);
    return FormatInserts(text, {error.text()});
}
