#include "simulation/ElementProfiles.h"

#include "platform/FileOps.h"
#include "platform/SuiteServices.h"
#include "simulation/SimulationTables.h"
#include "support/TestSupport.h"
#include "system/NativePath.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

class ElementProfilesTest : public ::testing::Test {
protected:
    // Reads text as elements.spc; answers the error flag.
    bool Read(const std::string& text) {
        test::WriteFile(dir / "elements.spc", text);
        bool errorFlag = false;
        ReadElementProfiles(tables, files, services, errorFlag, path);
        EXPECT_EQ(files.OpenCount(), 0) << "the file is closed on every path";
        return errorFlag;
    }

    test::TempDir dir;
    test::RecordingMessageBoxes boxes;
    SuiteServices services{dir / "suite.ini", boxes};
    FileOps files{services, boxes};
    SimulationTables tables;
    std::string path = dir.SuitePath() + "\\elements.spc";
};

// One element as "code|description|model|variant|P from first|Q from first".
std::string Row(const ElementProfile& e) {
    return e.Code + "|" + e.Description + "|" + e.Model + "|" + e.Variant + "|" +
           std::to_string(e.ParamCount) + " from " + std::to_string(e.FirstParam) + "|" +
           std::to_string(e.ExtraCount) + " from " + std::to_string(e.FirstExtra);
}

TEST_F(ElementProfilesTest, ReadsElementsWithTheirParametersAndSkipsExtraLines) {
    ASSERT_FALSE(Read("KDSpice element profiles, version 2\r\n"
                      "\r\n"
                      "*R,Resistor,RES,STD,2,1\r\n"
                      "1,Resistance\r\n"
                      "2,TC1\r\n"
                      "*R%n %1 %2 {Resistance}\r\n" // an extra line, even with its "*"
                      "a line between elements\r\n"
                      " *C,Capacitor,CAP,STD,0,0\r\n"           // "*" not first
                      "*L,Inductor,IND,STD,\"2,5\",\"1,4\"\r\n" // 2.5 (to even) and 1.4
                      "1,Inductance\r\n"
                      "2,IC\r\n"
                      "L%n %1 %2\r\n"
                      "*A,NAND gate,D_NAND,LS,1,3\r\n"
                      "1,Rise delay\r\n"
                      "x\r\ny\r\nz\n"));
    EXPECT_TRUE(boxes.shown.empty());

    std::vector<std::string> rows;
    for (const ElementProfile& element : tables.elements.Entries())
        rows.push_back(Row(element));
    const std::vector<std::string> expected = {
        "R|Resistor|RES|STD|2 from 1|1 from 1",
        "*C|Capacitor|CAP|STD|0 from 0|0 from 0",
        "L|Inductor|IND|STD|2 from 3|1 from 2",
        "A|NAND gate|D_NAND|LS|1 from 5|3 from 3",
    };
    EXPECT_EQ(rows, expected);
    ASSERT_EQ(tables.ParametersOf(tables.elements[3]).size(), 2u);
    EXPECT_EQ(tables.ParametersOf(tables.elements[3])[1].Index, 2);
    EXPECT_EQ(tables.ParametersOf(tables.elements[3])[1].Name, "IC");
    EXPECT_EQ(tables.extras.count, 5);

    // A finished read leaves no room behind.
    EXPECT_EQ(tables.elements.UpperBound(), 4);
    EXPECT_EQ(tables.parameters.UpperBound(), 5);
    EXPECT_EQ(tables.extras.upperBound, 5);
}

TEST_F(ElementProfilesTest, AnInvalidLineStopsWithError120AndKeepsWhatCameBefore) {
    struct Case {
        const char* name;
        const char* lines;
        const char* offending;
    };
    const Case cases[] = {
        {"header without variant", "*D,Diode,DMOD,1,0\r\n1,Area\r\n", "*D,Diode,DMOD,1,0"},
        {"parameter line of one field", "*C,Capacitor,CAP,STD,2,0\r\n1,Capacitance\r\nIC\r\n",
         "IC"},
        {"negative count", "*C,Capacitor,CAP,STD,-1,0\r\n", "*C,Capacitor,CAP,STD,-1,0"},
        {"count beyond any file", "*C,Capacitor,CAP,STD,0,1e12\r\n", "*C,Capacitor,CAP,STD,0,1e12"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        boxes.shown.clear();
        EXPECT_TRUE(Read(std::string("*R,Resistor,RES,STD,1,0\r\n1,Resistance\r\n") + c.lines +
                         "*L,Inductor,IND,STD,0,0\r\n"));

        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text,
                  std::string("Element Template File Invalid.\r\n") + c.offending);
        EXPECT_EQ(tables.elements[1].Code, "R");
        EXPECT_EQ(tables.parameters[1].Name, "Resistance");
        EXPECT_NE(tables.elements[tables.elements.Count()].Code, "L") << "reading stopped";
        EXPECT_EQ(tables.elements.UpperBound(), SimulationTables::kElementCapacity)
            << "not shrunk after a failure";
    }
}

TEST_F(ElementProfilesTest, FilesThatCannotBeReadSetTheFlagWithTheFileMessage) {
    bool errorFlag = false;
    ReadElementProfiles(tables, files, services, errorFlag, path);
    EXPECT_TRUE(errorFlag);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Can't read file: " + DisplayPath(path));
    EXPECT_EQ(tables.elements.Count(), 0);

    // A file that ends inside an element's parameter lines.
    boxes.shown.clear();
    EXPECT_TRUE(Read("*R,Resistor,RES,STD,3,0\r\n1,Resistance\r\n"));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, "Input past end of file");
    EXPECT_EQ(tables.elements.Count(), 1);

    // No path, nothing done.
    tables.elements.Append({});
    ReadElementProfiles(tables, files, services, errorFlag, "");
    EXPECT_FALSE(errorFlag);
    EXPECT_EQ(tables.elements.Count(), 2);
}

} // namespace
} // namespace k2k
