// Generates the base language file and the translations shipped with the
// program, from the string table, the built-in menus and dialogs, and the
// window code's resource text files.
//
//   make_language --base OUT.lna [--resources FILE.qxr]... [--translation OUT.lng DIR]...
//
// DIR holds a translation's source: strings.txt ("id<TAB>text" lines) and any
// number of *.qxr files with the translated menus and dialogs. Every string and
// menu text must be translated; anything the base does not have is an error. A
// top-level menu of the main window whose mnemonic is the key of one of its Alt
// accelerators is an error too: Alt and that key would open the menu instead.

#include "lang/LanguageBuilder.h"
#include "lang/LanguageFile.h"
#include "lang/Resources.h"
#include "lang/StringTable.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Translation
{
    fs::path output;
    fs::path sourceDir;
};

bool readText(const fs::path& path, std::string& out)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "make_language: cannot read %s\n", path.string().c_str());
        return false;
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    out = buffer.str();
    return true;
}

bool addResourceFile(const fs::path& path, ResourceSet& set)
{
    std::string text, error;
    if (!readText(path, text))
        return false;
    if (!parseResourceText(text, set, &error)) {
        std::fprintf(stderr, "%s: %s\n", path.string().c_str(), error.c_str());
        return false;
    }
    return true;
}

bool writeFile(const fs::path& path, const LanguageTable& table, bool withMappings)
{
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    const std::string image = encodeLanguageFile(table, withMappings);
    if (!out.write(image.data(), static_cast<std::streamsize>(image.size())) || !out.flush()) {
        std::fprintf(stderr, "make_language: cannot write %s\n", path.string().c_str());
        return false;
    }
    return true;
}

bool report(const fs::path& what, const std::vector<std::string>& problems, const char* heading)
{
    for (const std::string& problem : problems)
        std::fprintf(stderr, "%s: %s: %s\n", what.string().c_str(), heading, problem.c_str());
    return problems.empty();
}

constexpr int kMainMenu = 101;

char upperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

const MenuTemplate* findMenu(const ResourceSet& resources, int id)
{
    for (const MenuTemplate& menu : resources.menus)
        if (menu.id == id)
            return &menu;
    return nullptr;
}

// The keys of the "Alt+K" accelerators a menu shows after the tab of its items.
void collectAltKeys(const std::vector<MenuItem>& items, std::string& keys)
{
    static const std::string kAlt = "ALT+";
    for (const MenuItem& item : items) {
        collectAltKeys(item.items, keys);
        const std::size_t tab = item.text.find('\t');
        if (tab == std::string::npos)
            continue;
        std::string shortcut;
        for (const char c : item.text.substr(tab + 1))
            shortcut += upperAscii(c);
        if (shortcut.size() == kAlt.size() + 1 && shortcut.compare(0, kAlt.size(), kAlt) == 0)
            keys += shortcut.back();
    }
}

// The mnemonic of a menu text: the character after a single '&', or none.
char mnemonicOf(const std::string& text)
{
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&')
            continue;
        if (text[i + 1] != '&')
            return upperAscii(text[i + 1]);
        ++i;
    }
    return 0;
}

// Top-level menus of the main window whose mnemonic is an Alt accelerator's key.
// The accelerators are those the program's own menu shows (they are fixed in the
// program) and those the translation shows.
std::vector<std::string> mnemonicClashes(const ResourceSet& program, const ResourceSet& translated)
{
    std::vector<std::string> problems;
    const MenuTemplate* menu = findMenu(translated, kMainMenu);
    if (!menu)
        return problems;
    std::string altKeys;
    if (const MenuTemplate* own = findMenu(program, kMainMenu))
        collectAltKeys(own->items, altKeys);
    collectAltKeys(menu->items, altKeys);
    for (const MenuItem& item : menu->items) {
        const char mnemonic = mnemonicOf(item.text);
        if (item.type == MenuItem::Type::Popup && mnemonic != 0 && altKeys.find(mnemonic) != std::string::npos)
            problems.push_back("menu " + std::to_string(kMainMenu) + ": the mnemonic of \"" + item.text
                               + "\" is the accelerator Alt+" + std::string(1, mnemonic));
    }
    return problems;
}

bool makeTranslation(const Translation& translation, const LanguageTable& base, const ResourceSet& resources)
{
    TranslationSource source;
    std::string text, error;
    const fs::path strings = translation.sourceDir / "strings.txt";
    if (!readText(strings, text))
        return false;
    if (!parseStringsList(text, source.strings, &error)) {
        std::fprintf(stderr, "%s: %s\n", strings.string().c_str(), error.c_str());
        return false;
    }
    std::vector<fs::path> resourceFiles;
    for (const fs::directory_entry& entry : fs::directory_iterator(translation.sourceDir))
        if (entry.path().extension() == ".qxr")
            resourceFiles.push_back(entry.path());
    std::sort(resourceFiles.begin(), resourceFiles.end());
    for (const fs::path& file : resourceFiles)
        if (!addResourceFile(file, source.resources))
            return false;

    std::vector<std::string> problems, missing;
    const LanguageTable table = buildTranslationTable(base, resources, source, problems, missing);
    for (std::string& clash : mnemonicClashes(resources, source.resources))
        problems.push_back(std::move(clash));
    const bool ok = report(translation.sourceDir, problems, "error")
                    && report(translation.sourceDir, missing, "missing");
    return ok && writeFile(translation.output, table, false);
}

int usage()
{
    std::fprintf(stderr,
                 "usage: make_language --base OUT.lna [--resources FILE.qxr]... [--translation OUT.lng DIR]...\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    fs::path baseOutput;
    std::vector<fs::path> resourceFiles;
    std::vector<Translation> translations;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--base" && i + 1 < argc)
            baseOutput = argv[++i];
        else if (arg == "--resources" && i + 1 < argc)
            resourceFiles.emplace_back(argv[++i]);
        else if (arg == "--translation" && i + 2 < argc) {
            translations.push_back({argv[i + 1], argv[i + 2]});
            i += 2;
        } else
            return usage();
    }
    if (baseOutput.empty())
        return usage();

    ResourceSet resources;
    std::string error;
    if (!parseResourceText(ResourceRegistry::builtInResourceText(), resources, &error)) {
        std::fprintf(stderr, "built-in resources: %s\n", error.c_str());
        return 1;
    }
    for (const fs::path& file : resourceFiles)
        if (!addResourceFile(file, resources))
            return 1;
    // The registry orders by id and lets a later template replace an earlier one.
    ResourceRegistry registry;
    registry.add(resources);
    const ResourceSet ordered{registry.menus(), registry.dialogs()};

    std::vector<std::string> problems = mnemonicClashes(ordered, ordered);
    const LanguageTable base = buildBaseTable(ordered, BuiltInStrings(), &problems);
    if (!report(baseOutput, problems, "error") || !writeFile(baseOutput, base, true))
        return 1;
    for (const Translation& translation : translations)
        if (!makeTranslation(translation, base, ordered))
            return 1;
    return 0;
}
