#include "browser/CommandExchange.h"

#include "browser/BrowserComponent.h"
#include "browser/OptionGridRows.h"
#include "platform/Kernel.h"
#include "support/SmallSuite.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>

namespace k2k {
namespace {

using test::ReadFile;
using test::WriteFile;

// The main window as the commands see it: what it was asked, in order.
class RecordingWindow final : public BrowserWindowActions {
public:
    void SetWindowState(WindowState state) override {
        asked.push_back("state " + std::to_string(static_cast<int>(state)));
    }
    void RefreshViewers() override { asked.push_back("viewers"); }
    void RefillLibraryLists() override { asked.push_back("library lists"); }
    void SetCaption(const std::string& caption) override { asked.push_back("caption " + caption); }
    void SetHourglass(bool on) override { asked.push_back(on ? "hourglass" : "arrow"); }
    bool FormUpdate() override {
        asked.push_back("form update");
        return formUpdateSucceeds;
    }
    void RunSearchSequence() override { asked.push_back("search sequence"); }
    void Relocalise() override { asked.push_back("localise"); }
    void Unload() override { asked.push_back("unload"); }

    std::vector<std::string> asked;
    bool formUpdateSucceeds = true;
};

// Publishes the busy mark as the window does, and lets a hook run as pending events.
class WindowFeedback final : public SearchFeedback {
public:
    void LetPendingEventsRun() override {
        if (pump)
            pump();
    }
    void PublishBusy(bool busy) override {
        if (publish)
            publish(busy);
    }
    std::function<void()> pump;
    std::function<void(bool)> publish;
};

class CommandExchangeTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::WriteSmallSuite(m_dir.Path());
        const SuiteOpening opening = m_browser.OpenSuite(m_dir.Path());
        ASSERT_TRUE(opening.ok) << opening.error;
        m_feedback.publish = [this](bool busy) {
            m_exchange.Messages().PublishStatus(true, busy ? -1 : 0, "Library Browser", 0);
        };
        m_exchange.Messages().PublishStatus(true, 0, "Library Browser", 0);
    }

    std::vector<std::string> Run(const std::vector<std::string>& commands) {
        m_window.asked.clear();
        for (const std::string& command : commands)
            m_exchange.AP_ExeCmd(command);
        return m_window.asked;
    }

    // Runs a part search that hands the commands in while it runs, once.
    void SearchWhileReceiving(const std::vector<std::string>& commands) {
        bool handedIn = false;
        m_feedback.pump = [&] {
            if (handedIn || !m_browser.IsSearching())
                return;
            handedIn = true;
            for (const std::string& command : commands)
                m_exchange.AP_ExeCmd(command);
        };
        std::vector<std::string> values = FreshGridValues(LibraryKind::Part);
        values[0] = "74*";
        ASSERT_EQ(m_browser.Engine().FindNow(LibraryKind::Part, values), SearchOutcome::Searched);
        ASSERT_TRUE(handedIn);
        m_feedback.pump = nullptr;
    }

    test::TempDir m_dir;
    Kernel m_kernel;
    test::RecordingMessageBoxes m_boxes;
    WindowFeedback m_feedback;
    BrowserComponent m_browser{m_kernel, m_dir / "suite.ini", m_boxes, m_feedback};
    RecordingWindow m_window;
    std::vector<std::pair<std::string, std::string>> m_sent;
    CommandExchange m_exchange{
        m_browser, m_window,
        [this](const std::string& a, const std::string& c) { m_sent.emplace_back(a, c); }};
};

// Addressee and verb are compared exactly; anything not for the browser is ignored.
TEST_F(CommandExchangeTest, OnlyExactAddresseesAndVerbsAreCarriedOut) {
    struct Case {
        const char* command;
        std::vector<std::string> asked;
    };
    const std::vector<Case> cases{
        {"K2KBRWSR,MN", {"state 1"}},
        {"All,DF", {"state 0"}},
        {"K2KBRWSR,UP", {"viewers"}},
        {"K2KBRWSR,MN,extra,fields", {"state 1"}},
        {"\"K2KBRWSR\",DF", {"state 0"}}, // a quoted field loses its quotes
        {"k2kbrwsr,MN", {}},
        {"K2KBRWSR,mn", {}},
        {"ALL,DF", {}},
        {"K2KBRWSR", {}},
        {"K2KBRWSR,", {}},
        {"", {}},
        {"K2KSCHED,MN", {}},
        {"K2KBRWSR,XX", {}},
        {"K2KBRWSR, MN", {}}, // no trimming
    };
    for (const Case& c : cases)
        EXPECT_EQ(Run({c.command}), c.asked) << "command: " << c.command;
    EXPECT_TRUE(m_sent.empty()) << "received commands send nothing back";
}

// "SSQ" reads the folders and library lists again, so a library added to the suite's
// initialisation file is searched from now on.
TEST_F(CommandExchangeTest, SearchSequenceCommandRereadsTheCatalogue) {
    ASSERT_EQ(m_browser.Catalogue().Count(LibraryKind::Part), 4);
    std::string ini = ReadFile(m_dir / "kalde2000.ini");
    ini.replace(ini.find("4=B.PART\r\n"), 10, "4=B.PART\r\n5=NEW.PART\r\n");
    WriteFile(m_dir / "kalde2000.ini", ini);

    const std::vector<std::string> asked = Run({"K2KBRWSR,SSQ"});
    EXPECT_EQ(m_browser.Catalogue().Count(LibraryKind::Part), 5);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0], "library lists");
    EXPECT_EQ(asked[1], "caption Library Browser : ( " + m_dir.Path().string() + "/LIB )");
}

