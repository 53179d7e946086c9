#include "editor/CPageUDUser.h"

#include "editor/EditorIds.h"
#include "lang/StringIds.h"
#include "prefs/Preferences.h"

using namespace listpage;
using Entry = DirectoryEntry;

namespace {

int byExtension(const Entry& a, const Entry& b) { return compareNumbers(a.extension, b.extension); }

} // namespace

CPageUDUser::CPageUDUser(CSheetUD& sheet)
    : CPageUDListOf(sheet, {udres::kUserPage, udres::kUserHelp, "ListUser", {}, 2, {SettingsList::Directory}},
                    &SettingsDatabase::directory,
                    {
                        {sid::kDirectoryExt, 48, [this](const Entry& e) { return extensionText(e); }, byExtension},
                        {sid::kDirectoryAccCode, 64, [](const Entry& e) { return e.accountCode.str(); },
                         [](const Entry& a, const Entry& b) {
                             if (int order = compareBytes(a.accountCode.view(), b.accountCode.view()))
                                 return order;
                             return byExtension(a, b);
                         }},
                        {sid::kDirectoryEmployee, 168, [](const Entry& e) { return e.name.str(); },
                         [](const Entry& a, const Entry& b) {
                             if (int order = compareNames(a.name.view(), b.name.view()))
                                 return order;
                             if (int order = compareNames(a.department.view(), b.department.view()))
                                 return order;
                             return byExtension(a, b);
                         },
                         [](const Entry& e) { return e.name.view(); }},
                        {sid::kDirectoryDepartment, 168, [](const Entry& e) { return e.department.str(); },
                         [](const Entry& a, const Entry& b) {
                             if (int order = compareNames(a.department.view(), b.department.view()))
                                 return order;
                             if (int order = compareNames(a.name.view(), b.name.view()))
                                 return order;
                             return byExtension(a, b);
                         },
                         [](const Entry& e) { return e.department.view(); }},
                        {sid::kDirectoryCostModifier, 80,
                         [](const Entry& e) {
                             return e.costModifier == 100 ? std::string() : std::to_string(e.costModifier) + "%";
                         },
                         [](const Entry& a, const Entry& b) {
                             if (int order = compareNumbers(a.costModifier, b.costModifier))
                                 return order;
                             return byExtension(a, b);
                         }},
                    })
{ }

std::string CPageUDUser::extensionText(const Entry& record) const
{
    return record.extension == -1 ? std::string() : prefs().formatExtension(record.extension);
}

bool CPageUDUser::sameKey(const Entry& a, const Entry& b) const
{
    return a.extension == b.extension && a.accountCode.view() == b.accountCode.view();
}

bool CPageUDUser::findHit(const Entry& record, std::string_view typed) const
{
    return startsWith(extensionText(record), typed, false) || startsWith(record.name.view(), typed, true)
           || startsWith(record.accountCode.view(), typed, false) || startsWith(record.department.view(), typed, true);
}

bool CPageUDUser::sameOnButton(int button, const Entry& a, const Entry& b) const
{
    // "Select by Dep.": the department; "Select by Empl.": employee and department.
    return a.department.view() == b.department.view() && (button == 0 || a.name.view() == b.name.view());
}

void CPageUDUser::blankDiffering(Entry& common, const Entry& other) const
{
    if (common.name.view() != other.name.view())
        common.name.assign({});
    if (common.department.view() != other.department.view())
        common.department.assign({});
    if (common.costModifier != other.costModifier)
        common.costModifier = -1;
}

void CPageUDUser::blankKeys(Entry& common) const
{
    common.extension = -1;
    common.accountCode.assign({});
}

void CPageUDUser::applyCommon(const Entry& common, Entry& target) const
{
    if (!common.name.empty())
        target.name = common.name;
    if (!common.department.empty())
        target.department = common.department;
    if (common.costModifier != -1)
        target.costModifier = common.costModifier;
}
