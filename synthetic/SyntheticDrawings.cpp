#include "synthetic/SyntheticDrawings.h"

#include <algorithm>

namespace k2k::synthetic {

// --- symbols

void DrawGate(Sketch& s, std::string_view name, const GateLook& look) {
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
    const int inputs = std::max(look.inputs, 1);
    const int pitch = inputs <= 3 ? 100 / std::max(inputs - 1, 1) : 50;
    const int top = pitch * (inputs - 1) / 2;
    if (top > 100) // more inputs than the body is high: its back runs on
        s.Line(back, top, back, 100).Line(back, -100, back, -top);
    for (int i = 0; i < inputs; ++i) {
        const int y = inputs == 1 ? 0 : top - pitch * i;
        int end = back;
        if (look.invertedInputs) {
            s.Arc(back - 15, y, 15);
            end -= 30;
        }
        const std::string pinName(1, static_cast<char>('A' + i));
        s.Pin(std::to_string(i + 1), pinName, PinSide::Left, end - 200, y);
    }
    int out = 100;
    if (look.invertedOutput) {
        s.Arc(115, 0, 15);
        out = 130;
    }
    s.Pin(std::to_string(inputs + 1), "Y", PinSide::Right, out + 200, 0);
    if (look.enable)
        s.Pin(std::to_string(inputs + 2), "~OE", PinSide::Top, 0, 250);
    s.Text(-100, std::max(top, 100) + 30, 50, name);
}

namespace {

void TwoTerminal(Sketch& s, std::string_view name, int reach) {
    s.Text(-reach, 80, 50, name);
    s.Pin("1", "1", PinSide::Left, -reach - 200, 0).Pin("2", "2", PinSide::Right, reach + 200, 0);
}

void Diode(Sketch& s, std::string_view name, std::string_view kind) {
    s.Polyline({{-50, 50}, {-50, -50}, {50, 0}, {-50, 50}}).Line(50, 50, 50, -50);
    if (kind == "SCHOTTKY")
        s.Polyline({{30, 60}, {30, 50}, {50, 50}}).Polyline({{50, -50}, {70, -50}, {70, -40}});
    else if (kind == "ZENER" || kind == "VREF2")
        s.Line(50, 50, 30, 60).Line(50, -50, 70, -60);
    else if (kind == "LED")
        s.Line(0, 70, 50, 120).Polyline({{35, 120}, {50, 120}, {50, 105}});
    s.Text(-50, 80, 50, name);
    s.Pin("1", "A", PinSide::Left, -250, 0).Pin("2", "K", PinSide::Right, 250, 0);
}

void Transistor(Sketch& s, std::string_view name, bool pnp, bool darlington, bool mos) {
    s.Arc(25, 0, 150).Text(-50, 180, 50, name);
    if (mos) {
        s.Line(-70, 80, -70, -80).Line(-40, 90, -40, 50).Line(-40, 20, -40, -20);
        s.Line(-40, -50, -40, -90).Line(-40, 70, 100, 70).Line(-40, -70, 100, -70);
        s.Line(-40, 0, 100, 0).Line(100, 0, 100, -70);
        if (pnp)
            s.Polyline({{-10, 20}, {20, 0}, {-10, -20}});
        else
            s.Polyline({{-10, 20}, {-40, 0}, {-10, -20}});
        s.Pin("3", "D", PinSide::Top, 100, 250, 180)
            .Pin("2", "G", PinSide::Left, -270, -70)
            .Pin("1", "S", PinSide::Bottom, 100, -250, 180);
        return;
    }
    s.Line(-50, 80, -50, -80).Line(-50, 40, 100, 100).Line(-50, -40, 100, -100);
    if (pnp)
        s.Polyline({{-10, -80}, {-50, -40}, {-20, -30}});
    else
        s.Polyline({{60, -100}, {100, -100}, {80, -65}});
    if (darlington)
        s.Line(-20, 60, -20, -60);
    s.Pin("1", "C", PinSide::Top, 100, 250, 150)
        .Pin("2", "B", PinSide::Left, -250, 0)
        .Pin("3", "E", PinSide::Bottom, 100, -250, 150);
}

// A triangle from (-200, +-200) to (200, 0); pins below meet its lower edge.
void Amplifier(Sketch& s, std::string_view name, bool supplies) {
    s.Polyline({{-200, 200}, {-200, -200}, {200, 0}, {-200, 200}});
    s.Text(-180, 60, 40, "+").Text(-180, -140, 40, "-").Text(-200, 230, 50, name);
    s.Pin("3", "+IN", PinSide::Left, -400, 100)
        .Pin("2", "-IN", PinSide::Left, -400, -100)
        .Pin(supplies ? "6" : "1", "OUT", PinSide::Right, 400, 0);
    if (supplies)
        s.Pin("7", "V+", PinSide::Top, 0, 300).Pin("4", "V-", PinSide::Bottom, 0, -300);
}

BoxPins Pins(std::initializer_list<BoxPin> left, std::initializer_list<BoxPin> right,
             std::initializer_list<BoxPin> top = {}, std::initializer_list<BoxPin> bottom = {}) {
    return {left, right, top, bottom};
}

} // namespace

void DrawBasicSymbol(Sketch& s, std::string_view name) {
    if (name == "NPN" || name == "PNP" || name == "NPN_DARL" || name == "PNP_DARL" ||
        name == "NMOS" || name == "PMOS")
        return Transistor(s, name, name.front() == 'P', name.ends_with("_DARL"),
                          name.ends_with("MOS"));
    if (name == "DIODE" || name == "SCHOTTKY" || name == "ZENER" || name == "LED" ||
        name == "VREF2")
        return Diode(s, name, name);
    if (name == "RES" || name == "POT") {
        s.Polyline({{-100, 0},
                    {-83, 40},
                    {-50, -40},
                    {-17, 40},
                    {17, -40},
                    {50, 40},
                    {83, -40},
                    {100, 0}});
        TwoTerminal(s, name, 100);
        if (name == "POT")
            s.Polyline({{-20, 70}, {0, 45}, {20, 70}}).Pin("3", "W", PinSide::Top, 0, 250, 180);
        return;
    }
    if (name == "CAP" || name == "CAP_POL") {
        s.Line(-20, 80, -20, -80);
        if (name == "CAP")
            s.Line(20, 80, 20, -80);
        else
            s.Arc(120, 0, 130, 142, 76).Text(-80, 50, 40, "+");
        return TwoTerminal(s, name, 20);
    }
    if (name == "INDUCTOR") {
        for (int i = 0; i < 4; ++i)
            s.Arc(-75 + 50 * i, 0, 25, 0, 180);
        return TwoTerminal(s, name, 100);
    }
    if (name == "CRYSTAL") {
        s.Rect(-30, 60, 30, -60).Line(-60, 80, -60, -80).Line(60, 80, 60, -80);
        return TwoTerminal(s, name, 60);
    }
    if (name == "OPAMP" || name == "COMPARATOR" || name == "OPAMP1")
        return Amplifier(s, name, name == "OPAMP1");
    if (name == "OPAMP_PWR" || name == "PWR2" || name == "PWR_CMOS") {
        const bool amplifier = name == "OPAMP_PWR";
        const bool cmos = name == "PWR_CMOS";
        s.Rect(-100, 100, 100, -100).Text(-100, 130, 50, name);
        s.Pin(amplifier ? "8" : "14",
              amplifier ? "V+"
              : cmos    ? "VDD"
                        : "VCC",
              PinSide::Top, 0, 300);
        s.Pin(amplifier ? "4" : "7",
              amplifier ? "V-"
              : cmos    ? "VSS"
                        : "GND",
              PinSide::Bottom, 0, -300);
        return;
    }
    if (name == "TIMER555")
        return DrawBox(s, name,
                       Pins({{"2", "TRIG"}, {"6", "THR"}, {"5", "CTRL"}, {"4", "~RESET"}},
                            {{"3", "OUT"}, {"7", "DIS"}}, {{"8", "VCC"}}, {{"1", "GND"}}));
    if (name == "TIMER556")
        return DrawBox(s, name,
                       Pins({{"6", "TRIG1"},
                             {"2", "THR1"},
                             {"3", "CTRL1"},
                             {"4", "~RESET1"},
                             {"", ""},
                             {"8", "TRIG2"},
                             {"12", "THR2"},
                             {"11", "CTRL2"},
                             {"10", "~RESET2"}},
                            {{"5", "OUT1"},
                             {"1", "DIS1"},
                             {"", ""},
                             {"", ""},
                             {"", ""},
                             {"9", "OUT2"},
                             {"13", "DIS2"}},
                            {{"14", "VCC"}}, {{"7", "GND"}}));
    if (name == "REG3" || name == "REG_ADJ") {
        const bool adjustable = name == "REG_ADJ";
        return DrawBox(s, name,
                       Pins({{adjustable ? "3" : "1", "IN"}}, {{adjustable ? "2" : "3", "OUT"}}, {},
                            {{adjustable ? "1" : "2", adjustable ? "ADJ" : "GND"}}));
    }
    if (name == "RELAY_SPDT") {
        DrawBox(s, name,
                Pins({{"1", "COIL1"}, {"2", "COIL2"}}, {{"3", "COM"}, {"4", "NC"}, {"5", "NO"}}));
        s.Rect(-200, 50, -100, -150).Line(-100, -50, 200, -50);
        return;
    }
    if (name == "OPTO_TR") {
        DrawBox(s, name, Pins({{"1", "A"}, {"2", "K"}}, {{"4", "C"}, {"3", "E"}}));
        s.Polyline({{-200, 50}, {-150, -50}, {-250, -50}, {-200, 50}}).Line(-250, 50, -150, 50);
        return;
    }
    DrawBox(s, name, Pins({{"1", "1"}, {"2", "2"}}, {{"3", "3"}}));
}

// --- packages

std::string SurfacePadName(int width, int length) {
    // The family: widths 8 to 100 in steps of 2, lengths 4 to 3 widths more in steps of 4,
    // at most 200.
    width = std::clamp(width / 2 * 2, 8, 100);
    length = std::clamp(length, width + 4, std::min(width * 4, 200));
    length = width + 4 + (length - width - 4) / 4 * 4;
    return "R" + std::to_string(width) + "X" + std::to_string(length);
}

std::string HolePadName(char shape, int pad, int hole) {
    // The family: pads 40 to 150 in steps of 5, holes from 20 in steps of 3, at least 15
    // below the pad and at most 100.
    pad = std::clamp(pad / 5 * 5, 40, 150);
    hole = std::clamp(hole, 20, std::min(pad - 15, 100));
    hole = 20 + (hole - 20) / 3 * 3;
    std::string name(1, shape);
    name += std::to_string(pad);
    if (shape == 'O')
        name += "X" + std::to_string(pad + pad / 2);
    return name + "H" + std::to_string(hole);
}

void DrawInLine(Sketch& s, int count, int pitch, std::string_view first, std::string_view other) {
    for (int i = 0; i < count; ++i)
        s.Pad(i + 1, i == 0 ? first : other, pitch * i, 0);
}

void DrawTwoPads(Sketch& s, int spacing, std::string_view first, std::string_view other) {
    s.Pad(1, first, -spacing / 2, 0).Pad(2, other, spacing - spacing / 2, 0);
}

} // namespace k2k::synthetic
