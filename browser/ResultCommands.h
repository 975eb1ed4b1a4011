#pragma once
// The commands of the result lists: the tools of the four pop-up menus (with their
// sub-menus) and which of them may be chosen for a selection, the texts the status bar
// shows for a selection, Delete From List, the selection an alias search starts from, and
// the command texts that Edit, Edit New and the send tools hand to the host. Everything
// here answers values; the window builds its menus from the tables, reads its selection,
// and sends what these functions compose (SendCommand does the sending itself).

#include "common/ObjectKinds.h"
#include "formats/LibraryFile.h"
#include "search/SearchEngine.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace k2k {

class AppMessages;
class KernelValues;
class ResultList;
class SuiteServices;

// What a tool of the result lists does, whichever list's menu holds it: View Symbol on
// the Part list views the part's symbol, on the Symbol list the row's own symbol.
enum class ResultTool {
    ViewSymbol,
    ViewPackage,
    ViewPadstack,
    ViewSymbolGroup, // a symbol of View Symbol's sub-menu, named by its caption
    EditPart,
    EditPadstack,
    FindAlias,
    SendTo, // opens the Send To sub-menu
    SendToSchematic,
    SendToLayout,
    UsedByPart, // opens the Used by Part sub-menu
    UsedByPartNamedLibrary,
    UsedByPartAllLibraries,
    Delete,
    DeleteFromList,
    SaveList,
    SelectAll,
    Properties,
    OpenDatasheet, // the focused object's datasheet, through the desktop's handler
};

// A tool of a pop-up menu.
struct PopupTool {
    std::string_view name; // "ATB_PartViewSymbol", also the menu item's object name
    ResultTool tool = ResultTool::Properties;
    int id = 0;               // the tool's number
    NumberedText caption;     // id 0: the caption is not looked up
    std::string_view group;   // the tool's category
    std::string_view subMenu; // the band it opens; empty: none
};

// A pop-up band and its tools in menu order.
struct PopupBand {
    std::string_view name;
    std::string_view caption;
    std::span<const PopupTool> tools;
};

// The kind's pop-up menu ("mnuPartProperty", ...).
const PopupBand& PopupBandOf(LibraryKind kind) noexcept;
// A sub-menu band by name ("mnuPartSend", "mnuUsedbyPart"); nullptr for any other name.
const PopupBand* SubBand(std::string_view name) noexcept;

// The symbol-groups sub-menu of View Symbol, built for a part with several symbols.
inline constexpr std::string_view kSymbolGroupsBand = "mnuSymbolGroups";
inline constexpr std::string_view kSymbolGroupsTool = "ATB_PARTVIEWSYMBOLGROUPS";
inline constexpr int kSymbolGroupsToolId = 6001;
inline constexpr std::string_view kNamedLibraryTool = "ATB_NamedLib";

// The field of a part that a view tool on the list views (its symbols or its package);
// nullptr when the tool views the row's own name (any list but Part).
std::string_view PartResult::*ViewedField(LibraryKind list, ResultTool tool) noexcept;

// The selection a pop-up menu is opened on.
struct PopupSelection {
    int selectedCount = 0;
    int focusedResult = 0; // the result of the list's selected (focused) row; 0: none
};

struct ToolState {
    std::string_view name; // the menu item's name
    bool enabled = true;

    bool operator==(const ToolState&) const = default;
};

// Whether each tool of the kind's menu and of the sub-menus it opens may be chosen, in menu
// order (a sub-menu's tools after the tool that opens it). With more than one row selected
// the tools that act on one row are off; a view tool is also off when the focused row names
// nothing to view (empty or "NONE"); the send tools follow whether the schematic and the
// layout editor run (their kernel values "MW_K2KSCHED", "MW_K2KLAYED" hold a non-zero
// number); the properties tool is always off. The named-library tool is left to
// NamedLibraryCaption.
std::vector<ToolState> PopupToolStates(LibraryKind kind, const ResultList& results,
                                       const PopupSelection& selection, const KernelValues& values);

// The symbol names of View Symbol's sub-menu for the focused part: its symbols field split
// at ","; empty (no sub-menu) unless one row is selected and the part has several symbols.
std::vector<std::string> SymbolGroupNames(const ResultList& parts, const PopupSelection& selection);

// The caption of the named-library tool of Used by Part: the Part grid's library; nullopt,
// so that it cannot be chosen, for "[ALL LIBRARIES]" and "[PROJECT LIBRARY]" in any case.
std::optional<std::string> NamedLibraryCaption(std::string_view partGridLibrary);

// The name a view tool shows: the first name before "," of the field it views, trimmed
// (a part's symbols or package field, or the focused row's text).
std::string FirstName(std::string_view field);

// The link of the focused result's datasheet, as the desktop's handler takes it: a link with
// a scheme ("https://...") as it stands, "www...." as an https link, an absolute path as a
// file link; nullopt without one ("" or "~"), for a link that names no place (a path
// relative to nothing known) and when the list's kind keeps no datasheet (packages,
// padstacks). The Open Datasheet tool is off where this answers nullopt.
std::optional<std::string> DatasheetLink(const ResultList& results, int focused);
// The same for one datasheet field.
std::optional<std::string> DatasheetLink(std::string_view datasheet);

// --- the status bar
// "<n> Part(s) Selected" and its siblings. fromMouse: the count of a mouse release, for which
// the Padstack list writes its text unlocalised.
std::string SelectedCountText(const SuiteServices& services, LibraryKind kind, int count,
                              bool fromMouse);
// "<n> Objects(s) Selected", the count Shift+End writes.
std::string ObjectsSelectedText(const SuiteServices& services, int count);

// --- list operations
// Removes the selected results (numbers from 1, any order) from the list, touching no
// library, and answers how many went; the view lists the rest again when any did.
int DeleteFromList(ResultList& results, const std::vector<int>& selectedResults);

// The selection an alias or used-by-part search starts from: the focused row's name
// trimmed, and of a part its package and symbol list. nullopt without a focused row.
std::optional<AliasSelection> AliasSelectionOf(const ResultList& results, int focusedResult);
// The mode of Used by Part started from a tab: the tab's index (1 symbol, 2 package; the
// padstack tab's 3 takes no part).
int UsedByPartMode(LibraryKind currentTab) noexcept;

// --- commands to the host
struct OutgoingCommand {
    enum class Route {
        NotifyClass, // raised as it stands
        SendToApp,   // to a running application only, addressed "<app>,<command>"
    };
    Route route = Route::NotifyClass;
    std::string aname;
    std::string command;

    bool operator==(const OutgoingCommand&) const = default;
};

OutgoingCommand SendToSchematicCommand();
OutgoingCommand SendToLayoutCommand();
OutgoingCommand EditPartCommand();
OutgoingCommand EditPadstackCommand();
// Edit New on a tab: a new part or padstack; nullopt on the Symbol and Package tabs.
std::optional<OutgoingCommand> EditNewCommand(LibraryKind currentTab);

void SendCommand(AppMessages& messages, const OutgoingCommand& command);

} // namespace k2k
