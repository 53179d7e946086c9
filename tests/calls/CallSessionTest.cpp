#include "calls/CallSession.h"
#include "core/DebugLog.h"

#include "CallFiles.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <unistd.h>

using namespace testcalls;

namespace {

// Rates by setting the cost from the duration and punctuating the number after
// its first digit; lets through what `keep` allows.
class TestPipeline : public CallPipeline
{
public:
    void rate(CallRecord& call) override
    {
        ++rated;
        call.cost = call.duration * 0.5;
        call.directoryIndex = -1;
        const std::string number(call.number());
        if (number.size() > 1)
            fixedtext::store(call.dialedNumber, number.substr(0, 1) + "-" + number.substr(1));
    }
    bool accept(const CallRecord& call) const override { return !keep || keep(call); }

    int rated = 0;
    std::function<bool(const CallRecord&)> keep;
};

class RecordingProgress : public Progress
{
public:
    void begin(std::size_t total) override { totals.push_back(total); }
    bool step(std::size_t done, std::size_t) override
    {
        steps.push_back(done);
        return done != abortAt;
    }
    std::vector<std::size_t> totals;
    std::vector<std::size_t> steps;
    std::size_t abortAt = static_cast<std::size_t>(-1);
};

bool shorter(const CallRecord& a, const CallRecord& b) { return a.duration < b.duration; }
bool longer(const CallRecord& a, const CallRecord& b) { return a.duration > b.duration; }

class CallSessionTest : public ::testing::Test
{
protected:
    LoadOutcome open(const std::filesystem::path& path) { return session.open(path); }
    std::vector<std::uint32_t> durations() const
    {
        std::vector<std::uint32_t> d;
        for (const std::uint32_t index : session.visible())
            d.push_back(session.call(index).duration);
        return d;
    }

    TempDir dir;
    std::filesystem::path file = dir / "calls.bsl";
    NoProgress quiet;
    struct Session : CallSession
    {
        NoProgress progress;
        LoadOutcome open(const std::filesystem::path& p) { return openFile(p, progress); }
        using CallSession::reload;
        ReloadOutcome reload() { return CallSession::reload(progress); }
    } session;
};

} // namespace

TEST_F(CallSessionTest, TableGrowsInWholeBlocksBeyondTheCount)
{
    write(file, generated(1023));
    ASSERT_TRUE(open(file).ok());
    EXPECT_EQ(session.count(), 1023u);
    EXPECT_EQ(session.tableSize(), 1024u);
    EXPECT_EQ(session.visibleSize(), 1024u);

    // Reopening reuses the slots it has.
    write(file, generated(1024));
    ASSERT_TRUE(open(file).ok());
    EXPECT_EQ(session.tableSize(), 1024u);

    CallSession fresh;
    ASSERT_TRUE(fresh.openFile(file, quiet).ok());
    EXPECT_EQ(fresh.count(), 1024u);
    EXPECT_EQ(fresh.tableSize(), 2048u); // an exact multiple still gains a block
    EXPECT_EQ(fresh.visible().size(), 1024u);
    // Slots beyond the count are zero.
    EXPECT_EQ(fresh.call(1024).duration, 0u);
    EXPECT_EQ(fresh.call(2047).number(), "");
}

TEST_F(CallSessionTest, SizeBetweenRecordsIsCorrupt)
{
    std::vector<std::uint8_t> bytes(6'400'001, 0);
    write(file, bytes);
    const LoadOutcome outcome = open(file);
    EXPECT_EQ(outcome.result, LoadResult::Corrupt);
    EXPECT_EQ(outcome.path, file);
    EXPECT_EQ(session.count(), 0u);
    EXPECT_EQ(session.openFileCount(), 0u);
}

TEST_F(CallSessionTest, EmptyFileLoadsNothingSuccessfully)
{
    write(file, std::vector<std::uint8_t>{});
    EXPECT_TRUE(open(file).ok());
    EXPECT_EQ(session.count(), 0u);
    EXPECT_EQ(session.openFileCount(), 1u);
    EXPECT_TRUE(session.loadedRange().from.isZero());
}

TEST_F(CallSessionTest, FilesThatCannotBeOpened)
{
    EXPECT_EQ(open(dir / "missing.bsl").result, LoadResult::CannotOpen);
    EXPECT_EQ(open(dir.path()).result, LoadResult::CannotOpen); // a folder
    if (::geteuid() != 0) {
        write(file, generated(2));
        std::filesystem::permissions(file, std::filesystem::perms::none);
        EXPECT_EQ(open(file).result, LoadResult::CannotOpen);
    }
}

