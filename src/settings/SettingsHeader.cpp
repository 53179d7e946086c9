#include "settings/SettingsHeader.h"

#include "core/LittleEndian.h"

static_assert(SettingsHeader::kReserved180At + decltype(SettingsHeader::reserved180)::kSize
              == SettingsHeader::kExchangeRateAt);
static_assert(SettingsHeader::kReserved340At + decltype(SettingsHeader::reserved340)::kSize
              == SettingsHeader::kDestinationCountAt);
static_assert(SettingsHeader::kReserved932At + decltype(SettingsHeader::reserved932)::kSize
              == SettingsHeader::kDiskSize);

namespace {

void loadCounts(const std::uint8_t* p, ListCounts& c)
{
    using H = SettingsHeader;
    c.destinations = le::loadU32(p + H::kDestinationCountAt);
    c.directory = le::loadU32(p + H::kDirectoryCountAt);
    c.trunks = le::loadU32(p + H::kTrunkCountAt);
    c.contacts = le::loadU32(p + H::kContactCountAt);
    c.holidays = le::loadU32(p + H::kHolidayCountAt);
    for (std::size_t k = 0; k < c.prefixes.size(); ++k)
        c.prefixes[k] = le::loadU32(p + H::kPrefixCountsAt + 4 * k);
    c.exchangeRates = le::loadU32(p + H::kExchangeRateCountAt);
    c.projects = le::loadU32(p + H::kProjectCountAt);
}

void storeCounts(std::uint8_t* p, const ListCounts& c)
{
    using H = SettingsHeader;
    le::storeU32(p + H::kDestinationCountAt, c.destinations);
    le::storeU32(p + H::kDirectoryCountAt, c.directory);
    le::storeU32(p + H::kTrunkCountAt, c.trunks);
    le::storeU32(p + H::kContactCountAt, c.contacts);
    le::storeU32(p + H::kHolidayCountAt, c.holidays);
    for (std::size_t k = 0; k < c.prefixes.size(); ++k)
        le::storeU32(p + H::kPrefixCountsAt + 4 * k, c.prefixes[k]);
    le::storeU32(p + H::kExchangeRateCountAt, c.exchangeRates);
    le::storeU32(p + H::kProjectCountAt, c.projects);
}

} // namespace

SettingsHeader SettingsHeader::decode(std::span<const std::uint8_t, kDiskSize> in)
{
    const std::uint8_t* p = in.data();
    SettingsHeader h;
    h.magic = le::loadU32(p + kMagicAt);
    h.version = le::loadU32(p + kVersionAt);
    h.loginRequired = le::loadI32(p + kLoginRequiredAt);
    h.supervisorEnabled = le::loadI32(p + kSupervisorEnabledAt);
    h.managerEnabled = le::loadI32(p + kManagerEnabledAt);
    h.operatorEnabled = le::loadI32(p + kOperatorEnabledAt);
    for (std::size_t i = 0; i < h.passwords.size(); ++i)
        h.passwords[i].load(p + kPasswordsAt + i * kPasswordSize);
    for (std::size_t i = 0; i < h.weeklyHolidays.size(); ++i)
        h.weeklyHolidays[i] = le::loadI32(p + kWeeklyHolidaysAt + 4 * i);
    h.reserved180.load(p + kReserved180At);
    h.exchangeRate = le::loadF64(p + kExchangeRateAt);
    h.roundCost = le::loadI32(p + kRoundCostAt);
    h.overrideCurrency = le::loadI32(p + kOverrideCurrencyAt);
    h.mainCurrency = CurrencyBlock::decode(in.subspan<kMainCurrencyAt, CurrencyBlock::kDiskSize>());
    h.alternativeCurrency = CurrencyBlock::decode(in.subspan<kAlternativeCurrencyAt, CurrencyBlock::kDiskSize>());
    h.useRateHistory = le::loadI32(p + kUseRateHistoryAt);
    h.linkAccountCodes = le::loadI32(p + kLinkAccountCodesAt);
    h.reserved340.load(p + kReserved340At);
    loadCounts(p, h.counts);
    h.reserved932.load(p + kReserved932At);
    return h;
}

void SettingsHeader::encode(std::span<std::uint8_t, kDiskSize> out) const
{
    std::uint8_t* p = out.data();
    le::storeU32(p + kMagicAt, magic);
    le::storeU32(p + kVersionAt, version);
    le::storeI32(p + kLoginRequiredAt, loginRequired);
    le::storeI32(p + kSupervisorEnabledAt, supervisorEnabled);
    le::storeI32(p + kManagerEnabledAt, managerEnabled);
    le::storeI32(p + kOperatorEnabledAt, operatorEnabled);
    for (std::size_t i = 0; i < passwords.size(); ++i)
        passwords[i].store(p + kPasswordsAt + i * kPasswordSize);
    for (std::size_t i = 0; i < weeklyHolidays.size(); ++i)
        le::storeI32(p + kWeeklyHolidaysAt + 4 * i, weeklyHolidays[i]);
    reserved180.store(p + kReserved180At);
    le::storeF64(p + kExchangeRateAt, exchangeRate);
    le::storeI32(p + kRoundCostAt, roundCost);
    le::storeI32(p + kOverrideCurrencyAt, overrideCurrency);
    mainCurrency.encode(out.subspan<kMainCurrencyAt, CurrencyBlock::kDiskSize>());
    alternativeCurrency.encode(out.subspan<kAlternativeCurrencyAt, CurrencyBlock::kDiskSize>());
    le::storeI32(p + kUseRateHistoryAt, useRateHistory);
    le::storeI32(p + kLinkAccountCodesAt, linkAccountCodes);
    reserved340.store(p + kReserved340At);
    storeCounts(p, counts);
    reserved932.store(p + kReserved932At);
}
