#pragma once
// The in-memory call: the raw fields of its file record plus what rating adds.
// Plain data, cleared to zero bytes before it is filled; the call table holds
// one per call, so its size is the memory cost of a loaded call.

#include "calls/CallDate.h"
#include "core/FixedText.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <type_traits>

struct CallRecord
{
    std::uint32_t extension;
    std::uint32_t trunk;
    // Digits as characters; classification may insert up to two '-' (30 digits,
    // 2 dashes, the terminator and one spare byte).
    std::array<char, 34> dialedNumber;
    std::array<char, 16> accountCode; // up to 10 digit characters
    CallDate start;
    std::uint32_t duration;     // seconds
    std::array<char, 4> cdCode; // two characters kept verbatim, then two spare zero bytes
    std::uint32_t ringTime;     // seconds
    double suppliedCost;        // as the carrier supplied it
    std::uint32_t pulses;
    std::array<char, 16> nameText; // up to 10 characters, always terminated in memory
    std::uint32_t direction;       // 0 outgoing, 1 incoming, other values kept

    // Rating results; all zero after reading, filled by classification and pricing.
    std::int32_t callType;       // 0 local, 1 long distance, 2 international, 3.. user types
    double cost;                 // in the primary currency
    std::int32_t directoryIndex; // the index fields are -1 for "none"
    std::int32_t trunkIndex;
    std::int32_t destinationIndex;
    std::int32_t contactIndex;
    std::int32_t carrierIndex; // 0-5
    std::int32_t departmentIndex;
    std::int32_t projectIndex;
    std::uint32_t localFlag;
    std::uint32_t freeFlag;

    static constexpr std::size_t kMaxDigits = 30;
    static constexpr std::size_t kMaxAccountDigits = 10;
    static constexpr std::size_t kNameLength = 10;
    static constexpr std::size_t kCdLength = 2;

    // The report engine's "no call": all zero except the seven index fields, which are -1.
    static CallRecord empty();

    std::string_view number() const { return fixedtext::view(dialedNumber); }
    std::string_view account() const { return fixedtext::view(accountCode); }
    std::string_view name() const { return fixedtext::view(nameText.data(), kNameLength); }
    std::string_view cd() const { return fixedtext::view(cdCode.data(), kCdLength); }
};

static_assert(std::is_trivially_copyable_v<CallRecord>);
static_assert(std::is_standard_layout_v<CallRecord>);
static_assert(offsetof(CallRecord, dialedNumber) == 8 && offsetof(CallRecord, accountCode) == 42
              && offsetof(CallRecord, start) == 58 && offsetof(CallRecord, duration) == 64
              && offsetof(CallRecord, cdCode) == 68 && offsetof(CallRecord, suppliedCost) == 80
              && offsetof(CallRecord, nameText) == 92 && offsetof(CallRecord, direction) == 108
              && offsetof(CallRecord, cost) == 120 && offsetof(CallRecord, directoryIndex) == 128
              && offsetof(CallRecord, freeFlag) == 160);
// One call must stay small: 1,000,000 loaded calls with their visible-list entries
// are to fit in 200 MB.
static_assert(sizeof(CallRecord) == 168);

inline CallRecord CallRecord::empty()
{
    CallRecord c{};
    c.directoryIndex = c.trunkIndex = c.destinationIndex = c.contactIndex = -1;
    c.carrierIndex = c.departmentIndex = c.projectIndex = -1;
    return c;
}
