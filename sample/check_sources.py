#!/usr/bin/env python3
"""Checks the sample suite's sources for what only the sample asks of them: the library
CSVs, the DEMO project, the two INI files of the suite and the language files follow the
conventions of sample/sources/README.md and hold the cases the tests rely on.

    python3 sample/check_sources.py            # check and print a summary
    python3 sample/check_sources.py --vocab    # also list the classification values used

The formats themselves are judged by k2klib with the readers the browser uses, and are
not checked again here: "build --strict" refuses a library source with an unknown column,
a row longer than its header, a text Windows-1252 cannot hold, a control character or the
euro sign, a name no store takes or given twice, a part package holding a blank; "project"
refuses the same in the project's objects, and an unknown hierarchy, editor, part or used
object, a hierarchy, page or reference given twice; "check" refuses the built suite where
a listed library is missing, a drawing does not read, a pad, package or symbol is in no
library. The drawings are made by "k2klib draw" at build time. What stays here is what no
one file says: the sample's conventions and how its files agree with each other.

Exits 1 when anything is wrong; every problem is printed as FILE:LINE: text.
Standard library only.
"""

import argparse
import collections
import csv
import io
import re
import sys
from pathlib import Path

SAMPLE = Path(__file__).resolve().parent
SUITE = SAMPLE / "suite"
SOURCES = SAMPLE / "sources"
LIBSRC = SOURCES / "LIB"
JOBSRC = SOURCES / "JOB"

KINDS = ("part", "symbol", "package", "padstack")
COLUMNS = {
    "part": ["name", "package", "description", "external_index_code", "simulation_ref",
             "manufacturer", "part_type", "technology", "package_type", "simulation_function",
             "simulation_references", "symbols"],
    "symbol": ["name", "description", "symbol_type", "simulation_function",
               "simulation_references"],
    "package": ["name", "description", "package_type", "jedec_name"],
    "padstack": ["name", "description", "padstack_type", "padstack_shape"],
}
# Comma-separated lists (the search compares them item by item).
LIST_FIELDS = {
    "part": ["part_type", "simulation_function", "simulation_references", "symbols"],
    "symbol": ["symbol_type", "simulation_function", "simulation_references"],
    "package": ["package_type"],
    "padstack": ["padstack_type", "padstack_shape"],
}
# Classification fields every library object fills in.
REQUIRED = {
    "part": ["description", "manufacturer", "part_type", "technology", "package_type", "symbols"],
    "symbol": ["description", "symbol_type"],
    "package": ["description", "package_type"],
    "padstack": ["description", "padstack_type", "padstack_shape"],
}
INI_SECTION_OF_KIND = {"part": "DEVLIBS", "symbol": "SCHLIBS", "package": "LAYLIBS",
                       "padstack": "PADLIBS"}
DIR_KEYS = ["JobDir", "LibDir", "SysDir", "PRV3JobDir", "KDScml", "KDSudn", "KDSmod", "KDSsbk",
            "KDSwrk"]
# A few texts whose English wording is fixed; the language check compares them exactly.
ENU_SPOT_CHECKS = {
    "5051": "Name Field Empty",
    "3323": " Part(s) found ",
    "991148": "Scanning: ",
    "99365": "Can't read file: ",
    "99335": "Can't create/write to file: ",
    "3341": "Library File: ",
    "99962": " not found",
    "4811": "Library Browser",
}
SIM_FUNCTION = re.compile(r"-?[1-9][0-9]*\Z")
ELEMENT_CODE = re.compile(r"[A-Za-z]\Z")
PATTERN_CHARS = set("*?#[]")

problems = []


def problem(where, text):
    problems.append("%s: %s" % (where, text))


def rel(path):
    try:
        return str(Path(path).relative_to(SAMPLE.parent))
    except ValueError:
        return str(path)


def split_list(text):
    return [] if text == "" else text.split(",")


# --------------------------------------------------------------------------- CSV files

class Row:
    def __init__(self, where, values):
        self.where = where
        self.values = values

    def __getitem__(self, column):
        return self.values[column]


