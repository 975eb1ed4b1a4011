#include "formats/Drawing.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

// Parses a text that must hold no problem, formats it, and parses the result again: the
// canonical text reads back to the same drawing and formats to itself.
Drawing RoundTrip(std::string_view text) {
    const ParsedDrawing parsed = ParseDrawing(text);
    EXPECT_TRUE(parsed.problems.empty())
        << parsed.problems.front().statement << ": " << parsed.problems.front().message;
    EXPECT_TRUE(parsed.drawing.has_value());
    if (!parsed.drawing)
        return {};
    const std::string canonical = FormatDrawing(*parsed.drawing);
    const ParsedDrawing again = ParseDrawing(canonical);
    EXPECT_TRUE(again.problems.empty()) << canonical;
    EXPECT_EQ(again.drawing, parsed.drawing) << canonical;
    if (again.drawing) {
        EXPECT_EQ(FormatDrawing(*again.drawing), canonical);
    }
    return *parsed.drawing;
}

TEST(DrawingTest, EveryKindRoundTripsThroughItsCanonicalText) {
    const Drawing gate = RoundTrip("k2kdraw 1 symbol\n"
                                   "# the body of one gate\n"
                                   "LINE -100 100 0 100; line -100 -100 0 -100\n"
                                   "\tLINE -100 100 -100 -100\r\n"
                                   "ARC 0 0 100 -90 180;;\n"
                                   "ARC 130 0 15 0 360\n"
                                   "TEXT -90 120 50   NAND  gate\n"
                                   "PIN 1 A l -300 50 200\n"
                                   "PIN 2 B L -300 -50 200\n"
                                   "PIN 3 Y r 445 0 300\n"
                                   "RECT -10 -10 +10 10");
    EXPECT_EQ(gate.kind, DrawingKind::Symbol);
    ASSERT_EQ(gate.lines.size(), 3u);
    EXPECT_EQ(gate.lines[1], (DrawLine{{-100, -100}, {0, -100}}));
    ASSERT_EQ(gate.arcs.size(), 2u);
    EXPECT_EQ(gate.arcs[0], (DrawArc{{0, 0}, 100, -90, 180}));
    ASSERT_EQ(gate.texts.size(), 1u);
    EXPECT_EQ(gate.texts[0].text, "NAND  gate") << "a text keeps its inner blanks";
    ASSERT_EQ(gate.pins.size(), 3u);
    EXPECT_EQ(gate.pins[2], (DrawPin{"3", "Y", PinSide::Right, {445, 0}, 300}));
    EXPECT_EQ(gate.rects.at(0).corner2, (DrawPoint{10, 10}));

    const Drawing dip = RoundTrip("K2KDRAW 1 PACKAGE\n"
                                  "PAD 2 C60H32 0 -100 0\nPAD 1 S60H32 0 0 90\n"
                                  "ORIGIN -150 50\nRECT -50 50 350 -150\n"
                                  "PAD MP MTG125 10000000 -10000000 -360\n");
    EXPECT_EQ(dip.origin, (DrawPoint{-150, 50}));
    ASSERT_EQ(dip.pads.size(), 3u);
    EXPECT_EQ(dip.pads[0], (DrawPad{"2", "C60H32", {0, -100}, 0}))
        << "pads keep the order they were given in";
    EXPECT_EQ(dip.pads[2].at, (DrawPoint{10000000, -10000000}));

    const Drawing pad = RoundTrip("K2KDRAW 1 PADSTACK;LAYER top square 60 60;"
                                  "LAYER BOTTOM ROUND 60 60;LAYER MaskTop Oblong 70 90;"
                                  "DRILL 32 unplated");
    ASSERT_EQ(pad.layers.size(), 3u);
    EXPECT_EQ(pad.layers[2], (DrawLayer{"MASKTOP", PadShape::Oblong, 70, 90}));
    EXPECT_EQ(pad.drill, 32);
    EXPECT_FALSE(pad.plated);

    const Drawing surface = RoundTrip("K2KDRAW 1 PADSTACK\nLAYER TOP RECT 24 60");
    EXPECT_EQ(surface.drill, 0) << "a pad without DRILL has no hole";
}

struct BadStatement {
    const char* name;
    const char* statement; // follows "K2KDRAW 1 SYMBOL\nLINE 0 0 1 1\n"
    const char* message;   // a piece of the message
};

