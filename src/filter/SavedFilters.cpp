#include "filter/SavedFilters.h"

#include "core/InputFile.h"
#include "core/LittleEndian.h"
#include "core/Locale.h"
#include "core/ProgramFolder.h"
#include "core/SaveFile.h"

#include <algorithm>
#include <cstring>
#include <fstream>

SavedFilter SavedFilter::decode(std::span<const std::uint8_t, kDiskSize> in)
{
    SavedFilter s;
    std::memcpy(s.name.data(), in.data(), kNameSize);
    s.filter = FilterRecord::decode(in.subspan<kFilterAt, FilterRecord::kDiskSize>());
    return s;
}

void SavedFilter::encode(std::span<std::uint8_t, kDiskSize> out) const
{
    std::memcpy(out.data(), name.data(), kNameSize);
    filter.encode(out.subspan<kFilterAt, FilterRecord::kDiskSize>());
}

namespace savedfilters {

SavedFilterList read(std::span<const std::uint8_t> file)
{
    SavedFilterList filters;
    if (file.size() < kHeaderSize || le::loadU32(file.data()) != kMagic)
        return filters;
    const std::uint32_t version = le::loadU32(file.data() + 4);
    if (version != kVersion1 && version != kVersion2)
        return filters;
    const std::size_t entrySize = version == kVersion2 ? SavedFilter::kDiskSize : kVersion1EntrySize;
    const std::uint64_t stated = le::loadU32(file.data() + 8);
    const std::size_t data = file.size() - kHeaderSize;
    const std::uint64_t present = (data + entrySize - 1) / entrySize; // the last one may be cut short
    const std::size_t count = static_cast<std::size_t>(std::min(stated, present));

    filters.reserve(count);
    std::array<std::uint8_t, SavedFilter::kDiskSize> entry;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = kHeaderSize + i * entrySize;
        const std::size_t n = std::min(entrySize, file.size() - at);
        entry.fill(0);
        std::memcpy(entry.data(), file.data() + at, n);
        filters.push_back(SavedFilter::decode(entry));
    }
    return filters;
}

std::vector<std::uint8_t> write(const SavedFilterList& filters)
{
    std::vector<std::uint8_t> file(kHeaderSize + filters.size() * SavedFilter::kDiskSize, 0);
    le::storeU32(file.data(), kMagic);
    le::storeU32(file.data() + 4, kVersion2);
    le::storeU32(file.data() + 8, static_cast<std::uint32_t>(filters.size()));
    for (std::size_t i = 0; i < filters.size(); ++i) {
        filters[i].encode(
            std::span<std::uint8_t, SavedFilter::kDiskSize>(file.data() + kHeaderSize + i * SavedFilter::kDiskSize,
                                                            SavedFilter::kDiskSize));
    }
    return file;
}

std::filesystem::path pathIn(const std::filesystem::path& programFolder)
{
    return programFolder / programfolder::kFiltersName;
}

SavedFilterList load(const std::filesystem::path& programFolder)
{
    InputFile file(pathIn(programFolder)); // a regular file only, never waited on
    std::istream& in = file.stream();
    const std::uint64_t size = file.size();
    if (!file.isOpen() || size < kHeaderSize)
        return {};
    std::vector<std::uint8_t> bytes(kHeaderSize);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), kHeaderSize))
        return {};
    // Only as much as the stated entries need, and never more than the file holds.
    const std::uint32_t version = le::loadU32(bytes.data() + 4);
    const std::uint64_t entrySize = version == kVersion2 ? SavedFilter::kDiskSize : kVersion1EntrySize;
    const std::uint64_t wanted = kHeaderSize + std::uint64_t{le::loadU32(bytes.data() + 8)} * entrySize;
    bytes.resize(static_cast<std::size_t>(std::min<std::uint64_t>(wanted, size)));
    in.read(reinterpret_cast<char*>(bytes.data()) + kHeaderSize,
            static_cast<std::streamsize>(bytes.size() - kHeaderSize));
    bytes.resize(kHeaderSize + static_cast<std::size_t>(in.gcount())); // a file that shrank meanwhile
    return read(bytes);
}

bool save(const std::filesystem::path& programFolder, const SavedFilterList& filters, std::string* error)
{
    const std::vector<std::uint8_t> file = write(filters);
    return saveFileAtomically(pathIn(programFolder),
                              std::string_view(reinterpret_cast<const char*>(file.data()), file.size()), error);
}

const SavedFilter* find(const SavedFilterList& filters, std::string_view name)
{
    const Locale& locale = Locale::current();
    for (const SavedFilter& saved : filters) {
        if (locale.compare(saved.nameText(), name) == 0)
            return &saved;
    }
    return nullptr;
}

} // namespace savedfilters
