#include "simulation/ui/frmSimulation.h"

#include "platform/SuiteServices.h"
#include "platform/ui/Hourglass.h"
#include "platform/ui/LocaliseForm.h"
#include "platform/ui/SuiteText.h"
#include "simulation/ui/SimulationListModel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHelpEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QToolTip>
#include <QTreeView>
#include <QVBoxLayout>

namespace k2k {

namespace {

struct TabCaption {
    const char* id;
    const char* text;
};
constexpr std::array<TabCaption, kSimulationTabCount> kTabCaptions{{
    {"5013", "Simulation function"},
    {"5045", "KDSpice Element Code"},
    {"5046", "KDSpice Subcircuit"},
}};

QCheckBox* NewCheckBox(const char* name, const char* caption, const char* id, QWidget* parent) {
    auto* box = new QCheckBox(QString::fromLatin1(caption), parent);
    box->setObjectName(QString::fromLatin1(name));
    SetTag(*box, id);
    return box;
}

QWidget* FilterRow(std::initializer_list<QWidget*> controls) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* control : controls)
        layout->addWidget(control);
    layout->addStretch();
    return row;
}

} // namespace

frmSimulation::frmSimulation(SimulationPicker& picker, const SuiteServices& services,
                             const QFont& font, QWidget* parent)
    : QDialog(parent), m_picker(picker), m_tabs(new QTabWidget(this)),
      m_chkAnalog(NewCheckBox("chkAnalog", "Analog Models", "3378", this)),
      m_chkDigital(NewCheckBox("chkDigital", "Digital Models", "3379", this)),
      m_chkStandardCkt(NewCheckBox("chkStandardCkt", "Standard Circuit Elements", "3381", this)),
      m_chkCodeModel(NewCheckBox("chkCodeModel", "Code Models", "3382", this)),
      m_fraFamily(new QGroupBox(QStringLiteral("Subcircuit Family: "), this)),
      m_cboFamily(new QComboBox(m_fraFamily)),
      m_cmdOK(new QPushButton(QStringLiteral("Accept"), this)),
      m_cmdCancel(new QPushButton(QStringLiteral("Cancel"), this)) {
    setObjectName(QStringLiteral("frmSimulation"));
    setWindowTitle(QStringLiteral("Simulation"));
    SetTag(*this, "43107");
    setWindowFlag(Qt::WindowStaysOnTopHint);
    m_tabs->setObjectName(QStringLiteral("tabSimulation"));
    m_fraFamily->setObjectName(QStringLiteral("fraFamily"));
    SetTag(*m_fraFamily, "3383");
    m_cboFamily->setObjectName(QStringLiteral("cboFamily"));
    // Read as the frame's caption, not as the family it shows.
    SetAccessibleName(*m_cboFamily, QStringLiteral("Subcircuit Family: "), "3383");
    m_cboFamily->setMinimumContentsLength(16);
    auto* familyLayout = new QHBoxLayout(m_fraFamily);
    familyLayout->addWidget(m_cboFamily);
    familyLayout->addStretch();
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    SetTag(*m_cmdOK, "99177");
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    SetTag(*m_cmdCancel, "99388");
    m_cmdOK->setDefault(true);
    m_cmdCancel->setAutoDefault(false);

    for (int tab = 0; tab < kSimulationTabCount; ++tab) {
        const auto which = static_cast<SimulationTab>(tab);
        QStringList captions;
        for (const SimulationColumn& column : SimulationColumns(which))
            captions << FromSuiteText(services.GetText(column.caption, column.captionId));
        m_models[Index(which)] = new SimulationListModel(m_picker, which, captions, this);
    }
    m_tabs->addTab(BuildPage(SimulationTab::Function, FilterRow({m_chkAnalog, m_chkDigital})),
                   QString());
    m_tabs->addTab(
        BuildPage(SimulationTab::ElementCode, FilterRow({m_chkStandardCkt, m_chkCodeModel})),
        QString());
    m_tabs->addTab(BuildPage(SimulationTab::Subcircuit, FilterRow({m_fraFamily})), QString());

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdOK);
    buttons->addWidget(m_cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addLayout(buttons);

    const auto filter = [this](QCheckBox* box, void (SimulationPicker::*set)(bool),
                               SimulationTab tab) {
        connect(box, &QCheckBox::toggled, this, [this, set, tab](bool ticked) {
            if (m_syncing)
                return;
            (m_picker.*set)(ticked);
            ListChanged(tab);
        });
    };
    filter(m_chkAnalog, &SimulationPicker::SetAnalog, SimulationTab::Function);
    filter(m_chkDigital, &SimulationPicker::SetDigital, SimulationTab::Function);
    filter(m_chkStandardCkt, &SimulationPicker::SetStandardCkt, SimulationTab::ElementCode);
    filter(m_chkCodeModel, &SimulationPicker::SetCodeModel, SimulationTab::ElementCode);
    connect(m_cboFamily, &QComboBox::currentIndexChanged, this, [this] {
        if (m_syncing)
            return;
        m_picker.SetFamily(ToSuiteText(m_cboFamily->currentText()).value_or(std::string()));
        ListChanged(SimulationTab::Subcircuit);
    });
    connect(m_cmdOK, &QPushButton::clicked, this, &frmSimulation::cmdOK_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &frmSimulation::cmdCancel_Click);

    // Tab moves as the eye reads: the tabs, the shown tab's filters and list, then the
    // buttons (the lists are made after the buttons).
    QWidget* previous = m_tabs;
    for (QWidget* next :
         {static_cast<QWidget*>(m_chkAnalog), static_cast<QWidget*>(m_chkDigital),
          static_cast<QWidget*>(m_lists[0]), static_cast<QWidget*>(m_chkStandardCkt),
          static_cast<QWidget*>(m_chkCodeModel), static_cast<QWidget*>(m_lists[1]),
          static_cast<QWidget*>(m_cboFamily), static_cast<QWidget*>(m_lists[2]),
          static_cast<QWidget*>(m_cmdOK), static_cast<QWidget*>(m_cmdCancel)}) {
        setTabOrder(previous, next);
        previous = next;
    }

    LocaliseForm(*this, services, font);
    for (int tab = 0; tab < kSimulationTabCount; ++tab) {
        const TabCaption& caption = kTabCaptions[static_cast<std::size_t>(tab)];
        m_tabs->setTabText(tab, FromSuiteText(services.GetText(caption.text, caption.id)));
    }
    NameTabPages(*m_tabs);
    resize(660, 420);
}

