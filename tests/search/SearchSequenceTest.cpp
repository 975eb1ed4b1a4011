#include "search/SearchSequence.h"

#include "platform/Kernel.h"
#include "platform/SuiteServices.h"
#include "search/LibraryCatalogue.h"
#include "search/SearchEngine.h"
#include "support/SmallSuite.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

using test::WriteFile;

// Entries as "text" for a selected one and "-text" for one that is not.
std::vector<std::string> Shown(const SearchSequence& sequence, LibraryKind kind) {
    std::vector<std::string> shown;
    for (const SearchSequenceEntry& entry : sequence.Entries(kind))
        shown.push_back((entry.selected ? "" : "-") + entry.text);
    return shown;
}

using List = std::vector<std::string>;

// A library folder with files of every kind in mixed letter case, and a catalogue that
// names some of them with other spellings and one file that is not there.
class SearchSequenceTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"a.part", "B.PART", "C.PART", "D.part", "Z.PART", ".PART",
                                 "LOGIC.SYMBOL", "notes.txt", "P.PACKAGE"})
            WriteFile(m_dir / "LIB" / name, "x");
        std::filesystem::create_directory(m_dir / "LIB" / "OLD.PART"); // a folder, not a file
        WriteFile(m_dir / "kalde2000.ini", "[DEVLIBS]\r\n1=d.PART\r\n2=MISSING.PART\r\n3=b.part\r\n"
                                           "[SCHLIBS]\r\n1=LOGIC.SYMBOL\r\n"
                                           "[LAYLIBS]\r\n1=P.PACKAGE\r\n2=p.package\r\n");
        m_services.SetIniFile(m_dir.SuitePath() + "\\kalde2000.ini");
        m_catalogue.Load(m_services);
        // The file keeps no blanks around a value; a list set in memory may hold them.
        m_catalogue.SetEntries(LibraryKind::Part, {" d.PART ", "MISSING.PART", "b.part"});
        m_sequence.Fill(m_catalogue, m_dir.SuitePath() + "\\LIB");
    }

    test::TempDir m_dir;
    test::RecordingMessageBoxes m_boxes;
    SuiteServices m_services{m_dir / "suite.ini", m_boxes};
    LibraryCatalogue m_catalogue;
    SearchSequence m_sequence;
};

TEST_F(SearchSequenceTest, FillPutsTheCatalogueFirstInItsOrderThenTheOtherFilesUnselected) {
    // " d.PART " is exchanged with the first file, "b.part" stays where it is; both keep
    // the catalogue's spelling, so OK writes back what the catalogue held.
    EXPECT_EQ(Shown(m_sequence, LibraryKind::Part),
              (List{" d.PART ", "b.part", "-C.PART", "-a.part", "-Z.PART"}))
        << "MISSING.PART has no file; \".PART\" and the folder OLD.PART are no libraries";
    EXPECT_EQ(m_sequence.Current(LibraryKind::Part), 0);
    EXPECT_EQ(Shown(m_sequence, LibraryKind::Symbol), (List{"LOGIC.SYMBOL"}));
    // A library the catalogue names twice is placed once.
    EXPECT_EQ(Shown(m_sequence, LibraryKind::Package), (List{"P.PACKAGE"}));
    EXPECT_TRUE(m_sequence.Entries(LibraryKind::Padstack).empty());
    EXPECT_EQ(m_sequence.Current(LibraryKind::Padstack), -1);

    m_sequence.SelectAll(LibraryKind::Part, true);
    EXPECT_EQ(Shown(m_sequence, LibraryKind::Part),
              (List{" d.PART ", "b.part", "C.PART", "a.part", "Z.PART"}));
    EXPECT_EQ(Shown(m_sequence, LibraryKind::Package), (List{"P.PACKAGE"}));
}

