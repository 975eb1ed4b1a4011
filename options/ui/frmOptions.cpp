#include "options/ui/frmOptions.h"

#include "common/Messages.h"
#include "platform/ui/DialogPlace.h"
#include "platform/ui/HelpKey.h"
#include "platform/ui/K2kGrid.h"
#include "platform/ui/LocaliseForm.h"
#include "platform/ui/SuiteText.h"
#include "system/Text.h"

#include <QAction>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace k2k {

namespace {

constexpr int kLeastWidth = 380; // the lists' captions and the General grid read whole
constexpr int kValueCol = 1;
constexpr int kLeftMiddle = 1;

// The caption row of the General grid, as the search grids have it.
constexpr NumberedText kNameCaption{11194, "Options"};
constexpr NumberedText kValueCaption{18115, "Values"};

} // namespace

frmOptions::frmOptions(DisplayOptions& tables, GeneralOptions& general, SuiteServices& services,
                       UserSettings& settings, const QFont& font, QWidget* parent)
    : QDialog(parent), m_tables(tables), m_general(general), m_services(services),
      m_settings(settings), m_tabOptions(new QTabWidget(this)),
      m_cmdOK(new QPushButton(QStringLiteral("OK"), this)),
      m_cmdCancel(new QPushButton(QStringLiteral("Cancel"), this)) {
    new HelpKey(*this, [this] {
        if (m_showHelp)
            m_showHelp();
    });
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QString::fromLatin1(kOptionsTitle.text.data(),
                                       static_cast<qsizetype>(kOptionsTitle.text.size())));
    m_tabOptions->setObjectName(QStringLiteral("tabOptions"));
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    SetTag(*m_cmdOK, "991451");
    SetTag(*m_cmdCancel, "99388");
    m_cmdOK->setDefault(true);
    m_cmdCancel->setAutoDefault(false);

    for (std::size_t i = 0; i < m_lstOptions.size(); ++i) {
        auto* page = new QWidget(m_tabOptions);
        auto* label = new QLabel(page);
        label->setObjectName(QStringLiteral("lblDisp%1").arg(i));
        auto* list = new QListWidget(page);
        list->setObjectName(QStringLiteral("lstOptions%1").arg(i));
        // A click selects or clears one item and leaves the others as they are.
        list->setSelectionMode(QAbstractItemView::MultiSelection);
        list->setSpacing(1); // a little air between the rows
        list->viewport()->installEventFilter(this);
        list->installEventFilter(this);
        auto* column = new QVBoxLayout(page);
        column->addWidget(label);
        column->addWidget(list, 1);
        m_lblDisp[i] = label;
        m_lstOptions[i] = list;
        m_tabOptions->addTab(page, QString());
    }
    auto* generalPage = new QWidget(m_tabOptions);
    m_kldOptions = new K2kGrid(generalPage);
    m_kldOptions->setObjectName(QStringLiteral("KldOptions"));
    auto* generalColumn = new QVBoxLayout(generalPage);
    generalColumn->addWidget(m_kldOptions, 1);
    m_tabOptions->addTab(generalPage, QString());

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdOK);
    buttons->addWidget(m_cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabOptions, 1);
    layout->addLayout(buttons);

    connect(m_cmdOK, &QPushButton::clicked, this, &frmOptions::cmdOK_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &frmOptions::cmdCancel_Click);
    BuildPopupMenu();

    // Tab moves from the tabs to the shown list, then OK and Cancel.
    QWidget* previous = m_tabOptions;
    for (QListWidget* list : m_lstOptions) {
        setTabOrder(previous, list);
        previous = list;
    }
    setTabOrder(previous, m_cmdOK);
    setTabOrder(m_cmdOK, m_cmdCancel);

    LocaliseForm(*this, services, font);
    resize(kLeastWidth, 340);
}

frmOptions::~frmOptions() = default;

