#include "browser/ui/ResultListView.h"

#include "browser/BrowserComponent.h"
#include "browser/DeleteFromLibrary.h"
#include "browser/ResultCommands.h"
#include "browser/ui/BrowserImages.h"
#include "browser/ui/ResultColumnWidths.h"
#include "browser/ui/ResultListModel.h"
#include "common/Messages.h"
#include "platform/Kernel.h"
#include "platform/ui/Hourglass.h"
#include "platform/ui/LocaliseForm.h"
#include "platform/ui/SuiteText.h"
#include "search/ResultList.h"
#include "search/ResultRows.h"
#include "system/Text.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDrag>
#include <QFileDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>

#include <algorithm>

namespace k2k {
namespace {

constexpr const char* kViewNames[] = {"egrdPartSearchResults", "egrdSymbolSearchResults",
                                      "egrdPackageSearchResults", "egrdPadstackSearchResults"};
// What a screen reader calls each list, and the identifiers of this system's own texts.
constexpr const char* kReaderNames[] = {"Part results", "Symbol results", "Package results",
                                        "Padstack results"};
constexpr const char* kReaderNameIds[] = {"992260", "992261", "992262", "992263"};

QString ToolCaption(const PopupTool& tool) {
    return QString::fromUtf8(tool.caption.text.data(),
                             static_cast<qsizetype>(tool.caption.text.size()));
}

std::filesystem::path ChooseWithDialog(QWidget* parent, const SaveListDialog& setup) {
    QFileDialog dialog(parent, FromSuiteText(setup.title));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(FromSuiteText(setup.defaultExtension));
    dialog.setNameFilter(FromSuiteText(setup.filter));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !setup.overwritePrompt);
    dialog.selectFile(FromSuiteText(setup.fileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return std::filesystem::path(dialog.selectedFiles().front().toStdString());
}

// The keys that run a tool of the pop-up menu; the menu shows them beside the tools.
struct ToolKey {
    QKeyCombination key;
    ResultTool tool;
};

const ToolKey kToolKeys[] = {
    {Qt::CTRL | Qt::Key_A, ResultTool::SelectAll},
    {Qt::CTRL | Qt::Key_S, ResultTool::SaveList},
    {QKeyCombination(Qt::Key_Delete), ResultTool::DeleteFromList},
    {Qt::SHIFT | Qt::Key_Delete, ResultTool::Delete},
    {QKeyCombination(Qt::Key_F4), ResultTool::Properties},
    {Qt::CTRL | Qt::Key_D, ResultTool::OpenDatasheet},
};

// A click on (or Enter at) View Symbol when it opens the symbol-groups sub-menu views the
// part's first symbol, as View Symbol does without one; pointing at it opens the sub-menu
// to choose another.
class FirstSymbolOnClick final : public QObject {
public:
    FirstSymbolOnClick(QMenu& menu, std::function<void()> view)
        : QObject(&menu), m_menu(menu), m_view(std::move(view)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        QAction* action = nullptr;
        if (event->type() == QEvent::MouseButtonRelease)
            action = m_menu.actionAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter)
                action = m_menu.activeAction();
        }
        if (action == nullptr || action->menu() == nullptr ||
            action->objectName() != QLatin1String("ATB_PartViewSymbol"))
            return QObject::eventFilter(watched, event);
        m_menu.close();
        m_view();
        return true;
    }

private:
    QMenu& m_menu;
    std::function<void()> m_view;
};

// The data of a drag: the drop records go to the host (upload) only when a drop target asks
// for the data, so a drag that is cancelled or dropped where nothing takes it uploads nothing.
class DropMimeData final : public QMimeData {
public:
    explicit DropMimeData(std::function<void()> upload) : m_upload(std::move(upload)) {}

protected:
    QVariant retrieveData(const QString& format, QMetaType type) const override {
        if (m_upload && (format == QLatin1String(kDropRecordsMimeType) ||
                         format == QLatin1String(kDropKeyMimeType)))
            std::exchange(m_upload, nullptr)();
        return QMimeData::retrieveData(format, type);
    }

private:
    mutable std::function<void()> m_upload;
};

} // namespace

