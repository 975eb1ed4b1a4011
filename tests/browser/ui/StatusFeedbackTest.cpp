#include "browser/ui/StatusFeedback.h"

#include "browser/ui/ResultListModel.h"
#include "browser/ui/ResultListView.h"
#include "browser/ui/frmSplash.h"
#include "search/ResultList.h"
#include "support/ui/BrowserFixtures.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QStatusBar>

#include <utility>

namespace k2k {
namespace {

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

// Stop stands in place of Find Now from a search's start to its end; a click on it swaps
// them back at once and leaves the rows to the search's end. A window without result lists
// and buttons (the stand-in) takes the same calls.
TEST_F(StatusFeedbackTest, StopStandsInForFindNowWhileASearchRunsAndTheListsFollowTheSearch) {
    QMainWindow window;
    StatusFeedback feedback(
        window, [](bool) {}, [](bool) {});
    feedback.SetSearching(true);
    feedback.ResultsChanged(LibraryKind::Part);
    feedback.LetPendingEventsRun();
    feedback.ResultViewCleared(LibraryKind::Part);
    feedback.SetSearching(false);

    QPushButton findNow;
    QPushButton stop;
    ResultListView parts(m_browser, LibraryKind::Part);
    feedback.SetSearchControls(
        {{&parts, nullptr, nullptr, nullptr}, &findNow, &stop, [] { return true; }});
    feedback.ShowSearching(false);
    const auto shown = [&] { return std::pair{!findNow.isHidden(), !stop.isHidden()}; };
    EXPECT_EQ(shown(), std::pair(true, false));
    feedback.SetSearching(true);
    EXPECT_EQ(shown(), std::pair(false, true)) << "Stop in place of Find Now";
    Search(LibraryKind::Part, "*");
    feedback.ShowSearching(false); // Stop clicked
    EXPECT_EQ(shown(), std::pair(true, false));
    EXPECT_EQ(parts.Model().rowCount(), 0) << "Stop leaves the rows to the search's end";
    feedback.SetSearching(false);
    EXPECT_EQ(parts.Model().rowCount(), Results(LibraryKind::Part).Count());
    EXPECT_EQ(shown(), std::pair(true, false));

    ASSERT_TRUE(m_browser.Engine().NewSearch(LibraryKind::Part));
    feedback.ResultViewCleared(LibraryKind::Part);
    EXPECT_EQ(parts.Model().rowCount(), 0);
    feedback.DropWindowControls(); // the window goes first
    feedback.SetSearching(true);
    EXPECT_EQ(shown(), std::pair(true, false));
}

} // namespace
} // namespace k2k
