#include "simulation/ui/frmSimulation.h"

#include "platform/SuiteServices.h"
#include "simulation/SimulationPicker.h"
#include "simulation/SimulationTables.h"
#include "support/TestSupport.h"
#include "support/ui/AccessibilityWalk.h"
#include "support/ui/WidgetDriver.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QHelpEvent>
#include <QTabWidget>
#include <QTest>
#include <QToolTip>
#include <QTreeView>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace k2k {
namespace {

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

// The dialog over hand-made simulation tables, its texts from a language file of the test's
// folder.
class frmSimulationTest : public test::ServicesTest {
protected:
    void SetUp() override {
        test::WriteFile(dir / "TEXTS.LNG", "5045=Spice-Elemente\r\n");
        services.SetLanguagePath(dir.SuitePath());
        tables.models.Append({-12, "Comparator", 2, "A,B", "analog.so"});
        tables.models.Append({7, "Counter", 1, "Q", "digital.so"});
        tables.models.Append({0, "Never", 0, "", "digital.so"});
        tables.elements.Append({"R", "Resistor", "RES", "STD"});
        tables.elements.Append({"Q", "Bipolar transistor", "NPN", "2N2222"});
        tables.elements.Append({"a", "Code model", "XSPICE", "gain"});
        tables.subcircuits.Append({"X", "NE555", "library", "Timer", ""});
        tables.subcircuits.Append({"X", "NAND", "library", "Nand gate", "LOGIC"});
        tables.spiceReferencesReady = true;
        picker.SetUp({"ALL", "LOGIC"});
        dialog = std::make_unique<frmSimulation>(picker, services, QApplication::font());
    }

