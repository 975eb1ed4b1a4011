#include "browser/ui/clsKldbrwsr.h"

#include "browser/ui/PlainBrowserWindow.h"
#include "platform/Kernel.h"
#include "platform/SuiteFolder.h"
#include "platform/SuiteServices.h"
#include "support/SmallSuite.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace k2k {
namespace {

using test::ReadFile;
using test::WriteFile;

using Heard = std::vector<std::string>; // "Aname,sCommand"

// The small suite with a browser profile, opened as the host opens it; the class under
// test with the stand-in window, its boxes recorded and its NotifyServer heard.
class clsKldbrwsrTest : public test::SmallSuiteTest {
protected:
    clsKldbrwsrTest() : SmallSuiteTest(test::SuiteExtras::SystemFolder) {}

    clsKldbrwsr& Browser() {
        if (!m_browser) {
            BrowserEnvironment environment;
            environment.kernel = &m_kernel;
            environment.directorySettings = DirectorySettingsOf(m_dir.Path());
            environment.anotherInstanceRunning = [this] { return m_anotherInstance; };
            environment.boxes = &m_boxes;
            m_browser = std::make_unique<clsKldbrwsr>(environment);
            QObject::connect(m_browser.get(), &clsKldbrwsr::NotifyServer,
                             [this](const QString& a, const QString& c) {
                                 m_heard.push_back((a + "," + c).toStdString());
                             });
        }
        return *m_browser;
    }

    PlainBrowserWindow* Window() { return qobject_cast<PlainBrowserWindow*>(Browser().Window()); }

