#pragma once
// Commands that reload or unload the browser ("EX", "RF", "SSQ", "LZ") must not run while
// a search does: the search lets pending events run after every object, so such a
// command can arrive in the middle of it and would pull the catalogue, the tables or the
// window from under it. The command dispatcher hands every received command to Keep
// first; a kept command is carried out, in the order received, once the search has ended.

#include <string>
#include <string_view>
#include <vector>

namespace k2k {

class DeferredCommands final {
public:
    // True when the command, addressed to the browser, reloads or unloads it.
    static bool ReloadsOrUnloads(std::string_view command);

    // Keeps the command when searching and it reloads or unloads; true when kept (the
    // dispatcher then does nothing with it now).
    bool Keep(const std::string& command, bool searching);
    // The kept commands, first received first; none are kept afterwards.
    std::vector<std::string> Take();
    bool Empty() const noexcept { return m_commands.empty(); }

private:
    std::vector<std::string> m_commands;
};

} // namespace k2k
