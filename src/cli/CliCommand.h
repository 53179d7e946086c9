#pragma once
// Sub-commands of quantorix-cli. Each command file registers itself with a
// static CliCommand object; main() dispatches on the first argument.

#include <functional>
#include <string>
#include <vector>

struct CliCommand
{
    using Run = std::function<int(const std::vector<std::string>& args)>;

    CliCommand(std::string name, std::string usage, Run run);

    std::string name;
    std::string usage; // one line: arguments and what the command does
    Run run;

    static const std::vector<const CliCommand*>& all();
};

// Splits "--home DIR" off the arguments (also "--home=DIR"); returns the program folder.
std::string takeHomeOption(std::vector<std::string>& args);

// Call after the known options are taken: true when an argument left over looks
// like an option ("-x", "--x"), which is then an error, not a file name. A "--"
// ends the options; it is removed and what follows it is taken as it is.
bool takeUnknownOption(std::vector<std::string>& args, std::string* unknown = nullptr);
