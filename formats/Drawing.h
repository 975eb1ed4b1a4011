#pragma once
// The drawing of a symbol, package or padstack: what a viewer draws. It is kept as text in
// the drawing section of the object's library file (LibraryObject::drawing), so a library
// built from a spreadsheet can carry it in one column.
//
// The text is a list of statements separated by ";" or line ends (LF, CR LF or a CR
// alone). Blank statements and statements starting with "#" are skipped. The first
// statement names the format and the kind: "K2KDRAW 1 SYMBOL", "K2KDRAW 1 PACKAGE" or
// "K2KDRAW 1 PADSTACK". Each other statement is a keyword and its fields separated by
// blanks; lengths and coordinates are whole numbers (one sign at most) of the drawing's
// unit, mils (1/1000 inch) unless a UNIT statement says otherwise, x to the right and y
// upwards, angles whole degrees counter-clockwise from the positive x axis. A name field
// is one word; the text of TEXT and NOTE runs to the end of its statement. A pin's name and
// a TEXT may mark runs to be drawn with a bar over them, "~{RESET}" (formats/TextMarkup.h).
//
//   every kind   UNIT MIL|UM                 the unit of every length and coordinate of
//                                            the drawing, wherever the statement stands:
//                                            mils or micrometres (for metric sources);
//                                            once at most, MIL when none is given
//                LINE x1 y1 x2 y2            a line
//                RECT x1 y1 x2 y2            a rectangle by two opposite corners
//                ARC cx cy r start sweep     an arc; a sweep of 360 is a circle
//                TEXT x y height text...     a text, its baseline starting at x y
//                NOTE text...                a note the viewer shows beside the drawing:
//                                            what a person should know of how it was made
//                                            ("body outline from the fabrication layer")
//   SYMBOL       PIN number name side x y length
//                                            a pin: side L, R, T or B is the side of the
//                                            body it sits on; x y is its outer end, where a
//                                            net connects, and it runs length mils towards
//                                            the body
//   PACKAGE      PAD number padstack x y rotation
//                                            a pad made of the named padstack, centred at
//                                            x y and turned by rotation
//                ORIGIN x y                  the package's reference point
//   PADSTACK     LAYER layer shape width height
//                                            the pad on one layer (TOP, BOTTOM, INNER,
//                                            MASKTOP, MASKBOTTOM, PASTETOP, PASTEBOTTOM);
//                                            shape ROUND, SQUARE, RECT or OBLONG
//                DRILL diameter PLATED|UNPLATED
//
// Keywords, sides, shapes and layers are read without regard to case. A statement that
// cannot be read, or that does not belong to the drawing's kind, is left out and reported
// as a problem naming its number and what is wrong with it; the rest of the drawing is
// kept, so a viewer shows what it can and says what it could not draw.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace k2k {

enum class DrawingKind { Symbol, Package, Padstack };

struct DrawPoint {
    int x = 0;
    int y = 0;
    bool operator==(const DrawPoint&) const = default;
};

struct DrawLine {
    DrawPoint from;
    DrawPoint to;
    bool operator==(const DrawLine&) const = default;
};

struct DrawRect {
    DrawPoint corner1;
    DrawPoint corner2;
    bool operator==(const DrawRect&) const = default;
};

struct DrawArc {
    DrawPoint centre;
    int radius = 0;
    int startDegrees = 0;
    int sweepDegrees = 360;
    bool operator==(const DrawArc&) const = default;
};

struct DrawText {
    DrawPoint at;
    int height = 0;
    std::string text;
    bool operator==(const DrawText&) const = default;
};

// The unit of a drawing's lengths: a mil (25.4 micrometres) or a micrometre. Every limit of
// the format is the same in both (±10,000,000: 254 m or 10 m).
enum class DrawUnit { Mil, Micrometre };

// How many mils one unit is: 1, or 1/25.4.
double MilsPerUnit(DrawUnit unit) noexcept;

enum class PinSide { Left, Right, Top, Bottom };

// The direction from a pin's outer end towards the body, one mil long, in the drawing's
// axes (y upwards): a pin on the left side runs to the right.
DrawPoint TowardsBody(PinSide side) noexcept;

struct DrawPin {
    std::string number;
    std::string name;
    PinSide side = PinSide::Left;
    DrawPoint at; // the outer end, where a net connects
    int length = 0;
    bool operator==(const DrawPin&) const = default;
};

struct DrawPad {
    std::string number;
    std::string padstack;
    DrawPoint at;
    int rotation = 0;
    bool operator==(const DrawPad&) const = default;
};

enum class PadShape { Round, Square, Rect, Oblong };

struct DrawLayer {
    std::string layer; // upper case: TOP, BOTTOM, INNER, MASKTOP, ...
    PadShape shape = PadShape::Round;
    int width = 0;
    int height = 0;
    bool operator==(const DrawLayer&) const = default;
};

struct Drawing {
    DrawingKind kind = DrawingKind::Symbol;
    DrawUnit unit = DrawUnit::Mil;
    // The graphics: a symbol's body, a package's outline, marks on a padstack.
    std::vector<DrawLine> lines;
    std::vector<DrawRect> rects;
    std::vector<DrawArc> arcs;
    std::vector<DrawText> texts;
    std::vector<std::string> notes;  // shown beside the drawing, in their order
    std::vector<DrawPin> pins;       // symbols
    std::vector<DrawPad> pads;       // packages
    std::optional<DrawPoint> origin; // packages
    std::vector<DrawLayer> layers;   // padstacks
    int drill = 0;                   // padstacks; 0: no hole (a surface pad)
    bool plated = true;              // padstacks with a hole
    bool operator==(const Drawing&) const = default;
};

// A statement that was left out: its number (the format statement is 1, blank and comment
// statements count too) and what is wrong with it, e.g. "PIN needs 6 fields, has 4".
struct DrawingProblem {
    int statement = 0;
    std::string message;
};

struct ParsedDrawing {
    std::optional<Drawing> drawing; // empty when the first statement is not a format line
    std::vector<DrawingProblem> problems;
};

// The kind as the format line names it: "SYMBOL", "PACKAGE" or "PADSTACK".
std::string_view DrawingKindName(DrawingKind kind) noexcept;

// Reads a drawing text. Never throws and never reads outside data; empty data gives no
// drawing and the problem "no drawing".
ParsedDrawing ParseDrawing(std::string_view data);

// Where statement number (1 the first) of a drawing text starts, as ParseDrawing counts
// statements; the text's size when it has fewer.
std::size_t StatementStart(std::string_view data, int number) noexcept;

// The text of a drawing, one statement per line in a fixed order, that ParseDrawing reads
// back to an equal drawing.
std::string FormatDrawing(const Drawing& drawing);

} // namespace k2k
