#include "settings/SettingsLock.h"
#include "TempDir.h"
#include "core/IniProfile.h"
#include "settings/SettingsLocation.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

// A second process that takes the lock, reports through a pipe and then
// waits: for a byte on its command pipe (then releases and exits) or to be killed.
class LockHolder
{
public:
    LockHolder(const std::filesystem::path& folder, SettingsLock::Mechanism mechanism)
    {
        int report[2];
        int command[2];
        if (::pipe(report) != 0 || ::pipe(command) != 0)
            return;
        m_pid = ::fork();
        if (m_pid == 0) {
            ::close(report[0]);
            ::close(command[1]);
            SettingsLock lock;
            const char result = lock.acquire(folder, mechanism) == SettingsLock::Result::Acquired ? 'A' : 'X';
            (void)!::write(report[1], &result, 1);
            char c;
            (void)!::read(command[0], &c, 1);
            lock.release();
            (void)!::write(report[1], "R", 1);
            ::_exit(0);
        }
        ::close(report[1]);
        ::close(command[0]);
        m_report = report[0];
        m_command = command[1];
    }
    ~LockHolder()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
        ::close(m_report);
        ::close(m_command);
    }
    char next()
    {
        char c = 0;
        return ::read(m_report, &c, 1) == 1 ? c : 0;
    }
    void release() { (void)!::write(m_command, "r", 1); }
    void kill()
    {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }
    pid_t pid() const { return m_pid; }

private:
    pid_t m_pid = -1;
    int m_report = -1;
    int m_command = -1;
};

