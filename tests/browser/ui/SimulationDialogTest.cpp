#include "simulation/ui/frmSimulation.h"

#include "browser/BrowserComponent.h"
#include "browser/HistoryBoxes.h"
#include "browser/ui/OptionGrid.h"
#include "platform/Kernel.h"
#include "platform/ui/K2kGrid.h"
#include "support/SmallSuite.h"
#include "support/TestSupport.h"
#include "support/ui/BrowserFixtures.h"
#include "support/ui/WidgetDriver.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QHelpEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
#include <QTreeView>

#include <gtest/gtest.h>

#include <functional>

namespace k2k {
namespace {

using Act = std::function<void(frmSimulation&)>;

using test::Child;
using test::Click;

void ClickRow(QTreeView* list, int row, bool twice = false) {
    test::ClickRow(*list, row);
    if (twice) {
        const QPoint centre = list->visualRect(list->model()->index(row, 0)).center();
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, centre);
    }
}

std::string Cell(QTreeView* list, int row, int column) {
    return list->model()->index(row, column).data().toString().toStdString();
}

// The small suite with hand-made simulation tables, and the part grid of a window over it.
class SimulationDialogTest : public test::PartGridTest {
protected:
    void PrepareSuite() override {
        test::WriteFile(m_dir / "SYS" / "TEXTS.LNG", "5045=Spice-Elemente\r\n");
    }
    void SetUp() override {
        PartGridTest::SetUp();
        m_browser.Services().SetLanguagePath(m_dir.SuitePath() + "\\SYS");

        SimulationTables& tables = m_browser.State().simulation;
        tables.models.Append({-12, "Comparator", 2, "A,B", "analog.so"});
        tables.models.Append({7, "Counter", 1, "Q", "digital.so"});
        tables.models.Append({0, "Never", 0, "", "digital.so"});
        tables.elements.Append({"R", "Resistor", "RES", "STD"});
        tables.elements.Append({"Q", "Bipolar transistor", "NPN", "2N2222"});
        tables.elements.Append({"a", "Code model", "XSPICE", "gain"});
        tables.subcircuits.Append({"X", "NE555", "library", "Timer", ""});
        tables.subcircuits.Append({"X", "NAND", "library", "Nand gate", "LOGIC"});
        tables.spiceReferencesReady = true;
        m_browser.State().simulationPicker.SetUp({"ALL", "LOGIC"});

        m_grid.resize(420, 480);
        m_options.SetUp();
        m_options.FillLibraryList();
    }