TEST_F(CallSessionTest, OpeningSeveralFilesLoadsThemInOrderOrNothing)
{
    write(dir / "a.bsl", byDuration(1, 3));
    write(dir / "b.bsl", byDuration(10, 2));
    const std::vector<std::filesystem::path> both = {dir / "a.bsl", dir / "b.bsl"};
    ASSERT_TRUE(session.openFiles(both, quiet).ok());
    EXPECT_EQ(durations(), (std::vector<std::uint32_t>{1, 2, 3, 10, 11}));
    EXPECT_EQ(session.openFileCount(), 2u);
    EXPECT_EQ(session.currentFile(), dir / "b.bsl");
    EXPECT_EQ(session.recordsRead(), 2u);

    // A failing second file discards the first as well.
    write(dir / "c.bsl", std::vector<std::uint8_t>(65, 0));
    const std::vector<std::filesystem::path> bad = {dir / "a.bsl", dir / "c.bsl"};
    const LoadOutcome outcome = session.openFiles(bad, quiet);
    EXPECT_EQ(outcome.result, LoadResult::Corrupt);
    EXPECT_EQ(outcome.path, dir / "c.bsl");
    EXPECT_EQ(session.count(), 0u);
    EXPECT_EQ(session.visible().size(), 0u);
    EXPECT_EQ(session.openFileCount(), 0u);
}

TEST_F(CallSessionTest, SeveralFilesAreSortedOnceAndSizedAsOneByOne)
{
    write(dir / "a.bsl", byDuration(3000, 1500));
    write(dir / "b.bsl", byDuration(1, 700));
    int sorts = 0;
    session.setOrder(shorter, [&](std::span<const CallRecord> table, std::span<std::uint32_t> rows) {
        ++sorts;
        std::stable_sort(rows.begin(), rows.end(),
                         [&](std::uint32_t a, std::uint32_t b) { return shorter(table[a], table[b]); });
    });
    const std::vector<std::filesystem::path> both = {dir / "a.bsl", dir / "b.bsl"};
    ASSERT_TRUE(session.openFiles(both, quiet).ok());
    EXPECT_EQ(sorts, 1);
    EXPECT_EQ(session.count(), 2200u);
    EXPECT_EQ(session.tableSize(), 3072u); // 2048 for the first file, grown for the second
    EXPECT_EQ(session.call(2200).duration, 0u);
    EXPECT_EQ(session.call(3071).duration, 0u);
    const std::vector<std::uint32_t> d = durations();
    EXPECT_TRUE(std::is_sorted(d.begin(), d.end()));
    EXPECT_EQ(d.front(), 1u);

    // Fewer calls into the larger table: every slot beyond them is zero again.
    ASSERT_TRUE(session.openFiles(std::span(both).last(1), quiet).ok());
    EXPECT_EQ(session.count(), 700u);
    EXPECT_EQ(session.call(700).duration, 0u);
    EXPECT_EQ(session.call(2199).duration, 0u);
}

TEST_F(CallSessionTest, DatesIgnoreTimeOfDayAndRangeEndsAt2359)
{
    write(file, {record("1", {2025, 3, 10, 23, 50}), record("2", {2025, 3, 9, 12, 0}), record("3", {2025, 3, 12, 0, 5}),
                 record("4", {2025, 3, 9, 0, 1})});
    ASSERT_TRUE(open(file).ok());
    EXPECT_EQ(session.earliestDate(), (CallDate{2025, 3, 9, 0, 0}));
    EXPECT_EQ(session.latestDate(), (CallDate{2025, 3, 12, 0, 0}));
    EXPECT_EQ(session.loadedRange().from, (CallDate{2025, 3, 9, 0, 0}));
    EXPECT_EQ(session.loadedRange().to, (CallDate{2025, 3, 12, 23, 59}));
    session.close();
    EXPECT_TRUE(session.earliestDate().isZero());
    EXPECT_TRUE(session.loadedRange().to.isZero());
}

