#include "core/Locale.h"

#include <gtest/gtest.h>

TEST(Locale, PinnedUsLocaleGivesItsConventions)
{
    const LocaleData& d = Locale::current().data();
    EXPECT_EQ(d.monthNames[0], "January");
    EXPECT_EQ(d.dayNames[0], "Monday");
    EXPECT_EQ(d.firstDayOfWeek, 1); // Sunday
    EXPECT_FALSE(d.time24);
    EXPECT_EQ(d.currencySymbol, "$");
    EXPECT_EQ(d.currencyPositiveOrder, 0);
    EXPECT_EQ(d.currencyDigits, 2);
    EXPECT_EQ(d.monetaryDecimal, ".");
}

TEST(Locale, CollationIsCaseSensitiveAndLinguistic)
{
    const Locale& l = Locale::current();
    EXPECT_NE(l.compare("Smith", "smith"), 0);
    EXPECT_LT(l.compare("apple", "Banana"), 0); // not byte order
    EXPECT_EQ(l.compare("same", "same"), 0);
}

// Ranks taken at once order the texts as compare() does, equal texts alike;
// the fallback of a locale without its own ranking agrees.
TEST(Locale, CollationRanksAgreeWithCompare)
{
    class CompareOnly : public Locale
    {
    public:
        const LocaleData& data() const override { return Locale::current().data(); }
        int compare(std::string_view a, std::string_view b) const override { return Locale::current().compare(a, b); }
    };
    const std::vector<std::string_view> texts = {"Banana", "apple", "smith", "Smith", "\xC4rger", "apple", "", "Zoe"};
    for (const std::vector<std::uint32_t>& ranks :
         {Locale::current().collationRanks(texts), CompareOnly().collationRanks(texts)}) {
        ASSERT_EQ(ranks.size(), texts.size());
        for (std::size_t a = 0; a < texts.size(); ++a)
            for (std::size_t b = 0; b < texts.size(); ++b) {
                const int order = Locale::current().compare(texts[a], texts[b]);
                EXPECT_EQ(ranks[a] < ranks[b], order < 0) << texts[a] << " / " << texts[b];
                EXPECT_EQ(ranks[a] == ranks[b], order == 0) << texts[a] << " / " << texts[b];
            }
    }
}
