#!/usr/bin/env python3
"""Fills the drawing column of the sample suite's symbol, package and padstack sources
(sample/sources/LIB/*.symbol.csv, *.package.csv, *.padstack.csv) from rules per family,
and copies each drawing into the DEMO project's copy of that object.

    python3 sample/make_drawings.py           # rewrite the sources
    python3 sample/make_drawings.py --check   # exit 1 when a source is not up to date

An object that no rule knows stops the script: add a rule for it. Lengths are mils,
y upwards; see docs/drawings.md for the format. Standard library only.
"""

import argparse
import csv
import io
import re
import sys
from pathlib import Path

SAMPLE = Path(__file__).resolve().parent
LIBSRC = SAMPLE / "sources" / "LIB"
JOBSRC = SAMPLE / "sources" / "JOB"
KINDS = ("symbol", "package", "padstack")
PROJECT_FILES = {"symbol": "symbols.csv", "package": "packages.csv", "padstack": "padstacks.csv"}


class Drawing:
    def __init__(self, kind):
        self.statements = ["K2KDRAW 1 " + kind.upper()]

    def add(self, keyword, *fields):
        self.statements.append(" ".join([keyword] + [str(f) for f in fields]))
        return self

    def line(self, x1, y1, x2, y2):
        return self.add("LINE", x1, y1, x2, y2)

    def polyline(self, *points):
        for (x1, y1), (x2, y2) in zip(points, points[1:]):
            self.line(x1, y1, x2, y2)
        return self

    def rect(self, x1, y1, x2, y2):
        return self.add("RECT", x1, y1, x2, y2)

    def arc(self, cx, cy, r, start=0, sweep=360):
        return self.add("ARC", cx, cy, r, start, sweep)

    def text(self, x, y, height, text):
        return self.add("TEXT", x, y, height, text)

    def pin(self, number, name, side, x, y, length=200):
        return self.add("PIN", number, name, side, x, y, length)

    def pad(self, number, padstack, x, y, rotation=0):
        return self.add("PAD", number, padstack, x, y, rotation)

    def text_value(self):
        return ";".join(self.statements)


# --------------------------------------------------------------------------- symbols

def gate(name, function, pins, schmitt=False):
    """One section of a gate: pins are (number, name) of the inputs, then of the output
    (and of an enable for a 3-state buffer)."""
    d = Drawing("symbol")
    inputs, output = pins[:-1], pins[-1]
    out_x = 100
    if function in ("AND", "NAND"):
        d.line(-100, 100, 0, 100).line(-100, -100, 0, -100).line(-100, 100, -100, -100)
        d.arc(0, 0, 100, -90, 180)
    elif function in ("OR", "NOR", "XOR"):
        # A concave back and a front of two arcs meeting at the tip.
        d.line(-130, 100, -100, 100).line(-130, -100, -100, -100)
        d.arc(-230, 0, 141, -45, 90)
        d.arc(-100, -150, 250, 37, 53).arc(-100, 150, 250, -90, 53)
        if function == "XOR":
            d.arc(-260, 0, 141, -45, 90)
    else:  # a buffer or an inverter: a triangle
        d.polyline((-100, 100), (-100, -100), (100, 0), (-100, 100))
        if schmitt:
            d.polyline((-70, -20), (-30, -20), (-30, 20), (-10, 20))
            d.polyline((-50, -20), (-50, 20), (-10, 20))
    if function in ("NAND", "NOR", "NOT"):
        d.arc(115, 0, 15)
        out_x = 130
    d.text(-100, 130, 50, name)
    if function == "TRI":
        enable = inputs.pop()
        d.pin(enable[0], enable[1], "T", 0, 250, 200)
    ys = [0] if len(inputs) == 1 else [50, -50]
    # Inputs end on the back of the body (the outer back arc of an exclusive OR).
    x_end = -130 if function == "XOR" else -100
    for (number, pin_name), y in zip(inputs, ys):
        d.pin(number, pin_name, "L", x_end - 200, y, 200)
    d.pin(output[0], output[1], "R", out_x + 200, 0, 200)
    return d


def box(name, left=(), right=(), top=(), bottom=(), width=600, pitch=100, extra=None):
    """A rectangular body with pins: each side a list of (number, name), None for a gap."""
    d = Drawing("symbol")
    rows = max(len(left), len(right), 1)
    height = (rows + 1) * pitch
    columns = max(len(top), len(bottom))
    width = max(width, (columns + 1) * pitch)
    # The top edge on the 100 mil grid, so the pins are on it too.
    x1, x2 = -width // 2, width // 2
    y1 = (rows + 2) // 2 * pitch
    y2 = y1 - height
    d.rect(x1, y1, x2, y2)
    d.text(x1, y1 + 30, 50, name)
    for side, pins in (("L", left), ("R", right)):
        for i, pin in enumerate(pins):
            if pin is None:
                continue
            y = y1 - pitch * (i + 1)
            x = x1 - 200 if side == "L" else x2 + 200
            d.pin(pin[0], pin[1], side, x, y)
    for side, pins in (("T", top), ("B", bottom)):
        start = -(len(pins) - 1) * pitch // 2
        for i, pin in enumerate(pins):
            if pin is None:
                continue
            x = start + pitch * i
            y = y1 + 200 if side == "T" else y2 - 200
            d.pin(pin[0], pin[1], side, x, y)
    if extra:
        extra(d)
    return d


