#include "platform/LibraryName.h"

#include "platform/SuiteServices.h"
#include "system/NativePath.h"
#include "system/Text.h"

namespace k2k {

namespace {

// C0 controls, DEL, and the five bytes Windows-1252 leaves undefined, which are read as the
// C1 controls of the same number.
bool IsControl(unsigned char byte) noexcept {
    return byte < 0x20 || byte == 0x7F || byte == 0x81 || byte == 0x8D || byte == 0x8F ||
           byte == 0x90 || byte == 0x9D;
}

} // namespace

LibraryNameFault CheckLibraryName(std::string_view name) noexcept {
    if (Trim(name).empty())
        return LibraryNameFault::Empty;
    for (const char c : name)
        if (IsControl(static_cast<unsigned char>(c)))
            return LibraryNameFault::Control;
    if (name.find_first_of("\\/:") != std::string_view::npos)
        return LibraryNameFault::Separator;
    if (name == "." || name == "..")
        return LibraryNameFault::Folder;
    if (name.front() == ' ' || name.back() == ' ' || name.back() == '.')
        return LibraryNameFault::Edge;
    return LibraryNameFault::None;
}

std::string LibraryNameRefusal(const SuiteServices& services, std::string_view name,
                               LibraryNameFault fault) {
    std::string why;
    switch (fault) {
    case LibraryNameFault::None:
        return {};
    case LibraryNameFault::Empty:
        why = services.GetText("it is empty", "992102");
        break;
    case LibraryNameFault::Control:
        why = services.GetText("it holds a control character", "992103");
        break;
    case LibraryNameFault::Separator:
        why = services.GetText("it holds \\, / or :, which lead to another folder", "992104");
        break;
    case LibraryNameFault::Folder:
        why = services.GetText("it names a folder", "992105");
        break;
    case LibraryNameFault::Edge:
        why = services.GetText("it begins or ends with a blank or ends with a dot", "992106");
        break;
    }
    return services.GetText("The library name ", "992100") + "\"" + std::string(name) + "\"" +
           services.GetText(" is not a plain file name in the library folder: ", "992101") + why;
}

std::optional<std::string> LibraryFilePath(std::string_view libraryDir, std::string_view name) {
    if (CheckLibraryName(name) != LibraryNameFault::None)
        return std::nullopt;
    return JoinPath(libraryDir, name);
}

} // namespace k2k
