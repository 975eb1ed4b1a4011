#pragma once
// One registered-types dialog (frmPartRegTypes, frmSymRegTypes, frmPkgRegTypes or
// frmPadRegTypes): a tab per table (tabRegister, pages picRegister0 to 3), a tree per tab
// named after its table (treType, treManufacturer, ...), Accept and Cancel, and the pop-up
// menu mnuPopUp of a node's right click. The rules are RegTypesEditor's: the dialog passes
// on clicks, keys and label edits and mirrors every change the editor reports (one item
// per node, at the place among its siblings the editor gives).
//
// A dialog is made on first use and kept: OK, Cancel and the close box only hide it, so the
// trees and the picked paths last while the browser runs. It belongs to the browser's
// window, which deletes it when it unloads.

#include "regtypes/RegTypesEditor.h"

#include <QDialog>
#include <QIcon>

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

class QAction;
class QMenu;
class QPushButton;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace k2k {

class SuiteServices;

class RegTypesDialog final : public QDialog, private RegTypesView {
    Q_OBJECT
public:
    RegTypesDialog(RegTypesKind kind, RegTypeTables& tables, SuiteServices& services,
                   const QFont& font, QWidget* parent = nullptr);
    ~RegTypesDialog() override;

    RegTypesEditor& Editor() noexcept { return m_editor; }
    // Ctrl+F1: the browser's help topic.
    void SetHelpHandler(std::function<void()> handler) { m_help = std::move(handler); }

    // Editing use: modal, centred on the screen; true when closed with OK.
    bool OpenForEditing();
    // Picking use: only the tab of the table can be chosen; answers the path picked on it by
    // this OK (8-bit text). Closed any other way it answers an empty text, so that the cell
    // of the pick stays as it was, as a cancelled simulation pick leaves its cells. The
    // caller sets the caption first.
    std::string Pick(int table);

    QTreeWidget* Tree(int tab) const { return m_trees.at(static_cast<std::size_t>(tab)); }
    QMenu* PopUpMenu() const noexcept { return m_popup; }

    // Closes the dialog as Cancel does.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // --- what the editor reports
    void NodeAdded(int tab, NodeId node) override;
    void NodeTextChanged(int tab, NodeId node) override;
    void NodeRemoving(int tab, NodeId node) override;
    void TreeRebuilt(int tab) override;
    void ShowNode(int tab, NodeId node) override;
    void StartLabelEdit(int tab, NodeId node) override;
    std::string AskFindPattern(const std::string& prompt) override;

    void BuildPopUpMenu();
    void cmdOK_Click();
    void tabRegister_Click(int index);
    void ShowPopUp(int tab, const QPoint& position);
    void CurrentItemChanged(int tab, QTreeWidgetItem* item);
    QTreeWidgetItem* MakeItem(int tab, NodeId node);
    QTreeWidgetItem* Item(int tab, NodeId node) const;
    NodeId NodeOf(const QTreeWidgetItem* item) const;
    // Puts an item at the editor's place for its node among its siblings.
    void Place(int tab, NodeId node, QTreeWidgetItem* item);
    void MoveToSortedPlace(int tab, NodeId node);
    const QIcon& Icon(const std::string& key);
    void Closed();

    RegTypesEditor m_editor;
    SuiteServices& m_services;
    QFont m_font;
    QTabWidget* m_tabs = nullptr;
    std::vector<QTreeWidget*> m_trees;
    std::vector<std::vector<QTreeWidgetItem*>> m_items; // per tab, by node
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QMenu* m_popup = nullptr;
    QAction* m_find = nullptr;
    QAction* m_findNext = nullptr;
    QAction* m_separator = nullptr;
    QAction* m_addNew = nullptr;
    QAction* m_addTopLevel = nullptr;
    QAction* m_rename = nullptr;
    QAction* m_delete = nullptr;
    std::unordered_map<std::string, QIcon> m_icons;
    std::function<void()> m_help;
    bool m_syncing = false; // the dialog itself changes the trees' current items
    bool m_loaded = false;
};

} // namespace k2k
