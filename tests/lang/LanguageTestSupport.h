#pragma once
// Helpers for the language tests: writing language files and catching messages.

#include "lang/LanguageFile.h"
#include "lang/Message.h"

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

inline LanguageTable makeTable(std::initializer_list<std::pair<std::uint32_t, std::string>> entries)
{
    LanguageTable table;
    for (const auto& [key, text] : entries)
        table.add(key, text);
    return table;
}

inline void writeBytes(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Records every message instead of showing it, for as long as it lives.
class CapturingSink : public MessageSink
{
public:
    struct Shown
    {
        int id;
        std::string text;
        int boxType;
    };

    CapturingSink()
        : m_previous(installMessageSink(this))
    { }
    ~CapturingSink() override { installMessageSink(m_previous); }

    int show(int id, const std::string& text, int boxType) override
    {
        shown.push_back({id, text, boxType});
        return answer;
    }

    std::vector<Shown> shown;
    int answer = mb::kIdOk;

private:
    MessageSink* m_previous;
};
