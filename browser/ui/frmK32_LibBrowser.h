#pragma once
// frmK32_LibBrowser, the browser's main window: a tab per object kind (tabBrowser) with the
// kind's search-option grid in its container (picSearchOptions0 to 3), the command panel
// at the right (picSearchCommands: Find Now, Stop in its place while a search runs, Edit
// New, Find in List, New Search and the three search switches), the four result lists
// under the tabs, the status bar staMessage and the menu bar.
//
// The window only reads its controls, calls the component's search engine and shows what
// the result lists hold. The engine talks back through the SearchFeedback this window
// implements: the rows found appear while a search runs (the result models take the new
// rows at most every 100 ms and at the end), the status bar's MSG1 panel shows its texts,
// and Stop stands in place of Find Now. The search controls and the result lists lie in
// two panes that share the height (BrowserPanes); the search pane's geometry is the
// arithmetic of browser/MainWindowLayout.h in twips, converted at the screen's logical dots
// per inch, and the result lists fill their pane.
// The lifecycle (start, close that hides, unload, Ctrl+F1) is BrowserMainWindow's.

#include "browser/ChangeLibraryPath.h"
#include "browser/ResultCommands.h"
#include "browser/ui/BrowserMainWindow.h"
#include "options/GeneralOptions.h"
#include "platform/LibraryFile.h"
#include "platform/UserSettings.h"

#include <QElapsedTimer>
#include <QPointer>

#include <array>
#include <memory>

class QAction;
class QMenu;
class QCheckBox;
class QLabel;
class QPushButton;
class QResizeEvent;
class QShowEvent;
class QTabWidget;

namespace k2k {

class BrowserPanes;
class HistoryCompleter;
class K2kGrid;
class frmOptions;
class LibraryLookup;
class ObjectViewer;
class OptionGrid;
class PackageViewer;
class PadstackViewer;
class RegTypesDialogs;
class ResultListView;
class frmSearchSeq;
class SymbolViewer;
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

    // --- the menu bar
    void ActivateExplorer(); // mnuLibExplorer
    void mnuRefresh_Click();
    void mnuAlwaysOnTop_Click();
    // Opens the options dialog on the current tab; a change lists the current tab anew.
    void mnuOptions_Click();
    void mnuSearchSeq_Click();
    void mnuChgLibPth_Click();
    // The search-sequence dialog, made on first use and kept.
    frmSearchSeq& SearchSequenceWindow();
    // The folder picker of Change Lib Path (a folder dialog unless replaced).
    void SetFolderChooser(FolderChooser choose) { m_chooseFolder = std::move(choose); }
    // mnuPartRegister, mnuSymbolRegister, mnuPackageRegister, mnuPadstackRegister (kind 0 to 3)
    void mnuRegister_Click(int kind);
    RegTypesDialogs& RegTypes() { return *m_regTypes; }

    LibraryKind CurrentKind() const;
    void SelectTab(LibraryKind kind);
    OptionGrid& Grid(LibraryKind kind) { return *m_grids[Index(kind)]; }
    ResultListView& ResultView(LibraryKind kind) { return *m_views[Index(kind)]; }
    // The text of the status bar's message panel.
    QString StatusText() const;
    // The size the window never gets smaller than, in pixels (its size at set-up).
    QSize MinimumSize() const noexcept { return m_minimum; }

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
    void m_objSmbViewer_NotifyServer(const QString& Aname, const QString& sCommand);
    void m_objPkgViewer_NotifyServer(const QString& Aname, const QString& sCommand);
    void m_objPadViewer_NotifyServer(const QString& Aname, const QString& sCommand);

