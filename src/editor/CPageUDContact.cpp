#include "editor/CPageUDContact.h"

#include "editor/EditorIds.h"
#include "lang/StringIds.h"

using namespace listpage;
using Entry = ContactEntry;

namespace {

// Phone numbers in plain byte order: "*" before the digits, a shorter number
// before a longer one it begins (the order the rating keeps the list in).
int byNumber(const Entry& a, const Entry& b) { return compareBytes(a.number.view(), b.number.view()); }

} // namespace

CPageUDContact::CPageUDContact(CSheetUD& sheet)
    : CPageUDListOf(sheet, {udres::kContactPage, udres::kContactHelp, "ListContact", {}, 1, {SettingsList::Contacts}},
                    &SettingsDatabase::contacts,
                    {
                        {sid::kContactPhoneNumber, 192, [](const Entry& e) { return e.number.str(); }, byNumber},
                        {sid::kContactName, 192, [](const Entry& e) { return e.name.str(); },
                         [](const Entry& a, const Entry& b) {
                             if (int order = compareNames(a.name.view(), b.name.view()))
                                 return order;
                             return byNumber(a, b);
                         },
                         [](const Entry& e) { return e.name.view(); }},
                    })
{ }

bool CPageUDContact::sameKey(const Entry& a, const Entry& b) const { return a.number.view() == b.number.view(); }

bool CPageUDContact::findHit(const Entry& record, std::string_view typed) const
{
    return startsWith(record.number.view(), typed, false) || startsWith(record.name.view(), typed, true);
}

bool CPageUDContact::sameOnButton(int, const Entry& a, const Entry& b) const { return a.name.view() == b.name.view(); }

void CPageUDContact::blankDiffering(Entry& common, const Entry& other) const
{
    if (common.name.view() != other.name.view())
        common.name.assign({});
}

void CPageUDContact::blankKeys(Entry& common) const { common.number.assign({}); }

void CPageUDContact::applyCommon(const Entry& common, Entry& target) const
{
    if (!common.name.empty())
        target.name = common.name;
}
