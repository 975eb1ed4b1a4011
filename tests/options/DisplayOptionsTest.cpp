#include "options/DisplayOptions.h"

#include "platform/SuiteServices.h"
#include "support/TestSupport.h"
#include "system/NativePath.h"

#include <gtest/gtest.h>

#include <limits>

namespace k2k {
namespace {

using test::ReadFile;
using test::WriteFile;

using Options = std::vector<DisplayOption>;
using Columns = std::vector<DisplayColumn>;

class DisplayOptionsTest : public test::ServicesTest {
protected:
    DisplayOptions options;

    Options EntriesOf(LibraryKind kind) const {
        const auto& all = options.Table(kind);
        return Options(all.begin() + 1, all.end());
    }
};

TEST_F(DisplayOptionsTest, WithoutSettingsEveryKindShowsOneUndefinedColumn) {
    LoadDisplayOptions(options, services);
    for (LibraryKind kind :
         {LibraryKind::Part, LibraryKind::Symbol, LibraryKind::Package, LibraryKind::Padstack}) {
        EXPECT_EQ(EntriesOf(kind), (Options{{1, "Undefined"}}));
        EXPECT_EQ(EnabledColumns(options, kind), (Columns{{1, "Undefined"}}));
    }
}

TEST_F(DisplayOptionsTest, AnyNonZeroValueShowsItsColumn) {
    WriteFile(dir / "suite.ini", "[Browser Part Options]\r\n"
                                 "Number=10\r\n"
                                 "1=Library,-1\r\n"
                                 "2=Description,0\r\n"
                                 "3=Symbols,2\r\n"
                                 "4=Package,0.5\r\n"      // halves round to even: hidden
                                 "5=Package Type,1.5\r\n" // 2: shown
                                 "6=Manufacturer\r\n"     // no value: hidden
                                 "7=Technology,yes\r\n"   // no number: hidden
                                 "8=Part Type,1e12\r\n"   // held to the 32-bit range
                                 "9=External Index Code, -1 \r\n"
                                 "[Browser Symbol Options]\r\n"
                                 "Number=2\r\n"
                                 "1=Library,0\r\n"
                                 "[Browser Package Options]\r\n"
                                 "Number=-3\r\n"
                                 "[Browser Padstack Options]\r\n"
                                 "Number=junk\r\n");
    LoadDisplayOptions(options, services);
    EXPECT_EQ(EntriesOf(LibraryKind::Part),
              (Options{{-1, "Library"},
                       {0, "Description"},
                       {2, "Symbols"},
                       {0, "Package"},
                       {2, "Package Type"},
                       {0, "Manufacturer"},
                       {0, "Technology"},
                       {std::numeric_limits<std::int32_t>::max(), "Part Type"},
                       {-1, "External Index Code"},
                       {1, "Undefined"}})); // key 10 is missing
    EXPECT_EQ(EnabledColumns(options, LibraryKind::Part), (Columns{{1, "Library"},
                                                                   {3, "Symbols"},
                                                                   {5, "Package Type"},
                                                                   {8, "Part Type"},
                                                                   {9, "External Index Code"},
                                                                   {10, "Undefined"}}));
    EXPECT_EQ(EntriesOf(LibraryKind::Symbol), (Options{{0, "Library"}, {1, "Undefined"}}));
    EXPECT_TRUE(EntriesOf(LibraryKind::Package).empty());
    EXPECT_TRUE(EntriesOf(LibraryKind::Padstack).empty());
}

TEST_F(DisplayOptionsTest, SavedOptionsReadBack) {
    options.Table(LibraryKind::Part) = {{}, {-1, "Library"}, {0, "Description"}, {2, "Symbols"}};
    options.Table(LibraryKind::Padstack) = {{}, {-1, "Padstack Type"}};
    ASSERT_TRUE(SaveDisplayOptions(options, services));
    const std::string stored = ReadFile(dir / "suite.ini");
    EXPECT_NE(stored.find("[Browser Part Options]\r\nNumber=3\r\n1=Library,-1\r\n"
                          "2=Description,0\r\n3=Symbols,2\r\n"),
              std::string::npos)
        << stored;
    EXPECT_NE(stored.find("[Browser Symbol Options]\r\nNumber=0\r\n"), std::string::npos);

    DisplayOptions loaded;
    LoadDisplayOptions(loaded, services);
    for (LibraryKind kind :
         {LibraryKind::Part, LibraryKind::Symbol, LibraryKind::Package, LibraryKind::Padstack})
        EXPECT_EQ(loaded.Table(kind), options.Table(kind));
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(DisplayOptionsTest, AFailedSaveIsShownOnce) {
    SuiteServices nowhere{dir / "NOFOLDER" / "suite.ini", boxes};
    options.Table(LibraryKind::Part) = {{}, {-1, "Library"}, {0, "Description"}};
    EXPECT_FALSE(SaveDisplayOptions(options, nowhere));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text,
              "Can't create/write to file: " + (dir / "NOFOLDER" / "suite.ini").string());
}

// A stray CR inside a line once became part of an option's name, which the writer then
// refused, so the options could not be saved at all.
TEST_F(DisplayOptionsTest, OptionsReadFromAnyFileCanBeSavedAgain) {
    WriteFile(dir / "suite.ini", "[Browser Part Options]\r\nNumber=2\r\n1=Library,-1\r"
                                 "2=Description,0\r\n"
                                 "[Browser Symbol Options]\r\nNumber=1\r\n1=Sym\rbol,-1\r\n");
    LoadDisplayOptions(options, services);
    EXPECT_EQ(EntriesOf(LibraryKind::Part), (Options{{-1, "Library"}, {0, "Description"}}));
    ASSERT_TRUE(SaveDisplayOptions(options, services));
    EXPECT_TRUE(boxes.shown.empty());
    DisplayOptions loaded;
    LoadDisplayOptions(loaded, services);
    for (LibraryKind kind :
         {LibraryKind::Part, LibraryKind::Symbol, LibraryKind::Package, LibraryKind::Padstack})
        EXPECT_EQ(loaded.Table(kind), options.Table(kind));
}

TEST_F(DisplayOptionsTest, ASaveThatCannotBeCompletedChangesNothing) {
    WriteFile(dir / "suite.ini", "[Browser Part Options]\r\nNumber=1\r\n1=Library,-1\r\n");
    options.Table(LibraryKind::Part) = {{}, {0, "Library"}, {-1, "Description"}};
    options.Table(LibraryKind::Symbol) = {{}, {-1, "Two\nLines"}};
    EXPECT_FALSE(SaveDisplayOptions(options, services));
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(ReadFile(dir / "suite.ini"), "[Browser Part Options]\r\nNumber=1\r\n1=Library,-1\r\n")
        << "no kind is saved when one cannot be";
}

} // namespace
} // namespace k2k
