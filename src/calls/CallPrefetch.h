#pragma once
// Passes that visit calls out of table order (a list's order, a group's run) wait
// for memory at every call unless they ask for the calls some steps ahead.

#include "calls/CallRecord.h"

#include <cstddef>

inline constexpr std::size_t kCallPrefetchDistance = 8;

inline void prefetchCall(const CallRecord& call)
{
    const char* bytes = reinterpret_cast<const char*>(&call);
    for (std::size_t offset = 0; offset < sizeof(CallRecord); offset += 64)
        __builtin_prefetch(bytes + offset);
    __builtin_prefetch(bytes + sizeof(CallRecord) - 1);
}
