#pragma once
// StatusFeedback, the one feedback of the browser's main window: what the search engine
// and the start-up tell the person. It is the SearchFeedback the component's engine talks
// to and the StartupProgress of the component's start-up.
//
// It owns the status bar's message texts (the MSG1 panel when the window has one, else the
// status bar's message line), the beep, the hourglass and the busy flag of the browser's
// status record (through the window), and the running of pending events during a walk (at
// most every 15 ms). The start-up's progress texts go to the splash while one shows. What a
// search tells the result lists and the command panel (the rows found, Stop in place of
// Find Now) goes on to the window's SearchDisplay.

#include "browser/BrowserComponent.h"
#include "browser/EventGate.h"
#include "search/SearchEngine.h"

#include <QString>

#include <functional>

class QLabel;
class QMainWindow;

namespace k2k {

class frmSplash;

// The part of a search's feedback that the window's result lists and command panel take.
class SearchDisplay {
public:
    virtual ~SearchDisplay() = default;
    virtual void SetSearching(bool /*searching*/) {}
    virtual void ResultsChanged(LibraryKind /*kind*/) {}
    virtual void ResultViewCleared(LibraryKind /*kind*/) {}
    // Before a walk lets pending events run: the lists show what it has found so far.
    virtual void BeforePendingEventsRun() {}
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
    void DropMessagePanels() noexcept { m_panel = nullptr; }
    void SetDisplay(SearchDisplay* display) noexcept { m_display = display; }
    // The splash that shows the start-up's progress; nullptr when it has gone.
    void SetSplash(frmSplash* splash) noexcept { m_splash = splash; }
    // The text the status bar shows.
    QString StatusText() const;
    // A text of the window's own, already in Qt's form.
    void ShowStatusText(const QString& text);

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
    QMainWindow& m_window;
    std::function<void(bool)> m_hourglass;
    std::function<void(bool)> m_publishBusy;
    QLabel* m_panel = nullptr;
    SearchDisplay* m_display = nullptr;
    frmSplash* m_splash = nullptr;
    EventGate m_pumpGate; // pending events run at most every 15 ms while a search works
    // The status text is drawn at once, while no events run, at most every 15 ms: a search
    // of ten thousand small libraries shows two texts for each.
    EventGate m_repaintGate;
};

} // namespace k2k
