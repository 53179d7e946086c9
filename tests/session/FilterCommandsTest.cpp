#include "SessionFixture.h"

#include "core/DebugLog.h"
#include "core/LittleEndian.h"

#include <algorithm>

using namespace sessiontest;

namespace {

using Rows = std::vector<std::uint32_t>;

FilterRecord outgoingOnly()
{
    FilterRecord f;
    f.includeIncoming = 0;
    return f;
}

} // namespace

TEST_F(SessionTest, QuickFiltersNarrowAndUndoReturnsStepByStepToTheDefault)
{
    ASSERT_TRUE(savedfilters::save(dir.path(), {saved("Outgoing", outgoingOnly())}));
    writeIni("[File]\nFilter=Outgoing\n");
    start();
    openOffice();
    const Rows withDefault = {10, 20, 30, 40, 50, 60, 70, 80, 100};
    EXPECT_EQ(shown(), withDefault);

    session.setCurrentCall(callWith(20)); // extension 100 on 2025-03-10
    ASSERT_TRUE(session.applyQuickFilter(QuickFilter::Extension, progress));
    EXPECT_EQ(shown(), (Rows{10, 20, 40, 60, 80, 100}));
    ASSERT_TRUE(session.applyQuickFilter(QuickFilter::Date, progress));
    EXPECT_EQ(shown(), (Rows{10, 20, 40}));
    EXPECT_EQ(session.undoStack().size(), 2u);

    session.undoLastFilter(progress);
    EXPECT_EQ(shown(), (Rows{10, 20, 40, 60, 80, 100}));
    session.undoLastFilter(progress);
    EXPECT_EQ(shown(), withDefault);
    EXPECT_FALSE(session.canUndoFilter());
}

TEST_F(SessionTest, NeutralFilterIsNotPushed)
{
    openOffice();
    session.applyFilter(FilterRecord{}, true, progress);
    EXPECT_TRUE(session.undoStack().empty());
    EXPECT_FALSE(session.canUndoFilter());
    EXPECT_FALSE(session.canClearFilter());
    EXPECT_EQ(session.totals().rows, 10u);
    EXPECT_EQ(session.totals().duration, 550u);
}

TEST_F(SessionTest, HiddenRowsComeBackWithUndoAndTheStackStays)
{
    openOffice();
    session.applyFilter(outgoingOnly(), true, progress);
    ASSERT_EQ(session.undoStack().size(), 1u);
    const std::size_t rows[] = {4, 0, 2, 2, 99}; // any order; a repeated or missing row counts once or not
    const std::uint32_t hidden = session.calls().visibleCall(0).duration + session.calls().visibleCall(2).duration
                                 + session.calls().visibleCall(4).duration;
    ASSERT_TRUE(session.hideRows(rows));
    EXPECT_EQ(session.totals().rows, 6u);
    EXPECT_EQ(session.totals().duration, 460u - hidden);
    EXPECT_NEAR(session.totals().cost, (460.0 - hidden) * 0.01, 1e-9);
    EXPECT_TRUE(session.recordsHidden());
    EXPECT_TRUE(session.canUndoFilter());

    session.undoLastFilter(progress);
    EXPECT_FALSE(session.recordsHidden());
    EXPECT_EQ(session.totals().rows, 9u);
    EXPECT_EQ(session.undoStack().size(), 1u);

    // Hiding needs the Manager level and a selection.
    session.setLoginLevel(3);
    EXPECT_FALSE(session.canHideRows(1));
    EXPECT_FALSE(session.hideRows(rows));
    session.setLoginLevel(2);
    EXPECT_FALSE(session.canHideRows(0));
    EXPECT_TRUE(session.canHideRows(1));
}

TEST_F(SessionTest, ClearShowsAllCallsEvenWithADefaultFilter)
{
    ASSERT_TRUE(savedfilters::save(dir.path(), {saved("Outgoing", outgoingOnly())}));
    writeIni("[File]\nFilter=Outgoing\n");
    start();
    openOffice();
    EXPECT_EQ(session.totals().rows, 9u);
    EXPECT_TRUE(session.canClearFilter());
    session.clearFilter(progress);
    EXPECT_EQ(session.totals().rows, 10u);
    EXPECT_FALSE(session.filterActive());
    EXPECT_FALSE(session.canClearFilter());

    // Closing returns to the default filter.
    session.closeFiles();
    EXPECT_TRUE(session.filterActive());
    EXPECT_FALSE(session.canClearFilter()); // no calls
}

