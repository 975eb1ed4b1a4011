#include "kicad/FootprintImport.h"

#include "KicadText.h"
#include "kicad/KicadFootprints.h"
#include "search/InfoText.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

class FootprintImportTest : public ::testing::Test {
protected:
    // Reads one footprint text, as the file T.kicad_mod.
    Result<kicad::Footprint> Read(const std::string& text) {
        return test::ReadKicadText(m_document, text, "T.kicad_mod", kicad::ReadFootprint);
    }

    // Imports the footprints given as the library "library".
    void Import(const std::vector<std::string>& texts, std::string_view library = "Package_Test") {
        std::vector<kicad::Footprint> footprints;
        for (const std::string& text : texts) {
            auto footprint = Read(text);
            ASSERT_TRUE(footprint) << footprint.Message();
            footprints.push_back(std::move(*footprint));
        }
        ImportFootprintLibrary(footprints, library, {}, m_packages, m_padstacks, m_report);
    }

    std::string DrawingOf(std::string_view name) const {
        for (const LibraryObject& object : m_packages)
            if (object.name == name)
                return object.drawing;
        return "(no package " + std::string(name) + ")";
    }

    std::vector<std::string> PadstackNames() const {
        std::vector<std::string> names;
        for (const auto& [name, object] : m_padstacks)
            names.push_back(name);
        return names;
    }

    SDocument m_document;
    std::vector<LibraryObject> m_packages;
    Padstacks m_padstacks;
    ImportReport m_report;
};

constexpr const char* kGraphics = R"((footprint "GRAPHICS" (version 20211014) (layer "F.Cu")
  (descr "every graphic kind") (tags "test") (attr smd)
  (fp_text reference "REF**" (at 0 -3) (layer "F.SilkS") (effects (font (size 1 1))))
  (fp_text value "GRAPHICS" (at 0 3) (layer "F.Fab") (effects (font (size 1 1))))
  (fp_text user "${REFERENCE}" (at 0 3 90) (layer "F.SilkS")
    (effects (font (size 0.5 0.5)) (justify left bottom)))
  (fp_text user "hidden" (at 0 0) (layer "F.SilkS") hide (effects (font (size 1 1))))
  (fp_line (start -1 -0.5) (end 1 -0.5) (layer "F.SilkS") (width 0.12))
  (fp_rect (start -2 -1) (end 2 1) (layer "B.SilkS") (width 0.12) (fill none))
  (fp_circle (center 1 1) (end 1.5 1) (layer "F.SilkS") (width 0.12))
  (fp_arc (start 1 0) (mid 0 -1) (end -1 0) (layer "F.SilkS") (width 0.12))
  (fp_poly (pts (xy 0 0) (xy 1 0) (xy 1 1)) (layer "F.SilkS") (width 0) (fill solid))
  (fp_line (start -3 -3) (end 3 -3) (layer "F.Fab") (width 0.1))
  (fp_line (start -3 -3) (end 3 -3) (layer "F.CrtYd") (width 0.05))
  (fp_line (start -3 -3) (end 3 -3) (layer "F.Cu") (width 0.05))
  (fp_line (start -3 -3) (end 3 -3) (layer "Dwgs.User") (width 0.05))
  (zone (net 0) (layer "F.Cu"))
  (model "${KICAD6_3DMODEL_DIR}/x.wrl" (offset (xyz 0 0 0)))
))";

