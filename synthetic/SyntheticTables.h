#pragma once
// Catalogue data that the synthetic parts and symbols share: the logic functions of the
// 74 series and of the 4000 series, the package bodies parts come in, and how makers name
// what they sell in a body.

#include <string>
#include <string_view>

namespace k2k::synthetic {

struct LogicFunction {
    std::string_view code; // "00" for 7400, "4001" for the 4000 series
    int pins;
    std::string_view description;
    std::string_view type;        // part type path
    std::string_view simFunction; // comma-separated function numbers
    std::string_view model;       // the code model, "D_NAND"
};

inline constexpr LogicFunction kSeries74[] = {
    {"00", 14, "Quad 2-input NAND gate", "Digital,Gates,NAND", "7", "D_NAND"},
    {"02", 14, "Quad 2-input NOR gate", "Digital,Gates,NOR", "6", "D_NOR"},
    {"04", 14, "Hex inverter", "Digital,Gates,Inverter", "2", "D_INVERTER"},
    {"08", 14, "Quad 2-input AND gate", "Digital,Gates,AND", "3", "D_AND"},
    {"10", 14, "Triple 3-input NAND gate", "Digital,Gates,NAND", "7", "D_NAND3"},
    {"11", 14, "Triple 3-input AND gate", "Digital,Gates,AND", "3", "D_AND3"},
    {"14", 14, "Hex Schmitt-trigger inverter", "Digital,Gates,Schmitt trigger", "2,9",
     "D_INVERTER"},
    {"20", 14, "Dual 4-input NAND gate", "Digital,Gates,NAND", "7", "D_NAND4"},
    {"21", 14, "Dual 4-input AND gate", "Digital,Gates,AND", "3", "D_AND4"},
    {"27", 14, "Triple 3-input NOR gate", "Digital,Gates,NOR", "6", "D_NOR3"},
    {"30", 14, "8-input NAND gate", "Digital,Gates,NAND", "7", "D_NAND8"},
    {"32", 14, "Quad 2-input OR gate", "Digital,Gates,OR", "4", "D_OR"},
    {"74", 14, "Dual D-type flip-flop, preset and clear", "Digital,Flip-flops,D", "10", "D_DFF"},
    {"86", 14, "Quad 2-input exclusive-OR gate", "Digital,Gates,XOR", "5", "D_XOR"},
    {"107", 14, "Dual J-K flip-flop with clear", "Digital,Flip-flops,JK", "11", "D_JKFF"},
    {"109", 16, "Dual J-K flip-flop, preset and clear", "Digital,Flip-flops,JK", "11", "D_JKFF"},
    {"112", 16, "Dual J-K flip-flop, negative edge", "Digital,Flip-flops,JK", "11", "D_JKFF"},
    {"123", 16, "Dual retriggerable monostable", "Digital,Monostables", "20", "D_MONO"},
    {"125", 14, "Quad bus buffer, 3-state", "Digital,Buffers,3-state", "12", "D_TRISTATE"},
    {"126", 14, "Quad bus buffer, 3-state, high enable", "Digital,Buffers,3-state", "12",
     "D_TRISTATE"},
    {"132", 14, "Quad 2-input NAND Schmitt trigger", "Digital,Gates,Schmitt trigger", "7,9",
     "D_NAND"},
    {"138", 16, "3-to-8 line decoder/demultiplexer", "Digital,Decoders", "16", "D_DECODER"},
    {"139", 16, "Dual 2-to-4 line decoder/demultiplexer", "Digital,Decoders", "16", "D_DECODER"},
    {"151", 16, "8-input data selector/multiplexer", "Digital,Multiplexers", "17", "D_MUX"},
    {"153", 16, "Dual 4-input data selector/multiplexer", "Digital,Multiplexers", "17", "D_MUX"},
    {"157", 16, "Quad 2-input data selector/multiplexer", "Digital,Multiplexers", "17", "D_MUX"},
    {"161", 16, "4-bit binary counter, asynchronous clear", "Digital,Counters,Binary", "13",
     "D_COUNTER"},
    {"163", 16, "4-bit binary counter, synchronous clear", "Digital,Counters,Binary", "13",
     "D_COUNTER"},
    {"164", 14, "8-bit serial-in, parallel-out shift register", "Digital,Shift registers", "15",
     "D_SHIFT"},
    {"165", 16, "8-bit parallel-in, serial-out shift register", "Digital,Shift registers", "15",
     "D_SHIFT"},
    {"173", 16, "4-bit D-type register, 3-state", "Digital,Registers", "10", "D_DFF"},
    {"174", 16, "Hex D-type flip-flop with clear", "Digital,Flip-flops,D", "10", "D_DFF"},
    {"175", 16, "Quad D-type flip-flop with clear", "Digital,Flip-flops,D", "10", "D_DFF"},
    {"191", 16, "Up/down 4-bit binary counter", "Digital,Counters,Binary", "13", "D_COUNTER"},
    {"193", 16, "Up/down binary counter, dual clock", "Digital,Counters,Binary", "13", "D_COUNTER"},
    {"221", 16, "Dual monostable, Schmitt-trigger inputs", "Digital,Monostables", "20", "D_MONO"},
    {"240", 20, "Octal inverting line driver, 3-state", "Digital,Buffers,3-state", "12",
     "D_TRISTATE"},
    {"244", 20, "Octal line driver, 3-state", "Digital,Buffers,3-state", "12", "D_TRISTATE"},
    {"245", 20, "Octal bus transceiver, 3-state", "Digital,Transceivers", "12", "D_TRISTATE"},
    {"259", 16, "8-bit addressable latch", "Digital,Latches", "18", "D_LATCH"},
    {"273", 20, "Octal D-type flip-flop with clear", "Digital,Flip-flops,D", "10", "D_DFF"},
    {"280", 14, "9-bit odd/even parity generator/checker", "Digital,Arithmetic", "5", "D_XOR"},
    {"283", 16, "4-bit binary full adder with fast carry", "Digital,Arithmetic", "", ""},
    {"299", 20, "8-bit universal shift register, 3-state", "Digital,Shift registers", "15",
     "D_SHIFT"},
    {"365", 16, "Hex buffer/driver, 3-state", "Digital,Buffers,3-state", "12", "D_TRISTATE"},
    {"373", 20, "Octal D-type latch, 3-state", "Digital,Latches", "18", "D_LATCH"},
    {"374", 20, "Octal D-type flip-flop, 3-state", "Digital,Flip-flops,D", "10", "D_DFF"},
    {"390", 16, "Dual 4-bit decade counter", "Digital,Counters,Decade", "14", "D_COUNTER"},
    {"393", 14, "Dual 4-bit binary counter", "Digital,Counters,Binary", "13", "D_COUNTER"},
    {"541", 20, "Octal line driver, 3-state, flow-through", "Digital,Buffers,3-state", "12",
     "D_TRISTATE"},
    {"573", 20, "Octal D-type latch, 3-state, flow-through", "Digital,Latches", "18", "D_LATCH"},
    {"574", 20, "Octal D-type flip-flop, flow-through", "Digital,Flip-flops,D", "10", "D_DFF"},
    {"595", 16, "8-bit shift register, output latches", "Digital,Shift registers", "15", "D_SHIFT"},
    {"688", 20, "8-bit identity comparator", "Digital,Comparators", "", ""},
};

inline constexpr LogicFunction kSeries4000[] = {
    {"4001", 14, "Quad 2-input NOR gate", "Digital,Gates,NOR", "6", "D_NOR"},
    {"4011", 14, "Quad 2-input NAND gate", "Digital,Gates,NAND", "7", "D_NAND"},
    {"4013", 14, "Dual D-type flip-flop with set and reset", "Digital,Flip-flops,D", "10", "D_DFF"},
    {"4017", 16, "Decade counter with 10 decoded outputs", "Digital,Counters,Decade", "14",
     "D_COUNTER"},
    {"4020", 16, "14-stage binary ripple counter", "Digital,Counters,Binary", "13", "D_COUNTER"},
    {"4024", 14, "7-stage binary ripple counter", "Digital,Counters,Binary", "13", "D_COUNTER"},
    {"4027", 16, "Dual J-K master-slave flip-flop", "Digital,Flip-flops,JK", "11", "D_JKFF"},
    {"4040", 16, "12-stage binary ripple counter", "Digital,Counters,Binary", "13", "D_COUNTER"},
    {"4046", 16, "Micropower phase-locked loop", "Digital,PLL", "", ""},
    {"4049", 16, "Hex inverting buffer/converter", "Digital,Buffers", "2", "D_INVERTER"},
    {"4050", 16, "Hex non-inverting buffer/converter", "Digital,Buffers", "1", "D_BUFFER"},
    {"4051", 16, "8-channel analog multiplexer", "Analog,Switches,Multiplexers", "-17", ""},
    {"4052", 16, "Dual 4-channel analog multiplexer", "Analog,Switches,Multiplexers", "-17", ""},
    {"4053", 16, "Triple 2-channel analog multiplexer", "Analog,Switches,Multiplexers", "-17", ""},
    {"4060", 16, "14-stage binary counter, oscillator", "Digital,Counters,Binary", "13",
     "D_COUNTER"},
    {"4066", 14, "Quad bilateral switch", "Analog,Switches", "-16", ""},
    {"4069", 14, "Hex inverter", "Digital,Gates,Inverter", "2", "D_INVERTER"},
    {"4070", 14, "Quad 2-input exclusive-OR gate", "Digital,Gates,XOR", "5", "D_XOR"},
    {"4071", 14, "Quad 2-input OR gate", "Digital,Gates,OR", "4", "D_OR"},
    {"4081", 14, "Quad 2-input AND gate", "Digital,Gates,AND", "3", "D_AND"},
    {"4093", 14, "Quad 2-input NAND Schmitt trigger", "Digital,Gates,Schmitt trigger", "7,9",
     "D_NAND"},
    {"4094", 16, "8-stage shift-and-store register", "Digital,Shift registers", "15", "D_SHIFT"},
    {"4510", 16, "Presettable BCD up/down counter", "Digital,Counters,Decade", "14", "D_COUNTER"},
    {"4511", 16, "BCD-to-7-segment latch/decoder/driver", "Digital,Decoders,7-segment", "19",
     "D_SEG7"},
    {"4518", 16, "Dual BCD up counter", "Digital,Counters,Decade", "14", "D_COUNTER"},
    {"4538", 16, "Dual precision monostable multivibrator", "Digital,Monostables", "20", "D_MONO"},
    {"4543", 16, "BCD-to-7-segment decoder for LCD", "Digital,Decoders,7-segment", "19", "D_SEG7"},
};

// A package body: the package name is the prefix and, for bodies with a pin count in
// their name, the number of pins ("SOIC14"; "TO-92").
struct Body {
    std::string_view prefix;
    bool numbered;
    std::string_view packageType;
};

inline constexpr Body kDip{"DIP", true, "PMD,DIP"};
inline constexpr Body kSoic{"SOIC", true, "SMD,SOIC"};
inline constexpr Body kSop{"SOP", true, "SMD,SOP"};
inline constexpr Body kTssop{"TSSOP", true, "SMD,TSSOP"};
inline constexpr Body kQfn{"DHVQFN", true, "SMD,QFN"};
inline constexpr Body kTo92{"TO-92", false, "PMD,TO-92"};
inline constexpr Body kTo126{"TO-126", false, "PMD,TO-126"};
inline constexpr Body kTo220{"TO-220", false, "PMD,TO-220"};
inline constexpr Body kDpak{"DPAK", false, "SMD,DPAK"};
inline constexpr Body kD2pak{"D2PAK", false, "SMD,D2PAK"};
inline constexpr Body kSot23{"SOT-23", false, "SMD,SOT-23"};
inline constexpr Body kSot223{"SOT-223", false, "SMD,SOT-223"};
inline constexpr Body kDo35{"DO-35", false, "PMD,Axial"};
inline constexpr Body kDo41{"DO-41", false, "PMD,Axial"};
inline constexpr Body kDo201{"DO-201AD", false, "PMD,Axial"};
inline constexpr Body kSod123{"SOD-123", false, "SMD,SOD-123"};
inline constexpr Body kLed3{"LED-3MM", false, "PMD,LED"};
inline constexpr Body kLed5{"LED-5MM", false, "PMD,LED"};

// The package of a body with pins: "SOIC14", "TO-92".
inline std::string PackageName(const Body& body, int pins) {
    std::string name(body.prefix);
    if (body.numbered)
        name += std::to_string(pins);
    return name;
}

// How a maker turns a base name into an order code, and the body it stands for.
struct MakerCode {
    std::string_view prefix;
    std::string_view suffix;
    std::string_view manufacturer;
    const Body* body;
};

} // namespace k2k::synthetic
