#include "kicad/SymbolImport.h"

#include "KicadText.h"
#include "search/InfoText.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace k2k {
namespace {

class SymbolImportTest : public ::testing::Test {
protected:
    // Imports the symbols given as the library "library".
    void Import(const std::string& symbols, std::string_view library = "Logic_Test",
                const TextOptions& options = {}) {
        auto source = test::ReadKicadText(m_document,
                                          "(kicad_symbol_lib (version 20211014)\n" + symbols + ")",
                                          "T.kicad_sym", kicad::ReadSymbolLibrary);
        ASSERT_TRUE(source) << source.Message();
        ASSERT_TRUE(source->problems.empty()) << source->problems[0];
        m_source = std::move(*source);
        ImportSymbolLibrary(m_source, library, options, m_imported, m_report);
    }

    const LibraryObject* Symbol(std::string_view name) const {
        for (const LibraryObject& object : m_imported.symbols)
            if (object.name == name)
                return &object;
        return nullptr;
    }

    std::string DrawingOf(std::string_view name) const {
        const LibraryObject* symbol = Symbol(name);
        return symbol ? symbol->drawing : "(no symbol " + std::string(name) + ")";
    }

    SDocument m_document;
    kicad::SymbolLibrary m_source;
    ImportedLibrary m_imported;
    ImportReport m_report;
};

constexpr const char* kGates = R"(
  (symbol "GATE" (in_bom yes) (on_board yes)
    (property "Reference" "U" (id 0) (at 0 0 0))
    (property "Value" "GATE" (id 1) (at 0 0 0))
    (property "Footprint" "Package_DIP:DIP-14_W7.62mm" (id 2) (at 0 0 0))
    (property "Datasheet" "~" (id 3) (at 0 0 0))
    (property "ki_description" "quad NAND" (id 4) (at 0 0 0))
    (symbol "GATE_0_1" (rectangle (start -2.54 2.54) (end 2.54 -2.54)))
    (symbol "GATE_1_1" (pin input line (at -5.08 0 0) (length 2.54) (name "A") (number "1")))
    (symbol "GATE_2_1" (pin input line (at -5.08 0 0) (length 2.54) (name "A") (number "4")))
    (symbol "GATE_3_1" (pin input line (at -5.08 0 0) (length 2.54) (name "A") (number "1"))))
  (symbol "GATE2" (extends "GATE")
    (property "Footprint" "Package_SO:SOIC-14" (id 2) (at 0 0 0))
    (property "ki_keywords" "nand" (id 5) (at 0 0 0)))
  (symbol "PWR" (power)
    (property "Footprint" "" (id 2) (at 0 0 0))
    (symbol "PWR_0_1" (polyline (pts (xy 0 0) (xy 0 1.27))))
    (symbol "PWR_1_1" (pin power_in line (at 0 0 90) (length 0) hide (name "~") (number "1"))))
)";

