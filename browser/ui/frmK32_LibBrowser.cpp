#include "browser/ui/frmK32_LibBrowser.h"

#include "browser/HistoryBoxes.h"
#include "browser/ResultCommands.h"
#include "browser/ui/BrowserImages.h"
#include "browser/ui/BrowserPanes.h"
#include "browser/ui/KindTabs.h"
#include "browser/ui/ObjectViewers.h"
#include "browser/ui/OptionGrid.h"
#include "browser/ui/ResultListActions.h"
#include "browser/ui/ResultListModel.h"
#include "browser/ui/ResultListView.h"
#include "common/Messages.h"
#include "common/ObjectKinds.h"
#include "platform/ui/DialogPlace.h"
#include "platform/ui/K2kGrid.h"
#include "platform/ui/SuiteText.h"
#include "system/Text.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QResizeEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace k2k {

frmK32_LibBrowser::frmK32_LibBrowser(const BrowserEnvironment& environment, QWidget* parent)
    : BrowserMainWindow(environment, parent), m_completer(std::make_unique<HistoryCompleter>()),
      m_layout(*this, m_ui) {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("picMain"));
    setCentralWidget(central);

    auto* centralLayout = new QVBoxLayout(central);
    centralLayout->setContentsMargins(0, 0, 0, 0);
    m_ui.panes = new BrowserPanes(central);
    centralLayout->addWidget(m_ui.panes);
    connect(m_ui.panes, &BrowserPanes::panesResized, this, [this] {
        if (m_setUp && !m_layout.LayingOut() && !isMinimized())
            m_layout.LayOut(CurrentKind());
    });
    connect(m_ui.panes, &BrowserPanes::barMoved, this,
            [this](int height) { m_layout.BarMoved(CurrentKind(), height); });

    m_ui.tabs = new QTabWidget(m_ui.panes->SearchPane());
    m_ui.tabs->setObjectName(QStringLiteral("tabBrowser"));
    for (std::size_t i = 0; i < kAllKinds.size(); ++i) {
        const LibraryKind kind = kAllKinds[i];
        m_ui.tabs->addTab(new QWidget(m_ui.tabs), FromSuiteText(FactsOf(kind).tabCaption.text));
        // The containers lie on the tab control itself and are shown for their tab only.
        auto* box = new QWidget(m_ui.tabs);
        box->setObjectName(QStringLiteral("picSearchOptions%1").arg(i));
        m_ui.optionBoxes[i] = box;
        m_ui.gridControls[i] = new K2kGrid(box);
        m_grids[i] = new OptionGrid(*m_ui.gridControls[i], kind, Component(), *m_completer, this);
        // After the key has been handled: the search lets events run.
        m_grids[i]->SetEnterHandler(
            [this] { QTimer::singleShot(0, this, &frmK32_LibBrowser::cmdFindNow_Click); });
        m_ui.views[i] = new ResultListView(Component(), kind, m_ui.panes->ResultPane());
    }
    m_commands =
        BuildCommandPanel(m_ui.panes->SearchPane(), *this, [this] { ReadSearchSwitches(); });
    m_ui.commands = m_commands.panel;

    m_viewers =
        std::make_unique<ObjectViewers>(*this, Component(), Exchange().Messages(),
                                        [this](QWidget& viewer) { CentreOver(viewer, this); });
    m_listActions = std::make_unique<ResultListActions>(*this, *m_viewers);
    for (ResultListView* view : m_ui.views)
        m_listActions->Attach(*view);
    connect(m_ui.tabs, &QTabWidget::currentChanged, this, &frmK32_LibBrowser::TabSwitched);

    Feedback().AddMessagePanels();
    m_alwaysOnTop = BuildMenuBar(*this);
    Feedback().SetSearchControls({m_ui.views, m_commands.findNow, m_commands.stop,
                                  [this] { return m_general.fitColumnWidths != 0; }});
    m_menu = std::make_unique<MenuCommands>(*this, m_settings, m_general);
}

frmK32_LibBrowser::~frmK32_LibBrowser() {
    Feedback().DropWindowControls();
}

std::unique_ptr<BrowserMainWindow> frmK32_LibBrowser::Make(const BrowserEnvironment& environment) {
    return std::make_unique<frmK32_LibBrowser>(environment);
}

// --- set-up

