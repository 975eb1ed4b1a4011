#include "browser/ui/frmK32_LibBrowser.h"

#include "browser/HistoryBoxes.h"
#include "browser/MainWindowLayout.h"
#include "browser/ResultCommands.h"
#include "browser/ViewCommands.h"
#include "browser/ui/BrowserImages.h"
#include "browser/ui/BrowserPanes.h"
#include "browser/ui/KindTabs.h"
#include "browser/ui/OptionGrid.h"
#include "browser/ui/ResultListModel.h"
#include "browser/ui/ResultListView.h"
#include "browser/ui/frmSearchSeq.h"
#include "common/Messages.h"
#include "common/ObjectKinds.h"
#include "options/ui/frmOptions.h"
#include "platform/NativePath.h"
#include "platform/Text.h"
#include "platform/ui/K2kGrid.h"
#include "platform/ui/LocaliseForm.h"
#include "platform/ui/PackageViewer.h"
#include "platform/ui/PadstackViewer.h"
#include "platform/ui/SuiteText.h"
#include "platform/ui/SymbolViewer.h"
#include "regtypes/ui/RegTypesDialogs.h"
#include "search/LibraryLookup.h"
#include "services/WindowPlacement.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollBar>
#include <QShowEvent>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace k2k {

namespace {

// The command panel's design-time width in twips; a caption that needs more widens it.
constexpr int kCommandsWidth = 1800;
// The first start's room: result rows to show, and the width in twips.
constexpr int kResultRowsAtStart = 20;
constexpr int kWidthAtStart = 14400;
// The result lists take the rows found at most this often while a search runs.
constexpr qint64 kSyncIntervalMs = 100;

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, const char* tag) {
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    SetTag(*button, tag);
    return button;
}

QCheckBox* MakeCheckBox(QWidget* parent, const char* name, const char* caption, const char* tag) {
    auto* box = new QCheckBox(QString::fromLatin1(caption), parent);
    box->setObjectName(QString::fromLatin1(name));
    SetTag(*box, tag);
    return box;
}

} // namespace

frmK32_LibBrowser::frmK32_LibBrowser(const BrowserEnvironment& environment, QWidget* parent)
    : BrowserMainWindow(environment, parent), m_completer(std::make_unique<HistoryCompleter>()) {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("picMain"));
    setCentralWidget(central);

    auto* centralLayout = new QVBoxLayout(central);
    centralLayout->setContentsMargins(0, 0, 0, 0);
    m_panes = new BrowserPanes(central);
    centralLayout->addWidget(m_panes);
    connect(m_panes, &BrowserPanes::panesResized, this, [this] {
        if (m_setUp && !m_layingOut && !isMinimized())
            LayOut();
    });

    m_tabs = new QTabWidget(m_panes->SearchPane());
    m_tabs->setObjectName(QStringLiteral("tabBrowser"));
    for (std::size_t i = 0; i < kAllKinds.size(); ++i) {
        const LibraryKind kind = kAllKinds[i];
        m_tabs->addTab(new QWidget(m_tabs), FromSuiteText(FactsOf(kind).tabCaption.text));
        // The containers lie on the tab control itself and are shown for their tab only.
        auto* box = new QWidget(m_tabs);
        box->setObjectName(QStringLiteral("picSearchOptions%1").arg(i));
        m_optionBoxes[i] = box;
        m_gridControls[i] = new K2kGrid(box);
        m_grids[i] = new OptionGrid(*m_gridControls[i], kind, Component(), *m_completer, this);
        // After the key has been handled: the search lets events run.
        m_grids[i]->SetEnterHandler(
            [this] { QTimer::singleShot(0, this, &frmK32_LibBrowser::cmdFindNow_Click); });
        m_views[i] = new ResultListView(Component(), kind, m_panes->ResultPane());
    }
    BuildCommandPanel(m_panes->SearchPane());

    for (ResultListView* view : m_views) {
        const LibraryKind kind = view->Kind();
        view->SetBusyCheck([this] { return Busy(); });
        view->SetPartGridLibrary([this] {
            const auto values = Grid(LibraryKind::Part).Values();
            return values && values->size() > 1 ? std::string(Trim((*values)[1])) : std::string();
        });
        view->SetDropDataHandler([this](const std::vector<BWR_SEARCHRESULT>& records) {
            UploadDropList() = records;
            OLESetDropData();
        });
        connect(view, &ResultListView::statusMessage, this,
                [this](const QString& text) { m_message->setText(text); });
        connect(view, &ResultListView::toolChosen, this,
                [this, kind](ResultTool tool, const QString& caption) {
                    RunTool(kind, tool, caption);
                });
    }
    connect(m_tabs, &QTabWidget::currentChanged, this, &frmK32_LibBrowser::TabSwitched);

    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("MSG1"));
    statusBar()->addWidget(m_message, 1);
    for (const char* key : {"CAPS", "NUM"}) {
        auto* panel = new QLabel(QString::fromLatin1(key), this);
        panel->setObjectName(QString::fromLatin1(key));
        panel->setEnabled(false); // this system tells no lock states to the window
        statusBar()->addPermanentWidget(panel);
    }
    statusBar()->setSizeGripEnabled(true);
    BuildMenuBar();
    m_sinceSync.start();
}

