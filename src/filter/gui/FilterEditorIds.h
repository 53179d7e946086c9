#pragma once
// The filter editor's page templates (filter.qxr), their control ids and help
// topics.

namespace feres {

inline constexpr int kSheet = 275; // the sheet's own buttons
inline constexpr int kTypePage = 270;
inline constexpr int kDatePage = 271;
inline constexpr int kLinePage = 272;
inline constexpr int kSavePage = 273;
inline constexpr int kSaveAsDialog = 274;

// "Type && dialing"
inline constexpr int kOutgoing = 6501, kIncoming = 6502, kLocal = 6503, kLongDistance = 6504, kInternational = 6505;
inline constexpr int kCd = 6510, kNumber = 6511, kNumberExact = 6512, kContact = 6513, kContactExact = 6514,
                     kUnknownNumbers = 6515, kDestination = 6516, kUnknownDestinations = 6517, kInvert = 6518;
inline constexpr int kDirectionGroup = 6519, kCallTypeGroup = 6520, kDialingGroup = 6521;

// "Date, time, cost"
inline constexpr int kDateGroup = 6529, kFrom = 6530, kTo = 6531, kTimeGroup = 6532, kTimeBetween = 6533,
                     kDurationGroup = 6534, kDurationBetween = 6535, kDurationUnit = 6536, kCostGroup = 6537,
                     kCostBetween = 6538, kRingGroup = 6539, kRingBetween = 6540, kRingUnit = 6541, kAndFirst = 6542;

// "Lines"
inline constexpr int kEmployee = 6550, kDepartment = 6551, kDepartmentExact = 6552, kExtension = 6553, kAccount = 6554,
                     kProject = 6555, kProjectExact = 6556, kCarrier = 6557, kTrunkGroup = 6558,
                     kTrunkGroupExact = 6559, kTrunk = 6560;

// "Save / Load"
inline constexpr int kLoadLabel = 6570, kSaveAs = 6571, kDelete = 6572, kReset = 6573, kDefaultLabel = 6574,
                     kClear = 6575;

// "Save Filter As"
inline constexpr int kFilterName = 6580;

// Help topics of the pages.
inline constexpr int kTypeHelp = 8230, kDateHelp = 8231, kLineHelp = 8232, kSaveHelp = 8233;

// Adds the templates to the program's resource registry (once).
void registerResources();

} // namespace feres
