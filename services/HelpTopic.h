#pragma once
// Help: the help file, the topic of the current context, and the numbering of topics by
// their place in the menus and tools (menu, submenu, tool, subtool). Each menu command
// sets its topic first, so that a following Ctrl+F1 explains it.

#include "platform/KernelValues.h"
#include "platform/MessageBoxes.h"

#include <string>

namespace k2k {

// The topic number of a place; 0 for none, or when the chain has a gap (a tool without
// a submenu, say).
int HelpTopicNumber(int menu, int submenu, int tool, int subtool) noexcept;

// The text of the limit messages for a place beyond the limits; empty when within them.
std::string HelpLimitMessage(int menu, int submenu, int tool, int subtool);

class HelpContext final {
public:
    HelpContext(KernelValues& kernel, MessageBoxes& boxes);

    // serverPath & "\" & component & ".HLP", blanks trimmed.
    void SetHelpFile(const std::string& serverPath, const std::string& componentName);
    const std::string& HelpFile() const noexcept { return m_helpFile; }
    int Topic() const noexcept { return m_topic; }

    // Beyond the limits: shows the limit messages (no title, OK) and keeps the topic.
    void SetHelpTopic(int menu, int submenu, int tool, int subtool, bool show);
    // Shows the stored topic (0: the contents) and places the help window.
    void ShowHelpTopic(long windowHandle = 0);
    void CloseHelp();

private:
    KernelValues& m_kernel;
    MessageBoxes& m_boxes;
    std::string m_helpFile;
    int m_topic = 0;
};

} // namespace k2k