ResultListView::ResultListView(BrowserComponent& browser, LibraryKind kind, QWidget* parent)
    : QTableView(parent), m_browser(browser), m_kind(kind),
      m_model(new ResultListModel(browser.State().search.Results(kind),
                                  browser.State().displayOptions, this)) {
    setObjectName(QString::fromLatin1(kViewNames[static_cast<int>(kind)]));
    SetAccessibleName(*this, QString::fromLatin1(kReaderNames[static_cast<int>(kind)]),
                      kReaderNameIds[static_cast<int>(kind)]);
    m_model->LocaliseCaptions(browser.Services());
    setModel(m_model);
    // A table keeps no record per row (a tree view keeps one of some 40 bytes and lays them
    // all out again after every batch), so a million rows cost the view next to nothing.
    // It looks like a report list: no grid, no row numbers, rows of one height.
    setShowGrid(false);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setHighlightSections(false);
    // Fitting a column to its contents measures this many rows, from the first in sight: a
    // screen or two of them. Each costs some microseconds of text layout, so a thousand
    // rows in each of a dozen columns would stop the window for tens of milliseconds at the
    // end of every search.
    horizontalHeader()->setResizeContentsPrecision(100);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false); // Tab leaves the list for the window's next control
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::CopyAction);
    setSortingEnabled(false); // the header click below sorts, flipping the order each time
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setStretchLastSection(false);
    // The indicator is on from the start, with no column, so that every section is measured
    // with room for the arrow beside its caption.
    horizontalHeader()->setSortIndicatorShown(true);
    ClearSortIndicator();
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        m_ascending = !m_ascending;
        const Qt::SortOrder order = m_ascending ? Qt::AscendingOrder : Qt::DescendingOrder;
        m_model->sort(column, order);
        horizontalHeader()->setSortIndicator(column, order);
    });
    m_widths = new ResultColumnWidths(*this);
    // An emptied list (New Search) is sorted by nothing.
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        if (m_model->rowCount() == 0)
            ClearSortIndicator();
    });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!Busy())
            ShowSelectedCount();
    });
    m_busy = [this] { return m_browser.IsSearching(); };
    m_chooseFile = [this](const SaveListDialog& setup) { return ChooseWithDialog(this, setup); };
    BuildPopup();
}

// --- the selection

int ResultListView::SelectedCount() const {
    return static_cast<int>(selectionModel()->selectedRows().size());
}

void ResultListView::ShowSelectedCount() {
    emit statusMessage(
        FromSuiteText(SelectedCountText(m_browser.Services(), m_kind, SelectedCount(), false)));
}

void ResultListView::ClearSortIndicator() {
    horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_ascending = false;
}

void ResultListView::FitColumns(bool fit) {
    m_widths->Fit(fit);
}

std::vector<int> ResultListView::SelectedResults() const {
    std::vector<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::ranges::sort(rows);
    std::vector<int> results;
    results.reserve(rows.size());
    for (int row : rows)
        results.push_back(m_model->ResultOfRow(row));
    return results;
}

int ResultListView::FocusedResult() const {
    QModelIndex focused = currentIndex();
    if (!focused.isValid()) {
        const QModelIndexList selected = selectionModel()->selectedRows();
        if (selected.isEmpty())
            return 0;
        focused = selected.front();
    }
    return m_model->ResultOfRow(focused.row());
}

std::vector<BWR_SEARCHRESULT> ResultListView::CollectDropRecords() const {
    return k2k::CollectDropRecords(m_model->Results(), SelectedResults(), m_browser.Dirs().libDir);
}

