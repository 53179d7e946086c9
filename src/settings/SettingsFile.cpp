#include "settings/SettingsFile.h"

#include "core/InputFile.h"
#include "core/LittleEndian.h"
#include "core/SaveFile.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <limits>
#include <new>
#include <sstream>

namespace {

constexpr std::size_t kHeaderSize = SettingsHeader::kDiskSize;
constexpr std::size_t kCarriersSize = kCarrierCount * CarrierBlock::kDiskSize;
static_assert(kHeaderSize + kCarriersSize == kSettingsFixedSize);

// Records are read and written in chunks of up to this many bytes.
constexpr std::size_t kChunkBytes = 64 * 1024;

struct ListSpec
{
    std::size_t countAt;
    std::uint64_t recordSize;
};

// The lists in file order.
constexpr std::array<ListSpec, 13> kLists = {{
    {SettingsHeader::kDestinationCountAt, DestinationEntry::kDiskSize},
    {SettingsHeader::kDirectoryCountAt, DirectoryEntry::kDiskSize},
    {SettingsHeader::kTrunkCountAt, TrunkEntry::kDiskSize},
    {SettingsHeader::kContactCountAt, ContactEntry::kDiskSize},
    {SettingsHeader::kHolidayCountAt, HolidayEntry::kDiskSize},
    {SettingsHeader::kExchangeRateCountAt, ExchangeRateEntry::kDiskSize},
    {SettingsHeader::kPrefixCountsAt + 0, PrefixEntry::kDiskSize},
    {SettingsHeader::kPrefixCountsAt + 4, PrefixEntry::kDiskSize},
    {SettingsHeader::kPrefixCountsAt + 8, PrefixEntry::kDiskSize},
    {SettingsHeader::kPrefixCountsAt + 12, PrefixEntry::kDiskSize},
    {SettingsHeader::kPrefixCountsAt + 16, PrefixEntry::kDiskSize},
    {SettingsHeader::kPrefixCountsAt + 20, PrefixEntry::kDiskSize},
    {SettingsHeader::kProjectCountAt, ProjectEntry::kDiskSize},
}};

void scramblePasswords(std::span<std::uint8_t, kHeaderSize> header)
{
    for (std::size_t i = SettingsHeader::kPasswordsAt; i < SettingsHeader::kPasswordsEnd; ++i)
        header[i] ^= kPasswordScramble;
}

bool readExact(std::istream& in, std::uint8_t* p, std::size_t n)
{
    in.read(reinterpret_cast<char*>(p), static_cast<std::streamsize>(n));
    return static_cast<std::size_t>(in.gcount()) == n;
}

// Reads `list.size()` records (the caller sized it after the size check).
template <class Entry> bool readList(std::istream& in, std::vector<Entry>& list)
{
    constexpr std::size_t kPerChunk = std::max<std::size_t>(1, kChunkBytes / Entry::kDiskSize);
    std::vector<std::uint8_t> buffer(std::min(list.size(), kPerChunk) * Entry::kDiskSize);
    for (std::size_t done = 0; done < list.size();) {
        const std::size_t n = std::min(list.size() - done, kPerChunk);
        if (!readExact(in, buffer.data(), n * Entry::kDiskSize))
            return false;
        for (std::size_t i = 0; i < n; ++i)
            list[done + i] = Entry::decode(
                std::span<const std::uint8_t, Entry::kDiskSize>(buffer.data() + i * Entry::kDiskSize,
                                                                Entry::kDiskSize));
        done += n;
    }
    return true;
}

template <class Entry> bool writeList(std::ostream& out, const std::vector<Entry>& list)
{
    constexpr std::size_t kPerChunk = std::max<std::size_t>(1, kChunkBytes / Entry::kDiskSize);
    std::vector<std::uint8_t> buffer(std::min(list.size(), kPerChunk) * Entry::kDiskSize);
    for (std::size_t done = 0; done < list.size();) {
        const std::size_t n = std::min(list.size() - done, kPerChunk);
        for (std::size_t i = 0; i < n; ++i)
            list[done + i].encode(
                std::span<std::uint8_t, Entry::kDiskSize>(buffer.data() + i * Entry::kDiskSize, Entry::kDiskSize));
        out.write(reinterpret_cast<const char*>(buffer.data()), static_cast<std::streamsize>(n * Entry::kDiskSize));
        if (!out)
            return false;
        done += n;
    }
    return true;
}

bool readBody(std::istream& in, const ListCounts& counts, SettingsDatabase& db)
{
    std::array<std::uint8_t, kCarriersSize> carriers{};
    if (!readExact(in, carriers.data(), carriers.size()))
        return false;
    for (std::size_t k = 0; k < db.carriers.size(); ++k)
        db.carriers[k] = CarrierBlock::decode(
            std::span<const std::uint8_t, CarrierBlock::kDiskSize>(carriers.data() + k * CarrierBlock::kDiskSize,
                                                                   CarrierBlock::kDiskSize));
    db.destinations.resize(counts.destinations);
    db.directory.resize(counts.directory);
    db.trunks.resize(counts.trunks);
    db.contacts.resize(counts.contacts);
    db.holidays.resize(counts.holidays);
    db.exchangeRates.resize(counts.exchangeRates);
    if (!readList(in, db.destinations) || !readList(in, db.directory) || !readList(in, db.trunks)
        || !readList(in, db.contacts) || !readList(in, db.holidays) || !readList(in, db.exchangeRates))
        return false;
    for (std::size_t k = 0; k < db.prefixes.size(); ++k) {
        // A stored modifier of 0 means unchanged (100).
        if (db.carriers[k].costModifier == 0)
            db.carriers[k].costModifier = 100;
        db.prefixes[k].resize(counts.prefixes[k]);
        if (!readList(in, db.prefixes[k]))
            return false;
    }
    db.projects.resize(counts.projects);
    return readList(in, db.projects);
}

// What the lists of `counts` take in memory.
std::uint64_t memoryNeeded(const ListCounts& c)
{
    std::uint64_t total = std::uint64_t{c.destinations} * sizeof(DestinationEntry)
                          + std::uint64_t{c.directory} * sizeof(DirectoryEntry)
                          + std::uint64_t{c.trunks} * sizeof(TrunkEntry)
                          + std::uint64_t{c.contacts} * sizeof(ContactEntry)
                          + std::uint64_t{c.holidays} * sizeof(HolidayEntry)
                          + std::uint64_t{c.exchangeRates} * sizeof(ExchangeRateEntry)
                          + std::uint64_t{c.projects} * sizeof(ProjectEntry);
    for (const std::uint32_t n : c.prefixes)
        total += std::uint64_t{n} * sizeof(PrefixEntry);
    return total;
}

ListCounts countsOf(const SettingsDatabase& db)
{
    const auto count = [](const auto& list) {
        return static_cast<std::uint32_t>(
            std::min<std::size_t>(list.size(), std::numeric_limits<std::uint32_t>::max()));
    };
    ListCounts c;
    c.destinations = count(db.destinations);
    c.directory = count(db.directory);
    c.trunks = count(db.trunks);
    c.contacts = count(db.contacts);
    c.holidays = count(db.holidays);
    for (std::size_t k = 0; k < c.prefixes.size(); ++k)
        c.prefixes[k] = count(db.prefixes[k]);
    c.exchangeRates = count(db.exchangeRates);
    c.projects = count(db.projects);
    return c;
}

} // namespace