std::string readText(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

TEST(SettingsLock, SecondProcessIsLockedOutUntilRelease)
{
    for (auto mechanism : {SettingsLock::Mechanism::Automatic, SettingsLock::Mechanism::RecordOnly}) {
        SCOPED_TRACE(mechanism == SettingsLock::Mechanism::Automatic ? "automatic" : "record only");
        TempDir dir;
        LockHolder other(dir.path(), mechanism);
        ASSERT_EQ(other.next(), 'A');

        SettingsLock lock;
        EXPECT_EQ(lock.acquire(dir.path(), mechanism), SettingsLock::Result::HeldByOther);
        ASSERT_TRUE(lock.holder().has_value());
        EXPECT_EQ(lock.holder()->pid, other.pid());
        EXPECT_EQ(lock.holder()->host, SettingsLock::self().host);
        EXPECT_FALSE(lock.held());

        other.release();
        ASSERT_EQ(other.next(), 'R');
        EXPECT_EQ(lock.acquire(dir.path(), mechanism), SettingsLock::Result::Acquired);
        EXPECT_TRUE(lock.held());
        EXPECT_TRUE(lock.stillHeld());
        EXPECT_EQ(lock.holder()->pid, ::getpid());
        lock.release();
        EXPECT_EQ(readText(dir / "lock.dat"), ""); // released: the file stays, empty
    }
}

TEST(SettingsLock, KilledHolderLeavesNoLock)
{
    for (auto mechanism : {SettingsLock::Mechanism::Automatic, SettingsLock::Mechanism::RecordOnly}) {
        SCOPED_TRACE(mechanism == SettingsLock::Mechanism::Automatic ? "automatic" : "record only");
        TempDir dir;
        LockHolder other(dir.path(), mechanism);
        ASSERT_EQ(other.next(), 'A');
        const pid_t dead = other.pid();
        other.kill();
        // The record still names the killed process.
        EXPECT_EQ(SettingsLock::parse(readText(dir / "lock.dat"))->pid, dead);

        SettingsLock lock;
        EXPECT_EQ(lock.acquire(dir.path(), mechanism), SettingsLock::Result::Acquired);
    }
}

TEST(SettingsLock, TwoLocksOfOneProcessConflict)
{
    TempDir dir;
    SettingsLock a;
    SettingsLock b;
    ASSERT_EQ(a.acquire(dir.path()), SettingsLock::Result::Acquired);
    EXPECT_EQ(b.acquire(dir.path()), SettingsLock::Result::HeldByOther);
    EXPECT_EQ(b.acquire(dir.path(), SettingsLock::Mechanism::RecordOnly), SettingsLock::Result::HeldByOther);
    a.release();
    EXPECT_EQ(b.acquire(dir.path()), SettingsLock::Result::Acquired);
}

TEST(SettingsLock, StaleRecords)
{
    SettingsLock::Holder h = SettingsLock::self();
    EXPECT_FALSE(SettingsLock::isStale(h, std::chrono::hours(100))); // this very process
    SettingsLock::Holder reused = h;
    reused.startTime += 12345; // same id, another process start: the id was reused
    EXPECT_TRUE(SettingsLock::isStale(reused, std::chrono::seconds(0)));
    SettingsLock::Holder rebooted = h;
    rebooted.bootId = "another boot";
    EXPECT_TRUE(SettingsLock::isStale(rebooted, std::chrono::seconds(0)));
    SettingsLock::Holder foreign = h;
    foreign.host = "elsewhere";
    EXPECT_FALSE(SettingsLock::isStale(foreign, std::chrono::hours(1)));
    EXPECT_TRUE(SettingsLock::isStale(foreign, std::chrono::hours(13)));
    EXPECT_EQ(SettingsLock::parse(SettingsLock::serialize(h)), h);
    EXPECT_FALSE(SettingsLock::parse("").has_value());
}

TEST(SettingsLock, RecordOnlyLockTakenOverIsNoLongerHeld)
{
    TempDir dir;
    SettingsLock lock;
    ASSERT_EQ(lock.acquire(dir.path(), SettingsLock::Mechanism::RecordOnly), SettingsLock::Result::Acquired);
    std::ofstream(dir / "lock.dat", std::ios::trunc) << "host=elsewhere\npid=1\n";
    EXPECT_FALSE(lock.stillHeld());
    lock.release();
    EXPECT_EQ(readText(dir / "lock.dat"), "host=elsewhere\npid=1\n"); // not ours to empty
}

TEST(SettingsLock, MissingFolderIsNotWritable)
{
    TempDir dir;
    SettingsLock lock;
    EXPECT_EQ(lock.acquire(dir / "missing"), SettingsLock::Result::NotWritable);
}

TEST(SettingsLock, PlantedLinkOrFifoIsRefusedUntouched)
{
    TempDir dir;
    std::ofstream(dir / "victim.txt") << "precious";
    std::filesystem::create_symlink(dir / "victim.txt", dir / "lock.dat");
    SettingsLock lock;
    EXPECT_EQ(lock.acquire(dir.path()), SettingsLock::Result::NotWritable);
    EXPECT_EQ(lock.acquire(dir.path(), SettingsLock::Mechanism::RecordOnly), SettingsLock::Result::NotWritable);
    EXPECT_EQ(readText(dir / "victim.txt"), "precious");

    std::filesystem::remove(dir / "lock.dat");
    ASSERT_EQ(::mkfifo((dir / "lock.dat").c_str(), 0666), 0);
    EXPECT_EQ(lock.acquire(dir.path()), SettingsLock::Result::NotWritable); // returns, does not wait
    EXPECT_FALSE(lock.held());
}

TEST(SettingsLocation, DataFolderFromTheNetworkKeys)
{
    TempDir dir;
    IniProfile ini(dir / "quantorix.ini");
    EXPECT_EQ(dataFolder(NetworkSettings::read(ini), "/prog"), "/prog");
    NetworkSettings n{false, "/srv/share"};
    ASSERT_TRUE(n.write(ini));
    IniProfile again(dir / "quantorix.ini");
    EXPECT_EQ(NetworkSettings::read(again).path, "/srv/share"); // kept, but not used
    EXPECT_EQ(dataFolder(NetworkSettings::read(again), "/prog"), "/prog");
    n.install = true;
    ASSERT_TRUE(n.write(again));
    EXPECT_EQ(dataFolder(NetworkSettings::read(IniProfile(dir / "quantorix.ini")), "/prog"), "/srv/share");
    EXPECT_EQ(callsFolder("/srv/share"), "/srv/share/Calls");
    EXPECT_EQ(settingsFilePath("/srv/share"), "/srv/share/brisel.dat");
}

TEST(SettingsLocation, StampSeesASaveByAnotherUser)
{
    TempDir dir;
    const auto file = dir / "brisel.dat";
    EXPECT_FALSE(SettingsStamp::of(file).exists);
    std::ofstream(file) << "one";
    const SettingsStamp loaded = SettingsStamp::of(file);
    EXPECT_FALSE(modifiedSince(file, loaded));
    // Same size, written at once: the rename of a save still gives a new file.
    std::ofstream(dir / "new") << "two";
    std::filesystem::rename(dir / "new", file);
    EXPECT_TRUE(modifiedSince(file, loaded));
    std::filesystem::remove(file);
    EXPECT_TRUE(modifiedSince(file, loaded));
}
