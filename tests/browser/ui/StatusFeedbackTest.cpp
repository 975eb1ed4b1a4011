#include "browser/ui/StatusFeedback.h"

#include "browser/ui/ResultListModel.h"
#include "browser/ui/ResultListView.h"
#include "browser/ui/RowPacer.h"
#include "browser/ui/frmSplash.h"
#include "common/ObjectKinds.h"
#include "search/ResultList.h"
#include "support/ui/BrowserFixtures.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>

#include <memory>

namespace k2k {
namespace {

class RecordingDisplay final : public SearchDisplay {
public:
    void SetSearching(bool searching) override {
        events << QStringLiteral("searching %1").arg(searching);
    }
    void ResultsChanged(LibraryKind kind) override {
        events << QStringLiteral("changed %1").arg(static_cast<int>(kind));
    }
    void ResultViewCleared(LibraryKind kind) override {
        events << QStringLiteral("cleared %1").arg(static_cast<int>(kind));
    }
    void BeforePendingEventsRun() override { events << QStringLiteral("pending"); }
    QStringList events;
};

using StatusFeedbackTest = test::ResultListFixture;

TEST_F(StatusFeedbackTest, TextsGoToThePanelOrTheLineProgressToTheSplashWhileItShows) {
    QMainWindow window;
    std::vector<bool> hourglass;
    std::vector<bool> busy;
    StatusFeedback feedback(
        window, [&](bool on) { hourglass.push_back(on); }, [&](bool on) { busy.push_back(on); });
    feedback.ShowStatus("Scanning: a.lib");
    EXPECT_EQ(window.statusBar()->currentMessage(), "Scanning: a.lib") << "no panel: the line";
    EXPECT_EQ(feedback.StatusText(), "Scanning: a.lib");

    feedback.AddMessagePanels();
    auto* panel = window.findChild<QLabel*>("MSG1");
    ASSERT_NE(panel, nullptr);
    ASSERT_NE(window.findChild<QLabel*>("CAPS"), nullptr);
    EXPECT_FALSE(window.findChild<QLabel*>("NUM")->isEnabled());
    feedback.ShowStatus("4 Part(s) found ");
    feedback.ShowStatusText(QStringLiteral("Größe"));
    EXPECT_EQ(panel->text(), QStringLiteral("Größe"));
    EXPECT_EQ(feedback.StatusText(), QStringLiteral("Größe"));

    feedback.SetHourglass(true);
    feedback.PublishBusy(true);
    feedback.SetHourglass(false);
    EXPECT_EQ(hourglass, (std::vector<bool>{true, false}));
    EXPECT_EQ(busy, std::vector<bool>{true});

    frmSplash splash(m_browser.Services(), QApplication::font());
    auto* message = splash.findChild<QLabel*>("lblMsg");
    feedback.ShowProgress("before the splash");
    feedback.SetSplash(&splash);
    feedback.ShowProgress("Parsing Spice Circuit Element Profiles ...");
    EXPECT_EQ(message->text(), "Parsing Spice Circuit Element Profiles ...");
    feedback.SetSplash(nullptr);
    feedback.ShowProgress("after the splash");
    EXPECT_EQ(message->text(), "Parsing Spice Circuit Element Profiles ...");
    EXPECT_EQ(panel->text(), QStringLiteral("Größe")) << "progress never reaches the status bar";
}

TEST_F(StatusFeedbackTest, TheListsAndPanelHearWhatASearchTellsThem) {
    QMainWindow window;
    StatusFeedback feedback(
        window, [](bool) {}, [](bool) {});
    feedback.SetSearching(true); // nobody listens yet
    RecordingDisplay display;
    feedback.SetDisplay(&display);
    feedback.SetSearching(true);
    feedback.ResultsChanged(LibraryKind::Symbol);
    feedback.LetPendingEventsRun();
    feedback.LetPendingEventsRun(); // within 15 ms of the last: events wait
    feedback.ResultViewCleared(LibraryKind::Padstack);
    feedback.SetSearching(false);
    EXPECT_EQ(display.events,
              (QStringList{"searching 1", "changed 1", "pending", "cleared 3", "searching 0"}));
}

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