def read_csv(path, columns):
    """Rows of a CSV with the given columns (k2klib refuses any other), or None when it cannot
    be read; a column the file lacks reads as empty, as k2klib reads it."""
    where = rel(path)
    try:
        text = path.read_bytes().decode("utf-8-sig")
    except (OSError, UnicodeDecodeError) as error:
        problem(where, "cannot read: %s" % error)
        return None
    reader = csv.reader(io.StringIO(text, newline=""))
    rows = []
    try:
        header = [h.strip() for h in next(reader, [])]
        missing = [c for c in columns if c not in header]
        if missing:
            problem(where + ":1", "missing columns %s (every source names them all)" % missing)
        for fields in reader:
            if fields and fields != [""]:
                values = dict.fromkeys(columns, "")
                values.update(zip(header, fields))
                rows.append(Row("%s:%d" % (where, reader.line_num), values))
    except csv.Error as error:
        problem("%s:%d" % (where, reader.line_num), "CSV error: %s" % error)
        return None
    return rows


def check_control(where, column, value):
    """The project's hierarchy, page and component names: k2klib refuses what Windows-1252
    cannot hold, not control characters."""
    if any(ord(c) < 32 or ord(c) == 127 for c in value):
        problem(where, "%s: holds a control character" % column)


def check_object(kind, row):
    """Rules for one library object (a library row or a project copy)."""
    where = row.where
    name = row["name"]
    if name != name.strip():
        problem(where, "name %r has blanks around it" % name)
    elif "," in name:
        problem(where, "name %r holds a comma (names are items of comma lists)" % name)
    elif PATTERN_CHARS & set(name):
        problem(where, "name %r holds a search pattern character" % name)
    if kind == "part":
        package = row["package"]
        if package == "":
            problem(where, "part %s has no package" % name)
        if row["simulation_ref"] and ("," in row["simulation_ref"] or " " in row["simulation_ref"]):
            problem(where, "simulation_ref %r is not one reference name" % row["simulation_ref"])
    for column in LIST_FIELDS[kind]:
        value = row[column]
        for item in split_list(value):
            if item == "":
                problem(where, "%s %r has an empty item" % (column, value))
            elif item != item.strip():
                problem(where, "%s %r has blanks around an item" % (column, value))
        if column == "simulation_function":
            for item in split_list(value):
                if not SIM_FUNCTION.match(item):
                    problem(where, "simulation function %r is not a non-zero whole number" % item)
        if column == "simulation_references":
            for item in split_list(value):
                pieces = item.split("\\")
                if len(pieces) != 3 or not all(pieces):
                    problem(where, "simulation reference %r is not ELEMENT\\MODEL\\VARIANT" % item)
                elif not ELEMENT_CODE.match(pieces[0]):
                    problem(where, "simulation reference %r: element code is not one letter" % item)


def check_required(kind, row):
    for column in REQUIRED[kind]:
        if row[column].strip() == "":
            problem(row.where, "%s %s: %s is empty" % (kind, row["name"], column))


class Library:
    def __init__(self, path, name, kind, rows):
        self.path = path
        self.name = name  # NAME of NAME.kind.csv
        self.kind = kind
        self.rows = rows

    @property
    def file_name(self):  # the library file k2klib builds from it
        return "%s.%s" % (self.name, self.kind.upper())


def load_libraries():
    libraries = []
    if not LIBSRC.is_dir():
        problem(rel(LIBSRC), "folder missing")
        return libraries
    for path in sorted(LIBSRC.iterdir()):
        parts = path.name.split(".")
        if len(parts) != 3 or parts[2] != "csv" or parts[1] not in KINDS or not parts[0]:
            problem(rel(path), "not a library source NAME.KIND.csv (KIND: %s)" % ", ".join(KINDS))
            continue
        if " " in parts[0]:
            problem(rel(path), "library name holds a blank")
        kind = parts[1]
        rows = read_csv(path, COLUMNS[kind])
        if rows is None:
            continue
        for row in rows:
            check_object(kind, row)
            check_required(kind, row)
        if not rows:
            problem(rel(path), "library holds no objects")
        libraries.append(Library(path, parts[0], kind, rows))
    return libraries


