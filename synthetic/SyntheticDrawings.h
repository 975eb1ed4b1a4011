#pragma once
// The drawings of the synthetic symbols, packages and padstacks, in the manner of the
// sample suite's (SampleDrawings.h): gates by their function, everything else with many
// pins a box; dual in-line and small-outline rows, quad packages with four sides, in-line
// and two-pad outlines; padstacks by their sizes. Pads name padstacks the synthetic
// padstack families make. Lengths are mils, y upwards (platform/Drawing.h).

#include "sketch/Sketch.h"

#include <string>
#include <string_view>
#include <vector>

namespace k2k::synthetic {

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

// The symbol of a basic component by its name in the sample suite ("NPN", "RES",
// "OPAMP1", ...); a box with three pins for a name it does not know.
void DrawBasicSymbol(Sketch& sketch, std::string_view name);

// --- packages

// Pad names the synthetic padstack families make, the sizes rounded to theirs.
std::string SurfacePadName(int width, int length);
std::string HolePadName(char shape, int pad, int hole); // shape 'C', 'S' or 'O'

// count pads in a row along x from 0 0.
void DrawInLine(Sketch& sketch, int count, int pitch, std::string_view first,
                std::string_view other);
// Two pads spacing apart, centred on 0 0.
void DrawTwoPads(Sketch& sketch, int spacing, std::string_view first, std::string_view other);

} // namespace k2k::synthetic
