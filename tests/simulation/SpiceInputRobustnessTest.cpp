// Damaged Spice files: valid files cut short and random bytes. Every reader must come to
// a clear end (a result or a failure that says why) and close its file.

#include "platform/FileOps.h"
#include "platform/SuiteServices.h"
#include "simulation/ElementProfiles.h"
#include "simulation/SubcircuitIndex.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <random>

namespace k2k {
namespace {

// Every cut of a valid text, then random texts of bytes that mean something to the
// readers, with any byte now and then.
std::vector<std::string> DamagedInputs(const std::string& valid) {
    std::vector<std::string> inputs;
    for (std::size_t cut = 0; cut <= valid.size(); ++cut)
        inputs.push_back(valid.substr(0, cut));
    static const std::string kMeaningful = "*,\"\r\n 0123456789.-eE.SUBCKT\xB5Node";
    std::mt19937 random(7);
    for (int i = 0; i < 300; ++i) {
        std::string text(random() % 400, ' ');
        for (char& c : text)
            c = random() % 4 == 0 ? char(random() % 256)
                                  : kMeaningful[random() % kMeaningful.size()];
        inputs.push_back(text);
    }
    return inputs;
}

TEST(SpiceInputRobustnessTest, DamagedFilesGiveAClearOutcome) {
    test::TempDir dir;
    test::RecordingMessageBoxes boxes;
    SuiteServices services{dir / "suite.ini", boxes};
    FileOps files{services, boxes};
    SimulationTables tables;
    const std::string sbk = dir.SuitePath() + "\\SBK";

    for (const std::string& input :
         DamagedInputs("*R,Resistor,RES,STD,2,1\r\n1,Resistance\r\n2,TC1\r\nR%n\r\n"
                       "*A,\"NAND, LS\",D_NAND,LS,1,0\r\n1,Rise delay\r\n")) {
        test::WriteFile(dir / "elements.spc", input);
        boxes.shown.clear();
        bool errorFlag = false;
        ReadElementProfiles(tables, files, services, errorFlag, dir.SuitePath() + "\\elements.spc");
        ASSERT_EQ(files.OpenCount(), 0);
        ASSERT_EQ(errorFlag, !boxes.shown.empty()) << "a failure always says why";
        for (const ElementProfile& element : tables.elements.Entries())
            ASSERT_LE(tables.ParametersOf(element).size(), std::size_t(tables.parameters.Count()));
    }

    boxes.shown.clear();
    for (const std::string& input :
         DamagedInputs("X,LM741,library,Op amp,OPAMP,5\r\n\"X\",NE555,library,Timer,,8\r\n")) {
        test::WriteFile(dir / "SBK" / "SUBCIR.IDX", input);
        ASSERT_EQ(BuildSubcircuitIndex(tables, files, sbk), SubcircuitSource::IndexFile);
        ASSERT_EQ(files.OpenCount(), 0);
    }
    std::filesystem::remove(dir / "SBK" / "SUBCIR.IDX");

    int passed = 0;
    for (const std::string& input :
         DamagedInputs(".SUBCKT OPAMP INP INN OUT\r\n*Op amp,3\r\n"
                       "*Node 1,INP\r\n*Node 2,INN\r\n*Node 3,OUT\r\n")) {
        test::WriteFile(dir / "SBK" / "OPAMP.SBC", input);
        SubcircuitRef record;
        record.Name = "OPAMP";
        const Status checked = CheckSubcircuitFile(record, files, sbk);
        ASSERT_EQ(files.OpenCount(), 0);
        ASSERT_TRUE(checked || !checked.Message().empty());
        passed += checked ? 1 : 0;
    }
    EXPECT_GE(passed, 1) << "the whole file passes";
    EXPECT_TRUE(boxes.shown.empty()) << "index and subcircuit files show no message";
}

} // namespace
} // namespace k2k
