#include "report/ReportEngine.h"

#include "calls/CallPrefetch.h"
#include "core/LocaleTexts.h"
#include "lang/LanguageService.h"
#include "lang/StringTable.h"
#include "prefs/Preferences.h"
#include "settings/CallNameLookup.h"
#include "settings/SettingsDatabase.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <iterator>
#include <numeric>
#include <unistd.h>
#include <utility>

namespace {

using namespace reportfield;

bool isListedField(std::int32_t field)
{
    switch (field) {
    case Time:
    case Employee:
    case Department:
    case Group:
    case ListTrunk:
    case ListExt:
    case ListAcc:
    case Direction:
    case Type:
    case Carrier:
        return true;
    default:
        return false;
    }
}

// The calls list's column a group or sort field compares by; the list fields
// compare as the extension, account code and trunk they are keyed by.
ColumnType columnOf(std::int32_t field)
{
    switch (field) {
    case ListExt:
        return ColumnType::Ext;
    case ListAcc:
        return ColumnType::Acc;
    case ListTrunk:
        return ColumnType::Trunk;
    default:
        return static_cast<ColumnType>(field);
    }
}

template <class Vector> bool inside(const Vector& v, std::int64_t index)
{
    return index >= 0 && static_cast<std::size_t>(index) < v.size();
}

// The accumulator before its first value: no call, direction, call type and
// carrier none, and an hour no call has.
CallRecord emptyAccumulator()
{
    CallRecord acc = CallRecord::empty();
    acc.direction = static_cast<std::uint32_t>(-1);
    acc.callType = -1;
    acc.carrierIndex = -1;
    acc.start.hour = 255;
    return acc;
}

void appendUnsigned(std::string& out, std::uint64_t value, int minDigits = 1)
{
    char digits[24];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0 || n < minDigits);
    while (n > 0)
        out += digits[--n];
}

void appendSigned(std::string& out, std::int64_t value)
{
    if (value < 0) {
        out += '-';
        appendUnsigned(out, static_cast<std::uint64_t>(-(value + 1)) + 1);
    } else {
        appendUnsigned(out, static_cast<std::uint64_t>(value));
    }
}

// Money compared in whole hundredths: sums and products of doubles are never
// exact, and 10.00 must not fail a condition of 10 because it summed to 9.9999999.
std::int64_t hundredths(double amount)
{
    if (!std::isfinite(amount))
        return amount > 0 ? INT64_MAX : INT64_MIN;
    const double h = std::round(amount * 100.0);
    if (h >= 9.2e18)
        return INT64_MAX;
    if (h <= -9.2e18)
        return INT64_MIN;
    return static_cast<std::int64_t>(h);
}

ColumnType kindColumn(int kind)
{
    static constexpr ColumnType columns[] = {ColumnType::Employee,   ColumnType::Department, ColumnType::Trunk,
                                             ColumnType::Ext,        ColumnType::Acc,        ColumnType::Contact,
                                             ColumnType::TrunkGroup, ColumnType::Project};
    return columns[kind - 1];
}

} // namespace

// The values a group field walks, set into the accumulator one after another.
// Fields without listed values make a single pass: their values come from the calls.
class ReportEngine::Values
{
public:
    Values(std::int32_t field, const SettingsDatabase& settings, const CallColumns& columns, ReportContext& context)
        : m_field(field)
        , m_settings(settings)
        , m_columns(columns)
        , m_context(context)
    { }

    bool listed() const { return isListedField(m_field); }

    // Moves the accumulator to the next value; false when there is none.
    bool next(CallRecord& acc)
    {
        switch (m_field) {
        case Time:
            if (m_next >= 24)
                return false;
            acc.start.hour = static_cast<std::uint8_t>(m_next++);
            return true;
        case Direction:
            if (m_next >= 2)
                return false;
            acc.direction = static_cast<std::uint32_t>(m_next++);
            return true;
        case Type:
            if (m_next >= 7)
                return false;
            acc.callType = static_cast<std::int32_t>(m_next++);
            return true;
        case Carrier:
            // Carrier 0 is always there; the others only when they are named.
            while (m_next < kCarrierCount) {
                const std::int64_t k = m_next++;
                if (k == 0 || !m_settings.carriers[static_cast<std::size_t>(k)].name.empty()) {
                    acc.carrierIndex = static_cast<std::int32_t>(k);
                    m_context.currentCarrier = acc.carrierIndex;
                    return true;
                }
            }
            return false;
        case Department:
            if (m_next >= m_settings.departments().size())
                return false;
            acc.departmentIndex = static_cast<std::int32_t>(m_next++);
            m_context.currentDepartment = acc.departmentIndex;
            return true;
        case Employee:
        case ListExt:
        case ListAcc:
            return nextEntry(acc);
        case Group:
        case ListTrunk:
            return nextTrunk(acc);
        default:
            // A single pass.
            return m_next++ == 0;
        }
    }

private:
    bool inDepartment(std::size_t entry) const
    {
        return m_context.currentDepartment < 0
               || m_settings.departmentIndexOfEntry(static_cast<int>(entry)) == m_context.currentDepartment;
    }

    bool nextEntry(CallRecord& acc)
    {
        const auto& directory = m_settings.directory;
        while (inside(directory, m_next)) {
            const std::size_t i = static_cast<std::size_t>(m_next++);
            const DirectoryEntry& entry = directory[i];
            if (!inDepartment(i))
                continue;
            if (m_field == ListExt && entry.extension == -1)
                continue;
            if (m_field == ListAcc && entry.accountCode.empty())
                continue;
            if (m_field == Employee && m_previous >= 0) {
                // One value per employee: entries of the same name and department are one.
                CallRecord a = CallRecord::empty(), b = CallRecord::empty();
                a.directoryIndex = static_cast<std::int32_t>(m_previous);
                b.directoryIndex = static_cast<std::int32_t>(i);
                if (m_columns.compare(a, b, ColumnType::Employee) == 0)
                    continue;
            }
            m_previous = static_cast<std::int64_t>(i);
            acc.directoryIndex = static_cast<std::int32_t>(i);
            acc.extension = static_cast<std::uint32_t>(entry.extension);
            fixedtext::store(acc.accountCode, entry.accountCode.view());
            acc.departmentIndex = m_settings.departmentIndexOfEntry(static_cast<int>(i));
            return true;
        }
        return false;
    }

