#pragma once
// LibraryPathChange, the main window's part of the change of the library folder
// (mnuChgLibPth, browser/ChangeLibraryPath.h): the folder picker (a folder dialog unless
// replaced), the hourglass, the search state set back, the search-sequence dialog, and
// the caption and library lists that follow the new folder. A folder the suite cannot hold
// (a character outside its 8-bit text) is refused with a message.

#include "browser/ChangeLibraryPath.h"

#include <functional>
#include <string>

namespace k2k {

class BrowserMainWindow;

class LibraryPathChange final : public LibraryPathWindow {
public:
    // resetSearchState and editSearchSequence are the window's (see LibraryPathWindow).
    LibraryPathChange(BrowserMainWindow& window, std::function<void()> resetSearchState,
                      std::function<bool()> editSearchSequence);

    void SetFolderChooser(FolderChooser choose) { m_chooseFolder = std::move(choose); }
    // The change itself, once the window is not busy.
    void Run();

    std::string ChooseFolder(const std::string& title, const std::string& startFolder) override;
    void ShowHourglass(bool on) override;
    void ResetSearchState() override { m_resetSearchState(); }
    bool EditSearchSequence() override { return m_editSearchSequence(); }
    void ShowLibraryDirectory() override;

private:
    std::string ChooseFolderWithDialog(const std::string& title, const std::string& startFolder);

    BrowserMainWindow& m_window;
    std::function<void()> m_resetSearchState;
    std::function<bool()> m_editSearchSequence;
    FolderChooser m_chooseFolder;
};

} // namespace k2k
