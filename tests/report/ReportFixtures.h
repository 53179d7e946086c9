#pragma once
// A small office for the report tests: three employees in two departments,
// trunks in two groups, named carriers, calls made to measure, and helpers to
// run a template over them.

#include "../filter/FilterFixtures.h"
#include "TempDir.h"
#include "calls/CallFileRecord.h"
#include "calls/CallSession.h"
#include "core/IniProfile.h"
#include "lang/Message.h"
#include "prefs/CallColumns.h"
#include "prefs/Preferences.h"
#include "report/ReportEngine.h"
#include "report/ReportTemplate.h"

#include <fstream>
#include <functional>
#include <numeric>
#include <sstream>
#include <string>
#include <vector>

namespace reporttest {

// Records every message instead of showing it, for as long as it lives.
class CapturingSink : public MessageSink
{
public:
    struct Shown
    {
        int id;
        std::string text;
    };
    CapturingSink()
        : m_previous(installMessageSink(this))
    { }
    ~CapturingSink() override { installMessageSink(m_previous); }
    int show(int id, const std::string& text, int boxType) override
    {
        shown.push_back({id, text});
        return defaultAnswer(boxType);
    }
    std::vector<Shown> shown;

private:
    MessageSink* m_previous;
};

// Adams (Sales, 100), Brown (Service, 101), Clark (Sales, 102); trunks 1 and 2
// in "City", 3 in "Mobile"; carriers 0 "Telco" and 5 "Late".
inline SettingsDatabase office()
{
    using namespace filtertest;
    SettingsDatabase db;
    db.directory = {employee(100, "Adams", "Sales"), employee(101, "Brown", "Service"),
                    employee(102, "Clark", "Sales")};
    db.trunks = {trunk(1, "City"), trunk(2, "City"), trunk(3, "Mobile")};
    db.destinations = {destination("49", "Germany", ""), destination("331", "France", "Paris")};
    db.carriers[0].name.assign("Telco");
    db.carriers[5].name.assign("Late");
    db.rebuildIndexes();
    return db;
}

struct CallSpec
{
    std::int32_t extension = 100;
    std::uint32_t direction = 0;
    std::uint32_t duration = 60;
    double cost = 1.0;
    std::int32_t callType = 0;
    std::uint32_t trunk = 1;
    CallDate start{2025, 3, 10, 9, 30};
    std::int32_t carrier = 0;
};

// A rated call of the office: employee, department and trunk from the numbers.
inline CallRecord makeCall(const SettingsDatabase& db, const CallSpec& s)
{
    CallRecord c = CallRecord::empty();
    c.extension = static_cast<std::uint32_t>(s.extension);
    c.direction = s.direction;
    c.duration = s.duration;
    c.cost = s.cost;
    c.callType = s.callType;
    c.localFlag = s.callType == 0 ? 1 : 0;
    c.trunk = s.trunk;
    c.start = s.start;
    c.carrierIndex = s.carrier;
    fixedtext::store(c.dialedNumber, "1234567");
    c.directoryIndex = db.findExtension(s.extension);
    c.departmentIndex = db.departmentIndexOfEntry(c.directoryIndex);
    c.trunkIndex = db.findTrunk(s.trunk);
    return c;
}

// Runs templates over calls held in a vector, all of them selected in order.
struct EngineRig
{
    SettingsDatabase db = office();
    Preferences prefs;
    CallColumns columns{db, prefs};
    ReportContext context;
    NoProgress progress;
    std::vector<CallRecord> calls;
    std::function<bool()> cancelled;

    EngineRig() { prefs.extensionFormat = 0; }

    void add(const CallSpec& spec) { calls.push_back(makeCall(db, spec)); }

    std::string run(const std::string& text)
    {
        const ReportTemplate report = ReportTemplate::parse(text);
        std::vector<std::uint32_t> selected(calls.size());
        std::iota(selected.begin(), selected.end(), 0u);
        ReportEngine engine(ReportData{calls, db, prefs, columns, SortKeys{}}, context, progress, cancelled);
        return engine.run(report, selected).str();
    }
};

inline std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void writeFile(const std::filesystem::path& path, std::string_view text)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary).write(text.data(), static_cast<std::streamsize>(text.size()));
}

// Gives every loaded call the rating fields of the prepared call at its
// position, so a CallSession holds exactly the calls a test made.
class ScriptedRating final : public CallPipeline
{
public:
    explicit ScriptedRating(const std::vector<CallRecord>& calls)
        : m_calls(calls)
    { }
    void rate(CallRecord& c) override
    {
        const CallRecord& want = m_calls[m_next++ % m_calls.size()];
        c.callType = want.callType;
        c.cost = want.cost;
        c.directoryIndex = want.directoryIndex;
        c.trunkIndex = want.trunkIndex;
        c.destinationIndex = want.destinationIndex;
        c.contactIndex = want.contactIndex;
        c.carrierIndex = want.carrierIndex;
        c.departmentIndex = want.departmentIndex;
        c.projectIndex = want.projectIndex;
        c.localFlag = want.localFlag;
    }
    void restart() { m_next = 0; }

private:
    const std::vector<CallRecord>& m_calls;
    std::size_t m_next = 0;
};

inline void writeCalls(const std::filesystem::path& path, const std::vector<CallRecord>& calls)
{
    std::string bytes;
    for (const CallRecord& c : calls) {
        const CallFileRecord r = CallFileRecord::fromCall(c);
        bytes.append(reinterpret_cast<const char*>(r.bytes.data()), r.bytes.size());
    }
    writeFile(path, bytes);
}

// The main window's side of a run: the office's settings and a call session
// holding the prepared calls once loaded.
struct SessionRig
{
    SessionRig() { prefs.extensionFormat = 0; }

    bool loadFiles(std::span<const std::filesystem::path> files)
    {
        session.setPipeline(&rating);
        rating.restart();
        return session.openFiles(files, progress).ok();
    }

    SettingsDatabase db = office();
    Preferences prefs;
    CallColumns columns{db, prefs};
    std::vector<CallRecord> prepared;
    ScriptedRating rating{prepared};
    CallSession session;
    IniProfile ini;
    ReportContext context;
    NoProgress progress;
};

} // namespace reporttest