def pins(layout):
    """ "1:A 2:B - 3:Y" as [(1, A), (2, B), None, (3, Y)]."""
    result = []
    for item in layout.split():
        if item == "-":
            result.append(None)
        else:
            number, name = item.split(":", 1)
            result.append((number, name))
    return result


def triangle_amplifier(name, plus, minus, out, top=None, bottom=(), label=None):
    d = Drawing("symbol")
    d.polyline((-200, 200), (-200, -200), (200, 0), (-200, 200))
    d.text(-180, 60, 40, "+").text(-180, -140, 40, "-")
    d.text(-200, 230, 50, label or name)
    d.pin(plus[0], plus[1], "L", -400, 100)
    d.pin(minus[0], minus[1], "L", -400, -100)
    d.pin(out[0], out[1], "R", 400, 0)
    if top:
        d.pin(top[0], top[1], "T", 0, 300)  # meets the upper edge at y = 100
    for pin in bottom:
        number, pin_name, x = pin
        # The lower edge runs from (-200, -200) to (200, 0): y = x / 2 - 100.
        edge = x // 2 - 100
        d.pin(number, pin_name, "B", x, edge - 200)
    return d


def power_pins(name, top, bottom):
    d = Drawing("symbol")
    d.rect(-100, 100, 100, -100)
    d.text(-100, 130, 50, name)
    d.pin(top[0], top[1], "T", 0, 300)
    d.pin(bottom[0], bottom[1], "B", 0, -300)
    return d


def diode_body(d, kind):
    d.polyline((-50, 50), (-50, -50), (50, 0), (-50, 50))
    d.line(50, 50, 50, -50)
    if kind == "SCHOTTKY":
        d.polyline((30, 60), (30, 50), (50, 50))
        d.polyline((50, -50), (70, -50), (70, -40))
    elif kind == "ZENER":
        d.line(50, 50, 30, 60).line(50, -50, 70, -60)
    elif kind == "LED":
        d.polyline((0, 70), (50, 120)).polyline((35, 120), (50, 120), (50, 105))
        d.polyline((40, 50), (90, 100)).polyline((75, 100), (90, 100), (90, 85))


def two_terminal(name, body, length=200):
    d = Drawing("symbol")
    reach = body(d)
    d.text(-reach, 80, 50, name)
    d.pin("1", "1", "L", -reach - length, 0, length)
    d.pin("2", "2", "R", reach + length, 0, length)
    return d


def resistor_body(d):
    points = [(-100, 0)]
    for i in range(6):
        points.append((-83 + 33 * i, 40 if i % 2 == 0 else -40))
    points.append((100, 0))
    d.polyline(*points)
    return 100


def capacitor_body(d, polarised=False):
    d.line(-20, 80, -20, -80)
    if polarised:
        d.arc(120, 0, 130, 142, 76)
        d.text(-80, 50, 40, "+")
    else:
        d.line(20, 80, 20, -80)
    return 20


def inductor_body(d):
    for i in range(4):
        d.arc(-75 + 50 * i, 0, 25, 0, 180)
    return 100


def crystal_body(d):
    d.rect(-30, 60, 30, -60).line(-60, 80, -60, -80).line(60, 80, 60, -80)
    return 60


def transistor(name, kind):
    """Bipolar and MOS transistors in a circle: base or gate left, collector or drain up."""
    d = Drawing("symbol")
    d.arc(25, 0, 150)
    d.text(-50, 180, 50, name)
    if kind in ("NPN", "PNP", "NPN_DARL"):
        d.line(-50, 80, -50, -80)
        d.line(-50, 40, 100, 100).line(-50, -40, 100, -100)
        if kind == "PNP":
            d.polyline((-10, -80), (-50, -40), (-20, -30))
        else:
            d.polyline((60, -100), (100, -100), (80, -65))
        if kind == "NPN_DARL":
            d.line(-20, 60, -20, -60)
        d.pin("1", "C", "T", 100, 250, 150)
        d.pin("2", "B", "L", -250, 0, 200)
        d.pin("3", "E", "B", 100, -250, 150)
    else:
        d.line(-70, 80, -70, -80)  # the gate
        d.line(-40, 90, -40, 50).line(-40, 20, -40, -20).line(-40, -50, -40, -90)
        d.line(-40, 70, 100, 70).line(-40, -70, 100, -70).line(-40, 0, 100, 0)
        if kind == "NMOS":
            d.polyline((-10, 20), (-40, 0), (-10, -20))
        else:
            d.polyline((-10, 20), (20, 0), (-10, -20))
        d.line(100, 0, 100, -70)
        d.pin("3", "D", "T", 100, 250, 180)
        d.pin("2", "G", "L", -270, -70, 200)
        d.pin("1", "S", "B", 100, -250, 180)
    return d