void frmOptions::BuildPopupMenu() {
    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("mnuOptions"));
    // Each tool carries its number in the menu (5001, 5002) as its data.
    QAction* selectAll = m_popup->addAction(QStringLiteral("Select &All"));
    selectAll->setObjectName(QStringLiteral("ATB_SelectAll"));
    selectAll->setData(5001);
    QAction* unselectAll = m_popup->addAction(QStringLiteral("&UnSelect All"));
    unselectAll->setObjectName(QStringLiteral("ATB_UnSelectAll"));
    unselectAll->setData(5002);
    connect(selectAll, &QAction::triggered, this, [this] { SelectAll(true); });
    connect(unselectAll, &QAction::triggered, this, [this] { SelectAll(false); });
}

void frmOptions::LoadForm() {
    m_changed = false;
    for (QLabel* label : m_lblDisp)
        label->setText(QString::fromLatin1(kSelectDisplaySettings.data(),
                                           static_cast<qsizetype>(kSelectDisplaySettings.size())));
    const OptionsDialogState working(m_tables, m_general);
    FillLists(working);
    FillGeneralGrid(working);
    for (int i = 0; i < kOptionsTabs; ++i) {
        const NumberedText& caption = kOptionsTabCaptions[static_cast<std::size_t>(i)];
        m_tabOptions->setTabText(
            i, FromSuiteText(LocalText(m_services, DecimalText(caption.id), caption.text)));
    }
    NameTabPages(*m_tabOptions);
    m_kldOptions->SetGridName(m_tabOptions->tabText(kOptionsTabs - 1));
}

void frmOptions::FillLists(const OptionsDialogState& working) {
    for (LibraryKind kind : kAllKinds) {
        QListWidget* list = m_lstOptions[static_cast<std::size_t>(kind)];
        list->clear();
        for (const OptionItem& option : working.Items(kind)) {
            auto* item = new QListWidgetItem(FromSuiteText(option.name), list);
            item->setSelected(option.selected);
        }
        if (list->count() > 0)
            list->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    }
}

void frmOptions::FillGeneralGrid(const OptionsDialogState& working) {
    const auto& rows = working.GeneralRows();
    m_kldOptions->SetRows(static_cast<int>(rows.size()) + 1);
    m_kldOptions->SetFixedCount(1);
    const auto text = [this](const NumberedText& caption) {
        return FromSuiteText(LocalText(m_services, DecimalText(caption.id), caption.text));
    };
    m_kldOptions->SetCellText(0, 0, text(kNameCaption));
    m_kldOptions->SetCellText(0, kValueCol, text(kValueCaption));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        m_kldOptions->SetCellText(row, 0, FromSuiteText(rows[i].name));
        m_kldOptions->SetCellText(row, kValueCol, FromSuiteText(rows[i].value));
    }
    for (int col = 0; col < m_kldOptions->Cols(); ++col)
        m_kldOptions->SetColAlignment(col, kLeftMiddle);
    // A setting that is on or off shows as a check box over its value cell; the cell keeps
    // the value ("1" or "0") that OK reads.
    if (auto* table = m_kldOptions->findChild<QTableWidget*>(); table && !rows.empty()) {
        auto* box = qobject_cast<QCheckBox*>(table->cellWidget(1, kValueCol));
        if (!box) {
            box = new QCheckBox(table);
            box->setObjectName(QStringLiteral("chkFitColumnWidths"));
            table->setCellWidget(1, kValueCol, box);
            connect(box, &QCheckBox::toggled, this, [this](bool on) {
                m_kldOptions->SetCellText(1, kValueCol,
                                          on ? QStringLiteral("1") : QStringLiteral("0"));
            });
        }
        box->setAccessibleName(m_kldOptions->CellText(1, 0)); // its row's caption
        const QSignalBlocker quiet(box);
        box->setChecked(GeneralOptionsFrom(rows).fitColumnWidths != 0);
    }
    m_kldOptions->ResizeColumns(0);
    m_kldOptions->ResizeRows(0);
}

