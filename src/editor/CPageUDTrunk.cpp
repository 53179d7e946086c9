#include "editor/CPageUDTrunk.h"

#include "editor/EditorIds.h"
#include "lang/StringIds.h"
#include "prefs/Preferences.h"

using namespace listpage;
using Entry = TrunkEntry;

namespace {

int byNumber(const Entry& a, const Entry& b) { return compareNumbers(a.number, b.number); }

} // namespace

CPageUDTrunk::CPageUDTrunk(CSheetUD& sheet)
    : CPageUDListOf(sheet, {udres::kTrunkPage, udres::kTrunkHelp, "ListTrunk", {}, 2, {SettingsList::Trunks}},
                    &SettingsDatabase::trunks,
                    {
                        {sid::kTrunkNumber, 48,
                         [this](const Entry& e) { return prefs().formatTrunk(static_cast<int>(e.number)); }, byNumber},
                        {sid::kTrunkGroup, 192, [](const Entry& e) { return e.group.str(); },
                         [](const Entry& a, const Entry& b) {
                             if (int order = compareNames(a.group.view(), b.group.view()))
                                 return order;
                             return byNumber(a, b);
                         },
                         [](const Entry& e) { return e.group.view(); }},
                        {sid::kTrunkCarrier, 192, [this](const Entry& e) { return carrierName(e); },
                         [](const Entry& a, const Entry& b) {
                             if (int order = compareNumbers(a.carrier, b.carrier))
                                 return order;
                             return byNumber(a, b);
                         }},
                    })
{ }

std::string CPageUDTrunk::carrierName(const Entry& record) const
{
    const CarrierBlock* carrier = db().carrierAt(record.carrier);
    return carrier ? carrier->name.str() : std::string();
}

bool CPageUDTrunk::sameKey(const Entry& a, const Entry& b) const { return a.number == b.number; }

bool CPageUDTrunk::findHit(const Entry& record, std::string_view typed) const
{
    return startsWith(prefs().formatTrunk(static_cast<int>(record.number)), typed, false)
           || startsWith(record.group.view(), typed, true) || startsWith(carrierName(record), typed, true);
}

bool CPageUDTrunk::sameOnButton(int button, const Entry& a, const Entry& b) const
{
    // "Select by Carrier", "Select by Group".
    return button == 0 ? a.carrier == b.carrier : a.group.view() == b.group.view();
}

void CPageUDTrunk::blankDiffering(Entry& common, const Entry& other) const
{
    if (common.group.view() != other.group.view())
        common.group.assign({});
    if (common.carrier != other.carrier)
        common.carrier = -1;
}

void CPageUDTrunk::blankKeys(Entry&) const { }

void CPageUDTrunk::applyCommon(const Entry& common, Entry& target) const
{
    if (!common.group.empty())
        target.group = common.group;
    if (common.carrier != -1)
        target.carrier = common.carrier;
}
