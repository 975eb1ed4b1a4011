#include "browser/ResultCommands.h"
#include "browser/DropRecords.h"
#include "browser/ResultColumns.h"
#include "browser/SaveList.h"

#include "platform/Kernel.h"
#include "platform/SuiteServices.h"
#include "search/InfoText.h"
#include "search/ResultList.h"
#include "services/AppMessages.h"
#include "support/SmallSuite.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <utility>

namespace k2k {
namespace {

using test::PartInfo;
using test::ReadFile;
using test::WriteFile;

// The tools that may be chosen, by name.
std::map<std::string, bool> States(const std::vector<ToolState>& states) {
    std::map<std::string, bool> byName;
    for (const ToolState& state : states)
        byName[std::string(state.name)] = state.enabled;
    return byName;
}

class ResultCommandsTest : public ::testing::Test {
protected:
    ResultCommandsTest() {
        m_parts.Append("A.PART", "74LS00", PartInfo("DIP14", "Quad NAND", "7400,PWR2"), 0, 0);
        m_parts.Append("A.PART", "LM741", PartInfo("DIP8", "Op amp", "OPAMP"), 0, 0);
        m_parts.Append("", "SPARE", PartInfo("none", "Spare", "None"), kInProject, 1);
        m_parts.Append("B.PART", "74HCT00", PartInfo("DIP14", "Quad NAND", ""), 0, 1);
        m_parts.Append("Project Library", "  74LS02 ", PartInfo("DIP14", "Quad NOR", "7402"),
                       kInProject | kUsedInProject, 2);
        m_options.Table(LibraryKind::Part) = {
            {}, {-1, "Library"}, {0, "Description"}, {0, "Symbols"}, {1, "Package"}};
    }

    std::map<std::string, bool> PartStates(int selected, int focused) {
        return States(PopupToolStates(LibraryKind::Part, m_parts, {selected, focused}, m_kernel));
    }

    SaveListOutcome Save(const std::filesystem::path& chosen) {
        const auto dialog = [&](const SaveListDialog& shown) {
            m_dialogs.push_back(shown);
            return chosen;
        };
        return SaveList(m_parts, ResultColumns(m_options, LibraryKind::Part), dialog, m_services,
                        m_boxes);
    }

