#pragma once
// The texts of "quantorix-cli --help" and "quantorix-cli COMMAND --help".

#include <string_view>

// The detailed usage of a sub-command; empty for an unknown name.
std::string_view commandHelp(std::string_view name);
// The description of the --home option every command takes.
std::string_view homeOptionHelp();
// Whether the arguments after the command ask for its help ("--help" or "-h").
bool asksForHelp(int argc, char** argv, int first);
