#include "search/SearchEngine.h"

#include "formats/LibraryFile.h"
#include "platform/Kernel.h"
#include "platform/SuiteServices.h"
#include "search/LibraryCatalogue.h"
#include "search/ResultRows.h"
#include "support/SmallSuite.h"
#include "support/TestSupport.h"
#include "system/NativePath.h"

#include <gtest/gtest.h>

#include <sched.h>

#include <functional>

namespace k2k {
namespace {

struct RecordingFeedback final : SearchFeedback {
    void LetPendingEventsRun() override {
        if (engine && stopAtRows > 0 && rows && rows->Count() >= stopAtRows)
            engine->Stop();
        if (onEvent)
            onEvent();
    }
    void ShowStatus(const std::string& text) override { statuses.push_back(text); }
    void Beep() override { ++beeps; }
    void PublishBusy(bool busy) override { busyCalls.push_back(busy); }
    void ResultsChanged(LibraryKind) override { ++changes; }
    void ResultViewCleared(LibraryKind) override { ++clears; }

    SearchEngine* engine = nullptr;
    std::function<void()> onEvent;    // a click or a host command served during a search
    const ResultList* rows = nullptr; // with stopAtRows: Stop once it holds that many
    int stopAtRows = 0;
    std::vector<std::string> statuses;
    std::vector<bool> busyCalls;
    int beeps = 0;
    int changes = 0;
    int clears = 0;
};

class SearchEngineTest : public test::OpenedSmallSuiteTest {
protected:
    void SetUp() override {
        OpenedSmallSuiteTest::SetUp();
        m_feedback.engine = &m_engine;
    }

    std::vector<std::string> Names(LibraryKind kind) const {
        std::vector<std::string> names;
        const ResultList& results = m_state.Results(kind);
        for (int i = 1; i <= results.Count(); ++i)
            names.emplace_back(results.Name(i));
        return names;
    }

    SearchState m_state;
    SearchOptions m_options;
    RecordingFeedback m_feedback;
    SearchEngine m_engine{m_kernel, m_services, m_catalogue, m_libraryDir,
                          m_state,  m_options,  m_feedback};
};

using List = std::vector<std::string>;

TEST_F(SearchEngineTest, FindNowWalksTheCatalogueAndResultsAccumulate) {
    EXPECT_EQ(m_engine.FindNow(LibraryKind::Part, {"74*"}), SearchOutcome::Searched);
    EXPECT_EQ(Names(LibraryKind::Part), (List{"74LS00", "74HC00", "74LS02", "74HCT00"}));
    ASSERT_EQ(m_boxes.Texts().size(), 1u) << "the missing library, and only it";
    EXPECT_EQ(m_boxes.Texts()[0],
              "Library File: " + DisplayPath(m_libraryDir) + "/MISSING.PART not found");
    EXPECT_EQ(m_state.Results(LibraryKind::Part).Library(4), "B.PART");
    EXPECT_EQ(m_feedback.statuses.back(), "4 Part(s) found ");
    EXPECT_EQ(m_feedback.busyCalls, (std::vector<bool>{true, false}));

    m_engine.FindNow(LibraryKind::Part, {"74*"});
    EXPECT_EQ(m_state.Results(LibraryKind::Part).Count(), 8) << "the same parts once more";
    EXPECT_EQ(m_state.colourIndex[0], 2);
}

// Libraries that give nothing free their place for the ones read ahead of them, however
// many come in a row (more than the workers and their slots).
TEST_F(SearchEngineTest, ALongRunOfMissingAndEmptyLibrariesIsWalkedPast) {
    std::vector<std::string> entries;
    for (int i = 0; i < 12; ++i)
        entries.insert(entries.end(), {"MISSING.PART", "EMPTY.PART"});
    entries.insert(entries.end(), {"A.PART", "B.PART"});
    m_catalogue.SetEntries(LibraryKind::Part, entries);
    EXPECT_EQ(m_engine.FindNow(LibraryKind::Part, {"74*"}), SearchOutcome::Searched);
    EXPECT_EQ(Names(LibraryKind::Part), (List{"74LS00", "74HC00", "74LS02", "74HCT00"}));
    EXPECT_EQ(m_boxes.Texts().size(), 12u);
}

// A library that gives nothing frees its place at once; the library that takes the place
// next keeps every row it finds, however the threads interleave.
TEST_F(SearchEngineTest, ALibraryAfterOneThatGivesNothingKeepsItsRows) {
    // On one core the threads take turns at every wait: the order in which a worker that
    // met a missing library once touched the place a later library had taken.
    cpu_set_t before;
    ASSERT_EQ(::sched_getaffinity(0, sizeof before, &before), 0);
    cpu_set_t one;
    CPU_ZERO(&one);
    for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu)
        if (CPU_ISSET(cpu, &before)) {
            CPU_SET(cpu, &one);
            break;
        }
    ASSERT_EQ(::sched_setaffinity(0, sizeof one, &one), 0);
    const struct RestoreCores {
        const cpu_set_t& cores;
        ~RestoreCores() { ::sched_setaffinity(0, sizeof cores, &cores); }
    } restore{before};

