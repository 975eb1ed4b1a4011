#pragma once
// frmSearchSeq, the library search sequence dialog: a tab per object kind (tabSearchSeq),
// each with the kind's library files in a list with a check mark per entry
// (lstSearchSeq0 to 3), Up and Down to move the current entry, OK and Cancel. The right
// mouse button on a list opens the pop-up menu mnuOptions (Select All, UnSelect All), which
// Ctrl+A and Ctrl+U also run.
//
// The lists and their rules are the core's SearchSequence; the dialog shows them and
// passes every click on. OK writes the checked entries, in list order, into the
// component's catalogue and saves it; the browser window reads Changed() once the dialog
// has closed. Made on first use by the browser window and kept; every opening fills the
// lists anew (FormFill).

#include "formats/LibraryFile.h"
#include "search/SearchSequence.h"

#include <QDialog>

#include <array>
#include <functional>

class QAction;
class QListWidget;
class QMenu;
class QPushButton;
class QTabWidget;

namespace k2k {

class BrowserComponent;

class frmSearchSeq final : public QDialog {
    Q_OBJECT
public:
    frmSearchSeq(BrowserComponent& component, QWidget* parent = nullptr);

    // Fills the lists from the component's library directory and catalogue.
    void FormFill();
    // Titles the dialog (text 5043), localises it with the font, shows the kind's tab and
    // runs modally. Answers the changed flag.
    bool ShowModal(LibraryKind kind, const QFont& font);
    // A disabled Cancel also keeps Escape and the close box from closing the dialog.
    void SetCancelEnabled(bool enabled);
    bool Changed() const noexcept { return m_sequence.Changed(); }
    const SearchSequence& Sequence() const noexcept { return m_sequence; }
    // Ctrl+F1 shows the browser's help topic through this.
    void SetHelpHandler(std::function<void()> showHelp) { m_showHelp = std::move(showHelp); }

    // --- the handlers
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdUp_Click();
    void cmdDown_Click();
    void lstSearchSeq_Click(int row);
    void tabSearchSeq_Click(int index);
    void atvSearchSeq_ToolClick(const QString& tool);

    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    static std::size_t Index(LibraryKind kind) { return static_cast<std::size_t>(kind); }
    LibraryKind ShownKind() const;
    void ShowList(LibraryKind kind);
    void EnableMoves();
    void EntryChecked(LibraryKind kind, int row, bool checked);
    // Ctrl+A and Ctrl+U, wherever the focus is; true when the key was one of them.
    bool FormKeyDown(const QKeyEvent& event);

    BrowserComponent& m_component;
    SearchSequence m_sequence;
    QTabWidget* m_tabs;
    std::array<QListWidget*, 4> m_lists{};
    QPushButton* m_cmdUp;
    QPushButton* m_cmdDown;
    QPushButton* m_cmdOK;
    QPushButton* m_cmdCancel;
    QMenu* m_mnuOptions;
    std::function<void()> m_showHelp;
};

} // namespace k2k