TEST_F(FootprintImportTest, TheSilkscreenIsDrawnInMicrometresWithYUpwardsAndTheRestCounted) {
    Import({kGraphics});
    ASSERT_EQ(m_packages.size(), 1u);
    EXPECT_EQ(m_packages[0].name, "GRAPHICS");
    const PackageInfo info = SplitPackageInfo(m_packages[0].info);
    EXPECT_EQ(info.description, "every graphic kind");
    EXPECT_EQ(info.type, "Package,Test");
    EXPECT_EQ(info.lastField, "") << "no JEDEC outline named";
    EXPECT_EQ(info.keywords, "test");
    EXPECT_EQ(DrawingOf("GRAPHICS"), "K2KDRAW 1 PACKAGE\n"
                                     "UNIT UM\n"
                                     "ORIGIN 0 0\n"
                                     "LINE -1000 500 1000 500\n"
                                     "LINE 0 0 1000 0\n"
                                     "LINE 1000 0 1000 -1000\n"
                                     "LINE 1000 -1000 0 0\n"
                                     "RECT -2000 1000 2000 -1000\n"
                                     "ARC 1000 -1000 500 0 360\n"
                                     "ARC 0 0 1000 0 180\n"
                                     "TEXT -1500 2500 1000 REF**\n"
                                     "TEXT 0 -3000 500 REF**\n");
    EXPECT_TRUE(ParseDrawing(DrawingOf("GRAPHICS")).problems.empty());
    EXPECT_TRUE(m_report.LeftOut().empty());
    EXPECT_EQ(m_report.Count(Loss::FootprintAttributes), 1u);
    EXPECT_EQ(m_report.Count(Loss::Models), 1u);
    EXPECT_EQ(m_report.Count(Loss::Zones), 1u);
    EXPECT_EQ(m_report.Count(Loss::FabricationGraphics), 2u) << "the value and the outline";
    EXPECT_EQ(m_report.Count(Loss::CourtyardGraphics), 1u);
    EXPECT_EQ(m_report.Count(Loss::CopperGraphics), 1u);
    EXPECT_EQ(m_report.Count(Loss::OtherLayerGraphics), 1u);
    EXPECT_EQ(m_report.Count(Loss::HiddenTexts), 1u);
    EXPECT_EQ(m_report.Count(Loss::TextRotations), 1u);
    EXPECT_EQ(m_report.Count(Loss::Fills), 1u);
    EXPECT_EQ(m_report.Count(Loss::LineWidths), 4u) << "the polygon has none";
    EXPECT_EQ(m_report.Count(Loss::RoundedMicrometres), 0u);
    EXPECT_EQ(m_report.Examples(Loss::Zones), std::vector<std::string>{"Package_Test: GRAPHICS"});
}

TEST_F(FootprintImportTest, WithoutASilkscreenOutlineTheFabricationOutlineIsDrawn) {
    // The older form: (module ...), words unquoted, an arc by centre, start and angle.
    Import({R"((module OLD (layer F.Cu) (tedit 5A02FF57)
  (fp_text reference REF** (at 0 0) (layer F.SilkS) (effects (font (size 1 1))))
  (fp_text value OLD (at 0 2) (layer F.Fab) (effects (font (size 1 1))))
  (fp_arc (start 0 0) (end 1 0) (angle 90) (layer F.Fab) (width 0.1))
  (fp_line (start 0 0) (end 0.0004 0) (layer F.Fab) (width 0.1))
  (pad 1 thru_hole circle (at 0 0) (size 1.7 1.7) (drill 1) (layers *.Cu *.Mask))
))"});
    // 90 degrees clockwise from the start: from 0 down to -90 in the drawing's axes.
    EXPECT_EQ(DrawingOf("OLD"), "K2KDRAW 1 PACKAGE\n"
                                "UNIT UM\n"
                                "NOTE body outline from the fabrication layer (F.Fab)\n"
                                "ORIGIN 0 0\n"
                                "LINE 0 0 0 0\n"
                                "ARC 0 0 1000 270 90\n"
                                "TEXT -1500 -500 1000 REF**\n"
                                "PAD 1 C1700H1000 0 0 0\n");
    EXPECT_EQ(m_report.Count(Loss::FabricationGraphics), 1u) << "the value's text";
    EXPECT_EQ(m_report.Count(Loss::RoundedMicrometres), 1u);
}

