#pragma once
// Helpers of the window tests: a program folder made for one test (the demo
// installation's settings database, an INI file, call files written on
// demand) and a record of the messages the program would have shown.

#include "../support/TempDir.h"
#include "calls/CallFileRecord.h"
#include "calls/CallGenerator.h"
#include "lang/gui/QtMessageSink.h"

#include <QString>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

class TestHome
{
public:
    TestHome()
    {
        std::filesystem::copy_file(std::filesystem::path(QX_PROGRAM_DIR) / "brisel.dat", m_dir / "brisel.dat");
        std::filesystem::create_directories(m_dir / "Calls");
    }

    const std::filesystem::path& folder() const { return m_dir.path(); }
    std::filesystem::path operator/(const std::string& name) const { return m_dir / name; }

    void writeIni(const std::string& text) const { writeBytes(m_dir / "quantorix.ini", text.data(), text.size()); }

    // A call file of `count` generated calls (time order, two months from 1 January 2025 by default).
    std::filesystem::path writeCalls(const std::string& name, std::size_t count, std::uint64_t seed = 1,
                                     int days = 59) const
    {
        CallGeneratorOptions options;
        options.seed = seed;
        options.count = count;
        options.days = days;
        const std::vector<std::uint8_t> bytes = CallGenerator::fileBytes(options);
        const std::filesystem::path path = m_dir / "Calls" / name;
        writeBytes(path, bytes.data(), bytes.size());
        return path;
    }

    // A call file of the given calls (raw fields only).
    std::filesystem::path writeRecords(const std::string& name, const std::vector<CallRecord>& calls,
                                       bool append = false) const
    {
        const std::filesystem::path path = m_dir / "Calls" / name;
        std::ofstream out(path, std::ios::binary | (append ? std::ios::app : std::ios::trunc));
        for (const CallRecord& call : calls) {
            const CallFileRecord record = CallFileRecord::fromCall(call);
            out.write(reinterpret_cast<const char*>(record.bytes.data()), CallFileRecord::kSize);
        }
        return path;
    }

    static void writeBytes(const std::filesystem::path& path, const void* data, std::size_t size)
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    }

private:
    TempDir m_dir;
};

// An outgoing call on 3 February 2025 at 10:00 from extension 101, trunk 1.
inline CallRecord makeCall(const std::string& number, std::uint32_t duration = 60, std::uint8_t day = 3,
                           std::uint32_t direction = 0)
{
    CallRecord call = CallRecord::empty();
    call.extension = 101;
    call.trunk = 1;
    fixedtext::store(call.dialedNumber, number);
    call.start = {2025, 2, day, 10, 0};
    call.duration = duration;
    call.direction = direction;
    return call;
}

struct ShownMessage
{
    int id;
    std::string text;
};

// Installs a message sink that records each message and answers with the first button.
class MessageLog
{
public:
    MessageLog()
    {
        m_sink.setHandler([this](int id, const std::string& text, int boxType) {
            m_shown.push_back({id, text});
            return defaultAnswer(boxType);
        });
    }
    const std::vector<ShownMessage>& shown() const { return m_shown; }
    bool has(int id) const
    {
        for (const ShownMessage& m : m_shown)
            if (m.id == id)
                return true;
        return false;
    }
    void clear() { m_shown.clear(); }

private:
    QtMessageSink m_sink;
    std::vector<ShownMessage> m_shown;
};