def check_library_references(libraries):
    """Unique names per kind over all libraries; a part's package type is that of its
    package ("k2klib check" says when the package or a symbol is in no library)."""
    index = {kind: {} for kind in KINDS}
    for library in libraries:
        for row in library.rows:
            first = index[library.kind].get(row["name"])
            if first is not None and first[0] is library:
                continue  # "k2klib build" refuses a name given twice in one library
            if first is not None:
                problem(row.where, "%s %s is also in %s" % (library.kind, row["name"], first[0].file_name))
            else:
                index[library.kind][row["name"]] = (library, row)
    for kind in KINDS:
        if sum(1 for lib in libraries if lib.kind == kind) < 2:
            problem(rel(LIBSRC), "fewer than two %s libraries" % kind)
    for library in libraries:
        if library.kind != "part":
            continue
        for row in library.rows:
            package = index["package"].get(row["package"])
            if package is not None and package[1]["package_type"] != row["package_type"]:
                problem(row.where, "part %s: package type %r differs from %r of package %s"
                        % (row["name"], row["package_type"], package[1]["package_type"], row["package"]))
    return index


# --------------------------------------------------------------------------- the project

def check_project(folder, index):
    info = {}
    where = rel(folder)
    tables = {}
    for kind in KINDS:
        path = folder / (kind + "s.csv")
        tables[kind] = read_csv(path, COLUMNS[kind]) if path.exists() else None
        if tables[kind] is None and not path.exists():
            problem(where, "%s missing" % path.name)
    for name, columns in (("hierarchies", ["name"]), ("pages", ["hierarchy", "name"]),
                          ("components", ["hierarchy", "editor", "reference", "part", "uses"])):
        path = folder / (name + ".csv")
        tables[name] = read_csv(path, columns) if path.exists() else None
        if not path.exists():
            problem(where, "%s missing" % path.name)
    if any(t is None for t in tables.values()):
        return info

    # Objects: library rules; symbols, packages and padstacks share one name space in the
    # project database.
    objects = {}
    shared = {}
    for kind in KINDS:
        objects[kind] = {}
        for row in tables[kind]:
            check_object(kind, row)
            name = row["name"]
            objects[kind][name] = row
            if kind != "part":
                if name in shared:
                    problem(row.where, "%s %s has the name of the project's %s %s (they share one map)"
                            % (kind, name, shared[name], name))
                shared[name] = kind

    # Copies of library objects must equal their library rows.
    project_only = []
    for kind in KINDS:
        for name, row in objects[kind].items():
            found = index[kind].get(name)
            if found is None:
                if kind == "part":
                    project_only.append(name)
                else:
                    problem(row.where, "%s %s is in no library" % (kind, name))
                continue
            if found[1].values != row.values:
                diff = [c for c in COLUMNS[kind] if found[1][c] != row[c]]
                problem(row.where, "%s %s differs from its library copy in %s (%s)"
                        % (kind, name, found[0].file_name, ", ".join(diff)))
    if len(project_only) != 1:
        problem(where, "want exactly one part that is in no library, found %s" % project_only)
    info["project_only"] = project_only

    for name, row in objects["part"].items():
        if name in project_only:
            check_required("part", row)
        for symbol in split_list(row["symbols"]):
            if symbol not in objects["symbol"]:
                problem(row.where, "part %s: symbol %s is not in the project" % (name, symbol))
        if row["package"] not in objects["package"]:
            problem(row.where, "part %s: package %s is not in the project" % (name, row["package"]))

    # Hierarchies and pages ("k2klib project" refuses unknown and twice-given ones).
    hierarchies = []
    for row in tables["hierarchies"]:
        check_control(row.where, "name", row["name"])
        hierarchies.append(row["name"].strip())
    pages = collections.defaultdict(list)
    for row in tables["pages"]:
        check_control(row.where, "name", row["name"])
        pages[row["hierarchy"].strip()].append(row["name"].strip())
    for hierarchy in hierarchies:
        if not pages[hierarchy]:
            problem(where, "hierarchy %s has no page" % hierarchy)

    # Components ("k2klib project" refuses an unknown hierarchy, editor or part, a reference
    # placed twice, a use the project does not hold).
    placed = collections.defaultdict(lambda: collections.defaultdict(set))  # part -> editor -> hierarchies
    references = set()
    used = set()
    for row in tables["components"]:
        for column in ("hierarchy", "editor", "reference", "part", "uses"):
            check_control(row.where, column, row[column])
        hierarchy, editor, reference, part = (row["hierarchy"], row["editor"], row["reference"],
                                              row["part"])
        references.add((hierarchy, editor, reference))
        if part == "":
            problem(row.where, "%s places no part" % reference)
        if part not in objects["part"] or editor not in ("schematic", "layout"):
            continue
        placed[part][editor].add(hierarchy)
        uses = split_list(row["uses"])
        if not uses:
            problem(row.where, "%s uses nothing" % reference)
        used.update(uses)
        prow = objects["part"][part]
        if editor == "schematic":
            if uses != split_list(prow["symbols"]):
                problem(row.where, "%s uses %s, part %s has the symbols %s"
                        % (reference, uses, part, prow["symbols"]))
            continue
        if not uses or uses[0] != prow["package"]:
            problem(row.where, "%s: the first item of uses must be package %s of part %s"
                    % (reference, prow["package"], part))
        if len(uses) < 2:
            problem(row.where, "%s: a layout component names its padstacks" % reference)
        for item in uses[1:]:
            if item not in objects["padstack"]:
                problem(row.where, "%s: %s after the package is no padstack of the project"
                        % (reference, item))
    for kind in ("symbol", "package", "padstack"):
        for name, row in objects[kind].items():
            owned = any(name in split_list(p["symbols"]) or name == p["package"]
                        for p in objects["part"].values())
            if name not in used and not owned:
                problem(row.where, "%s %s is used by no component and no part of the project" % (kind, name))

    nowhere = [p for p in objects["part"] if not placed[p]["schematic"] and not placed[p]["layout"]]
    schematic_only = [p for p in objects["part"] if placed[p]["schematic"] and not placed[p]["layout"]]
    layout_only = [p for p in objects["part"] if placed[p]["layout"] and not placed[p]["schematic"]]
    if len(nowhere) != 1:
        problem(where, "want exactly one part placed nowhere, found %s" % nowhere)
    if len(schematic_only) != 1:
        problem(where, "want exactly one part placed only on a schematic, found %s" % schematic_only)
    if layout_only:
        problem(where, "parts placed only on a layout: %s" % layout_only)
    if set(nowhere) & set(project_only):
        problem(where, "the part placed nowhere should not be the project-only part")
    later_only = [p for p in objects["part"]
                  if placed[p]["schematic"] and hierarchies and hierarchies[0] not in placed[p]["schematic"]
                  and len(placed[p]["schematic"]) == 1]
    if not later_only:
        problem(where, "no part is used only in a hierarchy other than the top one")
    components_by_hierarchy = collections.Counter(h for h, e, r in references if e == "schematic")
    for hierarchy in hierarchies:
        if not components_by_hierarchy[hierarchy]:
            problem(where, "hierarchy %s has no schematic component" % hierarchy)

    info.update(nowhere=nowhere, schematic_only=schematic_only, later_only=later_only,
                hierarchies=hierarchies, pages=sum(len(v) for v in pages.values()),
                components=collections.Counter(e for h, e, r in references),
                counts={k: len(objects[k]) for k in KINDS})
    return info


