// Library names from outside (a source file's name, --library, a catalogue entry) never make
// k2klib read or write outside the library folder.

#include "ImportSources.h"

#include "formats/LibraryFile.h"
#include "support/SmallSuite.h"
#include "support/TestSupport.h"
#include "support/ToolRun.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::RunK2klib;
using test::WriteFile;

// The suite two folders down, so that "..\..\" from its library folder is dir itself.
class K2klibLibraryNameTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::WriteSmallSuite(suite);
        ASSERT_TRUE(test::Done(
            WriteLibrary(dir / "X.PART", LibraryKind::Part,
                         {{"OUTSIDE", test::PartInfo("DIP8", "not the suite's", ""), ""}})));
        outside = ReadFile(dir / "X.PART");
    }
    test::ToolRun Import(const fs::path& symbols, const fs::path& footprints) {
        return RunK2klib({"import", "--suite", suite.string(), "--symbols", symbols.string(),
                          "--footprints", footprints.string()});
    }

    test::TempDir dir;
    fs::path suite = dir / "a" / "suite";
    std::string outside;
};

TEST_F(K2klibLibraryNameTest, AnImportRefusesSourceNamesThatAreNoPlainFileName) {
    const fs::path symbols = dir / "symbols";
    const fs::path footprints = dir / "footprints";
    fs::create_directories(symbols);
    for (const char* name : {"..\\..\\evil", "..\\..\\X", "C:evil", " lead", "Good"})
        WriteFile(symbols / (std::string(name) + ".kicad_sym"),
                  test::KicadSymbolLibrary({"NE555"}));
    fs::create_directories(footprints / "..\\..\\evil.pretty");
    fs::create_directories(footprints / "Pkg.pretty");
    for (const char* folder : {"..\\..\\evil.pretty", "Pkg.pretty"})
        WriteFile(footprints / folder / "SOT-1.kicad_mod", test::KicadFootprint("SOT-1"));

    const auto run = Import(symbols, footprints);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("Libraries not imported (5):\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\n  " + (symbols / "..\\..\\evil.kicad_sym").string() +
                           ": The library name \"..\\..\\evil.PART\" is not a plain file name in "
                           "the library folder: it holds \\, / or :, which lead to another "
                           "folder\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find(": The library name \" lead.PART\" is not a plain file name in the "
                           "library folder: it begins or ends with a blank or ends with a dot\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find((footprints / "..\\..\\evil.pretty").string() +
                           ": The library name \"..\\..\\evil.PACKAGE\""),
              std::string::npos)
        << run.out;
    EXPECT_EQ(ReadFile(dir / "X.PART"), outside);
    for (const auto& entry : fs::recursive_directory_iterator(dir.Path())) {
        const std::string name = entry.path().filename().string();
        EXPECT_FALSE(entry.is_regular_file() && name.find("evil") != std::string::npos &&
                     entry.path().extension() != ".kicad_sym" &&
                     entry.path().extension() != ".kicad_mod")
            << entry.path();
    }
    std::set<std::string> written;
    for (const auto& entry : fs::directory_iterator(suite / "LIB"))
        written.insert(entry.path().filename().string());
    EXPECT_TRUE(written.contains("Good.PART") && written.contains("Pkg.PACKAGE"));
    EXPECT_FALSE(written.contains(" lead.PART") || written.contains("C:evil.PART"));
    const std::string ini = ReadFile(suite / "kalde2000.ini");
    EXPECT_EQ(ini.find("evil"), std::string::npos) << ini;
    EXPECT_EQ(ini.find("lead"), std::string::npos) << ini;
}

TEST_F(K2klibLibraryNameTest, DeleteRefusesALibraryOutsideTheFolder) {
    for (const char* library : {"..\\..\\X.PART", "../../X.PART", "C:X.PART"}) {
        const auto run = RunK2klib({"delete", "--suite", suite.string(), "--kind", "part",
                                    "OUTSIDE", "--library", library, "--yes"});
        EXPECT_EQ(run.status, 1) << library;
        EXPECT_NE(run.err.find("k2klib delete: The library name \"" + std::string(library) +
                               "\" is not a plain file name in the library folder"),
                  std::string::npos)
            << run.err;
    }
    EXPECT_EQ(ReadFile(dir / "X.PART"), outside);
}

// An entry that leads out of the library folder is kept in the catalogue, so the file keeps
// what the person wrote, but no search, delete or check reads through it.
TEST_F(K2klibLibraryNameTest, ACatalogueEntryOutsideTheFolderIsKeptButNeverRead) {
    std::string ini = ReadFile(suite / "kalde2000.ini");
    const std::string last = "4=B.PART\r\n";
    ini.replace(ini.find(last), last.size(), last + "5=..\\..\\X.PART\r\n");
    WriteFile(suite / "kalde2000.ini", ini);

    const auto search =
        RunK2klib({"search", "--suite", suite.string(), "--name", "OUTSIDE", "--format", "tsv"});
    EXPECT_EQ(search.status, 0);
    EXPECT_EQ(search.out.find("OUTSIDE"), std::string::npos) << search.out;
    EXPECT_NE(search.err.find("The library name \"..\\..\\X.PART\" is not a plain file name in "
                              "the library folder: it holds \\, / or :, which lead to another "
                              "folder. The search leaves it out."),
              std::string::npos)
        << search.err;
    const auto deleted =
        RunK2klib({"delete", "--suite", suite.string(), "--kind", "part", "OUTSIDE", "--yes"});
    EXPECT_EQ(deleted.status, 1) << deleted.out;
    EXPECT_EQ(ReadFile(dir / "X.PART"), outside);

    const auto catalogue = RunK2klib({"catalogue", "--suite", suite.string(), "--contents"});
    EXPECT_NE(catalogue.out.find("..\\..\\X.PART              refused: The library name"),
              std::string::npos)
        << catalogue.out;
    EXPECT_EQ(catalogue.out.find("OUTSIDE"), std::string::npos) << catalogue.out;
    const auto check = RunK2klib({"check", "--suite", suite.string()});
    EXPECT_NE(check.err.find("listed as library 5 of [DEVLIBS], but refused: The library name"),
              std::string::npos)
        << check.err;

    // A rewrite of the catalogue keeps the entry.
    fs::create_directories(dir / "symbols");
    WriteFile(dir / "symbols" / "Timers.kicad_sym", test::KicadSymbolLibrary({"NE555"}));
    ASSERT_EQ(Import(dir / "symbols", "").status, 0);
    EXPECT_NE(ReadFile(suite / "kalde2000.ini").find("5=..\\..\\X.PART\r\n6=Timers.PART\r\n"),
              std::string::npos);
}

} // namespace
} // namespace k2k
