// The symbol, package and padstack families of the synthetic libraries. Their names follow
// the conventions of the sample suite ("7400", "SOIC14", "C60H32") with a drawing-style or
// density suffix, so they never clash with a part name or with each other.

#include "synthetic/SyntheticDrawings.h"
#include "synthetic/SyntheticFamily.h"
#include "synthetic/SyntheticTables.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <tuple>

namespace k2k::synthetic {

std::string Hundredths(int value) {
    std::string text = std::to_string(value / 100) + '.';
    text += static_cast<char>('0' + value % 100 / 10);
    text += static_cast<char>('0' + value % 10);
    return text;
}

std::string MilsAsMillimetres(int mils) {
    return Hundredths((mils * 254 + 50) / 100);
}

std::string TwoDigits(int value) {
    std::string text;
    text += static_cast<char>('0' + value / 10 % 10);
    text += static_cast<char>('0' + value % 10);
    return text;
}

namespace {

template <typename F, typename... Args>
WeightedFamily Weighted(int perMille, Args&&... args) {
    return {perMille, std::make_unique<F>(std::forward<Args>(args)...)};
}

struct Style {
    std::string_view suffix;
    std::string_view description;
};

// --- symbols

constexpr Style kLogicStyles[] = {{"", "standard shapes"},
                                  {"_IEC", "IEC rectangular shapes"},
                                  {"_DM", "De Morgan equivalent"},
                                  {"_1", "one section per symbol"},
                                  {"_BOX", "single box with all sections"}};

// The styles that draw otherwise than as the gate's usual shape.
constexpr std::size_t kIecStyle = 1;
constexpr std::size_t kDeMorganStyle = 2;
constexpr std::size_t kBoxStyle = 4;

// A length in hundredths of a millimetre as whole mils.
int HundredthsAsMils(int hundredths) {
    return (hundredths * 1000 + 1270) / 2540;
}

// The gate a logic function draws as, by its model ("D_NAND3": a 3-input NAND); none for
// functions drawn as a box.
std::optional<GateLook> GateOf(const LogicFunction& function) {
    const std::string_view model = function.model;
    const bool gates = function.type.starts_with("Digital,Gates");
    GateLook look;
    look.schmitt = function.simFunction.find('9') != std::string_view::npos;
    std::string_view kind = model.substr(std::min<std::size_t>(2, model.size()));
    if (!kind.empty() && kind.back() >= '2' && kind.back() <= '9') {
        look.inputs = kind.back() - '0';
        kind.remove_suffix(1);
    }
    if (gates && (kind == "NAND" || kind == "AND")) {
        look.function = GateFunction::And;
    } else if (gates && (kind == "NOR" || kind == "OR")) {
        look.function = GateFunction::Or;
    } else if (gates && kind == "XOR") {
        look.function = GateFunction::Xor;
    } else if (kind == "INVERTER" || kind == "BUFFER" ||
               (kind == "TRISTATE" && function.pins == 14)) {
        look.function = GateFunction::Buffer;
        look.inputs = 1;
        look.enable = kind == "TRISTATE";
    } else {
        return std::nullopt;
    }
    look.invertedOutput = kind == "NAND" || kind == "NOR" || kind == "INVERTER";
    return look;
}

// The same function with the inputs inverted: AND and OR change places.
GateLook DeMorgan(GateLook look) {
    if (look.function == GateFunction::And)
        look.function = GateFunction::Or;
    else if (look.function == GateFunction::Or)
        look.function = GateFunction::And;
    look.invertedInputs = true;
    look.invertedOutput = !look.invertedOutput;
    return look;
}

// A gate as a box with its qualifier: "&", ">=1", "=1" or "1".
void DrawIecGate(Sketch& sketch, const std::string& name, const GateLook& look) {
    BoxPins pins;
    for (int i = 0; i < look.inputs; ++i)
        pins.left.push_back({std::to_string(i + 1), std::string(1, static_cast<char>('A' + i))});
    pins.right.push_back({std::to_string(look.inputs + 1), look.invertedOutput ? "~Y" : "Y"});
    if (look.enable)
        pins.top.push_back({std::to_string(look.inputs + 2), "~OE"});
    DrawBox(sketch, name, pins, 300);
    const std::string_view qualifier = look.function == GateFunction::And   ? "&"
                                       : look.function == GateFunction::Or  ? ">=1"
                                       : look.function == GateFunction::Xor ? "=1"
                                                                            : "1";
    sketch.Text(-40, 60, 50, qualifier);
}

// A whole package in one box: the signals half on the left, half on the right, the supply
// (the last pin) on top and the ground (the middle one) below.
void DrawPackageBox(Sketch& sketch, const std::string& name, int pins) {
    BoxPins box;
    std::vector<BoxPin> signals;
    for (int n = 1; n < pins; ++n)
        if (n != pins / 2)
            signals.push_back({std::to_string(n), "P" + std::to_string(n)});
    const std::size_t half = (signals.size() + 1) / 2;
    box.left.assign(signals.begin(), signals.begin() + static_cast<std::ptrdiff_t>(half));
    box.right.assign(signals.begin() + static_cast<std::ptrdiff_t>(half), signals.end());
    box.top.push_back({std::to_string(pins), "VCC"});
    box.bottom.push_back({std::to_string(pins / 2), "GND"});
    DrawBox(sketch, name, box);
}

class LogicSymbolFamily final : public Family {
public:
    std::uint64_t Combinations() const noexcept override {
        return (std::size(kSeries74) + std::size(kSeries4000)) * std::size(kLogicStyles);
    }
    void Draw(std::uint64_t c, std::string& drawing) const override {
        const std::size_t index = Take(c, std::size(kSeries74) + std::size(kSeries4000));
        const std::size_t style = Take(c, std::size(kLogicStyles));
        const bool ttl = index < std::size(kSeries74);
        const LogicFunction& function =
            ttl ? kSeries74[index] : kSeries4000[index - std::size(kSeries74)];
        const std::string name = (ttl ? "74" : "") + std::string(function.code);
        Sketch sketch(DrawingKind::Symbol);
        const std::optional<GateLook> gate = GateOf(function);
        if (gate && style != kBoxStyle) {
            if (style == kIecStyle)
                DrawIecGate(sketch, name, *gate);
            else
                DrawGate(sketch, name, style == kDeMorganStyle ? DeMorgan(*gate) : *gate);
        } else {
            DrawPackageBox(sketch, name, function.pins);
        }
        sketch.WriteTo(drawing);
    }
    void Make(std::uint64_t c, std::string& name, std::string& info) const override {
        const std::size_t index = Take(c, std::size(kSeries74) + std::size(kSeries4000));
        const Style& style = kLogicStyles[Take(c, std::size(kLogicStyles))];
        const bool ttl = index < std::size(kSeries74);
        const LogicFunction& function =
            ttl ? kSeries74[index] : kSeries4000[index - std::size(kSeries74)];
        Out(name) << (ttl ? "74" : "") << function.code << style.suffix;
        Out out(info);
        out << function.description << ", " << style.description << kSep << function.type << kSep
            << function.simFunction << kSep;
        if (!function.model.empty())
            out << "A\\" << function.model << "\\STD";
    }
};

struct BasicSymbol {
    std::string_view name;
    std::string_view description;
    std::string_view type;
    std::string_view simFunction;
    std::string_view simRefs;
};

constexpr BasicSymbol kBasicSymbols[] = {
    {"NPN", "NPN bipolar transistor", "Discrete,Transistors", "-7", "Q\\QNPN\\NPN"},
    {"PNP", "PNP bipolar transistor", "Discrete,Transistors", "-8", "Q\\QPNP\\PNP"},
    {"NPN_DARL", "NPN Darlington transistor", "Discrete,Transistors", "-7", ""},
    {"PNP_DARL", "PNP Darlington transistor", "Discrete,Transistors", "-8", ""},
    {"NMOS", "N-channel enhancement MOSFET", "Discrete,Transistors", "-9", "M\\NMOS\\NMOS"},
    {"PMOS", "P-channel enhancement MOSFET", "Discrete,Transistors", "-10", "M\\PMOS\\PMOS"},
    {"DIODE", "Diode", "Discrete,Diodes", "-4", "D\\DMOD\\STD"},
    {"SCHOTTKY", "Schottky diode", "Discrete,Diodes", "-4", "D\\DSCHOTTKY\\STD"},
    {"ZENER", "Zener diode", "Discrete,Diodes", "-5", "D\\DZENER\\STD"},
    {"LED", "Light-emitting diode", "Discrete,Diodes", "-6", "D\\LED\\STD"},
    {"RES", "Resistor", "Discrete,Resistors", "-1", "R\\RES\\STD"},
    {"POT", "Potentiometer or trimmer, three terminals", "Discrete,Resistors", "-1", ""},
    {"CAP", "Capacitor, non-polarised", "Discrete,Capacitors", "-2", "C\\CAP\\STD"},
    {"CAP_POL", "Capacitor, polarised", "Discrete,Capacitors", "-2", "C\\CAP\\STD"},
    {"INDUCTOR", "Inductor", "Discrete,Inductors", "-3", "L\\IND\\STD"},
    {"CRYSTAL", "Quartz crystal, two terminals", "Discrete,Crystals", "", ""},
    {"RELAY_SPDT", "Relay, one changeover contact, with coil", "Discrete,Relays", "", ""},
    {"OPTO_TR", "Optocoupler with phototransistor output", "Analog,Optocouplers", "-4,-7",
     "D\\LED_IR\\STD,Q\\PHOTO\\NPN"},
    {"OPAMP", "Operational amplifier section, three pins", "Analog,Amplifiers", "-12", ""},
    {"OPAMP1", "Single operational amplifier with supply and offset null pins", "Analog,Amplifiers",
     "-12", "X\\LM741\\library"},
    {"OPAMP_PWR", "Supply pins V+ and V- of an amplifier package", "Analog,Power pins", "", ""},
    {"COMPARATOR", "Voltage comparator section, open-collector output", "Analog,Comparators", "-13",
     ""},
    {"TIMER555", "555 timer", "Analog,Timers", "-14", "X\\NE555\\library"},
    {"TIMER556", "Dual 556 timer", "Analog,Timers", "-14", ""},
    {"REG3", "Three-terminal fixed voltage regulator", "Analog,Regulators", "-11", ""},
    {"REG_ADJ", "Three-terminal adjustable voltage regulator", "Analog,Regulators", "-11", ""},
    {"VREF2", "Two-terminal voltage reference", "Analog,References", "-15", ""},
    {"PWR2", "Supply pins VCC and GND of a logic package", "Digital,Power pins", "", ""},
    {"PWR_CMOS", "Supply pins VDD and VSS of a CMOS package", "Digital,Power pins", "", ""},
};

constexpr Style kBasicStyles[] = {{"", "standard shape"},
                                  {"_IEC", "IEC shape"},
                                  {"_V", "vertical"},
                                  {"_H", "horizontal"},
                                  {"_SMALL", "small outline"}};

class BasicSymbolFamily final : public Family {
public:
    std::uint64_t Combinations() const noexcept override {
        return std::size(kBasicSymbols) * std::size(kBasicStyles);
    }
    void Draw(std::uint64_t c, std::string& drawing) const override {
        Sketch sketch(DrawingKind::Symbol);
        DrawBasicSymbol(sketch, kBasicSymbols[Take(c, std::size(kBasicSymbols))].name);
        sketch.WriteTo(drawing);
    }
    void Make(std::uint64_t c, std::string& name, std::string& info) const override {
        const BasicSymbol& symbol = kBasicSymbols[Take(c, std::size(kBasicSymbols))];
        const Style& style = kBasicStyles[Take(c, std::size(kBasicStyles))];
        Out(name) << symbol.name << style.suffix;
        Out(info) << symbol.description << ", " << style.description << kSep << symbol.type << kSep
                  << symbol.simFunction << kSep << symbol.simRefs;
    }
};

class ConnectorSymbolFamily final : public Family {
public:
    std::uint64_t Combinations() const noexcept override { return 2 * 40 * 3; }
    void Draw(std::uint64_t c, std::string& drawing) const override {
        const int rows = static_cast<int>(Take(c, 2)) + 1;
        const int pins = static_cast<int>(Take(c, 40)) + 1;
        const bool mounting = Take(c, 3) == 2;
        BoxPins box;
        for (int n = 1; n <= rows * pins; ++n)
            (rows == 1 || n % 2 == 1 ? box.left : box.right)
                .push_back({std::to_string(n), std::to_string(n)});
        if (mounting)
            box.bottom = {{"MP1", "MP"}, {"MP2", "MP"}};
        Sketch sketch(DrawingKind::Symbol);
        DrawBox(sketch, "J", box, 200);
        sketch.WriteTo(drawing);
    }
    void Make(std::uint64_t c, std::string& name, std::string& info) const override {
        const int rows = static_cast<int>(Take(c, 2)) + 1;
        const int pins = static_cast<int>(Take(c, 40)) + 1;
        constexpr Style kStyles[] = {{"", "pins numbered"},
                                     {"_NUM", "pin numbers and names"},
                                     {"_MP", "with mounting pins"}};
        const Style& style = kStyles[Take(c, 3)];
        Out(name) << "CONN" << rows << 'X' << pins << style.suffix;
        Out(info) << "Connector " << rows << 'x' << pins << ", " << style.description << kSep
                  << "Discrete,Connectors" << kSep << kSep;
    }
};

// --- packages

constexpr Style kDensities[] = {
    {"_L", "IPC least density"}, {"_N", "IPC nominal density"}, {"_M", "IPC most density"}};

// Dual in-line packages of 4 to 64 pins, narrow or wide, plain, socketed or with long pads.
class DipFamily final : public Family {
public:
    std::uint64_t Combinations() const noexcept override { return 31 * 2 * 3; }
    void Draw(std::uint64_t c, std::string& drawing) const override {
        const int pins = 4 + 2 * static_cast<int>(Take(c, 31));
        const int span = Take(c, 2) == 1 ? 600 : 300;
        const bool longPads = Take(c, 3) == 2;
        Sketch sketch(DrawingKind::Package);
        sketch.Origin(0, 0).Rect(50, 50, span - 50, -100 * (pins / 2 - 1) - 50);
        sketch.Arc(span / 2, 50, 25, 180, 180);
        // Long pads reach across, away from the body.
        DrawDualRow(sketch, pins, 100, span, HolePadName('S', 60, 32),
                    HolePadName(longPads ? 'O' : 'C', 60, 32), longPads ? 90 : 0);
        sketch.WriteTo(drawing);
    }
    void Make(std::uint64_t c, std::string& name, std::string& info) const override {
        const int pinIndex = static_cast<int>(Take(c, 31));
        const int pins = 4 + 2 * pinIndex;
        const bool wide = Take(c, 2) == 1;
        constexpr Style kVariants[] = {{"", ""}, {"_SKT", ", in a socket"}, {"_LP", ", long pads"}};
        const Style& variant = kVariants[Take(c, 3)];
        Out(name) << "DIP" << pins << (wide ? "-W" : "") << variant.suffix;
        Out(info) << pins << "-pin plastic dual in-line, " << (wide ? "15.24" : "7.62")
                  << " mm row spacing" << variant.description << kSep << "PMD,DIP" << kSep
                  << (wide ? "MS-011-" : "MS-001-") << static_cast<char>('A' + pinIndex % 26)
                  << static_cast<char>('A' + pinIndex / 26);
    }
};

struct SmdOutline {
    std::string_view prefix;
    std::string_view description; // "small outline"
    std::string_view type;
    std::string_view jedec;
    std::array<int, 10> pins; // 0 ends the list
    int bodyHundredths;
    int pitchHundredths;
};

constexpr SmdOutline kSmdOutlines[] = {
    {"SOIC", "small outline, narrow body", "SMD,SOIC", "MS-012", {8, 14, 16}, 390, 127},
    {"SOIC", "small outline, wide body", "SMD,SOIC", "MS-013", {16, 18, 20, 24, 28}, 750, 127},
    {"SSOP", "shrink small outline", "SMD,SSOP", "MO-150", {14, 16, 20, 24, 28, 48}, 530, 65},
    {"TSSOP",
     "thin shrink small outline",
     "SMD,TSSOP",
     "MO-153",
     {8, 14, 16, 20, 24, 28, 38, 48, 56, 64},
     440,
     65},
    {"MSOP", "mini small outline", "SMD,MSOP", "MO-187", {8, 10}, 300, 50},
};

constexpr int kQfnPins[] = {16, 20, 24, 28, 32, 40, 48, 56, 64};
constexpr int kQfnBodies[] = {3, 4, 5, 6, 7, 8, 9};
constexpr int kQfpPins[] = {32, 44, 48, 64, 80, 100, 128, 144, 176, 208};
constexpr int kQfpBodies[] = {7, 10, 12, 14, 20, 24, 28};
constexpr int kFinePitches[] = {40, 50, 65, 80}; // hundredths of a millimetre

// Small-outline, QFN and LQFP packages in the three IPC densities.
class SmdIcFamily final : public Family {
public:
    SmdIcFamily() {
        for (std::size_t outline = 0; outline < std::size(kSmdOutlines); ++outline)
            for (int pins : kSmdOutlines[outline].pins)
                if (pins != 0)
                    m_items.push_back({Shape::Outline, static_cast<int>(outline), pins, 0, 0});
        for (int pins : kQfnPins)
            for (int body : kQfnBodies)
                for (int pitch = 0; pitch < 3; ++pitch)
                    m_items.push_back({Shape::Qfn, 0, pins, body, kFinePitches[pitch]});
        for (int pins : kQfpPins)
            for (int body : kQfpBodies)
                for (int pitch : kFinePitches)
                    m_items.push_back({Shape::Qfp, 0, pins, body, pitch});
    }
    std::uint64_t Combinations() const noexcept override {
        return m_items.size() * std::size(kDensities);
    }
    void Draw(std::uint64_t c, std::string& drawing) const override {
        const Item& item = m_items[Take(c, m_items.size())];
        const int density = static_cast<int>(Take(c, std::size(kDensities))); // L, N, M
        Sketch sketch(DrawingKind::Package);
        sketch.Origin(0, 0);
        if (item.shape == Shape::Outline) {
            const SmdOutline& outline = kSmdOutlines[item.outline];
            const int pitch = HundredthsAsMils(outline.pitchHundredths);
            const int body = HundredthsAsMils(outline.bodyHundredths);
            const int span = body + 60;
            const int bottom = -pitch * (item.pins / 2 - 1);
            sketch.Rect(span / 2 - body / 2, 30, span / 2 + body / 2, bottom - 30);
            sketch.Arc(span / 2 - body / 2 + 25, 5, 8);
            const std::string pad = SurfacePadName(pitch * 12 / 25, 50 + 10 * density);
            DrawDualRow(sketch, item.pins, pitch, span, pad, pad, 90);
            sketch.WriteTo(drawing);
            return;
        }
        // Four sides, pin 1 at the top of the left side, counted anticlockwise.
        const bool qfn = item.shape == Shape::Qfn;
        const int pitch = HundredthsAsMils(item.pitchHundredths);
        const int body = HundredthsAsMils(item.body * 100);
        const int perSide = item.pins / 4;
        const int reach = qfn ? body / 2 - 10 : body / 2 + 40;
        const std::string pad = SurfacePadName(pitch * 12 / 25, (qfn ? 30 : 60) + 8 * density);
        sketch.Rect(-body / 2, body / 2, body / 2, -body / 2);
        sketch.Arc(-body / 2 + 30, body / 2 - 30, 10);
        const int first = (perSide - 1) * pitch / 2;
        for (int i = 0; i < perSide; ++i) {
            const int along = first - pitch * i;
            sketch.Pad(1 + i, pad, -reach, along, 90);
            sketch.Pad(1 + perSide + i, pad, -along, -reach, 0);
            sketch.Pad(1 + 2 * perSide + i, pad, reach, -along, 90);
            sketch.Pad(1 + 3 * perSide + i, pad, along, reach, 0);
        }
        if (qfn)
            sketch.Pad("EP", SurfacePadName(body / 2, body / 2), 0, 0);
        sketch.WriteTo(drawing);
    }
    void Make(std::uint64_t c, std::string& name, std::string& info) const override {
        const Item& item = m_items[Take(c, m_items.size())];
        const Style& density = kDensities[Take(c, std::size(kDensities))];
        Out out(info);
        if (item.shape == Shape::Outline) {
            const SmdOutline& outline = kSmdOutlines[item.outline];
            const bool wide = outline.bodyHundredths == 750;
            Out(name) << outline.prefix << item.pins << (wide ? "W" : "") << density.suffix;
            out << item.pins << "-pin " << outline.description << ", "
                << Hundredths(outline.bodyHundredths) << " mm body, "
                << Hundredths(outline.pitchHundredths) << " mm pitch, " << density.description
                << kSep << outline.type << kSep << outline.jedec;
            return;
        }
        const bool qfn = item.shape == Shape::Qfn;
        const std::string pitch = Hundredths(item.pitchHundredths);
        Out(name) << (qfn ? "QFN" : "LQFP") << item.pins << '_' << item.body << 'X' << item.body
                  << "_P" << pitch << density.suffix;
        out << item.pins << (qfn ? "-pin quad flat no-lead, " : "-pin low-profile quad flat, ")
            << item.body << " x " << item.body << " mm body, " << pitch << " mm pitch, "
            << density.description << kSep << (qfn ? "SMD,QFN" : "SMD,QFP") << kSep
            << (qfn ? "MO-220" : "MS-026");
    }

private:
    enum class Shape : std::uint8_t { Outline, Qfn, Qfp };
    struct Item {
        Shape shape;
        int outline;
        int pins;
        int body;
        int pitchHundredths;
    };
    std::vector<Item> m_items;
};

struct Outline {
    std::string_view name;
    std::string_view description;
    std::string_view type;
    std::string_view jedec;
};

constexpr Outline kDiscreteOutlines[] = {
    {"TO-92", "3-lead plastic TO-92, in-line leads 1.27 mm", "PMD,TO-92", "TO-226AA"},
    {"TO-92-W", "3-lead plastic TO-92, leads formed to 2.54 mm", "PMD,TO-92", "TO-226AA"},
    {"TO-18", "3-lead metal can TO-18", "PMD,Metal can", "TO-206AA"},
    {"TO-126", "3-lead plastic TO-126, vertical", "PMD,TO-126", "TO-225AA"},
    {"TO-220", "3-lead plastic TO-220, vertical mounting", "PMD,TO-220", "TO-220AB"},
    {"TO-220-5", "5-lead plastic TO-220, staggered leads", "PMD,TO-220", "TO-220"},
    {"TO-247", "3-lead plastic TO-247, vertical mounting", "PMD,TO-247", "TO-247AC"},
    {"DPAK", "3-lead plastic DPAK, tab soldered", "SMD,DPAK", "TO-252AA"},
    {"D2PAK", "3-lead plastic D2PAK, tab soldered", "SMD,D2PAK", "TO-263AB"},
    {"SOT-23", "3-lead small outline transistor", "SMD,SOT-23", "TO-236AB"},
    {"SOT-23-5", "5-lead small outline transistor", "SMD,SOT-23", "MO-178AA"},
    {"SOT-23-6", "6-lead small outline transistor", "SMD,SOT-23", "MO-178AB"},
    {"SOT-89", "3-lead small outline with heat tab", "SMD,SOT-89", "TO-243AA"},
    {"SOT-223", "4-lead small outline with heat tab", "SMD,SOT-223", "TO-261AA"},
    {"SOD-123", "2-lead small outline diode", "SMD,SOD", ""},
    {"SOD-323", "2-lead small outline diode, very small", "SMD,SOD", ""},
    {"SMA", "2-lead moulded diode SMA", "SMD,SMA", "DO-214AC"},
    {"SMB", "2-lead moulded diode SMB", "SMD,SMA", "DO-214AA"},
    {"SMC", "2-lead moulded diode SMC", "SMD,SMA", "DO-214AB"},
    {"DO-35", "Axial glass diode DO-35, 7.62 mm lead spacing", "PMD,Axial", "DO-204AH"},
    {"DO-41", "Axial plastic diode DO-41, 10.16 mm lead spacing", "PMD,Axial", "DO-204AL"},
    {"DO-201AD", "Axial plastic diode DO-201AD, 15.24 mm lead spacing", "PMD,Axial", "DO-201AD"},
};

// The pads and outline of a transistor or diode package by its name.
void DrawDiscrete(Sketch& s, std::string_view name) {
    const auto inLine = [&s](int count, int pitch, char first, char other, int pad, int hole) {
        DrawInLine(s, count, pitch, HolePadName(first, pad, hole), HolePadName(other, pad, hole));
    };
    if (name == "TO-92" || name == "TO-92-W") {
        const int pitch = name == "TO-92" ? 50 : 100;
        s.Arc(pitch, -30, 95, -19, 218).Line(pitch - 90, -60, pitch + 90, -60);
        if (pitch == 50)
            inLine(3, 50, 'O', 'O', 40, 25);
        else
            inLine(3, 100, 'S', 'C', 60, 32);
    } else if (name == "TO-18") {
        const std::string pad = HolePadName('C', 55, 29);
        s.Arc(0, 0, 110).Line(78, 78, 100, 100);
        s.Pad(1, pad, 50, 0).Pad(2, pad, 0, 50).Pad(3, pad, -50, 0);
    } else if (name == "TO-126") {
        s.Rect(-70, 60, 250, -60);
        inLine(3, 90, 'O', 'O', 60, 40);
    } else if (name == "TO-220" || name == "TO-220-5") {
        const bool five = name == "TO-220-5";
        s.Rect(-100 + (five ? -34 : 0), 80, 300 + (five ? 34 : 0), -100).Line(-100, 30, 300, 30);
        if (five)
            inLine(5, 67, 'O', 'O', 55, 35);
        else
            inLine(3, 100, 'S', 'C', 70, 40);
    } else if (name == "TO-247") {
        s.Rect(-100, 100, 530, -120);
        inLine(3, 215, 'S', 'C', 100, 60);
    } else if (name == "DPAK" || name == "D2PAK") {
        const int lead = name == "DPAK" ? 90 : 100;
        const std::string pad = SurfacePadName(60, 80);
        s.Rect(-130 - (lead - 90), 150, 130 + (lead - 90), -40);
        s.Pad(1, pad, -lead, -110).Pad(3, pad, lead, -110);
        s.Pad(2, SurfacePadName(220, 240), 0, 110);
    } else if (name.starts_with("SOT-23")) {
        const int count = name == "SOT-23" ? 3 : name == "SOT-23-5" ? 5 : 6;
        const std::string pad = SurfacePadName(count == 3 ? 35 : 24, 44);
        s.Rect(-60, 30, 60, -30);
        if (count == 3) {
            s.Pad(1, pad, -37, -45).Pad(2, pad, 37, -45).Pad(3, pad, 0, 45);
        } else {
            for (int i = 0; i < 3; ++i)
                s.Pad(1 + i, pad, -37 + 37 * i, -50);
            for (int i = 0; i < count - 3; ++i)
                s.Pad(4 + i, pad, 37 - (count == 5 ? 74 : 37) * i, 50);
        }
    } else if (name == "SOT-89" || name == "SOT-223") {
        const bool small = name == "SOT-89";
        const int pitch = small ? 59 : 90;
        const std::string lead = SurfacePadName(small ? 24 : 60, small ? 48 : 80);
        s.Rect(-pitch - 40, 70, pitch + 40, -70);
        for (int i = 0; i < 3; ++i)
            s.Pad(1 + i, lead, -pitch + pitch * i, small ? -80 : -125);
        s.Pad(small ? 2 : 4, SurfacePadName(small ? 70 : 130, 80), 0, small ? 60 : 125);
    } else if (name.starts_with("SO")) { // SOD-123, SOD-323
        const bool small = name == "SOD-323";
        s.Rect(small ? -35 : -60, small ? 25 : 32, small ? 35 : 60, small ? -25 : -32);
        const std::string pad = SurfacePadName(small ? 24 : 35, 44);
        DrawTwoPads(s, small ? 100 : 146, pad, pad);
    } else if (name.starts_with("SM")) { // SMA, SMB, SMC
        const int grow = name == "SMA" ? 0 : name == "SMB" ? 20 : 60;
        s.Rect(-85 - grow, 55 + grow / 2, 85 + grow, -55 - grow / 2);
        const std::string pad = SurfacePadName(60, 80 + grow);
        DrawTwoPads(s, 160 + 2 * grow, pad, pad);
    } else { // DO-35, DO-41, DO-201AD: axial
        const int spacing = name == "DO-35" ? 300 : name == "DO-41" ? 400 : 600;
        const int half = spacing / 4;
        s.Rect(-half, half / 2, half, -half / 2).Line(-half + 25, half / 2, -half + 25, -half / 2);
        const int pad = name == "DO-201AD" ? 80 : 60;
        DrawTwoPads(s, spacing, HolePadName('S', pad, pad / 2 + 2),
                    HolePadName('C', pad, pad / 2 + 2));
    }
}

// Transistor and diode outlines, as they are and in the three IPC densities.
class DiscretePackageFamily final : public Family {
public:
    std::uint64_t Combinations() const noexcept override {
        return std::size(kDiscreteOutlines) * (std::size(kDensities) + 1);
    }
    void Draw(std::uint64_t c, std::string& drawing) const override {
        const std::string_view name = kDiscreteOutlines[Take(c, std::size(kDiscreteOutlines))].name;
        Sketch sketch(DrawingKind::Package);
        sketch.Origin(0, 0);
        DrawDiscrete(sketch, name);
        sketch.WriteTo(drawing);
    }
    void Make(std::uint64_t c, std::string& name, std::string& info) const override {
        const Outline& outline = kDiscreteOutlines[Take(c, std::size(kDiscreteOutlines))];
        const std::size_t density = Take(c, std::size(kDensities) + 1);
        Out(name) << outline.name;
        Out out(info);
        out << outline.description;
        if (density > 0) {
            name += kDensities[density - 1].suffix;
            out << ", " << kDensities[density - 1].description;
        }
        out << kSep << outline.type << kSep << outline.jedec;
    }
};

constexpr std::string_view kChipSizes[] = {"0201", "0402", "0603", "0805", "1206",
                                           "1210", "1812", "2010", "2512"};
constexpr std::string_view kChipMetric[] = {"0603", "1005", "1608", "2012", "3216",
                                            "3225", "4532", "5025", "6332"};

// The land pattern of a chip size: pad centres apart, pad size, half the body.
struct ChipSize {
    int spacing;
    int padWidth;
    int padLength;
    int halfLength;
    int halfWidth;
};
constexpr ChipSize kChipLayouts[] = {
    {22, 12, 14, 12, 6},    {36, 20, 24, 20, 10},   {60, 32, 36, 31, 16},
    {76, 40, 56, 39, 25},   {120, 60, 72, 63, 31},  {120, 60, 104, 63, 49},
    {180, 60, 136, 89, 63}, {190, 60, 104, 98, 49}, {240, 60, 132, 124, 63}};
static_assert(std::size(kChipLayouts) == std::size(kChipSizes));

// Two-terminal chips: resistors, capacitors, inductors, diodes.
class ChipFamily final : public Family {
public:
    std::uint64_t Combinations() const noexcept override {
        return 4 * std::size(kChipSizes) * std::size(kDensities);
    }
    void Draw(std::uint64_t c, std::string& drawing) const override {
        const bool diode = Take(c, 4) == 3;
        const ChipSize& size = kChipLayouts[Take(c, std::size(kChipSizes))];
        const int density = static_cast<int>(Take(c, std::size(kDensities)));
        Sketch sketch(DrawingKind::Package);
        sketch.Origin(0, 0).Rect(-size.halfLength, size.halfWidth, size.halfLength,
                                 -size.halfWidth);
        if (diode)
            sketch.Line(-size.halfLength + size.halfWidth / 2, size.halfWidth,
                        -size.halfLength + size.halfWidth / 2, -size.halfWidth);
        const std::string pad = SurfacePadName(size.padWidth, size.padLength + 4 * density);
        DrawTwoPads(sketch, size.spacing, pad, pad);
        sketch.WriteTo(drawing);
    }
    void Make(std::uint64_t c, std::string& name, std::string& info) const override {
        constexpr char kPrefixes[] = {'R', 'C', 'L', 'D'};
        constexpr std::string_view kWhat[] = {"resistor", "capacitor", "inductor", "diode"};
        const std::size_t what = Take(c, 4);
        const std::size_t size = Take(c, std::size(kChipSizes));
        const Style& density = kDensities[Take(c, std::size(kDensities))];
        Out(name) << kPrefixes[what] << kChipSizes[size] << density.suffix;
        Out(info) << "Chip " << kWhat[what] << ' ' << kChipSizes[size] << " (" << kChipMetric[size]
                  << " metric), " << density.description << kSep << "SMD,Chip" << kSep;
    }
};

// Pin headers of one or two rows, straight, right-angled or surface-mount.
class HeaderPackageFamily final : public Family {
public:
    std::uint64_t Combinations() const noexcept override { return 2 * 40 * 3; }
    void Draw(std::uint64_t c, std::string& drawing) const override {
        const int rows = static_cast<int>(Take(c, 2)) + 1;
        const int pins = static_cast<int>(Take(c, 40)) + 1;
        const std::size_t mount = Take(c, 3); // vertical, right angle, SMD
        Sketch sketch(DrawingKind::Package);
        sketch.Origin(0, 0).Rect(-50, rows == 1 ? 50 : 150, 100 * pins - 50, -50);
        if (mount == 1) // the pins bend over the board's edge
            sketch.Rect(-50, -100, 100 * pins - 50, -350);
        const std::string first = mount == 2 ? SurfacePadName(40, 100) : HolePadName('S', 65, 40);
        const std::string other = mount == 2 ? first : HolePadName('C', 65, 40);
        int number = 1;
        for (int i = 0; i < pins; ++i)
            for (int row = 0; row < rows; ++row, ++number)
                sketch.Pad(number, number == 1 ? first : other, 100 * i, 100 * row);
        sketch.WriteTo(drawing);
    }
    void Make(std::uint64_t c, std::string& name, std::string& info) const override {
        const int rows = static_cast<int>(Take(c, 2)) + 1;
        const int pins = static_cast<int>(Take(c, 40)) + 1;
        constexpr Style kMounts[] = {{"", "vertical"}, {"_RA", "right angle"}, {"_SMD", "SMD"}};
        const Style& mount = kMounts[Take(c, 3)];
        Out(name) << "HDR" << rows << 'X' << pins << mount.suffix;
        Out(info) << "Pin header " << rows << 'x' << pins << ", 2.54 mm pitch, "
                  << mount.description << kSep
                  << (mount.suffix == "_SMD" ? "SMD,Header" : "PMD,Header") << kSep;
    }
};

constexpr int kCanDiameters[] = {400, 500, 630, 800, 1000, 1250, 1600, 1800}; // hundredths
constexpr int kCanHeights[] = {5, 7, 11, 12, 16, 20, 25, 31, 35, 40};
constexpr int kLeadSpacings[] = {150, 200, 250, 350, 500, 500, 750, 750}; // hundredths

// Radial electrolytic cans and axial components of every lead spacing.
class LeadedPackageFamily final : public Family {
public:
    std::uint64_t Combinations() const noexcept override {
        return std::size(kCanDiameters) * std::size(kCanHeights) + 8 * 2;
    }
    void Draw(std::uint64_t c, std::string& drawing) const override {
        Sketch sketch(DrawingKind::Package);
        sketch.Origin(0, 0);
        const std::uint64_t cans = std::size(kCanDiameters) * std::size(kCanHeights);
        if (c < cans) {
            const std::size_t d = Take(c, std::size(kCanDiameters));
            const int radius = HundredthsAsMils(kCanDiameters[d]) / 2;
            const int spacing = HundredthsAsMils(kLeadSpacings[d]);
            const int pad = std::min(60, spacing - 15);
            sketch.Arc(0, 0, radius).Text(-radius + 10, 20, 40, "+");
            DrawTwoPads(sketch, spacing, HolePadName('S', pad, 32), HolePadName('C', pad, 32));
        } else {
            c -= cans;
            const int spacing = (static_cast<int>(Take(c, 8)) + 3) * 100;
            const bool vertical = Take(c, 2) == 1;
            if (vertical) {
                sketch.Arc(-50, 0, 60);
                DrawTwoPads(sketch, 100, HolePadName('C', 60, 32), HolePadName('C', 60, 32));
            } else {
                const int half = spacing / 2 - 60;
                sketch.Rect(-half, 45, half, -45);
                DrawTwoPads(sketch, spacing, HolePadName('C', 60, 32), HolePadName('C', 60, 32));
            }
        }
        sketch.WriteTo(drawing);
    }
    void Make(std::uint64_t c, std::string& name, std::string& info) const override {
        const std::uint64_t cans = std::size(kCanDiameters) * std::size(kCanHeights);
        if (c < cans) {
            const std::size_t d = Take(c, std::size(kCanDiameters));
            const int height = kCanHeights[Take(c, std::size(kCanHeights))];
            std::string diameter = Hundredths(kCanDiameters[d]);
            while (diameter.back() == '0')
                diameter.pop_back();
            if (diameter.back() == '.')
                diameter.pop_back();
            Out(name) << "CAPR-" << diameter << 'X' << height;
            Out(info) << "Radial electrolytic capacitor, " << diameter << " mm dia., " << height
                      << " mm high, " << Hundredths(kLeadSpacings[d]) << " mm lead spacing" << kSep
                      << "PMD,Radial" << kSep;
            return;
        }
        c -= cans;
        const int tenths = static_cast<int>(Take(c, 8)) + 3; // 0.3 to 1.0 inch
        const bool vertical = Take(c, 2) == 1;
        Out(name) << "AXIAL-" << tenths / 10 << '.' << tenths % 10 << (vertical ? "_V" : "");
        Out(info) << "Axial component, " << Hundredths(tenths * 254) << " mm lead spacing"
                  << (vertical ? ", mounted upright" : "") << kSep << "PMD,Axial" << kSep;
    }
};

// --- padstacks: sizes in mils in the name, millimetres in the description

// Round and square through-hole pads: pad 40 to 150 mils, drill at least 15 mils smaller.
class ThroughHolePadFamily final : public Family {
public:
    ThroughHolePadFamily() {
        for (int pad = 40; pad <= 150; pad += 5)
            for (int hole = 20; hole <= pad - 15 && hole <= 100; hole += 3)
                m_sizes.push_back({pad, hole});
    }
    std::uint64_t Combinations() const noexcept override { return m_sizes.size() * 3; }
    void Draw(std::uint64_t c, std::string& drawing) const override {
        const auto [pad, hole] = m_sizes[Take(c, m_sizes.size())];
        const std::size_t shape = Take(c, 3);
        const PadShape copper = shape == 2   ? PadShape::Oblong
                                : shape == 1 ? PadShape::Square
                                             : PadShape::Round;
        const int length = shape == 2 ? pad + pad / 2 : pad;
        Sketch sketch(DrawingKind::Padstack);
        sketch.Layer("TOP", copper, pad, length).Layer("BOTTOM", copper, pad, length);
        sketch.Layer("INNER", shape == 2 ? PadShape::Oblong : PadShape::Round, pad, length);
        sketch.Layer("MASKTOP", copper, pad + 6, length + 6);
        sketch.Layer("MASKBOTTOM", copper, pad + 6, length + 6).Drill(hole, true);
        sketch.WriteTo(drawing);
    }
    void Make(std::uint64_t c, std::string& name, std::string& info) const override {
        const auto [pad, hole] = m_sizes[Take(c, m_sizes.size())];
        const std::size_t shape = Take(c, 3);
        Out out(info);
        if (shape == 2) {
            // Oblong: as long again as wide, or half again.
            const int length = pad + pad / 2;
            Out(name) << 'O' << pad << 'X' << length << 'H' << hole;
            out << "Oblong pad " << MilsAsMillimetres(pad) << " x " << MilsAsMillimetres(length)
                << " mm, drill " << MilsAsMillimetres(hole) << " mm" << kSep
                << "Through-hole,Oblong" << kSep << "Oblong";
            return;
        }
        const bool square = shape == 1;
        Out(name) << (square ? 'S' : 'C') << pad << 'H' << hole;
        out << (square ? "Square pad " : "Round pad ") << MilsAsMillimetres(pad) << " mm, drill "
            << MilsAsMillimetres(hole) << " mm" << (square ? " (pin 1)" : "") << kSep
            << (square ? "Through-hole,Square" : "Through-hole,Round") << kSep
            << (square ? "Square" : "Round");
    }

private:
    std::vector<std::pair<int, int>> m_sizes;
};

// Surface-mount pads: rectangles and rounded rectangles 8 to 100 mils wide, up to four
// times as long; round pads of 8 to 60 mils.
class SmdPadFamily final : public Family {
public:
    SmdPadFamily() {
        for (int width = 8; width <= 100; width += 2)
            for (int length = width + 4; length <= width * 4 && length <= 200; length += 4)
                m_sizes.push_back({width, length});
    }
    std::uint64_t Combinations() const noexcept override { return m_sizes.size() * 2 + 53; }
    void Draw(std::uint64_t c, std::string& drawing) const override {
        int width = 0;
        int length = 0;
        PadShape shape = PadShape::Round;
        if (c >= m_sizes.size() * 2) {
            width = length = 8 + static_cast<int>(c - m_sizes.size() * 2);
        } else {
            std::tie(width, length) = m_sizes[Take(c, m_sizes.size())];
            shape = Take(c, 2) == 1 ? PadShape::Oblong : PadShape::Rect;
        }
        Sketch sketch(DrawingKind::Padstack);
        sketch.Layer("TOP", shape, width, length);
        sketch.Layer("MASKTOP", shape, width + 6, length + 6);
        sketch.Layer("PASTETOP", shape, width, length);
        sketch.WriteTo(drawing);
    }
    void Make(std::uint64_t c, std::string& name, std::string& info) const override {
        Out out(info);
        if (c >= m_sizes.size() * 2) {
            const int diameter = 8 + static_cast<int>(c - m_sizes.size() * 2);
            Out(name) << "CS" << diameter;
            out << "Round SMD pad " << MilsAsMillimetres(diameter) << " mm (BGA, test point)"
                << kSep << "Surface-mount,Round" << kSep << "Round";
            return;
        }
        const auto [width, length] = m_sizes[Take(c, m_sizes.size())];
        const bool rounded = Take(c, 2) == 1;
        Out(name) << (rounded ? "RR" : "R") << width << 'X' << length;
        out << (rounded ? "Rounded rectangular pad " : "Rectangular pad ")
            << MilsAsMillimetres(width) << " x " << MilsAsMillimetres(length) << " mm" << kSep
            << (rounded ? "Surface-mount,Rounded rectangle" : "Surface-mount,Rectangular") << kSep
            << (rounded ? "Rounded rectangle" : "Rectangular");
    }

private:
    std::vector<std::pair<int, int>> m_sizes;
};

// Mounting holes of 80 to 250 mils, plated with a pad or not plated.
class MountingHoleFamily final : public Family {
public:
    std::uint64_t Combinations() const noexcept override { return 35 * 2; }
    void Draw(std::uint64_t c, std::string& drawing) const override {
        const int hole = 80 + 5 * static_cast<int>(Take(c, 35));
        const bool plated = Take(c, 2) == 0;
        const int pad = plated ? hole * 7 / 4 : hole + 4; // unplated: the mask opening
        Sketch sketch(DrawingKind::Padstack);
        if (plated)
            sketch.Layer("TOP", PadShape::Round, pad, pad)
                .Layer("BOTTOM", PadShape::Round, pad, pad)
                .Layer("INNER", PadShape::Round, pad, pad);
        sketch.Layer("MASKTOP", PadShape::Round, pad + 6, pad + 6);
        sketch.Layer("MASKBOTTOM", PadShape::Round, pad + 6, pad + 6).Drill(hole, plated);
        sketch.WriteTo(drawing);
    }
    void Make(std::uint64_t c, std::string& name, std::string& info) const override {
        const int hole = 80 + 5 * static_cast<int>(Take(c, 35));
        const bool plated = Take(c, 2) == 0;
        Out(name) << "MTG" << hole << (plated ? "" : "NP");
        Out out(info);
        out << "Mounting hole " << MilsAsMillimetres(hole) << " mm, ";
        if (plated)
            out << "plated, pad " << MilsAsMillimetres(hole * 7 / 4) << " mm";
        else
            out << "not plated";
        out << kSep << "Through-hole,Mounting hole" << kSep << "Round";
    }
};

} // namespace

std::vector<WeightedFamily> SymbolFamilies() {
    std::vector<WeightedFamily> families;
    families.push_back(Weighted<LogicSymbolFamily>(550));
    families.push_back(Weighted<BasicSymbolFamily>(250));
    families.push_back(Weighted<ConnectorSymbolFamily>(200));
    return families;
}

std::vector<WeightedFamily> PackageFamilies() {
    std::vector<WeightedFamily> families;
    families.push_back(Weighted<DipFamily>(120));
    families.push_back(Weighted<SmdIcFamily>(450));
    families.push_back(Weighted<DiscretePackageFamily>(120));
    families.push_back(Weighted<ChipFamily>(100));
    families.push_back(Weighted<HeaderPackageFamily>(130));
    families.push_back(Weighted<LeadedPackageFamily>(80));
    return families;
}

std::vector<WeightedFamily> PadstackFamilies() {
    std::vector<WeightedFamily> families;
    families.push_back(Weighted<ThroughHolePadFamily>(350));
    families.push_back(Weighted<SmdPadFamily>(600));
    families.push_back(Weighted<MountingHoleFamily>(50));
    return families;
}

} // namespace k2k::synthetic
