#include "settings/ListRecords.h"

#include "core/LittleEndian.h"

// Every field and reserved range together fill each record exactly.
static_assert(DestinationEntry::kReservedAt + decltype(DestinationEntry::reserved)::kSize == DestinationEntry::kDiskSize);
static_assert(DirectoryEntry::kReservedAt + decltype(DirectoryEntry::reserved)::kSize == DirectoryEntry::kDiskSize);
static_assert(TrunkEntry::kReservedAt + decltype(TrunkEntry::reserved)::kSize == TrunkEntry::kDiskSize);
static_assert(PrefixEntry::kReservedAt + decltype(PrefixEntry::reserved)::kSize == PrefixEntry::kDiskSize);
static_assert(ContactEntry::kReservedAt + decltype(ContactEntry::reserved)::kSize == ContactEntry::kDiskSize);
static_assert(ProjectEntry::kReservedAt + decltype(ProjectEntry::reserved)::kSize == ProjectEntry::kDiskSize);
static_assert(ExchangeRateEntry::kReservedAt + decltype(ExchangeRateEntry::reserved)::kSize
              == ExchangeRateEntry::kDiskSize);
static_assert(DirectoryEntry::kNameAt + 64 == DirectoryEntry::kDepartmentAt);
static_assert(PrefixEntry::kInternationalCodeAt + 32 == PrefixEntry::kChangeCarrierAt);

DestinationEntry DestinationEntry::decode(std::span<const std::uint8_t, kDiskSize> in)
{
    const std::uint8_t* p = in.data();
    DestinationEntry e;
    e.code.load(p + kCodeAt);
    e.country.load(p + kCountryAt);
    e.city.load(p + kCityAt);
    for (std::size_t k = 0; k < e.rates.size(); ++k)
        e.rates[k] = RateBlock::decode(in.subspan(kRatesAt + k * RateBlock::kDiskSize).first<RateBlock::kDiskSize>());
    e.reserved.load(p + kReservedAt);
    return e;
}

void DestinationEntry::encode(std::span<std::uint8_t, kDiskSize> out) const
{
    std::uint8_t* p = out.data();
    code.store(p + kCodeAt);
    country.store(p + kCountryAt);
    city.store(p + kCityAt);
    for (std::size_t k = 0; k < rates.size(); ++k)
        rates[k].encode(out.subspan(kRatesAt + k * RateBlock::kDiskSize).first<RateBlock::kDiskSize>());
    reserved.store(p + kReservedAt);
}

DirectoryEntry DirectoryEntry::decode(std::span<const std::uint8_t, kDiskSize> in)
{
    const std::uint8_t* p = in.data();
    DirectoryEntry e;
    e.extension = le::loadI32(p + kExtensionAt);
    e.accountCode.load(p + kAccountCodeAt);
    e.name.load(p + kNameAt);
    e.department.load(p + kDepartmentAt);
    e.costModifier = le::loadI32(p + kCostModifierAt);
    e.reserved.load(p + kReservedAt);
    return e;
}

void DirectoryEntry::encode(std::span<std::uint8_t, kDiskSize> out) const
{
    std::uint8_t* p = out.data();
    le::storeI32(p + kExtensionAt, extension);
    accountCode.store(p + kAccountCodeAt);
    name.store(p + kNameAt);
    department.store(p + kDepartmentAt);
    le::storeI32(p + kCostModifierAt, costModifier);
    reserved.store(p + kReservedAt);
}

TrunkEntry TrunkEntry::decode(std::span<const std::uint8_t, kDiskSize> in)
{
    const std::uint8_t* p = in.data();
    TrunkEntry e;
    e.number = le::loadU32(p + kNumberAt);
    e.carrier = le::loadI32(p + kCarrierAt);
    e.group.load(p + kGroupAt);
    e.reserved.load(p + kReservedAt);
    return e;
}

