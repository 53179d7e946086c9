#pragma once
// "Contacts": phone numbers ("*" matches any digit) with their names.

#include "editor/ListPageOf.h"
#include "settings/ListRecords.h"

class CPageUDContact : public CPageUDListOf<ContactEntry>
{
public:
    explicit CPageUDContact(CSheetUD& sheet);

protected:
    bool sameKey(const ContactEntry& a, const ContactEntry& b) const override;
    bool findHit(const ContactEntry& record, std::string_view typed) const override;
    bool sameOnButton(int button, const ContactEntry& a, const ContactEntry& b) const override;
    void blankDiffering(ContactEntry& common, const ContactEntry& other) const override;
    void blankKeys(ContactEntry& common) const override;
    void applyCommon(const ContactEntry& common, ContactEntry& target) const override;
};
