#include "browser/ChangeLibraryPath.h"

#include "browser/BrowserComponent.h"
#include "host/AppMessages.h"
#include "platform/Kernel.h"
#include "support/SmallSuite.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

using test::WriteFile;

// The window's part, recorded in order; the picker answers what the test says.
class RecordingPathWindow final : public LibraryPathWindow {
public:
    std::string ChooseFolder(const std::string& title, const std::string& startFolder) override {
        steps.push_back("choose " + title + " at " + startFolder);
        return answer;
    }
    void ShowHourglass(bool on) override { steps.push_back(on ? "hourglass" : "arrow"); }
    void ResetSearchState() override { steps.push_back("reset"); }
    void EditSearchSequenceUntilOk() override {
        steps.push_back("dialog");
        if (duringDialog)
            duringDialog();
    }
    void ShowLibraryDirectory() override { steps.push_back("show"); }

    std::string answer;
    std::function<void()> duringDialog;
    std::vector<std::string> steps;
};

class ChangeLibraryPathTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::WriteSmallSuite(m_dir.Path());
        ASSERT_TRUE(m_browser.OpenSuite(m_dir.Path()).ok);
        m_browser.Services().SetIniFile(m_dir.SuitePath() + "\\kalde2000.ini");
        m_libDir = m_browser.Dirs().libDir;
        m_kernel.E_SetString("K2KEXPLR", "Explorer,0,0,0,0");
    }

    bool Change(const std::string& answer) {
        m_window.answer = answer;
        m_window.steps.clear();
        return ChangeLibraryPath(m_browser, m_messages, m_window);
    }

    test::TempDir m_dir;
    Kernel m_kernel;
    test::RecordingMessageBoxes m_boxes;
    SearchFeedback m_feedback;
    BrowserComponent m_browser{m_kernel, m_dir / "suite.ini", m_boxes, m_feedback};
    std::vector<std::string> m_sent;
    AppMessages m_messages{m_kernel, [this](const std::string& a, const std::string& c) {
                               m_sent.push_back(a + ": " + c);
                           }};
    RecordingPathWindow m_window;
    std::string m_libDir;
};

TEST_F(ChangeLibraryPathTest, ANewFolderIsSavedReadAgainAndSettledBeforeTheExplorerHearsOfIt) {
    const std::string folder = m_dir.SuitePath() + "\\NEWLIB";
    std::filesystem::create_directory(m_dir / "NEWLIB");
    // Another application changed the catalogue meanwhile; the change reads it again.
    WriteFile(m_dir / "kalde2000.ini", "[DEVLIBS]\r\n1=X.PART\r\n");
    m_browser.State().search.stopRequested = true;
    m_browser.State().search.findInList = true;
    m_window.duringDialog = [this, folder] {
        EXPECT_EQ(m_browser.Dirs().libDir, folder) << "the dialog lists the new folder";
        EXPECT_TRUE(m_sent.empty()) << "the explorer hears of it after the dialog";
    };

    EXPECT_TRUE(Change(" " + folder + " "));
    EXPECT_EQ(m_window.steps,
              (std::vector<std::string>{"choose Select Location of Library files at " + m_libDir,
                                        "hourglass", "reset", "arrow", "dialog", "show"}));
    EXPECT_EQ(m_sent, (std::vector<std::string>{"K2KEXPLR: K2KEXPLR,SSQ"}));
    const Directories& directories = m_browser.Dirs();
    EXPECT_EQ(directories.libDir, folder);
    for (const std::string& remembered : directories.libraryFolders)
        EXPECT_EQ(remembered, folder);
    EXPECT_EQ(m_browser.Catalogue().Entries(LibraryKind::Part),
              (std::vector<std::string>{"X.PART"}));
    EXPECT_FALSE(m_browser.State().search.stopRequested);
    EXPECT_FALSE(m_browser.State().search.findInList);

    // The next start reads the new folder from the directory settings.
    m_browser.ReadFolders();
    EXPECT_EQ(m_browser.Dirs().libDir, folder);

    // The explorer not running: the change is made, nothing is sent.
    m_kernel.E_SetString("K2KEXPLR", "");
    m_sent.clear();
    m_window.duringDialog = nullptr;
    EXPECT_TRUE(Change(m_libDir));
    EXPECT_TRUE(m_sent.empty());
}

} // namespace
} // namespace k2k
