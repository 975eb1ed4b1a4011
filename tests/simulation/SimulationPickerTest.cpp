#include "simulation/SimulationPicker.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace k2k {
namespace {

// The three tables as the start-up would leave them, in table order.
class SimulationPickerTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const SimulatorModel& model : {
                 SimulatorModel{-12, "  ANALOG12 ", 2, "A,B", "analog.so"},
                 SimulatorModel{0, "NOTHING", 0, "", "analog.so"},
                 SimulatorModel{5, "counter", 1, "Q", "digital.so"},
                 SimulatorModel{-3, "Bridge", 4, "", "analog.so"},
             })
            m_tables.models.Append(model);
        for (const ElementProfile& element : {
                 ElementProfile{"R", "Resistor", "RES", "STD"},
                 ElementProfile{"a", "Lower-case code model", "XSPICE", "gain"},
                 ElementProfile{"Q", "Bipolar transistor", "NPN", " 2N2222 "},
                 ElementProfile{"A", "Code model", "XSPICE", "limit"},
             })
            m_tables.elements.Append(element);
        for (const SubcircuitRef& subcircuit : {
                 SubcircuitRef{"X", "NE555", "library", "Timer", ""},
                 SubcircuitRef{"X", "INV", "library", "inverter", "LOGIC"},
                 SubcircuitRef{"X", "LM741", "library", "Op amp", "OPAMP"},
                 SubcircuitRef{"X", "NAND", "library", "Nand gate", "logic"}, // as an index has it
             })
            m_tables.subcircuits.Append(subcircuit);
        m_tables.spiceReferencesReady = true;
        m_picker.SetUp({"ALL", "LOGIC", "OPAMP"});
    }

    std::vector<std::string> Column(SimulationTab tab, int column) const {
        std::vector<std::string> texts;
        for (int row = 0; row < m_picker.RowCount(tab); ++row)
            texts.push_back(m_picker.Text(tab, row, column));
        return texts;
    }
    using Texts = std::vector<std::string>;

    SimulationTables m_tables;
    SimulationPicker m_picker{m_tables};
};

constexpr auto kFunction = SimulationTab::Function;
constexpr auto kElement = SimulationTab::ElementCode;
constexpr auto kSubcircuit = SimulationTab::Subcircuit;

TEST(SimulationFunctionTextTest, SignThenTheSizeRightAlignedInSevenPlaces) {
    EXPECT_EQ(SimulationFunctionText(-12), "-     12");
    EXPECT_EQ(SimulationFunctionText(5), "+      5");
    EXPECT_EQ(SimulationFunctionText(1234567), "+1234567");
    EXPECT_EQ(SimulationFunctionText(-123456789), "-123456789") << "a longer size is kept whole";
    EXPECT_EQ(SimulationFunctionText(std::numeric_limits<std::int32_t>::min()), "-2147483648");
}

// Every list is filled in table order with trimmed texts; a function numbered 0 is never
// listed, and the rows carry their columns.
TEST_F(SimulationPickerTest, TheStartUpFillsEveryListWithAllFiltersTicked) {
    const SimulationFilters& filters = m_picker.Filters();
    EXPECT_TRUE(filters.analog && filters.digital && filters.standardCkt && filters.codeModel);
    EXPECT_EQ(filters.family, "ALL") << "the first family is chosen";

    EXPECT_EQ(Column(kFunction, 0), (Texts{"-     12", "+      5", "-      3"}));
    EXPECT_EQ(Column(kFunction, 1), (Texts{"ANALOG12", "counter", "Bridge"}));
    EXPECT_EQ(Column(kFunction, 2), (Texts{"analog.so", "digital.so", "analog.so"}));
    EXPECT_EQ(Column(kElement, 0), (Texts{"R", "a", "Q", "A"}));
    EXPECT_EQ(Column(kElement, 2), (Texts{"STD", "gain", "2N2222", "limit"}));
    EXPECT_EQ(Column(kSubcircuit, 0), (Texts{"", "LOGIC", "OPAMP", "logic"}));
    EXPECT_EQ(Column(kSubcircuit, 1), (Texts{"NE555", "INV", "LM741", "NAND"}));
    EXPECT_EQ(m_picker.Text(kSubcircuit, 4, 1), "") << "past the last row";
    EXPECT_EQ(m_picker.Text(kSubcircuit, 0, 9), "") << "past the last column";

    // the tool tip shows the row's description
    EXPECT_EQ(m_picker.ToolTip(kElement, 1), "Lower-case code model");
    EXPECT_EQ(m_picker.ToolTip(kSubcircuit, 1), "inverter");
    EXPECT_EQ(m_picker.ToolTip(kSubcircuit, -1), "") << "over no row";
}

TEST_F(SimulationPickerTest, FiltersChooseTheRowsOfTheirOwnList) {
    m_picker.SetAnalog(false);
    EXPECT_EQ(Column(kFunction, 0), (Texts{"+      5"}));
    m_picker.SetDigital(false);
    EXPECT_EQ(m_picker.RowCount(kFunction), 0) << "both cleared: nothing";
    m_picker.SetAnalog(true);
    EXPECT_EQ(Column(kFunction, 1), (Texts{"ANALOG12", "Bridge"}));
    EXPECT_EQ(m_picker.RowCount(kElement), 4) << "another tab's filter leaves this list";

    m_picker.SetStandardCkt(false);
    EXPECT_EQ(Column(kElement, 0), (Texts{"a", "A"})) << "a lower-case a is a code model too";
    m_picker.SetStandardCkt(true);
    m_picker.SetCodeModel(false);
    EXPECT_EQ(Column(kElement, 0), (Texts{"R", "Q"}));

    m_picker.SetFamily("LOGIC");
    EXPECT_EQ(Column(kSubcircuit, 1), (Texts{"INV", "NAND"})) << "families match in upper case";
    m_picker.SetFamily("OPAMP");
    EXPECT_EQ(Column(kSubcircuit, 1), (Texts{"LM741"}));
    m_picker.SetFamily("ALL");
    EXPECT_EQ(m_picker.RowCount(kSubcircuit), 4) << "the top folder's subcircuits as well";

    // a new start-up ticks every box again and chooses the first family
    m_picker.SetUp({"ALL"});
    EXPECT_EQ(m_picker.RowCount(kFunction) + m_picker.RowCount(kElement), 7);
    EXPECT_EQ(m_picker.Families(), (Texts{"ALL"}));
}