frmK32_LibBrowser::~frmK32_LibBrowser() = default;

std::unique_ptr<BrowserMainWindow> frmK32_LibBrowser::Make(const BrowserEnvironment& environment) {
    return std::make_unique<frmK32_LibBrowser>(environment);
}

void frmK32_LibBrowser::BuildCommandPanel(QWidget* parent) {
    m_commands = new QWidget(parent);
    m_commands->setObjectName(QStringLiteral("picSearchCommands"));
    auto* column = new QVBoxLayout(m_commands);
    column->setContentsMargins(6, 4, 6, 4);
    column->setSpacing(3);
    m_findNow = MakeButton(m_commands, "cmdFindNow", "F&ind Now", "5061");
    m_stop = MakeButton(m_commands, "cmdStop", "&Stop", "1614");
    m_editNew = MakeButton(m_commands, "cmdEditNewPart", "&Edit New", "5065");
    m_findInList = MakeButton(m_commands, "cmdFindInList", "Find in Lis&t", "5064");
    m_newSearch = MakeButton(m_commands, "cmdNewSearch", "Ne&w Search", "5063");
    m_allConditions = MakeCheckBox(m_commands, "chkSearchCond", "All Conditions", "5062");
    m_matchCase = MakeCheckBox(m_commands, "MatchCase", "Match Case", "99874");
    m_numeric = MakeCheckBox(m_commands, "chkIntelli", "Numeric Search", "5083");
    m_findNow->setDefault(true);
    // Stop takes Find Now's place while a search runs.
    column->addWidget(m_findNow);
    column->addWidget(m_stop);
    for (QWidget* control : std::initializer_list<QWidget*>{
             m_editNew, m_findInList, m_newSearch, m_allConditions, m_matchCase, m_numeric})
        column->addWidget(control);
    column->addStretch(1);

    connect(m_findNow, &QPushButton::clicked, this, &frmK32_LibBrowser::cmdFindNow_Click);
    connect(m_stop, &QPushButton::clicked, this, &frmK32_LibBrowser::cmdStop_Click);
    connect(m_editNew, &QPushButton::clicked, this, &frmK32_LibBrowser::cmdEditNewPart_Click);
    connect(m_findInList, &QPushButton::clicked, this, &frmK32_LibBrowser::cmdFindInList_Click);
    connect(m_newSearch, &QPushButton::clicked, this, &frmK32_LibBrowser::cmdNewSearch_Click);
    for (QCheckBox* box : {m_allConditions, m_matchCase, m_numeric})
        connect(box, &QCheckBox::toggled, this, [this] { ReadSearchSwitches(); });
}

QAction* frmK32_LibBrowser::AddMenuItem(QMenu* menu, const char* name, const char* caption,
                                        const char* tag) {
    QAction* action = menu->addAction(QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(name));
    if (tag)
        SetTag(*action, tag);
    return action;
}

