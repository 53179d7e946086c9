#pragma once
// The names behind a rated call's indexes, from the settings database it was
// rated with: destination code, employee, department, trunk group, contact and
// project. Windows-1252 bytes; "" when the call has none.

#include "calls/CallDump.h"
#include "settings/CallNameLookup.h"

class RatedCallNames : public CallNames
{
public:
    // `settings` must outlive this and be the database the calls were rated with.
    explicit RatedCallNames(const SettingsDatabase& settings)
        : m_names(settings)
    { }

    std::string destinationCode(const CallRecord& call) const override;
    std::string employee(const CallRecord& call) const override;
    std::string department(const CallRecord& call) const override;
    std::string trunkGroup(const CallRecord& call) const override;
    std::string contact(const CallRecord& call) const override;
    std::string project(const CallRecord& call) const override;

private:
    CallNameLookup m_names;
};
