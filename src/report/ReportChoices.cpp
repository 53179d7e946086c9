#include "report/ReportChoices.h"

#include "core/IniProfile.h"
#include "filter/FilterRecord.h"
#include "prefs/Preferences.h"
#include "settings/SettingsDatabase.h"

#include <charconv>

namespace {

// An individual's number as the dialog would have it: digits, optionally signed;
// a text that is no number chooses none.
int numberOf(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    int value = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end == text.data())
        return -1;
    return value < 0 ? -1 : value;
}

} // namespace

ReportChoices ReportChoices::load(const IniProfile& ini, std::string_view section)
{
    ReportChoices c;
    c.kind = ini.readInt(section, "Type", ReportSummary);
    if (c.kind < 0 || c.kind >= kReportKindCount)
        c.kind = ReportSummary;
    c.templateName = ini.readString(section, "Template");
    c.extension = ini.readInt(section, "Ext", -1);
    c.trunk = ini.readInt(section, "Trunk", -1);
    c.account = ini.readString(section, "Acc");
    c.employee = ini.readString(section, "User");
    c.department = ini.readString(section, "Group");
    c.contact = ini.readString(section, "Contact");
    c.trunkGroup = ini.readString(section, "TrunkGroup");
    c.project = ini.readString(section, "Project");
    c.pageBreak = ini.readInt(section, "PageBreak", 1) != 0;
    return c;
}

bool ReportChoices::save(IniProfile& ini, std::string_view section) const
{
    bool ok = ini.writeInt(section, "Type", kind);
    ok = ini.writeString(section, "Template", templateName) && ok;
    ok = ini.writeInt(section, "Ext", extension) && ok;
    ok = ini.writeInt(section, "Trunk", trunk) && ok;
    ok = ini.writeString(section, "Acc", account) && ok;
    ok = ini.writeString(section, "User", employee) && ok;
    ok = ini.writeString(section, "Group", department) && ok;
    ok = ini.writeString(section, "Contact", contact) && ok;
    ok = ini.writeString(section, "TrunkGroup", trunkGroup) && ok;
    ok = ini.writeString(section, "Project", project) && ok;
    return ini.writeInt(section, "PageBreak", pageBreak ? 1 : 0) && ok;
}

void ReportChoices::setDetail(std::string_view detail, const SettingsDatabase& settings)
{
    extension = trunk = numberOf(detail);
    account = employee = department = contact = trunkGroup = project = std::string(detail);
    for (const DirectoryEntry& entry : settings.directory) {
        if (filtertext::equal(entry.name.view(), detail)) {
            department = std::string(entry.department.view());
            break;
        }
    }
}

std::string ReportChoices::detailText(const Preferences& prefs) const
{
    switch (kind) {
    case ReportEmployee:
        return employee;
    case ReportDepartment:
        return department;
    case ReportTrunk:
        return prefs.formatTrunk(trunk);
    case ReportExtension:
        return prefs.formatExtension(extension);
    case ReportAccCode:
        return account;
    case ReportContact:
        return contact;
    case ReportTrunkGroup:
        return trunkGroup;
    case ReportProject:
        return project;
    default:
        return {};
    }
}

FilterRecord ReportChoices::reportFilter(const CallDate& from, const CallDate& to) const
{
    FilterRecord f;
    switch (kind) {
    case ReportEmployee:
        f.employeeOn = 1;
        FilterRecord::setText(f.employee, employee);
        FilterRecord::setText(f.department, department);
        break;
    case ReportDepartment:
        f.departmentOn = 1;
        FilterRecord::setText(f.department, department);
        break;
    case ReportTrunk:
        if (trunk != -1) {
            f.trunkOn = 1;
            f.trunks.setSingle(trunk);
        }
        break;
    case ReportExtension:
        if (extension != -1) {
            f.extensionOn = 1;
            f.extensions.setSingle(extension);
        }
        break;
    case ReportAccCode:
        f.accountOn = 1;
        FilterRecord::setText(f.account, account);
        break;
    case ReportContact:
        f.contactOn = 1;
        FilterRecord::setText(f.contact, contact);
        break;
    case ReportTrunkGroup:
        f.trunkGroupOn = 1;
        f.trunkGroupExact = 1;
        FilterRecord::setText(f.trunkGroup, trunkGroup);
        break;
    case ReportProject:
        f.projectOn = 1;
        f.projectExact = 1;
        FilterRecord::setText(f.project, project);
        break;
    default:
        break;
    }
    f.fromOn = f.toOn = 1;
    f.from = from;
    f.to = to;
    return f;
}
