#include "services/AppMessages.h"

#include "common/SplitFields.h"
#include "system/Text.h"

#include <vector>

namespace k2k {

AppMessages::AppMessages(KernelValues& kernel, NotifyClassHandler notifyClass)
    : m_kernel(kernel), m_notifyClass(std::move(notifyClass)) {
}

void AppMessages::AP_SendCmd(const std::string& aname, const std::string& command) {
    if (m_notifyClass)
        m_notifyClass(aname, command);
}

void AppMessages::AP_SendCmdAll(const std::string& command) {
    AP_SendCmd(std::string(kBrowserApp), command);
}

void AppMessages::AP_Shell(const std::string& fileName, int mode, const std::string& commandLine) {
    AP_SendCmd(fileName, "SHELL," + DecimalText(mode) + "," + commandLine);
}

void AppMessages::SendToApp(const std::string& app, const std::string& command) {
    if (app == kBrowserApp)
        return;
    const auto status = m_kernel.E_GetString(app);
    if (!status || status->empty())
        return; // not running
    AP_SendCmd(app, app + "," + command);
}

void AppMessages::SendToAll(const std::string& command) {
    AP_SendCmdAll("All," + command);
}

void AppMessages::PublishStatus(bool running, int busy, std::string_view caption, int windowState) {
    std::string record;
    if (running) {
        record.append(caption).append(",").append(DecimalText(windowState)).append(",0,");
        record.append(DecimalText(busy)).append(",0");
    }
    m_kernel.E_SetString(std::string(kBrowserApp), record);
}

bool AppMessages::IsAppBusy(const std::string& app) const {
    const auto status = m_kernel.E_GetString(app);
    if (!status || status->empty())
        return false;
    std::vector<std::string> fields;
    std::vector<double> values;
    const int count = SplitFields(*status, fields, values);
    for (int i = 3; i <= 5 && i <= count; ++i)
        if (values[i] != 0.0)
            return true;
    return false;
}

std::optional<BrowserVerb> DecodeBrowserCommand(std::string_view command) {
    if (command.empty())
        return std::nullopt;
    std::vector<std::string> fields;
    std::vector<double> values;
    const int count = SplitFields(command, fields, values);
    if (fields[1] != "All" && fields[1] != kBrowserApp)
        return std::nullopt;
    if (count < 2)
        return std::nullopt;
    const std::string& verb = fields[2];
    if (verb == "MN")
        return BrowserVerb::Minimise;
    if (verb == "DF")
        return BrowserVerb::Restore;
    if (verb == "UP")
        return BrowserVerb::UpdateViewers;
    if (verb == "SSQ")
        return BrowserVerb::SearchSequenceChanged;
    if (verb == "RF")
        return BrowserVerb::Refresh;
    if (verb == "LZ")
        return BrowserVerb::Relocalise;
    if (verb == "EX")
        return BrowserVerb::Exit;
    return std::nullopt;
}

ViewerNoticeAction ClassifyViewerNotice(std::string_view aname, std::string_view command) {
    std::vector<std::string> fields;
    std::vector<double> values;
    SplitFields(command, fields, values);
    std::string verb;
    for (char c : fields[1])
        if (c != ' ')
            verb += UpperChar(c);
    if (verb == "SHUTDOWN") {
        const std::string name = UpperCase(aname);
        if (name == kSymbolViewerApp)
            return ViewerNoticeAction::ReleaseSymbolViewer;
        if (name == kPackageViewerApp)
            return ViewerNoticeAction::ReleasePackageViewer;
        if (name == kPadstackViewerApp)
            return ViewerNoticeAction::ReleasePadstackViewer;
        return ViewerNoticeAction::Ignore;
    }
    if (verb == "SHELL" || verb == "ALL")
        return ViewerNoticeAction::Ignore;
    return ViewerNoticeAction::Forward;
}

} // namespace k2k
