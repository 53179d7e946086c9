#include "core/SaveFile.h"
#include "TempDir.h"
#include "core/InputFile.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <fstream>
#include <future>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utime.h>

namespace {

std::string readText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

struct stat statOf(const std::filesystem::path& path)
{
    struct stat st
    {
    };
    ::lstat(path.c_str(), &st);
    return st;
}

std::size_t entries(const std::filesystem::path& folder)
{
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

} // namespace

TEST(SaveFile, SymlinkStaysALinkAndItsTargetIsReplaced)
{
    TempDir dir;
    std::filesystem::create_directory(dir / "shared");
    std::ofstream(dir / "shared" / "brisel.dat") << "old";
    std::filesystem::create_symlink("shared/brisel.dat", dir / "brisel.dat"); // relative link
    ASSERT_TRUE(saveFileAtomically(dir / "brisel.dat", "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "brisel.dat"));
    EXPECT_EQ(readText(dir / "shared" / "brisel.dat"), "new");
    EXPECT_EQ(entries(dir / "shared"), 1u);

    // A dangling link creates the file it names.
    std::filesystem::create_symlink(dir / "shared" / "later.txt", dir / "later.txt");
    ASSERT_TRUE(saveFileAtomically(dir / "later.txt", "made"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "later.txt"));
    EXPECT_EQ(readText(dir / "shared" / "later.txt"), "made");
}

TEST(SaveFile, FifoWithAReaderIsWrittenIntoAndStaysAFifo)
{
    TempDir dir;
    const auto fifo = dir / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
    std::string tooEarly;
    EXPECT_FALSE(saveFileAtomically(fifo, "nobody reads", &tooEarly)); // no reader: fails, does not wait
    EXPECT_FALSE(tooEarly.empty());

    auto reader = std::async(std::launch::async, [&] { return readText(fifo); });
    const std::string payload(200000, 'x'); // more than the pipe holds at once
    std::string error;
    bool saved = false;
    for (int i = 0; i < 500 && !saved; ++i) { // until the reader has opened its end
        saved = saveFileAtomically(fifo, payload, &error);
        if (!saved)
            ::usleep(2000);
    }
    ASSERT_TRUE(saved) << error;
    EXPECT_EQ(reader.get(), payload);
    EXPECT_TRUE(S_ISFIFO(statOf(fifo).st_mode));
    EXPECT_EQ(entries(dir.path()), 1u);
}

TEST(SaveFile, FifoWhoseReaderLeavesFailsTheSaveNotTheProcess)
{
    TempDir dir;
    const auto fifo = dir / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
    // A reader that opens and leaves at once, before anything is written.
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    SaveFile file;
    ASSERT_TRUE(file.open(fifo));
    ::close(reader);
    file.write("nobody is left");
    std::string error;
    EXPECT_FALSE(file.commit(&error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(S_ISFIFO(statOf(fifo).st_mode));
}

TEST(SaveFile, ModeOwnerAndGroupAreKept)
{
    TempDir dir;
    const auto path = dir / "shared.ini";
    std::ofstream(path) << "old";
    // A group other than our own primary one where we may set it ("users" as root).
    gid_t group = ::getegid();
    if (::geteuid() == 0) {
        const ::group* users = ::getgrnam("users");
        group = users ? users->gr_gid : 100;
    }
    ASSERT_EQ(::chown(path.c_str(), static_cast<uid_t>(-1), group), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0664), 0);
    ASSERT_TRUE(saveFileAtomically(path, "new"));
    const struct stat st = statOf(path);
    EXPECT_EQ(st.st_mode & 07777, 0664u);
    EXPECT_EQ(st.st_gid, group);
    EXPECT_EQ(readText(path), "new");
}

TEST(SaveFile, LongNameIsSavedAndReplaced)
{
    TempDir dir;
    const auto path = dir / (std::string(246, 'n') + ".xml"); // 250 characters
    ASSERT_TRUE(saveFileAtomically(path, "first"));
    ASSERT_TRUE(saveFileAtomically(path, "second"));
    EXPECT_EQ(readText(path), "second");
    EXPECT_EQ(entries(dir.path()), 1u);
}

TEST(SaveFile, ReadOnlyFileAndFolderAreRefusedUnchanged)
{
    TempDir dir;
    const auto path = dir / "report.htm";
    std::ofstream(path) << "keep";
    ::chmod(path.c_str(), 0444);
    std::string error;
    EXPECT_FALSE(saveFileAtomically(path, "lost", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(readText(path), "keep");
    EXPECT_FALSE(saveFileAtomically(dir.path(), "a folder"));
    EXPECT_TRUE(std::filesystem::is_directory(dir.path()));
}

TEST(SaveFile, KilledSaveLeavesNoTemporaryFile)
{
    TempDir dir;
    const auto path = dir / "export.csv";
    std::ofstream(path) << "old";
    const pid_t child = ::fork();
    if (child == 0) {
        SaveFile file;
        if (file.open(path)) {
            file.write(std::string(300000, 'y'));
            file.stream().flush();
        }
        ::raise(SIGKILL);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(readText(path), "old");
    EXPECT_EQ(entries(dir.path()), 1u);
}

TEST(SaveFile, LeftoversNeitherBlockNorStay)
{
    TempDir dir;
    const auto path = dir / "export.csv";
    // What earlier versions named their temporary file, here as a folder nothing can replace.
    std::filesystem::create_directory(dir / ("export.csv.tmp" + std::to_string(::getpid())));
    std::filesystem::create_directory(dir / ("export.csv.tmp" + std::to_string(::getpid()) + "-0"));
    // A named leftover of a save that died long ago, and one of a save still running.
    const auto dead = dir / ".qxsave-deadbeef0000.tmp";
    const auto live = dir / ".qxsave-running00000.tmp";
    std::ofstream(dead) << "x";
    std::ofstream(live) << "x";
    const struct utimbuf longAgo
    {
        std::time(nullptr) - 7200, std::time(nullptr) - 7200
    };
    ::utime(dead.c_str(), &longAgo);

    ASSERT_TRUE(saveFileAtomically(path, "data"));
    EXPECT_EQ(readText(path), "data");
    EXPECT_FALSE(std::filesystem::exists(dead));
    EXPECT_TRUE(std::filesystem::exists(live));
}

TEST(SaveFile, DiscardedSaveKeepsTheOldFile)
{
    TempDir dir;
    const auto path = dir / "a.txt";
    std::ofstream(path) << "old";
    {
        SaveFile file;
        ASSERT_TRUE(file.open(path));
        file.write("half");
    }
    EXPECT_EQ(readText(path), "old");
    EXPECT_EQ(entries(dir.path()), 1u);
}

TEST(InputFile, OnlyRegularFilesAreOpenedAndNothingWaits)
{
    TempDir dir;
    const auto fifo = dir / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
    InputFile file;
    EXPECT_EQ(file.open(fifo), InputFile::Status::NotRegular);
    EXPECT_EQ(file.open(dir.path()), InputFile::Status::NotRegular);
    EXPECT_EQ(file.open(dir / "missing"), InputFile::Status::Missing);
    std::ofstream(dir / "text") << "12345";
    EXPECT_EQ(readRegularFile(dir / "text", 5), "12345");
    EXPECT_FALSE(readRegularFile(dir / "text", 4).has_value());
    EXPECT_FALSE(readRegularFile(fifo, 100).has_value());
}
