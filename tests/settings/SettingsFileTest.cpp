#include "settings/SettingsFile.h"
#include "TempDir.h"
#include "core/LittleEndian.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <csignal>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::vector<std::uint8_t> readFile(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const std::filesystem::path& p, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream(p, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A valid file image with a few records in every list, their bytes random
// (reserved ranges included) apart from the header's magic, version and counts.
class SettingsFileBuilder
{
public:
    SettingsFileBuilder() { reset(); }

    void reset(unsigned seed = 7)
    {
        std::mt19937 rng(seed);
        const std::uint32_t counts[13] = {2, 3, 2, 4, 3, 2, 1, 0, 2, 0, 0, 1, 2};
        const std::size_t countAt[13] = {880, 884, 888, 892, 896, 924, 900, 904, 908, 912, 916, 920, 928};
        const std::size_t sizes[13] = {1024, 192, 96, 128, 4, 32, 96, 96, 96, 96, 96, 96, 128};
        std::size_t total = 3328;
        for (int i = 0; i < 13; ++i)
            total += counts[i] * sizes[i];
        bytes.resize(total);
        for (auto& b : bytes)
            b = static_cast<std::uint8_t>(rng());
        std::memcpy(bytes.data(), "UDGS", 4);
        setU32(4, 0x00010001);
        for (int i = 0; i < 13; ++i)
            setU32(countAt[i], counts[i]);
        for (int k = 0; k < 6; ++k) // no modifier stored as 0 (that one is changed on loading)
            setU32(1024 + 384 * k + 352, 100 + k);
    }
    void setU32(std::size_t at, std::uint32_t v) { le::storeU32(&bytes[at], v); }
    void truncate(std::size_t n) { bytes.resize(n); }
    std::size_t size() const { return bytes.size(); }

    std::vector<std::uint8_t> bytes;
};

class SettingsFileTest : public ::testing::Test
{
protected:
    SettingsFileBuilder file;
    SettingsDatabase db;
    SettingsLoadResult load() { return readSettings(file.bytes, db); }
};

// A stream that takes `limit` bytes and then fails, as a full disk does.
class FailingBuffer : public std::streambuf
{
public:
    explicit FailingBuffer(std::size_t limit)
        : m_left(limit)
    { }

protected:
    std::streamsize xsputn(const char*, std::streamsize n) override
    {
        const auto taken = std::min<std::streamsize>(n, static_cast<std::streamsize>(m_left));
        m_left -= static_cast<std::size_t>(taken);
        return taken;
    }
    int_type overflow(int_type c) override
    {
        if (m_left == 0)
            return traits_type::eof();
        --m_left;
        return c;
    }

private:
    std::size_t m_left;
};

} // namespace

TEST_F(SettingsFileTest, LoadAndSaveGiveBackIdenticalBytes)
{
    ASSERT_EQ(load(), SettingsLoadResult::Ok);
    EXPECT_EQ(db.destinations.size(), 2u);
    EXPECT_EQ(db.prefixes[2].size(), 2u);
    EXPECT_EQ(db.prefixes[1].size(), 0u);
    EXPECT_EQ(db.projects.size(), 2u);
    EXPECT_EQ(encodeSettings(db), file.bytes);
}

TEST_F(SettingsFileTest, RejectsDamagedFiles)
{
    const std::pair<const char*, std::function<void(SettingsFileBuilder&)>> cases[] = {
        {"wrong magic", [](auto& f) { f.bytes[3] = 'T'; }},
        {"version 0x00010002", [](auto& f) { f.setU32(4, 0x00010002); }},
        {"one byte short", [](auto& f) { f.truncate(f.size() - 1); }},
        {"header only", [](auto& f) { f.truncate(1024); }},
        {"empty", [](auto& f) { f.truncate(0); }},
        {"last list cut", [](auto& f) { f.truncate(f.size() - 128); }},
        {"count beyond file", [](auto& f) { f.setU32(896, 5); }},
        {"four billion destinations", [](auto& f) { f.setU32(880, 0xFFFFFFFF); }},
        {"every count at maximum",
         [](auto& f) {
             for (std::size_t at = 880; at <= 928; at += 4)
                 f.setU32(at, 0xFFFFFFFF);
         }},
    };
    for (const auto& [name, damage] : cases) {
        SCOPED_TRACE(name);
        file.reset();
        damage(file);
        db.contacts.resize(3); // must be cleared by the failed load
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(load(), SettingsLoadResult::BadContent);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200));
        EXPECT_TRUE(db.contacts.empty());
        EXPECT_TRUE(db.destinations.empty());
        EXPECT_EQ(db.header.magic, 0u);
    }
}

// A stream that claims more than it holds still ends in a short read, not a crash.
TEST_F(SettingsFileTest, StreamShorterThanClaimedIsCorrupt)
{
    std::istringstream in(std::string(file.bytes.begin(), file.bytes.end() - 10));
    EXPECT_EQ(readSettings(in, file.size(), db), SettingsLoadResult::BadContent);
    EXPECT_TRUE(db.directory.empty());
}

