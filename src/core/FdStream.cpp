#include "core/FdStream.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <unistd.h>

namespace {

// Writes with SIGPIPE blocked on this thread; a SIGPIPE that the write raised is
// taken back, so only the EPIPE error remains.
ssize_t writeWithoutSigpipe(int fd, const char* data, std::size_t size)
{
    sigset_t pipe, old;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    sigset_t pending;
    sigemptyset(&pending);
    ::pthread_sigmask(SIG_BLOCK, &pipe, &old);
    ::sigpending(&pending);
    const bool wasPending = sigismember(&pending, SIGPIPE) == 1;
    const ssize_t n = ::write(fd, data, size);
    const int error = errno;
    if (n < 0 && error == EPIPE && !wasPending) {
        const struct timespec now
        { };
        while (::sigtimedwait(&pipe, nullptr, &now) < 0 && errno == EINTR) { }
    }
    ::pthread_sigmask(SIG_SETMASK, &old, nullptr);
    errno = error;
    return n;
}

} // namespace

bool FdOutBuf::writeAll(const char* data, std::size_t size)
{
    if (m_failed || m_fd < 0) {
        m_failed = true;
        return false;
    }
    while (size > 0) {
        const ssize_t n = m_pipe ? writeWithoutSigpipe(m_fd, data, size) : ::write(m_fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            m_errno = n < 0 ? errno : EIO;
            m_failed = true;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool FdOutBuf::drain()
{
    const std::size_t pending = static_cast<std::size_t>(pptr() - pbase());
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
    return pending == 0 ? !m_failed : writeAll(m_buffer.data(), pending);
}

FdOutBuf::int_type FdOutBuf::overflow(int_type c)
{
    if (!drain())
        return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

std::streamsize FdOutBuf::xsputn(const char* s, std::streamsize n)
{
    const std::size_t size = static_cast<std::size_t>(n);
    if (size <= static_cast<std::size_t>(epptr() - pptr())) {
        std::memcpy(pptr(), s, size);
        pbump(static_cast<int>(n));
        return n;
    }
    if (!drain() || !writeAll(s, size))
        return 0;
    return n;
}

FdInBuf::int_type FdInBuf::underflow()
{
    if (gptr() < egptr())
        return traits_type::to_int_type(*gptr());
    if (m_fd < 0 || m_failed)
        return traits_type::eof();
    for (;;) {
        const ssize_t n = ::read(m_fd, m_buffer.data(), m_buffer.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            m_failed = true;
        if (n <= 0)
            return traits_type::eof();
        setg(m_buffer.data(), m_buffer.data(), m_buffer.data() + n);
        return traits_type::to_int_type(*gptr());
    }
}
