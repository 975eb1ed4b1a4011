#include "regtypes/ui/RegTypesDialog.h"

#include "common/Messages.h"
#include "platform/SuiteServices.h"
#include "platform/ui/DialogPlace.h"
#include "platform/ui/HelpKey.h"
#include "platform/ui/Kldquery.h"
#include "platform/ui/LocaliseForm.h"
#include "platform/ui/SuiteText.h"
#include "regtypes/ui/RegTypeImages.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace k2k {

namespace {

constexpr int kNodeRole = Qt::UserRole;

// Label editing goes through the editor: it decides whether a label may be edited, and a
// finished edit is its UpdateEntryValue, which reports the new text back when it keeps it.
class LabelDelegate final : public QStyledItemDelegate {
public:
    LabelDelegate(RegTypesEditor& editor, std::function<NodeId(const QModelIndex&)> nodeOf,
                  QObject* parent)
        : QStyledItemDelegate(parent), m_editor(editor), m_nodeOf(std::move(nodeOf)) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        m_editor.SelectNode(m_nodeOf(index));
        if (!m_editor.CanEditLabel())
            return nullptr;
        return QStyledItemDelegate::createEditor(parent, option, index);
    }

    void setModelData(QWidget* editor, QAbstractItemModel*,
                      const QModelIndex& index) const override {
        const auto* line = qobject_cast<QLineEdit*>(editor);
        if (!line)
            return;
        const std::optional<std::string> text = ToSuiteText(line->text());
        m_editor.SelectNode(m_nodeOf(index));
        if (text)
            m_editor.UpdateEntryValue(*text);
    }

private:
    RegTypesEditor& m_editor;
    std::function<NodeId(const QModelIndex&)> m_nodeOf;
};

QAction* MenuItem(QMenu* menu, const char* name, const char* caption, const char* tag) {
    QAction* action = menu->addAction(QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(name));
    SetTag(*action, tag);
    return action;
}

} // namespace

RegTypesDialog::RegTypesDialog(RegTypesKind kind, RegTypeTables& tables, SuiteServices& services,
                               const QFont& font, QWidget* parent)
    : QDialog(parent), m_editor(kind, tables, services, *this), m_services(services), m_font(font) {
    new HelpKey(*this, [this] {
        if (m_help)
            m_help();
    });
    const RegTypesForm& form = m_editor.Form();
    setObjectName(QString::fromLatin1(form.formName));
    setWindowTitle(QString::fromLatin1(form.caption));
    SetTag(*this, form.captionId);
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setModal(true);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tabRegister"));
    for (std::size_t i = 0; i < form.tabs.size(); ++i) {
        auto* box = new QWidget(m_tabs);
        box->setObjectName(QStringLiteral("picRegister%1").arg(i));
        auto* tree = new QTreeWidget(box);
        tree->setObjectName(QString::fromLatin1(form.tabs[i].treeName));
        tree->setHeaderHidden(true);
        tree->setColumnCount(1);
        tree->setSortingEnabled(false); // the editor keeps the children sorted
        tree->setUniformRowHeights(true);
        tree->setIconSize(QSize(kRegTypeImageSize, kRegTypeImageSize));
        tree->setEditTriggers(QAbstractItemView::SelectedClicked |
                              QAbstractItemView::EditKeyPressed);
        tree->setContextMenuPolicy(Qt::CustomContextMenu);
        tree->setItemDelegate(new LabelDelegate(
            m_editor, [](const QModelIndex& index) { return index.data(kNodeRole).toInt(); },
            tree));
        const int tab = static_cast<int>(i);
        connect(tree, &QTreeWidget::customContextMenuRequested, this,
                [this, tab](const QPoint& position) { ShowPopUp(tab, position); });
        connect(tree, &QTreeWidget::currentItemChanged, this,
                [this, tab](QTreeWidgetItem* item) { CurrentItemChanged(tab, item); });
        auto* layout = new QVBoxLayout(box);
        layout->setContentsMargins(4, 4, 4, 4);
        layout->addWidget(tree);
        m_tabs->addTab(box, QString::fromLatin1(form.tabs[i].caption));
        m_trees.push_back(tree);
        m_items.emplace_back();
    }
    connect(m_tabs, &QTabWidget::currentChanged, this, &RegTypesDialog::tabRegister_Click);

    m_ok = new QPushButton(QStringLiteral("Accept"), this);
    m_ok->setObjectName(QStringLiteral("cmdOK"));
    SetTag(*m_ok, "99177");
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("cmdCancel"));
    SetTag(*m_cancel, "99388");
    // Enter ends a label edit; it must not close the dialog as well.
    m_ok->setAutoDefault(false);
    m_cancel->setAutoDefault(false);
    connect(m_ok, &QPushButton::clicked, this, &RegTypesDialog::cmdOK_Click);
    connect(m_cancel, &QPushButton::clicked, this, &RegTypesDialog::reject);
    connect(this, &QDialog::finished, this, &RegTypesDialog::Closed);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addLayout(buttons);
    resize(380, 440);

    BuildPopUpMenu();

    // Form load: the captions in the suite's language, every tree, then the tab captions.
    LocaliseForm(*this, services, font);
    m_editor.Load();
    for (std::size_t i = 0; i < form.tabs.size(); ++i)
        m_tabs->setTabText(static_cast<int>(i), FromSuiteText(services.GetText(
                                                    form.tabs[i].caption, form.tabs[i].captionId)));
    NameTabPages(*m_tabs);
    m_loaded = true;
}

