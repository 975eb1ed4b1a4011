#include "regtypes/RegTypesEditor.h"

#include "common/Messages.h"
#include "common/Pattern.h"
#include "platform/SuiteServices.h"
#include "regtypes/BrowserProfile.h"
#include "system/Text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>
#include <unordered_map>

namespace k2k {

namespace {

constexpr RegTypesTab kPartTabs[] = {
    {kPartTypeTable, "treType", "16305", "Type", "GetType"},
    {kManufacturerTable, "treManufacturer", "5011", "Manufacturer", "GetManufacturer"},
    {kTechnologyTable, "treTechnology", "4377", "Technology", "GetTechnology"},
    {kPartPackageTypeTable, "trePackageType", "3976", "Package type", "GetPackageType"},
};
constexpr RegTypesTab kSymbolTabs[] = {
    {kSymbolTypeTable, "treType", "16305", "Type", "GetType"},
};
constexpr RegTypesTab kPackageTabs[] = {
    {kPackageTypeTable, "treType", "16305", "Type", "GetType"},
};
constexpr RegTypesTab kPadstackTabs[] = {
    {kPadstackTypeTable, "treType", "16305", "Type", "GetType"},
    {kPadstackShapeTable, "treShape", "991207", "Shape", "GetShape"},
};

const std::array<RegTypesForm, 4> kForms = {{
    {"frmPartRegTypes", "5042", "Part Registered Types", kPartTabs, true},
    {"frmSymRegTypes", "5044", "Symbol Registered Types", kSymbolTabs, true},
    {"frmPkgRegTypes", "5040", "Package Registered Types", kPackageTabs, true},
    {"frmPadRegTypes", "5041", "Padstack Registered Types", kPadstackTabs, false},
}};

constexpr const char* kFindPrompt =
    "Enter Node Search Criteria (Use '*','?' for wildcard matching):";

// The icons of a table by the first identifier of a path (1, 2, 3), or one for every path.
struct IconRow {
    std::array<const char*, 3> byCategory;
    const char* any;
};

IconRow IconsOf(int table) {
    switch (table) {
    case kPartTypeTable:
    case kSymbolTypeTable:
        return {{"DIGITAL", "ANALOG", "DISCRETE"}, nullptr};
    case kPartPackageTypeTable:
    case kPackageTypeTable:
        return {{"PMD", "SMD", nullptr}, nullptr};
    case kPadstackTypeTable:
        return {{"THOLE", "SMOUNT", nullptr}, nullptr};
    case kManufacturerTable:
        return {{}, "MANUFACTURER"};
    case kTechnologyTable:
        return {{}, "TECHNOLOGY"};
    case kPadstackShapeTable:
        return {{}, "SHAPE"};
    default:
        return {{}, nullptr};
    }
}

constexpr const char* kImageKeys[] = {
    "DIGITALMAIN",  "DIGITAL",        "ANALOGMAIN", "ANALOG",    "DISCRETEMAIN",
    "DISCRETE",     "PMDMAIN",        "PMD",        "SMDMAIN",   "SMD",
    "THOLEMAIN",    "THOLE",          "SMOUNTMAIN", "SMOUNT",    "MANUFACTURERMAIN",
    "MANUFACTURER", "TECHNOLOGYMAIN", "TECHNOLOGY", "SHAPEMAIN", "SHAPE",
    "SYSTEMMAIN",   "SYSTEM",         "USER"};

std::string_view FirstIdentifier(std::string_view path) {
    return path.substr(0, path.find(','));
}

std::string_view LastIdentifier(std::string_view path) {
    const auto comma = path.rfind(',');
    return comma == std::string_view::npos ? path : path.substr(comma + 1);
}

// The path of the parent: every identifier but the last; empty at the top level.
std::string_view ParentPath(std::string_view path) {
    const auto comma = path.rfind(',');
    return comma == std::string_view::npos ? std::string_view() : path.substr(0, comma);
}

const char* KindOf(const RegTypeEntry& entry) {
    return entry.IsUser ? "USR" : "SYS";
}

// A whole number that a node's identifier reads as; 0 when it is none.
long long IdentifierValue(std::string_view identifier) {
    const double value = LeadingNumber(identifier);
    if (!std::isfinite(value) || value < 0 || value > 1e15)
        return 0;
    return static_cast<long long>(value);
}

} // namespace

const RegTypesForm& FormOf(RegTypesKind kind) noexcept {
    return kForms[static_cast<std::size_t>(kind)];
}

RegTypesKind DialogOfTable(int table) {
    for (std::size_t i = 0; i < kForms.size(); ++i)
        for (const RegTypesTab& tab : kForms[i].tabs)
            if (tab.table == table)
                return static_cast<RegTypesKind>(i);
    throw std::out_of_range("no registered-types table " + std::to_string(table));
}

int TabOfTable(int table) {
    const auto tabs = FormOf(DialogOfTable(table)).tabs;
    for (std::size_t i = 0; i < tabs.size(); ++i)
        if (tabs[i].table == table)
            return static_cast<int>(i);
    return 0;
}

std::string NodeImageKey(int table, std::string_view path, bool isUser) {
    if (isUser)
        return "USER";
    const IconRow icons = IconsOf(table);
    std::string key;
    if (icons.any) {
        key = icons.any;
    } else {
        const long long category = IdentifierValue(Trim(FirstIdentifier(path)));
        const char* byCategory = category >= 1 && category <= 3
                                     ? icons.byCategory[static_cast<std::size_t>(category - 1)]
                                     : nullptr;
        key = byCategory ? byCategory : "SYSTEM";
    }
    if (PathDepth(path) <= 1)
        key += "MAIN";
    return key;
}

std::span<const char* const> RegTypeImageKeys() noexcept {
    return kImageKeys;
}

bool ReadMaintenanceMode(const SuiteServices& services) {
    const std::string value = services.GetDirSetting("INHOUSE", "Enabled", "0");
    const std::string_view text = Trim(value);
    if (EqualsNoCase(text, "True"))
        return true;
    const double number = LeadingNumber(text);
    return number != 0 && !std::isnan(number);
}

// --- the editor

RegTypesEditor::RegTypesEditor(RegTypesKind kind, RegTypeTables& tables, SuiteServices& services,
                               RegTypesView& view)
    : m_kind(kind), m_tables(tables), m_services(services), m_view(view),
      m_trees(Form().tabs.size()), m_selected(Form().tabs.size(), kNoNode),
      m_picked(Form().tabs.size()) {
}

void RegTypesEditor::BeginEditing() noexcept {
    m_confirmed = false;
    m_editMode = true;
}

bool RegTypesEditor::EndEditing() noexcept {
    m_editMode = false;
    return m_confirmed;
}

void RegTypesEditor::Load() {
    for (int tab = 0; tab < TabCount(); ++tab)
        FillTree(tab);
    m_tab = 0;
    LoadWorkingTable();
}

void RegTypesEditor::FillTree(int tab) {
    m_trees[Index(tab)].Clear();
    m_selected[Index(tab)] = kNoNode;
    const int table = TableOf(tab);
    const std::vector<RegTypeEntry>& entries = m_tables.Table(table);
    // The first entry of each path, without regard to case, for the parents' kinds.
    std::unordered_map<std::string, std::size_t> firstOfPath;
    for (std::size_t i = 1; i < entries.size(); ++i)
        firstOfPath.emplace(UpperCase(entries[i].Path), i);

    for (std::size_t i = 1; i < entries.size(); ++i) {
        const RegTypeEntry& entry = entries[i];
        const int depth = PathDepth(entry.Path);
        if (depth == 0)
            continue;
        std::string image = NodeImageKey(table, entry.Path, entry.IsUser != 0);
        std::string parentKey;
        if (depth > 1) {
            const std::string_view parentPath = ParentPath(entry.Path);
            const char* parentKind = KindOf(entry);
            const auto parent = firstOfPath.find(UpperCase(parentPath));
            if (parent != firstOfPath.end()) {
                parentKind = KindOf(entries[parent->second]);
                if (entries[parent->second].IsUser)
                    image = "USER";
            }
            parentKey = std::string(parentKind) + std::string(parentPath);
        }
        AddNode(tab, KindOf(entry) + entry.Path, std::move(image), entry.Value, parentKey, false);
    }
    m_view.TreeRebuilt(tab);
}

NodeId RegTypesEditor::AddNode(int tab, std::string key, std::string image, std::string value,
                               const std::string& relation, bool interactive) {
    RegTypeTree& tree = m_trees[Index(tab)];
    if (const NodeId existing = tree.Find(key); existing != kNoNode) {
        tree.SetText(existing, std::move(value));
        if (interactive)
            m_view.NodeTextChanged(tab, existing);
        return existing;
    }
    NodeId parent = kNoNode;
    if (!Trim(relation).empty()) {
        parent = tree.Find(relation);
        // A child whose parent is not in the tree (missing, or later in the table) is
        // left out, as the tree control refuses it.
        if (parent == kNoNode)
            return kNoNode;
    }
    const NodeId node = tree.Add(std::move(key), std::move(value), std::move(image), parent);
    if (interactive) {
        m_view.NodeAdded(tab, node);
        m_current = node;
        m_selected[Index(tab)] = node;
        m_view.ShowNode(tab, node);
        m_view.StartLabelEdit(tab, node);
    }
    return node;
}

void RegTypesEditor::LoadWorkingTable() {
    m_working = m_tables.Table(TableOf(m_tab));
    m_current = m_selected[Index(m_tab)];
    m_findPattern.clear();
    m_findPosition = 0;
}

void RegTypesEditor::StoreWorkingTable() {
    m_tables.Table(TableOf(m_tab)) = m_working;
}

void RegTypesEditor::Activate() {
    LoadWorkingTable();
}

void RegTypesEditor::ChangeTab(int tab) {
    if (tab < 0 || tab >= TabCount() || tab == m_tab)
        return;
    StoreWorkingTable();
    m_tab = tab;
    LoadWorkingTable();
}

void RegTypesEditor::SelectNode(NodeId node) {
    if (node != kNoNode && !m_trees[Index(m_tab)].Contains(node))
        return;
    m_current = node;
    m_selected[Index(m_tab)] = node;
}

PopupMenuState RegTypesEditor::MenuFor(NodeId node) const {
    PopupMenuState menu;
    const RegTypeTree& tree = m_trees[Index(m_tab)];
    if (tree.Count() == 0) {
        // An empty table gets its first entry from a right click on its empty tree.
        menu.separatorVisible = m_editMode;
        menu.addVisible = m_editMode;
        return menu;
    }
    if (!tree.Contains(node))
        return menu;
    const std::string& key = tree.Node(node).key;
    const bool editable = RegTypeTree::IsUserKey(key) || m_maintenance;
    menu.separatorVisible = m_editMode;
    menu.addVisible = m_editMode;
    menu.renameVisible = m_editMode;
    menu.deleteVisible = m_editMode;
    menu.renameEnabled = editable;
    menu.deleteEnabled = editable;
    menu.addTopLevelVisible = m_editMode && PathDepth(RegTypeTree::PathOfKey(key)) == 1;
    return menu;
}

bool RegTypesEditor::CanEditLabel() const {
    const RegTypeTree& tree = m_trees[Index(m_tab)];
    if (!m_editMode || !tree.Contains(m_current))
        return false;
    return RegTypeTree::IsUserKey(tree.Node(m_current).key) || m_maintenance;
}

std::size_t RegTypesEditor::WorkingEntry(std::string_view path) const {
    for (std::size_t i = 1; i < m_working.size(); ++i)
        if (EqualsNoCase(m_working[i].Path, path))
            return i;
    return 0;
}

std::string LabelTextProblem(const SuiteServices& services, std::string_view text) {
    if (Trim(text).empty())
        return LocalText(services, "992230",
                         "A registered type needs a name; the name stays as it was.");
    if (text.find(':') != std::string_view::npos)
        return LocalText(services, "992231",
                         "A registered type's name cannot hold \":\"; the name stays as it was.");
    if (text.find_first_of("\t\r\n") != std::string_view::npos)
        return LocalText(services, "992232",
                         "A registered type's name cannot hold a tab or a line break; the name "
                         "stays as it was.");
    return {};
}

bool RegTypesEditor::UpdateEntryValue(const std::string& text) {
    RegTypeTree& tree = m_trees[Index(m_tab)];
    if (!CanEditLabel())
        return false;
    // The profile keeps a text up to its first ":" on one line; a text it cannot keep is
    // refused rather than cut short when the profile is read again.
    if (const std::string problem = LabelTextProblem(m_services, text); !problem.empty()) {
        m_services.Boxes().Show({problem, MessageTitle(m_services), MsgIcon::Exclamation});
        return false;
    }
    const std::string path(RegTypeTree::PathOfKey(tree.Node(m_current).key));
    const std::size_t entry = WorkingEntry(path);
    if (entry == 0)
        return false;
    m_working[entry] = RegTypeEntry{1, path, text};
    tree.SetText(m_current, text);
    m_view.NodeTextChanged(m_tab, m_current);
    return true;
}

long long RegTypesEditor::NextIdentifier(int depth) const {
    long long highest = 1;
    for (std::size_t i = 1; i < m_working.size(); ++i)
        if (PathDepth(m_working[i].Path) == depth)
            highest = std::max(highest, IdentifierValue(LastIdentifier(m_working[i].Path)));
    return highest + 1;
}

void RegTypesEditor::AddUserNode(const std::string& parentPath, int depth) {
    std::string path = DecimalText(NextIdentifier(depth));
    std::string relation;
    if (!parentPath.empty()) {
        path = parentPath + "," + path;
        const std::size_t parent = WorkingEntry(parentPath);
        // Without an entry the parent keeps the kind its node has.
        const std::string kind = parent ? KindOf(m_working[parent])
                                        : m_trees[Index(m_tab)].Node(m_current).key.substr(0, 3);
        relation = kind + parentPath;
    }
    m_working.push_back(RegTypeEntry{1, path, "New"});
    AddNode(m_tab, "USR" + path, "USER", "New", relation, true);
}

void RegTypesEditor::AddNew() {
    const RegTypeTree& tree = m_trees[Index(m_tab)];
    if (m_editMode && tree.Count() == 0) {
        AddUserNode({}, 1); // the first entry of an empty table, at the top level
        return;
    }
    if (!m_editMode || !tree.Contains(m_current))
        return;
    const std::string parentPath(RegTypeTree::PathOfKey(tree.Node(m_current).key));
    AddUserNode(parentPath, PathDepth(parentPath) + 1);
}

void RegTypesEditor::AddTopLevel() {
    const RegTypeTree& tree = m_trees[Index(m_tab)];
    if (!m_editMode || !tree.Contains(m_current))
        return;
    const int depth = PathDepth(RegTypeTree::PathOfKey(tree.Node(m_current).key));
    if (depth != 1)
        return; // offered on top-level nodes only
    AddUserNode({}, depth);
}

void RegTypesEditor::Delete() {
    RegTypeTree& tree = m_trees[Index(m_tab)];
    if (!m_editMode || !tree.Contains(m_current))
        return;
    if (!MenuFor(m_current).deleteEnabled)
        return;
    const std::string path(RegTypeTree::PathOfKey(tree.Node(m_current).key));
    const std::string below = UpperCase(path) + ",";
    const auto kept =
        std::remove_if(m_working.begin() + 1, m_working.end(), [&](const RegTypeEntry& entry) {
            return EqualsNoCase(entry.Path, path) || UpperCase(entry.Path).starts_with(below);
        });
    m_working.erase(kept, m_working.end());
    const NodeId gone = m_current;
    m_view.NodeRemoving(m_tab, gone);
    tree.Remove(gone);
    m_current = kNoNode;
    m_selected[Index(m_tab)] = kNoNode;
    m_findPosition = std::min(m_findPosition, tree.Count());
}

void RegTypesEditor::FindFirst() {
    m_findPattern.clear();
    m_findPosition = 0;
    FindNext();
}

void RegTypesEditor::FindNext() {
    if (m_findPattern.empty()) {
        const std::string prompt = Form().localisedFindPrompt
                                       ? LocalText(m_services, "4944", kFindPrompt)
                                       : std::string(kFindPrompt);
        m_findPattern = m_view.AskFindPattern(prompt);
        if (m_findPattern.empty())
            return;
    }
    const auto pattern = Pattern::Compile(UpperCase(m_findPattern));
    if (!pattern) {
        m_findPattern.clear();
        m_findPosition = 0;
        m_services.Boxes().Show(
            {pattern.Message(), MessageTitle(m_services), MsgIcon::Exclamation, MsgButtons::Ok});
        return;
    }
    const RegTypeTree& tree = m_trees[Index(m_tab)];
    for (int index = m_findPosition + 1; index <= tree.Count(); ++index) {
        const NodeId node = tree.At(index);
        if (pattern->MatchesUpperCased(tree.Node(node).text)) {
            m_findPosition = index;
            m_current = node;
            m_selected[Index(m_tab)] = node;
            m_view.ShowNode(m_tab, node);
            return;
        }
    }
    m_findPosition = 0;
    m_services.Boxes().Show({LocalText(m_services, "4945", "No more matches found!"),
                             MessageTitle(m_services), MsgIcon::Information, MsgButtons::Ok});
}

void RegTypesEditor::Ok() {
    for (int tab = 0; tab < TabCount(); ++tab) {
        const NodeId node = m_selected[Index(tab)];
        if (m_trees[Index(tab)].Contains(node))
            m_picked[Index(tab)] = m_trees[Index(tab)].FullPath(node);
    }
    StoreWorkingTable();
    m_confirmed = true;
}

void RegTypesEditor::Cancel() {
    // The working table is dropped; the tree shows the shared table again, with the
    // selected node kept where it still exists.
    const RegTypeTree& tree = m_trees[Index(m_tab)];
    const NodeId selected = m_selected[Index(m_tab)];
    const std::string selectedKey = tree.Contains(selected) ? tree.Node(selected).key : "";
    FillTree(m_tab);
    LoadWorkingTable();
    if (!selectedKey.empty()) {
        const NodeId again = m_trees[Index(m_tab)].Find(selectedKey);
        if (again != kNoNode) {
            SelectNode(again);
            m_view.ShowNode(m_tab, again);
        }
    }
}

void SaveAfterEditing(RegTypesKind kind, RegTypeTables& tables, FileOps& files,
                      SuiteServices& services) {
    for (const RegTypesTab& tab : FormOf(kind).tabs)
        tables.Count(tab.table) = tables.UpperBound(tab.table);
    WriteBrowserProfile(tables, files, services, tables.profilePath);
}

} // namespace k2k
