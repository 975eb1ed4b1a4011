// k2klib draw, which gives the sample's sources their drawings by the sample's rules, and
// k2klib check, which judges a suite by the readers the browser and the viewers use.

#include "sketch/SampleDrawings.h"

#include "formats/Drawing.h"
#include "formats/LibraryFile.h"
#include "support/TestSupport.h"
#include "support/ToolRun.h"

#include <gtest/gtest.h>

#include <map>

namespace k2k {
namespace {

namespace fs = std::filesystem;
using test::RunK2klib;
using test::WriteFile;

// The objects of a library built from a CSV source, by name.
std::map<std::string, LibraryObject> Built(const fs::path& library) {
    Result<LibraryContents> contents = ReadLibrary(library);
    EXPECT_TRUE(test::Done(contents));
    std::map<std::string, LibraryObject> objects;
    if (!contents)
        return objects;
    for (LibraryObject& object : contents->objects)
        objects[object.name] = std::move(object);
    return objects;
}

class K2klibDrawTest : public ::testing::Test {
protected:
    // Draws the source, then builds a library from what draw wrote.
    std::map<std::string, LibraryObject> DrawAndBuild(const std::string& kind,
                                                      std::string_view csv) {
        WriteFile(dir / "in.csv", csv);
        const auto drawn =
            RunK2klib({"draw", "--kind", kind, (dir / "in.csv").string(), drawnCsv.string()});
        EXPECT_EQ(drawn.status, 0) << drawn.err;
        const auto built =
            RunK2klib({"build", "--kind", kind, drawnCsv.string(), (dir / "OUT.LIB").string()});
        EXPECT_EQ(built.status, 0) << built.err;
        return Built(dir / "OUT.LIB");
    }

