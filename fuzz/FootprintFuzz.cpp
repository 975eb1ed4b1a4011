// The footprints of the import, read from S-expression texts. Whatever the bytes, a text
// that reads as a footprint imports into a package, or is left out and listed; a package's
// drawing reads without a problem in micrometres and has a pad for each of the source's,
// naming a padstack that was made, each padstack's drawing reading without a problem and
// its name given by its shape. The seeds include small files of the kicad-footprints
// package (rounded-rectangle, trapezoid and custom pads, drills round and oval, arcs,
// polygons).

#include "FuzzSupport.h"

#include "formats/Drawing.h"
#include "kicad/FootprintImport.h"
#include "kicad/ImportReport.h"
#include "kicad/KicadFootprints.h"
#include "kicad/SExpression.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace k2k;
    SDocument document;
    if (!document.Parse(std::string(fuzz::BytesOf(data, size)), "F"))
        return 0;
    const auto read = kicad::ReadFootprint(document, "F");
    if (!read) {
        K2K_FUZZ_CHECK(read.Message().rfind("F:", 0) == 0);
        return 0;
    }
    const kicad::Footprint& footprint = *read;
    ImportReport report;
    std::vector<LibraryObject> packages;
    Padstacks padstacks;
    ImportFootprintLibrary({footprint}, "Fuzz_Library", {}, packages, padstacks, report);
    K2K_FUZZ_CHECK(packages.size() + report.LeftOut().size() == 1);
    for (const LibraryObject& package : packages) {
        K2K_FUZZ_CHECK(!package.name.empty());
        const ParsedDrawing parsed = ParseDrawing(package.drawing);
        K2K_FUZZ_CHECK(parsed.problems.empty());
        K2K_FUZZ_CHECK(parsed.drawing && parsed.drawing->kind == DrawingKind::Package &&
                       parsed.drawing->unit == DrawUnit::Micrometre);
        K2K_FUZZ_CHECK(parsed.drawing->pads.size() == footprint.pads.size());
        for (const DrawPad& pad : parsed.drawing->pads)
            K2K_FUZZ_CHECK(padstacks.count(pad.padstack) == 1);
    }
    for (const auto& [name, padstack] : padstacks) {
        K2K_FUZZ_CHECK(name == padstack.name);
        const ParsedDrawing parsed = ParseDrawing(padstack.drawing);
        K2K_FUZZ_CHECK(parsed.problems.empty());
        K2K_FUZZ_CHECK(parsed.drawing && parsed.drawing->kind == DrawingKind::Padstack);
    }
    return 0;
}
