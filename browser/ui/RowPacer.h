#pragma once
// RowPacer, the way the rows a search finds reach the four result lists. A search appends to
// the core's result lists; the lists' models take the new rows at most every 100 ms while it
// runs (a search's first rows at once), before a walk lets pending events run, and at its
// end, when each list also fits its columns. Each sync inserts all the rows added since the
// last one in one step, so no row costs an event of its own.
//
// It is the main window's SearchDisplay; Stop in place of Find Now is the window's doing,
// told through showSearching.

#include "browser/ui/StatusFeedback.h"

#include <QElapsedTimer>

#include <array>
#include <functional>

namespace k2k {

class ResultListView;

class RowPacer final : public SearchDisplay {
public:
    using Views = std::array<ResultListView*, 4>; // by kind
    // searching: a search runs; fitColumns: the lists fit their columns at a search's end.
    RowPacer(Views views, std::function<bool()> searching, std::function<bool()> fitColumns,
             std::function<void(bool)> showSearching);

    void SetSearching(bool searching) override;
    void ResultsChanged(LibraryKind kind) override;
    void ResultViewCleared(LibraryKind kind) override;
    void BeforePendingEventsRun() override;

private:
    bool Due() const;
    void Sync(LibraryKind kind);

    Views m_views;
    std::function<bool()> m_searching;
    std::function<bool()> m_fitColumns;
    std::function<void(bool)> m_showSearching;
    QElapsedTimer m_sinceSync;
    bool m_firstRowsDue = false; // a search's first rows are shown at once
};

} // namespace k2k
