#pragma once
// Making language files from the program's own texts: the base file from the
// string table and the resource registry, and a translation from a reviewable
// source (a strings list and translated resource text). Used by the build
// (tools/make_language) and by the translation editor's "New translation".

#include "lang/LanguageFile.h"
#include "lang/Resources.h"
#include "lang/StringTable.h"

#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The base table: the menus, then the dialogs, then the string table, each in
// ascending id (menus in walk order). Tabs become backslash-t. Control texts
// (not titles) that equal an earlier control text of another dialog are mapped
// to that one's key, so a translator translates "OK" once. Two different
// texts for one key (menus whose ids wrap the key's range) are an error.
LanguageTable buildBaseTable(const ResourceSet& resources, std::span<const BuiltInString> strings,
                             std::vector<std::string>* problems = nullptr);

// Reads a strings list: UTF-8 lines "id<TAB>text", '#' lines and blank lines
// ignored; the text takes the escapes \n \t \\ and is converted to Windows-1252.
// False with `error` ("line N: what") on a malformed line or a repeated id.
bool parseStringsList(std::string_view utf8, std::map<int, std::string>& out, std::string* error = nullptr);

struct TranslationSource
{
    std::map<int, std::string> strings; // string id -> text
    ResourceSet resources;              // menus and dialogs with translated texts
};

// The translation of `base`: one entry per base key that the source translates,
// in base order, with texts that differ from the base text. Keys mapped in the
// base file are translated under the key they map to. Problems: a string id or
// template the base does not have, a menu whose structure differs from the
// base one, and (as "missing ...") every string or menu text left untranslated.
LanguageTable buildTranslationTable(const LanguageTable& base, const ResourceSet& baseResources,
                                    const TranslationSource& source, std::vector<std::string>& problems,
                                    std::vector<std::string>& missing);
