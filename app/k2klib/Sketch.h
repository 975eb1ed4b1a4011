#pragma once
// Making drawings (platform/Drawing.h) in code: a sketch collects the statements, and a
// few shapes that the sample suite's drawings and the synthetic ones share are drawn on
// it. Lengths are mils, y upwards.

#include "formats/Drawing.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace k2k {

// A drawing being made, statement by statement.
class Sketch final {
public:
    explicit Sketch(DrawingKind kind) { m_drawing.kind = kind; }

    Sketch& Line(int x1, int y1, int x2, int y2);
    Sketch& Polyline(std::initializer_list<DrawPoint> points);
    Sketch& Rect(int x1, int y1, int x2, int y2);
    Sketch& Arc(int cx, int cy, int radius, int start = 0, int sweep = 360);
    Sketch& Text(int x, int y, int height, std::string_view text);
    Sketch& Pin(std::string_view number, std::string_view name, PinSide side, int x, int y,
                int length = 200);
    Sketch& Pad(std::string_view number, std::string_view padstack, int x, int y, int rotation = 0);
    Sketch& Pad(int number, std::string_view padstack, int x, int y, int rotation = 0);
    Sketch& Origin(int x, int y);
    Sketch& Layer(std::string_view layer, PadShape shape, int width, int height);
    Sketch& Drill(int diameter, bool plated);

    const Drawing& Result() const noexcept { return m_drawing; }
    // The canonical text into out.
    void WriteTo(std::string& out) const { out = FormatDrawing(m_drawing); }

private:
    Drawing m_drawing;
};

// A named pin of a box; an empty number leaves a gap.
struct BoxPin {
    std::string number;
    std::string name;
};
struct BoxPins {
    std::vector<BoxPin> left, right, top, bottom;
};
void DrawBox(Sketch& sketch, std::string_view name, const BoxPins& pins, int width = 600);

// Pins 1 .. count/2 down the left row from 0 0, the rest up the right row span mils away.
void DrawDualRow(Sketch& sketch, int count, int pitch, int span, std::string_view first,
                 std::string_view other, int rotation = 0);

} // namespace k2k
