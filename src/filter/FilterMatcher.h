#pragma once
// A filter made ready for a pass over the whole call table. It gives the same
// verdict as FilterRecord::accept() for every call, but looks each name a call
// refers to up and compares it under the locale's collation only once per
// pass: the verdict of each index is kept the first time a call needs it. So
// the cost of a name criterion no longer grows with the number of calls.
//
// Build a new matcher whenever the filter, the settings database or the
// locale changes; it keeps a reference to the settings database.

#include "calls/CallRecord.h"
#include "filter/FilterRecord.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

class SettingsDatabase;

class FilterMatcher
{
public:
    // Lets every call through.
    FilterMatcher() = default;
    FilterMatcher(const FilterRecord& filter, const SettingsDatabase& settings);

    // Whether the filter is active; an inactive one accepts every call.
    bool active() const { return m_active; }
    // FilterRecord::accept() of the filter, or true while it is inactive.
    bool accept(const CallRecord& call) const
    {
        if (!m_active)
            return true;
        return (m_filter.matchFields(call) && matchNames(call)) != m_invert;
    }

    const FilterRecord& filter() const { return m_filter; }

private:
    // A verdict per index of one list: unknown until first asked.
    class Verdicts
    {
    public:
        void size(std::size_t n) { m_values.assign(n, kUnknown); }
        template <class Decide> bool get(int index, Decide&& decide) const
        {
            if (index < 0 || static_cast<std::size_t>(index) >= m_values.size())
                return false; // no such entry: no name, the criterion fails
            std::int8_t& v = m_values[static_cast<std::size_t>(index)];
            if (v == kUnknown)
                v = decide(index) ? 1 : 0;
            return v != 0;
        }

    private:
        static constexpr std::int8_t kUnknown = -1;
        mutable std::vector<std::int8_t> m_values;
    };

    bool matchNames(const CallRecord& call) const;

    FilterRecord m_filter;
    const SettingsDatabase* m_settings = nullptr;
    bool m_active = false;
    bool m_invert = false;
    bool m_names = false; // any name criterion on

    Verdicts m_destinations;                                   // by destination position
    Verdicts m_contacts;                                       // by contact index
    Verdicts m_projects;                                       // by project-name index
    Verdicts m_employees;                                      // by directory position
    Verdicts m_departments;                                    // by department index
    Verdicts m_trunkGroups;                                    // by trunk position
    mutable std::unordered_map<std::string, bool> m_nameTexts; // calls without contact, by name text
};
