#pragma once
// The browser's exchange with the suite's other applications. It never talks to them
// directly: outgoing commands are raised as the window event NotifyClass(Aname, sCommand),
// which the host routes; presence and busy state of every application are kernel named
// values holding its status record. Incoming commands are decoded here and executed by
// the window.

#include "platform/KernelValues.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace k2k {

inline constexpr std::string_view kBrowserApp = "K2KBRWSR";
inline constexpr std::string_view kMainApp = "Kalde2000";
inline constexpr std::string_view kSchematicApp = "K2KSCHED";
inline constexpr std::string_view kLayoutApp = "K2KLAYED";
inline constexpr std::string_view kExplorerApp = "K2KEXPLR";
inline constexpr std::string_view kSymbolViewerApp = "K2KSMBVIEWER";
inline constexpr std::string_view kPackageViewerApp = "K2KPACKAGEVIEWER";
inline constexpr std::string_view kPadstackViewerApp = "K2KPSTACKVIEWER";

// The window event through which every outgoing command leaves the browser.
using NotifyClassHandler =
    std::function<void(const std::string& aname, const std::string& command)>;

class AppMessages final {
public:
    AppMessages(KernelValues& kernel, NotifyClassHandler notifyClass);

    void AP_SendCmd(const std::string& aname, const std::string& command);
    // Raised with Aname "K2KBRWSR".
    void AP_SendCmdAll(const std::string& command);
    // Aname is the program; the command is "SHELL,<mode>,<command line>".
    void AP_Shell(const std::string& fileName, int mode, const std::string& commandLine = {});

    // To one running application: nothing when it is the browser itself or has no status
    // value; otherwise "<app>,<command>".
    void SendToApp(const std::string& app, const std::string& command);
    // To all: "All,<command>".
    void SendToAll(const std::string& command);

    // The browser's status record under "K2KBRWSR": empty when not running, otherwise
    // caption, window state (0 normal, 1 minimised, 2 maximised), 0, busy (-1 or 0), 0.
    void PublishStatus(bool running, int busy, std::string_view caption, int windowState);
    // True when the application has a status record whose field 3, 4 or 5 is non-zero.
    bool IsAppBusy(const std::string& app) const;

private:
    KernelValues& m_kernel;
    NotifyClassHandler m_notifyClass;
};

// The verbs the browser executes.
enum class BrowserVerb {
    Minimise,
    Restore,
    UpdateViewers,
    SearchSequenceChanged,
    Refresh,
    Relocalise,
    Exit
};

// Decodes a received command: nullopt when it is empty, addressed to another application
// (field 1 neither "All" nor "K2KBRWSR", exact), or has no or an unknown verb (exact).
std::optional<BrowserVerb> DecodeBrowserCommand(std::string_view command);

// What a viewer's notification asks of the browser.
enum class ViewerNoticeAction {
    ReleaseSymbolViewer,
    ReleasePackageViewer,
    ReleasePadstackViewer,
    Ignore,
    Forward
};
ViewerNoticeAction ClassifyViewerNotice(std::string_view aname, std::string_view command);

} // namespace k2k
