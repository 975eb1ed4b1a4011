#pragma once
// frmK32_LibBrowser, the browser's main window: a tab per object kind (tabBrowser) with the
// kind's search-option grid in its container (picSearchOptions0 to 3), the command panel
// at the right (picSearchCommands), the four result lists under the tabs, the status bar
// staMessage and the menu bar.
//
// The window builds its controls, switches the tabs and runs the searches of its buttons;
// it only reads its controls, calls the component's search engine and shows what the result
// lists hold. Its other jobs are small classes of their own: the menu bar and command panel
// built from their tables (MainCommands), what the menu's items do (MenuCommands, with the
// dialogs and LibraryPathChange), the geometry (SearchPaneLayout), the result lists'
// requests and tools (ResultListActions) and the three viewers (ObjectViewers). What a
// search tells the window (status texts, rows found, Stop in place of Find Now) goes to
// BrowserMainWindow's StatusFeedback, which the window hands its result lists and search
// buttons; the lifecycle (start, close that hides, unload, Ctrl+F1) is BrowserMainWindow's
// too.

#include "browser/ChangeLibraryPath.h"
#include "browser/ui/BrowserMainWindow.h"
#include "browser/ui/MainCommands.h"
#include "browser/ui/MenuCommands.h"
#include "browser/ui/SearchPaneLayout.h"
#include "options/GeneralOptions.h"
#include "platform/UserSettings.h"

#include <array>
#include <memory>
#include <vector>

class QAction;
class QResizeEvent;
class QShowEvent;

namespace k2k {

class HistoryCompleter;
class ObjectViewer;
class ObjectViewers;
class OptionGrid;
class ResultListActions;
class ResultListView;
struct ViewTarget;

class frmK32_LibBrowser final : public BrowserMainWindow {
    Q_OBJECT
public:
    explicit frmK32_LibBrowser(const BrowserEnvironment& environment, QWidget* parent = nullptr);
    ~frmK32_LibBrowser() override;

    // The factory the host class takes.
    static std::unique_ptr<BrowserMainWindow> Make(const BrowserEnvironment& environment);

    // --- the handlers of the command panel
    void cmdFindNow_Click();
    void cmdFindInList_Click();
    void cmdStop_Click();
    void cmdNewSearch_Click();
    void cmdEditNewPart_Click();

    // --- the menu bar (MenuCommands)
    void ActivateExplorer() { m_menu->Explorer(); } // mnuLibExplorer
    void mnuRefresh_Click() { m_menu->Refresh(); }
    void mnuAlwaysOnTop_Click();
    // Opens the options dialog on the current tab; a change lists the current tab anew.
    void mnuOptions_Click() { m_menu->Options(); }
    void mnuSearchSeq_Click() { m_menu->SearchSequence(true); }
    void mnuChgLibPth_Click() { m_menu->ChangeLibraryPath(); }
    // The search-sequence dialog, made on first use and kept.
    frmSearchSeq& SearchSequenceWindow() { return m_menu->SearchSequenceWindow(); }
    // The folder picker of Change Lib Path (a folder dialog unless replaced).
    void SetFolderChooser(FolderChooser choose) { m_menu->SetFolderChooser(std::move(choose)); }
    // mnuPartRegister, mnuSymbolRegister, mnuPackageRegister, mnuPadstackRegister (kind 0 to 3)
    void mnuRegister_Click(int kind) { m_menu->Register(kind); }
    RegTypesDialogs& RegTypes() { return *m_menu->RegTypes(); }

    // Read the search switches, clear the stop and find-in-list flags, Find Now in place
    // of Stop: at set-up and after a change of the library folder.
    void ResetSearchState();
    LibraryKind CurrentKind() const;
    void SelectTab(LibraryKind kind);
    // The kind's grid, built now if its tab has not been shown yet.
    OptionGrid& Grid(LibraryKind kind);
    ResultListView& ResultView(LibraryKind kind) { return *m_ui.views[Index(kind)]; }
    // The text of the status bar's message panel.
    QString StatusText() const;
    // The size the window never gets smaller than, in pixels (its size at set-up).
    QSize MinimumSize() const noexcept { return m_layout.Minimum(); }

    // --- the received commands
    void RefreshViewers() override;
    void RefillLibraryLists() override;
    void RunSearchSequence() override;
    void Relocalise() override;

    // --- the viewers
    // Views an object: the kind's open viewer is released; a new one shows the object, or
    // message 6 says that no library holds it.
    void ViewObject(const ViewTarget& target);
    // The open viewer of the kind (Symbol, Package, Padstack); nullptr when none is open.
    ObjectViewer* Viewer(LibraryKind kind) const;

protected:
    void SetUpWindow() override;
    void SaveGridLayout() override;
    void ReleaseViewers() override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    QSize RoomForWork() const override { return m_layout.RoomForWork(); }
    void KeepPaneLayout() override { m_layout.KeepPaneHeight(m_settings); }

private:
    static std::size_t Index(LibraryKind kind) { return static_cast<std::size_t>(kind); }
    void BuildGrid(LibraryKind kind);
    std::vector<OptionGrid*> BuiltGrids() const;
    void SetTabCaptions();
    void SetTabOrder();
    void ReadSearchSwitches();
    void TabSwitched(int index);
    void ShowResultList(LibraryKind kind);
    void ShowStatus(const std::string& text) { Feedback().ShowStatus(text); }
    void RunFindNow(bool inList);

    UserSettings m_settings;
    GeneralOptions m_general;
    std::unique_ptr<HistoryCompleter> m_completer;
    MainWindowControls m_ui;
    CommandPanel m_commands;
    std::array<OptionGrid*, 4> m_grids{};
    std::array<bool, 4> m_gridBuilt{};
    QAction* m_alwaysOnTop = nullptr;
    SearchPaneLayout m_layout;
    std::unique_ptr<ObjectViewers> m_viewers;
    std::unique_ptr<ResultListActions> m_listActions;
    std::unique_ptr<MenuCommands> m_menu;
    bool m_setUp = false;
};

} // namespace k2k
