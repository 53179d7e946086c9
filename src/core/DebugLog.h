#pragma once
// The debug log: when INI section "Debug", key "Log" is non-zero, every write
// appends one line to "debug.txt" in the program folder, prefixed with the local
// time as "dd.mm.yyyy hh:mm:ss - ". The switch is read once, on the first write
// after the log was pointed at a program folder; while it is 0 a write does
// nothing and no file is created. A log file that cannot be opened drops the line.

#include <filesystem>

namespace debuglog {

// Points the log at a program folder (its INI file and its "debug.txt"). Until
// called, the folder is programfolder::resolve(). Reads the switch again on the
// next write.
void setProgramFolder(const std::filesystem::path& folder);

// Whether writes go to the file (reads the switch on first use).
bool enabled();

// printf-style; the line break is added.
void write(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace debuglog
