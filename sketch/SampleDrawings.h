#pragma once
// The drawings of the sample suite's symbols, packages and padstacks, made from rules per
// family rather than kept by hand in its sources: gates by their function, boxes with their
// pin lists, transistors, diodes and two-terminal parts by their look; dual in-line and
// small-outline packages by pin count and pitch, in-line, two-pad, axial and radial
// outlines; padstacks by the shape and sizes their names give (S60H32: square, 60 mils,
// a plated hole of 32; R24X60: a rectangular surface pad). The rules name the shapes and
// their sizes; the shapes themselves are drawn in SymbolShapes.h, PackageShapes.h and
// PadstackShapes.h, which the synthetic suites draw with too. "k2klib draw" fills the
// drawings in when the build makes the sample suite (docs/drawings.md).

#include "formats/Drawing.h"

#include <optional>
#include <string_view>

namespace k2k {

// The drawing of the object of this kind and name, or nothing when no rule knows it.
std::optional<Drawing> SampleDrawing(DrawingKind kind, std::string_view name);

} // namespace k2k