// A small-outline package's silkscreen: two open lines along the long sides (each in two
// pieces, meeting in the middle) and a filled pin-1 triangle. Its body is on F.Fab.
constexpr const char* kOpenSilkscreen = R"((footprint "SOIC-LIKE" (layer "F.Cu")
  (fp_text reference "REF**" (at 0 -3.4) (layer "F.SilkS") (effects (font (size 1 1))))
  (fp_text user "${REFERENCE}" (at 0 0) (layer "F.Fab") (effects (font (size 0.98 0.98))))
  (fp_line (start 0 -2.56) (end 1.95 -2.56) (layer "F.SilkS") (width 0.12))
  (fp_line (start 0 -2.56) (end -3.45 -2.56) (layer "F.SilkS") (width 0.12))
  (fp_line (start 0 2.56) (end 1.95 2.56) (layer "F.SilkS") (width 0.12))
  (fp_line (start 0 2.56) (end -1.95 2.56) (layer "F.SilkS") (width 0.12))
  (fp_poly (pts (xy -2.7 -2.5) (xy -2.94 -2.83) (xy -2.46 -2.83)) (layer "F.SilkS")
    (width 0.12) (fill solid))
  (fp_line (start -0.975 -2.45) (end 1.95 -2.45) (layer "F.Fab") (width 0.1))
  (fp_line (start 1.95 -2.45) (end 1.95 2.45) (layer "F.Fab") (width 0.1))
  (fp_line (start 1.95 2.45) (end -1.95 2.45) (layer "F.Fab") (width 0.1))
  (fp_line (start -1.95 2.45) (end -1.95 -1.475) (layer "F.Fab") (width 0.1))
  (fp_line (start -1.95 -1.475) (end -0.975 -2.45) (layer "F.Fab") (width 0.1))
  (pad "1" smd roundrect (at -2.475 -1.905) (size 1.95 0.6) (layers "F.Cu" "F.Paste" "F.Mask")
    (roundrect_rratio 0.25))
))";

TEST_F(FootprintImportTest, ASilkscreenWithoutAClosedOutlineGetsTheFabricationOutlineAndANote) {
    Import({kOpenSilkscreen});
    const std::string soic = DrawingOf("SOIC-LIKE");
    EXPECT_NE(soic.find("UNIT UM\nNOTE body outline from the fabrication layer (F.Fab)\n"),
              std::string::npos)
        << soic;
    EXPECT_NE(soic.find("LINE 1950 2450 1950 -2450\n"), std::string::npos) << "the body's side";
    EXPECT_NE(soic.find("LINE -1950 1475 -975 2450\n"), std::string::npos)
        << "the body's chamfer at pin 1";
    EXPECT_EQ(soic.find("TEXT 0 0"), std::string::npos) << "the fabrication text is not drawn";
    EXPECT_EQ(m_report.Count(Loss::FabricationGraphics), 1u) << "the text";

    // The same marks with a closed outline of their own beside them: each kind of one.
    const auto withSilkscreen = [](const std::string& outline) {
        std::string text = kOpenSilkscreen;
        text.insert(text.find("  (pad"), outline + "\n");
        return text;
    };
    const std::string silkscreen = R"( (layer "F.SilkS") (width 0.12))";
    const std::vector<std::pair<const char*, std::string>> closed = {
        {"a rectangle", "(fp_rect (start -2 -2) (end 2 2)" + silkscreen + " (fill none))"},
        {"a circle", "(fp_circle (center 0 0) (end 2 0)" + silkscreen + ")"},
        {"a polygon", "(fp_poly (pts (xy 0 0) (xy 1 0) (xy 1 1))" + silkscreen + ")"},
        {"lines and an arc",
         "(fp_line (start -1 -1) (end 1 -1)" + silkscreen + ")(fp_line (start 1 1) (end 1 -1)" +
             silkscreen + ")(fp_arc (start -1 -1) (mid -1.4142 0) (end 1 1)" + silkscreen + ")"},
        {"an arc and a line of the older form",
         "(fp_arc (start 0 0) (end 1 0) (angle 180)" + silkscreen +
             ")(fp_line (start 1 0) (end -1 0)" + silkscreen + ")"},
    };
    for (const auto& [name, outline] : closed) {
        m_report = {};
        Import({withSilkscreen(outline)});
        EXPECT_EQ(DrawingOf("SOIC-LIKE").find("NOTE"), std::string::npos) << name;
        EXPECT_EQ(DrawingOf("SOIC-LIKE").find("1950 -2450"), std::string::npos) << name;
        EXPECT_EQ(m_report.Count(Loss::FabricationGraphics), 6u) << name << ": lines and text";
    }
    // Marks that close nothing: a filled circle (a pin-1 dot), a line drawn twice back and
    // forth, a line of length 0.
    m_report = {};
    Import({withSilkscreen("(fp_circle (center 0 0) (end 0.2 0) (layer \"F.SilkS\") (fill solid))"
                           "(fp_line (start 3 3) (end 4 3)" +
                           silkscreen + ")(fp_line (start 4 3) (end 3 3)" + silkscreen +
                           ")(fp_line (start 5 5) (end 5 5)" + silkscreen + ")")});
    EXPECT_NE(DrawingOf("SOIC-LIKE").find("NOTE body outline"), std::string::npos);
}