// A column click sorts by its text without regard to case, each click reversing the
// direction; the selected row follows the sort, and a refill keeps the sort but not the
// selection.
TEST_F(SimulationPickerTest, ColumnClicksSortAndReverse) {
    m_picker.Select(kFunction, 1); // "counter"
    m_picker.SortBy(kFunction, 1);
    EXPECT_EQ(Column(kFunction, 1), (Texts{"ANALOG12", "Bridge", "counter"}));
    EXPECT_TRUE(m_picker.SortAscending(kFunction));
    EXPECT_EQ(m_picker.SelectedRow(kFunction), 2);
    m_picker.SortBy(kFunction, 1);
    EXPECT_EQ(Column(kFunction, 1), (Texts{"counter", "Bridge", "ANALOG12"}));
    EXPECT_EQ(m_picker.SelectedRow(kFunction), 0);
    m_picker.SortBy(kFunction, 0);
    EXPECT_EQ(Column(kFunction, 0), (Texts{"+      5", "-      3", "-     12"}))
        << "the direction turns on every click, whichever column";

    m_picker.SetDigital(false);
    EXPECT_EQ(Column(kFunction, 0), (Texts{"-      3", "-     12"}));
    EXPECT_EQ(m_picker.SelectedRow(kFunction), std::nullopt);

    m_picker.SortBy(kElement, 7); // no such column
    EXPECT_EQ(m_picker.SortColumn(kElement), -1);
    EXPECT_EQ(Column(kElement, 0), (Texts{"R", "a", "Q", "A"}));
}

// OK takes the selected rows; what has none stays as it was, empty and 0 at first. A new
// start-up may leave fewer entries than a list still names: those rows read empty.
TEST_F(SimulationPickerTest, OkTakesTheSelectedRowsAndKeepsTheRest) {
    EXPECT_FALSE(m_picker.Accept(kElement)) << "nothing selected: nothing picked";
    EXPECT_EQ(m_picker.Picked().elementCode, "");
    EXPECT_EQ(m_picker.Picked().simFunction, 0);

    m_picker.Select(kFunction, 0);
    EXPECT_TRUE(m_picker.Accept(kFunction));
    EXPECT_EQ(m_picker.Picked().simFunction, -12);
    EXPECT_EQ(m_picker.Picked().elementCode, "") << "a function pick leaves the element";

    m_picker.Select(kElement, 2);
    m_picker.SortBy(kFunction, 1);
    m_picker.SortBy(kFunction, 1); // "-12" moves to the last row, still selected
    m_picker.Select(kFunction, 1); // "Bridge", selected in an earlier use
    m_picker.Accept(kElement);
    EXPECT_EQ(m_picker.Picked().elementCode, "Q");
    EXPECT_EQ(m_picker.Picked().modelCode, "NPN");
    EXPECT_EQ(m_picker.Picked().modelVariant, "2N2222") << "trimmed";
    EXPECT_EQ(m_picker.Picked().simFunction, -3) << "list 0's selection counts on every tab";

    m_picker.Select(kSubcircuit, 2);
    m_picker.Accept(kSubcircuit);
    EXPECT_EQ(m_picker.Picked().elementCode, "X");
    EXPECT_EQ(m_picker.Picked().modelCode + m_picker.Picked().modelVariant, "LM741library");

    m_picker.Select(kSubcircuit, std::nullopt);
    m_picker.Select(kFunction, 99); // outside: no selection
    EXPECT_FALSE(m_picker.Accept(kSubcircuit));
    EXPECT_EQ(m_picker.Picked().modelCode, "LM741") << "no selected row keeps the pick";
    EXPECT_EQ(m_picker.Picked().simFunction, -3);

    m_picker.Select(kElement, 3);
    m_tables.elements = {};
    EXPECT_EQ(m_picker.Text(kElement, 3, 0), "");
    m_picker.Accept(kElement);
    EXPECT_EQ(m_picker.Picked().elementCode, "") << "the shrunk table's row reads empty";
}

TEST(SubcircuitFamiliesTest, AllThenTheSubfoldersInUpperCaseOnlyWhenReady) {
    test::TempDir dir;
    std::filesystem::create_directories(dir / "KDS_SBK" / "logic");
    std::filesystem::create_directories(dir / "KDS_SBK" / "Opamp");
    test::WriteFile(dir / "KDS_SBK" / "NE555.SBC", "");
    SimulationTables tables;
    const std::string folder = dir.SuitePath() + "\\KDS_SBK";
    EXPECT_TRUE(SubcircuitFamilies(tables, folder).empty()) << "Spice references not ready";
    tables.spiceReferencesReady = true;
    EXPECT_EQ(SubcircuitFamilies(tables, folder),
              (std::vector<std::string>{"ALL", "LOGIC", "OPAMP"}));
    EXPECT_EQ(SubcircuitFamilies(tables, dir.SuitePath() + "\\NONE"),
              (std::vector<std::string>{"ALL"}));
}

} // namespace
} // namespace k2k