std::uint64_t requiredSettingsSize(std::span<const std::uint8_t, SettingsHeader::kDiskSize> storedHeader)
{
    std::uint64_t total = kSettingsFixedSize;
    for (const ListSpec& list : kLists)
        total += std::uint64_t{le::loadU32(&storedHeader[list.countAt])} * list.recordSize; // < 2^32 * 2^10 each
    return total;
}

SettingsLoadResult readSettings(std::istream& in, std::uint64_t available, SettingsDatabase& db)
{
    db.clear();
    std::array<std::uint8_t, kHeaderSize> raw{};
    if (available < kSettingsFixedSize || !readExact(in, raw.data(), raw.size())
        || le::loadU32(&raw[SettingsHeader::kMagicAt]) != SettingsHeader::kMagic
        || le::loadU32(&raw[SettingsHeader::kVersionAt]) != SettingsHeader::kVersion
        || requiredSettingsSize(raw) > available)
        return SettingsLoadResult::BadContent;
    scramblePasswords(raw);
    db.header = SettingsHeader::decode(raw);
    try {
        if (!memoryCanHold(memoryNeeded(db.header.counts))) {
            db.clear();
            return SettingsLoadResult::OutOfMemory;
        }
        if (!readBody(in, db.header.counts, db)) {
            db.clear();
            return SettingsLoadResult::BadContent;
        }
    } catch (const std::bad_alloc&) {
        db.clear();
        return SettingsLoadResult::OutOfMemory;
    }
    return SettingsLoadResult::Ok;
}