TEST_F(CallSessionTest, ProgressEvery500AndAbortKeepsWhatWasRead)
{
    write(file, generated(1200));
    RecordingProgress progress;
    ASSERT_TRUE(session.openFile(file, progress).ok());
    EXPECT_EQ(progress.totals, std::vector<std::size_t>{1200});
    EXPECT_EQ(progress.steps, (std::vector<std::size_t>{0, 500, 1000}));

    // An abort while reloading is a read error; the calls before it stay loaded.
    write(file, generated(1200, 99), true);
    progress.abortAt = 1000;
    const ReloadOutcome outcome = session.reload(progress);
    EXPECT_EQ(outcome.result, LoadResult::Corrupt);
    EXPECT_TRUE(outcome.visibleChanged);
    EXPECT_EQ(session.count(), 2200u);
    EXPECT_EQ(session.recordsRead(), 2400u); // not read again by the next reload
    EXPECT_FALSE(session.reload().visibleChanged);
}

TEST_F(CallSessionTest, ReloadReadsOnlyWhatWasAppended)
{
    TestPipeline pipeline;
    session.setPipeline(&pipeline);
    session.setOrder(shorter);
    write(file, byDuration(100, 5));
    ASSERT_TRUE(open(file).ok());
    EXPECT_EQ(pipeline.rated, 5);

    const ReloadOutcome same = session.reload();
    EXPECT_TRUE(same.ok());
    EXPECT_FALSE(same.visibleChanged);
    EXPECT_EQ(pipeline.rated, 5);

    write(file, byDuration(1, 3), true);
    session.resetSearch(2);
    const ReloadOutcome grown = session.reload();
    EXPECT_TRUE(grown.ok());
    EXPECT_TRUE(grown.visibleChanged);
    EXPECT_FALSE(grown.restarted);
    EXPECT_EQ(pipeline.rated, 8);
    EXPECT_EQ(session.count(), 8u);
    EXPECT_EQ(durations(), (std::vector<std::uint32_t>{1, 2, 3, 100, 101, 102, 103, 104}));
    EXPECT_FALSE(session.lastFound().has_value());
}

TEST_F(CallSessionTest, ReloadAfterTruncationStartsOverWithTheCurrentFileAlone)
{
    session.setOrder(shorter);
    write(dir / "a.bsl", byDuration(500, 4));
    write(file, byDuration(10, 6));
    const std::vector<std::filesystem::path> both = {dir / "a.bsl", file};
    ASSERT_TRUE(session.openFiles(both, quiet).ok());
    ASSERT_EQ(session.count(), 10u);

    write(file, {record("9", {2024, 1, 5, 8, 0}, 7), record("9", {2024, 1, 6, 8, 0}, 3)});
    const ReloadOutcome outcome = session.reload();
    EXPECT_TRUE(outcome.ok());
    EXPECT_TRUE(outcome.restarted);
    EXPECT_TRUE(outcome.visibleChanged);
    EXPECT_EQ(session.count(), 2u);
    EXPECT_EQ(durations(), (std::vector<std::uint32_t>{3, 7}));
    EXPECT_EQ(session.openFileCount(), 1u);
    // The dropped calls no longer count for the loaded dates.
    EXPECT_EQ(session.earliestDate(), (CallDate{2024, 1, 5, 0, 0}));
    EXPECT_EQ(session.latestDate(), (CallDate{2024, 1, 6, 0, 0}));
    EXPECT_EQ(session.call(2).duration, 0u); // freed slots are zero again
}

TEST_F(CallSessionTest, RestartWithAsManyVisibleCallsStillReportsAChange)
{
    write(file, byDuration(10, 3));
    ASSERT_TRUE(open(file).ok());
    write(file, byDuration(50, 2));
    EXPECT_TRUE(session.reload().visibleChanged);
    write(file, byDuration(70, 1));
    const ReloadOutcome outcome = session.reload();
    EXPECT_TRUE(outcome.restarted);
    EXPECT_TRUE(outcome.visibleChanged);
    EXPECT_EQ(durations(), std::vector<std::uint32_t>{70});
}

TEST_F(CallSessionTest, ReloadLeavesAPartlyWrittenRecordForNextTime)
{
    write(file, byDuration(1, 2));
    ASSERT_TRUE(open(file).ok());
    const CallFileRecord third = byDuration(3, 1)[0];
    std::vector<std::uint8_t> half(third.bytes.begin(), third.bytes.begin() + 40);
    write(file, half, true);
    const ReloadOutcome partial = session.reload();
    EXPECT_TRUE(partial.ok());
    EXPECT_FALSE(partial.visibleChanged);
    EXPECT_EQ(session.count(), 2u);

    write(file, std::vector<std::uint8_t>(third.bytes.begin() + 40, third.bytes.end()), true);
    EXPECT_TRUE(session.reload().visibleChanged);
    EXPECT_EQ(durations(), (std::vector<std::uint32_t>{1, 2, 3}));
}

