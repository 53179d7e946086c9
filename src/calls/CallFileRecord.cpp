#include "calls/CallFileRecord.h"

#include "core/LittleEndian.h"

#include <algorithm>
#include <cstring>

namespace {

inline void storeDigit(std::uint8_t* field, std::size_t i, unsigned nibble)
{
    field[i / 2] |= static_cast<std::uint8_t>((i % 2 == 0) ? nibble : nibble << 4);
}

// Expands `bytes` packed BCD bytes into 2 x bytes characters, then clears every
// character from `count` on, so exactly `count` digits remain.
template <std::size_t Bytes> inline void unpackDigits(const std::uint8_t* field, char* out, std::size_t count)
{
    for (std::size_t i = 0; i < Bytes; ++i) {
        out[2 * i] = static_cast<char>('0' + (field[i] & 0x0F));
        out[2 * i + 1] = static_cast<char>('0' + (field[i] >> 4));
    }
    std::memset(out + count, 0, 2 * Bytes - count);
}

} // namespace

void CallFileRecord::read(std::span<const std::uint8_t, kSize> in, CallRecord& out)
{
    std::memset(static_cast<void*>(&out), 0, sizeof out);
    readIntoZeroed(in, out);
}

void CallFileRecord::readIntoZeroed(std::span<const std::uint8_t, kSize> in, CallRecord& out)
{
    const std::uint8_t* p = in.data();
    out.direction = p[kDirectionAt];
    unpackDigits<kNumberBytes>(p + kNumberAt, out.dialedNumber.data(),
                               std::min<std::size_t>(p[kDigitCountAt] & 0x3F, CallRecord::kMaxDigits));
    out.extension = le::loadU32(p + kExtensionAt);
    out.trunk = le::loadU32(p + kTrunkAt);
    out.duration = le::loadU32(p + kDurationAt);
    out.start = CallDate::decode(p + kStartAt);
    out.cdCode[0] = static_cast<char>(p[kCdAt]);
    out.cdCode[1] = static_cast<char>(p[kCdAt + 1]);
    out.ringTime = le::loadU16(p + kRingTimeAt);
    out.suppliedCost = le::loadF32(p + kCostAt);
    out.pulses = le::loadU16(p + kPulsesAt);
    std::memcpy(out.nameText.data(), p + kNameAt, CallRecord::kNameLength);
    unpackDigits<kAccountBytes>(p + kAccountAt, out.accountCode.data(),
                                std::min<std::size_t>(p[kAccountCountAt], CallRecord::kMaxAccountDigits));
}

void CallFileRecord::write(const CallRecord& in, std::span<std::uint8_t, kSize> out)
{
    std::uint8_t* p = out.data();
    std::memset(p, 0, kSize);
    std::size_t digits = 0;
    for (const char c : in.number()) {
        if (digits == CallRecord::kMaxDigits)
            break;
        if (c >= '0' && c <= '9')
            storeDigit(p + kNumberAt, digits++, static_cast<unsigned>(c - '0'));
    }
    p[kDigitCountAt] = static_cast<std::uint8_t>(digits);
    p[kDirectionAt] = static_cast<std::uint8_t>(in.direction);
    le::storeU32(p + kTrunkAt, in.trunk);
    le::storeU32(p + kExtensionAt, in.extension);
    le::storeU32(p + kDurationAt, in.duration);
    in.start.encode(p + kStartAt);
    p[kCdAt] = static_cast<std::uint8_t>(in.cdCode[0]);
    p[kCdAt + 1] = static_cast<std::uint8_t>(in.cdCode[1]);
    le::storeU16(p + kRingTimeAt, static_cast<std::uint16_t>(in.ringTime));
    le::storeF32(p + kCostAt, static_cast<float>(in.suppliedCost));
    le::storeU16(p + kPulsesAt, static_cast<std::uint16_t>(in.pulses));
    std::memcpy(p + kNameAt, in.nameText.data(), CallRecord::kNameLength);
    // Account characters are stored as their low four bits, digits or not.
    const std::string_view account = in.account();
    std::size_t j = 0;
    for (; j < account.size() && j < CallRecord::kMaxAccountDigits; ++j)
        storeDigit(p + kAccountAt, j, static_cast<unsigned>(account[j] - '0') & 0x0F);
    p[kAccountCountAt] = static_cast<std::uint8_t>(j);
}