    // --- the search feedback
    void ShowStatus(const std::string& text) override;
    void Beep() override;
    void SetSearching(bool searching) override;
    void ResultsChanged(LibraryKind kind) override;
    void ResultViewCleared(LibraryKind kind) override;

protected:
    void SetUpWindow() override;
    void SaveGridLayout() override;
    void ReleaseViewers() override;
    void BeforePendingEventsRun() override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    QSize RoomForWork() const override;
    void KeepPaneLayout() override;

private:
    static std::size_t Index(LibraryKind kind) { return static_cast<std::size_t>(kind); }
    void BuildCommandPanel(QWidget* parent);
    void BuildMenuBar();
    QAction* AddMenuItem(QMenu* menu, const char* name, const char* caption, const char* tag);
    void AddRegisterItems(QMenu* registerMenu);
    void SetUpRegTypes();
    void SetTabCaptions();
    void SetTabOrder();
    void ReadSearchSwitches();
    void TabSwitched(int index);
    void ShowResultList(LibraryKind kind);
    void LayOut();
    // The search pane's height that shows the tallest option grid whole, in pixels.
    int SearchPaneWanted() const;
    // True while a search runs or the browser's published status says busy.
    bool Busy();
    void RunFindNow(bool inList);
    // A tool a result list hands on: edit, send, find alias, used by part, view.
    void RunTool(LibraryKind kind, ResultTool tool, const QString& caption);
    void FindAliases(LibraryKind kind, ResultTool tool);
    void SyncResults(LibraryKind kind);
    // Read the search switches, clear the stop and find-in-list flags, Find Now in place
    // of Stop: at set-up and after a change of the library folder.
    void ResetSearchState();
    // Shows the search-sequence dialog on the current tab's kind; with cancelAllowed false
    // only OK closes it. Answers its changed flag.
    bool EditSearchSequence(bool cancelAllowed);
    // mnuSearchSeq: the folders and catalogue read again, the dialog, the option grids'
    // library lists refilled, and a changed sequence announced.
    void OpenSearchSequence(bool cancelAllowed);
    std::string ChooseFolderWithDialog(const std::string& title, const std::string& startFolder);
    class LibraryPathSteps;
    void ViewerNotice(const QString& Aname, const QString& sCommand);
    void ReleaseViewer(LibraryKind kind);
    LibraryLookup& Lookup();

    UserSettings m_settings;
    std::unique_ptr<HistoryCompleter> m_completer;
    BrowserPanes* m_panes = nullptr;
    QTabWidget* m_tabs = nullptr;
    QWidget* m_commands = nullptr;
    std::array<QWidget*, 4> m_optionBoxes{};
    std::array<K2kGrid*, 4> m_gridControls{};
    std::array<OptionGrid*, 4> m_grids{};
    std::array<ResultListView*, 4> m_views{};
    QPushButton* m_findNow = nullptr;
    QPushButton* m_editNew = nullptr;
    QPushButton* m_stop = nullptr;
    QPushButton* m_findInList = nullptr;
    QPushButton* m_newSearch = nullptr;
    QCheckBox* m_allConditions = nullptr;
    QCheckBox* m_matchCase = nullptr;
    QCheckBox* m_numeric = nullptr;
    QLabel* m_message = nullptr;
    QAction* m_alwaysOnTop = nullptr;
    frmOptions* m_options = nullptr; // made on first use, then kept
    GeneralOptions m_general;
    frmSearchSeq* m_searchSeq = nullptr;
    FolderChooser m_chooseFolder;
    std::unique_ptr<RegTypesDialogs> m_regTypes;
    QSize m_minimum;
    bool m_setUp = false;
    bool m_layingOut = false;
    bool m_panesSized = false;               // the first showing gives the search pane its height
    QElapsedTimer m_sinceSync;               // the result models take new rows at most every 100 ms
    bool m_firstRowsDue = false;             // a search's first rows are shown at once
    std::unique_ptr<LibraryLookup> m_lookup; // with the open-library memory
    QPointer<SymbolViewer> m_objSmbViewer;
    QPointer<PackageViewer> m_objPkgViewer;
    QPointer<PadstackViewer> m_objPadViewer;
};

} // namespace k2k
