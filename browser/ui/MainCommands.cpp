#include "browser/ui/MainCommands.h"

#include "browser/ui/frmK32_LibBrowser.h"
#include "platform/ui/LocaliseForm.h"
#include "platform/ui/TaggedControls.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <optional>

namespace k2k {

namespace {

using Handler = void (frmK32_LibBrowser::*)();

struct ButtonRow {
    const char* name;
    const char* caption;
    const char* tag;
    Handler handler;
    QPushButton* CommandPanel::*control;
};

struct SwitchRow {
    const char* name;
    const char* caption;
    const char* tag;
    QCheckBox* CommandPanel::*control;
};

constexpr ButtonRow kButtons[] = {
    {"cmdFindNow", "F&ind Now", "5061", &frmK32_LibBrowser::cmdFindNow_Click,
     &CommandPanel::findNow},
    {"cmdStop", "&Stop", "1614", &frmK32_LibBrowser::cmdStop_Click, &CommandPanel::stop},
    {"cmdEditNewPart", "&Edit New", "5065", &frmK32_LibBrowser::cmdEditNewPart_Click,
     &CommandPanel::editNew},
    {"cmdFindInList", "Find in Lis&t", "5064", &frmK32_LibBrowser::cmdFindInList_Click,
     &CommandPanel::findInList},
    {"cmdNewSearch", "Ne&w Search", "5063", &frmK32_LibBrowser::cmdNewSearch_Click,
     &CommandPanel::newSearch},
};

constexpr SwitchRow kSwitches[] = {
    {"chkSearchCond", "All Conditions", "5062", &CommandPanel::allConditions},
    {"MatchCase", "Match Case", "99874", &CommandPanel::matchCase},
    {"chkIntelli", "Numeric Search", "5083", &CommandPanel::numeric},
};

// The help topic a menu item sets: menu, submenu, tool, subtool, and whether it is shown.
struct Topic {
    int menu = 0;
    int submenu = 0;
    int tool = 0;
    int subtool = 0;
    bool show = false;
};

struct MenuRow {
    enum class Is { Menu, Submenu, EndSubmenu, Item, Separator };
    Is is;
    const char* name;
    const char* caption = nullptr;
    const char* tag = nullptr;
    std::optional<Topic> topic = std::nullopt;
    std::function<void()> handler = {};
    QKeyCombination shortcut = {};
    bool checkable = false;
};

std::vector<MenuRow> MenuRows(frmK32_LibBrowser& window) {
    using Is = MenuRow::Is;
    const auto call = [&window](Handler handler) -> std::function<void()> {
        return [&window, handler] { (window.*handler)(); };
    };
    const auto types = [&window](int kind) -> std::function<void()> {
        return [&window, kind] { window.mnuRegister_Click(kind); };
    };
    using W = frmK32_LibBrowser;
    return {
        {Is::Menu, "mnuLibrary", "&Library", "9950"},
        {Is::Item, "mnuLibExplorer", "&Explorer", "5066", Topic{1, 1}, call(&W::ActivateExplorer),
         Qt::CTRL | Qt::Key_E},
        {Is::Item, "mnuChgLibPth", "&Change Lib Path", "5067", Topic{1, 2},
         call(&W::mnuChgLibPth_Click)},
        {Is::Separator, "mnuSep01"},
        {Is::Item, "mnuExit", "E&xit", "99593", std::nullopt, [&window] { window.close(); }},
        {Is::Menu, "mnuView", "&View", "1742"},
        {Is::Submenu, "mnuRegister", "Register", "5068"},
        {Is::Item, "mnuPartRegister", "Part Types", "5069", Topic{2, 1, 1}, types(0)},
        {Is::Item, "mnuSymbolRegister", "Symbol Types", "5070", Topic{2, 1, 2}, types(1)},
        {Is::Item, "mnuPackageRegister", "Package Types", "5071", Topic{2, 1, 3}, types(2)},
        {Is::Item, "mnuPadstackRegister", "Padstack Types", "5072", Topic{2, 1, 4}, types(3)},
        {Is::EndSubmenu, nullptr},
        {Is::Item, "mnuSearchSeq", "&Search Sequence", "5073", Topic{2, 2},
         call(&W::mnuSearchSeq_Click)},
        {Is::Separator, "mnuSep02"},
        {Is::Item, "mnuRefresh", "&Refresh", "3711", Topic{2, 3}, call(&W::mnuRefresh_Click),
         QKeyCombination(Qt::Key_F5)},
        {Is::Item, "mnuOptions", "&Options...", "1816", Topic{2, 4}, call(&W::mnuOptions_Click)},
        {Is::Separator, "mnuSep03"},
        {Is::Item,
         "mnuAlwaysOnTop",
         "Always On &Top",
         "5074",
         Topic{2, 5},
         call(&W::mnuAlwaysOnTop_Click),
         {},
         true},
        {Is::Menu, "mnuH", "&Help", "993"},
        {Is::Item, "mnuHelp", "&Help Topics", "10334", Topic{0, 0, 0, 0, true}},
    };
}

} // namespace

std::vector<QWidget*> CommandPanel::Controls() const {
    return {findNow, stop, editNew, findInList, newSearch, allConditions, matchCase, numeric};
}

CommandPanel BuildCommandPanel(QWidget* parent, frmK32_LibBrowser& window,
                               std::function<void()> switchesChanged) {
    CommandPanel panel;
    panel.panel = new QWidget(parent);
    panel.panel->setObjectName(QStringLiteral("picSearchCommands"));
    auto* column = new QVBoxLayout(panel.panel);
    column->setContentsMargins(6, 4, 6, 4);
    column->setSpacing(3);
    for (const ButtonRow& row : kButtons) {
        QPushButton* button = MakeButton(panel.panel, row.name, row.caption, row.tag);
        panel.*row.control = button;
        column->addWidget(button);
        QObject::connect(button, &QPushButton::clicked, &window, row.handler);
    }
    for (const SwitchRow& row : kSwitches) {
        QCheckBox* box = MakeCheckBox(panel.panel, row.name, row.caption, row.tag);
        panel.*row.control = box;
        column->addWidget(box);
        QObject::connect(box, &QCheckBox::toggled, &window,
                         [switchesChanged] { switchesChanged(); });
    }
    column->addStretch(1);
    panel.findNow->setDefault(true);
    return panel;
}

QAction* BuildMenuBar(frmK32_LibBrowser& window) {
    QMenuBar* bar = window.menuBar();
    bar->setObjectName(QStringLiteral("mnuBar"));
    QMenu* menu = nullptr;
    QMenu* top = nullptr;
    QAction* checkable = nullptr;
    for (MenuRow& row : MenuRows(window)) {
        const QString name = QString::fromLatin1(row.name ? row.name : "");
        switch (row.is) {
        case MenuRow::Is::Menu:
        case MenuRow::Is::Submenu:
            menu = row.is == MenuRow::Is::Menu ? bar->addMenu(QString::fromLatin1(row.caption))
                                               : top->addMenu(QString::fromLatin1(row.caption));
            if (row.is == MenuRow::Is::Menu)
                top = menu;
            menu->setObjectName(name);
            SetTag(*menu, row.tag);
            continue;
        case MenuRow::Is::EndSubmenu:
            menu = top;
            continue;
        case MenuRow::Is::Separator:
            menu->addSeparator()->setObjectName(name);
            continue;
        case MenuRow::Is::Item:
            break;
        }
        QAction* action = menu->addAction(QString::fromLatin1(row.caption));
        action->setObjectName(name);
        SetTag(*action, row.tag);
        if (row.shortcut != QKeyCombination())
            action->setShortcut(QKeySequence(row.shortcut));
        if (row.checkable) {
            action->setCheckable(true);
            checkable = action;
        }
        // The help topic is set first; then the handler runs.
        QObject::connect(action, &QAction::triggered, &window,
                         [&window, topic = row.topic, handler = std::move(row.handler)] {
                             if (topic)
                                 window.Help().SetHelpTopic(topic->menu, topic->submenu,
                                                            topic->tool, topic->subtool,
                                                            topic->show);
                             if (handler)
                                 handler();
                         });
    }
    return checkable;
}

} // namespace k2k
