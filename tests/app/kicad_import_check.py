#!/usr/bin/env python3
"""Imports the open-source EDA tool's libraries, as Debian's data packages install them,
into a copy of the sample suite, and checks the result against what the source files say,
read here by a reader of this script's own (S-expression tokens and depth, nothing of the
importer's):

- no library is lost: one part and one symbol library per symbol library file, one
  package library per footprint folder, and the padstack library;
- the report's counts of symbols and footprints read equal those of the files, the parts,
  symbol objects (a distinct drawing of a symbol's units each) and packages written are
  those less the ones the report lists as left out;
- every pad of the files is a PAD of its package's drawing, and the padstacks are exactly
  those the drawings name;
- a search for each of a dozen real names of each kind finds exactly the objects of that
  name, in the libraries whose files hold it.

Usage: kicad_import_check.py K2KLIB SAMPLE_SUITE KICAD_SYMBOLS KICAD_FOOTPRINTS
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile

# Names of parts as designers look for them; "R" is in two libraries.
PART_NAMES = ["LM358", "NE555P", "STM32F407VGTx", "LM35-LP", "74HC595", "LM7805_TO220",
              "1N4148", "BC547", "TL072", "AMS1117-3.3", "ESP32-WROOM-32", "R"]
PACKAGE_NAMES = ["R_0805_2012Metric", "C_0603_1608Metric", "LQFP-100_14x14mm_P0.5mm",
                 "SOIC-8_3.9x4.9mm_P1.27mm", "DIP-8_W7.62mm", "TO-220-3_Vertical",
                 "SOT-23", "QFN-32-1EP_5x5mm_P0.5mm_EP3.45x3.45mm", "TSSOP-16_4.4x5mm_P0.65mm",
                 "PinHeader_1x02_P2.54mm_Vertical", "USB_Micro-B_Molex-105017-0001",
                 "D_SOD-123"]

TOKEN = re.compile(r'\(|\)|"(?:[^"\\]|\\.)*"|[^\s()"]+')


def symbol_library(path):
    """The symbols directly inside a symbol library file: name -> the number of distinct
    drawings of its units (None for a symbol derived from another). A unit is drawn with
    its own sub-symbols and those of unit 0 (common to all), in the normal body style; a
    unit number below the highest that has no sub-symbol of its own is drawn with unit 0's
    alone. Drawings compare as their source text."""
    with open(path, encoding="utf-8") as f:
        text = f.read()
    stack = [[]]
    for match in TOKEN.finditer(text):
        token = match.group(0)
        if token == "(":
            stack.append([])
        elif token == ")" and len(stack) > 1:
            node = stack.pop()
            stack[-1].append(node)
        elif token != ")":
            stack[-1].append(token)
    symbols = {}
    for item in stack[0][0]:
        if not (isinstance(item, list) and len(item) > 1 and item[0] == "symbol"):
            continue
        name = item[1][1:-1].replace('\\"', '"').replace("\\\\", "\\")
        if any(isinstance(x, list) and x and x[0] == "extends" for x in item):
            symbols[name] = None
            continue
        units = {}
        for sub in item:
            if isinstance(sub, list) and len(sub) > 1 and sub[0] == "symbol":
                m = re.match(r'^"(.*)_(\d+)_(\d+)"$', sub[1])
                if m and int(m[3]) <= 1:
                    units.setdefault(int(m[2]), []).append(repr(sub[2:]))
        own = sorted(u for u in units if u > 0)
        drawn = set(own)
        gap = 1
        for u in own:
            if u == gap:
                gap += 1
        if own and gap < own[-1]:
            drawn.add(gap)
        common = "".join(units.get(0, []))
        symbols[name] = len({common + "".join(units.get(u, [])) for u in drawn}) if own else 1
    return symbols


def pad_count(path):
    """The pads of a footprint file: (pad ...) directly inside the footprint."""
    with open(path, encoding="utf-8") as f:
        text = f.read()
    depth = 0
    previous = None
    pads = 0
    for match in TOKEN.finditer(text):
        token = match.group(0)
        if token == "(":
            depth += 1
        elif token == ")":
            depth -= 1
        elif depth == 2 and previous == "(" and token == "pad":
            pads += 1
        previous = token
    return pads


def search(k2klib, suite, kind, name):
    """The rows of a search for the name: (name, library)."""
    run = subprocess.run([k2klib, "search", "--suite", suite, "--kind", kind, "--name", name,
                          "--format", "tsv"], capture_output=True, text=True)
    if run.returncode != 0:
        fail(f"search for {kind} {name}: {run.stderr}")
    return [tuple(line.split("\t")[1:3]) for line in run.stdout.splitlines()[1:]]


def check_names(k2klib, suite, kind, extension, names, holders, left_out):
    """Each name is found exactly in the libraries whose files hold it."""
    for name in names:
        expected = sorted(lib + extension for lib, held in holders.items()
                          if name.upper() in held and (lib, name.upper()) not in left_out)
        if not expected:
            fail(f"no source library holds the {kind} {name}")
        rows = search(k2klib, suite, kind, name)
        found = sorted(library for _, library in rows
                       if library.removesuffix(extension) in holders)
        if found != expected or any(row_name.upper() != name.upper() for row_name, _ in rows):
            fail(f"search for the {kind} {name} found {found}, the files hold it in {expected}")
        print(f"{kind} {name}: {', '.join(found)}")


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


def main():
    k2klib, sample_suite, symbol_folder, footprint_folder = sys.argv[1:5]
    symbols = {}
    for entry in sorted(os.listdir(symbol_folder)):
        if entry.endswith(".kicad_sym"):
            symbols[entry[:-len(".kicad_sym")]] = symbol_library(
                os.path.join(symbol_folder, entry))
    symbol_count = sum(len(names) for names in symbols.values())
    footprints = {}  # library -> {NAME: pads}
    for entry in sorted(os.listdir(footprint_folder)):
        folder = os.path.join(footprint_folder, entry)
        if entry.endswith(".pretty") and os.path.isdir(folder):
            footprints[entry[:-len(".pretty")]] = {
                f[:-len(".kicad_mod")].upper(): pad_count(os.path.join(folder, f))
                for f in os.listdir(folder) if f.endswith(".kicad_mod")}
    footprint_count = sum(len(held) for held in footprints.values())
    print(f"source: {len(symbols)} symbol libraries, {symbol_count} symbols; "
          f"{len(footprints)} footprint libraries, {footprint_count} footprints")

    with tempfile.TemporaryDirectory() as work:
        suite = os.path.join(work, "suite")
        shutil.copytree(sample_suite, suite)
        run = subprocess.run([k2klib, "import", "--suite", suite, "--symbols", symbol_folder,
                              "--footprints", footprint_folder],
                             capture_output=True, text=True)
        report = run.stdout
        if run.returncode != 0:
            fail(f"import ended with {run.returncode}:\n{report}\n{run.stderr}")
        read = re.search(r"^Read: (\d+) symbol libraries, (\d+) symbols; (\d+) footprint "
                         r"libraries, (\d+) footprints$", report, re.M)
        written = re.search(r"^Written: (\d+) part libraries \((\d+) parts\), (\d+) symbol "
                            r"libraries \((\d+) symbols\), (\d+) package libraries \((\d+) "
                            r"packages\), (\d+) padstack librar(?:y|ies) \((\d+) padstacks\)",
                            report, re.M)
        lost = re.search(r"^Left out: (\d+) objects, (\d+) libraries$", report, re.M)
        if not (read and written and lost):
            fail("the report has no totals:\n" + report)
        counts = tuple(int(n) for n in read.groups())
        if counts != (len(symbols), symbol_count, len(footprints), footprint_count):
            fail(f"{read[0]}, the files hold {len(symbols)}, {symbol_count}, {len(footprints)} "
                 f"and {footprint_count}")
        if (int(written[1]), int(written[3]), int(written[5]), int(written[7]), int(lost[2])) != \
                (len(symbols), len(symbols), len(footprints), 1, 0):
            fail(f"libraries lost: {written[0]}; {lost[0]}")
        # Each object left out is listed once, as "LIBRARY: part "NAME": ..." (or package)
        # or, when the symbol could not be read, "FOLDER/LIBRARY.kicad_sym:LINE: symbol ...".
        left_out = set()
        unreadable = set()
        for m in re.finditer(r'^  (?:(\S+?): (?:part|package) "(.*?)"|\S*?([^/\s]+)'
                             r'\.kicad_sym:\d+: symbol "(.*?)")', report, re.M):
            left_out.add((m[1] or m[3], (m[2] or m[4]).upper()))
            if m[3]:
                unreadable.add((m[3], m[4].upper()))
        parts_left_out = sum(1 for lib, names in symbols.items() for n in names
                             if (lib, n.upper()) in left_out)
        if int(written[2]) != symbol_count - parts_left_out:
            fail(f"{written[2]} parts written; the files hold {symbol_count} symbols of which "
                 f"the report leaves out {parts_left_out}")
        # The symbol objects: the distinct drawings of the symbols that derive from none,
        # less those the report leaves out ("LIBRARY: symbol "NAME_A": ...") and those of
        # symbols that could not be read.
        drawings = sum(n for lib, held in symbols.items() for name, n in held.items()
                       if n is not None and (lib, name.upper()) not in unreadable)
        symbols_left_out = len(re.findall(r'^  [^\s:]+: symbol "', report, re.M))
        if int(written[4]) != drawings - symbols_left_out:
            fail(f"{written[4]} symbol objects written; the files draw {drawings} of which the "
                 f"report leaves out {symbols_left_out}")
        packages_left_out = sum(1 for lib, held in footprints.items() for n in held
                                if (lib, n) in left_out)
        if int(written[6]) != footprint_count - packages_left_out:
            fail(f"{written[6]} packages written; the files hold {footprint_count} footprints "
                 f"of which the report leaves out {packages_left_out}")

        # The pads: each package draws every pad of its file, and names padstacks that are
        # exactly those of the padstack library.
        named = set()
        pads = 0
        for lib, held in footprints.items():
            listing = subprocess.run([k2klib, "list", "--drawings",
                                      os.path.join(suite, "LIB", lib + ".PACKAGE")],
                                     capture_output=True, text=True).stdout
            for block in re.split(r"\n(?=\S)", listing):
                name = block.split("\t", 1)[0].upper()
                if name not in held:
                    continue
                drawn = re.findall(r"^    PAD \S+ (\S+) ", block, re.M)
                if len(drawn) != held[name]:
                    fail(f"{lib}: package {name} draws {len(drawn)} pads, its file has "
                         f"{held[name]}")
                pads += len(drawn)
                named.update(drawn)
        listing = subprocess.run([k2klib, "list", os.path.join(suite, "LIB",
                                                               "KiCad_Padstacks.PADSTACK")],
                                 capture_output=True, text=True).stdout
        padstacks = {line.split("\t", 1)[0] for line in listing.splitlines()[4:]}
        if padstacks != named or int(written[8]) != len(padstacks):
            fail(f"{len(padstacks)} padstacks, the drawings name {len(named)}: "
                 f"{sorted(padstacks ^ named)[:10]}")
        print(f"imported: {written[2]} parts, {written[4]} symbol objects, {written[6]} "
              f"packages with {pads} pads, {written[8]} padstacks; {parts_left_out} parts and "
              f"{packages_left_out} packages left out, 0 libraries lost")

        check_names(k2klib, suite, "part", ".PART", PART_NAMES,
                    {lib: {n.upper() for n in names} for lib, names in symbols.items()},
                    left_out)
        check_names(k2klib, suite, "package", ".PACKAGE", PACKAGE_NAMES,
                    {lib: set(held) for lib, held in footprints.items()}, left_out)
    print("ok")


if __name__ == "__main__":
    main()
