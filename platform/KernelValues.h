#pragma once
// The kernel's named values (the suite-wide texts through which its applications publish
// their status and settings) and its help display. Named values live in memory for the
// life of the process; the host seeds them.

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace k2k {

class KernelValues {
public:
    // The text stored under name, or nullopt when there is none.
    std::optional<std::string> E_GetString(const std::string& name) const;
    void E_SetString(const std::string& name, const std::string& value);

    // Help display. A help window comes with the UI, which listens; without one the kernel
    // just remembers what it was asked for.
    struct HelpRequest {
        std::string helpFile;
        int topic = 0;     // for a topic; 0 shows the contents
        int command = 0;   // 0 a topic, 258 a macro (HELP_COMMAND), 2 quit (HELP_QUIT)
        std::string macro; // for command 258
    };
    void H_DispTopic(const std::string& helpFile, int topic, long windowHandle);
    void H_Command(const std::string& helpFile, int command, const std::string& macro);
    // Everything the help display was asked, oldest first.
    const std::vector<HelpRequest>& HelpRequests() const noexcept { return m_helpRequests; }
    void SetHelpListener(std::function<void(const HelpRequest&)> listener) {
        m_helpListener = std::move(listener);
    }

private:
    std::map<std::string, std::string> m_values;
    std::vector<HelpRequest> m_helpRequests;
    std::function<void(const HelpRequest&)> m_helpListener;
};

} // namespace k2k
