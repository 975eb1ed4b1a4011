#include "Commands.h"
#include "LibrarySource.h"

#include "platform/LibraryFile.h"
#include "platform/Text.h"
#include "search/InfoText.h"

#include <memory>
#include <ostream>

namespace k2k::cli {

namespace {

// One line per object: the name and the fields of its info text as the kind splits it.
void ListObject(const LibraryObject& object, LibraryKind kind, std::ostream& out) {
    out << Cp1252ToUtf8(object.name);
    const auto field = [&out](std::string_view text) { out << '\t' << Cp1252ToUtf8(text); };
    switch (kind) {
    case LibraryKind::Part: {
        const PartInfo p = SplitPartInfo(object.info);
        for (std::string_view text :
             {p.package, p.description, p.externalIndexCode, p.simulationRef, p.manufacturer,
              p.partType, p.technology, p.packageType, p.simulationFunction, p.simulationReferences,
              p.symbols})
            field(text);
        break;
    }
    case LibraryKind::Symbol: {
        const SymbolInfo s = SplitSymbolInfo(object.info);
        for (std::string_view text :
             {s.description, s.symbolType, s.simulationFunction, s.simulationReferences})
            field(text);
        break;
    }
    case LibraryKind::Package:
    case LibraryKind::Padstack: {
        const PackageInfo p = SplitPackageInfo(object.info);
        for (std::string_view text : {p.description, p.type, p.lastField})
            field(text);
        break;
    }
    }
    out << '\n';
}

void RunList(const std::string& library, CommandContext& context) {
    LibraryContents contents;
    std::string error;
    if (!ReadLibrary(library, contents, error)) {
        context.err << error << '\n';
        context.exitCode = 1;
        return;
    }
    std::ostream& out = context.out;
    out << "signature: " << contents.header.signature << '\n'
        << "version: " << contents.header.version << '\n'
        << "count: " << contents.header.count << '\n'
        << "kind: " << LibraryKindName(contents.kind) << '\n';
    for (const LibraryObject& object : contents.objects)
        ListObject(object, contents.kind, out);
    context.exitCode = 0;
}

} // namespace

void AddListCommand(CLI::App& app, CommandContext& context) {
    auto* command = app.add_subcommand(
        "list", "list a library: its header, then per object its name and info fields, "
                "tab-separated");
    auto library = std::make_shared<std::string>();
    command->add_option("LIBRARY", *library, "library file")->required();
    command->callback([library, &context] { RunList(*library, context); });
}

} // namespace k2k::cli
