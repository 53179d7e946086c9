#pragma once
// "Why this price": a call rated again from its file fields with a trace, and
// that trace as readable lines in the current language, amounts in the main
// currency's format. The rating itself does the work; nothing here decides.

#include "calls/CallRecord.h"
#include "rating/CallRating.h"
#include "rating/RatingTrace.h"

#include <string>
#include <vector>

struct CallExplanation
{
    CallRecord call{}; // as classified and priced
    RatingTrace trace;
};

// Classifies and prices the raw fields of `call` (its dialed number without
// classification's dashes) with a trace.
CallExplanation explainCall(const CallRating& rating, const CallRecord& call);

// The explanation as lines of text (Windows-1252, the current language).
std::vector<std::string> explanationLines(const CallExplanation& explanation, const SettingsDatabase& settings);
std::string explanationText(const CallExplanation& explanation, const SettingsDatabase& settings);

// A number as plain text with up to six decimals, trailing zeros dropped.
std::string plainNumber(double value);
// A civil moment as "YYYY-MM-DD HH:MM:SS".
std::string momentText(std::int64_t moment);
