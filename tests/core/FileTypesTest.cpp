#include "core/FileTypes.h"

#include <gtest/gtest.h>

TEST(FileTypesTest, BuildsDialogFilters)
{
    EXPECT_EQ(filetypes::dialogFilter({filetypes::kCallDatabase}), "Call database files (*.bsl)|*.bsl|");
    EXPECT_EQ(filetypes::dialogFilter({1, 2, -1, 0}), "Text files (*.txt)|*.txt|CSV files (*.csv)|*.csv|");
    // At most three entries; indices outside the table are skipped.
    EXPECT_EQ(filetypes::dialogFilter({0, 9, 4, 3}), "All files (*.*)|*.*|Language files (*.lng)|*.lng|");
    const auto names = [](int index) { return "T" + std::to_string(21101 + index); };
    EXPECT_EQ(filetypes::dialogFilter({4}, names), "T21105 (*.lng)|*.lng|");
}

TEST(FileTypesTest, QtFormOfAFilter)
{
    EXPECT_EQ(filetypes::qtDialogFilter(filetypes::dialogFilter({2, 0})), "CSV files (*.csv);;All files (*.*)");
    EXPECT_EQ(filetypes::qtDialogFilter(""), "");
}
