#include "Commands.h"

#include "formats/LibraryFile.h"
#include "support/TestSupport.h"
#include "support/ToolRun.h"
#include "system/FileLock.h"
#include "system/ReadLimits.h"

#include <gtest/gtest.h>

#include <sstream>
#include <sys/stat.h>

namespace k2k {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

class K2klibBuildListTest : public ::testing::Test {
protected:
    int Run(const std::vector<std::string>& args) {
        m_out.str({});
        m_err.str({});
        return cli::RunK2klib(args, m_out, m_err);
    }

    int Build(std::string_view kind, std::string_view csv, const std::filesystem::path& library) {
        WriteFile(m_source, csv);
        return Run({"build", "--kind", std::string(kind), m_source.string(), library.string()});
    }

    std::vector<std::string> FilesInDir() const { return test::FilesIn(m_dir.Path()); }

    TempDir m_dir;
    std::filesystem::path m_source = m_dir / "source.csv";
    std::ostringstream m_out;
    std::ostringstream m_err;
};

TEST_F(K2klibBuildListTest, BuiltLibrariesListAsTheirSourcesSaid) {
    const auto parts = m_dir / "TTL.PART";
    ASSERT_EQ(Build("part",
                    "name,package,description,manufacturer,symbols\n"
                    "7400,DIP14,Quad NAND,Acm\xC3\xA9,\"NAND,PWR\"\n"
                    "7404,SO14,Hex \xE2\x80\x9Cnot\xE2\x80\x9D,,\n",
                    parts),
              0)
        << m_err.str();
    EXPECT_EQ(m_out.str(), parts.string() + ": 2 parts\n");
    ASSERT_EQ(Run({"list", parts.string()}), 0) << m_err.str();
    EXPECT_EQ(m_out.str(), "signature: KaldeDLL20\nversion: 2\ncount: 2\nkind: part\n"
                           "7400\tDIP14\tQuad NAND\t\t\tAcm\xC3\xA9\t\t\t\t\t\tNAND,PWR\n"
                           "7404\tSO14\tHex \xE2\x80\x9Cnot\xE2\x80\x9D\t\t\t\t\t\t\t\t\t\n");
    EXPECT_EQ(m_err.str(), "");

    const auto symbols = m_dir / "GATES.SYMBOL";
    ASSERT_EQ(Build("symbol", "name,simulation_function,description\nNAND,LOGIC,Gate\n", symbols),
              0);
    ASSERT_EQ(Run({"list", symbols.string()}), 0);
    EXPECT_EQ(m_out.str(), "signature: KaldeSLL20\nversion: 2\ncount: 1\nkind: symbol\n"
                           "NAND\tGate\t\tLOGIC\t\n");

    const auto padstacks = m_dir / "PADS.PADSTACK";
    ASSERT_EQ(Build("padstack", "name,padstack_shape\nR60,round\n", padstacks), 0);
    ASSERT_EQ(Run({"list", padstacks.string()}), 0);
    EXPECT_EQ(m_out.str(), "signature: KaldeSLL20\nversion: 2\ncount: 1\nkind: padstack\n"
                           "R60\t\t\tround\n");

    // A header row alone makes an empty library, which lists as such.
    const auto empty = m_dir / "EMPTY.PACKAGE";
    ASSERT_EQ(Build("package", "name,jedec_name\n", empty), 0);
    ASSERT_EQ(Run({"list", empty.string()}), 0);
    EXPECT_EQ(m_out.str(), "signature: KaldeSLL20\nversion: 2\ncount: 0\nkind: package\n");
}

TEST_F(K2klibBuildListTest, UnreadableSourcesAndStrictBuildsWriteNothing) {
    const auto library = m_dir / "OUT.PART";
    // A source that cannot be read at all, and with --strict any bad row, leaves no file.
    const std::vector<std::tuple<std::string, bool, std::string>> sources = {
        {"name,colour\nA,red\n", false, ":1: unknown column \"colour\""},
        {"name\n\"A\n", false, ":2: malformed quoting"},
        {"", false, ": the file is empty"},
        {"name,package\nA,DIP14,extra\n", true, ":2: part \"A\": the row has 3 fields"},
        {"name,description\nA,\xC1\x81\n", true,
         ":2: part \"A\": column \"description\" holds the byte 0xC1, which is not UTF-8\n"},
        {"name,description\nA,\xED\xA0\x80\n", true,
         ":2: part \"A\": column \"description\" holds the byte 0xED, which is not UTF-8\n"},
        {"name\nA\nB\nA\n", true, ":4: part \"A\": the name is already used on line 2"},
    };
    for (const auto& [csv, strict, expected] : sources) {
        SCOPED_TRACE(csv);
        WriteFile(m_source, csv);
        std::vector<std::string> args = {"build", "--kind", "part"};
        if (strict)
            args.push_back("--strict");
        args.insert(args.end(), {m_source.string(), library.string()});
        EXPECT_EQ(Run(args), 1);
        EXPECT_EQ(m_err.str().rfind(m_source.string() + expected, 0), 0u) << m_err.str();
        EXPECT_EQ(m_out.str(), "");
        EXPECT_EQ(FilesInDir(), std::vector<std::string>{"source.csv"});
    }

    // An existing library stays as it was.
    ASSERT_EQ(Build("part", "name\nOLD\n", library), 0);
    const std::string before = ReadFile(library);
    WriteFile(m_source, "name\nNEW\nNEW\n");
    EXPECT_EQ(Run({"build", "--strict", "--kind", "part", m_source.string(), library.string()}), 1);
    EXPECT_NE(m_err.str().find("OUT.PART: not written: the source has 1 problem (--strict)"),
              std::string::npos)
        << m_err.str();
    EXPECT_EQ(ReadFile(library), before);
    EXPECT_EQ(FilesInDir(), (std::vector<std::string>{"OUT.PART", "source.csv"}));
    EXPECT_EQ(Run({"build", "--kind", "part", (m_dir / "missing.csv").string(), library.string()}),
              1);
    EXPECT_NE(m_err.str().find("missing.csv: cannot read the file"), std::string::npos);
    EXPECT_EQ(ReadFile(library), before);
    // Nor does a source that is no text file, nor one beyond what a source may be.
    for (const auto kind : test::NotATextFile::kKinds) {
        SCOPED_TRACE(test::NotATextFile::Name(kind));
        const test::NotATextFile source(m_dir / "odd.csv", kind, kCsvSourceLimit);
        using Kind = test::NotATextFile::Kind;
        const std::string why = kind == Kind::Folder      ? "Is a directory"
                                : kind == Kind::Oversized ? "larger than 512 MB"
                                                          : "not a regular file";
        EXPECT_EQ(Run({"build", "--kind", "part", (m_dir / "odd.csv").string(), library.string()}),
                  1);
        EXPECT_EQ(
            m_err.str().rfind((m_dir / "odd.csv").string() + ": cannot read the file: " + why, 0),
            0u)
            << m_err.str();
        EXPECT_EQ(ReadFile(library), before);
    }

    // Nor does a read-only library change, or one that another writer holds all the while.
    ::chmod(library.c_str(), 0444);
    EXPECT_EQ(Build("part", "name\nNEW\n", library), 1);
    EXPECT_NE(m_err.str().find("OUT.PART: the file is read-only"), std::string::npos)
        << m_err.str();
    ::chmod(library.c_str(), 0644);
    SetLockWait(std::chrono::milliseconds(50));
    {
        const test::LockHeldElsewhere held(library);
        EXPECT_EQ(Build("part", "name\nNEW\n", library), 1);
        EXPECT_NE(m_err.str().find("another program is changing it"), std::string::npos)
            << m_err.str();
    }
    SetLockWait(std::chrono::milliseconds(-1));
    EXPECT_EQ(ReadFile(library), before);

    // A good source replaces it.
    ASSERT_EQ(Build("part", "name\nNEW\n", library), 0);
    ASSERT_EQ(Run({"list", library.string()}), 0);
    EXPECT_NE(m_out.str().find("\nNEW\t"), std::string::npos);
    EXPECT_EQ(m_out.str().find("OLD"), std::string::npos);
}

// One bad character costs its row, not the library.
TEST_F(K2klibBuildListTest, BadRowsAreLeftOutAndListedAndTheRestIsBuilt) {
    const auto library = m_dir / "REG.PART";
    const std::string csv = "name,package,description\n"
                            "LM317,TO220,Adjustable regulator\n"
                            "LM1117,SOT223,800 mA \xCE\xBC"
                            "Power\n"
                            "LM7805,TO220,5 V\n";
    ASSERT_EQ(Build("part", csv, library), 0);
    EXPECT_EQ(m_out.str(), library.string() + ": 2 parts (1 left out)\n");
    EXPECT_EQ(m_err.str(), m_source.string() +
                               ":3: part \"LM1117\": column \"description\" holds the character "
                               "\"\xCE\xBC\" (U+03BC), which Windows-1252 cannot hold\n");
    ASSERT_EQ(Run({"list", library.string()}), 0);
    EXPECT_NE(m_out.str().find("\nLM317\t"), std::string::npos);
    EXPECT_NE(m_out.str().find("\nLM7805\t"), std::string::npos);
    EXPECT_EQ(m_out.str().find("LM1117"), std::string::npos);

    // With the replacement table the row is built, and the replacement listed.
    EXPECT_EQ(Run({"build", "--replace-characters", "--kind", "part", m_source.string(),
                   library.string()}),
              0);
    EXPECT_EQ(m_out.str(), library.string() + ": 3 parts\n");
    EXPECT_EQ(m_err.str(), m_source.string() + ":3: part \"LM1117\": column \"description\": "
                                               "replaced \"\xCE\xBC\" (U+03BC) by \"\xC2\xB5\"\n");
    ASSERT_EQ(Run({"list", library.string()}), 0);
    EXPECT_NE(m_out.str().find("\nLM1117\tSOT223\t800 mA \xC2\xB5Power\t"), std::string::npos)
        << m_out.str();
}

TEST_F(K2klibBuildListTest, DrawingsAreStoredCanonicalAndListedUnderTheirObject) {
    const auto symbols = m_dir / "GATES.SYMBOL";
    ASSERT_EQ(Build("symbol",
                    "name,drawing,description\n"
                    "INV,\"k2kdraw 1 symbol\n# body\nline 0 50 0 -50;PIN 1 A l -200 0 200\",Not\n"
                    "BLANK,,None\n",
                    symbols),
              0)
        << m_err.str();
    const Result<LibraryContents> read = ReadLibrary(symbols);
    ASSERT_TRUE(test::Done(read));
    const LibraryContents& contents = *read;
    ASSERT_EQ(contents.objects.size(), 2u);
    EXPECT_EQ(contents.objects[0].drawing,
              "K2KDRAW 1 SYMBOL\nLINE 0 50 0 -50\nPIN 1 A L -200 0 200\n");
    EXPECT_EQ(contents.objects[1].drawing, "") << "an empty column is no drawing";

    ASSERT_EQ(Run({"list", "--drawings", symbols.string()}), 0) << m_err.str();
    EXPECT_EQ(m_out.str(), "signature: KaldeSLL20\nversion: 2\ncount: 2\nkind: symbol\n"
                           "INV\tNot\t\t\t\n"
                           "    K2KDRAW 1 SYMBOL\n    LINE 0 50 0 -50\n    PIN 1 A L -200 0 200\n"
                           "BLANK\tNone\t\t\t\n");
    ASSERT_EQ(Run({"list", symbols.string()}), 0);
    EXPECT_EQ(m_out.str().find("K2KDRAW"), std::string::npos) << "only --drawings shows them";

    // A drawing another tool stored is listed as it stands, with what is wrong with it.
    ASSERT_TRUE(test::Done(WriteLibrary(symbols, LibraryKind::Symbol,
                                        {{"ODD", "", "K2KDRAW 1 SYMBOL\r\nPAD 1 C60 0 0 0\r\n"}})));
    ASSERT_EQ(Run({"list", "--drawings", symbols.string()}), 0) << m_err.str();
    EXPECT_NE(m_out.str().find("ODD\t\t\t\t\n    K2KDRAW 1 SYMBOL\n    PAD 1 C60 0 0 0\n"
                               "    ! statement 2: PAD belongs to packages, not to symbols\n"),
              std::string::npos)
        << m_out.str();
}

TEST_F(K2klibBuildListTest, EachProblemOfADrawingNamesObjectLineAndStatement) {
    const auto library = m_dir / "OUT.PACKAGE";
    const std::vector<std::pair<std::string, std::string>> sources = {
        {"name,drawing\nA,K2KDRAW 1 PACKAGE\nB,\"K2KDRAW 1 PACKAGE\nRECT 0 0 1 1\nPAD 1 C60 0 "
         "0\"\n",
         ":5: package \"B\": the drawing, statement 3: PAD needs 5 fields, has 4\n"},
        {"name,drawing\nDIP,K2KDRAW 1 PACKAGE;PIN 1 A L 0 0 100;ARC 0 0 -5 0 360\n",
         ":2: package \"DIP\": the drawing, statement 2: PIN belongs to symbols, not to "
         "packages\n" +
             m_source.string() +
             ":2: package \"DIP\": the drawing, statement 3: the radius must be above 0, is "
             "\"-5\"\n"},
        {"name,drawing\nDIP,RECT 0 0 1 1\n",
         ":2: package \"DIP\": the drawing, statement 1: a drawing starts with"},
        {"name,drawing\nDIP,# nothing\n", ":2: package \"DIP\": the drawing: no drawing\n"},
        {"name,drawing\nDIP,K2KDRAW 1 PADSTACK\n",
         ":2: package \"DIP\": the drawing is a PADSTACK drawing, not a PACKAGE drawing\n"},
        {"name,drawing\nDIP,K2KDRAW 1 PACKAGE;TEXT 0 0 50 \x01\n",
         ":2: package \"DIP\": column \"drawing\" holds the control character U+0001"},
    };
    for (const auto& [csv, expected] : sources) {
        SCOPED_TRACE(csv);
        WriteFile(m_source, csv);
        EXPECT_EQ(
            Run({"build", "--strict", "--kind", "package", m_source.string(), library.string()}),
            1);
        EXPECT_EQ(m_err.str().rfind(m_source.string() + expected, 0), 0u) << m_err.str();
        EXPECT_EQ(FilesInDir(), std::vector<std::string>{"source.csv"});
    }
    // Parts have no drawing column.
    EXPECT_EQ(Build("part", "name,drawing\nA,K2KDRAW 1 SYMBOL\n", m_dir / "X.PART"), 1);
    EXPECT_NE(m_err.str().find("unknown column \"drawing\""), std::string::npos) << m_err.str();
}

TEST_F(K2klibBuildListTest, BadArgumentsAreUsageErrors) {
    WriteFile(m_source, "name\nA\n");
    EXPECT_EQ(Run({"build", "--kind", "parts", m_source.string(), (m_dir / "X").string()}), 2);
    EXPECT_EQ(Run({"build", m_source.string(), (m_dir / "X").string()}), 2);
    EXPECT_EQ(Run({"build", "--kind", "part", m_source.string()}), 2);
    EXPECT_EQ(Run({"list"}), 2);
    EXPECT_EQ(FilesInDir(), std::vector<std::string>{"source.csv"});
}

TEST_F(K2klibBuildListTest, DamagedLibrariesAreRefusedWithAClearMessage) {
    const auto good = m_dir / "GOOD.SYMBOL";
    ASSERT_EQ(Build("symbol", "name,description\nNAND,Gate\nNOR,Gate\n", good), 0);
    const std::string bytes = ReadFile(good);

    std::vector<std::pair<std::string, std::string>> damaged = {
        {"KaldeXLL20" + bytes.substr(10), "unknown signature \"KaldeXLL20"},
        {bytes.substr(0, 16) + std::string("\x09\0\0\0", 4) + bytes.substr(20),
         "announces 9 objects"},
        {bytes + "\n", "1 bytes follow the end of the library"},
        {"not a library", "less than a library header"},
    };
    for (std::size_t length : {std::size_t{0}, std::size_t{19}, std::size_t{20}, std::size_t{39},
                               std::size_t{50}, bytes.size() - 1})
        damaged.push_back({bytes.substr(0, length),
                           length < 20 ? "less than a library header" : "cut off after"});
    const auto file = m_dir / "BAD.SYMBOL";
    for (const auto& [content, expected] : damaged) {
        SCOPED_TRACE(expected);
        std::filesystem::remove(file);
        WriteFile(file, content);
        EXPECT_EQ(Run({"list", file.string()}), 1);
        EXPECT_EQ(m_err.str().rfind(file.string() + ": ", 0), 0u) << m_err.str();
        EXPECT_NE(m_err.str().find(expected), std::string::npos) << m_err.str();
        EXPECT_EQ(m_out.str(), "");
    }
    EXPECT_EQ(Run({"list", (m_dir / "missing").string()}), 1);
    EXPECT_NE(m_err.str().find("missing: cannot open the file"), std::string::npos);
}

} // namespace
} // namespace k2k
