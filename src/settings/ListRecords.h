#pragma once
// The records of the settings lists. Like the carrier records, each is held as
// C++ fields with one field table for both directions; reserved tails are kept
// as loaded.

#include "settings/CarrierRecords.h"
#include "settings/TextField.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

// A destination code with its rates, one rate per carrier (1024 bytes).
struct DestinationEntry
{
    static constexpr std::size_t kDiskSize = 1024;
    static constexpr std::size_t kCodeAt = 0, kCountryAt = 32, kCityAt = 96, kRatesAt = 160, kReservedAt = 928;
    static_assert(kRatesAt + kCarrierCount * RateBlock::kDiskSize == kReservedAt);

    TextField<32> code; // digits: international code followed by the dialled digits
    TextField<64> country;
    TextField<64> city;
    std::array<RateBlock, kCarrierCount> rates{}; // carrier 1 first
    ReservedBytes<96> reserved;

    template <class Field> static constexpr void fields(Field&& field)
    {
        field(kCodeAt, &DestinationEntry::code);
        field(kCountryAt, &DestinationEntry::country);
        field(kCityAt, &DestinationEntry::city);
        field(kRatesAt, &DestinationEntry::rates);
        field(kReservedAt, &DestinationEntry::reserved);
    }
    static DestinationEntry decode(std::span<const std::uint8_t, kDiskSize> in)
    {
        return fieldcodec::decode<DestinationEntry>(in);
    }
    void encode(std::span<std::uint8_t, kDiskSize> out) const { fieldcodec::encode(*this, out); }
    bool operator==(const DestinationEntry&) const = default;
};

// An extension with its employee (192 bytes).
struct DirectoryEntry
{
    static constexpr std::size_t kDiskSize = 192;
    static constexpr std::size_t kExtensionAt = 0, kAccountCodeAt = 4, kNameAt = 20, kDepartmentAt = 84,
                                 kCostModifierAt = 148, kReservedAt = 152;

    std::int32_t extension = -1; // -1 = none
    TextField<16> accountCode;
    TextField<64> name;
    TextField<64> department;
    std::int32_t costModifier = 100; // percent; 100 = unchanged
    ReservedBytes<40> reserved;

    template <class Field> static constexpr void fields(Field&& field)
    {
        field(kExtensionAt, &DirectoryEntry::extension);
        field(kAccountCodeAt, &DirectoryEntry::accountCode);
        field(kNameAt, &DirectoryEntry::name);
        field(kDepartmentAt, &DirectoryEntry::department);
        field(kCostModifierAt, &DirectoryEntry::costModifier);
        field(kReservedAt, &DirectoryEntry::reserved);
    }
    static DirectoryEntry decode(std::span<const std::uint8_t, kDiskSize> in)
    {
        return fieldcodec::decode<DirectoryEntry>(in);
    }
    void encode(std::span<std::uint8_t, kDiskSize> out) const { fieldcodec::encode(*this, out); }
    bool operator==(const DirectoryEntry&) const = default;
};

// A trunk and the carrier it belongs to (96 bytes).
struct TrunkEntry
{
    static constexpr std::size_t kDiskSize = 96;
    static constexpr std::size_t kNumberAt = 0, kCarrierAt = 4, kGroupAt = 8, kReservedAt = 72;

    std::uint32_t number = 0;
    std::int32_t carrier = 0; // 0-5 in valid data; a file may hold anything
    TextField<64> group;
    ReservedBytes<24> reserved;

    template <class Field> static constexpr void fields(Field&& field)
    {
        field(kNumberAt, &TrunkEntry::number);
        field(kCarrierAt, &TrunkEntry::carrier);
        field(kGroupAt, &TrunkEntry::group);
        field(kReservedAt, &TrunkEntry::reserved);
    }
    static TrunkEntry decode(std::span<const std::uint8_t, kDiskSize> in) { return fieldcodec::decode<TrunkEntry>(in); }
    void encode(std::span<std::uint8_t, kDiskSize> out) const { fieldcodec::encode(*this, out); }
    bool operator==(const TrunkEntry&) const = default;
};

// A dialling prefix of one carrier (96 bytes).
struct PrefixEntry
{
    static constexpr std::size_t kDiskSize = 96;
    static constexpr std::size_t kCallTypeAt = 0, kPrefixAt = 4, kInternationalCodeAt = 36, kChangeCarrierAt = 68,
                                 kFlagsAt = 72, kReservedAt = 73;

    static constexpr std::uint8_t kTreatAsLocal = 0x1;
    static constexpr std::uint8_t kFreeCalls = 0x2;

    std::int32_t callType = 0; // 0 local, 1 long distance, 2 international, 3-6 user defined 1-4
    TextField<32> prefix;      // digits and "*" (any one digit)
    TextField<32> internationalCode;
    std::int32_t changeCarrierTo = 0; // 0 = keep, k = carrier k (1-6)
    std::uint8_t flags = 0;
    ReservedBytes<23> reserved;

