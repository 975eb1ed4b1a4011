#include "platform/ui/K2kGrid.h"

#include <QApplication>
#include <QComboBox>
#include <QHelpEvent>
#include <QLayout>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace k2k {
namespace {

using Editor = K2kGrid::CellEditor;

// A grid of five rows: row 1 history box 1, row 2 drop-down list 1, row 3 a pick button,
// row 4 plain text; history box 2 exists but has no cell.
class K2kGridTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_grid.resize(360, 200);
        m_grid.SetRows(5);
        m_grid.SetFixedCount(1);
        m_grid.SetCellText(0, 0, "Options");
        m_grid.SetCellText(0, 1, "Values");
        for (int row = 1; row < 5; ++row)
            m_grid.SetCellText(row, 0, QString("Caption %1").arg(row));
        m_grid.Setnumberofcombobox(2);
        m_grid.SetCellHistoryBox(1, 1, 1, true);
        m_grid.SetCellDropDown(1, 2, 1, true);
        m_grid.SetCellButton(1, 3, true);
        m_grid.ResizeColumns(0);
        m_grid.ResizeRows(0);
    }

    void ShowActive(QWidget& window) {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    // The row of the cell a widget lies in, as the pointer finds it.
    int RowUnder(QWidget* widget) {
        QTest::mouseMove(&m_grid, widget->mapTo(&m_grid, widget->rect().center()));
        return m_grid.MouseRow();
    }

    K2kGrid m_grid;
};

// Every kind of cell reads and writes its text through CellText, and a cell keeps its
// text when its editor is taken out.
TEST_F(K2kGridTest, CellsOfEveryKindReadAndWriteTheirText) {
    int number = 0;
    EXPECT_EQ(m_grid.EditorAt(1, 1, &number), Editor::HistoryBox);
    EXPECT_EQ(number, 1);
    EXPECT_EQ(m_grid.EditorAt(1, 2), Editor::DropDown);
    EXPECT_EQ(m_grid.EditorAt(1, 3), Editor::Button);
    EXPECT_EQ(m_grid.EditorAt(1, 4), Editor::None);

    for (int row = 1; row < 5; ++row) {
        m_grid.SetCellText(row, 1, QString("value %1").arg(row));
        EXPECT_EQ(m_grid.CellText(row, 1), QString("value %1").arg(row)) << "row " << row;
    }
    EXPECT_EQ(m_grid.ComboText(1), "value 1") << "the history box is the cell";

    m_grid.SetCellButton(1, 3, false);
    EXPECT_EQ(m_grid.EditorAt(1, 3), Editor::None);
    EXPECT_EQ(m_grid.CellText(3, 1), "value 3");
    m_grid.SetCellHistoryBox(1, 4, 1, true); // the box moves to row 4
    EXPECT_EQ(m_grid.EditorAt(1, 1), Editor::None);
    EXPECT_EQ(m_grid.CellText(1, 1), "value 1");
    EXPECT_EQ(m_grid.CellText(4, 1), "value 1");
}

