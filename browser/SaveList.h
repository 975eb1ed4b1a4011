#pragma once
// Save List: a kind's result list written as a text file, one line per row in the order the
// view shows, each line the row number, ")", two blanks, the name, and the texts of the
// shown columns after a TAB, ended by CR LF. The window shows the save dialog that
// SaveListDialogFor sets up and passes the chosen file; the file is written to a new file
// beside the target and renamed over it, so a failed write leaves any old file whole and
// no partial one, and shows the write-failure message for the file.

#include "formats/LibraryFile.h"

#include <filesystem>
#include <functional>
#include <string>

namespace k2k {

class MessageBoxes;
class ResultColumns;
class ResultList;
class SuiteServices;

struct SaveListDialog {
    std::string title;    // "Save Part Search List"
    std::string fileName; // proposed: "Partlst.txt"
    std::string defaultExtension = "txt";
    std::string filter = "Text (*.txt)";
    bool overwritePrompt = true;
    bool hideReadOnly = true;
};

SaveListDialog SaveListDialogFor(const SuiteServices& services, LibraryKind kind);

// The lines of the whole list, in view order, with the texts as the suite holds them (its
// encoding, Windows-1252). The window's Save List and "k2klib search" both write these.
std::string SavedListText(const ResultList& results, const ResultColumns& columns);

// Shows the dialog and answers the chosen file; an empty path (after trimming blanks) is
// a cancel.
using SaveFileChooser = std::function<std::filesystem::path(const SaveListDialog&)>;

enum class SaveListOutcome {
    EmptyList, // no dialog was shown
    Cancelled, // nothing was written
    Saved,
    Failed, // the write-failure message was shown; no file was left
};

SaveListOutcome SaveList(const ResultList& results, const ResultColumns& columns,
                         const SaveFileChooser& choose, const SuiteServices& services,
                         MessageBoxes& boxes);

} // namespace k2k