TEST_F(SessionTest, DefaultNameWithoutSavedFilterIsNeutral)
{
    ASSERT_TRUE(savedfilters::save(dir.path(), {saved("Outgoing", outgoingOnly())}));
    writeIni("[File]\nFilter=outgoing\n"); // names compare case-sensitively
    start();
    EXPECT_FALSE(session.filterActive());
    openOffice();
    EXPECT_EQ(session.totals().rows, 10u);
}

TEST_F(SessionTest, MenusListTheFirstThirtySavedFilters)
{
    SavedFilterList list;
    for (int i = 0; i < 31; ++i)
        list.push_back(saved("F" + std::to_string(i), outgoingOnly()));
    ASSERT_TRUE(savedfilters::save(dir.path(), list));
    start();
    const auto menu = session.savedFilterMenu();
    ASSERT_EQ(menu.size(), 30u);
    EXPECT_EQ(menu.front().position, 0u);
    EXPECT_EQ(menu.back().position, 29u);
    EXPECT_EQ(menu.back().name, "F29");
    EXPECT_FALSE(session.canApplySavedFilter(0)); // no calls yet
    openOffice();
    EXPECT_TRUE(session.canApplySavedFilter(29));
    EXPECT_FALSE(session.canApplySavedFilter(30));
    EXPECT_FALSE(session.applySavedFilter(30, progress));
    EXPECT_TRUE(session.applySavedFilter(29, progress));
    EXPECT_EQ(session.totals().rows, 9u);
    EXPECT_EQ(session.undoStack().size(), 1u);
}

TEST_F(SessionTest, VersionOneSavedFiltersRejectUserCallTypes)
{
    std::vector<std::uint8_t> file = savedfilters::write(
        {saved("Old A", FilterRecord{}), saved("Old B", outgoingOnly())});
    le::storeU32(file.data() + 4, savedfilters::kVersion1);
    std::vector<std::uint8_t> old(file.begin(), file.begin() + 64);
    for (std::size_t i = 0; i < 2; ++i)
        old.insert(old.end(), file.begin() + 64 + static_cast<std::ptrdiff_t>(i * 1024),
                   file.begin() + 64 + static_cast<std::ptrdiff_t>(i * 1024 + 832));
    std::ofstream(dir / "filter.dat", std::ios::binary)
        .write(reinterpret_cast<const char*>(old.data()), static_cast<std::streamsize>(old.size()));
    start();
    ASSERT_EQ(session.savedFilters().size(), 2u);
    openOffice();
    ASSERT_TRUE(session.applySavedFilter(0, progress));
    EXPECT_EQ(shown(), (Rows{10, 20, 30, 40, 60, 70, 80, 90, 100})); // the 0800 call (user type 1) fails
}

TEST_F(SessionTest, QuickFilterEnablingFollowsTheCurrentCall)
{
    openOffice();
    for (int which = 0; which < kQuickFilterCount; ++which)
        EXPECT_FALSE(session.canQuickFilter(static_cast<QuickFilter>(which)));
    session.setCurrentCall(callWith(90)); // incoming, extension 102 (no employee), name text, local
    EXPECT_TRUE(session.canQuickFilter(QuickFilter::Extension));
    EXPECT_TRUE(session.canQuickFilter(QuickFilter::Date));
    EXPECT_FALSE(session.canQuickFilter(QuickFilter::Employee));
    EXPECT_FALSE(session.canQuickFilter(QuickFilter::Department));
    EXPECT_FALSE(session.canQuickFilter(QuickFilter::Destination));
    EXPECT_FALSE(session.canQuickFilter(QuickFilter::Country));
    EXPECT_TRUE(session.canQuickFilter(QuickFilter::Contact));
    EXPECT_FALSE(session.canQuickFilter(QuickFilter::Project));
    session.setCurrentCall(callWith(40)); // Smith, Germany without city, project Alpha
    EXPECT_TRUE(session.canQuickFilter(QuickFilter::Employee));
    EXPECT_TRUE(session.canQuickFilter(QuickFilter::Country));
    EXPECT_TRUE(session.canQuickFilter(QuickFilter::Project));
    EXPECT_FALSE(session.canQuickFilter(QuickFilter::Contact));
    session.setCurrentCall(1000);
    EXPECT_FALSE(session.canQuickFilter(QuickFilter::Date));
}

// A range cannot name "no extension" (its bound -1 means open): quick filters by
// extension or trunk are off for such calls instead of showing every call.
TEST_F(SessionTest, QuickFilterByAMissingExtensionOrTrunkIsOff)
{
    open({{0xFFFFFFFFu, "5551234", {2025, 3, 10, 8, 0}, 10, 0xFFFFFFFFu}, {100, "5551234", {2025, 3, 10, 9, 0}, 20}});
    session.setCurrentCall(callWith(10));
    EXPECT_FALSE(session.canQuickFilter(QuickFilter::Extension));
    EXPECT_FALSE(session.canQuickFilter(QuickFilter::Trunk));
    EXPECT_FALSE(session.applyQuickFilter(QuickFilter::Extension, progress));
    EXPECT_EQ(shown(), (Rows{10, 20}));
    session.setCurrentCall(callWith(20));
    EXPECT_TRUE(session.applyQuickFilter(QuickFilter::Extension, progress));
    EXPECT_EQ(shown(), (Rows{20}));
}