TEST_F(CallSessionTest, FewAddedRowsAreInsertedManyResortTheWholeList)
{
    // Loaded in ascending order; the order is then reversed without re-sorting, so a
    // full sort shows up as the old rows turning round, an insertion does not.
    session.setOrder(shorter);
    write(file, byDuration(1000, 300));
    ASSERT_TRUE(open(file).ok());
    session.setOrder(longer);

    write(file, byDuration(1, 100), true);
    ASSERT_TRUE(session.reload().ok());
    std::vector<std::uint32_t> d = durations();
    std::vector<std::uint32_t> old;
    std::copy_if(d.begin(), d.end(), std::back_inserter(old), [](std::uint32_t v) { return v >= 1000; });
    EXPECT_TRUE(std::is_sorted(old.begin(), old.end())); // untouched by 100 insertions
    EXPECT_EQ(old.size(), 300u);

    write(file, byDuration(2000, 101), true);
    ASSERT_TRUE(session.reload().ok());
    d = durations();
    EXPECT_TRUE(std::is_sorted(d.begin(), d.end(), std::greater<>()));
    EXPECT_EQ(d.size(), 501u);
}

TEST_F(CallSessionTest, InsertionKeepsEqualCallsInLoadOrder)
{
    session.setOrder([](const CallRecord& a, const CallRecord& b) { return a.duration / 10 < b.duration / 10; });
    write(file, {record("1", {}, 10), record("1", {}, 20), record("1", {}, 11)});
    ASSERT_TRUE(open(file).ok());
    EXPECT_EQ(durations(), (std::vector<std::uint32_t>{10, 11, 20})); // stable full sort
    write(file, {record("1", {}, 12), record("1", {}, 1)}, true);
    ASSERT_TRUE(session.reload().ok());
    EXPECT_EQ(durations(), (std::vector<std::uint32_t>{1, 10, 11, 12, 20}));
}

TEST_F(CallSessionTest, NumberSearchSkipsDashesAndRemembersTheEnd)
{
    TestPipeline pipeline; // "1234" becomes "1-234"
    session.setPipeline(&pipeline);
    write(file, {record("1234"), record("555"), record("123"), record("12")});
    ASSERT_TRUE(open(file).ok());
    ASSERT_EQ(session.visibleCall(0).number(), "1-234");

    EXPECT_EQ(session.findNext("12", false), std::optional<std::size_t>(0));
    EXPECT_EQ(session.findNext("12", false), std::optional<std::size_t>(2));
    EXPECT_EQ(session.findNext("12", false), std::optional<std::size_t>(3));
    EXPECT_EQ(session.findNext("12", false), std::nullopt);
    EXPECT_EQ(session.lastFound(), std::optional<std::size_t>(3));
    EXPECT_EQ(session.findNext("5", false), std::nullopt); // still at the end

    session.resetSearch();
    EXPECT_EQ(session.findNext("12", true), std::optional<std::size_t>(3));
    session.resetSearch();
    EXPECT_EQ(session.findNext("1*3", true), std::optional<std::size_t>(2));
    session.resetSearch(0); // start after row 0
    EXPECT_EQ(session.findNext("1**", false), std::optional<std::size_t>(2));
}

TEST_F(CallSessionTest, RerateRebuildsEveryCallFromItsFileForm)
{
    TestPipeline pipeline;
    session.setPipeline(&pipeline);
    write(file, {record("1234", {}, 5), record("987", {}, 8), record("55", {}, 3)});
    ASSERT_TRUE(open(file).ok());
    EXPECT_EQ(session.call(0).number(), "1-234");

    // Re-classifying starts from the stored digits: no second dash.
    session.rerate(true, quiet);
    EXPECT_EQ(pipeline.rated, 6);
    EXPECT_EQ(session.call(0).number(), "1-234");
    EXPECT_EQ(session.call(1).cost, 4.0);

    // Only the filter again.
    pipeline.keep = [](const CallRecord& c) { return c.duration > 4; };
    session.resetSearch(1);
    session.rerate(false, quiet);
    EXPECT_EQ(pipeline.rated, 6);
    EXPECT_EQ(session.visible().size(), 2u);
    EXPECT_FALSE(session.lastFound().has_value());
}

