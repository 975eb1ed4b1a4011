#include "Commands.h"
#include "LibrarySource.h"

#include "common/ObjectKinds.h"
#include "platform/LibraryFile.h"

#include <memory>
#include <ostream>

namespace k2k::cli {

namespace {

// Reads the whole source before anything is written, and writes the library beside the
// old one before it takes its place: bad input leaves no file and an old library whole.
void RunBuild(const CsvArguments& options, CommandContext& context) {
    const LibraryKind kind = KindNamed(options.kind);
    std::vector<LibraryObject> objects;
    std::string error;
    if (!ReadLibrarySource(options.source, kind, objects, error) ||
        !WriteLibrary(options.output, kind, objects, error)) {
        context.err << error << '\n';
        context.exitCode = 1;
        return;
    }
    context.out << options.output << ": " << objects.size() << ' ' << FactsOf(kind).name
                << (objects.size() == 1 ? "" : "s") << '\n';
    context.exitCode = 0;
}

} // namespace

void AddBuildCommand(CLI::App& app, CommandContext& context) {
    auto [command, options] = AddCommand<CsvArguments>(
        app, "build",
        "build a library file from a CSV source; symbols, packages and padstacks may carry a "
        "drawing column (docs/drawings.md), which must read without a problem",
        context, RunBuild);
    AddKindOption(command, options.kind, "kind of the library");
    command
        .add_option("SOURCE", options.source,
                    "CSV source, UTF-8, a header row naming "
                    "the columns")
        ->required();
    command.add_option("LIBRARY", options.output, "library file to write")->required();
}

} // namespace k2k::cli
