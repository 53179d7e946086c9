#include "rating/RatingExplanation.h"

#include "lang/StringTable.h"
#include "lang/TextFormat.h"
#include "rating/CivilTime.h"

#include <algorithm>
#include <cstdio>

namespace {

using Lines = std::vector<std::string>;

void add(Lines& lines, int id, std::initializer_list<std::string_view> inserts = {})
{
    lines.push_back(FormatInserts(LoadText(id), inserts));
}

std::string num(std::int64_t value) { return std::to_string(value); }

std::string callTypeText(std::int32_t type)
{
    if (type >= 0 && type <= 2)
        return LoadText(sid::kCallTypeLocal + type);
    return FormatInserts(LoadText(sid::kExplainUserType), {num(type - 2)});
}

template <class List> bool inList(const List& list, int index)
{
    return index >= 0 && static_cast<std::size_t>(index) < list.size();
}

void explainClassification(Lines& lines, const CallExplanation& x, const SettingsDatabase& db)
{
    const CallRecord& c = x.call;
    const RatingTrace& t = x.trace;
    const std::string account(c.account());
    if (inList(db.directory, t.directoryEntry)) {
        const DirectoryEntry& e = db.directory[static_cast<std::size_t>(t.directoryEntry)];
        const bool byAccount = t.employeeBy == RatingTrace::EmployeeBy::AccountCode;
        add(lines, byAccount ? sid::kExplainEmployeeByAccount : sid::kExplainEmployeeByExtension,
            {e.name.view(), num(t.directoryEntry + 1), byAccount ? account : num(c.extension)});
        add(lines, sid::kExplainDepartment, {e.department.view()});
    } else {
        add(lines, account.empty() ? sid::kExplainNoEmployeeExtension : sid::kExplainNoEmployee,
            {num(c.extension), account});
    }
    if (db.header.linkAccountCodes) {
        if (inList(db.projects, t.projectEntry))
            add(lines, sid::kExplainProject,
                {db.projects[static_cast<std::size_t>(t.projectEntry)].name.view(), account});
        else
            add(lines, sid::kExplainNoProject, {account});
    }
    if (t.trunkEntry >= 0)
        add(lines, sid::kExplainTrunk, {num(c.trunk), num(t.trunkEntry + 1), num(t.trunkCarrier + 1)});
    else
        add(lines, sid::kExplainNoTrunk, {num(c.trunk)});
    if (inList(db.contacts, t.contactEntry)) {
        const ContactEntry& e = db.contacts[static_cast<std::size_t>(t.contactEntry)];
        add(lines, sid::kExplainContact, {e.name.view(), e.number.view(), num(t.contactEntry + 1)});
    } else {
        add(lines, sid::kExplainNoContact);
    }

    if (!t.routed) {
        add(lines, sid::kExplainNotRouted, {callTypeText(c.callType)});
    } else if (t.prefixEntry >= 0) {
        const PrefixEntry& p =
            db.prefixes[static_cast<std::size_t>(t.prefixCarrier)][static_cast<std::size_t>(t.prefixEntry)];
        add(lines, sid::kExplainPrefix,
            {p.prefix.view(), num(t.prefixEntry + 1), num(t.prefixCarrier + 1), callTypeText(c.callType)});
        if (t.carrierChangedTo >= 0)
            add(lines, sid::kExplainChangeCarrier, {num(t.carrierChangedTo + 1)});
        add(lines, c.localFlag ? sid::kExplainLocalCall : sid::kExplainTollCall);
        if (c.freeFlag)
            add(lines, sid::kExplainFreeCall);
    } else {
        add(lines, sid::kExplainNoPrefix, {num(t.prefixCarrier + 1)});
    }
    if (t.destinationSearched) {
        if (inList(db.destinations, t.destinationEntry))
            add(lines, sid::kExplainDestination,
                {db.destinationText(t.destinationEntry),
                 db.destinations[static_cast<std::size_t>(t.destinationEntry)].code.view(), num(t.destinationEntry + 1),
                 t.searchStart, num(t.keyLength)});
        else
            add(lines, sid::kExplainNoDestination, {t.searchStart, num(t.keyLength)});
    }
    if (t.dashAfterPrefix || t.dashAfterCode || t.usaFormat)
        add(lines, sid::kExplainShownAs, {c.number()});
}

void explainOwnRate(Lines& lines, const CallExplanation& x, const SettingsDatabase& db)
{
    const RatingTrace& t = x.trace;
    const auto money = [&](double amount) { return db.formatCurrency(amount); };
    const std::string carrier = num(t.carrier + 1);
    if (t.block == RatingTrace::Block::Incoming)
        add(lines, sid::kExplainRateIncoming, {carrier});
    else if (t.block == RatingTrace::Block::Local)
        add(lines, sid::kExplainRateLocal, {carrier});
    else
        add(lines, sid::kExplainRateDestination, {carrier, db.destinationText(x.call.destinationIndex)});
    if (t.converted)
        add(lines, sid::kExplainRateConverted, {plainNumber(t.exchangeRate)});
    add(lines, sid::kExplainGrace, {num(t.duration), num(t.grace), num(t.afterGrace)});
    if (t.belowMinDuration) {
        add(lines, sid::kExplainBelowMinDuration, {num(t.minDuration)});
        return;
    }
    add(lines, sid::kExplainInitial, {money(t.initialCharge), num(t.initialUnit)});
    if (t.roundTo > 0)
        add(lines, t.discardRemainder ? sid::kExplainRoundDown : sid::kExplainRoundUp, {num(t.roundTo)});
    if (t.raisedToInitialUnit)
        add(lines, sid::kExplainRaised, {num(t.initialUnit)});
    add(lines, sid::kExplainBillable, {num(t.billable)});
    if (t.startRateForWholeCall)
        add(lines, sid::kExplainWholeCall);
    for (const RatingSlice& s : t.slices) {
        const std::string day = LoadText(s.holiday ? sid::kExplainHoliday : sid::kExplainWorkday);
        const std::string to = momentText(s.to).substr(11);
        if (s.period == 0) {
            add(lines, sid::kExplainSliceFree, {momentText(s.from), to, day, num(s.seconds)});
        } else {
            const std::string units = s.unit != 0 ? plainNumber(static_cast<double>(s.seconds) / s.unit) : "0";
            add(lines, sid::kExplainSlice,
                {momentText(s.from), to, day, num(s.period), num(s.seconds), plainNumber(s.rate), num(s.unit), units,
                 money(s.amount)});
        }
    }
    if (t.notCharged > 0)
        add(lines, sid::kExplainRestFree, {num(t.notCharged)});
    add(lines, sid::kExplainSubtotal, {money(t.periodsCost)});
    if (t.minCostApplied)
        add(lines, sid::kExplainMinCost, {money(t.minCost)});
}

} // namespace

