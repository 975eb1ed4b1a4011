#pragma once
// One symbol library of the open-source EDA tool mapped into the suite: a part library
// and a symbol library, as a designer migrating would expect them.
//
//   each symbol -> a part: its name; description (ki_description); package: the footprint
//     field after its "LIBRARY:" prefix, package type: that LIBRARY read as a type path, as
//     its package has it; part type: the library's name with "_" read as the separator of
//     a type path ("Amplifier_Operational" -> "Amplifier,Operational"); external index code
//     "KiCad:LIBRARY:SYMBOL"; symbols: its symbol objects; and what designers find parts
//     by: keywords (ki_keywords) and footprint filters (ki_fp_filters) as lists (see
//     KeywordList), the datasheet link (Datasheet; "~" is none) and the reference prefix
//     (Reference, "U").
//   each distinct drawing of its units -> a symbol object. A unit's drawing is that of the
//     sub-symbols of its unit and of unit 0 (common to all), in the normal body style;
//     units with the same drawing share one object. One object is named as the symbol,
//     several by the first unit drawn with each ("7400_A", "7400_B", ...). Each carries the
//     symbol's keywords, datasheet link and reference prefix.
//   a symbol that extends another -> a part of its own with the symbols of the symbol it
//     derives from; its own description, footprint, keywords, datasheet, reference prefix
//     and filters where it has them, else that symbol's.
//
// Every text goes through ToSuiteText (replacing characters when the options say so): an
// object holding a character the suite cannot hold is left out (the rest of the library is kept)
// and listed in the report, as is the second of two objects whose names differ only in case. What
// the suite has no place for is counted in the report. The extras are not what makes an object:
// one the suite cannot hold is dropped and counted, and an object whose info text would be too
// long with them is written without them and counted (ImportedExtra, FittingInfo).

#include "formats/LibraryFile.h"
#include "kicad/ImportReport.h"
#include "kicad/KicadSymbols.h"
#include "sources/SourceText.h"

#include <string>
#include <string_view>
#include <vector>

namespace k2k {

struct ImportedLibrary {
    std::vector<LibraryObject> parts;
    std::vector<LibraryObject> symbols;
};

// The source's keywords (or footprint filters, or a footprint's tags) as the suite's list:
// the words between blanks and commas, joined by "," ("CMOS  NAND, 4000" -> "CMOS,NAND,4000").
std::string KeywordList(std::string_view words);

// The part type a library's name gives.
std::string PartTypeOfLibrary(std::string_view library);

// library: the source's name (its file name without ".kicad_sym"), UTF-8.
void ImportSymbolLibrary(const kicad::SymbolLibrary& source, std::string_view library,
                         const TextOptions& options, ImportedLibrary& imported,
                         ImportReport& report);

} // namespace k2k
