#include "LanguageTestSupport.h"
#include "TempDir.h"

#include "core/LittleEndian.h"
#include "lang/LanguageFile.h"
#include "lang/LanguageKeys.h"
#include "lang/StringIds.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

std::vector<std::uint8_t> bytesOf(const std::string& image) { return {image.begin(), image.end()}; }

// A hand-made file: header, entries, mappings and pool as given.
std::string rawFile(std::vector<std::pair<std::uint32_t, std::uint32_t>> entries,
                    std::vector<std::pair<std::uint32_t, std::uint32_t>> mappings, const std::string& pool,
                    std::uint32_t poolSize)
{
    std::string image(64 + 8 * (entries.size() + mappings.size()), '\0');
    auto* p = reinterpret_cast<std::uint8_t*>(image.data());
    std::memcpy(p, "LANG", 4);
    le::storeU32(p + 4, static_cast<std::uint32_t>(entries.size()));
    le::storeU32(p + 8, static_cast<std::uint32_t>(mappings.size()));
    le::storeU32(p + 12, poolSize);
    std::size_t at = 64;
    for (const auto& list : {entries, mappings})
        for (const auto& [a, b] : list) {
            le::storeU32(p + at, a);
            le::storeU32(p + at + 4, b);
            at += 8;
        }
    return image + pool;
}

LanguageFileResult decode(const std::string& image, LanguageTable& table)
{
    const auto bytes = bytesOf(image);
    return decodeLanguageFile(bytes, table);
}

} // namespace

TEST(LanguageFile, WrittenFileReadsBackIdenticalAndEncodesToTheSameBytes)
{
    TempDir dir;
    const LanguageTable table = makeTable({{langkey::stringKey(sid::kRecordsExported), "%d Datens\xE4tze exportiert"},
                                           {langkey::menuKey(101, 1, 57601), "\xD6&ffnen...\\tStrg+O"},
                                           {langkey::dialogKey(208, 0), ""},
                                           {langkey::stringKey(25001), "Datum"}});
    ASSERT_TRUE(writeLanguageFile(dir / "Deutsch.lng", table));

    LanguageTable read;
    ASSERT_EQ(readLanguageFile(dir / "Deutsch.lng", read), LanguageFileResult::Ok);
    EXPECT_EQ(read, table);
    EXPECT_EQ(encodeLanguageFile(read), encodeLanguageFile(table));

    const std::string image = encodeLanguageFile(table);
    ASSERT_EQ(image.size(), 64u + 4 * 8 + (24 + 1) + (18 + 1) + (0 + 1) + (5 + 1));
    EXPECT_EQ(image.substr(0, 4), "LANG");
    EXPECT_EQ(image.substr(16, 48), std::string(48, '\0')); // reserved
}

TEST(LanguageFile, MappingIsReadSortedAndWrittenOnlyOnRequest)
{
    const std::string image = rawFile({{5, 0}}, {{30, 5}, {10, 5}}, std::string("five\0", 5), 5);
    LanguageTable table;
    ASSERT_EQ(decode(image, table), LanguageFileResult::Ok);
    ASSERT_EQ(table.mappings().size(), 2u);
    EXPECT_EQ(table.mappings()[0].key, 10u);
    EXPECT_EQ(table.mappedKey(30), 5u);
    EXPECT_FALSE(table.mappedKey(5));

    EXPECT_EQ(le::loadU32(reinterpret_cast<const std::uint8_t*>(encodeLanguageFile(table).data()) + 8), 0u);
    LanguageTable again;
    ASSERT_EQ(decode(encodeLanguageFile(table, true), again), LanguageFileResult::Ok);
    EXPECT_EQ(again, table);
}

TEST(LanguageFile, EntriesKeepFileOrderAndSharedPoolTextsAreAllowed)
{
    // Two keys share one text; a key given twice finds its first entry.
    const std::string pool("abc\0xyz\0", 8);
    const std::string image = rawFile({{9, 4}, {3, 0}, {7, 0}, {9, 0}}, {}, pool, 8);
    LanguageTable table;
    ASSERT_EQ(decode(image, table), LanguageFileResult::Ok);
    ASSERT_EQ(table.size(), 4u);
    EXPECT_EQ(table.entries()[0].key, 9u);
    EXPECT_EQ(*table.find(3), "abc");
    EXPECT_EQ(*table.find(9), "xyz");
    EXPECT_EQ(table.find(4), nullptr);
}

TEST(LanguageFile, TextsSharedFarBeyondTheFileAreRefused)
{
    // 20,000 entries on one text of 100 KB would take 2 GB.
    const std::string pool = std::string(100000, 't') + '\0';
    std::vector<std::pair<std::uint32_t, std::uint32_t>> entries;
    for (std::uint32_t key = 0; key < 20000; ++key)
        entries.push_back({key, 0});
    LanguageTable table;
    EXPECT_EQ(decode(rawFile(entries, {}, pool, static_cast<std::uint32_t>(pool.size())), table),
              LanguageFileResult::BadContent);
    EXPECT_TRUE(table.empty());
    // Short texts shared by many keys are still fine.
    EXPECT_EQ(decode(rawFile(entries, {}, "OK" + std::string(1, '\0'), 3), table), LanguageFileResult::Ok);
    EXPECT_EQ(*table.find(19999), "OK");
}

