#pragma once
// The rate and carrier records of the settings file. Each record is held as
// C++ fields; its field table (offset and member, see core/FieldCodec.h) is
// the codec in both directions. Reserved ranges are kept as loaded.

#include "core/FieldCodec.h"
#include "settings/TextField.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

// One time-of-day period of a rate (20 bytes).
struct RatePeriod
{
    static constexpr std::size_t kDiskSize = 20;
    static constexpr std::size_t kRateAt = 0, kUnitAt = 8, kFromHourAt = 12, kFromMinuteAt = 13, kToHourAt = 14,
                                 kToMinuteAt = 15, kFlagsAt = 16;

    static constexpr std::uint32_t kActive = 0x8000;
    static constexpr std::uint32_t kByKindOfDay = 0x4;  // restricted to weekdays or holidays
    static constexpr std::uint32_t kHolidaysOnly = 0x8; // with kByKindOfDay: holidays; without: weekdays
    static constexpr std::uint32_t kTimed = 0x10;       // From/To are used; otherwise the whole day
    static constexpr std::uint32_t kCrossesMidnight = 0x20;

    double rate = 0.0;           // amount per unit
    std::int32_t unitLength = 0; // seconds
    std::uint8_t fromHour = 0;
    std::uint8_t fromMinute = 0;
    std::uint8_t toHour = 0;
    std::uint8_t toMinute = 0;
    std::uint32_t flags = 0;

    template <class Field> static constexpr void fields(Field&& field)
    {
        field(kRateAt, &RatePeriod::rate);
        field(kUnitAt, &RatePeriod::unitLength);
        field(kFromHourAt, &RatePeriod::fromHour);
        field(kFromMinuteAt, &RatePeriod::fromMinute);
        field(kToHourAt, &RatePeriod::toHour);
        field(kToMinuteAt, &RatePeriod::toMinute);
        field(kFlagsAt, &RatePeriod::flags);
    }
    static RatePeriod decode(std::span<const std::uint8_t, kDiskSize> in) { return fieldcodec::decode<RatePeriod>(in); }
    void encode(std::span<std::uint8_t, kDiskSize> out) const { fieldcodec::encode(*this, out); }
    bool operator==(const RatePeriod&) const = default;
};

// A rate: minimums, initial unit and four periods (128 bytes).
struct RateBlock
{
    static constexpr std::size_t kDiskSize = 128;
    static constexpr std::size_t kMinCostAt = 0, kMinDurationAt = 8, kInitialChargeAt = 12, kInitialUnitAt = 20,
                                 kFlagsAt = 24, kPeriodsAt = 28, kRoundToAt = 108, kReservedAt = 112;
    static_assert(kPeriodsAt + 4 * RatePeriod::kDiskSize == kRoundToAt);

    static constexpr std::uint32_t kAlternativeCurrency = 0x1;
    static constexpr std::uint32_t kDiscardRemainder = 0x2;

    double minCost = 0.0;         // "Min. call cost"
    std::int32_t minDuration = 0; // "Min. call duration", seconds
    double initialCharge = 0.0;   // "Initial charge"
    std::int32_t initialUnit = 0; // "Initial time unit", seconds
    std::uint32_t flags = 0;
    std::array<RatePeriod, 4> periods{};
    std::int32_t roundTo = 0; // "Round call time to", seconds; 0 = no rounding
    ReservedBytes<16> reserved;

    template <class Field> static constexpr void fields(Field&& field)
    {
        field(kMinCostAt, &RateBlock::minCost);
        field(kMinDurationAt, &RateBlock::minDuration);
        field(kInitialChargeAt, &RateBlock::initialCharge);
        field(kInitialUnitAt, &RateBlock::initialUnit);
        field(kFlagsAt, &RateBlock::flags);
        field(kPeriodsAt, &RateBlock::periods);
        field(kRoundToAt, &RateBlock::roundTo);
        field(kReservedAt, &RateBlock::reserved);
    }
    static RateBlock decode(std::span<const std::uint8_t, kDiskSize> in) { return fieldcodec::decode<RateBlock>(in); }
    void encode(std::span<std::uint8_t, kDiskSize> out) const { fieldcodec::encode(*this, out); }
    bool operator==(const RateBlock&) const = default;
};

// A currency's symbols and layout (64 bytes).
struct CurrencyBlock
{
    static constexpr std::size_t kDiskSize = 64;
    static constexpr std::size_t kSymbolAt = 0, kDecimalAt = 8, kGroupingAt = 16, kPositionAt = 24, kDigitsAt = 28,
                                 kGroupSizeAt = 32, kReservedAt = 36;

