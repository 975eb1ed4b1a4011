#pragma once
// The footprints of the open-source EDA tool (".kicad_mod", one footprint a file, in a
// folder "LIBRARY.pretty"), read into a plain model of what they say: the name, the
// description and keywords, the graphics with their layers, the pads, and counts of what
// FootprintImport has no place for. Both forms are read: "(footprint NAME ...)" and the
// older "(module NAME ...)", whose arcs give their centre, their start and an angle.
// Coordinates are millimetres, y downwards, kept exactly as written (Decimal).
//
// A footprint that cannot be read (a pad without a position or size, a coordinate that is
// not a number) is refused with "FILE:LINE: problem", and the footprint is left out.

#include "kicad/KicadSymbols.h" // the pieces both formats share: Point, Justify, SDocument

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace k2k::kicad {

struct FootprintGraphic {
    enum class Shape { Line, Rectangle, Circle, Arc, Polygon, Text };
    Shape shape = Shape::Line;
    std::string layer; // "F.SilkS", "F.Fab", ...
    // Line: start, end. Rectangle: two opposite corners. Circle: the centre and a point on
    // the circle. Arc: start, a point on the way, end; the older form: centre and start
    // (centred, with its angle). Polygon: its corners, closed. Text: its anchor.
    std::vector<Point> points;
    bool centred = false; // an arc of the older form
    Decimal angle;        // arc of the older form: the sweep, clockwise on screen; text: rotation
    Decimal strokeWidth;  // 0: none given
    bool filled = false;  // a fill other than none
    std::string text;     // text, UTF-8
    std::string textKind; // text: "reference", "value" or "user"
    Decimal textHeight;   // text: the font's height
    bool hidden = false;  // text
    Justify horizontal = Justify::Centre;
    Justify vertical = Justify::Centre;
    std::size_t line = 0;
};

struct Pad {
    std::string number;              // may be empty: a mechanical pad
    std::string type;                // "smd", "thru_hole", "np_thru_hole", "connect"
    std::string shape;               // "circle", "rect", "oval", "roundrect", "trapezoid", "custom"
    Point at;                        // the centre
    Decimal angle;                   // degrees, counter-clockwise on screen
    Point size;                      // width, height
    std::vector<std::string> layers; // "F.Cu", "*.Cu", "F&B.Cu", "F.Mask", ...
    Decimal drill;                   // 0: none; an oval drill: its smaller side
    bool slot = false;               // (drill oval W H) with W != H
    std::size_t settings = 0;        // margins, clearances, drill offsets, chamfers, ...
    std::size_t line = 0;
};

struct Footprint {
    std::string name;
    std::string description; // descr
    std::string tags;        // its keywords, separated by blanks (or commas)
    bool attributes = false; // attr
    std::size_t settings = 0;
    std::size_t models = 0;
    std::size_t zones = 0;
    std::vector<FootprintGraphic> graphics;
    std::vector<Pad> pads;
    UnreadKeywords unread; // items this reader does not know
    std::size_t line = 0;
};

// Reads a parsed footprint file, or the problem "FILE:LINE: problem" when the document is no
// footprint or one that cannot be read.
Result<Footprint> ReadFootprint(const SDocument& document, std::string_view fileName);

} // namespace k2k::kicad