    bool nextTrunk(CallRecord& acc)
    {
        const auto& trunks = m_settings.trunks;
        while (inside(trunks, m_next)) {
            const std::size_t t = static_cast<std::size_t>(m_next++);
            const int group = m_settings.trunkGroupIndexOfEntry(static_cast<int>(t));
            if (m_context.currentCarrier >= 0 && trunks[t].carrier != m_context.currentCarrier)
                continue;
            if (m_field == ListTrunk) {
                if (m_context.currentTrunkGroup >= 0 && group != m_context.currentTrunkGroup)
                    continue;
            } else {
                if (m_previous >= 0 && m_settings.trunkGroupIndexOfEntry(static_cast<int>(m_previous)) == group)
                    continue;
                m_context.currentTrunkGroup = group;
            }
            m_previous = static_cast<std::int64_t>(t);
            acc.trunkIndex = static_cast<std::int32_t>(t);
            acc.trunk = trunks[t].number;
            return true;
        }
        return false;
    }

    std::int32_t m_field;
    const SettingsDatabase& m_settings;
    const CallColumns& m_columns;
    ReportContext& m_context;
    std::int64_t m_next = 0;
    std::int64_t m_previous = -1;
};

// ---- output ----

namespace {
// The spool of the run in progress on this thread, taken by every output it makes.
thread_local std::shared_ptr<ReportSpool> t_runSpool;
} // namespace

ReportSpool::~ReportSpool()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

