#include "sources/LibrarySource.h"

#include "formats/StoredTexts.h"
#include "search/InfoText.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

using test::TempDir;
using test::WriteFile;

class LibrarySourceTest : public ::testing::Test {
protected:
    // Reads a source written from text; m_error is the problem that stopped it, or its
    // first finding.
    bool Read(LibraryKind kind, std::string_view csv, TextOptions options = {}) {
        WriteFile(m_file, csv);
        return ReadFile(m_file, kind, options);
    }

    bool ReadFile(const std::filesystem::path& file, LibraryKind kind, TextOptions options = {}) {
        m_findings = {};
        auto objects = ReadLibrarySource(file, kind, options, m_findings);
        m_objects = objects ? std::move(*objects) : std::vector<LibraryObject>();
        m_error = !objects                      ? objects.Message()
                  : m_findings.problems.empty() ? ""
                                                : m_findings.problems.front();
        return objects.Ok();
    }

    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const LibraryObject& object : m_objects)
            names.push_back(object.name);
        return names;
    }

    TempDir m_dir;
    std::filesystem::path m_file = m_dir / "source.csv";
    std::vector<LibraryObject> m_objects;
    SourceFindings m_findings;
    std::string m_error;
};

TEST_F(LibrarySourceTest, PartInfoIsThePackageABlankAndTheTenFieldsInOrder) {
    // The columns in another order than the info text's: the header decides.
    ASSERT_TRUE(Read(LibraryKind::Part,
                     "symbols,simulation_references,simulation_function,package_type,"
                     "technology,part_type,manufacturer,simulation_ref,external_index_code,"
                     "description,package,name\n"
                     "\"NAND,PWR\",X\\7400\\A,LOGIC,DIL,TTL,\"GATE,NAND\",Acm\xC3\xA9,SR,"
                     "EIC,Quad NAND ,  DIP14 ,  7400  \n"))
        << m_error;
    ASSERT_EQ(m_objects.size(), 1u);
    EXPECT_EQ(m_objects[0].name, "7400");
    EXPECT_EQ(m_objects[0].info, "DIP14 Quad NAND \x80"
                                 "EIC\x80SR\x80"
                                 "Acm\xE9\x80GATE,NAND\x80TTL\x80"
                                 "DIL\x80LOGIC\x80X\\7400\\A\x80NAND,PWR");
    const PartInfo part = SplitPartInfo(m_objects[0].info);
    EXPECT_EQ(part.package, "DIP14");
    EXPECT_EQ(part.description, "Quad NAND "); // blanks inside other fields are kept
    EXPECT_EQ(part.manufacturer, "Acm\xE9");
    EXPECT_EQ(part.firstSymbol, "NAND");
    EXPECT_TRUE(m_objects[0].drawing.empty());
}

TEST_F(LibrarySourceTest, MissingColumnsAndShortRowsGiveEmptyFields) {
    ASSERT_TRUE(Read(LibraryKind::Part, "name,description,manufacturer\nR1,Resistor\n")) << m_error;
    ASSERT_EQ(m_objects.size(), 1u);
    EXPECT_EQ(m_objects[0].info, " Resistor\x80\x80\x80\x80\x80\x80\x80\x80\x80");
    const PartInfo part = SplitPartInfo(m_objects[0].info);
    EXPECT_EQ(part.package, "");
    EXPECT_EQ(part.description, "Resistor");
    EXPECT_EQ(part.symbols, "");
}

TEST_F(LibrarySourceTest, OtherKindsJoinTheirFieldsInTheirOrder) {
    ASSERT_TRUE(Read(LibraryKind::Symbol,
                     "simulation_references,name,symbol_type,description,simulation_function\n"
                     "R\\RES\\,RES,\"PASSIVE,R\",Resistor,RESISTOR\n"))
        << m_error;
    EXPECT_EQ(m_objects[0].info, "Resistor\x80PASSIVE,R\x80RESISTOR\x80R\\RES\\");

    ASSERT_TRUE(Read(LibraryKind::Package,
                     "jedec_name,package_type,description,name\nMS-001,DIL,Dual in line,DIP14\n"))
        << m_error;
    EXPECT_EQ(m_objects[0].name, "DIP14");
    EXPECT_EQ(m_objects[0].info, "Dual in line\x80"
                                 "DIL\x80MS-001");

    ASSERT_TRUE(Read(LibraryKind::Padstack,
                     "name,padstack_shape,padstack_type\nR60,round,THT\nS40,square\n"))
        << m_error;
    ASSERT_EQ(m_objects.size(), 2u);
    EXPECT_EQ(m_objects[0].info, "\x80THT\x80round");
    EXPECT_EQ(m_objects[1].info, "\x80\x80square");
}

