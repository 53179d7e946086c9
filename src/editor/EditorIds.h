#pragma once
// The Settings sheet's page and record-dialog templates (editor.qxr), their
// control ids and help topics.

namespace udres {

inline constexpr int kSheet = 219; // the sheet's own buttons

// Pages (tab order: Carriers 215, Rates 265, Directory, Trunks, Contacts,
// Projects, Holidays 216, Currency 218, Security 217).
inline constexpr int kCarrierPage = 215, kRatePage = 265, kUserPage = 212, kTrunkPage = 213, kContactPage = 211,
                     kProjectPage = 268, kHolidayPage = 216, kCurrencyPage = 218, kSecurityPage = 217;
inline constexpr int kUserHelp = 8263, kTrunkHelp = 8262, kContactHelp = 8258, kProjectHelp = 8268;

// Controls of a list page.
inline constexpr int kList = 6201, kQuickFind = 6338, kQuickFindLabel = 5019, kTotalLabel = 5001, kTotal = 6234;
inline constexpr int kEdit = 5102, kAdd = 5107, kDelete = 5103, kCopy = 5104, kExport = 5105, kImport = 5106;
inline constexpr int kSelectBy1 = 6030, kSelectBy2 = 6322;
inline constexpr int kLinkProjects = 6349; // Projects page

// Record dialogs: labels 5020.. in the order of their fields.
inline constexpr int kEmployeeDialog = 221, kContactDialog = 222, kTrunkDialog = 223, kProjectDialog = 269;
inline constexpr int kFieldLabelFirst = 5020;
inline constexpr int kExtensionEdit = 6240, kAccountCodeEdit = 6251, kNameEdit = 5110, kDepartmentEdit = 6213,
                     kCostModifierEdit = 6253, kTrunkEdit = 6224, kCarrierCombo = 6222, kPhoneEdit = 6246;

void registerResources();

} // namespace udres
