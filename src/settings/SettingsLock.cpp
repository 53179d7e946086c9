#include "settings/SettingsLock.h"

#include "settings/SettingsLocation.h"

#include <cerrno>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string readFirstLine(const char* path)
{
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

std::string hostName()
{
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0)
        return {};
    return name;
}

// Field 22 of /proc/<pid>/stat: the start time in clock ticks after boot; 0 when unknown.
std::uint64_t processStartTime(std::int64_t pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto close = stat.rfind(')');
    if (close == std::string::npos)
        return 0;
    std::istringstream fields(stat.substr(close + 2)); // field 3 onwards
    std::string field;
    for (int i = 3; i <= 22 && fields >> field; ++i) {
        if (i == 22)
            return std::strtoull(field.c_str(), nullptr, 10);
    }
    return 0;
}

bool processExists(std::int64_t pid)
{
    if (pid <= 0 || pid > 0x7fffffff)
        return false;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

std::string readAll(int fd)
{
    std::string text;
    char buffer[512];
    off_t at = 0;
    for (;;) {
        const ssize_t n = ::pread(fd, buffer, sizeof buffer, at);
        if (n <= 0 || text.size() > 4096)
            break;
        text.append(buffer, static_cast<std::size_t>(n));
        at += n;
    }
    return text;
}

bool writeRecord(int fd, const std::string& text)
{
    if (::ftruncate(fd, 0) != 0)
        return false;
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::pwrite(fd, text.data() + done, text.size() - done, static_cast<off_t>(done));
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    ::fsync(fd);
    return true;
}

std::chrono::seconds ageOf(int fd)
{
    struct stat st
    {
    };
    if (::fstat(fd, &st) != 0)
        return std::chrono::seconds{0};
    return std::chrono::seconds{std::max<std::int64_t>(0, std::time(nullptr) - st.st_mtim.tv_sec)};
}

bool writable(const std::filesystem::path& path) { return ::access(path.c_str(), W_OK) == 0; }

// Fails with the errno of the attempt: EAGAIN/EACCES when someone holds it.
bool lockWholeFile(int fd)
{
    struct flock fl
    {
    };
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = 0;
    fl.l_len = 0;
    return ::fcntl(fd, F_OFD_SETLK, &fl) == 0;
}

} // namespace

SettingsLock::Holder SettingsLock::self()
{
    Holder h;
    h.host = hostName();
    h.pid = ::getpid();
    h.startTime = processStartTime(h.pid);
    h.bootId = readFirstLine("/proc/sys/kernel/random/boot_id");
    h.takenAt = static_cast<std::int64_t>(std::time(nullptr));
    return h;
}

std::string SettingsLock::serialize(const Holder& h)
{
    std::ostringstream out;
    out << "host=" << h.host << "\npid=" << h.pid << "\nstart=" << h.startTime << "\nboot=" << h.bootId
        << "\ntaken=" << h.takenAt << "\n";
    return out.str();
}

std::optional<SettingsLock::Holder> SettingsLock::parse(const std::string& text)
{
    Holder h;
    bool any = false;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        const auto eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        const std::string key = line.substr(0, eq);
        const std::string value = line.substr(eq + 1);
        any = true;
        if (key == "host")
            h.host = value;
        else if (key == "pid")
            h.pid = std::strtoll(value.c_str(), nullptr, 10);
        else if (key == "start")
            h.startTime = std::strtoull(value.c_str(), nullptr, 10);
        else if (key == "boot")
            h.bootId = value;
        else if (key == "taken")
            h.takenAt = std::strtoll(value.c_str(), nullptr, 10);
    }
    if (!any)
        return std::nullopt;
    return h;
}

bool SettingsLock::isStale(const Holder& holder, std::chrono::seconds recordAge)
{
    const Holder me = self();
    if (holder.host != me.host)
        return recordAge >= kForeignLockLifetime;
    if (!holder.bootId.empty() && !me.bootId.empty() && holder.bootId != me.bootId)
        return true;
    if (!processExists(holder.pid))
        return true;
    const std::uint64_t start = processStartTime(holder.pid);
    return holder.startTime != 0 && start != 0 && start != holder.startTime;
}

SettingsLock::Result SettingsLock::acquire(const std::filesystem::path& folder, Mechanism mechanism)
{
    release();
    m_holder.reset();
    const std::filesystem::path settings = settingsFilePath(folder);
    std::error_code ec;
    if (!writable(folder) || (std::filesystem::exists(settings, ec) && !writable(settings)))
        return Result::NotWritable;
    const std::filesystem::path path = folder / kLockFileName;
    // Never through a link and only a regular file: anyone who can write the
    // shared folder could plant "lock.dat" as a link to a file to be truncated,
    // or as a FIFO to make every taker wait.
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY, 0666);
    if (fd < 0)
        return errno == EACCES || errno == EROFS || errno == ENOENT || errno == ENOTDIR || errno == ELOOP
                       || errno == ENXIO
                   ? Result::NotWritable
                   : Result::HeldByOther;
    struct stat st
    {
    };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return Result::NotWritable;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    bool recordOnly = mechanism == Mechanism::RecordOnly;
    if (!recordOnly && !lockWholeFile(fd)) {
        if (errno == EAGAIN || errno == EACCES) {
            m_holder = parse(readAll(fd));
            ::close(fd);
            return Result::HeldByOther;
        }
        recordOnly = true; // no byte-range locks here (ENOLCK, EINVAL, EOPNOTSUPP ...)
    }
    if (recordOnly) {
        const std::optional<Holder> current = parse(readAll(fd));
        if (current && !isStale(*current, ageOf(fd))) {
            m_holder = current;
            ::close(fd);
            return Result::HeldByOther;
        }
    }
    const Holder me = self();
    if (!writeRecord(fd, serialize(me))) {
        ::close(fd);
        return Result::NotWritable;
    }
    m_fd = fd;
    m_recordOnly = recordOnly;
    m_path = path;
    m_holder = me;
    return Result::Acquired;
}

void SettingsLock::release()
{
    if (m_fd < 0)
        return;
    if (stillHeld())
        (void)::ftruncate(m_fd, 0);
    ::close(m_fd); // drops the byte-range lock
    m_fd = -1;
    m_recordOnly = false;
}

bool SettingsLock::stillHeld() const
{
    if (m_fd < 0)
        return false;
    if (!m_recordOnly)
        return true;
    const int fd = ::open(m_path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return false;
    struct stat st
    {
    };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    const std::optional<Holder> current = parse(readAll(fd));
    ::close(fd);
    return current && m_holder && *current == *m_holder;
}

void SettingsLock::refresh()
{
    if (m_fd >= 0)
        (void)::futimens(m_fd, nullptr);
}