TEST_F(FootprintImportTest, EachDistinctPadIsOnePadstackNamedByShapeSizesDrillAndLayers) {
    Import({R"((footprint "PADS" (layer "F.Cu")
  (pad "1" smd rect (at -1 0.5) (size 1.5 0.9) (layers "F.Cu" "F.Paste" "F.Mask"))
  (pad "2" smd rect (at 1 0.5 90) (size 1.5 0.9) (layers "F.Cu" "F.Paste" "F.Mask"))
  (pad "3" smd roundrect (at 0 0) (size 0.6 0.6) (layers "F.Cu" "F.Paste" "F.Mask")
    (roundrect_rratio 0.25) (solder_mask_margin 0.05))
  (pad "4" smd oval (at 0 0) (size 0.6 1.2) (layers "B.Cu" "B.Mask"))
  (pad "5" thru_hole oval (at 0 0) (size 1.7 1.7) (drill 1) (layers *.Cu *.Mask))
  (pad "6" thru_hole rect (at 0 0 45.5) (size 2 3) (drill oval 1 1.5) (layers *.Cu *.Mask))
  (pad "" np_thru_hole circle (at 0 0) (size 3.2 3.2) (drill 3.2) (layers F&B.Cu *.Mask))
  (pad "8" connect rect (at 0 0) (size 1 2) (layers "F.Cu" "F.Mask"))
  (pad "" smd rect (at 0 0) (size 0.5 0.5) (layers "F.Paste"))
  (pad "10" smd trapezoid (at 0 0) (size 1 1) (rect_delta 0 0.2) (layers "F.Cu" "F.Paste" "F.Mask"))
  (pad "11" smd custom (at 0 0) (size 0.5 0.5) (layers "F.Cu" "F.Paste" "F.Mask")
    (options (clearance outline) (anchor circle)) (primitives (gr_poly (pts (xy 0 0)))))
  (pad "12 A" smd circle (at 0 0) (size 0.8 0.8) (layers))
))",
            R"((footprint "SHARED" (layer "F.Cu")
  (pad "1" smd rect (at 2.54 -1.27) (size 1.5 0.9) (layers "F.Cu" "F.Paste" "F.Mask"))
))"});
    const std::vector<std::string> expected = {
        "C1700H1000", "C3200U3200_TBMTMB", "C800_NONE", "O600X1200_BMB", "R1000X2000_TMT",
        "R1500X900",  "R2000X3000H1000",   "S1000",     "S500",          "S500_PT",
        "S600"};
    EXPECT_EQ(PadstackNames(), expected) << "the second footprint's pad shares R1500X900";
    const std::string drawing = DrawingOf("PADS");
    EXPECT_NE(drawing.find("PAD 1 R1500X900 -1000 -500 0\nPAD 2 R1500X900 1000 -500 90\n"),
              std::string::npos)
        << drawing;
    EXPECT_NE(drawing.find("PAD 6 R2000X3000H1000 0 0 46\nPAD ~ C3200U3200_TBMTMB 0 0 0\n"),
              std::string::npos)
        << drawing;
    EXPECT_NE(drawing.find("PAD 12_A C800_NONE 0 0 0\n"), std::string::npos) << drawing;
    EXPECT_NE(DrawingOf("SHARED").find("PAD 1 R1500X900 2540 1270 0"), std::string::npos);

    const LibraryObject& slot = m_padstacks.at("R2000X3000H1000");
    EXPECT_EQ(slot.drawing, "K2KDRAW 1 PADSTACK\n"
                            "UNIT UM\n"
                            "LAYER TOP RECT 2000 3000\n"
                            "LAYER BOTTOM RECT 2000 3000\n"
                            "LAYER INNER RECT 2000 3000\n"
                            "LAYER MASKTOP RECT 2000 3000\n"
                            "LAYER MASKBOTTOM RECT 2000 3000\n"
                            "DRILL 1000 PLATED\n");
    const PackageInfo slotInfo = SplitPackageInfo(slot.info);
    EXPECT_EQ(slotInfo.description, "Rectangular pad 2.00 x 3.00 mm, drill 1.00 mm, plated");
    EXPECT_EQ(slotInfo.type, "Through-hole,Rectangular");
    EXPECT_EQ(slotInfo.lastField, "Rectangular");
    // Front and back copper only: no inner layer.
    EXPECT_EQ(m_padstacks.at("C3200U3200_TBMTMB").drawing,
              "K2KDRAW 1 PADSTACK\nUNIT UM\nLAYER TOP ROUND 3200 3200\n"
              "LAYER BOTTOM ROUND 3200 3200\nLAYER MASKTOP ROUND 3200 3200\n"
              "LAYER MASKBOTTOM ROUND 3200 3200\nDRILL 3200 UNPLATED\n");
    EXPECT_EQ(m_padstacks.at("S500_PT").drawing,
              "K2KDRAW 1 PADSTACK\nUNIT UM\nLAYER PASTETOP SQUARE 500 500\n");
    for (const auto& [name, padstack] : m_padstacks)
        EXPECT_TRUE(ParseDrawing(padstack.drawing).problems.empty()) << name;

    EXPECT_EQ(m_report.Count(Loss::RoundedPads), 1u);
    EXPECT_EQ(m_report.Count(Loss::OtherPadShapes), 2u);
    EXPECT_EQ(m_report.Count(Loss::Slots), 1u);
    EXPECT_EQ(m_report.Count(Loss::PadSettings), 1u);
    EXPECT_EQ(m_report.Count(Loss::PadRotations), 1u);
    EXPECT_EQ(m_report.Count(Loss::PinTextCharacters), 1u);
}

