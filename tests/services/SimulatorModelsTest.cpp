#include "services/SimulatorModels.h"

#include "platform/Kernel.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

TEST(ModelNumberTest, TheModelNumberOfAFunctionName) {
    const std::pair<const char*, int> cases[] = {
        {"KDSFUNCM12", -12}, {"KDSFUNC7", 7},
        {"KDSFUNC07", 7},    {"KDSFUNC2.5", 2},
        {"KDSFUNC3.5", 4},   {"KDSFUNCM", 0},
        {"KDSFUNCm5", 0},    {"KDSFUNCX1", 0},
        {"SHORT", 0},        {"", 0},
        {"ABCDEFGM7X", -7},  {"KDSFUNC99999999999", 2147483647},
    };
    for (const auto& [name, number] : cases)
        EXPECT_EQ(ModelNumberOf(name), number) << name;
}

class SimulatorModelsTest : public ::testing::Test {
protected:
    void SetUp() override {
        namespace fs = std::filesystem;
        fs::copy_file(fs::path(K2K_SAMPLE_SUITE) / "LIB" / "KDSANLG.so", dir / "KDSANLG.so");
        for (const char* name : {"QUIRKS.so", "NOEXPORT.so", "ZERO.so"})
            fs::copy_file(fs::path(K2K_TEST_MODELS) / name, dir / name);
        test::WriteFile(dir / "broken.DLL", "not a shared object");
        test::WriteFile(dir / "TTL74.PART", "a library file, not a model library");
        test::WriteFile(dir / "KDS\xFF.so", "a name the suite cannot ask for");
    }

    test::TempDir dir;
    Kernel kernel;
    SimulationTables tables;
    LeftOutFiles leftOut;
};

TEST_F(SimulatorModelsTest, ModelsOfEveryLibraryThatAnswers) {
    CollectSimulatorModels(dir.SuitePath(), kernel, tables, &leftOut);

    ASSERT_EQ(tables.models.Count(), 15 + 2);
    const SimulatorModel& opamp = tables.models[12];
    EXPECT_EQ(opamp.Number, -12);
    EXPECT_EQ(opamp.ModelName, "Operational amplifier");
    EXPECT_EQ(opamp.PinCount, 5);
    EXPECT_EQ(opamp.Pins, "IN+,IN-,V+,V-,OUT");
    EXPECT_EQ(opamp.Library, "KDSANLG.so");

    // Of the quirky library only the two good models, in the order of its export list.
    const SimulatorModel& amplifier = tables.models[16];
    EXPECT_EQ(amplifier.Number, -12);
    EXPECT_EQ(amplifier.ModelName, "Test amplifier");
    EXPECT_EQ(amplifier.Library, "QUIRKS.so");
    const SimulatorModel& pinless = tables.models[17];
    EXPECT_EQ(pinless.Number, 3);
    EXPECT_EQ(pinless.PinCount, 0);
    EXPECT_EQ(pinless.Pins, "");

    // Libraries in name order, each skipped one with its reason.
    std::vector<std::string> reasons;
    for (const LeftOutFile& file : leftOut)
        reasons.push_back(file.path.substr(dir.SuitePath().size() + 1) + ": " +
                          file.reason.substr(0, file.reason.find(':')));
    const std::vector<std::string> expected = {
        "broken.DLL: does not load",
        "NOEXPORT.so: exports no ExportStatus",
        "QUIRKS.so: model function \"TSTFUNC0\" has number 0",
        "QUIRKS.so: model function \"TSTFUNC22\" answered 0",
        "QUIRKS.so: model function \"TSTFUNC8\" is not exported",
        "QUIRKS.so: model function \"SHORT\" has number 0",
        "ZERO.so: ExportStatus answered 0",
        "KDS?.so: the name holds the byte 0xFF, which is not UTF-8",
    };
    EXPECT_EQ(reasons, expected);

    CollectSimulatorModels(dir.SuitePath() + "\\NOSUCH", kernel, tables, &leftOut);
    EXPECT_EQ(tables.models.Count(), 17) << "a missing folder adds nothing";
}

} // namespace
} // namespace k2k