void frmK32_LibBrowser::BuildMenuBar() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("mnuBar"));
    // Each item but Exit sets its help topic first; Help Topics also shows it.
    const auto topic = [this](int menu, int submenu, int tool, int subtool, bool show = false) {
        return [this, menu, submenu, tool, subtool, show] {
            Help().SetHelpTopic(menu, submenu, tool, subtool, show);
        };
    };

    QMenu* library = bar->addMenu(QStringLiteral("&Library"));
    library->setObjectName(QStringLiteral("mnuLibrary"));
    SetTag(*library, "9950");
    QAction* explorer = AddMenuItem(library, "mnuLibExplorer", "&Explorer", "5066");
    explorer->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    connect(explorer, &QAction::triggered, this, topic(1, 1, 0, 0));
    connect(explorer, &QAction::triggered, this, &frmK32_LibBrowser::ActivateExplorer);
    QAction* changePath = AddMenuItem(library, "mnuChgLibPth", "&Change Lib Path", "5067");
    connect(changePath, &QAction::triggered, this, topic(1, 2, 0, 0));
    connect(changePath, &QAction::triggered, this, &frmK32_LibBrowser::mnuChgLibPth_Click);
    library->addSeparator()->setObjectName(QStringLiteral("mnuSep01"));
    QAction* exitItem = AddMenuItem(library, "mnuExit", "E&xit", "99593");
    connect(exitItem, &QAction::triggered, this, [this] { close(); });

    QMenu* view = bar->addMenu(QStringLiteral("&View"));
    view->setObjectName(QStringLiteral("mnuView"));
    SetTag(*view, "1742");
    QMenu* registerMenu = view->addMenu(QStringLiteral("Register"));
    registerMenu->setObjectName(QStringLiteral("mnuRegister"));
    SetTag(*registerMenu, "5068");
    AddRegisterItems(registerMenu);
    QAction* searchSeq = AddMenuItem(view, "mnuSearchSeq", "&Search Sequence", "5073");
    connect(searchSeq, &QAction::triggered, this, topic(2, 2, 0, 0));
    connect(searchSeq, &QAction::triggered, this, &frmK32_LibBrowser::mnuSearchSeq_Click);
    view->addSeparator()->setObjectName(QStringLiteral("mnuSep02"));
    QAction* refresh = AddMenuItem(view, "mnuRefresh", "&Refresh", "3711");
    refresh->setShortcut(QKeySequence(Qt::Key_F5));
    connect(refresh, &QAction::triggered, this, topic(2, 3, 0, 0));
    connect(refresh, &QAction::triggered, this, &frmK32_LibBrowser::mnuRefresh_Click);
    QAction* options = AddMenuItem(view, "mnuOptions", "&Options...", "1816");
    connect(options, &QAction::triggered, this, topic(2, 4, 0, 0));
    connect(options, &QAction::triggered, this, &frmK32_LibBrowser::mnuOptions_Click);
    view->addSeparator()->setObjectName(QStringLiteral("mnuSep03"));
    m_alwaysOnTop = AddMenuItem(view, "mnuAlwaysOnTop", "Always On &Top", "5074");
    m_alwaysOnTop->setCheckable(true);
    connect(m_alwaysOnTop, &QAction::triggered, this, topic(2, 5, 0, 0));
    connect(m_alwaysOnTop, &QAction::triggered, this, &frmK32_LibBrowser::mnuAlwaysOnTop_Click);

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuH"));
    SetTag(*help, "993");
    QAction* topics = AddMenuItem(help, "mnuHelp", "&Help Topics", "10334");
    connect(topics, &QAction::triggered, this, topic(0, 0, 0, 0, true));
}

// --- set-up

void frmK32_LibBrowser::SetUpWindow() {
    m_minimum = size();
    Component().State().search.colourIndex.fill(0);
    for (std::size_t i = 0; i < kAllKinds.size(); ++i) {
        m_grids[i]->SetUp();
        m_views[i]->Model().Reset();
    }
    for (OptionGrid* grid : m_grids) {
        grid->FillLibraryList();
        grid->AttachHistoryBoxes();
    }
    SetTabCaptions();
    SetTabOrder();
    SetUpRegTypes();
    KeepHistory(m_grids, m_settings, true);
    m_general = LoadGeneralOptions(m_settings);
    const QStringList& images = BrowserImageKeys();
    for (int i = 0; i < m_tabs->count(); ++i)
        m_tabs->setTabIcon(i, BrowserIcon(images.at(i).toStdString()));

    m_tabs->setCurrentIndex(0);
    m_editNew->hide();
    if (CurrentKind() == LibraryKind::Part)
        m_editNew->show();
    ResetSearchState();

    m_setUp = true;
    LayOut();
    ShowResultList(CurrentKind());
    ShowStatus(LocalText(Component().Services(), "5038", "Enter Search Options"));
}

// Tab goes from the tabs through the grid (cell by cell) and the command panel to the result
// list, and round again; the hidden grids and lists are passed by.
void frmK32_LibBrowser::SetTabOrder() {
    QWidget* previous = m_tabs->tabBar();
    const auto next = [&previous](QWidget* widget) {
        QWidget::setTabOrder(previous, widget);
        previous = widget;
    };
    for (K2kGrid* grid : m_gridControls)
        next(grid);
    for (QWidget* control :
         std::initializer_list<QWidget*>{m_findNow, m_stop, m_editNew, m_findInList, m_newSearch,
                                         m_allConditions, m_matchCase, m_numeric})
        next(control);
    for (ResultListView* view : m_views)
        next(view);
    next(m_tabs->tabBar()); // round again
}

void frmK32_LibBrowser::SetTabCaptions() {
    SetKindTabCaptions(*m_tabs, Component().Services());
}

void frmK32_LibBrowser::ResetSearchState() {
    ReadSearchSwitches();
    Component().State().search.findInList = false;
    Component().State().search.stopRequested = false;
    m_findNow->show();
    m_stop->hide();
}

void frmK32_LibBrowser::ReadSearchSwitches() {
    SearchOptions& options = Component().State().searchOptions;
    options.condition = m_allConditions->isChecked() ? kConditionAll : kConditionAny;
    options.matchCase = m_matchCase->isChecked();
    options.numeric = m_numeric->isChecked();
}

