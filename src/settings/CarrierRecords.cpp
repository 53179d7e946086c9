#include "settings/CarrierRecords.h"

#include "core/LittleEndian.h"

static_assert(RateBlock::kReservedAt + decltype(RateBlock::reserved)::kSize == RateBlock::kDiskSize);
static_assert(CurrencyBlock::kReservedAt + decltype(CurrencyBlock::reserved)::kSize == CurrencyBlock::kDiskSize);
static_assert(CarrierBlock::kReservedAt + decltype(CarrierBlock::reserved)::kSize == CarrierBlock::kDiskSize);
static_assert(CarrierBlock::kReserved64At + decltype(CarrierBlock::reserved64)::kSize == CarrierBlock::kGraceLocalAt);

RatePeriod RatePeriod::decode(std::span<const std::uint8_t, kDiskSize> in)
{
    const std::uint8_t* p = in.data();
    RatePeriod r;
    r.rate = le::loadF64(p + kRateAt);
    r.unitLength = le::loadI32(p + kUnitAt);
    r.fromHour = p[kFromHourAt];
    r.fromMinute = p[kFromMinuteAt];
    r.toHour = p[kToHourAt];
    r.toMinute = p[kToMinuteAt];
    r.flags = le::loadU32(p + kFlagsAt);
    return r;
}

void RatePeriod::encode(std::span<std::uint8_t, kDiskSize> out) const
{
    std::uint8_t* p = out.data();
    le::storeF64(p + kRateAt, rate);
    le::storeI32(p + kUnitAt, unitLength);
    p[kFromHourAt] = fromHour;
    p[kFromMinuteAt] = fromMinute;
    p[kToHourAt] = toHour;
    p[kToMinuteAt] = toMinute;
    le::storeU32(p + kFlagsAt, flags);
}

RateBlock RateBlock::decode(std::span<const std::uint8_t, kDiskSize> in)
{
    const std::uint8_t* p = in.data();
    RateBlock r;
    r.minCost = le::loadF64(p + kMinCostAt);
    r.minDuration = le::loadI32(p + kMinDurationAt);
    r.initialCharge = le::loadF64(p + kInitialChargeAt);
    r.initialUnit = le::loadI32(p + kInitialUnitAt);
    r.flags = le::loadU32(p + kFlagsAt);
    for (std::size_t i = 0; i < r.periods.size(); ++i)
        r.periods[i] = RatePeriod::decode(in.subspan(kPeriodsAt + i * RatePeriod::kDiskSize).first<RatePeriod::kDiskSize>());
    r.roundTo = le::loadI32(p + kRoundToAt);
    r.reserved.load(p + kReservedAt);
    return r;
}

void RateBlock::encode(std::span<std::uint8_t, kDiskSize> out) const
{
    std::uint8_t* p = out.data();
    le::storeF64(p + kMinCostAt, minCost);
    le::storeI32(p + kMinDurationAt, minDuration);
    le::storeF64(p + kInitialChargeAt, initialCharge);
    le::storeI32(p + kInitialUnitAt, initialUnit);
    le::storeU32(p + kFlagsAt, flags);
    for (std::size_t i = 0; i < periods.size(); ++i)
        periods[i].encode(out.subspan(kPeriodsAt + i * RatePeriod::kDiskSize).first<RatePeriod::kDiskSize>());
    le::storeI32(p + kRoundToAt, roundTo);
    reserved.store(p + kReservedAt);
}

CurrencyBlock CurrencyBlock::decode(std::span<const std::uint8_t, kDiskSize> in)
{
    const std::uint8_t* p = in.data();
    CurrencyBlock c;
    c.symbol.load(p + kSymbolAt);
    c.decimalSymbol.load(p + kDecimalAt);
    c.groupingSymbol.load(p + kGroupingAt);
    c.symbolPosition = le::loadU32(p + kPositionAt);
    c.digits = le::loadU32(p + kDigitsAt);
    c.groupSize = le::loadU32(p + kGroupSizeAt);
    c.reserved.load(p + kReservedAt);
    return c;
}

void CurrencyBlock::encode(std::span<std::uint8_t, kDiskSize> out) const
{
    std::uint8_t* p = out.data();
    symbol.store(p + kSymbolAt);
    decimalSymbol.store(p + kDecimalAt);
    groupingSymbol.store(p + kGroupingAt);
    le::storeU32(p + kPositionAt, symbolPosition);
    le::storeU32(p + kDigitsAt, digits);
    le::storeU32(p + kGroupSizeAt, groupSize);
    reserved.store(p + kReservedAt);
}

CarrierBlock CarrierBlock::decode(std::span<const std::uint8_t, kDiskSize> in)
{
    const std::uint8_t* p = in.data();
    CarrierBlock c;
    c.name.load(p + kNameAt);
    c.reserved64.load(p + kReserved64At);
    c.graceLocal = le::loadI32(p + kGraceLocalAt);
    c.graceLongDistance = le::loadI32(p + kGraceLongDistanceAt);
    c.graceInternational = le::loadI32(p + kGraceInternationalAt);
    c.graceIncoming = le::loadI32(p + kGraceIncomingAt);
    c.localRate = RateBlock::decode(in.subspan<kLocalRateAt, RateBlock::kDiskSize>());
    c.incomingRate = RateBlock::decode(in.subspan<kIncomingRateAt, RateBlock::kDiskSize>());
    c.flags = le::loadU32(p + kFlagsAt);
    c.pulseValue = le::loadF64(p + kPulseValueAt);
    c.costModifier = le::loadI32(p + kCostModifierAt);
    c.graceUserDefined = le::loadI32(p + kGraceUserDefinedAt);
    c.reserved.load(p + kReservedAt);
    return c;
}

void CarrierBlock::encode(std::span<std::uint8_t, kDiskSize> out) const
{
    std::uint8_t* p = out.data();
    name.store(p + kNameAt);
    reserved64.store(p + kReserved64At);
    le::storeI32(p + kGraceLocalAt, graceLocal);
    le::storeI32(p + kGraceLongDistanceAt, graceLongDistance);
    le::storeI32(p + kGraceInternationalAt, graceInternational);
    le::storeI32(p + kGraceIncomingAt, graceIncoming);
    localRate.encode(out.subspan<kLocalRateAt, RateBlock::kDiskSize>());
    incomingRate.encode(out.subspan<kIncomingRateAt, RateBlock::kDiskSize>());
    le::storeU32(p + kFlagsAt, flags);
    le::storeF64(p + kPulseValueAt, pulseValue);
    le::storeI32(p + kCostModifierAt, costModifier);
    le::storeI32(p + kGraceUserDefinedAt, graceUserDefined);
    reserved.store(p + kReservedAt);
}
