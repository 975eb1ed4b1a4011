#include "LibrarySource.h"

#include "search/InfoText.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

using test::TempDir;
using test::WriteFile;

class LibrarySourceTest : public ::testing::Test {
protected:
    // Reads a source written from text; on failure, error holds the message.
    bool Read(LibraryKind kind, std::string_view csv) {
        WriteFile(m_file, csv);
        return ReadLibrarySource(m_file, kind, m_objects, m_error);
    }

    TempDir m_dir;
    std::filesystem::path m_file = m_dir / "source.csv";
    std::vector<LibraryObject> m_objects;
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
    const char* csv;
    const char* expected; // follows "FILE:"
};

TEST_F(LibrarySourceTest, BadSourcesNameTheFileTheLineAndTheProblem) {
    const std::vector<BadSource> sources = {
        {LibraryKind::Package, "name,colour\nA,red\n", "1: unknown column \"colour\""},
        {LibraryKind::Part, "name,symbol_type\n", "1: unknown column \"symbol_type\""},
        {LibraryKind::Symbol, "name,description\nA,x\nB,b,c\n", "3: the row has 3 fields"},
        {LibraryKind::Symbol, "name,description\nA,ok\nB,\xCE\xA9hm\n",
         "3: column \"description\" holds the character \"\xCE\xA9\" (U+03A9), which "
         "Windows-1252 cannot hold"},
        {LibraryKind::Symbol, "name\nA\xFF\n", "2: column \"name\" holds the byte 0xFF"},
        // A quoted field over two lines: the character is on the second.
        {LibraryKind::Symbol, "name,description\nA,\"first\nsecond \xE2\x86\x92\"\n",
         "3: column \"description\" holds the character \"\xE2\x86\x92\" (U+2192)"},
        {LibraryKind::Symbol, "name,description\nA,\"first\nsecond\"\n",
         "2: column \"description\" holds the control character U+000A"},
        {LibraryKind::Package, "name,description\nA,a\tb\n",
         "2: column \"description\" "
         "holds the control character U+0009"},
        {LibraryKind::Package, "name,description\nA,5 \xE2\x82\xAC\n",
         "2: column \"description\" holds the euro sign"},
        {LibraryKind::Part, "name,package\nA,DIP14\nB,DIP 14\n",
         "3: the package name \"DIP 14\" holds a blank"},
        {LibraryKind::Padstack, "name,description\nA,x\n  ,round\n", "3: the name is empty"},
        {LibraryKind::Padstack, "description\nround\n", "2: the name is empty"},
        {LibraryKind::Part, "name\n7400\n7402\n7400\n",
         "4: the name \"7400\" is already used "
         "on line 2"},
        {LibraryKind::Part, "name\nR\xC3\xA9sistance\nR\xC3\x89SISTANCE\n",
         "3: the name \"R\xC3\x89SISTANCE\" is already used on line 2"},
        {LibraryKind::Part, "name\n\"A\n", "2: malformed quoting"},
        // Rows that end in a CR alone are lines of their own.
        {LibraryKind::Part, "name\r7400\r7402\r7400\r",
         "4: the name \"7400\" is already used on line 2"},
        {LibraryKind::Symbol, "name,description\rA,x\rB,\r\nC,x,y\n", "4: the row has 3 fields"},
    };
    for (const BadSource& source : sources) {
        SCOPED_TRACE(source.csv);
        m_error.clear();
        EXPECT_FALSE(Read(source.kind, source.csv));
        EXPECT_EQ(m_error.rfind(m_file.string() + ":" + source.expected, 0), 0u) << m_error;
        EXPECT_TRUE(m_objects.empty());
    }

    EXPECT_FALSE(Read(LibraryKind::Part, ""));
    EXPECT_NE(m_error.find("source.csv: the file is empty"), std::string::npos) << m_error;
    EXPECT_FALSE(ReadLibrarySource(m_dir / "missing.csv", LibraryKind::Part, m_objects, m_error));
    EXPECT_NE(m_error.find("missing.csv: cannot read the file"), std::string::npos) << m_error;
}

} // namespace
} // namespace k2k
