#pragma once
// The result list of one kind (egrdPartSearchResults, egrdSymbolSearchResults,
// egrdPackageSearchResults, egrdPadstackSearchResults) over its ResultListModel: header
// clicks sort and flip the order, every change of the selection (mouse or keys) counts it
// into the status bar, a right-button release opens the kind's pop-up menu enabled by the
// core's rules, keys run the menu's tools, and a drag carries the selected rows' drop
// records. Home and End go to the first and last row, as in any list.
//
// The view carries out the tools that touch only the list (Select All, Delete From List,
// Save List; Properties does nothing) and Delete, which also deletes the objects. Every
// other tool it hands to the window through toolChosen, with what the window needs at hand:
// the selection, the focused result and the drop records.

#include "browser/DropRecords.h"
#include "browser/ResultCommands.h"
#include "browser/SaveList.h"
#include "formats/LibraryFile.h"

#include <QString>
#include <QTableView>

#include <functional>
#include <string>
#include <vector>

class QMenu;
class QMimeData;

namespace k2k {

class BrowserComponent;
class ResultColumnWidths;
class ResultListModel;

class ResultListView final : public QTableView {
    Q_OBJECT

public:
    ResultListView(BrowserComponent& browser, LibraryKind kind, QWidget* parent = nullptr);

    LibraryKind Kind() const noexcept { return m_kind; }
    ResultListModel& Model() noexcept { return *m_model; }

    // --- the selection
    // The selected results, in list order.
    std::vector<int> SelectedResults() const;
    // The result of the list's focused row; 0 when there is none.
    int FocusedResult() const;
    // The selection as it is, however it was made: a row chosen with the keys counts.
    bool MoreThanOneSelected() const { return SelectedCount() > 1; }
    bool AtLeastOneSelected() const { return SelectedCount() > 0; }
    // The drop records of the selection, for a drag and for the edit and send tools.
    std::vector<BWR_SEARCHRESULT> CollectDropRecords() const;
    // The data a drag of the selection carries: the drop records and the focused row's key.
    // The records reach the drop-data handler when a drop target first asks for the data.
    QMimeData* DragMimeData() const;

    // --- the tools
    // Runs a tool of the kind's pop-up menu as the menu and the keys do; caption is the
    // chosen tool's caption (the symbol of the symbol-groups menu).
    void RunTool(ResultTool tool, const QString& caption = {});
    void SelectAll();
    void DeleteFromList();
    void SaveList();
    // Delete: the selected objects deleted from their libraries or the project, after a
    // question, and their rows removed.
    void DeleteFromLib();

    // The kind's pop-up menu; PreparePopup captions its tools in the suite's current
    // language and enables them for the current selection.
    QMenu* PopupMenu() const noexcept { return m_popup; }
    void PreparePopup();
    void LocaliseTools();

    // --- the columns
    // After a search: the columns fit their rows (fit true) or take the list's default
    // width, save those a person sized by hand (ResultColumnWidths).
    void FitColumns(bool fit);
    // A tool's menu entry by name (the symbol-groups tools included); nullptr if none.
    QAction* Tool(const QString& name) const;

    // --- what the window provides
    void SetBusyCheck(std::function<bool()> busy) { m_busy = std::move(busy); }
    // The library of the Part grid (row 2), the caption of the named-library tool.
    void SetPartGridLibrary(std::function<std::string()> library) {
        m_partGridLibrary = std::move(library);
    }
    void SetSaveFileChooser(SaveFileChooser choose) { m_chooseFile = std::move(choose); }
    // Takes the drop records of a drag as the host's upload drop list, when it is dropped.
    void SetDropDataHandler(std::function<void(const std::vector<BWR_SEARCHRESULT>&)> handler) {
        m_dropData = std::move(handler);
    }

signals:
    // A text for the status bar.
    void statusMessage(const QString& text);
    // A tool the window carries out (edit, send, find alias, used by part, view).
    void toolChosen(k2k::ResultTool tool, const QString& caption);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // The menu key (or Shift+F10) opens the pop-up menu at the focused row; the mouse opens
    // it on the right button's release.
    void contextMenuEvent(QContextMenuEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;

private:
    // The view row of the first selected row; -1 without one.
    int FirstSelectedRow() const;
    // Lists the rows anew after a delete took rows from the list.
    void ListAfterDelete(int firstDeletedRow);
    void BuildPopup();
    QMenu* BuildBand(std::string_view bandName, QWidget* parent);
    void RebuildSymbolGroups();
    bool Busy() const { return m_busy && m_busy(); }
    int SelectedCount() const;
    // The count of the selection into the status bar, in the kind's words.
    void ShowSelectedCount();
    void ClearSortIndicator();

    BrowserComponent& m_browser;
    LibraryKind m_kind;
    ResultListModel* m_model;
    QMenu* m_popup = nullptr;
    QMenu* m_symbolGroups = nullptr;
    ResultColumnWidths* m_widths = nullptr;
    bool m_ascending = false; // flipped before each sort: the first click sorts ascending
    std::function<bool()> m_busy;
    std::function<std::string()> m_partGridLibrary;
    SaveFileChooser m_chooseFile;
    std::function<void(const std::vector<BWR_SEARCHRESULT>&)> m_dropData;
};

} // namespace k2k