TEST_F(CallSessionTest, SaveWritesTheFileFormInTableOrder)
{
    session.setOrder(longer);
    write(file, byDuration(1, 4));
    ASSERT_TRUE(open(file).ok());
    std::string error;
    EXPECT_EQ(session.saveCalls(file, false, &error), SaveResult::RefusedOpenFile);
    EXPECT_EQ(session.saveCalls(dir.path() / "." / "calls.bsl"), SaveResult::RefusedOpenFile);

    const auto copy = dir / "copy.bsl";
    ASSERT_EQ(session.saveCalls(copy), SaveResult::Ok);
    std::ifstream a(file, std::ios::binary), b(copy, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(a), {}), std::string(std::istreambuf_iterator<char>(b), {}));

    session.removeVisibleRows(std::vector<std::size_t>{0, 2}); // durations 4 and 2
    ASSERT_EQ(session.saveCalls(copy, true), SaveResult::Ok);
    CallSession reread;
    ASSERT_TRUE(reread.openFile(copy, quiet).ok());
    ASSERT_EQ(reread.count(), 2u);
    EXPECT_EQ(reread.call(0).duration, 1u);
    EXPECT_EQ(reread.call(1).duration, 3u);

    EXPECT_EQ(session.saveCalls(dir / "no-such-folder" / "x.bsl", false, &error), SaveResult::WriteFailed);
    EXPECT_FALSE(error.empty());
}

TEST_F(CallSessionTest, WritesItsDebugLogLines)
{
    std::ofstream(dir / "quantorix.ini") << "[Debug]\nLog=1\n";
    debuglog::setProgramFolder(dir.path());
    write(file, generated(1024));
    const std::vector<std::filesystem::path> paths = {file};
    ASSERT_TRUE(session.openFiles(paths, quiet).ok());
    debuglog::setProgramFolder(dir / "no-log-here");

    std::ifstream in(dir / "debug.txt");
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line.substr(line.find(" - ") + 3));
    EXPECT_EQ(lines,
              (std::vector<std::string>{"CMainFrame::FileLoadNew() called: 1 files", "new calls array size: 2048"}));
}

TEST_F(CallSessionTest, RefilteringKeepsTheStableSortOrderAndForgetsItWhenTheOrderChanges)
{
    TestPipeline pipeline;
    session.setPipeline(&pipeline);
    const auto byTens = [](const CallRecord& a, const CallRecord& b) { return a.duration / 10 < b.duration / 10; };
    session.setOrder(byTens);
    std::vector<CallFileRecord> records;
    for (std::uint32_t i = 0; i < 300; ++i)
        records.push_back(record(std::to_string(i), {}, (i * 37) % 100)); // many equal tens
    write(file, records);
    ASSERT_TRUE(open(file).ok());

    // What a fresh stable sort of the rows the filter keeps gives.
    const auto expected = [&](const CallSession::CallLess& less) {
        std::vector<std::uint32_t> rows;
        for (std::uint32_t i = 0; i < session.count(); ++i)
            if (pipeline.accept(session.call(i)))
                rows.push_back(i);
        std::stable_sort(rows.begin(), rows.end(),
                         [&](std::uint32_t a, std::uint32_t b) { return less(session.call(a), session.call(b)); });
        return rows;
    };
    const auto shown = [&] { return std::vector<std::uint32_t>(session.visible().begin(), session.visible().end()); };
    for (const std::uint32_t modulus : {3u, 7u, 1u}) {
        pipeline.keep = [modulus](const CallRecord& c) {
            return c.extension % modulus == 0 || c.duration % modulus == 1;
        };
        session.rerate(false, quiet);
        EXPECT_EQ(shown(), expected(byTens)) << modulus;
    }
    session.setOrder(longer);
    pipeline.keep = [](const CallRecord& c) { return c.duration > 50; };
    session.rerate(false, quiet);
    EXPECT_EQ(shown(), expected(longer));
}

TEST_F(CallSessionTest, CallsThatCannotFitInMemoryAreRefusedBeforeAllocating)
{
    std::ofstream(file).put('\0');
    std::filesystem::resize_file(file, std::uintmax_t{64} << 30); // sparse: a billion zero records
    const std::vector<std::filesystem::path> paths = {file};
    const LoadOutcome outcome = session.openFiles(paths, quiet);
    EXPECT_EQ(outcome.result, LoadResult::TooLarge);
    EXPECT_EQ(outcome.path, file);
    EXPECT_EQ(session.count(), 0u);
}
