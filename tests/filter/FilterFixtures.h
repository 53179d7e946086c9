#pragma once
// A small settings database and calls that refer to it, for the filter tests.

#include "calls/CallRecord.h"
#include "core/FixedText.h"
#include "settings/SettingsDatabase.h"

#include <string_view>

namespace filtertest {

inline DirectoryEntry employee(std::int32_t extension, std::string_view name, std::string_view department)
{
    DirectoryEntry e;
    e.extension = extension;
    e.name.assign(name);
    e.department.assign(department);
    return e;
}

inline TrunkEntry trunk(std::uint32_t number, std::string_view group)
{
    TrunkEntry t;
    t.number = number;
    t.group.assign(group);
    return t;
}

inline DestinationEntry destination(std::string_view code, std::string_view country, std::string_view city)
{
    DestinationEntry d;
    d.code.assign(code);
    d.country.assign(country);
    d.city.assign(city);
    return d;
}

inline ContactEntry contact(std::string_view number, std::string_view name)
{
    ContactEntry c;
    c.number.assign(number);
    c.name.assign(name);
    return c;
}

inline ProjectEntry project(std::string_view code, std::string_view name)
{
    ProjectEntry p;
    p.accountCode.assign(code);
    p.name.assign(name);
    return p;
}

// Two Smiths in different departments, Jones in Sales; trunk groups "City" and
// "Mobile"; destinations Germany (no city), Germany - Berlin, France - Paris.
inline SettingsDatabase office()
{
    SettingsDatabase db;
    db.directory = {employee(100, "Smith", "Sales"), employee(101, "Smith", "Service"), employee(102, "Jones", "Sales"),
                    employee(103, "smith", "Sales")};
    db.trunks = {trunk(1, "City"), trunk(2, "City"), trunk(3, "Mobile")};
    db.destinations = {destination("49", "Germany", ""), destination("4930", "Germany", "Berlin"),
                       destination("331", "France", "Paris")};
    db.contacts = {contact("0301234", "Acme"), contact("0309999", "Acme Ltd"), contact("040", "Beta")};
    db.projects = {project("11", "Alpha"), project("22", "Alpha 2"), project("33", "Beta")};
    db.rebuildIndexes();
    return db;
}

inline int directoryOf(const SettingsDatabase& db, std::int32_t extension) { return db.findExtension(extension); }
inline int trunkOf(const SettingsDatabase& db, std::uint32_t number) { return db.findTrunk(number); }
inline int destinationOf(const SettingsDatabase& db, std::string_view code) { return db.findDestination(code); }

// An outgoing local call from extension 100 on trunk 1, 2025-03-10 09:30, 60 s, no indexes.
inline CallRecord call()
{
    CallRecord c = CallRecord::empty();
    c.extension = 100;
    c.trunk = 1;
    fixedtext::store(c.dialedNumber, "0301234");
    c.start = {2025, 3, 10, 9, 30};
    c.duration = 60;
    c.ringTime = 5;
    c.carrierIndex = 0;
    return c;
}

} // namespace filtertest
