#include "sketch/SymbolShapes.h"

#include <algorithm>

namespace k2k {

namespace {

constexpr int kPitch = 100; // of the pins of boxes and gates

} // namespace

void DrawBox(Sketch& s, std::string_view name, const BoxPins& pins, int width) {
    const int rows = static_cast<int>(std::max({pins.left.size(), pins.right.size(), size_t{1}}));
    const int columns = static_cast<int>(std::max(pins.top.size(), pins.bottom.size()));
    width = std::max(width, (columns + 1) * kPitch);
    // The top edge on the 100 mil grid, so the pins are on it too.
    const int x1 = -width / 2;
    const int x2 = width / 2;
    const int y1 = (rows + 2) / 2 * kPitch;
    const int y2 = y1 - (rows + 1) * kPitch;
    s.Rect(x1, y1, x2, y2).Text(x1, y1 + 30, 50, name);
    for (std::size_t i = 0; i < pins.left.size(); ++i)
        if (!pins.left[i].number.empty())
            s.Pin(pins.left[i].number, pins.left[i].name, PinSide::Left, x1 - 200,
                  y1 - kPitch * static_cast<int>(i + 1));
    for (std::size_t i = 0; i < pins.right.size(); ++i)
        if (!pins.right[i].number.empty())
            s.Pin(pins.right[i].number, pins.right[i].name, PinSide::Right, x2 + 200,
                  y1 - kPitch * static_cast<int>(i + 1));
    const auto across = [&](const std::vector<BoxPin>& side, PinSide where, int y) {
        const int start = -(static_cast<int>(side.size()) - 1) * kPitch / 2;
        for (std::size_t i = 0; i < side.size(); ++i)
            if (!side[i].number.empty())
                s.Pin(side[i].number, side[i].name, where, start + kPitch * static_cast<int>(i), y);
    };
    across(pins.top, PinSide::Top, y1 + 200);
    across(pins.bottom, PinSide::Bottom, y2 - 200);
}

BoxPins HeaderPins(int rows, int count) {
    BoxPins pins;
    for (int n = 1; n <= rows * count; ++n)
        (rows == 1 || n % 2 == 1 ? pins.left : pins.right)
            .push_back({std::to_string(n), std::to_string(n)});
    return pins;
}

GatePins LetteredGatePins(const GateLook& look) {
    GatePins pins;
    const int inputs = std::max(look.inputs, 1);
    for (int i = 0; i < inputs; ++i)
        pins.inputs.push_back({std::to_string(i + 1), std::string(1, static_cast<char>('A' + i))});
    pins.output = {std::to_string(inputs + 1), "Y"};
    if (look.enable)
        pins.enable = {std::to_string(inputs + 2), "~OE"};
    return pins;
}

void DrawGate(Sketch& s, std::string_view name, const GateLook& look, const GatePins& pins) {
    int back = -100; // where the inputs meet the body
    switch (look.function) {
    case GateFunction::And:
        s.Line(-100, 100, 0, 100).Line(-100, -100, 0, -100).Line(-100, 100, -100, -100);
        s.Arc(0, 0, 100, -90, 180);
        break;
    case GateFunction::Or:
    case GateFunction::Xor:
        // A concave back and a front of two arcs meeting at the tip.
        s.Line(-130, 100, -100, 100).Line(-130, -100, -100, -100);
        s.Arc(-230, 0, 141, -45, 90).Arc(-100, -150, 250, 37, 53).Arc(-100, 150, 250, -90, 53);
        if (look.function == GateFunction::Xor) {
            s.Arc(-260, 0, 141, -45, 90);
            back = -130;
        }
        break;
    case GateFunction::Buffer:
        s.Polyline({{-100, 100}, {-100, -100}, {100, 0}, {-100, 100}});
        break;
    }
    if (look.schmitt)
        s.Polyline({{-70, -20}, {-30, -20}, {-30, 20}, {-10, 20}})
            .Polyline({{-50, -20}, {-50, 20}, {-10, 20}});
    const int inputs = static_cast<int>(pins.inputs.size());
    const int pitch = inputs <= 3 ? kPitch / std::max(inputs - 1, 1) : kPitch / 2;
    const int top = pitch * (inputs - 1) / 2;
    if (top > 100) // more inputs than the body is high: its back runs on
        s.Line(back, top, back, 100).Line(back, -100, back, -top);
    for (int i = 0; i < inputs; ++i) {
        const int y = inputs == 1 ? 0 : top - pitch * i;
        int end = back;
        if (look.invertedInputs) {
            s.Bubble({back, y}, {-1, 0}, kBubbleRadius);
            end -= 2 * kBubbleRadius;
        }
        const BoxPin& pin = pins.inputs[static_cast<std::size_t>(i)];
        s.Pin(pin.number, pin.name, PinSide::Left, end - 200, y);
    }
    int out = 100;
    if (look.invertedOutput) {
        s.Bubble({out, 0}, {1, 0}, kBubbleRadius);
        out += 2 * kBubbleRadius;
    }
    s.Pin(pins.output.number, pins.output.name, PinSide::Right, out + 200, 0);
    if (look.enable)
        s.Pin(pins.enable.number, pins.enable.name, PinSide::Top, 0, 250);
    s.Text(-100, std::max(top, 100) + 30, 50, name);
}

void DrawAmplifier(Sketch& s, std::string_view name, std::string_view out, const BoxPin* top,
                   std::initializer_list<AmplifierPin> bottom) {
    s.Polyline({{-200, 200}, {-200, -200}, {200, 0}, {-200, 200}});
    s.Text(-180, 60, 40, "+").Text(-180, -140, 40, "-").Text(-200, 230, 50, name);
    s.Pin("3", "+IN", PinSide::Left, -400, 100).Pin("2", "-IN", PinSide::Left, -400, -100);
    s.Pin(out, "OUT", PinSide::Right, 400, 0);
    if (top)
        s.Pin(top->number, top->name, PinSide::Top, 0, 300); // meets the upper edge at y = 100
    for (const AmplifierPin& pin : bottom) {
        // The lower edge runs from (-200, -200) to (200, 0): y = x / 2 - 100.
        const int edge = HalfDown(pin.x) - 100;
        s.Pin(pin.number, pin.name, PinSide::Bottom, pin.x, edge - 200);
    }
}

void DrawSupplyPins(Sketch& s, std::string_view name, const BoxPin& top, const BoxPin& bottom) {
    s.Rect(-100, 100, 100, -100).Text(-100, 130, 50, name);
    s.Pin(top.number, top.name, PinSide::Top, 0, 300);
    s.Pin(bottom.number, bottom.name, PinSide::Bottom, 0, -300);
}

void DrawDiode(Sketch& s, std::string_view name, DiodeLook look, const BoxPin& anode,
               const BoxPin& cathode) {
    s.Polyline({{-50, 50}, {-50, -50}, {50, 0}, {-50, 50}}).Line(50, 50, 50, -50);
    switch (look) {
    case DiodeLook::Plain:
        break;
    case DiodeLook::Schottky:
        s.Polyline({{30, 60}, {30, 50}, {50, 50}}).Polyline({{50, -50}, {70, -50}, {70, -40}});
        break;
    case DiodeLook::Zener:
        s.Line(50, 50, 30, 60).Line(50, -50, 70, -60);
        break;
    case DiodeLook::Light:
        s.Line(0, 70, 50, 120).Polyline({{35, 120}, {50, 120}, {50, 105}});
        s.Line(40, 50, 90, 100).Polyline({{75, 100}, {90, 100}, {90, 85}});
        break;
    }
    s.Text(-50, 80, 50, name);
    s.Pin(anode.number, anode.name, PinSide::Left, -250, 0);
    s.Pin(cathode.number, cathode.name, PinSide::Right, 250, 0);
}

void DrawTwoTerminal(Sketch& s, std::string_view name, int reach) {
    s.Text(-reach, 80, 50, name);
    s.Pin("1", "1", PinSide::Left, -reach - 200, 0).Pin("2", "2", PinSide::Right, reach + 200, 0);
}

void DrawResistor(Sketch& s, std::string_view name, bool wiper) {
    s.Polyline(
        {{-100, 0}, {-83, 40}, {-50, -40}, {-17, 40}, {17, -40}, {50, 40}, {83, -40}, {100, 0}});
    DrawTwoTerminal(s, name, 100);
    if (wiper)
        s.Polyline({{-20, 70}, {0, 45}, {20, 70}}).Pin("3", "W", PinSide::Top, 0, 250, 180);
}

void DrawCapacitor(Sketch& s, std::string_view name, bool polarised) {
    s.Line(-20, 80, -20, -80);
    if (polarised)
        s.Arc(120, 0, 130, 142, 76).Text(-80, 50, 40, "+");
    else
        s.Line(20, 80, 20, -80);
    DrawTwoTerminal(s, name, 20);
}

void DrawInductor(Sketch& s, std::string_view name) {
    for (int i = 0; i < 4; ++i)
        s.Arc(-75 + 50 * i, 0, 25, 0, 180);
    DrawTwoTerminal(s, name, 100);
}

void DrawCrystal(Sketch& s, std::string_view name) {
    s.Rect(-30, 60, 30, -60).Line(-60, 80, -60, -80).Line(60, 80, 60, -80);
    DrawTwoTerminal(s, name, 60);
}

void DrawTransistor(Sketch& s, std::string_view name, const TransistorLook& look) {
    s.Arc(25, 0, 150).Text(-50, 180, 50, name);
    if (look.mos) {
        s.Line(-70, 80, -70, -80); // the gate
        s.Line(-40, 90, -40, 50).Line(-40, 20, -40, -20).Line(-40, -50, -40, -90);
        s.Line(-40, 70, 100, 70).Line(-40, -70, 100, -70).Line(-40, 0, 100, 0);
        if (look.pnp)
            s.Polyline({{-10, 20}, {20, 0}, {-10, -20}});
        else
            s.Polyline({{-10, 20}, {-40, 0}, {-10, -20}});
        s.Line(100, 0, 100, -70);
        s.Pin("3", "D", PinSide::Top, 100, 250, 180)
            .Pin("2", "G", PinSide::Left, -270, -70)
            .Pin("1", "S", PinSide::Bottom, 100, -250, 180);
        return;
    }
    s.Line(-50, 80, -50, -80).Line(-50, 40, 100, 100).Line(-50, -40, 100, -100);
    if (look.pnp)
        s.Polyline({{-10, -80}, {-50, -40}, {-20, -30}});
    else
        s.Polyline({{60, -100}, {100, -100}, {80, -65}});
    if (look.darlington)
        s.Line(-20, 60, -20, -60);
    s.Pin("1", "C", PinSide::Top, 100, 250, 150)
        .Pin("2", "B", PinSide::Left, -250, 0)
        .Pin("3", "E", PinSide::Bottom, 100, -250, 150);
}

void DrawClockWedge(Sketch& s, DrawPoint edge, DrawPoint inward, int size) {
    const DrawPoint across{-inward.y, inward.x};
    const DrawPoint tip{edge.x + inward.x * size, edge.y + inward.y * size};
    s.Line({edge.x + across.x * size, edge.y + across.y * size}, tip);
    s.Line(tip, {edge.x - across.x * size, edge.y - across.y * size});
}

} // namespace k2k