struct BadSource {
    LibraryKind kind;
    std::string csv;
    std::string expected; // follows "FILE:"
};

// A source that cannot be read as one gives its one problem, no objects and no findings.
TEST_F(LibrarySourceTest, UnreadableSourcesNameTheFileTheLineAndTheProblem) {
    const std::vector<BadSource> sources = {
        {LibraryKind::Package, "name,colour\nA,red\n", "1: unknown column \"colour\""},
        {LibraryKind::Part, "name,symbol_type\n", "1: unknown column \"symbol_type\""},
        {LibraryKind::Part, "name\n\"A\n", "2: malformed quoting"},
        {LibraryKind::Part, "", " the file is empty"},
    };
    for (const BadSource& source : sources) {
        SCOPED_TRACE(source.csv);
        EXPECT_FALSE(Read(source.kind, source.csv));
        EXPECT_EQ(m_error.rfind(m_file.string() + ":" + source.expected, 0), 0u) << m_error;
        EXPECT_TRUE(m_findings.problems.empty());
        EXPECT_TRUE(m_objects.empty());
    }
    EXPECT_FALSE(ReadFile(m_dir / "missing.csv", LibraryKind::Part));
    EXPECT_NE(m_error.find("missing.csv: cannot read the file"), std::string::npos);
}

// Each bad row is left out with its problem, naming line, object and column; the good
// row after it is kept.
TEST_F(LibrarySourceTest, ABadRowIsLeftOutWithItsProblemAndTheOthersAreKept) {
    const std::vector<BadSource> sources = {
        {LibraryKind::Symbol, "name,description\nA,x\nB,b,c\nZ\n",
         "3: symbol \"B\": the row has 3 fields"},
        {LibraryKind::Symbol, "name,description\nA,ok\nB,\xCE\xA9hm\nZ\n",
         "3: symbol \"B\": column \"description\" holds the character \"\xCE\xA9\" (U+03A9), "
         "which Windows-1252 cannot hold"},
        {LibraryKind::Symbol, "name\nA\nB\xFF\nZ\n",
         "3: symbol \"B\xFF\": column \"name\" holds the byte 0xFF"},
        // A quoted field over two lines: the character is on the second.
        {LibraryKind::Symbol,
         "name,drawing\nA,\nB,\"K2KDRAW 1 SYMBOL\nTEXT 0 0 50 \xE2\x86\x92\"\nZ\n",
         "4: symbol \"B\": column \"drawing\" holds the character \"\xE2\x86\x92\" (U+2192)"},
        {LibraryKind::Symbol, "name,description\nA,x\nB,\"first\nsecond\"\nZ\n",
         "3: symbol \"B\": column \"description\" holds the control character U+000A"},
        {LibraryKind::Package, "name,description\nA,x\nB,a\tb\nZ\n",
         "3: package \"B\": column \"description\" holds the control character U+0009"},
        {LibraryKind::Package, "name,description\nA,x\nB,5 \xE2\x82\xAC\nZ\n",
         "3: package \"B\": column \"description\" holds the euro sign"},
        {LibraryKind::Part, "name,package\nA,DIP14\nB,DIP 14\nZ\n",
         "3: part \"B\": the package name \"DIP 14\" holds a blank"},
        {LibraryKind::Padstack, "name,description\nA,x\n  ,round\nZ\n", "3: the name is empty"},
        {LibraryKind::Part, "name\nA\nr\xC3\xA9sistance\nR\xC3\x89SISTANCE\nZ\n",
         "4: part \"R\xC3\x89SISTANCE\": the name is already used on line 3"},
        // Rows that end in a CR alone are lines of their own.
        {LibraryKind::Part, "name\rA\r7402\rA\rZ\r",
         "4: part \"A\": the name is already used on line 2"},
        {LibraryKind::Symbol, "name,drawing\nA,\nB,\"K2KDRAW 1 SYMBOL\nLINE 0 0\"\nZ\n",
         "4: symbol \"B\": the drawing, statement 2: LINE needs 4 fields, has 2"},
        // A statement ends at a CR alone as at a line end; CR LF is one end.
        {LibraryKind::Symbol,
         "name,drawing\nA,\nB,\"K2KDRAW 1 SYMBOL\rLINE 0 0\rLINE 0 0 1 1\"\nZ\n",
         "4: symbol \"B\": the drawing, statement 2: LINE needs 4 fields, has 2"},
        {LibraryKind::Symbol,
         "name,drawing\r\nA,\r\nB,\"K2KDRAW 1 SYMBOL\r\rLINE 0 +-5 1 1\r\nLINE 0 0 1 1\"\r\nZ\r\n",
         "5: symbol \"B\": the drawing, statement 3: y1 \"+-5\" is not a whole number"},
        // Names and info texts longer than any store takes; a name of megabytes is shown
        // cut short.
        {LibraryKind::Part, "name\nA\n" + std::string(kMaxNameLength + 1, 'N') + "\nZ\n",
         "3: part \"" + std::string(kMaxNameLength + 1, 'N') +
             "\": the name is 256 bytes long (at most 255)"},
        {LibraryKind::Symbol,
         "name,description\nA,x\nB," + std::string(kMaxInfoLength, 'd') + "\nZ\n",
         "3: symbol \"B\": the info text is 4098 bytes long (at most 4095)"},
        {LibraryKind::Package, "name\nA\n" + std::string(1 << 20, 'H') + "\nZ\n",
         "3: package \"HHHHHHHHHHHHHHHH"},
        {LibraryKind::Package, "name,drawing\nA,\nB,K2KDRAW 1 SYMBOL\nZ\n",
         "3: package \"B\": the drawing is a SYMBOL drawing, not a PACKAGE drawing"},
    };
    for (const BadSource& source : sources) {
        SCOPED_TRACE(source.csv.substr(0, 100));
        ASSERT_TRUE(Read(source.kind, source.csv));
        ASSERT_EQ(m_findings.problems.size(), 1u) << m_error;
        EXPECT_EQ(m_error.rfind(m_file.string() + ":" + source.expected, 0), 0u) << m_error;
        EXPECT_LT(m_error.size(), kLongestShownLine + 50);
        EXPECT_EQ(m_findings.rowsLeftOut, 1u);
        ASSERT_FALSE(m_objects.empty());
        EXPECT_EQ(m_objects.back().name, "Z");
    }
}

