#include "editor/CSheetUDERate.h"

#include "editor/CPageUDERateCode.h"
#include "editor/CPageUDERateGeneral.h"
#include "editor/CPageUDERatePeriods.h"
#include "editor/TariffPageIds.h"
#include "lang/StringIds.h"
#include "textfile/TollRateColumns.h"

CSheetUDERate::CSheetUDERate(RateEdit edit, const SettingsDatabase& db, int startPage, QWidget* parent)
    : CPropertySheet(sid::kEditRateTitle, parent)
    , m_edit(std::move(edit))
{
    tariffres::registerResources();
    if (m_edit.withDestination) {
        m_code = new CPageUDERateCode(m_edit, this);
        addPage(m_code);
    }
    m_general = new CPageUDERateGeneral(m_edit, db, this);
    addPage(m_general);
    for (int n = 0; n < 4; ++n) {
        m_periods[static_cast<std::size_t>(n)] = new CPageUDERatePeriods(m_edit, n, db, this);
        addPage(m_periods[static_cast<std::size_t>(n)]);
    }
    translateButtons(tariffres::kRateSheet);
    resize(sizeHint().expandedTo(QSize(460, 360)));
    start(startPage);
}

void CSheetUDERate::storePeriods(RateBlock& rates)
{
    constexpr std::uint32_t kept = RatePeriod::kActive | RatePeriod::kByKindOfDay | RatePeriod::kHolidaysOnly;
    for (RatePeriod& period : rates.periods) {
        if (!(period.flags & RatePeriod::kActive)) {
            period = RatePeriod{};
            period.unitLength = 60;
            continue;
        }
        period.flags &= kept;
        if (period.unitLength == 0)
            period.unitLength = 60;
    }
    tollrates::normalisePeriods(rates);
}

void CSheetUDERate::accept()
{
    if (!leaveActivePage())
        return;
    storePeriods(m_edit.rates);
    QDialog::accept();
}