def header_symbol(name, rows, count):
    left = []
    right = []
    if rows == 1:
        left = [(str(i), str(i)) for i in range(1, count + 1)]
    else:
        left = [(str(i), str(i)) for i in range(1, 2 * count + 1, 2)]
        right = [(str(i), str(i)) for i in range(2, 2 * count + 1, 2)]
    return box(name, left=left, right=right, width=200)


def symbol_drawing(name):
    gates = {
        "7400": ("NAND", "1:A 2:B 3:Y"), "4011": ("NAND", "1:A 2:B 3:Y"),
        "4093": ("NAND", "1:A 2:B 3:Y"),
        "7402": ("NOR", "2:A 3:B 1:Y"), "4001": ("NOR", "1:A 2:B 3:Y"),
        "7408": ("AND", "1:A 2:B 3:Y"), "4081": ("AND", "1:A 2:B 3:Y"),
        "7432": ("OR", "1:A 2:B 3:Y"), "4071": ("OR", "1:A 2:B 3:Y"),
        "7486": ("XOR", "1:A 2:B 3:Y"), "4070": ("XOR", "1:A 2:B 3:Y"),
        "7404": ("NOT", "1:A 2:Y"), "7414": ("NOT", "1:A 2:Y"), "4069": ("NOT", "1:A 2:Y"),
        "4049": ("NOT", "3:A 2:Y"), "4050": ("BUF", "3:A 2:Y"),
        "74125": ("TRI", "2:A 1:~OE 3:Y"),
    }
    if name in gates:
        function, layout = gates[name]
        return gate(name, function, pins(layout), schmitt=name in ("7414", "4093"))

    boxes = {
        "7474": ("1:~CLR 2:D 3:CLK 4:~PRE", "5:Q 6:~Q"),
        "74112": ("15:~CLR 3:J 1:CLK 2:K 4:~PRE", "5:Q 6:~Q"),
        "74123": ("1:A 2:B 3:~CLR 14:CEXT 15:REXT", "13:Q 4:~Q"),
        "74138": ("1:A 2:B 3:C - 4:~G2A 5:~G2B 6:G1",
                  "15:~Y0 14:~Y1 13:~Y2 12:~Y3 11:~Y4 10:~Y5 9:~Y6 7:~Y7"),
        "74157": ("2:1A 3:1B 5:2A 6:2B 11:3A 10:3B 14:4A 13:4B - 1:S 15:~G",
                  "4:1Y 7:2Y 9:3Y 12:4Y"),
        "74161": ("3:A 4:B 5:C 6:D - 2:CLK 1:~CLR 9:~LOAD 7:ENP 10:ENT",
                  "14:QA 13:QB 12:QC 11:QD - 15:RCO"),
        "74164": ("1:A 2:B - 8:CLK 9:~CLR", "3:QA 4:QB 5:QC 6:QD 10:QE 11:QF 12:QG 13:QH"),
        "74244": ("2:1A1 4:1A2 6:1A3 8:1A4 11:2A1 13:2A2 15:2A3 17:2A4 - 1:~1G 19:~2G",
                  "18:1Y1 16:1Y2 14:1Y3 12:1Y4 9:2Y1 7:2Y2 5:2Y3 3:2Y4"),
        "74245": ("2:A1 3:A2 4:A3 5:A4 6:A5 7:A6 8:A7 9:A8 - 1:DIR 19:~OE",
                  "18:B1 17:B2 16:B3 15:B4 14:B5 13:B6 12:B7 11:B8"),
        "74273": ("3:D1 4:D2 7:D3 8:D4 13:D5 14:D6 17:D7 18:D8 - 11:CLK 1:~CLR",
                  "2:Q1 5:Q2 6:Q3 9:Q4 12:Q5 15:Q6 16:Q7 19:Q8"),
        "74373": ("3:D1 4:D2 7:D3 8:D4 13:D5 14:D6 17:D7 18:D8 - 11:LE 1:~OE",
                  "2:Q1 5:Q2 6:Q3 9:Q4 12:Q5 15:Q6 16:Q7 19:Q8"),
        "74374": ("3:D1 4:D2 7:D3 8:D4 13:D5 14:D6 17:D7 18:D8 - 11:CLK 1:~OE",
                  "2:Q1 5:Q2 6:Q3 9:Q4 12:Q5 15:Q6 16:Q7 19:Q8"),
        "74390": ("1:CKA 4:CKB 2:CLR", "3:QA 5:QB 6:QC 7:QD"),
        "74393": ("1:CLK 2:CLR", "3:QA 4:QB 5:QC 6:QD"),
        "74595": ("14:SER 11:SRCLK 12:RCLK 10:~SRCLR 13:~OE",
                  "15:QA 1:QB 2:QC 3:QD 4:QE 5:QF 6:QG 7:QH - 9:QH'"),
        "4013": ("5:D 3:CLK 6:SET 4:RESET", "1:Q 2:~Q"),
        "4017": ("14:CLK 13:~EN 15:RST",
                 "3:Q0 2:Q1 4:Q2 7:Q3 10:Q4 1:Q5 5:Q6 6:Q7 9:Q8 11:Q9 - 12:CO"),
        "4020": ("10:CLK 11:RST", "9:Q1 7:Q4 5:Q5 4:Q6 6:Q7 13:Q8 12:Q9 14:Q10 15:Q11 1:Q12 "
                                  "2:Q13 3:Q14"),
        "4040": ("10:CLK 11:RST", "9:Q1 7:Q2 6:Q3 5:Q4 3:Q5 2:Q6 4:Q7 13:Q8 12:Q9 14:Q10 "
                                  "15:Q11 1:Q12"),
        "4051": ("13:X0 14:X1 15:X2 12:X3 1:X4 5:X5 2:X6 4:X7 - 11:A 10:B 9:C 6:INH",
                 "3:X - - - 16:VDD 7:VEE 8:VSS"),
        "4060": ("11:RS 10:~RTC 9:CTC 12:RST", "7:Q4 5:Q5 4:Q6 6:Q7 14:Q8 13:Q9 15:Q10 1:Q12 "
                                               "2:Q13 3:Q14"),
        "4066": ("1:Y 13:E", "2:Z"),
        "4511": ("7:A 1:B 2:C 6:D - 3:~LT 4:~BL 5:LE", "13:a 12:b 11:c 10:d 9:e 15:f 14:g"),
        "4518": ("1:CLK 2:EN 7:RST", "3:Q1 4:Q2 5:Q3 6:Q4"),
        "TIMER555": ("2:TRIG 6:THR 5:CTRL 4:~RESET", "3:OUT 7:DIS"),
        "TIMER556": ("6:TRIG1 2:THR1 3:CTRL1 4:~RESET1 - 8:TRIG2 12:THR2 11:CTRL2 10:~RESET2",
                     "5:OUT1 1:DIS1 - - - 9:OUT2 13:DIS2"),
        "ULN2003": ("1:I1 2:I2 3:I3 4:I4 5:I5 6:I6 7:I7",
                    "16:O1 15:O2 14:O3 13:O4 12:O5 11:O6 10:O7"),
        "REG3": ("1:IN", "3:OUT"),
        "REG_ADJ": ("3:IN", "2:OUT"),
        "REG_LDO5": ("1:IN 3:EN", "5:OUT 4:BYP"),
        "DSUB9": (" ".join("%d:%d" % (i, i) for i in range(1, 10)) + " - 10:SH", ""),
        "DSUB25": (" ".join("%d:%d" % (i, i) for i in range(1, 26)) + " - 26:SH", ""),
        "USB_B": ("1:VBUS 2:D- 3:D+ 4:ID 5:GND - 6:SHIELD", ""),
        "DCJACK": ("1:TIP 2:SLEEVE 3:SWITCH", ""),
        "JACK_STEREO": ("1:TIP 2:RING 3:SLEEVE", ""),
        "RELAY_SPDT": ("1:COIL1 2:COIL2", "3:COM 4:NC 5:NO"),
        "OPTO_TR": ("1:A 2:K", "4:C 3:E"),
        "OPTO_TRB": ("1:A 2:K", "6:B 5:C 4:E"),
    }
    tops = {"TIMER555": ("8:VCC", "1:GND"), "TIMER556": ("14:VCC", "7:GND"),
            "ULN2003": ("9:COM", "8:GND"), "REG3": ("", "2:GND"), "REG_ADJ": ("", "1:ADJ"),
            "REG_LDO5": ("", "2:GND"), "74390": ("16:VCC", "8:GND"),
            "74244": ("20:VCC", "10:GND"), "74245": ("20:VCC", "10:GND"),
            "74273": ("20:VCC", "10:GND"), "74373": ("20:VCC", "10:GND"),
            "74374": ("20:VCC", "10:GND")}
    if name in boxes:
        left, right = boxes[name]
        top, bottom = tops.get(name, ("", ""))
        width = 200 if name in ("DSUB9", "DSUB25", "USB_B", "DCJACK", "JACK_STEREO") else 600
        extra = None
        if name.startswith("OPTO"):
            def extra(d):
                # The LED and the light falling on the transistor.
                d.polyline((-200, 50), (-150, -50), (-250, -50), (-200, 50))
                d.line(-250, 50, -150, 50)
                d.polyline((-100, 0), (0, 0)).polyline((-20, 20), (0, 0), (-20, -20))
        if name == "RELAY_SPDT":
            def extra(d):
                d.rect(-200, 50, -100, -150)
                d.line(-100, -50, 200, -50)
        return box(name, pins(left), pins(right), pins(top), pins(bottom), width=width,
                   extra=extra)

    if name in ("OPAMP", "COMPARATOR"):
        return triangle_amplifier(name, ("3", "+IN"), ("2", "-IN"), ("1", "OUT"))
    if name == "OPAMP1":
        return triangle_amplifier(name, ("3", "+IN"), ("2", "-IN"), ("6", "OUT"),
                                  top=("7", "V+"),
                                  bottom=[("4", "V-", 0), ("1", "N1", -100), ("5", "N2", 100)])
    if name == "LM386":
        return triangle_amplifier(name, ("3", "+IN"), ("2", "-IN"), ("5", "OUT"),
                                  top=("6", "VS"),
                                  bottom=[("4", "GND", 0), ("1", "GAIN1", -100),
                                          ("8", "GAIN8", 100)])
    if name == "OPAMP_PWR":
        return power_pins(name, ("8", "V+"), ("4", "V-"))
    if name == "PWR2":
        return power_pins(name, ("14", "VCC"), ("7", "GND"))
    if name == "PWR_CMOS":
        return power_pins(name, ("14", "VDD"), ("7", "VSS"))

    if name in ("DIODE", "SCHOTTKY", "ZENER", "LED", "VREF2", "TL431"):
        d = Drawing("symbol")
        diode_body(d, name)
        d.text(-50, 80, 50, name)
        anode, cathode = ("2", "3") if name == "TL431" else ("1", "2")
        d.pin(anode, "A", "L", -250, 0)
        d.pin(cathode, "K", "R", 250, 0)
        if name == "TL431":
            d.pin("1", "REF", "B", 0, -250, 225)
        return d
    if name == "RES":
        return two_terminal(name, resistor_body)
    if name == "POT":
        d = two_terminal(name, resistor_body)
        d.polyline((-20, 70), (0, 45), (20, 70))
        d.pin("3", "W", "T", 0, 250, 180)
        return d
    if name == "CAP":
        return two_terminal(name, capacitor_body)
    if name == "CAP_POL":
        return two_terminal(name, lambda d: capacitor_body(d, True))
    if name == "INDUCTOR":
        return two_terminal(name, inductor_body)
    if name == "CRYSTAL":
        return two_terminal(name, crystal_body)
    if name in ("NPN", "PNP", "NPN_DARL", "NMOS", "PMOS"):
        return transistor(name, name)

    m = re.match(r"HDR([12])X(\d+)\Z", name)
    if m:
        return header_symbol(name, int(m.group(1)), int(m.group(2)))
    m = re.match(r"TERM(\d+)\Z", name)
    if m:
        return header_symbol(name, 1, int(m.group(1)))
    if name == "TESTPOINT":
        d = Drawing("symbol")
        d.arc(0, 0, 40).text(-40, 60, 50, "TP")
        d.pin("1", "1", "B", 0, -240, 200)
        return d
    return None


