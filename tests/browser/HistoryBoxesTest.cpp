#include "browser/HistoryBoxes.h"

#include "platform/UserSettings.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace k2k {
namespace {

const std::vector<std::string> kEntries{"74LS00", "74HC00", "LM741", "lm358"};

// Typing into a box grows the text to the first entry that begins with it, letter case
// counting, and selects what was added so that the next letter types over it.
TEST(HistoryBoxesTest, TypedTextCompletesToTheFirstEntryThatBeginsWithIt) {
    HistoryCompleter completer;
    auto completion = completer.Complete("74", kEntries, 2);
    ASSERT_TRUE(completion);
    EXPECT_EQ(completion->text, "74LS00") << "the first entry in list order wins";
    EXPECT_EQ(completion->selStart, 2u);
    EXPECT_EQ(completion->selLength, 4u);

    completion = completer.Complete("74H", kEntries, 3);
    ASSERT_TRUE(completion);
    EXPECT_EQ(completion->text, "74HC00");

    completion = completer.Complete("LM74", kEntries, 4);
    ASSERT_TRUE(completion);
    EXPECT_EQ(completion->text, "LM741");
    EXPECT_EQ(completion->selStart, 4u);
    EXPECT_EQ(completion->selLength, 1u);

    EXPECT_FALSE(completer.Complete("lm7", kEntries, 3)) << "case counts: no entry begins so";
    EXPECT_FALSE(completer.Complete("4LS", kEntries, 3)) << "the entry must begin with it";
    EXPECT_FALSE(completer.Complete("", kEntries, 0));
    EXPECT_FALSE(completer.Complete("7", {}, 1));

    completion = completer.Complete("LM741", kEntries, 5);
    ASSERT_TRUE(completion) << "a whole entry completes to itself";
    EXPECT_EQ(completion->selLength, 0u);
}

// Backspace or Delete lets exactly the next change through; an empty text also ends the
// suppression, and other keys do not start one.
TEST(HistoryBoxesTest, DeletingKeysSuppressOnlyTheNextCompletion) {
    HistoryCompleter completer;
    completer.KeyDown(65); // A
    completer.KeyDown(37); // Left
    EXPECT_TRUE(completer.Complete("LM", kEntries, 2));

    completer.KeyDown(kKeyBackspace);
    EXPECT_TRUE(completer.Suppressed());
    EXPECT_FALSE(completer.Complete("LM", kEntries, 2));
    EXPECT_FALSE(completer.Suppressed());
    EXPECT_TRUE(completer.Complete("LM", kEntries, 2)) << "the next change completes again";

    completer.KeyDown(kKeyDelete);
    EXPECT_FALSE(completer.Complete("", kEntries, 0));
    EXPECT_FALSE(completer.Suppressed()) << "an emptied box ends the suppression too";
    EXPECT_TRUE(completer.Complete("74", kEntries, 2));
}

TEST(HistoryBoxesTest, ASearchRemembersTrimmedNewValuesOnly) {
    EXPECT_EQ(ValueToRemember("  NE555 ", kEntries), "NE555");
    EXPECT_EQ(ValueToRemember("lm741", kEntries), "lm741") << "another letter case is new";
    EXPECT_FALSE(ValueToRemember("LM741", kEntries));
    EXPECT_FALSE(ValueToRemember(" LM741  ", kEntries)) << "compared after trimming";
    EXPECT_FALSE(ValueToRemember("", kEntries));
    EXPECT_FALSE(ValueToRemember("   ", kEntries));
    EXPECT_EQ(ValueToRemember("\tX", kEntries), "\tX") << "only blanks are trimmed";
}

class HistoryStoreTest : public ::testing::Test {
protected:
    test::TempDir m_dir;
    UserSettings m_settings{m_dir.Path()};
};

// The lists come back in their order in the next run, each kind and box on its own, under
// the keys the suite's other tools know.
TEST_F(HistoryStoreTest, ListsAreKeptAcrossRunsPerKindAndBox) {
    const std::vector<std::string> names{"74LS00", " SPACED ", "LM741"};
    const std::vector<std::string> descriptions{"NAND"};
    ASSERT_TRUE(SaveHistoryBox(m_settings, LibraryKind::Part, 1, names));
    ASSERT_TRUE(SaveHistoryBox(m_settings, LibraryKind::Part, 2, descriptions));
    ASSERT_TRUE(SaveHistoryBox(m_settings, LibraryKind::Padstack, 1, {}));

    const UserSettings nextRun(m_dir.Path());
    EXPECT_EQ(LoadHistoryBox(nextRun, LibraryKind::Part, 1), names);
    EXPECT_EQ(LoadHistoryBox(nextRun, LibraryKind::Part, 2), descriptions);
    EXPECT_TRUE(LoadHistoryBox(nextRun, LibraryKind::Symbol, 1).empty());
    EXPECT_TRUE(LoadHistoryBox(nextRun, LibraryKind::Padstack, 1).empty());
    EXPECT_EQ(nextRun.GetUserSetting("Kalde2000", "K2KBRWSR", "frmK32_LibBrowserEgridCbo0,1,2", ""),
              "LM741");
    EXPECT_EQ(HistoryKey(LibraryKind::Padstack, 1, 24), "frmK32_LibBrowserEgridCbo3,1,24");
}

TEST_F(HistoryStoreTest, ABoxKeepsAtMostTwentyFiveEntries) {
    std::vector<std::string> entries;
    for (int i = 0; i < 30; ++i)
        entries.push_back("E" + std::to_string(i));
    ASSERT_TRUE(SaveHistoryBox(m_settings, LibraryKind::Package, 3, entries));

    EXPECT_EQ(m_settings.GetUserSetting("Kalde2000", "K2KBRWSR",
                                        HistoryKey(LibraryKind::Package, 3, 25), "<none>"),
              "<none>")
        << "the 26th entry is never written";
    const std::vector<std::string> loaded = LoadHistoryBox(m_settings, LibraryKind::Package, 3);
    EXPECT_EQ(loaded, std::vector<std::string>(entries.begin(), entries.begin() + 25));
}

// A blank entry (written by hand, or left over) ends the list.
TEST_F(HistoryStoreTest, LoadingStopsAtTheFirstBlankEntry) {
    for (const auto& [index, value] :
         std::vector<std::pair<int, std::string>>{{0, "A"}, {1, "B"}, {2, "  "}, {3, "D"}})
        ASSERT_TRUE(m_settings.SaveUserSetting("Kalde2000", "K2KBRWSR",
                                               HistoryKey(LibraryKind::Symbol, 2, index), value));
    EXPECT_EQ(LoadHistoryBox(m_settings, LibraryKind::Symbol, 2),
              (std::vector<std::string>{"A", "B"}));
}

} // namespace
} // namespace k2k
