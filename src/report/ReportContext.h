#pragma once
// What the main window keeps between report runs and the fields of a report
// print: the period, the creation moment, the chosen kind and individual, the
// page-break choice, the five custom texts and the grouping markers.

#include "calls/CallDate.h"
#include "core/LocaleTexts.h"

#include <array>
#include <cstdint>
#include <string>

// The report kinds, numbered as the stored "Type" and the dialog's radio buttons.
enum ReportKind : int {
    ReportSummary = 0,
    ReportEmployee = 1,
    ReportDepartment = 2,
    ReportTrunk = 3,
    ReportExtension = 4,
    ReportAccCode = 5,
    ReportContact = 6,
    ReportTrunkGroup = 7,
    ReportProject = 8,
    ReportSelectedRecords = 9,
};
inline constexpr int kReportKindCount = 10;

struct ReportContext
{
    CallDate from;          // the report period: start ...
    CallDate to;            // ... and end (hour and minute included)
    DateTimeFields created; // local time when the template had been read
    bool pageBreak = true;
    int kind = ReportSummary;
    std::string detail;                     // `report_detail`: the chosen individual, as printed
    std::array<std::string, 5> customTexts; // company, address, phones, text 1, text 2

    // Grouping markers: the department, carrier and trunk group whose value a
    // group is walking, so that groups inside it walk only the matching entries;
    // -1 when no such group is around.
    std::int32_t currentDepartment = -1;
    std::int32_t currentCarrier = -1;
    std::int32_t currentTrunkGroup = -1;

    void clearMarkers() { currentDepartment = currentCarrier = currentTrunkGroup = -1; }
};
