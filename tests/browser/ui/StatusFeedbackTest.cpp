#include "browser/ui/StatusFeedback.h"

#include "browser/ui/frmSplash.h"
#include "common/ObjectKinds.h"
#include "support/ui/BrowserFixtures.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>

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

} // namespace
} // namespace k2k
