#include "core/InputFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysinfo.h>
#include <unistd.h>

InputFile::Status InputFile::open(const std::filesystem::path& path)
{
    close();
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        m_status = errno == ENOENT || errno == ENOTDIR ? Status::Missing
                   : errno == ENXIO                    ? Status::NotRegular
                                                       : Status::CannotOpen;
        return m_status;
    }
    struct stat st
    {
    };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        m_status = Status::NotRegular;
        return m_status;
    }
    // Reads of a regular file never wait anyway; back to ordinary reads.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    m_fd = fd;
    m_size = static_cast<std::uint64_t>(st.st_size);
    m_buffer.setFd(fd);
    m_stream.clear();
    m_status = Status::Ok;
    return m_status;
}

void InputFile::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_buffer.setFd(-1);
}

long long InputFile::read(char* data, std::size_t size)
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(m_fd, data + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    return static_cast<long long>(done);
}

std::optional<std::string> readRegularFile(const std::filesystem::path& path, std::uint64_t limit)
{
    InputFile file(path);
    if (!file.isOpen() || file.size() > limit)
        return std::nullopt;
    std::string text;
    char chunk[64 * 1024];
    for (;;) {
        const long long n = file.read(chunk, sizeof chunk);
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            return text;
        // The file may have grown since it was opened.
        if (text.size() + static_cast<std::size_t>(n) > limit)
            return std::nullopt;
        text.append(chunk, static_cast<std::size_t>(n));
    }
}

bool memoryCanHold(std::uint64_t bytes)
{
    struct sysinfo info
    {
    };
    if (::sysinfo(&info) != 0)
        return true;
    const std::uint64_t unit = info.mem_unit == 0 ? 1 : info.mem_unit;
    const std::uint64_t total = (std::uint64_t{info.totalram} + info.totalswap) * unit;
    return bytes <= total;
}