# --------------------------------------------------------------------------- INI files

def read_ini(path):
    """Sections of an INI file as ordered lists of (key, value, line); lines end CR LF."""
    where = rel(path)
    try:
        raw = path.read_bytes()
    except OSError as error:
        problem(where, "cannot read: %s" % error)
        return None
    check_crlf(where, raw)
    try:
        text = raw.decode("cp1252")
    except UnicodeDecodeError as error:
        problem(where, "not Windows-1252: %s" % error)
        return None
    sections = collections.OrderedDict()
    current = None
    for number, line in enumerate(text.splitlines(), 1):
        stripped = line.strip()
        if stripped == "" or stripped.startswith(";"):
            continue
        if stripped.startswith("[") and stripped.endswith("]"):
            current = stripped[1:-1]
            if current in sections:
                problem("%s:%d" % (where, number), "section [%s] given twice" % current)
            sections.setdefault(current, [])
            continue
        if current is None or "=" not in line:
            problem("%s:%d" % (where, number), "neither a section nor key=value: %r" % line)
            continue
        key, value = line.split("=", 1)
        sections[current].append((key.strip(), value.strip(), number))
    return sections


def check_crlf(where, raw):
    if not raw.endswith(b"\r\n"):
        problem(where, "the last line does not end with CR LF")
    if raw.replace(b"\r\n", b"").count(b"\n") or raw.replace(b"\r\n", b"").count(b"\r"):
        problem(where, "line ends other than CR LF")


