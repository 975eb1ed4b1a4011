// The sample suite's drawing rules and the shapes they share with the synthetic suites.

#include "sketch/SampleDrawings.h"
#include "sketch/SymbolShapes.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

Drawing Sample(DrawingKind kind, std::string_view name) {
    const auto drawing = SampleDrawing(kind, name);
    EXPECT_TRUE(drawing) << name << ": no rule";
    return drawing.value_or(Drawing{});
}

TEST(SampleDrawingsTest, PackagesPutPinOneWhereTheirRulesSay) {
    // Two pads of an odd spacing: pin 1 the odd mil further out.
    const Drawing chip = Sample(DrawingKind::Package, "0805");
    ASSERT_EQ(chip.pads.size(), 2u);
    EXPECT_EQ(chip.pads[0].at.x, -38); // 75 mils apart
    EXPECT_EQ(chip.pads[1].at.x, 37);
    EXPECT_EQ(chip.origin, (DrawPoint{0, 0}));

    const Drawing dip = Sample(DrawingKind::Package, "DIP8");
    ASSERT_EQ(dip.pads.size(), 8u);
    EXPECT_EQ(dip.pads[0].padstack, "S60H32"); // pin 1 square
    EXPECT_EQ(dip.pads[7].padstack, "C60H32");
    EXPECT_EQ(dip.pads[7].at, (DrawPoint{300, 0})) << "pin 8 faces pin 1";

    EXPECT_FALSE(SampleDrawing(DrawingKind::Package, "DIP14X")) << "a rule matches whole names";
    EXPECT_FALSE(SampleDrawing(DrawingKind::Symbol, "DIP8")) << "rules are per kind";
}

TEST(SampleDrawingsTest, PadstacksGetTheShapeAndSizesTheirNamesGive) {
    const Drawing oblong = Sample(DrawingKind::Padstack, "O40X70H28");
    EXPECT_EQ(oblong.drill, 28);
    EXPECT_TRUE(oblong.plated);
    ASSERT_FALSE(oblong.layers.empty());
    EXPECT_EQ(oblong.layers.front(), (DrawLayer{"TOP", PadShape::Oblong, 40, 70}));
    const Drawing bare = Sample(DrawingKind::Padstack, "MTG125NP");
    EXPECT_FALSE(bare.plated);
    EXPECT_EQ(bare.layers.size(), 2u); // only the mask is open
    const Drawing surface = Sample(DrawingKind::Padstack, "RR35X45");
    EXPECT_EQ(surface.drill, 0);
    ASSERT_FALSE(surface.layers.empty());
    EXPECT_EQ(surface.layers.back(), (DrawLayer{"PASTETOP", PadShape::Oblong, 35, 45}));
}

TEST(SampleDrawingsTest, SymbolPinsMeetTheirBodies) {
    // A two-row header: odd pins left, even pins right, level with each other.
    const Drawing header = Sample(DrawingKind::Symbol, "HDR2X3");
    ASSERT_EQ(header.pins.size(), 6u);
    EXPECT_EQ(header.pins[0].number, "1");
    EXPECT_EQ(header.pins[0].side, PinSide::Left);
    EXPECT_EQ(header.pins[3].number, "2");
    EXPECT_EQ(header.pins[3].side, PinSide::Right);
    EXPECT_EQ(header.pins[0].at.y, header.pins[3].at.y);

    // A 3-state buffer: input, output, then the enable on top, named as the rule says.
    const Drawing buffer = Sample(DrawingKind::Symbol, "74125");
    ASSERT_EQ(buffer.pins.size(), 3u);
    EXPECT_EQ(buffer.pins[0], (DrawPin{"2", "A", PinSide::Left, {-300, 0}, 200}));
    EXPECT_EQ(buffer.pins[1], (DrawPin{"3", "Y", PinSide::Right, {300, 0}, 200}));
    EXPECT_EQ(buffer.pins[2], (DrawPin{"1", "~OE", PinSide::Top, {0, 250}, 200}));

    // The pins below an amplifier end on its sloping lower edge.
    const Drawing amplifier = Sample(DrawingKind::Symbol, "OPAMP1");
    ASSERT_EQ(amplifier.pins.size(), 7u);
    EXPECT_EQ(amplifier.pins[5], (DrawPin{"1", "N1", PinSide::Bottom, {-100, -350}, 200}));
    EXPECT_EQ(amplifier.pins[6], (DrawPin{"5", "N2", PinSide::Bottom, {100, -250}, 200}));
}

// Gates of many inputs and inverted inputs, as the synthetic suites draw them.
TEST(SymbolShapesTest, AGateSpreadsItsInputsAndEndsThemOnItsBubbles) {
    GateLook look;
    look.inputs = 4;
    look.invertedInputs = true;
    look.invertedOutput = true;
    Sketch sketch(DrawingKind::Symbol);
    DrawGate(sketch, "G", look, LetteredGatePins(look));
    const Drawing& gate = sketch.Result();
    ASSERT_EQ(gate.pins.size(), 5u);
    // From four inputs on, 50 mils apart; each ends outside the bubble that touches the back.
    EXPECT_EQ(gate.pins[0], (DrawPin{"1", "A", PinSide::Left, {-330, 75}, 200}));
    EXPECT_EQ(gate.pins[3], (DrawPin{"4", "D", PinSide::Left, {-330, -75}, 200}));
    EXPECT_EQ(gate.pins[4], (DrawPin{"5", "Y", PinSide::Right, {330, 0}, 200}));
    ASSERT_EQ(gate.arcs.size(), 6u); // the front, four input bubbles, the output's
    EXPECT_EQ(gate.arcs[1], (DrawArc{{-115, 75}, kBubbleRadius, 0, 360}));
    EXPECT_EQ(gate.arcs[5], (DrawArc{{115, 0}, kBubbleRadius, 0, 360}));
}

} // namespace
} // namespace k2k
