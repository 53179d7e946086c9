#pragma once
// The one way every file is saved.
//
// A regular file is written to a temporary file in its folder and renamed over
// it, so a failed or killed save leaves the previous file as it was:
//  - a symbolic link is followed and the file where it points is replaced (the
//    link stays a link);
//  - the replacement keeps the old file's mode, and its owner and group where
//    this process may set them;
//  - a file this user may not write, or one with no write permission for anyone
//    (read-only), is refused;
//  - the temporary file has no name while it is written (where the file system
//    allows), so a killed save leaves nothing behind; a named leftover of a dead
//    save is removed by a later save into the same folder, and never stands in
//    the way of one (its name is short, random and created exclusively, so any
//    name the file system accepts can be saved).
// A target that is not a regular file (a device such as /dev/null, a FIFO) is
// written straight into and kept; a FIFO without a reader fails at once.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

class SaveFile
{
public:
    // Temporary files are named kTemporaryPrefix + random + kTemporarySuffix.
    static constexpr std::string_view kTemporaryPrefix = ".qxsave-";
    static constexpr std::string_view kTemporarySuffix = ".tmp";

    SaveFile();
    ~SaveFile(); // discards a save that was not committed
    SaveFile(const SaveFile&) = delete;
    SaveFile& operator=(const SaveFile&) = delete;

    // Starts saving to `path`. False (with `error`) when the target cannot be written.
    bool open(const std::filesystem::path& path, std::string* error = nullptr);
    bool isOpen() const;
    // The content goes here; a failed write sets the stream's badbit.
    std::ostream& stream();
    bool write(std::string_view bytes);
    // Completes the save: the content replaces the file. False (with `error`) on any failure,
    // the old file then unchanged (a device or FIFO has had what was written).
    bool commit(std::string* error = nullptr);
    // Gives the save up; the target stays as it was.
    void discard();

    // The file a save to `path` writes: symbolic links followed to their end
    // (also when that end does not exist yet).
    static std::filesystem::path resolveTarget(const std::filesystem::path& path);

private:
    struct State;
    std::unique_ptr<State> m_state;
};

// Writes `bytes` to `path` through SaveFile. Returns false (and leaves `path` untouched) on any failure;
// `error` then says what failed.
bool saveFileAtomically(const std::filesystem::path& path, std::string_view bytes, std::string* error = nullptr);

// Lets `write` stream the content; it returns false to give up. Same guarantees as above.
bool saveFileAtomically(const std::filesystem::path& path, const std::function<bool(std::ostream&)>& write,
                        std::string* error = nullptr);
