// The host program's window around the real browser: the applications it marks running
// enable the browser's tools that need them, and every command the browser sends is listed
// with what the suite does with it. And the window's Save List writes what
// "k2klib search" prints.
#include "HostWindow.h"
#include "support/ui/LoadedBrowserFixture.h"

#include "browser/ui/OptionGrid.h"
#include "browser/ui/ResultListModel.h"
#include "browser/ui/ResultListView.h"
#include "common/ObjectKinds.h"
#include "formats/LibraryFile.h"
#include "platform/ui/K2kGrid.h"
#include "search/InfoText.h"
#include "support/SmallSuite.h"
#include "support/ToolRun.h"
#include "support/ui/AccessibilityWalk.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTreeWidget>

namespace k2k::test {
namespace {

class HostToolsTest : public LoadedBrowserTest {
protected:
    void SetUp() override {
        LoadedBrowserTest::SetUp();
        m_host = std::make_unique<HostWindow>(m_kernel);
        Load();
        m_host->Attach(*m_browser);
    }
    void TearDown() override {
        m_host.reset();
        LoadedBrowserTest::TearDown();
    }

    template <class T>
    T* HostChild(const char* name) {
        return test::Child<T>(*m_host, name);
    }

    // The rows of the host's command list, each "Aname | command | what the suite does".
    QStringList CommandRows() {
        QStringList rows;
        auto* list = HostChild<QTreeWidget>("lstCommands");
        for (int i = 0; list && i < list->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* row = list->topLevelItem(i);
            rows << row->text(0) + " | " + row->text(1) + " | " + row->text(2);
        }
        return rows;
    }

    void Search(LibraryKind kind, const QString& name) {
        m_window->SelectTab(kind);
        m_window->Grid(kind).Grid().SetCellText(1, 1, name);
        m_window->cmdFindNow_Click();
        QApplication::processEvents();
    }

    // Right-clicks the first row of the Part list and answers whether the tool is enabled.
    bool PartToolEnabled(const char* tool) {
        ResultListView& parts = m_window->ResultView(LibraryKind::Part);
        const QRect rect = parts.visualRect(parts.Model().index(0, 0));
        QTest::mouseClick(parts.viewport(), Qt::LeftButton, {}, rect.center());
        parts.PreparePopup();
        QAction* action = parts.Tool(QString::fromLatin1(tool));
        EXPECT_NE(action, nullptr) << tool;
        return action && action->isEnabled();
    }

