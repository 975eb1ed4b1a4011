#pragma once
// The rules of the four registered-types dialogs (part, symbol, package and padstack
// types): each shows some of the registered-type tables (RegTypeTables.h) as trees, one
// per tab, and serves two uses. Opened for editing from the menu, the user adds, renames
// and deletes user nodes, and a confirmed dialog has the browser profile rewritten
// (SaveAfterEditing). Opened from a pick button of an option grid, the user selects one
// node and the dialog answers its text path ("Digital,TTL,Gates").
//
// Data flow: Load builds each tab's tree from its shared table (RegTypeTree.h). The tab
// being worked on has a working copy of its table; every edit changes that copy and the
// tree together. Leaving the tab or OK copies the working table back into the shared
// table; Cancel drops it and builds the tab's tree again from the shared table, so that
// the tree shows what is kept. The window (regtypes/ui/RegTypesDialog) shows the trees,
// passes on the user's clicks, keys and label edits, and is told of every change through
// RegTypesView.
//
// A node's key is "SYS" or "USR" followed by its entry's path: the link between node and
// entry. System nodes (delivered with the suite) can be neither renamed nor deleted, except
// in maintenance mode (the directory setting INHOUSE/Enabled). Nothing can be edited while
// the dialog is open for picking.

#include "regtypes/RegTypeTables.h"
#include "regtypes/RegTypeTree.h"

#include <span>
#include <string>
#include <vector>

namespace k2k {

class FileOps;
class SuiteServices;

enum class RegTypesKind { Part, Symbol, Package, Padstack };

// One tab of a dialog.
struct RegTypesTab {
    int table;                // the registered-type table it shows
    const char* treeName;     // the tree control's name
    const char* captionId;    // the tab caption's text id
    const char* caption;      // and its default
    const char* pickProperty; // the pick property that answers its picked path
};

// What differs between the four dialogs.
struct RegTypesForm {
    const char* formName;  // "frmPartRegTypes"
    const char* captionId; // the window caption's text id
    const char* caption;   // and its default, also the title of the menu command
    std::span<const RegTypesTab> tabs;
    bool localisedFindPrompt; // the padstack dialog asks in English whatever the language
};

const RegTypesForm& FormOf(RegTypesKind kind) noexcept;
// The dialog that shows a table (1 to 8), and the tab it shows it on.
RegTypesKind DialogOfTable(int table);
int TabOfTable(int table);

// The image key of a node's icon from its table, path and kind: a top-level node takes the
// key ending in "MAIN", a deeper one the key without it; a user node always "USER". A system
// node whose first identifier has no icon of its own in its table takes "SYSTEM(MAIN)".
std::string NodeImageKey(int table, std::string_view path, bool isUser);
// Every image key a node can take, for the window's image list.
std::span<const char* const> RegTypeImageKeys() noexcept;

// Maintenance mode: the directory setting Enabled of section INHOUSE, false when absent.
// "1" (any non-zero number) and "True" in any case are true.
bool ReadMaintenanceMode(const SuiteServices& services);

// The items of the pop-up menu mnuPopUp as a node's right click shows them.
struct PopupMenuState {
    bool findVisible = true;     // mnuFind
    bool findNextVisible = true; // mnuFindNxt
    bool separatorVisible = false;
    bool addVisible = false;
    bool addTopLevelVisible = false;
    bool renameVisible = false;
    bool deleteVisible = false;
    bool renameEnabled = false;
    bool deleteEnabled = false;
};

// How the editor tells its window what changed.
class RegTypesView {
public:
    virtual ~RegTypesView() = default;
    // A node was added to the tree of tab; it sits at its sorted place among its siblings.
    virtual void NodeAdded(int tab, NodeId node) = 0;
    // A node has a new text and perhaps a new place among its siblings.
    virtual void NodeTextChanged(int tab, NodeId node) = 0;
    // A node and its subtree are about to go; the tree still holds them.
    virtual void NodeRemoving(int tab, NodeId node) = 0;
    // The tree of tab was built anew.
    virtual void TreeRebuilt(int tab) = 0;
    // Scroll the node into view and select it.
    virtual void ShowNode(int tab, NodeId node) = 0;
    virtual void StartLabelEdit(int tab, NodeId node) = 0;
    // The find commands' question (the shared query box, which beeps first); empty when
    // the user cancels.
    virtual std::string AskFindPattern(const std::string& prompt) = 0;
};

// Why a node cannot take a text as its name (8-bit message text); empty when it can. The
// profile keeps a name up to its first ":" on one line, and an empty name cannot be read.
// In the suite's language.
std::string LabelTextProblem(const SuiteServices& services, std::string_view text);

class RegTypesEditor final {
public:
    RegTypesEditor(RegTypesKind kind, RegTypeTables& tables, SuiteServices& services,
                   RegTypesView& view);
    RegTypesEditor(const RegTypesEditor&) = delete;
    RegTypesEditor& operator=(const RegTypesEditor&) = delete;