RegTypesDialog::~RegTypesDialog() = default;

void RegTypesDialog::BuildPopUpMenu() {
    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("mnuPopUp"));
    m_find = MenuItem(m_popup, "mnuFind", "&Find", "5126");
    m_findNext = MenuItem(m_popup, "mnuFindNxt", "Find &Next", "4943");
    m_separator = m_popup->addSeparator();
    m_separator->setObjectName(QStringLiteral("mnuSep1"));
    m_addNew = MenuItem(m_popup, "mnuAddNew", "&Add", "999");
    m_addTopLevel = MenuItem(m_popup, "mnuAddTopLev", "Add &Top Level", "4942");
    m_rename = MenuItem(m_popup, "mnuRename", "&Rename", "1311");
    m_delete = MenuItem(m_popup, "mnuDelete", "&Delete", "9928");

    // The find keys work whether the menu is open or not.
    m_find->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    m_findNext->setShortcut(QKeySequence(Qt::Key_F3));
    for (QAction* action : {m_find, m_findNext}) {
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(action);
    }
    connect(m_find, &QAction::triggered, this, [this] { m_editor.FindFirst(); });
    connect(m_findNext, &QAction::triggered, this, [this] { m_editor.FindNext(); });
    connect(m_addNew, &QAction::triggered, this, [this] { m_editor.AddNew(); });
    connect(m_addTopLevel, &QAction::triggered, this, [this] { m_editor.AddTopLevel(); });
    connect(m_rename, &QAction::triggered, this,
            [this] { StartLabelEdit(m_editor.CurrentTab(), m_editor.CurrentNode()); });
    connect(m_delete, &QAction::triggered, this, [this] { m_editor.Delete(); });
}

// --- the uses

bool RegTypesDialog::OpenForEditing() {
    CentreOverParent(*this);
    m_editor.BeginEditing();
    exec();
    return m_editor.EndEditing();
}

std::string RegTypesDialog::Pick(int table) {
    const int tab = TabOfTable(table);
    for (int i = 0; i < m_tabs->count(); ++i)
        m_tabs->setTabEnabled(i, i == tab);
    m_tabs->setCurrentIndex(tab);
    if (exec() != QDialog::Accepted)
        return {};
    return m_editor.PickedPath(tab);
}

void RegTypesDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    raise();
    m_editor.Activate();
    if (QTreeWidget* tree = Tree(m_editor.CurrentTab()))
        tree->setFocus();
}

void RegTypesDialog::cmdOK_Click() {
    // An open label edit ends first, so that its text is kept.
    if (QWidget* focus = focusWidget(); focus && qobject_cast<QLineEdit*>(focus))
        focus->clearFocus();
    m_editor.Ok();
    accept();
}

