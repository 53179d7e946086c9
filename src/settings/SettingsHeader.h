#pragma once
// The first block of the settings file (1024 bytes): options, passwords,
// weekly holidays, currencies and the list counts.

#include "core/FieldCodec.h"
#include "settings/CarrierRecords.h"
#include "settings/TextField.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

// The number of records of each list, as the header states them.
struct ListCounts
{
    std::uint32_t destinations = 0;
    std::uint32_t directory = 0;
    std::uint32_t trunks = 0;
    std::uint32_t contacts = 0;
    std::uint32_t holidays = 0;
    std::array<std::uint32_t, kCarrierCount> prefixes{}; // carrier 1 first
    std::uint32_t exchangeRates = 0;
    std::uint32_t projects = 0;

    static constexpr std::size_t kDiskSize = 52;                        // header bytes 880-931
    template <class Field> static constexpr void fields(Field&& field); // after SettingsHeader
    bool operator==(const ListCounts&) const = default;
};

struct SettingsHeader
{
    static constexpr std::size_t kDiskSize = 1024;
    static constexpr std::size_t kMagicAt = 0, kVersionAt = 4, kLoginRequiredAt = 8, kSupervisorEnabledAt = 12,
                                 kManagerEnabledAt = 16, kOperatorEnabledAt = 20, kPasswordsAt = 24,
                                 kWeeklyHolidaysAt = 152, kReserved180At = 180, kExchangeRateAt = 188,
                                 kRoundCostAt = 196, kOverrideCurrencyAt = 200, kMainCurrencyAt = 204,
                                 kAlternativeCurrencyAt = 268, kUseRateHistoryAt = 332, kLinkAccountCodesAt = 336,
                                 kReserved340At = 340, kDestinationCountAt = 880, kDirectoryCountAt = 884,
                                 kTrunkCountAt = 888, kContactCountAt = 892, kHolidayCountAt = 896,
                                 kPrefixCountsAt = 900, kExchangeRateCountAt = 924, kProjectCountAt = 928,
                                 kReserved932At = 932;
    static constexpr std::size_t kPasswordSize = 32;
    static constexpr std::size_t kPasswordsEnd = kPasswordsAt + 4 * kPasswordSize; // 152
    static_assert(kPasswordsEnd == kWeeklyHolidaysAt);
    static_assert(kWeeklyHolidaysAt + 7 * 4 == kReserved180At);
    static_assert(kMainCurrencyAt + CurrencyBlock::kDiskSize == kAlternativeCurrencyAt);
    static_assert(kAlternativeCurrencyAt + CurrencyBlock::kDiskSize == kUseRateHistoryAt);
    static_assert(kPrefixCountsAt + 4 * kCarrierCount == kExchangeRateCountAt);

    static constexpr std::uint32_t kMagic = 0x53474455; // "UDGS"
    static constexpr std::uint32_t kVersion = 0x00010001;

    std::uint32_t magic = kMagic;
    std::uint32_t version = kVersion;
    std::int32_t loginRequired = 0; // "User must enter password to login"
    std::int32_t supervisorEnabled = 0;
    std::int32_t managerEnabled = 0;
    std::int32_t operatorEnabled = 0;
    std::array<TextField<kPasswordSize>, 4> passwords; // by login level 0-3, plain text in memory
    std::array<std::int32_t, 7> weeklyHolidays{};      // Monday first; non-zero = holiday
    ReservedBytes<8> reserved180;
    double exchangeRate = 0.0;         // one alternative unit in main units
    std::int32_t roundCost = 0;        // "Round call cost to smallest currency unit"
    std::int32_t overrideCurrency = 0; // "Override Windows settings" for the main currency
    CurrencyBlock mainCurrency;
    CurrencyBlock alternativeCurrency; // only its symbol and symbol position are used
    std::int32_t useRateHistory = 0;   // "Use exchange rate history list"
    std::int32_t linkAccountCodes = 0; // "Link account codes to projects"
    ReservedBytes<540> reserved340;
    ListCounts counts; // as stored; a save writes the lengths of the lists instead
    ReservedBytes<92> reserved932;

    // The plain form: passwords are not scrambled here (the file's job).
    template <class Field> static constexpr void fields(Field&& field)
    {
        field(kMagicAt, &SettingsHeader::magic);
        field(kVersionAt, &SettingsHeader::version);
        field(kLoginRequiredAt, &SettingsHeader::loginRequired);
        field(kSupervisorEnabledAt, &SettingsHeader::supervisorEnabled);
        field(kManagerEnabledAt, &SettingsHeader::managerEnabled);
        field(kOperatorEnabledAt, &SettingsHeader::operatorEnabled);
        field(kPasswordsAt, &SettingsHeader::passwords);
        field(kWeeklyHolidaysAt, &SettingsHeader::weeklyHolidays);
        field(kReserved180At, &SettingsHeader::reserved180);
        field(kExchangeRateAt, &SettingsHeader::exchangeRate);
        field(kRoundCostAt, &SettingsHeader::roundCost);
        field(kOverrideCurrencyAt, &SettingsHeader::overrideCurrency);
        field(kMainCurrencyAt, &SettingsHeader::mainCurrency);
        field(kAlternativeCurrencyAt, &SettingsHeader::alternativeCurrency);
        field(kUseRateHistoryAt, &SettingsHeader::useRateHistory);
        field(kLinkAccountCodesAt, &SettingsHeader::linkAccountCodes);
        field(kReserved340At, &SettingsHeader::reserved340);
        field(kDestinationCountAt, &SettingsHeader::counts);
        field(kReserved932At, &SettingsHeader::reserved932);
    }
    static SettingsHeader decode(std::span<const std::uint8_t, kDiskSize> in)
    {
        return fieldcodec::decode<SettingsHeader>(in);
    }
    void encode(std::span<std::uint8_t, kDiskSize> out) const { fieldcodec::encode(*this, out); }
    bool operator==(const SettingsHeader&) const = default;
};

// The counts at their header offsets, taken relative to the first.
template <class Field> constexpr void ListCounts::fields(Field&& field)
{
    using H = SettingsHeader;
    constexpr std::size_t base = H::kDestinationCountAt;
    field(H::kDestinationCountAt - base, &ListCounts::destinations);
    field(H::kDirectoryCountAt - base, &ListCounts::directory);
    field(H::kTrunkCountAt - base, &ListCounts::trunks);
    field(H::kContactCountAt - base, &ListCounts::contacts);
    field(H::kHolidayCountAt - base, &ListCounts::holidays);
    field(H::kPrefixCountsAt - base, &ListCounts::prefixes);
    field(H::kExchangeRateCountAt - base, &ListCounts::exchangeRates);
    field(H::kProjectCountAt - base, &ListCounts::projects);
}
