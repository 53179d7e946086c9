#pragma once
// Opening a file for reading that can never block: the file is opened without
// waiting (a FIFO or a device would otherwise wait for a writer or a line) and
// taken only when it is a regular file. Every reader of the program's own files
// and of imported files opens through here.

#include "core/FdStream.h"

#include <cstdint>
#include <filesystem>
#include <istream>
#include <optional>
#include <string>

class InputFile
{
public:
    enum class Status { Ok, Missing, NotRegular, CannotOpen };

    InputFile() = default;
    explicit InputFile(const std::filesystem::path& path) { open(path); }
    ~InputFile() { close(); }
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    Status open(const std::filesystem::path& path);
    void close();
    bool isOpen() const { return m_fd >= 0; }
    Status status() const { return m_status; }
    int fd() const { return m_fd; }
    // The file's size when it was opened.
    std::uint64_t size() const { return m_size; }
    // Reads up to `size` bytes; the count read, -1 on a read error.
    long long read(char* data, std::size_t size);
    // A buffered stream over the file.
    std::istream& stream() { return m_stream; }

private:
    int m_fd = -1;
    Status m_status = Status::CannotOpen;
    std::uint64_t m_size = 0;
    FdInBuf m_buffer;
    std::istream m_stream{&m_buffer};
};

// The whole content of a regular file of at most `limit` bytes; nothing when it
// is missing, not a regular file, unreadable or larger.
std::optional<std::string> readRegularFile(const std::filesystem::path& path, std::uint64_t limit);

// Whether `bytes` more could be held in memory at all (physical memory and swap
// together): a file whose legal size promises more than that is refused before
// anything is allocated.
bool memoryCanHold(std::uint64_t bytes);
