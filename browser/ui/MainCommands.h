#pragma once
// The main window's menu bar and command panel, each built from a table. A row names the
// control (its object name), its caption, its Tag (the text number LocaliseForm puts in
// the suite's language), the help topic a menu item sets before its handler runs, and the
// handler: the window's own (cmdFindNow_Click, mnuOptions_Click, ...).
//
// The menu bar mnuBar: Library (Explorer, Change Lib Path, Exit), View (Register with the
// four kinds' types, Search Sequence, Refresh, Options, Always On Top) and Help (Help
// Topics, which also shows the topic). The command panel picSearchCommands: Find Now with
// Stop in its place while a search runs, Edit New, Find in List, New Search and the three
// search switches.

#include <functional>
#include <vector>

class QAction;
class QCheckBox;
class QPushButton;
class QWidget;

namespace k2k {

class frmK32_LibBrowser;

struct CommandPanel {
    QWidget* panel = nullptr;
    QPushButton* findNow = nullptr;
    QPushButton* stop = nullptr;
    QPushButton* editNew = nullptr;
    QPushButton* findInList = nullptr;
    QPushButton* newSearch = nullptr;
    QCheckBox* allConditions = nullptr;
    QCheckBox* matchCase = nullptr;
    QCheckBox* numeric = nullptr;

    // The controls from top to bottom, which is also their tab order.
    std::vector<QWidget*> Controls() const;
};

// switchesChanged runs when a search switch is ticked or cleared.
CommandPanel BuildCommandPanel(QWidget* parent, frmK32_LibBrowser& window,
                               std::function<void()> switchesChanged);
// Builds the window's menu bar; answers the Always On Top item.
QAction* BuildMenuBar(frmK32_LibBrowser& window);

} // namespace k2k
