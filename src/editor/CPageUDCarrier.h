#pragma once
// "Carriers": six tabs, one per carrier, each with the carrier's name and its
// list of dialling prefixes (on the list-page mechanism), edited in the
// "Prefix" dialog.

#include "editor/ListPageOf.h"

#include <array>
#include <string>

class QLineEdit;
class QTabBar;

class CPageUDCarrier : public CPageUDListOf<PrefixEntry>
{
    Q_OBJECT
public:
    explicit CPageUDCarrier(CSheetUD& sheet);

    void readRecord() override;
    void writeRecord() override;

    int carrier() const { return m_carrier; }
    void selectCarrier(int carrier);
    QTabBar* carrierTabs() const { return m_tabs; }
    QLineEdit* name() const { return m_name; }

    void exportList() override;
    void importList() override;

protected:
    std::vector<PrefixEntry>& listIn(SettingsDatabase& db) const override;
    bool runDialog(PrefixEntry& record, bool single) override;
    bool accept(const PrefixEntry& record, int ownIndex) override;
    bool sameKey(const PrefixEntry& a, const PrefixEntry& b) const override;
    bool findHit(const PrefixEntry&, std::string_view) const override { return false; }
    bool sameOnButton(int, const PrefixEntry&, const PrefixEntry&) const override { return false; }
    PrefixEntry newRecord() const override;
    void blankDiffering(PrefixEntry& common, const PrefixEntry& other) const override;
    void blankKeys(PrefixEntry& common) const override;
    void applyCommon(const PrefixEntry& common, PrefixEntry& target) const override;

private:
    std::string internationalCodeText(const PrefixEntry& e) const;
    std::string callTypeName(std::int32_t type) const;
    std::string carrierName(std::int32_t changeTo) const;
    void takeName();
    void showCarrier();

    int m_carrier = 0;
    std::array<std::string, 7> m_callTypes;
    QTabBar* m_tabs;
    QLineEdit* m_name;
};
