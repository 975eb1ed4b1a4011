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

// The small suite opened by the component; the feedback publishes the busy mark as the
// window does.
class CommandExchangeTest : public test::SmallSuiteTest {
protected:
    void SetUp() override {
        SmallSuiteTest::SetUp();
        const SuiteOpening opening = m_browser.OpenSuite(m_dir.Path());
        ASSERT_TRUE(opening.ok) << opening.error;
        m_feedback.publishBusy = [this](bool busy) {
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
    std::vector<std::string> RunKept() {
        m_window.asked.clear();
        m_exchange.RunDeferredCommands();
        return m_window.asked;
    }

    // Runs a part search that hands the commands in while it runs, once.
    void SearchWhileReceiving(const std::vector<std::string>& commands) {
        bool handedIn = false;
        m_feedback.pending = [&] {
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
        m_feedback.pending = nullptr;
    }

    test::HookedFeedback m_feedback;
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
        {"All,DF", {"state 0"}},
        {"K2KBRWSR,UP", {"viewers"}},
        {"K2KBRWSR,MN,extra,fields", {"state 1"}},
        {"\"K2KBRWSR\",DF", {"state 0"}}, // a quoted field loses its quotes
        {"k2kbrwsr,MN", {}},
        {"K2KBRWSR,mn", {}},
        {"K2KBRWSR", {}},
        {"K2KSCHED,MN", {}},
        {"K2KBRWSR, MN", {}}, // no trimming
    };
    for (const Case& c : cases)
        EXPECT_EQ(Run({c.command}), c.asked) << "command: " << c.command;
    EXPECT_TRUE(m_sent.empty()) << "received commands send nothing back";
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

// While the published status says busy outside a search (the window start, say), every
// command is ignored; once it says not busy they run again, and an exit unloads once.
TEST_F(CommandExchangeTest, NothingRunsWhileTheBrowserIsBusyAndExitUnloadsOnce) {
    m_exchange.Messages().PublishStatus(true, -1, "Library Browser", 0);
    EXPECT_TRUE(Run({"K2KBRWSR,MN", "All,UP", "All,RF", "K2KBRWSR,EX"}).empty());
    EXPECT_FALSE(m_browser.State().exitAllowed);

    m_exchange.Messages().PublishStatus(true, 0, "Library Browser", 0);
    EXPECT_EQ(Run({"K2KBRWSR,MN", "K2KBRWSR,EX", "K2KBRWSR,DF", "All,EX"}),
              (std::vector<std::string>{"state 1", "unload"}));
    EXPECT_TRUE(m_browser.State().exitAllowed);
    EXPECT_TRUE(m_exchange.Unloaded());
}

// During a search the window state and the viewers change at once; the commands that
// reload or unload wait for its end and then run in the order received. "LZ" takes the
// suite's language path; "SSQ" reads the folders and library lists again, so a library
// added to the suite's initialisation file is searched from now on.
TEST_F(CommandExchangeTest, ReloadingCommandsWaitForTheSearchAndRunInOrder) {
    m_kernel.E_SetString("LANGUAGEPATH", "\\SUITE\\LANG\\DEU");
    std::string ini = ReadFile(m_dir / "kalde2000.ini");
    ini.replace(ini.find("4=B.PART\r\n"), 10, "4=B.PART\r\n5=NEW.PART\r\n");
    WriteFile(m_dir / "kalde2000.ini", ini);
    m_window.asked.clear();
    SearchWhileReceiving({"K2KBRWSR,LZ", "K2KBRWSR,MN", "All,RF", "K2KBRWSR,UP", "K2KBRWSR,SSQ"});
    EXPECT_EQ(m_window.asked, (std::vector<std::string>{"state 1", "viewers"}))
        << "the busy mark of the search does not hold these back";
    EXPECT_EQ(m_browser.Catalogue().Count(LibraryKind::Part), 4) << "read after the search";

    const std::string caption = "caption Library Browser : ( " + m_dir.Path().string() + "/LIB )";
    EXPECT_EQ(RunKept(), (std::vector<std::string>{"localise", "hourglass", "form update", "arrow",
                                                   "viewers", "library lists", caption}));
    EXPECT_EQ(m_browser.Services().LanguagePath(), "\\SUITE\\LANG\\DEU");
    EXPECT_EQ(m_browser.Catalogue().Count(LibraryKind::Part), 5);

    EXPECT_TRUE(RunKept().empty()) << "each kept command runs once";
}

// An exit kept during a search unloads the window after it; what was kept after the exit
// goes with the window.
TEST_F(CommandExchangeTest, KeptExitEndsTheKeptCommands) {
    SearchWhileReceiving({"All,SSQ", "K2KBRWSR,EX", "K2KBRWSR,RF"});
    EXPECT_FALSE(m_browser.State().exitAllowed) << "not during the search";

    const std::vector<std::string> asked = RunKept();
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked.front(), "library lists");
    EXPECT_EQ(asked.back(), "unload");
    EXPECT_TRUE(m_browser.State().exitAllowed);
    EXPECT_TRUE(m_browser.TakeDeferredCommands().empty());
}

} // namespace
} // namespace k2k