TEST_F(SearchSequenceTest, OkWritesTheSelectedEntriesInListOrderAndDropsMissingLibraries) {
    m_sequence.SetSelected(LibraryKind::Part, 4, true); // Z.PART, a new library
    m_sequence.SetSelected(LibraryKind::Part, 0, false);
    m_sequence.SetCurrent(LibraryKind::Part, 4);
    m_sequence.MoveUp(LibraryKind::Part);
    m_sequence.Accept(m_catalogue, m_services);
    EXPECT_TRUE(m_sequence.Changed());
    EXPECT_TRUE(m_boxes.shown.empty());

    LibraryCatalogue saved;
    saved.Load(m_services);
    EXPECT_EQ(saved.Entries(LibraryKind::Part), (List{"b.part", "Z.PART"}))
        << "MISSING.PART is gone, the unselected d.PART too";
    EXPECT_EQ(saved.Entries(LibraryKind::Package), (List{"P.PACKAGE"}));
    EXPECT_EQ(m_catalogue.Entries(LibraryKind::Part), saved.Entries(LibraryKind::Part));
    const std::string ini = test::ReadFile(m_dir / "kalde2000.ini");
    EXPECT_EQ(ini.find("MISSING"), std::string::npos);
    EXPECT_EQ(ini.find("p.package"), std::string::npos) << "the old second key is deleted";

    m_sequence.Cancel();
    EXPECT_FALSE(m_sequence.Changed());
}

TEST_F(SearchSequenceTest, UpAndDownMoveTheCurrentEntryWithItsMarkWithinTheList) {
    const LibraryKind part = LibraryKind::Part;
    EXPECT_FALSE(m_sequence.CanMoveUp(part)) << "the first entry";
    m_sequence.MoveUp(part); // not possible: nothing happens
    EXPECT_EQ(Shown(m_sequence, part)[0], " d.PART ");

    m_sequence.MoveDown(part);
    EXPECT_EQ(m_sequence.Current(part), 1) << "the moved entry stays current";
    EXPECT_EQ(Shown(m_sequence, part),
              (List{"b.part", " d.PART ", "-C.PART", "-a.part", "-Z.PART"}));
    EXPECT_TRUE(m_sequence.CanMoveUp(part) && m_sequence.CanMoveDown(part));

    m_sequence.SetCurrent(part, 4);
    EXPECT_TRUE(m_sequence.CanMoveUp(part));
    EXPECT_FALSE(m_sequence.CanMoveDown(part)) << "the last entry";
    m_sequence.MoveDown(part);
    m_sequence.SetCurrent(part, 7); // outside the list: ignored
    EXPECT_EQ(m_sequence.Current(part), 4);

    // A tab change makes the first entry current; an empty or one-entry list moves nowhere.
    m_sequence.SelectKind(LibraryKind::Package);
    m_sequence.SelectKind(part);
    EXPECT_EQ(m_sequence.Current(part), 0);
    m_sequence.SelectKind(LibraryKind::Padstack);
    EXPECT_EQ(m_sequence.Kind(), LibraryKind::Padstack);
    m_sequence.MoveDown(LibraryKind::Padstack);
    for (const LibraryKind kind : {LibraryKind::Padstack, LibraryKind::Symbol})
        EXPECT_FALSE(m_sequence.CanMoveUp(kind) || m_sequence.CanMoveDown(kind));
}

// With every part library unselected the part searches read nothing: no rows, and no
// message for the missing library the catalogue held before.
using SearchSequenceSearchTest = test::OpenedSmallSuiteTest;

TEST_F(SearchSequenceSearchTest, AnEmptySequenceLeavesTheKindsSearchesWithoutLibraries) {
    SearchSequence sequence;
    sequence.Fill(m_catalogue, m_libraryDir);
    sequence.SelectAll(LibraryKind::Part, false);
    sequence.Accept(m_catalogue, m_services);
    m_catalogue.Load(m_services);
    EXPECT_EQ(m_catalogue.Count(LibraryKind::Part), 0);
    EXPECT_EQ(m_catalogue.Count(LibraryKind::Symbol), 1) << "the other kinds keep theirs";

    SearchState state;
    SearchOptions options;
    SearchFeedback feedback;
    SearchEngine engine{m_kernel, m_services, m_catalogue, m_libraryDir, state, options, feedback};
    EXPECT_EQ(engine.FindNow(LibraryKind::Part, {"*"}), SearchOutcome::Searched);
    EXPECT_EQ(state.Results(LibraryKind::Part).Count(), 0);
    EXPECT_TRUE(m_boxes.Texts().empty()) << m_boxes.Texts().front();
    EXPECT_EQ(engine.FindNow(LibraryKind::Symbol, {"*"}), SearchOutcome::Searched);
    EXPECT_EQ(state.Results(LibraryKind::Symbol).Count(), 2) << "7400, OPAMP";
}

} // namespace
} // namespace k2k