// Filling a list never changes what the cell shows; rows that go take their editors with
// them, but a history box or list lives on with its entries and can be put back.
TEST_F(K2kGridTest, ListsFillWithoutTouchingTheCellAndOutliveShrinking) {
    m_grid.SetComboText(1, "NE");
    m_grid.ComboAddItem(1, "NE555");
    EXPECT_EQ(m_grid.ComboText(1), "NE");
    m_grid.ComboClear(1);
    EXPECT_EQ(m_grid.ComboListCount(1), 0);
    EXPECT_EQ(m_grid.ComboText(1), "");
    m_grid.ComboAddItems(1, {"74LS00", "LM741"});
    EXPECT_EQ(m_grid.CellText(1, 1), "") << "an empty box stays empty at its first entries";
    EXPECT_EQ(m_grid.ComboList(1, 1), "LM741") << "in their order";

    m_grid.DropDownAddItem(1, "B");
    m_grid.DropDownAddItem(1, "A", 0);
    m_grid.DropDownAddItem(1, "C", 99);
    EXPECT_EQ(m_grid.CellText(2, 1), "");
    EXPECT_EQ(m_grid.DropDownList(1, 0), "A");
    EXPECT_EQ(m_grid.DropDownList(1, 2), "C");
    m_grid.SetDropDownListIndex(1, 1);
    EXPECT_EQ(m_grid.CellText(2, 1), "B");

    m_grid.SetRows(1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_NE(m_grid.HistoryBox(1), nullptr);
    EXPECT_EQ(m_grid.ComboList(1, 0), "74LS00");
    m_grid.SetRows(3);
    EXPECT_EQ(m_grid.EditorAt(1, 1), Editor::None);
    m_grid.SetCellHistoryBox(1, 1, 1, true);
    m_grid.SetCellDropDown(1, 2, 1, true);
    m_grid.SetCellText(1, 1, "x");
    EXPECT_EQ(m_grid.ComboText(1), "x");
    m_grid.SetDropDownListIndex(1, 0);
    EXPECT_EQ(m_grid.CellText(2, 1), "A");

    m_grid.Setnumberofcombobox(1);
    EXPECT_EQ(m_grid.HistoryBox(2), nullptr);
    EXPECT_EQ(m_grid.ComboText(2), "");
}

// Typing into a history box reports each key (with the suite's codes) before the change,
// and the change itself; the grid completes nothing on its own. Text set by the program is
// no user change.
TEST_F(K2kGridTest, TypingReportsKeysAndChangesOfTheBox) {
    ShowActive(m_grid);
    m_grid.ComboAddItem(1, "ABC");
    QSignalSpy changes(&m_grid, &K2kGrid::ComboChange);
    QSignalSpy keys(&m_grid, &K2kGrid::ComboKeyDown);
    QComboBox* box = m_grid.HistoryBox(1);
    box->lineEdit()->setFocus();

    QTest::keyClicks(box, "a");
    EXPECT_EQ(m_grid.ComboText(1), "a") << "Qt's own completion is off";
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClick(box, Qt::Key_B, Qt::ShiftModifier);
    box->lineEdit()->setCursorPosition(0);
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClick(box->lineEdit(), Qt::Key_X); // straight to the text: reported once
    const QList<QList<QVariant>> expected{{1, 65, 0}, {1, 8, 0},  {1, 16, 1},
                                          {1, 66, 1}, {1, 46, 0}, {1, 88, 0}};
    EXPECT_EQ(QList<QList<QVariant>>(keys), expected);
    EXPECT_EQ(changes.size(), 5);
    EXPECT_EQ(changes[0].at(0).toInt(), 1);

    changes.clear();
    m_grid.SetComboText(1, "set");
    m_grid.SetCellText(1, 1, "again");
    EXPECT_EQ(changes.size(), 0);
}

// Tab enters the grid at its first value cell and leaves it after the last one for the
// window's next control, Shift+Tab the other way; the arrows go from value cell to value
// cell and never step through a combo box's list; typing edits the focused cell.
TEST_F(K2kGridTest, KeysMoveBetweenValueCellsAndInAndOutOfTheGrid) {
    m_grid.DropDownAddItem(1, "[ALL LIBRARIES]");
    m_grid.DropDownAddItem(1, "A.PART");
    m_grid.SetDropDownListIndex(1, 0);
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* before = new QLineEdit(&window);
    layout->addWidget(before);
    m_grid.setParent(&window);
    layout->addWidget(&m_grid);
    auto* after = new QLineEdit(&window);
    layout->addWidget(after);
    ShowActive(window);
    const auto key = [](Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k); };

    before->setFocus();
    key(Qt::Key_Tab);
    QComboBox* box = m_grid.HistoryBox(1);
    EXPECT_EQ(QApplication::focusWidget(), box);
    key(Qt::Key_Tab);
    EXPECT_EQ(RowUnder(QApplication::focusWidget()), 2);
    key(Qt::Key_Down);
    EXPECT_EQ(RowUnder(QApplication::focusWidget()), 3);
    EXPECT_EQ(m_grid.CellText(2, 1), "[ALL LIBRARIES]") << "Down left the list alone";
    QTest::keyClicks(QApplication::focusWidget(), "DIP");
    EXPECT_EQ(m_grid.CellText(3, 1), "DIP");
    key(Qt::Key_Up);
    key(Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), box);
    key(Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), box) << "row 1 is the first value cell";

    key(Qt::Key_Tab);
    key(Qt::Key_Tab);
    key(Qt::Key_Tab);                         // plain row 4
    for (const char c : std::string("typed")) // the first key opens the cell's editor
        QTest::keyClicks(QApplication::focusWidget(), QString(QChar(c)));
    key(Qt::Key_Return);
    QCoreApplication::processEvents(); // the cell takes the text after the key
    EXPECT_EQ(m_grid.CellText(4, 1), "typed");
    key(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), after);

    key(Qt::Key_Backtab);
    EXPECT_TRUE(qobject_cast<QTableWidget*>(QApplication::focusWidget()))
        << "Shift+Tab enters at the last value cell, the plain one";
    for (int i = 0; i < 3; ++i)
        key(Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), box);
    key(Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), before);
    m_grid.setParent(nullptr); // the fixture owns it
}

