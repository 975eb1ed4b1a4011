#include "ObjectLines.h"

#include "search/InfoText.h"
#include "sources/LibrarySource.h"
#include "system/Text.h"

namespace k2k::cli {

void WriteObjectHeader(std::ostream& out, LibraryKind kind) {
    bool first = true;
    for (std::string_view column : LibrarySourceColumns(kind)) {
        if (column == kDrawingColumn)
            continue;
        out << (first ? "" : "\t") << column;
        first = false;
    }
    out << '\n';
}

void WriteObjectLine(std::ostream& out, LibraryKind kind, std::string_view name,
                     std::string_view info) {
    out << Cp1252ToUtf8(name);
    const auto field = [&out](std::string_view text) { out << '\t' << Cp1252ToUtf8(text); };
    switch (kind) {
    case LibraryKind::Part: {
        const PartInfo p = SplitPartInfo(info);
        for (std::string_view text :
             {p.package, p.description, p.externalIndexCode, p.simulationRef, p.manufacturer,
              p.partType, p.technology, p.packageType, p.simulationFunction, p.simulationReferences,
              p.symbols})
            field(text);
        break;
    }
    case LibraryKind::Symbol: {
        const SymbolInfo s = SplitSymbolInfo(info);
        for (std::string_view text :
             {s.description, s.symbolType, s.simulationFunction, s.simulationReferences})
            field(text);
        break;
    }
    case LibraryKind::Package:
    case LibraryKind::Padstack: {
        const PackageInfo p = SplitPackageInfo(info);
        for (std::string_view text : {p.description, p.type, p.lastField})
            field(text);
        break;
    }
    }
    out << '\n';
}

} // namespace k2k::cli
