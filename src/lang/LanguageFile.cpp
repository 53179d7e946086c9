#include "lang/LanguageFile.h"

#include "core/InputFile.h"
#include "core/LittleEndian.h"
#include "core/SaveFile.h"
#include "lang/StringTable.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

constexpr std::array<std::uint8_t, 4> kMagic = {'L', 'A', 'N', 'G'};
constexpr std::size_t kCountAt = 4, kMappingCountAt = 8, kPoolSizeAt = 12;
constexpr std::size_t kEntrySize = 8;

struct Header
{
    std::uint32_t entries = 0;
    std::uint32_t mappings = 0;
    std::uint32_t poolSize = 0;

    std::uint64_t entriesAt() const { return kLanguageHeaderSize; }
    std::uint64_t mappingsAt() const { return entriesAt() + std::uint64_t{entries} * kEntrySize; }
    std::uint64_t poolAt() const { return mappingsAt() + std::uint64_t{mappings} * kEntrySize; }
    std::uint64_t fileSize() const { return poolAt() + poolSize; } // cannot wrap in 64 bits
};

std::optional<Header> decodeHeader(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < kLanguageHeaderSize || !std::equal(kMagic.begin(), kMagic.end(), bytes.begin()))
        return std::nullopt;
    Header header;
    header.entries = le::loadU32(&bytes[kCountAt]);
    header.mappings = le::loadU32(&bytes[kMappingCountAt]);
    header.poolSize = le::loadU32(&bytes[kPoolSizeAt]);
    return header;
}

} // namespace

const std::string* LanguageTable::find(std::uint32_t key) const
{
    const auto it = std::lower_bound(m_byKey.begin(), m_byKey.end(), key,
                                     [this](std::uint32_t index, std::uint32_t k) { return m_entries[index].key < k; });
    return it != m_byKey.end() && m_entries[*it].key == key ? &m_entries[*it].text : nullptr;
}

std::optional<std::uint32_t> LanguageTable::mappedKey(std::uint32_t key) const
{
    const auto it = std::lower_bound(m_mappings.begin(), m_mappings.end(), key,
                                     [](const KeyMapping& m, std::uint32_t k) { return m.key < k; });
    if (it != m_mappings.end() && it->key == key)
        return it->target;
    return std::nullopt;
}

void LanguageTable::add(std::uint32_t key, std::string_view text)
{
    const std::size_t nul = text.find('\0');
    m_entries.push_back({key, std::string(text.substr(0, nul))});
    const auto index = static_cast<std::uint32_t>(m_entries.size() - 1);
    // Equal keys stay in file order: insert after the last one with this key.
    const auto at = std::upper_bound(m_byKey.begin(), m_byKey.end(), key,
                                     [this](std::uint32_t k, std::uint32_t i) { return k < m_entries[i].key; });
    m_byKey.insert(at, index);
}

void LanguageTable::addAll(std::vector<LanguageEntry> entries)
{
    const std::size_t first = m_entries.size();
    if (first == 0)
        m_entries = std::move(entries);
    else
        std::move(entries.begin(), entries.end(), std::back_inserter(m_entries));
    for (std::size_t i = first; i < m_entries.size(); ++i) {
        std::string& text = m_entries[i].text;
        text.resize(std::min(text.size(), text.find('\0')));
        m_byKey.push_back(static_cast<std::uint32_t>(i));
    }
    // Equal keys stay in file order.
    std::stable_sort(m_byKey.begin(), m_byKey.end(),
                     [this](std::uint32_t a, std::uint32_t b) { return m_entries[a].key < m_entries[b].key; });
}

void LanguageTable::setMappings(std::vector<KeyMapping> mappings)
{
    std::stable_sort(mappings.begin(), mappings.end(),
                     [](const KeyMapping& a, const KeyMapping& b) { return a.key < b.key; });
    m_mappings = std::move(mappings);
}

void LanguageTable::clear()
{
    m_entries.clear();
    m_byKey.clear();
    m_mappings.clear();
}

