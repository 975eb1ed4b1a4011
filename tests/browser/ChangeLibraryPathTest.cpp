#include "browser/ChangeLibraryPath.h"

#include "browser/BrowserComponent.h"
#include "platform/Kernel.h"
#include "search/SearchSequence.h"
#include "services/AppMessages.h"
#include "support/SmallSuite.h"
#include "support/TestSupport.h"
#include "system/AtomicFile.h"
#include "system/NativePath.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

using test::ReadFile;
using test::WriteFile;

// The window's part, recorded in order; the picker and the dialog answer what the test says.
class RecordingPathWindow final : public LibraryPathWindow {
public:
    std::string ChooseFolder(const std::string& title, const std::string& startFolder) override {
        steps.push_back("choose " + title + " at " + startFolder);
        return answer;
    }
    void ShowHourglass(bool on) override { steps.push_back(on ? "hourglass" : "arrow"); }
    void ResetSearchState() override { steps.push_back("reset"); }
    // OK saves what the dialog lists selected (the catalogue's libraries that the folder
    // holds), as the dialog does.
    bool EditSearchSequence() override {
        steps.push_back("dialog");
        if (duringDialog)
            duringDialog();
        if (dialogOk && browser) {
            SearchSequence sequence;
            sequence.Fill(browser->Catalogue(), browser->Dirs().libDir);
            sequence.Accept(browser->State().catalogue, browser->Services());
        }
        return dialogOk;
    }
    void ShowLibraryDirectory() override { steps.push_back("show"); }

    BrowserComponent* browser = nullptr;
    std::string answer;
    bool dialogOk = true;
    std::function<void()> duringDialog;
    std::vector<std::string> steps;
};

class ChangeLibraryPathTest : public test::SmallSuiteTest {
protected:
    void SetUp() override {
        SmallSuiteTest::SetUp();
        ASSERT_TRUE(m_browser.OpenSuite(m_dir.Path()).ok);
        m_browser.Services().SetIniFile(m_dir.SuitePath() + "\\kalde2000.ini");
        m_libDir = m_browser.Dirs().libDir;
        m_kernel.E_SetString("K2KEXPLR", "Explorer,0,0,0,0");
        m_catalogueFile = ReadFile(m_dir / "kalde2000.ini");
        m_window.browser = &m_browser;
        m_settingsFile = ReadFile(m_dir / "suite.ini");
    }

    bool Change(const std::string& answer) {
        m_window.answer = answer;
        m_window.steps.clear();
        return ChangeLibraryPath(m_browser, m_messages, m_window);
    }

    // The library folder the directory settings hold, as the next start reads it.
    std::string SavedLibraryFolder() {
        return m_browser.Services().GetDirSetting("Kalde2K", "LibDir", "");
    }

    // A folder beside the suite's own library folder, with the files named.
    std::string MakeFolder(const std::string& name, std::initializer_list<const char*> files) {
        std::filesystem::create_directory(m_dir / name);
        for (const char* file : files)
            WriteFile(m_dir / name / file, "not read");
        return m_dir.SuitePath() + "\\" + name;
    }

    void ExpectNothingChanged() {
        EXPECT_EQ(m_browser.Dirs().libDir, m_libDir);
        for (const std::string& remembered : m_browser.Dirs().libraryFolders)
            EXPECT_EQ(remembered, m_libDir);
        EXPECT_EQ(SavedLibraryFolder(), m_libDir);
        EXPECT_EQ(ReadFile(m_dir / "kalde2000.ini"), m_catalogueFile)
            << "the sequences of the old folder are kept";
        EXPECT_EQ(m_browser.Catalogue().Count(LibraryKind::Part), 4);
        EXPECT_TRUE(m_sent.empty());
    }

