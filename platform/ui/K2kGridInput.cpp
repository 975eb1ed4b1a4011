// The grid's keyboard and mouse: moving between value cells, leaving the grid with Tab, and
// the suite's events (key codes, shift states and buttons in the suite's numbers).
#include "platform/ui/K2kGrid.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTableWidget>
#include <QToolButton>
#include <QToolTip>

#include <memory>

namespace k2k {

namespace {

// The suite's key code of a Qt key; 0 for a key it has none for.
int SuiteKeyCode(int key) {
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z))
        return key; // the same codes
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return 112 + (key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return 46;
    default:
        return 0;
    }
}

int SuiteShift(Qt::KeyboardModifiers modifiers) {
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

int SuiteButtons(Qt::MouseButtons buttons) {
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
           (buttons & Qt::MiddleButton ? 4 : 0);
}

} // namespace

// --- events

int K2kGrid::RowOfEditor(QWidget* widget) const {
    if (widget == m_table) // a plain cell
        return m_table->currentRow();
    for (const auto& [key, placed] : m_placed)
        if (placed.holder == widget || placed.holder->isAncestorOf(widget))
            return key.first;
    // A control the window put into a value cell itself (a check box)
    for (int row = m_fixedCount; row < Rows(); ++row)
        if (QWidget* cell = m_table->cellWidget(row, 1);
            cell && (cell == widget || cell->isAncestorOf(widget)))
            return row;
    return -1;
}

int K2kGrid::BoxOfEditor(QObject* widget) const {
    for (std::size_t i = 0; i < m_historyBoxes.size(); ++i)
        if (m_historyBoxes[i] == widget || m_historyBoxes[i]->lineEdit() == widget)
            return static_cast<int>(i) + 1;
    return 0;
}

void K2kGrid::FocusValueCell(int row) {
    // An editor taking the focus does not scroll the table: the row is brought into view
    // first, so nobody types into a hidden cell.
    // The first value row brings the caption rows back with it (a single one stands above).
    if (row <= m_fixedCount)
        m_table->scrollToTop();
    else
        m_table->scrollTo(m_table->model()->index(row, 1));
    if (const Placed* placed = PlacedAt(row, 1)) {
        placed->edit->setFocus(Qt::OtherFocusReason); // not Tab: see the focus-in filter
        placed->edit->selectAll();
        return;
    }
    if (QWidget* own = m_table->cellWidget(row, 1); own && (own->focusPolicy() & Qt::TabFocus)) {
        own->installEventFilter(this); // Tab on it moves as from any value cell
        own->setFocus(Qt::OtherFocusReason);
        return;
    }
    m_table->setCurrentCell(row, 1);
    m_table->setFocus(Qt::OtherFocusReason);
}

bool K2kGrid::MoveBetweenValueCells(QWidget* from, int step) {
    const int row = RowOfEditor(from);
    const int next = row + step;
    if (row < 0 || next < m_fixedCount || next >= Rows())
        return false;
    FocusValueCell(next);
    return true;
}