void frmK32_LibBrowser::SaveGridLayout() {
    KeepHistory(m_grids, m_settings, false);
}

// --- tabs

LibraryKind frmK32_LibBrowser::CurrentKind() const {
    const int index = qBound(0, m_tabs->currentIndex(), kObjectKinds - 1);
    return kAllKinds[static_cast<std::size_t>(index)];
}

void frmK32_LibBrowser::SelectTab(LibraryKind kind) {
    m_tabs->setCurrentIndex(static_cast<int>(kind));
}

void frmK32_LibBrowser::TabSwitched(int index) {
    if (!m_setUp || index < 0)
        return;
    const LibraryKind kind = CurrentKind();
    for (QWidget* box : m_optionBoxes)
        box->hide();
    m_optionBoxes[Index(kind)]->show();
    m_optionBoxes[Index(kind)]->raise();
    m_editNew->setVisible(kind == LibraryKind::Part || kind == LibraryKind::Padstack);
    ShowResultList(kind);
    const NumberedText& found = FactsOf(kind).tabFoundText;
    const int count = Component().State().search.Results(kind).Count();
    ShowStatus(" " + DecimalText(count) +
               LocalText(Component().Services(), DecimalText(found.id), found.text));
    const int topic = index + 1;
    Help().SetHelpTopic(topic, topic, topic, topic, false);
}

void frmK32_LibBrowser::ShowResultList(LibraryKind kind) {
    for (ResultListView* view : m_views)
        view->setVisible(view->Kind() == kind);
}

// --- layout

void frmK32_LibBrowser::resizeEvent(QResizeEvent* event) {
    BrowserMainWindow::resizeEvent(event);
    if (!m_setUp || isMinimized() || m_layingOut)
        return;
    const QSize size = event->size();
    const TwipsSize clamped =
        ClampToMinimum({size.width(), size.height()}, {m_minimum.width(), m_minimum.height()});
    if (clamped.width != size.width() || clamped.height != size.height()) {
        resize(clamped.width, clamped.height);
        return;
    }
    LayOut();
}

void frmK32_LibBrowser::LayOut() {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const double dpiX = screen ? screen->logicalDotsPerInchX() : 96.0;
    const double dpiY = screen ? screen->logicalDotsPerInchY() : 96.0;
    const auto toX = [dpiX](int twips) { return TwipsToPixels(twips, dpiX); };
    const auto toY = [dpiY](int twips) { return TwipsToPixels(twips, dpiY); };
    const auto place = [&](QWidget* widget, const TwipsRect& rect) {
        widget->setGeometry(toX(rect.left), toY(rect.top), toX(rect.width), toY(rect.height));
    };
    m_layingOut = true;
    const QWidget* searchPane = m_panes->SearchPane();
    MainLayoutInput input;
    input.innerWidth = PixelsToTwips(searchPane->width(), dpiX);
    input.innerHeight = PixelsToTwips(searchPane->height(), dpiY);
    // The panel is as wide as its captions need in the window's language.
    input.commandsWidth =
        std::max(kCommandsWidth, PixelsToTwips(m_commands->sizeHint().width(), dpiX));
    const MainLayout layout = LayOutMainWindow(input);
    // Dragging the panes' bar stops where the command panel would be cut.
    m_panes->SearchPane()->setMinimumHeight(toY(layout.commands.top) +
                                            m_commands->sizeHint().height());
    // and where the result lists would show no row.
    const ResultListView& list = *m_views[0];
    m_panes->ResultPane()->setMinimumHeight(list.horizontalHeader()->sizeHint().height() +
                                            list.verticalHeader()->defaultSectionSize() +
                                            2 * list.frameWidth());

    m_commands->hide();
    m_tabs->hide();
    for (ResultListView* view : m_views)
        view->hide();
    place(m_commands, layout.commands);
    place(m_tabs, layout.tabs);
    for (std::size_t i = 0; i < m_optionBoxes.size(); ++i) {
        m_optionBoxes[i]->hide();
        place(m_optionBoxes[i], layout.options);
        place(m_gridControls[i], layout.optionGrid);
    }
    m_optionBoxes[Index(CurrentKind())]->show();
    m_optionBoxes[Index(CurrentKind())]->raise();
    for (ResultListView* view : m_views)
        view->setGeometry(m_panes->ResultPane()->rect());
    for (K2kGrid* grid : m_gridControls) {
        grid->ResizeColumns(0);
        grid->ResizeRows(0);
    }
    ShowResultList(CurrentKind());
    m_commands->show();
    m_tabs->show();
    m_layingOut = false;
}

