#include "support/SmallSuite.h"
#include "support/TestSupport.h"
#include "support/ToolRun.h"

#include "formats/LibraryFile.h"
#include "formats/StoredTexts.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

using test::RunK2klib;
using test::WriteFile;

std::string Library(const std::string& symbols) {
    return "(kicad_symbol_lib (version 20211014) (generator kicad_symbol_editor)\n" + symbols +
           ")\n";
}

std::string Symbol(const std::string& name, const std::string& description) {
    return "  (symbol \"" + name +
           "\" (in_bom yes) (on_board yes)\n"
           "    (property \"Footprint\" \"Package_SO:SOIC-8_3.9x4.9mm_P1.27mm\" (id 2) (at 0 0 "
           "0))\n"
           "    (property \"ki_description\" \"" +
           description +
           "\" (id 5) (at 0 0 0))\n"
           "    (symbol \"" +
           name +
           "_1_1\" (rectangle (start -2.54 2.54) (end 2.54 -2.54))\n"
           "      (pin input line (at -5.08 0 0) (length 2.54) (name \"IN\") (number \"1\"))))\n";
}

class K2klibImportTest : public test::SmallSuiteTest {
protected:
    void PrepareSuite() override {
        WriteFile(sources / "Amplifier_Operational.kicad_sym",
                  Library(Symbol("LM358", "Dual op amp") +
                          Symbol("TL072", "Dual JFET op amp, 3 μV") +
                          "  (symbol \"LM2904\" (extends \"LM358\"))\n"));
        WriteFile(sources / "Amplifier_Other.kicad_sym", Library(Symbol("LM358", "Another")));
        WriteFile(sources / "README.txt", "not a library");
    }
    test::ToolRun Import() {
        return RunK2klib({"import", "--suite", m_dir.Path().string(), "--symbols", sources.string(),
                          "--footprints", ""});
    }

    test::TempDir sourceDir;
    std::filesystem::path sources = sourceDir.Path();
};

TEST_F(K2klibImportTest, ImportsEachLibraryAsAPartAndASymbolLibraryTheSearchFinds) {
    const auto run = Import();
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("import: symbol library 2 of 2: Amplifier_Other"), std::string::npos)
        << run.err;
    EXPECT_EQ(run.out,
              "Left out (2):\n"
              "  Amplifier_Operational: symbol \"TL072\": field \"description\" holds the "
              "character \"μ\" (U+03BC), which Windows-1252 cannot hold\n"
              "  Amplifier_Operational: part \"TL072\": field \"description\" holds the character "
              "\"μ\" (U+03BC), which Windows-1252 cannot hold\n"
              "Names that several libraries hold (each library keeps its object) (2):\n"
              "  part \"LM358\": Amplifier_Operational, Amplifier_Other\n"
              "  symbol \"LM358\": Amplifier_Operational, Amplifier_Other\n"
              "Not carried over (the suite has no place for them):\n"
              "  pin electrical types: 3 pins, e.g. Amplifier_Operational: LM358; "
              "Amplifier_Operational: TL072; Amplifier_Other: LM358\n"
              "Read: 2 symbol libraries, 4 symbols\n"
              "Written: 2 part libraries (3 parts), 2 symbol libraries (2 symbols); 4 libraries "
              "new in the catalogue\n"
              "Left out: 2 objects, 0 libraries\n");

    // Registered after the suite's own libraries, as a search reads them.
    const std::string ini = test::ReadFile(m_dir / "kalde2000.ini");
    EXPECT_NE(ini.find("5=Amplifier_Operational.PART\r\n6=Amplifier_Other.PART"), std::string::npos)
        << ini;
    EXPECT_NE(ini.find("2=Amplifier_Operational.SYMBOL\r\n3=Amplifier_Other.SYMBOL"),
              std::string::npos)
        << ini;

    const auto search =
        RunK2klib({"search", "--suite", m_dir.Path().string(), "--name", "LM*", "--format", "tsv"});
    ASSERT_EQ(search.status, 0) << search.err;
    EXPECT_NE(search.out.find("\tLM358\tB.PART\t"), std::string::npos) << "the suite's own first";
    EXPECT_NE(search.out.find("\tLM358\tAmplifier_Operational.PART\tDual op amp\t"),
              std::string::npos)
        << search.out;
    EXPECT_NE(search.out.find("\tLM2904\tAmplifier_Operational.PART\tDual op amp\t"),
              std::string::npos)
        << "an alias with its parent's description: " << search.out;
    const auto aliases =
        RunK2klib({"search", "--suite", m_dir.Path().string(), "--aliases-of", "LM2904",
                   "--library", "Amplifier_Operational.PART", "--format", "tsv"});
    EXPECT_NE(aliases.out.find("\tLM358\t"), std::string::npos) << aliases.out << aliases.err;

    const auto check =
        RunK2klib({"list", "--drawings", (m_dir / "LIB" / "Amplifier_Other.SYMBOL").string()});
    EXPECT_NE(check.out.find("    PIN 1 IN L -200 0 100"), std::string::npos) << check.out;
    EXPECT_EQ(check.out.find("    !"), std::string::npos) << "drawings read without a problem";

    // Again: the files are replaced and the catalogue is not extended twice.
    const auto again = Import();
    EXPECT_EQ(again.status, 0);
    EXPECT_NE(again.out.find("; 0 libraries new in the catalogue"), std::string::npos) << again.out;
    EXPECT_EQ(test::ReadFile(m_dir / "kalde2000.ini"), ini);
}