std::int64_t ReportSpool::store(std::string_view text)
{
    if (m_failed)
        return -1;
    if (m_fd < 0) {
        std::error_code ec;
        const std::filesystem::path folder = std::filesystem::temp_directory_path(ec);
        const std::string name = ec ? std::string("/tmp") : folder.string();
        m_fd = ::open(name.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
        if (m_fd < 0) {
            std::string pattern = name + "/qxreport-XXXXXX";
            m_fd = ::mkstemp(pattern.data());
            if (m_fd >= 0)
                ::unlink(pattern.c_str());
        }
        if (m_fd < 0) {
            m_failed = true;
            return -1;
        }
    }
    const std::uint64_t at = m_end;
    for (std::size_t done = 0; done < text.size();) {
        const ssize_t n = ::pwrite(m_fd, text.data() + done, text.size() - done, static_cast<off_t>(at + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            m_failed = true; // a full temporary folder: the text stays in memory
            return -1;
        }
        done += static_cast<std::size_t>(n);
    }
    m_end += text.size();
    return static_cast<std::int64_t>(at);
}

bool ReportSpool::load(std::int64_t offset, std::size_t size, std::string& out) const
{
    out.resize(size);
    for (std::size_t done = 0; done < size;) {
        const ssize_t n = ::pread(m_fd, out.data() + done, size - done,
                                  static_cast<off_t>(offset) + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

ReportOutput::ReportOutput()
    : m_spool(t_runSpool)
{ }

void ReportOutput::spoolLast()
{
    Chunk& last = m_chunks.back();
    if (!m_spool || m_spoolFailed || last.offset >= 0)
        return;
    const std::int64_t at = m_spool->store(last.text);
    if (at < 0) {
        m_spoolFailed = true;
        return;
    }
    last.offset = at;
    last.length = last.text.size();
    std::string().swap(last.text);
}

void ReportOutput::append(std::string_view text)
{
    if (text.empty())
        return;
    m_size += text.size();
    if (!m_chunks.empty() && m_chunks.back().offset < 0) {
        std::string& last = m_chunks.back().text;
        if (last.size() + text.size() <= std::max(kChunk, last.capacity())) {
            last.append(text);
            return;
        }
        spoolLast();
    }
    // A new chunk; once output has filled one, it is likely to fill more.
    Chunk chunk;
    if (!m_chunks.empty())
        chunk.text.reserve(std::max(kChunk, text.size()));
    chunk.text.append(text);
    m_chunks.push_back(std::move(chunk));
}

void ReportOutput::append(ReportOutput&& other)
{
    // Stored chunks move over as they are; text in memory is copied, so that
    // many small groups do not make many small chunks.
    const bool sameSpool = other.m_spool == m_spool;
    if (other.m_size < 4096 || !sameSpool) {
        for (const Chunk& chunk : other.m_chunks) {
            if (chunk.offset < 0) {
                append(chunk.text);
            } else {
                std::string text;
                other.m_spool->load(chunk.offset, chunk.length, text);
                append(text);
            }
        }
    } else {
        for (Chunk& chunk : other.m_chunks) {
            if (chunk.offset < 0 && chunk.text.size() < kChunk) {
                append(chunk.text);
                continue;
            }
            if (!m_chunks.empty() && m_chunks.back().offset < 0)
                spoolLast();
            m_size += chunk.size();
            m_chunks.push_back(std::move(chunk));
            spoolLast();
        }
    }
    other.clear();
}

void ReportOutput::clear()
{
    m_chunks.clear();
    m_size = 0;
}

std::size_t ReportOutput::memoryHeld() const
{
    std::size_t held = 0;
    for (const Chunk& chunk : m_chunks)
        held += chunk.text.capacity();
    return held;
}

std::string ReportOutput::str() const
{
    std::string text;
    text.reserve(m_size);
    std::string stored;
    for (const Chunk& chunk : m_chunks) {
        if (chunk.offset < 0) {
            text += chunk.text;
        } else {
            m_spool->load(chunk.offset, chunk.length, stored);
            text += stored;
        }
    }
    return text;
}

bool ReportOutput::writeTo(std::ostream& out) const
{
    std::string stored;
    for (const Chunk& chunk : m_chunks) {
        if (chunk.offset < 0) {
            out.write(chunk.text.data(), static_cast<std::streamsize>(chunk.text.size()));
        } else {
            if (!m_spool->load(chunk.offset, chunk.length, stored))
                return false;
            out.write(stored.data(), static_cast<std::streamsize>(stored.size()));
        }
    }
    return static_cast<bool>(out);
}

// ---- engine ----

ReportEngine::ReportEngine(const ReportData& data, ReportContext& context, Progress& progress,
                           std::function<bool()> cancelled)
    : m_data(data)
    , m_context(context)
    , m_progress(progress)
    , m_cancelled(std::move(cancelled))
    , m_listFirst{static_cast<std::int32_t>(data.sortKeys.primary.type), data.sortKeys.primary.descending}
    , m_listSecond{data.sortKeys.secondary.type == data.sortKeys.primary.type
                       ? None
                       : static_cast<std::int32_t>(data.sortKeys.secondary.type),
                   data.sortKeys.secondary.descending}
{
    if (const LanguageService* language = LanguageService::installed())
        m_language = language->LanguageName(language->currentNumber());
    else
        m_language = LoadText(sid::kLanguageEnglish);
    if (context.kind >= ReportEmployee && context.kind <= ReportProject)
        m_reportType = columnTitle(kindColumn(context.kind)) + ":";
    buildRanks();
}

namespace {

// Dense ranks of the positions -1..n-1 of a list in the order `compare` gives
// calls that refer to them; stored at position + 1.
template <class Refer>
std::vector<std::int32_t> ranksOf(std::size_t n, const CallColumns& columns, ColumnType type, Refer refer)
{
    std::vector<CallRecord> probes(n + 1, CallRecord::empty());
    std::vector<std::int32_t> order(n + 1);
    for (std::size_t i = 0; i <= n; ++i) {
        refer(probes[i], static_cast<std::int32_t>(i) - 1);
        order[i] = static_cast<std::int32_t>(i);
    }
    auto cmp = [&](std::int32_t a, std::int32_t b) {
        return columns.compare(probes[static_cast<std::size_t>(a)], probes[static_cast<std::size_t>(b)], type);
    };
    std::stable_sort(order.begin(), order.end(), [&](std::int32_t a, std::int32_t b) { return cmp(a, b) < 0; });
    std::vector<std::int32_t> ranks(n + 1, 0);
    std::int32_t rank = 0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (i > 0 && cmp(order[i - 1], order[i]) != 0)
            ++rank;
        ranks[static_cast<std::size_t>(order[i])] = rank;
    }
    return ranks;
}

std::int32_t rankAt(const std::vector<std::int32_t>& ranks, std::int32_t position)
{
    const std::int64_t i = static_cast<std::int64_t>(position) + 1;
    return inside(ranks, i) ? ranks[static_cast<std::size_t>(i)] : ranks.front(); // unknown positions are none
}

} // namespace

void ReportEngine::buildRanks()
{
    const CallColumns& columns = m_data.columns;
    m_employeeRank = ranksOf(m_data.settings.directory.size(), columns, ColumnType::Employee,
                             [](CallRecord& c, std::int32_t i) { c.directoryIndex = i; });
    m_trunkGroupRank = ranksOf(m_data.settings.trunks.size(), columns, ColumnType::TrunkGroup,
                               [](CallRecord& c, std::int32_t i) { c.trunkIndex = i; });
}

// The number the calls list orders a call by for `field`, where its order is
// that of one number; false for the fields ordered by texts or rounded money.
bool ReportEngine::keyOf(std::int32_t field, const CallRecord& c, std::int64_t& key) const
{
    switch (field) {
    case Date:
        key = (std::int64_t(c.start.year) << 16) | (c.start.month << 8) | c.start.day;
        return true;
    case Time:
        key = c.start.hour;
        return true;
    case Ext:
    case ListExt:
        key = static_cast<std::int32_t>(c.extension);
        return true;
    case Duration:
        key = c.duration;
        return true;
    case Employee:
        key = rankAt(m_employeeRank, c.directoryIndex);
        return true;
    case reportfield::Department:
        key = c.departmentIndex;
        return true;
    case Trunk:
    case ListTrunk:
        key = static_cast<std::int32_t>(c.trunk);
        return true;
    case Group:
        key = rankAt(m_trunkGroupRank, c.trunkIndex);
        return true;
    case Direction:
        key = c.direction;
        return true;
    case Type:
        key = c.callType;
        return true;
    case Carrier:
        key = c.carrierIndex;
        return true;
    case RingTime:
        key = c.ringTime;
        return true;
    case Project:
        key = c.projectIndex;
        return true;
    default:
        return false;
    }
}

ReportOutput ReportEngine::run(const ReportTemplate& report, std::span<const std::uint32_t> selected)
{
    m_total = selected.size();
    m_done = m_sinceStep = 0;
    m_work = m_produced = 0;
    m_context.clearMarkers();
    // Every output of the run spools into one unnamed temporary file.
    struct SpoolScope
    {
        std::shared_ptr<ReportSpool> previous = std::exchange(t_runSpool, std::make_shared<ReportSpool>());
        ~SpoolScope() { t_runSpool = previous; }
    } scope;
    // The columns serve this run's sets only.
    struct ColumnsScope
    {
        ReportEngine& engine;
        ~ColumnsScope() { engine.clearColumns(); }
    } columns{*this};
    if (m_taking.report != &report || m_taking.taken != selected.size()) {
        expectCalls(report, selected.size());
        for (std::size_t i = 0; m_taking.report && i < selected.size(); ++i) {
            if (i + kCallPrefetchDistance < selected.size())
                prefetchCall(call(selected[i + kCallPrefetchDistance]));
            takeCall(selected[i]);
        }
    }
    const bool listOrdered = m_taking.report ? m_taking.listOrdered : inListOrder(selected);
    ReportOutput out;
    ReportSums sums;
    evaluate(report.content(), report.options(), None, report.filter(), selected, out, sums, 0, listOrdered);
    return out;
}

namespace {

// A condition whose verdict depends on the call alone, not on its place in a set.
bool perCall(const ReportCondition& c) { return c.field != None && c.field != ZeroIndex; }

bool sameCondition(const ReportCondition& a, const ReportCondition& b)
{
    return a.field == b.field && a.equal == b.equal && a.less == b.less && a.greater == b.greater;
}

// Columns are worth taking when the run's calls are a good part of the table.
constexpr std::size_t kColumnShare = 16;
constexpr std::size_t kMaxVerdicts = 64;
constexpr std::size_t kMaxKeyColumns = 8;

} // namespace

void ReportEngine::expectCalls(const ReportTemplate& report, std::size_t most)
{
    clearColumns();
    const std::size_t n = m_data.calls.size();
    if (most < 2 || most < n / kColumnShare)
        return;

    // What the template asks of every call: its conditions, and the keyed fields it groups and sorts by.
    std::vector<ReportCondition> conditions;
    std::vector<std::int32_t>& keyFields = m_taking.keyFields;
    const CallRecord probe = CallRecord::empty();
    auto addCondition = [&](const ReportCondition& c) {
        if (perCall(c) && conditions.size() < kMaxVerdicts
            && std::none_of(conditions.begin(), conditions.end(),
                            [&](const ReportCondition& known) { return sameCondition(known, c); }))
            conditions.push_back(c);
    };
    auto addKey = [&](std::int32_t field) {
        std::int64_t key = 0;
        if (field >= 0 && field < reportfield::kCount && keyOf(field, probe, key) && keyFields.size() < kMaxKeyColumns
            && std::find(keyFields.begin(), keyFields.end(), field) == keyFields.end())
            keyFields.push_back(field);
    };
    addCondition(report.filter());
    addKey(report.options().sort);
    std::vector<const ReportContainer*> pending{&report.content()};
    while (!pending.empty()) {
        const ReportContainer& content = *pending.back();
        pending.pop_back();
        for (const ReportNode& child : content.children) {
            addCondition(child.filter);
            if (child.kind != ReportElement::Group)
                continue;
            addKey(child.field);
            addKey(child.options.sort);
            try {
                pending.push_back(&child.content());
            } catch (const CReportException&) {
                // raised when a group value reaches the broken group
            }
        }
    }

    // Only the taken calls' entries are written: the rest of the memory is never touched.
    for (const ReportCondition& c : conditions)
        m_verdicts.push_back({c, std::vector<std::uint64_t>((n + 63) / 64, 0)});
    m_keys.resize(static_cast<std::size_t>(reportfield::kCount));
    for (const std::int32_t field : keyFields)
        m_keys[static_cast<std::size_t>(field)] = std::make_unique_for_overwrite<std::int64_t[]>(n);
    m_lineSums = std::make_unique_for_overwrite<LineSums[]>(n);
    std::int64_t key = 0;
    m_taking.listKeyed = keyOf(m_listFirst.field, probe, key)
                         && (m_listSecond.field == None || keyOf(m_listSecond.field, probe, key));
    m_taking.report = &report;
}

void ReportEngine::takeCall(std::uint32_t index)
{
    if (!m_taking.report)
        return;
    Taking& t = m_taking;
    const CallRecord& c = call(index);
    for (Verdicts& v : m_verdicts) {
        if (passes(c, v.condition, 0, m_data.settings))
            v.passed[index / 64] |= std::uint64_t{1} << (index % 64);
    }
    for (const std::int32_t field : t.keyFields)
        keyOf(field, c, m_keys[static_cast<std::size_t>(field)][index]);
    m_lineSums[index] = {c.cost, c.duration};
    if (t.listOrdered && t.listKeyed) {
        // The list's keys, negated when descending, must not fall.
        std::int64_t first = 0, second = 0;
        keyOf(m_listFirst.field, c, first);
        if (m_listSecond.field != None)
            keyOf(m_listSecond.field, c, second);
        first = m_listFirst.descending ? -first : first;
        second = m_listSecond.descending ? -second : second;
        if (t.taken > 0 && (first < t.previousFirst || (first == t.previousFirst && second < t.previousSecond)))
            t.listOrdered = false;
        t.previousFirst = first;
        t.previousSecond = second;
    } else if (t.listOrdered && t.taken > 0 && listCompare(call(t.previous), c, false) > 0) {
        t.listOrdered = false;
    }
    t.previous = index;
    ++t.taken;
}

void ReportEngine::clearColumns()
{
    m_verdicts.clear();
    m_keys.clear();
    m_lineSums.reset();
    m_taking = {};
}

const ReportEngine::Verdicts* ReportEngine::verdictsOf(const ReportCondition& condition) const
{
    for (const Verdicts& v : m_verdicts) {
        if (sameCondition(v.condition, condition))
            return &v;
    }
    return nullptr;
}

std::int64_t ReportEngine::keyAt(std::int32_t field, std::uint32_t index) const
{
    if (hasKeyColumn(field))
        return m_keys[static_cast<std::size_t>(field)][index];
    std::int64_t key = 0;
    keyOf(field, call(index), key);
    return key;
}

void ReportEngine::checkCancel()
{
    if (m_cancelled && m_cancelled())
        throw CReportException(CReportException::Cancelled, {});
}

void ReportEngine::countWork()
{
    if (++m_work > m_limits.work)
        throw CReportException(CReportException::TooLarge, {});
}

void ReportEngine::countCall()
{
    countWork();
    ++m_done;
    if (++m_sinceStep < kProgressInterval)
        return;
    m_sinceStep = 0;
    if (!m_progress.step(std::min(m_done, m_total), m_total))
        throw CReportException(CReportException::Cancelled, {});
    checkCancel();
}

bool ReportEngine::passes(const CallRecord& call, const ReportCondition& condition, std::int64_t position,
                          const SettingsDatabase& settings)
{
    if (condition.field == None)
        return true;
    const CallNameLookup names(settings);
    std::int64_t value = 0;
    std::int64_t scale = 1;
    switch (condition.field) {
    case Ext:
        value = static_cast<std::int32_t>(call.extension);
        break;
    case Number:
        value = call.number().empty() ? 0 : 1;
        break;
    case Duration:
        value = call.duration;
        break;
    case Cost:
        value = hundredths(call.cost);
        scale = 100;
        break;
    case Employee:
        value = names.employee(call.directoryIndex) ? 1 : 0;
        break;
    case Department:
        value = names.department(call.departmentIndex) ? 1 : 0;
        break;
    case Contact:
        value = call.contactIndex >= 0 || !call.name().empty() ? 1 : 0;
        break;
    case Trunk:
        value = static_cast<std::int32_t>(call.trunk);
        break;
    case Group:
        value = names.trunkGroup(call.trunkIndex).value_or("").empty() ? 0 : 1;
        break;
    case Acc:
        value = call.account().empty() ? 0 : 1;
        break;
    case Direction:
        value = call.direction;
        break;
    case Type:
        value = call.callType;
        break;
    case Carrier: {
        // A carrier other than the first that has no name counts as none.
        const CarrierBlock* carrier = settings.carrierAt(call.carrierIndex);
        value = carrier && (call.carrierIndex == 0 || !carrier->name.empty()) ? 1 : 0;
        break;
    }
    case RingTime:
        value = call.ringTime;
        break;
    case Project:
        value = names.project(call.projectIndex) ? 1 : 0;
        break;
    case ZeroIndex:
        value = position;
        break;
    default:
        value = 0;
        break;
    }
    auto difference = [&](std::int32_t limit) { return value - static_cast<std::int64_t>(limit) * scale; };
    if (condition.equal != -1 && difference(condition.equal) != 0)
        return false;
    if (condition.less != -1 && difference(condition.less) >= 0)
        return false;
    if (condition.greater != -1 && difference(condition.greater) <= 0)
        return false;
    return true;
}

void ReportEngine::sortCalls(std::span<std::uint32_t> calls, SortKey first, SortKey second)
{
    if (calls.size() < 2)
        return;
    std::int64_t probe = 0;
    const bool keyed = keyOf(first.field, call(calls[0]), probe)
                       && (second.field == None || keyOf(second.field, call(calls[0]), probe));
    if (keyed && second.field == None && hasKeyColumn(first.field)) {
        // Keys from the run's column: no call is read, and no copy of the keys is made
        // unless the set needs sorting.
        const std::int64_t* column = m_keys[static_cast<std::size_t>(first.field)].get();
        auto keyOfIndex = [&](std::uint32_t index) { return first.descending ? -column[index] : column[index]; };
        std::int64_t low = keyOfIndex(calls[0]), high = low, previous = low;
        bool sorted = true;
        for (std::size_t i = 1; i < calls.size(); ++i) {
            const std::int64_t k = keyOfIndex(calls[i]);
            sorted = sorted && previous <= k;
            previous = k;
            low = std::min(low, k);
            high = std::max(high, k);
        }
        if (sorted)
            return;
        const std::uint64_t range = static_cast<std::uint64_t>(high - low) + 1;
        if (range <= std::max<std::uint64_t>(calls.size(), 1u << 16)) {
            // Few distinct keys: a counting sort, stable as the scatter keeps the set's order.
            std::vector<std::uint32_t> starts(range + 1, 0);
            for (const std::uint32_t index : calls)
                ++starts[static_cast<std::size_t>(keyOfIndex(index) - low) + 1];
            std::partial_sum(starts.begin(), starts.end(), starts.begin());
            const std::vector<std::uint32_t> before(calls.begin(), calls.end());
            for (const std::uint32_t index : before)
                calls[starts[static_cast<std::size_t>(keyOfIndex(index) - low)]++] = index;
            return;
        }
    }
    if (keyed) {
        struct Keyed
        {
            std::int64_t a, b;
            std::uint32_t index;
        };
        std::vector<Keyed> keys(calls.size());
        for (std::size_t i = 0; i < calls.size(); ++i) {
            Keyed& k = keys[i];
            k.index = calls[i];
            k.b = 0;
            k.a = keyAt(first.field, calls[i]);
            if (first.descending)
                k.a = -k.a;
            if (second.field != None) {
                k.b = keyAt(second.field, calls[i]);
                if (second.descending)
                    k.b = -k.b;
            }
        }
        auto less = [](const Keyed& x, const Keyed& y) { return x.a < y.a || (x.a == y.a && x.b < y.b); };
        // Sets often arrive in order already (a run of a parent sorted the same way).
        if (std::is_sorted(keys.begin(), keys.end(), less))
            return;
        if (second.field == None) {
            // Few distinct keys (employees, hours, directions...): a counting sort.
            const auto [low, high] = std::minmax_element(keys.begin(), keys.end(), less);
            const std::uint64_t range = static_cast<std::uint64_t>(high->a - low->a) + 1;
            if (range <= std::max<std::uint64_t>(calls.size(), 1u << 16)) {
                std::vector<std::uint32_t> starts(range + 1, 0);
                for (const Keyed& k : keys)
                    ++starts[static_cast<std::size_t>(k.a - low->a) + 1];
                std::partial_sum(starts.begin(), starts.end(), starts.begin());
                const std::int64_t base = low->a;
                for (const Keyed& k : keys)
                    calls[starts[static_cast<std::size_t>(k.a - base)]++] = k.index;
                return;
            }
        }
        std::stable_sort(keys.begin(), keys.end(), less);
        for (std::size_t i = 0; i < calls.size(); ++i)
            calls[i] = keys[i].index;
        return;
    }
    const CallColumns& columns = m_data.columns;
    auto compare = [&](const SortKey& key, std::uint32_t x, std::uint32_t y) {
        const int c = columns.compare(call(x), call(y), columnOf(key.field));
        return key.descending ? -c : c;
    };
    auto less = [&](std::uint32_t x, std::uint32_t y) {
        int c = compare(first, x, y);
        if (c == 0 && second.field != None)
            c = compare(second, x, y);
        return c < 0;
    };
    if (!std::is_sorted(calls.begin(), calls.end(), less))
        std::stable_sort(calls.begin(), calls.end(), less);
}

bool ReportEngine::inListOrder(std::span<const std::uint32_t> calls) const
{
    if (calls.size() < 2)
        return true;
    std::int64_t key = 0;
    const bool keyed = keyOf(m_listFirst.field, call(calls[0]), key)
                       && (m_listSecond.field == None || keyOf(m_listSecond.field, call(calls[0]), key));
    for (std::size_t i = 1; i < calls.size(); ++i) {
        if (listCompare(call(calls[i - 1]), call(calls[i]), keyed) > 0)
            return false;
    }
    return true;
}

int ReportEngine::listCompare(const CallRecord& a, const CallRecord& b, bool keyed) const
{
    if (!keyed)
        return m_data.columns.compare(a, b, m_data.sortKeys);
    auto compareBy = [&](const SortKey& sortKey) {
        std::int64_t x = 0, y = 0;
        keyOf(sortKey.field, a, x);
        keyOf(sortKey.field, b, y);
        const int c = x < y ? -1 : (y < x ? 1 : 0);
        return sortKey.descending ? -c : c;
    };
    const int c = compareBy(m_listFirst);
    return c == 0 && m_listSecond.field != None ? compareBy(m_listSecond) : c;
}

void ReportEngine::evaluateContainer(const ReportContainer& content, const ReportGroupOptions& options,
                                     std::int32_t field, const ReportCondition& filter,
                                     std::span<const std::uint32_t> parent, ReportOutput& out, ReportSums& sums)
{
    evaluate(content, options, field, filter, parent, out, sums, 0, inListOrder(parent));
}

namespace {

// A group leaves the markers as it found them, so that a sibling group after
// it is not held to the last department, carrier or trunk group it walked.
class MarkerGuard
{
public:
    explicit MarkerGuard(ReportContext& context)
        : m_context(context)
        , m_department(context.currentDepartment)
        , m_carrier(context.currentCarrier)
        , m_trunkGroup(context.currentTrunkGroup)
    { }
    MarkerGuard(const MarkerGuard&) = delete;
    MarkerGuard& operator=(const MarkerGuard&) = delete;
    ~MarkerGuard()
    {
        m_context.currentDepartment = m_department;
        m_context.currentCarrier = m_carrier;
        m_context.currentTrunkGroup = m_trunkGroup;
    }

private:
    ReportContext& m_context;
    std::int32_t m_department, m_carrier, m_trunkGroup;
};

// Whether a value holds enough to be printed: its calls against `notempty` and
// the minimums.
bool holdsEnough(const ReportGroupOptions& options, const ReportSums& value)
{
    return (!options.notEmpty || value.count != 0) && (options.minTotal == 0 || value.count >= options.minTotal)
           && (options.minDuration == 0
               || value.duration >= static_cast<std::uint64_t>(std::max(options.minDuration, 0)))
           && (options.minCost == 0 || hundredths(value.cost) >= static_cast<std::int64_t>(options.minCost) * 100);
}

} // namespace

void ReportEngine::evaluate(const ReportContainer& content, const ReportGroupOptions& options, std::int32_t field,
                            const ReportCondition& filter, std::span<const std::uint32_t> parent, ReportOutput& out,
                            ReportSums& sums, int depth, bool listOrdered)
{
    // 1. Selection, keeping the order; 2. ordered by the container's field.
    std::vector<std::uint32_t> set = selectPassing(parent, filter);
    if (field != None && !set.empty())
        sortCalls(set, {field, false}, {None, false});

    const MarkerGuard guard(m_context);
    Values values(field, m_data.settings, m_data.columns, m_context);
    CallRecord acc = emptyAccumulator();
    if (!values.next(acc))
        return;
    const bool listed = values.listed();
    const bool restarts = field == ListExt || field == ListAcc || field == ListTrunk;

    std::size_t pos = 0;
    std::int64_t lineCounter = 0;
    std::vector<ReportOutput> childOutput(content.childrenAreGroups ? content.children.size() : 0);
    ReportOutput lines;
    for (;;) {
        // a. The run of the value.
        const auto [lo, hi] = findRun(set, listed && restarts ? 0 : pos, field, listed, acc);
        if (!restarts)
            pos = hi;
        // b.
        checkCancel();
        countWork();
        // c. The run in its printing order.
        const std::span<std::uint32_t> run(set.data() + lo, hi - lo);
        const bool runListOrdered = orderRun(run, options, listOrdered);

        // d. The representative record of the value; e./f. its children.
        CallRecord representative = run.empty() ? acc : call(run.front());
        representative.duration = 0;
        representative.cost = 0.0;
        ReportSums value;
        evaluateChildren(content, options, run, runListOrdered, depth, childOutput, lines, value);

        // g. Printed when the value holds enough.
        const bool printed = holdsEnough(options, value);
        if (printed) {
            ++lineCounter;
            printValue(content, ReportLine{&representative, value.duration, value.cost, value.count, lineCounter},
                       childOutput, lines, out);
        }
        // h. Sums of a value that records did not print are dropped; group children
        // counted theirs already.
        if (printed || content.childrenAreGroups)
            sums.add(value);

        // i.
        if (depth == 0 && !m_progress.step(std::min(m_done, m_total), m_total))
            throw CReportException(CReportException::Cancelled, {});
        if (listed) {
            if (!values.next(acc))
                break;
        } else if (pos >= set.size()) {
            break;
        }
    }
}

std::vector<std::uint32_t> ReportEngine::selectPassing(std::span<const std::uint32_t> parent,
                                                       const ReportCondition& filter) const
{
    if (filter.field == None)
        return {parent.begin(), parent.end()};
    std::vector<std::uint32_t> set;
    if (const Verdicts* verdicts = verdictsOf(filter)) {
        // Counted first (the verdicts are cheap to read twice), so the set is allocated once.
        auto passed = [&](std::uint32_t index) { return passesAt(index, filter, verdicts, 0); };
        set.reserve(static_cast<std::size_t>(std::count_if(parent.begin(), parent.end(), passed)));
        std::copy_if(parent.begin(), parent.end(), std::back_inserter(set), passed);
        return set;
    }
    for (std::size_t i = 0; i < parent.size(); ++i) {
        if (passes(call(parent[i]), filter, static_cast<std::int64_t>(i), m_data.settings))
            set.push_back(parent[i]);
    }
    return set;
}

std::pair<std::size_t, std::size_t> ReportEngine::findRun(std::span<const std::uint32_t> set, std::size_t from,
                                                          std::int32_t field, bool listed, const CallRecord& acc) const
{
    if (field == None)
        return {0, set.size()};
    const CallColumns& columns = m_data.columns;
    const ColumnType type = columnOf(field);
    if (listed) {
        auto below = [&](std::uint32_t c, const CallRecord& value) {
            return columns.compare(call(c), value, type) < 0;
        };
        auto above = [&](const CallRecord& value, std::uint32_t c) {
            return columns.compare(value, call(c), type) < 0;
        };
        const auto first = std::lower_bound(set.begin() + static_cast<std::ptrdiff_t>(from), set.end(), acc, below);
        const auto last = std::upper_bound(first, set.end(), acc, above);
        return {static_cast<std::size_t>(first - set.begin()), static_cast<std::size_t>(last - set.begin())};
    }
    std::size_t hi = from;
    if (hi < set.size()) {
        ++hi;
        while (hi < set.size() && columns.compare(call(set[hi]), call(set[hi - 1]), type) == 0)
            ++hi;
    }
    return {from, hi};
}

bool ReportEngine::orderRun(std::span<std::uint32_t> run, const ReportGroupOptions& options, bool listOrdered)
{
    // A stable sort by the field keeps each run in the order of the set.
    if (options.sort != None) {
        sortCalls(run, {options.sort, options.reverse}, {None, false});
        return false;
    }
    if (!listOrdered)
        sortCalls(run, m_listFirst, m_listSecond);
    return true;
}

void ReportEngine::evaluateChildren(const ReportContainer& content, const ReportGroupOptions& options,
                                    std::span<const std::uint32_t> run, bool runListOrdered, int depth,
                                    std::vector<ReportOutput>& childOutput, ReportOutput& lines, ReportSums& value)
{
    // A value with no calls that would print nothing: its children need no evaluation.
    const bool skip = run.empty()
                      && (options.notEmpty || options.minTotal > 0 || options.minDuration > 0 || options.minCost > 0);
    if (skip) {
        lines.clear();
    } else if (content.childrenAreGroups) {
        for (std::size_t i = 0; i < content.children.size(); ++i) {
            const ReportNode& child = content.children[i];
            childOutput[i].clear();
            ReportSums childSums;
            evaluate(child.content(), child.options, child.field, child.filter, run, childOutput[i], childSums,
                     depth + 1, runListOrdered);
            value.add(childSums);
        }
    } else {
        lines.clear();
        printRecords(content, run, lines, value);
    }
}

void ReportEngine::printValue(const ReportContainer& content, const ReportLine& line,
                              std::vector<ReportOutput>& childOutput, ReportOutput& lines, ReportOutput& out)
{
    printSegment(content.segments.front(), out, line);
    if (content.childrenAreGroups) {
        for (std::size_t i = 0; i < childOutput.size(); ++i) {
            out.append(std::move(childOutput[i]));
            printSegment(content.segments[i + 1], out, line);
        }
    } else {
        out.append(std::move(lines));
        for (std::size_t i = 1; i < content.segments.size(); ++i)
            printSegment(content.segments[i], out, line);
    }
}

void ReportEngine::printRecords(const ReportContainer& content, std::span<const std::uint32_t> run, ReportOutput& lines,
                                ReportSums& value)
{
    std::vector<const Verdicts*>& verdicts = m_childVerdicts;
    verdicts.clear();
    for (const ReportNode& child : content.children)
        verdicts.push_back(verdictsOf(child.filter));
    std::int64_t index = 0;
    for (std::size_t k = 0; k < run.size(); ++k) {
        // The sums of a run's calls lie apart in the column: fetched ahead.
        if (m_lineSums && k + kCallPrefetchDistance < run.size())
            __builtin_prefetch(&m_lineSums[run[k + kCallPrefetchDistance]]);
        const std::uint32_t at = run[k];
        for (std::size_t j = 0; j < content.children.size(); ++j) {
            const ReportNode& child = content.children[j];
            if (!passesAt(at, child.filter, verdicts[j], static_cast<std::int64_t>(k)))
                continue;
            ++index;
            const ReportSegment& segment = child.segment;
            if (segment.fields.empty()) {
                printText(segment.pieces.front(), lines); // the call's own fields are not needed
            } else {
                const CallRecord& c = call(at);
                printSegment(segment, lines, ReportLine{&c, c.duration, c.cost, 0, index});
            }
            addCall(at, value);
            break;
        }
        countCall();
    }
}

// ---- printing ----

void ReportEngine::printSegment(const ReportSegment& segment, ReportOutput& out, const ReportLine& line)
{
    m_line.clear();
    appendSegment(segment, m_line, line);
    printText(m_line, out);
}

void ReportEngine::printText(std::string_view text, ReportOutput& out)
{
    m_produced += text.size();
    if (m_produced > m_limits.output)
        throw CReportException(CReportException::TooLarge, {});
    out.append(text);
}

void ReportEngine::appendSegment(const ReportSegment& segment, std::string& out, const ReportLine& line)
{
    for (std::size_t i = 0; i < segment.fields.size(); ++i) {
        out += segment.pieces[i];
        appendValue(segment.fields[i], line, out);
    }
    out += segment.pieces.back();
}

void ReportEngine::appendShaped(const ReportField& field, std::string_view text, std::string& out) const
{
    text = text.substr(0, kMaxValueText);
    if (field.width <= 0) {
        out += text;
        return;
    }
    const std::size_t width = static_cast<std::size_t>(field.width);
    text = text.substr(0, width);
    const std::size_t fill = width - text.size();
    switch (field.align) {
    case AlignCenter:
        out.append(fill / 2, ' ');
        out += text;
        out.append(fill - fill / 2, ' ');
        break;
    case AlignRight:
        out.append(fill, field.zeroFill ? '0' : ' ');
        out += text;
        break;
    default:
        out += text;
        out.append(fill, ' ');
        break;
    }
}

void ReportEngine::dateText(const CallDate& date, std::string& out)
{
    const CallDate day = date.dateOnly();
    if (!m_haveDate || day != m_lastDate) {
        m_lastDateText = formatCallDate(LocaleTexts::current().shortDateFormat, day);
        m_lastDate = day;
        m_haveDate = true;
    }
    out += m_lastDateText;
}

void ReportEngine::timeText(const CallDate& date, std::string& out)
{
    if (date.hour > 23 || date.minute > 59) {
        out += formatCallDate(LocaleTexts::current().timeFormat, date);
        return;
    }
    if (m_times.empty())
        m_times.resize(24 * 60);
    std::string& text = m_times[static_cast<std::size_t>(date.hour) * 60 + date.minute];
    if (text.empty())
        text = formatCallDate(LocaleTexts::current().timeFormat, CallDate{2000, 1, 1, date.hour, date.minute});
    out += text;
}

void ReportEngine::appendValue(const ReportField& field, const ReportLine& line, std::string& out)
{
    std::string& v = m_value;
    v.clear();
    const CallRecord& c = *line.call;
    const std::int32_t modifier = field.modifier;
    switch (field.field) {
    case Date:
        appendDate(c.start, modifier, v);
        break;
    case Time:
        appendTime(c.start, modifier, v);
        break;
    case FromDate:
        appendDate(m_context.from, modifier, v);
        break;
    case FromTime:
        appendTime(m_context.from, modifier, v);
        break;
    case ToDate:
        appendDate(m_context.to, modifier, v);
        break;
    case ToTime:
        appendTime(m_context.to, modifier, v);
        break;
    case ReportDate:
        appendDate(createdDate(), modifier, v);
        break;
    case ReportTime:
        appendTime(createdDate(), modifier, v);
        break;
    case Duration:
        appendDuration(line.duration, modifier, v);
        break;
    case Cost:
        appendCost(line.cost, modifier, v);
        break;
    case Ext:
        appendFormatted(m_extensions, static_cast<std::int32_t>(c.extension), false, v);
        break;
    case Trunk:
        appendFormatted(m_trunks, static_cast<std::int32_t>(c.trunk), true, v);
        break;
    case Number:
        appendCell(c, ColumnType::DialedNumber, v);
        break;
    case Destination:
        appendCell(c, ColumnType::Destination, v);
        break;
    case Employee:
    case reportfield::Department:
    case Contact:
    case Group:
    case Acc:
    case Cd:
    case Direction:
    case Type:
    case Carrier:
    case RingTime:
    case Project:
        appendCell(c, static_cast<ColumnType>(field.field), v);
        break;
    case ZeroIndex:
        appendSigned(v, line.index - 1);
        break;
    case Index:
        appendSigned(v, line.index);
        break;
    case Total:
        appendSigned(v, line.total);
        break;
    case PageBreak:
        v += m_context.pageBreak ? '1' : '0';
        break;
    case Language:
        v += m_language;
        break;
    case ReportType:
        v += m_reportType;
        break;
    case ReportDetail:
        v += m_context.detail;
        break;
    case ReportCompany:
    case ReportAddress:
    case ReportPhone:
    case ReportText1:
    case ReportText2:
        v += m_context.customTexts[static_cast<std::size_t>(field.field - ReportCompany)];
        break;
    default:
        break; // the list fields and unknown names print nothing
    }
    appendShaped(field, v, out);
}

void ReportEngine::appendDate(const CallDate& d, std::int32_t modifier, std::string& v)
{
    if (modifier == reportmodifier::Year)
        appendUnsigned(v, d.year);
    else if (modifier == reportmodifier::Month)
        appendUnsigned(v, d.month);
    else if (modifier == reportmodifier::Day)
        appendUnsigned(v, d.day);
    else
        dateText(d, v);
}

void ReportEngine::appendTime(const CallDate& d, std::int32_t modifier, std::string& v)
{
    if (modifier == reportmodifier::Hour)
        appendUnsigned(v, d.hour);
    else if (modifier == reportmodifier::Min)
        appendUnsigned(v, d.minute);
    else
        timeText(d, v);
}

CallDate ReportEngine::createdDate() const
{
    const DateTimeFields& t = m_context.created;
    return CallDate{static_cast<std::uint16_t>(t.year), static_cast<std::uint8_t>(t.month),
                    static_cast<std::uint8_t>(t.day), static_cast<std::uint8_t>(t.hour),
                    static_cast<std::uint8_t>(t.minute)};
}

void ReportEngine::appendDuration(std::uint64_t s, std::int32_t modifier, std::string& v)
{
    switch (modifier) {
    case reportmodifier::Raw:
        appendUnsigned(v, s);
        break;
    case reportmodifier::Hour:
        appendUnsigned(v, s / 3600);
        break;
    case reportmodifier::Min:
        appendUnsigned(v, s / 60 % 60);
        break;
    case reportmodifier::Sec:
        appendUnsigned(v, s % 60);
        break;
    default:
        appendUnsigned(v, s / 3600);
        v += ':';
        appendUnsigned(v, s / 60 % 60, 2);
        v += ':';
        appendUnsigned(v, s % 60, 2);
        break;
    }
}

void ReportEngine::appendCost(double cost, std::int32_t modifier, std::string& v)
{
    if (modifier == reportmodifier::Raw) {
        char text[64];
        const int n = std::snprintf(text, sizeof text, "%f", cost);
        if (n > 0)
            v.append(text, std::min(static_cast<std::size_t>(n), sizeof text - 1));
        return;
    }
    // Costs repeat (tariff steps, group sums do not): each distinct amount is formatted once.
    auto it = m_costs.find(cost);
    if (!std::isfinite(cost)) {
        v += m_data.settings.formatCurrency(cost);
    } else if (it == m_costs.end()) {
        if (m_costs.size() >= 100'000)
            m_costs.clear();
        v += m_costs.emplace(cost, m_data.settings.formatCurrency(cost)).first->second;
    } else {
        v += it->second;
    }
}

void ReportEngine::appendFormatted(std::unordered_map<std::int64_t, std::string>& texts, std::int64_t number,
                                   bool trunk, std::string& v)
{
    auto it = texts.find(number);
    if (it == texts.end()) {
        const int n = static_cast<int>(number);
        it = texts.emplace(number, trunk ? m_data.prefs.formatTrunk(n) : m_data.prefs.formatExtension(n)).first;
    }
    v += it->second;
}

void ReportEngine::appendCell(const CallRecord& c, ColumnType type, std::string& v) const
{
    m_data.columns.cellText(c, type, v);
    std::replace(v.begin(), v.end(), '"', '\'');
}
