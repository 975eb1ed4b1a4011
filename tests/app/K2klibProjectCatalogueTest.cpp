#include "formats/LibraryFile.h"
#include "formats/StoredTexts.h"
#include "platform/Kernel.h"
#include "search/InfoText.h"
#include "support/TestSupport.h"
#include "support/ToolRun.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

using test::RunK2klib;
using test::WriteFile;

class K2klibProjectTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteFile(source / "parts.csv", "name,package,description,symbols\n"
                                        "74LS00,DIP14,Quad NAND,\"7400,PWR2\"\n"
                                        "LM741,DIP8,Op amp,OPAMP\n"
                                        "SPARE,DIP8,Placed nowhere,OPAMP\n");
        WriteFile(source / "symbols.csv", "name,description\n7400,NAND\nPWR2,Power\nOPAMP,Amp\n"
                                          "HDR1X2,Header symbol\n");
        WriteFile(source / "packages.csv", "name,description\nDIP14,DIL 14\nDIP8,DIL 8\n"
                                           "HDR1X2,Header package\n");
        WriteFile(source / "padstacks.csv", "name,padstack_shape\nPAD60R,Round\n");
        WriteFile(source / "hierarchies.csv", "name\nTOP\nAMP\n");
        WriteFile(source / "pages.csv", "hierarchy,name\nTOP,Sheet 1\nAMP,Sheet 1\n");
        WriteFile(source / "components.csv", "hierarchy,editor,reference,part,uses\n"
                                             "TOP,schematic,U1,74LS00,\"7400,PWR2\"\n"
                                             "TOP,layout,U1,74LS00,\"DIP14,PAD60R\"\n"
                                             "AMP,schematic,U2,LM741,OPAMP\n"
                                             "AMP,layout,J1,,HDR1X2\n");
    }

    test::TempDir dir;
    std::filesystem::path source = dir / "DEMO";
    std::filesystem::path project = dir / "DEMO.K2K";
};

TEST_F(K2klibProjectTest, BuildsAProjectTheKernelOpens) {
    const auto run = RunK2klib({"project", source.string(), project.string()});
    ASSERT_EQ(run.status, 0) << run.err;

    Kernel kernel;
    ASSERT_TRUE(test::Done(kernel.OpenProject(dir.SuitePath() + "\\DEMO.K2K")));
    EXPECT_EQ(kernel.O_GetName(kernel.DB_DataBase()), "DEMO");
    int cursor = kernel.OM_GetFirst(kernel.DB_DeviceMap());
    const int lm741 = kernel.OM_SearchName(kernel.DB_DeviceMap(), cursor, "LM741");
    ASSERT_GT(lm741, 0);
    DeviceRecord record;
    ASSERT_NE(kernel.D_ReadDevice(lm741, record), 0);
    EXPECT_EQ(SplitPartInfo(record.info).description, "Op amp");

    // The header is a package on the layout, and the symbol of the same name stays apart.
    cursor = kernel.OM_GetFirst(kernel.DB_SymbMap());
    const int headerPackage = kernel.OM_SearchNameMask(kernel.DB_SymbMap(), cursor, "HDR1X2", 2, 2);
    ASSERT_GT(headerPackage, 0);
    ASSERT_NE(kernel.DB_SetCurHier(2), 0);
    cursor = 0;
    EXPECT_GT(kernel.L_SearchSymbol(cursor, headerPackage), 0);
    cursor = 0;
    EXPECT_EQ(kernel.L_SearchDevice(cursor, lm741), 0) << "LM741 is only on the schematic";
    cursor = 0;
    EXPECT_GT(kernel.C_SearchDevice(cursor, lm741), 0);
}

