#pragma once
// The shapes packages are drawn with, each drawn here once, in mils: rows of pads (dual,
// in-line, two pads), the outlines of dual in-line and small-outline packages, of
// transistor and diode packages, of axial and radial parts and of pin headers. The sample
// suite's rules (SampleDrawings.h) and the synthetic packages draw with them; the caller
// names the padstacks. Pad 1 is at 0 0 for rows, in-line parts and headers; two-pad parts
// and transistor packages are centred on 0 0.

#include "sketch/Sketch.h"

#include <string_view>

namespace k2k {

// --- rows of pads

// Pins 1 .. count/2 down the left row from 0 0, the rest up the right row span mils away.
void DrawDualRow(Sketch& sketch, int count, int pitch, int span, std::string_view first,
                 std::string_view other, int rotation = 0);
// count pads in a row along x from 0 0.
void DrawInLine(Sketch& sketch, int count, int pitch, std::string_view first,
                std::string_view other);
// Two pads spacing apart, centred on 0 0 (HalfDown: an odd spacing puts pad 1 the odd mil
// further out).
void DrawTwoPads(Sketch& sketch, int spacing, std::string_view first, std::string_view other);

// --- integrated circuits

// Dual in-line: pads on a 100 mil pitch, the rows span apart, the notch at pin 1's end.
void DrawDip(Sketch& sketch, int count, int span, std::string_view first, std::string_view other,
             int rotation = 0);
// Small outline: the pads turned across the rows, the body between them, pin 1 marked by a
// dot.
void DrawSmallOutline(Sketch& sketch, int count, int pitch, int span, std::string_view pad,
                      int body);

// --- transistors and two-pad parts

// TO-92: three leads pitch apart under the flat of the round body.
void DrawTo92(Sketch& sketch, int pitch, std::string_view first, std::string_view other);
// TO-18: a metal can with its tab, three leads round the centre.
void DrawTo18(Sketch& sketch, std::string_view pad);
// TO-126: three leads 90 mils apart below the body.
void DrawTo126(Sketch& sketch, std::string_view pad);
// TO-220: leads pitch apart, the body and its tab's edge above them; five leads widen it.
void DrawTo220(Sketch& sketch, int leads, int pitch, std::string_view first,
               std::string_view other);
// SOT-23 of 3, 5 or 6 leads: the body between two rows; from 5 leads pin 1 marked by a dot.
void DrawSot23(Sketch& sketch, int leads, std::string_view pad);
// A small outline with a heat tab (SOT-89, SOT-223): three leads pitch apart at leadY, the
// tab, pad tabNumber, at tabY.
void DrawTabbedSot(Sketch& sketch, int pitch, int leadY, int tabY, int tabNumber,
                   std::string_view lead, std::string_view tab);
// DPAK and D2PAK: two leads lead mils either side of the middle below, the tab (pad 2) above.
void DrawDpak(Sketch& sketch, int lead, std::string_view leadPad, std::string_view tab);

// How far a polarised surface-mount part's band stands in from its first end.
inline constexpr int kBandInset = 15;

// The body of a surface-mount part of two pads, centred on 0 0; a polarised part's band
// bandInset mils from its first end (0: none).
void DrawChipBody(Sketch& sketch, int halfLength, int halfWidth, int bandInset = 0);
// An axial part: its body, the leads from the pads to the body, a diode's cathode band.
void DrawAxial(Sketch& sketch, int spacing, int halfLength, int halfWidth, bool band,
               std::string_view first, std::string_view other);

enum class RadialMark { None, Plus, Flat };
// A radial part: a round body of radius (0: a box halfWidth high round the pads), a
// capacitor's plus sign or a light-emitting diode's flat.
void DrawRadial(Sketch& sketch, int spacing, int radius, int halfWidth, RadialMark mark,
                std::string_view first, std::string_view other);

// --- connectors

// Pin headers on a 100 mil grid, numbered across the rows column by column.
void DrawPinHeader(Sketch& sketch, int rows, int count, std::string_view first,
                   std::string_view other);

} // namespace k2k
