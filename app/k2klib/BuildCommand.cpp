#include "Commands.h"
#include "LibrarySource.h"

#include "common/ObjectKinds.h"
#include "platform/LibraryFile.h"

#include <memory>
#include <ostream>

namespace k2k::cli {

namespace {

struct BuildOptions {
    std::string kind;
    std::string source;
    std::string library;
};

// Reads the whole source before anything is written, and writes the library beside the
// old one before it takes its place: bad input leaves no file and an old library whole.
void RunBuild(const BuildOptions& options, CommandContext& context) {
    const LibraryKind kind = LibraryKindFromName(options.kind).value_or(LibraryKind::Part);
    std::vector<LibraryObject> objects;
    std::string error;
    if (!ReadLibrarySource(options.source, kind, objects, error) ||
        !WriteLibrary(options.library, kind, objects, error)) {
        context.err << error << '\n';
        context.exitCode = 1;
        return;
    }
    context.out << options.library << ": " << objects.size() << ' ' << FactsOf(kind).name
                << (objects.size() == 1 ? "" : "s") << '\n';
    context.exitCode = 0;
}

} // namespace

void AddBuildCommand(CLI::App& app, CommandContext& context) {
    auto* command = app.add_subcommand(
        "build", "build a library file from a CSV source; symbols, packages and padstacks may "
                 "carry a drawing column (docs/drawings.md), which must read without a problem");
    auto options = std::make_shared<BuildOptions>();
    command->add_option("--kind", options->kind, "kind of the library")
        ->required()
        ->check(CLI::IsMember(LibraryKindNames()));
    command
        ->add_option("SOURCE", options->source,
                     "CSV source, UTF-8, a header row naming "
                     "the columns")
        ->required();
    command->add_option("LIBRARY", options->library, "library file to write")->required();
    command->callback([options, &context] { RunBuild(*options, context); });
}

} // namespace k2k::cli
