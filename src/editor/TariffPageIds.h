#pragma once
// Templates (tariff.qxr), control ids and help topics of the settings pages
// that price the calls: Carriers, Rates, Holidays, Currency, the edit-rate
// sheet and their dialogs.

#include "editor/EditorIds.h"

namespace tariffres {

// The page templates and the controls the list pages share are the sheet's.
using udres::kCarrierPage, udres::kRatePage, udres::kHolidayPage, udres::kCurrencyPage;
using udres::kList, udres::kTotal, udres::kEdit, udres::kAdd, udres::kDelete, udres::kCopy, udres::kExport,
    udres::kImport;

inline constexpr int kPrefixDialog = 225, kExchangeRateDialog = 267;
inline constexpr int kRateSheet = 276, kRateCodePage = 277, kRateGeneralPage = 278, kRatePeriodPage = 279;

inline constexpr int kCarrierHelp = 8257, kCurrencyHelp = 8259, kHolidayHelp = 8260, kRateHelp = 8264;

inline constexpr int kCarrierTabs = 6228, kTotalLabel = 5003; // "Total" of the Holidays page

// "Carriers" and "Prefix"
inline constexpr int kNameLabel = 5008, kName = 6215, kPrefixesLabel = 5002;
inline constexpr int kPrefixLabel = 5020, kPrefix = 6230, kIntlCodeLabel = 5021, kIntlCode = 6214,
                     kCallTypeLabel = 5022, kCallType = 6231, kTreatAsLocal = 6331, kFreeCalls = 6332,
                     kChangeCarrier = 6330, kCarrierChoice = 6222;

// "Rates"
inline constexpr int kTollMode = 6400, kLocalMode = 6401, kCostMode = 6402;
inline constexpr int kSuppliedGroup = 6410, kUseSuppliedCost = 6411, kUseSuppliedPulses = 6412,
                     kSuppliedCurrencyLabel = 6413, kSuppliedCurrency = 6414, kPulseLabel = 6415, kPulse = 6416;
inline constexpr int kGraceGroup = 6420, kGraceLabelFirst = 6421, kGraceEditFirst = 6426, kGraceSec = 6431;
inline constexpr int kOtherGroup = 6440, kModifierLabel = 6441, kModifier = 6442, kPercent = 6443, kStartRate = 6444;

// "Holidays"
inline constexpr int kWeeklyGroup = 5006, kWeekdayFirst = 6080, kHolidayListLabel = 5007, kCalendarLabel = 5004,
                     kCalendar = 6235, kYearly = 6285;

// "Currency" and "Currency exchange rate"
inline constexpr int kMainGroup = 5011, kOverride = 6316, kSymbolLabel = 5015, kSymbol = 6243, kPositionLabel = 5016,
                     kPosition = 6333, kDecimalLabel = 5017, kDecimal = 6334, kDigitsLabel = 5018, kDigits = 6336,
                     kGroupingLabel = 5019, kGrouping = 6338, kGroupSizeLabel = 5024, kGroupSize = 6337,
                     kRoundCost = 6315;
inline constexpr int kAltGroup = 5013, kAltSymbolLabel = 5025, kAltSymbol = 6244, kAltPositionLabel = 5026,
                     kAltPosition = 6335;
inline constexpr int kRateGroup = 5014, kAltAmount = 5010, kEquals = 5012, kMainBefore = 6094, kRateEdit = 6242,
                     kMainAfter = 6331, kUseHistory = 6317, kStartingLabel = 5023, kStarting = 6299;

// Edit-rate sheet: "Destination", "General", "Rate #%d"
inline constexpr int kCodeLabel = 5030, kCode = 6450, kCountryLabel = 5031, kCountry = 6451, kCityLabel = 5032,
                     kCity = 6452;
inline constexpr int kCurrencyLabel = 5033, kCurrency = 6453, kMinDurationLabel = 5034, kMinDuration = 6454,
                     kMinCostLabel = 5035, kMinCost = 6455, kInitialUnitLabel = 5036, kInitialUnit = 6456,
                     kInitialChargeLabel = 5037, kInitialCharge = 6457, kRoundToLabel = 5038, kRoundTo = 6458,
                     kDiscardRemainder = 6459, kSecondsLabel = 5039;
inline constexpr int kActive = 6470, kApplyGroup = 5040, kEveryday = 6471, kWeekdays = 6472, kHolidays = 6473,
                     kFromLabel = 5041, kFrom = 6474, kToLabel = 5042, kTo = 6475, kRateLabel = 5043, kRate = 6476,
                     kUnit = 6477, kUnitSeconds = 6478, kUnitSecLabel = 5044;

// Adds the templates to the program's resource registry (once).
void registerResources();

} // namespace tariffres
