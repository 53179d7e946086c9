// Each way a load fails has its own message; a file too large for memory is not called corrupt.

#include "session/LoadFailure.h"
#include "lang/StringTable.h"

#include <gtest/gtest.h>

TEST(LoadFailureTest, NamesTheReason)
{
    EXPECT_EQ(loadFailureMessageId(LoadResult::CannotOpen), sid::kErrorOpeningFile);
    EXPECT_EQ(loadFailureMessageId(LoadResult::TooLarge), sid::kFileTooLargeForMemory);
    EXPECT_EQ(loadFailureMessageId(LoadResult::Corrupt), sid::kLoadingFailedCorrupt);
}
