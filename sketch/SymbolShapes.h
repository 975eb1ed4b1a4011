#pragma once
// The shapes symbols are drawn with, each drawn here once, in mils: boxes with their pin
// lists, gates by their function, amplifiers, diodes, transistors, two-terminal parts
// (resistors, capacitors, inductors, crystals) and the clock wedge of a clocked pin. The
// sample suite's rules (SampleDrawings.h), the synthetic symbols and the import draw with
// them. A pin's x y is its outer end, where a net connects; its name or number is what the
// caller gives, the shape decides where it stands.

#include "sketch/Sketch.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace k2k {

// The radius of the circle of an inverted pin or output.
inline constexpr int kBubbleRadius = 15;

// --- boxes

// A named pin; an empty number leaves a gap where it would stand.
struct BoxPin {
    std::string number;
    std::string name;
};
struct BoxPins {
    std::vector<BoxPin> left, right, top, bottom;
};

// A box at least width wide with its name above it: the pins on a 100 mil pitch, those on
// the left and right from the top down, those on top and below centred.
void DrawBox(Sketch& sketch, std::string_view name, const BoxPins& pins, int width = 600);

// The pins of a header or terminal strip, 1 to rows x count named by their numbers: one row
// down the left, or two with the odd pins left and the even ones right.
BoxPins HeaderPins(int rows, int count);

// --- gates

enum class GateFunction { And, Or, Xor, Buffer };

struct GateLook {
    GateFunction function = GateFunction::And;
    int inputs = 2; // 1 for buffers
    bool invertedOutput = false;
    bool invertedInputs = false; // the De Morgan form
    bool schmitt = false;
    bool enable = false; // a 3-state buffer's enable on top
};

// The pins of one gate: its inputs from the top down, its output and, with an enable, the
// enable.
struct GatePins {
    std::vector<BoxPin> inputs;
    BoxPin output;
    BoxPin enable;
};

// Inputs 1 to n named A, B, ..., then the output Y and the enable ~OE.
GatePins LetteredGatePins(const GateLook& look);

// A gate by its function: the body, the bubbles of inverted inputs and output, the
// hysteresis of a Schmitt trigger; the inputs on the back of the body (on a 50 mil pitch from
// four on, the back running on beyond the body), the output at its tip, an enable on top.
void DrawGate(Sketch& sketch, std::string_view name, const GateLook& look, const GatePins& pins);

// --- analog and discrete parts

// A pin below an amplifier: x is where along the lower edge it stands.
struct AmplifierPin {
    std::string_view number, name;
    int x = 0;
};

// A triangle from (-200, +-200) to (200, 0): the inputs 3 (+IN) and 2 (-IN), the output
// out; pins on top meet the upper edge, those below the lower one.
void DrawAmplifier(Sketch& sketch, std::string_view name, std::string_view out,
                   const BoxPin* top = nullptr, std::initializer_list<AmplifierPin> bottom = {});

// The supply pins of a package drawn apart: a square, one pin on top and one below.
void DrawSupplyPins(Sketch& sketch, std::string_view name, const BoxPin& top, const BoxPin& bottom);

enum class DiodeLook { Plain, Schottky, Zener, Light };

// A diode from its anode (pin 1, left) to its cathode (pin 2, right); a Zener's cathode
// bar bent, a Schottky's hooked, a light-emitting one's two arrows.
void DrawDiode(Sketch& sketch, std::string_view name, DiodeLook look,
               const BoxPin& anode = {"1", "A"}, const BoxPin& cathode = {"2", "K"});

// Pins 1 and 2 reaching out from a body reach mils either side of 0 0, the name above.
void DrawTwoTerminal(Sketch& sketch, std::string_view name, int reach);

// A resistor's zigzag; a potentiometer's wiper (pin 3) on top.
void DrawResistor(Sketch& sketch, std::string_view name, bool wiper);
// Two plates; a polarised one's second plate curved, with its plus sign.
void DrawCapacitor(Sketch& sketch, std::string_view name, bool polarised);
void DrawInductor(Sketch& sketch, std::string_view name);
void DrawCrystal(Sketch& sketch, std::string_view name);

struct TransistorLook {
    bool pnp = false; // or a P-channel MOS transistor
    bool darlington = false;
    bool mos = false;
};

// A transistor in a circle: base or gate (2) on the left, collector or drain up, emitter or
// source down.
void DrawTransistor(Sketch& sketch, std::string_view name, const TransistorLook& look);

// The clock wedge of a pin meeting the body at edge: size long, pointing inward.
void DrawClockWedge(Sketch& sketch, DrawPoint edge, DrawPoint inward, int size);

} // namespace k2k
