// make_default_settings: writes the settings database "brisel.dat" that ships
// with the program (the program never creates one from nothing) and, when
// asked, the demo's preferences: the names of the user-defined call types and
// the company texts that reports print in their heading.
//
//   make_default_settings FILE [INI]
//
// The demo office sits in Cologne, Germany: local numbers are dialled as they
// are, long distance as "0" + area code, mobiles as "015x"/"016x"/"017x",
// international as "00" + country code, free numbers as "0800". Amounts are
// in euros; the alternative currency is the US dollar.

#include "core/CivilDate.h"
#include "core/Cp1252.h"
#include "core/IniProfile.h"
#include "core/Locale.h"
#include "prefs/Preferences.h"
#include "settings/SettingsFile.h"

#include <cstdio>
#include <filesystem>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

namespace {

// Texts below are written in UTF-8 and stored as Windows-1252.
std::string text(const char* utf8) { return cp1252::fromUtf8(utf8); }

// Price levels of the destinations, euros per minute at day, evening and weekend.
enum Zone { kDomestic, kMobile, kService, kEurope1, kEurope2, kNorthAmerica, kWorld1, kWorld2, kSatellite, kZones };
struct ZonePrice
{
    double day, evening, weekend;
};
constexpr ZonePrice kZonePrices[kZones] = {
    {0.060, 0.030, 0.025}, {0.190, 0.150, 0.120}, {0.140, 0.140, 0.140}, {0.120, 0.090, 0.080}, {0.250, 0.200, 0.180},
    {0.090, 0.070, 0.060}, {0.350, 0.300, 0.280}, {0.790, 0.690, 0.650}, {4.500, 4.500, 4.500},
};

// How each carrier bills: price factors, units, rounding and minimums.
struct Tariff
{
    const char* name;
    double domesticFactor; // local, long distance, mobile and service
    double foreignFactor;  // international
    bool flat;             // one "Everyday" period instead of day/evening/weekend
    std::int32_t initialUnit;
    double initialCharge;
    std::int32_t roundTo;
    bool discardRemainder;
    double minCost;
    std::int32_t minDuration;
    std::uint32_t flags;
};
constexpr Tariff kTariffs[kCarrierCount] = {
    {"Fernwerk Telecom", 1.00, 1.00, false, 0, 0.00, 60, false, 0.00, 3, CarrierBlock::kUseSuppliedPulses},
    {"Nordlink", 0.90, 0.95, false, 0, 0.00, 1, false, 0.01, 3, 0},
    {"Citynet Regional", 0.80, 1.30, false, 60, 0.05, 10, false, 0.05, 5, 0},
    {"Globalcall", 1.20, 0.55, true, 0, 0.05, 60, false, 0.10, 3, 0},
    {"Voxa Mobile", 1.40, 1.50, false, 0, 0.00, 30, false, 0.00, 5, 0},
    {"Tarifa Direct", 0.95, 1.00, false, 0, 0.00, 60, true, 0.00, 3, CarrierBlock::kStartRateForWholeCall},
};

constexpr std::uint32_t kWeekday = RatePeriod::kActive | RatePeriod::kByKindOfDay;
constexpr std::uint32_t kHoliday = RatePeriod::kActive | RatePeriod::kByKindOfDay | RatePeriod::kHolidaysOnly;

RateBlock rate(const Tariff& t, ZonePrice price, double factor)
{
    RateBlock r;
    r.minCost = t.minCost;
    r.minDuration = t.minDuration;
    r.initialUnit = t.initialUnit;
    r.initialCharge = t.initialCharge > 0 && t.initialUnit > 0 ? price.day * factor : t.initialCharge;
    r.roundTo = t.roundTo;
    r.flags = t.discardRemainder ? RateBlock::kDiscardRemainder : 0;
    if (t.flat) {
        r.periods[0] = {price.evening * factor, 60, 0, 0, 0, 0, RatePeriod::kActive};
        return r;
    }
    r.periods[0] = {price.day * factor, 60, 8, 0, 18, 0, kWeekday | RatePeriod::kTimed};
    r.periods[1] = {
        price.evening * factor, 60, 18, 0, 8, 0, kWeekday | RatePeriod::kTimed | RatePeriod::kCrossesMidnight};
    r.periods[2] = {price.weekend * factor, 60, 0, 0, 0, 0, kHoliday};
    return r;
}

void addCarriers(SettingsDatabase& db)
{
    for (int k = 0; k < kCarrierCount; ++k) {
        const Tariff& t = kTariffs[k];
        CarrierBlock& c = db.carriers[static_cast<std::size_t>(k)];
        c.name.assign(t.name);
        c.graceLocal = 3;
        c.graceLongDistance = 3;
        c.graceInternational = 3;
        c.graceIncoming = 0;
        c.graceUserDefined = 3;
        c.localRate = rate(t, {0.040, 0.020, 0.015}, t.domesticFactor);
        c.incomingRate = RateBlock{}; // incoming calls cost nothing
        c.flags = t.flags;
        c.pulseValue = 0.06;
        c.costModifier = 100;
    }
}

struct PrefixRule
{
    std::int32_t type;
    const char* prefix;
    const char* code;
    std::int32_t changeCarrierTo;
    std::uint8_t flags;
};

// User defined types: 3 free numbers, 4 mobile, 5 shared-cost service, 6 directory enquiries.
constexpr PrefixRule kPrefixes[] = {
    {0, "", "", 0, 0},         // everything else: local
    {1, "0", "49", 0, 0},      // long distance: area code after the 0
    {2, "00", "", 0, 0},       // international: country code after the 00
    {4, "015*", "4915", 0, 0}, // mobile networks
    {4, "016*", "4916", 0, 0},
    {4, "017*", "4917", 0, 0},
    {3, "0800", "49800", 0, PrefixEntry::kFreeCalls},
    {5, "0180*", "49180", 0, 0},
    {0, "110", "", 0, PrefixEntry::kFreeCalls}, // emergency numbers
    {0, "112", "", 0, PrefixEntry::kFreeCalls},
    {6, "118**", "49118", 0, 0},
};

// Call-by-call selection on the main carrier: 01088 routes through Globalcall.
constexpr PrefixRule kCallByCall[] = {
    {2, "0108800", "", 4, 0},
    {1, "010880", "49", 4, 0},
};

void addPrefixes(SettingsDatabase& db)
{
    const auto add = [&](std::size_t carrier, const PrefixRule& rule) {
        PrefixEntry p;
        p.callType = rule.type;
        p.prefix.assign(rule.prefix);
        p.internationalCode.assign(rule.code);
        p.changeCarrierTo = rule.changeCarrierTo;
        p.flags = rule.flags;
        db.prefixes[carrier].push_back(p);
    };
    for (std::size_t k = 0; k < db.prefixes.size(); ++k) {
        for (const PrefixRule& rule : kPrefixes)
            add(k, rule);
    }
    for (const PrefixRule& rule : kCallByCall)
        add(0, rule);
}

struct Destination
{
    const char* code;
    const char* country;
    Zone zone;
};

// The world's country calling codes. Where several countries share a code
// ("1", "7"), the longer codes of the smaller ones follow.
constexpr Destination kCountries[] = {
    {"1", "USA / Canada", kNorthAmerica},
    {"1242", "Bahamas", kWorld1},
    {"1246", "Barbados", kWorld1},
    {"1264", "Anguilla", kWorld2},
    {"1268", "Antigua and Barbuda", kWorld2},
    {"1284", "British Virgin Islands", kWorld2},
    {"1340", "US Virgin Islands", kWorld1},
    {"1345", "Cayman Islands", kWorld1},
    {"1441", "Bermuda", kWorld1},
    {"1473", "Grenada", kWorld2},
    {"1649", "Turks and Caicos Islands", kWorld2},
    {"1664", "Montserrat", kWorld2},
    {"1670", "Northern Mariana Islands", kWorld2},
    {"1671", "Guam", kWorld1},
    {"1684", "American Samoa", kWorld2},
    {"1721", "Sint Maarten", kWorld2},
    {"1758", "Saint Lucia", kWorld2},
    {"1767", "Dominica", kWorld2},
    {"1784", "Saint Vincent and the Grenadines", kWorld2},
    {"1787", "Puerto Rico", kNorthAmerica},
    {"1809", "Dominican Republic", kWorld1},
    {"1868", "Trinidad and Tobago", kWorld1},
    {"1869", "Saint Kitts and Nevis", kWorld2},
    {"1876", "Jamaica", kWorld1},
    {"20", "Egypt", kWorld1},
    {"211", "South Sudan", kWorld2},
    {"212", "Morocco", kWorld1},
    {"213", "Algeria", kWorld1},
    {"216", "Tunisia", kWorld1},
    {"218", "Libya", kWorld2},
    {"220", "Gambia", kWorld2},
    {"221", "Senegal", kWorld2},
    {"222", "Mauritania", kWorld2},
    {"223", "Mali", kWorld2},
    {"224", "Guinea", kWorld2},
    {"225", "Côte d'Ivoire", kWorld2},
    {"226", "Burkina Faso", kWorld2},
    {"227", "Niger", kWorld2},
    {"228", "Togo", kWorld2},
    {"229", "Benin", kWorld2},
    {"230", "Mauritius", kWorld2},
    {"231", "Liberia", kWorld2},
    {"232", "Sierra Leone", kWorld2},
    {"233", "Ghana", kWorld2},
    {"234", "Nigeria", kWorld1},
    {"235", "Chad", kWorld2},
    {"236", "Central African Republic", kWorld2},
    {"237", "Cameroon", kWorld2},
    {"238", "Cape Verde", kWorld2},
    {"239", "São Tomé and Príncipe", kWorld2},
    {"240", "Equatorial Guinea", kWorld2},
    {"241", "Gabon", kWorld2},
    {"242", "Congo", kWorld2},
    {"243", "Congo, Democratic Republic", kWorld2},
    {"244", "Angola", kWorld2},
    {"245", "Guinea-Bissau", kWorld2},
    {"246", "Diego Garcia", kSatellite},
    {"248", "Seychelles", kWorld2},
    {"249", "Sudan", kWorld2},
    {"250", "Rwanda", kWorld2},
    {"251", "Ethiopia", kWorld2},
    {"252", "Somalia", kWorld2},
    {"253", "Djibouti", kWorld2},
    {"254", "Kenya", kWorld1},
    {"255", "Tanzania", kWorld2},
    {"256", "Uganda", kWorld2},
    {"257", "Burundi", kWorld2},
    {"258", "Mozambique", kWorld2},
    {"260", "Zambia", kWorld2},
    {"261", "Madagascar", kWorld2},
    {"262", "Réunion", kEurope2},
    {"263", "Zimbabwe", kWorld2},
    {"264", "Namibia", kWorld2},
    {"265", "Malawi", kWorld2},
    {"266", "Lesotho", kWorld2},
    {"267", "Botswana", kWorld2},
    {"268", "Eswatini", kWorld2},
    {"269", "Comoros", kWorld2},
    {"27", "South Africa", kWorld1},
    {"290", "Saint Helena", kWorld2},
    {"291", "Eritrea", kWorld2},
    {"297", "Aruba", kWorld2},
    {"298", "Faroe Islands", kEurope2},
    {"299", "Greenland", kEurope2},
    {"30", "Greece", kEurope1},
    {"31", "Netherlands", kEurope1},
    {"32", "Belgium", kEurope1},
    {"33", "France", kEurope1},
    {"34", "Spain", kEurope1},
    {"350", "Gibraltar", kEurope2},
    {"351", "Portugal", kEurope1},
    {"352", "Luxembourg", kEurope1},
    {"353", "Ireland", kEurope1},
    {"354", "Iceland", kEurope2},
    {"355", "Albania", kEurope2},
    {"356", "Malta", kEurope1},
    {"357", "Cyprus", kEurope1},
    {"358", "Finland", kEurope1},
    {"359", "Bulgaria", kEurope1},
    {"36", "Hungary", kEurope1},
    {"370", "Lithuania", kEurope1},
    {"371", "Latvia", kEurope1},
    {"372", "Estonia", kEurope1},
    {"373", "Moldova", kEurope2},
    {"374", "Armenia", kEurope2},
    {"375", "Belarus", kEurope2},
    {"376", "Andorra", kEurope2},
    {"377", "Monaco", kEurope2},
    {"378", "San Marino", kEurope2},
    {"380", "Ukraine", kEurope2},
    {"381", "Serbia", kEurope2},
    {"382", "Montenegro", kEurope2},
    {"383", "Kosovo", kEurope2},
    {"385", "Croatia", kEurope1},
    {"386", "Slovenia", kEurope1},
    {"387", "Bosnia and Herzegovina", kEurope2},
    {"389", "North Macedonia", kEurope2},
    {"39", "Italy", kEurope1},
    {"40", "Romania", kEurope1},
    {"41", "Switzerland", kEurope2},
    {"420", "Czech Republic", kEurope1},
    {"421", "Slovakia", kEurope1},
    {"423", "Liechtenstein", kEurope2},
    {"43", "Austria", kEurope1},
    {"44", "United Kingdom", kEurope1},
    {"45", "Denmark", kEurope1},
    {"46", "Sweden", kEurope1},
    {"47", "Norway", kEurope2},
    {"48", "Poland", kEurope1},
    {"49", "Germany", kDomestic},
    {"500", "Falkland Islands", kWorld2},
    {"501", "Belize", kWorld2},
    {"502", "Guatemala", kWorld2},
    {"503", "El Salvador", kWorld2},
    {"504", "Honduras", kWorld2},
    {"505", "Nicaragua", kWorld2},
    {"506", "Costa Rica", kWorld1},
    {"507", "Panama", kWorld1},
    {"508", "Saint Pierre and Miquelon", kWorld2},
    {"509", "Haiti", kWorld2},
    {"51", "Peru", kWorld1},
    {"52", "Mexico", kWorld1},
    {"53", "Cuba", kWorld2},
    {"54", "Argentina", kWorld1},
    {"55", "Brazil", kWorld1},
    {"56", "Chile", kWorld1},
    {"57", "Colombia", kWorld1},
    {"58", "Venezuela", kWorld1},
    {"590", "Guadeloupe", kEurope2},
    {"591", "Bolivia", kWorld2},
    {"592", "Guyana", kWorld2},
    {"593", "Ecuador", kWorld1},
    {"594", "French Guiana", kEurope2},
    {"595", "Paraguay", kWorld2},
    {"596", "Martinique", kEurope2},
    {"597", "Suriname", kWorld2},
    {"598", "Uruguay", kWorld1},
    {"599", "Curaçao", kWorld2},
    {"60", "Malaysia", kWorld1},
    {"61", "Australia", kWorld1},
    {"62", "Indonesia", kWorld1},
    {"63", "Philippines", kWorld1},
    {"64", "New Zealand", kWorld1},
    {"65", "Singapore", kWorld1},
    {"66", "Thailand", kWorld1},
    {"670", "East Timor", kWorld2},
    {"672", "Norfolk Island", kWorld2},
    {"673", "Brunei", kWorld1},
    {"674", "Nauru", kWorld2},
    {"675", "Papua New Guinea", kWorld2},
    {"676", "Tonga", kWorld2},
    {"677", "Solomon Islands", kWorld2},
    {"678", "Vanuatu", kWorld2},
    {"679", "Fiji", kWorld2},
    {"680", "Palau", kWorld2},
    {"681", "Wallis and Futuna", kWorld2},
    {"682", "Cook Islands", kWorld2},
    {"683", "Niue", kWorld2},
    {"685", "Samoa", kWorld2},
    {"686", "Kiribati", kWorld2},
    {"687", "New Caledonia", kWorld2},
    {"688", "Tuvalu", kWorld2},
    {"689", "French Polynesia", kWorld2},
    {"690", "Tokelau", kWorld2},
    {"691", "Micronesia", kWorld2},
    {"692", "Marshall Islands", kWorld2},
    {"7", "Russia", kEurope2},
    {"76", "Kazakhstan", kWorld1},
    {"77", "Kazakhstan", kWorld1},
    {"81", "Japan", kWorld1},
    {"82", "South Korea", kWorld1},
    {"84", "Vietnam", kWorld1},
    {"850", "North Korea", kWorld2},
    {"852", "Hong Kong", kWorld1},
    {"853", "Macau", kWorld1},
    {"855", "Cambodia", kWorld2},
    {"856", "Laos", kWorld2},
    {"86", "China", kWorld1},
    {"870", "Inmarsat", kSatellite},
    {"880", "Bangladesh", kWorld2},
    {"881", "Global Mobile Satellite System", kSatellite},
    {"882", "International Networks", kSatellite},
    {"886", "Taiwan", kWorld1},
    {"90", "Turkey", kEurope2},
    {"91", "India", kWorld1},
    {"92", "Pakistan", kWorld2},
    {"93", "Afghanistan", kWorld2},
    {"94", "Sri Lanka", kWorld2},
    {"95", "Myanmar", kWorld2},
    {"960", "Maldives", kWorld2},
    {"961", "Lebanon", kWorld2},
    {"962", "Jordan", kWorld2},
    {"963", "Syria", kWorld2},
    {"964", "Iraq", kWorld2},
    {"965", "Kuwait", kWorld1},
    {"966", "Saudi Arabia", kWorld1},
    {"967", "Yemen", kWorld2},
    {"968", "Oman", kWorld1},
    {"970", "Palestine", kWorld2},
    {"971", "United Arab Emirates", kWorld1},
    {"972", "Israel", kWorld1},
    {"973", "Bahrain", kWorld1},
    {"974", "Qatar", kWorld1},
    {"975", "Bhutan", kWorld2},
    {"976", "Mongolia", kWorld2},
    {"977", "Nepal", kWorld2},
    {"98", "Iran", kWorld2},
    {"992", "Tajikistan", kWorld2},
    {"993", "Turkmenistan", kWorld2},
    {"994", "Azerbaijan", kWorld2},
    {"995", "Georgia", kWorld2},
    {"996", "Kyrgyzstan", kWorld2},
    {"998", "Uzbekistan", kWorld2},
};

// Area codes of the home country, without the trunk prefix 0.
constexpr struct
{
    const char* code;
    const char* city;
} kCities[] = {
    {"30", "Berlin"},
    {"40", "Hamburg"},
    {"89", "München"},
    {"221", "Köln"},
    {"69", "Frankfurt am Main"},
    {"711", "Stuttgart"},
    {"211", "Düsseldorf"},
    {"341", "Leipzig"},
    {"231", "Dortmund"},
    {"201", "Essen"},
    {"421", "Bremen"},
    {"351", "Dresden"},
    {"511", "Hannover"},
    {"911", "Nürnberg"},
    {"203", "Duisburg"},
    {"234", "Bochum"},
    {"202", "Wuppertal"},
    {"521", "Bielefeld"},
    {"228", "Bonn"},
    {"251", "Münster"},
    {"721", "Karlsruhe"},
    {"621", "Mannheim"},
    {"821", "Augsburg"},
    {"611", "Wiesbaden"},
    {"2161", "Mönchengladbach"},
    {"209", "Gelsenkirchen"},
    {"241", "Aachen"},
    {"531", "Braunschweig"},
    {"431", "Kiel"},
    {"371", "Chemnitz"},
    {"345", "Halle (Saale)"},
    {"391", "Magdeburg"},
    {"761", "Freiburg im Breisgau"},
    {"2151", "Krefeld"},
    {"6131", "Mainz"},
    {"451", "Lübeck"},
    {"361", "Erfurt"},
    {"208", "Oberhausen"},
    {"381", "Rostock"},
    {"561", "Kassel"},
    {"2331", "Hagen"},
    {"331", "Potsdam"},
    {"681", "Saarbrücken"},
    {"2381", "Hamm"},
    {"441", "Oldenburg"},
    {"541", "Osnabrück"},
    {"214", "Leverkusen"},
    {"6221", "Heidelberg"},
    {"6151", "Darmstadt"},
    {"941", "Regensburg"},
    {"931", "Würzburg"},
    {"841", "Ingolstadt"},
    {"731", "Ulm"},
    {"5361", "Wolfsburg"},
    {"551", "Göttingen"},
    {"261", "Koblenz"},
    {"651", "Trier"},
    {"3641", "Jena"},
    {"355", "Cottbus"},
    {"385", "Schwerin"},
};

void addDestination(SettingsDatabase& db, const std::string& code, const char* country, const char* city, Zone zone)
{
    DestinationEntry d;
    d.code.assign(code);
    d.country.assign(text(country));
    d.city.assign(text(city));
    for (int k = 0; k < kCarrierCount; ++k) {
        const Tariff& t = kTariffs[k];
        const bool foreign = zone != kDomestic && zone != kMobile && zone != kService;
        d.rates[static_cast<std::size_t>(k)] = rate(t, kZonePrices[zone], foreign ? t.foreignFactor : t.domesticFactor);
    }
    db.destinations.push_back(d);
}

void addDestinations(SettingsDatabase& db)
{
    for (const Destination& c : kCountries)
        addDestination(db, c.code, c.country, "", c.zone);
    for (const auto& c : kCities)
        addDestination(db, std::string("49") + c.code, "Germany", c.city, kDomestic);
    addDestination(db, "4915", "Germany", "Mobile (015x)", kMobile);
    addDestination(db, "4916", "Germany", "Mobile (016x)", kMobile);
    addDestination(db, "4917", "Germany", "Mobile (017x)", kMobile);
    addDestination(db, "49180", "Germany", "Shared-cost service", kService);
    addDestination(db, "49800", "Germany", "Free numbers (0800)", kService);
    addDestination(db, "49118", "Germany", "Directory enquiries (118xx)", kService);
}

// The demo office: extensions 100-149 in seven departments; a few employees
// dial with their own account code (1001-1009), projects use 2001-2009.
constexpr struct
{
    const char* name;
    const char* department;
    const char* accountCode;
} kStaff[] = {
    {"Katharina Vogel", "Management", "1001"},
    {"Thomas Berger", "Management", "1002"},
    {"Sabine Krüger", "Management", ""},
    {"Michael Hartmann", "Management", ""},
    {"Jan Schröder", "Sales", "1003"},
    {"Laura Neumann", "Sales", ""},
    {"Stefan Wolf", "Sales", ""},
    {"Julia Braun", "Sales", "1004"},
    {"Markus Zimmermann", "Sales", ""},
    {"Anna Schmitt", "Sales", ""},
    {"Daniel Lange", "Sales", ""},
    {"Lena Werner", "Sales", ""},
    {"Tobias Krause", "Sales", ""},
    {"Sarah Lehmann", "Sales", ""},
    {"Florian Köhler", "Sales", ""},
    {"Nina Maier", "Sales", ""},
    {"Christian Huber", "Marketing", "1005"},
    {"Eva Kaiser", "Marketing", ""},
    {"Patrick Fuchs", "Marketing", ""},
    {"Miriam Peters", "Marketing", ""},
    {"Sebastian Scholz", "Marketing", ""},
    {"Hannah Möller", "Marketing", ""},
    {"Ralf Jung", "Finance", "1006"},
    {"Claudia Hahn", "Finance", ""},
    {"Andreas Keller", "Finance", ""},
    {"Petra Günther", "Finance", ""},
    {"Uwe Frank", "Finance", ""},
    {"Birgit Roth", "Finance", ""},
    {"Kevin Beck", "IT", "1007"},
    {"Dennis Lorenz", "IT", ""},
    {"Melanie Baumann", "IT", ""},
    {"Oliver Franke", "IT", ""},
    {"Jörg Albrecht", "IT", ""},
    {"Simone Schuster", "IT", ""},
    {"Monika Simon", "Customer Service", "1008"},
    {"Dirk Ludwig", "Customer Service", ""},
    {"Tanja Böhm", "Customer Service", ""},
    {"Martin Winter", "Customer Service", ""},
    {"Carina Kraus", "Customer Service", ""},
    {"Philipp Martin", "Customer Service", ""},
    {"Jana Schumacher", "Customer Service", ""},
    {"Matthias Krämer", "Customer Service", ""},
    {"Lisa Vogt", "Customer Service", ""},
    {"Benjamin Stein", "Customer Service", ""},
    {"Frank Jäger", "Logistics", "1009"},
    {"Heike Otto", "Logistics", ""},
    {"Sven Sommer", "Logistics", ""},
    {"Manuela Groß", "Logistics", ""},
    {"René Seidel", "Logistics", ""},
    {"Yvonne Heinrich", "Logistics", ""},
};
static_assert(std::size(kStaff) == 50);

void addDirectory(SettingsDatabase& db)
{
    for (std::size_t i = 0; i < std::size(kStaff); ++i) {
        DirectoryEntry e;
        e.extension = static_cast<std::int32_t>(100 + i);
        e.accountCode.assign(kStaff[i].accountCode);
        e.name.assign(text(kStaff[i].name));
        e.department.assign(text(kStaff[i].department));
        e.costModifier = 100;
        db.directory.push_back(e);
    }
    DirectoryEntry fax; // the fax machine: a line with no employee, its calls discounted
    fax.extension = 199;
    fax.name.assign("Fax");
    fax.department.assign("Office");
    fax.costModifier = 50;
    db.directory.push_back(fax);
}

// Trunks 1-4 are the main carrier's lines, which deliver metering pulses.
void addTrunks(SettingsDatabase& db)
{
    constexpr struct
    {
        std::uint32_t first, last;
        std::int32_t carrier;
        const char* group;
    } kGroups[] = {{1, 4, 0, "Fernwerk ISDN"}, {5, 8, 1, "Nordlink SIP"},  {9, 11, 2, "Citynet"},
                   {12, 13, 3, "Globalcall"},  {14, 15, 4, "GSM gateway"}, {16, 16, 5, "Tarifa Direct"}};
    for (const auto& g : kGroups) {
        for (std::uint32_t n = g.first; n <= g.last; ++n) {
            TrunkEntry t;
            t.number = n;
            t.carrier = g.carrier;
            t.group.assign(g.group);
            db.trunks.push_back(t);
        }
    }
}

void addContacts(SettingsDatabase& db)
{
    constexpr struct
    {
        const char* number;
        const char* name;
    } kContacts[] = {
        {"2345678", "Rheinland Spedition"},
        {"9876543", "Café am Dom"},
        {"4711000", "Duftwerk Köln"},
        {"5550123", "Stadtwerke Service"},
        {"82345***", "Hansa Versicherung"},
        {"7231***", "Domblick Hotel"},
        {"030123456", "Berliner Bürobedarf"},
        {"0301234567", "Berliner Bürobedarf"},
        {"04098765432", "Elbe Logistik"},
        {"08912345678", "Isar Software"},
        {"069200300", "Mainbank Frankfurt"},
        {"0711555444", "Neckar Maschinenbau"},
        {"0211334455**", "Kanzlei Rhein & Partner"},
        {"0341*******", "Leipziger Messe Service"},
        {"01511234567", "Jan Schröder (mobile)"},
        {"01701234567", "Katharina Vogel (mobile)"},
        {"01609876543", "Field service team"},
        {"08001234567", "Supplier hotline"},
        {"08007654321", "IT helpdesk"},
        {"00442071234567", "London office"},
        {"0033142345678", "Paris distributor"},
        {"003902123456", "Milano Design"},
        {"0034911234567", "Madrid partner"},
        {"0043150123456", "Wien Handel"},
        {"0041441234567", "Zürich Bank"},
        {"0031201234567", "Amsterdam Trading"},
        {"0012125551234", "New York office"},
        {"0014155550199", "San Francisco lab"},
        {"008610********", "Beijing supplier"},
        {"0081312345678", "Tokyo partner"},
        {"0048221234567", "Warszawa Sp. z o.o."},
        {"00420212345678", "Praha s.r.o."},
        {"0090212*******", "Istanbul Tekstil"},
        {"0061298765432", "Sydney Pty"},
        {"00551133334444", "São Paulo Ltda."},
        {"00912212345678", "Mumbai services"},
    };
    for (const auto& c : kContacts) {
        ContactEntry e;
        e.number.assign(c.number);
        e.name.assign(text(c.name));
        db.contacts.push_back(e);
    }
}

void addProjects(SettingsDatabase& db)
{
    constexpr const char* kProjects[] = {"Website relaunch", "Trade fair Leipzig", "ERP migration",
                                         "Customer survey",  "New warehouse",      "Export Asia",
                                         "Annual audit",     "Product launch",     "Office move"};
    for (std::size_t i = 0; i < std::size(kProjects); ++i) {
        ProjectEntry p;
        p.accountCode.assign(std::to_string(2001 + i));
        p.name.assign(kProjects[i]);
        db.projects.push_back(p);
    }
}

// Easter Sunday of the Gregorian calendar (the anonymous algorithm), as days since 1970-01-01.
std::int64_t easterSunday(int y)
{
    const int a = y % 19, b = y / 100, c = y % 100, d = b / 4, e = b % 4, f = (b + 8) / 25, g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30, i = c / 4, k = c % 4, l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int month = (h + l - 7 * m + 114) / 31;
    const int day = (h + l - 7 * m + 114) % 31 + 1;
    return civil::daysFromCivil(y, month, day);
}

void addHolidays(SettingsDatabase& db)
{
    for (const auto& [month, day] : {std::pair{1, 1}, {5, 1}, {10, 3}, {12, 25}, {12, 26}})
        db.holidays.push_back({0, static_cast<std::uint8_t>(month), static_cast<std::uint8_t>(day)});
    // Good Friday, Easter Monday, Ascension Day and Whit Monday move with Easter.
    for (int year = 2020; year <= 2035; ++year) {
        const std::int64_t easter = easterSunday(year);
        for (int offset : {-2, 1, 39, 50}) {
            const civil::Date d = civil::civilFromDays(easter + offset);
            db.holidays.push_back({static_cast<std::uint16_t>(d.year), static_cast<std::uint8_t>(d.month),
                                   static_cast<std::uint8_t>(d.day)});
        }
    }
}

void addHeader(SettingsDatabase& db)
{
    SettingsHeader& h = db.header;
    h = SettingsHeader{};
    h.weeklyHolidays[5] = 1; // Saturday
    h.weeklyHolidays[6] = 1; // Sunday
    h.exchangeRate = 0.92;   // 1 US dollar in euros
    h.roundCost = 1;
    h.overrideCurrency = 1;
    h.mainCurrency.symbol.assign(text("€"));
    h.mainCurrency.decimalSymbol.assign(",");
    h.mainCurrency.groupingSymbol.assign(".");
    h.mainCurrency.symbolPosition = 3; // "1,00 €"
    h.mainCurrency.digits = 2;
    h.mainCurrency.groupSize = 3;
    h.alternativeCurrency.symbol.assign("$");
    h.alternativeCurrency.symbolPosition = 0;
    h.useRateHistory = 1;
    for (const auto& [year, month, rate] :
         {std::tuple{2023, 1, 0.94}, {2024, 1, 0.91}, {2025, 1, 0.96}, {2025, 7, 0.86}}) {
        ExchangeRateEntry e;
        e.year = static_cast<std::uint16_t>(year);
        e.month = static_cast<std::uint8_t>(month);
        e.day = 1;
        e.rate = rate;
        db.exchangeRates.push_back(e);
    }
}

// The demo office's preferences in the INI file; its other keys stay as they are.
bool writePreferences(const char* path)
{
    IniProfile ini{std::filesystem::path(path)};
    Preferences prefs;
    prefs.load(ini);
    // Call types 3 to 6, as the prefixes above use them.
    prefs.userCallTypes = {"Free numbers", "Mobile", "Service numbers", "Directory enquiries"};
    prefs.customTexts = {text("Rheinblick Handels GmbH"), text("Domkloster 4\r\n50667 Köln"),
                         "+49 221 4711-0, Fax +49 221 4711-199", "Telephone costs of the Cologne office",
                         "Internal - not for distribution"};
    return prefs.save(ini);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: make_default_settings FILE [INI]\n");
        return 2;
    }
    Locale::pin("en_US"); // the shipped lists come out in the same order on every build machine
    SettingsDatabase db;
    addHeader(db);
    addCarriers(db);
    addPrefixes(db);
    addDestinations(db);
    addDirectory(db);
    addTrunks(db);
    addContacts(db);
    addProjects(db);
    addHolidays(db);
    db.rebuildIndexes();

    std::string error;
    if (!saveSettings(argv[1], db, &error)) {
        std::fprintf(stderr, "make_default_settings: %s: %s\n", argv[1], error.c_str());
        return 1;
    }
    SettingsDatabase check;
    if (loadSettings(argv[1], check) != SettingsLoadResult::Ok || encodeSettings(check) != encodeSettings(db)) {
        std::fprintf(stderr, "make_default_settings: %s does not read back\n", argv[1]);
        return 1;
    }
    if (argc == 3 && !writePreferences(argv[2])) {
        std::fprintf(stderr, "make_default_settings: %s cannot be written\n", argv[2]);
        return 1;
    }
    return 0;
}