int frmK32_LibBrowser::SearchPaneWanted() const {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const double dpiY = screen ? screen->logicalDotsPerInchY() : 96.0;
    int grid = 0;
    for (const K2kGrid* control : m_gridControls)
        grid = std::max(grid, control->FullHeight());
    const int wanted = TwipsToPixels(SearchPaneHeightFor(PixelsToTwips(grid, dpiY)), dpiY);
    return std::max(wanted, m_panes->SearchPane()->minimumHeight());
}

QSize frmK32_LibBrowser::RoomForWork() const {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const double dpiX = screen ? screen->logicalDotsPerInchX() : 96.0;
    const ResultListView& list = *m_views[0];
    const int rowHeight = list.verticalHeader()->defaultSectionSize();
    const int results = list.horizontalHeader()->sizeHint().height() +
                        kResultRowsAtStart * rowHeight +
                        list.horizontalScrollBar()->sizeHint().height() + 2 * list.frameWidth();
    const int height = menuBar()->sizeHint().height() + SearchPaneWanted() +
                       m_panes->handleWidth() + results + statusBar()->sizeHint().height();
    return {std::max(width(), TwipsToPixels(kWidthAtStart, dpiX)), height};
}

void frmK32_LibBrowser::showEvent(QShowEvent* event) {
    BrowserMainWindow::showEvent(event);
    if (m_panesSized || !m_setUp)
        return;
    m_panesSized = true;
    m_panes->SetSearchPaneHeight(LoadSearchPaneHeight(m_settings).value_or(SearchPaneWanted()));
}

void frmK32_LibBrowser::KeepPaneLayout() {
    if (m_panesSized)
        SaveSearchPaneHeight(m_settings, m_panes->SearchPaneHeight());
}

// --- searches

bool frmK32_LibBrowser::Busy() {
    return Component().IsSearching() || Exchange().Messages().IsAppBusy(std::string(kBrowserApp));
}

void frmK32_LibBrowser::cmdFindNow_Click() {
    RunFindNow(false);
}

void frmK32_LibBrowser::cmdFindInList_Click() {
    RunFindNow(true);
}