TEST_F(SymbolImportTest, UnitsSharingADrawingShareASymbolAndDerivedSymbolsAreAliases) {
    Import(kGates);
    ASSERT_EQ(m_imported.symbols.size(), 3u);
    // Units 1 and 3 look alike (the same pin numbers), unit 2 differs; unit 0 is in both.
    EXPECT_EQ(DrawingOf("GATE_A"),
              "K2KDRAW 1 SYMBOL\nRECT -100 100 100 -100\nPIN 1 A L -200 0 100\n");
    EXPECT_EQ(DrawingOf("GATE_B"),
              "K2KDRAW 1 SYMBOL\nRECT -100 100 100 -100\nPIN 4 A L -200 0 100\n");
    EXPECT_EQ(DrawingOf("PWR"), "K2KDRAW 1 SYMBOL\nLINE 0 0 0 50\nPIN 1 1 B 0 0 1\n")
        << "one drawing keeps the symbol's name; a pin without a name shows its number";
    const SymbolInfo gateA = SplitSymbolInfo(Symbol("GATE_A")->info);
    EXPECT_EQ(gateA.description, "quad NAND");
    EXPECT_EQ(gateA.symbolType, "Logic,Test");

    ASSERT_EQ(m_imported.parts.size(), 3u);
    EXPECT_EQ(m_imported.parts[0].name, "GATE");
    EXPECT_EQ(m_imported.parts[0].info,
              "DIP-14_W7.62mm quad NAND\x80KiCad:Logic_Test:GATE\x80\x80\x80"
              "Logic,Test\x80\x80Package,DIP\x80\x80\x80GATE_A,GATE_B\x80\x80\x80U")
        << "the reference prefix after the keywords and the datasheet, \"~\" being none";
    const PartInfo alias = SplitPartInfo(m_imported.parts[1].info);
    EXPECT_EQ(m_imported.parts[1].name, "GATE2");
    EXPECT_EQ(alias.package, "SOIC-14") << "its own footprint";
    EXPECT_EQ(alias.packageType, "Package,SO");
    EXPECT_EQ(alias.description, "quad NAND") << "the parent's, having none of its own";
    EXPECT_EQ(alias.symbols, "GATE_A,GATE_B");
    EXPECT_EQ(alias.externalIndexCode, "KiCad:Logic_Test:GATE2");
    const PartInfo power = SplitPartInfo(m_imported.parts[2].info);
    EXPECT_EQ(power.package, "");
    EXPECT_EQ(power.packageType, "");
    EXPECT_EQ(power.symbols, "PWR");
    EXPECT_TRUE(m_report.LeftOut().empty());

    EXPECT_EQ(m_report.Count(Loss::PinElectricalTypes), 4u) << "each source pin once";
    EXPECT_EQ(m_report.Count(Loss::PowerFlags), 1u);
    EXPECT_EQ(m_report.Count(Loss::HiddenPins), 1u);
    EXPECT_EQ(m_report.Count(Loss::ZeroLengthPins), 1u);
    EXPECT_EQ(PartTypeOfLibrary("Amplifier_Operational"), "Amplifier,Operational");
    EXPECT_EQ(PartTypeOfLibrary("_A__B_"), "A,B");
}

// Units are numbered 1 to the highest; those without a sub-symbol look alike, and a number
// far out costs no more than a small one.
TEST_F(SymbolImportTest, UnitsWithoutSubSymbolsShareOneDrawing) {
    Import(R"(  (symbol "GAP" (symbol "GAP_0_1" (rectangle (start 0 0) (end 2.54 2.54)))
    (symbol "GAP_1_1" (pin input line (at 0 0 0) (length 2.54) (name "A") (number "1")))
    (symbol "GAP_4_1" (pin input line (at 0 0 0) (length 2.54) (name "A") (number "4")))
    (symbol "GAP_20000000_1" (pin input line (at 0 0 0) (length 2.54) (name "A") (number "9")))))");
    std::vector<std::string> names;
    for (const LibraryObject& symbol : m_imported.symbols)
        names.push_back(symbol.name);
    EXPECT_EQ(names, (std::vector<std::string>{"GAP_A", "GAP_B", "GAP_D", "GAP_AQSWTT"}));
    EXPECT_EQ(DrawingOf("GAP_B"), "K2KDRAW 1 SYMBOL\nRECT 0 0 100 100\n");
    EXPECT_EQ(SplitPartInfo(m_imported.parts.at(0).info).symbols, "GAP_A,GAP_B,GAP_D,GAP_AQSWTT");
}

