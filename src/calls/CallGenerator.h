#pragma once
// Seeded call files for tests, benchmarks and the demo installation: an office
// of extensions 100-199 (mostly 100-149) on trunks 1-16, calls in time order,
// most of them outgoing in working hours on weekdays. The numbering plan is the
// one the default settings describe:
//   local           7-8 digits, not starting with 0
//   mobile          "015x"/"016x"/"017x" + 7-8 digits
//   long distance   "0" + area code ("30" Berlin, "40" Hamburg, "221" Cologne, ...) + number
//   international   "00" + country code + number
//   free            "0800" + 7 digits;  service: "110", "112", "11833"
// Incoming calls carry the caller's number (or none) and sometimes a name text.
// Some outgoing calls carry a 4-digit account code; durations have a long tail;
// trunks 1-4 report pulses and a supplied cost. The same seed and options give
// the same bytes on every machine (integer arithmetic only).

#include "calls/CallDate.h"
#include "calls/CallFileRecord.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

struct CallGeneratorOptions
{
    std::uint64_t seed = 1;
    std::size_t count = 1000;
    CallDate firstDay{2025, 1, 1, 0, 0}; // hour and minute are ignored
    int days = 30;                       // calls fall on firstDay .. firstDay + days - 1
};

class CallGenerator
{
public:
    explicit CallGenerator(const CallGeneratorOptions& options);

    std::size_t remaining() const { return m_minutes.size() - m_next; }
    // The next call in time order; false when all were given.
    bool next(CallFileRecord& record);

    // All calls of `options` as the bytes of a call file.
    static std::vector<std::uint8_t> fileBytes(const CallGeneratorOptions& options);
    // Writes them as a new call file; false when it could not be written.
    static bool writeFile(const CallGeneratorOptions& options, const std::filesystem::path& path);

private:
    std::uint64_t random();
    std::uint32_t below(std::uint32_t n) { return static_cast<std::uint32_t>(random() % n); }
    bool chance(std::uint32_t percent) { return below(100) < percent; }
    void appendDigits(std::string& number, int count, bool firstNonZero = false);
    std::string outgoingNumber();
    std::string incomingNumber();
    std::uint32_t duration();
    std::uint32_t minuteOfDay();

    std::uint64_t m_state;
    std::int64_t m_firstDay;              // days since 1970-01-01
    std::vector<std::uint32_t> m_minutes; // sorted minutes since the first day
    std::size_t m_next = 0;
};
