#pragma once
// The filter: every criterion the filter editor offers, in one 960-byte record.
// The same record is the main window's current filter, each undo entry and the
// body of each saved filter, and it is written byte for byte into "filter.dat",
// so the layout below is a storage format:
//
//  0x000 invert              0x116 contact exact   0x19A department on      0x2DA ring time on
//  0x004 include outgoing    0x11A from on         0x19E department (64)    0x2DE min ring time
//  0x008 include incoming    0x11E from (6)        0x1DE department exact   0x2E2 max ring time
//  0x00C include local       0x124 to on           0x1E2 extension on       0x2E6 project on
//  0x010 include long dist.  0x128 to (6)          0x1E6 extension ranges   0x2EA project exact
//  0x014 include intl.       0x12E start time on   0x22A acc code on        0x2EE project (64)
//  0x018 CD on               0x132 start from (2)  0x22E acc code (16)      0x32E include user types
//  0x01C CD pattern (2)      0x134 start to (2)    0x23E carrier on         0x33E reserved (130)
//  0x01E number on           0x136 duration on     0x242 carrier
//  0x022 number (32)         0x13A min duration    0x246 trunk group on
//  0x042 number exact        0x13E max duration    0x24A trunk group (64)
//  0x046 destination on      0x142 cost on         0x28A trunk group exact
//  0x04A unknown dest.       0x146 min cost        0x28E trunk on
//  0x04E destination (132)   0x14E max cost        0x292 trunk ranges (68)
//  0x0D2 contact on          0x156 employee on     0x2D6 unknown numbers
//  0x0D6 contact (64)        0x15A employee (64)
//
// Flags and integers are 32-bit, amounts doubles, all little-endian. Every
// field is kept exactly as loaded (flag values, bytes after a text's
// terminator, reserved bytes), so a loaded record is written back unchanged.
// Texts are read bounded by their fields: the destination may fill all 132
// bytes without a terminator.

#include "calls/CallDate.h"
#include "calls/CallRecord.h"
#include "core/FieldCodec.h"
#include "core/FixedText.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

class CallNameLookup;
class SettingsDatabase;

// A start time of day: hour, minute (two bytes).
struct HourMinute
{
    std::uint8_t hour = 0;
    std::uint8_t minute = 0;

    static constexpr std::size_t kDiskSize = 2;
    template <class Field> static constexpr void fields(Field&& field)
    {
        field(0, &HourMinute::hour);
        field(1, &HourMinute::minute);
    }
    friend constexpr auto operator<=>(const HourMinute&, const HourMinute&) = default;
};

// Up to eight number ranges (extensions or trunks): a count, eight lower and
// eight upper bounds; -1 leaves that side open. 68 bytes.
struct RangeList
{
    static constexpr std::size_t kMaxRanges = 8;
    static constexpr std::size_t kDiskSize = 4 + 2 * kMaxRanges * 4;
    static constexpr std::size_t kCountAt = 0, kLowAt = 4, kHighAt = 4 + kMaxRanges * 4;
    static constexpr std::int32_t kOpen = -1;

    std::int32_t count = 0; // as stored; see used()
    std::array<std::int32_t, kMaxRanges> low{};
    std::array<std::int32_t, kMaxRanges> high{};

    // The ranges that take part: a count above 8 is taken as 8, below 0 as 0.
    std::size_t used() const
    {
        return count <= 0                                       ? 0
               : count >= static_cast<std::int32_t>(kMaxRanges) ? kMaxRanges
                                                                : static_cast<std::size_t>(count);
    }
    // Whether `number` (a call's unsigned extension or trunk) lies in one of the
    // used ranges, the bounds taken as the signed numbers they are. An empty list
    // holds nothing.
    bool holds(std::uint32_t number) const
    {
        const std::int64_t n = number;
        for (std::size_t i = 0; i < used(); ++i) {
            if ((low[i] == kOpen || n >= low[i]) && (high[i] == kOpen || n <= high[i]))
                return true;
        }
        return false;
    }
    // Replaces the list by the single range number..number.
    void setSingle(std::int32_t number)
    {
        *this = RangeList{};
        count = 1;
        low[0] = high[0] = number;
    }

    template <class Field> static constexpr void fields(Field&& field)
    {
        field(kCountAt, &RangeList::count);
        field(kLowAt, &RangeList::low);
        field(kHighAt, &RangeList::high);
    }
};