    RegTypesKind Kind() const noexcept { return m_kind; }
    const RegTypesForm& Form() const noexcept { return FormOf(m_kind); }
    int TabCount() const noexcept { return static_cast<int>(m_trees.size()); }

    void SetMaintenanceMode(bool on) noexcept { m_maintenance = on; }
    bool MaintenanceMode() const noexcept { return m_maintenance; }

    // --- the dialog's uses
    // Opening for editing sets Confirmed false and EditMode true; EndEditing sets EditMode
    // false and answers Confirmed: whether the profile is to be written.
    void BeginEditing() noexcept;
    bool EndEditing() noexcept;
    bool EditMode() const noexcept { return m_editMode; }
    bool Confirmed() const noexcept { return m_confirmed; }
    // The path picked on a tab's tree at the last OK (the texts joined with ","); empty
    // before the first.
    const std::string& PickedPath(int tab) const { return m_picked.at(Index(tab)); }

    // --- the window's events
    // Form load: every tree from its shared table, then the working table of tab 0.
    void Load();
    // Each time the dialog is shown: the working table of the current tab from its table.
    void Activate();
    // The user switches tabs: the working table goes back into the table of the tab left.
    void ChangeTab(int tab);
    // The user selected (clicked) a node of the current tree, or none (kNoNode).
    void SelectNode(NodeId node);
    PopupMenuState MenuFor(NodeId node) const;
    // Whether the current node's label may be edited.
    bool CanEditLabel() const;
    // The label edit ended with a new text: false, the node keeping its text, when it has
    // no entry in the working table or the text cannot be kept (empty, or a ":", TAB or
    // line break, which the profile cannot hold); such a text gets a message saying why.
    bool UpdateEntryValue(const std::string& text);
    // mnuAddNew: a user child of the current node; in an empty tree, the first top-level
    // node (the menu of an empty tree offers Add).
    void AddNew();
    void AddTopLevel(); // mnuAddTopLev
    void Delete();      // mnuDelete: the current node with its descendants
    void FindFirst();   // mnuFind, Ctrl+F
    void FindNext();    // mnuFindNxt, F3
    void Ok();
    void Cancel();

    // --- state
    int CurrentTab() const noexcept { return m_tab; }
    NodeId CurrentNode() const noexcept { return m_current; }
    NodeId SelectedNode(int tab) const { return m_selected.at(Index(tab)); }
    const RegTypeTree& Tree(int tab) const { return m_trees.at(Index(tab)); }
    // Element 0 unused, as in the shared tables.
    const std::vector<RegTypeEntry>& WorkingTable() const noexcept { return m_working; }
    const std::string& FindPattern() const noexcept { return m_findPattern; }
    int FindPosition() const noexcept { return m_findPosition; }

private:
    static std::size_t Index(int tab) { return static_cast<std::size_t>(tab); }
    int TableOf(int tab) const { return Form().tabs[Index(tab)].table; }
    void FillTree(int tab);
    // Adds the node, or gives an existing node of that key the text. interactive: a new
    // node becomes the current and selected node and its label editing starts.
    NodeId AddNode(int tab, std::string key, std::string image, std::string value,
                   const std::string& relation, bool interactive);
    void LoadWorkingTable();
    void StoreWorkingTable();
    // The first working-table entry with that path (without regard to case); 0 for none.
    std::size_t WorkingEntry(std::string_view path) const;
    // One more than the highest last identifier of the working table's paths of that depth
    // (at least 2): identifiers are unique per depth.
    long long NextIdentifier(int depth) const;
    void AddUserNode(const std::string& parentPath, int depth);

    RegTypesKind m_kind;
    RegTypeTables& m_tables;
    SuiteServices& m_services;
    RegTypesView& m_view;
    std::vector<RegTypeTree> m_trees;
    std::vector<NodeId> m_selected;
    std::vector<std::string> m_picked;
    std::vector<RegTypeEntry> m_working{RegTypeEntry{}};
    int m_tab = 0;
    NodeId m_current = kNoNode;
    std::string m_findPattern;
    int m_findPosition = 0;
    bool m_maintenance = false;
    bool m_editMode = false;
    bool m_confirmed = false;
};

// After a confirmed editing dialog: the counts of the dialog's tables become their upper
// bounds and the whole profile is written to the path it was read from.
void SaveAfterEditing(RegTypesKind kind, RegTypeTables& tables, FileOps& files,
                      SuiteServices& services);

} // namespace k2k
