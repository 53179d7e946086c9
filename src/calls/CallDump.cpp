#include "calls/CallDump.h"

#include "core/Cp1252.h"

#include <cstdio>

namespace calldump {
namespace {

void appendText(std::string& out, std::string_view cp1252Bytes)
{
    out += ',';
    appendField(out, cp1252::toUtf8(cp1252Bytes));
}

void appendNumber(std::string& out, const char* format, auto value)
{
    char buf[64];
    const int n = std::snprintf(buf, sizeof buf, format, value);
    out += ',';
    out.append(buf, static_cast<std::size_t>(n > 0 ? n : 0));
}

} // namespace

std::string_view header()
{
    return "ext,trunk,number,acc,year,month,day,hour,minute,duration,cd,ringtime,direction,supplied_cost,pulses,"
           "name,type,local,free,carrier,destination,employee,department,trunk_group,contact,project,cost\n";
}

void appendField(std::string& out, std::string_view utf8)
{
    if (utf8.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += utf8;
        return;
    }
    out += '"';
    for (const char c : utf8) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

void appendRow(std::string& out, const CallRecord& call, const CallNames& names)
{
    out += std::to_string(call.extension);
    appendNumber(out, "%u", call.trunk);
    appendText(out, call.number());
    appendText(out, call.account());
    appendNumber(out, "%u", unsigned{call.start.year});
    appendNumber(out, "%u", unsigned{call.start.month});
    appendNumber(out, "%u", unsigned{call.start.day});
    appendNumber(out, "%u", unsigned{call.start.hour});
    appendNumber(out, "%u", unsigned{call.start.minute});
    appendNumber(out, "%u", call.duration);
    appendText(out, call.cd());
    appendNumber(out, "%u", call.ringTime);
    appendNumber(out, "%u", call.direction);
    appendNumber(out, "%.6f", call.suppliedCost);
    appendNumber(out, "%u", call.pulses);
    appendText(out, call.name());
    appendNumber(out, "%d", call.callType);
    appendNumber(out, "%u", call.localFlag);
    appendNumber(out, "%u", call.freeFlag);
    appendNumber(out, "%d", call.carrierIndex);
    appendText(out, names.destinationCode(call));
    appendText(out, names.employee(call));
    appendText(out, names.department(call));
    appendText(out, names.trunkGroup(call));
    const std::string contact = names.contact(call);
    appendText(out, contact.empty() ? call.name() : std::string_view(contact));
    appendText(out, names.project(call));
    appendNumber(out, "%.6f", call.cost);
    out += '\n';
}

} // namespace calldump
