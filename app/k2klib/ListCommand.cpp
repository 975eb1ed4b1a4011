#include "Commands.h"
#include "LibrarySource.h"
#include "ObjectLines.h"

#include "common/ObjectKinds.h"
#include "platform/LibraryFile.h"
#include "platform/Text.h"

#include <memory>
#include <ostream>

namespace k2k::cli {

namespace {

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
        << "kind: " << FactsOf(contents.kind).name << '\n';
    for (const LibraryObject& object : contents.objects)
        WriteObjectLine(out, contents.kind, object.name, object.info);
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
