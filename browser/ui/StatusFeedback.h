#pragma once
// StatusFeedback, the one feedback of the browser's main window: everything the search
// engine and the start-up tell the window goes to it, and it drives the controls itself. It
// is the SearchFeedback the component's engine talks to and the StartupProgress of the
// component's start-up.
//
// It owns the status bar's message texts (the MSG1 panel when the window has one, else the
// status bar's message line), the beep, the hourglass and the busy flag of the browser's
// status record (through the window), and the running of pending events during a walk (at
// most every 15 ms). The start-up's progress texts go to the splash while one shows.
//
// While a search runs, Stop stands in place of Find Now, and the rows it appends to the
// core's result lists reach the lists' models at most every 100 ms (a search's first rows
// at once): when the search reports a library's rows, and before a walk lets pending
// events run, so one large library shows rows while it is read. At the search's end every
// list takes its last rows and fits its columns. Each sync inserts all the rows added since
// the last one in one step, so no row costs an event of its own. A window without result
// lists and search buttons (the stand-in) leaves them out and has only the texts.

#include "browser/BrowserComponent.h"
#include "browser/EventGate.h"
#include "search/SearchEngine.h"

#include <QElapsedTimer>
#include <QString>

#include <array>
#include <functional>

class QLabel;
class QMainWindow;
class QWidget;

namespace k2k {

class ResultListView;
class frmSplash;

// The controls of the main window that a search drives.
struct SearchControls {
    std::array<ResultListView*, 4> views{}; // the result lists, by kind
    QWidget* findNow = nullptr;
    QWidget* stop = nullptr;
    std::function<bool()> fitColumns; // the lists fit their columns at a search's end
};

class StatusFeedback final : public SearchFeedback, public StartupProgress {
public:
    // The window's hourglass and its busy flag in the browser's status record.
    StatusFeedback(QMainWindow& window, std::function<void(bool)> hourglass,
                   std::function<void(bool)> publishBusy);

    // The status bar's panels: the message panel MSG1 and the lock states CAPS and NUM
    // (shown disabled: this system tells no lock states to the window). Without them the
    // texts go to the status bar's message line.
    void AddMessagePanels();
    void SetSearchControls(SearchControls controls);
    // The window's own controls are going: from now on only the status bar's line is left.
    void DropWindowControls() noexcept;
    // The splash that shows the start-up's progress; nullptr when it has gone.
    void SetSplash(frmSplash* splash) noexcept { m_splash = splash; }
    // The text the status bar shows.
    QString StatusText() const;
    // A text of the window's own, already in Qt's form.
    void ShowStatusText(const QString& text);
    // Stop in place of Find Now, or Find Now back; the rows are left as they are.
    void ShowSearching(bool searching);

    // --- SearchFeedback
    void LetPendingEventsRun() override;
    void ShowStatus(const std::string& text) override;
    void Beep() override;
    void SetHourglass(bool on) override;
    void PublishBusy(bool busy) override;
    void SetSearching(bool searching) override;
    void ResultsChanged(LibraryKind kind) override;
    void ResultViewCleared(LibraryKind kind) override;

    // --- StartupProgress
    void ShowProgress(const std::string& text) override;

private:
    ResultListView* View(LibraryKind kind) const {
        return m_controls.views[static_cast<std::size_t>(kind)];
    }
    bool RowsDue() const;
    void SyncRows(LibraryKind kind);

    QMainWindow& m_window;
    std::function<void(bool)> m_hourglass;
    std::function<void(bool)> m_publishBusy;
    QLabel* m_panel = nullptr;
    SearchControls m_controls;
    frmSplash* m_splash = nullptr;
    EventGate m_pumpGate; // pending events run at most every 15 ms while a search works
    // The status text is drawn at once, while no events run, at most every 15 ms: a search
    // of ten thousand small libraries shows two texts for each.
    EventGate m_repaintGate;
    bool m_searching = false;    // from the engine's SetSearching(true) to its (false)
    bool m_firstRowsDue = false; // a search's first rows are shown at once
    QElapsedTimer m_sinceSync;
};

} // namespace k2k