QMimeData* ResultListView::DragMimeData() const {
    std::vector<BWR_SEARCHRESULT> collected = CollectDropRecords();
    const std::string records = EncodeDropRecords(collected);
    auto* mime = new DropMimeData([upload = m_dropData, collected = std::move(collected)] {
        if (upload)
            upload(collected);
    });
    mime->setData(QString::fromLatin1(kDropRecordsMimeType),
                  QByteArray(records.data(), static_cast<qsizetype>(records.size())));
    if (const int focused = FocusedResult()) {
        const std::string key = RowKey(m_kind, focused);
        mime->setData(QString::fromLatin1(kDropKeyMimeType),
                      QByteArray(key.data(), static_cast<qsizetype>(key.size())));
    }
    return mime;
}

// --- the tools

void ResultListView::RunTool(ResultTool tool, const QString& caption) {
    switch (tool) {
    case ResultTool::SelectAll:
        SelectAll();
        break;
    case ResultTool::DeleteFromList:
        DeleteFromList();
        break;
    case ResultTool::SaveList:
        SaveList();
        break;
    case ResultTool::Delete:
        DeleteFromLib();
        break;
    case ResultTool::Properties:
    case ResultTool::SendTo:
    case ResultTool::UsedByPart:
        break;
    default:
        emit toolChosen(tool, caption);
        break;
    }
}

void ResultListView::SelectAll() {
    if (m_model->rowCount() == 0)
        return;
    {
        Hourglass hourglass;
        selectAll();
    }
    ShowSelectedCount();
}

int ResultListView::FirstSelectedRow() const {
    int first = -1;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        if (first < 0 || index.row() < first)
            first = index.row();
    return first;
}

void ResultListView::ListAfterDelete(int firstDeletedRow) {
    m_model->Reset();
    // The row that took the first deleted one's place (the last row when the deleted ones
    // were last) is selected and current, so the keys go on from there.
    const int rows = m_model->rowCount();
    if (firstDeletedRow >= 0 && rows > 0) {
        const QModelIndex next = m_model->index(std::min(firstDeletedRow, rows - 1), 0);
        selectionModel()->setCurrentIndex(next, QItemSelectionModel::ClearAndSelect |
                                                    QItemSelectionModel::Rows);
        scrollTo(next);
    }
    ShowSelectedCount();
}

void ResultListView::DeleteFromList() {
    Hourglass hourglass;
    const int first = FirstSelectedRow();
    if (k2k::DeleteFromList(m_model->Results(), SelectedResults()) > 0)
        ListAfterDelete(first);
}

void ResultListView::DeleteFromLib() {
    DeleteFromLibSetup setup;
    setup.libraryDir = m_browser.Dirs().libDir;
    setup.atLeastOneSelected = AtLeastOneSelected();
    setup.setHourglass = [](bool on) {
        if (on)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    };
    const int first = FirstSelectedRow();
    if (k2k::DeleteFromLib(m_model->Results(), SelectedResults(), setup, m_browser.GetKernel(),
                           m_browser.Services()) > 0)
        ListAfterDelete(first);
}

void ResultListView::SaveList() {
    const SaveFileChooser choose = [this](const SaveListDialog& setup) {
        const std::filesystem::path chosen = m_chooseFile(setup);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        return chosen;
    };
    const SaveListOutcome outcome =
        k2k::SaveList(m_model->Results(), m_model->Columns(), choose, m_browser.Services(),
                      m_browser.Services().Boxes());
    if (outcome != SaveListOutcome::EmptyList)
        QApplication::restoreOverrideCursor();
}

// --- the pop-up menus

