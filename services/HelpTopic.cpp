#include "services/HelpTopic.h"

#include "system/NativePath.h"
#include "system/Text.h"

namespace k2k {

namespace {

constexpr int kHelpQuit = 2;
constexpr int kHelpCommand = 258;
constexpr const char* kPositionMacro = "PositionWindow(600, 150, 400, 800, 1, \"main\")";

} // namespace

int HelpTopicNumber(int menu, int submenu, int tool, int subtool) noexcept {
    if (menu == 0)
        return 0;
    const int base = (menu - 1) * 13301;
    if (submenu == 0)
        return (tool == 0 && subtool == 0) ? base + 1 : 0;
    if (tool == 0)
        return subtool == 0 ? base + 2 + (submenu - 1) * 133 : 0;
    if (subtool == 0)
        return base + 3 + (submenu - 1) * 133 + (tool - 1) * 12;
    return base + 4 + (submenu - 1) * 133 + (tool - 1) * 12 + (subtool - 1);
}

std::string HelpLimitMessage(int menu, int submenu, int tool, int subtool) {
    std::string text;
    if (menu > 11)
        text = "Menu No: exceeds 11";
    if (submenu > 100)
        text += " SubMenu No. exceeds 100";
    if (tool > 11)
        text += " Tool No: exceeds 11";
    if (subtool > 11)
        text += " SubTool No: exceeds 11";
    return text;
}

HelpContext::HelpContext(KernelValues& kernel, MessageBoxes& boxes)
    : m_kernel(kernel), m_boxes(boxes) {
}

void HelpContext::SetHelpFile(const std::string& serverPath, const std::string& componentName) {
    m_helpFile = std::string(Trim(JoinPath(Trim(serverPath), componentName + ".HLP")));
}

void HelpContext::SetHelpTopic(int menu, int submenu, int tool, int subtool, bool show) {
    const std::string limits = HelpLimitMessage(menu, submenu, tool, subtool);
    if (!limits.empty()) {
        m_boxes.Show({limits, {}, MsgIcon::None, MsgButtons::Ok, false});
        return;
    }
    m_topic = HelpTopicNumber(menu, submenu, tool, subtool);
    if (show)
        ShowHelpTopic();
}

void HelpContext::ShowHelpTopic(long windowHandle) {
    m_kernel.H_DispTopic(m_helpFile, m_topic, windowHandle);
    m_kernel.H_Command(m_helpFile, kHelpCommand, kPositionMacro);
}

void HelpContext::CloseHelp() {
    m_kernel.H_Command(m_helpFile, kHelpQuit, {});
}

} // namespace k2k
