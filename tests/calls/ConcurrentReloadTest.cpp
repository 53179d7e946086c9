// Reloading a call file while another process keeps appending to it, in pieces
// that often end in the middle of a record, as a collector's writes may.

#include "calls/CallSession.h"

#include "CallFiles.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fcntl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

// Runs in the child process: appends `bytes` in pieces of 1-150 bytes with short pauses.
[[noreturn]] void appendSlowly(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND);
    std::uint64_t state = 12345;
    std::size_t at = 0;
    while (fd >= 0 && at < bytes.size()) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        const std::size_t piece = std::min<std::size_t>(1 + (state >> 33) % 150, bytes.size() - at);
        if (::write(fd, bytes.data() + at, piece) != static_cast<ssize_t>(piece))
            ::_exit(1);
        at += piece;
        if ((state >> 20) % 8 == 0)
            ::usleep(100);
    }
    ::_exit(fd >= 0 ? 0 : 1);
}

} // namespace

TEST(ConcurrentReloadTest, WriterProcessLosesAndDuplicatesNothing)
{
    TempDir dir;
    const auto path = dir / "live.bsl";
    const std::vector<std::uint8_t> first = testcalls::generated(500, 1);
    const std::vector<std::uint8_t> appended = testcalls::generated(20000, 2);
    testcalls::write(path, first);

    CallSession session;
    NoProgress progress;
    ASSERT_TRUE(session.openFile(path, progress).ok());

    const pid_t writer = ::fork();
    ASSERT_GE(writer, 0);
    if (writer == 0)
        appendSlowly(path, appended);

    int reloads = 0;
    int status = 0;
    for (bool done = false; !done;) {
        done = ::waitpid(writer, &status, WNOHANG) == writer; // one more reload after the writer ended
        const ReloadOutcome outcome = session.reload(progress);
        ASSERT_EQ(outcome.result, LoadResult::Ok) << "after " << session.count() << " calls";
        ASSERT_FALSE(outcome.restarted);
        ++reloads;
        std::this_thread::sleep_for(std::chrono::microseconds(300));
    }
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    std::vector<std::uint8_t> expected = first;
    expected.insert(expected.end(), appended.begin(), appended.end());
    ASSERT_EQ(session.count(), expected.size() / CallFileRecord::kSize);
    ASSERT_EQ(session.visible().size(), session.count());
    for (std::size_t i = 0; i < session.count(); ++i) {
        const CallFileRecord back = CallFileRecord::fromCall(session.call(i));
        ASSERT_TRUE(std::equal(back.bytes.begin(), back.bytes.end(), expected.begin() + i * CallFileRecord::kSize))
            << "call " << i;
    }
    EXPECT_GT(reloads, 3); // the reloads did overlap the writing
}
