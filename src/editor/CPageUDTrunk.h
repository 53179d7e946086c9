#pragma once
// "Trunks": the trunk numbers with their groups and carriers.

#include "editor/ListPageOf.h"
#include "settings/ListRecords.h"

class CPageUDTrunk : public CPageUDListOf<TrunkEntry>
{
public:
    explicit CPageUDTrunk(CSheetUD& sheet);

protected:
    bool sameKey(const TrunkEntry& a, const TrunkEntry& b) const override;
    bool findHit(const TrunkEntry& record, std::string_view typed) const override;
    bool sameOnButton(int button, const TrunkEntry& a, const TrunkEntry& b) const override;
    void blankDiffering(TrunkEntry& common, const TrunkEntry& other) const override;
    void blankKeys(TrunkEntry& common) const override;
    void applyCommon(const TrunkEntry& common, TrunkEntry& target) const override;

private:
    std::string carrierName(const TrunkEntry& record) const;
};