void RegTypesDialog::reject() {
    m_editor.Cancel();
    QDialog::reject();
}

void RegTypesDialog::Closed() {
    for (int i = 0; i < m_tabs->count(); ++i)
        m_tabs->setTabEnabled(i, true);
}

// --- the user's actions

void RegTypesDialog::tabRegister_Click(int index) {
    if (!m_loaded || index < 0)
        return;
    m_editor.ChangeTab(index);
    Tree(index)->setFocus();
}

void RegTypesDialog::CurrentItemChanged(int tab, QTreeWidgetItem* item) {
    if (m_syncing || tab != m_editor.CurrentTab())
        return;
    m_editor.SelectNode(item ? NodeOf(item) : kNoNode);
}

void RegTypesDialog::ShowPopUp(int tab, const QPoint& position) {
    QTreeWidget* tree = Tree(tab);
    QTreeWidgetItem* item = tree->itemAt(position);
    if (!item && tree->topLevelItemCount() > 0)
        return; // the menu opens on a node, or anywhere in an empty tree
    NodeId node = kNoNode;
    if (item) {
        tree->setCurrentItem(item);
        node = NodeOf(item);
        m_editor.SelectNode(node);
    }
    const PopupMenuState menu = m_editor.MenuFor(node);
    m_find->setVisible(menu.findVisible);
    m_findNext->setVisible(menu.findNextVisible);
    m_separator->setVisible(menu.separatorVisible);
    m_addNew->setVisible(menu.addVisible);
    m_addTopLevel->setVisible(menu.addTopLevelVisible);
    m_rename->setVisible(menu.renameVisible);
    m_delete->setVisible(menu.deleteVisible);
    m_rename->setEnabled(menu.renameEnabled);
    m_delete->setEnabled(menu.deleteEnabled);
    m_popup->popup(tree->viewport()->mapToGlobal(position));
}

// --- what the editor reports

const QIcon& RegTypesDialog::Icon(const std::string& key) {
    auto found = m_icons.find(key);
    if (found == m_icons.end())
        found = m_icons.emplace(key, RegTypeIcon(key)).first;
    return found->second;
}

QTreeWidgetItem* RegTypesDialog::MakeItem(int tab, NodeId node) {
    const RegTypeNode& shown = m_editor.Tree(tab).Node(node);
    auto* item = new QTreeWidgetItem;
    item->setText(0, FromSuiteText(shown.text));
    item->setIcon(0, Icon(shown.image));
    item->setData(0, kNodeRole, node);
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    auto& items = m_items[static_cast<std::size_t>(tab)];
    if (items.size() <= static_cast<std::size_t>(node))
        items.resize(static_cast<std::size_t>(node) + 1, nullptr);
    items[static_cast<std::size_t>(node)] = item;
    return item;
}

QTreeWidgetItem* RegTypesDialog::Item(int tab, NodeId node) const {
    const auto& items = m_items[static_cast<std::size_t>(tab)];
    return node >= 0 && static_cast<std::size_t>(node) < items.size()
               ? items[static_cast<std::size_t>(node)]
               : nullptr;
}

NodeId RegTypesDialog::NodeOf(const QTreeWidgetItem* item) const {
    return item ? item->data(0, kNodeRole).toInt() : kNoNode;
}

void RegTypesDialog::TreeRebuilt(int tab) {
    QTreeWidget* tree = Tree(tab);
    const RegTypeTree& core = m_editor.Tree(tab);
    m_syncing = true;
    tree->clear();
    m_items[static_cast<std::size_t>(tab)].clear();
    // Children first, then their parents, so that every item is filled before it is shown.
    std::function<QTreeWidgetItem*(NodeId)> build = [&](NodeId node) {
        QTreeWidgetItem* item = MakeItem(tab, node);
        QList<QTreeWidgetItem*> children;
        for (NodeId child : core.Children(node))
            children.append(build(child));
        item->addChildren(children);
        return item;
    };
    QList<QTreeWidgetItem*> roots;
    for (NodeId root : core.Roots())
        roots.append(build(root));
    tree->addTopLevelItems(roots);
    tree->setCurrentItem(nullptr);
    m_syncing = false;
}

