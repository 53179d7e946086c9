// quantorix-cli explain [--home DIR] --record N [--json] FILE.bsl...
//
// Why a call costs what it costs: record N (counted from 1 over the records of
// the files in the order given, before any filter) is classified and priced
// with the settings and preference values of the program folder, and every
// step is printed as the window's "Explain cost..." shows it. With --json one
// JSON object: "cost" (the final cost, 17 significant digits), "lines" (the
// readable steps) and the steps' values.

#include "calls/CallFileRecord.h"
#include "cli/CliCommand.h"
#include "cli/CliHome.h"
#include "core/Cp1252.h"
#include "lang/StringIds.h"
#include "lang/StringTable.h"
#include "prefs/Preferences.h"
#include "rating/RatingExplanation.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kExitUsage = 2;
constexpr int kExitFailed = 1;

constexpr const char* kUsage = "usage: quantorix-cli explain [--home DIR] --record N [--json] FILE.bsl...\n";

struct ExplainArgs
{
    std::uint64_t record = 0;
    bool json = false;
    std::vector<std::filesystem::path> files;
};

std::optional<std::uint64_t> positiveNumber(const std::string& text)
{
    if (text.empty() || text.size() > 18 || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const std::uint64_t n = std::stoull(text);
    return n > 0 ? std::optional(n) : std::nullopt;
}

std::optional<ExplainArgs> parse(std::vector<std::string> args)
{
    takeHomeOption(args);
    ExplainArgs parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--json") {
            parsed.json = true;
        } else if (a == "--record" || a.rfind("--record=", 0) == 0) {
            std::string value = a.size() > 8 ? a.substr(9) : (i + 1 < args.size() ? args[++i] : std::string());
            const std::optional<std::uint64_t> n = positiveNumber(value);
            if (!n)
                return std::nullopt;
            parsed.record = *n;
        } else if (a.rfind("--", 0) == 0) {
            return std::nullopt;
        } else {
            parsed.files.emplace_back(a);
        }
    }
    if (parsed.record == 0 || parsed.files.empty())
        return std::nullopt;
    return parsed;
}

enum class Found { Record, CannotOpen, Beyond };

// Record n (from 1) over the files in order; the tail of a file shorter than a
// whole record is not a record yet (the collector may be writing it).
Found readRecord(const ExplainArgs& args, CallRecord& call, std::filesystem::path& failed)
{
    std::uint64_t n = args.record - 1;
    for (const std::filesystem::path& path : args.files) {
        std::ifstream in(path, std::ios::binary);
        std::error_code ec;
        const std::uintmax_t size = std::filesystem::file_size(path, ec);
        if (!in || ec) {
            failed = path;
            return Found::CannotOpen;
        }
        const std::uint64_t count = size / CallFileRecord::kSize;
        if (n >= count) {
            n -= count;
            continue;
        }
        CallFileRecord record;
        in.seekg(static_cast<std::streamoff>(n * CallFileRecord::kSize));
        if (!in.read(reinterpret_cast<char*>(record.bytes.data()), CallFileRecord::kSize)) {
            failed = path;
            return Found::CannotOpen;
        }
        call = record.toCall();
        return Found::Record;
    }
    return Found::Beyond;
}

std::string jsonString(std::string_view utf8)
{
    std::string out = "\"";
    for (const char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += ch;
        } else if (c < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            out += escape;
        } else {
            out += ch;
        }
    }
    return out + '"';
}

std::string jsonText(std::string_view cp1252Text) { return jsonString(cp1252::toUtf8(std::string(cp1252Text))); }

std::string jsonNumber(double value)
{
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17g", value);
    return buffer;
}

std::string jsonNumber(std::int64_t value) { return std::to_string(value); }