LanguageFileResult decodeLanguageFile(std::span<const std::uint8_t> bytes, LanguageTable& out)
{
    out.clear();
    const std::optional<Header> header = decodeHeader(bytes);
    if (!header || header->fileSize() > bytes.size())
        return LanguageFileResult::BadContent;

    LanguageTable table;
    std::vector<KeyMapping> mappings;
    mappings.reserve(header->mappings);
    for (std::uint32_t i = 0; i < header->mappings; ++i) {
        const std::uint8_t* p = &bytes[header->mappingsAt() + std::uint64_t{i} * kEntrySize];
        mappings.push_back({le::loadU32(p), le::loadU32(p + 4)});
    }
    table.setMappings(std::move(mappings));

    if (header->entries != 0 && header->poolSize != 0) {
        const auto pool = bytes.subspan(header->poolAt(), header->poolSize);
        const std::uint64_t budget = std::uint64_t{header->poolSize}
                                     + std::uint64_t{header->entries} * kLanguageTextAllowance;
        std::uint64_t decoded = 0;
        std::vector<LanguageEntry> entries;
        entries.reserve(header->entries);
        for (std::uint32_t i = 0; i < header->entries; ++i) {
            const std::uint8_t* p = &bytes[header->entriesAt() + std::uint64_t{i} * kEntrySize];
            const std::uint32_t offset = le::loadU32(p + 4);
            if (offset >= pool.size())
                return LanguageFileResult::BadContent;
            const auto rest = pool.subspan(offset);
            const auto nul = std::find(rest.begin(), rest.end(), std::uint8_t{0});
            if (nul == rest.end())
                return LanguageFileResult::BadContent; // the text would run past the pool
            const auto length = static_cast<std::size_t>(nul - rest.begin());
            decoded += length;
            if (decoded > budget)
                return LanguageFileResult::BadContent; // texts shared far beyond what the file holds
            entries.push_back({le::loadU32(p), std::string(reinterpret_cast<const char*>(rest.data()), length)});
        }
        table.addAll(std::move(entries));
    }
    out = std::move(table);
    return LanguageFileResult::Ok;
}

LanguageFileResult readLanguageFile(const std::filesystem::path& path, LanguageTable& out)
{
    out.clear();
    InputFile file(path);
    if (!file.isOpen())
        return LanguageFileResult::CannotOpen;
    std::istream& in = file.stream();
    const std::uint64_t fileSize = file.size();

    std::vector<std::uint8_t> bytes(kLanguageHeaderSize);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size())))
        return LanguageFileResult::BadContent;
    const std::optional<Header> header = decodeHeader(bytes);
    // Only what the header describes is read, and only when the file is that large.
    if (!header || header->fileSize() > fileSize)
        return LanguageFileResult::BadContent;
    bytes.resize(header->fileSize());
    const auto rest = static_cast<std::streamsize>(bytes.size() - kLanguageHeaderSize);
    if (!in.read(reinterpret_cast<char*>(bytes.data() + kLanguageHeaderSize), rest))
        return LanguageFileResult::BadContent;
    return decodeLanguageFile(bytes, out);
}

std::string encodeLanguageFile(const LanguageTable& table, bool withMappings)
{
    const auto& entries = table.entries();
    const std::size_t mappingCount = withMappings ? table.mappings().size() : 0;
    std::size_t poolSize = 0;
    for (const LanguageEntry& entry : entries)
        poolSize += entry.text.size() + 1;

    const std::size_t poolAt = kLanguageHeaderSize + (entries.size() + mappingCount) * kEntrySize;
    std::string image(poolAt + poolSize, '\0');
    auto* bytes = reinterpret_cast<std::uint8_t*>(image.data());
    std::copy(kMagic.begin(), kMagic.end(), bytes);
    le::storeU32(bytes + kCountAt, static_cast<std::uint32_t>(entries.size()));
    le::storeU32(bytes + kMappingCountAt, static_cast<std::uint32_t>(mappingCount));
    le::storeU32(bytes + kPoolSizeAt, static_cast<std::uint32_t>(poolSize));

    std::uint8_t* entry = bytes + kLanguageHeaderSize;
    std::size_t offset = 0;
    for (const LanguageEntry& e : entries) {
        le::storeU32(entry, e.key);
        le::storeU32(entry + 4, static_cast<std::uint32_t>(offset));
        std::memcpy(bytes + poolAt + offset, e.text.data(), e.text.size()); // NUL already there
        offset += e.text.size() + 1;
        entry += kEntrySize;
    }
    for (std::size_t i = 0; i < mappingCount; ++i, entry += kEntrySize) {
        le::storeU32(entry, table.mappings()[i].key);
        le::storeU32(entry + 4, table.mappings()[i].target);
    }
    return image;
}

bool writeLanguageFile(const std::filesystem::path& path, const LanguageTable& table, std::string* error)
{
    return saveFileAtomically(path, encodeLanguageFile(table), error);
}

bool saveLanguageFile(const std::filesystem::path& path, const LanguageTable& table)
{
    if (writeLanguageFile(path, table))
        return true;
    MessageById(sid::kErrorSavingFile, mb::kOk | mb::kIconStop, {PathText(path)});
    return false;
}
