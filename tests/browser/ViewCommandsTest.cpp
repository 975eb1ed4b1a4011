#include "browser/ViewCommands.h"

#include "host/AppMessages.h"
#include "platform/Kernel.h"
#include "platform/SuiteServices.h"
#include "search/InfoText.h"
#include "search/LibraryCatalogue.h"
#include "search/SearchResults.h"
#include "support/SmallSuite.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

using test::PartInfo;

TEST(ViewTargetTest, EachToolViewsTheFirstNameOfItsField) {
    ResultList parts(LibraryKind::Part);
    parts.Append("A.PART", "74LS00", PartInfo("DIP14 ", "Quad NAND", " 7400 , PWR2"), 0, 0);
    parts.Append("A.PART", "LM741", PartInfo("DIP8", "Op amp", "OPAMP"), 0, 0);
    ResultList symbols(LibraryKind::Symbol);
    symbols.Append("LOGIC.SYMBOL", " 7400,X ", "", 0, 0);
    ResultList padstacks(LibraryKind::Padstack);
    padstacks.Append("T.PADSTACK", "PAD60R", "", 0, 0);

    struct Row {
        const char* name;
        const char* tool;
        const ResultList& results;
        int focused;
        std::optional<ViewTarget> expected;
    };
    const Row rows[] = {
        {"two symbols view the first", "ATB_PartViewSymbol", parts, 1,
         ViewTarget{LibraryKind::Symbol, "7400"}},
        {"tool names in any case", "atb_partviewsymbol", parts, 2,
         ViewTarget{LibraryKind::Symbol, "OPAMP"}},
        {"a part's package", "ATB_PartViewPackage", parts, 1,
         ViewTarget{LibraryKind::Package, "DIP14"}},
        {"a symbol row's text", "ATB_SymViewSymbol", symbols, 1,
         ViewTarget{LibraryKind::Symbol, "7400"}},
        {"a padstack row", "ATB_PadViewPadstack", padstacks, 1,
         ViewTarget{LibraryKind::Padstack, "PAD60R"}},
        {"no focused row", "ATB_PartViewSymbol", parts, 0, std::nullopt},
        {"a tool of another list", "ATB_PkgViewPackage", parts, 1, std::nullopt},
        {"not a view tool", "ATB_EditPart", parts, 1, std::nullopt},
    };
    for (const Row& row : rows)
        EXPECT_EQ(ViewTargetOf(row.tool, row.results, row.focused, false), row.expected)
            << row.name;

    EXPECT_EQ(ViewTargetOf("ATB_PartViewSymbol", parts, 1, true), std::nullopt)
        << "a one-row tool does not run on a selection of several rows";
    ResultList empty(LibraryKind::Part);
    EXPECT_EQ(ViewTargetOf("ATB_PartViewSymbol", empty, 1, false), std::nullopt);
    EXPECT_EQ(ViewTargetOf("ATB_PARTVIEWSYMBOLGROUPS", empty, 0, true, " PWR2 "),
              (ViewTarget{LibraryKind::Symbol, "PWR2"}))
        << "the symbol-groups tool views its caption, whatever the selection";
}

TEST(ViewerNotificationTest, NamesTheViewerAndTheLibraryAndThePadstacksEndsWithAComma) {
    EXPECT_EQ(ViewerNotification(LibraryKind::Symbol, "Project library"),
              "K2KSMBVIEWER,LIB,Project library");
    EXPECT_EQ(ViewerNotification(LibraryKind::Package, "\\LIB\\P.PACKAGE"),
              "K2KPACKAGEVIEWER,LIB,\\LIB\\P.PACKAGE");
    EXPECT_EQ(ViewerNotification(LibraryKind::Padstack, "\\LIB\\T.PADSTACK"),
              "K2KPSTACKVIEWER,LIB,\\LIB\\T.PADSTACK,");
}

TEST(ViewerInfoFieldsTest, LabelsEachFieldOfTheKind) {
    const auto fields = ViewerInfoFields(LibraryKind::Package, ComposeInfo({"DIL 14", "DIP"}));
    ASSERT_EQ(fields.size(), 3u);
    EXPECT_EQ(fields[0], (std::pair<std::string, std::string>{"Description", "DIL 14"}));
    EXPECT_EQ(fields[1].second, "DIP");
    EXPECT_EQ(fields[2], (std::pair<std::string, std::string>{"JEDEC Name", ""}));
    EXPECT_EQ(ViewerInfoFields(LibraryKind::Symbol, "").size(), 4u);
}

TEST(ViewOrReportTest, AnObjectNoLibraryHoldsGivesMessageSixWithItsName) {
    test::TempDir dir;
    test::WriteSmallSuite(dir.Path());
    test::RecordingMessageBoxes boxes;
    SuiteServices services(dir / "suite.ini", boxes);
    services.SetIniFile(dir.SuitePath() + "\\kalde2000.ini");
    LibraryCatalogue catalogue;
    catalogue.Load(services);
    const std::string libraryDir = dir.SuitePath() + "\\LIB";
    Kernel kernel;
    ASSERT_TRUE(kernel.OpenProject(dir.SuitePath() + "\\DEMO.K2K"));
    LibraryLookup lookup(kernel, services, catalogue, libraryDir);

    EXPECT_FALSE(ViewOrReport(lookup, services, {LibraryKind::Symbol, "NOSUCH"}));
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Can't find Symbol/Package: NOSUCH"});

    const auto found = ViewOrReport(lookup, services, {LibraryKind::Symbol, "OPAMP"});
    ASSERT_TRUE(found);
    EXPECT_EQ(found->library, libraryDir + "\\LOGIC.SYMBOL");
    EXPECT_EQ(boxes.shown.size(), 1u);
}

TEST(HandleViewerNoticeTest, ShutdownReleasesAndOtherRequestsGoToRunningApplications) {
    Kernel kernel;
    std::vector<std::string> sent;
    AppMessages messages(kernel, [&](const std::string& aname, const std::string& command) {
        sent.push_back(aname + "|" + command);
    });
    EXPECT_EQ(HandleViewerNotice(messages, "k2kSmbViewer", "SHUTDOWN"), LibraryKind::Symbol);
    EXPECT_EQ(HandleViewerNotice(messages, "K2KPACKAGEVIEWER", "shutdown"), LibraryKind::Package);
    EXPECT_EQ(HandleViewerNotice(messages, "K2KPSTACKVIEWER", "SHUTDOWN"), LibraryKind::Padstack);
    EXPECT_EQ(HandleViewerNotice(messages, "K2KSCHED", "SHUTDOWN"), std::nullopt);
    EXPECT_EQ(HandleViewerNotice(messages, "K2KSCHED", "PLACE,7400"), std::nullopt);
    EXPECT_TRUE(sent.empty()) << "the schematic editor is not running";

    kernel.E_SetString("K2KSCHED", "Schematic,0,0,0,0");
    HandleViewerNotice(messages, "K2KSCHED", "PLACE,7400");
    HandleViewerNotice(messages, "K2KSCHED", "Shell,1,x");
    HandleViewerNotice(messages, "K2KSCHED", "All,UP");
    EXPECT_EQ(sent, std::vector<std::string>{"K2KSCHED|K2KSCHED,PLACE,7400"});
}

} // namespace
} // namespace k2k