    std::unique_ptr<HostWindow> m_host;
};

// The host is the suite's main application: the library explorer is asked of it without
// any option, it opens the explorer (which then runs), and the command is listed.
TEST_F(HostToolsTest, ExplorerReachesTheMainApplicationWhichRunsFromTheStart) {
    auto* main = HostChild<QCheckBox>("chkRunningKalde2000");
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(main->isChecked()) << "this program is the main application";
    auto* explorer = HostChild<QCheckBox>("chkRunningK2KEXPLR");
    ASSERT_NE(explorer, nullptr);
    EXPECT_FALSE(explorer->isChecked());

    Child<QAction>("mnuLibExplorer")->trigger();
    EXPECT_EQ(m_heard, QStringList{"Kalde2000,Kalde2000,EXP,K2KBRWSR"});
    EXPECT_EQ(CommandRows(),
              QStringList{"Kalde2000 | Kalde2000,EXP,K2KBRWSR | the main application opens the "
                          "library explorer"});
    EXPECT_TRUE(explorer->isChecked()) << "the explorer the main application opened runs";

    QTest::mouseClick(main, Qt::LeftButton);
    EXPECT_FALSE(main->isChecked());
    EXPECT_EQ(m_kernel.E_GetString("Kalde2000").value_or(""), "");
    Child<QAction>("mnuLibExplorer")->trigger();
    EXPECT_EQ(m_heard.size(), 1) << "nothing goes to a main application that does not run";
}

// Ticking an editor gives it what the suite gives a running application (its status
// record and main-window handle), so Send To enables for it and its command is listed
// with the drop records before it; unticking greys the tool again.
TEST_F(HostToolsTest, TickedEditorsEnableSendToAndTheirCommandsAreListed) {
    Search(LibraryKind::Part, "LM*");
    ASSERT_GT(m_window->ResultView(LibraryKind::Part).Model().rowCount(), 0);
    EXPECT_FALSE(PartToolEnabled("ATB_PartSendToSch"));
    EXPECT_FALSE(PartToolEnabled("ATB_PartSendToLay"));

    auto* schematic = HostChild<QCheckBox>("chkRunningK2KSCHED");
    auto* layout = HostChild<QCheckBox>("chkRunningK2KLAYED");
    ASSERT_TRUE(schematic && layout);
    QTest::mouseClick(schematic, Qt::LeftButton);
    QTest::mouseClick(layout, Qt::LeftButton);
    EXPECT_FALSE(m_kernel.E_GetString("K2KSCHED").value_or("").empty()) << "a status record";
    ASSERT_TRUE(PartToolEnabled("ATB_PartSendToSch"));
    ASSERT_TRUE(PartToolEnabled("ATB_PartSendToLay"));

    ResultListView& parts = m_window->ResultView(LibraryKind::Part);
    const QString first = parts.Model().index(0, 0).data().toString();
    parts.Tool("ATB_PartSendToSch")->trigger();
    parts.Tool("ATB_PartSendToLay")->trigger();
    EXPECT_EQ(m_heard, (QStringList{"K2KSCHED,K2KSCHED,SENDTO", "K2KLAYED,K2KLAYED,SENDTO"}));
    const QStringList rows = CommandRows();
    ASSERT_EQ(rows.size(), 4) << rows.join('\n').toStdString();
    EXPECT_EQ(rows[0], "LoadDropData | " + first +
                           " (A.PART) | the main application takes 1 drop record(s)");
    EXPECT_EQ(rows[1], "K2KSCHED | K2KSCHED,SENDTO | the schematic editor places the 1 dropped "
                       "object(s)");
    EXPECT_EQ(rows[3],
              "K2KLAYED | K2KLAYED,SENDTO | the layout editor places the 1 dropped object(s)");

    QTest::mouseClick(schematic, Qt::LeftButton);
    EXPECT_FALSE(PartToolEnabled("ATB_PartSendToSch")) << "the editor was closed";
    EXPECT_TRUE(PartToolEnabled("ATB_PartSendToLay"));
}

// The editor commands of the main application are listed, and a command typed in the host
// reaches the browser: "EX" closes it, and its shut-down is listed.
TEST_F(HostToolsTest, EditCommandsAndTheShutDownAreListedWithTheirEffect) {
    Search(LibraryKind::Part, "74LS0*");
    ASSERT_TRUE(PartToolEnabled("ATB_EditPart"));
    m_window->ResultView(LibraryKind::Part).Tool("ATB_EditPart")->trigger();
    auto* command = HostChild<QLineEdit>("txtCommand");
    ASSERT_NE(command, nullptr);
    QTest::keyClicks(command, "K2KBRWSR,EX");
    QTest::keyClick(command, Qt::Key_Return);
    const QStringList rows = CommandRows();
    ASSERT_EQ(rows.size(), 3) << rows.join('\n').toStdString();
    EXPECT_EQ(rows[1], "K2KBRWSR | PART | the main application opens the part editor on the "
                       "1 dropped object(s)");
    EXPECT_EQ(rows[2], "K2KBRWSR | SHUTDOWN | the browser has shut down");
    EXPECT_TRUE(m_host->BrowserShutDown());
}

// Every control of the host's window reads for a screen reader, and Tab reaches every one.
TEST_F(HostToolsTest, EveryControlIsReadableAndReachedByTab) {
    m_host->show();
    m_host->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_host.get()));
    EXPECT_EQ(test::UnnamedControls(*m_host).join(", ").toStdString(), "");
    EXPECT_EQ(test::UnreachedByTab(*m_host).join(", ").toStdString(), "");
}

// --- Save List and "k2klib search"

