#include "regtypes/RegTypesEditor.h"

#include "platform/FileOps.h"
#include "platform/SuiteServices.h"
#include "regtypes/BrowserProfile.h"
#include "support/TestSupport.h"
#include "system/NativePath.h"

#include <gtest/gtest.h>

#include <deque>

namespace k2k {
namespace {

using test::RecordingMessageBoxes;
using test::TempDir;
using Entries = std::vector<RegTypeEntry>;

// Records what the editor tells its window and answers the find question from a script.
class RecordingView final : public RegTypesView {
public:
    void NodeAdded(int, NodeId) override {}
    void NodeTextChanged(int, NodeId) override {}
    void NodeRemoving(int, NodeId) override {}
    void TreeRebuilt(int) override {}
    void ShowNode(int, NodeId node) override { shown.push_back(node); }
    void StartLabelEdit(int, NodeId node) override { editing.push_back(node); }
    std::string AskFindPattern(const std::string& prompt) override {
        prompts.push_back(prompt);
        if (answers.empty())
            return {};
        std::string answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<NodeId> shown, editing;
    std::vector<std::string> prompts;
    std::deque<std::string> answers;
};

class RegTypesEditorTest : public ::testing::Test {
protected:
    void Fill(int table, const Entries& entries) {
        for (const RegTypeEntry& entry : entries)
            tables.Append(table, entry);
        tables.SetCountsToUpperBounds();
    }
    Entries EntriesOf(int table) const {
        const auto& all = tables.Table(table);
        return Entries(all.begin() + 1, all.end());
    }
    Entries Working() const {
        return Entries(editor->WorkingTable().begin() + 1, editor->WorkingTable().end());
    }
    void Open(RegTypesKind kind, bool editing = true) {
        editor = std::make_unique<RegTypesEditor>(kind, tables, services, view);
        editor->Load();
        if (editing)
            editor->BeginEditing();
        editor->Activate();
    }
    const RegTypeTree& Tree() const { return editor->Tree(editor->CurrentTab()); }
    NodeId Node(std::string_view key) const { return Tree().Find(key); }
    // The texts of a node's children in the order the tree shows them.
    std::vector<std::string> ChildTexts(NodeId parent) const {
        std::vector<std::string> texts;
        for (NodeId child : Tree().Children(parent))
            texts.push_back(Tree().Node(child).text);
        return texts;
    }
    std::string SelectedText() const {
        const NodeId node = editor->SelectedNode(editor->CurrentTab());
        return node == kNoNode ? "(none)" : Tree().Node(node).text;
    }

