#pragma once
// The command ids of the main window's menus, toolbar and accelerators.
// A new command is its id here and its one entry in CMainFrame::registerCommands
// (level, enabling rule, action, check mark, accelerator, toolbar icon); its menu
// place is in src/lang/resources.qxr (German: src/lang/de/resources.qxr), its
// status-bar prompt and tooltip in src/lang/StringTable.def (German:
// src/lang/de/strings.txt), and a toolbar button's position in kToolBarLayout.

namespace cmd {

inline constexpr int kSavedFilterFirst = 9000; // Apply saved filter i: 9000 + i, i < MainSession::kSavedFilterMenuMax

inline constexpr int kQuickExtension = 10010; // the quick filters, in QuickFilter's order
inline constexpr int kQuickTrunk = 10011;
inline constexpr int kQuickAccCode = 10012;
inline constexpr int kQuickEmployee = 10013;
inline constexpr int kQuickDepartment = 10014;
inline constexpr int kQuickDialedNumber = 10015;
inline constexpr int kQuickDestination = 10016;
inline constexpr int kQuickCountry = 10017;
inline constexpr int kQuickContact = 10018;
inline constexpr int kQuickDate = 10019;
inline constexpr int kQuickProject = 10020;
inline constexpr int kAddEditEmployee = 10021;
inline constexpr int kAddEditTrunk = 10022;
inline constexpr int kAddContact = 10023;
inline constexpr int kAddProject = 10024;
inline constexpr int kDialNumber = 10030;
inline constexpr int kExplainCost = 10031;

inline constexpr int kChangeLoginLevel = 10100;
inline constexpr int kSettings = 10101;
inline constexpr int kDatabaseLocation = 10102;
inline constexpr int kPreferences = 10103;
inline constexpr int kFilter = 10104;
inline constexpr int kClearFilter = 10105;
inline constexpr int kUndoFilter = 10106;
inline constexpr int kFind = 10107;
inline constexpr int kFindNext = 10108;
inline constexpr int kRefresh = 10109;
inline constexpr int kAutoRefresh = 10110;
inline constexpr int kExport = 10111;
inline constexpr int kReports = 10112;
inline constexpr int kEditTranslation = 10113;
inline constexpr int kNewTranslation = 10114;
inline constexpr int kCallChecks = 10115;
inline constexpr int kCompareCarriers = 10116;
inline constexpr int kQuickReport = 11102;
inline constexpr int kEditQuickReport = 11104;
inline constexpr int kHideSelected = 11109;

inline constexpr int kLanguageFirst = 21001; // language n: 21001 + n (LanguageService::kMaxMenuLanguages of them)

inline constexpr int kOpen = 57601;
inline constexpr int kClose = 57602;
inline constexpr int kSaveAs = 57604;
inline constexpr int kAbout = 57664;
inline constexpr int kExit = 57665;
inline constexpr int kHelpTopics = 57666;

inline constexpr int kMainMenu = 101;
inline constexpr int kContextMenu = 252;

} // namespace cmd
