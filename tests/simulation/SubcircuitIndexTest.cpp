#include "simulation/SubcircuitIndex.h"

#include "platform/FileOps.h"
#include "platform/SuiteServices.h"
#include "support/TestSupport.h"
#include "system/NativePath.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

// The operational amplifier of the examples, as written by hand: lower-case keyword, a
// run of blanks, CR LF line ends.
const std::string kOpamp = ".subckt opamp  inp inn out\r\n"
                           "*Operational amplifier,3\r\n"
                           "*Node 1,INP\r\n"
                           "*Node 2,INN\r\n"
                           "*Node 3,OUT\r\n"
                           "E1 OUT 0 INP INN 1E5\r\n"
                           ".ENDS\r\n";

class SubcircuitIndexTest : public ::testing::Test {
protected:
    void Write(const std::string& relative, const std::string& text) {
        test::WriteFile(dir.Path() / "SBK" / relative, text);
    }
    SubcircuitSource Build() { return BuildSubcircuitIndex(tables, files, sbk, &leftOut); }
    // The index, one "code|name|kind|description|family|nodes" per entry.
    std::vector<std::string> Rows() const {
        std::vector<std::string> rows;
        for (const SubcircuitRef& e : tables.subcircuits.Entries())
            rows.push_back(e.ElementCode + "|" + e.Name + "|" + e.Kind + "|" + e.Description + "|" +
                           e.Family + "|" + std::to_string(e.NodeCount));
        return rows;
    }
    // Checks text as the file NAME.SBC at the top of the folder.
    std::string Check(const std::string& text, const std::string& name = "OPAMP") {
        Write(name + ".SBC", text);
        SubcircuitRef record;
        record.Name = name;
        const Status checked = CheckSubcircuitFile(record, files, sbk);
        EXPECT_TRUE(checked || !checked.Message().empty()) << "a failure says why";
        EXPECT_EQ(files.OpenCount(), 0);
        return checked ? "passed with " + std::to_string(record.NodeCount) + " nodes"
                       : checked.Message();
    }

    test::TempDir dir;
    test::RecordingMessageBoxes boxes;
    SuiteServices services{dir / "suite.ini", boxes};
    FileOps files{services, boxes};
    SimulationTables tables;
    LeftOutFiles leftOut;
    std::string sbk = dir.SuitePath() + "\\SBK";
};

TEST_F(SubcircuitIndexTest, TheIndexFileIsTheIndexWhenItReads) {
    Write("SUBCIR.IDX", "X,LM741,library,Op amp,OPAMP,\"5,4\"\r\n"
                        "\r\n"
                        "X,SHORT,library,too few fields\r\n"
                        "X, NE555 ,library,Timer,,8\r\n");
    Write("OPAMP/OPAMP.SBC", kOpamp); // would be indexed by a scan
    EXPECT_EQ(Build(), SubcircuitSource::IndexFile);
    EXPECT_TRUE(boxes.shown.empty());

    // Texts as they stand, node counts rounded, short lines skipped.
    const std::vector<std::string> expected = {"X|LM741|library|Op amp|OPAMP|5",
                                               "X| NE555 |library|Timer||8"};
    EXPECT_EQ(Rows(), expected);
    EXPECT_EQ(leftOut.size(), 1u);
}

TEST_F(SubcircuitIndexTest, WithoutAnIndexFileTheFoldersAreScanned) {
    Write("OPAMP/OPAMP.SBC", kOpamp);
    Write("NE555.SBC", ".SUBCKT NE555 A B\r\n*Timer,2\r\n*Node 1,A\r\n*Node 2,B\r\n");
    Write("Logic/inv.sbc", ".SUBCKT INV A Y\r\n*Inverter,2\r\n*Node 1,A\r\n*Node 2,Y\r\n");
    Write("Logic/inv.txt", "not a subcircuit file");
    Write("OPAMP/BAD.SBC", ".SUBCKT GOOD A\r\n*Named otherwise,1\r\n*Node 1,A\r\n");

    EXPECT_EQ(Build(), SubcircuitSource::Scan);
    ASSERT_EQ(boxes.shown.size(), 1u) << "the missing index file is reported";
    EXPECT_EQ(boxes.shown[0].text, "Can't read file: " + DisplayPath(sbk) + "/SUBCIR.IDX");

    // The top folder first, then the subfolders by name; families in upper case.
    const std::vector<std::string> expected = {"X|NE555|library|Timer||2",
                                               "X|INV|library|Inverter|LOGIC|2",
                                               "X|OPAMP|library|Operational amplifier|OPAMP|3"};
    EXPECT_EQ(Rows(), expected);
    ASSERT_EQ(leftOut.size(), 1u);
    EXPECT_EQ(leftOut[0].path, sbk + "\\OPAMP\\BAD.SBC");
}