TEST_F(FootprintImportTest, AFootprintThatCannotBeReadOrHeldIsRefusedAlone) {
    EXPECT_EQ(Read("(footprint \"BAD\"\n  (pad \"1\" smd rect (at x 0) (size 1 1)))").Message(),
              "T.kicad_mod:2: (at) of a pad: \"x\" is not a number");
    EXPECT_EQ(Read("(footprint \"BAD\" (pad \"1\" smd rect (at 0 0)))").Message(),
              "T.kicad_mod:1: a pad has no (size)");
    EXPECT_EQ(Read("(kicad_symbol_lib)").Message(),
              "T.kicad_mod:1: not a footprint: (footprint ...) is missing");
    EXPECT_EQ(Read("(footprint \"BAD\"").Message(),
              "T.kicad_mod:1: a list that starts here is not closed");

    // Texts the suite cannot hold, and a name the library holds already in another case.
    Import({"(footprint \"A\" (descr \"3 \xCE\xBC"
            "F\"))",
            "(footprint \"B\" (fp_text user \"\xE2\x88\x92\" (at 0 0) (layer \"F.SilkS\")))",
            "(footprint \"C\" (pad \"1\" smd rect (at 0 0) (size 1 1) (layers \"F.Cu\")))",
            "(footprint \"c\")", "(footprint \"D\")"});
    ASSERT_EQ(m_packages.size(), 2u);
    EXPECT_EQ(m_packages[0].name, "C");
    EXPECT_EQ(m_packages[1].name, "D");
    const std::vector<std::string> leftOut = {
        "Package_Test: package \"A\": field \"description\" holds the character \"\xCE\xBC\" "
        "(U+03BC), which Windows-1252 cannot hold",
        "Package_Test: package \"B\": field \"drawing\" holds the character \"\xE2\x88\x92\" "
        "(U+2212), which Windows-1252 cannot hold",
        "Package_Test: package \"c\": the library already holds package \"C\" (names are "
        "compared without regard to case); the first is kept"};
    EXPECT_EQ(m_report.LeftOut(), leftOut);
    EXPECT_EQ(PadstackNames(), std::vector<std::string>{"S1000_T"});
}

