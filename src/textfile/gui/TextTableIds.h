#pragma once
// The text-table options dialog's template (textfile.qxr) and control ids.

namespace ttres {

inline constexpr int kOptionsDialog = 203;

inline constexpr int kFields = 6201; // the label; the check list carries it too
inline constexpr int kUp = 5100, kDown = 5101, kSkipMore = 5102, kSkipLess = 5103, kNarrower = 5104, kWider = 5105;
inline constexpr int kSeparatorGroup = 6043, kTab = 6040, kOther = 6041, kFixedWidth = 6042, kSeparator = 6218;
inline constexpr int kOptionsGroup = 6044, kFirstLine = 6212, kTrim = 6209, kDeleteAll = 6220, kAdd = 5107,
                     kUpdate = 6207;

// Adds the template to the program's resource registry (once).
void registerResources();

} // namespace ttres
