#include "session/LoadFailure.h"

#include "lang/StringTable.h"

int loadFailureMessageId(LoadResult result)
{
    switch (result) {
    case LoadResult::CannotOpen:
        return sid::kErrorOpeningFile;
    case LoadResult::TooLarge:
        return sid::kFileTooLargeForMemory;
    default:
        return sid::kLoadingFailedCorrupt;
    }
}
