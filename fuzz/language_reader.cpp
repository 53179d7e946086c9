// Feeds arbitrary bytes to the language file reader. A file it accepts must
// survive a write and a second read unchanged, and its lookups must stay
// inside the texts it read. However the entries share the pool's texts, what
// is read stays within a fixed allowance per entry beyond the pool itself.
#include "core/LittleEndian.h"
#include "lang/LanguageFile.h"

#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    LanguageTable table;
    if (decodeLanguageFile(std::span<const std::uint8_t>(data, size), table) != LanguageFileResult::Ok)
        return 0;

    const std::uint64_t poolSize = size >= 16 ? le::loadU32(data + 12) : 0;
    std::uint64_t decoded = 0;
    for (const LanguageEntry& entry : table.entries())
        decoded += entry.text.size();
    if (decoded > poolSize + table.size() * kLanguageTextAllowance)
        std::abort();

    for (const LanguageEntry& entry : table.entries()) {
        const std::string* text = table.find(entry.key);
        if (!text)
            std::abort();
        if (const std::optional<std::uint32_t> mapped = table.mappedKey(entry.key))
            (void)table.find(*mapped);
    }

    const std::string image = encodeLanguageFile(table, true);
    LanguageTable again;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(image.data());
    if (decodeLanguageFile(std::span<const std::uint8_t>(bytes, image.size()), again) != LanguageFileResult::Ok
        || !(again == table) || encodeLanguageFile(again, true) != image)
        std::abort();
    return 0;
}
