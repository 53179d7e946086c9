#pragma once
// The 64-byte record of call database files (".bsl"), written by the PBX data
// collector and only ever appended. Little-endian, packed:
//
//   0  u32 trunk            16  15 bytes packed BCD dialed number (30 digits)
//   4  u32 extension        31   5 bytes packed BCD account code (10 digits)
//   8  u32 duration         36   6 bytes CallDate (u16 year, month, day, hour, minute)
//  12  u8  dialed digits    42  u8  direction (0 out, 1 in, others kept)
//      (low 6 bits, max 30) 43   3 bytes reserved, written as 0
//  13  u8  account digits   46  u16 pulses
//      (max 10)             48  f32 supplied cost
//  14  2 chars CD code      52  u16 ring time
//                           54  10 chars name text (no terminator when full)
//
// Packed BCD: digit i is in byte i/2, low nibble for even i, high nibble for odd i.

#include "calls/CallRecord.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

struct CallFileRecord
{
    std::array<std::uint8_t, 64> bytes{};

    static constexpr std::size_t kSize = 64;
    static constexpr std::size_t kTrunkAt = 0, kExtensionAt = 4, kDurationAt = 8, kDigitCountAt = 12,
                                 kAccountCountAt = 13, kCdAt = 14, kNumberAt = 16, kAccountAt = 31, kStartAt = 36,
                                 kDirectionAt = 42, kPulsesAt = 46, kCostAt = 48, kRingTimeAt = 52, kNameAt = 54;
    static constexpr std::size_t kNumberBytes = 15, kAccountBytes = 5;
    static_assert(kNumberAt + kNumberBytes == kAccountAt && kAccountAt + kAccountBytes == kStartAt);
    static_assert(kNameAt + CallRecord::kNameLength == kSize);

    // Read conversion: every raw field of a zeroed call; the rating fields stay zero.
    // A dialed-number nibble of 10-15 becomes one of ":;<=>?".
    static void read(std::span<const std::uint8_t, kSize> in, CallRecord& out);
    // The same into a call that is all zero bytes already (a fresh slot of the call table).
    static void readIntoZeroed(std::span<const std::uint8_t, kSize> in, CallRecord& out);
    // Write conversion from the raw fields; rating fields are ignored. Non-digits of
    // the dialed number (classification's dashes) are not stored.
    static void write(const CallRecord& in, std::span<std::uint8_t, kSize> out);

    CallRecord toCall() const
    {
        CallRecord call;
        read(bytes, call);
        return call;
    }
    static CallFileRecord fromCall(const CallRecord& call)
    {
        CallFileRecord record;
        write(call, record.bytes);
        return record;
    }
};
static_assert(sizeof(CallFileRecord) == CallFileRecord::kSize);
