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

std::string Step(StartupStep step) {
    return "step " + std::to_string(static_cast<int>(step));
}

// What the start-up told the splash window, in order: "step N" and the texts.
class RecordingProgress final : public StartupProgress {
public:
    void ShowProgress(const std::string& text) override { events.push_back(text); }
    void StepBegins(StartupStep step) override { events.push_back(Step(step)); }
    std::vector<std::string> events;
};

// The small suite with what the start reads besides the libraries: a system folder with
// the browser profile and the element profiles, a subcircuit folder, display options.
class BrowserComponentTest : public test::SmallSuiteTest {
protected:
    void PrepareSuite() override {
        WriteFile(m_dir / "suite.ini", "[Kalde2K]\r\nLibDir=LIB\r\nSysDir=SYS\r\nKDSsbk=KDS_SBK\r\n"
                                       "[Browser Part Options]\r\nNumber=2\r\n"
                                       "1=Library,-1\r\n2=Description,0\r\n");
        WriteFile(m_dir / "SYS" / "K2KBRWSR.ini",
                  "[PartType]\r\n1,Sys,1:Digital\r\n\t1,Usr,1,1:Gates\r\n[End PartType]\r\n\r\n"
                  "[ENDPROFILE]");
        WriteFile(m_dir / "SYS" / "elements.spc", "*R,Resistor,RES,STD,1,0\r\n1,Resistance\r\n");
        WriteFile(m_dir / "KDS_SBK" / "INV.SBC",
                  ".SUBCKT INV IN OUT\r\n*Inverter,2\r\n*Node 1,IN\r\n*Node 2,OUT\r\n");
    }
    void SetUp() override {
        SmallSuiteTest::SetUp();
        // What the services' initialisation file was as each box was shown.
        m_boxes.onShow = [this](const MessageRequest&) {
            m_iniFileAtShow.push_back(m_browser.Services().IniFile());
        };
    }

    void Open() {
        const SuiteOpening opening = m_browser.OpenSuite(m_dir.Path());
        ASSERT_TRUE(opening.ok) << opening.error;
    }

    test::HookedFeedback m_feedback;
    BrowserComponent m_browser{m_kernel, m_dir / "suite.ini", m_boxes, m_feedback};
    RecordingProgress m_progress;
    std::vector<std::string> m_iniFileAtShow;
};

// The progress texts come in the suite's language; a text its file lacks is the default.
TEST_F(BrowserComponentTest, FormUpdateReadsEverythingInItsOrder) {
    std::string ini = ReadFile(m_dir / "kalde2000.ini");
    ini.replace(ini.find("[Kalde2000]\r\n"), 13, "[Kalde2000]\r\nLanguagePath=SYS\r\n");
    WriteFile(m_dir / "kalde2000.ini", ini);
    WriteFile(m_dir / "SYS" / "TEXTS.LNG", "3370=Lese Elementprofile ...\r\n");
    Open();
    const std::string suiteIni = m_browser.Services().IniFile();
    const FormUpdateResult result = m_browser.FormUpdate(m_progress);
    ASSERT_TRUE(result.Ok());

    const std::vector<std::string> expected{
        Step(StartupStep::DesignContext),   Step(StartupStep::Folders),
        Step(StartupStep::BrowserProfile),  Step(StartupStep::DisplayOptions),
        Step(StartupStep::ElementProfiles), "Lese Elementprofile ...",
        Step(StartupStep::SubcircuitIndex), "Building Spice Subcircuit References ...",
        Step(StartupStep::SimulatorModels), "Building Mixed Mode Simulator References ..."};
    EXPECT_EQ(m_progress.events, expected);

    const BrowserState& state = m_browser.State();
    EXPECT_EQ(state.catalogue.Count(LibraryKind::Part), 4);
    EXPECT_EQ(state.regTypes.Count(kPartTypeTable), 2);
    EXPECT_EQ(state.simulation.subcircuits.Count(), 1);
    EXPECT_TRUE(m_browser.SpiceReferencesReady());
    EXPECT_EQ(m_browser.Services().IniFile(), suiteIni)
        << "the services read the suite's file again after the profile";
    // The one message: the subcircuit folder has no SUBCIR.IDX, so it is scanned.
    ASSERT_EQ(m_boxes.shown.size(), 1u);
    EXPECT_NE(m_boxes.shown[0].text.find("SUBCIR.IDX"), std::string::npos);
}

