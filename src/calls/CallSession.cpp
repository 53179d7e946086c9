#include "calls/CallSession.h"

#include "calls/CallFileRecord.h"
#include "core/DebugLog.h"
#include "core/InputFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <new>
#include <system_error>
#include <unistd.h>

namespace {

CallPipeline& defaultPipeline()
{
    static CallPipeline unrated;
    return unrated;
}

// Records read per system call: large reads keep loading at memory speed.
constexpr std::size_t kChunkRecords = 4096;

// An open call file, read in whole records and closed when it goes out of scope.
class RecordReader
{
public:
    explicit RecordReader(const std::filesystem::path& path)
        : m_fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC))
    { }
    ~RecordReader()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    RecordReader(const RecordReader&) = delete;
    RecordReader& operator=(const RecordReader&) = delete;

    bool isOpen() const { return m_fd >= 0; }
    bool seekRecord(std::size_t index)
    {
        const auto at = static_cast<off_t>(index * CallFileRecord::kSize);
        return ::lseek(m_fd, at, SEEK_SET) == at;
    }
    // Reads up to `records` whole records into `buffer`; fewer means the file ended
    // early or a read failed.
    std::size_t read(std::uint8_t* buffer, std::size_t records)
    {
        const std::size_t want = records * CallFileRecord::kSize;
        std::size_t got = 0;
        while (got < want) {
            const ssize_t n = ::read(m_fd, buffer + got, want - got);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            got += static_cast<std::size_t>(n);
        }
        return got / CallFileRecord::kSize;
    }

private:
    int m_fd;
};

} // namespace

CallSession::CallSession()
    : m_pipeline(&defaultPipeline())
{ }

void CallSession::setPipeline(CallPipeline* pipeline) { m_pipeline = pipeline ? pipeline : &defaultPipeline(); }

void CallSession::setOrder(CallLess less, RowSorter sorter)
{
    m_less = std::move(less);
    m_sorter = m_less ? std::move(sorter) : RowSorter{};
    m_sortedAllValid = false;
}

LoadOutcome CallSession::openFiles(std::span<const std::filesystem::path> paths, Progress& progress)
{
    debuglog::write("CMainFrame::FileLoadNew() called: %d files", static_cast<int>(paths.size()));
    if (!m_openFiles.empty() || m_count != 0)
        close();
    reserveFor(paths);
    for (const std::filesystem::path& path : paths) {
        LoadResult result = LoadResult::TooLarge;
        try {
            result = loadFile(path, false, progress);
        } catch (const std::bad_alloc&) { }
        if (result != LoadResult::Ok) {
            close();
            return {result, path};
        }
        m_currentFile = path;
        m_openFiles.push_back(path);
    }
    sortVisible(0);
    return {};
}

ReloadOutcome CallSession::reload(Progress& progress)
{
    ReloadOutcome outcome;
    if (m_openFiles.empty())
        return outcome;
    const std::size_t before = m_visibleLength;
    outcome.path = m_currentFile;
    try {
        outcome.result = loadFile(m_currentFile, true, progress, &outcome.restarted);
    } catch (const std::bad_alloc&) {
        outcome.result = LoadResult::TooLarge;
    }
    if (outcome.restarted)
        m_openFiles.assign(1, m_currentFile);
    // A restarted list holds none of the old rows, even if it is as long as before.
    outcome.visibleChanged = outcome.restarted || m_visibleLength != before;
    if (outcome.visibleChanged) {
        sortVisible(outcome.restarted ? 0 : before);
        m_lastFound.reset();
    }
    return outcome;
}

void CallSession::close()
{
    restartTable();
    m_openFiles.clear();
    m_recordsRead = 0;
    m_range = DateRange{};
    m_lastFound.reset();
}

void CallSession::restartTable()
{
    // Slots beyond the count are kept all zero: loading decodes straight into them.
    if (m_count != 0)
        std::memset(static_cast<void*>(m_table.data()), 0, m_count * sizeof(CallRecord));
    m_count = 0;
    m_visibleLength = 0;
    m_sortedAllValid = false;
    // The dates of the dropped calls no longer bound what is loaded.
    m_earliest = m_latest = CallDate{};
}

// Makes room for every record of the files at once, so that the table and the
// visible list are not moved again from file to file. The sizes the files are
// loaded with stay those of loading them one by one.
void CallSession::reserveFor(std::span<const std::filesystem::path> paths)
{
    std::size_t records = 0;
    for (const std::filesystem::path& path : paths) {
        std::error_code ec;
        const std::uintmax_t size = std::filesystem::file_size(path, ec);
        if (!ec)
            records += static_cast<std::size_t>(std::min<std::uintmax_t>(size / CallFileRecord::kSize, kMaxCalls));
    }
    if (records == 0 || records > kMaxCalls - m_count)
        return;
    const std::size_t slots = ((m_count + records) / kBlock + 1) * kBlock;
    // Calls beyond memory are refused by the load, file by file, with their own message.
    if (!memoryCanHold(slots * (sizeof(CallRecord) + sizeof(std::uint32_t))))
        return;
    try {
        m_table.reserve(slots);
        m_visible.reserve(slots);
    } catch (const std::bad_alloc&) {
        // Only a head start: loading grows the table as far as it can, file by file.
    }
}

