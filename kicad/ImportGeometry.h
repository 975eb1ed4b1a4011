#pragma once
// What the drawings of imported symbols and footprints share: the range of the drawing
// format's numbers, whole numbers from exact ones, the arc through three points, a text
// placed by its anchor, and a name or number turned into one word of a statement.

#include "kicad/KicadSymbols.h"

#include "formats/Drawing.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace k2k {

inline constexpr std::int64_t kDrawingLimit = 10'000'000; // a coordinate, as the format allows
inline constexpr double kWhole = 1e-6; // a double this close to a whole number is one

// The angle of (x, y) in degrees, -180 to 180.
double DegreesOf(double y, double x);
// The counter-clockwise turn from one angle to another, 0 to 360.
double CounterClockwise(double from, double to);
bool Whole(double value);
bool InDrawingRange(double value);
// Characters of a UTF-8 text.
std::size_t CodePoints(std::string_view utf8);

// A pin or pad name or number as one word of a statement: blanks around it do not count,
// an empty one is "~" (none), and blanks, semicolons and control characters inside become
// "_" (changed is then set).
std::string StatementWord(std::string_view text, bool& changed);

// A text of height h anchored at anchor with the source's justification, placed by the
// start of its baseline as the format places texts (its width estimated from an average
// character's); nullopt beyond the format's range.
std::optional<DrawText> PlacedText(DrawPoint anchor, int h, std::string text,
                                   kicad::Justify horizontal, kicad::Justify vertical);

// An arc in the drawing's units, not yet whole.
struct ExactArc {
    double cx = 0;
    double cy = 0;
    double radius = 0;
    double start = 0; // degrees, any
    double sweep = 0; // degrees counter-clockwise, 0 to 360
};

// The arc from s to e by the way of m; nullopt when the three points lie on a line.
std::optional<ExactArc> ArcThrough(double sx, double sy, double mx, double my, double ex,
                                   double ey);

// The arc in whole numbers, or nullopt beyond the format's range; rounded is set when a
// number was not whole.
std::optional<DrawArc> WholeArc(const ExactArc& arc, bool& rounded);

} // namespace k2k