// Tab past the last value cell (or Shift+Tab before the first) goes to the window's next
// control outside the grid, never round to another cell of it.
bool K2kGrid::LeaveGrid(bool forward) {
    // The editors are made after the window has set its tab order, so they lie anywhere in
    // the focus chain: the way out starts from the grid's own place in it.
    QWidget* next = this;
    for (;;) {
        next = forward ? next->nextInFocusChain() : next->previousInFocusChain();
        if (next == this)
            return true; // nothing outside the grid takes the focus: stay
        const bool outside = next != this && !isAncestorOf(next);
        if (outside && (next->focusPolicy() & Qt::TabFocus) && next->isVisible() &&
            next->isEnabled() && !next->focusProxy())
            break;
    }
    next->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

void K2kGrid::TrackMouse(QWidget* source, const QPoint& pos, Qt::MouseButtons buttons,
                         Qt::KeyboardModifiers modifiers) {
    QWidget* viewport = m_table->viewport();
    const QPoint inView = source == viewport ? pos : source->mapTo(viewport, pos);
    m_mouseRow = m_table->rowAt(inView.y());
    m_mouseCol = m_table->columnAt(inView.x());
    setToolTip(m_mouseRow >= 0 && m_mouseCol >= 0 ? CellText(m_mouseRow, m_mouseCol) : QString());
    const QPoint inGrid = source->mapTo(this, pos);
    emit MouseMove(SuiteButtons(buttons), SuiteShift(modifiers), inGrid.x(), inGrid.y());
}

bool K2kGrid::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::MouseMove) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        TrackMouse(widget, mouse->position().toPoint(), mouse->buttons(), mouse->modifiers());
        return false;
    }
    if (event->type() == QEvent::ToolTip) {
        // The table would look for a tip of its own in the item; the grid's tip is the text
        // of the cell under the pointer, over an editor too.
        const auto* help = static_cast<QHelpEvent*>(event);
        TrackMouse(widget, help->pos(), Qt::NoButton, Qt::NoModifier);
        if (toolTip().isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), toolTip(), widget);
        return true;
    }
    if (event->type() == QEvent::FocusIn)
        return EnteredByTab(widget, static_cast<QFocusEvent*>(event)->reason());
    if (event->type() != QEvent::KeyPress || widget == m_table->viewport())
        return QWidget::eventFilter(watched, event);
    return KeyPressed(widget, *static_cast<const QKeyEvent*>(event)) ||
           QWidget::eventFilter(watched, event);
}

// Moves inside the grid give no Tab reason, so a focus with one came from outside it: it
// goes on to the first value cell (the last for Shift+Tab). True when it was passed on.
bool K2kGrid::EnteredByTab(QWidget* widget, Qt::FocusReason reason) {
    const bool tab = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason;
    if (!tab || Rows() <= m_fixedCount || (widget != m_table && RowOfEditor(widget) < 0))
        return false;
    FocusValueCell(reason == Qt::TabFocusReason ? m_fixedCount : Rows() - 1);
    // Passed on: this one's own focus-in would select its text after it lost the focus, and
    // the selection would stay on a cell that is not being edited.
    return QApplication::focusWidget() != widget;
}

bool K2kGrid::KeyPressed(QWidget* widget, const QKeyEvent& key) {
    // Keys reach the combo box, which hands them to its text without filters; a key sent
    // to the text itself comes here once too.
    if (const int box = BoxOfEditor(widget); box > 0)
        emit ComboKeyDown(box, SuiteKeyCode(key.key()), SuiteShift(key.modifiers()));

    const bool alt = key.modifiers() & Qt::AltModifier;
    const bool tabKey = key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab;
    if (tabKey && (key.modifiers() & Qt::ControlModifier)) {
        // Ctrl+Tab belongs to what holds the grid, as the next page of a tab control; the
        // table would take it as a plain Tab.
        if (parentWidget()) {
            const std::unique_ptr<QEvent> handed(key.clone());
            QCoreApplication::sendEvent(parentWidget(), handed.get());
        }
        return true;
    }
    switch (key.key()) {
    case Qt::Key_Tab:
        return MoveBetweenValueCells(widget, +1) || LeaveGrid(true);
    case Qt::Key_Backtab:
        return MoveBetweenValueCells(widget, -1) || LeaveGrid(false);
    case Qt::Key_Up:
        if (alt)
            break;
        MoveBetweenValueCells(widget, -1);
        return true; // never step through a combo box's list by accident
    case Qt::Key_Down:
        if (alt)
            break;
        MoveBetweenValueCells(widget, +1);
        return true;
    default:
        break;
    }
    if (key.key() == Qt::Key_F4 || (alt && key.key() == Qt::Key_Down)) {
        const int row = RowOfEditor(widget);
        for (const auto& [cell, placed] : m_placed) {
            if (cell.first != row || !placed.holder->isAncestorOf(widget))
                continue;
            if (placed.button) {
                if (placed.button->isEnabled())
                    placed.button->click();
            } else {
                qobject_cast<QComboBox*>(placed.edit->parentWidget())->showPopup();
            }
            return true;
        }
    }
    return false;
}

} // namespace k2k