TEST_F(SettingsFileTest, AcceptsEmptyListsAndTrailingBytes)
{
    for (std::size_t at = 880; at <= 928; at += 4)
        file.setU32(at, 0);
    file.setU32(1024 + 352, 0); // carrier 1 modifier stored as 0
    file.setU32(1024 + 5 * 384 + 352, 0);
    file.truncate(3328);
    ASSERT_EQ(load(), SettingsLoadResult::Ok);
    EXPECT_TRUE(db.destinations.empty() && db.contacts.empty() && db.projects.empty());
    EXPECT_EQ(db.carriers[0].costModifier, 100);
    EXPECT_EQ(db.carriers[1].costModifier, 101);
    EXPECT_EQ(db.carriers[5].costModifier, 100);

    file.reset();
    const std::vector<std::uint8_t> valid = file.bytes;
    file.bytes.insert(file.bytes.end(), 1000, 0x5A);
    ASSERT_EQ(load(), SettingsLoadResult::Ok);
    EXPECT_EQ(encodeSettings(db), valid);
}

TEST_F(SettingsFileTest, PasswordsAreScrambledWithA7)
{
    ASSERT_EQ(load(), SettingsLoadResult::Ok);
    db.header.passwords[0].assign("");
    db.header.passwords[1].assign(std::string("a\xA7z", 3));
    const auto bytes = encodeSettings(db);
    for (std::size_t i = 24; i < 56; ++i)
        EXPECT_EQ(bytes[i], 0xA7) << i; // empty password: 32 bytes of the constant
    EXPECT_EQ(bytes[56], 'a' ^ 0xA7);
    EXPECT_EQ(bytes[57], 0);                                            // the constant itself is stored as zero
    EXPECT_EQ(db.header.passwords[1].view(), std::string("a\xA7z", 3)); // memory keeps plain text

    SettingsDatabase again;
    ASSERT_EQ(readSettings(bytes, again), SettingsLoadResult::Ok);
    EXPECT_EQ(again.header.passwords[1].view(), std::string("a\xA7z", 3));
    EXPECT_EQ(again.header, db.header);
}

// Counts come from the lists, whatever the in-memory header says.
TEST_F(SettingsFileTest, SaveWritesCountsOfTheLists)
{
    ASSERT_EQ(load(), SettingsLoadResult::Ok);
    db.contacts.resize(10);
    db.prefixes[4].resize(3);
    const auto bytes = encodeSettings(db);
    EXPECT_EQ(le::loadU32(&bytes[892]), 10u);
    EXPECT_EQ(le::loadU32(&bytes[916]), 3u);
    EXPECT_EQ(bytes.size(), file.size() + 6 * 128 + 3 * 96);
    SettingsDatabase again;
    EXPECT_EQ(readSettings(bytes, again), SettingsLoadResult::Ok);
}

TEST_F(SettingsFileTest, LoadsFromDiskAndReportsMissingFile)
{
    TempDir dir;
    writeFile(dir / "brisel.dat", file.bytes);
    ASSERT_EQ(loadSettings(dir / "brisel.dat", db), SettingsLoadResult::Ok);
    EXPECT_EQ(db.trunks.size(), 2u);
    EXPECT_EQ(loadSettings(dir / "none.dat", db), SettingsLoadResult::CannotOpen);
    EXPECT_TRUE(db.trunks.empty());
    EXPECT_EQ(loadSettings(dir.path(), db), SettingsLoadResult::CannotOpen); // a folder
}

TEST_F(SettingsFileTest, FifoIsNotWaitedOnAndHugeListsAreRefusedBeforeAllocating)
{
    TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "brisel.dat").c_str(), 0666), 0);
    EXPECT_EQ(loadSettings(dir / "brisel.dat", db), SettingsLoadResult::CannotOpen);

    // A sparse file as long as four billion contacts need: consistent, but far beyond memory.
    file.setU32(892, 0xFFFFFFFFu);
    const auto big = dir / "big.dat";
    writeFile(big, file.bytes);
    std::filesystem::resize_file(big, file.size() + std::uint64_t{0xFFFFFFFFu} * 128);
    EXPECT_EQ(loadSettings(big, db), SettingsLoadResult::OutOfMemory);
    EXPECT_TRUE(db.contacts.empty());
}

TEST_F(SettingsFileTest, WriterFailureIsReported)
{
    ASSERT_EQ(load(), SettingsLoadResult::Ok);
    for (std::size_t limit : {std::size_t{0}, std::size_t{100}, std::size_t{3328}, file.size() - 1}) {
        FailingBuffer buffer(limit);
        std::ostream out(&buffer);
        EXPECT_FALSE(writeSettings(out, db)) << limit;
    }
}

TEST_F(SettingsFileTest, FailedSaveLeavesThePreviousFile)
{
    TempDir dir;
    const auto path = dir / "brisel.dat";
    writeFile(path, file.bytes);
    ASSERT_EQ(load(), SettingsLoadResult::Ok);
    db.contacts.resize(20000); // about 2.5 MB, beyond the file-size limit below

    // A real write error, even for root: a file-size limit in a child process.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{64 * 1024, 64 * 1024};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::string error;
        const bool saved = saveSettings(path, db, &error);
        ::_exit(saved ? 1 : (error.empty() ? 2 : 0));
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(readFile(path), file.bytes);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1); // no temporary left

    std::string error;
    ASSERT_TRUE(saveSettings(path, db, &error)) << error;
    SettingsDatabase again;
    ASSERT_EQ(loadSettings(path, again), SettingsLoadResult::Ok);
    EXPECT_EQ(again.contacts.size(), 20000u);
}

TEST(SettingsFile, MessagesTakeThePath)
{
    EXPECT_EQ(withPath(settingsmessages::kMissingOrCorrupt, "/x/brisel.dat"),
              "Database is missing or corrupt.\n\n/x/brisel.dat\n\nPlease reinstall the application!");
    EXPECT_EQ(withPath("%1 and %1", "%1"), "%1 and %1");
}
