#include "browser/ui/frmSearchSeq.h"

#include "browser/BrowserComponent.h"
#include "browser/ui/BrowserImages.h"
#include "browser/ui/BrowserMainWindow.h"
#include "browser/ui/KindTabs.h"
#include "common/Messages.h"
#include "common/ObjectKinds.h"
#include "platform/ui/HelpKey.h"
#include "platform/ui/LocaliseForm.h"
#include "platform/ui/SuiteText.h"
#include "platform/ui/TaggedControls.h"

#include <QAction>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

namespace k2k {

frmSearchSeq::frmSearchSeq(BrowserComponent& component, QWidget* parent)
    : QDialog(parent), m_component(component), m_tabs(new QTabWidget(this)),
      m_cmdUp(MakeButton(this, "cmdUp", "&Up")), m_cmdDown(MakeButton(this, "cmdDown", "&Down")),
      m_cmdOK(MakeButton(this, "cmdOK", "OK", "991451")),
      m_cmdCancel(MakeButton(this, "cmdCancel", "Cancel", "99388")), m_mnuOptions(new QMenu(this)) {
    new HelpKey(*this, [this] {
        if (m_showHelp)
            m_showHelp();
    });
    setObjectName(QStringLiteral("frmSearchSeq"));
    setWindowTitle(QStringLiteral("Library Search Sequence"));
    SetTag(*this, "5043");
    setModal(true);

    m_tabs->setObjectName(QStringLiteral("tabSearchSeq"));
    for (std::size_t i = 0; i < kAllKinds.size(); ++i) {
        const LibraryKind kind = kAllKinds[i];
        auto* page = new QWidget(m_tabs);
        auto* list = new QListWidget(page);
        list->setObjectName(QStringLiteral("lstSearchSeq%1").arg(i));
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->installEventFilter(this); // the dialog sees the keys first
        list->viewport()->installEventFilter(this);
        auto* pageLayout = new QVBoxLayout(page);
        pageLayout->setContentsMargins(4, 4, 4, 4);
        pageLayout->addWidget(list);
        m_tabs->addTab(page, BrowserIcon(BrowserImageKeys().at(static_cast<int>(i)).toStdString()),
                       FromSuiteText(FactsOf(kind).tabCaption.text));
        m_lists[i] = list;
        connect(list, &QListWidget::currentRowChanged, this,
                [this](int row) { lstSearchSeq_Click(row); });
        connect(list, &QListWidget::itemChanged, this, [this, kind, list](QListWidgetItem* item) {
            EntryChecked(kind, list->row(item), item->checkState() == Qt::Checked);
        });
    }
    connect(m_tabs, &QTabWidget::currentChanged, this, &frmSearchSeq::tabSearchSeq_Click);

    // The tool bar's pop-up band.
    m_mnuOptions->setObjectName(QStringLiteral("mnuOptions"));
    const struct {
        const char* name;
        const char* caption;
        QKeyCombination key;
    } tools[] = {{"ATB_SelectAll", "Select &All", Qt::CTRL | Qt::Key_A},
                 {"ATB_UnSelectAll", "&UnSelect All", Qt::CTRL | Qt::Key_U}};
    for (const auto& tool : tools) {
        QAction* action = m_mnuOptions->addAction(QString::fromLatin1(tool.caption));
        action->setObjectName(QString::fromLatin1(tool.name));
        // The keys are the dialog's (FormKeyDown); the menu only names them.
        action->setShortcut(QKeySequence(tool.key));
        action->setShortcutContext(Qt::WidgetShortcut);
        const QString name = action->objectName();
        connect(action, &QAction::triggered, this, [this, name] { atvSearchSeq_ToolClick(name); });
    }

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_cmdUp);
    buttons->addWidget(m_cmdDown);
    buttons->addStretch(1);
    buttons->addWidget(m_cmdOK);
    buttons->addWidget(m_cmdCancel);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_tabs, 1);
    layout->addLayout(buttons);
    m_cmdOK->setDefault(true);
    resize(460, 330);

    // Tab moves as the eye reads: the tabs, the shown list, then the buttons top down.
    QWidget* previous = m_tabs;
    for (QListWidget* list : m_lists) {
        setTabOrder(previous, list);
        previous = list;
    }
    for (QWidget* button : {m_cmdUp, m_cmdDown, m_cmdOK, m_cmdCancel}) {
        setTabOrder(previous, button);
        previous = button;
    }

    connect(m_cmdUp, &QPushButton::clicked, this, &frmSearchSeq::cmdUp_Click);
    connect(m_cmdDown, &QPushButton::clicked, this, &frmSearchSeq::cmdDown_Click);
    connect(m_cmdOK, &QPushButton::clicked, this, &frmSearchSeq::cmdOK_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &frmSearchSeq::cmdCancel_Click);
}

void frmSearchSeq::FormFill() {
    m_sequence.Fill(m_component.Catalogue(), m_component.Dirs().libDir);
    for (LibraryKind kind : kAllKinds)
        ShowList(kind);
    EnableMoves();
}