void CallSession::ensureSlots(std::size_t needed)
{
    if (m_visible.size() >= needed)
        return;
    const std::size_t size = (needed / kBlock + 1) * kBlock;
    m_table.setSize(size);
    debuglog::write("new calls array size: %d", static_cast<int>(size));
    m_visible.setSize(size);
}

inline void CallSession::noteDate(const CallDate& start)
{
    const CallDate day = start.dateOnly();
    if (m_earliest.isZero() || m_earliest > day)
        m_earliest = day;
    if (m_latest.isZero() || m_latest < day)
        m_latest = day;
}

void CallSession::updateRange()
{
    m_range = m_count == 0 ? DateRange{} : DateRange{m_earliest.at(0, 0), m_latest.at(23, 59)};
}

// Converts, rates and filters one record into the next free slot of the table.
inline void CallSession::storeRecord(const std::uint8_t* bytes)
{
    CallRecord& call = m_table[m_count]; // zero bytes, as every slot beyond the count
    CallFileRecord::readIntoZeroed(std::span<const std::uint8_t, CallFileRecord::kSize>(bytes, CallFileRecord::kSize),
                                   call);
    m_pipeline->rate(call);
    if (m_pipeline->accept(call))
        m_visible[m_visibleLength++] = static_cast<std::uint32_t>(m_count);
    noteDate(call.start);
    ++m_count;
}

LoadResult CallSession::loadFile(const std::filesystem::path& path, bool incremental, Progress& progress,
                                 bool* restarted)
{
    m_sortedAllValid = false;
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec)
        return LoadResult::CannotOpen;
    // A size between whole records is a corrupt file when it is opened. On a reload it
    // is the collector in the middle of appending a record: that record is read next time.
    if (size % CallFileRecord::kSize != 0 && !incremental)
        return LoadResult::Corrupt;
    const std::size_t records = static_cast<std::size_t>(size / CallFileRecord::kSize);
    std::size_t first = 0;
    if (incremental) {
        if (m_recordsRead == records)
            return LoadResult::Ok;
        if (m_recordsRead < records) {
            first = m_recordsRead;
        } else {
            restartTable();
            if (restarted)
                *restarted = true;
        }
    }
    RecordReader file(path);
    if (!file.isOpen())
        return LoadResult::CannotOpen;
    const std::size_t toRead = records - first;
    if (toRead > kMaxCalls - m_count)
        return LoadResult::Corrupt;
    if (first != 0 && !file.seekRecord(first))
        return LoadResult::Corrupt;
    if (!memoryCanHold((m_count + toRead) * (sizeof(CallRecord) + sizeof(std::uint32_t))))
        return LoadResult::TooLarge;
    ensureSlots(m_count + toRead);
    // Counted as read before reading, so a failed read is not retried by the next reload.
    m_recordsRead = records;

    progress.begin(toRead);
    LoadResult result = LoadResult::Ok;
    const std::size_t chunk = std::min(toRead, kChunkRecords);
    std::unique_ptr<std::uint8_t[]> buffer(new std::uint8_t[std::max<std::size_t>(chunk, 1) * CallFileRecord::kSize]);
    for (std::size_t done = 0; done < toRead && result == LoadResult::Ok;) {
        const std::size_t want = std::min(chunk, toRead - done);
        const std::size_t got = file.read(buffer.get(), want);
        for (std::size_t j = 0; j < got; ++j, ++done) {
            if (done % kProgressInterval == 0 && !progress.step(done, toRead)) {
                result = LoadResult::Corrupt; // an abort is handled like a read error
                break;
            }
            storeRecord(buffer.get() + j * CallFileRecord::kSize);
        }
        if (got < want)
            result = LoadResult::Corrupt;
    }
    updateRange();
    progress.end();
    return result;
}

void CallSession::rerate(bool reclassify, Progress& progress)
{
    m_visibleLength = 0;
    if (reclassify)
        m_sortedAllValid = false;
    if (m_sortedAllValid && m_sortedAll.size() == m_count) {
        // Only the filter changed: the calls are tested in table order (the memory is
        // read front to back), then the rows come out of the kept order already sorted.
        std::vector<std::uint64_t> accepted((m_count + 63) / 64, 0);
        progress.begin(m_count);
        for (std::size_t i = 0; i < m_count; ++i) {
            if (i % kProgressInterval == 0)
                progress.step(i, m_count);
            if (m_pipeline->accept(m_table[i]))
                accepted[i / 64] |= std::uint64_t{1} << (i % 64);
        }
        progress.end();
        for (const std::uint32_t i : m_sortedAll)
            if ((accepted[i / 64] >> (i % 64)) & 1)
                m_visible[m_visibleLength++] = i;
        m_lastFound.reset();
        return;
    }
    if (m_count != 0) {
        progress.begin(m_count);
        for (std::size_t i = 0; i < m_count; ++i) {
            if (i % kProgressInterval == 0)
                progress.step(i, m_count);
            CallRecord& call = m_table[i];
            if (reclassify) {
                const CallFileRecord record = CallFileRecord::fromCall(call);
                CallFileRecord::read(record.bytes, call);
                m_pipeline->rate(call);
            }
            if (m_pipeline->accept(call))
                m_visible[m_visibleLength++] = static_cast<std::uint32_t>(i);
        }
        progress.end();
    }
    sortVisible(0);
    m_lastFound.reset();
}
