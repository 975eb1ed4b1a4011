#include "support/SmallSuite.h"
#include "support/TestSupport.h"
#include "support/ToolRun.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace k2k {
namespace {

using test::RunK2klib;

class K2klibSearchTest : public test::SmallSuiteTest {
protected:
    test::ToolRun Search(std::vector<std::string> args) {
        args.insert(args.begin(), {"search", "--suite", m_dir.Path().string()});
        return RunK2klib(args);
    }
};

// The saved list holds the columns the suite's display options show, as the window's does;
// TSV every column.
TEST_F(K2klibSearchTest, SavedListLinesShowTheSuitesColumnsAndTsvHasAHeader) {
    auto run = Search({"--name", "74ls0*"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "1)  74LS00\tA.PART\r\n2)  74LS02\tA.PART\r\n")
        << "without options the first column is shown";
    EXPECT_NE(run.err.find("MISSING.PART not found"), std::string::npos) << run.err;

    test::WriteFile(m_dir / "suite.ini",
                    "[Kalde2K]\r\nLibDir=LIB\r\n[Browser Part Options]\r\nNumber=4\r\n"
                    "1=Library,0\r\n2=Description,-1\r\n3=Symbols,0\r\n4=Package,1\r\n");
    run = Search({"--name", "74ls0*"});
    EXPECT_EQ(run.out, "1)  74LS00\tQuad NAND\tDIP14\r\n2)  74LS02\tQuad NOR\tDIP14\r\n");

    const auto tsv = Search({"--kind", "symbol", "--name", "*", "--format", "tsv"});
    ASSERT_EQ(tsv.status, 0) << tsv.err;
    EXPECT_EQ(tsv.out, "status\tname\tLibrary\tDescription\tSymbol Type\tSimulation Function\t"
                       "Simulation References\tKeywords\tDatasheet\tReference\n"
                       "6\t7400\tLOGIC.SYMBOL\tNAND\tDigital,Gates\t7\t\t\t\t\n"
                       "0\tOPAMP\tLOGIC.SYMBOL\tOp amp\tAnalog\t-12\tX\\LM741\\library\t\t\t\n");
}

TEST_F(K2klibSearchTest, OptionsAreTheCriteriaOfTheKind) {
    auto run = Search({"--name", "X", "--description", "*nor", "--format", "tsv"});
    EXPECT_NE(run.out.find("\t74LS02\t"), std::string::npos) << run.out;
    run =
        Search({"--name", "*", "--description", "*nor", "--all-conditions", "--library", "B.PART"});
    EXPECT_EQ(run.out, "") << "all conditions, in B.PART only";
    run = Search({"--name", "74ls00", "--match-case"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
    run = Search({"--name", "7400", "--numeric", "--format", "tsv"});
    EXPECT_NE(run.out.find("SN74LS00N"), std::string::npos) << run.out;
    run = Search({"--name", "*", "--library", "[PROJECT LIBRARY]", "--format", "tsv"});
    EXPECT_NE(run.out.find("2\tSPARE\tProject Library"), std::string::npos) << run.out;
}

TEST_F(K2klibSearchTest, AliasesAndPartsUsingASymbolOrPackage) {
    auto run = Search({"--aliases-of", "74LS00", "--format", "tsv"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("\t74HC00\t"), std::string::npos);
    EXPECT_NE(run.out.find("\t74HCT00\t"), std::string::npos);
    EXPECT_EQ(run.out.find("\t74LS00\t"), std::string::npos) << "the part itself is skipped";
    run = Search({"--used-by-symbol", "OPAMP", "--library", "B.PART", "--format", "tsv"});
    EXPECT_NE(run.out.find("\tLM358\t"), std::string::npos);
    EXPECT_EQ(run.out.find("\tLM741\t"), std::string::npos) << "the named library only";
    run = Search({"--aliases-of", "NOSUCH"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("no part named NOSUCH"), std::string::npos);
}

TEST_F(K2klibSearchTest, BadInputIsRefusedWithTheRightStatus) {
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* message;
    };
    const Case cases[] = {
        {{"--name", ""}, 1, "Name Field Empty"},
        {{"--name", "[Z-A]"}, 1, "runs backwards"},
        {{"--kind", "package", "--name", "*", "--manufacturer", "x"},
         2,
         "--manufacturer: is not a criterion of packages"},
        {{"--kind", "symbol", "--used-by-symbol", "7400"}, 2, "use them with --kind part"},
        {{"--kind", "screw", "--name", "*"}, 2, "screw"},
        {{"--description", "x"}, 2, "--name"},
        {{"--name", "*", "--format", "xml"}, 2, "xml"},
        {{"--aliases-of", "A", "--used-by-package", "B"}, 2, "excludes"},
    };
    for (const Case& c : cases) {
        const auto run = Search(c.args);
        EXPECT_EQ(run.status, c.status) << c.args.back();
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
    const auto notSuite = RunK2klib({"search", "--suite", "/nonexistent", "--name", "*"});
    EXPECT_EQ(notSuite.status, 1);
}

TEST_F(K2klibSearchTest, ALibraryThatIsNotARegularFileIsMissingAndNeverBlocks) {
    // A FIFO that nothing writes to would block an ordinary open for ever.
    ASSERT_EQ(::mkfifo((m_dir / "LIB" / "MISSING.PART").c_str(), 0600), 0);
    std::filesystem::create_directory(m_dir / "LIB" / "LOGIC.SYMBOL.d");
    std::filesystem::remove(m_dir / "LIB" / "LOGIC.SYMBOL");
    std::filesystem::rename(m_dir / "LIB" / "LOGIC.SYMBOL.d", m_dir / "LIB" / "LOGIC.SYMBOL");

    const auto run = Search({"--name", "*", "--format", "tsv"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("MISSING.PART not found"), std::string::npos) << run.err;
    EXPECT_NE(run.out.find("\tLM358\t"), std::string::npos) << "the walk goes on";
    const auto symbols = Search({"--kind", "symbol", "--name", "*"});
    EXPECT_NE(symbols.err.find("LOGIC.SYMBOL not found"), std::string::npos) << symbols.err;

    const auto catalogue = RunK2klib({"catalogue", "--suite", m_dir.Path().string(), "--contents"});
    ASSERT_EQ(catalogue.status, 0) << catalogue.err;
    for (const char* name : {"MISSING.PART", "LOGIC.SYMBOL"}) {
        const auto at = catalogue.out.find(name);
        ASSERT_NE(at, std::string::npos) << catalogue.out;
        EXPECT_EQ(catalogue.out.substr(catalogue.out.find('\n', at) - 7, 7), "missing")
            << catalogue.out;
    }
    EXPECT_NE(catalogue.out.find("(not found)"), std::string::npos) << catalogue.out;

    const auto list = RunK2klib({"list", (m_dir / "LIB" / "MISSING.PART").string()});
    EXPECT_EQ(list.status, 1);
    EXPECT_NE(list.err.find("not a regular file"), std::string::npos) << list.err;
}

// Names of the lines of an output, the header line skipped: the text from the start (TSV:
// from the first TAB; a saved list: from its ")  ") to the next TAB or line end.
std::vector<std::string> NamesOf(const std::string& out, bool tsv) {
    std::vector<std::string> names;
    std::size_t line = tsv ? out.find('\n') + 1 : 0;
    while (line < out.size()) {
        const std::size_t end = out.find('\n', line);
        const std::size_t from = tsv ? out.find('\t', line) + 1 : out.find(")  ", line) + 3;
        names.push_back(out.substr(from, out.find_first_of("\t\r\n", from) - from));
        line = end + 1;
    }
    return names;
}

// TSV lines are printed while the search still runs, a batch at a time: every result once,
// in the order of the result list, which the saved list shows, after one header line, and
// with the texts turned into UTF-8 in every batch.
TEST(K2klibSearchStreamTest, ThePrintedLinesAreTheResultListInOrder) {
    test::TempDir suite;
    const std::string path = suite.Path().string();
    const auto generated = RunK2klib(
        {"generate", "--suite", path, "--kind", "part", "--objects", "12000", "--libraries", "3"});
    ASSERT_EQ(generated.status, 0) << generated.err;
    const auto tsv = RunK2klib({"search", "--suite", path, "--name", "*", "--format", "tsv"});
    ASSERT_EQ(tsv.status, 0) << tsv.err;
    const auto saved = RunK2klib({"search", "--suite", path, "--name", "*"});
    ASSERT_EQ(saved.status, 0) << saved.err;

    ASSERT_EQ(tsv.out.rfind("status\tname\t", 0), 0u) << "the header comes first";
    EXPECT_EQ(tsv.out.find("status\tname\t", 1), std::string::npos) << "and only once";
    const std::vector<std::string> names = NamesOf(tsv.out, true);
    EXPECT_EQ(names.size(), 12000u);
    EXPECT_EQ(names, NamesOf(saved.out, false));
    // The crystals' tolerance, "\xB1" in the library, throughout the output.
    EXPECT_NE(tsv.out.find("\xC2\xB1"), std::string::npos);
    const auto count = [&](std::string_view text) {
        std::size_t n = 0;
        for (std::size_t at = tsv.out.find(text); at != std::string::npos;
             at = tsv.out.find(text, at + 1))
            ++n;
        return n;
    };
    EXPECT_EQ(count("\xB1"), count("\xC2\xB1")) << "every one turned into UTF-8";
}

} // namespace
} // namespace k2k
