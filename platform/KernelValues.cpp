#include "platform/KernelValues.h"

namespace k2k {

std::optional<std::string> KernelValues::E_GetString(const std::string& name) const {
    const auto found = m_values.find(name);
    if (found == m_values.end())
        return std::nullopt;
    return found->second;
}

void KernelValues::E_SetString(const std::string& name, const std::string& value) {
    m_values[name] = value;
}

void KernelValues::H_DispTopic(const std::string& helpFile, int topic, long /*windowHandle*/) {
    m_helpRequests.push_back(HelpRequest{helpFile, topic, 0, {}});
    if (m_helpListener)
        m_helpListener(m_helpRequests.back());
}

void KernelValues::H_Command(const std::string& helpFile, int command, const std::string& macro) {
    m_helpRequests.push_back(HelpRequest{helpFile, 0, command, macro});
    if (m_helpListener)
        m_helpListener(m_helpRequests.back());
}

} // namespace k2k