void frmK32_LibBrowser::SetUpWindow() {
    m_layout.KeepMinimum(size());
    Component().State().search.colourIndex.fill(0);
    for (std::size_t i = 0; i < kAllKinds.size(); ++i) {
        m_grids[i]->Shape();
        m_ui.views[i]->Model().Reset();
    }
    m_gridBuilt.fill(false);
    BuildGrid(LibraryKind::Part);
    SetTabCaptions();
    SetTabOrder();
    m_menu->SetUpRegTypes(m_grids);
    m_general = LoadGeneralOptions(m_settings);
    const QStringList& images = BrowserImageKeys();
    for (int i = 0; i < m_ui.tabs->count(); ++i)
        m_ui.tabs->setTabIcon(i, BrowserIcon(images.at(i).toStdString()));

    m_ui.tabs->setCurrentIndex(0);
    m_commands.editNew->hide();
    if (CurrentKind() == LibraryKind::Part)
        m_commands.editNew->show();
    ResetSearchState();

    m_setUp = true;
    m_layout.LayOut(CurrentKind());
    ShowResultList(CurrentKind());
    ShowStatus(EnterSearchOptionsText(Component().Services()));
}

// Tab goes from the tabs through the grid (cell by cell) and the command panel to the result
// list, and round again; the hidden grids and lists are passed by.
void frmK32_LibBrowser::SetTabOrder() {
    QWidget* previous = m_ui.tabs->tabBar();
    const auto next = [&previous](QWidget* widget) {
        QWidget::setTabOrder(previous, widget);
        previous = widget;
    };
    for (K2kGrid* grid : m_ui.gridControls)
        next(grid);
    for (QWidget* control : m_commands.Controls())
        next(control);
    for (ResultListView* view : m_ui.views)
        next(view);
    next(m_ui.tabs->tabBar()); // round again
}

void frmK32_LibBrowser::SetTabCaptions() {
    SetKindTabCaptions(*m_ui.tabs, Component().Services());
}

void frmK32_LibBrowser::ResetSearchState() {
    ReadSearchSwitches();
    Component().State().search.findInList = false;
    Component().State().search.stopRequested = false;
    Feedback().ShowSearching(false);
}

void frmK32_LibBrowser::ReadSearchSwitches() {
    SearchOptions& options = Component().State().searchOptions;
    options.condition = m_commands.allConditions->isChecked() ? kConditionAll : kConditionAny;
    options.matchCase = m_commands.matchCase->isChecked();
    options.numeric = m_commands.numeric->isChecked();
}

// A grid's editors (some thirty combo boxes for the four) cost more than the rest of the
// window, so a grid is built when it is first needed; its history comes from the store then.
void frmK32_LibBrowser::BuildGrid(LibraryKind kind) {
    if (m_gridBuilt[Index(kind)])
        return;
    m_gridBuilt[Index(kind)] = true;
    OptionGrid& grid = *m_grids[Index(kind)];
    grid.SetUp();
    grid.FillLibraryList();
    grid.AttachHistoryBoxes();
    grid.LoadHistory(m_settings);
}

OptionGrid& frmK32_LibBrowser::Grid(LibraryKind kind) {
    BuildGrid(kind);
    return *m_grids[Index(kind)];
}

std::vector<OptionGrid*> frmK32_LibBrowser::BuiltGrids() const {
    std::vector<OptionGrid*> built;
    for (std::size_t i = 0; i < m_grids.size(); ++i)
        if (m_gridBuilt[i])
            built.push_back(m_grids[i]);
    return built;
}

void frmK32_LibBrowser::SaveGridLayout() {
    KeepHistory(BuiltGrids(), m_settings, false);
}

// --- tabs

LibraryKind frmK32_LibBrowser::CurrentKind() const {
    const int index = qBound(0, m_ui.tabs->currentIndex(), kObjectKinds - 1);
    return kAllKinds[static_cast<std::size_t>(index)];
}

void frmK32_LibBrowser::SelectTab(LibraryKind kind) {
    m_ui.tabs->setCurrentIndex(static_cast<int>(kind));
}