    SearchFeedback m_feedback;
    BrowserComponent m_browser{m_kernel, m_dir / "suite.ini", m_boxes, m_feedback};
    std::vector<std::string> m_sent;
    AppMessages m_messages{m_kernel, [this](const std::string& a, const std::string& c) {
                               m_sent.push_back(a + ": " + c);
                           }};
    RecordingPathWindow m_window;
    std::string m_libDir;
    std::string m_catalogueFile;
    std::string m_settingsFile;
};

// The folder is read before the dialog, so the dialog lists it; it is saved only after OK,
// and the explorer hears of it last.
TEST_F(ChangeLibraryPathTest, ANewFolderIsReadForTheDialogAndSavedOnlyAfterOk) {
    const std::string folder = MakeFolder("NEWLIB", {"X.PART"});
    // Another application changed the catalogue meanwhile; the change reads it again.
    WriteFile(m_dir / "kalde2000.ini", "[DEVLIBS]\r\n1=X.PART\r\n");
    m_browser.State().search.stopRequested = true;
    m_browser.State().search.findInList = true;
    m_window.duringDialog = [this, folder] {
        EXPECT_EQ(m_browser.Dirs().libDir, folder) << "the dialog lists the new folder";
        EXPECT_EQ(SavedLibraryFolder(), m_libDir) << "nothing is saved before OK";
        EXPECT_TRUE(m_sent.empty()) << "the explorer hears of it after the dialog";
    };

    EXPECT_TRUE(Change(" " + folder + " "));
    EXPECT_EQ(m_window.steps,
              (std::vector<std::string>{"choose Select Location of Library files at " + m_libDir,
                                        "hourglass", "arrow", "reset", "dialog", "show"}));
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
    EXPECT_EQ(SavedLibraryFolder(), m_libDir);
}

// The lists and the folder live in two files. Killed at any step of the change, the next start
// reads the old folder with its lists or the new folder with its lists, never one with the
// other's, and a start that finds the change half-done finishes it.
TEST_F(ChangeLibraryPathTest, AChangeKilledAtAnyStepLeavesTheOldFolderOrTheNew) {
    const std::string folder = MakeFolder("NEWLIB", {"A.PART", "LOGIC.SYMBOL"});
    const auto oldParts = m_browser.Catalogue().Entries(LibraryKind::Part);
    const std::vector<std::string> newParts{"A.PART"};
    ASSERT_NE(oldParts, newParts);
    long step = 1;
    for (;; ++step) {
        WriteFile(m_dir / "kalde2000.ini", m_catalogueFile);
        WriteFile(m_dir / "suite.ini", m_settingsFile);
        const bool killed = test::RunInChild(step, [&] { Change(folder); });

        Kernel kernel;
        BrowserComponent next{kernel, m_dir / "suite.ini", m_boxes, m_feedback};
        ASSERT_TRUE(next.OpenSuite(m_dir.Path()).ok);
        const auto parts = next.Catalogue().Entries(LibraryKind::Part);
        if (next.Dirs().libDir == m_libDir)
            EXPECT_EQ(parts, oldParts) << "killed before step " << step;
        else
            EXPECT_TRUE(next.Dirs().libDir == folder && parts == newParts)
                << "killed before step " << step << ": " << next.Dirs().libDir;
        EXPECT_EQ(ReadFile(m_dir / "kalde2000.ini").find(kFolderChangeKey), std::string::npos)
            << "the start finished the change";
        if (!killed) {
            EXPECT_EQ(next.Dirs().libDir, folder);
            break;
        }
        if (step > 500) {
            ADD_FAILURE() << "the change never ends";
            break;
        }
    }
    EXPECT_GE(step, 10);
    RecordProperty("KillPoints", static_cast<int>(step - 1));
}

