#include "platform/ui/K2kGrid.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTableWidget>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

namespace k2k {

namespace {

constexpr int kCols = 2;
constexpr int kCellPadding = 6; // around a text, in pixels

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

Qt::Alignment QtAlignment(int alignment) {
    static constexpr Qt::Alignment kHorizontal[] = {Qt::AlignLeft, Qt::AlignHCenter,
                                                    Qt::AlignRight};
    static constexpr Qt::Alignment kVertical[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    const int a = std::clamp(alignment, 0, 8);
    return kHorizontal[a / 3] | kVertical[a % 3];
}

// Keeps a text out of the way of a combo box's own list handling.
void PreserveText(QComboBox* combo, const std::function<void()>& change) {
    const QString text = combo->currentText();
    change();
    combo->setEditText(text);
}

} // namespace

K2kGrid::K2kGrid(QWidget* parent) : QWidget(parent), m_table(new QTableWidget(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_table);

    m_table->setColumnCount(kCols);
    m_table->horizontalHeader()->hide();
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setEditTriggers(QAbstractItemView::AllEditTriggers); // typing edits a plain cell
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setWordWrap(false);
    m_table->viewport()->setAttribute(Qt::WA_Hover, false); // captions never light up
    m_table->setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(m_table);
    WatchEditor(m_table->viewport());
    m_table->installEventFilter(this); // entering by Tab
    ResizeRows(0);
}

K2kGrid::~K2kGrid() = default;

// --- shape

int K2kGrid::Rows() const {
    return m_table->rowCount();
}

void K2kGrid::SetRows(int rows) {
    rows = std::max(rows, 0);
    std::vector<CellKey> going;
    for (const auto& [key, placed] : m_placed)
        if (key.first >= rows)
            going.push_back(key);
    for (const CellKey& key : going)
        TakeOut(key.first, key.second);
    const int before = m_table->rowCount();
    m_table->setRowCount(rows);
    for (int row = before; row < rows; ++row)
        for (int col = 0; col < kCols; ++col)
            StyleCell(row, col);
    m_table->setCurrentIndex({}); // no cell is marked until one is edited
}

int K2kGrid::Cols() const {
    return kCols;
}

int K2kGrid::ColAlignment(int col) const {
    return col >= 0 && col < kCols ? m_alignment[static_cast<std::size_t>(col)] : 0;
}

void K2kGrid::SetColAlignment(int col, int alignment) {
    if (col < 0 || col >= kCols)
        return;
    m_alignment[static_cast<std::size_t>(col)] = std::clamp(alignment, 0, 8);
    for (int row = 0; row < Rows(); ++row)
        StyleCell(row, col);
}

void K2kGrid::SetFixedCount(int count) {
    m_fixedCount = std::max(count, 0);
    for (int row = 0; row < Rows(); ++row)
        for (int col = 0; col < kCols; ++col)
            StyleCell(row, col);
}

// --- cells

QTableWidgetItem* K2kGrid::Item(int row, int col) {
    QTableWidgetItem* item = m_table->item(row, col);
    if (!item) {
        item = new QTableWidgetItem;
        m_table->setItem(row, col, item);
    }
    return item;
}

// Captions (the fixed rows and column 0) are shaded and read-only; the caption row is bold.
void K2kGrid::StyleCell(int row, int col) {
    if (row < 0 || row >= Rows() || col < 0 || col >= kCols)
        return;
    QTableWidgetItem* item = Item(row, col);
    const bool caption = row < m_fixedCount || col == 0;
    item->setFlags(caption ? Qt::ItemIsEnabled
                           : Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
    item->setTextAlignment(QtAlignment(m_alignment[static_cast<std::size_t>(col)]));
    item->setBackground(caption ? palette().brush(QPalette::Button)
                                : palette().brush(QPalette::Base));
    QFont font = m_table->font();
    font.setBold(row < m_fixedCount);
    item->setFont(font);
}

const K2kGrid::Placed* K2kGrid::PlacedAt(int row, int col) const {
    const auto found = m_placed.find({row, col});
    return found == m_placed.end() ? nullptr : &found->second;
}

QString K2kGrid::CellText(int row, int col) const {
    if (const Placed* placed = PlacedAt(row, col))
        return placed->edit->text();
    const QTableWidgetItem* item = m_table->item(row, col);
    return item ? item->text() : QString();
}

void K2kGrid::SetCellText(int row, int col, const QString& text) {
    if (row < 0 || row >= Rows() || col < 0 || col >= kCols)
        return;
    if (const Placed* placed = PlacedAt(row, col)) {
        if (placed->editor == CellEditor::Button)
            placed->edit->setText(text);
        else
            qobject_cast<QComboBox*>(placed->edit->parentWidget())->setEditText(text);
        return;
    }
    Item(row, col)->setText(text);
}

// --- editors in cells

void K2kGrid::WatchEditor(QWidget* widget) {
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
}

QComboBox* K2kGrid::NewCombo() {
    auto* combo = new QComboBox(this);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr); // completion is the window's rule, not Qt's
    combo->setFrame(false);
    combo->setMaxVisibleItems(25);
    combo->hide();
    WatchEditor(combo);
    WatchEditor(combo->lineEdit());
    connect(combo->lineEdit(), &QLineEdit::textEdited, this, [this, combo] {
        const int box = BoxOfEditor(combo);
        if (box > 0)
            emit ComboChange(box);
    });
    return combo;
}

void K2kGrid::Place(int row, int col, Placed placed, QWidget* content) {
    TakeOut(row, col);
    auto* holder = new QWidget;
    holder->setAutoFillBackground(true);
    auto* layout = new QHBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(content, 1);
    if (placed.button)
        layout->addWidget(placed.button);
    content->show();
    WatchEditor(holder);
    placed.holder = holder;
    m_table->setCellWidget(row, col, holder);
    m_placed[{row, col}] = placed;
}

// Takes the cell's editor out; a combo box goes back to the grid (hidden), with its list.
void K2kGrid::TakeOut(int row, int col) {
    const auto found = m_placed.find({row, col});
    if (found == m_placed.end())
        return;
    const Placed placed = found->second;
    m_placed.erase(found);
    const QString text = placed.edit->text();
    if (placed.editor != CellEditor::Button) {
        QWidget* combo = placed.edit->parentWidget();
        combo->hide();
        combo->setParent(this);
    }
    m_table->removeCellWidget(row, col); // deletes the holder
    Item(row, col)->setText(text);
}

QComboBox* K2kGrid::DropDown(int list) {
    QComboBox*& combo = m_dropDowns[list];
    if (!combo)
        combo = NewCombo();
    return combo;
}

void K2kGrid::SetCellDropDown(int col, int row, int list, bool show) {
    if (row < 0 || row >= Rows() || col < 0 || col >= kCols || list < 1)
        return;
    const Placed* here = PlacedAt(row, col);
    if (!show) {
        if (here && here->editor == CellEditor::DropDown && here->number == list)
            TakeOut(row, col);
        return;
    }
    if (here && here->editor == CellEditor::DropDown && here->number == list)
        return;
    QComboBox* combo = DropDown(list);
    for (const auto& [key, placed] : m_placed)
        if (placed.editor == CellEditor::DropDown && placed.number == list) {
            TakeOut(key.first, key.second); // one list lives in one cell
            break;
        }
    Place(row, col, Placed{CellEditor::DropDown, list, nullptr, combo->lineEdit(), nullptr}, combo);
}

void K2kGrid::SetCellButton(int col, int row, bool show) {
    if (row < 0 || row >= Rows() || col < 0 || col >= kCols)
        return;
    const Placed* here = PlacedAt(row, col);
    if (!show) {
        if (here && here->editor == CellEditor::Button)
            TakeOut(row, col);
        return;
    }
    if (here && here->editor == CellEditor::Button)
        return;
    const QString text = CellText(row, col);
    TakeOut(row, col);
    auto* edit = new QLineEdit(text);
    edit->setFrame(false);
    edit->setAlignment(QtAlignment(m_alignment[static_cast<std::size_t>(col)]));
    auto* button = new QToolButton;
    button->setText(QStringLiteral("..."));
    button->setFocusPolicy(Qt::NoFocus); // F4 in the text presses it
    button->setAutoRaise(false);
    WatchEditor(edit);
    WatchEditor(button);
    connect(button, &QToolButton::clicked, this, [this, button] {
        for (const auto& [key, placed] : m_placed)
            if (placed.button == button) {
                emit CellButtonClick(key.second, key.first);
                return;
            }
    });
    Place(row, col, Placed{CellEditor::Button, 0, nullptr, edit, button}, edit);
}

K2kGrid::CellEditor K2kGrid::EditorAt(int col, int row, int* number) const {
    const Placed* placed = PlacedAt(row, col);
    if (number)
        *number = placed ? placed->number : 0;
    return placed ? placed->editor : CellEditor::None;
}

void K2kGrid::SetCellButtonEnabled(int col, int row, bool enabled) {
    if (const Placed* placed = PlacedAt(row, col); placed && placed->button)
        placed->button->setEnabled(enabled);
}

bool K2kGrid::CellButtonEnabled(int col, int row) const {
    const Placed* placed = PlacedAt(row, col);
    return placed && placed->button && placed->button->isEnabled();
}

// --- history boxes

void K2kGrid::Setnumberofcombobox(int count) {
    count = std::max(count, 0);
    while (numberofcombobox() > count) {
        const int box = numberofcombobox();
        std::vector<CellKey> holding;
        for (const auto& [key, placed] : m_placed)
            if (placed.editor == CellEditor::HistoryBox && placed.number == box)
                holding.push_back(key);
        for (const CellKey& key : holding)
            TakeOut(key.first, key.second);
        delete m_historyBoxes.back();
        m_historyBoxes.pop_back();
    }
    while (numberofcombobox() < count)
        m_historyBoxes.push_back(NewCombo());
}

void K2kGrid::SetCellHistoryBox(int col, int row, int box, bool show) {
    QComboBox* combo = HistoryBox(box);
    if (!combo)
        return;
    std::vector<CellKey> holding; // one box lives in one cell
    for (const auto& [key, placed] : m_placed)
        if (placed.editor == CellEditor::HistoryBox && placed.number == box)
            holding.push_back(key);
    const bool alreadyHere = holding.size() == 1 && holding[0] == CellKey{row, col};
    if (show && alreadyHere)
        return;
    for (const CellKey& key : holding)
        if (show || key == CellKey{row, col})
            TakeOut(key.first, key.second);
    if (!show || row < 0 || row >= Rows() || col < 0 || col >= kCols)
        return;
    Place(row, col, Placed{CellEditor::HistoryBox, box, nullptr, combo->lineEdit(), nullptr},
          combo);
}

QComboBox* K2kGrid::HistoryBox(int box) const {
    if (box < 1 || box > numberofcombobox())
        return nullptr;
    return m_historyBoxes[static_cast<std::size_t>(box - 1)];
}

QString K2kGrid::ComboText(int box) const {
    const QComboBox* combo = HistoryBox(box);
    return combo ? combo->currentText() : QString();
}

void K2kGrid::SetComboText(int box, const QString& text) {
    if (QComboBox* combo = HistoryBox(box))
        combo->setEditText(text);
}

int K2kGrid::ComboListCount(int box) const {
    const QComboBox* combo = HistoryBox(box);
    return combo ? combo->count() : 0;
}

QString K2kGrid::ComboList(int box, int index) const {
    const QComboBox* combo = HistoryBox(box);
    return combo ? combo->itemText(index) : QString();
}

void K2kGrid::ComboAddItem(int box, const QString& text) {
    if (QComboBox* combo = HistoryBox(box))
        PreserveText(combo, [&] { combo->addItem(text); });
}

void K2kGrid::ComboClear(int box) {
    if (QComboBox* combo = HistoryBox(box)) {
        combo->clear();
        combo->setEditText(QString());
    }
}

// --- drop-down lists

void K2kGrid::DropDownClear(int list) {
    if (list >= 1)
        PreserveText(DropDown(list), [&] { DropDown(list)->clear(); });
}

void K2kGrid::DropDownAddItem(int list, const QString& text, int position) {
    if (list < 1)
        return;
    QComboBox* combo = DropDown(list);
    if (position < 0 || position > combo->count())
        position = combo->count();
    PreserveText(combo, [&] { combo->insertItem(position, text); });
}

int K2kGrid::DropDownListIndex(int list) const {
    const auto found = m_dropDowns.find(list);
    return found == m_dropDowns.end() ? -1 : found->second->currentIndex();
}

void K2kGrid::SetDropDownListIndex(int list, int index) {
    if (list < 1)
        return;
    QComboBox* combo = DropDown(list);
    combo->setCurrentIndex(index);
    combo->setEditText(combo->itemText(index)); // also when the index stays
}

QString K2kGrid::DropDownList(int list, int index) const {
    const auto found = m_dropDowns.find(list);
    return found == m_dropDowns.end() ? QString() : found->second->itemText(index);
}

int K2kGrid::DropDownListCount(int list) const {
    const auto found = m_dropDowns.find(list);
    return found == m_dropDowns.end() ? 0 : found->second->count();
}

// --- layout

void K2kGrid::ResizeColumns(int /*col*/) {
    m_table->resizeColumnToContents(0);
    m_table->setColumnWidth(0, m_table->columnWidth(0) + 2 * kCellPadding);
}

void K2kGrid::ResizeRows(int /*row*/) {
    QComboBox probe;
    probe.setEditable(true);
    probe.setFrame(false);
    const int height =
        std::max(probe.sizeHint().height(), fontMetrics().height() + kCellPadding) + 2;
    m_table->verticalHeader()->setDefaultSectionSize(height);
    for (int row = 0; row < Rows(); ++row)
        m_table->setRowHeight(row, height);
}

int K2kGrid::FullHeight() const {
    int height = 2 * m_table->frameWidth();
    for (int row = 0; row < Rows(); ++row)
        height += m_table->rowHeight(row);
    return height;
}

void K2kGrid::Refresh() {
    m_table->viewport()->update();
    update();
}

// --- events

int K2kGrid::RowOfEditor(QWidget* widget) const {
    if (widget == m_table) // a plain cell
        return m_table->currentRow();
    for (const auto& [key, placed] : m_placed)
        if (placed.holder == widget || placed.holder->isAncestorOf(widget))
            return key.first;
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
    // The first value row brings the caption row back with it.
    if (row <= m_fixedCount)
        m_table->scrollToTop();
    else
        m_table->scrollTo(m_table->model()->index(row, 1));
    if (const Placed* placed = PlacedAt(row, 1)) {
        placed->edit->setFocus(Qt::OtherFocusReason); // not Tab: see the focus-in filter
        placed->edit->selectAll();
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
    if (event->type() == QEvent::FocusIn) {
        // Moves inside the grid give no Tab reason, so this focus came from outside it.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        const bool tab = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason;
        if (tab && Rows() > m_fixedCount && (widget == m_table || RowOfEditor(widget) >= 0))
            FocusValueCell(reason == Qt::TabFocusReason ? m_fixedCount : Rows() - 1);
        return false;
    }
    if (event->type() != QEvent::KeyPress || widget == m_table->viewport())
        return QWidget::eventFilter(watched, event);

    const auto* key = static_cast<QKeyEvent*>(event);
    // Keys reach the combo box, which hands them to its text without filters; a key sent
    // to the text itself comes here once too.
    if (const int box = BoxOfEditor(widget); box > 0)
        emit ComboKeyDown(box, SuiteKeyCode(key->key()), SuiteShift(key->modifiers()));

    const bool alt = key->modifiers() & Qt::AltModifier;
    switch (key->key()) {
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
    if (key->key() == Qt::Key_F4 || (alt && key->key() == Qt::Key_Down)) {
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
    return QWidget::eventFilter(watched, event);
}

} // namespace k2k
