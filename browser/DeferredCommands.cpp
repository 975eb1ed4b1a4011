#include "browser/DeferredCommands.h"

#include "services/AppMessages.h"

namespace k2k {

bool DeferredCommands::ReloadsOrUnloads(std::string_view command) {
    const auto verb = DecodeBrowserCommand(command);
    if (!verb)
        return false;
    switch (*verb) {
    case BrowserVerb::Exit:
    case BrowserVerb::Refresh:
    case BrowserVerb::SearchSequenceChanged:
    case BrowserVerb::Relocalise:
        return true;
    case BrowserVerb::Minimise:
    case BrowserVerb::Restore:
    case BrowserVerb::UpdateViewers:
        return false;
    }
    return false;
}

bool DeferredCommands::Keep(const std::string& command, bool searching) {
    if (!searching || !ReloadsOrUnloads(command))
        return false;
    m_commands.push_back(command);
    return true;
}

std::vector<std::string> DeferredCommands::Take() {
    std::vector<std::string> taken;
    taken.swap(m_commands);
    return taken;
}

} // namespace k2k
