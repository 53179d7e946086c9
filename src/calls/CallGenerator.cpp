#include "calls/CallGenerator.h"

#include "core/LittleEndian.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <string_view>

namespace {

constexpr std::array<std::string_view, 14> kAreaCodes = {"30",  "40",  "221", "69",  "711", "211", "231",
                                                         "201", "421", "341", "351", "511", "911", "89"};
constexpr std::array<std::string_view, 18> kCountryCodes = {"44",  "33", "39", "34", "43", "41", "31", "1",  "48",
                                                            "420", "86", "81", "7",  "90", "61", "55", "91", "385"};
constexpr std::array<std::string_view, 9> kMobilePrefixes = {"0151", "0152", "0157", "0160", "0162",
                                                             "0170", "0171", "0172", "0176"};
constexpr std::array<std::string_view, 3> kServiceNumbers = {"110", "112", "11833"};
// Caller names as the exchange passes them on (Windows-1252; "\xDC" is U+00DC).
constexpr std::array<std::string_view, 12> kNames = {"M\xDCLLER",  "SCHMIDT",    "SCHNEIDER", "FISCHER",
                                                     "WEBER GMBH", "MEYER & CO", "WAGNER",    "BECKER",
                                                     "SCHULZ",     "HOFFMANN",   "KOCH, A.",  "\"RICHTER\""};
constexpr std::array<std::string_view, 6> kCdCodes = {"TR", "FW", "DI", "DS", "NA", "  "};

std::uint64_t splitmix(std::uint64_t& state)
{
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

void storeDigits(std::uint8_t* field, std::string_view digits)
{
    for (std::size_t i = 0; i < digits.size(); ++i) {
        const auto nibble = static_cast<std::uint8_t>(digits[i] - '0');
        field[i / 2] |= static_cast<std::uint8_t>(i % 2 == 0 ? nibble : nibble << 4);
    }
}

} // namespace

CallGenerator::CallGenerator(const CallGeneratorOptions& options)
    : m_state(options.seed)
    , m_firstDay(daysFromCivil(options.firstDay.year, options.firstDay.month, options.firstDay.day))
{
    const int days = std::max(options.days, 1);
    m_minutes.reserve(options.count);
    while (m_minutes.size() < options.count) {
        const auto day = static_cast<std::int64_t>(below(static_cast<std::uint32_t>(days)));
        const std::int64_t weekday = (m_firstDay + day + 4) % 7; // 1970-01-01 was a Thursday; 0 = Sunday
        // Weekends are quiet: keep a Saturday call with 15 %, a Sunday call with 5 %.
        if ((weekday == 6 && !chance(15)) || (weekday == 0 && !chance(5)))
            continue;
        m_minutes.push_back(static_cast<std::uint32_t>(day * 1440 + minuteOfDay()));
    }
    std::sort(m_minutes.begin(), m_minutes.end());
}

std::uint64_t CallGenerator::random() { return splitmix(m_state); }

std::uint32_t CallGenerator::minuteOfDay()
{
    if (chance(88)) {
        // Office hours 8:00-17:59, fewer calls over lunch.
        for (;;) {
            const std::uint32_t minute = 8 * 60 + below(10 * 60);
            if (minute / 60 != 12 || chance(40))
                return minute;
        }
    }
    return below(24 * 60);
}

void CallGenerator::appendDigits(std::string& number, int count, bool firstNonZero)
{
    for (int i = 0; i < count; ++i)
        number += static_cast<char>('0' + (i == 0 && firstNonZero ? 1 + below(9) : below(10)));
}

std::string CallGenerator::outgoingNumber()
{
    std::string number;
    const std::uint32_t kind = below(100);
    if (kind < 45) {
        appendDigits(number, 7 + static_cast<int>(below(2)), true);
    } else if (kind < 60) {
        number = kMobilePrefixes[below(kMobilePrefixes.size())];
        appendDigits(number, 7 + static_cast<int>(below(2)));
    } else if (kind < 85) {
        number = "0";
        number += kAreaCodes[below(kAreaCodes.size())];
        appendDigits(number, 5 + static_cast<int>(below(4)), true);
    } else if (kind < 95) {
        number = "00";
        number += kCountryCodes[below(kCountryCodes.size())];
        appendDigits(number, 8 + static_cast<int>(below(3)), true);
    } else if (kind < 99) {
        number = "0800";
        appendDigits(number, 7);
    } else {
        number = kServiceNumbers[below(kServiceNumbers.size())];
    }
    return number;
}

std::string CallGenerator::incomingNumber()
{
    if (chance(30))
        return {}; // caller withheld the number
    std::string number;
    if (chance(60)) {
        appendDigits(number, 7 + static_cast<int>(below(2)), true);
    } else if (chance(50)) {
        number = kMobilePrefixes[below(kMobilePrefixes.size())];
        appendDigits(number, 7);
    } else {
        number = "0";
        number += kAreaCodes[below(kAreaCodes.size())];
        appendDigits(number, 6, true);
    }
    return number;
}

std::uint32_t CallGenerator::duration()
{
    const std::uint32_t band = below(100);
    if (band < 5)
        return below(6);
    if (band < 55)
        return 10 + below(110);
    if (band < 85)
        return 120 + below(480);
    if (band < 96)
        return 600 + below(1200);
    return 1800 + below(9000); // the long tail, up to three hours
}

bool CallGenerator::next(CallFileRecord& record)
{
    if (m_next == m_minutes.size())
        return false;
    const std::uint32_t minute = m_minutes[m_next++];
    record.bytes.fill(0);
    std::uint8_t* p = record.bytes.data();

    const bool incoming = chance(30);
    const std::string number = incoming ? incomingNumber() : outgoingNumber();
    const std::uint32_t trunk = chance(60) ? 1 + below(4) : 1 + below(16);
    const std::uint32_t extension = chance(90) ? 100 + below(50) : 150 + below(50);
    const std::uint32_t seconds = duration();
    le::storeU32(p + CallFileRecord::kTrunkAt, trunk);
    le::storeU32(p + CallFileRecord::kExtensionAt, extension);
    le::storeU32(p + CallFileRecord::kDurationAt, seconds);
    p[CallFileRecord::kDigitCountAt] = static_cast<std::uint8_t>(number.size());
    storeDigits(p + CallFileRecord::kNumberAt, number);

    if (!incoming && number.size() > 8 && chance(15)) {
        std::string account = chance(70) ? "100" : "200";
        appendDigits(account, 1, true);
        p[CallFileRecord::kAccountCountAt] = static_cast<std::uint8_t>(account.size());
        storeDigits(p + CallFileRecord::kAccountAt, account);
    }

    const std::uint32_t code = below(100);
    const std::string_view cd = code < 6                    ? kCdCodes[0]
                                : code < 10                 ? kCdCodes[1]
                                : code < 13                 ? kCdCodes[2]
                                : code < 15                 ? kCdCodes[3]
                                : (incoming && seconds < 6) ? kCdCodes[4]
                                                            : kCdCodes[5];
    p[CallFileRecord::kCdAt] = static_cast<std::uint8_t>(cd[0]);
    p[CallFileRecord::kCdAt + 1] = static_cast<std::uint8_t>(cd[1]);

    const DateTimeFields day = civilFromDays(m_firstDay + minute / 1440);
    const CallDate start{static_cast<std::uint16_t>(day.year), static_cast<std::uint8_t>(day.month),
                         static_cast<std::uint8_t>(day.day), static_cast<std::uint8_t>(minute % 1440 / 60),
                         static_cast<std::uint8_t>(minute % 60)};
    start.encode(p + CallFileRecord::kStartAt);
    p[CallFileRecord::kDirectionAt] = incoming ? 1 : 0;

    if (!incoming && trunk <= 4 && seconds > 0) {
        const std::uint32_t pulses = seconds / 60 + 1;
        le::storeU16(p + CallFileRecord::kPulsesAt, static_cast<std::uint16_t>(pulses));
        le::storeF32(p + CallFileRecord::kCostAt, static_cast<float>(pulses) * 0.06f);
    }
    le::storeU16(p + CallFileRecord::kRingTimeAt, static_cast<std::uint16_t>(incoming ? 2 + below(30) : below(20)));
    if (incoming && !number.empty() && chance(25)) {
        const std::string_view name = kNames[below(kNames.size())];
        std::copy(name.begin(), name.end(), p + CallFileRecord::kNameAt);
    }
    return true;
}

std::vector<std::uint8_t> CallGenerator::fileBytes(const CallGeneratorOptions& options)
{
    CallGenerator generator(options);
    std::vector<std::uint8_t> bytes(options.count * CallFileRecord::kSize);
    CallFileRecord record;
    for (std::size_t i = 0; generator.next(record); ++i)
        std::copy(record.bytes.begin(), record.bytes.end(),
                  bytes.begin() + static_cast<std::ptrdiff_t>(i * CallFileRecord::kSize));
    return bytes;
}

bool CallGenerator::writeFile(const CallGeneratorOptions& options, const std::filesystem::path& path)
{
    const std::vector<std::uint8_t> bytes = fileBytes(options);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}
