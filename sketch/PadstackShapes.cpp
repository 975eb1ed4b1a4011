#include "sketch/PadstackShapes.h"

namespace k2k {

namespace {

constexpr int kMaskGrowth = 6; // the mask's opening beyond the copper

} // namespace

void DrawHolePad(Sketch& s, PadShape shape, int width, int height, int drill) {
    s.Layer("TOP", shape, width, height).Layer("BOTTOM", shape, width, height);
    s.Layer("INNER", shape == PadShape::Oblong ? PadShape::Oblong : PadShape::Round, width, height);
    s.Layer("MASKTOP", shape, width + kMaskGrowth, height + kMaskGrowth);
    s.Layer("MASKBOTTOM", shape, width + kMaskGrowth, height + kMaskGrowth);
    s.Drill(drill, true);
}

void DrawSurfacePad(Sketch& s, PadShape shape, int width, int height) {
    s.Layer("TOP", shape, width, height);
    s.Layer("MASKTOP", shape, width + kMaskGrowth, height + kMaskGrowth);
    s.Layer("PASTETOP", shape, width, height);
}

void DrawMountingHole(Sketch& s, int drill, int ring) {
    int mask = drill + 10;
    if (ring > 0) {
        s.Layer("TOP", PadShape::Round, ring, ring)
            .Layer("BOTTOM", PadShape::Round, ring, ring)
            .Layer("INNER", PadShape::Round, ring, ring);
        mask = ring + kMaskGrowth;
    }
    s.Layer("MASKTOP", PadShape::Round, mask, mask)
        .Layer("MASKBOTTOM", PadShape::Round, mask, mask);
    s.Drill(drill, ring > 0);
}

} // namespace k2k
