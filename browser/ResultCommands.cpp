#include "browser/ResultCommands.h"

#include "common/Messages.h"
#include "common/SplitFields.h"
#include "platform/KernelValues.h"
#include "search/ResultList.h"
#include "services/AppMessages.h"
#include "system/Text.h"

#include <algorithm>
#include <cctype>

namespace k2k {
namespace {

using T = ResultTool;

// One row per tool, as the menus list them.
// clang-format off
constexpr PopupTool kPartTools[] = {
    {"ATB_PartViewSymbol", T::ViewSymbol, 5005, {2923, "View Symbol"}, "Part View", {}},
    {"ATB_PartViewPackage", T::ViewPackage, 5006, {2921, "View Package"}, "Part View", {}},
    {"ATB_PartDatasheet", T::OpenDatasheet, 5038, {992252, "Open Da&tasheet"}, "Part View", {}},
    {"ATB_EditPart", T::EditPart, 5034, {12230, "&Edit Part"}, "Part Main", {}},
    {"ATB_PartFindAlias", T::FindAlias, 5011, {501, "&Find Alias"}, "Part Main", {}},
    {"ATB_SendTo", T::SendTo, 5001, {502, "Send To"}, "Send To", "mnuPartSend"},
    {"ATB_PartDelete", T::Delete, 5009, {9928, "&Delete"}, "Part Main", {}},
    {"ATB_PartDeleteFromList", T::DeleteFromList, 5010, {503, "Delete From &List"}, "Part Main", {}},
    {"ATB_PartSaveList", T::SaveList, 5030, {504, "Save List"}, "Part Main", {}},
    {"ATB_PartSelectAll", T::SelectAll, 5008, {505, "Select &All"}, "Part Main", {}},
    {"ATB_PartProperties", T::Properties, 5007, {506, "P&roperties"}, "Part Main", {}},
};
constexpr PopupTool kPartSendTools[] = {
    {"ATB_PartSendToSch", T::SendToSchematic, 5002, {991154, "Schematic"}, "Send To", {}},
    {"ATB_PartSendToLay", T::SendToLayout, 5003, {4515, "Layout"}, "Send To", {}},
};
constexpr PopupTool kSymbolTools[] = {
    {"ATB_SymViewSymbol", T::ViewSymbol, 5016, {2923, "View Symbol"}, "Symbol Main", {}},
    {"ATB_SymDatasheet", T::OpenDatasheet, 5039, {992252, "Open Da&tasheet"}, "Symbol Main", {}},
    {"ATB_SymUsedbyPart", T::UsedByPart, 5017, {338, "&Used by Part"}, "Symbol Main", "mnuUsedbyPart"},
    {"ATB_SymDelete", T::Delete, 5015, {9928, "&Delete"}, "Symbol Main", {}},
    {"ATB_SymDeleteFromList", T::DeleteFromList, 5014, {503, "Delete From &List"}, "Symbol Main", {}},
    {"ATB_SymSaveList", T::SaveList, 5031, {504, "Save List"}, "Symbol Main", {}},
    {"ATB_SymSelectAll", T::SelectAll, 5013, {505, "Select &All"}, "Symbol Main", {}},
    {"ATB_SymProperties", T::Properties, 5012, {506, "P&roperties"}, "Symbol Main", {}},
};
constexpr PopupTool kUsedByPartTools[] = {
    {"ATB_NamedLib", T::UsedByPartNamedLibrary, 5036, {0, ""}, "UsedbyP", {}},
    {"ATB_AllLib", T::UsedByPartAllLibraries, 5037, {0, "[ALL LIBRARIES]"}, "UsedbyP", {}},
};
constexpr PopupTool kPackageTools[] = {
    {"ATB_PkgViewPackage", T::ViewPackage, 5023, {2921, "View Package"}, "Package Main", {}},
    {"ATB_PkgUsedbyPart", T::UsedByPart, 5022, {338, "&Used by Part"}, "Package Main", "mnuUsedbyPart"},
    {"ATB_PkgDelete", T::Delete, 5021, {9928, "&Delete"}, "Package Main", {}},
    {"ATB_PkgDeleteFromList", T::DeleteFromList, 5020, {503, "Delete From &List"}, "Package Main", {}},
    {"ATB_PkgSaveList", T::SaveList, 5032, {504, "Save List"}, "Package Main", {}},
    {"ATB_PkgSelectAll", T::SelectAll, 5019, {505, "Select &All"}, "Package Main", {}},
    {"ATB_PkgProperties", T::Properties, 5018, {506, "P&roperties"}, "Package Main", {}},
};
constexpr PopupTool kPadstackTools[] = {
    {"ATB_PadViewPadstack", T::ViewPadstack, 5029, {507, "View Padstack"}, "Padstack Main", {}},
    {"ATB_EditPad", T::EditPadstack, 5035, {0, "&Edit Padstack"}, "Padstack Main", {}},
    {"ATB_PadUsedbyPart", T::UsedByPart, 5028, {338, "&Used by Part"}, "Padstack Main", "mnuUsedbyPart"},
    {"ATB_PadDelete", T::Delete, 5027, {9928, "&Delete"}, "Padstack Main", {}},
    {"ATB_PadDeleteFromList", T::DeleteFromList, 5026, {503, "Delete From &List"}, "Padstack Main", {}},
    {"ATB_PadSaveList", T::SaveList, 5033, {504, "Save List"}, "Padstack Main", {}},
    {"ATB_PadSelectAll", T::SelectAll, 5025, {505, "Select &All"}, "Padstack Main", {}},
    {"ATB_PadProperties", T::Properties, 5024, {506, "P&roperties"}, "Padstack Main", {}},
};
// clang-format on

constexpr PopupBand kBands[] = {
    {"mnuPartProperty", "Part Properties", kPartTools},
    {"mnuSymProperty", "Symbol Properties", kSymbolTools},
    {"mnuPkgProperty", "Package Properties", kPackageTools},
    {"mnuPadProperty", "Padstack Properties", kPadstackTools},
};
constexpr PopupBand kSubBands[] = {
    {"mnuPartSend", "", kPartSendTools},
    {"mnuUsedbyPart", "", kUsedByPartTools},
};

// The tools that act on one row only. The Padstack list's Used by Part takes any selection.
bool ActsOnOneRow(LibraryKind list, ResultTool tool) noexcept {
    switch (tool) {
    case ResultTool::ViewSymbol:
    case ResultTool::ViewPackage:
    case ResultTool::ViewPadstack:
    case ResultTool::EditPart:
    case ResultTool::EditPadstack:
    case ResultTool::FindAlias:
    case ResultTool::Properties:
    case ResultTool::OpenDatasheet:
        return true;
    case ResultTool::UsedByPart:
        return list != LibraryKind::Padstack;
    default:
        return false;
    }
}

// Nothing to view: an empty field or "NONE".
bool NamesNothing(std::string_view field) {
    return Trim(field).empty() || UpperCase(Trim(field)) == "NONE";
}

// True when the kernel value of a running editor ("mw_K2KSCHED", looked up in upper case)
// holds a non-zero number.
bool EditorRuns(const KernelValues& values, std::string_view valueName) {
    const std::optional<std::string> value = values.E_GetString(UpperCase(valueName));
    return value && ValueOf(*value) != 0.0;
}

// Off when the focused row names nothing to view; also off without a focused row.
bool Viewable(const ResultList& results, int focused, std::string_view PartResult::*field) {
    if (focused < 1 || focused > results.Count())
        return false;
    if (field != nullptr)
        return !NamesNothing(results.Part(focused).*field);
    return !NamesNothing(results.Name(focused));
}

} // namespace

std::string_view PartResult::*ViewedField(LibraryKind list, ResultTool tool) noexcept {
    if (list != LibraryKind::Part)
        return nullptr;
    return tool == ResultTool::ViewPackage ? &PartResult::package : &PartResult::symbols;
}

const PopupBand& PopupBandOf(LibraryKind kind) noexcept {
    return kBands[static_cast<std::size_t>(kind)];
}

const PopupBand* SubBand(std::string_view name) noexcept {
    for (const PopupBand& band : kSubBands)
        if (band.name == name)
            return &band;
    return nullptr;
}

std::vector<ToolState> PopupToolStates(LibraryKind kind, const ResultList& results,
                                       const PopupSelection& selection,
                                       const KernelValues& values) {
    const bool single = selection.selectedCount <= 1;
    const int focused = selection.focusedResult;
    std::vector<ToolState> states;
    auto add = [&](const PopupTool& tool) {
        ToolState state{tool.name, !ActsOnOneRow(kind, tool.tool) || single};
        switch (tool.tool) {
        case ResultTool::Properties:
            state.enabled = false;
            break;
        case ResultTool::SendToSchematic:
            state.enabled = EditorRuns(values, "mw_K2KSCHED");
            break;
        case ResultTool::SendToLayout:
            state.enabled = EditorRuns(values, "mw_K2KLAYED");
            break;
        case ResultTool::ViewSymbol:
        case ResultTool::ViewPackage:
        case ResultTool::ViewPadstack:
        case ResultTool::EditPadstack:
            if (state.enabled)
                state.enabled = Viewable(results, focused, ViewedField(kind, tool.tool));
            break;
        case ResultTool::OpenDatasheet:
            state.enabled = state.enabled && DatasheetLink(results, focused).has_value();
            break;
        default:
            break;
        }
        states.push_back(state);
    };
    for (const PopupTool& tool : PopupBandOf(kind).tools) {
        add(tool);
        if (const PopupBand* sub = SubBand(tool.subMenu))
            for (const PopupTool& subTool : sub->tools)
                if (subTool.name != kNamedLibraryTool)
                    add(subTool);
    }
    return states;
}

std::optional<std::string> DatasheetLink(std::string_view datasheet) {
    const std::string_view link = Trim(datasheet);
    if (link.empty() || link == "~")
        return std::nullopt;
    const std::size_t scheme = link.find("://");
    if (scheme != std::string_view::npos && scheme > 0 &&
        std::all_of(link.begin(), link.begin() + static_cast<std::ptrdiff_t>(scheme),
                    [](char c) { return std::isalpha(static_cast<unsigned char>(c)); }))
        return std::string(link);
    if (UpperCase(link.substr(0, 4)) == "WWW.")
        return "https://" + std::string(link);
    if (link.front() == '/')
        return "file://" + std::string(link);
    return std::nullopt;
}

std::optional<std::string> DatasheetLink(const ResultList& results, int focused) {
    if (focused < 1 || focused > results.Count())
        return std::nullopt;
    switch (results.Kind()) {
    case LibraryKind::Part:
        return DatasheetLink(results.Part(focused).datasheet);
    case LibraryKind::Symbol:
        return DatasheetLink(results.Symbol(focused).datasheet);
    default:
        return std::nullopt;
    }
}

std::vector<std::string> SymbolGroupNames(const ResultList& parts,
                                          const PopupSelection& selection) {
    std::vector<std::string> names;
    if (selection.selectedCount > 1 || selection.focusedResult < 1 ||
        selection.focusedResult > parts.Count())
        return names;
    const auto pieces = SplitAt(parts.Part(selection.focusedResult).symbols, ',');
    if (pieces.size() > 1)
        for (std::string_view piece : pieces)
            names.emplace_back(piece);
    return names;
}

std::optional<std::string> NamedLibraryCaption(std::string_view partGridLibrary) {
    const std::string upper = UpperCase(partGridLibrary);
    if (upper == kAllLibraries || upper == kProjectLibrary)
        return std::nullopt;
    return std::string(partGridLibrary);
}

std::string FirstName(std::string_view field) {
    return std::string(Trim(SplitAt(Trim(field), ',').front()));
}

std::string SelectedCountText(const SuiteServices& services, LibraryKind kind, int count,
                              bool fromMouse) {
    std::string text;
    switch (kind) {
    case LibraryKind::Part:
        text = LocalText(services, "5035", "Part(s) Selected");
        break;
    case LibraryKind::Symbol:
        text = LocalText(services, "5050", "Symbol(s) Selected");
        break;
    case LibraryKind::Package:
        text = LocalText(services, "5024", "Package(s) Selected");
        break;
    case LibraryKind::Padstack:
        text = fromMouse ? std::string("Padstack(s) Selected")
                         : LocalText(services, "5027", "Padstack(s) Selected");
        break;
    }
    return DecimalText(count) + " " + text;
}

std::string ObjectsSelectedText(const SuiteServices& services, int count) {
    return DecimalText(count) + " " + LocalText(services, "5081", "Objects(s) Selected");
}

int DeleteFromList(ResultList& results, const std::vector<int>& selectedResults) {
    if (selectedResults.empty())
        return 0;
    return results.Remove(selectedResults);
}

std::optional<AliasSelection> AliasSelectionOf(const ResultList& results, int focusedResult) {
    if (focusedResult < 1 || focusedResult > results.Count())
        return std::nullopt;
    AliasSelection selection;
    selection.name = std::string(Trim(results.Name(focusedResult)));
    if (results.Kind() == LibraryKind::Part) {
        const PartResult part = results.Part(focusedResult);
        selection.package = std::string(part.package);
        selection.symbols = std::string(part.symbols);
    }
    return selection;
}

int UsedByPartMode(LibraryKind currentTab) noexcept {
    return static_cast<int>(currentTab);
}

OutgoingCommand SendToSchematicCommand() {
    return {OutgoingCommand::Route::SendToApp, std::string(kSchematicApp), "SENDTO"};
}

OutgoingCommand SendToLayoutCommand() {
    return {OutgoingCommand::Route::NotifyClass, std::string(kLayoutApp),
            std::string(kLayoutApp) + ",SENDTO"};
}

OutgoingCommand EditPartCommand() {
    return {OutgoingCommand::Route::NotifyClass, std::string(kBrowserApp), "PART"};
}

OutgoingCommand EditPadstackCommand() {
    return {OutgoingCommand::Route::NotifyClass, std::string(kBrowserApp), "PAD"};
}

std::optional<OutgoingCommand> EditNewCommand(LibraryKind currentTab) {
    if (currentTab == LibraryKind::Part)
        return OutgoingCommand{OutgoingCommand::Route::NotifyClass, std::string(kBrowserApp),
                               "NEWPART"};
    if (currentTab == LibraryKind::Padstack)
        return OutgoingCommand{OutgoingCommand::Route::NotifyClass, std::string(kBrowserApp),
                               "NEWPAD"};
    return std::nullopt;
}

void SendCommand(AppMessages& messages, const OutgoingCommand& command) {
    if (command.route == OutgoingCommand::Route::SendToApp)
        messages.SendToApp(command.aname, command.command);
    else
        messages.AP_SendCmd(command.aname, command.command);
}

} // namespace k2k
