#pragma once
// A small suite for the tests, written into a folder:
//   LIB/A.PART       74LS00, 74HC00, SN74LS00N (DIP14; 7400,PWR2), 74LS02 (DIP14; 7402,PWR2),
//                    LM741 (DIP8; OPAMP)
//   LIB/EMPTY.PART   no objects
//   LIB/B.PART       74HCT00 (DIP14; 7400,PWR2), LM358 (SO8; OPAMP,OPAMP_PWR)
//   LIB/LOGIC.SYMBOL 7400, OPAMP     LIB/P.PACKAGE DIP14, DIP8     LIB/T.PADSTACK PAD60R
//   kalde2000.ini    DEVLIBS A.PART, MISSING.PART (no file), EMPTY.PART, B.PART; one library
//                    of each other kind; the project DEMO.K2K
//   suite.ini        LibDir=LIB
//   DEMO.K2K         parts 74LS00 (used on the layout and schematic of hierarchy SECOND),
//                    LM741 (on a schematic of TOP only), SPARE (placed nowhere); symbol
//                    7400 (on a schematic), package DIP8 (on a schematic only)
//
// SmallSuiteTest is the one fixture of the tests on it: SetUp writes it into a folder of the
// test's own and lets PrepareSuite change its files; OpenSuite then opens it as the suite's
// main application does. OpenedSmallSuiteTest opens it in SetUp and reads its library
// catalogue, as a search finds it. The fixtures of the component and of the window
// (support/ui) stand on SmallSuiteTest.

#include "formats/LibraryFile.h"
#include "platform/Kernel.h"
#include "platform/SuiteServices.h"
#include "search/LibraryCatalogue.h"
#include "search/SearchEngine.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace k2k::test {

std::string PartInfo(std::string_view package, std::string_view description,
                     std::string_view symbols);

// Writes the library root/LIB/file, or throws.
void WriteSuiteLibrary(const std::filesystem::path& root, const char* file, LibraryKind kind,
                       const std::vector<LibraryObject>& objects);

void WriteSmallSuite(const std::filesystem::path& root);

// A search's feedback whose calls run the hooks a test sets, standing for the window: the
// events that run during a search, the result views, the browser's busy mark.
class HookedFeedback final : public SearchFeedback {
public:
    void LetPendingEventsRun() override {
        if (pending)
            pending();
    }
    void ResultsChanged(LibraryKind kind) override {
        if (resultsChanged)
            resultsChanged(kind);
    }
    void PublishBusy(bool busy) override {
        if (publishBusy)
            publishBusy(busy);
    }
    std::function<void()> pending;
    std::function<void(LibraryKind)> resultsChanged;
    std::function<void(bool)> publishBusy;
};

// What the suite holds besides its libraries, catalogue and project.
enum class SuiteExtras {
    None,
    SystemFolder, // SysDir=SYS with an empty browser profile, as a window's start reads it
};

class SmallSuiteTest : public ::testing::Test {
protected:
    explicit SmallSuiteTest(SuiteExtras extras = SuiteExtras::None) : m_extras(extras) {}

    void SetUp() override;
    // Called after the suite is written, before anything reads it.
    virtual void PrepareSuite() {}
    // Opens the suite as its main application does (platform/SuiteFolder.h): the services
    // on its initialisation file, the kernel's named values, the project open. Without
    // services, with those of the directory settings, as the host's start makes them.
    void OpenSuite(SuiteServices& services);
    void OpenSuite();

    TempDir m_dir;
    RecordingMessageBoxes m_boxes;
    Kernel m_kernel;

private:
    SuiteExtras m_extras;
};

// The suite opened, with its library catalogue read.
class OpenedSmallSuiteTest : public SmallSuiteTest {
protected:
    void SetUp() override;

    SuiteServices m_services{m_dir / "suite.ini", m_boxes};
    LibraryCatalogue m_catalogue;
    std::string m_libraryDir = m_dir.SuitePath() + "\\LIB";
};

} // namespace k2k::test
