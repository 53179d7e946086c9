#include "session/FilterOption.h"

#include "core/IniProfile.h"
#include "filter/SavedFilters.h"
#include "lang/StringTable.h"

bool FilterOption::take(std::vector<std::string>& args, std::string* error)
{
    static constexpr std::string_view kFilter = "--filter", kFilterIs = "--filter=", kNoFilter = "--no-filter";
    for (std::size_t i = 0; i < args.size();) {
        const std::string& arg = args[i];
        if (arg == kNoFilter) {
            m_mode = Mode::None;
        } else if (arg.starts_with(kFilterIs)) {
            m_mode = Mode::Named;
            m_name = arg.substr(kFilterIs.size());
        } else if (arg == kFilter) {
            if (i + 1 >= args.size()) {
                if (error)
                    *error = "--filter needs the name of a saved filter";
                return false;
            }
            m_mode = Mode::Named;
            m_name = args[i + 1];
            args.erase(args.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
            continue;
        }
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i));
    }
    return true;
}

std::optional<FilterRecord> FilterOption::resolve(const std::filesystem::path& programFolder, const IniProfile& ini,
                                                  std::string* error) const
{
    if (m_mode == Mode::None)
        return FilterRecord{};
    const SavedFilterList saved = savedfilters::load(programFolder);
    if (m_mode == Mode::Named) {
        if (const SavedFilter* s = savedfilters::find(saved, m_name))
            return s->filter;
        if (error)
            *error = FormatInserts(LoadText(sid::kInvalidArgument), {"filter=\"" + m_name + "\""});
        return std::nullopt;
    }
    const std::string name = ini.readString("File", "Filter");
    const SavedFilter* s = name.empty() ? nullptr : savedfilters::find(saved, name);
    return s ? s->filter : FilterRecord{};
}
