#pragma once
// The 19 columns of the calls list: their titles, widths and alignment, the
// text of each cell of a call, and the comparison of two calls by a column,
// which orders the list, draws its delimiter lines and groups the calls of a
// report. The export and the report fields print the same cell texts.
//
// A CallColumns reads the settings database and the preferences it was made
// with (both must outlive it) and keeps what it derives from them: the
// direction, call-type and "Unknown" texts of the current language, and the
// collation ranks of employees and destinations. Make a new one after the
// settings' indexes, the preferences, the language or the locale changed.
//
// Texts are Windows-1252 bytes.

#include "calls/CallRecord.h"
#include "calls/CallSession.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class SettingsDatabase;
struct Preferences;

enum class ColumnType : int {
    Date = 0,
    Time,
    Ext,
    DialedNumber,
    Destination,
    Duration,
    Cost,
    Employee,
    Department,
    Contact,
    Trunk,
    TrunkGroup,
    Acc,
    Cd,
    Direction,
    Type,
    Carrier,
    Ringtime,
    Project,
};

inline constexpr int kColumnTypeCount = 19;

// A stored column type (INI values, report fields) that names one of the 19.
constexpr bool isColumnType(int type) { return type >= 0 && type < kColumnTypeCount; }

struct ColumnSpec
{
    int titleId;      // string 25001 + type
    int defaultWidth; // pixels
    bool rightAligned;
};

// The column's title id, default width and alignment; a type outside the 19
// gets title id 0, width 0, left.
const ColumnSpec& columnSpec(ColumnType type);
// The title in the current language.
std::string columnTitle(ColumnType type);

// One sort key of the calls list: a column type and its direction.
struct SortKey
{
    ColumnType type = ColumnType::Date;
    bool descending = false;
    friend bool operator==(const SortKey&, const SortKey&) = default;
};

// The defaults are those of a new installation: Date, then Ext, both ascending.
struct SortKeys
{
    SortKey primary{ColumnType::Date, false};
    SortKey secondary{ColumnType::Ext, false};
    friend bool operator==(const SortKeys&, const SortKeys&) = default;
};

class CallColumns
{
public:
    CallColumns(const SettingsDatabase& settings, const Preferences& prefs);
    // Both are kept by reference: temporaries would not live long enough.
    CallColumns(SettingsDatabase&&, const Preferences&) = delete;
    CallColumns(const SettingsDatabase&, Preferences&&) = delete;

    // The cell text of `call` in a column, replacing the contents of `out`. Reusing
    // one `out` for many cells formats without allocating. A type outside the 19
    // gives an empty text.
    void cellText(const CallRecord& call, ColumnType type, std::string& out) const;
    std::string cellText(const CallRecord& call, ColumnType type) const;

    // The destination text alone (column Destination): empty for a local call;
    // without a destination empty for incoming and "Unknown" for outgoing calls;
    // else country and city as the display style of the call's type asks.
    void destinationText(const CallRecord& call, std::string& out) const;
    // "Local", "Long distance", "International", or the user-defined name of
    // call type 3 to 6; empty for any other value.
    std::string_view callTypeName(std::int32_t callType) const;
    std::string_view directionName(std::uint32_t direction) const;

    // Orders two calls by one column: <0 when a sorts before b, 0 when they are
    // equal on this column, >0 otherwise. This is a strict weak order for every
    // column, so it can drive any sort:
    //  - Date by day, Time by hour; numbers numerically (extension and trunk as
    //    signed numbers, so -1 comes first); Dialed Number, Acc and CD byte-wise.
    //  - Cost by whole hundredths, each cost rounded as its currency text is
    //    (to six decimals, then half away from zero).
    //  - Employee by the collation order of the directory entries' employee and
    //    department names: entries with the same two names are one employee.
    //  - Department, Project and Trunk group by their positions in the sorted
    //    distinct-name lists, Carrier by its index; none (-1) first.
    //  - Contact by contact index, none first; two calls without contact by
    //    their own name texts in collation order.
    //  - Destination: local calls first, then calls without destination, then
    //    by the destination list position of the first destination with the
    //    same text, so that equal texts are equal whatever their positions.
    int compare(const CallRecord& a, const CallRecord& b, ColumnType type) const;
    // By the primary key and, when equal there, by the secondary one (unless it
    // names the same column); a descending key reverses its result.
    int compare(const CallRecord& a, const CallRecord& b, const SortKeys& keys) const;
    bool less(const CallRecord& a, const CallRecord& b, const SortKeys& keys) const { return compare(a, b, keys) < 0; }
    // The order for CallSession::setOrder; refers to this object, which must outlive it.
    CallSession::CallLess order(const SortKeys& keys) const;
    // The same order for whole lists: sorts `rows` (indices into `table`) stably by
    // keys computed once per row, with exactly the result of a stable sort by
    // compare(). Refers to this object, which must outlive it.
    CallSession::RowSorter sorter(const SortKeys& keys) const;
    void sortRows(std::span<const CallRecord> table, std::span<std::uint32_t> rows, const SortKeys& keys) const;

    // True when two neighbouring rows of a list sorted by `type` belong to one
    // group (no delimiter line between them): Duration by whole minutes (59 and
    // 100 seconds differ, 61 and 100 do not); every other column equal by
    // compare(), so Cost by whole hundredths.
    bool sameGroup(const CallRecord& a, const CallRecord& b, ColumnType type) const;

    // Ranks the name texts of these calls in collation order, so that comparing
    // contact-less calls by Contact needs no collation (names not ranked here are
    // still compared correctly, through the collation). Call before sorting many
    // calls; a later call replaces the ranks.
    void rankCallNames(std::span<const CallRecord> calls);

private:
    struct TextHash
    {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    using RankMap = std::unordered_map<std::string, int, TextHash, std::equal_to<>>;
    // A rank of a call's own name text, in an open-addressed table keyed by the
    // text's bytes zero-padded to 16, so a lookup follows no pointer.
    struct NameSlot
    {
        std::uint64_t low = 0;
        std::uint64_t high = 0;
        std::int32_t rank = -1; // -1: empty slot
    };

    void rankEmployees();
    void rankDestinations();
    int destinationStyle(std::int32_t callType) const;
    int styleSlot(std::int32_t callType) const;
    void appendDestination(int index, int style, std::string& out) const;
    int employeeRank(const CallRecord& call) const;
    int destinationKey(const CallRecord& call) const;
    int compareNames(std::string_view a, std::string_view b) const;
    // A key per call whose numeric order is the order of compare() by `type`;
    // nullptr for the columns of texts, which are ranked by textKeys().
    using KeyOf = std::uint64_t (*)(const CallColumns&, const CallRecord&);
    static KeyOf keyFunction(ColumnType type);
    std::vector<std::uint64_t> textKeys(std::span<const CallRecord> table, std::span<const std::uint32_t> rows,
                                        ColumnType type) const;
    std::vector<std::uint64_t> contactKeys(std::span<const CallRecord> table,
                                           std::span<const std::uint32_t> rows) const;
    const NameSlot* findName(std::string_view name) const;

    const SettingsDatabase& m_settings;
    const Preferences& m_prefs;

    std::array<std::string, 2> m_directions; // outgoing, incoming
    std::array<std::string, 7> m_callTypes;  // 0-2 built in, 3-6 user defined
    std::string m_unknown;

    std::vector<int> m_employeeRank;                   // by directory position
    std::array<std::vector<int>, 3> m_destinationRank; // by destination position, per style slot
    std::vector<NameSlot> m_callNameRanks;             // size a power of two, at most half full
};