frmSimulation::~frmSimulation() = default;

QWidget* frmSimulation::BuildPage(SimulationTab tab, QWidget* filters) {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("picSimulation%1").arg(static_cast<int>(tab)));
    auto* list = new QTreeView(page);
    list->setObjectName(QStringLiteral("lvwSimulation%1").arg(static_cast<int>(tab)));
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setModel(m_models[Index(tab)]);
    list->header()->setSectionsClickable(true);
    list->header()->setSortIndicatorShown(false);
    m_lists[Index(tab)] = list;
    list->viewport()->installEventFilter(this);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(filters);
    layout->addWidget(list);

    connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this, tab] { RowSelected(tab); });
    connect(list->header(), &QHeaderView::sectionClicked, this, [this, tab](int column) {
        m_picker.SortBy(tab, column);
        ListChanged(tab);
    });
    connect(list, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            cmdOK_Click();
    });
    return page;
}

void frmSimulation::ListChanged(SimulationTab tab) {
    const Hourglass hourglass; // a list of thousands of models takes a moment
    const bool wasSyncing = m_syncing;
    m_syncing = true;
    m_models[Index(tab)]->Reset();
    QTreeView* list = m_lists[Index(tab)];
    if (const std::optional<int> row = m_picker.SelectedRow(tab)) {
        const QModelIndex index = m_models[Index(tab)]->index(*row, 0);
        list->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect |
                                                  QItemSelectionModel::Rows);
        list->setCurrentIndex(index);
    }
    if (const int column = m_picker.SortColumn(tab); column >= 0) {
        list->header()->setSortIndicatorShown(true);
        list->header()->setSortIndicator(column, m_picker.SortAscending(tab) ? Qt::AscendingOrder
                                                                             : Qt::DescendingOrder);
    }
    for (int column = 0; column < m_models[Index(tab)]->columnCount(); ++column)
        list->resizeColumnToContents(column);
    m_syncing = wasSyncing;
}