void TrunkEntry::encode(std::span<std::uint8_t, kDiskSize> out) const
{
    std::uint8_t* p = out.data();
    le::storeU32(p + kNumberAt, number);
    le::storeI32(p + kCarrierAt, carrier);
    group.store(p + kGroupAt);
    reserved.store(p + kReservedAt);
}

PrefixEntry PrefixEntry::decode(std::span<const std::uint8_t, kDiskSize> in)
{
    const std::uint8_t* p = in.data();
    PrefixEntry e;
    e.callType = le::loadI32(p + kCallTypeAt);
    e.prefix.load(p + kPrefixAt);
    e.internationalCode.load(p + kInternationalCodeAt);
    e.changeCarrierTo = le::loadI32(p + kChangeCarrierAt);
    e.flags = p[kFlagsAt];
    e.reserved.load(p + kReservedAt);
    return e;
}

void PrefixEntry::encode(std::span<std::uint8_t, kDiskSize> out) const
{
    std::uint8_t* p = out.data();
    le::storeI32(p + kCallTypeAt, callType);
    prefix.store(p + kPrefixAt);
    internationalCode.store(p + kInternationalCodeAt);
    le::storeI32(p + kChangeCarrierAt, changeCarrierTo);
    p[kFlagsAt] = flags;
    reserved.store(p + kReservedAt);
}

HolidayEntry HolidayEntry::decode(std::span<const std::uint8_t, kDiskSize> in)
{
    const std::uint8_t* p = in.data();
    HolidayEntry e;
    e.year = le::loadU16(p + kYearAt);
    e.month = p[kMonthAt];
    e.day = p[kDayAt];
    return e;
}

void HolidayEntry::encode(std::span<std::uint8_t, kDiskSize> out) const
{
    std::uint8_t* p = out.data();
    le::storeU16(p + kYearAt, year);
    p[kMonthAt] = month;
    p[kDayAt] = day;
}

ContactEntry ContactEntry::decode(std::span<const std::uint8_t, kDiskSize> in)
{
    const std::uint8_t* p = in.data();
    ContactEntry e;
    e.number.load(p + kNumberAt);
    e.name.load(p + kNameAt);
    e.deleteMark = p[kDeleteMarkAt];
    e.reserved.load(p + kReservedAt);
    return e;
}

void ContactEntry::encode(std::span<std::uint8_t, kDiskSize> out) const
{
    std::uint8_t* p = out.data();
    number.store(p + kNumberAt);
    name.store(p + kNameAt);
    p[kDeleteMarkAt] = deleteMark;
    reserved.store(p + kReservedAt);
}

ProjectEntry ProjectEntry::decode(std::span<const std::uint8_t, kDiskSize> in)
{
    const std::uint8_t* p = in.data();
    ProjectEntry e;
    e.accountCode.load(p + kAccountCodeAt);
    e.name.load(p + kNameAt);
    e.reserved.load(p + kReservedAt);
    return e;
}

void ProjectEntry::encode(std::span<std::uint8_t, kDiskSize> out) const
{
    std::uint8_t* p = out.data();
    accountCode.store(p + kAccountCodeAt);
    name.store(p + kNameAt);
    reserved.store(p + kReservedAt);
}

ExchangeRateEntry ExchangeRateEntry::decode(std::span<const std::uint8_t, kDiskSize> in)
{
    const std::uint8_t* p = in.data();
    ExchangeRateEntry e;
    e.year = le::loadU16(p + kYearAt);
    e.month = p[kMonthAt];
    e.day = p[kDayAt];
    e.rate = le::loadF64(p + kRateAt);
    e.reserved.load(p + kReservedAt);
    return e;
}

void ExchangeRateEntry::encode(std::span<std::uint8_t, kDiskSize> out) const
{
    std::uint8_t* p = out.data();
    le::storeU16(p + kYearAt, year);
    p[kMonthAt] = month;
    p[kDayAt] = day;
    le::storeF64(p + kRateAt, rate);
    reserved.store(p + kReservedAt);
}
