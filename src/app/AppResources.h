#pragma once
// The main window's dialog templates (app.qxr) and their control ids.

namespace appres {

inline constexpr int kAboutDialog = 100;
inline constexpr int kAboutVersion = 6402;

inline constexpr int kLoginDialog = 240;
inline constexpr int kLoginPrompt = 6410;

inline constexpr int kFindDialog = 241;
inline constexpr int kFindNumberLabel = 6420;
inline constexpr int kFindStartAt = 6421;
inline constexpr int kFindTop = 6422;
inline constexpr int kFindCursor = 6423;
inline constexpr int kFindExact = 6424;

inline constexpr int kExplainDialog = 242;
inline constexpr int kExplainCopy = 6430;

inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

// Adds the templates to the program's resource registry (once).
void registerResources();

} // namespace appres
