#include "browser/ui/MenuCommands.h"

#include "browser/ui/LibraryPathChange.h"
#include "browser/ui/OptionGrid.h"
#include "browser/ui/ResultListModel.h"
#include "browser/ui/ResultListView.h"
#include "browser/ui/frmK32_LibBrowser.h"
#include "browser/ui/frmSearchSeq.h"
#include "common/Messages.h"
#include "options/ui/frmOptions.h"
#include "platform/ui/SuiteText.h"
#include "regtypes/RegTypesEditor.h"
#include "regtypes/ui/RegTypesDialogs.h"
#include "system/Text.h"

namespace k2k {

MenuCommands::MenuCommands(frmK32_LibBrowser& window, UserSettings& settings,
                           GeneralOptions& general)
    : m_window(window), m_settings(settings), m_general(general),
      m_pathChange(std::make_unique<LibraryPathChange>(
          window, [&window] { window.ResetSearchState(); },
          [this] { return EditSearchSequence(true); })) {
}

MenuCommands::~MenuCommands() = default;

void MenuCommands::Explorer() {
    if (!m_window.Exchange().BrowserBusy())
        m_window.Exchange().Messages().SendToApp(std::string(kMainApp),
                                                 "EXP," + std::string(kBrowserApp));
}

void MenuCommands::Refresh() {
    if (!m_window.Exchange().BrowserBusy())
        m_window.ResultView(m_window.CurrentKind()).Model().Reset();
}

void MenuCommands::AlwaysOnTop(bool on) {
    const bool visible = m_window.isVisible();
    m_window.setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (visible)
        m_window.show(); // a change of the window's flags hides it
}

void MenuCommands::Options() {
    if (m_window.Exchange().BrowserBusy())
        return;
    SuiteServices& services = m_window.Component().Services();
    if (m_options == nullptr) {
        m_options = new frmOptions(m_window.Component().State().displayOptions, m_general, services,
                                   m_settings, m_window.WindowFont(), &m_window);
        m_options->SetHelpHandler(
            [this] { m_window.Help().ShowHelpTopic(static_cast<long>(m_window.winId())); });
    }
    m_options->setWindowTitle(
        FromSuiteText(LocalText(services, DecimalText(kOptionsTitle.id), kOptionsTitle.text)));
    m_options->SetMode(kOptionsEditMode);
    if (!m_options->ShowModal(static_cast<int>(m_window.CurrentKind())))
        return;
    Refresh();
    // The other kinds take their new columns now, so a choice made on their tabs is never
    // missing from their next search's list.
    for (LibraryKind kind : kAllKinds)
        if (kind != m_window.CurrentKind())
            m_window.ResultView(kind).Model().Reset();
}

frmSearchSeq& MenuCommands::SearchSequenceWindow() {
    if (!m_searchSeq) {
        m_searchSeq = new frmSearchSeq(m_window.Component(), &m_window);
        m_searchSeq->SetHelpHandler([this] { m_window.Help().ShowHelpTopic(); });
    }
    return *m_searchSeq;
}

bool MenuCommands::EditSearchSequence(bool cancelAllowed) {
    frmSearchSeq& dialog = SearchSequenceWindow();
    dialog.FormFill();
    dialog.SetCancelEnabled(cancelAllowed);
    const bool changed = dialog.ShowModal(m_window.CurrentKind(), m_window.WindowFont());
    dialog.SetCancelEnabled(true);
    return changed;
}

void MenuCommands::SearchSequence(bool cancelAllowed) {
    if (m_window.Exchange().BrowserBusy())
        return;
    m_window.Component().ReadFolders();
    const bool changed = EditSearchSequence(cancelAllowed);
    m_window.RefillLibraryLists();
    if (changed)
        AnnounceSearchSequence(m_window.Exchange().Messages());
}

void MenuCommands::ChangeLibraryPath() {
    if (!m_window.Exchange().BrowserBusy())
        m_pathChange->Run();
}

void MenuCommands::SetFolderChooser(FolderChooser choose) {
    m_pathChange->SetFolderChooser(std::move(choose));
}

void MenuCommands::SetUpRegTypes(const std::array<OptionGrid*, 4>& grids) {
    if (m_regTypes)
        return;
    BrowserComponent& component = m_window.Component();
    RegTypesContext context;
    context.tables = &component.State().regTypes;
    context.services = &component.Services();
    context.files = &component.Files();
    context.owner = &m_window;
    context.font = m_window.WindowFont();
    context.maintenanceMode = ReadMaintenanceMode(component.Services());
    context.showHelp = [this] {
        m_window.Help().ShowHelpTopic(static_cast<long>(m_window.winId()));
    };
    m_regTypes = std::make_unique<RegTypesDialogs>(std::move(context));
    for (OptionGrid* grid : grids)
        grid->SetRegTypePicker(
            [this](int table, const std::string& title) { return m_regTypes->Pick(table, title); });
}

void MenuCommands::Register(int kind) {
    if (!m_window.Exchange().BrowserBusy() && m_regTypes)
        m_regTypes->OpenForEditing(static_cast<RegTypesKind>(kind));
}

} // namespace k2k