TEST_F(SymbolImportTest, EachGraphicKindInWholeMils) {
    Import(R"(  (symbol "G" (symbol "G_1_1"
    (polyline (pts (xy 0 0) (xy 2.54 0) (xy 2.54 0) (xy 2.54 2.54)) (fill (type background)))
    (circle (center 1.27 0) (radius 1.27) (stroke (width 0.254)))
    (arc (start 0 3.81) (mid -3.81 0) (end 0 -3.81))
    (arc (start 0 -3.81) (mid -3.81 0) (end 0 3.81))
    (arc (start 0 1.27) (mid 1.27 1.27) (end 2.54 1.27))
    (arc (start 1 0) (mid 0 1) (end -1 0))
    (text "&" (at 0.508 0 0) (effects (font (size 2.54 2.54))))
    (text "AB" (at 0 0 900) (effects (font (size 1.27 1.27)) (justify left bottom)))
    (text " " (at 0 0 0))
    (rectangle (start 1 1) (end -1 -1)))))");
    EXPECT_EQ(DrawingOf("G"), "K2KDRAW 1 SYMBOL\n"
                              "LINE 0 0 100 0\n"
                              "LINE 100 0 100 100\n"
                              "LINE 0 50 100 50\n"   // the arc through three points on a line
                              "RECT 39 39 -39 -39\n" // 1 mm is 39.37 mils
                              "ARC 50 0 50 0 360\n"
                              "ARC 0 0 150 90 180\n" // counter-clockwise by way of the left
                              "ARC 0 0 150 90 180\n" // the same half, clockwise from below
                              "ARC 0 0 39 0 180\n"
                              "TEXT -10 -50 100 &\n" // centred on its anchor
                              "TEXT 0 0 50 AB\n");
    EXPECT_EQ(m_report.Count(Loss::RoundedCoordinates), 4u);
    EXPECT_EQ(m_report.Count(Loss::RoundedArcs), 1u);
    EXPECT_EQ(m_report.Count(Loss::DegenerateArcs), 1u);
    EXPECT_EQ(m_report.Count(Loss::Fills), 1u);
    EXPECT_EQ(m_report.Count(Loss::LineWidths), 1u);
    EXPECT_EQ(m_report.Count(Loss::TextRotations), 1u);
}

TEST_F(SymbolImportTest, PinsOfEachSideAndStyle) {
    Import(R"(  (symbol "P" (symbol "P_1_1"
    (pin input line (at -5.08 0 0) (length 2.54) (name "L") (number "1"))
    (pin output line (at 5.08 0 180) (length 2.54) (name "R") (number "2"))
    (pin power_in line (at 0 5.08 270) (length 2.54) (name "T") (number "3"))
    (pin power_in line (at 0 -5.08 90) (length 2.54) (name "~") (number "4"))
    (pin input inverted (at -5.08 2.54 0) (length 2.54) (name "INV") (number "5"))
    (pin input clock (at -5.08 -2.54 0) (length 2.54) (name "CLK") (number "6"))
    (pin passive line (at 0 0 0) (length 0) (name "a b;c") (number "7"))
    (pin input input_low (at -5.08 -5.08 0) (length 2.54) (name "LO") (number "8")))))");
    EXPECT_EQ(DrawingOf("P"), "K2KDRAW 1 SYMBOL\n"
                              "LINE -100 -75 -75 -100\n" // the clock wedge inside the body
                              "LINE -75 -100 -100 -125\n"
                              "ARC -115 100 15 0 360\n" // the inversion circle before the body
                              "PIN 1 L L -200 0 100\n"
                              "PIN 2 R R 200 0 100\n"
                              "PIN 3 T T 0 200 100\n"
                              "PIN 4 4 B 0 -200 100\n"
                              "PIN 5 INV L -200 100 70\n"
                              "PIN 6 CLK L -200 -100 100\n"
                              "PIN 7 a_b_c L 0 0 1\n"
                              "PIN 8 LO L -200 -200 100\n");
    EXPECT_EQ(m_report.Count(Loss::PinElectricalTypes), 8u);
    EXPECT_EQ(m_report.Count(Loss::PinStyles), 1u);
    EXPECT_EQ(m_report.Count(Loss::ZeroLengthPins), 1u);
    EXPECT_EQ(m_report.Count(Loss::PinTextCharacters), 1u);
}

