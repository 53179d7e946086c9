#include "core/GrowableArray.h"

#include <gtest/gtest.h>

TEST(GrowableArrayTest, GrowsByAnEighthClampedOrToTheRequestedSize)
{
    using A = GrowableArray<int>;
    EXPECT_EQ(A::grownAllocation(0, 0, 1), 4u); // step at least 4
    EXPECT_EQ(A::grownAllocation(4, 4, 5), 8u);
    EXPECT_EQ(A::grownAllocation(80, 80, 81), 90u);             // 80 / 8
    EXPECT_EQ(A::grownAllocation(20000, 20000, 20001), 21024u); // at most 1024
    EXPECT_EQ(A::grownAllocation(1024, 1024, 4096), 4096u);     // the request when larger
    EXPECT_EQ(A::grownAllocation(100, 10, 50), 100u);           // fits: unchanged

    A a;
    for (int i = 0; i < 5; ++i)
        a.add(i);
    EXPECT_EQ(a.size(), 5u);
    EXPECT_EQ(a.allocation(), 8u);
}

TEST(GrowableArrayTest, SlotsComingIntoUseAreZero)
{
    GrowableArray<int> a;
    a.setSize(3);
    a[0] = a[1] = a[2] = 7;
    a.setSize(1);
    a.setSize(3); // reused slots
    EXPECT_EQ(a[1], 0);
    EXPECT_EQ(a[2], 0);
    a.setSize(100);
    EXPECT_EQ(a[99], 0);
    a.setSize(0);
    EXPECT_EQ(a.allocation(), 0u);
}

TEST(GrowableArrayTest, InsertRemoveAndCopy)
{
    GrowableArray<int> a;
    a.add(1);
    a.add(3);
    a.insertAt(1, 2);
    a.insertAt(5, 9); // beyond the end: the gap is zero
    EXPECT_EQ(std::vector<int>(a.begin(), a.end()), (std::vector<int>{1, 2, 3, 0, 0, 9}));
    a.add(a[0]); // an element of the array itself
    a.removeAt(2, 3);
    EXPECT_EQ(std::vector<int>(a.begin(), a.end()), (std::vector<int>{1, 2, 9, 1}));
    const GrowableArray<int> b = a;
    a[0] = 5;
    EXPECT_EQ(b[0], 1);
    GrowableArray<int> c = std::move(a);
    EXPECT_EQ(c[0], 5);
    EXPECT_TRUE(a.empty());
}
