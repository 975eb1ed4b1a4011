#include "browser/ui/RowPacer.h"

#include "browser/ui/ResultListModel.h"
#include "browser/ui/ResultListView.h"
#include "common/ObjectKinds.h"

namespace k2k {

namespace {

// The result lists take the rows found at most this often while a search runs.
constexpr qint64 kSyncIntervalMs = 100;

} // namespace

RowPacer::RowPacer(Views views, std::function<bool()> searching, std::function<bool()> fitColumns,
                   std::function<void(bool)> showSearching)
    : m_views(views), m_searching(std::move(searching)), m_fitColumns(std::move(fitColumns)),
      m_showSearching(std::move(showSearching)) {
    m_sinceSync.start();
}

bool RowPacer::Due() const {
    return m_firstRowsDue || m_sinceSync.elapsed() >= kSyncIntervalMs;
}

void RowPacer::SetSearching(bool searching) {
    m_showSearching(searching);
    m_firstRowsDue = searching;
    if (searching)
        return;
    for (LibraryKind kind : kAllKinds) {
        Sync(kind);
        m_views[static_cast<std::size_t>(kind)]->FitColumns(m_fitColumns());
    }
}

void RowPacer::ResultsChanged(LibraryKind kind) {
    if (m_searching() && !Due())
        return;
    Sync(kind);
}

// A search reports its rows after each library; a large library would keep them from the
// view until it is read, so the rows found so far are also shown while events run.
void RowPacer::BeforePendingEventsRun() {
    if (!m_searching() || !Due())
        return;
    for (LibraryKind kind : kAllKinds)
        Sync(kind);
}

void RowPacer::Sync(LibraryKind kind) {
    ResultListModel& model = m_views[static_cast<std::size_t>(kind)]->Model();
    const int shown = model.rowCount();
    model.SyncNewRows();
    if (model.rowCount() > shown)
        m_firstRowsDue = false;
    m_sinceSync.restart();
}

void RowPacer::ResultViewCleared(LibraryKind kind) {
    m_views[static_cast<std::size_t>(kind)]->Model().Reset();
}

} // namespace k2k
