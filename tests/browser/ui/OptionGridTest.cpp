#include "browser/ui/OptionGrid.h"

#include "browser/BrowserComponent.h"
#include "browser/HistoryBoxes.h"
#include "browser/OptionGridRows.h"
#include "browser/SimulationPicks.h"
#include "platform/Kernel.h"
#include "platform/UserSettings.h"
#include "platform/ui/K2kGrid.h"
#include "regtypes/RegTypeTables.h"
#include "simulation/ui/frmSimulation.h"
#include "support/SmallSuite.h"
#include "support/TestSupport.h"
#include "support/ui/BrowserFixtures.h"
#include "support/ui/WidgetDriver.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <utility>

namespace k2k {
namespace {

constexpr std::array<LibraryKind, 4> kKinds{LibraryKind::Part, LibraryKind::Symbol,
                                            LibraryKind::Package, LibraryKind::Padstack};

// The four grids of a window over the small suite, set up as the window's start does.
class OptionGridTest : public test::SmallSuiteBrowserTest {
protected:
    void PrepareSuite() override {
        test::WriteFile(m_dir / "SYS" / "TEXTS.LNG", "11194=Optionen\r\n4818=Name \xE4\r\n");
    }
    void SetUp() override {
        SmallSuiteBrowserTest::SetUp();
        m_browser.Services().SetLanguagePath(m_dir.SuitePath() + "\\SYS");
        for (LibraryKind kind : kKinds) {
            auto& grid = m_grids[static_cast<std::size_t>(kind)];
            grid = std::make_unique<K2kGrid>();
            grid->resize(420, 420);
            m_options[static_cast<std::size_t>(kind)] =
                std::make_unique<OptionGrid>(*grid, kind, m_browser, m_completer);
        }
        for (auto& option : m_options)
            option->SetUp();
        for (auto& option : m_options) {
            option->FillLibraryList();
            option->AttachHistoryBoxes();
        }
        ASSERT_TRUE(KeepHistory(Grids(), m_settings, true));
    }

    std::vector<OptionGrid*> Grids() {
        std::vector<OptionGrid*> grids;
        for (auto& option : m_options)
            grids.push_back(option.get());
        return grids;
    }

    K2kGrid& Grid(LibraryKind kind) { return *m_grids[static_cast<std::size_t>(kind)]; }
    OptionGrid& Options(LibraryKind kind) { return *m_options[static_cast<std::size_t>(kind)]; }

    // Shows the grid in an active window so that keys reach the box's text.
    QLineEdit* ShowAndFocusBox(LibraryKind kind, int box) {
        K2kGrid& grid = Grid(kind);
        grid.show();
        grid.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&grid));
        QLineEdit* edit = grid.HistoryBox(box)->lineEdit();
        edit->setFocus();
        return edit;
    }

    test::TempDir m_settingsDir;
    UserSettings m_settings{m_settingsDir.Path()};
    HistoryCompleter m_completer;
    std::array<std::unique_ptr<K2kGrid>, 4> m_grids;
    std::array<std::unique_ptr<OptionGrid>, 4> m_options;
};

using Editor = K2kGrid::CellEditor;

