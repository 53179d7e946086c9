#include "calls/KeySort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <string>
#include <vector>

namespace {

// The ranks by plain comparison: equal texts one rank, in byte order.
std::vector<std::uint64_t> expectedRanks(const std::vector<std::string>& texts)
{
    std::vector<std::string> distinct = texts;
    std::sort(distinct.begin(), distinct.end());
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    std::vector<std::uint64_t> ranks;
    for (const std::string& t : texts)
        ranks.push_back(
            static_cast<std::uint64_t>(std::lower_bound(distinct.begin(), distinct.end(), t) - distinct.begin()));
    return ranks;
}

} // namespace

// Long runs of texts that agree in their first keys are told apart key by key,
// whether the expected alphabet holds them or not.
TEST(KeySortTest, RanksTextsAsByteOrderDoes)
{
    std::mt19937 random(5);
    const keysort::TextPacking digits("-0123456789");
    for (const std::string alphabet : {"0123456789-", "0123456789-*#", "ab\xE4\xFF"}) {
        SCOPED_TRACE(alphabet);
        std::vector<std::string> texts(6000);
        for (std::string& t : texts) {
            t = std::string(random() % 3 == 0 ? 0 : 20 + random() % 30, alphabet[0]); // shared prefixes past two keys
            for (std::size_t n = random() % 6; n > 0; --n)
                t += alphabet[random() % alphabet.size()];
        }
        auto textOf = [&](std::size_t i) { return std::string_view(texts[i]); };
        std::vector<std::uint32_t> representatives;
        const std::vector<std::uint64_t> ranks = keysort::rankTexts(texts.size(), textOf, digits, &representatives);
        EXPECT_EQ(ranks, expectedRanks(texts));
        for (std::size_t rank = 0; rank < representatives.size(); ++rank)
            ASSERT_EQ(ranks[representatives[rank]], rank);
    }
}

// Two keys of any width: stable, ties in the order the rows came.
TEST(KeySortTest, SortsRowsStablyByTwoKeys)
{
    std::mt19937_64 random(9);
    for (const int wide : {0, 1}) {
        std::vector<std::uint32_t> rows(5000);
        std::iota(rows.begin(), rows.end(), 100u);
        std::vector<std::uint64_t> first(rows.size()), second(rows.size());
        for (std::size_t i = 0; i < rows.size(); ++i) {
            first[i] = wide ? random() % 4 * 0x4000000000000000u : random() % 5;
            second[i] = wide ? random() | 1 : random() % 3;
        }
        std::vector<std::size_t> expected(rows.size());
        std::iota(expected.begin(), expected.end(), 0u);
        std::stable_sort(expected.begin(), expected.end(), [&](std::size_t a, std::size_t b) {
            return first[a] != first[b] ? first[a] < first[b] : second[a] < second[b];
        });
        std::vector<std::uint64_t> k1 = first, k2 = second;
        keysort::sortRows(rows, k1, &k2);
        for (std::size_t i = 0; i < rows.size(); ++i)
            ASSERT_EQ(rows[i], expected[i] + 100) << wide << " " << i;
    }
}
