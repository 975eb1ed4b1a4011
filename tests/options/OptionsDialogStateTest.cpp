#include "options/OptionsDialogState.h"

#include "platform/SuiteServices.h"
#include "platform/UserSettings.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace k2k {
namespace {

using test::ReadFile;
using test::WriteFile;
using Items = OptionItems;

// The dialog's rules on real stores: directory settings in suite.ini and a per-user
// settings folder of the test's own.
class OptionsDialogStateTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteFile(dir / "suite.ini", "[Browser Part Options]\r\nNumber=3\r\n"
                                     "1=Library,-1\r\n2=Description,0\r\n3=Symbols,2\r\n");
        LoadDisplayOptions(tables, services);
    }

    OptionsConfirmed Confirm(int mode, const OptionsDialogState& state) {
        return ConfirmOptions(mode, state, tables, general, services, settings);
    }

    test::TempDir dir;
    test::RecordingMessageBoxes boxes;
    SuiteServices services{dir / "suite.ini", boxes};
    UserSettings settings{dir / "user"};
    DisplayOptions tables;
    GeneralOptions general;
};

TEST_F(OptionsDialogStateTest, ListsNameEveryEntryAndSelectTheShownOnes) {
    const OptionsDialogState state(tables, general);
    EXPECT_EQ(state.Items(LibraryKind::Part),
              (Items{{"Library", true}, {"Description", false}, {"Symbols", true}}))
        << "any value but 0 counts as shown";
    // No stored settings: one option, "Undefined", shown.
    for (LibraryKind kind : {LibraryKind::Symbol, LibraryKind::Package, LibraryKind::Padstack})
        EXPECT_EQ(state.Items(kind), (Items{{"Undefined", true}}));
    EXPECT_EQ(state.GeneralRows(), (std::vector<GeneralRow>{{"Fit Column Widths", "1"}}));
    EXPECT_FALSE(state.DiffersFrom(tables, general));
}

// A table written before the suite kept keywords names every package column but that one:
// the dialog offers it, unchosen, and leaving it so is no change; choosing it stores it.
TEST_F(OptionsDialogStateTest, ColumnsNewerThanAStoredTableAreOfferedUnchosen) {
    tables.Table(LibraryKind::Package) = {
        {}, {-1, "Library"}, {-1, "Description"}, {0, "Package Type"}, {-1, "JEDEC Name"}};
    OptionsDialogState state(tables, general);
    EXPECT_EQ(state.Items(LibraryKind::Package), (Items{{"Library", true},
                                                        {"Description", true},
                                                        {"Package Type", false},
                                                        {"JEDEC Name", true},
                                                        {"Keywords", false}}));
    EXPECT_FALSE(state.DiffersFrom(tables, general));
    EXPECT_EQ(state.Items(LibraryKind::Part).size(), 3u) << "a shorter table is not filled up";

    state.Items(LibraryKind::Package)[4].selected = true;
    EXPECT_EQ(Confirm(kOptionsEditMode, state), OptionsConfirmed::Changed);
    EXPECT_NE(ReadFile(dir / "suite.ini").find("Number=5\r\n"), std::string::npos);
    EXPECT_NE(ReadFile(dir / "suite.ini").find("5=Keywords,-1\r\n"), std::string::npos);
}