TEST_F(K2klibImportTest, ReplacedCharactersKeepTheirObjectsAndAreListed) {
    const auto run = RunK2klib({"import", "--suite", m_dir.Path().string(), "--symbols",
                                sources.string(), "--footprints", "", "--replace-characters"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.find("Left out ("), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Characters replaced (2):\n"
                           "  Amplifier_Operational: symbol \"TL072\": field \"description\": "
                           "replaced \"μ\" (U+03BC) by \"µ\"\n"
                           "  Amplifier_Operational: part \"TL072\": field \"description\": "
                           "replaced \"μ\" (U+03BC) by \"µ\"\n"),
              std::string::npos)
        << run.out;
    const auto search = RunK2klib(
        {"search", "--suite", m_dir.Path().string(), "--name", "TL072", "--format", "tsv"});
    EXPECT_NE(search.out.find("\tTL072\tAmplifier_Operational.PART\tDual JFET op amp, 3 µV\t"),
              std::string::npos)
        << search.out;
}

TEST_F(K2klibImportTest, AnUnreadableLibraryIsReportedAndTheOthersImported) {
    WriteFile(sources / "Broken.kicad_sym", Library(Symbol("X", "x")) + "(");
    const auto run = Import();
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("Libraries not imported (1):\n  " +
                           (sources / "Broken.kicad_sym").string() +
                           ":8: a list that starts here is not closed\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("Written: 2 part libraries"), std::string::npos) << run.out;
    EXPECT_FALSE(std::filesystem::exists(m_dir / "LIB" / "Broken.PART"));

    const auto noFolder = RunK2klib({"import", "--suite", m_dir.Path().string(), "--symbols",
                                     (sources / "none").string(), "--footprints", ""});
    EXPECT_EQ(noFolder.status, 1);
    EXPECT_NE(noFolder.err.find("k2klib import: cannot read the folder"), std::string::npos);
    const auto noLibraries = RunK2klib({"import", "--suite", m_dir.Path().string(), "--symbols",
                                        m_dir.Path().string(), "--footprints", ""});
    EXPECT_EQ(noLibraries.status, 1);
    EXPECT_NE(noLibraries.err.find("holds no .kicad_sym files"), std::string::npos);
    const auto notSuite =
        RunK2klib({"import", "--suite", "/nonexistent", "--symbols", sources.string()});
    EXPECT_EQ(notSuite.status, 1);
}

// A source library named as one of the suite's own (without regard to case) never
// replaces it; an earlier import's library is replaced.
TEST_F(K2klibImportTest, ALibraryOfTheSuitesOwnNameIsWrittenUnderAnother) {
    const std::string before = test::ReadFile(m_dir / "LIB" / "B.PART");
    WriteFile(sources / "b.kicad_sym", Library(Symbol("NE555", "Timer")));
    for (int run = 0; run < 2; ++run) {
        const auto imported = Import();
        ASSERT_EQ(imported.status, 0) << imported.err;
        EXPECT_NE(imported.out.find("Renamed (1):\n  b: written as b_KiCad, since the suite "
                                    "holds a library of that name that no import wrote\n"),
                  std::string::npos)
            << imported.out;
        EXPECT_EQ(test::ReadFile(m_dir / "LIB" / "B.PART"), before);
    }
    const auto search = RunK2klib(
        {"search", "--suite", m_dir.Path().string(), "--name", "NE555", "--format", "tsv"});
    EXPECT_NE(search.out.find("\tNE555\tb_KiCad.PART\tTimer\t"), std::string::npos) << search.out;
    const std::string ini = test::ReadFile(m_dir / "kalde2000.ini");
    EXPECT_EQ(ini.find("b_KiCad.PART"), ini.rfind("b_KiCad.PART")) << "registered once: " << ini;
}

// After both passes the report lists the imported parts whose footprint no package library
// holds (what "k2klib check" then finds dangling); a part whose footprint was imported is
// not listed.
TEST_F(K2klibImportTest, PartsWhoseFootprintNoLibraryHoldsAreListed) {
    std::string timer = Symbol("NE555", "Timer");
    const std::string held = "SOIC-8_3.9x4.9mm_P1.27mm";
    timer.replace(timer.find(held), held.size(), "DIP-8_Missing");
    WriteFile(sources / "Timer.kicad_sym", Library(timer));
    std::filesystem::create_directories(sources / "Package_SO.pretty");
    WriteFile(sources / "Package_SO.pretty" / (held + ".kicad_mod"),
              "(footprint \"" + held + "\" (descr \"SOIC-8\"))\n");

    const auto run = RunK2klib({"import", "--suite", m_dir.Path().string(), "--symbols",
                                sources.string(), "--footprints", sources.string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Footprints that no package library holds (1):\n  Timer.PART: part "
                           "\"NE555\": its footprint \"DIP-8_Missing\" is in no package library"),
              std::string::npos)
        << run.out;
    const auto check = RunK2klib({"check", "--suite", m_dir.Path().string()});
    EXPECT_NE(check.err.find("part \"NE555\": its package \"DIP-8_Missing\""), std::string::npos)
        << check.err;
}

// Names and info texts longer than the suite holds leave their objects out, each listed;
// the longest that fit are imported. A name of megabytes is listed cut short.
TEST_F(K2klibImportTest, NamesAndTextsLongerThanTheSuiteHoldsAreLeftOutAndListed) {
    const std::string longest(kMaxNameLength, 'N');
    WriteFile(sources / "Amplifier_Other.kicad_sym",
              Library(Symbol(std::string(3 << 20, 'H'), "Huge name") + Symbol(longest, "Longest") +
                      Symbol("LONGTEXT", std::string(kMaxInfoLength + 1, 'd')) +
                      Symbol("LONGINFO", std::string(kMaxInfoLength - 5, 'd'))));
    std::filesystem::create_directories(sources / "Package_A.pretty");
    const auto footprint = [&](const std::string& name, const std::string& description) {
        WriteFile(sources / "Package_A.pretty" / (name.substr(0, 20) + ".kicad_mod"),
                  "(footprint \"" + name + "\" (descr \"" + description + "\"))\n");
    };
    footprint(longest + "N", "");
    footprint("LONGINFO", std::string(kMaxInfoLength, 'd'));
    footprint("SOT-1", "fits");

    const auto run = RunK2klib({"import", "--suite", m_dir.Path().string(), "--symbols",
                                sources.string(), "--footprints", sources.string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_LT(run.out.size(), 10'000u) << "the huge name is listed cut short";
    const auto leftOut = [&](const std::string& what) {
        EXPECT_NE(run.out.find(what), std::string::npos) << what << "\n" << run.out;
    };
    leftOut("Amplifier_Other: symbol \"HHHHHHHHHH");
    leftOut("Amplifier_Other: part \"HHHHHHHHHH");
    leftOut("\": field \"name\" is 3145728 bytes long (at most 255)\n");
    leftOut("Amplifier_Other: symbol \"LONGTEXT\": field \"description\" is 4096 bytes long "
            "(at most 4095)\n");
    leftOut("Amplifier_Other: symbol \"LONGINFO\": the info text is ");
    leftOut("Amplifier_Other: part \"LONGINFO\": the info text is ");
    leftOut("Package_A: package \"" + longest +
            "N\": field \"name\" is 256 bytes long (at most "
            "255)\n");
    leftOut("Package_A: package \"LONGINFO\": the info text is ");
    EXPECT_NE(run.out.find("Left out: 10 objects"), std::string::npos) << run.out;

    const auto parts = RunK2klib({"list", (m_dir / "LIB" / "Amplifier_Other.PART").string()});
    EXPECT_NE(parts.out.find("\n" + longest + "\t"), std::string::npos) << parts.out;
    const auto packages = RunK2klib({"list", (m_dir / "LIB" / "Package_A.PACKAGE").string()});
    EXPECT_NE(packages.out.find("\nSOT-1\t"), std::string::npos) << packages.out;
}

// What designers find parts by comes through: a part found by one of its keywords shows them
// in the saved list's Keywords column, as the suite's display options ask.
TEST_F(K2klibImportTest, APartFoundByAKeywordShowsItsKeywordsInTheSavedList) {
    std::string ldo = Symbol("AP2112K-3.3", "600mA low dropout linear regulator");
    ldo.insert(ldo.find("    (symbol \"AP2112K-3.3_1_1\""),
               "    (property \"ki_keywords\" \"linear regulator ldo fixed positive\" (id 6))\n"
               "    (property \"Datasheet\" \"https://example.com/AP2112.pdf\" (id 3))\n"
               "    (property \"Reference\" \"U\" (id 0))\n");
    WriteFile(sources / "Regulator_Linear.kicad_sym", Library(ldo));
    ASSERT_EQ(Import().status, 0);

    const auto tsv = RunK2klib({"search", "--suite", m_dir.Path().string(), "--name", "X",
                                "--keywords", "LDO", "--format", "tsv"});
    ASSERT_EQ(tsv.status, 0) << tsv.err;
    EXPECT_NE(tsv.out.find("\tAP2112K-3.3\tRegulator_Linear.PART\t"), std::string::npos);
    EXPECT_NE(tsv.out.find("\tlinear,regulator,ldo,fixed,positive\thttps://example.com/"
                           "AP2112.pdf\tU\n"),
              std::string::npos)
        << tsv.out;

    std::string options = "[Kalde2K]\r\nLibDir=LIB\r\n[Browser Part Options]\r\nNumber=13\r\n";
    for (int i = 1; i <= 12; ++i)
        options += std::to_string(i) + "=" + (i == 1 ? "Library,-1" : "Column,0") + "\r\n";
    WriteFile(m_dir / "suite.ini", options + "13=Keywords,-1\r\n");
    const auto saved = RunK2klib({"search", "--suite", m_dir.Path().string(), "--name", "*",
                                  "--all-conditions", "--keywords", "ldo,*reg*"});
    ASSERT_EQ(saved.status, 0) << saved.err;
    EXPECT_EQ(saved.out,
              "1)  AP2112K-3.3\tRegulator_Linear.PART\tlinear,regulator,ldo,fixed,positive\r\n");

    const auto symbols = RunK2klib({"search", "--suite", m_dir.Path().string(), "--kind", "symbol",
                                    "--name", "*", "--keywords", "ldo"});
    EXPECT_EQ(symbols.status, 2);
    EXPECT_NE(symbols.err.find("--keywords: is not a criterion of symbols"), std::string::npos)
        << symbols.err;
}

TEST(K2klibFootprintImportTest, EachFolderIsAPackageLibraryAndThePadsShareOnePadstackLibrary) {
    test::TempDir suite;
    test::TempDir sources;
    test::WriteSmallSuite(suite.Path());
    const auto footprint = [](const std::string& name, const std::string& pad) {
        return "(footprint \"" + name + "\" (layer \"F.Cu\") (descr \"" + name +
               " package\")\n  (fp_line (start -1 -1) (end 1 -1) (layer \"F.SilkS\") (width "
               "0.12))\n  " +
               pad + ")\n";
    };
    const std::string smd =
        "(pad \"1\" smd rect (at 0 0) (size 1.5 0.9) (layers \"F.Cu\" \"F.Paste\" \"F.Mask\"))";
    std::filesystem::create_directories(sources / "Package_A.pretty");
    std::filesystem::create_directories(sources / "Package_B.pretty");
    WriteFile(sources / "Package_A.pretty" / "SOT-1.kicad_mod", footprint("SOT-1", smd));
    WriteFile(sources / "Package_A.pretty" / "Bad.kicad_mod",
              "(footprint \"Bad\"\n  (pad \"1\" smd rect (at 0 y) (size 1 1)))\n");
    WriteFile(sources / "Package_A.pretty" / "notes.txt", "not a footprint");
    WriteFile(sources / "Package_B.pretty" / "DIP-2.kicad_mod",
              "(module DIP-2 (layer F.Cu)\n  (pad 1 thru_hole rect (at 0 0) (size 1.6 1.6) (drill "
              "0.8) (layers *.Cu *.Mask))\n  " +
                  smd + ")\n");
    WriteFile(sources / "Package_C.pretty", "a file, not a folder");

    const auto run = RunK2klib({"import", "--suite", suite.Path().string(), "--symbols", "",
                                "--footprints", sources.Path().string()});
    ASSERT_EQ(run.status, 0) << run.err << run.out;
    EXPECT_NE(run.err.find("import: footprint library 2 of 2: Package_B"), std::string::npos)
        << run.err;
    EXPECT_NE(run.out.find("Left out (1):\n  Package_A: package \"Bad\": " +
                           (sources / "Package_A.pretty" / "Bad.kicad_mod").string() +
                           ":2: (at) of a pad: \"y\" is not a number\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("Read: 0 symbol libraries, 0 symbols; 2 footprint libraries, 3 "
                           "footprints\nWritten: 0 part libraries (0 parts), 0 symbol libraries "
                           "(0 symbols), 2 package libraries (2 packages), 1 padstack library (2 "
                           "padstacks); 3 libraries new in the catalogue\n"),
              std::string::npos)
        << run.out;

    const auto list =
        RunK2klib({"list", "--drawings", (suite / "LIB" / "KiCad_Padstacks.PADSTACK").string()});
    EXPECT_NE(list.out.find("\nR1500X900\tRectangular pad 1.50 x 0.90 mm\t"), std::string::npos)
        << list.out;
    EXPECT_NE(list.out.find("\nS1600H800\tSquare pad 1.60 mm, drill 0.80 mm, plated\t"),
              std::string::npos)
        << list.out;
    const std::string ini = test::ReadFile(suite / "kalde2000.ini");
    EXPECT_NE(ini.find("=Package_A.PACKAGE\r\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find("=KiCad_Padstacks.PADSTACK\r\n"), std::string::npos) << ini;

    // The imported libraries hold together (the small suite has faults of its own): their
    // drawings read, every pad's padstack is found.
    const auto check = RunK2klib({"check", "--suite", suite.Path().string()});
    EXPECT_NE(check.out.find(" 4 drawings read;"), std::string::npos) << check.out;
    for (const char* imported : {"Package_A", "Package_B", "KiCad_Padstacks", "padstack"})
        EXPECT_EQ(check.out.find(imported), std::string::npos) << imported << "\n" << check.out;
    const auto search = RunK2klib({"search", "--suite", suite.Path().string(), "--kind", "package",
                                   "--name", "DIP-2", "--format", "tsv"});
    EXPECT_NE(search.out.find("\tDIP-2\tPackage_B.PACKAGE\t"), std::string::npos)
        << search.out << search.err;
}

} // namespace
} // namespace k2k
