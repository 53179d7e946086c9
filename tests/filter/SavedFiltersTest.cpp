#include "filter/SavedFilters.h"

#include "TempDir.h"
#include "core/LittleEndian.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

SavedFilter named(std::string_view name, std::int32_t minDuration)
{
    SavedFilter s;
    s.setName(name);
    s.filter.durationOn = 1;
    s.filter.minDuration = minDuration;
    return s;
}

std::vector<std::uint8_t> header(std::uint32_t version, std::uint32_t count)
{
    std::vector<std::uint8_t> file(64, 0);
    le::storeU32(file.data(), savedfilters::kMagic);
    le::storeU32(file.data() + 4, version);
    le::storeU32(file.data() + 8, count);
    return file;
}

std::vector<std::uint8_t> fileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

} // namespace

TEST(SavedFilters, WrittenFileLoadsAndSavesByteIdentical)
{
    TempDir dir;
    SavedFilterList list = {named("Long calls", 600), named(std::string(70, 'n'), 1)};
    list[1].filter.setDestination(std::string(132, 'D'));
    list[1].filter.reserved[5] = 9;
    ASSERT_TRUE(savedfilters::save(dir.path(), list));
    const std::vector<std::uint8_t> first = fileBytes(dir / "filter.dat");
    ASSERT_EQ(first.size(), 64u + 2 * 1024);
    EXPECT_EQ(std::string(first.begin(), first.begin() + 4), "FTFL");
    EXPECT_EQ(le::loadU32(first.data() + 4), 0x00010002u);

    const SavedFilterList loaded = savedfilters::load(dir.path());
    ASSERT_EQ(loaded.size(), 2u);
    EXPECT_EQ(loaded[0].nameText(), "Long calls");
    EXPECT_EQ(loaded[1].nameText(), std::string(63, 'n'));
    EXPECT_EQ(loaded[0].filter.minDuration, 600);
    ASSERT_TRUE(savedfilters::save(dir.path(), loaded));
    EXPECT_EQ(fileBytes(dir / "filter.dat"), first);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1); // no temporary left
}

TEST(SavedFilters, VersionOneEntriesAreWidenedWithZeros)
{
    std::vector<std::uint8_t> file = header(savedfilters::kVersion1, 2);
    for (const SavedFilter& s : {named("A", 10), named("B", 20)}) {
        std::array<std::uint8_t, 1024> entry;
        s.encode(entry);
        file.insert(file.end(), entry.begin(), entry.begin() + 832);
    }
    const SavedFilterList list = savedfilters::read(file);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[1].nameText(), "B");
    EXPECT_EQ(list[1].filter.minDuration, 20);
    EXPECT_EQ(list[0].filter.includeUserTypes, (std::array<std::int32_t, 4>{0, 0, 0, 0}));
    EXPECT_TRUE(list[0].filter.isActive());

    // Saved again, the file is of the new version with whole entries.
    const std::vector<std::uint8_t> again = savedfilters::write(list);
    EXPECT_EQ(le::loadU32(again.data() + 4), savedfilters::kVersion2);
    EXPECT_EQ(again.size(), 64u + 2 * 1024);
}

TEST(SavedFilters, DamagedFilesGiveWhatTheirDataHolds)
{
    const std::vector<std::uint8_t> one = savedfilters::write({named("only", 5)});
    struct Case
    {
        const char* name;
        std::function<void(std::vector<std::uint8_t>&)> damage;
        std::size_t entries;
    };
    const Case cases[] = {
        {"intact", [](auto&) {}, 1},
        {"wrong magic", [](auto& f) { f[0] = 'X'; }, 0},
        {"unknown version", [](auto& f) { le::storeU32(f.data() + 4, 0x00010003); }, 0},
        {"header cut", [](auto& f) { f.resize(63); }, 0},
        {"huge count", [](auto& f) { le::storeU32(f.data() + 8, 0xFFFFFFFF); }, 1},
        {"count beyond data", [](auto& f) { le::storeU32(f.data() + 8, 3); }, 1},
        {"count zero", [](auto& f) { le::storeU32(f.data() + 8, 0); }, 0},
        {"entry cut short", [](auto& f) { f.resize(64 + 100); }, 1},
        {"no entries", [](auto& f) { f.resize(64); }, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::uint8_t> file = one;
        c.damage(file);
        EXPECT_EQ(savedfilters::read(file).size(), c.entries);
    }
    // The missing part of a cut entry reads as zero bytes.
    std::vector<std::uint8_t> cut = one;
    cut.resize(64 + 64 + 0x13A + 2); // the minimum duration's first two bytes only
    const SavedFilterList list = savedfilters::read(cut);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].nameText(), "only");
    EXPECT_EQ(list[0].filter.minDuration, 5);
    EXPECT_EQ(list[0].filter.maxDuration, 0);
    EXPECT_EQ(list[0].filter.includeOutgoing, 1);
    EXPECT_EQ(list[0].filter.includeUserTypes[0], 0);
}

TEST(SavedFilters, MissingOrHostileFileOnDisk)
{
    TempDir dir;
    EXPECT_TRUE(savedfilters::load(dir.path()).empty());
    std::vector<std::uint8_t> file = header(savedfilters::kVersion2, 0x7FFFFFFF);
    file.resize(64 + 1024 + 10, 0);
    writeBytes(dir / "filter.dat", file);
    EXPECT_EQ(savedfilters::load(dir.path()).size(), 2u);

    // A save that cannot be written reports it.
    writeBytes(dir / "filter.dat", savedfilters::write({named("keep", 1)}));
    EXPECT_FALSE(savedfilters::save(dir / "missing-folder", {named("x", 1)}));
    EXPECT_EQ(savedfilters::load(dir.path())[0].nameText(), "keep");
}
