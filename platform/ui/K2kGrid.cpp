#include "platform/ui/K2kGrid.h"

#include "platform/ui/LocaliseForm.h"

#include <QApplication>
#include <QComboBox>
#include <QFont>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace k2k {

namespace {

constexpr int kCols = 2;
constexpr int kCellPadding = 6; // around a text, in pixels

Qt::Alignment QtAlignment(int alignment) {
    static constexpr Qt::Alignment kHorizontal[] = {Qt::AlignLeft, Qt::AlignHCenter,
                                                    Qt::AlignRight};
    static constexpr Qt::Alignment kVertical[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    const int a = std::clamp(alignment, 0, 8);
    return kHorizontal[a / 3] | kVertical[a % 3];
}

// A cell that a screen reader names by its row's caption; a value cell's text is read as
// what it holds.
class GridCell final : public QTableWidgetItem {
public:
    QVariant data(int role) const override {
        const bool value = column() > 0 && (flags() & Qt::ItemIsEditable) && tableWidget();
        if (value && role == Qt::AccessibleTextRole) {
            const QTableWidgetItem* caption = tableWidget()->item(row(), 0);
            return caption ? caption->text() : QString();
        }
        if (value && role == Qt::AccessibleDescriptionRole)
            return text();
        return QTableWidgetItem::data(role);
    }
};

// The text box a plain value cell opens for typing reads as the cell does.
class GridDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (editor)
            editor->setAccessibleName(index.siblingAtColumn(0).data().toString());
        return editor;
    }
};

} // namespace

K2kGrid::K2kGrid(QWidget* parent) : QWidget(parent), m_table(new QTableWidget(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_table);

    m_table->setColumnCount(kCols);
    m_table->setItemDelegate(new GridDelegate(m_table));
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
    m_table->horizontalHeader()->setSectionsClickable(false);
    m_table->horizontalHeader()->setHighlightSections(false);
    QFont bold = m_table->font();
    bold.setBold(true);
    m_table->horizontalHeader()->setFont(bold);
    ResizeRows(0);
    m_focusWatch = connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        MarkFocusRow(now && (now == m_table || m_table->isAncestorOf(now)) ? RowOfEditor(now) : -1);
    });
    connect(m_table, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (m_table->hasFocus())
            MarkFocusRow(row);
    });
}

// The application's focus changes are no longer heard once the grid is going: a window that
// closes as it is destroyed moves the focus while the grid is only a QWidget any more.
K2kGrid::~K2kGrid() {
    disconnect(m_focusWatch);
}

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
    if (m_markedRow >= rows)
        m_markedRow = -1;
    m_table->setCurrentIndex({}); // no cell is marked until one is edited
    ShowCaptionRow();
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
    ShowCaptionRow();
}

void K2kGrid::ShowCaptionRow() {
    const bool header = m_fixedCount == 1 && Rows() >= 1;
    for (int row = 0; row < Rows(); ++row)
        m_table->setRowHidden(row, header && row == 0);
    m_table->horizontalHeader()->setVisible(header);
    if (header)
        for (int col = 0; col < kCols; ++col) {
            auto* caption = new QTableWidgetItem(
                m_table->item(0, col) ? m_table->item(0, col)->text() : QString());
            caption->setTextAlignment(QtAlignment(m_alignment[static_cast<std::size_t>(col)]));
            m_table->setHorizontalHeaderItem(col, caption);
        }
}

void K2kGrid::MarkFocusRow(int row) {
    if (row < m_fixedCount)
        row = -1;
    if (row == m_markedRow)
        return;
    const int before = std::exchange(m_markedRow, row);
    StyleCell(before, 0);
    StyleCell(row, 0);
}

// --- cells

QTableWidgetItem* K2kGrid::Item(int row, int col) {
    QTableWidgetItem* item = m_table->item(row, col);
    if (!item) {
        item = new GridCell;
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
    const bool marked = row == m_markedRow && col == 0;
    item->setFlags(caption ? Qt::ItemIsEnabled
                           : Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
    item->setTextAlignment(QtAlignment(m_alignment[static_cast<std::size_t>(col)]));
    item->setBackground(marked    ? palette().brush(QPalette::Highlight)
                        : caption ? palette().brush(QPalette::Button)
                                  : palette().brush(QPalette::Base));
    item->setForeground(marked ? palette().brush(QPalette::HighlightedText)
                               : palette().brush(QPalette::Text));
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
    if (row < m_fixedCount)
        ShowCaptionRow();
    if (col == 0)
        NameEditors(row);
}

void K2kGrid::NameEditors(int row) {
    const QString caption = CellText(row, 0);
    for (auto& [key, placed] : m_placed) {
        if (key.first != row || key.second == 0)
            continue;
        QWidget* editor = placed.edit;
        if (placed.editor != CellEditor::Button)
            editor = placed.edit->parentWidget(); // the combo box
        SetAccessibleName(*editor, caption);
        if (placed.button)
            SetAccessibleName(*placed.button, placed.buttonName.isEmpty()
                                                  ? caption + QStringLiteral(" ...")
                                                  : placed.buttonName);
    }
}

void K2kGrid::SetGridName(const QString& name) {
    setAccessibleName(name);
    m_table->setAccessibleName(name);
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
    NameEditors(row);
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
    Place(row, col, Placed{CellEditor::DropDown, list, nullptr, combo->lineEdit(), nullptr, {}},
          combo);
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
    Place(row, col, Placed{CellEditor::Button, 0, nullptr, edit, button, {}}, edit);
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

void K2kGrid::SetCellButtonName(int col, int row, const QString& name) {
    if (const auto found = m_placed.find({row, col});
        found != m_placed.end() && found->second.button) {
        found->second.buttonName = name;
        NameEditors(row);
    }
}

// --- layout

void K2kGrid::ResizeColumns(int /*col*/) {
    m_table->resizeColumnToContents(0);
    m_table->setColumnWidth(0, m_table->columnWidth(0) + 2 * kCellPadding);
}

int K2kGrid::EditorHeight() {
    // The layout asks on every resize, and a box made to measure costs more than the rest
    // of it: it is measured again only when the font or the style changes, once for every
    // grid of the program.
    static QFont measuredFont;
    static QString measuredStyle;
    static int height = 0;
    const QFont font = QApplication::font();
    const QString style = QApplication::style()->name();
    if (height == 0 || font != measuredFont || style != measuredStyle) {
        QComboBox probe;
        probe.setEditable(true);
        probe.setFrame(false);
        height = probe.sizeHint().height();
        measuredFont = font;
        measuredStyle = style;
    }
    return height;
}

void K2kGrid::ResizeRows(int /*row*/) {
    const int height = std::max(EditorHeight(), fontMetrics().height() + kCellPadding) + 2;
    m_table->verticalHeader()->setDefaultSectionSize(height);
    m_table->horizontalHeader()->setFixedHeight(height);
    for (int row = 0; row < Rows(); ++row)
        m_table->setRowHeight(row, height);
}

int K2kGrid::FullHeight() const {
    int height = 2 * m_table->frameWidth();
    if (m_table->horizontalHeader()->isVisibleTo(m_table))
        height += m_table->horizontalHeader()->height();
    for (int row = 0; row < Rows(); ++row)
        if (!m_table->isRowHidden(row))
            height += m_table->rowHeight(row);
    return height;
}

void K2kGrid::Refresh() {
    m_table->viewport()->update();
    update();
}

} // namespace k2k
