#include "filter/FilterMatcher.h"

#include "FilterFixtures.h"

#include <gtest/gtest.h>

#include <random>

using namespace filtertest;

namespace {

// Calls with every index in range, out of range or missing.
CallRecord randomCall(std::mt19937& r, const SettingsDatabase& db)
{
    const auto pick = [&r](int n) { return static_cast<int>(r() % static_cast<unsigned>(n + 2)) - 1; };
    CallRecord c = call();
    c.direction = r() % 3;
    c.callType = static_cast<std::int32_t>(r() % 7);
    c.extension = 99 + r() % 6;
    c.trunk = 1 + r() % 4;
    c.duration = r() % 200;
    c.cost = (r() % 500) / 100.0;
    c.start = {2025, 3, static_cast<std::uint8_t>(9 + r() % 3), static_cast<std::uint8_t>(r() % 24), 0};
    c.directoryIndex = pick(static_cast<int>(db.directory.size()));
    c.departmentIndex = pick(db.departments().size());
    c.trunkIndex = pick(static_cast<int>(db.trunks.size()));
    c.destinationIndex = pick(static_cast<int>(db.destinations.size()));
    c.contactIndex = pick(db.contactNames().size());
    c.projectIndex = pick(db.projectNames().size());
    c.carrierIndex = static_cast<std::int32_t>(r() % 6);
    c.localFlag = r() % 2;
    static const char* names[] = {"", "Acme", "Acme X", "Beta", "acme"};
    fixedtext::store(c.nameText, names[r() % 5]);
    return c;
}

FilterRecord randomFilter(std::mt19937& r)
{
    const auto on = [&r] { return static_cast<std::int32_t>(r() % 3 == 0); };
    FilterRecord f;
    f.invert = on();
    f.includeIncoming = !on();
    f.includeUserTypes[2] = !on();
    f.durationOn = on();
    f.minDuration = 50;
    f.extensionOn = on();
    f.extensions.setSingle(100);
    f.destinationOn = on();
    f.unknownDestinations = on();
    f.setDestination(r() % 2 ? "Germany" : "France - Paris");
    f.contactOn = on();
    f.unknownNumbers = on();
    f.contactExact = on();
    FilterRecord::setText(f.contact, "Acme");
    f.projectOn = on();
    f.projectExact = on();
    FilterRecord::setText(f.project, "Alpha");
    f.employeeOn = on();
    FilterRecord::setText(f.employee, "Smith");
    f.departmentOn = on();
    f.departmentExact = on();
    FilterRecord::setText(f.department, r() % 2 ? "Sales" : "S");
    f.trunkGroupOn = on();
    FilterRecord::setText(f.trunkGroup, "City");
    f.trunkOn = on();
    f.trunks.setSingle(3);
    f.carrierOn = on();
    f.carrier = 2;
    return f;
}

} // namespace

TEST(FilterMatcher, AgreesWithTheRecordOnEveryCall)
{
    const SettingsDatabase db = office();
    std::mt19937 r(11);
    for (int round = 0; round < 200; ++round) {
        const FilterRecord f = randomFilter(r);
        const FilterMatcher matcher(f, db);
        for (int i = 0; i < 100; ++i) {
            const CallRecord c = randomCall(r, db);
            const bool expected = !f.isActive() || f.accept(c, db);
            ASSERT_EQ(matcher.accept(c), expected) << "round " << round << " call " << i;
            ASSERT_EQ(matcher.accept(c), expected) << "second ask, remembered verdict";
        }
    }
}