TEST_F(SessionTest, QuickFiltersTakeTheCallsValues)
{
    openOffice();
    const auto quick = [&](std::uint32_t duration, QuickFilter which) {
        session.clearFilter(progress);
        session.setCurrentCall(callWith(duration));
        EXPECT_TRUE(session.applyQuickFilter(which, progress));
        return shown();
    };
    EXPECT_EQ(quick(30, QuickFilter::Trunk), (Rows{30, 80}));
    EXPECT_EQ(quick(40, QuickFilter::AccCode), (Rows{40}));
    EXPECT_EQ(quick(30, QuickFilter::Employee), (Rows{30, 50, 70}));
    EXPECT_EQ(quick(30, QuickFilter::Department), (Rows{30, 50, 70}));
    EXPECT_EQ(quick(20, QuickFilter::DialedNumber), (Rows{20, 70, 100}));
    EXPECT_EQ(quick(30, QuickFilter::Destination), (Rows{30}));                  // Germany - Berlin
    EXPECT_EQ(quick(80, QuickFilter::Destination), (Rows{20, 50, 70, 80, 100})); // unknown: not local, none found
    EXPECT_EQ(quick(30, QuickFilter::Country), (Rows{30, 40}));
    EXPECT_EQ(quick(20, QuickFilter::Contact), (Rows{20, 70, 100}));
    EXPECT_EQ(quick(90, QuickFilter::Contact), (Rows{90})); // the call's own name text
    EXPECT_EQ(quick(40, QuickFilter::Project), (Rows{40}));
    EXPECT_EQ(session.currentFilter().projectExact, 1);

    // Quick filter by contact after "Unknown numbers": the contact's calls, not the unknown ones.
    FilterRecord unknown;
    unknown.contactOn = unknown.unknownNumbers = 1;
    session.applyFilter(unknown, true, progress);
    session.setCurrentCall(callWith(20));
    ASSERT_TRUE(session.applyQuickFilter(QuickFilter::Contact, progress));
    EXPECT_EQ(shown(), (Rows{20, 70, 100}));
}

TEST_F(SessionTest, FilterEditorPresetsDatesAndTakesItsResult)
{
    openOffice();
    FilterEditorState state = session.prepareFilterEditor();
    EXPECT_EQ(state.filter.from, (CallDate{2025, 3, 10, 0, 0}));
    EXPECT_EQ(state.filter.to, (CallDate{2025, 3, 11, 23, 59}));
    EXPECT_FALSE(state.filter.isActive());

    state.filter.toOn = 1;
    state.filter.to = {2025, 3, 10, 23, 59};
    state.saved.push_back(saved("Day one", state.filter));
    state.savedChanged = true;
    state.defaultFilterName = "Day one";
    ASSERT_TRUE(session.takeFilterEditorResult(state, progress));
    EXPECT_EQ(shown(), (Rows{10, 20, 30, 40, 50}));
    EXPECT_EQ(session.undoStack().size(), 1u);
    EXPECT_EQ(session.defaultFilterName(), "Day one");
    EXPECT_EQ(savedfilters::load(dir.path()).size(), 1u);
    EXPECT_EQ(session.reportPeriod().from, (CallDate{2025, 3, 10, 0, 0}));
    EXPECT_EQ(session.reportPeriod().to, (CallDate{2025, 3, 10, 23, 59}));

    // Without calls the edited criteria are dropped; the name is kept.
    session.closeFiles();
    EXPECT_TRUE(session.filterActive()); // the new default filter
    FilterEditorState other = session.prepareFilterEditor();
    other.filter.durationOn = 1;
    other.defaultFilterName = "";
    ASSERT_TRUE(session.takeFilterEditorResult(other, progress));
    EXPECT_EQ(session.currentFilter().durationOn, 0);
    EXPECT_EQ(session.defaultFilterName(), "");
}

TEST_F(SessionTest, OpeningAgainStartsWithTheDefaultFilter)
{
    openOffice();
    session.applyFilter(outgoingOnly(), true, progress);
    openOffice();
    EXPECT_TRUE(session.undoStack().empty());
    EXPECT_FALSE(session.filterActive());
    EXPECT_EQ(session.totals().rows, 10u);
}

