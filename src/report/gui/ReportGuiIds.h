#pragma once
// The report dialogs' templates (report.qxr) and their control ids.

namespace rptres {

inline constexpr int kCreateReportDialog = 207;
inline constexpr int kReportWindow = 261;
inline constexpr int kPageNumbersDialog = 262;

// "Create report"
inline constexpr int kTemplateLabel = 6289, kTemplate = 6290;
inline constexpr int kKindGroup = 6099, kIndividualLabel = 6098;
inline constexpr int kKindFirst = 6100; // 6100 Summary ... 6109 Only selected records: the kind's radio
inline constexpr int kEmployee = 6217, kDepartment = 6213, kTrunk = 6224, kExtension = 6240, kAccount = 6251,
                     kContact = 6227, kTrunkGroup = 6223, kProject = 6228;
inline constexpr int kPageBreaks = 6334;
inline constexpr int kDateGroup = 6258, kFromLabel = 6257, kFromDate = 6259, kFromTime = 6263, kToLabel = 6271,
                     kToDate = 6272, kToTime = 6275;

// "Page numbers"
inline constexpr int kPrintPageNumbers = 6200;
inline constexpr int kPositionGroup = 6009, kTop = 6010, kBottom = 6011;
inline constexpr int kAlignGroup = 6019, kLeft = 6020, kCenter = 6021, kRight = 6022;

// Adds the templates to the program's resource registry (once).
void registerResources();

} // namespace rptres
