#pragma once
// Delete (the delete tools of the pop-up menus and Shift+Delete): the selected results of a
// kind are deleted for good, each from the library file its record names (library
// directory & "\" & the record's library) or, for a record of the project library, from the
// open project, and their records leave the result list.
//
// One question first ("Permanently Delete Selected Part(s)?" and its siblings); anything but
// yes changes nothing. Then, under the hourglass, the records are walked from the last to
// the first: a library delete that fails shows "Can't delete Part: <name> from disk library"
// (Symbol/Package for the other kinds), a project delete of a used object asks once more
// (search/LibraryMaintenance). A record leaves the list only when its object is gone: one
// kept by a No to that question, or whose delete failed, keeps its row, so the list never
// shows as deleted what still exists. The window lists the rest again when any went.

#include "formats/LibraryFile.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace k2k {

class Kernel;
class ResultList;
class SuiteServices;

// What the walk needs from the window.
struct DeleteFromLibSetup {
    std::string libraryDir;                 // suite form
    bool atLeastOneSelected = false;        // the kind's flag from the last mouse release
    std::function<void(bool)> setHourglass; // may be empty
};

// The question asked before anything is deleted.
std::string DeleteQuestion(const SuiteServices& services, LibraryKind kind);

// True when the record's library names the open project rather than a library file
// ("Project Library" in any case).
bool IsProjectLibrary(std::string_view library);

// Deletes the selected results (numbers from 1, any order) of the list and answers how many
// records went (those whose object is gone); the window lists the rest again when the count
// changed. Nothing is asked or deleted when the list is empty, nothing is selected or the flag is
// false.
int DeleteFromLib(ResultList& results, const std::vector<int>& selectedResults,
                  const DeleteFromLibSetup& setup, Kernel& kernel, SuiteServices& services);

} // namespace k2k