TEST_F(LibrarySourceTest, EveryProblemOfEveryRowIsListedInOneRead) {
    ASSERT_TRUE(Read(LibraryKind::Part, "name,package,description,manufacturer\n"
                                        "A,DIP 8,\xCE\xBC"
                                        "A,\xCE\xA9hm\n"
                                        "B,SO8,fine,\n"
                                        "C,SO8,\xE2\x88\x92"
                                        "5V,x,extra\n"));
    EXPECT_EQ(Names(), std::vector<std::string>{"B"});
    EXPECT_EQ(m_findings.rowsLeftOut, 2u);
    const std::string file = m_file.string();
    EXPECT_EQ(m_findings.problems,
              (std::vector<std::string>{
                  file + ":2: part \"A\": column \"description\" holds the character \"\xCE\xBC\" "
                         "(U+03BC), which Windows-1252 cannot hold",
                  file + ":2: part \"A\": column \"manufacturer\" holds the character "
                         "\"\xCE\xA9\" (U+03A9), which Windows-1252 cannot hold",
                  file + ":2: part \"A\": the package name \"DIP 8\" holds a blank, which ends "
                         "the package name of a part",
                  file + ":4: part \"C\": the row has 5 fields, the header names only 4",
                  file + ":4: part \"C\": column \"description\" holds the character "
                         "\"\xE2\x88\x92\" (U+2212), which Windows-1252 cannot hold"}));
    EXPECT_TRUE(m_findings.replacements.empty());
}

TEST_F(LibrarySourceTest, ReplacedCharactersAreListedAndUnknownOnesStillRefused) {
    ASSERT_TRUE(Read(LibraryKind::Part,
                     "name,description,manufacturer\n"
                     "A,\xCE\xBC"
                     "A \xCE\xBC"
                     "F,\xE2\x84\xA6\n" // μ twice, the ohm sign
                     "B,\xE2\x88\x92"
                     "5 V,\xE2\x9C\x93\n", // the minus sign, a check mark
                     {.replaceCharacters = true}));
    EXPECT_EQ(Names(), std::vector<std::string>{"A"});
    EXPECT_EQ(m_objects[0].info, " \xB5"
                                 "A \xB5"
                                 "F\x80\x80\x80Ohm\x80\x80\x80\x80\x80\x80");
    const std::string file = m_file.string();
    EXPECT_EQ(m_findings.replacements,
              (std::vector<std::string>{
                  file + ":2: part \"A\": column \"description\": replaced \"\xCE\xBC\" "
                         "(U+03BC) by \"\xC2\xB5\" twice",
                  file + ":2: part \"A\": column \"manufacturer\": replaced \"\xE2\x84\xA6\" "
                         "(U+2126) by \"Ohm\"",
                  file + ":3: part \"B\": column \"description\": replaced \"\xE2\x88\x92\" "
                         "(U+2212) by \"-\""}));
    ASSERT_EQ(m_findings.problems.size(), 1u);
    EXPECT_NE(m_error.find("holds the character \"\xE2\x9C\x93\" (U+2713)"), std::string::npos);
}

} // namespace
} // namespace k2k