    test::TempDir m_dir;
    Kernel m_kernel;
    test::RecordingMessageBoxes m_boxes;
    SuiteServices m_services{m_dir / "suite.ini", m_boxes};
    ResultList m_parts{LibraryKind::Part};
    DisplayOptions m_options;
    std::vector<SaveListDialog> m_dialogs;
};

TEST_F(ResultCommandsTest, OneRowToolsNeedOneSelectedRowThatNamesSomething) {
    const auto several = PartStates(2, 1);
    const auto one = PartStates(1, 1);
    for (const char* tool : {"ATB_PartViewSymbol", "ATB_EditPart", "ATB_PartFindAlias"}) {
        EXPECT_FALSE(several.at(tool)) << tool;
        EXPECT_TRUE(one.at(tool)) << tool;
    }
    for (const char* tool : {"ATB_SendTo", "ATB_PartDelete", "ATB_PartSaveList"})
        EXPECT_TRUE(several.at(tool)) << tool << " acts on any selection";
    EXPECT_FALSE(one.at("ATB_PartProperties")) << "properties can never be chosen";

    ResultList symbols(LibraryKind::Symbol);
    symbols.Append("LOGIC.SYMBOL", "7400", "", 0, 0);
    const auto symbolStates =
        States(PopupToolStates(LibraryKind::Symbol, symbols, {3, 1}, m_kernel));
    EXPECT_FALSE(symbolStates.at("ATB_SymUsedbyPart"));
    EXPECT_TRUE(symbolStates.at("ATB_AllLib")) << "the sub-menu's tools are listed too";
    EXPECT_EQ(symbolStates.count("ATB_NamedLib"), 0u) << "offered by its caption alone";

    // View tools are off when the focused row names nothing.
    EXPECT_FALSE(PartStates(1, 3).at("ATB_PartViewPackage")) << "SPARE's package is none";
    const auto noSymbols = PartStates(1, 4); // 74HCT00: no symbols but a package
    EXPECT_FALSE(noSymbols.at("ATB_PartViewSymbol"));
    EXPECT_TRUE(noSymbols.at("ATB_PartViewPackage"));
    EXPECT_FALSE(PartStates(0, 0).at("ATB_PartViewSymbol")) << "no focused row: nothing to view";

    ResultList pads(LibraryKind::Padstack);
    pads.Append("X", "none", "", 0, 0);
    pads.Append("X", "PAD60R", "", 0, 0);
    const auto none = States(PopupToolStates(LibraryKind::Padstack, pads, {1, 1}, m_kernel));
    const auto named = States(PopupToolStates(LibraryKind::Padstack, pads, {1, 2}, m_kernel));
    for (const char* tool : {"ATB_PadViewPadstack", "ATB_EditPad"}) {
        EXPECT_FALSE(none.at(tool)) << tool << " on a row named none";
        EXPECT_TRUE(named.at(tool)) << tool;
    }
}

// A datasheet link is opened where it names a place; the tool is off where it names none.
TEST_F(ResultCommandsTest, OpenDatasheetTakesLinksThatNameAPlace) {
    EXPECT_EQ(DatasheetLink(" http://www.ti.com/lm741.pdf "), "http://www.ti.com/lm741.pdf");
    EXPECT_EQ(DatasheetLink("www.st.com/l272.pdf"), "https://www.st.com/l272.pdf");
    EXPECT_EQ(DatasheetLink("/usr/share/doc/x.pdf"), "file:///usr/share/doc/x.pdf");
    for (const char* none :
         {"", "~", " ~ ", "74xx/74F181.pdf", "74xx\\74LS393.pdf", "://x", "a b://x"})
        EXPECT_EQ(DatasheetLink(none), std::nullopt) << none;

    ResultList parts(LibraryKind::Part);
    const std::array<std::string_view, kPartInfoFields> fields = {"Op amp"};
    parts.Append("A.PART", "LM741", ComposePartInfo("DIP8", fields, {"opamp", "www.ti.com/a"}), 0,
                 0);
    parts.Append("A.PART", "LM358", ComposePartInfo("DIP8", fields, {"opamp", "~"}), 0, 0);
    const auto states = [&](int selected, int focused) {
        return States(PopupToolStates(LibraryKind::Part, parts, {selected, focused}, m_kernel))
            .at("ATB_PartDatasheet");
    };
    EXPECT_TRUE(states(1, 1));
    EXPECT_FALSE(states(2, 1)) << "one row at a time";
    EXPECT_FALSE(states(1, 2)) << "\"~\" is no datasheet";
    EXPECT_FALSE(states(0, 0));

    ResultList symbols(LibraryKind::Symbol);
    symbols.Append("S", "OPAMP", ComposeInfo({"Op amp", "", "", ""}, {"", "https://x/y.pdf"}), 0,
                   0);
    EXPECT_EQ(DatasheetLink(symbols, 1), "https://x/y.pdf");
    EXPECT_TRUE(States(PopupToolStates(LibraryKind::Symbol, symbols, {1, 1}, m_kernel))
                    .at("ATB_SymDatasheet"));
}

TEST_F(ResultCommandsTest, SendToolsFollowTheEditorsKernelValues) {
    const auto sendStates = [&] {
        const auto states = PartStates(1, 1);
        return std::pair(states.at("ATB_PartSendToSch"), states.at("ATB_PartSendToLay"));
    };
    EXPECT_EQ(sendStates(), std::pair(false, false)) << "no values: no editor runs";
    m_kernel.E_SetString("MW_K2KSCHED", "");
    m_kernel.E_SetString("MW_K2KLAYED", "0");
    EXPECT_EQ(sendStates(), std::pair(false, false)) << "empty and 0 say the editor is not there";
    m_kernel.E_SetString("mw_K2KSCHED", "4711");
    EXPECT_EQ(sendStates(), std::pair(false, false)) << "the value is looked up in upper case";
    m_kernel.E_SetString("MW_K2KSCHED", "4711");
    m_kernel.E_SetString("MW_K2KLAYED", "0,5");
    EXPECT_EQ(sendStates(), std::pair(true, true)) << "0,5 reads as a half, not zero";
    EXPECT_TRUE(States(PopupToolStates(LibraryKind::Part, m_parts, {5, 1}, m_kernel))
                    .at("ATB_PartSendToSch"))
        << "sending takes any number of rows";
}

TEST_F(ResultCommandsTest, SymbolGroupsNamedLibraryAndAliasOfTheFocusedRow) {
    EXPECT_EQ(SymbolGroupNames(m_parts, {1, 1}), (std::vector<std::string>{"7400", "PWR2"}));
    EXPECT_TRUE(SymbolGroupNames(m_parts, {1, 2}).empty()) << "one symbol: no sub-menu";
    EXPECT_TRUE(SymbolGroupNames(m_parts, {2, 1}).empty()) << "two rows: no sub-menu";
    EXPECT_EQ(FirstName(" 7400 , PWR2"), "7400");
    EXPECT_EQ(NamedLibraryCaption("A.PART"), "A.PART");
    EXPECT_EQ(NamedLibraryCaption("[all libraries]"), std::nullopt);

    const auto alias = AliasSelectionOf(m_parts, 5);
    ASSERT_TRUE(alias);
    EXPECT_EQ(alias->name, "74LS02") << "the row's text, trimmed";
    EXPECT_EQ(alias->symbols, "7402");
    EXPECT_EQ(AliasSelectionOf(m_parts, 0), std::nullopt);
}

TEST_F(ResultCommandsTest, SelectionTextsAndTheUnlocalisedPadstackCount) {
    EXPECT_EQ(SelectedCountText(m_services, LibraryKind::Part, 3, true), "3 Part(s) Selected");
    EXPECT_EQ(ObjectsSelectedText(m_services, 12), "12 Objects(s) Selected");

    WriteFile(m_dir / "LANG" / "TEXTS.LNG",
              "5027=Padstack(s) gewaehlt\r\n5024=Gehaeuse gewaehlt\r\n");
    m_services.SetLanguagePath(m_dir.SuitePath() + "\\LANG");
    EXPECT_EQ(SelectedCountText(m_services, LibraryKind::Package, 2, true), "2 Gehaeuse gewaehlt");
    EXPECT_EQ(SelectedCountText(m_services, LibraryKind::Padstack, 2, true),
              "2 Padstack(s) Selected")
        << "a mouse release on the padstack list writes the fixed text";
}

TEST_F(ResultCommandsTest, CommandTextsForTheHost) {
    std::vector<std::pair<std::string, std::string>> sent;
    AppMessages messages(
        m_kernel, [&](const std::string& a, const std::string& c) { sent.emplace_back(a, c); });
    SendCommand(messages, SendToSchematicCommand());
    EXPECT_TRUE(sent.empty()) << "the schematic editor has no status value: nothing is sent";
    m_kernel.E_SetString("K2KSCHED", "Schematic,0,0,0,0");
    SendCommand(messages, SendToSchematicCommand());
    SendCommand(messages, SendToLayoutCommand());
    SendCommand(messages, EditPadstackCommand());
    SendCommand(messages, *EditNewCommand(LibraryKind::Part));
    const std::vector<std::pair<std::string, std::string>> expected{{"K2KSCHED", "K2KSCHED,SENDTO"},
                                                                    {"K2KLAYED", "K2KLAYED,SENDTO"},
                                                                    {"K2KBRWSR", "PAD"},
                                                                    {"K2KBRWSR", "NEWPART"}};
    EXPECT_EQ(sent, expected);
    EXPECT_EQ(EditNewCommand(LibraryKind::Symbol), std::nullopt);
}

TEST_F(ResultCommandsTest, DropRecordsOfTheSelectionInListOrder) {
    const auto records = CollectDropRecords(m_parts, {5, 1, 3}, "C:\\K2K\\LIB");
    const std::vector<BWR_SEARCHRESULT> expected{{kInProject | kUsedInProject, "  74LS02 ", ""},
                                                 {0, "74LS00", "C:\\K2K\\LIB\\A.PART"},
                                                 {kInProject, "SPARE", "C:\\K2K\\LIB\\"}};
    EXPECT_EQ(records, expected)
        << "only a library named PROJECT LIBRARY (any case) has no path; an unlabelled one is "
           "still a folder path";

    std::vector<BWR_SEARCHRESULT> odd = records;
    odd.push_back({-1, std::string("\x80\0x", 3), std::string(300, '\\')});
    EXPECT_EQ(DecodeDropRecords(EncodeDropRecords(odd)), odd);
    const std::string bytes = EncodeDropRecords(records);
    for (std::size_t cut : {std::size_t{0}, std::size_t{7}, std::size_t{12}, bytes.size() - 1})
        EXPECT_EQ(DecodeDropRecords(bytes.substr(0, cut)), std::nullopt) << "cut at " << cut;
    EXPECT_EQ(DecodeDropRecords(bytes + "x"), std::nullopt) << "bytes left over";
    EXPECT_EQ(DecodeDropRecords(bytes.substr(0, 8) + std::string("\xFF\xFF\xFF\x7F", 4)),
              std::nullopt)
        << "a count beyond the bytes";
}

TEST_F(ResultCommandsTest, DeleteFromListTakesTheSelectedRowsAndKeepsTheViewOrder) {
    m_parts.SortRowsByName(false);
    EXPECT_EQ(DeleteFromList(m_parts, {4, 2, 4}), 2);
    ASSERT_EQ(m_parts.Count(), 3);
    EXPECT_EQ(m_parts.Name(m_parts.Rows().Result(1)), "SPARE");
    EXPECT_EQ(m_parts.Name(m_parts.Rows().Result(3)), "  74LS02 ") << "the view order is kept";
    EXPECT_EQ(DeleteFromList(m_parts, {}), 0);
}

TEST_F(ResultCommandsTest, SaveListWritesTheRowsInViewOrderWithTheShownColumns) {
    m_parts.SortRowsByName(true);
    WriteFile(m_dir / "out.txt", std::string(5000, 'x'));
    EXPECT_EQ(Save(m_dir / "out.txt"), SaveListOutcome::Saved);
    EXPECT_EQ(ReadFile(m_dir / "out.txt"), "1)    74LS02 \tProject Library\tDIP14\r\n"
                                           "2)  74HCT00\tB.PART\tDIP14\r\n"
                                           "3)  74LS00\tA.PART\tDIP14\r\n"
                                           "4)  LM741\tA.PART\tDIP8\r\n"
                                           "5)  SPARE\t\tnone\r\n")
        << "the old, longer content is replaced whole";
    ASSERT_EQ(m_dialogs.size(), 1u);
    EXPECT_EQ(m_dialogs[0].fileName, "Partlst.txt");
    EXPECT_TRUE(m_boxes.shown.empty());

    // An option beyond the kind's columns heads a column that stays empty.
    m_options.Table(LibraryKind::Padstack) = {
        {}, {1, "Library"}, {0, "Type"}, {0, "Shape"}, {1, "Extra"}};
    ResultList pads(LibraryKind::Padstack);
    pads.Append("T.PADSTACK", "PAD60R", "", 0, 0);
    EXPECT_EQ(SavedListText(pads, ResultColumns(m_options, LibraryKind::Padstack)),
              "1)  PAD60R\tT.PADSTACK\t\r\n");
    m_parts.Clear();
    EXPECT_EQ(Save(m_dir / "out.txt"), SaveListOutcome::EmptyList);
    EXPECT_EQ(m_dialogs.size(), 1u) << "an empty list opens no dialog";
}

TEST_F(ResultCommandsTest, SaveListCancelWritesNothingAndAFailedWriteLeavesNoFile) {
    EXPECT_EQ(Save("  "), SaveListOutcome::Cancelled);
    EXPECT_TRUE(std::filesystem::is_empty(m_dir.Path()));

    // A folder stands where the file should go: the rename over it fails.
    std::filesystem::create_directory(m_dir / "Partlst.txt");
    EXPECT_EQ(Save(m_dir / "Partlst.txt"), SaveListOutcome::Failed);
    ASSERT_EQ(m_boxes.shown.size(), 1u);
    const std::string& text = m_boxes.shown[0].text;
    EXPECT_TRUE(text.starts_with("Can't create/write to file: ") &&
                text.find("Partlst.txt") != std::string::npos)
        << text;
    EXPECT_EQ(test::FilesIn(m_dir.Path()).size(), 1u) << "no partial file beside it";
    EXPECT_TRUE(std::filesystem::is_empty(m_dir / "Partlst.txt"));
}

} // namespace
} // namespace k2k
