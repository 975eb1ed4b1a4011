#include "kicad/KicadSymbols.h"

#include "KicadText.h"
#include "kicad/KicadFootprints.h"

#include <gtest/gtest.h>

namespace k2k::kicad {
namespace {

class KicadSymbolsTest : public ::testing::Test {
protected:
    bool Read(const std::string& symbols) {
        std::string text =
            "(kicad_symbol_lib (version 20211014) (generator kicad_symbol_editor)\n" + symbols +
            ")\n";
        auto read =
            test::ReadKicadText(m_document, std::move(text), "T.kicad_sym", ReadSymbolLibrary);
        m_error = read ? "" : read.Message();
        m_library = read ? std::move(*read) : SymbolLibrary();
        return read.Ok();
    }

    SDocument m_document;
    SymbolLibrary m_library;
    std::string m_error;
};

TEST_F(KicadSymbolsTest, ASymbolWithPropertiesFlagsUnitsGraphicsAndPins) {
    ASSERT_TRUE(Read(
        R"(  (symbol "74LS74" (power) (pin_names (offset 1.016) hide) (in_bom no) (on_board yes)
    (property "Reference" "U" (id 0) (at 0 0 0) (effects (font (size 1.27 1.27))))
    (property "ki_description" "dual D \"flip-flop\"" (id 6) (at 0 0 0))
    (symbol "74LS74_0_1"
      (rectangle (start -7.62 5.08) (end 7.62 -5.08) (stroke (width 0.254) (type default)) (fill (type background)))
      (polyline (pts (xy 0 0) (xy 1.27 1.27) (xy 2.54 0)) (stroke (width 0) (type default)) (fill (type none)))
      (arc (start 0 -3.81) (mid 3.81 0) (end 0 3.81) (stroke (width 0)) (fill (type none)))
      (circle (center 1 2) (radius 0.5) (stroke (width 0)) (fill (type outline)))
      (text "D" (at 1.5 0 900) (effects (font (size 2.54 2.0)) (justify left top)))
      (bezier (pts (xy 0 0))))
    (symbol "74LS74_1_1"
      (pin input clock (at -10.16 0 0) (length 2.54) hide
        (name "C" (effects (font (size 1.27 1.27))))
        (number "3" (effects (font (size 1.27 1.27))))
        (alternate "X" input line) (alternate "Y" input line)))
    (symbol "74LS74_2_2"
      (pin output inverted (at 10.16 0 180) (length 2.54) (hide yes) (name "~" ) (number "6"))))
)")) << m_error;
    ASSERT_EQ(m_library.symbols.size(), 1u);
    EXPECT_TRUE(m_library.problems.empty());
    const Symbol& s = m_library.symbols[0];
    EXPECT_EQ(s.name, "74LS74");
    EXPECT_EQ(s.line, 2u);
    EXPECT_TRUE(s.power);
    EXPECT_EQ(s.inBom, false);
    EXPECT_EQ(s.onBoard, true);
    EXPECT_TRUE(s.pinNamesHidden);
    EXPECT_FALSE(s.pinNumbersHidden);
    ASSERT_NE(s.Property("ki_description"), nullptr);
    EXPECT_EQ(*s.Property("ki_description"), "dual D \"flip-flop\"");
    EXPECT_EQ(s.Property("Footprint"), nullptr);
    EXPECT_EQ(s.unread.Summary(), "bezier") << "unknown items are noted, not fatal";

    ASSERT_EQ(s.units.size(), 3u);
    EXPECT_EQ(s.units[0].unit, 0);
    EXPECT_EQ(s.units[0].style, 1);
    EXPECT_EQ(s.units[2].unit, 2);
    EXPECT_EQ(s.units[2].style, 2);
    const auto& g = s.units[0].graphics;
    ASSERT_EQ(g.size(), 5u);
    EXPECT_EQ(g[0].shape, Graphic::Shape::Rectangle);
    EXPECT_EQ(g[0].points, (std::vector<Point>{{{-762, 2}, {508, 2}}, {{762, 2}, {-508, 2}}}));
    EXPECT_TRUE(g[0].filled);
    EXPECT_EQ(g[0].strokeWidth, (Decimal{254, 3}));
    EXPECT_EQ(g[1].shape, Graphic::Shape::Polyline);
    EXPECT_EQ(g[1].points.size(), 3u);
    EXPECT_FALSE(g[1].filled);
    EXPECT_EQ(g[2].shape, Graphic::Shape::Arc);
    EXPECT_EQ(g[2].points[1], (Point{{381, 2}, {}}));
    EXPECT_EQ(g[3].shape, Graphic::Shape::Circle);
    EXPECT_EQ(g[3].radius, (Decimal{5, 1}));
    EXPECT_TRUE(g[3].filled);
    EXPECT_EQ(g[4].shape, Graphic::Shape::Text);
    EXPECT_EQ(g[4].text, "D");
    EXPECT_EQ(g[4].textHeight, (Decimal{254, 2}));
    EXPECT_EQ(g[4].angle, (Decimal{900, 0}));
    EXPECT_EQ(g[4].horizontal, Justify::Start);
    EXPECT_EQ(g[4].vertical, Justify::End);

    const Pin& clock = s.units[1].pins.at(0);
    EXPECT_EQ(clock.electricalType, "input");
    EXPECT_EQ(clock.style, "clock");
    EXPECT_EQ(clock.at, (Point{{-1016, 2}, {}}));
    EXPECT_EQ(clock.length, (Decimal{254, 2}));
    EXPECT_EQ(clock.name, "C");
    EXPECT_EQ(clock.number, "3");
    EXPECT_TRUE(clock.hidden);
    EXPECT_EQ(clock.alternates, 2u);
    const Pin& out = s.units[2].pins.at(0);
    EXPECT_EQ(out.angle, (Decimal{180, 0}));
    EXPECT_TRUE(out.hidden) << "(hide yes), as later versions write it";
    EXPECT_EQ(out.name, "~");
}

// A file of a hundred thousand items the readers do not know: each keyword is kept once,
// with the number of its items, and found again by its name, not by a walk of the others.
TEST_F(KicadSymbolsTest, EveryUnknownKeywordIsCountedOnceInSymbolsAndFootprints) {
    constexpr std::size_t kKeywords = 50'000;
    std::string items;
    for (int round = 0; round < 2; ++round)
        for (std::size_t i = 0; i < kKeywords; ++i)
            items += "(k" + std::to_string(i) + ")";
    const auto check = [&](const UnreadKeywords& unread) {
        ASSERT_EQ(unread.Keywords().size(), kKeywords);
        for (std::size_t i = 0; i < kKeywords; ++i) {
            ASSERT_EQ(unread.Keywords()[i].keyword, "k" + std::to_string(i));
            ASSERT_EQ(unread.Keywords()[i].items, 2u);
        }
        EXPECT_EQ(unread.Summary(), "k0 (2 items), k1 (2 items), k2 (2 items), k3 (2 items), k4 "
                                    "(2 items) and 49995 more");
    };
    ASSERT_TRUE(Read("(symbol \"Q\" " + items + ")")) << m_error;
    ASSERT_EQ(m_library.symbols.size(), 1u);
    check(m_library.symbols[0].unread);

    SDocument document;
    const auto footprint = test::ReadKicadText(document, "(footprint \"Q\" " + items + ")",
                                               "Q.kicad_mod", ReadFootprint);
    ASSERT_TRUE(footprint) << footprint.Message();
    check(footprint->unread);
}

// A broken symbol, and any symbol of a second library in the file, is listed.
TEST_F(KicadSymbolsTest, ABrokenSymbolIsLeftOutAndTheOthersRead) {
    ASSERT_TRUE(Read(
        R"(  (symbol "A" (symbol "A_1_1" (pin input line (at 0 0 0) (length 2.54) (name "x") (number "1"))))
  (symbol "B" (symbol "B_1_1" (pin input line (length 2.54) (name "x") (number "1"))))
  (symbol "C" (symbol "C_1_1" (rectangle (start 0 zero) (end 1 1))))
  (symbol "D" (symbol "D_one" ))
  (symbol "E" (extends "A") (property "Footprint" "Lib:FP" (id 2)))
)
(kicad_symbol_lib (symbol "F") (symbol "G" (symbol "G_1_1")))
(kicad_symbol_lib
)")) << m_error;
    ASSERT_EQ(m_library.symbols.size(), 2u);
    EXPECT_EQ(m_library.symbols[0].name, "A");
    EXPECT_EQ(m_library.symbols[1].name, "E");
    EXPECT_EQ(m_library.symbols[1].extends, "A");
    EXPECT_EQ(m_library.problems,
              (std::vector<std::string>{
                  "T.kicad_sym:3: symbol \"B\": a pin has no (at)",
                  "T.kicad_sym:4: symbol \"C\": (start) of a rectangle: \"zero\" is not a number",
                  "T.kicad_sym:5: symbol \"D\": the unit \"D_one\" does not end in _UNIT_STYLE "
                  "(two numbers)",
                  "T.kicad_sym:8: symbol \"F\": it lies in a second (kicad_symbol_lib ...) of the "
                  "file, which is not read",
                  "T.kicad_sym:8: symbol \"G\": it lies in a second (kicad_symbol_lib ...) of the "
                  "file, which is not read",
                  "T.kicad_sym:9: a second (kicad_symbol_lib ...) of the file is not read",
              }));
}

TEST_F(KicadSymbolsTest, AFileThatIsNoSymbolLibraryIsAnError) {
    ASSERT_TRUE(m_document.Parse("(kicad_pcb (version 1))", "X.kicad_sym"));
    EXPECT_EQ(ReadSymbolLibrary(m_document, "X.kicad_sym").Message(),
              "X.kicad_sym:1: not a symbol library: (kicad_symbol_lib ...) is missing");
}

} // namespace
} // namespace k2k::kicad