def suite_path(value):
    """A suite-form relative path ("SYS\\LANG\\ENU") as a path below the suite folder."""
    return SUITE.joinpath(*value.split("\\"))


def check_directory_settings():
    path = SUITE / "suite.ini"
    sections = read_ini(path)
    if sections is None:
        return {}
    where = rel(path)
    if "Kalde2K" not in sections:
        problem(where, "no section [Kalde2K]")
        return {}
    values = {}
    for key, value, line in sections["Kalde2K"]:
        if key in values:
            problem("%s:%d" % (where, line), "key %s given twice" % key)
        values[key] = value
    for key in DIR_KEYS:
        value = values.get(key)
        if not value:
            problem(where, "[Kalde2K] %s missing or empty" % key)
        elif value.startswith("\\") or re.match(r"[A-Za-z]:", value) or "/" in value:
            problem(where, "[Kalde2K] %s=%s is not a relative suite path" % (key, value))
        elif value.endswith("\\"):
            problem(where, "[Kalde2K] %s=%s ends with a backslash" % (key, value))
    if values.get("SysDir") and not suite_path(values["SysDir"]).is_dir():
        problem(where, "SysDir %s is not a folder of the suite" % values["SysDir"])
    if values.get("LibDir") != "LIB":
        problem(where, "LibDir must be LIB: the build puts the libraries into suite/LIB")
    if values.get("JobDir") != "JOB":
        problem(where, "JobDir must be JOB: the build puts the projects into suite/JOB")
    return values


def check_suite_ini(libraries, dirs):
    path = SUITE / "kalde2000.ini"
    sections = read_ini(path)
    if sections is None:
        return {}
    where = rel(path)
    result = {}
    host = dict((k, v) for k, v, _ in sections.get("Kalde2000", []))
    project = host.get("Project", "")
    if not project:
        problem(where, "[Kalde2000] Project missing")
    else:
        parts = project.split("\\")
        if len(parts) != 2 or parts[0] != dirs.get("JobDir") or not parts[1].endswith(".K2K"):
            problem(where, "Project=%s is not JobDir\\NAME.K2K" % project)
        elif not (JOBSRC / parts[1][:-4]).is_dir():
            problem(where, "Project=%s: no source folder %s" % (project, rel(JOBSRC / parts[1][:-4])))
    language = host.get("LanguagePath", "")
    if not language:
        problem(where, "[Kalde2000] LanguagePath missing")
    elif not (suite_path(language) / "TEXTS.LNG").is_file():
        problem(where, "LanguagePath=%s holds no TEXTS.LNG" % language)
    elif language.split("\\")[0] != dirs.get("SysDir"):
        problem(where, "LanguagePath=%s is not below SysDir" % language)

    by_file = {lib.file_name: lib for lib in libraries}
    listed = set()
    for kind in KINDS:
        section = INI_SECTION_OF_KIND[kind]
        entries = sections.get(section)
        if entries is None:
            problem(where, "no section [%s]" % section)
            continue
        keys = [k for k, _, _ in entries]
        if keys != [str(n) for n in range(1, len(keys) + 1)]:
            problem(where, "[%s] keys are not 1, 2, 3, ... in order: %s" % (section, keys))
        result[section] = [v for _, v, _ in entries]
        for key, value, line in entries:
            at = "%s:%d" % (where, line)
            if value == "":
                problem(at, "[%s] %s is empty" % (section, key))
                continue
            if not value.endswith("." + kind.upper()):
                problem(at, "[%s] %s=%s does not end with .%s" % (section, key, value, kind.upper()))
            if value in listed:
                problem(at, "%s listed twice" % value)
            listed.add(value)
    # That every listed library exists, so that a search of the sample runs without a
    # message, is for "k2klib check" to say, on the built suite.
    unlisted = [f for f in by_file if f not in listed]
    if len(unlisted) != 1:
        problem(where, "want exactly one library that no list names, found %s" % unlisted)
    result["unlisted"] = unlisted
    return result


# --------------------------------------------------------------------------- language files