// The pointer's cell is the mouse cell, and its text the tool tip that shows, also over an
// editor; a pick button reports its cell only while it is enabled, and F4 presses it.
TEST_F(K2kGridTest, MouseFindsCellsAndPressesButtons) {
    ShowActive(m_grid);
    m_grid.SetCellText(1, 1, "in the box");
    QSignalSpy moves(&m_grid, &K2kGrid::MouseMove);

    QLineEdit* box = m_grid.HistoryBox(1)->lineEdit();
    const QPoint overBox = box->mapTo(&m_grid, box->rect().center());
    QTest::mouseMove(&m_grid, overBox);
    EXPECT_EQ(m_grid.MouseCol(), 1);
    EXPECT_EQ(m_grid.toolTip(), "in the box");
    ASSERT_FALSE(moves.isEmpty());
    EXPECT_EQ(moves.last().at(3).toInt(), overBox.y());

    // the caption of row 4: the point left of the box, three rows down
    const int rowHeight = box->parentWidget()->parentWidget()->height();
    const QPoint caption(10, overBox.y() + 3 * rowHeight);
    QTest::mouseMove(&m_grid, caption);
    EXPECT_EQ(m_grid.MouseRow(), 4);
    EXPECT_EQ(m_grid.MouseCol(), 0);
    auto* viewport = m_grid.findChild<QTableWidget*>()->viewport();
    const QPoint atCaption = viewport->mapFrom(&m_grid, caption);
    QHelpEvent rest(QEvent::ToolTip, atCaption, viewport->mapToGlobal(atCaption));
    QApplication::sendEvent(viewport, &rest);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), "Caption 4");
    QHelpEvent overEditor(QEvent::ToolTip, box->rect().center(),
                          box->mapToGlobal(box->rect().center()));
    QApplication::sendEvent(box, &overEditor);
    EXPECT_EQ(QToolTip::text(), "in the box");
    QToolTip::hideText();

    QSignalSpy clicks(&m_grid, &K2kGrid::CellButtonClick);
    QToolButton* button = m_grid.findChild<QToolButton*>();
    ASSERT_NE(button, nullptr);
    m_grid.SetCellButtonEnabled(1, 3, false);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(clicks.size(), 0);
    m_grid.SetCellButtonEnabled(1, 3, true);
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_EQ(clicks.size(), 1);
    EXPECT_EQ(clicks[0], (QList<QVariant>{1, 3}));

    auto* pickText =
        qobject_cast<QLineEdit*>(button->parentWidget()->layout()->itemAt(0)->widget());
    ASSERT_NE(pickText, nullptr);
    pickText->setFocus();
    QTest::keyClick(pickText, Qt::Key_F4);
    EXPECT_EQ(clicks.size(), 2) << "F4 presses the cell's button";
}

} // namespace
} // namespace k2k