// Columns shown and hidden for each kind, and texts outside ASCII in each kind's columns.
class SaveListAgreesTest : public LoadedBrowserTest {
protected:
    void PrepareSuite() override {
        WriteSuiteLibrary(
            m_dir.Path(), "B.PART", LibraryKind::Part,
            {{"74HCT00", PartInfo("DIP14", "Quad NAND", "7400,PWR2"), ""},
             {"LM358", PartInfo("SO8", "Dual op amp 3\xB5V", "OPAMP,OPAMP_PWR"), ""}});
        WriteSuiteLibrary(m_dir.Path(), "LOGIC.SYMBOL", LibraryKind::Symbol,
                          {{"7400", ComposeInfo({"NAND", "Digital,Gates", "7", ""}), ""},
                           {"OPAMP", ComposeInfo({"Op amp \xB1", "Analog", "-12", ""}), ""}});
        WriteSuiteLibrary(m_dir.Path(), "P.PACKAGE", LibraryKind::Package,
                          {{"DIP14", ComposeInfo({"DIL 14", "PMD,DIP", "MS-001"}), ""},
                           {"DIP8", ComposeInfo({"DIL 8 \xB7 300", "PMD,DIP", "MS-001"}), ""}});
        WriteSuiteLibrary(m_dir.Path(), "T.PADSTACK", LibraryKind::Padstack,
                          {{"PAD60R", ComposeInfo({"", "Through-hole", "Round \xD8"}), ""}});
        WriteFile(m_dir / "suite.ini",
                  "[Kalde2K]\r\nLibDir=LIB\r\nSysDir=SYS\r\n"
                  "[Browser Part Options]\r\nNumber=4\r\n1=Library,-1\r\n2=Description,1\r\n"
                  "3=Symbols,0\r\n4=Package,-1\r\n"
                  "[Browser Symbol Options]\r\nNumber=2\r\n1=Library,0\r\n2=Description,-1\r\n"
                  "[Browser Package Options]\r\nNumber=3\r\n1=Library,-1\r\n2=Description,1\r\n"
                  "3=Package Type,0\r\n"
                  "[Browser Padstack Options]\r\nNumber=3\r\n1=Library,0\r\n"
                  "2=Padstack Type,0\r\n3=Padstack Shape,-1\r\n");
    }
};

TEST_F(SaveListAgreesTest, TheWindowsFileAndTheToolsOutputAreTheSameBytesForEveryKind) {
    Load();
    for (const ObjectKindFacts& facts : kObjectKindFacts) {
        SCOPED_TRACE(facts.name);
        m_window->SelectTab(facts.kind);
        m_window->Grid(facts.kind).Grid().SetCellText(1, 1, QStringLiteral("*"));
        m_window->cmdFindNow_Click();
        ResultListView& view = m_window->ResultView(facts.kind);
        ASSERT_GT(view.Model().rowCount(), 0);
        const std::filesystem::path saved = m_dir / (std::string(facts.name) + ".txt");
        view.SetSaveFileChooser([&](const SaveListDialog&) { return saved; });
        view.SaveList();
        const std::string window = ReadFile(saved);

        const ToolRun tool = RunK2klib({"search", "--suite", m_dir.Path().string(), "--kind",
                                        std::string(facts.name), "--name", "*"});
        ASSERT_EQ(tool.status, 0) << tool.err;
        EXPECT_EQ(tool.out, window);
        EXPECT_NE(window.find('\t'), std::string::npos) << "a shown column";
    }
    // Spot checks that the lines are the shown columns in the suite's encoding.
    EXPECT_NE(ReadFile(m_dir / "part.txt").find("LM358\tB.PART\tDual op amp 3\xB5V\tSO8\r\n"),
              std::string::npos);
    EXPECT_EQ(ReadFile(m_dir / "symbol.txt"), "1)  7400\tNAND\r\n2)  OPAMP\tOp amp \xB1\r\n");
    EXPECT_EQ(ReadFile(m_dir / "padstack.txt"), "1)  PAD60R\tRound \xD8\r\n");
}

} // namespace
} // namespace k2k::test