// Each kind's grid has its rows with their captions in the suite's language, and in column 1 the
// cell kinds of its criteria; a fresh grid reads back as the values a fresh search takes.
TEST_F(OptionGridTest, EveryKindIsBuiltWithItsRowsCaptionsAndCells) {
    const std::array<int, 4> rows{17, 9, 6, 5};
    const std::array<int, 4> boxes{7, 2, 3, 1};
    for (LibraryKind kind : kKinds) {
        SCOPED_TRACE(static_cast<int>(kind));
        const auto k = static_cast<std::size_t>(kind);
        K2kGrid& grid = Grid(kind);
        EXPECT_EQ(grid.Rows(), rows[k]);
        EXPECT_EQ(grid.numberofcombobox(), boxes[k]);
        EXPECT_EQ(grid.CellText(0, 0), "Optionen") << "from the suite's texts";
        EXPECT_EQ(grid.CellText(1, 0), QString::fromUtf8("Name \xC3\xA4")) << "Windows-1252";
        for (const OptionGridRow& row : OptionGridRows(kind)) {
            SCOPED_TRACE(row.row);
            if (row.row > 1) {
                EXPECT_EQ(grid.CellText(row.row, 0), row.caption);
            }
            int number = 0;
            const Editor editor = grid.EditorAt(1, row.row, &number);
            switch (row.cell) {
            case GridCell::HistoryBox:
                EXPECT_EQ(editor, Editor::HistoryBox);
                EXPECT_EQ(number, row.historyBox);
                break;
            case GridCell::LibraryList:
                EXPECT_EQ(editor, Editor::DropDown);
                EXPECT_EQ(number, 1);
                break;
            case GridCell::PickButton:
                EXPECT_EQ(editor, Editor::Button);
                EXPECT_EQ(grid.CellButtonEnabled(1, row.row),
                          SimulationPickAt(kind, row.row).has_value())
                    << "only the simulation picks have their dialog yet";
                break;
            }
        }
        const auto values = Options(kind).Values();
        ASSERT_TRUE(values);
        EXPECT_EQ(*values, FreshGridValues(kind));
    }

    // The library lists: the two fixed entries, then the kind's libraries in order.
    K2kGrid& part = Grid(LibraryKind::Part);
    ASSERT_EQ(part.DropDownListCount(1), 6);
    EXPECT_EQ(part.DropDownList(1, 1), "[PROJECT LIBRARY]");
    EXPECT_EQ(part.DropDownList(1, 2), "A.PART");
    EXPECT_EQ(part.DropDownList(1, 5), "B.PART");
    EXPECT_EQ(Grid(LibraryKind::Padstack).DropDownList(1, 2), "T.PADSTACK");
}

// The values come back by row, row 1 first, whatever kind of cell holds them; the library
// is picked from its list with the keyboard. New Search resets the values only.
TEST_F(OptionGridTest, ValuesReadBackByRowAndNewSearchResetsThem) {
    K2kGrid& grid = Grid(LibraryKind::Package);
    QLineEdit* name = ShowAndFocusBox(LibraryKind::Package, 1);
    QTest::keyClicks(QApplication::focusWidget(), "DIP*");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(grid.EditorAt(1, 2), Editor::DropDown);
    QComboBox* libraries = qobject_cast<QComboBox*>(QApplication::focusWidget());
    ASSERT_NE(libraries, nullptr) << "Tab goes to the library list";
    QTest::keyClick(libraries, Qt::Key_F4);
    ASSERT_TRUE(libraries->view()->isVisible()) << "F4 opens the list";
    QTest::keyClick(libraries->view(), Qt::Key_Down);
    QTest::keyClick(libraries->view(), Qt::Key_Down);
    QTest::keyClick(libraries->view(), Qt::Key_Return);
    EXPECT_EQ(grid.DropDownListIndex(1), 2);
    grid.SetCellText(4, 1, "SMD");   // as a pick writes it
    grid.SetComboText(3, " JEDEC "); // the JEDEC name, blanks kept for the search
    const auto values = Options(LibraryKind::Package).Values();
    ASSERT_TRUE(values);
    EXPECT_EQ(*values, (std::vector<std::string>{"DIP*", "P.PACKAGE", "", "SMD", " JEDEC "}));
    EXPECT_EQ(name->text(), "DIP*");

    grid.SetCellText(3, 1, QString::fromUtf8("\xD0\xAE")); // a letter Windows-1252 lacks
    EXPECT_FALSE(Options(LibraryKind::Package).Values());

    // New Search gives the grid of a fresh start and keeps its lists and cells.
    grid.ComboAddItem(1, "DIP8");
    Options(LibraryKind::Package).Reset();
    EXPECT_EQ(*Options(LibraryKind::Package).Values(), FreshGridValues(LibraryKind::Package));
    EXPECT_EQ(grid.ComboListCount(1), 1);
    EXPECT_EQ(grid.DropDownListIndex(1), 0);
    EXPECT_EQ(grid.EditorAt(1, 1), Editor::HistoryBox) << "the boxes stay in their rows";
    EXPECT_EQ(grid.EditorAt(1, 4), Editor::Button);
}

