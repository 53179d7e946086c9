#include "editor/CPageUDProject.h"

#include "editor/EditorIds.h"
#include "lang/StringIds.h"
#include "ui/PageControls.h"

#include <QCheckBox>

using namespace listpage;
using Entry = ProjectEntry;

namespace {

int byCode(const Entry& a, const Entry& b) { return compareBytes(a.accountCode.view(), b.accountCode.view()); }

} // namespace

CPageUDProject::CPageUDProject(CSheetUD& sheet)
    : CPageUDListOf(sheet, {udres::kProjectPage, udres::kProjectHelp, "ListProject", {}, 1, {SettingsList::Projects}},
                    &SettingsDatabase::projects,
                    {
                        {sid::kProjectAccCode, 192, [](const Entry& e) { return e.accountCode.str(); }, byCode},
                        {sid::kProjectName, 192, [](const Entry& e) { return e.name.str(); },
                         [](const Entry& a, const Entry& b) {
                             if (int order = compareNames(a.name.view(), b.name.view()))
                                 return order;
                             return byCode(a, b);
                         },
                         [](const Entry& e) { return e.name.view(); }},
                    })
{
    m_link = makeCheckBox(this, udres::kLinkProjects);
    addAbove(m_link);
    connect(m_link, &QCheckBox::toggled, this, [this](bool on) { enableList(on); });
    translate();
}

void CPageUDProject::readRecord()
{
    setChecked(m_link, work().header.linkAccountCodes);
    enableList(m_link->isChecked());
    CPageUDListOf::readRecord();
}

void CPageUDProject::writeRecord() { work().header.linkAccountCodes = flagOf(m_link); }

bool CPageUDProject::sameKey(const Entry& a, const Entry& b) const
{
    return a.accountCode.view() == b.accountCode.view();
}

bool CPageUDProject::findHit(const Entry& record, std::string_view typed) const
{
    return startsWith(record.accountCode.view(), typed, false) || startsWith(record.name.view(), typed, true);
}

bool CPageUDProject::sameOnButton(int, const Entry& a, const Entry& b) const { return a.name.view() == b.name.view(); }

void CPageUDProject::blankDiffering(Entry& common, const Entry& other) const
{
    if (common.name.view() != other.name.view())
        common.name.assign({});
}

void CPageUDProject::blankKeys(Entry& common) const { common.accountCode.assign({}); }

void CPageUDProject::applyCommon(const Entry& common, Entry& target) const
{
    if (!common.name.empty())
        target.name = common.name;
}