    template <class Field> static constexpr void fields(Field&& field)
    {
        field(kCallTypeAt, &PrefixEntry::callType);
        field(kPrefixAt, &PrefixEntry::prefix);
        field(kInternationalCodeAt, &PrefixEntry::internationalCode);
        field(kChangeCarrierAt, &PrefixEntry::changeCarrierTo);
        field(kFlagsAt, &PrefixEntry::flags);
        field(kReservedAt, &PrefixEntry::reserved);
    }
    static PrefixEntry decode(std::span<const std::uint8_t, kDiskSize> in)
    {
        return fieldcodec::decode<PrefixEntry>(in);
    }
    void encode(std::span<std::uint8_t, kDiskSize> out) const { fieldcodec::encode(*this, out); }
    bool operator==(const PrefixEntry&) const = default;
};

// A public holiday; year 0 = the same day every year (4 bytes).
struct HolidayEntry
{
    static constexpr std::size_t kDiskSize = 4;
    static constexpr std::size_t kYearAt = 0, kMonthAt = 2, kDayAt = 3;

    std::uint16_t year = 0;
    std::uint8_t month = 0;
    std::uint8_t day = 0;

    template <class Field> static constexpr void fields(Field&& field)
    {
        field(kYearAt, &HolidayEntry::year);
        field(kMonthAt, &HolidayEntry::month);
        field(kDayAt, &HolidayEntry::day);
    }
    static HolidayEntry decode(std::span<const std::uint8_t, kDiskSize> in)
    {
        return fieldcodec::decode<HolidayEntry>(in);
    }
    void encode(std::span<std::uint8_t, kDiskSize> out) const { fieldcodec::encode(*this, out); }
    bool operator==(const HolidayEntry&) const = default;
};

// A contact: a phone number pattern and a name (128 bytes).
struct ContactEntry
{
    static constexpr std::size_t kDiskSize = 128;
    static constexpr std::size_t kNumberAt = 0, kNameAt = 32, kDeleteMarkAt = 96, kReservedAt = 97;

    TextField<32> number; // digits and "*" (any one digit)
    TextField<64> name;
    std::uint8_t deleteMark = 0; // set only during a bulk delete of the editor
    ReservedBytes<31> reserved;

    template <class Field> static constexpr void fields(Field&& field)
    {
        field(kNumberAt, &ContactEntry::number);
        field(kNameAt, &ContactEntry::name);
        field(kDeleteMarkAt, &ContactEntry::deleteMark);
        field(kReservedAt, &ContactEntry::reserved);
    }
    static ContactEntry decode(std::span<const std::uint8_t, kDiskSize> in)
    {
        return fieldcodec::decode<ContactEntry>(in);
    }
    void encode(std::span<std::uint8_t, kDiskSize> out) const { fieldcodec::encode(*this, out); }
    bool operator==(const ContactEntry&) const = default;
};

// A project reached by an account code (128 bytes).
struct ProjectEntry
{
    static constexpr std::size_t kDiskSize = 128;
    static constexpr std::size_t kAccountCodeAt = 0, kNameAt = 16, kReservedAt = 80;

    TextField<16> accountCode;
    TextField<64> name;
    ReservedBytes<48> reserved;

    template <class Field> static constexpr void fields(Field&& field)
    {
        field(kAccountCodeAt, &ProjectEntry::accountCode);
        field(kNameAt, &ProjectEntry::name);
        field(kReservedAt, &ProjectEntry::reserved);
    }
    static ProjectEntry decode(std::span<const std::uint8_t, kDiskSize> in)
    {
        return fieldcodec::decode<ProjectEntry>(in);
    }
    void encode(std::span<std::uint8_t, kDiskSize> out) const { fieldcodec::encode(*this, out); }
    bool operator==(const ProjectEntry&) const = default;
};

// An exchange rate in force from a date on (32 bytes; the double is unaligned).
struct ExchangeRateEntry
{
    static constexpr std::size_t kDiskSize = 32;
    static constexpr std::size_t kYearAt = 0, kMonthAt = 2, kDayAt = 3, kRateAt = 4, kReservedAt = 12;

    std::uint16_t year = 0; // "Starting from"
    std::uint8_t month = 0;
    std::uint8_t day = 0;
    double rate = 0.0;
    ReservedBytes<20> reserved;

    template <class Field> static constexpr void fields(Field&& field)
    {
        field(kYearAt, &ExchangeRateEntry::year);
        field(kMonthAt, &ExchangeRateEntry::month);
        field(kDayAt, &ExchangeRateEntry::day);
        field(kRateAt, &ExchangeRateEntry::rate);
        field(kReservedAt, &ExchangeRateEntry::reserved);
    }
    static ExchangeRateEntry decode(std::span<const std::uint8_t, kDiskSize> in)
    {
        return fieldcodec::decode<ExchangeRateEntry>(in);
    }
    void encode(std::span<std::uint8_t, kDiskSize> out) const { fieldcodec::encode(*this, out); }
    bool operator==(const ExchangeRateEntry&) const = default;
};
