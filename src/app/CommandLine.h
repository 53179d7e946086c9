#pragma once
// What a command line of the program is: a call file to open or a report task.
// A second start hands its command line to the running program, whose working
// folder is not the second start's own; relative paths are therefore made
// absolute against the second start's folder before they are handed over.

#include <QString>

#include <filesystem>
#include <optional>

// The call file a command line names: its extension, quotes taken away, is
// ".bsl" in any case. Nothing for a report task.
std::optional<std::filesystem::path> callFileOf(const QString& commandLine);

// The command line with its paths absolute against `workingFolder`: a call
// file's path, and a task's call folder ("calls") and an output ("out") that
// names a folder. A task file ("@") is looked for in the program folder and a
// bare output name in the report folder, as on the program's own command line:
// those stay as they are.
QString absoluteCommandLine(const QString& commandLine, const QString& workingFolder);
