#pragma once
// Evaluation of a parsed template against calls: selection by the filter specs,
// partition into group values, minimums, the printing order and the text of
// every field.
//
// Calls are handled as 32-bit indices into the call table. A container's calls
// are sorted once by its field; the calls of each group value (its run) are
// found by binary search for fields with listed values, so finding every run of
// a container costs O(n log n) at most, however many values the field has.
// Sorting works on keys taken from each call once, not on the calls
// themselves, for every field whose order is that of one number of the call.
// When a run covers a good part of the table, each call is read once: the
// verdicts of the template's conditions, the keys of its group fields and the
// duration and cost are taken into compact columns, and the sets of the groups
// are filtered, sorted and summed from those.
// Field texts that repeat (dates, times, numbers) are formatted once and kept.
// The output is a list of chunks: a group's output joins its parent's without
// being copied, and the report file is written chunk by chunk.

#include "calls/CallRecord.h"
#include "calls/Progress.h"
#include "prefs/CallColumns.h"
#include "report/ReportContext.h"
#include "report/ReportTemplate.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <span>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

class SettingsDatabase;
struct Preferences;

// What the fields of one printed line refer to.
struct ReportLine
{
    const CallRecord* call = nullptr; // the call, or a group value's representative record
    std::uint64_t duration = 0;       // the line's duration: the call's own, or the group value's sum
    double cost = 0.0;                // likewise
    std::int64_t total = 0;           // `total`: 0 on a call line
    std::int64_t index = 0;           // `index`; `zeroindex` is one less
};

// What a container passes up to its parent.
struct ReportSums
{
    std::int64_t count = 0;     // calls printed (or passed up) by the container
    std::uint64_t duration = 0; // seconds
    double cost = 0.0;

    void add(const ReportSums& o)
    {
        count += o.count;
        duration += o.duration;
        cost += o.cost;
    }
};

// Where report text goes once it fills a chunk: an unnamed temporary file, so
// that a report of any size takes only a few chunks of memory while it is made.
class ReportSpool
{
public:
    ReportSpool() = default;
    ~ReportSpool();
    ReportSpool(const ReportSpool&) = delete;
    ReportSpool& operator=(const ReportSpool&) = delete;

    // The offset the text was stored at, -1 when it could not be stored.
    std::int64_t store(std::string_view text);
    bool load(std::int64_t offset, std::size_t size, std::string& out) const;
    std::uint64_t stored() const { return m_end; }

private:
    int m_fd = -1;
    bool m_failed = false;
    std::uint64_t m_end = 0;
};

// The text of a report as it is made: a sequence of chunks of at most about
// 1 MB. With a spool, every full chunk is moved out to it. Appending another
// output moves its stored chunks over and copies the rest.
class ReportOutput
{
public:
    ReportOutput(); // spools into the spool of the run in progress, if any
    explicit ReportOutput(std::shared_ptr<ReportSpool> spool)
        : m_spool(std::move(spool))
    { }
    void append(std::string_view text);
    void append(ReportOutput&& other);
    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    void clear();
    std::string str() const;
    bool writeTo(std::ostream& out) const;
    // Bytes held in memory (the rest is in the spool).
    std::size_t memoryHeld() const;

private:
    static constexpr std::size_t kChunk = std::size_t(1) << 20;
    struct Chunk
    {
        std::string text;         // in memory, or
        std::int64_t offset = -1; // stored in the spool at this offset
        std::size_t length = 0;   // the stored length
        std::size_t size() const { return offset < 0 ? text.size() : length; }
    };
    void spoolLast();

    std::shared_ptr<ReportSpool> m_spool;
    std::vector<Chunk> m_chunks;
    std::size_t m_size = 0;
    bool m_spoolFailed = false;
};

// The calls and settings a run reads; all must outlive the engine.
struct ReportData
{
    std::span<const CallRecord> calls; // the call table
    const SettingsDatabase& settings;
    const Preferences& prefs;
    const CallColumns& columns;
    SortKeys sortKeys; // the calls list's order: runs without `sort` follow it
};

class ReportEngine
{
public:
    static constexpr std::size_t kProgressInterval = 500;
    static constexpr std::size_t kMaxValueText = 255;

    // What one run may cost before it stops with CReportException::TooLarge:
    // group values and call lines evaluated, and bytes of text produced.
    struct Limits
    {
        std::uint64_t work = 200'000'000;
        std::uint64_t output = std::uint64_t(2) << 30;
    };
    void setLimits(Limits limits) { m_limits = limits; }

    // `cancelled` is asked once per group value and every 500 call lines; when it
    // answers true the run unwinds with CReportException::Cancelled. A `progress`
    // step that answers false cancels likewise.
    ReportEngine(const ReportData& data, ReportContext& context, Progress& progress,
                 std::function<bool()> cancelled = {});