// The start ends by setting up the simulation dialog's lists, with the family list of
// "ALL" and the subcircuit folder's subfolders. A broken elements.spc then leaves the Spice
// references unready and the subcircuit index unbuilt, also when an earlier start had built
// them: no families, no subcircuits; the models are still collected.
TEST_F(BrowserComponentTest, BrokenElementProfilesDropTheSubcircuitsAndFamilies) {
    WriteFile(m_dir / "KDS_SBK" / "Logic" / "NAND.SBC",
              ".SUBCKT NAND A B Y\r\n*Nand,3\r\n*Node 1,A\r\n*Node 2,B\r\n*Node 3,Y\r\n");
    Open();
    ASSERT_TRUE(m_browser.FormUpdate(m_progress).Ok());
    const SimulationPicker& picker = m_browser.State().simulationPicker;
    EXPECT_EQ(picker.Families(), (std::vector<std::string>{"ALL", "LOGIC"}));
    EXPECT_EQ(picker.Filters().family, "ALL");
    EXPECT_EQ(picker.RowCount(SimulationTab::ElementCode), 1);
    EXPECT_EQ(picker.RowCount(SimulationTab::Subcircuit), 2);

    WriteFile(m_dir / "SYS" / "elements.spc", "*R,Resistor,RES,STD,1,0\r\n1,Resistance\r\n"
                                              "*C,Capacitor,CAP,2,0\r\n");
    m_progress.events.clear();
    m_boxes.shown.clear();
    const FormUpdateResult result = m_browser.FormUpdate(m_progress);
    EXPECT_TRUE(result.Ok()) << "the start goes on without Spice references";

    ASSERT_EQ(m_progress.events.size(), 8u) << "no subcircuit index step";
    EXPECT_EQ(m_progress.events[5], "Parsing Spice Circuit Element Profiles ...");
    EXPECT_EQ(m_progress.events[6], Step(StartupStep::SimulatorModels));
    EXPECT_FALSE(m_browser.SpiceReferencesReady());
    EXPECT_EQ(m_browser.State().simulation.elements.Count(), 1) << "kept up to the bad line";
    EXPECT_EQ(m_browser.State().simulation.subcircuits.Count(), 0)
        << "the index of the earlier start is gone";
    EXPECT_TRUE(picker.Families().empty());
    EXPECT_EQ(picker.RowCount(SimulationTab::Subcircuit), 0);
    ASSERT_EQ(m_boxes.shown.size(), 1u) << m_boxes.shown.back().text;
    EXPECT_NE(m_boxes.shown[0].text.find("*C,Capacitor,CAP,2,0"), std::string::npos)
        << "the invalid line is named: " << m_boxes.shown[0].text;
}

TEST_F(BrowserComponentTest, AnUnreadableProfileFailsTheStartWithError9999) {
    std::filesystem::remove(m_dir / "SYS" / "K2KBRWSR.ini");
    Open();
    const std::string suiteIni = m_browser.Services().IniFile();
    const FormUpdateResult result = m_browser.FormUpdate(m_progress);

    EXPECT_EQ(result.failure, FormUpdateResult::Failure::BrowserProfile);
    EXPECT_EQ(result.errorNumber, 9999);
    EXPECT_EQ(m_browser.Services().IniFile(), suiteIni);
    EXPECT_EQ(m_browser.State().displayOptions.UpperBound(LibraryKind::Part), 2)
        << "the display options are read before the failure is raised";
    EXPECT_EQ(m_progress.events.back(), Step(StartupStep::DisplayOptions))
        << "nothing after the display options";

    // The file operation's message, then the profile reader's; while they were shown the
    // services' initialisation file was the profile.
    ASSERT_EQ(m_boxes.shown.size(), 2u) << m_boxes.shown.back().text;
    EXPECT_NE(m_boxes.shown[0].text.find("Can't read file: "), std::string::npos);
    EXPECT_EQ(m_boxes.shown[1].text, "Can't Read Browser Profile");
    const std::string profile = m_browser.State().directories.BrowserProfilePath();
    EXPECT_EQ(m_iniFileAtShow[0], profile);
    EXPECT_EQ(m_browser.State().regTypes.profilePath, profile);
}