// A package whose pad cannot be made would lose it or gain one that is not there.
TEST_F(FootprintImportTest, APackageWithAPadThatCannotBeMadeIsLeftOutNamingThePad) {
    const auto pad = [](const std::string& name, const std::string& items) {
        return "(footprint \"" + name +
               "\"\n  (pad \"1\" smd rect (at 0 0) (size 1 1))\n  (pad \"2\" " + items +
               " (layers \"F.Cu\")))";
    };
    Import({pad("ZERO", "smd rect (at 1 0) (size 0 1)"),
            pad("NEGATIVE", "smd rect (at 1 0) (size 1 -0.5)"),
            pad("TINY", "smd rect (at 1 0) (size 0.0004 1)"),
            pad("NO_DRILL", "thru_hole circle (at 1 0) (size 1 1) (drill -0.8)"),
            pad("FAR", "smd rect (at 10000.001 0) (size 1 1)"),
            pad("HUGE", "smd rect (at 0 0) (size 1 20000)"),
            pad("EDGE", "smd rect (at -10000 0) (size 0.001 10000)")});
    const std::string ofPad2 = "\": pad \"2\" on line 3: ";
    const std::string beyond = "its place, size or drill lies beyond +-10,000,000 micrometres";
    const std::vector<std::string> leftOut = {
        "Package_Test: package \"ZERO" + ofPad2 + "its width or height is below 1 micrometre",
        "Package_Test: package \"NEGATIVE" + ofPad2 + "its width or height is below 1 micrometre",
        "Package_Test: package \"TINY" + ofPad2 + "its width or height is below 1 micrometre",
        "Package_Test: package \"NO_DRILL" + ofPad2 + "its drill is below 1 micrometre",
        "Package_Test: package \"FAR" + ofPad2 + beyond,
        "Package_Test: package \"HUGE" + ofPad2 + beyond};
    EXPECT_EQ(m_report.LeftOut(), leftOut);
    ASSERT_EQ(m_packages.size(), 1u);
    EXPECT_NE(m_packages[0].drawing.find("PAD 2 R1X10000000_T -10000000 0 0"), std::string::npos)
        << m_packages[0].drawing;
    EXPECT_EQ(PadstackNames(), (std::vector<std::string>{"R1X10000000_T", "S1000_NONE"}))
        << "a package left out adds no padstack";
    EXPECT_EQ(m_report.Count(Loss::OutOfRange), 0u);
}

