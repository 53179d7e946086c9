#pragma once
// The lock of a shared settings database: "lock.dat" in the data folder.
//
// When: the lock is taken when the settings are opened for editing (the
// settings sheet opens on its working copy) and released when the sheet
// closes, after OK has saved the file or on Cancel. Only one workstation edits
// at a time; everyone may read the file meanwhile.
//
// How: the holder keeps "lock.dat" open with an open-file-description write
// lock over the whole file (fcntl F_OFD_SETLK). The kernel, and on a network
// file system its lock manager, drops that lock when the holder ends in any
// way, so a lock left behind by a killed or crashed process locks nobody out.
// The lock conflicts even between two SettingsLock objects of one process.
//
// The file's content names the holder: host, process id, process start time,
// boot id and the time the lock was taken. It is shown for "who has it", and
// it is the whole lock on a file system without byte-range locks (there the
// record alone decides, and two takers racing for it may both win):
//  - a holder on this host is stale when this host was restarted since (boot
//    id), when no process has its id, or when the process with its id started
//    at another time (the id was reused);
//  - a holder on another host cannot be checked from here; its lock is stale
//    when the file was not touched for kForeignLockLifetime (refresh() touches it).
// Release empties the file and drops the lock; the file itself stays, so a
// process waiting on it never locks a file that was unlinked under it.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

class SettingsLock
{
public:
    enum class Result {
        Acquired,
        HeldByOther, // a live holder has it
        NotWritable, // the folder, "lock.dat" or "brisel.dat" cannot be written
    };
    enum class Mechanism {
        Automatic,  // byte-range lock, or the record alone where the file system has no locks
        RecordOnly, // the record alone
    };

    struct Holder
    {
        std::string host;
        std::int64_t pid = 0;
        std::uint64_t startTime = 0; // process start, clock ticks after boot
        std::string bootId;
        std::int64_t takenAt = 0; // seconds since the epoch

        bool operator==(const Holder&) const = default;
    };

    static constexpr std::chrono::hours kForeignLockLifetime{12};

    SettingsLock() = default;
    ~SettingsLock() { release(); }
    SettingsLock(const SettingsLock&) = delete;
    SettingsLock& operator=(const SettingsLock&) = delete;

    // Takes the lock of `folder` (its "lock.dat"). On HeldByOther, holder() says who has it.
    Result acquire(const std::filesystem::path& folder, Mechanism mechanism = Mechanism::Automatic);
    // Gives the lock up; nothing when not held.
    void release();
    bool held() const { return m_fd >= 0; }
    // True while the lock is still ours: always with a byte-range lock; with the
    // record alone, while the file still names us (a stale-lock breaker may have taken over).
    bool stillHeld() const;
    // Touches the file, so holders on other hosts keep seeing a live lock.
    void refresh();

    const std::optional<Holder>& holder() const { return m_holder; }

    // This process as a holder.
    static Holder self();
    // Whether a recorded holder is gone (see above); `recordAge` is the time since the file was last touched.
    static bool isStale(const Holder& holder, std::chrono::seconds recordAge);
    static std::string serialize(const Holder& holder);
    static std::optional<Holder> parse(const std::string& text);

private:
    int m_fd = -1;
    bool m_recordOnly = false;
    std::filesystem::path m_path;
    std::optional<Holder> m_holder; // ours when held, else the last holder seen
};
