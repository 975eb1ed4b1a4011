// The symbol families of the synthetic libraries: 74-series and 4000-series logic in five
// drawing styles, the basic components of the sample suite, connectors. Their names follow
// the sample suite's ("7400", "NPN", "HDR2X10" as "CONN2X10") with a style suffix, so they
// never clash with a part name or with each other. Gates are drawn as the sample's are
// (sketch/SymbolShapes.h), the basic components by the sample's own rules.

#include "sketch/SampleDrawings.h"
#include "sketch/SymbolShapes.h"
#include "synthetic/SyntheticFamily.h"
#include "synthetic/SyntheticTables.h"

#include <algorithm>
#include <optional>

namespace k2k::synthetic {

namespace {

constexpr Style kLogicStyles[] = {{"", "standard shapes"},
                                  {"_IEC", "IEC rectangular shapes"},
                                  {"_DM", "De Morgan equivalent"},
                                  {"_1", "one section per symbol"},
                                  {"_BOX", "single box with all sections"}};

// The styles that draw otherwise than as the gate's usual shape.
constexpr std::size_t kIecStyle = 1;
constexpr std::size_t kDeMorganStyle = 2;
constexpr std::size_t kBoxStyle = 4;

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
        if (!gate || style == kBoxStyle) {
            DrawPackageBox(sketch, name, function.pins);
        } else if (style == kIecStyle) {
            DrawIecGate(sketch, name, *gate);
        } else {
            const GateLook look = style == kDeMorganStyle ? DeMorgan(*gate) : *gate;
            DrawGate(sketch, name, look, LetteredGatePins(look));
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
        // Every name of the table is one of the sample suite's, drawn by its rules.
        const std::string_view name = kBasicSymbols[Take(c, std::size(kBasicSymbols))].name;
        drawing = FormatDrawing(SampleDrawing(DrawingKind::Symbol, name).value_or(Drawing{}));
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
    std::uint64_t Combinations() const noexcept override { return kHeaderCombinations; }
    void Draw(std::uint64_t c, std::string& drawing) const override {
        const auto [rows, pins, style] = TakeHeader(c);
        BoxPins box = HeaderPins(rows, pins);
        if (style == 2) // with mounting pins
            box.bottom = {{"MP1", "MP"}, {"MP2", "MP"}};
        Sketch sketch(DrawingKind::Symbol);
        DrawBox(sketch, "J", box, 200);
        sketch.WriteTo(drawing);
    }
    void Make(std::uint64_t c, std::string& name, std::string& info) const override {
        const auto [rows, pins, variant] = TakeHeader(c);
        constexpr Style kStyles[] = {{"", "pins numbered"},
                                     {"_NUM", "pin numbers and names"},
                                     {"_MP", "with mounting pins"}};
        const Style& style = kStyles[variant];
        Out(name) << "CONN" << rows << 'X' << pins << style.suffix;
        Out(info) << "Connector " << rows << 'x' << pins << ", " << style.description << kSep
                  << "Discrete,Connectors" << kSep << kSep;
    }
};

} // namespace

std::vector<WeightedFamily> SymbolFamilies() {
    return Families(Weighted<LogicSymbolFamily>(550), Weighted<BasicSymbolFamily>(250),
                    Weighted<ConnectorSymbolFamily>(200));
}

} // namespace k2k::synthetic
