#pragma once
// The drawings of the synthetic symbols, packages and padstacks, by the rules the sample
// suite's drawings follow (sample/make_drawings.py): gates by their function, everything
// else with many pins a box; dual in-line and small-outline rows, quad packages with four
// sides, in-line and two-pad outlines; padstacks by their sizes. Pads name padstacks the
// synthetic padstack families make. Lengths are mils, y upwards (platform/Drawing.h).

#include "platform/Drawing.h"

#include <string>
#include <string_view>
#include <vector>

namespace k2k::synthetic {

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

    // The canonical text into out.
    void WriteTo(std::string& out) const { out = FormatDrawing(m_drawing); }

private:
    Drawing m_drawing;
};

// --- symbols

enum class GateFunction { And, Or, Xor, Buffer };

struct GateLook {
    GateFunction function = GateFunction::And;
    int inputs = 2; // 1 for buffers
    bool invertedOutput = false;
    bool invertedInputs = false; // the De Morgan form
    bool schmitt = false;
    bool enable = false; // a 3-state buffer's enable on top
};
void DrawGate(Sketch& sketch, std::string_view name, const GateLook& look);

// A named pin of a box; an empty number leaves a gap.
struct BoxPin {
    std::string number;
    std::string name;
};
struct BoxPins {
    std::vector<BoxPin> left, right, top, bottom;
};
void DrawBox(Sketch& sketch, std::string_view name, const BoxPins& pins, int width = 600);

// The symbol of a basic component by its name in the sample suite ("NPN", "RES",
// "OPAMP1", ...); a box with three pins for a name it does not know.
void DrawBasicSymbol(Sketch& sketch, std::string_view name);

// --- packages

// Pad names the synthetic padstack families make, the sizes rounded to theirs.
std::string SurfacePadName(int width, int length);
std::string HolePadName(char shape, int pad, int hole); // shape 'C', 'S' or 'O'

// Pins 1 .. count/2 down the left row from 0 0, the rest up the right row span mils away.
void DrawDualRow(Sketch& sketch, int count, int pitch, int span, std::string_view first,
                 std::string_view other, int rotation = 0);
// count pads in a row along x from 0 0.
void DrawInLine(Sketch& sketch, int count, int pitch, std::string_view first,
                std::string_view other);
// Two pads spacing apart, centred on 0 0.
void DrawTwoPads(Sketch& sketch, int spacing, std::string_view first, std::string_view other);

} // namespace k2k::synthetic