    bool m_anotherInstance = false;
    Heard m_heard; // before the class, which may still speak when it goes
    std::unique_ptr<clsKldbrwsr> m_browser;
};

// Errors 100 (no database) and 9999 (another instance) stop the start: no window, false.
// A start whose FormUpdate fails (the profile cannot be read) shuts the browser down.
TEST_F(clsKldbrwsrTest, LoadAnswersFalseAndShowsNoWindowWhenTheStartCannotRun) {
    EXPECT_FALSE(Browser().Load(0)) << "the kernel has no database";
    EXPECT_EQ(Browser().Window(), nullptr);

    OpenSuite();
    m_anotherInstance = true;
    EXPECT_FALSE(Browser().Load(0));
    EXPECT_EQ(Browser().Window(), nullptr);
    EXPECT_TRUE(m_heard.empty()) << "a window that never loaded does not unload";
    EXPECT_TRUE(m_boxes.shown.empty());

    m_anotherInstance = false;
    std::filesystem::remove(m_dir / "SYS" / "K2KBRWSR.ini");
    EXPECT_FALSE(Browser().Load(0));
    EXPECT_EQ(Browser().Window(), nullptr);
    EXPECT_EQ(m_heard, Heard{"K2KBRWSR,SHUTDOWN"});
    EXPECT_FALSE(m_boxes.shown.empty()) << "the profile's message was shown";

    WriteFile(m_dir / "SYS" / "K2KBRWSR.ini", "[ENDPROFILE]");
    m_heard.clear();
    EXPECT_TRUE(Browser().Load(0)) << "a later Load starts afresh";
    EXPECT_TRUE(Browser().Window()->isVisible());
    m_browser.reset();
    EXPECT_EQ(m_heard, Heard{"K2KBRWSR,SHUTDOWN"}) << "releasing the class unloads a loaded window";
}

TEST_F(clsKldbrwsrTest, LoadStartsTheWindowOnceAndCloseOnlyHidesIt) {
    OpenSuite();
    Browser().SetSeverPath(QString::fromStdString("  " + m_dir.SuitePath() + " "));

    ASSERT_TRUE(Browser().Load(0));
    PlainBrowserWindow* window = Window();
    ASSERT_NE(window, nullptr);
    const std::string caption = "Library Browser : ( " + m_dir.Path().string() + "/LIB )";
    EXPECT_EQ(window->windowTitle().toStdString(), caption);
    EXPECT_EQ(m_kernel.E_GetString("K2KBRWSR"), caption + ",0,0,0,0") << "running, not busy";
    EXPECT_EQ(window->Help().HelpFile(), m_dir.SuitePath() + "\\K2Kbrwsr.HLP")
        << "the server path is trimmed";
    EXPECT_EQ(window->Asked().mid(0, 3).join(" | ").toStdString(),
              "form update | set up the window | library lists: 4 part, 1 symbol, 1 package, "
              "1 padstack libraries");

    // The close box hides the window; the next Load shows the same one, not started again.
    m_kernel.E_SetString("K2KBRWSR", "");
    EXPECT_FALSE(window->close());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(m_kernel.E_GetString("K2KBRWSR"), caption + ",0,0,0,0")
        << "a close request publishes running and not busy";
    EXPECT_TRUE(m_heard.empty());
    ASSERT_TRUE(Browser().Load(1));
    EXPECT_EQ(Window(), window);
    EXPECT_TRUE(window->isVisible() && (window->windowState() & Qt::WindowMinimized));
    ASSERT_TRUE(Browser().Load(2));
    EXPECT_TRUE(window->windowState() & Qt::WindowMinimized) << "mode 2 keeps the state";
    ASSERT_TRUE(Browser().Load(0));
    EXPECT_FALSE(window->windowState() & Qt::WindowMinimized);
    EXPECT_EQ(window->Asked().count("form update"), 1);
}

TEST_F(clsKldbrwsrTest, NotifyMeHandsCommandsToTheWindowAndItsEventsComeBack) {
    OpenSuite();
    m_kernel.E_SetString("ChkPathBrwsr", "1");
    ASSERT_TRUE(Browser().Load(0));
    PlainBrowserWindow* window = Window();
    EXPECT_EQ(window->Asked().back(), "refresh the symbol and package viewers")
        << "\"ChkPathBrwsr\" 1 refreshes the viewers after the show";

    Browser().NotifyMe("ignored", "K2KBRWSR,MN");
    EXPECT_TRUE(window->windowState() & Qt::WindowMinimized);
    Browser().NotifyMe({}, "k2kbrwsr,DF");
    Browser().NotifyMe({}, {});
    Browser().NotifyMe({}, QString::fromUtf8("K2KBRWSR,DF\u4E2D"));
    EXPECT_TRUE(window->windowState() & Qt::WindowMinimized) << "none of these is carried out";
    Browser().NotifyMe({}, "All,DF");
    EXPECT_FALSE(window->windowState() & Qt::WindowMinimized);

    // Out through NotifyClass and NotifyServer, as the window composes it.
    window->Exchange().Messages().AP_Shell("notepad", 1, "Partlst.txt");
    window->Exchange().Messages().SendToAll("SSQ");
    EXPECT_EQ(m_heard, (Heard{"notepad,SHELL,1,Partlst.txt", "K2KBRWSR,All,SSQ"}));

    // Drop lists both ways, copied.
    std::vector<QList<BWR_SEARCHRESULT>> dropped;
    QObject::connect(&Browser(), &clsKldbrwsr::LoadDropData,
                     [&](const QList<BWR_SEARCHRESULT>& list) { dropped.push_back(list); });
    window->UploadDropList() = {{2, "74LS00", "\\LIB\\A.PART"}, {0, "LM741", "\\LIB\\A.PART"}};
    window->OLESetDropData();
    window->UploadDropList().clear();
    ASSERT_EQ(dropped.size(), 1u);
    EXPECT_EQ(dropped[0].size(), 2) << "the list was copied";
    EXPECT_EQ(dropped[0][1], (BWR_SEARCHRESULT{0, "LM741", "\\LIB\\A.PART"}));
    // Ctrl+F1 (key up, the Control key alone) shows the current topic of the help file.
    QKeyEvent plainF1(QEvent::KeyRelease, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(window, &plainF1);
    EXPECT_TRUE(m_kernel.HelpRequests().empty());
    QKeyEvent ctrlF1(QEvent::KeyRelease, Qt::Key_F1, Qt::ControlModifier);
    QApplication::sendEvent(window, &ctrlF1);
    ASSERT_FALSE(m_kernel.HelpRequests().empty());
    EXPECT_EQ(m_kernel.HelpRequests()[0].topic, 0) << "the start leaves the contents as topic";
    EXPECT_EQ(m_kernel.HelpRequests()[0].helpFile, window->Help().HelpFile());
}

// "EX" unloads: the grid layout is saved, the other windows close, and "SHUTDOWN" is the
// last the host hears; the class lets the window go. While a modal question is open the
// command waits, since the command that asked still runs below it.
TEST_F(clsKldbrwsrTest, ExitWaitsForAnOpenQuestionThenUnloadsEverything) {
    OpenSuite();
    ASSERT_TRUE(Browser().Load(0));
    PlainBrowserWindow* window = Window();
    auto* other = new QDialog(window);
    other->show();
    bool otherOpenAtShutdown = true;
    QString lastAsked; // the window is deleted later
    QObject::connect(&Browser(), &clsKldbrwsr::NotifyServer,
                     [&](const QString&, const QString& command) {
                         if (command == "SHUTDOWN") {
                             otherOpenAtShutdown = other->isVisible();
                             lastAsked = window->Asked().back();
                         }
                     });
    auto* question = new QDialog(window);
    bool heardWhileOpen = true;
    QTimer::singleShot(0, question, [&] {
        Browser().NotifyMe({}, "K2KBRWSR,EX");
        QApplication::processEvents();
        heardWhileOpen = !m_heard.empty();
        question->accept();
    });
    question->exec();
    EXPECT_FALSE(heardWhileOpen);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !m_heard.empty(); }, 2000));
    EXPECT_EQ(m_heard, Heard{"K2KBRWSR,SHUTDOWN"});
    EXPECT_FALSE(otherOpenAtShutdown) << "the other windows close before SHUTDOWN";
    EXPECT_EQ(lastAsked, "save the grid layout");
    EXPECT_EQ(Browser().Window(), nullptr);

    Browser().NotifyMe({}, "K2KBRWSR,EX");
    EXPECT_EQ(m_heard.size(), 1u) << "no window, nothing to unload";
    QApplication::processEvents(); // the window is deleted later
}

} // namespace
} // namespace k2k