std::string toJson(const CallExplanation& x, const std::vector<std::string>& lines, std::uint64_t record)
{
    const CallRecord& c = x.call;
    const RatingTrace& t = x.trace;
    std::string out = "{\n  \"record\": " + std::to_string(record);
    const auto member = [&](const char* name, const std::string& value) {
        out += ",\n  \"" + std::string(name) + "\": " + value;
    };
    member("cost", jsonNumber(c.cost));
    member("number", jsonText(c.number()));
    member("directoryEntry", jsonNumber(std::int64_t{t.directoryEntry}));
    member("trunkEntry", jsonNumber(std::int64_t{t.trunkEntry}));
    member("contactEntry", jsonNumber(std::int64_t{t.contactEntry}));
    member("prefixEntry", jsonNumber(std::int64_t{t.prefixEntry}));
    member("callType", jsonNumber(std::int64_t{c.callType}));
    member("carrier", jsonNumber(std::int64_t{c.carrierIndex} + 1));
    member("local", c.localFlag ? "true" : "false");
    member("free", c.freeFlag ? "true" : "false");
    member("destinationEntry", jsonNumber(std::int64_t{t.destinationEntry}));
    member("keyLength", jsonNumber(std::int64_t{t.keyLength}));
    member("duration", jsonNumber(t.duration));
    member("billable", jsonNumber(t.billable));
    member("initialCharge", jsonNumber(t.initialCharge));
    std::string slices = "[";
    for (const RatingSlice& s : t.slices) {
        slices += std::string(slices.size() > 1 ? "," : "") + "\n    {\"from\": " + jsonString(momentText(s.from))
                  + ", \"to\": " + jsonString(momentText(s.to)) + ", \"holiday\": " + (s.holiday ? "true" : "false")
                  + ", \"period\": " + jsonNumber(std::int64_t{s.period}) + ", \"rate\": " + jsonNumber(s.rate)
                  + ", \"unit\": " + jsonNumber(std::int64_t{s.unit}) + ", \"seconds\": " + jsonNumber(s.seconds)
                  + ", \"amount\": " + jsonNumber(s.amount) + "}";
    }
    member("slices", slices + (t.slices.empty() ? "]" : "\n  ]"));
    member("notCharged", jsonNumber(t.notCharged));
    member("beforeModifiers", jsonNumber(t.beforeModifiers));
    member("carrierModifier", jsonNumber(std::int64_t{t.carrierModifier}));
    member("employeeModifier", jsonNumber(std::int64_t{t.employeeModifier}));
    member("exchangeRate", jsonNumber(t.exchangeRate));
    member("beforeRounding", jsonNumber(t.beforeRounding));
    member("rounded", t.rounded ? "true" : "false");
    std::string steps = "[";
    for (const std::string& line : lines)
        steps += std::string(steps.size() > 1 ? "," : "") + "\n    " + jsonText(line);
    member("lines", steps + "\n  ]");
    return out + "\n}\n";
}

int explain(std::vector<std::string> args)
{
    const std::optional<ExplainArgs> parsed = parse(args);
    if (!parsed) {
        std::fputs(kUsage, stderr);
        return kExitUsage;
    }
    const std::unique_ptr<CliHome> home = CliHome::open(args);
    if (!home)
        return CliHome::kExitNoDatabase;
    home->startLanguage();

    CallRecord call{};
    std::filesystem::path failed;
    switch (readRecord(*parsed, call, failed)) {
    case Found::CannotOpen:
        printLine(stderr, LoadText(sid::kErrorOpeningFile), failed);
        return kExitFailed;
    case Found::Beyond:
        std::fprintf(stderr, "quantorix-cli explain: the files hold fewer than %llu records\n",
                     static_cast<unsigned long long>(parsed->record));
        return kExitFailed;
    case Found::Record:
        break;
    }

    Preferences prefs;
    prefs.load(home->ini);
    const CallRating rating(home->settings, RatingOptions::from(prefs));
    const CallExplanation x = explainCall(rating, call);
    const std::vector<std::string> lines = explanationLines(x, home->settings);
    if (parsed->json) {
        const std::string json = toJson(x, lines, parsed->record);
        std::fputs(json.c_str(), stdout);
    } else {
        for (const std::string& line : lines)
            printLine(stdout, line);
    }
    return std::fflush(stdout) == 0 ? 0 : kExitFailed;
}

const CliCommand explainCommand("explain",
                                "[--home DIR] --record N [--json] FILE.bsl...  show how the classification and cost "
                                "of call N came about",
                                explain);

} // namespace
