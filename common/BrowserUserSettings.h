#pragma once
// Where the browser keeps its per-user values (platform/UserSettings): the history boxes of
// the option grids and the general options, all under one application and section.

namespace k2k {

inline constexpr const char* kUserSettingsApplication = "Kalde2000";
inline constexpr const char* kUserSettingsSection = "K2KBRWSR";

} // namespace k2k