SettingsLoadResult readSettings(std::span<const std::uint8_t> bytes, SettingsDatabase& db)
{
    // A read-only view of the bytes as a stream, without copying them.
    struct SpanBuffer : std::streambuf
    {
        explicit SpanBuffer(std::span<const std::uint8_t> b)
        {
            char* p = const_cast<char*>(reinterpret_cast<const char*>(b.data()));
            setg(p, p, p + b.size());
        }
    } buffer(bytes);
    std::istream in(&buffer);
    return readSettings(in, bytes.size(), db);
}

SettingsLoadResult loadSettings(const std::filesystem::path& path, SettingsDatabase& db)
{
    InputFile file(path);
    if (!file.isOpen()) {
        db.clear();
        return SettingsLoadResult::CannotOpen;
    }
    return readSettings(file.stream(), file.size(), db);
}

bool writeSettings(std::ostream& out, const SettingsDatabase& db)
{
    std::array<std::uint8_t, kHeaderSize> header{};
    SettingsHeader stored = db.header;
    stored.counts = countsOf(db);
    stored.encode(header);
    scramblePasswords(header);
    out.write(reinterpret_cast<const char*>(header.data()), static_cast<std::streamsize>(header.size()));
    std::array<std::uint8_t, kCarriersSize> carriers{};
    for (std::size_t k = 0; k < db.carriers.size(); ++k)
        db.carriers[k].encode(
            std::span<std::uint8_t, CarrierBlock::kDiskSize>(carriers.data() + k * CarrierBlock::kDiskSize,
                                                             CarrierBlock::kDiskSize));
    out.write(reinterpret_cast<const char*>(carriers.data()), static_cast<std::streamsize>(carriers.size()));
    if (!out)
        return false;
    bool ok = writeList(out, db.destinations) && writeList(out, db.directory) && writeList(out, db.trunks)
              && writeList(out, db.contacts) && writeList(out, db.holidays) && writeList(out, db.exchangeRates);
    for (std::size_t k = 0; ok && k < db.prefixes.size(); ++k)
        ok = writeList(out, db.prefixes[k]);
    return ok && writeList(out, db.projects) && out.flush();
}

std::vector<std::uint8_t> encodeSettings(const SettingsDatabase& db)
{
    std::ostringstream out(std::ios::binary);
    writeSettings(out, db);
    const std::string s = std::move(out).str();
    return std::vector<std::uint8_t>(s.begin(), s.end());
}

bool saveSettings(const std::filesystem::path& path, const SettingsDatabase& db, std::string* error)
{
    return saveFileAtomically(
        path, [&](std::ostream& out) { return writeSettings(out, db); }, error);
}

std::string withPath(std::string_view message, const std::string& path)
{
    std::string out(message);
    for (auto at = out.find("%1"); at != std::string::npos; at = out.find("%1", at + path.size()))
        out.replace(at, 2, path);
    return out;
}
