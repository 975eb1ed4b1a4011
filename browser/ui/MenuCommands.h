#pragma once
// MenuCommands, what the items of the main window's menu bar do (the window's mnu*_Click
// handlers hand on to it): the explorer, Refresh, Always On Top, the options dialog (in its
// edit mode, on the current tab), the search-sequence dialog, the change of the library
// folder (LibraryPathChange) and the registered-types dialogs (maintenance mode read once,
// when they are set up; the option grids' pick buttons open them too). The dialogs are
// made on first use and then kept; Ctrl+F1 in each shows the browser's help topic. Each
// command does nothing while the browser is busy, but Always On Top.

#include "browser/ChangeLibraryPath.h"
#include "common/ObjectKinds.h"

#include <array>
#include <memory>

namespace k2k {

class LibraryPathChange;
class OptionGrid;
class RegTypesDialogs;
class UserSettings;
class frmK32_LibBrowser;
class frmOptions;
class frmSearchSeq;
struct GeneralOptions;

class MenuCommands final {
public:
    MenuCommands(frmK32_LibBrowser& window, UserSettings& settings, GeneralOptions& general);
    ~MenuCommands();

    void Explorer();
    // The current kind's list anew.
    void Refresh();
    void AlwaysOnTop(bool on);
    // The options dialog on the current tab; a change lists every kind anew.
    void Options();
    // mnuSearchSeq: the folders and catalogue read again, the dialog (with cancelAllowed
    // false only OK closes it), the option grids' library lists refilled, and a changed
    // sequence announced.
    void SearchSequence(bool cancelAllowed);
    void ChangeLibraryPath();
    void Register(int kind);

    frmSearchSeq& SearchSequenceWindow();
    // The registered-types dialogs, and the grids' pick buttons that open them.
    void SetUpRegTypes(const std::array<OptionGrid*, 4>& grids);
    // nullptr before SetUpRegTypes.
    RegTypesDialogs* RegTypes() noexcept { return m_regTypes.get(); }
    void SetFolderChooser(FolderChooser choose);

private:
    // The search-sequence dialog filled and shown on the current kind. Answers its changed
    // flag.
    bool EditSearchSequence(bool cancelAllowed);

    frmK32_LibBrowser& m_window;
    UserSettings& m_settings;
    GeneralOptions& m_general;
    frmOptions* m_options = nullptr;     // belongs to the window
    frmSearchSeq* m_searchSeq = nullptr; // belongs to the window
    std::unique_ptr<RegTypesDialogs> m_regTypes;
    std::unique_ptr<LibraryPathChange> m_pathChange;
};

} // namespace k2k
