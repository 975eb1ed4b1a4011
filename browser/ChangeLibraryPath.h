#pragma once
// The change of the library folder (mnuChgLibPth): the user picks a folder; when it is a
// new one that exists and holds library files, the browser reads it as the library
// directory (the catalogue, the Spice references, the simulator models), the search state
// is reset, and the search-sequence dialog opens for the new folder. OK there settles the
// change: the sequence is saved by the dialog, the folder as "LibDir" here, and the library
// explorer is told "SSQ". Cancel goes back to the old folder, read as before; nothing of the
// change has been written, so the old folder's sequences are still the catalogue's.
//
// The lists (in the initialisation file) and "LibDir" (in the directory settings) are two
// files, so the change is written in an order that a start can always read: first the new
// lists with the new folder recorded beside them (one rewrite), then "LibDir", then the
// record goes. A start that finds the record finishes the change (ResumeLibraryFolderChange):
// without it the old lists and the old folder hold, with it the new lists and, once
// finished, the new folder.
//
// A folder without any library file (a new library folder) is taken only after a question
// that says its OK will empty every sequence; No changes nothing, and Cancel in the dialog
// still goes back to the old folder.
//
// A search sequence changed from the menu is announced differently: every application hears
// "SSQ", and the schematic and layout editors "UP" (AnnounceSearchSequence).
//
// The flow is here; the window supplies the picker, the hourglass and the dialog through
// LibraryPathWindow. Tests use a recording double.

#include <functional>
#include <string>

namespace k2k {

class AppMessages;
class BrowserComponent;
class SuiteServices;

// A folder picker: title and start folder in, the chosen folder out, all in the suite's
// form; empty when the user cancelled.
using FolderChooser =
    std::function<std::string(const std::string& title, const std::string& startFolder)>;

// What the change of the library folder asks of the window.
class LibraryPathWindow {
public:
    virtual ~LibraryPathWindow() = default;
    // The folder picker, with its title, opened at a folder (suite form). The chosen folder
    // in the suite's form; empty when the user cancelled.
    virtual std::string ChooseFolder(const std::string& title, const std::string& startFolder) = 0;
    virtual void ShowHourglass(bool on) = 0;
    // The search switches read again, the stop and find-in-list flags cleared, Find Now
    // shown in place of Stop.
    virtual void ResetSearchState() = 0;
    // The search-sequence lists filled for the library directory, and the dialog shown
    // modally. True when it closed with OK (the catalogue then holds the new sequences).
    virtual bool EditSearchSequence() = 0;
    // The caption and the option grids' library lists follow the folder and catalogue.
    virtual void ShowLibraryDirectory() = 0;
};

// True when the folder holds a library file of any kind.
bool HoldsLibraryFiles(const std::string& folder);

// The question asked before a folder without library files becomes the library folder
// (8-bit text, in the suite's language).
std::string NoLibraryFilesQuestion(const SuiteServices& services, const std::string& folder,
                                   const std::string& libraryDir);

// mnuChgLibPth after its busy guard. The picker's title is text 5037 ("Select Location of
// Library files"), its start the library directory. An answer that is empty after
// trimming, equals the library directory, or names no folder changes nothing; one without
// library files is taken only when the person answers Yes to NoLibraryFilesQuestion. True when the
// library directory changed (the dialog closed with OK).
bool ChangeLibraryPath(BrowserComponent& component, AppMessages& messages,
                       LibraryPathWindow& window);

// The change's last steps once its lists are saved: the folder (suite form) becomes the
// "LibDir" setting, then the record of the change leaves the initialisation file. False
// when either file could not be written; the record then stays for the next start.
bool FinishLibraryFolderChange(SuiteServices& services, const std::string& folder);

// At a start (and whenever the folders are read): finishes a change of library folder that
// was stopped after its lists were saved.
void ResumeLibraryFolderChange(SuiteServices& services);

// After the search-sequence dialog, opened from the menu, closed with OK: "SSQ" to all
// applications, then "UP" to the schematic editor and to the layout editor.
void AnnounceSearchSequence(AppMessages& messages);

} // namespace k2k