bool frmSearchSeq::ShowModal(LibraryKind kind, const QFont& font) {
    const SuiteServices& services = m_component.Services();
    LocaliseForm(*this, services, font);
    SetKindTabCaptions(*m_tabs, services);
    setWindowTitle(FromSuiteText(LocalText(services, "5043", "Library Search Sequence")));
    m_sequence.Cancel(); // closing the dialog any other way than OK changes nothing
    m_tabs->setCurrentIndex(static_cast<int>(kind));
    tabSearchSeq_Click(m_tabs->currentIndex());
    exec();
    return m_sequence.Changed();
}

void frmSearchSeq::SetCancelEnabled(bool enabled) {
    m_cmdCancel->setEnabled(enabled);
}

LibraryKind frmSearchSeq::ShownKind() const {
    const int index = qBound(0, m_tabs->currentIndex(), kObjectKinds - 1);
    return kAllKinds[static_cast<std::size_t>(index)];
}

void frmSearchSeq::ShowList(LibraryKind kind) {
    QListWidget* list = m_lists[Index(kind)];
    // The list's own signals during the filling are not the user's.
    const QSignalBlocker blocker(list);
    list->clear();
    for (const SearchSequenceEntry& entry : m_sequence.Entries(kind)) {
        auto* item = new QListWidgetItem(FromSuiteText(entry.text), list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(entry.selected ? Qt::Checked : Qt::Unchecked);
    }
    list->setCurrentRow(m_sequence.Current(kind));
}

void frmSearchSeq::EnableMoves() {
    const LibraryKind kind = ShownKind();
    m_cmdUp->setEnabled(m_sequence.CanMoveUp(kind));
    m_cmdDown->setEnabled(m_sequence.CanMoveDown(kind));
}

void frmSearchSeq::EntryChecked(LibraryKind kind, int row, bool checked) {
    m_sequence.SetSelected(kind, row, checked);
}

// --- the handlers

void frmSearchSeq::cmdOK_Click() {
    BrowserState& state = m_component.State();
    m_sequence.Accept(state.catalogue, m_component.Services());
    accept();
}

void frmSearchSeq::cmdCancel_Click() {
    if (!m_cmdCancel->isEnabled())
        return;
    m_sequence.Cancel();
    QDialog::reject();
}

void frmSearchSeq::reject() {
    // Escape and the close box cancel, as the button does. With Cancel disabled only OK
    // closes the dialog, unless the browser is unloading with it.
    const auto* owner = qobject_cast<const BrowserMainWindow*>(parentWidget());
    if (!m_cmdCancel->isEnabled() && !(owner && owner->IsUnloaded()))
        return;
    m_sequence.Cancel();
    QDialog::reject();
}

void frmSearchSeq::cmdUp_Click() {
    const LibraryKind kind = ShownKind();
    m_sequence.MoveUp(kind);
    ShowList(kind);
    EnableMoves();
}

void frmSearchSeq::cmdDown_Click() {
    const LibraryKind kind = ShownKind();
    m_sequence.MoveDown(kind);
    ShowList(kind);
    EnableMoves();
}

void frmSearchSeq::lstSearchSeq_Click(int row) {
    m_sequence.SetCurrent(ShownKind(), row);
    EnableMoves();
}

void frmSearchSeq::tabSearchSeq_Click(int index) {
    if (index < 0)
        return;
    const LibraryKind kind = ShownKind();
    m_sequence.SelectKind(kind);
    ShowList(kind);
    EnableMoves();
}

void frmSearchSeq::atvSearchSeq_ToolClick(const QString& tool) {
    const QString upper = tool.toUpper();
    if (upper != QLatin1String("ATB_SELECTALL") && upper != QLatin1String("ATB_UNSELECTALL"))
        return;
    const LibraryKind kind = ShownKind();
    m_sequence.SelectAll(kind, upper == QLatin1String("ATB_SELECTALL"));
    ShowList(kind);
}

bool frmSearchSeq::FormKeyDown(const QKeyEvent& event) {
    if (event.modifiers() != Qt::ControlModifier)
        return false;
    if (event.key() == Qt::Key_A)
        atvSearchSeq_ToolClick(QStringLiteral("ATB_SelectAll"));
    else if (event.key() == Qt::Key_U)
        atvSearchSeq_ToolClick(QStringLiteral("ATB_UnSelectAll"));
    else
        return false;
    return true;
}

void frmSearchSeq::keyPressEvent(QKeyEvent* event) {
    if (!FormKeyDown(*event))
        QDialog::keyPressEvent(event);
}

bool frmSearchSeq::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && FormKeyDown(*static_cast<QKeyEvent*>(event)))
        return true;
    // The right mouse button, released over a list, opens the band as a pop-up menu.
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        auto* viewport = qobject_cast<QWidget*>(watched);
        if (mouse->button() == Qt::RightButton && viewport) {
            m_mnuOptions->popup(viewport->mapToGlobal(mouse->position().toPoint()));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace k2k
