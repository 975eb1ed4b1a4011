// The S-expression reader, and the symbol libraries read with it. Whatever the bytes, the
// reader ends within its depth limit; a refused text names the file and a line it has; an
// accepted one writes to a canonical text that reads back to the same tree and writes to
// itself. A text that is a symbol library imports into objects whose drawings read
// without a problem and whose names the suite can hold, no two of a kind named alike
// without regard to case. The seeds include small files, and single symbols, of the
// kicad-symbols package (units, alternate body styles and pin functions, arcs, texts,
// derived and power symbols).

#include "FuzzSupport.h"

#include "formats/Drawing.h"
#include "kicad/ImportReport.h"
#include "kicad/KicadSymbols.h"
#include "kicad/SExpression.h"
#include "kicad/SymbolImport.h"
#include "search/InfoText.h"
#include "system/Text.h"

#include <algorithm>
#include <set>

namespace {

std::string Canonical(const k2k::SDocument& document) {
    std::string text;
    for (const k2k::SNode item : document.Root())
        text += k2k::WriteSExpression(item) + "\n";
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace k2k;
    const std::string_view text = fuzz::BytesOf(data, size);
    SDocument document;
    if (const Status parsed = document.Parse(std::string(text), "F"); !parsed) {
        const std::string& error = parsed.Message();
        K2K_FUZZ_CHECK(error.rfind("F:", 0) == 0);
        const auto lines = 1 + std::count(text.begin(), text.end(), '\n');
        K2K_FUZZ_CHECK(std::stol(error.substr(2)) >= 1 && std::stol(error.substr(2)) <= lines);
        return 0;
    }
    const std::string canonical = Canonical(document);
    SDocument again;
    K2K_FUZZ_CHECK(again.Parse(canonical, "G").Ok());
    K2K_FUZZ_CHECK(again.NodeCount() == document.NodeCount());
    K2K_FUZZ_CHECK(Canonical(again) == canonical);

    const auto read = kicad::ReadSymbolLibrary(document, "F");
    if (!read)
        return 0;
    const kicad::SymbolLibrary& library = *read;
    ImportReport report;
    ImportedLibrary imported;
    ImportSymbolLibrary(library, "Fuzz_Library", {}, imported, report);
    for (const LibraryObject& symbol : imported.symbols) {
        K2K_FUZZ_CHECK(!symbol.name.empty());
        const ParsedDrawing parsed = ParseDrawing(symbol.drawing);
        K2K_FUZZ_CHECK(parsed.problems.empty());
        K2K_FUZZ_CHECK(parsed.drawing && parsed.drawing->kind == DrawingKind::Symbol);
    }
    // A part's info text has the ten fields every reader knows, and at most the extra ones.
    for (const LibraryObject& part : imported.parts) {
        const auto separators = std::count(part.info.begin(), part.info.end(), kFieldSeparator);
        K2K_FUZZ_CHECK(!part.name.empty() && separators >= kPartInfoFields - 1 &&
                       separators <= kPartInfoFields + kPartExtraFields - 1);
    }
    K2K_FUZZ_CHECK(imported.parts.size() <= library.symbols.size());
    for (const auto* objects : {&imported.parts, &imported.symbols}) {
        std::set<std::string> names;
        for (const LibraryObject& object : *objects)
            K2K_FUZZ_CHECK(names.insert(UpperCase(object.name)).second);
    }
    return 0;
}
