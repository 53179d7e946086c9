// The settings file reader on arbitrary bytes. Beyond not crashing, a file
// that loads must write back exactly the bytes it was read from (apart from a
// carrier's cost modifier stored as 0, which loads as 100), and the index
// rebuild, lookups and formats must cope with whatever the lists hold.

#include "core/LittleEndian.h"
#include "core/Locale.h"
#include "settings/SettingsFile.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void checkRoundTrip(std::span<const std::uint8_t> in, const SettingsDatabase& db)
{
    const std::vector<std::uint8_t> out = encodeSettings(db);
    const std::uint64_t required = requiredSettingsSize(in.first<SettingsHeader::kDiskSize>());
    if (out.size() != required)
        std::abort();
    std::vector<std::uint8_t> expected(in.begin(), in.begin() + static_cast<std::ptrdiff_t>(required));
    for (int k = 0; k < kCarrierCount; ++k) {
        std::uint8_t* modifier = &expected[1024 + 384 * static_cast<std::size_t>(k) + CarrierBlock::kCostModifierAt];
        if (le::loadI32(modifier) == 0)
            le::storeI32(modifier, 100);
    }
    if (out != expected)
        std::abort();
}

void exercise(SettingsDatabase& db)
{
    db.rebuildIndexes();
    for (int i = -1; i <= static_cast<int>(db.destinations.size()); ++i)
        (void)db.destinationText(i);
    for (const DirectoryEntry& e : db.directory) {
        const int byExtension = db.findExtension(e.extension);
        const int byCode = db.findAccountCode(e.accountCode.view());
        if (byExtension >= static_cast<int>(db.directory.size()) || byCode >= static_cast<int>(db.directory.size()))
            std::abort();
        (void)db.departmentIndexOfEntry(byExtension);
    }
    for (const TrunkEntry& t : db.trunks)
        (void)db.carrierAt(t.carrier);
    for (int i = 0; i < static_cast<int>(db.contacts.size()); ++i)
        (void)db.contactIndexOfEntry(i);
    for (const ProjectEntry& p : db.projects)
        (void)db.projectNameIndexOfEntry(db.findProject(p.accountCode.view()));
    for (double amount : {0.0, -1.005, 1234567.891, 1e300}) {
        (void)db.formatCurrency(amount, Currency::Alternative);
        (void)db.formatCurrency(amount, Currency::Main, true);
        (void)db.roundToCurrencyUnit(amount);
    }
}

// A settings file that is a FIFO is refused at once instead of waiting for a writer.
bool fifoRefused()
{
    const std::string fifo = "/tmp/qx-fuzz-settings-" + std::to_string(::getpid()) + ".fifo";
    std::remove(fifo.c_str());
    if (::mkfifo(fifo.c_str(), 0600) != 0)
        return true;
    SettingsDatabase db;
    const SettingsLoadResult result = loadSettings(fifo, db);
    std::remove(fifo.c_str());
    return result == SettingsLoadResult::CannotOpen;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool pinned = [] {
        Locale::pin("en_US");
        if (!fifoRefused())
            std::abort();
        return true;
    }();
    (void)pinned;
    const std::span<const std::uint8_t> in(data, size);
    SettingsDatabase db;
    if (readSettings(in, db) != SettingsLoadResult::Ok) {
        if (!db.destinations.empty() || !db.contacts.empty() || db.header.magic != 0)
            std::abort(); // a failed load leaves the settings cleared
        return 0;
    }
    checkRoundTrip(in, db);
    exercise(db);
    return 0;
}
