#pragma once
// Evaluation of a parsed template against calls: selection by the filter specs,
// partition into group values, minimums, the printing order and the text of
// every field.
//
// Calls are handled as 32-bit indices into the call table. A container's calls
// are sorted once by its field; the calls of each group value (its run) are
// found by binary search for fields with listed values, so finding every run of
// a container costs O(n log n) at most, however many values the field has.
// Field texts that repeat (dates, times, numbers) are formatted once and kept.

#include "calls/CallRecord.h"
#include "calls/Progress.h"
#include "prefs/CallColumns.h"
#include "report/ReportContext.h"
#include "report/ReportTemplate.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

class SettingsDatabase;
struct Preferences;

// What the fields of one printed line refer to.
struct ReportLine
{
    const CallRecord* call = nullptr;  // the call, or a group value's representative record
    std::uint64_t duration = 0;        // the line's duration: the call's own, or the group value's sum
    double cost = 0.0;                 // likewise
    std::int64_t total = 0;            // `total`: 0 on a call line
    std::int64_t index = 0;            // `index`; `zeroindex` is one less
};

// What a container passes up to its parent.
struct ReportSums
{
    std::int64_t count = 0;       // calls printed (or passed up) by the container
    std::uint64_t duration = 0;   // seconds
    double cost = 0.0;

    void add(const ReportSums& o)
    {
        count += o.count;
        duration += o.duration;
        cost += o.cost;
    }
};

// The calls and settings a run reads; all must outlive the engine.
struct ReportData
{
    std::span<const CallRecord> calls;  // the call table
    const SettingsDatabase& settings;
    const Preferences& prefs;
    const CallColumns& columns;
    SortKeys sortKeys;                  // the calls list's order: runs without `sort` follow it
};

class ReportEngine
{
public:
    static constexpr std::size_t kProgressInterval = 500;
    static constexpr std::size_t kMaxValueText = 255;

    // `cancelled` is asked once per group value and every 500 call lines; when it
    // answers true the run unwinds with CReportException::Cancelled. A `progress`
    // step that answers false cancels likewise.
    ReportEngine(const ReportData& data, ReportContext& context, Progress& progress,
                 std::function<bool()> cancelled = {});

    // Evaluates the template's `report` element over `selected` (call-table
    // indices, in list order) and returns the report text. Clears the grouping
    // markers first. Throws CReportException for a broken group that a group
    // value reaches, and for a cancel.
    std::string run(const ReportTemplate& report, std::span<const std::uint32_t> selected);

    // Appends the output of one container (the `report` element, field -1, or a
    // `group`) evaluated over `parent`, and adds what it counted to `sums`.
    void EvaluateContainer(const ReportContainer& content, const ReportGroupOptions& options, std::int32_t field,
                           const ReportFilterSpec& filter, std::span<const std::uint32_t> parent, std::string& out,
                           ReportSums& sums);

    // Appends the segment's pieces with its fields' texts for `line`.
    void PrintSegment(const ReportSegment& segment, std::string& out, const ReportLine& line);

    // Whether `call` passes the conditions of `spec`; `position` is what
    // `zeroindex` compares (the call's position in the set being filtered).
    static bool passes(const CallRecord& call, const ReportFilterSpec& spec, std::int64_t position,
                       const SettingsDatabase& settings);

private:
    class Values;

    void evaluate(const ReportContainer& content, const ReportGroupOptions& options, std::int32_t field,
                  const ReportFilterSpec& filter, std::span<const std::uint32_t> parent, std::string& out,
                  ReportSums& sums, int depth);
    void sortCalls(std::span<std::uint32_t> calls, std::int32_t field, bool descending) const;
    void sortByListKeys(std::span<std::uint32_t> calls) const;
    void printRecords(const ReportContainer& content, std::span<const std::uint32_t> run, std::string& lines,
                      ReportSums& value);
    void appendValue(const ReportField& field, const ReportLine& line, std::string& out);
    void appendShaped(const ReportField& field, std::string_view text, std::string& out) const;
    void dateText(const CallDate& date, std::string& out);
    void timeText(const CallDate& date, std::string& out);
    void countCall();
    void checkCancel();

    const CallRecord& call(std::uint32_t index) const { return m_data.calls[index]; }

    ReportData m_data;
    ReportContext& m_context;
    Progress& m_progress;
    std::function<bool()> m_cancelled;
    std::size_t m_total = 0;  // calls selected: the progress bar's range
    std::size_t m_done = 0;   // call lines handled so far
    std::size_t m_sinceStep = 0;

    // Texts fixed for a run.
    std::string m_language;
    std::string m_reportType;
    std::string m_detail;

    // Kept texts and scratch space.
    std::string m_value;
    CallDate m_lastDate{};
    std::string m_lastDateText;
    bool m_haveDate = false;
    std::vector<std::string> m_times;         // by minute of the day; empty: not made yet
    std::unordered_map<std::int64_t, std::string> m_extensions;
    std::unordered_map<std::int64_t, std::string> m_trunks;
};