# --------------------------------------------------------------------------- packages

def dual_row(d, count, pitch, span, first, other, rotation=0):
    """Pins 1 .. count/2 down the left row, the rest up the right row; pin 1 at 0 0."""
    half = count // 2
    for i in range(half):
        d.pad(i + 1, first if i == 0 else other, 0, -pitch * i, rotation)
    for i in range(half):
        d.pad(half + i + 1, other, span, -pitch * (half - 1 - i), rotation)


def dip(count):
    d = Drawing("package").add("ORIGIN", 0, 0)
    bottom = -100 * (count // 2 - 1) - 50
    d.rect(50, 50, 250, bottom).arc(150, 50, 25, 180, 180)
    dual_row(d, count, 100, 300, "S60H32", "C60H32")
    return d


def small_outline(count, pitch, span, pad, body):
    """Pads turned across the rows; the body between the rows, pin 1 marked by a dot."""
    d = Drawing("package").add("ORIGIN", 0, 0)
    bottom = -pitch * (count // 2 - 1)
    d.rect(span // 2 - body // 2, 30, span // 2 + body // 2, bottom - 30)
    d.arc(span // 2 - body // 2 + 25, 5, 8)
    dual_row(d, count, pitch, span, pad, pad, 90)
    return d


def two_pads(padstack, spacing, outline=None, first=None, rotation=0):
    d = Drawing("package").add("ORIGIN", 0, 0)
    if outline:
        outline(d)
    d.pad(1, first or padstack, -spacing // 2, 0, rotation)
    d.pad(2, padstack, spacing // 2, 0, rotation)
    return d


def in_line(count, pitch, first, other, outline=None, start=1):
    d = Drawing("package").add("ORIGIN", 0, 0)
    if outline:
        outline(d)
    for i in range(count):
        d.pad(start + i, first if i == 0 else other, pitch * i, 0)
    return d


def header(rows, count):
    d = Drawing("package").add("ORIGIN", 0, 0)
    d.rect(-50, 50 if rows == 1 else 150, 100 * count - 50, -50)
    number = 1
    for i in range(count):
        for row in range(rows):
            d.pad(number, "S65H40" if number == 1 else "C65H40", 100 * i, 100 * row)
            number += 1
    return d


def dsub(count, male):
    """Two staggered rows at 108 mils; the board locks 1.95 inch apart."""
    d = Drawing("package").add("ORIGIN", 0, 0)
    top = (count + 1) // 2
    half = (top - 1) * 108 // 2
    d.rect(-half - 300, 120, half + 300, -300)
    d.line(-half - 150, -150, half + 150, -150)
    for i in range(top):
        d.pad(i + 1, "S60H32" if i == 0 else "C60H32", (-half + 108 * i) * (1 if not male else -1),
              56)
    for i in range(count - top):
        d.pad(top + i + 1, "C60H32", (-half + 54 + 108 * i) * (1 if not male else -1), -56)
    lock = half + 180
    d.pad("MH1", "MTG125", -lock, 0).pad("MH2", "MTG125", lock, 0)
    return d


def package_drawing(name):
    m = re.match(r"DIP(\d+)\Z", name)
    if m:
        return dip(int(m.group(1)))
    m = re.match(r"(SOIC|TSSOP|MSOP)(\d+)\Z", name)
    if m:
        family, count = m.group(1), int(m.group(2))
        if family == "SOIC":
            wide = count == 20
            return small_outline(count, 50, 366 if wide else 213, "R24X80" if wide else "R24X60",
                                 295 if wide else 154)
        if family == "TSSOP":
            return small_outline(count, 26, 228, "R16X55", 173)
        return small_outline(count, 26, 173, "R16X55", 118)
    if name == "SOT23":
        d = Drawing("package").add("ORIGIN", 0, 0).rect(-60, 30, 60, -30)
        return d.pad(1, "R35X40", -37, -45).pad(2, "R35X40", 37, -45).pad(3, "R35X40", 0, 45)
    if name == "SOT23-5":
        d = Drawing("package").add("ORIGIN", 0, 0).rect(-60, 30, 60, -30).arc(-45, -15, 6)
        for number, x, y in ((1, -37, -50), (2, 0, -50), (3, 37, -50), (4, 37, 50),
                             (5, -37, 50)):
            d.pad(number, "R24X45", x, y)
        return d
    if name == "SOT223":
        d = Drawing("package").add("ORIGIN", 0, 0).rect(-130, 70, 130, -70)
        for number, x in ((1, -90), (2, 0), (3, 90)):
            d.pad(number, "R60X80", x, -125)
        return d.pad(4, "R130X80", 0, 125)
    if name == "DPAK":
        d = Drawing("package").add("ORIGIN", 0, 0).rect(-130, 150, 130, -40)
        return d.pad(1, "R60X80", -90, -110).pad(3, "R60X80", 90, -110).pad(2, "R220X240", 0,
                                                                                  110)
    smd_two = {"SOD-123": ("RR35X45", 146, 60, 32), "SMA": ("R60X80", 160, 85, 55),
               "MINIMELF": ("RR50X60", 136, 70, 30), "0603": ("R35X35", 60, 32, 16),
               "0805": ("R40X55", 75, 40, 25), "1206": ("R60X70", 120, 63, 32),
               "1210": ("R60X110", 120, 63, 50), "CASE-A-3216": ("R50X60", 110, 63, 32)}
    if name in smd_two:
        padstack, spacing, half_length, half_width = smd_two[name]
        def outline(d):
            d.rect(-half_length, half_width, half_length, -half_width)
            if name in ("SOD-123", "SMA", "MINIMELF", "CASE-A-3216"):
                d.line(-half_length + 15, half_width, -half_length + 15, -half_width)
        return two_pads(padstack, spacing, outline)
    if name == "USB-MICRO-B":
        d = Drawing("package").add("ORIGIN", 0, 0).rect(-150, 100, 150, -120)
        for i in range(5):
            d.pad(i + 1, "R16X55", -52 + 26 * i, 75)
        return d.pad("S1", "O40X70H28", -135, 0).pad("S2", "O40X70H28", 135, 0)
    if name == "JACK3.5-SMT":
        d = Drawing("package").add("ORIGIN", 0, 0).rect(-120, 240, 120, -240)
        d.rect(-60, 240, 60, 300)
        return d.pad(1, "R100X120", -170, 150).pad(2, "R100X120", 170, 0).pad(3, "R100X120",
                                                                                 -170, -150)
    if name in ("TO-92", "TO-92-W"):
        wide = name == "TO-92-W"
        pitch = 100 if wide else 50
        def outline(d):
            d.arc(pitch, -30, 95, -19, 218)
            d.line(pitch - 90, -60, pitch + 90, -60)
        if wide:
            return in_line(3, 100, "S60H32", "C60H32", outline)
        return in_line(3, 50, "O40X70H28", "O40X70H28", outline)
    if name == "TO-18":
        d = Drawing("package").add("ORIGIN", 0, 0).arc(0, 0, 110).line(78, 78, 100, 100)
        return d.pad(1, "C55H30", 50, 0).pad(2, "C55H30", 0, 50).pad(3, "C55H30", -50, 0)
    if name == "TO-126":
        return in_line(3, 90, "O60X90H40", "O60X90H40",
                       lambda d: d.rect(-70, 60, 250, -60))
    if name == "TO-220":
        return in_line(3, 100, "S70H40", "C70H40",
                       lambda d: d.rect(-100, 80, 300, -100).line(-100, 30, 300, 30))
    axial = {"DO-35": (300, "S60H32", "C60H32", 75, 35), "DO-41": (400, "S65H40", "C65H40", 100, 50),
             "DO-201AD": (600, "S80H47", "C80H47", 185, 100),
             "AXIAL-0.4": (400, "C60H32", "C60H32", 120, 45),
             "AXIAL-0.5": (500, "C65H40", "C65H40", 160, 60)}
    if name in axial:
        spacing, first, other, half_length, half_width = axial[name]
        def outline(d):
            d.rect(-half_length, half_width, half_length, -half_width)
            d.line(-spacing // 2 + 40, 0, -half_length, 0).line(half_length, 0, spacing // 2 - 40, 0)
            if name.startswith("DO"):
                d.line(-half_length + 25, half_width, -half_length + 25, -half_width)
        return two_pads(other, spacing, outline, first)
    radial = {"RAD-2.5": (100, 0, 60), "RAD-5.0": (200, 0, 70), "CAPR-5X11": (80, 98, 0),
              "CAPR-6.3X11": (100, 124, 0), "CAPR-8X12": (138, 157, 0),
              "CAPR-10X16": (200, 197, 0), "LED-3MM": (100, 59, 0), "LED-5MM": (100, 98, 0)}
    if name in radial:
        spacing, radius, half_width = radial[name]
        polarised = name.startswith(("CAPR", "LED"))
        def outline(d):
            if radius:
                d.arc(0, 0, radius)
            else:
                d.rect(-spacing // 2 - 50, half_width, spacing // 2 + 50, -half_width)
            if name.startswith("CAPR"):
                d.text(-radius + 10, 20, 40, "+")
            if name.startswith("LED"):
                d.line(radius - 15, 50, radius - 15, -50)
        first = "S60H32" if polarised else "C60H32"
        if name == "CAPR-5X11":
            return two_pads("C55H30", spacing, outline, "S60H32")
        return two_pads("C60H32", spacing, outline, first)
    if name == "HC49U":
        def outline(d):
            d.line(-110, 90, 110, 90).line(-110, -90, 110, -90)
            d.arc(-110, 0, 90, 90, 180).arc(110, 0, 90, -90, 180)
        return two_pads("C60H32", 192, outline)
    if name == "TRIM3296W":
        return in_line(3, 100, "S60H32", "C60H32", lambda d: d.rect(-87, 140, 287, -95)
                       .arc(100, 20, 40))
    if name == "RELAY-G5V1":
        d = Drawing("package").add("ORIGIN", 0, 0).rect(-60, 90, 530, -390)
        d.pad(1, "S60H32", 0, 0).pad(2, "C60H32", 0, -300)
        return d.pad(3, "C60H32", 200, -300).pad(4, "C60H32", 450, -300).pad(5, "C60H32", 450, 0)
    m = re.match(r"HDR([12])X(\d+)\Z", name)
    if m:
        return header(int(m.group(1)), int(m.group(2)))
    m = re.match(r"TB(\d+)-5\.08\Z", name)
    if m:
        count = int(m.group(1))
        return in_line(count, 200, "S80H47", "C80H47",
                       lambda d: d.rect(-150, 150, 200 * (count - 1) + 150, -200))
    m = re.match(r"DSUB(\d+)-([FM])-RA\Z", name)
    if m:
        return dsub(int(m.group(1)), m.group(2) == "M")
    if name == "DCJACK-2.1":
        d = Drawing("package").add("ORIGIN", 0, 0).rect(-180, 100, 180, -560)
        return d.pad(1, "O80X140H60", 0, 0, 90).pad(2, "O80X140H60", 0, -236, 90).pad(
            3, "O80X140H60", 185, -118)
    if name == "TP-KEYSTONE":
        d = Drawing("package").add("ORIGIN", 0, 0).arc(0, 0, 60)
        return d.pad(1, "C70H40", 0, 0)
    return None


# --------------------------------------------------------------------------- padstacks

def padstack_drawing(name):
    d = Drawing("padstack")
    m = re.match(r"([SCO])(\d+)(?:X(\d+))?H(\d+)\Z", name)
    if m:
        letter, width, height, drill = m.group(1), int(m.group(2)), m.group(3), int(m.group(4))
        height = int(height) if height else width
        shape = {"S": "SQUARE", "C": "ROUND", "O": "OBLONG"}[letter]
        for layer in ("TOP", "BOTTOM"):
            d.add("LAYER", layer, shape, width, height)
        d.add("LAYER", "INNER", "ROUND" if letter != "O" else "OBLONG", width, height)
        for layer in ("MASKTOP", "MASKBOTTOM"):
            d.add("LAYER", layer, shape, width + 6, height + 6)
        return d.add("DRILL", drill, "PLATED")
    m = re.match(r"MTG(\d+)(NP)?\Z", name)
    if m:
        hole = int(m.group(1))
        if m.group(2):
            for layer in ("MASKTOP", "MASKBOTTOM"):
                d.add("LAYER", layer, "ROUND", hole + 10, hole + 10)
            return d.add("DRILL", hole, "UNPLATED")
        pad = 220
        for layer in ("TOP", "BOTTOM", "INNER"):
            d.add("LAYER", layer, "ROUND", pad, pad)
        for layer in ("MASKTOP", "MASKBOTTOM"):
            d.add("LAYER", layer, "ROUND", pad + 6, pad + 6)
        return d.add("DRILL", hole, "PLATED")
    m = re.match(r"(RR|R)(\d+)X(\d+)\Z", name)
    if m:
        shape = "OBLONG" if m.group(1) == "RR" else "RECT"
        width, height = int(m.group(2)), int(m.group(3))
        d.add("LAYER", "TOP", shape, width, height)
        d.add("LAYER", "MASKTOP", shape, width + 6, height + 6)
        return d.add("LAYER", "PASTETOP", shape, width, height)
    m = re.match(r"(RND|FID)(\d+)\Z", name)
    if m:
        size = int(m.group(2))
        d.add("LAYER", "TOP", "ROUND", size, size)
        if m.group(1) == "FID":
            return d.add("LAYER", "MASKTOP", "ROUND", size * 2, size * 2)
        d.add("LAYER", "MASKTOP", "ROUND", size + 6, size + 6)
        return d.add("LAYER", "PASTETOP", "ROUND", size, size)
    return None


RULES = {"symbol": symbol_drawing, "package": package_drawing, "padstack": padstack_drawing}


# --------------------------------------------------------------------------- the files

def read(path):
    with open(path, newline="", encoding="utf-8") as f:
        return list(csv.reader(f))


def text_of(rows):
    out = io.StringIO()
    writer = csv.writer(out, lineterminator="\n")
    writer.writerows(rows)
    return out.getvalue()


def with_drawings(rows, drawing_of):
    """The rows with the drawing column (added last when missing) filled in."""
    header = rows[0]
    if "drawing" not in header:
        header = header + ["drawing"]
        rows = [header] + [row + [""] for row in rows[1:]]
    column = header.index("drawing")
    name = header.index("name")
    result = [header]
    for row in rows[1:]:
        row = list(row)
        row[column] = drawing_of(row[name])
        result.append(row)
    return result


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true", help="only check that all is up to date")
    args = parser.parse_args()

    drawings = {kind: {} for kind in KINDS}
    unknown = []

    def library_drawing(kind):
        def make(name):
            drawing = RULES[kind](name)
            if drawing is None:
                unknown.append("%s %s" % (kind, name))
                return ""
            drawings[kind][name] = drawing.text_value()
            return drawings[kind][name]
        return make

    outputs = {}
    for kind in KINDS:
        for path in sorted(LIBSRC.glob("*.%s.csv" % kind)):
            outputs[path] = text_of(with_drawings(read(path), library_drawing(kind)))
    for folder in sorted(p for p in JOBSRC.iterdir() if p.is_dir()):
        for kind, file_name in PROJECT_FILES.items():
            path = folder / file_name
            if path.exists():
                outputs[path] = text_of(with_drawings(
                    read(path), lambda name, kind=kind: drawings[kind].get(name, "")))
    if unknown:
        print("no drawing rule for: " + ", ".join(unknown), file=sys.stderr)
        return 1
    stale = [path for path, text in outputs.items() if path.read_text(encoding="utf-8") != text]
    if args.check:
        for path in stale:
            print("%s: drawings not up to date; run sample/make_drawings.py" % path,
                  file=sys.stderr)
        return 1 if stale else 0
    for path in stale:
        path.write_text(outputs[path], encoding="utf-8", newline="")
    print("%d drawings, %d files rewritten" % (sum(len(v) for v in drawings.values()), len(stale)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