struct FilterRecord
{
    static constexpr std::size_t kDiskSize = 960;
    static constexpr std::size_t kCdLength = 2;
    static constexpr std::size_t kNumberSize = 32, kDestinationSize = 132, kNameSize = 64, kAccountSize = 16;
    static constexpr std::size_t kUserTypes = 4, kReservedSize = 130;

    // Offsets of the record layout.
    // clang-format off
    static constexpr std::size_t
        kInvertAt = 0x000, kOutgoingAt = 0x004, kIncomingAt = 0x008, kLocalAt = 0x00C, kLongDistanceAt = 0x010,
        kInternationalAt = 0x014, kCdOnAt = 0x018, kCdAt = 0x01C, kNumberOnAt = 0x01E, kNumberAt = 0x022,
        kNumberExactAt = 0x042, kDestinationOnAt = 0x046, kUnknownDestinationsAt = 0x04A, kDestinationAt = 0x04E,
        kContactOnAt = 0x0D2, kContactAt = 0x0D6, kContactExactAt = 0x116, kFromOnAt = 0x11A, kFromAt = 0x11E,
        kToOnAt = 0x124, kToAt = 0x128, kTimeOnAt = 0x12E, kTimeFromAt = 0x132, kTimeToAt = 0x134,
        kDurationOnAt = 0x136, kMinDurationAt = 0x13A, kMaxDurationAt = 0x13E, kCostOnAt = 0x142,
        kMinCostAt = 0x146, kMaxCostAt = 0x14E, kEmployeeOnAt = 0x156, kEmployeeAt = 0x15A,
        kDepartmentOnAt = 0x19A, kDepartmentAt = 0x19E, kDepartmentExactAt = 0x1DE, kExtensionOnAt = 0x1E2,
        kExtensionsAt = 0x1E6, kAccountOnAt = 0x22A, kAccountAt = 0x22E, kCarrierOnAt = 0x23E, kCarrierAt = 0x242,
        kTrunkGroupOnAt = 0x246, kTrunkGroupAt = 0x24A, kTrunkGroupExactAt = 0x28A, kTrunkOnAt = 0x28E,
        kTrunksAt = 0x292, kUnknownNumbersAt = 0x2D6, kRingOnAt = 0x2DA, kMinRingAt = 0x2DE, kMaxRingAt = 0x2E2,
        kProjectOnAt = 0x2E6, kProjectExactAt = 0x2EA, kProjectAt = 0x2EE, kUserTypesAt = 0x32E,
        kReservedAt = 0x33E;
    // clang-format on
    static_assert(kNumberOnAt + 4 + kNumberSize == kNumberExactAt);
    static_assert(kDestinationAt + kDestinationSize == kContactOnAt);
    static_assert(kEmployeeAt + kNameSize == kDepartmentOnAt); // the employee name is 64 bytes
    static_assert(kExtensionsAt + RangeList::kDiskSize == kAccountOnAt);
    static_assert(kTrunksAt + RangeList::kDiskSize == kUnknownNumbersAt);
    static_assert(kProjectAt + kNameSize == kUserTypesAt);
    static_assert(kUserTypesAt + 4 * kUserTypes == kReservedAt && kReservedAt + kReservedSize == kDiskSize);