// A file or a family folder whose name the suite cannot hold could never be asked for: it
// is listed, its name shown with "?" for what cannot be shown, never passed over unsaid.
TEST_F(SubcircuitIndexTest, NamesTheSuiteCannotHoldAreListedAsLeftOut) {
    const std::string good = ".SUBCKT GOOD A\r\n*Good,1\r\n*Node 1,A\r\n";
    Write("GOOD.SBC", good);
    Write("bad\xFF.SBC", good);                 // not UTF-8
    Write("\xCE\xA9hm.sbc", good);              // Omega, which Windows-1252 lacks
    Write("notes\xFF.txt", "not a subcircuit"); // not a subcircuit file: not listed
    Write("\xCE\xA9"
          "family/GOOD.SBC",
          good);
    EXPECT_EQ(Build(), SubcircuitSource::Scan);
    EXPECT_EQ(Rows(), std::vector<std::string>{"X|GOOD|library|Good||1"});
    std::vector<std::string> listed;
    for (const LeftOutFile& file : leftOut)
        listed.push_back(file.path + ": " + file.reason);
    EXPECT_EQ(listed, (std::vector<std::string>{
                          sbk + "\\?hm.sbc: the name holds U+03A9, which Windows-1252 cannot hold",
                          sbk + "\\bad?.SBC: the name holds the byte 0xFF, which is not UTF-8",
                          sbk + "\\?family: the name holds U+03A9, which Windows-1252 cannot hold; "
                                "no subcircuit in the folder is read"}));
}

TEST_F(SubcircuitIndexTest, TheCheckOfASubcircuitFile) {
    struct Case {
        std::string text;
        std::string outcome;
        std::string name = "OPAMP";
    };
    const Case cases[] = {
        {kOpamp, "passed with 3 nodes"},
        {"\r\n  \r\n.SUBCKT OPAMP A\r\n\r\n*Empty lines between,1\r\n\r\n*Node 1,A\r\n",
         "passed with 1 nodes"},
        {".SUBCKT OPAMP\r\n*No nodes,0\r\n", "passed with 0 nodes"},
        {".SUBCKT \xB5"
         "A741 A\r\n*Micro sign,1\r\n*Node 1,A\r\n",
         "passed with 1 nodes", "UA741"},
        {".SUBCKT OPAMP A B\r\n*Swapped,2\r\n*Node 2,B\r\n*Node 1,A\r\n",
         "node line 1 reads *Node 2, not *Node 1"},
        {".SUBCKT OPAMP2 A\r\n*Other,1\r\n*Node 1,A\r\n",
         "line 1 names the subcircuit OPAMP2, not OPAMP"},
        {".SUBCKT OPAMP A B\r\n*Two nodes,3\r\n*Node 1,A\r\n*Node 2,B\r\n",
         "the description line gives 3 nodes, line 1 has 2"},
        {".SUBCKT OPAMP A B \r\n*Trailing blank,2\r\n*Node 1,A\r\n*Node 2,B\r\n",
         "the description line gives 2 nodes, line 1 has 3"},
        {".SUBCKT OPAMP A\r\n*Amp, with comma,1\r\n*Node 1,A\r\n",
         "the description line does not have exactly 2 fields"},
        {".SUBCKT OPAMP A\r\n*Quoted count,\"1\"\r\n*Node 1,A\r\n",
         "the description line does not have exactly 2 fields"},
        {".SUBCKT OPAMP A\r\n*Quoted node,1\r\n*Node 1,\"A\"\r\n",
         "the line for node 1 does not have exactly 2 fields"},
        {".SUBCKT OPAMP A B\r\n*Amp,2\r\n*Node 1,A\r\n", "the line *Node 2 is missing"},
        {".MODEL OPAMP A\r\n", "line 1 does not start with .SUBCKT"},
        {".SUBCKT\r\n", "line 1 has fewer than two words"},
        {"", "the file is empty"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Check(c.text, c.name), c.outcome) << c.text;
    EXPECT_TRUE(boxes.shown.empty()) << "subcircuit files never show a message";
}

TEST_F(SubcircuitIndexTest, TheFileIsLookedForInItsFamilyFirst) {
    Write("OPAMP/AMP.SBC", ".SUBCKT AMP A\r\n*In the family,1\r\n*Node 1,A\r\n");
    Write("AMP.SBC", ".SUBCKT AMP A\r\n*At the top,1\r\n*Node 1,A\r\n");
    Write("Logic/gate.sbc", ".SUBCKT GATE A\r\n*In a subfolder,1\r\n*Node 1,A\r\n");
    const char* cases[][3] = {
        {"AMP", "OPAMP", "In the family"},
        {"AMP", "", "At the top"},
        {"GATE", "NOSUCH", "In a subfolder"},
        {"NONE", "", "cannot be opened"},
    };
    for (const auto& [name, family, outcome] : cases) {
        SubcircuitRef record;
        record.Name = name;
        record.Family = family;
        const Status checked = CheckSubcircuitFile(record, files, sbk);
        EXPECT_EQ(checked ? record.Description : checked.Message(), outcome);
    }

    // Without the folder itself, no index and no message.
    sbk += "\\NOSUCH";
    EXPECT_EQ(Build(), SubcircuitSource::NoFolder);
    EXPECT_EQ(tables.subcircuits.Count(), 0);
    EXPECT_TRUE(boxes.shown.empty());
}

} // namespace
} // namespace k2k
