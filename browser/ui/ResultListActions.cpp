#include "browser/ui/ResultListActions.h"

#include "browser/ViewCommands.h"
#include "browser/ui/ObjectViewers.h"
#include "browser/ui/OptionGrid.h"
#include "browser/ui/ResultListModel.h"
#include "browser/ui/ResultListView.h"
#include "browser/ui/frmK32_LibBrowser.h"
#include "common/Messages.h"
#include "platform/ui/SuiteText.h"
#include "system/Text.h"

#include <QDesktopServices>
#include <QUrl>

namespace k2k {

namespace {

// The tools that drag the selected rows out and send a command text.
struct SendingTool {
    ResultTool tool;
    OutgoingCommand (*command)();
};

constexpr SendingTool kSendingTools[] = {
    {ResultTool::EditPart, &EditPartCommand},
    {ResultTool::EditPadstack, &EditPadstackCommand},
    {ResultTool::SendToSchematic, &SendToSchematicCommand},
    {ResultTool::SendToLayout, &SendToLayoutCommand},
};

} // namespace

ResultListActions::ResultListActions(frmK32_LibBrowser& window, ObjectViewers& viewers)
    : m_window(window), m_viewers(viewers) {
}

std::string ResultListActions::PartGridLibrary() {
    const auto values = m_window.Grid(LibraryKind::Part).Values();
    return values && values->size() > 1 ? std::string(Trim((*values)[1])) : std::string();
}

void ResultListActions::Attach(ResultListView& view) {
    const LibraryKind kind = view.Kind();
    view.SetBusyCheck([this] { return m_window.Exchange().BrowserBusy(); });
    view.SetPartGridLibrary([this] { return PartGridLibrary(); });
    view.SetDropDataHandler([this](const std::vector<BWR_SEARCHRESULT>& records) {
        m_window.UploadDropList() = records;
        m_window.OLESetDropData();
    });
    QObject::connect(&view, &ResultListView::statusMessage, &m_window,
                     [this](const QString& text) { m_window.Feedback().ShowStatusText(text); });
    QObject::connect(&view, &ResultListView::toolChosen, &m_window,
                     [this, kind](ResultTool tool, const QString& caption) {
                         if (!m_window.Exchange().BrowserBusy())
                             Run(kind, tool, caption);
                     });
}

void ResultListActions::Run(LibraryKind kind, ResultTool tool, const QString& caption) {
    ResultListView& view = m_window.ResultView(kind);
    for (const SendingTool& sending : kSendingTools) {
        if (sending.tool != tool)
            continue;
        if (view.Model().rowCount() == 0)
            return;
        m_window.UploadDropList() = view.CollectDropRecords();
        m_window.OLESetDropData();
        SendCommand(m_window.Exchange().Messages(), sending.command());
        return;
    }
    switch (tool) {
    case ResultTool::FindAlias:
    case ResultTool::UsedByPartNamedLibrary:
    case ResultTool::UsedByPartAllLibraries:
        FindAliases(kind, tool);
        break;
    case ResultTool::ViewSymbol:
    case ResultTool::ViewPackage:
    case ResultTool::ViewPadstack:
    case ResultTool::ViewSymbolGroup:
        if (const auto target = ViewTargetOf(tool, view.Model().Results(), view.FocusedResult(),
                                             view.MoreThanOneSelected(),
                                             ToSuiteText(caption).value_or(std::string())))
            m_viewers.View(*target);
        break;
    case ResultTool::OpenDatasheet:
        OpenDatasheet(view);
        break;
    default:
        break;
    }
}

void ResultListActions::OpenDatasheet(ResultListView& view) {
    if (view.MoreThanOneSelected())
        return;
    const auto link = DatasheetLink(view.Model().Results(), view.FocusedResult());
    if (!link)
        return;
    const QUrl url(FromSuiteText(*link), QUrl::TolerantMode);
    const QString shown = url.toDisplayString();
    const SuiteServices& services = m_window.Component().Services();
    const bool opened = QDesktopServices::openUrl(url);
    m_window.Feedback().ShowStatusText(
        FromSuiteText(opened ? LocalText(services, "992250", "Datasheet: ")
                             : LocalText(services, "992251", "No program opens ")) +
        shown);
}

void ResultListActions::FindAliases(LibraryKind kind, ResultTool tool) {
    BrowserComponent& component = m_window.Component();
    const auto selection = AliasSelectionOf(component.State().search.Results(kind),
                                            m_window.ResultView(kind).FocusedResult());
    if (!selection)
        return;
    const bool aliases = tool == ResultTool::FindAlias;
    const int mode = aliases ? kAliasesOfPart : UsedByPartMode(m_window.CurrentKind());
    component.Engine().FindAliases(mode, tool == ResultTool::UsedByPartNamedLibrary, *selection,
                                   PartGridLibrary());
    m_window.SelectTab(LibraryKind::Part);
    m_window.AfterSearch();
}

} // namespace k2k
