#pragma once
// The search feedback the component hands its search engine: it passes every call on to
// the window's feedback and remembers whether a search is running, which the command
// dispatcher asks before it carries out a command that reloads or unloads the browser.

#include "search/SearchEngine.h"

namespace k2k {

class SearchWatch final : public SearchFeedback {
public:
    explicit SearchWatch(SearchFeedback& window) : m_window(window) {}

    bool IsSearching() const noexcept { return m_searching; }

    void LetPendingEventsRun() override { m_window.LetPendingEventsRun(); }
    void ShowStatus(const std::string& text) override { m_window.ShowStatus(text); }
    void Beep() override { m_window.Beep(); }
    void SetHourglass(bool on) override { m_window.SetHourglass(on); }
    void PublishBusy(bool busy) override { m_window.PublishBusy(busy); }
    void SetSearching(bool searching) override {
        m_searching = searching;
        m_window.SetSearching(searching);
    }
    void ResultsChanged(LibraryKind kind) override { m_window.ResultsChanged(kind); }
    void ResultViewCleared(LibraryKind kind) override { m_window.ResultViewCleared(kind); }

private:
    SearchFeedback& m_window;
    bool m_searching = false;
};

} // namespace k2k
