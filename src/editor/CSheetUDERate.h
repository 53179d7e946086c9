#pragma once
// The edit-rate sheet "Edit rate": a destination's code, country and city
// ("Destination", absent for the local and incoming rates), the minimums
// and the initial unit of its rate ("General") and the four time periods
// ("Rate #1" to "Rate #4"). It edits a RateEdit; OK stores the periods in
// their normal form (storePeriods).

#include "settings/CarrierRecords.h"
#include "ui/PropertySheet.h"

#include <array>
#include <string>
#include <vector>

class CPageUDERateCode;
class CPageUDERateGeneral;
class CPageUDERatePeriods;
class SettingsDatabase;

struct RateEdit
{
    bool withDestination = true; // false: a carrier's local or incoming rate
    bool codeEnabled = true;     // false when several rows are edited at once
    std::string code;
    std::string country;
    std::string city;
    std::vector<std::string> countries; // offered by the "Country" box
    RateBlock rates;
};

class CSheetUDERate : public CPropertySheet
{
    Q_OBJECT
public:
    CSheetUDERate(RateEdit edit, const SettingsDatabase& db, int startPage, QWidget* parent = nullptr);

    const RateEdit& edit() const { return m_edit; }

    CPageUDERateCode* codePage() const { return m_code; } // nullptr without "Destination"
    CPageUDERateGeneral* generalPage() const { return m_general; }
    CPageUDERatePeriods* periodPage(int n) const { return m_periods[static_cast<std::size_t>(n)]; }

    // An inactive period becomes all zero with a unit of 60 seconds; an active
    // one keeps only the active and kind-of-day flags, and a unit of 0 becomes
    // 60; then the time flags are derived from From and To.
    static void storePeriods(RateBlock& rates);

    void accept() override;

private:
    RateEdit m_edit;
    CPageUDERateCode* m_code = nullptr;
    CPageUDERateGeneral* m_general;
    std::array<CPageUDERatePeriods*, 4> m_periods{};
};
