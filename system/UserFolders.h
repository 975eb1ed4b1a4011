#pragma once
// The folders of this user, by the desktop's conventions: data in $XDG_DATA_HOME (or
// ~/.local/share), settings in $XDG_CONFIG_HOME (or ~/.config), and what lives only while
// the user is logged in, such as locks and sockets, in $XDG_RUNTIME_DIR. A variable that is
// unset, empty or not an absolute path counts as unset. Without a home folder at all (a
// bare service account) the data and settings folders are relative to the current folder,
// never the root.

#include <filesystem>
#include <optional>

namespace k2k {

std::filesystem::path UserDataFolder();
std::filesystem::path UserConfigFolder();
// nullopt when XDG_RUNTIME_DIR is not set: the caller chooses its own place.
std::optional<std::filesystem::path> UserRuntimeFolder();

} // namespace k2k
