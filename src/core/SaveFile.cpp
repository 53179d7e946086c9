#include "core/SaveFile.h"

#include "core/FdStream.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A named temporary file untouched for this long belongs to a save that died.
constexpr std::chrono::hours kLeftoverAge{1};
constexpr int kMaxLinks = 40;

std::string errnoText(int error) { return std::strerror(error); }

std::string randomName()
{
    static thread_local std::mt19937_64 engine{std::random_device{}() ^ static_cast<std::uint64_t>(::getpid())};
    static constexpr char kDigits[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string name(SaveFile::kTemporaryPrefix);
    for (int i = 0; i < 12; ++i)
        name += kDigits[engine() % (sizeof kDigits - 1)];
    name += SaveFile::kTemporarySuffix;
    return name;
}

std::filesystem::path folderOf(const std::filesystem::path& path)
{
    const std::filesystem::path folder = path.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

// Removes named temporary files of saves that died in `folder`.
void removeLeftovers(const std::filesystem::path& folder)
{
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    const auto now = std::chrono::system_clock::now();
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (!name.starts_with(SaveFile::kTemporaryPrefix) || !name.ends_with(SaveFile::kTemporarySuffix))
            continue;
        struct stat st
        {
        };
        if (::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode))
            continue;
        const auto modified = std::chrono::system_clock::from_time_t(st.st_mtim.tv_sec);
        if (now - modified >= kLeftoverAge)
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

// Creates a fresh named temporary file in `folder`; -1 with errno on failure.
int createNamed(const std::filesystem::path& folder, std::filesystem::path& name)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = folder / randomName();
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Owner and group as before where allowed (the group alone is often allowed to
// a member), then the mode, which a change of owner may clear.
void keepOwnerAndMode(int fd, const struct stat& old)
{
    if (::fchown(fd, old.st_uid, old.st_gid) != 0)
        (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
    ::fchmod(fd, old.st_mode & 07777);
}

bool copyAll(int from, int to)
{
    if (::lseek(from, 0, SEEK_SET) != 0)
        return false;
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(from, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = ::write(to, buffer + done, static_cast<std::size_t>(n - done));
            if (w < 0 && errno == EINTR)
                continue;
            if (w <= 0)
                return false;
            done += w;
        }
    }
}

} // namespace

struct SaveFile::State
{
    std::filesystem::path target;
    std::filesystem::path named; // the temporary file's name; empty while it has none
    int fd = -1;
    bool direct = false; // writing straight into a device or FIFO
    bool hadTarget = false;
    struct stat old
    {
    };
    FdOutBuf buffer;
    std::ostream out{&buffer};

    void closeFd()
    {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
    void removeNamed()
    {
        if (!named.empty())
            ::unlink(named.c_str());
        named.clear();
    }
};

SaveFile::SaveFile() = default;

SaveFile::~SaveFile() { discard(); }

std::filesystem::path SaveFile::resolveTarget(const std::filesystem::path& path)
{
    std::filesystem::path target = path;
    for (int i = 0; i < kMaxLinks; ++i) {
        struct stat st
        {
        };
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return target;
        std::error_code ec;
        const std::filesystem::path link = std::filesystem::read_symlink(target, ec);
        if (ec)
            return target;
        target = link.is_absolute() ? link : target.parent_path() / link;
    }
    return target;
}

bool SaveFile::open(const std::filesystem::path& path, std::string* error)
{
    discard();
    auto fail = [&](int number) {
        if (error)
            *error = errnoText(number);
        m_state.reset();
        return false;
    };
    m_state = std::make_unique<State>();
    State& s = *m_state;
    s.target = resolveTarget(path);
    if (::lstat(s.target.c_str(), &s.old) == 0) {
        if (S_ISLNK(s.old.st_mode))
            return fail(ELOOP);
        if (S_ISDIR(s.old.st_mode))
            return fail(EISDIR);
        if (!S_ISREG(s.old.st_mode)) {
            // A device or FIFO: write into it. Not waiting for a FIFO's reader.
            s.fd = ::open(s.target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
            if (s.fd < 0)
                return fail(errno);
            ::fcntl(s.fd, F_SETFL, ::fcntl(s.fd, F_GETFL) & ~O_NONBLOCK);
            s.direct = true;
            s.buffer.setFd(s.fd);
            s.buffer.setPipe(S_ISFIFO(s.old.st_mode) || S_ISSOCK(s.old.st_mode));
            return true;
        }
        // Replacing must be allowed as much as overwriting would be; a file
        // without any write permission is read-only even for the superuser.
        if (::access(s.target.c_str(), W_OK) != 0)
            return fail(errno);
        if ((s.old.st_mode & 0222) == 0)
            return fail(EACCES);
        s.hadTarget = true;
    } else if (errno != ENOENT) {
        return fail(errno);
    }
    const std::filesystem::path folder = folderOf(s.target);
    removeLeftovers(folder);
    s.fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (s.fd < 0) {
        s.fd = createNamed(folder, s.named);
        if (s.fd < 0)
            return fail(errno);
    }
    s.buffer.setFd(s.fd);
    return true;
}

bool SaveFile::isOpen() const { return m_state != nullptr; }

std::ostream& SaveFile::stream() { return m_state->out; }

bool SaveFile::write(std::string_view bytes)
{
    m_state->out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(m_state->out);
}

bool SaveFile::commit(std::string* error)
{
    if (!m_state) {
        if (error)
            *error = errnoText(EBADF);
        return false;
    }
    State& s = *m_state;
    auto fail = [&](int number) {
        if (error)
            *error = errnoText(number);
        discard();
        return false;
    };
    s.out.flush();
    if (!s.out || s.buffer.failed())
        return fail(s.buffer.errorNumber() != 0 ? s.buffer.errorNumber() : EIO);
    if (s.direct) {
        const int result = ::close(s.fd);
        s.fd = -1;
        if (result != 0)
            return fail(errno);
        m_state.reset();
        return true;
    }
    if (s.hadTarget)
        keepOwnerAndMode(s.fd, s.old);
    if (::fsync(s.fd) != 0 && errno != EINVAL)
        return fail(errno);
    if (s.named.empty()) {
        // Give the nameless file a name beside the target, then rename it over.
        const std::string self = "/proc/self/fd/" + std::to_string(s.fd);
        const std::filesystem::path folder = folderOf(s.target);
        bool linked = false;
        for (int attempt = 0; attempt < 100 && !linked; ++attempt) {
            s.named = folder / randomName();
            linked = ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, s.named.c_str(), AT_SYMLINK_FOLLOW) == 0;
            if (!linked && errno != EEXIST)
                break;
        }
        if (!linked) {
            // No /proc: copy into a named file.
            std::filesystem::path named;
            const int copy = createNamed(folder, named);
            if (copy < 0) {
                s.named.clear();
                return fail(errno);
            }
            s.named = named;
            const bool copied = copyAll(s.fd, copy);
            if (copied && s.hadTarget)
                keepOwnerAndMode(copy, s.old);
            if (!copied || ::close(copy) != 0)
                return fail(EIO);
        }
    }
    if (::close(s.fd) != 0) {
        s.fd = -1;
        return fail(errno);
    }
    s.fd = -1;
    if (::rename(s.named.c_str(), s.target.c_str()) != 0)
        return fail(errno);
    s.named.clear();
    m_state.reset();
    return true;
}

void SaveFile::discard()
{
    if (!m_state)
        return;
    m_state->closeFd();
    m_state->removeNamed();
    m_state.reset();
}

bool saveFileAtomically(const std::filesystem::path& path, const std::function<bool(std::ostream&)>& write,
                        std::string* error)
{
    SaveFile file;
    if (!file.open(path, error))
        return false;
    if (!write(file.stream())) {
        if (error)
            *error = "write failed";
        return false;
    }
    return file.commit(error);
}

bool saveFileAtomically(const std::filesystem::path& path, std::string_view bytes, std::string* error)
{
    SaveFile file;
    return file.open(path, error) && file.write(bytes) && file.commit(error);
}