    // Flags: 0 off, anything else on.
    std::int32_t invert;
    std::int32_t includeOutgoing;      // direction 0
    std::int32_t includeIncoming;      // direction 1
    std::int32_t includeLocal;         // call type 0
    std::int32_t includeLongDistance;  // call type 1
    std::int32_t includeInternational; // call type 2
    std::int32_t cdOn;
    std::array<char, kCdLength> cd; // two characters, not terminated
    std::int32_t numberOn;
    std::array<char, kNumberSize> number; // digits and '*'
    std::int32_t numberExact;
    std::int32_t destinationOn;
    std::int32_t unknownDestinations;
    std::array<char, kDestinationSize> destination; // may fill the field
    std::int32_t contactOn;
    std::array<char, kNameSize> contact;
    std::int32_t contactExact;
    std::int32_t fromOn;
    CallDate from;
    std::int32_t toOn;
    CallDate to;
    std::int32_t timeOn; // starting time "Between"
    HourMinute timeFrom;
    HourMinute timeTo;
    std::int32_t durationOn;
    std::int32_t minDuration; // seconds; -1 no bound
    std::int32_t maxDuration;
    std::int32_t costOn;
    double minCost; // -1.0 no bound
    double maxCost;
    std::int32_t employeeOn;
    std::array<char, kNameSize> employee;
    std::int32_t departmentOn;
    // Also the employee's department while the employee criterion is on.
    std::array<char, kNameSize> department;
    std::int32_t departmentExact;
    std::int32_t extensionOn;
    RangeList extensions;
    std::int32_t accountOn;
    std::array<char, kAccountSize> account; // digits and '*'
    std::int32_t carrierOn;
    std::int32_t carrier; // position in the carrier list, 0-5
    std::int32_t trunkGroupOn;
    std::array<char, kNameSize> trunkGroup;
    std::int32_t trunkGroupExact;
    std::int32_t trunkOn;
    RangeList trunks;
    std::int32_t unknownNumbers; // contact criterion: only calls without contact and name text
    std::int32_t ringOn;
    std::int32_t minRing; // seconds; -1 no bound
    std::int32_t maxRing;
    std::int32_t projectOn;
    std::int32_t projectExact;
    std::array<char, kNameSize> project;
    std::array<std::int32_t, kUserTypes> includeUserTypes; // call types 3 to 6
    std::array<std::uint8_t, kReservedSize> reserved;

    // A default-constructed record is the neutral filter.
    FilterRecord() { reset(); }

    // Writes the neutral filter: all zero except the include flags, the exact-match
    // flags, open bounds (-1, -1.0) and the To and starting-time limits of 23:59.
    void reset();
    // Whether the record lets anything but every call through: an include flag off,
    // Invert on, or any criterion enabled. Texts and bounds of disabled criteria
    // do not count.
    bool isActive() const;

    // The test of one call, without Invert. Names come from `settings` through the
    // call's indexes. Pure and allocation-free in itself (the locale's collation
    // may convert texts).
    bool match(const CallRecord& call, const SettingsDatabase& settings) const;
    // The two halves of match(): the criteria on the call's own fields (direction,
    // call type, dates, times, duration, ring time, cost, CD, account code, dialed
    // number, extension, carrier, trunk ranges), and the criteria on the names its
    // indexes lead to (destination, contact, project, employee or department,
    // trunk group). match() is both.
    bool matchFields(const CallRecord& call) const;
    // Whether the include flag of a call type is on; types outside 0-6 pass.
    bool includesCallType(std::int32_t callType) const;
    bool matchNames(const CallRecord& call, const SettingsDatabase& settings) const;

    // The name criteria one index at a time, as matchNames() applies them when the
    // criterion is on (an index that leads to no name fails). The contact criterion
    // takes the contact's name, or the call's name text when it has no contact.
    bool destinationPasses(int destinationIndex, const CallNameLookup& names) const;
    bool contactPasses(int contactIndex, const CallNameLookup& names) const;
    bool nameTextPasses(std::string_view nameText) const;
    bool projectPasses(int projectIndex, const CallNameLookup& names) const;
    bool employeePasses(int directoryIndex, const CallNameLookup& names) const;
    bool departmentPasses(int departmentIndex, const CallNameLookup& names) const;
    bool trunkGroupPasses(int trunkIndex, const CallNameLookup& names) const;
    // match(), negated when Invert is on. Callers ask only while isActive(); an
    // inactive filter lets every call through.
    bool accept(const CallRecord& call, const SettingsDatabase& settings) const
    {
        return match(call, settings) != (invert != 0);
    }

    // The texts, each bounded by its field.
    std::string_view numberText() const { return fixedtext::view(number); }
    std::string_view destinationText() const { return fixedtext::view(destination); }
    std::string_view contactText() const { return fixedtext::view(contact); }
    std::string_view employeeText() const { return fixedtext::view(employee); }
    std::string_view departmentText() const { return fixedtext::view(department); }
    std::string_view accountText() const { return fixedtext::view(account); }
    std::string_view trunkGroupText() const { return fixedtext::view(trunkGroup); }
    std::string_view projectText() const { return fixedtext::view(project); }