// Cancel in the dialog of a new folder goes back to the old folder and its sequences, read
// again as before; nothing was written.
TEST_F(ChangeLibraryPathTest, CancelGoesBackToTheOldFolderAndItsSequences) {
    const std::string folder = MakeFolder("OTHER", {"ONLY.SYMBOL"});
    m_window.dialogOk = false;
    m_window.duringDialog = [this, folder] { EXPECT_EQ(m_browser.Dirs().libDir, folder); };

    EXPECT_FALSE(Change(folder));
    EXPECT_EQ(m_window.steps,
              (std::vector<std::string>{"choose Select Location of Library files at " + m_libDir,
                                        "hourglass", "arrow", "reset", "dialog", "hourglass",
                                        "arrow", "show"}));
    ExpectNothingChanged();
    EXPECT_EQ(ReadFile(m_dir / "suite.ini"), m_settingsFile);
}

// A folder without a library file of any kind gives a dialog with nothing to select, whose
// OK empties every sequence: it is taken only after a question that says so. No changes
// nothing; Yes goes on to the dialog, whose OK makes it the library folder.
TEST_F(ChangeLibraryPathTest, AFolderWithoutLibraryFilesIsTakenOnlyAfterAQuestion) {
    const std::string empty = MakeFolder("EMPTY", {});
    const std::string others = MakeFolder("DOCS", {"README.TXT", "PART.BAK", "LIB.PARTS"});
    std::filesystem::create_directory(m_dir / "DOCS" / "SUB.PART"); // a folder, not a file

    for (const std::string& folder : {empty, others}) {
        m_boxes.shown.clear();
        m_boxes.answers = {MsgAnswer::No};
        EXPECT_FALSE(Change(folder)) << folder;
        EXPECT_EQ(m_window.steps, (std::vector<std::string>{
                                      "choose Select Location of Library files at " + m_libDir}))
            << "no hourglass, no dialog";
        ASSERT_EQ(m_boxes.shown.size(), 1u) << folder;
        const MessageRequest& box = m_boxes.shown.front();
        EXPECT_NE(box.text.find("holds no library files"), std::string::npos) << box.text;
        EXPECT_NE(box.text.find(DisplayPath(folder)), std::string::npos) << box.text;
        EXPECT_NE(box.text.find("*.PADSTACK"), std::string::npos) << box.text;
        EXPECT_NE(box.text.find("search sequence"), std::string::npos) << box.text;
        EXPECT_EQ(box.buttons, MsgButtons::YesNo);
        EXPECT_EQ(box.icon, MsgIcon::Question);
        EXPECT_FALSE(box.title.empty());
        ExpectNothingChanged();
    }

    m_boxes.answers = {MsgAnswer::Yes};
    m_window.dialogOk = false;
    EXPECT_FALSE(Change(empty)) << "Cancel in the dialog still goes back";
    ExpectNothingChanged();
    m_boxes.answers = {MsgAnswer::Yes};
    m_window.dialogOk = true;
    EXPECT_TRUE(Change(empty));
    EXPECT_EQ(m_browser.Dirs().libDir, empty);
    EXPECT_EQ(SavedLibraryFolder(), empty);
    EXPECT_EQ(m_browser.Catalogue().Count(LibraryKind::Part), 0) << "a new, empty library folder";

    // The question speaks the suite's language.
    WriteFile(m_dir / "LANG" / "TEXTS.LNG", "992240=Der Ordner \r\n992244= und seine Listen.\r\n");
    m_browser.Services().SetLanguagePath(m_dir.SuitePath() + "\\LANG");
    const std::string asked = NoLibraryFilesQuestion(m_browser.Services(), empty, m_libDir);
    EXPECT_EQ(asked.rfind("Der Ordner ", 0), 0u) << asked;
    EXPECT_NE(asked.find(" und seine Listen."), std::string::npos) << asked;
    EXPECT_NE(asked.find(" holds no library files ("), std::string::npos)
        << "English where the language file has no text";

    // One library of any kind, in any letter case, is enough.
    EXPECT_TRUE(HoldsLibraryFiles(MakeFolder("PADS", {"round.padstack"})));
    EXPECT_TRUE(HoldsLibraryFiles(m_libDir));
    EXPECT_FALSE(HoldsLibraryFiles(m_dir.SuitePath() + "\\NOSUCH"));
}

} // namespace
} // namespace k2k