void frmK32_LibBrowser::RunFindNow(bool inList) {
    if (Busy())
        return;
    const LibraryKind kind = CurrentKind();
    OptionGrid& grid = Grid(kind);
    grid.RememberValues();
    int badRow = 0;
    const auto values = grid.Values(&badRow);
    if (!values) {
        ShowStatus(LocalText(Component().Services(), "5038", "Enter Search Options"));
        Beep();
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
    m_findNow->show();
    m_stop->hide();
}

void frmK32_LibBrowser::cmdNewSearch_Click() {
    if (Busy())
        return;
    const LibraryKind kind = CurrentKind();
    if (Component().Engine().NewSearch(kind))
        Grid(kind).Reset();
}

void frmK32_LibBrowser::cmdEditNewPart_Click() {
    if (Busy())
        return;
    if (const auto command = EditNewCommand(CurrentKind()))
        SendCommand(Exchange().Messages(), *command);
}

void frmK32_LibBrowser::ShowStatus(const std::string& text) {
    m_message->setText(FromSuiteText(text));
    statusBar()->repaint();
}

QString frmK32_LibBrowser::StatusText() const {
    return m_message->text();
}

void frmK32_LibBrowser::Beep() {
    QApplication::beep();
}

void frmK32_LibBrowser::SetSearching(bool searching) {
    m_findNow->setVisible(!searching);
    m_stop->setVisible(searching);
    m_firstRowsDue = searching;
    if (searching)
        return;
    for (LibraryKind kind : kAllKinds) {
        SyncResults(kind);
        m_views[Index(kind)]->FitColumns(m_general.fitColumnWidths != 0);
    }
}

void frmK32_LibBrowser::ResultsChanged(LibraryKind kind) {
    if (Component().IsSearching() && !m_firstRowsDue && m_sinceSync.elapsed() < kSyncIntervalMs)
        return;
    SyncResults(kind);
}

// A search reports its rows after each library; a large library would keep them from the
// view until it is read, so the rows found so far are also shown while events run.
void frmK32_LibBrowser::BeforePendingEventsRun() {
    if (!Component().IsSearching() || (!m_firstRowsDue && m_sinceSync.elapsed() < kSyncIntervalMs))
        return;
    for (LibraryKind kind : kAllKinds)
        SyncResults(kind);
}

void frmK32_LibBrowser::SyncResults(LibraryKind kind) {
    ResultListModel& model = m_views[Index(kind)]->Model();
    const int shown = model.rowCount();
    model.SyncNewRows();
    if (model.rowCount() > shown)
        m_firstRowsDue = false;
    m_sinceSync.restart();
}

void frmK32_LibBrowser::ResultViewCleared(LibraryKind kind) {
    m_views[Index(kind)]->Model().Reset();
}

// --- the result lists' tools

void frmK32_LibBrowser::RunTool(LibraryKind kind, ResultTool tool, const QString& caption) {
    if (Busy())
        return;
    ResultListView& view = ResultView(kind);
    const auto dropAndSend = [this, &view](const OutgoingCommand& command) {
        if (view.Model().rowCount() == 0)
            return;
        UploadDropList() = view.CollectDropRecords();
        OLESetDropData();
        SendCommand(Exchange().Messages(), command);
    };
    switch (tool) {
    case ResultTool::EditPart:
        dropAndSend(EditPartCommand());
        break;
    case ResultTool::EditPadstack:
        dropAndSend(EditPadstackCommand());
        break;
    case ResultTool::SendToSchematic:
        dropAndSend(SendToSchematicCommand());
        break;
    case ResultTool::SendToLayout:
        dropAndSend(SendToLayoutCommand());
        break;
    case ResultTool::FindAlias:
    case ResultTool::UsedByPartNamedLibrary:
    case ResultTool::UsedByPartAllLibraries:
        FindAliases(kind, tool);
        break;
    case ResultTool::ViewSymbol:
    case ResultTool::ViewPackage:
    case ResultTool::ViewPadstack:
    case ResultTool::ViewSymbolGroup:
        if (const auto target = ViewTargetOf(tool, view.Model().Results(), view.FocusedResult(),
                                             view.MoreThanOneSelected(),
                                             ToSuiteText(caption).value_or(std::string())))
            ViewObject(*target);
        break;
    default:
        break;
    }
}

void frmK32_LibBrowser::FindAliases(LibraryKind kind, ResultTool tool) {
    const auto selection = AliasSelectionOf(Component().State().search.Results(kind),
                                            ResultView(kind).FocusedResult());
    if (!selection)
        return;
    const bool aliases = tool == ResultTool::FindAlias;
    const int mode = aliases ? kAliasesOfPart : UsedByPartMode(CurrentKind());
    const auto values = Grid(LibraryKind::Part).Values();
    const std::string library =
        values && values->size() > 1 ? std::string(Trim((*values)[1])) : std::string();
    Component().Engine().FindAliases(mode, tool == ResultTool::UsedByPartNamedLibrary, *selection,
                                     library);
    SelectTab(LibraryKind::Part);
    AfterSearch();
}

// --- the menu bar

void frmK32_LibBrowser::ActivateExplorer() {
    if (Busy())
        return;
    Exchange().Messages().SendToApp(std::string(kMainApp), "EXP," + std::string(kBrowserApp));
}

void frmK32_LibBrowser::mnuRefresh_Click() {
    if (Busy())
        return;
    m_views[Index(CurrentKind())]->Model().Reset();
}

void frmK32_LibBrowser::mnuAlwaysOnTop_Click() {
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, m_alwaysOnTop->isChecked());
    if (visible)
        show(); // a change of the window's flags hides it
}

// --- the registered types

void frmK32_LibBrowser::AddRegisterItems(QMenu* registerMenu) {
    struct Item {
        const char* name;
        const char* caption;
        const char* tag;
    };
    static constexpr Item kItems[] = {{"mnuPartRegister", "Part Types", "5069"},
                                      {"mnuSymbolRegister", "Symbol Types", "5070"},
                                      {"mnuPackageRegister", "Package Types", "5071"},
                                      {"mnuPadstackRegister", "Padstack Types", "5072"}};
    for (int kind = 0; kind < 4; ++kind) {
        const Item& item = kItems[kind];
        QAction* action = AddMenuItem(registerMenu, item.name, item.caption, item.tag);
        connect(action, &QAction::triggered, this, [this, kind] {
            Help().SetHelpTopic(2, 1, kind + 1, 0, false);
            mnuRegister_Click(kind);
        });
    }
}

// The dialogs are made on first use; maintenance mode is read once, here.
void frmK32_LibBrowser::SetUpRegTypes() {
    if (m_regTypes)
        return;
    RegTypesContext context;
    context.tables = &Component().State().regTypes;
    context.services = &Component().Services();
    context.files = &Component().Files();
    context.owner = this;
    context.font = WindowFont();
    context.maintenanceMode = ReadMaintenanceMode(Component().Services());
    context.showHelp = [this] { Help().ShowHelpTopic(static_cast<long>(winId())); };
    m_regTypes = std::make_unique<RegTypesDialogs>(std::move(context));
    for (OptionGrid* grid : m_grids)
        grid->SetRegTypePicker(
            [this](int table, const std::string& title) { return m_regTypes->Pick(table, title); });
}

void frmK32_LibBrowser::mnuRegister_Click(int kind) {
    if (Busy() || !m_regTypes)
        return;
    m_regTypes->OpenForEditing(static_cast<RegTypesKind>(kind));
}

// --- the options dialog

