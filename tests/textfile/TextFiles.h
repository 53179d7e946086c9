#pragma once
// Whole files as byte strings, for the text table tests.

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

inline std::string readAll(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void writeAll(const std::filesystem::path& p, const std::string& text)
{
    std::ofstream(p, std::ios::binary) << text;
}