QMenu* ResultListView::BuildBand(std::string_view bandName, QWidget* parent) {
    const PopupBand* band = nullptr;
    for (LibraryKind kind : kAllKinds)
        if (PopupBandOf(kind).name == bandName)
            band = &PopupBandOf(kind);
    if (band == nullptr)
        band = SubBand(bandName);
    auto* menu = new QMenu(parent);
    menu->setObjectName(
        QString::fromLatin1(band->name.data(), static_cast<qsizetype>(band->name.size())));
    menu->setTitle(
        QString::fromLatin1(band->caption.data(), static_cast<qsizetype>(band->caption.size())));
    for (const PopupTool& tool : band->tools) {
        QString caption = ToolCaption(tool);
        if (tool.caption.id != 0)
            caption = FromSuiteText(
                LocalText(m_browser.Services(), DecimalText(tool.caption.id), tool.caption.text));
        QAction* action = nullptr;
        if (!tool.subMenu.empty()) {
            QMenu* sub = BuildBand(tool.subMenu, menu);
            sub->setTitle(caption);
            action = menu->addMenu(sub);
        } else {
            action = menu->addAction(caption);
            connect(action, &QAction::triggered, this, [this, action, chosen = tool.tool] {
                RunTool(chosen, action->data().toString());
            });
            // The key is shown only: the list hears it (keyPressEvent), the menu does not.
            for (const ToolKey& key : kToolKeys)
                if (key.tool == tool.tool) {
                    action->setShortcut(QKeySequence(key.key));
                    action->setShortcutContext(Qt::WidgetShortcut);
                }
        }
        action->setObjectName(
            QString::fromLatin1(tool.name.data(), static_cast<qsizetype>(tool.name.size())));
        action->setData(caption);
    }
    return menu;
}

void ResultListView::BuildPopup() {
    m_popup = BuildBand(PopupBandOf(m_kind).name, this);
    if (m_kind == LibraryKind::Part)
        m_popup->installEventFilter(
            new FirstSymbolOnClick(*m_popup, [this] { RunTool(ResultTool::ViewSymbol); }));
}

QAction* ResultListView::Tool(const QString& name) const {
    const auto actions = m_popup->findChildren<QAction*>(name);
    for (QAction* action : actions)
        if (action->objectName() == name)
            return action;
    return nullptr;
}

void ResultListView::RebuildSymbolGroups() {
    QAction* viewSymbol = Tool(QStringLiteral("ATB_PartViewSymbol"));
    if (m_symbolGroups != nullptr) {
        viewSymbol->setMenu(nullptr);
        delete m_symbolGroups;
        m_symbolGroups = nullptr;
    }
    const std::vector<std::string> names =
        SymbolGroupNames(m_model->Results(), {SelectedCount(), FocusedResult()});
    if (names.empty())
        return;
    m_symbolGroups = new QMenu(m_popup);
    m_symbolGroups->setObjectName(QString::fromLatin1(
        kSymbolGroupsBand.data(), static_cast<qsizetype>(kSymbolGroupsBand.size())));
    for (const std::string& name : names) {
        const QString caption = FromSuiteText(name);
        QAction* action = m_symbolGroups->addAction(caption);
        action->setObjectName(QString::fromLatin1(
            kSymbolGroupsTool.data(), static_cast<qsizetype>(kSymbolGroupsTool.size())));
        action->setData(caption);
        connect(action, &QAction::triggered, this, [this, caption] {
            emit toolChosen(ResultTool::ViewSymbolGroup, caption.trimmed());
        });
    }
    viewSymbol->setMenu(m_symbolGroups);
}

// The menus are made with the window, before the suite's language is known, and the language
// may change while the browser runs: the captions are set each time a menu opens.
void ResultListView::LocaliseTools() {
    const std::function<void(const PopupBand&)> localise = [&](const PopupBand& band) {
        for (const PopupTool& tool : band.tools) {
            QAction* action = Tool(
                QString::fromLatin1(tool.name.data(), static_cast<qsizetype>(tool.name.size())));
            if (action == nullptr)
                continue;
            if (tool.caption.id != 0) {
                const QString caption = FromSuiteText(LocalText(
                    m_browser.Services(), DecimalText(tool.caption.id), tool.caption.text));
                action->setText(caption);
                action->setData(caption);
            }
            if (!tool.subMenu.empty())
                if (const PopupBand* sub = SubBand(tool.subMenu))
                    localise(*sub);
        }
    };
    localise(PopupBandOf(m_kind));
}