    // Evaluates the template's `report` element over `selected` (call-table
    // indices, in list order) and returns the report text. Clears the grouping
    // markers first. Throws CReportException for a broken group that a group
    // value reaches, and for a cancel.
    ReportOutput run(const ReportTemplate& report, std::span<const std::uint32_t> selected);

    // A caller that picks the calls of a run from the call table may hand each one
    // over as it picks it, while the call is still in the cache: expectCalls()
    // first (`most`: how many there can be), takeCall() for each in their order,
    // then run() with the same template and calls. run() takes them itself otherwise.
    void expectCalls(const ReportTemplate& report, std::size_t most);
    void takeCall(std::uint32_t index);

    // Appends the output of one container (the `report` element, field -1, or a
    // `group`) evaluated over `parent`, and adds what it counted to `sums`.
    void evaluateContainer(const ReportContainer& content, const ReportGroupOptions& options, std::int32_t field,
                           const ReportCondition& filter, std::span<const std::uint32_t> parent, ReportOutput& out,
                           ReportSums& sums);

    // Appends the segment's pieces with its fields' texts for `line`.
    void appendSegment(const ReportSegment& segment, std::string& out, const ReportLine& line);

    // Whether `call` passes `condition`; `position` is what
    // `zeroindex` compares (the call's position in the set being filtered).
    static bool passes(const CallRecord& call, const ReportCondition& condition, std::int64_t position,
                       const SettingsDatabase& settings);

private:
    class Values;
    // Whether each selected call passes one condition: a bit a call.
    struct Verdicts
    {
        ReportCondition condition;
        std::vector<std::uint64_t> passed;
    };
    struct SortKey
    {
        std::int32_t field; // reportfield::None: no key
        bool descending;
    };

    // `listOrdered`: `parent` is in the calls list's order, so runs need no sorting into it.
    void evaluate(const ReportContainer& content, const ReportGroupOptions& options, std::int32_t field,
                  const ReportCondition& filter, std::span<const std::uint32_t> parent, ReportOutput& out,
                  ReportSums& sums, int depth, bool listOrdered);
    // The calls of `parent` that pass `filter`, in their order.
    std::vector<std::uint32_t> selectPassing(std::span<const std::uint32_t> parent,
                                             const ReportCondition& filter) const;
    // The run [first, second) of `set` (ordered by `field`) that holds the value
    // `acc`, looked for from `from`; the whole set when `field` is none.
    std::pair<std::size_t, std::size_t> findRun(std::span<const std::uint32_t> set, std::size_t from,
                                                std::int32_t field, bool listed, const CallRecord& acc) const;
    // Puts a value's run in its printing order; true when that is the calls list's order.
    bool orderRun(std::span<std::uint32_t> run, const ReportGroupOptions& options, bool listOrdered);
    // Evaluates one value's children over its run: the groups into `childOutput`,
    // or the call lines into `lines`; adds what they counted to `value`.
    void evaluateChildren(const ReportContainer& content, const ReportGroupOptions& options,
                          std::span<const std::uint32_t> run, bool runListOrdered, int depth,
                          std::vector<ReportOutput>& childOutput, ReportOutput& lines, ReportSums& value);
    // Prints one value: the container's segments around its children's output.
    void printValue(const ReportContainer& content, const ReportLine& line, std::vector<ReportOutput>& childOutput,
                    ReportOutput& lines, ReportOutput& out);
    // Stable sorts by one or two fields (column types, or the list fields).
    void sortCalls(std::span<std::uint32_t> calls, SortKey first, SortKey second);
    bool inListOrder(std::span<const std::uint32_t> calls) const;
    // -1, 0 or 1 as `a` comes before, with or after `b` in the calls list's order.
    int listCompare(const CallRecord& a, const CallRecord& b, bool keyed) const;
    bool keyOf(std::int32_t field, const CallRecord& call, std::int64_t& key) const;
    // The key of the call at `index` by `field`, taken from its column when the run made one.
    std::int64_t keyAt(std::int32_t field, std::uint32_t index) const;
    void clearColumns();
    // The verdicts taken for `condition`, if any.
    const Verdicts* verdictsOf(const ReportCondition& condition) const;
    // Whether the call at `index` (the `position`th of its set) passes `condition`,
    // whose verdicts are `verdicts` if taken.
    bool passesAt(std::uint32_t index, const ReportCondition& condition, const Verdicts* verdicts,
                  std::int64_t position) const
    {
        if (condition.field == reportfield::None)
            return true;
        if (verdicts)
            return (verdicts->passed[index / 64] >> (index % 64)) & 1;
        return passes(call(index), condition, position, m_data.settings);
    }
    bool hasKeyColumn(std::int32_t field) const
    {
        return field >= 0 && static_cast<std::size_t>(field) < m_keys.size() && m_keys[static_cast<std::size_t>(field)];
    }
    // What the call at `index` adds to its value's sums.
    void addCall(std::uint32_t index, ReportSums& value) const
    {
        ++value.count;
        if (!m_lineSums) {
            value.duration += call(index).duration;
            value.cost += call(index).cost;
        } else {
            value.duration += m_lineSums[index].duration;
            value.cost += m_lineSums[index].cost;
        }
    }
    void buildRanks();
    // Prints the call lines of a run: each call with the first record child it
    // passes; adds the printed calls to `value`.
    void printRecords(const ReportContainer& content, std::span<const std::uint32_t> run, ReportOutput& lines,
                      ReportSums& value);
    void printSegment(const ReportSegment& segment, ReportOutput& out, const ReportLine& line);
    void printText(std::string_view text, ReportOutput& out);
    void appendValue(const ReportField& field, const ReportLine& line, std::string& out);
    // The parts of a value's text, appended to `v`; a modifier picks one number out.
    void appendDate(const CallDate& d, std::int32_t modifier, std::string& v);
    void appendTime(const CallDate& d, std::int32_t modifier, std::string& v);
    CallDate createdDate() const; // when the report was created
    static void appendDuration(std::uint64_t s, std::int32_t modifier, std::string& v);
    void appendCost(double cost, std::int32_t modifier, std::string& v);
    // An extension or trunk number as the preferences format it, each number formatted once.
    void appendFormatted(std::unordered_map<std::int64_t, std::string>& texts, std::int64_t number, bool trunk,
                         std::string& v);
    // A calls-list cell, with double quotes made single.
    void appendCell(const CallRecord& c, ColumnType type, std::string& v) const;
    void appendShaped(const ReportField& field, std::string_view text, std::string& out) const;
    void dateText(const CallDate& date, std::string& out);
    void timeText(const CallDate& date, std::string& out);
    void countCall();
    void checkCancel();
    void countWork();

