// The suite's controls read by a screen reader and reached by Tab: the option grid with
// every kind of cell, the three viewers, the query box in each of its styles, and the help
// window.
#include "platform/SuiteServices.h"
#include "platform/ui/HelpWindow.h"
#include "platform/ui/K2kGrid.h"
#include "platform/ui/Kldquery.h"
#include "platform/ui/PackageViewer.h"
#include "platform/ui/PadstackViewer.h"
#include "platform/ui/SymbolViewer.h"
#include "support/TestSupport.h"
#include "support/ui/AccessibilityWalk.h"
#include "support/ui/WidgetDriver.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace k2k {
namespace {

void ShowActive(QWidget& window) {
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

void ExpectReadableAndReachable(QWidget& window) {
    EXPECT_EQ(test::UnnamedControls(window).join(", ").toStdString(), "");
    EXPECT_EQ(test::UnreachedByTab(window).join(", ").toStdString(), "");
}

QAccessibleInterface* Accessible(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget);
}

// The grid's editors read as the captions of their rows, in whatever language the captions
// were set; the "..." button says what it opens; a caption set later renames its row.
TEST(AccessibilityTest, TheGridsEditorsAndCellsReadAsTheirRowsAndTabReachesThem) {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* before = new QLineEdit(&window);
    before->setAccessibleName("Before");
    layout->addWidget(before);
    auto* grid = new K2kGrid(&window);
    grid->SetGridName("Teilsuche");
    layout->addWidget(grid);
    grid->SetRows(5);
    grid->SetFixedCount(1);
    grid->SetCellText(0, 0, "Optionen");
    grid->SetCellText(0, 1, "Werte");
    grid->Setnumberofcombobox(1);
    grid->SetCellHistoryBox(1, 1, 1, true);
    grid->SetCellDropDown(1, 2, 1, true);
    grid->SetCellButton(1, 3, true);
    for (int row = 1; row < 5; ++row)
        grid->SetCellText(row, 0, QString("Zeile %1").arg(row));
    grid->SetCellButtonName(1, 3, "Bauform wählen");
    ShowActive(window);
    ExpectReadableAndReachable(window);

    EXPECT_EQ(Accessible(grid->HistoryBox(1))->text(QAccessible::Name), "Zeile 1");
    grid->SetCellText(1, 0, "Name");
    EXPECT_EQ(Accessible(grid->HistoryBox(1))->text(QAccessible::Name), "Name")
        << "a caption set later names its row's editor";
    auto* pick = grid->findChild<QToolButton*>();
    ASSERT_NE(pick, nullptr);
    EXPECT_EQ(Accessible(pick)->text(QAccessible::Name), "Bauform wählen");
    grid->SetCellButtonName(1, 3, {});
    EXPECT_EQ(Accessible(pick)->text(QAccessible::Name), "Zeile 3 ...")
        << "a button with no name of its own is named after its row";
    EXPECT_EQ(test::UnnamedControls(window).join(", ").toStdString(), "");
}

TEST(AccessibilityTest, TheViewersNameTheirDrawingsAndControls) {
    SymbolViewer symbol;
    PackageViewer package;
    PadstackViewer padstack;
    for (QWidget* viewer : std::initializer_list<QWidget*>{&symbol, &package, &padstack}) {
        SCOPED_TRACE(viewer->metaObject()->className());
        ShowActive(*viewer);
        ExpectReadableAndReachable(*viewer);
        viewer->hide();
    }
}

TEST(AccessibilityTest, TheQueryBoxInEachStyleAndTheHelpWindowAreReadable) {
    test::TempDir dir;
    test::RecordingMessageBoxes boxes;
    SuiteServices services{dir / "suite.ini", boxes};
    Kldquery query(services, QApplication::font());
    for (int style : {1, 2, 3}) {
        SCOPED_TRACE(style);
        int checked = 0;
        test::WhenModal<Kldquery>([&checked](Kldquery& shown) {
            shown.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&shown));
            ExpectReadableAndReachable(shown);
            ++checked;
            shown.reject();
        });
        std::vector<std::string> values{"74LS00", "LM741"};
        int index = 0;
        query.QUERY("Library Browser", "Name:", values, style, index);
        EXPECT_EQ(checked, 1);
    }

    HelpWindow help;
    ShowActive(help);
    ExpectReadableAndReachable(help);
}

} // namespace
} // namespace k2k
