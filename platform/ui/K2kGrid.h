#pragma once
// Our grid control: a two-part property grid (captions in column 0, values in column 1,
// row 0 the caption row) with the interface the browser's search-option grids use. Rows
// and columns count from 0. A value cell holds plain text, or one of three editors that
// stay visible in it:
// - history box n (from 1): an editable combo box whose list holds earlier entries;
// - drop-down list n: an editable combo box of given entries (the library list);
// - a pick button: a text with a "..." button that raises CellButtonClick.
// For screen readers each value cell and its editor is named by the caption of its row, and
// a "..." button by the dialog it opens (or, with none given, by its row's caption and "...").
// The grid knows no rules: the window decides what a typed text completes to (through
// ComboChange and ComboKeyDown) and what a pick writes.
// Its shape, cells and editors are in K2kGrid.cpp, its lists in K2kGridLists.cpp, and its
// keyboard and mouse in K2kGridInput.cpp.
//
// A single caption row stands above the rows that scroll (as a header), so it stays in
// sight however short the grid is; the row of the cell that has the focus is marked in its
// caption cell, so the focus is always seen.
//
// Keys: Tab, Shift+Tab, Up and Down move between the value cells (Tab leaves the grid
// after the last, and entering it by Tab lands in the first); Ctrl+Tab and Ctrl+Shift+Tab
// go to what holds the grid (a tab control turns its page); typing edits; F4 or
// Alt+Down opens a combo box's list or presses a cell's button. Key codes and shift states
// of ComboKeyDown and MouseMove are the suite's (Backspace 8, Delete 46, letters their
// upper-case code; shift 1, Ctrl 2, Alt 4; left button 1, right 2, middle 4). The tool tip
// is always the text of the cell under the pointer.

#include <QStringList>
#include <QWidget>

#include <map>
#include <utility>
#include <vector>

class QComboBox;
class QKeyEvent;
class QLineEdit;
class QTableWidget;
class QTableWidgetItem;
class QToolButton;

namespace k2k {

class K2kGrid final : public QWidget {
    Q_OBJECT

public:
    explicit K2kGrid(QWidget* parent = nullptr);
    ~K2kGrid() override;

    // --- shape
    int Rows() const;
    void SetRows(int rows); // editors of rows that go are taken out
    int Cols() const;       // always 2
    // 0-8: (left, centre, right) x (top, middle, bottom), left-middle (1) by default.
    int ColAlignment(int col) const;
    void SetColAlignment(int col, int alignment);
    int FixedCount() const { return m_fixedCount; } // caption rows at the top
    void SetFixedCount(int count);

    // --- cells
    QString CellText(int row, int col) const;
    void SetCellText(int row, int col, const QString& text);
    int MouseRow() const { return m_mouseRow; } // -1 when the pointer is over no cell
    int MouseCol() const { return m_mouseCol; }

    // Puts drop-down list `list` into the cell (show) or takes it out (its entries stay).
    void SetCellDropDown(int col, int row, int list, bool show);
    // Puts a pick button into the cell (show) or takes it out.
    void SetCellButton(int col, int row, bool show);
    // What a cell holds; number: the box or list.
    enum class CellEditor { None, HistoryBox, DropDown, Button };
    CellEditor EditorAt(int col, int row, int* number = nullptr) const;
    // A disabled button stays in its cell, greyed; the cell's text stays editable.
    void SetCellButtonEnabled(int col, int row, bool enabled);
    bool CellButtonEnabled(int col, int row) const;
    // What a screen reader calls the cell's "..." button: the dialog it opens.
    void SetCellButtonName(int col, int row, const QString& name);
    // What a screen reader calls the grid (the table of its cells).
    void SetGridName(const QString& name);

    // --- history boxes, numbered from 1
    int numberofcombobox() const { return static_cast<int>(m_historyBoxes.size()); }
    void Setnumberofcombobox(int count);
    void SetCellHistoryBox(int col, int row, int box, bool show);
    QComboBox* HistoryBox(int box) const; // nullptr for a box that does not exist
    QString ComboText(int box) const;
    void SetComboText(int box, const QString& text);
    int ComboListCount(int box) const;
    QString ComboList(int box, int index) const;
    void ComboAddItem(int box, const QString& text);       // appends; the box's text stays
    void ComboAddItems(int box, const QStringList& texts); // all in one change of the list
    void ComboClear(int box);                              // the list and the text

    // --- drop-down lists, numbered from 1
    void DropDownClear(int list);
    // position: index of the new entry; outside 0..count it is appended.
    void DropDownAddItem(int list, const QString& text, int position = -1);
    int DropDownListIndex(int list) const;
    void SetDropDownListIndex(int list, int index); // the cell shows the chosen entry
    QString DropDownList(int list, int index) const;
    int DropDownListCount(int list) const;

    // --- layout
    void ResizeColumns(int col); // captions fit their texts, values take the rest
    void ResizeRows(int row);    // one height for every row, enough for the editors
    void Refresh();
    // The height that shows every row without scrolling.
    int FullHeight() const;

signals:
    void ComboChange(int box); // the user changed a history box's text
    void ComboKeyDown(int box, int keyCode, int shift);
    void CellButtonClick(int col, int row);
    void MouseMove(int button, int shift, int x, int y);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Placed {
        CellEditor editor = CellEditor::HistoryBox;
        int number = 0;            // box or list
        QWidget* holder = nullptr; // the cell widget
        QLineEdit* edit = nullptr; // where the text is typed
        QToolButton* button = nullptr;
        QString buttonName; // empty: the row's caption
    };
    using CellKey = std::pair<int, int>; // row, column

    QComboBox* NewCombo();
    static int EditorHeight();     // an editable combo box's, measured once a font
    QComboBox* DropDown(int list); // made on first use
    QTableWidgetItem* Item(int row, int col);
    const Placed* PlacedAt(int row, int col) const;
    void Place(int row, int col, Placed placed, QWidget* content);
    void TakeOut(int row, int col);
    void StyleCell(int row, int col);
    void NameEditors(int row); // after the row's caption or editor changed
    void WatchEditor(QWidget* widget);
    void TrackMouse(QWidget* source, const QPoint& pos, Qt::MouseButtons buttons,
                    Qt::KeyboardModifiers modifiers);
    bool EnteredByTab(QWidget* widget, Qt::FocusReason reason);
    bool KeyPressed(QWidget* widget, const QKeyEvent& key); // true: handled
    bool MoveBetweenValueCells(QWidget* from, int step);
    bool LeaveGrid(bool forward);
    int RowOfEditor(QWidget* widget) const;
    int BoxOfEditor(QObject* widget) const;
    void FocusValueCell(int row);
    void ShowCaptionRow();      // row 0 as the header, when it is the one caption row
    void MarkFocusRow(int row); // -1: the focus is outside the grid

    QTableWidget* m_table = nullptr;
    int m_markedRow = -1;
    QMetaObject::Connection m_focusWatch; // the application's focus changes
    int m_fixedCount = 1;
    int m_mouseRow = -1;
    int m_mouseCol = -1;
    std::vector<int> m_alignment{1, 1};
    std::vector<QComboBox*> m_historyBoxes;
    std::map<int, QComboBox*> m_dropDowns;
    std::map<CellKey, Placed> m_placed;
};

} // namespace k2k
