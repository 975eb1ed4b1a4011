#include "browser/ui/RowPacer.h"

#include "browser/ui/ResultListModel.h"
#include "browser/ui/ResultListView.h"
#include "common/ObjectKinds.h"
#include "search/ResultList.h"
#include "support/ui/BrowserFixtures.h"

#include <QElapsedTimer>

#include <memory>

namespace k2k {
namespace {

class RowPacerTest : public test::ResultListFixture {
protected:
    void SetUp() override {
        ResultListFixture::SetUp();
        for (LibraryKind kind : kAllKinds)
            m_views[static_cast<std::size_t>(kind)] =
                std::make_unique<ResultListView>(m_browser, kind);
        RowPacer::Views views{};
        for (std::size_t i = 0; i < views.size(); ++i)
            views[i] = m_views[i].get();
        m_pacer = std::make_unique<RowPacer>(
            views, [this] { return m_searching; }, [] { return false; },
            [this](bool searching) { m_shown.push_back(searching); });
        m_feedback.resultsChanged = [this](LibraryKind kind) { m_pacer->ResultsChanged(kind); };
    }
    int Rows(LibraryKind kind) {
        return m_views[static_cast<std::size_t>(kind)]->Model().rowCount();
    }

    std::array<std::unique_ptr<ResultListView>, 4> m_views;
    std::unique_ptr<RowPacer> m_pacer;
    bool m_searching = false;
    std::vector<bool> m_shown;
};

TEST_F(RowPacerTest, FirstRowsAtOnceLaterOnesAtMostEvery100MsAndAllAtTheEnd) {
    m_searching = true;
    m_pacer->SetSearching(true);
    QElapsedTimer clock;
    clock.start();
    Search(LibraryKind::Part, "*"); // the small suite has two part libraries
    const int found = Results(LibraryKind::Part).Count();
    EXPECT_GT(Rows(LibraryKind::Part), 0) << "a search's first rows are shown at once";
    if (clock.elapsed() < 90) {
        EXPECT_LT(Rows(LibraryKind::Part), found) << "the next library's rows wait for 100 ms";
    }
    m_searching = false;
    m_pacer->SetSearching(false);
    EXPECT_EQ(Rows(LibraryKind::Part), Results(LibraryKind::Part).Count()) << "all at the end";
    EXPECT_EQ(m_shown, (std::vector<bool>{true, false}));

    Search(LibraryKind::Part, "*");
    EXPECT_EQ(Rows(LibraryKind::Part), Results(LibraryKind::Part).Count())
        << "outside a search the rows are shown when they change";
    m_pacer->ResultViewCleared(LibraryKind::Part);
    EXPECT_EQ(Rows(LibraryKind::Part), Results(LibraryKind::Part).Count());
}

} // namespace
} // namespace k2k
