// Random settings and calls, rated by the fast rating and by the plain
// transcription of the steps (PlainRating.h): every field of every call must
// come out the same, the cost to the bit.

#include "PlainRating.h"
#include "RatingFixtures.h"
#include "rating/CivilTime.h"
#include "rating/CostRounding.h"
#include "rating/RatingExplanation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

using namespace ratingtest;

namespace {

class Random
{
public:
    explicit Random(std::uint32_t seed)
        : m_engine(seed)
    { }
    int below(int n) { return static_cast<int>(m_engine() % static_cast<std::uint32_t>(n)); }
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    bool chance(int percent) { return below(100) < percent; }
    double amount() { return below(2000) / 100.0; }
    std::string text(int minLength, int maxLength, const char* alphabet)
    {
        const int n = between(minLength, maxLength);
        const int size = static_cast<int>(std::strlen(alphabet));
        std::string s;
        for (int i = 0; i < n; ++i)
            s += alphabet[below(size)];
        return s;
    }
    template <class T> const T& pick(std::initializer_list<T> list)
    {
        return list.begin()[below(static_cast<int>(list.size()))];
    }

private:
    std::mt19937 m_engine;
};

RatePeriod randomPeriod(Random& r)
{
    RatePeriod p;
    p.rate = r.amount();
    p.unitLength = r.pick({0, 1, 30, 60, 60});
    p.fromHour = static_cast<std::uint8_t>(r.between(0, 24));
    p.fromMinute = static_cast<std::uint8_t>(r.pick({0, 0, 15, 30, 59}));
    p.toHour = static_cast<std::uint8_t>(r.between(0, 24));
    p.toMinute = static_cast<std::uint8_t>(r.pick({0, 0, 15, 30, 59}));
    const std::uint32_t flags[] = {RatePeriod::kActive, RatePeriod::kByKindOfDay, RatePeriod::kHolidaysOnly,
                                   RatePeriod::kTimed, RatePeriod::kCrossesMidnight};
    const int chances[] = {85, 35, 50, 60, 40};
    for (int i = 0; i < 5; ++i) {
        if (r.chance(chances[i]))
            p.flags |= flags[i];
    }
    return p;
}

RateBlock randomRate(Random& r)
{
    RateBlock b;
    b.minCost = r.chance(30) ? r.amount() / 4 : 0.0;
    b.minDuration = r.pick({0, 0, 5, 10});
    b.initialCharge = r.chance(30) ? r.amount() / 10 : 0.0;
    b.initialUnit = r.pick({0, 0, 0, 30, 60, -10});
    b.flags = static_cast<std::uint32_t>(r.below(4));
    b.roundTo = r.pick({0, 0, 1, 10, 60});
    for (RatePeriod& p : b.periods)
        p = randomPeriod(r);
    return b;
}

void randomCarriers(Random& r, SettingsDatabase& db)
{
    for (CarrierBlock& c : db.carriers) {
        c.graceLocal = r.pick({0, 0, 3, 30});
        c.graceLongDistance = r.pick({0, 5, 30});
        c.graceInternational = r.pick({0, 5});
        c.graceIncoming = r.pick({0, 10});
        c.graceUserDefined = r.pick({0, 7, -5});
        c.localRate = randomRate(r);
        c.incomingRate = randomRate(r);
        c.flags = r.pick<std::uint32_t>({0, 0, 0, 0x100, 0x4, 0x8, 0x9, 0x104});
        c.pulseValue = r.amount() / 100;
        c.costModifier = r.pick({100, 100, 110, 50, 0});
    }
}

void randomLists(Random& r, SettingsDatabase& db, int contacts)
{
    for (auto& list : db.prefixes) {
        for (int i = r.below(9); i > 0; --i)
            list.push_back(prefix(r.text(0, 4, "0123*").c_str(), r.between(-1, 7), r.pick({"", "", "4", "44", "1"}),
                                  r.between(-1, 8), static_cast<std::uint8_t>(r.below(4))));
    }
    for (int i = r.below(30); i > 0; --i) {
        DestinationEntry d = destination(r.text(0, 5, "01234").c_str(), r.pick({"A", "B", "C", ""}));
        d.city.assign(r.pick({"", "x", "y"}));
        for (RateBlock& b : d.rates)
            b = randomRate(r);
        db.destinations.push_back(d);
    }
    for (int i = r.below(10); i > 0; --i)
        db.directory.push_back(employee(r.pick({100, 101, 102, 103, -1}), r.pick({"", "", "1", "12", "7"}),
                                        r.pick({"Ann", "Bob", "ann", "Cy"}), r.pick({"", "Sales", "IT", "sales"}),
                                        r.pick({100, 100, 50, 110, 0})));
    for (int i = r.below(6); i > 0; --i)
        db.trunks.push_back(
            trunk(static_cast<std::uint32_t>(r.between(0, 4)), r.between(-1, 7), r.pick({"", "g", "h"})));
    for (int i = contacts; i > 0; --i)
        db.contacts.push_back(contact(r.text(1, 5, "0123**").c_str(), r.pick({"Zed", "Amy", "amy", "Bo", ""})));
    for (int i = r.below(6); i > 0; --i)
        db.holidays.push_back({static_cast<std::uint16_t>(r.pick({0, 2024, 2025})),
                               static_cast<std::uint8_t>(r.between(1, 12)),
                               static_cast<std::uint8_t>(r.between(1, 31))});
    for (int i = r.below(5); i > 0; --i) {
        ExchangeRateEntry e;
        e.year = static_cast<std::uint16_t>(r.pick({2023, 2024, 2025}));
        e.month = static_cast<std::uint8_t>(r.between(1, 12));
        e.day = static_cast<std::uint8_t>(r.between(1, 31));
        e.rate = r.amount();
        db.exchangeRates.push_back(e);
    }
    for (int i = r.below(5); i > 0; --i) {
        ProjectEntry p;
        p.accountCode.assign(r.pick({"", "1", "12", "7"}));
        p.name.assign(r.pick({"P", "Q", "p"}));
        db.projects.push_back(p);
    }
}

SettingsDatabase randomSettings(Random& r, int contacts)
{
    SettingsDatabase db = plainSettings();
    randomCarriers(r, db);
    randomLists(r, db, contacts);
    db.header.linkAccountCodes = r.chance(30);
    db.header.roundCost = r.chance(50);
    db.header.useRateHistory = r.chance(60);
    db.header.exchangeRate = r.amount();
    db.header.mainCurrency.digits = static_cast<std::uint32_t>(r.between(0, 3));
    for (auto& day : db.header.weeklyHolidays)
        day = r.chance(20);
    db.rebuildIndexes();
    return db;
}

CallRecord randomCall(Random& r)
{
    CallRecord c{};
    c.extension = static_cast<std::uint32_t>(r.pick({100, 101, 102, 104, -1}));
    c.trunk = static_cast<std::uint32_t>(r.between(0, 5));
    const std::string number = r.chance(10) ? "1" + r.text(9, 29, "0123") : r.text(0, 14, "0123");
    fixedtext::store(c.dialedNumber, number);
    fixedtext::store(c.accountCode, r.pick({"", "", "1", "12", "123", "7"}));
    if (r.chance(8))
        c.start = {static_cast<std::uint16_t>(r.pick({0, 2024, 2025})), static_cast<std::uint8_t>(r.between(0, 13)),
                   static_cast<std::uint8_t>(r.between(0, 32)), static_cast<std::uint8_t>(r.between(0, 24)),
                   static_cast<std::uint8_t>(r.between(0, 60))};
    else
        c.start = {static_cast<std::uint16_t>(r.pick({2023, 2024, 2025})), static_cast<std::uint8_t>(r.between(1, 12)),
                   static_cast<std::uint8_t>(r.between(1, 28)), static_cast<std::uint8_t>(r.between(0, 23)),
                   static_cast<std::uint8_t>(r.pick({0, 0, 15, 30, 59, r.between(0, 59)}))};
    c.duration = static_cast<std::uint32_t>(r.chance(10) ? r.between(0, 300000) : r.between(0, 400));
    c.direction = static_cast<std::uint32_t>(r.pick({0, 0, 0, 1, 2}));
    c.pulses = static_cast<std::uint32_t>(r.below(30));
    c.suppliedCost = r.amount();
    return c;
}

RatingOptions randomOptions(Random& r)
{
    RatingOptions o;
    o.incomingLocal = r.chance(50);
    o.dashAfterLocalPrefix = r.chance(50);
    o.dashAfterTollPrefix = r.chance(50);
    o.dashAfterCode = r.chance(50);
    o.usaFormat = r.chance(30);
    return o;
}

std::string describe(const CallRecord& c)
{
    char buf[256];
    std::snprintf(buf, sizeof buf,
                  "number %s type %d local %u free %u carrier %d dest %d dir %d dep %d trunk %d contact %d project %d "
                  "cost %.17g",
                  std::string(c.number()).c_str(), c.callType, c.localFlag, c.freeFlag, c.carrierIndex,
                  c.destinationIndex, c.directoryIndex, c.departmentIndex, c.trunkIndex, c.contactIndex, c.projectIndex,
                  c.cost);
    return buf;
}

void compareOn(std::uint32_t seed, int settingsCount, int callsPerSettings, int contacts)
{
    Random r(seed);
    for (int s = 0; s < settingsCount; ++s) {
        const SettingsDatabase db = randomSettings(r, contacts < 0 ? r.below(40) : contacts);
        const RatingOptions options = randomOptions(r);
        const CallRating fast(db, options);
        const PlainRating plain(db, options);
        for (int i = 0; i < callsPerSettings; ++i) {
            const CallRecord input = randomCall(r);
            CallRecord a = input;
            CallRecord b = input;
            fast.classify(a);
            plain.classify(b);
            if (std::memcmp(&a, &b, sizeof a) != 0) {
                ADD_FAILURE() << "settings " << s << " call " << i << " number " << input.number() << "\n fast  "
                              << describe(a) << "\n plain " << describe(b);
                return;
            }
        }
    }
}

// The amounts of a trace, added up again in the rating's order, give its
// results to the bit; the walk covers the billable seconds without gaps.
void checkTrace(const RatingTrace& t, const CallRecord& rated)
{
    ASSERT_EQ(std::memcmp(&t.cost, &rated.cost, sizeof(double)), 0) << t.cost << " " << rated.cost;
    using Source = RatingTrace::Source;
    if (t.source == Source::Free || t.source == Source::NoCarrier || t.source == Source::NoDestination) {
        ASSERT_EQ(rated.cost, 0.0);
        return;
    }
    double cost = 0.0;
    if (t.source == Source::OwnRate) {
        if (t.belowMinDuration) {
            ASSERT_TRUE(t.slices.empty());
        } else {
            cost = t.initialCharge;
            std::int64_t seconds = t.notCharged;
            for (std::size_t i = 0; i < t.slices.size(); ++i) {
                cost = cost + t.slices[i].amount;
                seconds += t.slices[i].seconds;
                if (i + 1 < t.slices.size()) {
                    ASSERT_EQ(t.slices[i].to, t.slices[i + 1].from);
                }
            }
            ASSERT_EQ(seconds, std::max<std::int64_t>(t.billable, 0));
            ASSERT_EQ(cost, t.periodsCost);
            if (t.minCostApplied)
                cost = t.minCost;
        }
    } else {
        cost = t.converted ? t.exchangeRate * t.supplied : t.supplied;
    }
    ASSERT_EQ(cost, t.beforeModifiers);
    if (t.carrierModifier != 100)
        cost = static_cast<double>(t.carrierModifier) * cost * 0.01;
    if (t.employeeModifier != 100)
        cost = static_cast<double>(t.employeeModifier) * cost * 0.01;
    ASSERT_EQ(cost, t.beforeRounding);
    if (!t.rounded) {
        ASSERT_EQ(cost, t.cost);
    }
}

} // namespace

