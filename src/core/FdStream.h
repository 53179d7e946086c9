#pragma once
// Buffered standard streams over a POSIX file descriptor that the caller owns.

#include <array>
#include <istream>
#include <ostream>
#include <streambuf>

class FdOutBuf : public std::streambuf
{
public:
    explicit FdOutBuf(int fd = -1)
        : m_fd(fd)
    {
        setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
    }
    ~FdOutBuf() override = default;
    void setFd(int fd) { m_fd = fd; }
    // For a pipe: a reader that went away fails the write (EPIPE) instead of
    // ending the process with SIGPIPE.
    void setPipe(bool pipe) { m_pipe = pipe; }
    bool failed() const { return m_failed; }
    int errorNumber() const { return m_errno; }

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* s, std::streamsize n) override;
    int sync() override { return drain() ? 0 : -1; }

private:
    bool drain();
    bool writeAll(const char* data, std::size_t size);

    int m_fd;
    bool m_pipe = false;
    bool m_failed = false;
    int m_errno = 0;
    std::array<char, 64 * 1024> m_buffer{};
};

class FdInBuf : public std::streambuf
{
public:
    explicit FdInBuf(int fd = -1)
        : m_fd(fd)
    {
        setg(m_buffer.data(), m_buffer.data(), m_buffer.data());
    }
    void setFd(int fd) { m_fd = fd; }
    bool failed() const { return m_failed; }

protected:
    int_type underflow() override;

private:
    int m_fd;
    bool m_failed = false;
    std::array<char, 64 * 1024> m_buffer{};
};
