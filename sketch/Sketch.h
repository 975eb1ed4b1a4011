#pragma once
// Making drawings (formats/Drawing.h) in code: a sketch collects the statements of one
// drawing, in the order they are given, in the unit it is made in (mils unless it says
// micrometres). The shapes of sketch/SymbolShapes.h, PackageShapes.h and PadstackShapes.h
// are drawn on it; the sample suite's drawings, the synthetic suites and the import make
// every drawing through it.

#include "formats/Drawing.h"

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace k2k {

// Half a length, rounded down: the one rounding of the shapes that centre a length on 0, so
// that what they draw around a pad meets it (an odd spacing puts pin 1 the odd mil further
// out).
constexpr int HalfDown(int value) noexcept {
    return value >= 0 ? value / 2 : -((1 - value) / 2);
}

// A drawing being made, statement by statement.
class Sketch final {
public:
    explicit Sketch(DrawingKind kind, DrawUnit unit = DrawUnit::Mil) {
        m_drawing.kind = kind;
        m_drawing.unit = unit;
    }

    Sketch& Line(int x1, int y1, int x2, int y2);
    Sketch& Line(DrawPoint from, DrawPoint to);
    // A line from each point to the next.
    Sketch& Polyline(std::initializer_list<DrawPoint> points);
    Sketch& Polyline(std::span<const DrawPoint> points);
    Sketch& Rect(int x1, int y1, int x2, int y2);
    Sketch& Rect(DrawPoint corner1, DrawPoint corner2);
    Sketch& Arc(int cx, int cy, int radius, int start = 0, int sweep = 360);
    Sketch& Arc(const DrawArc& arc);
    Sketch& Text(int x, int y, int height, std::string_view text);
    Sketch& Text(DrawText text);
    // A note the viewer shows beside the drawing.
    Sketch& Note(std::string_view text);
    Sketch& Pin(std::string_view number, std::string_view name, PinSide side, int x, int y,
                int length = 200);
    Sketch& Pin(DrawPin pin);
    Sketch& Pad(std::string_view number, std::string_view padstack, int x, int y, int rotation = 0);
    Sketch& Pad(int number, std::string_view padstack, int x, int y, int rotation = 0);
    Sketch& Pad(DrawPad pad);
    Sketch& Origin(int x, int y);
    Sketch& Layer(std::string_view layer, PadShape shape, int width, int height);
    Sketch& Drill(int diameter, bool plated);

    // The circle of an inverted pin or output: radius long, touching the body at edge and
    // lying outward of it (outward is one unit long, along an axis).
    Sketch& Bubble(DrawPoint edge, DrawPoint outward, int radius);

    const Drawing& Result() const noexcept { return m_drawing; }
    // The drawing, for a caller that takes it over.
    Drawing Take() noexcept { return std::move(m_drawing); }
    // The canonical text into out.
    void WriteTo(std::string& out) const { out = FormatDrawing(m_drawing); }

private:
    Drawing m_drawing;
};

} // namespace k2k