// Typing the first two letters of a three-letter entry shows the whole entry with its last
// letter selected; Backspace removes the selection without completing again, and the next
// letter completes again.
TEST_F(OptionGridTest, TypingIntoAHistoryBoxCompletesFromItsList) {
    K2kGrid& grid = Grid(LibraryKind::Part);
    grid.ComboAddItem(1, "XYZ");
    grid.ComboAddItem(1, "ABD");
    grid.ComboAddItem(1, "ABC");
    QLineEdit* edit = ShowAndFocusBox(LibraryKind::Part, 1);
    QWidget* keys = QApplication::focusWidget();

    QTest::keyClicks(keys, "AB");
    EXPECT_EQ(edit->text(), "ABD") << "the first entry that begins so";
    EXPECT_EQ(edit->selectedText(), "D");
    QTest::keyClick(keys, Qt::Key_Backspace);
    EXPECT_EQ(edit->text(), "AB");
    EXPECT_FALSE(edit->hasSelectedText());
    QTest::keyClicks(keys, "C");
    EXPECT_EQ(edit->text(), "ABC");
    EXPECT_FALSE(edit->hasSelectedText()) << "a whole entry leaves nothing to select";
    EXPECT_EQ(Options(LibraryKind::Part).Values()->front(), "ABC");
}

// Find Now remembers the boxes' new values; the lists are saved when the window unloads
// and come back, in order and with empty boxes, in the next run.
TEST_F(OptionGridTest, RememberedValuesAreKeptAcrossRuns) {
    OptionGrid& part = Options(LibraryKind::Part);
    K2kGrid& grid = Grid(LibraryKind::Part);
    grid.SetComboText(1, " 74LS00 ");
    grid.SetComboText(6, "R*");
    part.RememberValues();
    part.RememberValues();
    grid.SetComboText(1, "LM741");
    part.RememberValues();
    EXPECT_EQ(grid.ComboListCount(1), 2);
    EXPECT_EQ(grid.ComboList(1, 0), "74LS00") << "trimmed";
    grid.SetComboText(1, "74LS00");
    part.RememberValues();
    EXPECT_EQ(grid.ComboList(1, 0), "LM741") << "a value used again becomes the newest";
    EXPECT_EQ(grid.ComboList(1, 1), "74LS00");
    EXPECT_EQ(grid.ComboText(1), "74LS00") << "the box keeps its text";
    Grid(LibraryKind::Padstack).SetComboText(1, "PAD60R");
    Options(LibraryKind::Padstack).RememberValues();

    ASSERT_TRUE(KeepHistory(Grids(), m_settings, false));
    EXPECT_EQ(grid.ComboText(1), "") << "loading empties the boxes";

    K2kGrid nextRun;
    HistoryCompleter completer;
    OptionGrid nextPart(nextRun, LibraryKind::Part, m_browser, completer);
    nextPart.SetUp();
    nextPart.AttachHistoryBoxes();
    const UserSettings settings(m_settingsDir.Path());
    nextPart.LoadHistory(settings);
    ASSERT_EQ(nextRun.ComboListCount(1), 2);
    EXPECT_EQ(nextRun.ComboList(1, 1), "74LS00");
    EXPECT_EQ(nextRun.ComboList(6, 0), "R*");
    EXPECT_EQ(nextRun.ComboText(1), "");
    EXPECT_EQ(settings.GetUserSetting("Kalde2000", "K2KBRWSR",
                                      HistoryKey(LibraryKind::Padstack, 1, 0), ""),
              "PAD60R");
}

