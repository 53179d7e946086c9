#pragma once
// One CSV row per call, as `quantorix-cli dump` prints them: comma separated,
// fields quoted only when they hold a comma, quote or line break (quotes
// doubled), texts converted from Windows-1252 to UTF-8, one header row.

#include "calls/CallRecord.h"

#include <string>
#include <string_view>

// What a call's rating indexes stand for. Each lookup gives the name (Windows-1252
// bytes), or "" when the call has none; the defaults know nothing.
class CallNames
{
public:
    virtual ~CallNames() = default;
    virtual std::string destinationCode(const CallRecord&) const { return {}; }
    virtual std::string employee(const CallRecord&) const { return {}; }
    virtual std::string department(const CallRecord&) const { return {}; }
    virtual std::string trunkGroup(const CallRecord&) const { return {}; }
    // The contact's name; the row shows the call's own name text when this is "".
    virtual std::string contact(const CallRecord&) const { return {}; }
    virtual std::string project(const CallRecord&) const { return {}; }
};

namespace calldump {

// The header row, with its line break.
std::string_view header();
// Appends the row of one call, with its line break.
void appendRow(std::string& out, const CallRecord& call, const CallNames& names);
// A field as CSV writes it: quoted when it holds a comma, quote, CR or LF.
void appendField(std::string& out, std::string_view utf8);

} // namespace calldump
