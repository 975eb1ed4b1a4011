#include "browser/HistoryBoxes.h"

#include "platform/UserSettings.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace k2k {
namespace {

const std::vector<std::string> kEntries{"74LS00", "74HC00", "LM741", "lm358"};

// A completion of text typed up to its end as "text|selStart,selLength", or "-" for none.
std::string Completed(HistoryCompleter& completer, const std::string& typed) {
    const auto c = completer.Complete(typed, kEntries, typed.size());
    return c ? c->text + "|" + std::to_string(c->selStart) + "," + std::to_string(c->selLength)
             : "-";
}

// Typing into a box grows the text to the first entry that begins with it, letter case
// counting, and selects what was added so that the next letter types over it. Backspace
// or Delete lets exactly the next change through; an empty text also ends the suppression,
// and other keys do not start one.
TEST(HistoryBoxesTest, TypedTextCompletesUnlessADeletingKeyCameFirst) {
    HistoryCompleter completer;
    EXPECT_EQ(Completed(completer, "74"), "74LS00|2,4") << "the first entry in list order wins";
    EXPECT_EQ(Completed(completer, "LM74"), "LM741|4,1");
    EXPECT_EQ(Completed(completer, "LM741"), "LM741|5,0") << "a whole entry completes to itself";
    EXPECT_EQ(Completed(completer, "lm7"), "-") << "case counts: no entry begins so";
    EXPECT_EQ(Completed(completer, "4LS"), "-") << "the entry must begin with it";
    EXPECT_EQ(Completed(completer, ""), "-");

    completer.KeyDown(37); // Left
    EXPECT_EQ(Completed(completer, "LM"), "LM741|2,3");
    completer.KeyDown(kKeyBackspace);
    EXPECT_TRUE(completer.Suppressed());
    EXPECT_EQ(Completed(completer, "LM"), "-");
    EXPECT_EQ(Completed(completer, "LM"), "LM741|2,3") << "the next change completes again";

    completer.KeyDown(kKeyDelete);
    EXPECT_EQ(Completed(completer, ""), "-");
    EXPECT_FALSE(completer.Suppressed()) << "an emptied box ends the suppression too";
}

// A new value joins the end; one used again moves there from its place, so the values used
// most are never the oldest a full box drops.
TEST(HistoryBoxesTest, ASearchRemembersTrimmedValuesAsTheNewest) {
    const auto update = [](std::string_view text, std::span<const std::string> entries) {
        const auto u = RememberValue(text, entries);
        return u ? std::make_tuple(u->value, u->reused.value_or(99), u->dropOldest)
                 : std::make_tuple(std::string("none"), std::size_t(0), std::size_t(0));
    };
    using U = std::tuple<std::string, std::size_t, std::size_t>;
    EXPECT_EQ(update("  NE555 ", kEntries), (U{"NE555", 99, 0}));
    EXPECT_EQ(update("lm741", kEntries), (U{"lm741", 99, 0})) << "another letter case is new";
    EXPECT_EQ(update("   ", kEntries), (U{"none", 0, 0}));
    EXPECT_EQ(update("\tX", kEntries), (U{"\tX", 99, 0})) << "only blanks are trimmed";
    ASSERT_GE(kEntries.size(), 2u);
    EXPECT_EQ(update(" " + kEntries.front() + " ", kEntries), (U{kEntries.front(), 0, 0}))
        << "compared after trimming; it moves from the front";
    EXPECT_EQ(update(kEntries.back(), kEntries), (U{"none", 0, 0})) << "already the newest";

    std::vector<std::string> full;
    for (int i = 0; i < kHistoryBoxEntries; ++i)
        full.push_back("V" + std::to_string(i));
    EXPECT_EQ(update("V0", full), (U{"V0", 0, 0})) << "the oldest, reused, is not dropped";
    EXPECT_EQ(update("NEW", full), (U{"NEW", 99, 1}));
}

class HistoryStoreTest : public ::testing::Test {
protected:
    test::TempDir m_dir;
    UserSettings m_settings{m_dir.Path()};
};

// The lists come back in their order in the next run, each kind and box on its own, under
// the keys the suite's other tools know. Many boxes are kept together, or none when the
// store cannot be written; a value the store cannot hold is left out alone.
TEST_F(HistoryStoreTest, ListsAreKeptAcrossRunsPerKindAndBox) {
    const std::vector<std::string> names{"74LS00", " SPACED ", "LM741"};
    const std::vector<std::string> nand{"NAND"};
    HistoryBoxesToKeep keep;
    keep.Add(LibraryKind::Part, 1, names);
    keep.Add(LibraryKind::Part, 2, nand);
    ASSERT_TRUE(keep.Save(m_settings));
    HistoryBoxesToKeep unwritable;
    unwritable.Add(LibraryKind::Part, 2, std::vector<std::string>{"OTHER"});
    UserSettings blocked(m_dir / "file");
    test::WriteFile(m_dir / "file", "a file where the folder would be");
    EXPECT_FALSE(unwritable.Save(blocked));
    HistoryBoxesToKeep twoLines;
    twoLines.Add(LibraryKind::Symbol, 1, std::vector<std::string>{"TWO\nLINES", "ONE"});
    EXPECT_TRUE(twoLines.Save(m_settings)) << "the value it cannot hold is left out";

    const UserSettings nextRun(m_dir.Path());
    EXPECT_EQ(LoadHistoryBox(nextRun, LibraryKind::Part, 1), names);
    EXPECT_EQ(LoadHistoryBox(nextRun, LibraryKind::Part, 2), nand);
    EXPECT_EQ(LoadHistoryBox(nextRun, LibraryKind::Symbol, 1), std::vector<std::string>{"ONE"});
    EXPECT_EQ(nextRun.GetUserSetting("Kalde2000", "K2KBRWSR", "frmK32_LibBrowserEgridCbo0,1,2", ""),
              "LM741");
    EXPECT_EQ(HistoryKey(LibraryKind::Padstack, 1, 24), "frmK32_LibBrowserEgridCbo3,1,24");
}

// A box keeps at most twenty-five entries, the newest: values searched for after it filled
// up must survive a restart. A blank entry (written by hand, or left over) ends the list.
TEST_F(HistoryStoreTest, ABoxKeepsItsNewestTwentyFiveEntriesAndEndsAtTheFirstBlank) {
    std::vector<std::string> entries;
    for (int i = 0; i < 30; ++i)
        entries.push_back("E" + std::to_string(i));
    ASSERT_TRUE(SaveHistoryBox(m_settings, LibraryKind::Package, 3, entries));
    EXPECT_EQ(m_settings.GetUserSetting("Kalde2000", "K2KBRWSR",
                                        HistoryKey(LibraryKind::Package, 3, 25), "<none>"),
              "<none>")
        << "the 26th entry is never written";
    entries.erase(entries.begin(), entries.begin() + 5);
    EXPECT_EQ(LoadHistoryBox(m_settings, LibraryKind::Package, 3), entries)
        << "the oldest five are dropped, the order kept";

    EXPECT_EQ(EntriesToDrop(0), 0u);
    EXPECT_EQ(EntriesToDrop(24), 0u) << "room for one more";
    EXPECT_EQ(EntriesToDrop(25), 1u) << "a full box drops its oldest for a new value";
    EXPECT_EQ(EntriesToDrop(27), 3u);

    entries.assign({"E0", "E1", "E2"});
    ASSERT_TRUE(SaveHistoryBox(m_settings, LibraryKind::Package, 3, entries));

    ASSERT_TRUE(m_settings.SaveUserSetting("Kalde2000", "K2KBRWSR",
                                           HistoryKey(LibraryKind::Package, 3, 2), "  "));
    EXPECT_EQ(LoadHistoryBox(m_settings, LibraryKind::Package, 3),
              (std::vector<std::string>{"E0", "E1"}));
}

} // namespace
} // namespace k2k