TEST_F(BrowserComponentTest, WithoutAnOpenDesignTheStartStopsAtOnce) {
    std::string ini = ReadFile(m_dir / "kalde2000.ini");
    ini.erase(ini.find("Project=DEMO.K2K\r\n"), 18);
    WriteFile(m_dir / "kalde2000.ini", ini);
    Open();
    const FormUpdateResult result = m_browser.FormUpdate(m_progress);

    EXPECT_EQ(result.failure, FormUpdateResult::Failure::NoDatabase);
    EXPECT_EQ(m_progress.events, std::vector<std::string>{Step(StartupStep::DesignContext)});
    ASSERT_EQ(m_boxes.shown.size(), 1u);
    EXPECT_EQ(m_boxes.shown[0].text, "Start Main Kalde 2000 Application");
    EXPECT_EQ(m_boxes.shown[0].icon, MsgIcon::Critical);
}

TEST_F(BrowserComponentTest, FindsAPartByNameInSearchOrder) {
    Open();
    // 74HCT00 would match a pattern; only the exact name counts.
    const auto ls00 = m_browser.FindPartByName("74LS00");
    ASSERT_TRUE(ls00);
    EXPECT_EQ(ls00->selection.symbols, "7400,PWR2");
    EXPECT_EQ(ls00->libraryPath, m_dir.SuitePath() + "\\LIB\\A.PART");

    // Past the missing and the empty library, into the fourth.
    const auto lm358 = m_browser.FindPartByName("LM358");
    ASSERT_TRUE(lm358);
    EXPECT_EQ(lm358->libraryPath, m_dir.SuitePath() + "\\LIB\\B.PART");

    EXPECT_FALSE(m_browser.FindPartByName("lm358")) << "names are compared exactly";
    EXPECT_FALSE(m_browser.FindPartByName("74LS0"));
}

// "EX", "RF", "SSQ" and "LZ" that arrive while a search lets events run are kept for
// after it; the others run at once, and nothing is kept outside a search.
TEST_F(BrowserComponentTest, ReloadingCommandsWaitForTheRunningSearch) {
    Open();
    EXPECT_FALSE(m_browser.DeferWhileBusy("K2KBRWSR,EX"));
    EXPECT_TRUE(m_browser.DeferWhileBusy("K2KBRWSR,EX", true)) << "a question waits";
    EXPECT_EQ(m_browser.TakeDeferredCommands(), std::vector<std::string>{"K2KBRWSR,EX"});

    std::vector<bool> kept;
    bool sawSearch = false;
    m_feedback.pending = [&] {
        if (sawSearch)
            return;
        sawSearch = m_browser.IsSearching();
        for (const char* command : {"K2KBRWSR,EX", "All,RF", "K2KBRWSR,MN", "K2KBRWSR,SSQ",
                                    "K2KSCHED,EX", "K2KBRWSR,LZ", "K2KBRWSR,UP"})
            kept.push_back(m_browser.DeferWhileBusy(command));
    };
    std::vector<std::string> values = FreshGridValues(LibraryKind::Part);
    values[0] = "74*";
    ASSERT_EQ(m_browser.Engine().FindNow(LibraryKind::Part, values), SearchOutcome::Searched);

    EXPECT_EQ(kept, (std::vector<bool>{true, true, false, true, false, true, false}));
    EXPECT_EQ(m_browser.TakeDeferredCommands(),
              (std::vector<std::string>{"K2KBRWSR,EX", "All,RF", "K2KBRWSR,SSQ", "K2KBRWSR,LZ"}));
    EXPECT_TRUE(m_browser.TakeDeferredCommands().empty()) << "each is carried out once";
}

} // namespace
} // namespace k2k
