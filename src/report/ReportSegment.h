#pragma once
// A stretch of template text compiled for printing: literal pieces and the
// fields printed between them.

#include "report/ReportSyntax.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One `var`: which value is printed and how it is shaped.
struct ReportField
{
    std::int32_t field = reportfield::None; // -1: prints nothing (but is still padded to width)
    std::int32_t width = 0;                 // 0: natural width; at most kMaxFieldWidth
    std::int32_t align = AlignLeft;
    std::int32_t modifier = reportmodifier::None;
    std::int32_t zeroFill = 0; // 1: right alignment pads with "0"
};

// A negative width reads as natural width and a larger one as this: a value text
// is at most 255 characters, and an unbounded width would let one `var` blow every
// line of a report up to gigabytes.
inline constexpr std::int32_t kMaxFieldWidth = 4096;

// Pieces and fields alternate, beginning and ending with a piece, so there is
// always exactly one piece more than there are fields.
struct ReportSegment
{
    std::vector<std::string> pieces{std::string()};
    std::vector<ReportField> fields;
};

// Splits `stretch` at its `var` elements. Of the text around them only the inner
// texts of `text` elements are kept (concatenated in order); white space, line
// breaks, other tags and stray text are dropped. Throws CReportException for an
// unterminated `var` or `text`.
ReportSegment compileSegment(std::string_view stretch);
