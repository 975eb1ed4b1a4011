#pragma once
// The shapes padstacks are drawn with, each drawn here once, in mils: through-hole pads,
// surface pads and mounting holes, with their masks 6 mils wider than the copper. The
// sample suite's rules (SampleDrawings.h) and the synthetic padstacks draw with them.

#include "sketch/Sketch.h"

namespace k2k {

// A plated hole: copper of the shape on top and bottom, round on the inner layers (oblong
// for an oblong pad), the masks of both sides, the drill.
void DrawHolePad(Sketch& sketch, PadShape shape, int width, int height, int drill);
// A pad on top: copper, mask and paste.
void DrawSurfacePad(Sketch& sketch, PadShape shape, int width, int height);
// A mounting hole: plated with a round ring of copper on every layer, or, with ring 0,
// bare, only the masks open 10 mils wider than the hole.
void DrawMountingHole(Sketch& sketch, int drill, int ring);

} // namespace k2k
