#pragma once
// Whether a footprint's silkscreen draws a closed outline of its own: the body a person
// knows a package by. Many silkscreens draw only marks beside the body (two open lines along
// a small-outline package's long sides and a filled pin-1 triangle, two short lines by a
// chip resistor); the fabrication layer then holds the body, and the import draws that.
//
// The graphics close an outline when they hold
//   - an unfilled rectangle, circle or polygon of three corners or more (a filled one is a
//     mark: a pin-1 dot or triangle), or
//   - lines and arcs whose ends meet in a closed chain: some of them, each starting where
//     the one before it ends, the last ending where the first starts. Ends meet when they
//     are the same point in whole micrometres. A line or arc whose ends are one point, and
//     one drawn twice, take no part; an arc of the older form that sweeps a whole turn is
//     closed by itself.
// Texts take no part.

#include "kicad/KicadFootprints.h"

#include <span>

namespace k2k {

bool ClosesAnOutline(std::span<const kicad::FootprintGraphic* const> graphics);

} // namespace k2k