    m_catalogue.SetEntries(LibraryKind::Part, {"A.PART", "B.PART"});
    m_engine.FindNow(LibraryKind::Part, {"*"});
    const int once = m_state.Results(LibraryKind::Part).Count();
    ASSERT_GT(once, 0);
    std::vector<std::string> entries;
    for (int i = 0; i < 8; ++i)
        entries.insert(entries.end(), {"MISSING.PART", "A.PART", "EMPTY.PART", "B.PART"});
    m_catalogue.SetEntries(LibraryKind::Part, entries);
    for (int run = 0; run < 40; ++run) {
        m_engine.NewSearch(LibraryKind::Part);
        ASSERT_EQ(m_engine.FindNow(LibraryKind::Part, {"*"}), SearchOutcome::Searched);
        ASSERT_EQ(m_state.Results(LibraryKind::Part).Count(), 8 * once) << "run " << run;
    }
}

TEST_F(SearchEngineTest, ProjectStatusComesFromEveryHierarchy) {
    m_engine.FindNow(LibraryKind::Part, {"*"});
    const ResultList& parts = m_state.Results(LibraryKind::Part);
    for (int i = 1; i <= parts.Count(); ++i) {
        const std::string_view name = parts.Name(i);
        const int expected = name == "74LS00" ? 6 : name == "LM741" ? 6 : 0;
        EXPECT_EQ(parts.Status(i), expected) << name;
    }
    EXPECT_EQ(m_kernel.DB_CurHier(m_kernel.DB_DataBase()), 1) << "the current hierarchy is back";

    m_engine.FindNow(LibraryKind::Package, {"DIP*"});
    EXPECT_EQ(Names(LibraryKind::Package), (List{"DIP14", "DIP8"}));
    EXPECT_EQ(m_state.Results(LibraryKind::Package).Status(2), kInProject)
        << "used on a schematic only, on no layout";
    m_engine.FindNow(LibraryKind::Symbol, {"7400"});
    EXPECT_EQ(m_state.Results(LibraryKind::Symbol).Status(1), kInProject | kUsedInProject);
}

TEST_F(SearchEngineTest, TheLibraryCriterionChoosesWhatIsRead) {
    m_engine.FindNow(LibraryKind::Part, {"*", " b.part "});
    EXPECT_EQ(Names(LibraryKind::Part), (List{"74HCT00", "LM358"}));
    m_engine.FindNow(LibraryKind::Part, {"*", "NOWHERE.PART"});
    EXPECT_EQ(m_feedback.statuses.back(), "2 Part(s) found ");
    EXPECT_TRUE(m_boxes.shown.empty());

    m_engine.NewSearch(LibraryKind::Part);
    m_engine.FindNow(LibraryKind::Part, {"*", "[project library]"});
    EXPECT_EQ(Names(LibraryKind::Part), (List{"74LS00", "LM741", "SPARE"}));
    EXPECT_EQ(m_state.Results(LibraryKind::Part).Status(3), kInProject) << "placed nowhere";
    EXPECT_TRUE(m_boxes.shown.empty()) << "no library file is opened";

    m_engine.FindNow(LibraryKind::Part, {"SP*", "[PROJECT LIBRARY]", "*op amp*"});
    EXPECT_EQ(Names(LibraryKind::Part).back(), "SPARE");
    EXPECT_EQ(m_state.Results(LibraryKind::Part).Count(), 5) << "LM741 by its description";

    m_engine.FindNow(LibraryKind::Padstack, {"*", "[PROJECT LIBRARY]"});
    EXPECT_EQ(m_state.Results(LibraryKind::Padstack).Count(), 0);
    EXPECT_EQ(m_feedback.statuses.back(), "0 Padstack(s) found ");
}

TEST_F(SearchEngineTest, StopEndsTheWalkAndKeepsWhatWasFound) {
    m_feedback.rows = &m_state.Results(LibraryKind::Part);
    m_feedback.stopAtRows = 2; // heard in the events before the third part of the first library
    m_engine.FindNow(LibraryKind::Part, {"*"});
    EXPECT_EQ(Names(LibraryKind::Part), (List{"74LS00", "74HC00", "SN74LS00N"}))
        << "the part whose events heard Stop is still listed";
    EXPECT_EQ(m_feedback.statuses.back(), "3 Part(s) found ");
    EXPECT_FALSE(m_state.stopRequested) << "cleared for the next search";
    EXPECT_TRUE(m_boxes.shown.empty()) << "the missing library was never reached";

    m_engine.NewSearch(LibraryKind::Part);
    m_engine.Stop(); // a late click or host command, after the search ended
    m_engine.FindNow(LibraryKind::Part, {"74LS*"});
    EXPECT_EQ(Names(LibraryKind::Part), (List{"74LS00", "74LS02"})) << "a stale Stop stops nothing";
}

// A switch changed while a search runs holds for every object listed after the change:
// those the workers tested ahead with the old switches are tested again, in the library
// being listed as in the ones read ahead, whether they passed before or not.
TEST_F(SearchEngineTest, ASwitchChangedDuringASearchHoldsForTheObjectsListedAfterIt) {
    const auto write = [this](const char* file, std::vector<std::string> names, int filler) {
        std::vector<LibraryObject> objects;
        for (std::string& name : names)
            objects.push_back({std::move(name), "DIP14 Quad NAND", ""});
        // Objects that pass under neither switch keep a worker testing while the walk runs.
        for (int i = 0; i < filler; ++i)
            objects.push_back({"Z" + std::to_string(i), "DIP14 Quad NAND", ""});
        ASSERT_TRUE(test::Done(WriteLibrary(m_dir / "LIB" / file, LibraryKind::Part, objects)));
    };
    write("X.PART", {"A1", "a2", "A3"}, 0);
    write("Y.PART", {"a4", "A5", "a6"}, 20000);
    m_catalogue.SetEntries(LibraryKind::Part, {"X.PART", "Y.PART"});
    m_options.matchCase = true; // the criterion stays "A*"
    const ResultList& parts = m_state.Results(LibraryKind::Part);
    m_feedback.onEvent = [&] {
        if (parts.Count() == 1)
            m_options.matchCase = false;
        else if (parts.Count() == 4)
            m_options.matchCase = true;
    };
    m_engine.FindNow(LibraryKind::Part, {"A*"});
    EXPECT_EQ(Names(LibraryKind::Part), (List{"A1", "a2", "A3", "a4", "A5"}));
}

// A view draws each row in the colour of the search that found it, whatever came after.
TEST_F(SearchEngineTest, RowsKeepTheColourOfTheirSearch) {
    m_engine.FindNow(LibraryKind::Part, {"74LS*"});
    m_engine.FindNow(LibraryKind::Part, {"LM*"});
    m_engine.FindAliases(kPartsUsingSymbol, false, {"OPAMP", "", ""}, "");
    const ResultList& parts = m_state.Results(LibraryKind::Part);
    const auto colours = [&parts] {
        std::vector<int> all;
        for (int i = 1; i <= parts.Count(); ++i)
            all.push_back(parts.Colour(i));
        return all;
    };
    EXPECT_EQ(Names(LibraryKind::Part),
              (List{"74LS00", "74LS02", "LM741", "LM358", "LM741", "LM358"}));
    EXPECT_EQ(colours(), (std::vector<int>{1, 1, 2, 2, 3, 3}));

    m_engine.FindInList(LibraryKind::Part, {"LM*"});
    EXPECT_EQ(colours(), (std::vector<int>{2, 2, 3, 3})) << "the rows that stay keep theirs";
    EXPECT_EQ(m_state.colourIndex[0], 4);

    m_state.colourIndex[1] = kResultColours - 1;
    m_engine.FindNow(LibraryKind::Symbol, {"*"});
    EXPECT_EQ(m_state.Results(LibraryKind::Symbol).Colour(1), 0)
        << "after the last colour, the first";
}

TEST_F(SearchEngineTest, FindInListRemovesWhatFails) {
    m_engine.FindNow(LibraryKind::Part, {"*"});
    const int changes = m_feedback.changes;
    m_engine.FindInList(LibraryKind::Part, {"*hc*"});
    EXPECT_EQ(Names(LibraryKind::Part), (List{"74HC00", "74HCT00"}));
    EXPECT_EQ(m_feedback.clears, 1);
    EXPECT_EQ(m_feedback.changes, changes + 1) << "no library walk, one refill";
    EXPECT_FALSE(m_state.findInList);
    m_engine.FindInList(LibraryKind::Part, {"NOTHING"});
    EXPECT_TRUE(m_state.Results(LibraryKind::Part).Empty());
}

// A click on another tab or a host command is served while a search lets events run; the
// running search owns the read buffer and the result lists, so no other search may start.
TEST_F(SearchEngineTest, NoSearchStartsWhileOneRuns) {
    m_engine.FindNow(LibraryKind::Part, {"*"});
    const List alone = Names(LibraryKind::Part);
    m_engine.NewSearch(LibraryKind::Part);
    EXPECT_FALSE(m_engine.IsSearching());

    std::vector<SearchOutcome> outcomes;
    bool cleared = true;
    bool served = false;
    m_feedback.onEvent = [&] {
        if (served || m_state.Results(LibraryKind::Part).Empty()) // inside the walk of A.PART
            return;
        served = true;
        EXPECT_TRUE(m_engine.IsSearching());
        outcomes = {m_engine.FindNow(LibraryKind::Symbol, {"*"}),
                    m_engine.FindNow(LibraryKind::Part, {"*", "[PROJECT LIBRARY]"}),
                    m_engine.FindInList(LibraryKind::Part, {"NOTHING"}),
                    m_engine.FindAliases(kPartsUsingSymbol, false, {"OPAMP", "", ""}, "")};
        cleared = m_engine.NewSearch(LibraryKind::Part);
    };
    EXPECT_EQ(m_engine.FindNow(LibraryKind::Part, {"*"}), SearchOutcome::Searched);
    EXPECT_EQ(Names(LibraryKind::Part), alone) << "no part lost, no symbol among the parts";
    EXPECT_TRUE(m_state.Results(LibraryKind::Symbol).Empty());
    EXPECT_EQ(outcomes, std::vector<SearchOutcome>(4, SearchOutcome::Busy));
    EXPECT_FALSE(cleared);
    EXPECT_EQ(m_state.colourIndex[1], 0) << "a refused search does not advance its colour";
    EXPECT_EQ(m_state.colourIndex[0], 2);
    EXPECT_FALSE(m_engine.IsSearching());

    m_feedback.onEvent = [&] { m_engine.Stop(); };
    EXPECT_EQ(m_engine.FindNow(LibraryKind::Part, {"*"}), SearchOutcome::Searched);
    EXPECT_EQ(Names(LibraryKind::Part).size(), alone.size()) << "Stop is served: nothing added";
}

TEST_F(SearchEngineTest, AnEmptyNameOrABadPatternSearchesNothing) {
    EXPECT_EQ(m_engine.FindNow(LibraryKind::Part, {"   ", "B.PART"}), SearchOutcome::EmptyName);
    EXPECT_EQ(m_feedback.statuses, (std::vector<std::string>{"Name Field Empty"}));
    EXPECT_EQ(m_feedback.beeps, 1);
    EXPECT_TRUE(m_feedback.busyCalls.empty());

    EXPECT_EQ(m_engine.FindNow(LibraryKind::Part, {"[Z-A]"}), SearchOutcome::InvalidPattern);
    ASSERT_EQ(m_boxes.shown.size(), 1u);
    EXPECT_NE(m_boxes.shown[0].text.find("runs backwards"), std::string::npos);
    EXPECT_EQ(m_boxes.shown[0].title, "Kalde 2000 - Library Browser") << "as every other box";
    EXPECT_TRUE(m_state.Results(LibraryKind::Part).Empty());
}

TEST_F(SearchEngineTest, AliasesShareThePackageAndTheSymbols) {
    m_engine.FindAliases(kAliasesOfPart, false, {"74LS00", "DIP14", "7400,PWR2"}, "");
    EXPECT_EQ(Names(LibraryKind::Part), (List{"74HC00", "SN74LS00N", "74HCT00"}));
    EXPECT_EQ(m_feedback.statuses.back(), "3 Part Alias(s) found ");
    EXPECT_EQ(m_state.colourIndex[0], 1);

    m_engine.NewSearch(LibraryKind::Part);
    m_engine.FindAliases(kPartsUsingSymbol, false, {"OPAMP", "", ""}, "");
    EXPECT_EQ(Names(LibraryKind::Part), (List{"LM741", "LM358"}));

    m_engine.NewSearch(LibraryKind::Part);
    m_engine.FindAliases(kPartsUsingSymbol, true, {"OPAMP", "", ""}, "b.part");
    EXPECT_EQ(Names(LibraryKind::Part), (List{"LM358"})) << "the named library only";

    m_engine.NewSearch(LibraryKind::Part);
    m_engine.FindAliases(kPartsUsingPackage, false, {"dip8", "", ""}, "");
    EXPECT_TRUE(m_state.Results(LibraryKind::Part).Empty()) << "compared without change of case";
    m_engine.FindAliases(kPartsUsingPackage, false, {"DIP8", "", ""}, "");
    EXPECT_EQ(Names(LibraryKind::Part), (List{"LM741"}));

    m_engine.NewSearch(LibraryKind::Part);
    const auto scanned = m_feedback.statuses.size();
    m_engine.FindAliases(3, false, {"PAD60R", "", ""}, "");
    EXPECT_TRUE(m_state.Results(LibraryKind::Part).Empty());
    EXPECT_GT(m_feedback.statuses.size(), scanned + 2) << "the libraries are still walked";
}

TEST_F(SearchEngineTest, RowsCarryKeysImagesAndTheEnabledColumns) {
    m_engine.FindNow(LibraryKind::Part, {"*", "[PROJECT LIBRARY]"});
    ResultList& parts = m_state.Results(LibraryKind::Part);
    ASSERT_EQ(parts.Count(), 3);
    EXPECT_EQ(RowKey(LibraryKind::Part, 2), "PART|3|2");
    EXPECT_EQ(ResultNumberOfKey(RowKey(LibraryKind::Part, 2)), 2);
    EXPECT_EQ(parts.Name(2), "LM741");
    EXPECT_EQ(StatusImage(parts.Status(2)), kUsedInProjectImage);
    EXPECT_EQ(StatusImage(parts.Status(3)), kLocalLibraryImage);
    EXPECT_EQ(parts.Library(2), "Project Library") << "written into the list itself";
    std::vector<std::string_view> values;
    OptionalValues(parts, 2, values);
    std::string line;
    AppendSavedListLine(line, 2, parts.Name(2), {values[0], values[2]});
    EXPECT_EQ(line, "2)  LM741\tProject Library\tOPAMP\r\n");
}

} // namespace
} // namespace k2k