void frmK32_LibBrowser::mnuOptions_Click() {
    if (Busy())
        return;
    if (m_options == nullptr) {
        m_options = new frmOptions(Component().State().displayOptions, m_general,
                                   Component().Services(), m_settings, WindowFont(), this);
        m_options->SetHelpHandler([this] { Help().ShowHelpTopic(static_cast<long>(winId())); });
    }
    m_options->setWindowTitle(FromSuiteText(
        LocalText(Component().Services(), DecimalText(kOptionsTitle.id), kOptionsTitle.text)));
    m_options->SetMode(kOptionsEditMode);
    if (!m_options->ShowModal(m_tabs->currentIndex()))
        return;
    mnuRefresh_Click();
    // The other kinds take their new columns now, so a choice made on their tabs is never
    // missing from their next search's list.
    for (LibraryKind kind : kAllKinds)
        if (kind != CurrentKind())
            m_views[Index(kind)]->Model().Reset();
}

// --- the search sequence and the library folder

frmSearchSeq& frmK32_LibBrowser::SearchSequenceWindow() {
    if (!m_searchSeq) {
        m_searchSeq = new frmSearchSeq(Component(), this);
        m_searchSeq->SetHelpHandler([this] { Help().ShowHelpTopic(); });
    }
    return *m_searchSeq;
}

bool frmK32_LibBrowser::EditSearchSequence(bool cancelAllowed) {
    frmSearchSeq& dialog = SearchSequenceWindow();
    dialog.FormFill();
    dialog.SetCancelEnabled(cancelAllowed);
    const bool changed = dialog.ShowModal(CurrentKind(), WindowFont());
    dialog.SetCancelEnabled(true);
    return changed;
}

void frmK32_LibBrowser::mnuSearchSeq_Click() {
    OpenSearchSequence(true);
}

void frmK32_LibBrowser::OpenSearchSequence(bool cancelAllowed) {
    if (Busy())
        return;
    Component().ReadFolders();
    const bool changed = EditSearchSequence(cancelAllowed);
    RefillLibraryLists();
    if (changed)
        AnnounceSearchSequence(Exchange().Messages());
}

// The window's part of the change of the library folder.
class frmK32_LibBrowser::LibraryPathSteps final : public LibraryPathWindow {
public:
    explicit LibraryPathSteps(frmK32_LibBrowser& window) : m_window(window) {}
    std::string ChooseFolder(const std::string& title, const std::string& startFolder) override {
        return m_window.m_chooseFolder ? m_window.m_chooseFolder(title, startFolder)
                                       : m_window.ChooseFolderWithDialog(title, startFolder);
    }
    void ShowHourglass(bool on) override { m_window.SetHourglass(on); }
    void ResetSearchState() override { m_window.ResetSearchState(); }
    bool EditSearchSequence() override { return m_window.EditSearchSequence(true); }
    void ShowLibraryDirectory() override {
        m_window.SetCaption(MainWindowCaption(m_window.Component().Dirs().libDir));
        m_window.RefillLibraryLists();
    }

private:
    frmK32_LibBrowser& m_window;
};

void frmK32_LibBrowser::mnuChgLibPth_Click() {
    if (Busy())
        return;
    LibraryPathSteps steps(*this);
    ChangeLibraryPath(Component(), Exchange().Messages(), steps);
}

std::string frmK32_LibBrowser::ChooseFolderWithDialog(const std::string& title,
                                                      const std::string& startFolder) {
    const QString chosen = QFileDialog::getExistingDirectory(
        this, FromSuiteText(title), FromSuiteText(DisplayPath(startFolder)));
    if (chosen.isEmpty())
        return {};
    std::string problem;
    const auto folder = SuitePath(std::filesystem::path(chosen.toStdString()), &problem);
    if (folder)
        return *folder;
    // The sentence names the character the suite cannot hold; it is shown as "?".
    QString shown;
    for (const QChar c : QString::fromStdString(problem))
        shown += ToSuiteText(QString(c)) ? c : QChar(u'?');
    Boxes().Show({ToSuiteText(shown).value_or(std::string()), MessageTitle(Component().Services()),
                  MsgIcon::Exclamation});
    return {};
}

// --- the received commands

void frmK32_LibBrowser::RefreshViewers() {
    if (m_objSmbViewer)
        m_objSmbViewer->Refresh();
    if (m_objPkgViewer)
        m_objPkgViewer->Refresh();
}

void frmK32_LibBrowser::RefillLibraryLists() {
    for (OptionGrid* grid : m_grids)
        grid->FillLibraryList();
}

void frmK32_LibBrowser::RunSearchSequence() {
    // A pending sequence is settled with OK.
    OpenSearchSequence(false);
}

void frmK32_LibBrowser::Relocalise() {
    BrowserMainWindow::Relocalise();
    SetTabCaptions();
}