void RegTypesDialog::Place(int tab, NodeId node, QTreeWidgetItem* item) {
    const RegTypeTree& core = m_editor.Tree(tab);
    const int index = core.SiblingIndex(node);
    QTreeWidget* tree = Tree(tab);
    QTreeWidgetItem* parent = Item(tab, core.Node(node).parent);
    if (parent)
        parent->insertChild(index, item);
    else
        tree->insertTopLevelItem(index, item);
}

void RegTypesDialog::NodeAdded(int tab, NodeId node) {
    Place(tab, node, MakeItem(tab, node));
}

void RegTypesDialog::NodeTextChanged(int tab, NodeId node) {
    QTreeWidgetItem* item = Item(tab, node);
    if (!item)
        return;
    item->setText(0, FromSuiteText(m_editor.Tree(tab).Node(node).text));
    // A label edit reports its text while the view still holds the editor; the node moves
    // once the view has closed it.
    QMetaObject::invokeMethod(
        this, [this, tab, node] { MoveToSortedPlace(tab, node); }, Qt::QueuedConnection);
}

void RegTypesDialog::MoveToSortedPlace(int tab, NodeId node) {
    QTreeWidgetItem* item = Item(tab, node);
    if (!item)
        return;
    QTreeWidgetItem* parent = item->parent();
    QTreeWidget* tree = Tree(tab);
    const int now = parent ? parent->indexOfChild(item) : tree->indexOfTopLevelItem(item);
    if (now == m_editor.Tree(tab).SiblingIndex(node))
        return;
    // The node moves to its sorted place; it stays current and keeps its subtree open.
    const bool current = tree->currentItem() == item;
    const bool expanded = item->isExpanded();
    m_syncing = true;
    if (parent)
        parent->takeChild(now);
    else
        tree->takeTopLevelItem(now);
    Place(tab, node, item);
    item->setExpanded(expanded);
    if (current)
        tree->setCurrentItem(item);
    m_syncing = false;
}

void RegTypesDialog::NodeRemoving(int tab, NodeId node) {
    QTreeWidgetItem* item = Item(tab, node);
    if (!item)
        return;
    const RegTypeTree& core = m_editor.Tree(tab);
    std::vector<NodeId> pending{node};
    while (!pending.empty()) {
        const NodeId id = pending.back();
        pending.pop_back();
        m_items[static_cast<std::size_t>(tab)][static_cast<std::size_t>(id)] = nullptr;
        for (NodeId child : core.Children(id))
            pending.push_back(child);
    }
    m_syncing = true;
    delete item; // with its children
    Tree(tab)->setCurrentItem(nullptr);
    m_syncing = false;
}

void RegTypesDialog::ShowNode(int tab, NodeId node) {
    QTreeWidgetItem* item = Item(tab, node);
    if (!item)
        return;
    QTreeWidget* tree = Tree(tab);
    m_syncing = true;
    tree->setCurrentItem(item);
    m_syncing = false;
    tree->scrollToItem(item);
}

void RegTypesDialog::StartLabelEdit(int tab, NodeId node) {
    if (QTreeWidgetItem* item = Item(tab, node))
        Tree(tab)->editItem(item);
}

// The find commands' question: a beep, then the query box (made on first use and kept, a
// child of this dialog) asks in one text box under the title "Library Browser"; Ctrl+F1
// there shows this dialog's help. Empty when cancelled.
std::string RegTypesDialog::AskFindPattern(const std::string& prompt) {
    QApplication::beep();
    auto* query = findChild<Kldquery*>(QString(), Qt::FindDirectChildrenOnly);
    if (!query)
        query = new Kldquery(m_services, m_font, this);
    query->SetHelpHandler(m_help);
    std::vector<std::string> values(1);
    int index = 0;
    return query->QUERY(ApplicationTitle(m_services), prompt, values, 1, index);
}

} // namespace k2k
