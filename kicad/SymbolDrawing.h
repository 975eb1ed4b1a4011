#pragma once
// The drawing of an imported symbol in the suite's format (formats/Drawing.h): the
// graphics and pins of one sub-symbol of the source, millimetres turned into whole mils.
//
//   rectangle -> RECT, polyline -> one LINE per segment, circle -> ARC with a sweep of 360,
//   arc (start, a point on the way, end) -> ARC by its centre, radius, start angle and
//   counter-clockwise sweep, text -> TEXT with its baseline start estimated from the
//   source's anchor and justification, pin -> PIN on the side its angle gives.
//
// An inverted pin gets the inversion circle between its inner end and the body (the pin
// is shortened by the circle's diameter, its outer end stays), a clock pin the clock
// wedge inside the body, both as graphics of the drawing. Everything the format cannot
// carry is counted as a loss of the object.

#include "formats/Drawing.h"
#include "kicad/ImportReport.h"
#include "kicad/KicadSymbols.h"

#include <string_view>

namespace k2k {

// The clock wedge's size, in mils: from the body's edge to its tip. An inverted pin's circle
// is a gate's bubble (sketch/SymbolShapes.h), less on short pins.
inline constexpr int kClockSize = 25;

// The sub-symbol drawn: a symbol drawing holding only its statements.
Drawing DrawSubSymbol(const kicad::Unit& unit, const LossSink& lose);

// Appends the statements of part to drawing.
void AppendDrawing(Drawing& drawing, const Drawing& part);

} // namespace k2k