    test::TempDir dir;
    fs::path drawnCsv = dir / "drawn.csv";
};

TEST_F(K2klibDrawTest, FillsEmptyDrawingsByTheRulesAndKeepsTheOthersAsTheyAre) {
    const auto objects = DrawAndBuild("symbol", "name,description,drawing\n"
                                                "7400,\"NAND, four sections\",\n"
                                                "OWN,Drawn by hand,\"K2KDRAW 1 SYMBOL;"
                                                "RECT 0 0 100 100\"\n"
                                                "HDR2X3,Header,\n");
    ASSERT_EQ(objects.size(), 3u);
    EXPECT_EQ(objects.at("7400").drawing,
              FormatDrawing(*SampleDrawing(DrawingKind::Symbol, "7400")));
    EXPECT_EQ(objects.at("OWN").drawing, "K2KDRAW 1 SYMBOL\nRECT 0 0 100 100\n");
    EXPECT_EQ(objects.at("HDR2X3").drawing,
              FormatDrawing(*SampleDrawing(DrawingKind::Symbol, "HDR2X3")));
    // A quoted field with a comma comes through whole.
    EXPECT_EQ(objects.at("7400").info.substr(0, 20), "NAND, four sections\x80");
}

// The rules themselves are tested in tests/sketch.
TEST_F(K2klibDrawTest, AddsTheDrawingColumnWhenTheSourceHasNone) {
    const auto objects = DrawAndBuild("padstack", "name,description\r\n"
                                                  "O40X70H28,Oblong\r\n"
                                                  "MTG125NP,Mounting hole\r\n");
    for (const char* name : {"O40X70H28", "MTG125NP"})
        EXPECT_EQ(objects.at(name).drawing,
                  FormatDrawing(*SampleDrawing(DrawingKind::Padstack, name)));
}

TEST_F(K2klibDrawTest, RefusesNamesNoRuleKnowsAndBadSourcesAndWritesNothing) {
    WriteFile(dir / "in.csv", "name,description\n7400,NAND\nNOSUCH,?\nDIP14X,?\n");
    auto run =
        RunK2klib({"draw", "--kind", "symbol", (dir / "in.csv").string(), drawnCsv.string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("no drawing rule for the symbols on lines 3 \"NOSUCH\", 4 \"DIP14X\""),
              std::string::npos)
        << run.err;
    EXPECT_FALSE(fs::exists(drawnCsv));

    WriteFile(dir / "in.csv", "name,jedec_name\nDIP8,MS-001\n");
    run = RunK2klib({"draw", "--kind", "symbol", (dir / "in.csv").string(), drawnCsv.string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("unknown column \"jedec_name\""), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(drawnCsv));

    // Parts have no drawings.
    run = RunK2klib({"draw", "--kind", "part", (dir / "in.csv").string(), drawnCsv.string()});
    EXPECT_EQ(run.status, 2);
}

// --- check

class K2klibCheckTest : public ::testing::Test {
protected:
    void SetUp() override { fs::copy(K2K_SAMPLE_SUITE, dir.Path(), fs::copy_options::recursive); }

    void AddLibrary(const std::string& file, LibraryKind kind,
                    const std::vector<LibraryObject>& objects) {
        ASSERT_TRUE(test::Done(WriteLibrary(dir / "LIB" / file, kind, objects)));
    }

    test::ToolRun Check() { return RunK2klib({"check", "--suite", dir.Path().string()}); }

    test::TempDir dir;
};

TEST_F(K2klibCheckTest, TheSampleSuiteHoldsTogether) {
    const auto run = Check();
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_NE(run.out.find("; 0 problems"), std::string::npos) << run.out;
}

TEST_F(K2klibCheckTest, ALibraryTheCatalogueListsMustBeThere) {
    fs::remove(dir / "LIB" / "TTL74.PART");
    const auto run = Check();
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("TTL74.PART: listed as library"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("of [DEVLIBS], but missing"), std::string::npos) << run.err;
}

TEST_F(K2klibCheckTest, EveryDrawingMustReadAndBeOfItsLibrarysKind) {
    // A library that no list names is checked too: the browser may still be pointed at it.
    AddLibrary("BROKEN.SYMBOL", LibraryKind::Symbol,
               {{"SHORT", "Short pin", "K2KDRAW 1 SYMBOL\nPIN 1 A L 0\n"},
                {"FOOT", "A package's drawing", "K2KDRAW 1 PACKAGE\nORIGIN 0 0\n"},
                {"BLANK", "No drawing at all", ""}});
    const auto run = Check();
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("BROKEN.SYMBOL: symbol \"SHORT\": drawing statement 2: PIN needs 6 "
                           "fields"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("symbol \"FOOT\": a PACKAGE drawing, not a SYMBOL one"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(run.err.find("BLANK"), std::string::npos) << "no drawing is no fault";
    EXPECT_NE(run.out.find("; 2 problems"), std::string::npos) << run.out;
}

TEST_F(K2klibCheckTest, PadsPackagesAndSymbolsMustNameObjectsTheSuiteHas) {
    AddLibrary("EXTRA.PACKAGE", LibraryKind::Package,
               {{"ODD", "Odd",
                 "K2KDRAW 1 PACKAGE\nPAD 1 NOPAD 0 0 0\nPAD 2 NOPAD 100 0 0\n"
                 "PAD 3 C60H32 200 0 0\n"}});
    std::string info = "NOPKG Odd part";
    for (int field = 2; field <= 10; ++field)
        info += '\x80' + std::string(field == 10 ? "7400,NOSYM" : "");
    std::string noPackage = " Connector without a footprint";
    for (int field = 2; field <= 10; ++field)
        noPackage += '\x80';
    AddLibrary("EXTRA.PART", LibraryKind::Part,
               {{"ODDPART", info, ""}, {"BARE1", noPackage, ""}, {"BARE2", noPackage, ""}});
    const auto run = Check();
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("package \"ODD\": pad 1 is made of padstack \"NOPAD\""),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("part \"ODDPART\": its package \"NOPKG\" is in no package library"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("part \"ODDPART\": its symbol \"NOSYM\" is in no symbol library"),
              std::string::npos)
        << run.err;
    // One report per missing padstack, none for the symbol the suite has; parts that name
    // no package are a note, counted once.
    EXPECT_EQ(run.err.find("BARE"), std::string::npos) << run.err;
    EXPECT_NE(run.out.find("; 3 problems; note: 2 parts name no package\n"), std::string::npos)
        << run.out;
}

TEST_F(K2klibCheckTest, AFolderThatIsNoSuiteIsRefused) {
    const auto run = RunK2klib({"check", "--suite", (dir / "nowhere").string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err, "");
}

} // namespace
} // namespace k2k
