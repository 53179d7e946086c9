#pragma once
// A program folder with a call file and a session over it, rated by a small
// stand-in for classification: employee and department by extension, trunk by
// number, contact by exact number, project by account code, destination by the
// longest code after "00", user call type 3 for numbers starting with "0800",
// local for numbers not starting with "0"; cost one cent per second.

#include "../filter/FilterFixtures.h"
#include "TempDir.h"
#include "calls/CallFileRecord.h"
#include "core/FixedText.h"
#include "core/IniProfile.h"
#include "session/MainSession.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace sessiontest {

class StandInRating final : public CallPipeline
{
public:
    explicit StandInRating(const SettingsDatabase& db)
        : m_db(db)
    { }
    void rate(CallRecord& c) override
    {
        const std::string_view number = c.number();
        c.directoryIndex = m_db.findExtension(static_cast<std::int32_t>(c.extension));
        c.departmentIndex = m_db.departmentIndexOfEntry(c.directoryIndex);
        c.trunkIndex = m_db.findTrunk(c.trunk);
        c.projectIndex = m_db.projectNameIndexOfEntry(m_db.findProject(c.account()));
        c.contactIndex = -1;
        for (std::size_t i = 0; i < m_db.contacts.size(); ++i) {
            if (m_db.contacts[i].number.view() == number)
                c.contactIndex = m_db.contactIndexOfEntry(static_cast<int>(i));
        }
        c.destinationIndex = -1;
        c.localFlag = number.empty() || number[0] != '0';
        if (number.starts_with("00")) {
            for (std::size_t n = number.size(); n > 2 && c.destinationIndex < 0; --n)
                c.destinationIndex = m_db.findDestination(number.substr(2, n - 2));
        }
        c.callType = number.starts_with("0800") ? 3 : number.starts_with("00") ? 2 : c.localFlag ? 0 : 1;
        c.carrierIndex = 0;
        c.cost = c.duration * 0.01;
    }

private:
    const SettingsDatabase& m_db;
};

struct Call
{
    std::uint32_t extension;
    std::string number;
    CallDate start;
    std::uint32_t duration = 60;
    std::uint32_t trunk = 1;
    std::string account = {};
    std::string name = {};
    std::uint32_t direction = 0;
};

class SessionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        using namespace filtertest;
        SettingsDatabase& db = session.settings();
        db.directory = {employee(100, "Smith", "Sales"), employee(101, "Jones", "Service")};
        db.trunks = {trunk(1, "City"), trunk(2, "Mobile")};
        db.destinations = {destination("49", "Germany", ""), destination("4930", "Germany", "Berlin")};
        db.contacts = {contact("0301234", "Acme")};
        db.projects = {project("77", "Alpha")};
        db.rebuildIndexes();
        session.setRating(&rating);
        session.settingsChanged(progress);
    }

    // Writes the calls to a file of the program folder and opens it.
    void open(const std::vector<Call>& calls, const std::string& fileName = "calls.bsl")
    {
        write(calls, fileName);
        const std::filesystem::path path = dir / fileName;
        ASSERT_TRUE(session.openFiles(std::span(&path, 1), progress).ok());
    }

    // Writes the calls to a file of the program folder, or appends them.
    void write(const std::vector<Call>& calls, const std::string& fileName, bool append = false)
    {
        std::ofstream out(dir / fileName, append ? std::ios::binary | std::ios::app : std::ios::binary);
        for (const Call& c : calls) {
            CallRecord r{};
            r.extension = c.extension;
            r.trunk = c.trunk;
            fixedtext::store(r.dialedNumber, c.number);
            fixedtext::store(r.accountCode, c.account);
            fixedtext::store(r.nameText, c.name);
            r.start = c.start;
            r.duration = c.duration;
            r.direction = c.direction;
            const CallFileRecord record = CallFileRecord::fromCall(r);
            out.write(reinterpret_cast<const char*>(record.bytes.data()), 64);
        }
    }

    // Ten calls over two days: extensions 100 and 101, local, long distance,
    // international, a free number (user type 1), a contact and a project.
    void openOffice()
    {
        open({
            {100, "5551234", {2025, 3, 10, 8, 0}, 10},
            {100, "0301234", {2025, 3, 10, 9, 0}, 20},
            {101, "0049301111", {2025, 3, 10, 10, 0}, 30, 2},
            {100, "00491234", {2025, 3, 10, 11, 0}, 40, 1, "77"},
            {101, "08001234567", {2025, 3, 10, 12, 0}, 50},
            {100, "5559999", {2025, 3, 11, 8, 0}, 60},
            {101, "0301234", {2025, 3, 11, 9, 0}, 70},
            {100, "0033123", {2025, 3, 11, 10, 0}, 80, 2},
            {102, "", {2025, 3, 11, 11, 0}, 90, 1, "", "Caller", 1},
            {100, "0301234", {2025, 3, 11, 12, 0}, 100},
        });
    }

    // The durations of the rows in table order (each call's duration is unique).
    std::vector<std::uint32_t> shown() const
    {
        std::vector<std::uint32_t> durations;
        for (const std::uint32_t i : session.calls().visible())
            durations.push_back(session.calls().call(i).duration);
        std::sort(durations.begin(), durations.end());
        return durations;
    }

    // The table index of the call with this duration.
    std::int64_t callWith(std::uint32_t duration) const
    {
        const auto calls = session.calls().calls();
        for (std::size_t i = 0; i < calls.size(); ++i) {
            if (calls[i].duration == duration)
                return static_cast<std::int64_t>(i);
        }
        return -1;
    }

    void writeIni(const std::string& text) { std::ofstream(dir / "quantorix.ini") << text; }
    void start()
    {
        const IniProfile ini(dir / "quantorix.ini");
        session.start(ini);
    }

    TempDir dir;
    MainSession session{dir.path()};
    StandInRating rating{session.settings()};
    NoProgress progress;
};

inline SavedFilter saved(std::string_view name, const FilterRecord& filter)
{
    SavedFilter s;
    s.setName(name);
    s.filter = filter;
    return s;
}

} // namespace sessiontest
