#!/usr/bin/env python3
"""Imports the open-source EDA tool's libraries, as Debian's data packages install them,
into a copy of the sample suite, and checks the result against what the source files say,
read here by a reader of this script's own (S-expression tokens and depth, nothing of the
importer's):

- no library is lost: one part and one symbol library per symbol library file;
- the report's counts of symbols read equal the top-level symbols of the files, and the
  parts written are those symbols less the ones the report lists as left out;
- a search for each of a dozen real names finds exactly the objects of that name, in the
  libraries whose files hold it.

Usage: kicad_import_check.py K2KLIB SAMPLE_SUITE KICAD_SYMBOLS
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

TOKEN = re.compile(r'\(|\)|"(?:[^"\\]|\\.)*"|[^\s()"]+')


def top_level_symbols(path):
    """The names of the symbols directly inside a symbol library file."""
    with open(path, encoding="utf-8") as f:
        text = f.read()
    names = []
    depth = 0
    expect_name = False
    previous = None
    for match in TOKEN.finditer(text):
        token = match.group(0)
        if token == "(":
            depth += 1
        elif token == ")":
            depth -= 1
        elif expect_name:
            names.append(token[1:-1].replace('\\"', '"').replace("\\\\", "\\"))
            expect_name = False
        elif depth == 2 and previous == "(" and token == "symbol":
            expect_name = True
        previous = token
    return names


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


def main():
    k2klib, sample_suite, symbol_folder = sys.argv[1:4]
    sources = {}
    for entry in sorted(os.listdir(symbol_folder)):
        if entry.endswith(".kicad_sym"):
            sources[entry[:-len(".kicad_sym")]] = top_level_symbols(
                os.path.join(symbol_folder, entry))
    symbol_count = sum(len(names) for names in sources.values())
    print(f"source: {len(sources)} symbol libraries, {symbol_count} symbols")

    with tempfile.TemporaryDirectory() as work:
        suite = os.path.join(work, "suite")
        shutil.copytree(sample_suite, suite)
        run = subprocess.run([k2klib, "import", "--suite", suite, "--symbols", symbol_folder],
                             capture_output=True, text=True)
        report = run.stdout
        if run.returncode != 0:
            fail(f"import ended with {run.returncode}:\n{report}\n{run.stderr}")
        read = re.search(r"^Read: (\d+) symbol libraries, (\d+) symbols$", report, re.M)
        written = re.search(r"^Written: (\d+) part libraries \((\d+) parts\), (\d+) symbol "
                            r"libraries \((\d+) symbols\)", report, re.M)
        lost = re.search(r"^Left out: (\d+) objects, (\d+) libraries$", report, re.M)
        if not (read and written and lost):
            fail("the report has no totals:\n" + report)
        if (int(read[1]), int(read[2])) != (len(sources), symbol_count):
            fail(f"read {read[1]} libraries and {read[2]} symbols, the files hold "
                 f"{len(sources)} and {symbol_count}")
        if int(written[1]) != len(sources) or int(written[3]) != len(sources) or int(lost[2]):
            fail(f"libraries lost: {written[0]}; {lost[0]}")
        # Each part left out is listed once, as "LIBRARY: part "NAME": ..." or, when the
        # symbol could not be read, as "FOLDER/LIBRARY.kicad_sym:LINE: symbol "NAME": ...".
        left_out = set()
        for m in re.finditer(r'^  (?:(\S+?): part "(.*?)"|\S*?([^/\s]+)\.kicad_sym:\d+: '
                             r'symbol "(.*?)")', report, re.M):
            left_out.add((m[1] or m[3], (m[2] or m[4]).upper()))
        parts_left_out = sum(1 for lib, names in sources.items() for n in names
                             if (lib, n.upper()) in left_out)
        if int(written[2]) != symbol_count - parts_left_out:
            fail(f"{written[2]} parts written; the files hold {symbol_count} symbols of which "
                 f"the report leaves out {parts_left_out}")
        print(f"imported: {written[2]} parts, {written[4]} symbol objects, "
              f"{parts_left_out} parts left out, 0 libraries lost")

        for name in PART_NAMES:
            expected = sorted(lib + ".PART" for lib, names in sources.items()
                              if name.upper() in (n.upper() for n in names)
                              and (lib, name.upper()) not in left_out)
            if not expected:
                fail(f"no source library holds {name}")
            search = subprocess.run([k2klib, "search", "--suite", suite, "--kind", "part",
                                     "--name", name, "--format", "tsv"],
                                    capture_output=True, text=True)
            if search.returncode != 0:
                fail(f"search for {name}: {search.stderr}")
            rows = [line.split("\t") for line in search.stdout.splitlines()[1:]]
            found = sorted(row[2] for row in rows
                           if row[2].removesuffix(".PART") in sources)
            if found != expected or any(row[1].upper() != name.upper() for row in rows):
                fail(f"search for {name} found {found}, the files hold it in {expected}")
            print(f"{name}: {', '.join(found)}")
    print("ok")


if __name__ == "__main__":
    main()
