#include "browser/CommandExchange.h"

#include "browser/BrowserComponent.h"
#include "common/SplitFields.h"
#include "platform/Kernel.h"
#include "system/NativePath.h"

namespace k2k {

std::string MainWindowCaption(const std::string& libDir) {
    return "Library Browser : ( " + DisplayPath(libDir) + " )";
}

CommandExchange::CommandExchange(BrowserComponent& component, BrowserWindowActions& window,
                                 NotifyClassHandler notifyClass)
    : m_component(component), m_window(window),
      m_messages(component.GetKernel(), std::move(notifyClass)) {
}

void CommandExchange::AP_ExeCmd(const std::string& command) {
    if (m_unloaded)
        return;
    const auto verb = DecodeBrowserCommand(command);
    if (!verb)
        return;
    if (m_component.DeferWhileBusy(command, m_window.WaitingForAnswer()))
        return;
    // The busy guard, outside a search: during one, what could disturb it has just been kept
    // for later, and the rest runs at once.
    if (!m_component.IsSearching() && BrowserBusy())
        return;
    Execute(*verb);
}

bool CommandExchange::BrowserBusy() const {
    return m_component.IsSearching() || m_messages.IsAppBusy(std::string(kBrowserApp));
}

void CommandExchange::Execute(BrowserVerb verb) {
    switch (verb) {
    case BrowserVerb::Minimise:
        m_window.SetWindowState(WindowState::Minimised);
        return;
    case BrowserVerb::Restore:
        m_window.SetWindowState(WindowState::Normal);
        return;
    case BrowserVerb::UpdateViewers:
        m_window.RefreshViewers();
        return;
    case BrowserVerb::SearchSequenceChanged:
        m_component.ReadFolders();
        m_window.RefillLibraryLists();
        m_window.SetCaption(MainWindowCaption(m_component.Dirs().libDir));
        return;
    case BrowserVerb::Refresh: {
        m_window.SetHourglass(true);
        const bool updated = m_window.FormUpdate();
        m_window.SetHourglass(false);
        if (!updated) {
            m_unloaded = true; // the failed update has shut the browser down
            return;
        }
        RunPendingSearchSequence();
        m_window.RefreshViewers();
        return;
    }
    case BrowserVerb::Relocalise:
        m_component.Services().SetLanguagePath(
            m_component.GetKernel().E_GetString("LANGUAGEPATH").value_or(std::string()));
        m_window.Relocalise();
        return;
    case BrowserVerb::Exit:
        m_component.State().exitAllowed = true;
        m_unloaded = true;
        m_window.Unload();
        return;
    }
}

void CommandExchange::RunDeferredCommands() {
    for (const std::string& command : m_component.TakeDeferredCommands()) {
        if (m_unloaded)
            return;
        AP_ExeCmd(command);
    }
}

void CommandExchange::RunPendingSearchSequence() {
    Kernel& kernel = m_component.GetKernel();
    if (ValueOf(kernel.E_GetString("SSQ").value_or(std::string())) == 0.0)
        return;
    m_window.RunSearchSequence();
    kernel.E_SetString("SSQ", "0");
}

} // namespace k2k