// A registered-type pick button asks the window's picker for its table under its title; the
// path answered lands in the cell trimmed, and an empty answer leaves the cell as it was.
TEST_F(OptionGridTest, RegisteredTypePicksWriteWhatThePickerAnswers) {
    std::vector<std::pair<int, std::string>> asked;
    std::string answer = " Digital,Gates ";
    Options(LibraryKind::Part).SetRegTypePicker([&](int table, const std::string& title) {
        asked.emplace_back(table, title);
        return answer;
    });
    K2kGrid& grid = Grid(LibraryKind::Part);
    test::ClickCellButton(grid, 9, 1);
    EXPECT_EQ(grid.CellText(9, 1), "Digital,Gates");

    grid.SetCellText(7, 1, "typed");
    answer.clear();
    test::ClickCellButton(grid, 7, 1);
    EXPECT_EQ(grid.CellText(7, 1), "typed") << "an empty answer writes nothing";
    EXPECT_EQ(asked, (std::vector<std::pair<int, std::string>>{
                         {kPartTypeTable, "Select Part Type"},
                         {kManufacturerTable, "Select Manufacturer Type"}}));
}

// A simulation pick button opens the one simulation dialog of its grid's window, captioned
// for the row and on the row's tab; what OK took goes into the row's group, and a pick
// cancelled writes nothing.
TEST_F(OptionGridTest, SimulationPicksWriteTheDialogsPickIntoTheirRows) {
    SimulationTables& tables = m_browser.State().simulation;
    tables.models.Append({-12, "Comparator", 2, "A,B", "analog.so"});
    tables.elements.Append({"Q", "Bipolar transistor", "NPN", "2N2222"});
    tables.subcircuits.Append({"X", "NAND", "library", "Nand gate", ""});
    tables.spiceReferencesReady = true;
    m_browser.State().simulationPicker.SetUp({"ALL"});
    K2kGrid& grid = Grid(LibraryKind::Part);
    const auto pick = [&grid](int row, std::function<void(frmSimulation&)> act) {
        test::WhenModal<frmSimulation>(std::move(act));
        test::ClickCellButton(grid, row, 1);
    };
    const auto take = [](frmSimulation& dialog, SimulationTab tab) {
        EXPECT_EQ(dialog.findChild<QTabWidget*>()->currentIndex(), static_cast<int>(tab));
        test::ClickRow(*dialog.List(tab), 0);
        test::Click(dialog, "cmdOK");
    };

    grid.SetCellText(13, 1, "D");
    pick(13, [](frmSimulation& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Select KDSpice Element code");
        dialog.reject();
    });
    EXPECT_EQ(grid.CellText(13, 1), "D");
    EXPECT_EQ(grid.CellText(14, 1), "");

    pick(13, [&take](frmSimulation& dialog) { take(dialog, SimulationTab::ElementCode); });
    EXPECT_EQ(grid.CellText(13, 1), "Q");
    EXPECT_EQ(grid.CellText(14, 1), "NPN");
    EXPECT_EQ(grid.CellText(15, 1), "2N2222");

    pick(14, [&take](frmSimulation& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Select KDSpice SubCircuit");
        take(dialog, SimulationTab::Subcircuit);
    });
    EXPECT_EQ(grid.CellText(13, 1), "X");
    EXPECT_EQ(grid.CellText(14, 1), "NAND");
    EXPECT_EQ(grid.CellText(15, 1), "2N2222") << "a subcircuit leaves the variant";

    pick(11, [&take](frmSimulation& dialog) { take(dialog, SimulationTab::Function); });
    EXPECT_EQ(grid.CellText(11, 1), "-12");
    EXPECT_EQ(grid.findChildren<frmSimulation*>().size(), 1) << "made once, and kept";
}

} // namespace
} // namespace k2k