    // Clicks the pick button of a grid's row; act works the dialog it opens.
    void Pick(int row, Act act) {
        test::WhenModal<frmSimulation>(std::move(act));
        test::ClickCellButton(m_grid, row, 1);
    }
};

// The element-code pick shows tab 1 alone, its caption in the suite's language; Escape
// cancels, keeps the cells and makes the dialog whole again. Ctrl+F1 asks for help.
TEST_F(SimulationDialogTest, APickShowsItsOwnTabAndEscapeKeepsTheCells) {
    m_grid.SetCellText(13, 1, "D");
    int helpAsked = 0;
    Pick(13, [&helpAsked](frmSimulation& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Select KDSpice Element code");
        auto* tabs = Child<QTabWidget>(dialog, "tabSimulation");
        EXPECT_EQ(tabs->currentIndex(), 1);
        EXPECT_TRUE(!tabs->isTabEnabled(0) && tabs->isTabEnabled(1) && !tabs->isTabEnabled(2));
        EXPECT_EQ(tabs->tabText(1), "Spice-Elemente") << "in the suite's language";
        QTreeView* list = dialog.List(SimulationTab::ElementCode);
        EXPECT_EQ(list->model()->rowCount(), 3);
        dialog.SetHelpHandler([&helpAsked] { ++helpAsked; });
        QTest::keyClick(list, Qt::Key_F1, Qt::ControlModifier);
        ClickRow(list, 1);
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    EXPECT_EQ(helpAsked, 1);
    const auto made = m_grid.findChildren<frmSimulation*>();
    ASSERT_EQ(made.size(), 1);
    EXPECT_FALSE(made[0]->isVisible()) << "closed, and kept";
    EXPECT_FALSE(made[0]->Accepted());
    EXPECT_TRUE(made[0]->findChild<QTabWidget*>()->isTabEnabled(0)) << "every tab again";
    EXPECT_EQ(m_grid.CellText(13, 1), "D");
    EXPECT_EQ(m_grid.CellText(14, 1), "");
}

// From the element-code row all three rows are written, from the subcircuit row the
// element code and the subcircuit; the function pick writes the signed number.
TEST_F(SimulationDialogTest, APickWritesIntoItsRowsOfTheGrid) {
    Pick(13, [](frmSimulation& dialog) {
        ClickRow(dialog.List(SimulationTab::ElementCode), 1);
        Click(dialog, "cmdOK");
    });
    EXPECT_EQ(m_grid.CellText(13, 1), "Q");
    EXPECT_EQ(m_grid.CellText(14, 1), "NPN");
    EXPECT_EQ(m_grid.CellText(15, 1), "2N2222");

    Pick(14, [](frmSimulation& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Select KDSpice SubCircuit");
        QTreeView* list = dialog.List(SimulationTab::Subcircuit);
        EXPECT_EQ(list->model()->rowCount(), 2) << "ALL: the top folder's as well";
        auto* family = Child<QComboBox>(dialog, "cboFamily");
        EXPECT_EQ(family->currentText(), "ALL");
        family->setFocus();
        QTest::keyClick(family, Qt::Key_Down);
        EXPECT_EQ(family->currentText(), "LOGIC");
        ASSERT_EQ(list->model()->rowCount(), 1);
        EXPECT_EQ(Cell(list, 0, 1), "NAND");
        ClickRow(list, 0);
        QTest::keyClick(list, Qt::Key_Return); // Enter accepts
    });
    EXPECT_EQ(m_grid.CellText(13, 1), "X");
    EXPECT_EQ(m_grid.CellText(14, 1), "NAND");
    EXPECT_EQ(m_grid.CellText(15, 1), "2N2222") << "a subcircuit leaves the variant";

    Pick(11, [](frmSimulation& dialog) {
        QTreeView* list = dialog.List(SimulationTab::Function);
        ASSERT_EQ(list->model()->rowCount(), 2) << "function 0 is never listed";
        ClickRow(list, 0, true); // a double click accepts the row
    });
    EXPECT_EQ(m_grid.CellText(11, 1), "-12");
}

// The filter boxes refill their tab's list, a column click sorts and a second one
// reverses, a row's tip is its description, and the selection outlasts a use.
TEST_F(SimulationDialogTest, FiltersSortAndTipsWorkByMouse) {
    QTreeView* list = nullptr;
    Pick(11, [&list](frmSimulation& dialog) {
        list = dialog.List(SimulationTab::Function);
        const auto toggle = [&dialog](const char* name) {
            auto* box = Child<QCheckBox>(dialog, name);
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
        };
        toggle("chkAnalog");
        EXPECT_EQ(list->model()->rowCount(), 1);
        toggle("chkAnalog");
        ASSERT_EQ(list->model()->rowCount(), 2);

        ClickRow(list, 1); // Counter
        QHeaderView* header = list->header();
        const auto clickDescription = [header] {
            const QPoint caption(header->sectionViewportPosition(1) + 4, header->height() / 2);
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, caption);
        };
        clickDescription();
        EXPECT_EQ(Cell(list, 0, 1), "Comparator");
        clickDescription();
        EXPECT_EQ(Cell(list, 0, 1), "Counter");
        EXPECT_EQ(list->selectionModel()->selectedRows().value(0).row(), 0)
            << "the selection follows its row";

        const QPoint overRow = list->visualRect(list->model()->index(1, 2)).center();
        QHelpEvent rest(QEvent::ToolTip, overRow, list->viewport()->mapToGlobal(overRow));
        QApplication::sendEvent(list->viewport(), &rest);
        EXPECT_EQ(QToolTip::text().toStdString(), "Comparator");
        const QPoint belowRows(4, list->viewport()->height() - 2);
        QHelpEvent nowhere(QEvent::ToolTip, belowRows, list->viewport()->mapToGlobal(belowRows));
        QApplication::sendEvent(list->viewport(), &nowhere);
        EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000))
            << "no tip over no row";
        QToolTip::hideText();
        Click(dialog, "cmdCancel");
    });
    EXPECT_EQ(m_grid.CellText(11, 1), "");

    // The next use finds the list as it was left, its selection taken by OK.
    Pick(11, [](frmSimulation& next) {
        QTreeView* again = next.List(SimulationTab::Function);
        EXPECT_EQ(Cell(again, 0, 1), "Counter");
        next.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&next));
        EXPECT_TRUE(again->hasFocus()) << "activation gives the list with a selection the focus";
        Click(next, "cmdOK");
    });
    EXPECT_EQ(m_grid.CellText(11, 1), "7");
}

} // namespace
} // namespace k2k