// Shown is stored as -1 and hidden as 0. Confirming without a change reports none, although
// a stored 2 is written back as -1: both are shown. A higher mode confirms as the edit mode.
TEST_F(OptionsDialogStateTest, OkStoresShownAsMinusOneAndReportsOnlyRealChanges) {
    EXPECT_EQ(Confirm(kOptionsEditMode + 1, OptionsDialogState(tables, general)),
              OptionsConfirmed::Unchanged);
    EXPECT_NE(ReadFile(dir / "suite.ini").find("3=Symbols,-1\r\n"), std::string::npos);

    OptionsDialogState state(tables, general);
    state.Items(LibraryKind::Part)[1].selected = true;  // Description on
    state.Items(LibraryKind::Part)[0].selected = false; // Library off
    EXPECT_EQ(Confirm(kOptionsEditMode, state), OptionsConfirmed::Changed);

    const std::string stored = ReadFile(dir / "suite.ini");
    EXPECT_NE(stored.find("1=Library,0\r\n2=Description,-1\r\n3=Symbols,-1\r\n"), std::string::npos)
        << stored;
    EXPECT_EQ(EnabledColumns(tables, LibraryKind::Part),
              (std::vector<DisplayColumn>{{2, "Description"}, {3, "Symbols"}}))
        << "the shared tables change at once";
    DisplayOptions nextRun;
    LoadDisplayOptions(nextRun, services);
    EXPECT_EQ(EnabledColumns(nextRun, LibraryKind::Part), EnabledColumns(tables, LibraryKind::Part))
        << "the -1 form reads back as shown";
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(OptionsDialogStateTest, OkBelowTheEditModeShowsItsErrorAndStoresNothing) {
    const std::string before = ReadFile(dir / "suite.ini");
    OptionsDialogState state(tables, general);
    state.Items(LibraryKind::Part)[1].selected = true;
    state.GeneralRows()[0].value = "0";
    for (int mode : {0, -1}) {
        EXPECT_EQ(Confirm(mode, state), OptionsConfirmed::Refused);
        EXPECT_EQ(ReadFile(dir / "suite.ini"), before);
        EXPECT_FALSE(std::filesystem::exists(dir / "user"));
        EXPECT_EQ(tables.Table(LibraryKind::Part)[2].Value, 0);
        EXPECT_EQ(general.fitColumnWidths, 1);
    }
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[1].text, "Library Browser Options Error ");
    EXPECT_EQ(boxes.shown[1].icon, MsgIcon::Exclamation);
}

// Every difference a list or the General grid can hold counts as a change.
TEST_F(OptionsDialogStateTest, AnyDifferenceCountsAsAChange) {
    const auto differs = [this](void (*edit)(OptionsDialogState&)) {
        OptionsDialogState state(tables, general);
        edit(state);
        return state.DiffersFrom(tables, general);
    };
    EXPECT_TRUE(differs([](auto& s) { s.Items(LibraryKind::Padstack)[0].selected = false; }))
        << "a selection on another tab";
    EXPECT_TRUE(differs([](auto& s) { s.Items(LibraryKind::Part)[2].name = "Symbol"; }));
    EXPECT_TRUE(differs([](auto& s) {
        s.Items(LibraryKind::Symbol).push_back({"Library", false});
    }));
    EXPECT_TRUE(differs([](auto& s) { s.GeneralRows()[0].value = "0"; }));
    OptionsDialogState same(tables, general);
    same.GeneralRows()[0].value = " 1.0";
    EXPECT_FALSE(same.DiffersFrom(tables, general)) << "the General value counts as its number";
}

TEST_F(OptionsDialogStateTest, GeneralOptionsAreKeptPerUser) {
    OptionsDialogState state(tables, general);
    state.GeneralRows()[0].value = "0";
    EXPECT_EQ(Confirm(kOptionsEditMode, state), OptionsConfirmed::Changed);
    EXPECT_EQ(LoadGeneralOptions(settings).fitColumnWidths, 0);
    EXPECT_EQ(LoadGeneralOptions(UserSettings(dir / "nobody")).fitColumnWidths, 1)
        << "a user without settings gets the default";

    // A store that cannot be written is reported; the choice lasts for the run.
    WriteFile(dir / "file", "");
    UserSettings unwritable(dir / "file" / "below");
    state.GeneralRows()[0].value = "1";
    EXPECT_EQ(ConfirmOptions(kOptionsEditMode, state, tables, general, services, unwritable),
              OptionsConfirmed::Changed);
    EXPECT_EQ(general.fitColumnWidths, 1);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text.rfind("Can't create/write to file: ", 0), 0u)
        << boxes.shown[0].text;
}

} // namespace
} // namespace k2k