// The lists are as high as the longest needs (up to most of the screen), so every option
// shows without scrolling and no empty room is left under the last.
void frmOptions::FitToContents() {
    int rows = 0;
    for (const QListWidget* list : m_lstOptions)
        rows = std::max(rows, list->count());
    const QListWidget& first = *m_lstOptions.front();
    const int rowHeight = first.sizeHintForRow(0) + 2 * first.spacing();
    int height = rows * rowHeight + 2 * first.frameWidth() + first.spacing();
    if (const QScreen* screen = this->screen())
        height = std::min(height, screen->availableGeometry().height() * 3 / 5);
    for (QListWidget* list : m_lstOptions)
        list->setMinimumHeight(std::max(height, 3 * rowHeight));
    resize(std::max(sizeHint().width(), kLeastWidth), sizeHint().height());
}

bool frmOptions::ShowModal(int tabIndex) {
    LoadForm();
    m_tabOptions->setCurrentIndex(qBound(0, tabIndex, kOptionsTabs - 1));
    FitToContents();
    CentreOverParent(*this);
    exec();
    return m_changed;
}

void frmOptions::ReadControls(OptionsDialogState& state) const {
    for (LibraryKind kind : kAllKinds) {
        const QListWidget* list = m_lstOptions[static_cast<std::size_t>(kind)];
        OptionItems& items = state.Items(kind);
        items.clear();
        for (int i = 0; i < list->count(); ++i) {
            const QListWidgetItem* item = list->item(i);
            items.push_back(
                {ToSuiteText(item->text()).value_or(std::string()), item->isSelected()});
        }
    }
    auto& rows = state.GeneralRows();
    rows.clear();
    for (int row = 1; row < m_kldOptions->Rows(); ++row)
        rows.push_back(
            {ToSuiteText(m_kldOptions->CellText(row, 0)).value_or(std::string()),
             ToSuiteText(m_kldOptions->CellText(row, kValueCol)).value_or(std::string())});
}

void frmOptions::cmdOK_Click() {
    OptionsDialogState state(m_tables, m_general);
    ReadControls(state);
    const OptionsConfirmed outcome =
        ConfirmOptions(m_mode, state, m_tables, m_general, m_services, m_settings);
    if (outcome == OptionsConfirmed::Refused)
        return; // the dialog stays open
    m_changed = outcome == OptionsConfirmed::Changed;
    accept();
}

void frmOptions::cmdCancel_Click() {
    reject();
}

void frmOptions::SelectAll(bool select) {
    const int tab = m_tabOptions->currentIndex();
    if (tab < 0 || tab >= kObjectKinds)
        return;
    QListWidget* list = m_lstOptions[static_cast<std::size_t>(tab)];
    if (select)
        list->selectAll();
    else
        list->clearSelection();
}

QListWidget* frmOptions::ListOfViewport(QObject* watched) const {
    for (QListWidget* list : m_lstOptions)
        if (watched == list->viewport() || watched == list)
            return list;
    return nullptr;
}

bool frmOptions::eventFilter(QObject* watched, QEvent* event) {
    QListWidget* list = ListOfViewport(watched);
    if (list != nullptr) {
        if (event->type() == QEvent::MouseButtonRelease && watched == list->viewport()) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::RightButton) {
                m_popup->popup(mouse->globalPosition().toPoint());
                return true;
            }
        } else if (event->type() == QEvent::ContextMenu && watched == list &&
                   static_cast<QContextMenuEvent*>(event)->reason() ==
                       QContextMenuEvent::Keyboard) {
            // The menu key pops the menu up under the current item; the mouse's request
            // is left to the button's release.
            const QRect item = list->visualItemRect(list->currentItem());
            m_popup->popup(
                list->viewport()->mapToGlobal(item.isValid() ? item.bottomLeft() : QPoint(0, 0)));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace k2k
