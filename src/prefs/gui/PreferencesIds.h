#pragma once
// The Preferences sheet's page templates (prefs.qxr), their control ids and
// help topics.

namespace pfres {

inline constexpr int kSheet = 230; // the sheet's own buttons
inline constexpr int kViewPage = 232, kColumnPage = 231, kColorPage = 233, kReportPage = 234;
inline constexpr int kViewHelp = 8240, kColumnHelp = 8241, kColorHelp = 8242, kReportHelp = 8243;

// "View"
inline constexpr int kLineFormatGroup = 6280, kExtensionsLabel = 6281, kTrunksLabel = 6282, kDestinationGroup = 6283,
                     kLongDistanceLabel = 6284, kInternationalLabel = 6285, kUserTypeLabel = 6286;
inline constexpr int kExtensionFormat = 6292, kTrunkFormat = 6293, kDestLongDistance = 6291, kDestInternational = 6294,
                     kDestUser = 6295;
inline constexpr int kDashToll = 6243, kDashLocal = 6247, kDashCode = 6244, kUsaFormat = 6246, kIncomingLocal = 6245,
                     kRefresh = 6250;

// "Columns"
inline constexpr int kSelectedList = 6203, kAvailableList = 6245;
inline constexpr int kAdd = 5107, kRemove = 5109, kUp = 5100, kDown = 5101;

// "Colors && call types"
inline constexpr int kTextHeading = 6060, kBackgroundHeading = 6061, kRowFirst = 6062, kUserTypesGroup = 6067,
                     kDelimiters = 6297;
inline constexpr int kUserNameFirst = 6350;

// "Reports customization": the labels, then the edits 6335-6339.
inline constexpr int kReportLabelFirst = 6330, kReportEditFirst = 6335;

void registerResources();

} // namespace pfres