    TempDir dir;
    RecordingMessageBoxes boxes;
    SuiteServices services{dir / "suite.ini", boxes};
    RegTypeTables tables;
    RecordingView view;
    std::unique_ptr<RegTypesEditor> editor;
};

TEST_F(RegTypesEditorTest, TreesAreBuiltFromTheTablesWithKeysIconsAndSortedChildren) {
    Fill(kPartTypeTable, {{0, "1", "Digital"},
                          {0, "1,3", "gates"},
                          {0, "1,2", "Counters"},
                          {1, "1,4", "Buffers"},
                          {0, "1,4,1", "Octal"}, // a system child of a user node
                          {0, "2", "Analog"},
                          {0, "7", "Other"},
                          {0, "9,1", "Orphan"}, // its parent is not in the table
                          {1, "", "no path"}});
    Fill(kManufacturerTable, {{0, "1", "Acme"}, {0, "1,1", "Acme Europe"}});
    Open(RegTypesKind::Part);

    EXPECT_EQ(Tree().Count(), 7) << "the orphan and the entry without a path are left out";
    EXPECT_EQ(ChildTexts(kNoNode), (std::vector<std::string>{"Analog", "Digital", "Other"}));
    // Without regard to case, as the tree control sorts.
    EXPECT_EQ(ChildTexts(Node("SYS1")), (std::vector<std::string>{"Buffers", "Counters", "gates"}));
    ASSERT_NE(Node("usr1,4"), kNoNode) << "keys are found without regard to case";
    EXPECT_EQ(Tree().Node(Node("SYS1")).image, "DIGITALMAIN");
    EXPECT_EQ(Tree().Node(Node("SYS1,2")).image, "DIGITAL");
    EXPECT_EQ(Tree().Node(Node("SYS1,4,1")).image, "USER") << "under a user node";
    EXPECT_EQ(Tree().Node(Node("SYS7")).image, "SYSTEMMAIN") << "no category icon for 7";
    EXPECT_EQ(Tree().FullPath(Node("SYS1,4,1")), "Digital,Buffers,Octal");

    const RegTypeTree& makers = editor->Tree(1);
    EXPECT_EQ(makers.Node(makers.Find("SYS1,1")).image, "MANUFACTURER");
    EXPECT_EQ(editor->SelectedNode(0), kNoNode) << "loading selects nothing";
}

TEST_F(RegTypesEditorTest, AddedIdentifiersAreUniquePerDepthAcrossParents) {
    Fill(kPartTypeTable, {{0, "1", "Digital"},
                          {0, "1,2", "A"},
                          {0, "2", "Analog"},
                          {0, "2,9", "B"},
                          {1, "2,5", "C"},
                          {0, "2,9,40", "deep"}});
    Open(RegTypesKind::Part);

    editor->SelectNode(Node("SYS1"));
    editor->AddNew();
    EXPECT_EQ(Working().back(), (RegTypeEntry{1, "1,10", "New"})) << "9 is the highest at depth 2";
    const NodeId added = Node("USR1,10");
    ASSERT_NE(added, kNoNode);
    EXPECT_EQ(Tree().Node(added).parent, Node("SYS1"));
    EXPECT_EQ(view.shown.back(), added);
    EXPECT_EQ(view.editing.back(), added) << "a new node is named at once";

    editor->SelectNode(Node("SYS2"));
    editor->AddTopLevel();
    EXPECT_EQ(Working().back(), (RegTypeEntry{1, "3", "New"}));
    EXPECT_EQ(Tree().Node(Node("USR3")).parent, kNoNode);

    // Under a third-level parent with no fourth-level entry, the first identifier is 2.
    editor->SelectNode(Node("SYS2,9,40"));
    editor->AddNew();
    EXPECT_EQ(Working().back().Path, "2,9,40,2");
    // Add Top Level is offered on top-level nodes only.
    const std::size_t count = Working().size();
    editor->AddTopLevel();
    EXPECT_EQ(Working().size(), count);
}

// An empty table shows an empty tree; its right click offers Add, which makes the first
// top-level entry, so the table can be started from the window.
TEST_F(RegTypesEditorTest, AnEmptyTreeOffersAddForItsFirstEntry) {
    Open(RegTypesKind::Package);
    ASSERT_EQ(Tree().Count(), 0);
    const PopupMenuState menu = editor->MenuFor(kNoNode);
    EXPECT_TRUE(menu.addVisible);
    EXPECT_FALSE(menu.renameVisible || menu.deleteVisible || menu.addTopLevelVisible);
    editor->AddNew();
    ASSERT_EQ(Tree().Count(), 1);
    EXPECT_EQ(Working().back(), (RegTypeEntry{1, "2", "New"}));
    EXPECT_FALSE(editor->MenuFor(kNoNode).addVisible) << "a tree with nodes: on a node only";

    editor->EndEditing();
    RegTypesEditor picking(RegTypesKind::Padstack, tables, services, view);
    picking.Load();
    EXPECT_FALSE(picking.MenuFor(kNoNode).addVisible) << "picking adds nothing";
}

TEST_F(RegTypesEditorTest, RenamingKeepsSystemNodesOutsideMaintenanceMode) {
    Fill(kSymbolTypeTable, {{0, "1", "Digital"}, {1, "1,2", "Mine"}, {0, "1,3", "Zeta"}});
    Open(RegTypesKind::Symbol);

    editor->SelectNode(Node("SYS1"));
    EXPECT_FALSE(editor->CanEditLabel() || editor->UpdateEntryValue("Renamed"));
    EXPECT_EQ(Tree().Node(Node("SYS1")).text, "Digital");

    editor->SelectNode(Node("USR1,2"));
    ASSERT_TRUE(editor->CanEditLabel());
    EXPECT_TRUE(editor->UpdateEntryValue("Zz top"));
    EXPECT_EQ(Working()[1], (RegTypeEntry{1, "1,2", "Zz top"}));
    EXPECT_EQ(ChildTexts(Node("SYS1")), (std::vector<std::string>{"Zeta", "Zz top"}))
        << "a renamed node moves to its sorted place";
    EXPECT_EQ(EntriesOf(kSymbolTypeTable)[1].Value, "Mine") << "only the working table changed";
    // Texts the profile could not read back are refused, each with a message saying why.
    for (const char* bad : {"a:b", "   ", "", "tab\there", "two\r\nlines"}) {
        boxes.shown.clear();
        EXPECT_FALSE(editor->UpdateEntryValue(bad)) << bad;
        ASSERT_EQ(boxes.shown.size(), 1u) << bad;
        EXPECT_EQ(boxes.shown[0].text, LabelTextProblem(services, bad));
        EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Exclamation);
    }
    EXPECT_NE(LabelTextProblem(services, "a:b").find("\":\""), std::string::npos);
    EXPECT_NE(LabelTextProblem(services, " ").find("needs a name"), std::string::npos);
    EXPECT_NE(LabelTextProblem(services, "x\ny").find("line break"), std::string::npos);
    EXPECT_EQ(LabelTextProblem(services, "Flip, flops"), "");
    boxes.shown.clear();
    EXPECT_EQ(Tree().Node(Node("USR1,2")).text, "Zz top");
    tables.Table(kSymbolTypeTable).resize(2); // the entry went behind the editor's back
    editor->Activate();
    EXPECT_FALSE(editor->UpdateEntryValue("Other")) << "a node without entry";

