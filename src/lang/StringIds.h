#pragma once
// Named string ids of the program's string table (lang/StringTable.def).
// sid::kErrorOpeningFile and friends are the ids to pass to LoadText and
// MessageById.

namespace sid {

#define QX_STRING(name, id, text) inline constexpr int name = id;
#include "lang/StringTable.def"
#undef QX_STRING

// Ranges addressed by arithmetic rather than by name.
inline constexpr int kColumnTitleFirst = kColumnDate; // column type t: kColumnTitleFirst + t
inline constexpr int kColumnTitleCount = 19;
inline constexpr int kFileTypeFirst = kFileTypeAll; // extension index i: kFileTypeFirst + i
inline constexpr int kTemplateErrorBase = 25174;    // template parse error code c (1..3): base + c

static_assert(kColumnProject == kColumnTitleFirst + kColumnTitleCount - 1);
static_assert(kFileTypeLanguage == kFileTypeFirst + 4);
static_assert(kTemplateNoReportTag == kTemplateErrorBase + 3);

} // namespace sid