    const CallRecord& call(std::uint32_t index) const { return m_data.calls[index]; }

    ReportData m_data;
    ReportContext& m_context;
    Progress& m_progress;
    std::function<bool()> m_cancelled;
    SortKey m_listFirst; // the calls list's two sort keys
    SortKey m_listSecond;
    std::size_t m_total = 0; // calls selected: the progress bar's range
    std::size_t m_done = 0;  // call lines handled so far
    std::size_t m_sinceStep = 0;
    Limits m_limits;
    std::uint64_t m_work = 0;     // values and call lines evaluated
    std::uint64_t m_produced = 0; // bytes of text printed, kept or not

    // Texts fixed for a run.
    std::string m_language;
    std::string m_reportType;
    std::string m_detail;

    // Ranks in the calls list's order of the entries an employee or trunk group
    // is known by (directory and trunk positions; entry 0 is "none").
    std::vector<std::int32_t> m_employeeRank;
    std::vector<std::int32_t> m_trunkGroupRank;

    // Columns of the selected calls, taken as they are picked or when the run
    // starts, by call-table index (only the selected calls' entries are set): the
    // verdicts of every condition that does not depend on a call's position, the
    // keys of the keyed group and sort fields, and what call lines add up. A set of a run is visited in the
    // order of a group field, and these few bytes a call are far cheaper to reach
    // than the call itself. Empty outside run().
    std::vector<Verdicts> m_verdicts;
    std::vector<std::unique_ptr<std::int64_t[]>> m_keys; // by field; null: no column
    struct LineSums
    {
        double cost;
        std::uint32_t duration;
    };
    std::unique_ptr<LineSums[]> m_lineSums;
    // The calls taken so far.
    struct Taking
    {
        const ReportTemplate* report = nullptr; // none: no columns are taken
        std::vector<std::int32_t> keyFields;
        std::size_t taken = 0;
        bool listKeyed = false;
        bool listOrdered = true; // the calls taken so far are in the calls list's order
        std::int64_t previousFirst = 0, previousSecond = 0;
        std::uint32_t previous = 0;
    } m_taking;
    std::vector<const Verdicts*> m_childVerdicts; // printRecords' scratch

    // Kept texts and scratch space.
    std::string m_line;
    std::string m_value;
    CallDate m_lastDate{};
    std::string m_lastDateText;
    bool m_haveDate = false;
    std::vector<std::string> m_times; // by minute of the day; empty: not made yet
    std::unordered_map<std::int64_t, std::string> m_extensions;
    std::unordered_map<std::int64_t, std::string> m_trunks;
    std::unordered_map<double, std::string> m_costs;
};
