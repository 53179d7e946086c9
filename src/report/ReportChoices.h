#pragma once
// The stored choices of a report: kind, template, the individual of each kind
// and page breaks, kept in the INI sections "Report" (the ordinary report) and
// "QuickReport" (the quick report), and the report filter they make.

#include "filter/FilterRecord.h"
#include "report/ReportContext.h"

#include <string>
#include <string_view>

class IniProfile;
class SettingsDatabase;
struct Preferences;

struct ReportChoices
{
    static constexpr std::string_view kSection = "Report";
    static constexpr std::string_view kQuickSection = "QuickReport";

    int kind = ReportSummary; // "Type"
    std::string templateName; // "Template": file title without ".xml"
    int extension = -1;       // "Ext": -1 none chosen
    int trunk = -1;           // "Trunk"
    std::string account;      // "Acc"
    std::string employee;     // "User"
    std::string department;   // "Group": also the chosen employee's department
    std::string contact;      // "Contact"
    std::string trunkGroup;   // "TrunkGroup"
    std::string project;      // "Project"
    bool pageBreak = true;    // "PageBreak"

    // Missing keys give the defaults above; a kind outside 0..9 reads as a summary.
    static ReportChoices load(const IniProfile& ini, std::string_view section);
    bool save(IniProfile& ini, std::string_view section) const;

    // A request's individual replaces every stored one: the texts become `detail`
    // and the extension and trunk its number (-1 when it holds none). The
    // department becomes that of the first directory entry of that employee name,
    // when there is one, so that an Employee report of a named employee finds
    // the employee's calls, whose department is never the employee's own name.
    void setDetail(std::string_view detail, const SettingsDatabase& settings);

    // `report_detail` of the kind: the individual as chosen; extension and trunk
    // in the calls list's number formats; empty for kinds 0 and 9, and for an
    // extension or trunk of -1.
    std::string detailText(const Preferences& prefs) const;

    // The neutral filter with the kind's criterion and the period switched on.
    FilterRecord reportFilter(const CallDate& from, const CallDate& to) const;
};