TEST_F(SessionTest, ApplyingWritesTheDebugLogLine)
{
    writeIni("[Debug]\nLog=1\n");
    debuglog::setProgramFolder(dir.path());
    session.applyFilter(false, progress);
    debuglog::setProgramFolder(dir / "none");
    std::ifstream log(dir / "debug.txt");
    const std::string text((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find(" - CMainFrame::ApplyFilter()\n"), std::string::npos);
}

TEST_F(SessionTest, OwnRatingClassifiesFromTheLiveSettings)
{
    session.setRating(nullptr);
    openOffice();
    const CallRecord& call = session.calls().call(static_cast<std::size_t>(callWith(30)));
    ASSERT_GE(call.directoryIndex, 0);
    EXPECT_EQ(session.settings().directory[static_cast<std::size_t>(call.directoryIndex)].name.view(), "Jones");
    EXPECT_EQ(session.settings().trunks[static_cast<std::size_t>(call.trunkIndex)].group.view(), "Mobile");

    // After a settings change every call is classified again.
    session.settings().directory[0].name.assign("Miller");
    session.settings().directory[1].name.assign("Miller");
    session.settings().rebuildIndexes();
    session.settingsChanged(progress);
    FilterRecord f;
    f.employeeOn = 1;
    FilterRecord::setText(f.employee, "Miller");
    FilterRecord::setText(f.department, "Service");
    session.applyFilter(f, true, progress);
    EXPECT_EQ(shown(), (Rows{30, 50, 70}));
}

// Undo brings back the rows from before the filter without filtering again, in
// exactly the order a new application of the older filter gives them.
TEST_F(SessionTest, UndoGivesTheRowsOfAFreshApplication)
{
    openOffice();
    auto order = [&] { return Rows(session.calls().visible().begin(), session.calls().visible().end()); };
    session.setSortKeys({{ColumnType::Direction, false}, {ColumnType::Type, true}}); // many ties
    session.clearFilter(progress);
    const Rows before = order();
    session.applyFilter(outgoingOnly(), true, progress);
    ASSERT_NE(order(), before);
    session.undoLastFilter(progress);
    EXPECT_EQ(order(), before);
    EXPECT_EQ(session.totals().rows, 10u);
    EXPECT_EQ(session.totals().duration, 550u);
    EXPECT_FALSE(session.filterActive());

    // Re-sorted before the filter, or after it: rows that tie keep the order shown
    // before, which a new application of the older filter would not give them.
    for (const bool sortedFirst : {true, false}) {
        session.setSortKeys({{ColumnType::Ext, true}, {ColumnType::Ext, true}});
        if (sortedFirst)
            session.setSortKeys({{ColumnType::Direction, false}, {ColumnType::Direction, false}});
        const Rows shownBefore = order();
        session.applyFilter(outgoingOnly(), true, progress);
        if (!sortedFirst)
            session.setSortKeys({{ColumnType::Direction, false}, {ColumnType::Direction, false}});
        session.undoLastFilter(progress);
        const Rows undone = order();
        session.clearFilter(progress);
        EXPECT_EQ(undone, order()) << sortedFirst;
        EXPECT_NE(shownBefore, order()) << sortedFirst;
    }
}

// Calls read by a reload after the filter, even hidden ones, are there after Undo.
TEST_F(SessionTest, UndoAfterAReloadShowsTheNewCalls)
{
    openOffice();
    session.applyFilter(outgoingOnly(), true, progress);
    write({{101, "5550000", {2025, 3, 11, 13, 0}, 110, 1, "", "", 1}}, "calls.bsl", true);
    ASSERT_TRUE(session.reload(progress).ok());
    EXPECT_EQ(session.calls().count(), 11u);
    session.undoLastFilter(progress);
    EXPECT_EQ(session.totals().rows, 11u);
    EXPECT_EQ(shown().back(), 110u);
}

TEST_F(SessionTest, ShowingACheckedRuleHidesTheOtherRowsUntilUndo)
{
    start();
    openOffice();
    const Rows all = shown();
    const std::vector<std::uint32_t> found = {static_cast<std::uint32_t>(callWith(30)),
                                              static_cast<std::uint32_t>(callWith(10))};
    ASSERT_TRUE(session.showOnlyCalls(found));
    EXPECT_EQ(shown(), (Rows{10, 30}));
    EXPECT_EQ(session.totals().rows, 2u);
    EXPECT_EQ(session.totals().duration, 40u);
    EXPECT_TRUE(session.canUndoFilter());
    EXPECT_FALSE(session.showOnlyCalls(found)); // nothing left to hide
    session.undoLastFilter(progress);
    EXPECT_EQ(shown(), all);
}
