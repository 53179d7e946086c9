#include "session/FilterOption.h"

#include "TempDir.h"
#include "core/IniProfile.h"
#include "filter/SavedFilters.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

class FilterOptionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SavedFilter s;
        s.setName("Long calls");
        s.filter.durationOn = 1;
        s.filter.minDuration = 600;
        ASSERT_TRUE(savedfilters::save(dir.path(), {s}));
    }
    std::optional<FilterRecord> choose(std::vector<std::string> args, const std::string& ini = {},
                                       std::string* error = nullptr)
    {
        std::ofstream(dir / "quantorix.ini") << ini;
        FilterOption option;
        EXPECT_TRUE(option.take(args));
        EXPECT_EQ(args, std::vector<std::string>{"calls.bsl"});
        return option.resolve(dir.path(), IniProfile(dir / "quantorix.ini"), error);
    }
    TempDir dir;
};

} // namespace

TEST_F(FilterOptionTest, NamedNoneAndDefault)
{
    EXPECT_EQ(choose({"--filter", "Long calls", "calls.bsl"})->minDuration, 600);
    EXPECT_EQ(choose({"calls.bsl", "--filter=Long calls"})->minDuration, 600);
    EXPECT_FALSE(choose({"--no-filter", "calls.bsl"}, "[File]\nFilter=Long calls\n")->isActive());
    EXPECT_TRUE(choose({"calls.bsl"}, "[File]\nFilter=Long calls\n")->isActive());
    EXPECT_FALSE(choose({"calls.bsl"}, "[File]\nFilter=Short calls\n")->isActive());
    EXPECT_FALSE(choose({"calls.bsl"})->isActive());
}

TEST_F(FilterOptionTest, UnknownNameIsAnInvalidArgument)
{
    std::string error;
    EXPECT_FALSE(choose({"--filter", "long calls", "calls.bsl"}, {}, &error));
    EXPECT_EQ(error, "Invalid command line argument:\nfilter=\"long calls\"");

    FilterOption option;
    std::vector<std::string> args{"calls.bsl", "--filter"};
    EXPECT_FALSE(option.take(args, &error));
}