    // Stores a text cut to leave room for its terminator, zero-filling the field.
    template <std::size_t N> static void setText(std::array<char, N>& field, std::string_view text)
    {
        fixedtext::store(field, text);
    }
    // The destination text may use all 132 bytes; a shorter one is zero-filled.
    void setDestination(std::string_view text);

    template <class Field> static constexpr void fields(Field&& field)
    {
        using R = FilterRecord;
        field(kInvertAt, &R::invert);
        field(kOutgoingAt, &R::includeOutgoing);
        field(kIncomingAt, &R::includeIncoming);
        field(kLocalAt, &R::includeLocal);
        field(kLongDistanceAt, &R::includeLongDistance);
        field(kInternationalAt, &R::includeInternational);
        field(kCdOnAt, &R::cdOn);
        field(kCdAt, &R::cd);
        field(kNumberOnAt, &R::numberOn);
        field(kNumberAt, &R::number);
        field(kNumberExactAt, &R::numberExact);
        field(kDestinationOnAt, &R::destinationOn);
        field(kUnknownDestinationsAt, &R::unknownDestinations);
        field(kDestinationAt, &R::destination);
        field(kContactOnAt, &R::contactOn);
        field(kContactAt, &R::contact);
        field(kContactExactAt, &R::contactExact);
        field(kFromOnAt, &R::fromOn);
        field(kFromAt, &R::from);
        field(kToOnAt, &R::toOn);
        field(kToAt, &R::to);
        field(kTimeOnAt, &R::timeOn);
        field(kTimeFromAt, &R::timeFrom);
        field(kTimeToAt, &R::timeTo);
        field(kDurationOnAt, &R::durationOn);
        field(kMinDurationAt, &R::minDuration);
        field(kMaxDurationAt, &R::maxDuration);
        field(kCostOnAt, &R::costOn);
        field(kMinCostAt, &R::minCost);
        field(kMaxCostAt, &R::maxCost);
        field(kEmployeeOnAt, &R::employeeOn);
        field(kEmployeeAt, &R::employee);
        field(kDepartmentOnAt, &R::departmentOn);
        field(kDepartmentAt, &R::department);
        field(kDepartmentExactAt, &R::departmentExact);
        field(kExtensionOnAt, &R::extensionOn);
        field(kExtensionsAt, &R::extensions);
        field(kAccountOnAt, &R::accountOn);
        field(kAccountAt, &R::account);
        field(kCarrierOnAt, &R::carrierOn);
        field(kCarrierAt, &R::carrier);
        field(kTrunkGroupOnAt, &R::trunkGroupOn);
        field(kTrunkGroupAt, &R::trunkGroup);
        field(kTrunkGroupExactAt, &R::trunkGroupExact);
        field(kTrunkOnAt, &R::trunkOn);
        field(kTrunksAt, &R::trunks);
        field(kUnknownNumbersAt, &R::unknownNumbers);
        field(kRingOnAt, &R::ringOn);
        field(kMinRingAt, &R::minRing);
        field(kMaxRingAt, &R::maxRing);
        field(kProjectOnAt, &R::projectOn);
        field(kProjectExactAt, &R::projectExact);
        field(kProjectAt, &R::project);
        field(kUserTypesAt, &R::includeUserTypes);
        field(kReservedAt, &R::reserved);
    }
    static FilterRecord decode(std::span<const std::uint8_t, kDiskSize> in)
    {
        return fieldcodec::decode<FilterRecord>(in);
    }
    void encode(std::span<std::uint8_t, kDiskSize> out) const { fieldcodec::encode(*this, out); }
    std::array<std::uint8_t, kDiskSize> bytes() const;

    // Byte for byte equality of the stored form.
    friend bool operator==(const FilterRecord& a, const FilterRecord& b) { return a.bytes() == b.bytes(); }
};

// Text comparisons of the name criteria, through the locale's collation (case-sensitive).
namespace filtertext {
bool equal(std::string_view callText, std::string_view filterText);
// The first filterText.size() characters of callText equal filterText; an empty
// filter text begins every text, a shorter call text begins with nothing longer.
bool beginsWith(std::string_view callText, std::string_view filterText);
inline bool matches(std::string_view callText, std::string_view filterText, bool exact)
{
    return exact ? equal(callText, filterText) : beginsWith(callText, filterText);
}
} // namespace filtertext