TEST_F(SymbolImportTest, AnObjectTheSuiteCannotHoldIsLeftOutAndTheRestKept) {
    Import(R"(  (symbol "MU" (property "ki_description" "1 μA" (id 5)) (symbol "MU_1_1"))
  (symbol "OHM" (symbol "OHM_1_1" (pin input line (at 0 0 0) (length 2.54) (name "Ω") (number "1"))))
  (symbol "R" (symbol "R_1_1"))
  (symbol "r" (symbol "r_1_1"))
  (symbol "X" (extends "NOPE"))
  (symbol "Y" (extends "Z"))
  (symbol "Z" (extends "Y"))
  (symbol "OK" (symbol "OK_1_1"))
  (symbol "OK2" (extends "OK"))
  (symbol "OK3" (extends "OK2")))",
           "Lib_Bad");
    EXPECT_EQ(m_report.LeftOut(),
              (std::vector<std::string>{
                  "Lib_Bad: symbol \"MU\": field \"description\" holds the character \"μ\" "
                  "(U+03BC), which Windows-1252 cannot hold",
                  "Lib_Bad: symbol \"OHM\": field \"drawing\" holds the character \"Ω\" (U+03A9), "
                  "which Windows-1252 cannot hold",
                  "Lib_Bad: symbol \"r\": the library already holds symbol \"R\" (names are "
                  "compared without regard to case); the first is kept",
                  "Lib_Bad: part \"MU\": field \"description\" holds the character \"μ\" (U+03BC), "
                  "which Windows-1252 cannot hold",
                  "Lib_Bad: part \"r\": the library already holds part \"R\" (names are compared "
                  "without regard to case); the first is kept",
                  "Lib_Bad: part \"X\": it extends \"NOPE\", which the library does not hold",
                  "Lib_Bad: part \"Y\": it extends symbols that extend each other in a circle, "
                  "or more than 16 deep",
                  "Lib_Bad: part \"Z\": it extends symbols that extend each other in a circle, "
                  "or more than 16 deep",
              }));
    std::vector<std::string> parts;
    for (const LibraryObject& part : m_imported.parts)
        parts.push_back(part.name);
    EXPECT_EQ(parts, (std::vector<std::string>{"OHM", "R", "OK", "OK2", "OK3"}))
        << "a part keeps its place when only its symbol is left out";
    EXPECT_EQ(SplitPartInfo(m_imported.parts.back().info).symbols, "OK")
        << "derived from a derived symbol, it has the symbols of the first";
    ASSERT_EQ(m_imported.symbols.size(), 2u);
    EXPECT_EQ(m_imported.symbols[1].name, "OK");
}

// Keywords and filters become the suite's lists; a derived symbol takes what it lacks from
// the symbol it derives from, and "~" is no datasheet.
constexpr const char* kOpAmps = R"(
  (symbol "OPA" (property "Reference" "U" (id 0))
    (property "Datasheet" "https://example.com/opa.pdf" (id 3))
    (property "ki_keywords" "op amp  dual,JFET " (id 5))
    (property "ki_fp_filters" "SOIC*3.9x4.9mm*P1.27mm* DIP*W7.62mm*" (id 7))
    (symbol "OPA_1_1" (rectangle (start 0 0) (end 2.54 2.54))))
  (symbol "OPA1" (extends "OPA") (property "ki_keywords" "single" (id 5)))
  (symbol "OPA2" (extends "OPA") (property "Reference" "IC" (id 0))
    (property "Datasheet" "~" (id 3)))
)";