// Sanitizer builds (GCC names them one way, Clang another) run a tenth of the calls.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QX_TEST_SANITIZED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(QX_TEST_SANITIZED)
constexpr int kTraceSettings = 40;
#else
constexpr int kTraceSettings = 400;
#endif

TEST(RatingProperty, TraceExplainsTheRatedCall)
{
    Random r(31337);
    int explained = 0;
    for (int s = 0; s < kTraceSettings; ++s) {
        const SettingsDatabase db = randomSettings(r, r.below(40));
        const CallRating rating(db, randomOptions(r));
        for (int i = 0; i < 250; ++i) {
            const CallRecord input = randomCall(r);
            CallRecord plain = input;
            rating.classify(plain);
            const CallExplanation x = explainCall(rating, input);
            // Field by field: a copy need not carry the padding bytes along.
            ASSERT_EQ(describe(plain), describe(x.call)) << "settings " << s << " call " << i;
            checkTrace(x.trace, plain);
            if (HasFatalFailure()) {
                ADD_FAILURE() << "settings " << s << " call " << i << ": " << describe(plain);
                return;
            }
            if (i % 16 == 0 && !explanationLines(x, db).empty())
                ++explained;
        }
    }
    EXPECT_EQ(explained, kTraceSettings * 16);
}

TEST(RatingProperty, FastRatingEqualsPlainSteps) { compareOn(20250305, 400, 250, -1); }

