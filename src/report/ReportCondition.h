#pragma once
// The condition of a report, group or record element: one field tested against
// up to three values, converted once when the template is read.

#include "report/ReportSyntax.h"

#include <cstdint>

struct ReportCondition
{
    std::int32_t field = reportfield::None; // `filter`, among fields 0..22; -1: every call passes
    std::int32_t equal = -1;                // the condition values; -1: not given
    std::int32_t less = -1;
    std::int32_t greater = -1;
};

// Reads `filter`, `equal`, `less` and `greater`. The values are converted by the
// filter field: integers for ext, trunk, duration, ringtime, cost and zeroindex;
// 0 or 1 for the has-a-value fields (number, employee, department, contact, group,
// acc, carrier, project); the built-in English direction texts ("Outgoing",
// "Incoming") and call-type texts ("Local", "Long distance", "International",
// "user1".."user4"), in any letter case, for direction and type. A value that
// converts to nothing, and every value of any other filter field, stays -1.
ReportCondition readReportCondition(const ReportAttributes& attributes);
