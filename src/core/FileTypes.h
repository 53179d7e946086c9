#pragma once
// The extension table and the file-dialog filter builder. The type names are
// strings 21101 + index of the language's string table; the builder takes them
// through a lookup so this layer needs no language service.

#include <array>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

namespace filetypes {

enum Index : int { kAllFiles = 0, kTextFiles = 1, kCsvFiles = 2, kCallDatabase = 3, kLanguageFiles = 4 };

inline constexpr std::array<std::string_view, 5> kExtensions = {".*", ".txt", ".csv", ".bsl", ".lng"};
inline constexpr int kTypeNameStringId = 21101; // + index

// The extension of an index, "" outside the table.
std::string_view extension(int index);
// The English type name of an index, as the base string table has it; "" outside the table.
std::string_view englishTypeName(int index);

// Type name of a table index (Windows-1252 bytes), e.g. the string-table text of 21101 + index.
using TypeNames = std::function<std::string(int index)>;

// "%s (*%s)|*%s|" for each index up to the first -1, at most three; indices outside
// the table are skipped. Without `names` the English type names are used.
// {kCallDatabase} gives "Call database files (*.bsl)|*.bsl|".
std::string dialogFilter(std::initializer_list<int> indices, const TypeNames& names = {});

// The same filter in the form Qt's file dialogs take: "Name (*.ext);;Name (*.ext)".
std::string qtDialogFilter(std::string_view filter);

} // namespace filetypes