TEST(RatingProperty, LargeContactList) { compareOn(4711, 2, 1200, 4500); }

TEST(RatingProperty, CivilTimeAgreesWithTheCLibrary)
{
    Random r(99);
    for (int i = 0; i < 20000; ++i) {
        const CallDate d{static_cast<std::uint16_t>(r.between(0, 3000)), static_cast<std::uint8_t>(r.below(256)),
                         static_cast<std::uint8_t>(r.below(256)), static_cast<std::uint8_t>(r.below(256)),
                         static_cast<std::uint8_t>(r.below(256))};
        const std::int64_t expected = PlainRating::startOf(d);
        const std::tm t = PlainRating::fields(expected);
        ASSERT_EQ(civil::momentOf(d), expected) << d.year << "-" << int{d.month} << "-" << int{d.day};
        const civil::Date back = civil::civilFromDays(civil::dayOf(expected));
        ASSERT_EQ(back, (civil::Date{t.tm_year + 1900, t.tm_mon + 1, t.tm_mday}));
        ASSERT_EQ(civil::weekday(civil::dayOf(expected)), (t.tm_wday + 6) % 7);
    }
}

// The quick rounding of costs gives the text rounding's double exactly, or leaves it to the text.
TEST(RatingProperty, QuickCostRoundingEqualsTheTextRounding)
{
    Random r(7);
    SettingsDatabase db = plainSettings();
    std::vector<double> amounts = {0.0,        0.125,        0.005, 1.005, 2.675,        0.0049999999, 0.0050000001,
                                   999999.995, 0.3333333333, 1e-7,  5e-7,  4.9999999e-7, 123.4565,     0.1 + 0.2};
    for (int i = 0; i < 60000; ++i) {
        const double base = r.below(1000000) / std::pow(10.0, r.between(0, 9));
        amounts.push_back(r.chance(50) ? base : std::nextafter(base, r.chance(50) ? 0.0 : 1e9));
    }
    int quick = 0;
    for (int digits = 0; digits <= 9; ++digits) {
        db.header.mainCurrency.digits = static_cast<std::uint32_t>(digits);
        db.rebuildCurrencyFormats();
        for (const double amount : amounts) {
            const std::optional<double> q = roundCostQuickly(amount, digits);
            if (!q)
                continue;
            ++quick;
            ASSERT_EQ(*q, db.roundToCurrencyUnit(amount)) << amount << " to " << digits;
        }
    }
    EXPECT_GT(quick, 570000); // the text is rarely needed
    EXPECT_FALSE(roundCostQuickly(-1.0, 2));
    EXPECT_FALSE(roundCostQuickly(0.0000005, 2)); // a tie in the sixth decimal
}
