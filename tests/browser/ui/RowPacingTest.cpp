#include "browser/ui/StatusFeedback.h"

#include "browser/ui/ResultListModel.h"
#include "browser/ui/ResultListView.h"
#include "common/ObjectKinds.h"
#include "search/ResultList.h"
#include "support/ui/BrowserFixtures.h"

#include <QElapsedTimer>
#include <QMainWindow>

#include <memory>

namespace k2k {
namespace {

// The window's feedback with its four result lists; what the engine tells the fixture's
// feedback during a search goes on to it, the events it lets run included.
class RowPacingTest : public test::ResultListFixture {
protected:
    void SetUp() override {
        ResultListFixture::SetUp();
        SearchControls controls;
        for (LibraryKind kind : kAllKinds) {
            auto& view = m_views[static_cast<std::size_t>(kind)];
            view = std::make_unique<ResultListView>(m_browser, kind);
            controls.views[static_cast<std::size_t>(kind)] = view.get();
        }
        controls.fitColumns = [] { return false; };
        m_status.SetSearchControls(std::move(controls));
        m_feedback.resultsChanged = [this](LibraryKind kind) { m_status.ResultsChanged(kind); };
        m_feedback.pending = [this] { m_status.LetPendingEventsRun(); };
    }
    int Rows(LibraryKind kind) {
        return m_views[static_cast<std::size_t>(kind)]->Model().rowCount();
    }

    QMainWindow m_window;
    StatusFeedback m_status{m_window, [](bool) {}, [](bool) {}};
    std::array<std::unique_ptr<ResultListView>, 4> m_views;
};

TEST_F(RowPacingTest, FirstRowsAtOnceLaterOnesAtMostEvery100MsAndAllAtTheEnd) {
    m_status.SetSearching(true);
    QElapsedTimer clock;
    clock.start();
    Search(LibraryKind::Part, "*"); // the small suite has two part libraries
    const int found = Results(LibraryKind::Part).Count();
    EXPECT_GT(Rows(LibraryKind::Part), 0) << "a search's first rows are shown at once";
    if (clock.elapsed() < 90) {
        EXPECT_LT(Rows(LibraryKind::Part), found) << "the next library's rows wait for 100 ms";
    }
    m_status.SetSearching(false);
    EXPECT_EQ(Rows(LibraryKind::Part), found) << "all at the end";

    Search(LibraryKind::Part, "*");
    EXPECT_EQ(Rows(LibraryKind::Part), Results(LibraryKind::Part).Count())
        << "outside a search the rows are shown when they change";
    m_status.ResultViewCleared(LibraryKind::Part);
    EXPECT_EQ(Rows(LibraryKind::Part), Results(LibraryKind::Part).Count());
}

} // namespace
} // namespace k2k