TEST_F(SymbolImportTest, KeywordsDatasheetReferenceAndFiltersReachTheLibraryFiles) {
    Import(kOpAmps);
    using Extras = std::vector<std::string_view>; // keywords, datasheet, reference, filters
    const std::string_view link = "https://example.com/opa.pdf";
    const std::string_view filters = "SOIC*3.9x4.9mm*P1.27mm*,DIP*W7.62mm*";
    const std::vector<Extras> expected = {{"op,amp,dual,JFET", link, "U", filters},
                                          {"single", link, "U", filters},
                                          {"op,amp,dual,JFET", "", "IC", filters}};
    const auto parts = test::ThroughLibraryFile(LibraryKind::Part, m_imported.parts);
    ASSERT_EQ(parts.size(), expected.size());
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const PartInfo part = SplitPartInfo(parts[i].info);
        EXPECT_EQ(
            (Extras{part.keywords, part.datasheet, part.referencePrefix, part.footprintFilters}),
            expected[i])
            << parts[i].name;
        EXPECT_EQ(part.symbols, "OPA") << "the fields every reader knows are where they were";
    }
    const auto symbols = test::ThroughLibraryFile(LibraryKind::Symbol, m_imported.symbols);
    ASSERT_EQ(symbols.size(), 1u);
    const SymbolInfo symbol = SplitSymbolInfo(symbols[0].info);
    EXPECT_EQ((Extras{symbol.keywords, symbol.datasheet, symbol.referencePrefix, filters}),
              expected[0]);
    EXPECT_EQ(m_report.Count(Loss::UnholdableExtras), 0u);
    EXPECT_EQ(m_report.Count(Loss::ExtrasTooLong), 0u);
    EXPECT_EQ(KeywordList(" ,, a\tb,,c "), "a,b,c");
}

// What designers find parts by is not what makes a part: a text the suite cannot hold drops
// only that extra, and extras too long for the info text are left off, each counted.
TEST_F(SymbolImportTest, AnExtraTheSuiteCannotHoldOrFitIsDroppedAndItsObjectKept) {
    const std::string symbols = R"(
  (symbol "MU" (property "Reference" "U" (id 0)) (property "ki_keywords" "1μA quiescent" (id 5))
    (property "Datasheet" "http://example.com/Ω.pdf" (id 3)) (symbol "MU_1_1"))
  (symbol "LONG" (property "Reference" "U" (id 0))
    (property "ki_keywords" ")" +
                                std::string(4100, 'k') + R"(" (id 5)) (symbol "LONG_1_1"))
)";
    Import(symbols, "Lib_Extra");
    EXPECT_TRUE(m_report.LeftOut().empty()) << m_report.LeftOut()[0];
    ASSERT_EQ(m_imported.parts.size(), 2u);
    ASSERT_EQ(m_imported.symbols.size(), 2u);
    const PartInfo mu = SplitPartInfo(m_imported.parts[0].info);
    EXPECT_EQ(mu.keywords, "");
    EXPECT_EQ(mu.datasheet, "");
    EXPECT_EQ(mu.referencePrefix, "U") << "the extra the suite holds is kept";
    EXPECT_EQ(SplitSymbolInfo(m_imported.symbols[0].info).referencePrefix, "U");
    EXPECT_EQ(m_report.Count(Loss::UnholdableExtras), 4u) << "two of the part, two of the symbol";
    EXPECT_EQ(m_report.Examples(Loss::UnholdableExtras), std::vector<std::string>{"Lib_Extra: MU"});

    EXPECT_EQ(m_imported.parts[1].info, ComposePartInfo("", {"", "KiCad:Lib_Extra:LONG", "", "",
                                                             "Lib,Extra", "", "", "", "", "LONG"}))
        << "no extra at all, as before they were imported";
    EXPECT_EQ(m_imported.symbols[1].info, ComposeInfo({"", "Lib,Extra", "", ""}));
    EXPECT_EQ(m_report.Count(Loss::ExtrasTooLong), 2u);

    m_report = {};
    Import(symbols, "Lib_Extra", {.replaceCharacters = true});
    const PartInfo replaced = SplitPartInfo(m_imported.parts.at(0).info);
    EXPECT_EQ(replaced.keywords, "1\xB5"
                                 "A,quiescent");
    EXPECT_EQ(replaced.datasheet, "http://example.com/Ohm.pdf");
    EXPECT_EQ(m_report.Count(Loss::UnholdableExtras), 0u);
    EXPECT_NE(std::find_if(m_report.Replaced().begin(), m_report.Replaced().end(),
                           [](const std::string& line) {
                               return line.starts_with(
                                   "Lib_Extra: part \"MU\": field \"keywords\": replaced");
                           }),
              m_report.Replaced().end());
}

} // namespace
} // namespace k2k