def read_language(path):
    where = rel(path)
    raw = path.read_bytes()
    check_crlf(where, raw)
    try:
        text = raw.decode("cp1252")
    except UnicodeDecodeError as error:
        problem(where, "not Windows-1252: %s" % error)
        return None
    raw_lines = raw.splitlines()
    texts = collections.OrderedDict()
    for number, line in enumerate(text.splitlines(), 1):
        at = "%s:%d" % (where, number)
        if number <= len(raw_lines) and any(b >= 0x80 for b in raw_lines[number - 1]):
            try:
                raw_lines[number - 1].decode("utf-8")
                problem(at, "its non-ASCII bytes are UTF-8; the file must be Windows-1252")
            except UnicodeDecodeError:
                pass
        if line.startswith(";"):
            continue
        match = re.match(r"([0-9]+)=(.*)\Z", line)
        if not match:
            problem(at, "not identifier=text: %r" % line)
            continue
        identifier, value = match.groups()
        if identifier in texts:
            problem(at, "identifier %s given twice" % identifier)
        if value == "":
            problem(at, "identifier %s has an empty text" % identifier)
        texts[identifier] = value
    return texts


def accelerators(text):
    return text.replace("&&", "").count("&")


def check_languages(dirs):
    folder = suite_path(dirs.get("SysDir", "SYS")) / "LANG"
    result = {}
    if not folder.is_dir():
        problem(rel(folder), "folder missing")
        return result
    languages = {}
    for sub in sorted(p for p in folder.iterdir() if p.is_dir()):
        path = sub / "TEXTS.LNG"
        if not path.is_file():
            problem(rel(sub), "no TEXTS.LNG")
            continue
        texts = read_language(path)
        if texts is not None:
            languages[sub.name] = (path, texts)
    if "ENU" not in languages:
        problem(rel(folder), "no English texts (ENU)")
        return result
    enu = languages["ENU"][1]
    for identifier, text in ENU_SPOT_CHECKS.items():
        if enu.get(identifier) != text:
            problem(rel(languages["ENU"][0]), "text %s should be %r, is %r"
                    % (identifier, text, enu.get(identifier)))
    for name, (path, texts) in languages.items():
        result[name] = len(texts)
        if name == "ENU":
            continue
        where = rel(path)
        for identifier in enu:
            if identifier not in texts:
                problem(where, "text %s missing" % identifier)
        for identifier, text in texts.items():
            english = enu.get(identifier)
            if english is None:
                problem(where, "text %s is not in the English file" % identifier)
                continue
            lead = len(english) - len(english.lstrip(" "))
            trail = len(english) - len(english.rstrip(" "))
            if (len(text) - len(text.lstrip(" ")), len(text) - len(text.rstrip(" "))) != (lead, trail):
                problem(where, "text %s: leading/trailing blanks differ from %r" % (identifier, english))
            if accelerators(text) != accelerators(english):
                problem(where, "text %s: '&' accelerators differ from %r" % (identifier, english))
    return result


# --------------------------------------------------------------------------- summary

def features(libraries, index):
    """The things the browser's searches need from the sample data."""
    parts = [row for lib in libraries if lib.kind == "part" for row in lib.rows]
    groups = collections.defaultdict(list)
    for row in parts:
        groups[(row["package"], row["symbols"])].append(row["name"])
    aliases = sorted((names for names in groups.values() if len(names) >= 3), key=len, reverse=True)
    if not aliases:
        problem(rel(LIBSRC), "no group of three or more parts sharing package and symbols (aliases)")
    multi = [row["name"] for row in parts if len(split_list(row["symbols"])) > 1]
    if not multi:
        problem(rel(LIBSRC), "no part with several symbols")
    same = sorted(set(index["symbol"]) & set(index["package"]))
    if not same:
        problem(rel(LIBSRC), "no symbol that has the name of a package")
    used_symbols = {s for row in parts for s in split_list(row["symbols"])}
    used_packages = {row["package"] for row in parts}
    unusual = [row["name"] for row in parts
               if re.match(r"[A-Za-z]+[0-9]", row["name"]) and re.search(r"[0-9][A-Za-z]+[0-9]", row["name"])]
    return {
        "aliases": aliases,
        "several_symbols": len(multi),
        "same_name": same,
        "unused_symbols": sorted(set(index["symbol"]) - used_symbols),
        "unused_packages": sorted(set(index["package"]) - used_packages),
        "unusual_digits": unusual,
    }