void frmSimulation::RowSelected(SimulationTab tab) {
    if (m_syncing)
        return;
    const QModelIndexList rows = m_lists[Index(tab)]->selectionModel()->selectedRows();
    m_picker.Select(tab, rows.isEmpty() ? std::nullopt : std::optional<int>(rows.first().row()));
}

void frmSimulation::SyncFromPicker() {
    m_syncing = true;
    const SimulationFilters& filters = m_picker.Filters();
    m_chkAnalog->setChecked(filters.analog);
    m_chkDigital->setChecked(filters.digital);
    m_chkStandardCkt->setChecked(filters.standardCkt);
    m_chkCodeModel->setChecked(filters.codeModel);
    m_cboFamily->clear();
    int chosen = -1;
    for (const std::string& family : m_picker.Families()) {
        if (family == filters.family && chosen < 0)
            chosen = m_cboFamily->count();
        m_cboFamily->addItem(FromSuiteText(family));
    }
    m_cboFamily->setCurrentIndex(chosen);
    for (int tab = 0; tab < kSimulationTabCount; ++tab)
        ListChanged(static_cast<SimulationTab>(tab));
    m_syncing = false;
}

void frmSimulation::ShowOnly(SimulationTab tab) {
    m_accepted = false;
    SyncFromPicker();
    m_tabs->setCurrentIndex(static_cast<int>(tab));
    for (int other = 0; other < kSimulationTabCount; ++other)
        m_tabs->setTabEnabled(other, other == static_cast<int>(tab));
    exec();
}

std::int32_t frmSimulation::GetSimFunction() {
    ShowOnly(SimulationTab::Function);
    return m_picker.Picked().simFunction;
}

void frmSimulation::GetElementCode(std::string& ElementCode, std::string& ModelCode,
                                   std::string& ModelVariant) {
    ShowOnly(SimulationTab::ElementCode);
    const PickedSimulationRef& picked = m_picker.Picked();
    ElementCode = picked.elementCode;
    ModelCode = picked.modelCode;
    ModelVariant = picked.modelVariant;
}

void frmSimulation::GetSubcircuit(std::string& ElementCode, std::string& ModelCode,
                                  std::string& ModelVariant) {
    ShowOnly(SimulationTab::Subcircuit);
    const PickedSimulationRef& picked = m_picker.Picked();
    ElementCode = picked.elementCode;
    ModelCode = picked.modelCode;
    ModelVariant = picked.modelVariant;
}

void frmSimulation::cmdOK_Click() {
    // Accept with no row selected picks nothing: the grid's cells stay as they are.
    m_accepted = m_picker.Accept(static_cast<SimulationTab>(m_tabs->currentIndex()));
    accept();
}

void frmSimulation::cmdCancel_Click() {
    reject();
}

void frmSimulation::done(int result) {
    // However it closes, the dialog is whole again for its next use.
    for (int tab = 0; tab < kSimulationTabCount; ++tab)
        m_tabs->setTabEnabled(tab, true);
    QDialog::done(result);
}

bool frmSimulation::eventFilter(QObject* watched, QEvent* event) {
    // A list's tip is the description of the row under the pointer (the model's); over no
    // row the tip goes.
    if (event->type() == QEvent::ToolTip)
        for (QTreeView* list : m_lists)
            if (watched == list->viewport() &&
                !list->indexAt(static_cast<QHelpEvent*>(event)->pos()).isValid()) {
                QToolTip::hideText();
                return true;
            }
    return QDialog::eventFilter(watched, event);
}

bool frmSimulation::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        Activated();
    return QDialog::event(event);
}

void frmSimulation::Activated() {
    raise();
    const auto tab = static_cast<SimulationTab>(m_tabs->currentIndex());
    const std::optional<int> row = m_picker.SelectedRow(tab);
    if (!row)
        return;
    QTreeView* list = m_lists[Index(tab)];
    list->scrollTo(m_models[Index(tab)]->index(*row, 0));
    list->setFocus();
}

void frmSimulation::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::ControlModifier) {
        if (m_help)
            m_help();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace k2k