    TextField<8> symbol;
    TextField<8> decimalSymbol;
    TextField<8> groupingSymbol;
    std::uint32_t symbolPosition = 0; // positive order: 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"
    std::uint32_t digits = 0;         // digits after the decimal symbol
    std::uint32_t groupSize = 0;      // digits in a group
    ReservedBytes<28> reserved;

    template <class Field> static constexpr void fields(Field&& field)
    {
        field(kSymbolAt, &CurrencyBlock::symbol);
        field(kDecimalAt, &CurrencyBlock::decimalSymbol);
        field(kGroupingAt, &CurrencyBlock::groupingSymbol);
        field(kPositionAt, &CurrencyBlock::symbolPosition);
        field(kDigitsAt, &CurrencyBlock::digits);
        field(kGroupSizeAt, &CurrencyBlock::groupSize);
        field(kReservedAt, &CurrencyBlock::reserved);
    }
    static CurrencyBlock decode(std::span<const std::uint8_t, kDiskSize> in)
    {
        return fieldcodec::decode<CurrencyBlock>(in);
    }
    void encode(std::span<std::uint8_t, kDiskSize> out) const { fieldcodec::encode(*this, out); }
    bool operator==(const CurrencyBlock&) const = default;
};

// One of the six carriers (384 bytes).
struct CarrierBlock
{
    static constexpr std::size_t kDiskSize = 384;
    static constexpr std::size_t kNameAt = 0, kReserved64At = 64, kGraceLocalAt = 68, kGraceLongDistanceAt = 72,
                                 kGraceInternationalAt = 76, kGraceIncomingAt = 80, kLocalRateAt = 84,
                                 kIncomingRateAt = 212, kFlagsAt = 340, kPulseValueAt = 344, kCostModifierAt = 352,
                                 kGraceUserDefinedAt = 356, kReservedAt = 360;
    static_assert(kLocalRateAt + RateBlock::kDiskSize == kIncomingRateAt);
    static_assert(kIncomingRateAt + RateBlock::kDiskSize == kFlagsAt);

    static constexpr std::uint32_t kSuppliedInAlternativeCurrency = 0x1;
    static constexpr std::uint32_t kUseSuppliedCost = 0x4;
    static constexpr std::uint32_t kUseSuppliedPulses = 0x8;
    static constexpr std::uint32_t kStartRateForWholeCall = 0x100;

    TextField<64> name;
    ReservedBytes<4> reserved64;
    std::int32_t graceLocal = 0; // grace periods, seconds
    std::int32_t graceLongDistance = 0;
    std::int32_t graceInternational = 0;
    std::int32_t graceIncoming = 0;
    RateBlock localRate;
    RateBlock incomingRate;
    std::uint32_t flags = 0;
    double pulseValue = 0.0;       // "One pulse equals"
    std::int32_t costModifier = 0; // "Global cost modifier", percent; 100 = unchanged
    std::int32_t graceUserDefined = 0;
    ReservedBytes<24> reserved;

    template <class Field> static constexpr void fields(Field&& field)
    {
        field(kNameAt, &CarrierBlock::name);
        field(kReserved64At, &CarrierBlock::reserved64);
        field(kGraceLocalAt, &CarrierBlock::graceLocal);
        field(kGraceLongDistanceAt, &CarrierBlock::graceLongDistance);
        field(kGraceInternationalAt, &CarrierBlock::graceInternational);
        field(kGraceIncomingAt, &CarrierBlock::graceIncoming);
        field(kLocalRateAt, &CarrierBlock::localRate);
        field(kIncomingRateAt, &CarrierBlock::incomingRate);
        field(kFlagsAt, &CarrierBlock::flags);
        field(kPulseValueAt, &CarrierBlock::pulseValue);
        field(kCostModifierAt, &CarrierBlock::costModifier);
        field(kGraceUserDefinedAt, &CarrierBlock::graceUserDefined);
        field(kReservedAt, &CarrierBlock::reserved);
    }
    static CarrierBlock decode(std::span<const std::uint8_t, kDiskSize> in)
    {
        return fieldcodec::decode<CarrierBlock>(in);
    }
    void encode(std::span<std::uint8_t, kDiskSize> out) const { fieldcodec::encode(*this, out); }
    bool operator==(const CarrierBlock&) const = default;
};

inline constexpr int kCarrierCount = 6;