    editor->SetMaintenanceMode(true);
    editor->SelectNode(Node("SYS1"));
    ASSERT_TRUE(editor->CanEditLabel());
    EXPECT_TRUE(editor->UpdateEntryValue("Logic"));
    EXPECT_EQ(Working()[0], (RegTypeEntry{1, "1", "Logic"})) << "an edited entry is the user's";

    // Picking edits nothing, whatever the node.
    editor->EndEditing();
    editor->SelectNode(Node("USR1,2"));
    EXPECT_FALSE(editor->CanEditLabel());
}

TEST_F(RegTypesEditorTest, DeleteTakesTheNodeAndItsDescendantsOnly) {
    Fill(kPartTypeTable, {{0, "1", "Digital"},
                          {1, "1,2", "Mine"},
                          {1, "1,2,7", "Child"},
                          {1, "1,21", "Neighbour"},
                          {1, "1,2,7,1", "Grandchild"}});
    Open(RegTypesKind::Part);
    editor->SelectNode(Node("SYS1"));
    editor->Delete();
    EXPECT_EQ(Working().size(), 5u) << "a system node is not deleted";

    editor->SelectNode(Node("usr1,2"));
    editor->Delete();
    EXPECT_EQ(Working(), (Entries{{0, "1", "Digital"}, {1, "1,21", "Neighbour"}}));
    EXPECT_EQ(Tree().Count(), 2);
    EXPECT_EQ(Node("USR1,2,7"), kNoNode);
    EXPECT_EQ(editor->CurrentNode(), kNoNode);
    EXPECT_EQ(Tree().At(2), Node("USR1,21")) << "the collection closes up";
}

TEST_F(RegTypesEditorTest, MenuOffersEditingOnlyWhenEditingAndEnablesItForUserNodes) {
    Fill(kPadstackTypeTable, {{0, "1", "Through"}, {0, "1,1", "Round"}, {1, "1,2", "Mine"}});
    Open(RegTypesKind::Padstack);

    const PopupMenuState top = editor->MenuFor(Node("SYS1"));
    EXPECT_TRUE(top.findVisible && top.addVisible && top.addTopLevelVisible && top.renameVisible);
    EXPECT_FALSE(top.renameEnabled || top.deleteEnabled);

    const PopupMenuState user = editor->MenuFor(Node("USR1,2"));
    EXPECT_FALSE(user.addTopLevelVisible) << "not a top-level node";
    EXPECT_TRUE(user.renameEnabled && user.deleteEnabled);

    editor->SetMaintenanceMode(true);
    EXPECT_TRUE(editor->MenuFor(Node("SYS1,1")).deleteEnabled);

    editor->EndEditing(); // picking
    const PopupMenuState pick = editor->MenuFor(Node("USR1,2"));
    EXPECT_TRUE(pick.findVisible && pick.findNextVisible);
    EXPECT_FALSE(pick.separatorVisible || pick.addVisible || pick.renameVisible);
}

TEST_F(RegTypesEditorTest, FindWalksTheNodesInTheOrderAddedAndWrapsAround) {
    Fill(kPartTypeTable, {{0, "1", "Digital"},
                          {0, "1,2", "LSTTL"},
                          {0, "2", "a TTL b"},
                          {0, "1,3", "ttl"},
                          {0, "1,4", "CMOS"}});
    Open(RegTypesKind::Part);
    view.answers = {"*ttl*"};

    editor->FindFirst();
    EXPECT_EQ(SelectedText(), "LSTTL") << "insertion order, not display order";
    EXPECT_EQ(editor->FindPosition(), 2);
    editor->FindNext();
    EXPECT_EQ(SelectedText(), "a TTL b");
    editor->FindNext();
    editor->FindNext();
    ASSERT_EQ(boxes.Texts(), (std::vector<std::string>{"No more matches found!"}));
    EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Information);
    EXPECT_EQ(editor->FindPosition(), 0);
    editor->FindNext();
    EXPECT_EQ(SelectedText(), "LSTTL") << "after the message it starts again";
    EXPECT_EQ(view.prompts.size(), 1u) << "the pattern is kept";

