#pragma once
// The program's string table and text lookup. Texts are Windows-1252 bytes.
// LoadText gives the current language's text of a string id, or the built-in
// English text when the language has none (or when no language service is
// installed: tests and tools get English).

#include "lang/Message.h"
#include "lang/StringIds.h"
#include "lang/TextFormat.h"

#include <span>
#include <string>
#include <string_view>

// The built-in English text of string `id`; empty when the table has no such id.
std::string_view BuiltInText(int id);
bool HasBuiltInText(int id);

struct BuiltInString
{
    int id;
    const char* name; // the constant's name in namespace sid, e.g. "kErrorOpeningFile"
    std::string_view text;
};
// Every entry of the string table, ascending by id.
std::span<const BuiltInString> BuiltInStrings();

// The translated text of string `id`, or its built-in text.
std::string LoadText(int id);
// Command strings: "status prompt\ntool tip". The part before the first line
// break, and the part after it (empty when there is no line break).
std::string LoadTextPrompt(int id);
std::string LoadTextTip(int id);
