#include "sketch/SampleDrawings.h"

#include "sketch/Sketch.h"

#include <functional>
#include <map>
#include <regex>
#include <string>
#include <vector>

namespace k2k {

namespace {

using Outline = std::function<void(Sketch&)>;

// Half a length, rounded down: a two-pad part with an odd spacing has its first pad the odd
// mil further out.
int HalfDown(int value) {
    return value >= 0 ? value / 2 : -((1 - value) / 2);
}

bool Among(std::string_view name, std::initializer_list<std::string_view> names) {
    for (std::string_view n : names)
        if (n == name)
            return true;
    return false;
}

// The numbers a pattern caught, e.g. "DIP(\d+)" on "DIP14": {"14"}. Empty when it does not
// match the whole name.
std::vector<std::string> Match(std::string_view name, const char* pattern) {
    const std::regex rule(pattern);
    std::match_results<std::string_view::const_iterator> found;
    std::vector<std::string> groups;
    if (!std::regex_match(name.begin(), name.end(), found, rule))
        return groups;
    groups.emplace_back(found[0].str());
    for (std::size_t i = 1; i < found.size(); ++i)
        groups.push_back(found[i].matched ? found[i].str() : std::string());
    return groups;
}

// --- symbols

// "1:A 2:B - 3:Y": pins by number and name, "-" a gap.
std::vector<BoxPin> PinList(std::string_view layout) {
    std::vector<BoxPin> pins;
    std::size_t at = 0;
    while (at < layout.size()) {
        const std::size_t end = std::min(layout.find(' ', at), layout.size());
        const std::string_view item = layout.substr(at, end - at);
        at = end + 1;
        if (item.empty())
            continue;
        if (item == "-") {
            pins.push_back({});
            continue;
        }
        const std::size_t colon = item.find(':');
        pins.push_back({std::string(item.substr(0, colon)), std::string(item.substr(colon + 1))});
    }
    return pins;
}

// One section of a gate: the pins are the inputs, then the output; a 3-state buffer's
// enable is its last input.
void Gate(Sketch& s, std::string_view name, std::string_view function, std::string_view layout,
          bool schmitt) {
    std::vector<BoxPin> inputs = PinList(layout);
    const BoxPin output = inputs.back();
    inputs.pop_back();
    int outX = 100;
    if (function == "AND" || function == "NAND") {
        s.Line(-100, 100, 0, 100).Line(-100, -100, 0, -100).Line(-100, 100, -100, -100);
        s.Arc(0, 0, 100, -90, 180);
    } else if (function == "OR" || function == "NOR" || function == "XOR") {
        // A concave back and a front of two arcs meeting at the tip.
        s.Line(-130, 100, -100, 100).Line(-130, -100, -100, -100);
        s.Arc(-230, 0, 141, -45, 90).Arc(-100, -150, 250, 37, 53).Arc(-100, 150, 250, -90, 53);
        if (function == "XOR")
            s.Arc(-260, 0, 141, -45, 90);
    } else { // a buffer or an inverter: a triangle
        s.Polyline({{-100, 100}, {-100, -100}, {100, 0}, {-100, 100}});
        if (schmitt)
            s.Polyline({{-70, -20}, {-30, -20}, {-30, 20}, {-10, 20}})
                .Polyline({{-50, -20}, {-50, 20}, {-10, 20}});
    }
    if (function == "NAND" || function == "NOR" || function == "NOT") {
        s.Arc(115, 0, 15);
        outX = 130;
    }
    s.Text(-100, 130, 50, name);
    if (function == "TRI") {
        const BoxPin enable = inputs.back();
        inputs.pop_back();
        s.Pin(enable.number, enable.name, PinSide::Top, 0, 250);
    }
    // Inputs end on the back of the body (the outer back arc of an exclusive OR).
    const int back = function == "XOR" ? -130 : -100;
    for (std::size_t i = 0; i < inputs.size(); ++i)
        s.Pin(inputs[i].number, inputs[i].name, PinSide::Left, back - 200,
              inputs.size() == 1 ? 0 : (i == 0 ? 50 : -50));
    s.Pin(output.number, output.name, PinSide::Right, outX + 200, 0);
}

struct AmplifierPin {
    std::string_view number, name;
    int x = 0; // pins below: where along the lower edge
};

// A triangle from (-200, +-200) to (200, 0); pins below meet its lower edge.
void Amplifier(Sketch& s, std::string_view name, std::string_view out,
               const AmplifierPin* top = nullptr, std::initializer_list<AmplifierPin> bottom = {}) {
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

void PowerPins(Sketch& s, std::string_view name, const BoxPin& top, const BoxPin& bottom) {
    s.Rect(-100, 100, 100, -100).Text(-100, 130, 50, name);
    s.Pin(top.number, top.name, PinSide::Top, 0, 300);
    s.Pin(bottom.number, bottom.name, PinSide::Bottom, 0, -300);
}

void Diode(Sketch& s, std::string_view name) {
    s.Polyline({{-50, 50}, {-50, -50}, {50, 0}, {-50, 50}}).Line(50, 50, 50, -50);
    if (name == "SCHOTTKY") {
        s.Polyline({{30, 60}, {30, 50}, {50, 50}}).Polyline({{50, -50}, {70, -50}, {70, -40}});
    } else if (name == "ZENER") {
        s.Line(50, 50, 30, 60).Line(50, -50, 70, -60);
    } else if (name == "LED") {
        s.Line(0, 70, 50, 120).Polyline({{35, 120}, {50, 120}, {50, 105}});
        s.Line(40, 50, 90, 100).Polyline({{75, 100}, {90, 100}, {90, 85}});
    }
    s.Text(-50, 80, 50, name);
    const bool reference = name == "TL431";
    s.Pin(reference ? "2" : "1", "A", PinSide::Left, -250, 0);
    s.Pin(reference ? "3" : "2", "K", PinSide::Right, 250, 0);
    if (reference)
        s.Pin("1", "REF", PinSide::Bottom, 0, -250, 225);
}

// Pins 1 and 2 reach from the body, which spans reach mils either side of 0 0.
void TwoTerminal(Sketch& s, std::string_view name, int reach) {
    s.Text(-reach, 80, 50, name);
    s.Pin("1", "1", PinSide::Left, -reach - 200, 0).Pin("2", "2", PinSide::Right, reach + 200, 0);
}

void Resistor(Sketch& s) {
    DrawPoint from{-100, 0};
    for (int i = 0; i < 6; ++i) {
        const DrawPoint to{-83 + 33 * i, i % 2 == 0 ? 40 : -40};
        s.Line(from.x, from.y, to.x, to.y);
        from = to;
    }
    s.Line(from.x, from.y, 100, 0);
}

// Bipolar and MOS transistors in a circle: base or gate left, collector or drain up.
void Transistor(Sketch& s, std::string_view name) {
    s.Arc(25, 0, 150).Text(-50, 180, 50, name);
    if (name == "NMOS" || name == "PMOS") {
        s.Line(-70, 80, -70, -80); // the gate
        s.Line(-40, 90, -40, 50).Line(-40, 20, -40, -20).Line(-40, -50, -40, -90);
        s.Line(-40, 70, 100, 70).Line(-40, -70, 100, -70).Line(-40, 0, 100, 0);
        if (name == "NMOS")
            s.Polyline({{-10, 20}, {-40, 0}, {-10, -20}});
        else
            s.Polyline({{-10, 20}, {20, 0}, {-10, -20}});
        s.Line(100, 0, 100, -70);
        s.Pin("3", "D", PinSide::Top, 100, 250, 180)
            .Pin("2", "G", PinSide::Left, -270, -70)
            .Pin("1", "S", PinSide::Bottom, 100, -250, 180);
        return;
    }
    s.Line(-50, 80, -50, -80).Line(-50, 40, 100, 100).Line(-50, -40, 100, -100);
    if (name == "PNP")
        s.Polyline({{-10, -80}, {-50, -40}, {-20, -30}});
    else
        s.Polyline({{60, -100}, {100, -100}, {80, -65}});
    if (name == "NPN_DARL")
        s.Line(-20, 60, -20, -60);
    s.Pin("1", "C", PinSide::Top, 100, 250, 150)
        .Pin("2", "B", PinSide::Left, -250, 0)
        .Pin("3", "E", PinSide::Bottom, 100, -250, 150);
}

// Pin headers and terminal strips: one row down the left, or odd pins left and even right.
void Header(Sketch& s, std::string_view name, int rows, int count) {
    BoxPins pins;
    for (int i = 1; i <= rows * count; ++i) {
        const BoxPin pin{std::to_string(i), std::to_string(i)};
        (rows == 1 || i % 2 == 1 ? pins.left : pins.right).push_back(pin);
    }
    DrawBox(s, name, pins, 200);
}

struct GateRule {
    std::string_view function, pins;
};

const std::map<std::string_view, GateRule>& Gates() {
    static const std::map<std::string_view, GateRule> gates{
        {"7400", {"NAND", "1:A 2:B 3:Y"}},   {"4011", {"NAND", "1:A 2:B 3:Y"}},
        {"4093", {"NAND", "1:A 2:B 3:Y"}},   {"7402", {"NOR", "2:A 3:B 1:Y"}},
        {"4001", {"NOR", "1:A 2:B 3:Y"}},    {"7408", {"AND", "1:A 2:B 3:Y"}},
        {"4081", {"AND", "1:A 2:B 3:Y"}},    {"7432", {"OR", "1:A 2:B 3:Y"}},
        {"4071", {"OR", "1:A 2:B 3:Y"}},     {"7486", {"XOR", "1:A 2:B 3:Y"}},
        {"4070", {"XOR", "1:A 2:B 3:Y"}},    {"7404", {"NOT", "1:A 2:Y"}},
        {"7414", {"NOT", "1:A 2:Y"}},        {"4069", {"NOT", "1:A 2:Y"}},
        {"4049", {"NOT", "3:A 2:Y"}},        {"4050", {"BUF", "3:A 2:Y"}},
        {"74125", {"TRI", "2:A 1:~OE 3:Y"}},
    };
    return gates;
}

// Boxes: the pins left and right, top to bottom, then those on top and below.
struct BoxRule {
    std::string left, right, top = {}, bottom = {};
};

std::string NumberedPins(int count) {
    std::string pins;
    for (int i = 1; i <= count; ++i)
        pins += std::to_string(i) + ":" + std::to_string(i) + " ";
    return pins;
}

const std::map<std::string_view, BoxRule>& Boxes() {
    static const std::map<std::string_view, BoxRule> boxes{
        {"7474", {"1:~CLR 2:D 3:CLK 4:~PRE", "5:Q 6:~Q"}},
        {"74112", {"15:~CLR 3:J 1:CLK 2:K 4:~PRE", "5:Q 6:~Q"}},
        {"74123", {"1:A 2:B 3:~CLR 14:CEXT 15:REXT", "13:Q 4:~Q"}},
        {"74138",
         {"1:A 2:B 3:C - 4:~G2A 5:~G2B 6:G1",
          "15:~Y0 14:~Y1 13:~Y2 12:~Y3 11:~Y4 10:~Y5 9:~Y6 7:~Y7"}},
        {"74157",
         {"2:1A 3:1B 5:2A 6:2B 11:3A 10:3B 14:4A 13:4B - 1:S 15:~G", "4:1Y 7:2Y 9:3Y 12:4Y"}},
        {"74161",
         {"3:A 4:B 5:C 6:D - 2:CLK 1:~CLR 9:~LOAD 7:ENP 10:ENT",
          "14:QA 13:QB 12:QC 11:QD - 15:RCO"}},
        {"74164", {"1:A 2:B - 8:CLK 9:~CLR", "3:QA 4:QB 5:QC 6:QD 10:QE 11:QF 12:QG 13:QH"}},
        {"74244",
         {"2:1A1 4:1A2 6:1A3 8:1A4 11:2A1 13:2A2 15:2A3 17:2A4 - 1:~1G 19:~2G",
          "18:1Y1 16:1Y2 14:1Y3 12:1Y4 9:2Y1 7:2Y2 5:2Y3 3:2Y4", "20:VCC", "10:GND"}},
        {"74245",
         {"2:A1 3:A2 4:A3 5:A4 6:A5 7:A6 8:A7 9:A8 - 1:DIR 19:~OE",
          "18:B1 17:B2 16:B3 15:B4 14:B5 13:B6 12:B7 11:B8", "20:VCC", "10:GND"}},
        {"74273",
         {"3:D1 4:D2 7:D3 8:D4 13:D5 14:D6 17:D7 18:D8 - 11:CLK 1:~CLR",
          "2:Q1 5:Q2 6:Q3 9:Q4 12:Q5 15:Q6 16:Q7 19:Q8", "20:VCC", "10:GND"}},
        {"74373",
         {"3:D1 4:D2 7:D3 8:D4 13:D5 14:D6 17:D7 18:D8 - 11:LE 1:~OE",
          "2:Q1 5:Q2 6:Q3 9:Q4 12:Q5 15:Q6 16:Q7 19:Q8", "20:VCC", "10:GND"}},
        {"74374",
         {"3:D1 4:D2 7:D3 8:D4 13:D5 14:D6 17:D7 18:D8 - 11:CLK 1:~OE",
          "2:Q1 5:Q2 6:Q3 9:Q4 12:Q5 15:Q6 16:Q7 19:Q8", "20:VCC", "10:GND"}},
        {"74390", {"1:CKA 4:CKB 2:CLR", "3:QA 5:QB 6:QC 7:QD", "16:VCC", "8:GND"}},
        {"74393", {"1:CLK 2:CLR", "3:QA 4:QB 5:QC 6:QD"}},
        {"74595",
         {"14:SER 11:SRCLK 12:RCLK 10:~SRCLR 13:~OE",
          "15:QA 1:QB 2:QC 3:QD 4:QE 5:QF 6:QG 7:QH - 9:QH'"}},
        {"4013", {"5:D 3:CLK 6:SET 4:RESET", "1:Q 2:~Q"}},
        {"4017",
         {"14:CLK 13:~EN 15:RST", "3:Q0 2:Q1 4:Q2 7:Q3 10:Q4 1:Q5 5:Q6 6:Q7 9:Q8 11:Q9 - 12:CO"}},
        {"4020",
         {"10:CLK 11:RST", "9:Q1 7:Q4 5:Q5 4:Q6 6:Q7 13:Q8 12:Q9 14:Q10 15:Q11 1:Q12 2:Q13 3:Q14"}},
        {"4040",
         {"10:CLK 11:RST", "9:Q1 7:Q2 6:Q3 5:Q4 3:Q5 2:Q6 4:Q7 13:Q8 12:Q9 14:Q10 15:Q11 1:Q12"}},
        {"4051",
         {"13:X0 14:X1 15:X2 12:X3 1:X4 5:X5 2:X6 4:X7 - 11:A 10:B 9:C 6:INH",
          "3:X - - - 16:VDD 7:VEE 8:VSS"}},
        {"4060",
         {"11:RS 10:~RTC 9:CTC 12:RST",
          "7:Q4 5:Q5 4:Q6 6:Q7 14:Q8 13:Q9 15:Q10 1:Q12 2:Q13 3:Q14"}},
        {"4066", {"1:Y 13:E", "2:Z"}},
        {"4511", {"7:A 1:B 2:C 6:D - 3:~LT 4:~BL 5:LE", "13:a 12:b 11:c 10:d 9:e 15:f 14:g"}},
        {"4518", {"1:CLK 2:EN 7:RST", "3:Q1 4:Q2 5:Q3 6:Q4"}},
        {"TIMER555", {"2:TRIG 6:THR 5:CTRL 4:~RESET", "3:OUT 7:DIS", "8:VCC", "1:GND"}},
        {"TIMER556",
         {"6:TRIG1 2:THR1 3:CTRL1 4:~RESET1 - 8:TRIG2 12:THR2 11:CTRL2 10:~RESET2",
          "5:OUT1 1:DIS1 - - - 9:OUT2 13:DIS2", "14:VCC", "7:GND"}},
        {"ULN2003",
         {"1:I1 2:I2 3:I3 4:I4 5:I5 6:I6 7:I7", "16:O1 15:O2 14:O3 13:O4 12:O5 11:O6 10:O7",
          "9:COM", "8:GND"}},
        {"REG3", {"1:IN", "3:OUT", "", "2:GND"}},
        {"REG_ADJ", {"3:IN", "2:OUT", "", "1:ADJ"}},
        {"REG_LDO5", {"1:IN 3:EN", "5:OUT 4:BYP", "", "2:GND"}},
        {"DSUB9", {NumberedPins(9) + "- 10:SH", ""}},
        {"DSUB25", {NumberedPins(25) + "- 26:SH", ""}},
        {"USB_B", {"1:VBUS 2:D- 3:D+ 4:ID 5:GND - 6:SHIELD", ""}},
        {"DCJACK", {"1:TIP 2:SLEEVE 3:SWITCH", ""}},
        {"JACK_STEREO", {"1:TIP 2:RING 3:SLEEVE", ""}},
        {"RELAY_SPDT", {"1:COIL1 2:COIL2", "3:COM 4:NC 5:NO"}},
        {"OPTO_TR", {"1:A 2:K", "4:C 3:E"}},
        {"OPTO_TRB", {"1:A 2:K", "6:B 5:C 4:E"}},
    };
    return boxes;
}

bool Box(Sketch& s, std::string_view name) {
    const auto rule = Boxes().find(name);
    if (rule == Boxes().end())
        return false;
    const BoxRule& box = rule->second;
    // Connectors are narrow: their pins are all on one side.
    const bool narrow = Among(name, {"DSUB9", "DSUB25", "USB_B", "DCJACK", "JACK_STEREO"});
    DrawBox(s, name, {PinList(box.left), PinList(box.right), PinList(box.top), PinList(box.bottom)},
            narrow ? 200 : 600);
    if (name.starts_with("OPTO")) {
        // The LED and the light falling on the transistor.
        s.Polyline({{-200, 50}, {-150, -50}, {-250, -50}, {-200, 50}}).Line(-250, 50, -150, 50);
        s.Line(-100, 0, 0, 0).Polyline({{-20, 20}, {0, 0}, {-20, -20}});
    } else if (name == "RELAY_SPDT") {
        s.Rect(-200, 50, -100, -150).Line(-100, -50, 200, -50);
    }
    return true;
}

bool Symbol(Sketch& s, std::string_view name) {
    if (const auto gate = Gates().find(name); gate != Gates().end()) {
        Gate(s, name, gate->second.function, gate->second.pins, Among(name, {"7414", "4093"}));
        return true;
    }
    if (Box(s, name))
        return true;
    if (name == "OPAMP" || name == "COMPARATOR") {
        Amplifier(s, name, "1");
    } else if (name == "OPAMP1") {
        const AmplifierPin top{"7", "V+"};
        Amplifier(s, name, "6", &top, {{"4", "V-", 0}, {"1", "N1", -100}, {"5", "N2", 100}});
    } else if (name == "LM386") {
        const AmplifierPin top{"6", "VS"};
        Amplifier(s, name, "5", &top, {{"4", "GND", 0}, {"1", "GAIN1", -100}, {"8", "GAIN8", 100}});
    } else if (name == "OPAMP_PWR") {
        PowerPins(s, name, {"8", "V+"}, {"4", "V-"});
    } else if (name == "PWR2") {
        PowerPins(s, name, {"14", "VCC"}, {"7", "GND"});
    } else if (name == "PWR_CMOS") {
        PowerPins(s, name, {"14", "VDD"}, {"7", "VSS"});
    } else if (Among(name, {"DIODE", "SCHOTTKY", "ZENER", "LED", "VREF2", "TL431"})) {
        Diode(s, name);
    } else if (name == "RES" || name == "POT") {
        Resistor(s);
        TwoTerminal(s, name, 100);
        if (name == "POT")
            s.Polyline({{-20, 70}, {0, 45}, {20, 70}}).Pin("3", "W", PinSide::Top, 0, 250, 180);
    } else if (name == "CAP") {
        s.Line(-20, 80, -20, -80).Line(20, 80, 20, -80);
        TwoTerminal(s, name, 20);
    } else if (name == "CAP_POL") {
        s.Line(-20, 80, -20, -80).Arc(120, 0, 130, 142, 76).Text(-80, 50, 40, "+");
        TwoTerminal(s, name, 20);
    } else if (name == "INDUCTOR") {
        for (int i = 0; i < 4; ++i)
            s.Arc(-75 + 50 * i, 0, 25, 0, 180);
        TwoTerminal(s, name, 100);
    } else if (name == "CRYSTAL") {
        s.Rect(-30, 60, 30, -60).Line(-60, 80, -60, -80).Line(60, 80, 60, -80);
        TwoTerminal(s, name, 60);
    } else if (Among(name, {"NPN", "PNP", "NPN_DARL", "NMOS", "PMOS"})) {
        Transistor(s, name);
    } else if (const auto header = Match(name, R"(HDR([12])X(\d+))"); !header.empty()) {
        Header(s, name, std::stoi(header[1]), std::stoi(header[2]));
    } else if (const auto strip = Match(name, R"(TERM(\d+))"); !strip.empty()) {
        Header(s, name, 1, std::stoi(strip[1]));
    } else if (name == "TESTPOINT") {
        s.Arc(0, 0, 40).Text(-40, 60, 50, "TP").Pin("1", "1", PinSide::Bottom, 0, -240);
    } else {
        return false;
    }
    return true;
}

// --- packages

// Dual in-line: pads on a 100 mil pitch, rows 300 mils apart, the notch at pin 1's end.
void Dip(Sketch& s, int count) {
    const int bottom = -100 * (count / 2 - 1) - 50;
    s.Rect(50, 50, 250, bottom).Arc(150, 50, 25, 180, 180);
    DrawDualRow(s, count, 100, 300, "S60H32", "C60H32");
}

// Pads turned across the rows; the body between the rows, pin 1 marked by a dot.
void SmallOutline(Sketch& s, int count, int pitch, int span, std::string_view pad, int body) {
    const int bottom = -pitch * (count / 2 - 1);
    s.Rect(span / 2 - body / 2, 30, span / 2 + body / 2, bottom - 30);
    s.Arc(span / 2 - body / 2 + 25, 5, 8);
    DrawDualRow(s, count, pitch, span, pad, pad, 90);
}

void TwoPads(Sketch& s, std::string_view padstack, int spacing, const Outline& outline,
             std::string_view first = {}) {
    outline(s);
    s.Pad(1, first.empty() ? padstack : first, HalfDown(-spacing), 0);
    s.Pad(2, padstack, HalfDown(spacing), 0);
}

void InLine(Sketch& s, int count, int pitch, std::string_view first, std::string_view other,
            const Outline& outline) {
    outline(s);
    for (int i = 0; i < count; ++i)
        s.Pad(i + 1, i == 0 ? first : other, pitch * i, 0);
}

void PinHeader(Sketch& s, int rows, int count) {
    s.Rect(-50, rows == 1 ? 50 : 150, 100 * count - 50, -50);
    int number = 1;
    for (int i = 0; i < count; ++i)
        for (int row = 0; row < rows; ++row, ++number)
            s.Pad(number, number == 1 ? "S65H40" : "C65H40", 100 * i, 100 * row);
}

// Two staggered rows at 108 mils; the board locks beside them. A male connector seen from
// the board is mirrored.
void Dsub(Sketch& s, int count, bool male) {
    const int top = (count + 1) / 2;
    const int half = (top - 1) * 108 / 2;
    const int mirror = male ? -1 : 1;
    s.Rect(-half - 300, 120, half + 300, -300).Line(-half - 150, -150, half + 150, -150);
    for (int i = 0; i < top; ++i)
        s.Pad(i + 1, i == 0 ? "S60H32" : "C60H32", (-half + 108 * i) * mirror, 56);
    for (int i = 0; i < count - top; ++i)
        s.Pad(top + i + 1, "C60H32", (-half + 54 + 108 * i) * mirror, -56);
    const int lock = half + 180;
    s.Pad("MH1", "MTG125", -lock, 0).Pad("MH2", "MTG125", lock, 0);
}

// Surface-mount parts of two pads: padstack, pad spacing, half the body's length and width.
struct SmdTwo {
    std::string_view padstack;
    int spacing, halfLength, halfWidth;
};
// Axial parts: lead spacing, the pads, half the body's length and width.
struct Axial {
    int spacing;
    std::string_view first, other;
    int halfLength, halfWidth;
};
// Radial parts: lead spacing, the body's radius (0: a box halfWidth high).
struct Radial {
    int spacing, radius, halfWidth;
};

bool SurfacePackage(Sketch& s, std::string_view name) {
    static const std::map<std::string_view, SmdTwo> twoPads{
        {"SOD-123", {"RR35X45", 146, 60, 32}},  {"SMA", {"R60X80", 160, 85, 55}},
        {"MINIMELF", {"RR50X60", 136, 70, 30}}, {"0603", {"R35X35", 60, 32, 16}},
        {"0805", {"R40X55", 75, 40, 25}},       {"1206", {"R60X70", 120, 63, 32}},
        {"1210", {"R60X110", 120, 63, 50}},     {"CASE-A-3216", {"R50X60", 110, 63, 32}},
    };
    if (const auto so = Match(name, R"((SOIC|TSSOP|MSOP)(\d+))"); !so.empty()) {
        const int count = std::stoi(so[2]);
        if (so[1] == "SOIC") {
            const bool wide = count == 20;
            SmallOutline(s, count, 50, wide ? 366 : 213, wide ? "R24X80" : "R24X60",
                         wide ? 295 : 154);
        } else if (so[1] == "TSSOP") {
            SmallOutline(s, count, 26, 228, "R16X55", 173);
        } else {
            SmallOutline(s, count, 26, 173, "R16X55", 118);
        }
    } else if (name == "SOT23") {
        s.Rect(-60, 30, 60, -30);
        s.Pad(1, "R35X40", -37, -45).Pad(2, "R35X40", 37, -45).Pad(3, "R35X40", 0, 45);
    } else if (name == "SOT23-5") {
        s.Rect(-60, 30, 60, -30).Arc(-45, -15, 6);
        s.Pad(1, "R24X45", -37, -50).Pad(2, "R24X45", 0, -50).Pad(3, "R24X45", 37, -50);
        s.Pad(4, "R24X45", 37, 50).Pad(5, "R24X45", -37, 50);
    } else if (name == "SOT223") {
        s.Rect(-130, 70, 130, -70);
        s.Pad(1, "R60X80", -90, -125).Pad(2, "R60X80", 0, -125).Pad(3, "R60X80", 90, -125);
        s.Pad(4, "R130X80", 0, 125);
    } else if (name == "DPAK") {
        s.Rect(-130, 150, 130, -40);
        s.Pad(1, "R60X80", -90, -110).Pad(3, "R60X80", 90, -110).Pad(2, "R220X240", 0, 110);
    } else if (const auto two = twoPads.find(name); two != twoPads.end()) {
        const SmdTwo& p = two->second;
        // Parts with a polarity have a band at their first end.
        const bool band = Among(name, {"SOD-123", "SMA", "MINIMELF", "CASE-A-3216"});
        TwoPads(s, p.padstack, p.spacing, [&](Sketch& o) {
            o.Rect(-p.halfLength, p.halfWidth, p.halfLength, -p.halfWidth);
            if (band)
                o.Line(-p.halfLength + 15, p.halfWidth, -p.halfLength + 15, -p.halfWidth);
        });
    } else if (name == "USB-MICRO-B") {
        s.Rect(-150, 100, 150, -120);
        for (int i = 0; i < 5; ++i)
            s.Pad(i + 1, "R16X55", -52 + 26 * i, 75);
        s.Pad("S1", "O40X70H28", -135, 0).Pad("S2", "O40X70H28", 135, 0);
    } else if (name == "JACK3.5-SMT") {
        s.Rect(-120, 240, 120, -240).Rect(-60, 240, 60, 300);
        s.Pad(1, "R100X120", -170, 150).Pad(2, "R100X120", 170, 0).Pad(3, "R100X120", -170, -150);
    } else {
        return false;
    }
    return true;
}

bool HolePackage(Sketch& s, std::string_view name) {
    static const std::map<std::string_view, Axial> axial{
        {"DO-35", {300, "S60H32", "C60H32", 75, 35}},
        {"DO-41", {400, "S65H40", "C65H40", 100, 50}},
        {"DO-201AD", {600, "S80H47", "C80H47", 185, 100}},
        {"AXIAL-0.4", {400, "C60H32", "C60H32", 120, 45}},
        {"AXIAL-0.5", {500, "C65H40", "C65H40", 160, 60}},
    };
    static const std::map<std::string_view, Radial> radial{
        {"RAD-2.5", {100, 0, 60}},      {"RAD-5.0", {200, 0, 70}},    {"CAPR-5X11", {80, 98, 0}},
        {"CAPR-6.3X11", {100, 124, 0}}, {"CAPR-8X12", {138, 157, 0}}, {"CAPR-10X16", {200, 197, 0}},
        {"LED-3MM", {100, 59, 0}},      {"LED-5MM", {100, 98, 0}},
    };
    if (const auto dip = Match(name, R"(DIP(\d+))"); !dip.empty()) {
        Dip(s, std::stoi(dip[1]));
    } else if (name == "TO-92" || name == "TO-92-W") {
        const bool wide = name == "TO-92-W";
        const int pitch = wide ? 100 : 50;
        const Outline outline = [pitch](Sketch& o) {
            o.Arc(pitch, -30, 95, -19, 218).Line(pitch - 90, -60, pitch + 90, -60);
        };
        if (wide)
            InLine(s, 3, 100, "S60H32", "C60H32", outline);
        else
            InLine(s, 3, 50, "O40X70H28", "O40X70H28", outline);
    } else if (name == "TO-18") {
        s.Arc(0, 0, 110).Line(78, 78, 100, 100);
        s.Pad(1, "C55H30", 50, 0).Pad(2, "C55H30", 0, 50).Pad(3, "C55H30", -50, 0);
    } else if (name == "TO-126") {
        InLine(s, 3, 90, "O60X90H40", "O60X90H40", [](Sketch& o) { o.Rect(-70, 60, 250, -60); });
    } else if (name == "TO-220") {
        InLine(s, 3, 100, "S70H40", "C70H40",
               [](Sketch& o) { o.Rect(-100, 80, 300, -100).Line(-100, 30, 300, 30); });
    } else if (const auto a = axial.find(name); a != axial.end()) {
        const Axial& p = a->second;
        const bool band = name.starts_with("DO"); // a diode's cathode band
        TwoPads(
            s, p.other, p.spacing,
            [&](Sketch& o) {
                o.Rect(-p.halfLength, p.halfWidth, p.halfLength, -p.halfWidth);
                o.Line(HalfDown(-p.spacing) + 40, 0, -p.halfLength, 0)
                    .Line(p.halfLength, 0, HalfDown(p.spacing) - 40, 0);
                if (band)
                    o.Line(-p.halfLength + 25, p.halfWidth, -p.halfLength + 25, -p.halfWidth);
            },
            p.first);
    } else if (const auto r = radial.find(name); r != radial.end()) {
        const Radial& p = r->second;
        const bool capacitor = name.starts_with("CAPR");
        const bool led = name.starts_with("LED");
        const Outline outline = [&](Sketch& o) {
            if (p.radius)
                o.Arc(0, 0, p.radius);
            else
                o.Rect(HalfDown(-p.spacing) - 50, p.halfWidth, HalfDown(p.spacing) + 50,
                       -p.halfWidth);
            if (capacitor)
                o.Text(-p.radius + 10, 20, 40, "+");
            if (led)
                o.Line(p.radius - 15, 50, p.radius - 15, -50);
        };
        if (name == "CAPR-5X11")
            TwoPads(s, "C55H30", p.spacing, outline, "S60H32");
        else
            TwoPads(s, "C60H32", p.spacing, outline, capacitor || led ? "S60H32" : "C60H32");
    } else if (name == "HC49U") {
        TwoPads(s, "C60H32", 192, [](Sketch& o) {
            o.Line(-110, 90, 110, 90).Line(-110, -90, 110, -90);
            o.Arc(-110, 0, 90, 90, 180).Arc(110, 0, 90, -90, 180);
        });
    } else if (name == "TRIM3296W") {
        InLine(s, 3, 100, "S60H32", "C60H32",
               [](Sketch& o) { o.Rect(-87, 140, 287, -95).Arc(100, 20, 40); });
    } else if (name == "RELAY-G5V1") {
        s.Rect(-60, 90, 530, -390);
        s.Pad(1, "S60H32", 0, 0).Pad(2, "C60H32", 0, -300).Pad(3, "C60H32", 200, -300);
        s.Pad(4, "C60H32", 450, -300).Pad(5, "C60H32", 450, 0);
    } else if (const auto header = Match(name, R"(HDR([12])X(\d+))"); !header.empty()) {
        PinHeader(s, std::stoi(header[1]), std::stoi(header[2]));
    } else if (const auto block = Match(name, R"(TB(\d+)-5\.08)"); !block.empty()) {
        const int count = std::stoi(block[1]);
        InLine(s, count, 200, "S80H47", "C80H47",
               [count](Sketch& o) { o.Rect(-150, 150, 200 * (count - 1) + 150, -200); });
    } else if (const auto dsub = Match(name, R"(DSUB(\d+)-([FM])-RA)"); !dsub.empty()) {
        Dsub(s, std::stoi(dsub[1]), dsub[2] == "M");
    } else if (name == "DCJACK-2.1") {
        s.Rect(-180, 100, 180, -560);
        s.Pad(1, "O80X140H60", 0, 0, 90).Pad(2, "O80X140H60", 0, -236, 90);
        s.Pad(3, "O80X140H60", 185, -118);
    } else if (name == "TP-KEYSTONE") {
        s.Arc(0, 0, 60).Pad(1, "C70H40", 0, 0);
    } else {
        return false;
    }
    return true;
}

// --- padstacks

bool Padstack(Sketch& s, std::string_view name) {
    if (const auto hole = Match(name, R"(([SCO])(\d+)(?:X(\d+))?H(\d+))"); !hole.empty()) {
        // S60H32: a square pad of 60 mils, a plated hole of 32; O40X70H28 an oblong one.
        const char letter = hole[1][0];
        const int width = std::stoi(hole[2]);
        const int height = hole[3].empty() ? width : std::stoi(hole[3]);
        const PadShape shape = letter == 'S'   ? PadShape::Square
                               : letter == 'C' ? PadShape::Round
                                               : PadShape::Oblong;
        s.Layer("TOP", shape, width, height).Layer("BOTTOM", shape, width, height);
        s.Layer("INNER", letter == 'O' ? PadShape::Oblong : PadShape::Round, width, height);
        s.Layer("MASKTOP", shape, width + 6, height + 6);
        s.Layer("MASKBOTTOM", shape, width + 6, height + 6);
        s.Drill(std::stoi(hole[4]), true);
    } else if (const auto mounting = Match(name, R"(MTG(\d+)(NP)?)"); !mounting.empty()) {
        // Mounting holes: plated with a 220 mil ring, or bare (NP) with only the mask open.
        const int diameter = std::stoi(mounting[1]);
        if (!mounting[2].empty()) {
            s.Layer("MASKTOP", PadShape::Round, diameter + 10, diameter + 10);
            s.Layer("MASKBOTTOM", PadShape::Round, diameter + 10, diameter + 10);
            s.Drill(diameter, false);
        } else {
            constexpr int kRing = 220;
            s.Layer("TOP", PadShape::Round, kRing, kRing)
                .Layer("BOTTOM", PadShape::Round, kRing, kRing)
                .Layer("INNER", PadShape::Round, kRing, kRing);
            s.Layer("MASKTOP", PadShape::Round, kRing + 6, kRing + 6);
            s.Layer("MASKBOTTOM", PadShape::Round, kRing + 6, kRing + 6);
            s.Drill(diameter, true);
        }
    } else if (const auto smd = Match(name, R"((RR|R)(\d+)X(\d+))"); !smd.empty()) {
        // R24X60: a rectangular surface pad; RR a rounded (oblong) one.
        const PadShape shape = smd[1] == "RR" ? PadShape::Oblong : PadShape::Rect;
        const int width = std::stoi(smd[2]);
        const int height = std::stoi(smd[3]);
        s.Layer("TOP", shape, width, height).Layer("MASKTOP", shape, width + 6, height + 6);
        s.Layer("PASTETOP", shape, width, height);
    } else if (const auto round = Match(name, R"((RND|FID)(\d+))"); !round.empty()) {
        // A round surface pad; a fiducial has no paste and a wide opening in the mask.
        const int size = std::stoi(round[2]);
        s.Layer("TOP", PadShape::Round, size, size);
        if (round[1] == "FID") {
            s.Layer("MASKTOP", PadShape::Round, size * 2, size * 2);
        } else {
            s.Layer("MASKTOP", PadShape::Round, size + 6, size + 6);
            s.Layer("PASTETOP", PadShape::Round, size, size);
        }
    } else {
        return false;
    }
    return true;
}

} // namespace

std::optional<Drawing> SampleDrawing(DrawingKind kind, std::string_view name) {
    Sketch sketch(kind);
    bool known = false;
    switch (kind) {
    case DrawingKind::Symbol:
        known = Symbol(sketch, name);
        break;
    case DrawingKind::Package:
        // Every package has its reference point at pin 1 or at its centre.
        sketch.Origin(0, 0);
        known = SurfacePackage(sketch, name) || HolePackage(sketch, name);
        break;
    case DrawingKind::Padstack:
        known = Padstack(sketch, name);
        break;
    }
    if (!known)
        return std::nullopt;
    return sketch.Result();
}

} // namespace k2k