TEST(DrawingTest, ABadStatementIsReportedByNumberAndTheRestIsKept) {
    const BadStatement cases[] = {
        {"unknown keyword", "CIRCLE 0 0 10", "unknown statement \"CIRCLE\""},
        {"too few fields", "PIN 1 A L 0 0", "PIN needs 6 fields, has 5"},
        {"a name of two words", "PIN 1 ~CLR X L 0 0 100", "PIN needs 6 fields, has 7"},
        {"not a number", "LINE 0 0 1x 1", "x2 \"1x\" is not a whole number"},
        {"a blank sign", "LINE 0 0 - 1", "x2 \"-\" is not a whole number"},
        {"two signs", "LINE 0 0 +-5 1", "x2 \"+-5\" is not a whole number"},
        {"beyond the drawing area", "LINE 0 10000001 0 0", "y1 \"10000001\" is out of range"},
        {"beyond any integer", "LINE 0 0 0 99999999999999999999999", "out of range"},
        {"a text without height", "TEXT 0 0 0 hello", "the height must be above 0"},
        {"a text without text", "TEXT 0 0 50", "TEXT needs a position, a height and a text"},
        {"no sweep", "ARC 0 0 10 0 0", "the sweep must not be 0"},
        {"a sweep beyond a turn", "ARC 0 0 10 0 361", "the sweep \"361\" is out of range"},
        {"a negative pin length", "PIN 1 A L 0 0 -100", "the length must be above 0"},
        {"an unknown side", "PIN 1 A LEFT 0 0 100", "the side \"LEFT\" is not L, R, T or B"},
        {"a pad in a symbol", "PAD 1 C60H32 0 0 0", "PAD belongs to packages, not to symbols"},
        {"a second format line", "K2KDRAW 1 SYMBOL", "K2KDRAW may only be the first"},
        {"a note without a text", "NOTE  ", "NOTE needs a text"},
    };
    // A line ends at LF, CR LF or a CR alone, and each is one end.
    for (const std::string end : {"\n", "\r", "\r\n"})
        for (const BadStatement& bad : cases) {
            SCOPED_TRACE(std::string(bad.name) + (end == "\r"   ? ", CR"
                                                  : end == "\n" ? ", LF"
                                                                : ", CR LF"));
            const std::string text = "K2KDRAW 1 SYMBOL" + end + "LINE 0 0 1 1" + end + "# pins" +
                                     end + bad.statement + end + "PIN 1 A L -200 0 100";
            const ParsedDrawing parsed = ParseDrawing(text);
            ASSERT_TRUE(parsed.drawing.has_value());
            ASSERT_EQ(parsed.problems.size(), 1u);
            EXPECT_EQ(parsed.problems[0].statement, 4) << "the comment counts as a statement";
            EXPECT_NE(parsed.problems[0].message.find(bad.message), std::string::npos)
                << parsed.problems[0].message;
            EXPECT_EQ(parsed.drawing->lines.size(), 1u);
            EXPECT_EQ(parsed.drawing->pins.size(), 1u) << "the statement after it is read";
            EXPECT_TRUE(parsed.drawing->arcs.empty() && parsed.drawing->texts.empty())
                << "the bad statement is left out";
        }

    // Statements that contradict an earlier one: the first is kept.
    const ParsedDrawing twice =
        ParseDrawing("K2KDRAW 1 PADSTACK;LAYER TOP ROUND 60 60;LAYER top SQUARE 70 70;"
                     "DRILL 32 PLATED;DRILL 40 PLATED;DRILL 40 SOLID;LAYER TOP HEX 1 1");
    ASSERT_EQ(twice.problems.size(), 4u);
    EXPECT_EQ(twice.problems[0].statement, 3);
    EXPECT_EQ(twice.problems[0].message, "layer TOP is given twice");
    EXPECT_EQ(twice.problems[1].message, "DRILL is given twice");
    EXPECT_NE(twice.problems[2].message.find("PLATED or UNPLATED"), std::string::npos);
    EXPECT_NE(twice.problems[3].message.find("the shape \"HEX\""), std::string::npos);
    EXPECT_EQ(twice.drawing->layers.at(0).width, 60);
    EXPECT_EQ(twice.drawing->drill, 32);
    const ParsedDrawing origins = ParseDrawing("K2KDRAW 1 PACKAGE;ORIGIN 1 1;ORIGIN 2 2");
    ASSERT_EQ(origins.problems.size(), 1u);
    EXPECT_EQ(origins.drawing->origin, (DrawPoint{1, 1}));

    const ParsedDrawing longWord = ParseDrawing("K2KDRAW 1 SYMBOL\n" + std::string(10000, 'Z'));
    ASSERT_EQ(longWord.problems.size(), 1u);
    EXPECT_LT(longWord.problems[0].message.size(), 80u) << "a long word is cut short";
}