CallExplanation explainCall(const CallRating& rating, const CallRecord& call)
{
    CallExplanation x;
    x.call = call;
    // Classification only ever adds dashes to the number of the file.
    std::string number(call.number());
    number.erase(std::remove(number.begin(), number.end(), '-'), number.end());
    fixedtext::store(x.call.dialedNumber, number);
    rating.classify(x.call, &x.trace);
    return x;
}

std::vector<std::string> explanationLines(const CallExplanation& x, const SettingsDatabase& db)
{
    const CallRecord& c = x.call;
    const RatingTrace& t = x.trace;
    const auto money = [&](double amount) { return db.formatCurrency(amount); };
    Lines lines;
    add(lines, sid::kExplainCall,
        {momentText(civil::momentOf(c.start)).substr(0, 16), num(c.extension), c.number(),
         num(static_cast<std::int32_t>(c.duration))});
    explainClassification(lines, x, db);

    using Source = RatingTrace::Source;
    switch (t.source) {
    case Source::Free:
        add(lines, sid::kExplainPriceFree);
        return lines;
    case Source::NoCarrier:
        add(lines, sid::kExplainPriceNoCarrier, {num(t.carrier + 1)});
        return lines;
    case Source::NoDestination:
        add(lines, sid::kExplainPriceNoDestination);
        return lines;
    case Source::SuppliedCost:
        add(lines, sid::kExplainSuppliedCost, {num(t.carrier + 1), plainNumber(t.supplied)});
        break;
    case Source::SuppliedPulses:
        add(lines, sid::kExplainSuppliedPulses,
            {num(t.carrier + 1), num(c.pulses),
             plainNumber(db.carriers[static_cast<std::size_t>(t.carrier)].pulseValue), plainNumber(t.supplied)});
        break;
    case Source::OwnRate:
        explainOwnRate(lines, x, db);
        break;
    }
    if (t.source != Source::OwnRate && t.converted)
        add(lines, sid::kExplainExchange, {plainNumber(t.exchangeRate), money(t.beforeModifiers)});
    if (t.carrierModifier != 100)
        add(lines, sid::kExplainCarrierModifier, {num(t.carrierModifier), money(t.afterCarrier)});
    if (t.employeeModifier != 100)
        add(lines, sid::kExplainEmployeeModifier, {num(t.employeeModifier), money(t.beforeRounding)});
    if (t.rounded)
        add(lines, sid::kExplainRoundCost, {num(t.currencyDigits)});
    add(lines, sid::kExplainCost, {money(t.cost)});
    return lines;
}

std::string explanationText(const CallExplanation& explanation, const SettingsDatabase& settings)
{
    std::string text;
    for (const std::string& line : explanationLines(explanation, settings))
        text += line + '\n';
    return text;
}

std::string plainNumber(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.6f", value);
    std::string text(buffer);
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
    }
    return text == "-0" ? "0" : text;
}

std::string momentText(std::int64_t moment)
{
    const civil::Date d = civil::civilFromDays(civil::dayOf(moment));
    const std::int64_t s = civil::timeOfDay(moment);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04lld-%02d-%02d %02lld:%02lld:%02lld", static_cast<long long>(d.year),
                  d.month, d.day, static_cast<long long>(s / 3600), static_cast<long long>(s / 60 % 60),
                  static_cast<long long>(s % 60));
    return buffer;
}