void frmK32_LibBrowser::TabSwitched(int index) {
    if (!m_setUp || index < 0)
        return;
    const LibraryKind kind = CurrentKind();
    BuildGrid(kind);
    // A person working in a grid (Ctrl+Tab) goes on in the new tab's, at its first row.
    QWidget* focus = QApplication::focusWidget();
    bool inGrid = false;
    for (QWidget* box : m_ui.optionBoxes)
        inGrid = inGrid || (focus && box->isAncestorOf(focus));
    for (QWidget* box : m_ui.optionBoxes)
        box->hide();
    m_ui.optionBoxes[Index(kind)]->show();
    m_ui.optionBoxes[Index(kind)]->raise();
    if (inGrid)
        m_ui.gridControls[Index(kind)]->setFocus(Qt::TabFocusReason);
    m_commands.editNew->setVisible(kind == LibraryKind::Part || kind == LibraryKind::Padstack);
    ShowResultList(kind);
    m_layout.ShowKind(kind);
    const NumberedText& found = FactsOf(kind).tabFoundText;
    const int count = Component().State().search.Results(kind).Count();
    ShowStatus(" " + DecimalText(count) +
               LocalText(Component().Services(), DecimalText(found.id), found.text));
    const int topic = index + 1;
    Help().SetHelpTopic(topic, topic, topic, topic, false);
}

void frmK32_LibBrowser::ShowResultList(LibraryKind kind) {
    for (ResultListView* view : m_ui.views)
        view->setVisible(view->Kind() == kind);
}

// --- layout

void frmK32_LibBrowser::resizeEvent(QResizeEvent* event) {
    BrowserMainWindow::resizeEvent(event);
    if (m_setUp && !isMinimized() && m_layout.Resized(event->size()))
        m_layout.LayOut(CurrentKind());
}

void frmK32_LibBrowser::showEvent(QShowEvent* event) {
    BrowserMainWindow::showEvent(event);
    if (m_setUp)
        m_layout.SizePanesOnce(m_settings, CurrentKind());
}

// --- searches

void frmK32_LibBrowser::cmdFindNow_Click() {
    RunFindNow(false);
}

void frmK32_LibBrowser::cmdFindInList_Click() {
    RunFindNow(true);
}

void frmK32_LibBrowser::RunFindNow(bool inList) {
    if (Exchange().BrowserBusy())
        return;
    const LibraryKind kind = CurrentKind();
    OptionGrid& grid = Grid(kind);
    grid.RememberValues();
    const auto values = grid.Values();
    if (!values) {
        ShowStatus(EnterSearchOptionsText(Component().Services()));
        Feedback().Beep();
        return;
    }
    ReadSearchSwitches();
    SearchEngine& engine = Component().Engine();
    if (inList)
        engine.FindInList(kind, *values);
    else
        engine.FindNow(kind, *values);
    AfterSearch();
}

void frmK32_LibBrowser::cmdStop_Click() {
    Component().Engine().Stop();
    Feedback().ShowSearching(false);
}

void frmK32_LibBrowser::cmdNewSearch_Click() {
    if (Exchange().BrowserBusy())
        return;
    const LibraryKind kind = CurrentKind();
    if (Component().Engine().NewSearch(kind))
        Grid(kind).Reset();
}

void frmK32_LibBrowser::cmdEditNewPart_Click() {
    if (Exchange().BrowserBusy())
        return;
    if (const auto command = EditNewCommand(CurrentKind()))
        SendCommand(Exchange().Messages(), *command);
}

QString frmK32_LibBrowser::StatusText() const {
    return Feedback().StatusText();
}

void frmK32_LibBrowser::mnuAlwaysOnTop_Click() {
    m_menu->AlwaysOnTop(m_alwaysOnTop->isChecked());
}

// --- the received commands and the viewers

void frmK32_LibBrowser::RefreshViewers() {
    m_viewers->Refresh();
}

void frmK32_LibBrowser::RefillLibraryLists() {
    for (OptionGrid* grid : BuiltGrids())
        grid->FillLibraryList();
}

void frmK32_LibBrowser::RunSearchSequence() {
    // A pending sequence is settled with OK.
    m_menu->SearchSequence(false);
}

void frmK32_LibBrowser::Relocalise() {
    BrowserMainWindow::Relocalise();
    SetTabCaptions();
}

void frmK32_LibBrowser::ViewObject(const ViewTarget& target) {
    m_viewers->View(target);
}

ObjectViewer* frmK32_LibBrowser::Viewer(LibraryKind kind) const {
    return m_viewers->Viewer(kind);
}

void frmK32_LibBrowser::ReleaseViewers() {
    m_viewers->ReleaseAll();
}

} // namespace k2k
