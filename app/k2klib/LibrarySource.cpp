#include "LibrarySource.h"

// Placeholder until the library sources are written.
namespace k2k {

std::optional<LibraryKind> LibraryKindFromName(std::string_view) { return std::nullopt; }
std::string_view LibraryKindName(LibraryKind) noexcept { return {}; }
const std::vector<std::string_view>& LibrarySourceColumns(LibraryKind) {
    static const std::vector<std::string_view> none;
    return none;
}
bool ReadLibrarySource(const std::filesystem::path&, LibraryKind, std::vector<LibraryObject>&,
                       std::string& error) {
    error = "not yet available";
    return false;
}

}  // namespace k2k