TEST_F(K2klibProjectTest, BadSourcesNameFileAndLineAndWriteNothing) {
    struct Case {
        const char* file;
        std::string text;
        std::string message;
    };
    const std::string longName(kMaxNameLength + 1, 'N');
    const Case cases[] = {
        {"pages.csv", "hierarchy,name\nNOWHERE,Sheet\n",
         "pages.csv:2: unknown hierarchy \"NOWHERE\""},
        {"components.csv", "hierarchy,editor,reference,part,uses\nTOP,schematic,U9,NOPE,\n",
         "components.csv:2: unknown part \"NOPE\""},
        {"components.csv", "hierarchy,editor,reference,part,uses\nTOP,schematic,U9,LM741,DIP8\n",
         "components.csv:2: \"DIP8\" is not a symbol of the project"},
        {"components.csv", "hierarchy,editor,reference,part,uses\nTOP,board,U9,LM741,\n",
         "components.csv:2: editor \"board\" is neither schematic nor layout"},
        {"components.csv", "hierarchy,editor,part\nTOP,layout,LM741,extra\n",
         "components.csv:2: the row has 4 fields"},
        {"hierarchies.csv", "name\n", "hierarchies.csv: a project needs at least one hierarchy"},
        {"parts.csv", "name,package\nX,DIP 8\n", "parts.csv:2:"},
        // Names no store takes.
        {"hierarchies.csv", "name\nTOP\n" + longName + "\n",
         "hierarchies.csv:3: hierarchy \"" + longName + "\": the name is 256 bytes long"},
        {"pages.csv", "hierarchy,name\nTOP,\" \"\n", "pages.csv:2: page \"\": the name is empty"},
        {"components.csv",
         "hierarchy,editor,reference,part,uses\nTOP,schematic," + longName + ",LM741,\n",
         "components.csv:2: component \"" + longName + "\": the name is 256 bytes long"},
        {"components.csv",
         "hierarchy,editor,reference,part,uses\nTOP,schematic,U1,,\nTOP,schematic,U1,,\n",
         "components.csv:3: component \"U1\": placed twice in schematic of TOP"},
        {"symbols.csv", "name\n" + std::string(1 << 20, 'S') + "\n",
         "symbols.csv:2: symbol \"SSSS"},
    };
    for (const Case& c : cases) {
        SetUp();
        WriteFile(source / c.file, c.text);
        const auto run = RunK2klib({"project", source.string(), project.string()});
        EXPECT_EQ(run.status, 1) << c.file << ": " << c.text;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err.substr(0, 1000);
        EXPECT_LT(run.err.size(), 1000u) << "a name of megabytes is shown cut short";
        EXPECT_FALSE(std::filesystem::exists(project)) << c.text;
    }
    EXPECT_EQ(RunK2klib({"project", (dir / "missing").string(), project.string()}).status, 2);
}

TEST(K2klibCatalogueTest, ShowsEachKindInSearchOrderWithMissingAndUnlistedLibraries) {
    test::TempDir suite;
    WriteFile(suite / "suite.ini", "[Kalde2K]\r\nLibDir=LIB\r\n");
    WriteFile(suite / "kalde2000.ini",
              "[DEVLIBS]\r\n1=B.PART\r\n2= A.PART\r\n3=GONE.PART\r\n[LAYLIBS]\r\n1=P.PACKAGE\r\n");
    std::filesystem::create_directory(suite / "LIB");
    ASSERT_TRUE(test::Done(WriteLibrary(suite / "LIB" / "A.PART", LibraryKind::Part,
                                        {{"7400", ComposePartInfo("DIP14", {"Quad NAND"}), ""}})));
    ASSERT_TRUE(test::Done(WriteLibrary(suite / "LIB" / "B.PART", LibraryKind::Part, {})));
    ASSERT_TRUE(test::Done(WriteLibrary(suite / "LIB" / "EXTRA.PART", LibraryKind::Part, {})));
    ASSERT_TRUE(
        test::Done(WriteLibrary(suite / "LIB" / "P.PACKAGE", LibraryKind::Package,
                                {{"DIP14", ComposeInfo({"DIL", "PMD,DIP", "MS-001"}), ""}})));

    const auto run = RunK2klib({"catalogue", "--suite", suite.Path().string(), "--contents"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto at = [&](std::string_view text) { return run.out.find(text); };
    const auto lineOf = [&](std::string_view text) {
        const auto start = run.out.rfind('\n', at(text)) + 1;
        return run.out.substr(start, run.out.find('\n', start) - start);
    };
    EXPECT_LT(at("1  B.PART"), at("2  A.PART"));
    EXPECT_TRUE(lineOf("A.PART").ends_with(" 1 object")) << run.out;
    EXPECT_TRUE(lineOf("B.PART").ends_with(" 0 objects")) << run.out;
    EXPECT_TRUE(lineOf("GONE.PART").ends_with(" missing")) << run.out;
    EXPECT_NE(at("-  EXTRA.PART"), std::string::npos) << run.out;
    EXPECT_NE(at("7400\tDIP14\tQuad NAND"), std::string::npos) << run.out;
    EXPECT_NE(at("DIP14\tDIL\tPMD,DIP\tMS-001"), std::string::npos) << run.out;
    EXPECT_NE(run.err.find("GONE.PART not found"), std::string::npos) << run.err;

    const auto notSuite = RunK2klib({"catalogue", "--suite", (suite / "LIB").string()});
    EXPECT_EQ(notSuite.status, 1);
    EXPECT_NE(notSuite.err.find("has no suite.ini"), std::string::npos) << notSuite.err;
}

} // namespace
} // namespace k2k
