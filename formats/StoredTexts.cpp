#include "formats/StoredTexts.h"

#include <algorithm>

namespace k2k {

namespace {

std::string TextFault(std::string_view what, std::string_view text, std::size_t limit) {
    if (text.find('\0') != std::string_view::npos)
        return std::string(what) + " holds a NUL byte";
    if (text.size() > limit)
        return std::string(what) + " is " + std::to_string(text.size()) + " bytes long (at most " +
               std::to_string(limit) + ")";
    return {};
}

} // namespace

std::string NameFault(std::string_view name) {
    if (name.empty())
        return "the name is empty";
    return TextFault("the name", name, kMaxNameLength);
}

std::string InfoFault(std::string_view info) {
    return TextFault("the info text", info, kMaxInfoLength);
}

std::string_view HeldInfo(std::string_view info) noexcept {
    return info.substr(0, std::min(info.find('\0'), kMaxInfoLength));
}

} // namespace k2k
