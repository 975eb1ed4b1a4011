#include "sketch/SampleDrawings.h"

#include "sketch/PackageShapes.h"
#include "sketch/PadstackShapes.h"
#include "sketch/SymbolShapes.h"

#include <map>
#include <regex>
#include <string>
#include <vector>

namespace k2k {

namespace {

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

// One section of a gate: the pins are the inputs, then the output; a 3-state buffer's
// enable is its last input. The Schmitt triggers show their hysteresis.
void Gate(Sketch& s, std::string_view name, const GateRule& rule) {
    const std::string_view function = rule.function;
    GatePins pins;
    pins.inputs = PinList(rule.pins);
    pins.output = pins.inputs.back();
    pins.inputs.pop_back();
    GateLook look;
    look.function = function == "AND" || function == "NAND" ? GateFunction::And
                    : function == "OR" || function == "NOR" ? GateFunction::Or
                    : function == "XOR"                     ? GateFunction::Xor
                                                            : GateFunction::Buffer;
    look.invertedOutput = function == "NAND" || function == "NOR" || function == "NOT";
    look.schmitt = Among(name, {"7414", "4093"});
    if (function == "TRI") {
        look.enable = true;
        pins.enable = pins.inputs.back();
        pins.inputs.pop_back();
    }
    look.inputs = static_cast<int>(pins.inputs.size());
    DrawGate(s, name, look, pins);
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

// Amplifiers and the supply pins of packages drawn apart.
bool Analog(Sketch& s, std::string_view name) {
    if (name == "OPAMP" || name == "COMPARATOR") {
        DrawAmplifier(s, name, "1");
    } else if (name == "OPAMP1") {
        const BoxPin top{"7", "V+"};
        DrawAmplifier(s, name, "6", &top, {{"4", "V-", 0}, {"1", "N1", -100}, {"5", "N2", 100}});
    } else if (name == "LM386") {
        const BoxPin top{"6", "VS"};
        DrawAmplifier(s, name, "5", &top,
                      {{"4", "GND", 0}, {"1", "GAIN1", -100}, {"8", "GAIN8", 100}});
    } else if (name == "OPAMP_PWR") {
        DrawSupplyPins(s, name, {"8", "V+"}, {"4", "V-"});
    } else if (name == "PWR2") {
        DrawSupplyPins(s, name, {"14", "VCC"}, {"7", "GND"});
    } else if (name == "PWR_CMOS") {
        DrawSupplyPins(s, name, {"14", "VDD"}, {"7", "VSS"});
    } else {
        return false;
    }
    return true;
}

// Diodes, transistors and the parts of two terminals.
bool Discrete(Sketch& s, std::string_view name) {
    if (name == "TL431") { // a reference with its REF pin below
        DrawDiode(s, name, DiodeLook::Plain, {"2", "A"}, {"3", "K"});
        s.Pin("1", "REF", PinSide::Bottom, 0, -250, 225);
    } else if (Among(name, {"DIODE", "SCHOTTKY", "ZENER", "LED", "VREF2"})) {
        // A two-terminal reference works as a Zener diode and is drawn as one.
        const DiodeLook look = name == "SCHOTTKY"                   ? DiodeLook::Schottky
                               : name == "ZENER" || name == "VREF2" ? DiodeLook::Zener
                               : name == "LED"                      ? DiodeLook::Light
                                                                    : DiodeLook::Plain;
        DrawDiode(s, name, look);
    } else if (name == "RES" || name == "POT") {
        DrawResistor(s, name, name == "POT");
    } else if (name == "CAP" || name == "CAP_POL") {
        DrawCapacitor(s, name, name == "CAP_POL");
    } else if (name == "INDUCTOR") {
        DrawInductor(s, name);
    } else if (name == "CRYSTAL") {
        DrawCrystal(s, name);
    } else if (Among(name, {"NPN", "PNP", "NPN_DARL", "PNP_DARL", "NMOS", "PMOS"})) {
        DrawTransistor(s, name,
                       {name.front() == 'P', name.ends_with("_DARL"), name.ends_with("MOS")});
    } else {
        return false;
    }
    return true;
}

bool Symbol(Sketch& s, std::string_view name) {
    if (const auto gate = Gates().find(name); gate != Gates().end()) {
        Gate(s, name, gate->second);
        return true;
    }
    if (Box(s, name) || Analog(s, name) || Discrete(s, name))
        return true;
    // Pin headers and terminal strips: one row down the left, or odd pins left and even right.
    if (const auto header = Match(name, R"(HDR([12])X(\d+))"); !header.empty()) {
        DrawBox(s, name, HeaderPins(std::stoi(header[1]), std::stoi(header[2])), 200);
    } else if (const auto strip = Match(name, R"(TERM(\d+))"); !strip.empty()) {
        DrawBox(s, name, HeaderPins(1, std::stoi(strip[1])), 200);
    } else if (name == "TESTPOINT") {
        s.Arc(0, 0, 40).Text(-40, 60, 50, "TP").Pin("1", "1", PinSide::Bottom, 0, -240);
    } else {
        return false;
    }
    return true;
}

// --- packages

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
            DrawSmallOutline(s, count, 50, wide ? 366 : 213, wide ? "R24X80" : "R24X60",
                             wide ? 295 : 154);
        } else if (so[1] == "TSSOP") {
            DrawSmallOutline(s, count, 26, 228, "R16X55", 173);
        } else {
            DrawSmallOutline(s, count, 26, 173, "R16X55", 118);
        }
    } else if (name == "SOT23") {
        DrawSot23(s, 3, "R35X40");
    } else if (name == "SOT23-5") {
        DrawSot23(s, 5, "R24X45");
    } else if (name == "SOT223") {
        DrawTabbedSot(s, 90, -125, 125, 4, "R60X80", "R130X80");
    } else if (name == "DPAK") {
        DrawDpak(s, 90, "R60X80", "R220X240");
    } else if (const auto two = twoPads.find(name); two != twoPads.end()) {
        const SmdTwo& p = two->second;
        // Parts with a polarity have a band at their first end.
        const bool band = Among(name, {"SOD-123", "SMA", "MINIMELF", "CASE-A-3216"});
        DrawChipBody(s, p.halfLength, p.halfWidth, band ? kBandInset : 0);
        DrawTwoPads(s, p.spacing, p.padstack, p.padstack);
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

// Through-hole parts with leads: dual in-line, transistors, axial and radial parts.
bool LeadedPackage(Sketch& s, std::string_view name) {
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
        DrawDip(s, std::stoi(dip[1]), 300, "S60H32", "C60H32");
    } else if (name == "TO-92") {
        DrawTo92(s, 50, "O40X70H28", "O40X70H28");
    } else if (name == "TO-92-W") {
        DrawTo92(s, 100, "S60H32", "C60H32");
    } else if (name == "TO-18") {
        DrawTo18(s, "C55H30");
    } else if (name == "TO-126") {
        DrawTo126(s, "O60X90H40");
    } else if (name == "TO-220") {
        DrawTo220(s, 3, 100, "S70H40", "C70H40");
    } else if (const auto a = axial.find(name); a != axial.end()) {
        const Axial& p = a->second;
        DrawAxial(s, p.spacing, p.halfLength, p.halfWidth, name.starts_with("DO"), p.first,
                  p.other);
    } else if (const auto r = radial.find(name); r != radial.end()) {
        const Radial& p = r->second;
        const bool capacitor = name.starts_with("CAPR");
        const bool led = name.starts_with("LED");
        const RadialMark mark = capacitor ? RadialMark::Plus
                                : led     ? RadialMark::Flat
                                          : RadialMark::None;
        if (name == "CAPR-5X11")
            DrawRadial(s, p.spacing, p.radius, p.halfWidth, mark, "S60H32", "C55H30");
        else
            DrawRadial(s, p.spacing, p.radius, p.halfWidth, mark,
                       capacitor || led ? "S60H32" : "C60H32", "C60H32");
    } else {
        return false;
    }
    return true;
}

// Crystals, trimmers, relays and connectors.
bool OtherPackage(Sketch& s, std::string_view name) {
    if (name == "HC49U") {
        s.Line(-110, 90, 110, 90).Line(-110, -90, 110, -90);
        s.Arc(-110, 0, 90, 90, 180).Arc(110, 0, 90, -90, 180);
        DrawTwoPads(s, 192, "C60H32", "C60H32");
    } else if (name == "TRIM3296W") {
        s.Rect(-87, 140, 287, -95).Arc(100, 20, 40);
        DrawInLine(s, 3, 100, "S60H32", "C60H32");
    } else if (name == "RELAY-G5V1") {
        s.Rect(-60, 90, 530, -390);
        s.Pad(1, "S60H32", 0, 0).Pad(2, "C60H32", 0, -300).Pad(3, "C60H32", 200, -300);
        s.Pad(4, "C60H32", 450, -300).Pad(5, "C60H32", 450, 0);
    } else if (const auto header = Match(name, R"(HDR([12])X(\d+))"); !header.empty()) {
        DrawPinHeader(s, std::stoi(header[1]), std::stoi(header[2]), "S65H40", "C65H40");
    } else if (const auto block = Match(name, R"(TB(\d+)-5\.08)"); !block.empty()) {
        const int count = std::stoi(block[1]);
        s.Rect(-150, 150, 200 * (count - 1) + 150, -200);
        DrawInLine(s, count, 200, "S80H47", "C80H47");
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
        DrawHolePad(s, shape, width, height, std::stoi(hole[4]));
    } else if (const auto mounting = Match(name, R"(MTG(\d+)(NP)?)"); !mounting.empty()) {
        // Mounting holes: plated with a 220 mil ring, or bare (NP) with only the mask open.
        DrawMountingHole(s, std::stoi(mounting[1]), mounting[2].empty() ? 220 : 0);
    } else if (const auto smd = Match(name, R"((RR|R)(\d+)X(\d+))"); !smd.empty()) {
        // R24X60: a rectangular surface pad; RR a rounded (oblong) one.
        DrawSurfacePad(s, smd[1] == "RR" ? PadShape::Oblong : PadShape::Rect, std::stoi(smd[2]),
                       std::stoi(smd[3]));
    } else if (const auto round = Match(name, R"((RND|FID)(\d+))"); !round.empty()) {
        // A round surface pad; a fiducial has no paste and a wide opening in the mask.
        const int size = std::stoi(round[2]);
        if (round[1] == "FID")
            s.Layer("TOP", PadShape::Round, size, size)
                .Layer("MASKTOP", PadShape::Round, size * 2, size * 2);
        else
            DrawSurfacePad(s, PadShape::Round, size, size);
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
        known = SurfacePackage(sketch, name) || LeadedPackage(sketch, name) ||
                OtherPackage(sketch, name);
        break;
    case DrawingKind::Padstack:
        known = Padstack(sketch, name);
        break;
    }
    if (!known)
        return std::nullopt;
    return sketch.Take();
}

} // namespace k2k
