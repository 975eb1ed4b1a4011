// The families the synthetic suites are made of, every combination of each.

#include "synthetic/SyntheticFamily.h"

#include "formats/Drawing.h"

#include <gtest/gtest.h>

#include <set>

namespace k2k::synthetic {
namespace {

// Every drawing a family can make reads back as it was written, is of its kind and has
// pins, pads or layers; every pad is made of a padstack the padstack families make.
TEST(SyntheticFamiliesTest, EveryDrawingReadsAndEveryPadIsAPadstackOfTheFamilies) {
    std::set<std::string> padstacks;
    std::string name, info, drawing;
    for (const WeightedFamily& weighted : PadstackFamilies())
        for (std::uint64_t c = 0; c < weighted.family->Combinations(); ++c) {
            weighted.family->Make(c, name, info);
            padstacks.insert(name);
        }

    const std::pair<std::vector<WeightedFamily>, DrawingKind> kinds[] = {
        {SymbolFamilies(), DrawingKind::Symbol},
        {PackageFamilies(), DrawingKind::Package},
        {PadstackFamilies(), DrawingKind::Padstack}};
    for (const auto& [families, kind] : kinds) {
        for (const WeightedFamily& weighted : families) {
            for (std::uint64_t c = 0; c < weighted.family->Combinations(); ++c) {
                weighted.family->Make(c, name, info);
                weighted.family->Draw(c, drawing);
                const ParsedDrawing parsed = ParseDrawing(drawing);
                const Drawing& d = parsed.drawing ? *parsed.drawing : Drawing{};
                ASSERT_TRUE(parsed.drawing && parsed.problems.empty() && d.kind == kind &&
                            FormatDrawing(d) == drawing)
                    << name << ":\n"
                    << drawing;
                ASSERT_TRUE(!d.pins.empty() || !d.pads.empty() || !d.layers.empty()) << name;
                for (const DrawPad& pad : d.pads)
                    ASSERT_TRUE(padstacks.contains(pad.padstack))
                        << name << " pad " << pad.number << ": no padstack " << pad.padstack;
            }
        }
    }
    for (const WeightedFamily& weighted : PartFamilies()) {
        weighted.family->Draw(0, drawing);
        EXPECT_EQ(drawing, "") << "parts have no drawing";
    }
}

} // namespace
} // namespace k2k::synthetic
