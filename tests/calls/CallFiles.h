#pragma once
// Builders of call files for the tests.

#include "calls/CallFileRecord.h"
#include "calls/CallGenerator.h"
#include "core/FixedText.h"

#include <filesystem>
#include <fstream>
#include <string_view>
#include <vector>

namespace testcalls {

inline CallFileRecord record(std::string_view digits, CallDate start = {2025, 3, 10, 9, 30},
                             std::uint32_t duration = 60, std::uint32_t extension = 100)
{
    CallRecord call{};
    fixedtext::store(call.dialedNumber, digits);
    call.start = start;
    call.duration = duration;
    call.extension = extension;
    return CallFileRecord::fromCall(call);
}

inline std::vector<std::uint8_t> generated(std::size_t count, std::uint64_t seed = 7)
{
    CallGeneratorOptions options;
    options.count = count;
    options.seed = seed;
    return CallGenerator::fileBytes(options);
}

inline void write(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes, bool append = false)
{
    std::ofstream out(path, std::ios::binary | (append ? std::ios::app : std::ios::trunc));
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline void write(const std::filesystem::path& path, const std::vector<CallFileRecord>& records, bool append = false)
{
    std::vector<std::uint8_t> bytes;
    for (const CallFileRecord& r : records)
        bytes.insert(bytes.end(), r.bytes.begin(), r.bytes.end());
    write(path, bytes, append);
}

// Durations 1..n as calls, in that order.
inline std::vector<CallFileRecord> byDuration(std::uint32_t first, std::uint32_t count)
{
    std::vector<CallFileRecord> records;
    for (std::uint32_t i = 0; i < count; ++i)
        records.push_back(record("123", {2025, 3, 10, 9, 30}, first + i));
    return records;
}

} // namespace testcalls
