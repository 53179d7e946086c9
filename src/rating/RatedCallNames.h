#pragma once
// The names behind a rated call's indexes, from the settings database it was
// rated with: destination code, employee, department, trunk group, contact and
// project. Windows-1252 bytes; "" when the call has none.

#include "calls/CallDump.h"
#include "settings/SettingsDatabase.h"

class RatedCallNames : public CallNames
{
public:
    // `settings` must outlive this and be the database the calls were rated with.
    explicit RatedCallNames(const SettingsDatabase& settings) : m_settings(settings) {}

    std::string destinationCode(const CallRecord& call) const override;
    std::string employee(const CallRecord& call) const override;
    std::string department(const CallRecord& call) const override;
    std::string trunkGroup(const CallRecord& call) const override;
    // A large contact list numbers contacts by list position, a small one by
    // their distinct names.
    std::string contact(const CallRecord& call) const override;
    std::string project(const CallRecord& call) const override;

private:
    const SettingsDatabase& m_settings;
};
