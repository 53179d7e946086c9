#pragma once
// The message that says why call files could not be loaded, the same in the
// window, the report tasks and the command line.

#include "calls/CallSession.h"

// The string id for a failed load: the file could not be opened, would not fit
// in memory, or is corrupt. Each message takes the file's name as %1.
int loadFailureMessageId(LoadResult result);
