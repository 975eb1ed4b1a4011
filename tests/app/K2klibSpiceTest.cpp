#include "support/TestSupport.h"
#include "support/ToolRun.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

using test::RunK2klib;

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(K2klibSpiceTest, TheSampleSuitesSimulationReferences) {
    test::TempDir dir;
    std::filesystem::copy(K2K_SAMPLE_SUITE, dir.Path(), std::filesystem::copy_options::recursive);
    const auto run = RunK2klib({"spice", "--suite", dir.Path().string()});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string& out = run.out;

    EXPECT_TRUE(Has(out, "  R    RES          STD      Resistor")) << out;
    EXPECT_TRUE(Has(out, "1 Resistance; 2 TC1; 3 TC2"));
    EXPECT_TRUE(Has(out, "Temperature (\u00b0C)")) << "Windows-1252 shown as UTF-8";
    EXPECT_TRUE(Has(out, "A    D_NAND       LS       NAND gate, 74LS low-power Schottky TTL"));

    EXPECT_TRUE(Has(out, "31 models"));
    EXPECT_TRUE(Has(out, "     -12  Operational amplifier      KDSANLG.so    IN+,IN-,V+,V-,OUT"));
    EXPECT_TRUE(Has(out, "       7  2-input NAND gate          KDSDIGI.so    A,B,Y"));

    // The suite's index file and a scan of its subcircuit files list the same subcircuits.
    const auto subcircuits = [](const std::string& text) {
        return text.substr(text.find("Subcircuit index:"));
    };
    EXPECT_TRUE(Has(out, "(from SUBCIR.IDX)")) << out;
    EXPECT_TRUE(run.err.empty()) << run.err;
    std::filesystem::remove(dir / "KDS_SBK" / "SUBCIR.IDX");
    const auto scan = RunK2klib({"spice", "--suite", dir.Path().string()});
    ASSERT_EQ(scan.status, 0) << scan.err;
    EXPECT_TRUE(Has(scan.out, "(scanned: no readable SUBCIR.IDX)"));
    for (const char* line :
         {"51 subcircuits", "  OPAMP      LM741          5  General-purpose operational amplifier",
          "  REGULATOR  TL431          3  Adjustable shunt reference",
          "             NE555          8  Timer"}) {
        EXPECT_TRUE(Has(subcircuits(out), line)) << line;
        EXPECT_TRUE(Has(subcircuits(scan.out), line)) << line;
    }

    // The deliberately broken subcircuit files, each with its reason.
    EXPECT_TRUE(Has(scan.out, "OPAMP/UA741.SBC: line 1 names the subcircuit LM741X, not UA741"));
    EXPECT_TRUE(Has(scan.out, "OPAMP/LF356.SBC: node line 1 reads *Node 2, not *Node 1"));
    EXPECT_TRUE(
        Has(scan.out, "LOGIC/74LS00.SBC: the description line gives 4 nodes, line 1 has 3"));

    // The browser's one message: the missing index file.
    EXPECT_TRUE(Has(scan.err, "Can't read file: ")) << scan.err;
    EXPECT_TRUE(Has(scan.err, "SUBCIR.IDX"));
}

TEST(K2klibSpiceTest, AFolderThatIsNoSuite) {
    test::TempDir dir;
    const auto run = RunK2klib({"spice", "--suite", dir.Path().string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(Has(run.err, "not a suite folder")) << run.err;
}

} // namespace
} // namespace k2k