    // No implicit wildcard; "#" is one digit, "?" one character, lists in brackets.
    for (const auto& [pattern, expected] :
         std::vector<std::pair<std::string, std::string>>{{"ttl", "ttl"},
                                                          {"?MOS", "CMOS"},
                                                          {"[ab]*", "a TTL b"},
                                                          {"*#*", "No more matches found!"},
                                                          {"[ab", "never closed"}}) {
        boxes.shown.clear();
        view.answers = {pattern};
        editor->FindFirst();
        const std::string found = boxes.shown.empty() ? SelectedText() : boxes.Texts()[0];
        EXPECT_NE(found.find(expected), std::string::npos) << pattern << ": " << found;
    }
    EXPECT_EQ(editor->FindPattern(), "") << "a broken pattern is dropped: the next find asks";

    // A cancelled question finds nothing and shows nothing.
    boxes.shown.clear();
    editor->FindFirst();
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(RegTypesEditorTest, CancelDropsOnlyTheWorkingTableOfTheCurrentTab) {
    Fill(kPartTypeTable, {{0, "1", "Digital"}});
    Fill(kManufacturerTable, {{0, "1", "Acme"}});
    Open(RegTypesKind::Part);

    editor->SelectNode(Node("SYS1"));
    editor->AddNew(); // on tab Type
    editor->ChangeTab(1);
    EXPECT_EQ(EntriesOf(kPartTypeTable).size(), 2u) << "leaving a tab keeps its changes";
    editor->SelectNode(Node("SYS1"));
    editor->AddNew(); // on tab Manufacturer
    editor->Cancel();

    EXPECT_EQ(EntriesOf(kManufacturerTable), (Entries{{0, "1", "Acme"}}));
    EXPECT_EQ(Node("USR1,2"), kNoNode) << "the tree shows the table again";
    EXPECT_EQ(EntriesOf(kPartTypeTable).back(), (RegTypeEntry{1, "1,2", "New"}));
    EXPECT_EQ(editor->EndEditing(), false);
}

TEST_F(RegTypesEditorTest, OkStoresPickedPathsAndALaterCancelKeepsThem) {
    Fill(kPadstackTypeTable, {{0, "1", "Through"}, {0, "1,1", "Round"}});
    Fill(kPadstackShapeTable, {{0, "1", "Circle"}});
    Open(RegTypesKind::Padstack, false);
    editor->SelectNode(Node("SYS1,1"));
    editor->Ok();
    EXPECT_EQ(editor->PickedPath(0), "Through,Round");
    EXPECT_EQ(editor->PickedPath(1), "") << "a tree without selection keeps its path";

    editor->Activate();
    editor->SelectNode(Node("SYS1"));
    editor->Cancel();
    EXPECT_EQ(editor->PickedPath(0), "Through,Round");

    // The padstack dialog asks in English whatever the language.
    test::WriteFile(dir / "TEXTS.LNG", "4944=Suchmuster:\r\n");
    services.SetLanguagePath(dir.SuitePath());
    editor->FindFirst();
    EXPECT_EQ(view.prompts, std::vector<std::string>{
                                "Enter Node Search Criteria (Use '*','?' for wildcard matching):"});
}

TEST_F(RegTypesEditorTest, AConfirmedEditIsWrittenAndReadsBackIdentically) {
    Fill(kPartTypeTable, {{0, "1", "Digital"}, {0, "1,2", "Gates"}});
    Fill(kSymbolTypeTable, {{0, "1", "Digital"}});
    tables.profilePath = SuitePath(dir / "K2KBRWSR.ini").Value();
    Open(RegTypesKind::Symbol);
    editor->SelectNode(Node("SYS1"));
    editor->AddNew();
    ASSERT_TRUE(editor->UpdateEntryValue("Flip, flops"));
    editor->Ok();
    ASSERT_TRUE(editor->EndEditing());
    FileOps files(services, boxes);
    SaveAfterEditing(editor->Kind(), tables, files, services);
    EXPECT_EQ(tables.Count(kSymbolTypeTable), 2);

    RegTypeTables read;
    int errorFlag = -1;
    ReadBrowserProfile(read, files, services, errorFlag, tables.profilePath);
    EXPECT_EQ(errorFlag, 0);
    for (int table = 1; table <= kRegTypeTableCount; ++table)
        EXPECT_EQ(read.Table(table), tables.Table(table)) << RegTypeSection(table);
    EXPECT_EQ(read.Table(kSymbolTypeTable).back(), (RegTypeEntry{1, "1,2", "Flip, flops"}));
}

TEST_F(RegTypesEditorTest, MaintenanceModeIsTheInHouseSwitch) {
    EXPECT_FALSE(ReadMaintenanceMode(services)) << "off when absent";
    for (const auto& [value, on] : std::vector<std::pair<const char*, bool>>{
             {"1", true}, {"true", true}, {"-1", true}, {"False", false}, {"yes", false}}) {
        test::WriteFile(dir / "suite.ini", std::string("[INHOUSE]\r\nEnabled=") + value + "\r\n");
        EXPECT_EQ(ReadMaintenanceMode(services), on) << value;
    }
}

TEST_F(RegTypesEditorTest, EveryTableBelongsToOneDialogTab) {
    for (int table = 1; table <= kRegTypeTableCount; ++table) {
        const RegTypesForm& form = FormOf(DialogOfTable(table));
        EXPECT_EQ(form.tabs[static_cast<std::size_t>(TabOfTable(table))].table, table);
    }
}

} // namespace
} // namespace k2k
