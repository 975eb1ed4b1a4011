#include "browser/ViewCommands.h"

#include "platform/Kernel.h"
#include "platform/SuiteServices.h"
#include "search/InfoText.h"
#include "search/LibraryCatalogue.h"
#include "search/ResultList.h"
#include "services/AppMessages.h"
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

    using T = ViewTarget;
    EXPECT_EQ(ViewTargetOf(ResultTool::ViewSymbol, parts, 1, false),
              (T{LibraryKind::Symbol, "7400"}))
        << "two symbols view the first";
    EXPECT_EQ(ViewTargetOf(ResultTool::ViewSymbol, parts, 2, false),
              (T{LibraryKind::Symbol, "OPAMP"}));
    EXPECT_EQ(ViewTargetOf(ResultTool::ViewPackage, parts, 1, false),
              (T{LibraryKind::Package, "DIP14"}));
    EXPECT_EQ(ViewTargetOf(ResultTool::ViewSymbol, symbols, 1, false),
              (T{LibraryKind::Symbol, "7400"}));
    EXPECT_EQ(ViewTargetOf(ResultTool::ViewSymbol, parts, 0, false), std::nullopt) << "no focus";
    EXPECT_EQ(ViewTargetOf(ResultTool::ViewPackage, symbols, 1, false), std::nullopt)
        << "a symbol names no package";
    EXPECT_EQ(ViewTargetOf(ResultTool::ViewPadstack, parts, 1, false), std::nullopt)
        << "a part names no padstack";
    EXPECT_EQ(ViewTargetOf(ResultTool::EditPart, parts, 1, false), std::nullopt);
    EXPECT_EQ(ViewTargetOf(ResultTool::ViewSymbol, parts, 1, true), std::nullopt)
        << "a one-row tool does not run on a selection of several rows";
    EXPECT_EQ(ViewTargetOf(ResultTool::ViewSymbolGroup, symbols, 0, true, " PWR2 "),
              (ViewTarget{LibraryKind::Symbol, "PWR2"}))
        << "the symbol-groups tool views its caption, whatever the selection";
}

TEST(ViewerNotificationTest, NamesTheViewerAndLibraryAndLabelsTheInfoFields) {
    EXPECT_EQ(ViewerNotification(LibraryKind::Symbol, "Project library"),
              "K2KSMBVIEWER,LIB,Project library");
    EXPECT_EQ(ViewerNotification(LibraryKind::Padstack, "\\LIB\\T.PADSTACK"),
              "K2KPSTACKVIEWER,LIB,\\LIB\\T.PADSTACK,");

    const auto fields = ViewerInfoFields(LibraryKind::Package, ComposeInfo({"DIL 14", "DIP"}));
    ASSERT_EQ(fields.size(), 3u);
    EXPECT_EQ(fields[0], (std::pair<std::string, std::string>{"Description", "DIL 14"}));
    EXPECT_EQ(fields[2], (std::pair<std::string, std::string>{"JEDEC Name", ""}));

    // The fields designers find objects by follow, where the object has them.
    const auto symbol = ViewerInfoFields(
        LibraryKind::Symbol, ComposeInfo({"Op amp", "", "", ""}, {"opamp,dual", "", "U"}));
    ASSERT_EQ(symbol.size(), 6u);
    EXPECT_EQ(symbol[4], (std::pair<std::string, std::string>{"Keywords", "opamp,dual"}));
    EXPECT_EQ(symbol[5], (std::pair<std::string, std::string>{"Reference", "U"}));
    EXPECT_EQ(
        ViewerInfoFields(LibraryKind::Package, ComposeInfo({"SO", "", "MS-012"}, {"soic"})).back(),
        (std::pair<std::string, std::string>{"Keywords", "soic"}));
}

using ViewOrReportTest = test::OpenedSmallSuiteTest;

TEST_F(ViewOrReportTest, AnObjectNoLibraryHoldsGivesMessageSixWithItsName) {
    LibraryLookup lookup(m_kernel, m_services, m_catalogue, m_libraryDir);

    EXPECT_FALSE(ViewOrReport(lookup, m_services, {LibraryKind::Symbol, "NOSUCH"}));
    EXPECT_EQ(m_boxes.Texts(), std::vector<std::string>{"Can't find Symbol/Package: NOSUCH"});

    const auto found = ViewOrReport(lookup, m_services, {LibraryKind::Symbol, "OPAMP"});
    ASSERT_TRUE(found);
    EXPECT_EQ(found->library, m_libraryDir + "\\LOGIC.SYMBOL");
    EXPECT_EQ(m_boxes.shown.size(), 1u);
}

TEST(HandleViewerNoticeTest, ShutdownReleasesAndOtherRequestsGoToRunningApplications) {
    Kernel kernel;
    std::vector<std::string> sent;
    AppMessages messages(kernel, [&](const std::string& aname, const std::string& command) {
        sent.push_back(aname + "|" + command);
    });
    EXPECT_EQ(HandleViewerNotice(messages, "k2kSmbViewer", "SHUTDOWN"), LibraryKind::Symbol);
    EXPECT_EQ(HandleViewerNotice(messages, "K2KPSTACKVIEWER", "SHUTDOWN"), LibraryKind::Padstack);
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
