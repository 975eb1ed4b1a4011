#include "synthetic/SyntheticProject.h"

#include "formats/ObjectMap.h"
#include "formats/ProjectBuilder.h"
#include "platform/KernelProject.h"
#include "synthetic/SyntheticObjects.h"
#include "system/Text.h"

#include <algorithm>

namespace k2k {

namespace {

constexpr std::int64_t kPartsPerSymbol = 1000;
constexpr std::int64_t kPartsPerComponent = 100;
constexpr int kComponentsPerPage = 100;

} // namespace

Result<SyntheticProjectReport> WriteSyntheticProject(const std::filesystem::path& file,
                                                     std::int64_t parts, std::uint64_t seed) {
    if (parts < 1 || parts > kMaxProjectIndex)
        return Problem{"a project holds from 1 to " + DecimalText(kMaxProjectIndex) + " parts"};
    SyntheticProjectReport report;
    ProjectBuilder builder(file.stem().string());
    std::string name;
    std::string info;
    std::string drawing;
    SyntheticObjects partStream(LibraryKind::Part, seed);
    for (std::int64_t p = 0; p < parts; ++p) {
        partStream.Next(name, info);
        if (builder.AddPart(name, info) == 0)
            return Problem{"part " + name + " made twice"};
    }
    report.parts = parts;

    // Symbols take the indexes from 1, packages follow them.
    const int symbols = static_cast<int>(std::max<std::int64_t>(1, parts / kPartsPerSymbol));
    const std::pair<LibraryKind, int> kinds[] = {{LibraryKind::Symbol, kSymbolFlags},
                                                 {LibraryKind::Package, kPackageFlags}};
    for (const auto& [kind, flags] : kinds) {
        SyntheticObjects stream(kind, seed);
        for (int s = 0; s < symbols; ++s) {
            stream.Next(name, info, drawing);
            if (builder.AddSymbol(name, info, drawing, flags) == 0)
                return Problem{"symbol-map object " + name + " made twice"};
        }
    }
    report.symbols = symbols;

    const int hierarchy = builder.AddHierarchy("TOP");
    const int components = static_cast<int>(std::max<std::int64_t>(1, parts / kPartsPerComponent));
    report.pages = (components + kComponentsPerPage - 1) / kComponentsPerPage;
    for (int page = 1; page <= report.pages; ++page)
        builder.AddPage(hierarchy, DecimalText(page));
    for (int c = 1; c <= components; ++c) {
        const int part = static_cast<int>((c - 1) * kPartsPerComponent + 1);
        const int symbol = (c - 1) % symbols + 1;
        const std::string reference = "U" + DecimalText(c);
        if (builder.AddComponent(hierarchy, ComponentEditor::Schematic, reference, part,
                                 {symbol}) == 0 ||
            builder.AddComponent(hierarchy, ComponentEditor::Layout, reference, part,
                                 {symbols + symbol}) == 0)
            return Problem{"component " + reference + " cannot be placed"};
    }
    report.components = components;
    builder.SetCurrent(hierarchy, 1);
    if (const Status written = builder.Write(file); !written)
        return written.Error();
    return report;
}

} // namespace k2k
