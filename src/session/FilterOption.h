#pragma once
// The filter of a command-line run, as start-up chooses it: "--filter NAME" (or
// "--filter=NAME") names a saved filter of the program folder's "filter.dat",
// "--no-filter" lets every call through, and without either the default filter
// named in the INI file (section "File", key "Filter") applies, the neutral
// filter when no saved filter has that name.

#include "filter/FilterRecord.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class IniProfile;

class FilterOption
{
public:
    // Takes the options out of `args`. False (with `error` saying why) when
    // "--filter" has no name after it.
    bool take(std::vector<std::string>& args, std::string* error = nullptr);

    // The filter chosen. Nothing when "--filter" named no saved filter; `error` is
    // then "Invalid command line argument:\n%1" with filter="NAME" for %1.
    std::optional<FilterRecord> resolve(const std::filesystem::path& programFolder, const IniProfile& ini,
                                        std::string* error = nullptr) const;

private:
    enum class Mode { Default, Named, None };
    Mode m_mode = Mode::Default;
    std::string m_name;
};