    SimulationTables tables;
    SimulationPicker picker{tables};
    std::unique_ptr<frmSimulation> dialog; // made once the texts are there, as in a window
};

// An entry point shows its own tab alone, captioned in the suite's language; Escape cancels,
// hides the dialog, keeps the earlier picks and makes the dialog whole again. Ctrl+F1 asks
// for help.
TEST_F(frmSimulationTest, AnEntryPointShowsItsOwnTabAndEscapeKeepsThePicks) {
    int helpAsked = 0;
    dialog->SetHelpHandler([&helpAsked] { ++helpAsked; });
    test::WhenModal<frmSimulation>([](frmSimulation& shown) {
        auto* tabs = Child<QTabWidget>(shown, "tabSimulation");
        EXPECT_EQ(tabs->currentIndex(), 1);
        EXPECT_TRUE(!tabs->isTabEnabled(0) && tabs->isTabEnabled(1) && !tabs->isTabEnabled(2));
        EXPECT_EQ(tabs->tabText(1), "Spice-Elemente") << "in the suite's language";
        QTreeView* list = shown.List(SimulationTab::ElementCode);
        EXPECT_EQ(list->model()->rowCount(), 3);
        // The hourglass stands while a list is filled anew (here by a filter).
        bool hourglass = false;
        QObject::connect(shown.List(SimulationTab::Subcircuit)->model(),
                         &QAbstractItemModel::modelAboutToBeReset, [&hourglass] {
                             const QCursor* cursor = QApplication::overrideCursor();
                             hourglass = cursor && cursor->shape() == Qt::WaitCursor;
                         });
        Child<QComboBox>(shown, "cboFamily")->setCurrentIndex(1);
        EXPECT_TRUE(hourglass);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "and goes after it";
        QTest::keyClick(list, Qt::Key_F1, Qt::ControlModifier);
        ClickRow(list, 1);
        QTest::keyClick(&shown, Qt::Key_Escape);
    });
    std::string element = "D";
    std::string model = "M";
    std::string variant;
    dialog->GetElementCode(element, model, variant);
    EXPECT_EQ(helpAsked, 1);
    EXPECT_FALSE(dialog->isVisible()) << "closed, and kept";
    EXPECT_FALSE(dialog->Accepted());
    EXPECT_TRUE(Child<QTabWidget>(*dialog, "tabSimulation")->isTabEnabled(0)) << "every tab again";
    EXPECT_EQ(element, "") << "the picks of an earlier use: none yet";
    EXPECT_EQ(model, "");
}

// Each entry point answers the row OK, Enter or a double click took: the element code with
// its model and variant, the subcircuit of the family chosen, the signed function number.
TEST_F(frmSimulationTest, EachEntryPointAnswersTheRowTaken) {
    std::string element;
    std::string model;
    std::string variant;
    test::WhenModal<frmSimulation>([](frmSimulation& shown) {
        ClickRow(shown.List(SimulationTab::ElementCode), 1);
        Click(shown, "cmdOK");
    });
    dialog->GetElementCode(element, model, variant);
    EXPECT_TRUE(dialog->Accepted());
    EXPECT_EQ(element + "|" + model + "|" + variant, "Q|NPN|2N2222");

    test::WhenModal<frmSimulation>([](frmSimulation& shown) {
        QTreeView* list = shown.List(SimulationTab::Subcircuit);
        EXPECT_EQ(list->model()->rowCount(), 2) << "ALL: the top folder's as well";
        auto* family = Child<QComboBox>(shown, "cboFamily");
        EXPECT_EQ(family->currentText(), "ALL");
        family->setFocus();
        QTest::keyClick(family, Qt::Key_Down);
        EXPECT_EQ(family->currentText(), "LOGIC");
        ASSERT_EQ(list->model()->rowCount(), 1);
        EXPECT_EQ(Cell(list, 0, 1), "NAND");
        ClickRow(list, 0);
        QTest::keyClick(list, Qt::Key_Return); // Enter accepts
    });
    dialog->GetSubcircuit(element, model, variant);
    EXPECT_EQ(element + "|" + model + "|" + variant, "X|NAND|library");

    test::WhenModal<frmSimulation>([](frmSimulation& shown) {
        QTreeView* list = shown.List(SimulationTab::Function);
        ASSERT_EQ(list->model()->rowCount(), 2) << "function 0 is never listed";
        ClickRow(list, 0, true); // a double click accepts the row
    });
    EXPECT_EQ(dialog->GetSimFunction(), -12);
    EXPECT_TRUE(dialog->Accepted());
}

// The filter boxes refill their tab's list, a column click sorts and a second one
// reverses, a row's tip is its description, and the selection outlasts a use.
TEST_F(frmSimulationTest, FiltersSortAndTipsWorkByMouse) {
    QTreeView* list = nullptr;
    test::WhenModal<frmSimulation>([&list](frmSimulation& shown) {
        list = shown.List(SimulationTab::Function);
        const auto toggle = [&shown](const char* name) {
            auto* box = Child<QCheckBox>(shown, name);
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
        Click(shown, "cmdCancel");
    });
    EXPECT_EQ(dialog->GetSimFunction(), 0) << "nothing picked yet";

    // The next use finds the list as it was left, its selection taken by OK.
    test::WhenModal<frmSimulation>([](frmSimulation& next) {
        QTreeView* again = next.List(SimulationTab::Function);
        EXPECT_EQ(Cell(again, 0, 1), "Counter");
        next.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&next));
        EXPECT_TRUE(again->hasFocus()) << "activation gives the list with a selection the focus";
        Click(next, "cmdOK");
    });
    EXPECT_EQ(dialog->GetSimFunction(), 7);
}

// Each entry point's tab reads for a screen reader, its lists' headings included, and Tab
// reaches every control it shows.
TEST_F(frmSimulationTest, EveryTabIsReadableAndReachedByTab) {
    int checked = 0;
    const auto check = [&checked](frmSimulation& shown) {
        shown.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&shown));
        EXPECT_EQ(test::UnnamedControls(shown).join(", ").toStdString(), "");
        EXPECT_EQ(test::UnreachedByTab(shown).join(", ").toStdString(), "");
        ++checked;
        QTest::keyClick(&shown, Qt::Key_Escape);
    };
    std::string element, model, variant;
    test::WhenModal<frmSimulation>(check);
    dialog->GetElementCode(element, model, variant);
    test::WhenModal<frmSimulation>(check);
    dialog->GetSubcircuit(element, model, variant);
    test::WhenModal<frmSimulation>(check);
    dialog->GetSimFunction();
    EXPECT_EQ(checked, 3);
}

} // namespace
} // namespace k2k