// The outlines the real libraries' descriptions name, and texts that name none.
TEST(JedecNameTest, TheOutlineAfterTheWordJedecAndABlank) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"SOIC, 8 Pin (JEDEC MS-012AA, https://www.analog.com/media/r_8.pdf), generated with "
         "kicad-footprint-generator ipc_gullwing_generator.py",
         "MS-012AA"},
        {"PowerSO-20 Exposed Pad Up (PowerSO-20) [JEDEC MO-166] (http://www.st.com/x.pdf)",
         "MO-166"},
        {"HTSSOP, 28 Pin (JEDEC MO-153 Var AET Pkg.) (https://www.ti.com/lit/ds/symlink/x.pdf)",
         "MO-153"},
        {"TSSOP, 14 Pin (JEDEC MO-153 Var AB-1 https://www.jedec.org/x)", "MO-153"},
        {"QFN, 16 Pin (http://www.ti.com/lit/ds/x.pdf#page=56 JEDEC MO-220 variation VJ)",
         "MO-220"},
        {"Vias 10.3mm Pitch 0.8mm [JEDEC MO-271]", "MO-271"},
        {"JEDEC MO-220", "MO-220"},
        {"see JEDEC MO-220 and JEDEC MS-012AA", "MO-220"},
        {"ESD-Logo, similar JEDEC-14, without text, ohne Text, Copper Top,", ""},
        {"JEDEC standard outline", ""},
        {"JEDEC MO", ""},
        {"JEDEC MO-", ""},
        {"JEDEC -220", ""},
        {"JEDEC  MO-220", ""},
        {"JEDEC MO-220X1", ""},
        {"JEDEC mo-220", ""},
        {"NOTJEDEC MO-220", ""},
        {"not JEDEC-14, but JEDEC MS-013AD.", "MS-013AD"},
    };
    for (const auto& [description, name] : cases)
        EXPECT_EQ(JedecName(description), name) << description;
}

TEST_F(FootprintImportTest, TagsAndTheJedecNameReachThePackageLibrary) {
    Import({R"FP((footprint "SOIC-8_3.9x4.9mm_P1.27mm" (layer "F.Cu")
  (descr "SOIC, 8 Pin (JEDEC MS-012AA, https://www.analog.com/r_8.pdf)")
  (tags "SOIC  SO,8")))FP",
            "(footprint \"PLAIN\" (tags))",
            "(footprint \"LONG\" (descr \"" + std::string(4000, 'd') + "\") (tags \"" +
                std::string(200, 't') + "\"))",
            "(footprint \"OHM\" (tags \"1\xCE\xA9 shunt\"))"});
    const auto packages = test::ThroughLibraryFile(LibraryKind::Package, m_packages);
    ASSERT_EQ(packages.size(), 4u);
    const PackageInfo soic = SplitPackageInfo(packages[0].info);
    EXPECT_EQ(soic.lastField, "MS-012AA");
    EXPECT_EQ(soic.keywords, "SOIC,SO,8");
    EXPECT_EQ(packages[1].info, ComposeInfo({"", "Package,Test", ""}));
    EXPECT_EQ(packages[2].info, ComposeInfo({std::string(4000, 'd'), "Package,Test", ""}))
        << "too long with its keywords, kept without them";
    EXPECT_EQ(packages[3].info, ComposeInfo({"", "Package,Test", ""}))
        << "kept without the keywords it cannot hold";
    EXPECT_TRUE(m_report.LeftOut().empty());
    EXPECT_EQ(m_report.Examples(Loss::ExtrasTooLong),
              std::vector<std::string>{"Package_Test: LONG"});
    EXPECT_EQ(m_report.Examples(Loss::UnholdableExtras),
              std::vector<std::string>{"Package_Test: OHM"});
}

} // namespace
} // namespace k2k
