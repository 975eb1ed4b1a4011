#pragma once
// The footprints of one library of the open-source EDA tool mapped into the suite: a
// package library, and the padstacks of its pads in the one padstack library that every
// imported package shares.
//
//   each footprint -> a package: its name; description (descr); package type: the
//     library's name with "_" read as the separator of a type path ("Package_QFP" ->
//     "Package,QFP"); JEDEC name: the outline its description names (see JedecName);
//     keywords: its tags as a list (KeywordList, "SOIC,SO,8"); its drawing in micrometres
//     (UNIT UM), y upwards, ORIGIN 0 0: the silkscreen (F.SilkS, B.SilkS) as LINE, RECT, ARC
//     (circles with a sweep of 360, arcs by centre, radius, start and counter-clockwise
//     sweep), polygons as LINEs and shown texts as TEXT ("${REFERENCE}" as the reference's
//     "REF**"); the fabrication layers' graphics (F.Fab, B.Fab) too, with a NOTE saying so,
//     when the silkscreen closes no outline of its own (kicad/FootprintOutline.h); each
//     pad as PAD number padstack x y rotation (a pad without a number as "~").
//   each distinct pad -> a padstack named by its shape, its sizes in micrometres, its drill
//     and, where they are not the usual ones, its layers (see PadstackName).
//
// Every text goes through ImportedText (replacing characters when the options say so): a
// footprint holding a character the suite cannot hold is left out (the rest of the library
// is kept) and listed in the report, as is the second of two whose names differ only in
// case. What the suite has no place for is counted in the report. Keywords the suite cannot
// hold, or that would make the info text too long, are dropped and counted; the package is
// kept (ImportedExtra, FittingInfo).

#include "formats/Drawing.h"
#include "formats/LibraryFile.h"
#include "kicad/ImportReport.h"
#include "kicad/KicadFootprints.h"
#include "sources/SourceText.h"

#include <array>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace k2k {

// A pad's padstack: what its name says, sizes in micrometres.
struct PadstackShape {
    PadShape shape = PadShape::Round;
    int width = 0;
    int height = 0; // the width for round and square pads
    int drill = 0;  // 0: a surface pad
    bool plated = true;
    // TOP, BOTTOM, INNER, MASKTOP, MASKBOTTOM, PASTETOP, PASTEBOTTOM
    std::array<bool, 7> layers{};
    bool operator==(const PadstackShape&) const = default;
};

// C (round), S (square), R (rect) or O (oblong); the width, and "X" and the height for R
// and O; "H" and the diameter of a plated drill, "U" of an unplated one; then, when the
// layers are not the usual ones (a hole: copper on every layer, masks on both sides; a
// surface pad: top copper, mask and paste), "_" and the layers: T, B, I (copper top, bottom,
// inner), MT, MB (masks), PT, PB (pastes), or "_NONE". "R1500X900", "C1700H1000",
// "C3200U3200", "R600X600_PT". Sizes in micrometres.
std::string PadstackName(const PadstackShape& shape);

// The padstack object of a shape: its drawing (UNIT UM, a LAYER each, DRILL) and info.
LibraryObject PadstackObject(const PadstackShape& shape);

// The padstacks of every imported footprint, by name.
using Padstacks = std::map<std::string, LibraryObject>;

// The JEDEC outline a footprint's description names, or empty. It is the word "JEDEC" (not
// the end of a longer word), one blank, then the outline's designation: capital letters, a
// hyphen, digits and optional capital letters, ending where no letter or digit follows.
// "SOIC, 8 Pin (JEDEC MS-012AA, https://...)" -> "MS-012AA", "[JEDEC MO-271]" -> "MO-271",
// "(JEDEC MO-153 Var AB-1 ...)" -> "MO-153"; "similar JEDEC-14" names none. The first one
// named counts.
std::string_view JedecName(std::string_view description);

// library: the source's name (its folder name without ".pretty"), UTF-8. Adds the packages
// to packages (emptied first) and new padstacks to padstacks.
void ImportFootprintLibrary(const std::vector<kicad::Footprint>& footprints,
                            std::string_view library, const TextOptions& options,
                            std::vector<LibraryObject>& packages, Padstacks& padstacks,
                            ImportReport& report);

} // namespace k2k