// --- the viewers

LibraryLookup& frmK32_LibBrowser::Lookup() {
    if (!m_lookup) {
        BrowserState& state = Component().State();
        m_lookup = std::make_unique<LibraryLookup>(Component().GetKernel(), Component().Services(),
                                                   state.catalogue, state.directories.libDir);
    }
    return *m_lookup;
}

void frmK32_LibBrowser::ViewObject(const ViewTarget& target) {
    ReleaseViewer(target.kind);
    std::optional<ViewedObject> first = ViewOrReport(Lookup(), Component().Services(), target);
    if (!first)
        return;
    // The viewer shows what was just fetched, and fetches it again when it is refreshed.
    const auto fetched = std::make_shared<std::optional<ViewedObject>>(std::move(first));
    ObjectViewer::Reader reader = [this, target, fetched]() -> std::optional<ViewerContent> {
        std::optional<ViewedObject> viewed;
        std::swap(viewed, *fetched);
        if (!viewed)
            viewed = Lookup().FetchForViewing(target.kind, target.name);
        if (!viewed)
            return std::nullopt;
        return ViewerContent{viewed->name, viewed->library,
                             ViewerInfoFields(target.kind, viewed->info), viewed->drawing};
    };
    ObjectViewer* viewer = nullptr;
    switch (target.kind) {
    case LibraryKind::Package:
        m_objPkgViewer = new PackageViewer(this);
        m_objPkgViewer->SetPadstackSource(
            [this](const std::string& name) { return Lookup().PadstackDrawing(name); });
        connect(m_objPkgViewer, &ObjectViewer::NotifyServer, this,
                &frmK32_LibBrowser::m_objPkgViewer_NotifyServer);
        viewer = m_objPkgViewer;
        break;
    case LibraryKind::Padstack:
        m_objPadViewer = new PadstackViewer(this);
        connect(m_objPadViewer, &ObjectViewer::NotifyServer, this,
                &frmK32_LibBrowser::m_objPadViewer_NotifyServer);
        viewer = m_objPadViewer;
        break;
    default:
        m_objSmbViewer = new SymbolViewer(this);
        connect(m_objSmbViewer, &ObjectViewer::NotifyServer, this,
                &frmK32_LibBrowser::m_objSmbViewer_NotifyServer);
        viewer = m_objSmbViewer;
        break;
    }
    const std::string library = fetched->has_value() ? (*fetched)->library : std::string();
    viewer->Open(std::move(reader));
    PlaceOverWindow(*viewer);
    viewer->show();
    viewer->raise();
    viewer->NotifyMe(FromSuiteText(ViewerNotification(target.kind, library)));
}

ObjectViewer* frmK32_LibBrowser::Viewer(LibraryKind kind) const {
    switch (kind) {
    case LibraryKind::Symbol:
        return m_objSmbViewer;
    case LibraryKind::Package:
        return m_objPkgViewer;
    case LibraryKind::Padstack:
        return m_objPadViewer;
    default:
        return nullptr;
    }
}

void frmK32_LibBrowser::ReleaseViewer(LibraryKind kind) {
    ObjectViewer* viewer = Viewer(kind);
    if (viewer == nullptr)
        return;
    switch (kind) {
    case LibraryKind::Symbol:
        m_objSmbViewer = nullptr;
        break;
    case LibraryKind::Package:
        m_objPkgViewer = nullptr;
        break;
    default:
        m_objPadViewer = nullptr;
        break;
    }
    // Released from its own close as well, so it goes once its events are over.
    disconnect(viewer, nullptr, this, nullptr);
    viewer->hide();
    viewer->deleteLater();
}

void frmK32_LibBrowser::ReleaseViewers() {
    for (LibraryKind kind : {LibraryKind::Symbol, LibraryKind::Package, LibraryKind::Padstack})
        ReleaseViewer(kind);
}

void frmK32_LibBrowser::ViewerNotice(const QString& Aname, const QString& sCommand) {
    const auto released =
        HandleViewerNotice(Exchange().Messages(), ToSuiteText(Aname).value_or(std::string()),
                           ToSuiteText(sCommand).value_or(std::string()));
    if (released)
        ReleaseViewer(*released);
}

void frmK32_LibBrowser::m_objSmbViewer_NotifyServer(const QString& Aname, const QString& sCommand) {
    ViewerNotice(Aname, sCommand);
}

void frmK32_LibBrowser::m_objPkgViewer_NotifyServer(const QString& Aname, const QString& sCommand) {
    ViewerNotice(Aname, sCommand);
}

void frmK32_LibBrowser::m_objPadViewer_NotifyServer(const QString& Aname, const QString& sCommand) {
    ViewerNotice(Aname, sCommand);
}

} // namespace k2k