TEST_F(CommandExchangeTest, RefreshRunsFormUpdateThenThePendingSearchSequence) {
    EXPECT_EQ(Run({"All,RF"}),
              (std::vector<std::string>{"hourglass", "form update", "arrow", "viewers"}))
        << "no search sequence pending";

    m_kernel.E_SetString("SSQ", "1");
    EXPECT_EQ(Run({"All,RF"}), (std::vector<std::string>{"hourglass", "form update", "arrow",
                                                         "search sequence", "viewers"}));
    EXPECT_EQ(m_kernel.E_GetString("SSQ"), "0") << "the sequence runs once";

    // A failed update has shut the browser down: nothing after it, nor any later command.
    m_kernel.E_SetString("SSQ", "2,5");
    m_window.formUpdateSucceeds = false;
    EXPECT_EQ(Run({"All,RF", "K2KBRWSR,MN"}),
              (std::vector<std::string>{"hourglass", "form update", "arrow"}));
    EXPECT_EQ(m_kernel.E_GetString("SSQ"), "2,5");
}

TEST_F(CommandExchangeTest, RelocaliseTakesTheLanguagePathOfTheSuite) {
    m_kernel.E_SetString("LANGUAGEPATH", "\\SUITE\\LANG\\DEU");
    EXPECT_EQ(Run({"K2KBRWSR,LZ"}), std::vector<std::string>{"localise"});
    EXPECT_EQ(m_browser.Services().LanguagePath(), "\\SUITE\\LANG\\DEU");
}

TEST_F(CommandExchangeTest, ExitAllowsTheCloseAndUnloadsOnce) {
    ASSERT_FALSE(m_browser.State().exitAllowed);
    EXPECT_EQ(Run({"K2KBRWSR,EX", "K2KBRWSR,DF", "All,EX"}), std::vector<std::string>{"unload"});
    EXPECT_TRUE(m_browser.State().exitAllowed);
    EXPECT_TRUE(m_exchange.Unloaded());
}

// While the published status says busy outside a search (the window start, say), every
// command is ignored; once it says not busy they run again.
TEST_F(CommandExchangeTest, NothingRunsWhileTheBrowserIsBusy) {
    m_exchange.Messages().PublishStatus(true, -1, "Library Browser", 0);
    EXPECT_TRUE(
        Run({"K2KBRWSR,MN", "All,UP", "K2KBRWSR,SSQ", "All,RF", "K2KBRWSR,LZ", "K2KBRWSR,EX"})
            .empty());
    EXPECT_FALSE(m_browser.State().exitAllowed);

    m_exchange.Messages().PublishStatus(true, 0, "Library Browser", 0);
    EXPECT_EQ(Run({"K2KBRWSR,MN"}), std::vector<std::string>{"state 1"});
}

// During a search the window state and the viewers change at once; the commands that
// reload or unload wait for its end and then run in the order received.
TEST_F(CommandExchangeTest, ReloadingCommandsWaitForTheSearchAndRunInOrder) {
    m_window.asked.clear();
    SearchWhileReceiving({"K2KBRWSR,LZ", "K2KBRWSR,MN", "All,RF", "K2KBRWSR,UP", "K2KBRWSR,SSQ"});
    EXPECT_EQ(m_window.asked, (std::vector<std::string>{"state 1", "viewers"}))
        << "the busy mark of the search does not hold these back";
    EXPECT_EQ(m_browser.State().search.Results(LibraryKind::Part).Count(), 4)
        << "the search ran to its end";

    m_window.asked.clear();
    m_exchange.RunDeferredCommands();
    const std::string caption = "caption Library Browser : ( " + m_dir.Path().string() + "/LIB )";
    EXPECT_EQ(m_window.asked,
              (std::vector<std::string>{"localise", "hourglass", "form update", "arrow", "viewers",
                                        "library lists", caption}));

    m_window.asked.clear();
    m_exchange.RunDeferredCommands();
    EXPECT_TRUE(m_window.asked.empty()) << "each kept command runs once";
}

// An exit kept during a search unloads the window after it; what was kept after the exit
// goes with the window.
TEST_F(CommandExchangeTest, KeptExitEndsTheKeptCommands) {
    SearchWhileReceiving({"All,SSQ", "K2KBRWSR,EX", "K2KBRWSR,RF"});
    EXPECT_FALSE(m_browser.State().exitAllowed) << "not during the search";

    m_window.asked.clear();
    m_exchange.RunDeferredCommands();
    ASSERT_FALSE(m_window.asked.empty());
    EXPECT_EQ(m_window.asked.front(), "library lists");
    EXPECT_EQ(m_window.asked.back(), "unload");
    EXPECT_TRUE(m_browser.State().exitAllowed);
    EXPECT_TRUE(m_browser.TakeDeferredCommands().empty());
}

} // namespace
} // namespace k2k
