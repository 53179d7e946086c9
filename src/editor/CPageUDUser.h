#pragma once
// "Directory": the extensions and account codes with their employees.

#include "editor/ListPageOf.h"
#include "settings/ListRecords.h"

class CPageUDUser : public CPageUDListOf<DirectoryEntry>
{
public:
    explicit CPageUDUser(CSheetUD& sheet);

protected:
    bool sameKey(const DirectoryEntry& a, const DirectoryEntry& b) const override;
    bool findHit(const DirectoryEntry& record, std::string_view typed) const override;
    bool sameOnButton(int button, const DirectoryEntry& a, const DirectoryEntry& b) const override;
    void blankDiffering(DirectoryEntry& common, const DirectoryEntry& other) const override;
    void blankKeys(DirectoryEntry& common) const override;
    void applyCommon(const DirectoryEntry& common, DirectoryEntry& target) const override;

private:
    std::string extensionText(const DirectoryEntry& record) const;
};
