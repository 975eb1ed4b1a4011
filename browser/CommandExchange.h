#pragma once
// The browser's end of the command exchange with the host: AP_ExeCmd carries out what the
// host hands in through NotifyMe, and the sending operations (AppMessages) compose what
// goes out through the window event NotifyClass.
//
// A received command is decoded (services/AppMessages: addressee "All" or "K2KBRWSR" and the
// verb, both exact), then:
//   - while a search runs, or a question or dialog of the browser waits for its answer,
//     "EX", "RF", "SSQ" and "LZ" are kept (BrowserComponent::DeferWhileBusy);
//     RunDeferredCommands carries them out once the search has ended or the answer is in;
//   - outside a search, nothing runs while the browser's published status says busy (the
//     window start, say); during a search "MN", "DF" and "UP" still run at once, since they
//     touch neither the tables nor the search;
//   - the verb acts on the window through BrowserWindowActions and on the component's
//     state directly.
// The window implements BrowserWindowActions; tests use a recording double.

#include "services/AppMessages.h"

#include <string>

namespace k2k {

class BrowserComponent;

// The main window's state as its status record and the verbs "MN" and "DF" name it.
enum class WindowState { Normal = 0, Minimised = 1, Maximised = 2 };

// What the received commands ask of the main window.
class BrowserWindowActions {
public:
    virtual ~BrowserWindowActions() = default;
    virtual void SetWindowState(WindowState state) = 0;
    // The open symbol and package viewers refresh (each only when open); the padstack
    // viewer is not touched.
    virtual void RefreshViewers() = 0;
    // The library drop-down lists of the four option grids are filled again from the
    // component's catalogue.
    virtual void RefillLibraryLists() = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    virtual void SetHourglass(bool on) = 0;
    // The window's FormUpdate (splash, the component's start-up read, caption). False when
    // it failed: the window has shut the browser down.
    virtual bool FormUpdate() = 0;
    // The pending search sequence: fill the search-sequence window and run it, its command
    // button disabled meanwhile.
    virtual void RunSearchSequence() = 0;
    // ChooseFont and LocaliseForm on the main window, with the language path just read.
    virtual void Relocalise() = 0;
    // Unloads the main window (other windows first, "SHUTDOWN" last).
    virtual void Unload() = 0;
    // True while a question or dialog of the browser waits for its answer, with the walk
    // or command that asked still below it. A window that answers true calls
    // RunDeferredCommands once nothing waits any longer.
    virtual bool WaitingForAnswer() { return false; }
};

// "Library Browser : ( <library folder> )", the folder as this system writes it.
std::string MainWindowCaption(const std::string& libDir);

class CommandExchange final {
public:
    CommandExchange(BrowserComponent& component, BrowserWindowActions& window,
                    NotifyClassHandler notifyClass);
    CommandExchange(const CommandExchange&) = delete;
    CommandExchange& operator=(const CommandExchange&) = delete;

    // Carries out a received command (see above); anything else is ignored.
    void AP_ExeCmd(const std::string& command);
    // The busy guard that every handler of the window that starts work asks first: a
    // search runs, or the browser's published status says busy (the window start, say).
    bool BrowserBusy() const;

    // After a search or an answer: the commands kept meanwhile, in the order received. One
    // that unloads the browser ends the list; those after it are dropped with the window.
    void RunDeferredCommands();

    // When the suite value "SSQ" is not 0: runs the search sequence and writes "0" back.
    // At window start and after "RF".
    void RunPendingSearchSequence();

    // The sending operations (AP_SendCmd, AP_SendCmdAll, AP_Shell, SendToApp, SendToAll)
    // and the status record.
    AppMessages& Messages() noexcept { return m_messages; }
    bool Unloaded() const noexcept { return m_unloaded; }

private:
    void Execute(BrowserVerb verb);

    BrowserComponent& m_component;
    BrowserWindowActions& m_window;
    AppMessages m_messages;
    bool m_unloaded = false;
};

} // namespace k2k