def print_vocabulary(libraries):
    values = collections.defaultdict(collections.Counter)
    for lib in libraries:
        for row in lib.rows:
            if lib.kind == "part":
                for column in ("part_type", "manufacturer", "technology", "package_type"):
                    values["part " + column][row[column]] += 1
                for item in split_list(row["simulation_function"]):
                    values["simulation function"][item] += 1
                for item in split_list(row["simulation_references"]):
                    values["simulation reference"][item] += 1
            elif lib.kind == "symbol":
                values["symbol_type"][row["symbol_type"]] += 1
                for item in split_list(row["simulation_function"]):
                    values["simulation function"][item] += 1
                for item in split_list(row["simulation_references"]):
                    values["simulation reference"][item] += 1
            elif lib.kind == "package":
                values["package_type"][row["package_type"]] += 1
            else:
                values["padstack_type"][row["padstack_type"]] += 1
                values["padstack_shape"][row["padstack_shape"]] += 1
    for title in sorted(values):
        print("\n%s:" % title)
        def order(item):
            value = item[0]
            return (0, int(value), "") if SIM_FUNCTION.match(value) else (1, 0, value)
        for value, count in sorted(values[title].items(), key=order):
            print("  %-50s %d" % (value or "(empty)", count))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--vocab", action="store_true", help="list the classification values used")
    args = parser.parse_args()

    libraries = load_libraries()
    index = check_library_references(libraries)
    project_folders = sorted(p for p in JOBSRC.iterdir() if p.is_dir()) if JOBSRC.is_dir() else []
    if not project_folders:
        problem(rel(JOBSRC), "no project folder")
    projects = {folder.name: check_project(folder, index) for folder in project_folders}
    dirs = check_directory_settings()
    catalogue = check_suite_ini(libraries, dirs)
    languages = check_languages(dirs)
    found = features(libraries, index)

    print("Libraries:")
    for kind in KINDS:
        libs = [lib for lib in libraries if lib.kind == kind]
        print("  %-9s %3d objects in %d libraries: %s" % (
            kind + "s", sum(len(lib.rows) for lib in libs), len(libs),
            ", ".join("%s (%d)" % (lib.file_name, len(lib.rows)) for lib in libs)))
    for section in ("DEVLIBS", "SCHLIBS", "LAYLIBS", "PADLIBS"):
        print("  [%s] %s" % (section, ", ".join(catalogue.get(section, []))))
    print("  not listed: %s" % ", ".join(catalogue.get("unlisted", [])))
    print("  symbol and package of the same name: %s" % ", ".join(found["same_name"]))
    print("  alias groups (3+ parts, same package and symbols): %d, largest: %s" % (
        len(found["aliases"]), ", ".join(found["aliases"][0]) if found["aliases"] else "-"))
    print("  parts with several symbols: %d" % found["several_symbols"])
    print("  names with digits among letters: %d, e.g. %s" % (
        len(found["unusual_digits"]), ", ".join(found["unusual_digits"][-10:])))
    print("  symbols used by no part: %s" % (", ".join(found["unused_symbols"]) or "-"))
    print("  packages used by no part: %s" % (", ".join(found["unused_packages"]) or "-"))
    for name, info in projects.items():
        if not info.get("counts"):
            continue
        print("Project %s:" % name)
        print("  %s" % ", ".join("%d %ss" % (info["counts"][k], k) for k in KINDS))
        print("  hierarchies %s, %d pages, %d schematic and %d layout components" % (
            ", ".join(info["hierarchies"]), info["pages"], info["components"]["schematic"],
            info["components"]["layout"]))
        print("  only in the project: %s; placed nowhere: %s; schematic only: %s" % (
            ", ".join(info["project_only"]), ", ".join(info["nowhere"]),
            ", ".join(info["schematic_only"])))
        print("  used only below the top hierarchy: %s" % ", ".join(info["later_only"]))
    print("Languages: %s" % ", ".join("%s (%d texts)" % kv for kv in languages.items()))
    if args.vocab:
        print_vocabulary(libraries)

    if problems:
        print("\n%d problem(s):" % len(problems), file=sys.stderr)
        for text in problems:
            print("  " + text, file=sys.stderr)
        return 1
    print("All sources fine.")
    return 0


if __name__ == "__main__":
    sys.exit(main())