TEST(DrawingTest, TheUnitAndNoteStatementsRoundTripAndMilsStayUnwritten) {
    // A metric package: the unit applies to the whole drawing wherever it stands, and the
    // canonical text gives it right after the format line, then the notes in their order.
    const Drawing metric = RoundTrip("K2KDRAW 1 PACKAGE\nPAD 1 R250X650 -325 0 90\nunit um\n"
                                     "Note body outline from  the (F.Fab) layer \n"
                                     "LINE -9999999 0 9999999 0\nNOTE 2nd; NOTE third");
    EXPECT_EQ(metric.unit, DrawUnit::Micrometre);
    EXPECT_EQ(metric.notes,
              (std::vector<std::string>{"body outline from  the (F.Fab) layer", "2nd", "third"}));
    EXPECT_EQ(FormatDrawing(metric), "K2KDRAW 1 PACKAGE\nUNIT UM\n"
                                     "NOTE body outline from  the (F.Fab) layer\nNOTE 2nd\n"
                                     "NOTE third\nLINE -9999999 0 9999999 0\n"
                                     "PAD 1 R250X650 -325 0 90\n");
    EXPECT_DOUBLE_EQ(MilsPerUnit(metric.unit) * 254, 10.0);

    // MIL is what a drawing without the statement means, so an existing text keeps its form.
    const Drawing mils = RoundTrip("K2KDRAW 1 PADSTACK\nUNIT MIL\nLAYER TOP ROUND 60 60");
    EXPECT_EQ(mils.unit, DrawUnit::Mil);
    EXPECT_EQ(FormatDrawing(mils), "K2KDRAW 1 PADSTACK\nLAYER TOP ROUND 60 60\n");

    // A second unit, an unknown one or a missing one is a problem; the first unit stays.
    const ParsedDrawing bad =
        ParseDrawing("K2KDRAW 1 SYMBOL\nUNIT UM\nUNIT MIL\nUNIT NM\nUNIT\nLINE 0 0 1 1");
    ASSERT_TRUE(bad.drawing.has_value());
    EXPECT_EQ(bad.drawing->unit, DrawUnit::Micrometre);
    EXPECT_EQ(bad.drawing->lines.size(), 1u);
    ASSERT_EQ(bad.problems.size(), 3u);
    EXPECT_EQ(bad.problems[0].statement, 3);
    EXPECT_EQ(bad.problems[0].message, "UNIT is given twice");
    EXPECT_EQ(bad.problems[1].message, "the unit \"NM\" is not MIL or UM");
    EXPECT_EQ(bad.problems[2].message, "UNIT needs 1 fields, has 0");
}

TEST(DrawingTest, TextWithoutAFormatLineIsNoDrawing) {
    for (const char* empty : {"", "\n \n", "# only a comment;;"}) {
        const ParsedDrawing parsed = ParseDrawing(empty);
        EXPECT_FALSE(parsed.drawing.has_value());
        ASSERT_EQ(parsed.problems.size(), 1u);
        EXPECT_EQ(parsed.problems[0].message, "no drawing");
    }
    const struct {
        const char* text;
        int statement;
        const char* message;
    } cases[] = {
        {"LINE 0 0 1 1\nK2KDRAW 1 SYMBOL", 1, "a drawing starts with \"K2KDRAW 1 SYMBOL"},
        {"\n#x\nK2KDRAW 2 SYMBOL\nLINE 0 0 1 1", 3, "format \"2\" is not known"},
        {"K2KDRAW 1 FOOTPRINT", 1, "kind \"FOOTPRINT\" is not SYMBOL, PACKAGE or PADSTACK"},
        {"K2KDRAW 1", 1, "a drawing starts with"},
    };
    for (const auto& bad : cases) {
        const ParsedDrawing parsed = ParseDrawing(bad.text);
        EXPECT_FALSE(parsed.drawing.has_value()) << bad.text;
        ASSERT_EQ(parsed.problems.size(), 1u) << bad.text << ": only the format line is reported";
        EXPECT_EQ(parsed.problems[0].statement, bad.statement) << bad.text;
        EXPECT_NE(parsed.problems[0].message.find(bad.message), std::string::npos)
            << parsed.problems[0].message;
    }
}

} // namespace
} // namespace k2k
