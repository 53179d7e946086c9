// The "filter.dat" reader on arbitrary bytes. Beyond not crashing: the list is
// never longer than the data can hold, a file of the current version with whole
// entries writes back to its own bytes (the reserved header bytes as zero), and
// every loaded filter can be tested against calls and shown as range texts.

#include "core/LittleEndian.h"
#include "core/Locale.h"
#include "filter/FilterMatcher.h"
#include "filter/RangeText.h"
#include "filter/SavedFilters.h"
#include "settings/SettingsDatabase.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const SettingsDatabase& settings()
{
    static const SettingsDatabase db = [] {
        SettingsDatabase d;
        DirectoryEntry e;
        e.extension = 100;
        e.name.assign("Smith");
        e.department.assign("Sales");
        d.directory.push_back(e);
        TrunkEntry t;
        t.number = 1;
        t.group.assign("City");
        d.trunks.push_back(t);
        DestinationEntry de;
        de.country.assign("Germany");
        de.city.assign("Berlin");
        d.destinations.push_back(de);
        d.rebuildIndexes();
        return d;
    }();
    return db;
}

void checkRoundTrip(std::span<const std::uint8_t> in, const SavedFilterList& list)
{
    if (le::loadU32(in.data() + 4) != savedfilters::kVersion2)
        return;
    const std::size_t bytes = savedfilters::kHeaderSize + list.size() * SavedFilter::kDiskSize;
    if (bytes > in.size())
        return; // the last entry was completed with zeros
    std::vector<std::uint8_t> expected(in.begin(), in.begin() + static_cast<std::ptrdiff_t>(bytes));
    std::memset(expected.data() + 12, 0, 52);
    le::storeU32(expected.data() + 8, static_cast<std::uint32_t>(list.size()));
    if (savedfilters::write(list) != expected)
        std::abort();
}

void exercise(const FilterRecord& filter)
{
    CallRecord call = CallRecord::empty();
    call.extension = 100;
    call.trunk = 1;
    call.directoryIndex = call.trunkIndex = call.destinationIndex = 0;
    call.departmentIndex = 0;
    std::memcpy(call.dialedNumber.data(), "0301234", 8);
    const FilterMatcher matcher(filter, settings());
    const bool expected = !filter.isActive() || filter.accept(call, settings());
    if (matcher.accept(call) != expected)
        std::abort();
    const auto plain = [](int n) { return std::to_string(n); };
    const std::string text = rangetext::format(filter.extensions, plain);
    if (rangetext::parse(text).used() > RangeList::kMaxRanges)
        std::abort();
    (void)rangetext::format(filter.trunks, plain);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Locale::pin("en_US");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> in(data, size);
    const SavedFilterList list = savedfilters::read(in);
    if (list.empty())
        return 0;
    const std::size_t entrySize = le::loadU32(data + 4) == savedfilters::kVersion2 ? SavedFilter::kDiskSize
                                                                                   : savedfilters::kVersion1EntrySize;
    if ((list.size() - 1) * entrySize >= size - savedfilters::kHeaderSize)
        std::abort(); // an entry wholly beyond the data
    checkRoundTrip(in, list);
    for (const SavedFilter& saved : list)
        exercise(saved.filter);
    return 0;
}