TEST(LanguageFile, ManyKeysInDescendingOrderAreIndexed)
{
    std::vector<std::pair<std::uint32_t, std::uint32_t>> entries;
    for (std::uint32_t key = 200000; key > 0; --key)
        entries.push_back({key, key % 2 == 0 ? 0u : 2u});
    entries.push_back({7, 4}); // a second entry of key 7: the first one counts
    LanguageTable table;
    ASSERT_EQ(decode(rawFile(entries, {}, std::string("a\0b\0c\0", 6), 6), table), LanguageFileResult::Ok);
    EXPECT_EQ(*table.find(200000), "a");
    EXPECT_EQ(*table.find(7), "b");
    EXPECT_EQ(table.find(0), nullptr);
}

TEST(LanguageFile, FifoIsNotWaitedOn)
{
    TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "x.lng").c_str(), 0666), 0);
    LanguageTable table;
    EXPECT_EQ(readLanguageFile(dir / "x.lng", table), LanguageFileResult::CannotOpen);
}

TEST(LanguageFile, FileWithoutEntriesOrPoolHoldsNoTexts)
{
    LanguageTable table;
    EXPECT_EQ(decode(rawFile({}, {}, "", 0), table), LanguageFileResult::Ok);
    EXPECT_TRUE(table.empty());
    // Entries but an empty pool: no texts, not a damaged file.
    EXPECT_EQ(decode(rawFile({{1, 0}, {2, 7}}, {{4, 1}}, "", 0), table), LanguageFileResult::Ok);
    EXPECT_TRUE(table.empty());
    EXPECT_EQ(table.mappedKey(4), 1u);
}

TEST(LanguageFile, DamagedOrHostileFilesAreRefused)
{
    LanguageTable table;
    const std::string good = rawFile({{1, 0}}, {}, std::string("ok\0", 3), 3);
    ASSERT_EQ(decode(good, table), LanguageFileResult::Ok);

    struct Case
    {
        const char* what;
        std::string image;
    };
    std::string badMagic = good;
    badMagic[0] = 'l';
    std::string hugeCount = good;
    le::storeU32(reinterpret_cast<std::uint8_t*>(hugeCount.data()) + 4, 0xFFFFFFFFu);
    std::string hugeMappings = good;
    le::storeU32(reinterpret_cast<std::uint8_t*>(hugeMappings.data()) + 8, 0x20000000u);
    std::string hugePool = good;
    le::storeU32(reinterpret_cast<std::uint8_t*>(hugePool.data()) + 12, 0xFFFFFFF0u);
    const Case cases[] = {
        {"empty", ""},
        {"shorter than the header", good.substr(0, 63)},
        {"wrong magic", badMagic},
        {"entry count beyond the file", hugeCount},
        {"mapping count beyond the file", hugeMappings},
        {"pool beyond the file", hugePool},
        {"pool cut short", good.substr(0, good.size() - 1)},
        {"offset at the pool end", rawFile({{1, 3}}, {}, std::string("ok\0", 3), 3)},
        {"offset far outside", rawFile({{1, 0}, {2, 0x7FFFFFFF}}, {}, std::string("ok\0", 3), 3)},
        {"text without NUL at the pool end", rawFile({{1, 0}, {2, 3}}, {}, std::string("ok\0abc", 6), 6)},
    };
    for (const Case& c : cases) {
        table.add(99, "stale");
        EXPECT_EQ(decode(c.image, table), LanguageFileResult::BadContent) << c.what;
        EXPECT_TRUE(table.empty()) << c.what;
    }
}

TEST(LanguageFile, ReaderChecksCountsBeforeReadingAndIgnoresTrailingBytes)
{
    TempDir dir;
    LanguageTable table;
    EXPECT_EQ(readLanguageFile(dir / "missing.lng", table), LanguageFileResult::CannotOpen);

    std::string huge = rawFile({{1, 0}}, {}, std::string("ok\0", 3), 3);
    le::storeU32(reinterpret_cast<std::uint8_t*>(huge.data()) + 4, 0x7FFFFFFFu);
    writeBytes(dir / "huge.lng", huge);
    EXPECT_EQ(readLanguageFile(dir / "huge.lng", table), LanguageFileResult::BadContent);

    writeBytes(dir / "trailing.lng", rawFile({{1, 0}}, {}, std::string("ok\0", 3), 3) + "junk");
    ASSERT_EQ(readLanguageFile(dir / "trailing.lng", table), LanguageFileResult::Ok);
    EXPECT_EQ(*table.find(1), "ok");
}

TEST(LanguageFile, FailedSaveShowsErrorSavingFileWithThePath)
{
    TempDir dir;
    CapturingSink sink;
    const std::filesystem::path path = dir / "no such folder" / "Deutsch.lng";
    EXPECT_FALSE(saveLanguageFile(path, makeTable({{1, "x"}})));
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0].id, sid::kErrorSavingFile);
    EXPECT_EQ(sink.shown[0].text, "Error saving file!\n\n" + path.string());
}