void ResultListView::PreparePopup() {
    LocaliseTools();
    const ResultList& results = m_model->Results();
    const PopupSelection selection{SelectedCount(), FocusedResult()};
    for (const ToolState& state :
         PopupToolStates(m_kind, results, selection, m_browser.GetKernel())) {
        const QString name =
            QString::fromLatin1(state.name.data(), static_cast<qsizetype>(state.name.size()));
        if (QAction* action = Tool(name))
            action->setEnabled(state.enabled);
    }
    if (m_kind == LibraryKind::Part)
        RebuildSymbolGroups();
    if (QAction* namedLibrary = Tool(QString::fromLatin1(
            kNamedLibraryTool.data(), static_cast<qsizetype>(kNamedLibraryTool.size())))) {
        const std::optional<std::string> caption =
            NamedLibraryCaption(m_partGridLibrary ? m_partGridLibrary() : std::string());
        namedLibrary->setVisible(caption.has_value());
        namedLibrary->setEnabled(caption.has_value());
        if (caption) {
            namedLibrary->setText(FromSuiteText(*caption));
            namedLibrary->setData(FromSuiteText(*caption));
        }
    }
}

// --- events

void ResultListView::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const QKeyCombination pressed(modifiers, static_cast<Qt::Key>(event->key()));
    const auto key = std::find_if(std::begin(kToolKeys), std::end(kToolKeys),
                                  [&](const ToolKey& k) { return k.key == pressed; });
    if (key == std::end(kToolKeys)) {
        QTableView::keyPressEvent(event);
        return;
    }
    event->accept();
    if (m_model->rowCount() > 0 && !Busy())
        RunTool(key->tool);
}

QModelIndex ResultListView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    // A table's Home and End go along the row; a list's go to its first and last row.
    if ((action == MoveHome || action == MoveEnd) && m_model->rowCount() > 0) {
        const int row = action == MoveHome ? 0 : m_model->rowCount() - 1;
        return m_model->index(row, currentIndex().isValid() ? currentIndex().column() : 0);
    }
    return QTableView::moveCursor(action, modifiers);
}

void ResultListView::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_End && (event->modifiers() & Qt::ShiftModifier))
        emit statusMessage(
            FromSuiteText(ObjectsSelectedText(m_browser.Services(), SelectedCount())));
    QTableView::keyReleaseEvent(event);
}

void ResultListView::mouseReleaseEvent(QMouseEvent* event) {
    QTableView::mouseReleaseEvent(event);
    if (Busy())
        return;
    const int selected = SelectedCount();
    emit statusMessage(
        FromSuiteText(SelectedCountText(m_browser.Services(), m_kind, selected, true)));
    if (event->button() == Qt::RightButton && m_model->rowCount() > 0) {
        PreparePopup();
        m_popup->popup(event->globalPosition().toPoint());
    }
}

void ResultListView::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
    if (event->reason() != QContextMenuEvent::Keyboard || m_model->rowCount() == 0 || Busy())
        return;
    if (!currentIndex().isValid())
        setCurrentIndex(m_model->index(0, 0));
    PreparePopup();
    const QRect row = visualRect(currentIndex().siblingAtColumn(0));
    m_popup->popup(viewport()->mapToGlobal(row.isValid() ? row.bottomLeft() : QPoint()));
}

void ResultListView::startDrag(Qt::DropActions /*supportedActions*/) {
    if (m_model->rowCount() == 0 || !currentIndex().isValid())
        return;
    auto* drag = new QDrag(this);
    drag->setMimeData(DragMimeData());
    // The picture is the focused row as the list draws it: its icon and its name.
    const QRect row = visualRect(currentIndex().siblingAtColumn(0));
    drag->setPixmap(
        row.isValid()
            ? viewport()->grab(row)
            : BrowserImage(BrowserImageKeys().at(static_cast<int>(m_kind)).toStdString()));
    drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction);
}

} // namespace k2k
